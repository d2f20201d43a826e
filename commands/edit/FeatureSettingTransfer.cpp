#include "commands/edit/FeatureSettingTransfer.h"

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/TextSettingStyles.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/TransformFeature.h"

namespace QZ2Command {

namespace {
constexpr int kTextType = 10;
constexpr int kLeadType = 30;
constexpr int kToleranceType = 59;

template <class S>
const S* As(const FeatureSettingBase& setting)
{
    return dynamic_cast<const S*>(&setting);
}
template <class S>
S* As(FeatureSettingBase& setting)
{
    return dynamic_cast<S*>(&setting);
}
}  // namespace

int FeatureSettingTransfer::KindOfType(int nType, BOOL bToleranceAsBasic, BOOL bImages)
{
    switch (nType) {
    case 1: return kPointMarker;
    case 10: return kText;
    case 30: return kLead;
    case 31: return kBalloon;
    case 32: return kHatch;
    case 50: case 51: case 52: case 53: case 54: case 55: return kDimension;
    case kToleranceType: return bToleranceAsBasic ? kGeneral : kDimension;
    case 80: return bImages ? kImage : kGeneral;
    default: return kGeneral;
    }
}

std::unique_ptr<FeatureSettingBase> FeatureSettingTransfer::NewSetting(int nKind)
{
    switch (nKind) {
    case kGeneral: return std::make_unique<GeneralFeatureSetting>();
    case kPointMarker: return std::make_unique<PointMarkerSetting>();
    case kText: return std::make_unique<TextSetting>();
    case kLead: return std::make_unique<LeadSetting>();
    case kBalloon: return std::make_unique<BalloonSetting>();
    case kDimension: return std::make_unique<DimensionSetting>();
    case kHatch: return std::make_unique<HatchSetting>();
    case kImage: return std::make_unique<ImageSetting>();
    default: return nullptr;
    }
}

BOOL FeatureSettingTransfer::Read(int nKind, const Feature2dBase* pFeature, FeatureSettingBase& setting)
{
    using C = FeatureSettingConverter;
    switch (nKind) {
    case kGeneral: return As<GeneralFeatureSetting>(setting) && C::GetFeatureBaseSettingFromFeature(pFeature, *As<GeneralFeatureSetting>(setting));
    case kPointMarker: return As<PointMarkerSetting>(setting) && C::GetPointMarkerSettingFromFeature(pFeature, *As<PointMarkerSetting>(setting));
    case kText: return As<TextSetting>(setting) && C::GetTextSettingFromFeature(pFeature, *As<TextSetting>(setting));
    case kLead: return As<LeadSetting>(setting) && C::GetLeadSettingFromFeature(pFeature, *As<LeadSetting>(setting));
    case kBalloon: return As<BalloonSetting>(setting) && C::GetBalloonSettingFromFeature(pFeature, *As<BalloonSetting>(setting));
    case kDimension: return As<DimensionSetting>(setting) && C::GetDimensionSettingFromFeature(pFeature, *As<DimensionSetting>(setting));
    case kHatch: return As<HatchSetting>(setting) && C::GetHatchSettingFromFeature(pFeature, *As<HatchSetting>(setting));
    case kImage: return As<ImageSetting>(setting) && C::GetImageSettingFromFeature(pFeature, *As<ImageSetting>(setting));
    default: return FALSE;
    }
}

BOOL FeatureSettingTransfer::Write(int nKind, Feature2dBase* pFeature, const FeatureSettingBase& setting)
{
    using C = FeatureSettingConverter;
    switch (nKind) {
    case kGeneral: return As<GeneralFeatureSetting>(setting) && C::SetFeatureBaseSettingToFeature(pFeature, *As<GeneralFeatureSetting>(setting));
    case kPointMarker: return As<PointMarkerSetting>(setting) && C::SetPointMarkerSettingToFeature(pFeature, *As<PointMarkerSetting>(setting));
    case kText: return As<TextSetting>(setting) && C::SetTextSettingToFeature(pFeature, *As<TextSetting>(setting));
    case kLead: return As<LeadSetting>(setting) && C::SetLeadSettingToFeature(pFeature, *As<LeadSetting>(setting));
    case kBalloon: return As<BalloonSetting>(setting) && C::SetBalloonSettingToFeature(pFeature, *As<BalloonSetting>(setting));
    case kDimension: return As<DimensionSetting>(setting) && C::SetDimensionSettingToFeature(pFeature, *As<DimensionSetting>(setting));
    case kHatch: return As<HatchSetting>(setting) && C::SetHatchSettingToFeature(pFeature, *As<HatchSetting>(setting));
    case kImage: return As<ImageSetting>(setting) && C::SetImageSettingToFeature(pFeature, *As<ImageSetting>(setting));
    default: return FALSE;
    }
}

const FeatureSettingStylesBase* FeatureSettingTransfer::DocumentStyles(const Draw2dDocument* pDocument, int nKind)
{
    if (pDocument == nullptr)
        return nullptr;
    switch (nKind) {
    case kGeneral: return pDocument->GetGeneralFeatureSettingStyles();
    case kPointMarker: return pDocument->GetPointMarkerSettingStyles();
    case kText: return pDocument->GetTextSettingStyles();
    case kLead: return pDocument->GetLeadSettingStyles();
    case kBalloon: return pDocument->GetBalloonSettingStyles();
    case kDimension: return pDocument->GetDimensionSettingStyles();
    case kHatch: return pDocument->GetHatchSettingStyles();
    default: return nullptr;
    }
}

BOOL FeatureSettingTransfer::PaperScale(const Draw2dView* pView, const FeatureLayout& shape, double& s)
{
    s = 1.0;
    const DrawingFeatureBase* pDrawing = pView != nullptr ? pView->GetDrawingFeature() : nullptr;
    if (pDrawing == nullptr || pDrawing->GetDrawingType() != DrawingFeatureBase::typePaper)
        return FALSE;
    if (const PartDrawingLayout* pLayout = pDrawing->GetPartLayoutByID(shape.GetLayoutID())) {
        double y = 1.0;
        pLayout->GetScale(s, y);
    }
    return TRUE;
}

std::unique_ptr<Feature2dBase> FeatureSettingTransfer::ScaledCopy(const Feature2dBase* pFeature, BOOL bPaper,
                                                                  double s, BOOL bTextTransformed)
{
    if (pFeature == nullptr)
        return nullptr;
    if (!bPaper)
        return std::unique_ptr<Feature2dBase>(pFeature->CopyObject(3));
    if (pFeature->GetFeatureType() == kTextType && !bTextTransformed) {
        std::unique_ptr<Feature2dBase> copy(pFeature->CopyObject(3));
        if (auto* pText = dynamic_cast<Text2dFeature*>(copy.get()))
            pText->ScaleSize(s, 0);
        return copy;
    }
    const RuVaPnt2d origin(0.0, 0.0);
    return std::unique_ptr<Feature2dBase>(TransformFeature::Transformed(pFeature, origin, 1.0, 1.0, s, 0.0, origin));
}

BOOL FeatureSettingTransfer::Rebuild(Feature2dBase* pFeature)
{
    const int nType = pFeature != nullptr ? pFeature->GetFeatureType() : 0;
    if (nType >= 50 && nType <= 55) {
        auto* pDimension = dynamic_cast<Dimension2dFeatureBase*>(pFeature);
        return pDimension != nullptr && FeatureCreator::UpdateDimensionFeature(pDimension, nullptr, 0, 1.0, 1.0) != 0;
    }
    if (nType == kLeadType) {
        auto* pLead = dynamic_cast<Lead2dFeature*>(pFeature);
        return pLead != nullptr && FeatureCreator::UpdateLeadFeature(pLead, nullptr);
    }
    return TRUE;
}

void FeatureSettingTransfer::Merged::Fold(int nKind, const FeatureSettingBase& setting)
{
    if (nKind < 0 || nKind >= kKinds)
        return;
    if (settings[nKind] == nullptr) {
        settings[nKind] = NewSetting(nKind);
        settings[nKind]->Copy(setting);
    } else {
        settings[nKind]->SettingAndSetting(setting);
    }
}

int FeatureSettingTransfer::Merged::OnlyKind() const
{
    int nOnly = kNone;
    for (int k = 0; k < kKinds; ++k) {
        if (settings[k] == nullptr)
            continue;
        if (nOnly != kNone)
            return kNone;
        nOnly = k;
    }
    return nOnly;
}

}  // namespace QZ2Command
