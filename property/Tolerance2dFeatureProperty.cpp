#include "property/Tolerance2dFeatureProperty.h"

#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "command/ToleranceParameterItem.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Tolerance2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Tolerance2dFeatureProperty, ShapeFeaturePropertyBase)

Tolerance2dFeatureProperty::Tolerance2dFeatureProperty() = default;

Tolerance2dFeatureProperty::Tolerance2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Tolerance2dFeatureProperty::~Tolerance2dFeatureProperty() = default;

namespace {

std::unique_ptr<FeatureSettingBase> ReadToleranceStyle(const Feature2dBase* pFeature)
{
    auto pStyle = std::make_unique<DimensionSetting>();
    if (!FeatureSettingConverter::GetToleranceSettingFromFeature(pFeature, *pStyle))
        return nullptr;
    return pStyle;
}

}  // namespace

void Tolerance2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idText, ParameterItemBase::typeTolerance);
    AddDescriptor(idPoint, ParameterItemBase::typePoint);
    AddDescriptor(idStyle, ParameterItemBase::typeSetting);
}

BOOL Tolerance2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Tolerance2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idText: {
        SetRow(pItem, idText, 10884, bWithCaption);
        auto* pText = dynamic_cast<ToleranceParameterItem*>(pItem);
        if (pText == nullptr)
            return FALSE;
        pText->m_pDocument = m_pDocument;
        return pText->SetValue(pShape->GetText());
    }
    case idPoint:
        SetRow(pItem, idPoint, 10864, bWithCaption);
        return SetPointValue(pItem, pShape->GetToleranceLocatePoint());
    case idStyle:
        // Every object captions it: the row shows a dimension style under the tolerance's own name.
        SetRow(pItem, idStyle, 10893, TRUE);
        return SetStyleValue(pItem, ReadToleranceStyle, TRUE, bWithCaption);
    default:
        return FALSE;
    }
}

BOOL Tolerance2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const Tolerance2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idText: {
        const auto* pText = dynamic_cast<const ToleranceParameterItem*>(pItem);
        if (pText == nullptr || pText->m_strText.IsEmpty())
            return FALSE;
        const CString text = pText->m_strText;
        return EditField(text, &Tolerance2dFeature::GetText, &Tolerance2dFeature::SetText);
    }
    case idPoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Tolerance2dFeature::GetToleranceLocatePoint, &Tolerance2dFeature::SetToleranceLocatePoint);
    }
    case idStyle:
        return ApplyStyle(pItem, ReadToleranceStyle, [](Feature2dBase* p, const FeatureSettingBase& s) {
            return FeatureSettingConverter::SetToleranceSettingToFeature(p, static_cast<const DimensionSetting&>(s));
        }, TRUE);
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
