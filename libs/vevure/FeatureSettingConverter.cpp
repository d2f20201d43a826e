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

int TypeOf(const Feature2dBase* f)
{
    return f ? f->GetFeatureType() : FeatureTypeNone;
}

bool IsDimensionType(int type)
{
    return type >= FeatureTypeLinearDimension && type <= FeatureTypeParallelDimension;
}

// The three numbers a shape is to carry.
struct Numbers {
    short color;
    short lineType;
    short lineWidth;
};

// The shape's numbers with the defined ones of a style laid over them; FALSE when the result is one the
// shape cannot hold.
bool ResolveNumbers(const Feature2dBase* f, short colorNo, short lineTypeNo, short lineWidthNo, Numbers& out)
{
    out.color = colorNo == kUndefinedNo ? f->GetColorNo() : colorNo;
    out.lineType = lineTypeNo == kUndefinedNo ? f->GetLineTypeNo() : lineTypeNo;
    out.lineWidth = lineWidthNo == kUndefinedNo ? f->GetLineWidthNo() : lineWidthNo;
    return out.color <= 256 && out.lineType != kUndefinedNo && out.lineWidth <= 15;
}

void WriteNumbers(Feature2dBase* f, const Numbers& n)
{
    f->SetColorNo(n.color);
    f->SetLineTypeNo(n.lineType);
    f->SetLineWidthNo(n.lineWidth);
}

// Copies the shape's numbers into a style; a number the style cannot hold (an explicit line width, a colour
// outside the table) stays undefined there.
template <class S>
void PutColor(const Feature2dBase* f, S& setting)
{
    if (!setting.SetColorNo(f->GetColorNo()))
        setting.SetColorNo(kUndefinedNo);
}

template <class S>
void PutNumbers(const Feature2dBase* f, S& setting)
{
    PutColor(f, setting);
    if (!setting.SetLineTypeNo(f->GetLineTypeNo()))
        setting.SetLineTypeNo(kUndefinedNo);
    if (!setting.SetLineWidthNo(f->GetLineWidthNo()))
        setting.SetLineWidthNo(kUndefinedNo);
}

// Fills a style from the shape's own one. The flag of how the caller saw the shape stays the caller's.
template <class S>
void TakeStyle(const S& stored, S& setting)
{
    const bool equalXY = setting.IsForEqualXYScaleSetting() != FALSE;
    setting = stored;
    setting.SetForEqualXYScaleSettingFlg(equalXY);
}

// Applies the style to the shape's own copy and the style's numbers to the shape, all or nothing: the
// numbers are checked first, so a refused style leaves the shape as it was.
template <class F, class S>
BOOL ApplyStyle(Feature2dBase* pFeature, const S& setting, BOOL (F::*set)(const S&), short colorNo,
                short lineTypeNo, short lineWidthNo)
{
    Numbers n{};
    if (!ResolveNumbers(pFeature, colorNo, lineTypeNo, lineWidthNo, n))
        return FALSE;
    if (!(static_cast<F*>(pFeature)->*set)(setting))
        return FALSE;
    WriteNumbers(pFeature, n);
    return TRUE;
}

// The numbers a shape's own style keeps beside the shape's: made equal to the shape's so that reading the
// style back gives what the shape shows. A number the style cannot hold is left as it was there.
template <bool ColorOnly, class F, class S>
BOOL SyncNumbers(Feature2dBase* pFeature, const Numbers& n, const S& (F::*get)() const, BOOL (F::*set)(const S&))
{
    auto* f = static_cast<F*>(pFeature);
    S style((f->*get)());
    style.SetColorNo(n.color);
    if constexpr (!ColorOnly) {
        style.SetLineTypeNo(n.lineType);
        style.SetLineWidthNo(n.lineWidth);
    }
    return (f->*set)(style);
}

BOOL SyncStyleNumbers(Feature2dBase* pFeature, const Numbers& n)
{
    const int type = TypeOf(pFeature);
    if (type == FeatureTypePointMarker)
        return SyncNumbers<true>(pFeature, n, &PointMarker2dFeature::GetPointMarkerSetting,
                                 &PointMarker2dFeature::SetPointMarkerSetting);
    if (type == FeatureTypeText)
        return SyncNumbers<true>(pFeature, n, &Text2dFeature::GetTextSetting, &Text2dFeature::SetTextSetting);
    if (type == FeatureTypeLead)
        return SyncNumbers<false>(pFeature, n, &Lead2dFeature::GetLeadSetting, &Lead2dFeature::SetLeadSetting);
    if (type == FeatureTypeBalloon)
        return SyncNumbers<false>(pFeature, n, &Balloon2dFeature::GetBalloonSetting,
                                  &Balloon2dFeature::SetBalloonSetting);
    if (IsDimensionType(type))
        return SyncNumbers<false>(pFeature, n, &Dimension2dFeatureBase::GetDimensionSetting,
                                  &Dimension2dFeatureBase::SetDimensionSetting);
    if (type == FeatureTypeTolerance)
        return SyncNumbers<false>(pFeature, n, &Tolerance2dFeature::GetDimensionSetting,
                                  &Tolerance2dFeature::SetDimensionSetting);
    return TRUE;
}

// Reads every shape of the kind and folds the styles into one.
template <class S>
int MergeFrom(const Feature2dBase* const* ppFeatures, int nCount, S& setting,
              BOOL (*read)(const Feature2dBase*, S&))
{
    if (ppFeatures == nullptr || nCount <= 0)
        return 0;
    int count = 0;
    S merged(setting), one(setting);
    for (int i = 0; i < nCount; ++i) {
        if (!read(ppFeatures[i], count == 0 ? merged : one))
            continue;
        if (count > 0 && !merged.SettingAndSetting(one))
            continue;
        ++count;
    }
    if (count > 0)
        setting = merged;
    return count;
}

}  // namespace

int FeatureSettingConverter::GetFeatureBaseSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                               GeneralFeatureSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetFeatureBaseSettingFromFeature);
}

int FeatureSettingConverter::GetPointMarkerSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                               PointMarkerSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetPointMarkerSettingFromFeature);
}

int FeatureSettingConverter::GetTextSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                        TextSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetTextSettingFromFeature);
}

int FeatureSettingConverter::GetLeadSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                        LeadSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetLeadSettingFromFeature);
}

int FeatureSettingConverter::GetBalloonSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                           BalloonSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetBalloonSettingFromFeature);
}

int FeatureSettingConverter::GetDimensionSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                             DimensionSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetDimensionSettingFromFeature);
}

int FeatureSettingConverter::GetHatchSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                         HatchSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetHatchSettingFromFeature);
}

int FeatureSettingConverter::GetImageSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                         ImageSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetImageSettingFromFeature);
}

int FeatureSettingConverter::GetOleObjectSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                             OleObjectSetting& setting)
{
    return MergeFrom(ppFeatures, nCount, setting, &GetOleObjectSettingFromFeature);
}

BOOL FeatureSettingConverter::ApplyNumbers(Feature2dBase* pFeature, short nColorNo, short nLineTypeNo,
                                           short nLineWidthNo)
{
    Numbers n{};
    if (pFeature == nullptr || !ResolveNumbers(pFeature, nColorNo, nLineTypeNo, nLineWidthNo, n))
        return FALSE;
    WriteNumbers(pFeature, n);
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
    if (TypeOf(pFeature) != FeatureTypePointMarker)
        return FALSE;
    TakeStyle(static_cast<const PointMarker2dFeature*>(pFeature)->GetPointMarkerSetting(), setting);
    PutColor(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetTextSettingFromFeature(const Feature2dBase* pFeature, TextSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeText)
        return FALSE;
    TakeStyle(static_cast<const Text2dFeature*>(pFeature)->GetTextSetting(), setting);
    PutColor(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetLeadSettingFromFeature(const Feature2dBase* pFeature, LeadSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeLead)
        return FALSE;
    TakeStyle(static_cast<const Lead2dFeature*>(pFeature)->GetLeadSetting(), setting);
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetBalloonSettingFromFeature(const Feature2dBase* pFeature, BalloonSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeBalloon)
        return FALSE;
    TakeStyle(static_cast<const Balloon2dFeature*>(pFeature)->GetBalloonSetting(), setting);
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetDimensionSettingFromFeature(const Feature2dBase* pFeature,
                                                             DimensionSetting& setting)
{
    const int type = TypeOf(pFeature);
    if (type == FeatureTypeTolerance)
        return GetToleranceSettingFromFeature(pFeature, setting);
    if (!IsDimensionType(type))
        return FALSE;
    TakeStyle(static_cast<const Dimension2dFeatureBase*>(pFeature)->GetDimensionSetting(), setting);
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetHatchSettingFromFeature(const Feature2dBase* pFeature, HatchSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeHatch)
        return FALSE;
    TakeStyle(static_cast<const Hatch2dFeature*>(pFeature)->GetHatchSetting(), setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetToleranceSettingFromFeature(const Feature2dBase* pFeature,
                                                             DimensionSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeTolerance)
        return FALSE;
    TakeStyle(static_cast<const Tolerance2dFeature*>(pFeature)->GetDimensionSetting(), setting);
    PutNumbers(pFeature, setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetImageSettingFromFeature(const Feature2dBase* pFeature, ImageSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeImage)
        return FALSE;
    TakeStyle(static_cast<const Image2dFeature*>(pFeature)->GetImageSetting(), setting);
    return TRUE;
}

BOOL FeatureSettingConverter::GetOleObjectSettingFromFeature(const Feature2dBase* pFeature,
                                                             OleObjectSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeOleObject)
        return FALSE;
    TakeStyle(static_cast<const OleObject2dFeature*>(pFeature)->GetOleObjectSetting(), setting);
    return TRUE;
}

BOOL FeatureSettingConverter::SetFeatureBaseSettingToFeature(Feature2dBase* pFeature,
                                                             const GeneralFeatureSetting& setting)
{
    Numbers n{};
    if (pFeature == nullptr ||
        !ResolveNumbers(pFeature, setting.GetColorNo(), setting.GetLineTypeNo(), setting.GetLineWidthNo(), n))
        return FALSE;
    if (!SyncStyleNumbers(pFeature, n))
        return FALSE;
    WriteNumbers(pFeature, n);
    return TRUE;
}

BOOL FeatureSettingConverter::SetPointMarkerSettingToFeature(Feature2dBase* pFeature,
                                                             const PointMarkerSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypePointMarker)
        return FALSE;
    return ApplyStyle(pFeature, setting, &PointMarker2dFeature::SetPointMarkerSetting, setting.GetColorNo(),
                      kUndefinedNo, kUndefinedNo);
}

BOOL FeatureSettingConverter::SetTextSettingToFeature(Feature2dBase* pFeature, const TextSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeText)
        return FALSE;
    return ApplyStyle(pFeature, setting, &Text2dFeature::SetTextSetting, setting.GetColorNo(), kUndefinedNo,
                      kUndefinedNo);
}

BOOL FeatureSettingConverter::SetLeadSettingToFeature(Feature2dBase* pFeature, const LeadSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeLead)
        return FALSE;
    return ApplyStyle(pFeature, setting, &Lead2dFeature::SetLeadSetting, setting.GetColorNo(),
                      setting.GetLineTypeNo(), setting.GetLineWidthNo());
}

BOOL FeatureSettingConverter::SetBalloonSettingToFeature(Feature2dBase* pFeature, const BalloonSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeBalloon)
        return FALSE;
    return ApplyStyle(pFeature, setting, &Balloon2dFeature::SetBalloonSetting, setting.GetColorNo(),
                      setting.GetLineTypeNo(), setting.GetLineWidthNo());
}

BOOL FeatureSettingConverter::SetDimensionSettingToFeature(Feature2dBase* pFeature, const DimensionSetting& setting)
{
    const int type = TypeOf(pFeature);
    if (type == FeatureTypeTolerance)
        return SetToleranceSettingToFeature(pFeature, setting);
    if (!IsDimensionType(type))
        return FALSE;
    return ApplyStyle(pFeature, setting, &Dimension2dFeatureBase::SetDimensionSetting, setting.GetColorNo(),
                      setting.GetLineTypeNo(), setting.GetLineWidthNo());
}

BOOL FeatureSettingConverter::SetHatchSettingToFeature(Feature2dBase* pFeature, const HatchSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeHatch)
        return FALSE;
    return static_cast<Hatch2dFeature*>(pFeature)->SetHatchSetting(setting);
}

BOOL FeatureSettingConverter::SetToleranceSettingToFeature(Feature2dBase* pFeature, const DimensionSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeTolerance)
        return FALSE;
    return ApplyStyle(pFeature, setting, &Tolerance2dFeature::SetDimensionSetting, setting.GetColorNo(),
                      setting.GetLineTypeNo(), setting.GetLineWidthNo());
}

BOOL FeatureSettingConverter::SetImageSettingToFeature(Feature2dBase* pFeature, const ImageSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeImage)
        return FALSE;
    return static_cast<Image2dFeature*>(pFeature)->SetImageSetting(setting);
}

BOOL FeatureSettingConverter::SetOleObjectSettingToFeature(Feature2dBase* pFeature, const OleObjectSetting& setting)
{
    if (TypeOf(pFeature) != FeatureTypeOleObject)
        return FALSE;
    return static_cast<OleObject2dFeature*>(pFeature)->SetOleObjectSetting(setting);
}
