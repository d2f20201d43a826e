#include "libs/vevure/FeatureSettingConverter.h"

#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/SettingValue.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/Tolerance2dFeature.h"

namespace {

constexpr short kUndefinedNo = SettingValue::kUndefinedNo;

bool IsDimension(const Feature2dBase* f)
{
    const int type = f ? f->GetFeatureType() : 0;
    return type >= FeatureTypeLinearDimension && type <= FeatureTypeParallelDimension;
}

// Copies the shape's numbers into a style; a number the style cannot hold (an explicit line width) stays
// undefined there.
template <class S>
void PutNumbers(const Feature2dBase* f, S& setting)
{
    if (!setting.SetColorNo(f->GetColorNo()))
        setting.SetColorNo(kUndefinedNo);
    if (!setting.SetLineTypeNo(f->GetLineTypeNo()))
        setting.SetLineTypeNo(kUndefinedNo);
    if (!setting.SetLineWidthNo(f->GetLineWidthNo()))
        setting.SetLineWidthNo(kUndefinedNo);
}

}  // namespace

BOOL FeatureSettingConverter::ApplyNumbers(Feature2dBase* pFeature, short nColorNo, short nLineTypeNo,
                                           short nLineWidthNo)
{
    const short colour = nColorNo == kUndefinedNo ? pFeature->GetColorNo() : nColorNo;
    const short lineType = nLineTypeNo == kUndefinedNo ? pFeature->GetLineTypeNo() : nLineTypeNo;
    const short width = nLineWidthNo == kUndefinedNo ? pFeature->GetLineWidthNo() : nLineWidthNo;
    if (colour > 256 || lineType == kUndefinedNo || width > 15)
        return FALSE;
    pFeature->SetColorNo(colour);
    pFeature->SetLineTypeNo(lineType);
    pFeature->SetLineWidthNo(width);
    return TRUE;
}

BOOL FeatureSettingConverter::GetFeatureBaseSettingFromFeature(const Feature2dBase* pFeature,
                                                               GeneralFeatureSetting& setting)
{
    if (pFeature == nullptr)
        return FALSE;
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetPointMarkerSettingFromFeature(const Feature2dBase* pFeature,
                                                               PointMarkerSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypePointMarker)
        return FALSE;
    setting = static_cast<const PointMarker2dFeature*>(pFeature)->GetPointMarkerSetting();
    if (!setting.SetColorNo(pFeature->GetColorNo()))
        setting.SetColorNo(kUndefinedNo);
    return TRUE;
}

BOOL FeatureSettingConverter::GetTextSettingFromFeature(const Feature2dBase* pFeature, TextSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeText)
        return FALSE;
    setting = static_cast<const Text2dFeature*>(pFeature)->GetTextSetting();
    if (!setting.SetColorNo(pFeature->GetColorNo()))
        setting.SetColorNo(kUndefinedNo);
    return TRUE;
}

BOOL FeatureSettingConverter::GetLeadSettingFromFeature(const Feature2dBase* pFeature, LeadSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeLead)
        return FALSE;
    setting = static_cast<const Lead2dFeature*>(pFeature)->GetLeadSetting();
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetBalloonSettingFromFeature(const Feature2dBase* pFeature, BalloonSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeBalloon)
        return FALSE;
    setting = static_cast<const Balloon2dFeature*>(pFeature)->GetBalloonSetting();
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetDimensionSettingFromFeature(const Feature2dBase* pFeature,
                                                             DimensionSetting& setting)
{
    if (!IsDimension(pFeature))
        return FALSE;
    setting = static_cast<const Dimension2dFeatureBase*>(pFeature)->GetDimensionSetting();
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetHatchSettingFromFeature(const Feature2dBase* pFeature, HatchSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeHatch)
        return FALSE;
    setting = static_cast<const Hatch2dFeature*>(pFeature)->GetHatchSetting();
    return TRUE;
}

BOOL FeatureSettingConverter::GetToleranceSettingFromFeature(const Feature2dBase* pFeature,
                                                             DimensionSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeTolerance)
        return FALSE;
    setting = static_cast<const Tolerance2dFeature*>(pFeature)->GetDimensionSetting();
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetImageSettingFromFeature(const Feature2dBase* pFeature, ImageSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeImage)
        return FALSE;
    setting = static_cast<const Image2dFeature*>(pFeature)->GetImageSetting();
    return TRUE;
}

BOOL FeatureSettingConverter::GetOleObjectSettingFromFeature(const Feature2dBase* pFeature,
                                                             OleObjectSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeOleObject)
        return FALSE;
    setting = static_cast<const OleObject2dFeature*>(pFeature)->GetOleObjectSetting();
    return TRUE;
}

BOOL FeatureSettingConverter::SetFeatureBaseSettingToFeature(Feature2dBase* pFeature,
                                                             const GeneralFeatureSetting& setting)
{
    return pFeature != nullptr &&
           ApplyNumbers(pFeature, setting.GetColorNo(), setting.GetLineTypeNo(), setting.GetLineWidthNo());
}

namespace {

// Applies the style to the shape's own copy and the style's numbers to the shape, all or nothing.
template <class F, class S>
BOOL ApplyStyle(Feature2dBase* pFeature, const S& setting, const S& (F::*get)() const, BOOL (F::*set)(const S&),
                short colorNo, short lineTypeNo, short lineWidthNo,
                BOOL (*applyNumbers)(Feature2dBase*, short, short, short))
{
    auto* f = static_cast<F*>(pFeature);
    const S before = (f->*get)();
    const short oldColour = pFeature->GetColorNo(), oldType = pFeature->GetLineTypeNo(),
                oldWidth = pFeature->GetLineWidthNo();
    if (!(f->*set)(setting))
        return FALSE;
    if (!applyNumbers(pFeature, colorNo, lineTypeNo, lineWidthNo)) {
        (f->*set)(before);
        pFeature->SetColorNo(oldColour);
        pFeature->SetLineTypeNo(oldType);
        pFeature->SetLineWidthNo(oldWidth);
        return FALSE;
    }
    return TRUE;
}


}  // namespace

BOOL FeatureSettingConverter::SetPointMarkerSettingToFeature(Feature2dBase* pFeature,
                                                             const PointMarkerSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypePointMarker)
        return FALSE;
    return ApplyStyle<PointMarker2dFeature>(pFeature, setting, &PointMarker2dFeature::GetPointMarkerSetting,
                                            &PointMarker2dFeature::SetPointMarkerSetting, setting.GetColorNo(),
                                            kUndefinedNo, kUndefinedNo, &ApplyNumbers);
}

BOOL FeatureSettingConverter::SetTextSettingToFeature(Feature2dBase* pFeature, const TextSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeText)
        return FALSE;
    return ApplyStyle<Text2dFeature>(pFeature, setting, &Text2dFeature::GetTextSetting, &Text2dFeature::SetTextSetting,
                                     setting.GetColorNo(), kUndefinedNo, kUndefinedNo, &ApplyNumbers);
}

BOOL FeatureSettingConverter::SetLeadSettingToFeature(Feature2dBase* pFeature, const LeadSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeLead)
        return FALSE;
    return ApplyStyle<Lead2dFeature>(pFeature, setting, &Lead2dFeature::GetLeadSetting, &Lead2dFeature::SetLeadSetting,
                                     setting.GetColorNo(), setting.GetLineTypeNo(), setting.GetLineWidthNo(),
                                     &ApplyNumbers);
}

BOOL FeatureSettingConverter::SetBalloonSettingToFeature(Feature2dBase* pFeature, const BalloonSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeBalloon)
        return FALSE;
    return ApplyStyle<Balloon2dFeature>(pFeature, setting, &Balloon2dFeature::GetBalloonSetting,
                                        &Balloon2dFeature::SetBalloonSetting, setting.GetColorNo(),
                                        setting.GetLineTypeNo(), setting.GetLineWidthNo(), &ApplyNumbers);
}

BOOL FeatureSettingConverter::SetDimensionSettingToFeature(Feature2dBase* pFeature, const DimensionSetting& setting)
{
    if (!IsDimension(pFeature))
        return FALSE;
    return ApplyStyle<Dimension2dFeatureBase>(pFeature, setting, &Dimension2dFeatureBase::GetDimensionSetting,
                                              &Dimension2dFeatureBase::SetDimensionSetting, setting.GetColorNo(),
                                              setting.GetLineTypeNo(), setting.GetLineWidthNo(), &ApplyNumbers);
}

BOOL FeatureSettingConverter::SetHatchSettingToFeature(Feature2dBase* pFeature, const HatchSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeHatch)
        return FALSE;
    return static_cast<Hatch2dFeature*>(pFeature)->SetHatchSetting(setting);
}

BOOL FeatureSettingConverter::SetToleranceSettingToFeature(Feature2dBase* pFeature, const DimensionSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeTolerance)
        return FALSE;
    return ApplyStyle<Tolerance2dFeature>(pFeature, setting, &Tolerance2dFeature::GetDimensionSetting,
                                          &Tolerance2dFeature::SetDimensionSetting, setting.GetColorNo(),
                                          setting.GetLineTypeNo(), setting.GetLineWidthNo(), &ApplyNumbers);
}

BOOL FeatureSettingConverter::SetImageSettingToFeature(Feature2dBase* pFeature, const ImageSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeImage)
        return FALSE;
    return static_cast<Image2dFeature*>(pFeature)->SetImageSetting(setting);
}

BOOL FeatureSettingConverter::SetOleObjectSettingToFeature(Feature2dBase* pFeature, const OleObjectSetting& setting)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypeOleObject)
        return FALSE;
    return static_cast<OleObject2dFeature*>(pFeature)->SetOleObjectSetting(setting);
}
