#include "FeatureTestSupport.h"

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/ParallelDimension2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/Tolerance2dFeature.h"

namespace feature_test {

namespace {

void SetCommon(Feature2dBase* f, int n, bool withAttributes)
{
    f->SetFeatureNo(100 + n);
    f->SetRecordID(1000 + n);
    f->SetColorNo((short)(n % 2 ? -1 : 7));
    f->SetColor(0x00123456u + (COLORREF)n);
    f->SetLineTypeNo((short)(3 + n));
    f->SetLineWidthNo((short)(n % 2 ? -1 : 5));
    f->SetLineWidth(0.25 * n);
    f->SetLayerID(20 + n);
    if (withAttributes) {
        FeatureAttribute attr;
        attr.AddAttribute(CString(u"Part"), CString(u"P-") + CString(std::to_string(n).c_str()), 0);
        attr.AddAttribute(CString(u"Note"), CString(u"\u6ce8\u8a18"), 7);
        f->SetAttribute(attr);
    }
}

Region2dFeature MakeSquareRegion(double x, double y, double size)
{
    Region2dFeature region;
    Line2dFeature a(RuVaPnt2d(x, y), RuVaPnt2d(x + size, y));
    Arc2dFeature b(RuVaPnt2d(x + size, y + size * 0.5), size * 0.5, 270.0, 90.0);
    KcArrayOfGePnt2d pts{RuVaPnt2d(x + size, y + size), RuVaPnt2d(x, y + size), RuVaPnt2d(x, y)};
    Polyline2dFeature c(pts);
    region.AddFeature(&a);
    region.AddFeature(&b);
    region.AddFeature(&c);
    return region;
}

}  // namespace

std::vector<FeaturePtr> MakeSampleFeatures()
{
    std::vector<FeaturePtr> out;
    auto add = [&](Feature2dBase* f) {
        SetCommon(f, (int)out.size(), out.size() % 3 == 0);
        out.emplace_back(f);
    };

    auto* marker = new PointMarker2dFeature(RuVaPnt2d(1.5, -2.5));
    marker->SetMarkerType(4);
    marker->SetMarkerSize(3.25);
    marker->SetVirtual(TRUE);
    add(marker);

    add(new Line2dFeature(RuVaPnt2d(0.125, 1.0), RuVaPnt2d(10.0, -3.75)));

    KcArrayOfGePnt2d square{RuVaPnt2d(0, 0), RuVaPnt2d(5, 0), RuVaPnt2d(5, 5), RuVaPnt2d(0, 5)};
    add(new Polyline2dFeature(square, TRUE));

    add(new Circle2dFeature(RuVaPnt2d(3.0, 4.0), 2.5));
    add(new Arc2dFeature(RuVaPnt2d(-1.0, 2.0), 7.5, 30.0, 300.0, Arc2dFeature::Clockwise));
    add(new Ellipse2dFeature(RuVaPnt2d(2.0, 2.0), 6.0, 2.0, 35.0));
    add(new EllipseArc2dFeature(RuVaPnt2d(1.0, -1.0), 5.0, 3.0, 10.0, 20.0, 200.0, 1));

    KcArrayOfGePnt2d ctrl{RuVaPnt2d(0, 0), RuVaPnt2d(1, 2), RuVaPnt2d(3, 3), RuVaPnt2d(5, 1), RuVaPnt2d(6, 4)};
    add(new BSplineCurve2dFeature(ctrl, BSplineCurve2dFeature::InterpolatePoints, 3, FALSE));

    auto* text = new Text2dFeature(CString(u"Line one\nsecond \u884c"), RuVaPnt2d(4.0, 5.0));
    text->SetAngle(15.0);
    text->SetHeight(2.5);
    text->SetWidthRatio(0.8);
    text->SetCharSpacing(0.1);
    text->SetLineSpacing(0.5);
    text->SetFontName(CString(u"Sans"));
    text->SetHorizonArrange(1);
    text->SetVerticalArrange(0);
    TextSetting slanted(text->GetTextSetting());
    slanted.SetSlantAngle(12.0);
    text->SetTextSetting(slanted);
    add(text);

    add(new InfiniteLine2dFeature(RuVaPnt2d(1.0, 1.0), RuVaDir2d(1.0, 2.0)));
    add(new SemiInfiniteLine2dFeature(RuVaPnt2d(-1.0, 1.0), RuVaDir2d(-3.0, 1.0)));
    add(new Arrow2dFeature(RuVaPnt2d(2.0, 3.0), 135.0, 7, 2.0));

    auto* lead = new Lead2dFeature;
    lead->SetText(CString(u"See note"));
    KcArrayOfGePnt2d leadPts{RuVaPnt2d(0, 0), RuVaPnt2d(5, 5), RuVaPnt2d(9, 5)};
    lead->SetPointArray(leadPts);
    lead->SetTextPoint(RuVaPnt2d(10, 6));
    lead->SetTextPointFree(TRUE);
    lead->SetTextHeight(2.0);
    lead->SetArrowType(2);
    lead->SetArrowSize(1.5);
    add(lead);

    auto* balloon = new Balloon2dFeature;
    balloon->SetText(CString(u"12"));
    KcArrayOfGePnt2d balloonPts{RuVaPnt2d(1, 1), RuVaPnt2d(4, 4)};
    balloon->SetLeadPointArray(balloonPts);
    balloon->SetCenterPoint(RuVaPnt2d(8, 8));
    balloon->SetBalloonType(1);
    balloon->SetBalloonSize(6.0);
    add(balloon);

    auto* hatch = new Hatch2dFeature;
    hatch->SetOuterRegion(MakeSquareRegion(0, 0, 20));
    hatch->AddInnerRegions(MakeSquareRegion(5, 5, 4));
    hatch->SetHatchType(Hatch2dFeature::UserDefined);
    hatch->SetPatternNo(12);
    hatch->SetPatternScale(2.5);
    hatch->SetPatternAngle(45.0);
    hatch->GetUserDefinedHatchFormat().SetPatternID(3);
    hatch->GetUserDefinedHatchFormat().SetPatternScale(0.5);
    hatch->SetPoint(RuVaPnt2d(1, 1));
    add(hatch);

    auto* region = new Region2dFeature(MakeSquareRegion(-30, -30, 10));
    region->SetDisplay(FALSE);
    add(region);

    auto* linear = new LinearDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(30, 10), 5.0, 90.0, 0.0);
    linear->SetValueText(CString(u"30 typed"));
    linear->SetValueTextManualMode(TRUE);
    linear->SetValueTextPosFreeMode(TRUE);
    linear->SetValueTextPoint(RuVaPnt2d(15, 20));
    linear->SetPrecision(3);
    add(linear);
    add(new RadiusDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(3, 4)));
    add(new DiameterDimension2dFeature(RuVaPnt2d(-5, 0), RuVaPnt2d(5, 0)));
    add(new AngularDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(0, 10), 7.0));
    add(new ArcDimension2dFeature(RuVaPnt2d(0, -3), 12.0, 40.0, 140.0));
    add(new ParallelDimension2dFeature(RuVaPnt2d(1, 1), RuVaPnt2d(4, 5), 2.0));

    add(new Tolerance2dFeature(CString(u"A\\|0.05\\|B\\*C\\|0.1"), RuVaPnt2d(3, 3)));

    auto* group = new DrawGroup2dFeature;
    Line2dFeature member(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1));
    Circle2dFeature member2(RuVaPnt2d(2, 2), 1.0);
    group->AddFeature(&member, 1);
    group->AddFeature(&member2, 1);
    auto* inner = new DrawGroup2dFeature;
    inner->AddFeature(&member, 1);
    group->AddFeature(inner, 0);
    add(group);

    auto* component = new DrawComponent2dFeature;
    component->SetComponentDefineID(4);
    component->SetOrigin(RuVaPnt2d(7, 8));
    component->SetAngle(30.0);
    component->SetScale(2.0, -1.5);
    FeatureAttribute values;
    values.AddAttribute(CString(u"Maker"), CString(u"Acme"), 2);
    component->SetDrawComponentAttribute(values);
    add(component);

    auto* image = new Image2dFeature;
    const BYTE pixels[] = {0x89, 'P', 'N', 'G', 0, 1, 2, 3, 255};
    image->SetImageData(pixels, sizeof(pixels));
    image->SetPoint(RuVaPnt2d(3, 4));
    image->SetAlignment(4);
    image->SetWidth(40.0);
    image->SetHeight(30.0);
    image->SetAngle(10.0);
    image->SetBrightness(0.3f);
    image->SetContrast(0.8f);
    add(image);

    auto* ole = new OleObject2dFeature;
    const BYTE item[] = {1, 2, 3, 4, 5};
    ole->SetItemData(item, sizeof(item));
    ole->SetPoint(RuVaPnt2d(-4, -4));
    ole->SetWidth(12.0);
    ole->SetHeight(9.0);
    add(ole);

    return out;
}

}  // namespace feature_test
