#include "property/Hatch2dFeatureProperty.h"

#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/UserDefinedHatchFormat.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Hatch2dFeatureProperty, ShapeFeaturePropertyBase)

Hatch2dFeatureProperty::Hatch2dFeatureProperty() = default;

Hatch2dFeatureProperty::Hatch2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Hatch2dFeatureProperty::~Hatch2dFeatureProperty() = default;

namespace {

std::unique_ptr<FeatureSettingBase> ReadHatchStyle(const Feature2dBase* pFeature)
{
    auto pStyle = std::make_unique<HatchSetting>();
    if (!FeatureSettingConverter::GetHatchSettingFromFeature(pFeature, *pStyle))
        return nullptr;
    return pStyle;
}

bool IsUserPattern(const Hatch2dFeature& hatch) { return hatch.GetHatchType() == Hatch2dFeature::UserDefined; }

}  // namespace

void Hatch2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idBasePoint, ParameterItemBase::typePoint);
    AddDescriptor(idPatternScale, ParameterItemBase::typeDouble);
    AddDescriptor(idPatternAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idStyle, ParameterItemBase::typeSetting);
}

BOOL Hatch2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Hatch2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    const BOOL bUser = IsUserPattern(*pShape) ? TRUE : FALSE;
    switch (wId) {
    case idBasePoint:
        SetRow(pItem, idBasePoint, 10865, bWithCaption, bUser);
        return SetPointValue(pItem, pShape->GetPoint());
    case idPatternScale:
        SetRow(pItem, idPatternScale, 10880, bWithCaption, bUser);
        return SetDoubleValue(pItem, bUser ? pShape->GetUserDefinedHatchFormat().GetPatternScale() : 1.0);
    case idPatternAngle:
        SetRow(pItem, idPatternAngle, 10876, bWithCaption, bUser);
        return SetDoubleValue(pItem, bUser ? pShape->GetUserDefinedHatchFormat().GetPatternAngle() : 0.0);
    case idStyle:
        SetRow(pItem, idStyle, 10894, bWithCaption);
        return SetStyleValue(pItem, ReadHatchStyle, TRUE, bWithCaption);
    default:
        return FALSE;
    }
}

BOOL Hatch2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    const auto* pShape = dynamic_cast<const Hatch2dFeature*>(GetFeature());
    if (pItem == nullptr || pItem->IsEmpty() || pShape == nullptr)
        return FALSE;
    if (wId == idStyle)
        return ApplyStyle(pItem, ReadHatchStyle, [](Feature2dBase* p, const FeatureSettingBase& s) {
            return FeatureSettingConverter::SetHatchSettingToFeature(p, static_cast<const HatchSetting&>(s));
        }, TRUE);
    // Only a user-defined pattern has a base point, scale and angle of its own.
    if (!IsUserPattern(*pShape))
        return FALSE;
    switch (wId) {
    case idBasePoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Hatch2dFeature::GetPoint, &Hatch2dFeature::SetPoint);
    }
    case idPatternScale: {
        double v = 0.0;
        if (!ReadDouble(pItem, v) || !(v > 0.0))
            return FALSE;
        return EditCopy([&](Feature2dBase* pCopy) {
            UserDefinedHatchFormat& format = static_cast<Hatch2dFeature*>(pCopy)->GetUserDefinedHatchFormat();
            if (format.GetPatternScale() == v)
                return editUnchanged;
            return format.SetPatternScale(v) ? editChanged : editRefused;
        });
    }
    case idPatternAngle: {
        double v = 0.0;
        if (!ReadDouble(pItem, v))
            return FALSE;
        return EditCopy([&](Feature2dBase* pCopy) {
            UserDefinedHatchFormat& format = static_cast<Hatch2dFeature*>(pCopy)->GetUserDefinedHatchFormat();
            if (format.GetPatternAngle() == v)
                return editUnchanged;
            return format.SetPatternAngle(v) ? editChanged : editRefused;
        });
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
