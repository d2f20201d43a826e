#include "settings/DimensionStylePreview.h"

#include <algorithm>
#include <memory>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionText.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "settings/CFeatureSettingPropertyPage.h"
#include "settings/CFeatureSettingTreeDialog.h"

namespace {
constexpr double kSampleLength = 1234.56789;
}  // namespace

void DimensionStylePreview::MakeSampleSetting(const DimensionSetting& source, DimensionSetting& sample)
{
    sample = DimensionSetting();
    // Values that differ between selected shapes are undefined in the source and keep the defaults.
    sample.SetOnlyDefValue(source);
    TextSetting textStyle = sample.GetDimTextFont();
    textStyle.SetHeight(5.0);
    textStyle.SetCharSpacing(0.0);
    sample.SetDimTextFont(textStyle);
    sample.SetArrowSize1(1.5);
    sample.SetArrowSize2(1.5);
    sample.SetOutsideLength1(12.5);
    sample.SetOutsideLength2(12.5);
    sample.SetProjectionExtension1(2.5);
    sample.SetProjectionExtension2(2.5);
    const double offset = sample.GetProjectionLineMode() == 1 ? 10.0 : 0.5;
    sample.SetProjectionOffsetOrLineLength1(offset);
    sample.SetProjectionOffsetOrLineLength2(offset);
    sample.SetDistance(0.5);
}

BOOL DimensionStylePreview::AddStandardSample(const DimensionSetting& sample, Feature2dList& samples)
{
    double h1 = 0.0, v1 = 0.0, h2 = 0.0, v2 = 0.0;
    Arrow2dFeature::GetArrowHorizonVerticalSize(sample.GetArrowType1(), sample.GetArrowSize1(), h1, v1);
    Arrow2dFeature::GetArrowHorizonVerticalSize(sample.GetArrowType2(), sample.GetArrowSize2(), h2, v2);
    const double textHeight = sample.GetDimTextFont().GetHeight();
    const double d = 2.3 * (std::max(v1, v2) + textHeight);
    std::unique_ptr<Dimension2dFeatureBase> pDimension(FeatureCreator::CreateLinearDimensionFeature(
        RuVaPnt2d(0, -d), RuVaPnt2d(kSampleLength, -d), d, 90.0, 0.0, 0, CString(u"123.456"), 0,
        RuVaPnt2d(kSampleLength / 2, 0), 0, &sample, 0, 0));
    auto* pLinear = dynamic_cast<LinearDimension2dFeature*>(pDimension.get());
    if (pLinear == nullptr)
        return FALSE;
    // The sample shows the typed "123.456" whatever it measures, so its width holds when the line is
    // shortened; the dimension line just holds the text and both arrows; the text stands free beside the
    // second arrow.
    pLinear->SetValueText(CString(u"123.456"));
    pLinear->SetValueTextManualMode(1);
    const double w = DimensionText(pLinear).GetTextWidth();
    const double x = 1.1 * (w + h1 + h2);
    pLinear->SetPoint(1, RuVaPnt2d(x, -d));
    pLinear->SetValueTextPoint(RuVaPnt2d(x + 1.1 * h2 + w / 2, 0));
    pLinear->SetValueTextPosFreeMode(1);
    FeatureCreator::UpdateDimensionFeature(pLinear, &sample, 0, 1.0, 1.0);
    samples.AddFeature(pLinear, 1);
    return TRUE;
}

void DimensionStylePreview::BuildDimensionPreview(CFeatureSettingPropertyPage* pPage)
{
    if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr)
        return;
    auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(pPage->GetParent());
    if (pDialog == nullptr)
        return;
    DimensionSetting source;
    if (!pDialog->GetDimensionSetting(&source))
        return;
    DimensionSetting sample;
    MakeSampleSetting(source, sample);
    Feature2dList samples;
    if (!AddStandardSample(sample, samples))
        return;
    pPage->ShowPreview(samples);
}
