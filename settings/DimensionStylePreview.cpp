#include "settings/DimensionStylePreview.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionText.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureResolver.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "settings/CDimensionAddTextSettingPage.h"
#include "settings/CDimensionSettingPage.h"
#include "settings/CDimensionTextSettingPage.h"
#include "settings/CDimensionToleranceSettingPage.h"
#include "settings/CFeatureSettingPropertyPage.h"
#include "settings/CFeatureSettingTreeDialog.h"

namespace {
constexpr double kSampleLength = 1234.56789;
using ArrowsPage = CDimensionSettingPage;
using TextPage = CDimensionTextSettingPage;
using AddTextPage = CDimensionAddTextSettingPage;
using TolerancePage = CDimensionToleranceSettingPage;

// The dimension colour, for shapes of the sample's own (a number above 256 is not a colour).
short SampleColor(const DimensionSetting& setting)
{
    const short colour = setting.GetColorNo();
    return colour <= 256 ? colour : 0;
}

void AddLine(Feature2dList& samples, const RuVaPnt2d& a, const RuVaPnt2d& b, short colour)
{
    auto* pLine = new Line2dFeature(a, b);
    pLine->SetColorNo(colour);
    samples.AddFeature(pLine, 0);
}

// The fixed look of the angle and arc samples.
void FixSmallSample(const DimensionSetting& sample, DimensionSetting& fixed, double arrow, double textHeight)
{
    fixed = DimensionSetting();
    fixed.SetArrowType1(sample.GetArrowType1());
    fixed.SetArrowType2(sample.GetArrowType2());
    fixed.SetColorNo(sample.GetColorNo());
    fixed.SetAngleUnitFormatType(sample.GetAngleUnitFormatType());
    fixed.SetAnglePrecision(sample.GetAnglePrecision());
    fixed.SetArrowSize1(arrow);
    fixed.SetArrowSize2(arrow);
    TextSetting text = sample.GetDimTextFont();
    text.SetHeight(textHeight);
    text.SetCharSpacing(0.0);
    fixed.SetDimTextFont(text);
    fixed.SetArrowPosition(0);
    fixed.SetHorizonPos(0);
    fixed.SetVerticalPos(0);
    fixed.SetPosAngle(0);
    fixed.SetDistance(0.5);
    fixed.SetAutoArrowPosition(0);
    fixed.SetAutoHorizonPos(0);
    fixed.SetNotSettledArrowPosMode(0);
}

void AddAngleSample(const DimensionSetting& setting, int nFocusId, Feature2dList& samples)
{
    std::unique_ptr<AngularDimension2dFeature> pAngular(FeatureCreator::CreateAngularDimensionFeature(
        RuVaPnt2d(0, -5.0), RuVaPnt2d(11.0, 3.5), RuVaPnt2d(-11.0, 3.5), 17.0, 0, CString(u"61.23"), 0,
        RuVaPnt2d(0, 33.0), &setting, 0));
    if (!pAngular)
        return;
    FeatureResolver::ResolveFeature(nullptr, pAngular.get(), &DimensionStylePreview::AddResolvedFeature, &samples,
                                    nullptr);
    DimensionStylePreview::FrameFocusedTextPart(pAngular.get(), nFocusId, samples);
}

// A small linear dimension, magnified, whose focused quantity is measured.
BOOL AddDetailSample(const DimensionSetting& sample, int nFocusId, Feature2dList& samples)
{
    DimensionSetting detail;
    detail.SetArrowType1(sample.GetArrowType1());
    detail.SetArrowType2(sample.GetArrowType2());
    detail.SetColorNo(sample.GetColorNo());
    detail.SetProjectionColorDifferentDim(sample.GetProjectionColorDifferentDim());
    detail.SetProjectionColorNo(sample.GetProjectionColorNo());
    detail.SetDimTextColorDifferentDim(sample.GetDimTextColorDifferentDim());
    detail.SetExtendedDimLine(sample.GetExtendedDimLine());
    detail.SetInsideDimLine(sample.GetInsideDimLine());
    TextSetting text = sample.GetDimTextFont();
    text.SetHeight(2.5);
    detail.SetDimTextFont(text);
    detail.SetAutoArrowPosition(0);
    detail.SetAutoHorizonPos(0);
    detail.SetNotSettledArrowPosMode(0);
    detail.SetProjectionShow1(1);
    detail.SetProjectionShow2(1);

    double length = 13.0, lineDistance = 8.0, arrow = 1.5, outside1 = 8.0, outside2 = 8.0;
    double offset = 0.0, extension = 1.0;
    int arrowPosition = 0, horizontal = 0;
    int arrowType1 = sample.GetArrowType1(), arrowType2 = sample.GetArrowType2();
    const int mode = sample.GetProjectionLineMode();
    switch (nFocusId) {
    case ArrowsPage::kOutside1Id:
    case ArrowsPage::kOutside2Id:
        length = 9.0;
        lineDistance = 6.0;
        arrow = 0.9;
        arrowPosition = 1;
        if (nFocusId == ArrowsPage::kOutside1Id) {
            outside2 = 1.0;
            arrowType2 = 0;
        } else {
            outside1 = 1.0;
            arrowType1 = 0;
        }
        break;
    case ArrowsPage::kExtension1Id:
    case ArrowsPage::kExtension2Id:
        arrow = 1.0;
        extension = 3.0;
        break;
    case ArrowsPage::kOffset1Id:
    case ArrowsPage::kOffset2Id:
        if (mode != 0 && mode != 1)
            return FALSE;
        arrow = 1.0;
        offset = 1.0;
        break;
    case ArrowsPage::kExtendedLineId:
        length = 0.4 * 13.0;
        arrow = 0.6;
        arrowPosition = 1;
        outside1 = outside2 = 4.0;
        horizontal = 7;
        break;
    default: break;
    }
    detail.SetArrowType1(arrowType1);
    detail.SetArrowType2(arrowType2);
    detail.SetArrowSize1(arrow);
    detail.SetArrowSize2(arrow);
    detail.SetOutsideLength1(outside1);
    detail.SetOutsideLength2(outside2);
    detail.SetProjectionOffsetOrLineLength1(mode == 1 ? lineDistance + extension : offset);
    detail.SetProjectionOffsetOrLineLength2(mode == 1 ? lineDistance + extension : offset);
    detail.SetProjectionLineMode(mode == 1 ? 1 : 0);
    detail.SetProjectionExtension1(extension);
    detail.SetProjectionExtension2(extension);
    detail.SetArrowPosition(arrowPosition);
    detail.SetHorizonPos(horizontal);
    detail.SetDistance(sample.GetDistance());
    const RuVaPnt2d p1(0, 0), p2(length, 0);
    RuVaPnt2d textPoint(length / 2, lineDistance);
    if (nFocusId == ArrowsPage::kExtendedLineId)
        textPoint = RuVaPnt2d(length + 7.0, lineDistance);
    Dimension2dFeatureBase* pDimension = FeatureCreator::CreateLinearDimensionFeature(
        p1, p2, lineDistance, 90.0, 0.0, 1, CString(u"123"), 0, textPoint, 0, &detail, 0, 0);
    if (pDimension == nullptr)
        return FALSE;
    samples.AddFeature(pDimension, 0);

    const CString none;
    switch (nFocusId) {
    case ArrowsPage::kOutside1Id:
        CFeatureSettingPropertyPage::AddLinearDimensionSample(&samples, RuVaPnt2d(-4.0, lineDistance + 2.0), 8.0,
                                                              0.0, 0.0, 1.5, 1.5, none, 0);
        break;
    case ArrowsPage::kOutside2Id:
        CFeatureSettingPropertyPage::AddLinearDimensionSample(&samples, RuVaPnt2d(length + 4.0, lineDistance + 2.0),
                                                              8.0, 0.0, 0.0, 1.5, 1.5, none, 0);
        break;
    case ArrowsPage::kExtension1Id:
        CFeatureSettingPropertyPage::AddLinearDimensionSample(&samples, RuVaPnt2d(-2.0, lineDistance + 1.5), 3.0,
                                                              90.0, 0.0, 1.5, 1.5, none, 0);
        break;
    case ArrowsPage::kExtension2Id:
        CFeatureSettingPropertyPage::AddLinearDimensionSample(&samples, RuVaPnt2d(length + 2.0, lineDistance + 1.5),
                                                              3.0, 270.0, 0.0, 1.5, 1.5, none, 0);
        break;
    case ArrowsPage::kOffset1Id:
    case ArrowsPage::kOffset2Id: {
        const bool first = nFocusId == ArrowsPage::kOffset1Id;
        const double x = first ? -2.0 : length + 2.0;
        const double angle = first ? 90.0 : 270.0;
        if (mode == 0)
            CFeatureSettingPropertyPage::AddLinearDimensionSample(&samples, RuVaPnt2d(x, 0.5), 1.0, angle, 4.0, 1.5,
                                                                  1.5, none, 0);
        else
            CFeatureSettingPropertyPage::AddLinearDimensionSample(&samples, RuVaPnt2d(x, lineDistance + 1.0 - 3.5),
                                                                  7.0, angle, 0.0, 1.5, 1.5, none, 0);
        PointMarkerSetting marker;
        marker.SetType(4);
        marker.SetColorNo(4);
        for (const RuVaPnt2d& at : {p1, p2}) {
            auto* pMarker = new PointMarker2dFeature(at);
            FeatureSettingConverter::SetPointMarkerSettingToFeature(pMarker, marker);
            samples.AddFeature(pMarker, 0);
        }
        break;
    }
    case TextPage::kDistanceId: {
        const double distance = sample.GetDistance() != DBL_MAX ? sample.GetDistance() : 0.5;
        if (distance > 0.0)
            CFeatureSettingPropertyPage::AddLinearDimensionSample(
                &samples, RuVaPnt2d(length / 2 + 4.0, lineDistance + distance / 2), std::fabs(distance), 90.0, 0.0,
                1.5, 1.5, none, 0);
        break;
    }
    default: break;
    }
    return TRUE;
}
}  // namespace

int DimensionStylePreview::AddResolvedFeature(const DrawingFeatureBase*, const Feature2dBase* pPiece, void* pUser1,
                                              void*, const Feature2dBase*)
{
    if (pPiece != nullptr && pUser1 != nullptr)
        static_cast<Feature2dList*>(pUser1)->AddFeature(pPiece);
    return 1;
}

void DimensionStylePreview::MakeSampleSetting(const DimensionSetting& source, DimensionSetting& sample,
                                              double arrowSize)
{
    sample = DimensionSetting();
    // Values that differ between selected shapes are undefined in the source and keep the defaults.
    sample.SetOnlyDefValue(source);
    TextSetting textStyle = sample.GetDimTextFont();
    textStyle.SetHeight(5.0);
    textStyle.SetCharSpacing(0.0);
    sample.SetDimTextFont(textStyle);
    sample.SetArrowSize1(arrowSize);
    sample.SetArrowSize2(arrowSize);
    sample.SetOutsideLength1(12.5);
    sample.SetOutsideLength2(12.5);
    sample.SetProjectionExtension1(2.5);
    sample.SetProjectionExtension2(2.5);
    const double offset = sample.GetProjectionLineMode() == 1 ? 10.0 : 0.5;
    sample.SetProjectionOffsetOrLineLength1(offset);
    sample.SetProjectionOffsetOrLineLength2(offset);
    sample.SetDistance(0.5);
}

BOOL DimensionStylePreview::AddStandardSample(const DimensionSetting& source, Feature2dList& samples, BOOL bDiameter,
                                              int nArrowRule)
{
    DimensionSetting sample = source;
    // The arrow-position fields show the arrows where the user puts them.
    if (nArrowRule != 0)
        sample.SetAutoArrowPosition(0);
    if (nArrowRule == 2)
        sample.SetArrowPosition(1);
    double h1 = 0.0, v1 = 0.0, h2 = 0.0, v2 = 0.0;
    Arrow2dFeature::GetArrowHorizonVerticalSize(sample.GetArrowType1(), sample.GetArrowSize1(), h1, v1);
    Arrow2dFeature::GetArrowHorizonVerticalSize(sample.GetArrowType2(), sample.GetArrowSize2(), h2, v2);
    const double textHeight = sample.GetDimTextFont().GetHeight();
    const double half = kSampleLength / 2;
    std::unique_ptr<Dimension2dFeatureBase> pDimension;
    if (bDiameter) {
        pDimension.reset(FeatureCreator::CreateDiameterDimensionFeature(
            RuVaPnt2d(-half, 0), RuVaPnt2d(half, 0), 0, CString(u"123.456"), 0, RuVaPnt2d(0, 0), &sample, 0));
    } else {
        const double d = 2.3 * (std::max(v1, v2) + textHeight);
        pDimension.reset(FeatureCreator::CreateLinearDimensionFeature(RuVaPnt2d(0, -d), RuVaPnt2d(kSampleLength, -d),
                                                                      d, 90.0, 0.0, 0, CString(u"123.456"), 0,
                                                                      RuVaPnt2d(half, 0), 0, &sample, 0, 0));
    }
    if (!pDimension)
        return FALSE;
    // The sample shows the typed "123.456" whatever it measures, so its width holds when the line is
    // shortened; the dimension line just holds the text and both arrows; the text stands free beside the
    // second arrow.
    pDimension->SetValueText(CString(u"123.456"));
    pDimension->SetValueTextManualMode(1);
    const double w = DimensionText(pDimension.get()).GetTextWidth();
    const double sum = 1.1 * (w + h1 + h2);
    double secondX = sum;
    double radius = 0.0;
    if (auto* pLinear = dynamic_cast<LinearDimension2dFeature*>(pDimension.get())) {
        pLinear->SetPoint(1, RuVaPnt2d(sum, pLinear->GetDimPoint(1).Y()));
    } else if (auto* pDiameter = dynamic_cast<DiameterDimension2dFeature*>(pDimension.get())) {
        radius = 0.5 * sum;
        pDiameter->SetStartPoint(RuVaPnt2d(-radius, 0));
        pDiameter->SetEndPoint(RuVaPnt2d(radius, 0));
        secondX = radius;
    }
    pDimension->SetValueTextPoint(RuVaPnt2d(secondX + 1.1 * h2 + w / 2, bDiameter ? 0.0 : 0.0));
    pDimension->SetValueTextPosFreeMode(1);
    FeatureCreator::UpdateDimensionFeature(pDimension.get(), &sample, 0, 1.0, 1.0);
    if (bDiameter && radius > 0.0 && radius < 1e15) {
        auto* pCircle = new Circle2dFeature(RuVaPnt2d(0, 0), radius);
        pCircle->SetLineTypeNo(1);
        samples.AddFeature(pCircle, 0);
    }
    samples.AddFeature(pDimension.release(), 0);
    return TRUE;
}

BOOL DimensionStylePreview::BuildDimensionSamples(const DimensionSetting& source, int nFocusId,
                                                  Feature2dList& samples)
{
    DimensionSetting sample;
    MakeSampleSetting(source, sample);
    const short colour = SampleColor(sample);
    switch (nFocusId) {
    case ArrowsPage::kArrowSize1Id:
        CFeatureSettingPropertyPage::AddArrowSample(&samples, sample.GetArrowType1(), colour);
        return TRUE;
    case ArrowsPage::kArrowSize2Id:
        CFeatureSettingPropertyPage::AddArrowSample(&samples, sample.GetArrowType2(), colour);
        return TRUE;
    case ArrowsPage::kOutside1Id: case ArrowsPage::kOutside2Id: case ArrowsPage::kExtension1Id:
    case ArrowsPage::kExtension2Id: case ArrowsPage::kOffset1Id: case ArrowsPage::kOffset2Id:
    case ArrowsPage::kExtendedLineId: case TextPage::kDistanceId:
        return AddDetailSample(sample, nFocusId, samples);
    case TextPage::kAngleFormatId:
    case TextPage::kAnglePrecisionId: {
        DimensionSetting fixed;
        FixSmallSample(sample, fixed, 1.0, 4.0);
        AddAngleSample(fixed, nFocusId, samples);
        return samples.GetFeatureSize() > 0;
    }
    case ArrowsPage::kArcOptionId:
    case TextPage::kArcTextId: {
        DimensionSetting fixed;
        FixSmallSample(sample, fixed, 0.7, 3.0);
        fixed.SetArcDimProjeLineRadialMode(sample.GetArcDimProjeLineRadialMode());
        fixed.SetArcDimTextOption(sample.GetArcDimTextOption());
        std::unique_ptr<ArcDimension2dFeature> pArc(FeatureCreator::CreateArcDimensionFeature(
            RuVaPnt2d(0, -3.0), 12.0, 40.0, 140.0, 5.0, 0, CString(u"61.23"), 0, RuVaPnt2d(0, 33.0), &fixed, 0));
        if (!pArc)
            return FALSE;
        FeatureResolver::ResolveFeature(nullptr, pArc.get(), &AddResolvedFeature, &samples, nullptr);
        FrameFocusedTextPart(pArc.get(), nFocusId, samples);
        samples.AddFeature(new Arc2dFeature(RuVaPnt2d(0, -3.0), 12.0, 40.0, 140.0), 0);
        return TRUE;
    }
    case TextPage::kHeightId: case TextPage::kWidthId: case TextPage::kSlantId: case TextPage::kSpacingId: {
        const int mark = nFocusId == TextPage::kHeightId  ? 1
                         : nFocusId == TextPage::kWidthId ? 2
                         : nFocusId == TextPage::kSlantId ? 3
                                                          : 5;
        TextSetting text = sample.GetDimTextFont();
        CFeatureSettingPropertyPage::AddTextSample(&samples, &text, RuVaPnt2d(0, 0), 0.0, mark, nullptr, FALSE);
        return TRUE;
    }
    case TextPage::kAngleId: {
        TextSetting text = sample.GetDimTextFont();
        text.SetHeight(10.0);
        const CString value(u"123");
        CFeatureSettingPropertyPage::AddTextSample(&samples, &text, RuVaPnt2d(0, 0), 45.0, 0, &value, TRUE);
        CFeatureSettingPropertyPage::AddAngularDimensionSample(&samples, RuVaPnt2d(0, 0), RuVaPnt2d(30.0, 0), 45.0,
                                                               0, 6, 0.0, FALSE);
        AddLine(samples, RuVaPnt2d(-5.0, 0), RuVaPnt2d(0, 0), colour);
        AddLine(samples, RuVaPnt2d(0, 0), RuVaPnt2d(0, -5.0), colour);
        return TRUE;
    }
    default: break;
    }
    const int nArrowRule = nFocusId == ArrowsPage::kArrowPositionId ? 1
                           : nFocusId == ArrowsPage::kInsideLineId  ? 2
                                                                    : 0;
    return AddStandardSample(sample, samples, nFocusId == TextPage::kSignId, nArrowRule);
}

int DimensionStylePreview::TextPartOfField(int nFocusId)
{
    switch (nFocusId) {
    case AddTextPage::kPreTextId: return DimensionText::PartPreText;
    case AddTextPage::kInsideText1Id: case AddTextPage::kInsideRatioId: return DimensionText::PartInsideText1;
    case AddTextPage::kInsideText2Id: return DimensionText::PartInsideText2;
    case AddTextPage::kPostText1Id: case AddTextPage::kPostRatioId: return DimensionText::PartPostText1;
    case AddTextPage::kPostText2Id: return DimensionText::PartPostText2;
    case TolerancePage::kTolerance1Id: case TolerancePage::kRatioId: return DimensionText::PartToleranceUpper;
    case TolerancePage::kTolerance2Id: return DimensionText::PartToleranceLower;
    default: return DimensionText::PartNone;
    }
}

void DimensionStylePreview::FrameFocusedTextPart(const Dimension2dFeatureBase* pDimension, int nFocusId,
                                                 Feature2dList& samples)
{
    const int nPart = TextPartOfField(nFocusId);
    if (pDimension == nullptr || nPart == DimensionText::PartNone)
        return;
    Text2dFeature part;
    if (!DimensionText::GetDimPartsTextFeature(pDimension, nPart, &part))
        return;
    KcArrayOfGePnt2d corners;
    if (!part.GetOutlinePoints(corners) || corners.GetSize() < 4)
        return;
    KcArrayOfGePnt2d frame;
    for (int i = 0; i < 4; ++i)
        frame.Add(corners[i]);
    frame.Add(corners[0]);
    auto* pFrame = new Polyline2dFeature(frame, FALSE);
    pFrame->SetColorNo(4);
    samples.AddFeature(pFrame, 0);
    if (nFocusId != AddTextPage::kInsideRatioId && nFocusId != AddTextPage::kPostRatioId &&
        nFocusId != TolerancePage::kRatioId)
        return;
    // A size ratio: the part's height measured beside it, and "%" under it.
    double minX = corners[0].X(), maxX = minX, minY = corners[0].Y(), maxY = minY;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, corners[i].X());
        maxX = std::max(maxX, corners[i].X());
        minY = std::min(minY, corners[i].Y());
        maxY = std::max(maxY, corners[i].Y());
    }
    const double height = maxY - minY;
    CFeatureSettingPropertyPage::AddLinearDimensionSample(&samples, RuVaPnt2d(maxX + 1.5, (minY + maxY) / 2), height,
                                                          270.0, 2.5, 1.5, 1.5, CString(), 0);
    TextSetting percent;
    percent.SetHeight(2.2);
    const CString sign(u"%");
    CFeatureSettingPropertyPage::AddTextSample(&samples, &percent, RuVaPnt2d(maxX + 1.5, minY - 4.0), 0.0, 0, &sign,
                                               FALSE);
}

BOOL DimensionStylePreview::BuildDimensionTextSamples(const DimensionSetting& source, int nPage, int nFocusId,
                                                      Feature2dList& samples)
{
    DimensionSetting sample;
    MakeSampleSetting(source, sample, 2.5);
    DimensionSetting layout = sample;
    if (nPage == CFeatureSettingPropertyPage::kDimensionAddTextPage) {
        const bool bRatio = nFocusId == AddTextPage::kInsideRatioId || nFocusId == AddTextPage::kPostRatioId;
        layout.SetPreAdditionText(bRatio ? CString() : CString(u"AA"));
        layout.SetInsideAdditionText1(CString(u"BB"));
        layout.SetInsideAdditionText2(CString(u"C"));
        layout.SetPostAdditionText1(CString(u"DD"));
        layout.SetPostAdditionText2(CString(u"E"));
        layout.SetInsideAdditionTextSizeRatio(0.8);
        layout.SetPostAdditionTextSizeRatio(0.8);
    } else {
        for (auto setter : {&DimensionSetting::SetPreAdditionText, &DimensionSetting::SetInsideAdditionText1,
                            &DimensionSetting::SetInsideAdditionText2, &DimensionSetting::SetPostAdditionText1,
                            &DimensionSetting::SetPostAdditionText2})
            (layout.*setter)(CString());
        layout.SetToleranceTextSizeRatio(0.8);
    }
    layout.SetArrowSize1(0.5);
    layout.SetArrowSize2(0.5);
    layout.SetProjectionOffsetOrLineLength1(0.0);
    layout.SetProjectionOffsetOrLineLength2(0.0);
    layout.SetProjectionExtension1(1.0);
    layout.SetProjectionExtension2(1.0);
    layout.SetProjectionShow1(1);
    layout.SetProjectionShow2(1);
    layout.SetOutsideLength1(3.0);
    layout.SetOutsideLength2(3.0);
    layout.SetArrowPosition(0);
    layout.SetHorizonPos(0);
    layout.SetVerticalPos(0);
    layout.SetPosAngle(0);
    layout.SetDistance(0.5);
    TextSetting text = layout.GetDimTextFont();
    text.SetHeight(4.0);
    layout.SetDimTextFont(text);
    layout.SetPrecision(1);
    layout.SetAutoArrowPosition(0);
    layout.SetAutoHorizonPos(0);
    layout.SetNotSettledArrowPosMode(0);

    const bool bAngle = nFocusId == TolerancePage::kAnglePrecisionId || nFocusId == TolerancePage::kAngle1Id ||
                        nFocusId == TolerancePage::kAngle2Id;
    if (bAngle) {
        AddAngleSample(layout, nFocusId, samples);
        return samples.GetFeatureSize() > 0;
    }
    std::unique_ptr<Dimension2dFeatureBase> pDimension(FeatureCreator::CreateLinearDimensionFeature(
        RuVaPnt2d(0, 0), RuVaPnt2d(12.3, 0), 7.0, 90.0, 0.0, 0, CString(u"12.3"), 0, RuVaPnt2d(6.15, 7.0), 0, &layout,
        0, 0));
    if (!pDimension)
        return FALSE;
    const int kind = layout.GetToleranceType();
    if (kind == 3) {
        // Limits stand in two rows; a line as wide as the text stands for the dimension line.
        const double w = DimensionText(pDimension.get()).GetTextWidth();
        AddLine(samples, RuVaPnt2d(6.15 - w / 2, 7.0), RuVaPnt2d(6.15 + w / 2, 7.0), SampleColor(layout));
    } else if (!(kind == 0 && nPage == CFeatureSettingPropertyPage::kDimensionTolerancePage)) {
        // The measured points move apart to hold the whole text.
        DimensionText measure(pDimension.get());
        if (auto* pLinear = dynamic_cast<LinearDimension2dFeature*>(pDimension.get())) {
            pLinear->SetPoint(0, RuVaPnt2d(6.15 - 0.55 * measure.GetTextWidth() - 0.55 * measure.GetLeftExtent(), 0));
            pLinear->SetPoint(1, RuVaPnt2d(6.15 + 0.55 * measure.GetTextWidth() + 0.55 * measure.GetRightExtent(), 0));
        }
        pDimension->SetValueTextManualMode(1);
        pDimension->SetValueText(CString(u"12.3"));
        FeatureCreator::UpdateDimensionFeature(pDimension.get(), nullptr, 0, 1.0, 1.0);
    }
    FeatureResolver::ResolveFeature(nullptr, pDimension.get(), &AddResolvedFeature, &samples, nullptr);
    FrameFocusedTextPart(pDimension.get(), nFocusId, samples);
    return TRUE;
}

void DimensionStylePreview::BuildDimensionPreview(CFeatureSettingPropertyPage* pPage)
{
    if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr)
        return;
    auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(pPage->GetParent());
    DimensionSetting source;
    if (pDialog == nullptr || !pDialog->GetDimensionSetting(&source))
        return;
    Feature2dList samples;
    if (BuildDimensionSamples(source, pPage->GetFocusedControlId(), samples))
        pPage->ShowPreview(samples);
}

void DimensionStylePreview::BuildDimensionTextPreview(CFeatureSettingPropertyPage* pPage)
{
    if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr)
        return;
    auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(pPage->GetParent());
    DimensionSetting source;
    if (pDialog == nullptr || !pDialog->GetDimensionSetting(&source))
        return;
    Feature2dList samples;
    if (BuildDimensionTextSamples(source, pPage->GetPageIndex(), pPage->GetFocusedControlId(), samples))
        pPage->ShowPreview(samples);
}
