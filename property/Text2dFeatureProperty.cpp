#include "property/Text2dFeatureProperty.h"

#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Text2dFeatureProperty, ShapeFeaturePropertyBase)

Text2dFeatureProperty::Text2dFeatureProperty() = default;

Text2dFeatureProperty::Text2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Text2dFeatureProperty::~Text2dFeatureProperty() = default;

namespace {

std::unique_ptr<FeatureSettingBase> ReadTextStyle(const Feature2dBase* pFeature)
{
    auto pStyle = std::make_unique<TextSetting>();
    if (!FeatureSettingConverter::GetTextSettingFromFeature(pFeature, *pStyle))
        return nullptr;
    return pStyle;
}

}  // namespace

void Text2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idText, ParameterItemBase::typeText);
    AddDescriptor(idPoint, ParameterItemBase::typePoint);
    AddDescriptor(idAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idStyle, ParameterItemBase::typeSetting);
}

BOOL Text2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Text2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idText:
        SetRow(pItem, idText, 10884, bWithCaption);
        return SetTextValue(pItem, pShape->GetText(), TRUE, FALSE);
    case idPoint:
        SetRow(pItem, idPoint, 10864, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint());
    case idAngle:
        SetRow(pItem, idAngle, 10876, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetAngle());
    case idStyle:
        SetRow(pItem, idStyle, 10890, bWithCaption);
        return SetStyleValue(pItem, ReadTextStyle, TRUE, bWithCaption);
    default:
        return FALSE;
    }
}

BOOL Text2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const Text2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idText: {
        CString text;
        // A text shape without text would be invisible and unpickable.
        if (!ReadText(pItem, text) || text.IsEmpty())
            return FALSE;
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<Text2dFeature*>(pCopy);
            if (p->GetText() == text)
                return editUnchanged;
            if (!p->SetText(text))
                return editRefused;
            p->SetAutoLayoutRect();
            return editChanged;
        });
    }
    case idPoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Text2dFeature::GetPoint, &Text2dFeature::SetPoint);
    }
    case idAngle: {
        double angle = 0.0;
        if (!ReadDouble(pItem, angle))
            return FALSE;
        return EditField(angle, &Text2dFeature::GetAngle, &Text2dFeature::SetAngle);
    }
    case idStyle:
        return ApplyStyle(pItem, ReadTextStyle, [](Feature2dBase* p, const FeatureSettingBase& s) {
            return FeatureSettingConverter::SetTextSettingToFeature(p, static_cast<const TextSetting&>(s));
        }, TRUE);
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
