#include "property/OleObject2dFeatureProperty.h"

#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/OleObjectSetting.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(OleObject2dFeatureProperty, ShapeFeaturePropertyBase)

OleObject2dFeatureProperty::OleObject2dFeatureProperty() = default;

OleObject2dFeatureProperty::OleObject2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

OleObject2dFeatureProperty::~OleObject2dFeatureProperty() = default;

namespace {

std::unique_ptr<FeatureSettingBase> ReadObjectStyle(const Feature2dBase* pFeature)
{
    auto pStyle = std::make_unique<OleObjectSetting>();
    if (!FeatureSettingConverter::GetOleObjectSettingFromFeature(pFeature, *pStyle))
        return nullptr;
    return pStyle;
}

}  // namespace

void OleObject2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idBasePoint, ParameterItemBase::typePoint);
    AddDescriptor(idWidth, ParameterItemBase::typeLength);
    AddDescriptor(idHeight, ParameterItemBase::typeLength);
    AddDescriptor(idStyle, ParameterItemBase::typeSetting);
}

BOOL OleObject2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const OleObject2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idBasePoint:
        SetRow(pItem, idBasePoint, 10865, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint());
    case idWidth:
        SetRow(pItem, idWidth, 10874, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetWidth());
    case idHeight:
        SetRow(pItem, idHeight, 10875, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetHeight());
    case idStyle:
        SetRow(pItem, idStyle, 10897, bWithCaption);
        return SetStyleValue(pItem, ReadObjectStyle, FALSE, bWithCaption);
    default:
        return FALSE;
    }
}

BOOL OleObject2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const OleObject2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idBasePoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &OleObject2dFeature::GetPoint, &OleObject2dFeature::SetPoint);
    }
    case idWidth: {
        double v = 0.0;
        if (!ReadDouble(pItem, v) || !(v > 0.0 && v < 1e15))
            return FALSE;
        return EditField(v, &OleObject2dFeature::GetWidth, &OleObject2dFeature::SetWidth);
    }
    case idHeight: {
        double v = 0.0;
        if (!ReadDouble(pItem, v) || !(v > 0.0 && v < 1e15))
            return FALSE;
        return EditField(v, &OleObject2dFeature::GetHeight, &OleObject2dFeature::SetHeight);
    }
    case idStyle:
        return ApplyStyle(pItem, ReadObjectStyle, [](Feature2dBase* p, const FeatureSettingBase& s) {
            return FeatureSettingConverter::SetOleObjectSettingToFeature(p, static_cast<const OleObjectSetting&>(s));
        }, FALSE);
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
