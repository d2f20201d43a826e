// The region searcher on small drawings built in code: each fixture is a drawing, a pick point and the
// region expected there.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"
#include "regionsearch/KcRegionSearcher.h"
#include "tests/regionsearch/RegionTestSupport.h"

using regiontest::RegionArea;
using regiontest::RegionTypes;

static_assert(!std::is_copy_constructible_v<KcRegionSearcher>, "a searcher owns its worker");
static_assert(!std::is_copy_assignable_v<KcRegionSearcher>, "a searcher owns its worker");

namespace {

constexpr int L = FeatureTypeLine;
constexpr int C = FeatureTypeCircle;
constexpr int A = FeatureTypeArc;
constexpr int E = FeatureTypeEllipse;
constexpr int S = FeatureTypeBSplineCurve;

void AddLine(Draw2dDocument& doc, double x1, double y1, double x2, double y2, DrawingFeatureBase* d = nullptr)
{
    Line2dFeature line(RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y2));
    ASSERT_GT(doc.AddFeature(&line, d, 0), 0);
}

void AddRect(Draw2dDocument& doc, double x1, double y1, double x2, double y2, DrawingFeatureBase* d = nullptr)
{
    AddLine(doc, x1, y1, x2, y1, d);
    AddLine(doc, x2, y1, x2, y2, d);
    AddLine(doc, x2, y2, x1, y2, d);
    AddLine(doc, x1, y2, x1, y1, d);
}

void AddShape(Draw2dDocument& doc, const Feature2dBase& f)
{
    ASSERT_GT(doc.AddFeature(&f, nullptr, 0), 0);
}

// Area of the cap of a circle beyond a chord at distance d from the centre.
double CapArea(double r, double d)
{
    return r * r * std::acos(d / r) - d * std::sqrt(r * r - d * d);
}

struct Fixture {
    const char* name;
    std::function<void(Draw2dDocument&)> build;
    RuVaPnt2d pick;
    KcRegionSearcher::Status status;
    std::vector<int> types;  // empty: any
    double area;             // NaN: not checked
};

const double kNoArea = std::nan("");

std::vector<Fixture> Fixtures()
{
    const double cap = CapArea(5.0, 1.0);
    return {
        {"rectangle of four lines", [](Draw2dDocument& d) { AddRect(d, 0, 0, 10, 5); }, {3, 2},
         KcRegionSearcher::statusFound, {L, L, L, L}, 50.0},
        {"lines overshooting their corners",
         [](Draw2dDocument& d) {
             AddLine(d, -2, 0, 12, 0);
             AddLine(d, 10, -2, 10, 7);
             AddLine(d, 12, 5, -2, 5);
             AddLine(d, 0, 7, 0, -2);
         },
         {7, 4}, KcRegionSearcher::statusFound, {L, L, L, L}, 50.0},
        {"closed polyline", [](Draw2dDocument& d) {
             KcArrayOfGePnt2d pts;
             pts.Add(RuVaPnt2d(0, 0));
             pts.Add(RuVaPnt2d(8, 0));
             pts.Add(RuVaPnt2d(8, 8));
             pts.Add(RuVaPnt2d(0, 8));
             AddShape(d, Polyline2dFeature(pts, TRUE));
         },
         {1, 7}, KcRegionSearcher::statusFound, {L, L, L, L}, 64.0},
        {"single circle", [](Draw2dDocument& d) { AddShape(d, Circle2dFeature(RuVaPnt2d(1, 2), 3)); }, {1.5, 2.5},
         KcRegionSearcher::statusFound, {C}, RuVa::Pi * 9.0},
        {"circle cut by a line, smaller side",
         [](Draw2dDocument& d) {
             AddShape(d, Circle2dFeature(RuVaPnt2d(0, 0), 5));
             AddLine(d, -10, 1, 10, 1);
         },
         {0.3, 3}, KcRegionSearcher::statusFound, {}, cap},
        {"circle cut by a line, larger side",
         [](Draw2dDocument& d) {
             AddShape(d, Circle2dFeature(RuVaPnt2d(0, 0), 5));
             AddLine(d, -10, 1, 10, 1);
         },
         {0.3, -3}, KcRegionSearcher::statusFound, {}, RuVa::Pi * 25.0 - cap},
        {"between nested rectangles: the outer one only",
         [](Draw2dDocument& d) {
             AddRect(d, 0, 0, 20, 20);
             AddRect(d, 5, 5, 15, 15);
         },
         {2, 3}, KcRegionSearcher::statusFound, {L, L, L, L}, 400.0},
        {"inside the inner of nested rectangles",
         [](Draw2dDocument& d) {
             AddRect(d, 0, 0, 20, 20);
             AddRect(d, 5, 5, 15, 15);
         },
         {9, 11}, KcRegionSearcher::statusFound, {L, L, L, L}, 100.0},
        {"between concentric circles: the larger alone",
         [](Draw2dDocument& d) {
             AddShape(d, Circle2dFeature(RuVaPnt2d(0, 0), 2));
             AddShape(d, Circle2dFeature(RuVaPnt2d(0, 0), 6));
         },
         {0.5, 4}, KcRegionSearcher::statusFound, {C}, RuVa::Pi * 36.0},
        {"the smaller of two rectangles sharing a side",
         [](Draw2dDocument& d) {
             AddRect(d, 0, 0, 30, 10);
             AddLine(d, 5, 0, 5, 10);
         },
         {2, 4}, KcRegionSearcher::statusFound, {L, L, L, L}, 50.0},
        {"the larger of two rectangles sharing a side",
         [](Draw2dDocument& d) {
             AddRect(d, 0, 0, 30, 10);
             AddLine(d, 5, 0, 5, 10);
         },
         {20, 4}, KcRegionSearcher::statusFound, {L, L, L, L}, 250.0},
        {"arc and chord",
         [](Draw2dDocument& d) {
             AddShape(d, Arc2dFeature(RuVaPnt2d(0, 0), 5, 0, 180));
             AddLine(d, -5, 0, 5, 0);
         },
         {0.5, 2}, KcRegionSearcher::statusFound, {}, RuVa::Pi * 12.5},
        {"turned ellipse", [](Draw2dDocument& d) { AddShape(d, Ellipse2dFeature(RuVaPnt2d(1, 1), 6, 3, 30)); },
         {1.2, 1.3}, KcRegionSearcher::statusFound, {E}, RuVa::Pi * 18.0},
        {"elliptic arc closed by a line",
         [](Draw2dDocument& d) {
             AddShape(d, EllipseArc2dFeature(RuVaPnt2d(0, 0), 6, 3, 0, 0, 180));
             AddLine(d, -6, 0, 6, 0);
         },
         {0.5, 1}, KcRegionSearcher::statusFound, {}, RuVa::Pi * 9.0},
        {"spline closed by a line",
         [](Draw2dDocument& d) {
             KcArrayOfGePnt2d pts;
             pts.Add(RuVaPnt2d(0, 0));
             pts.Add(RuVaPnt2d(3, 6));
             pts.Add(RuVaPnt2d(7, 6));
             pts.Add(RuVaPnt2d(10, 0));
             AddShape(d, BSplineCurve2dFeature(pts, BSplineCurve2dFeature::ControlPoints, 3, FALSE));
             AddLine(d, 0, 0, 10, 0);
         },
         // The area under the cubic with these poles is 30.6.
         {5, 1}, KcRegionSearcher::statusFound, {}, 30.6},
        {"spline of several spans cut by a line",
         [](Draw2dDocument& d) {
             KcArrayOfGePnt2d pts;
             for (const RuVaPnt2d& p : {RuVaPnt2d(0, 0), RuVaPnt2d(2, 5), RuVaPnt2d(5, 7), RuVaPnt2d(8, 3),
                                        RuVaPnt2d(11, 6), RuVaPnt2d(14, 0)})
                 pts.Add(p);
             AddShape(d, BSplineCurve2dFeature(pts, BSplineCurve2dFeature::ControlPoints, 3, FALSE));
             AddLine(d, 0, 0, 14, 0);
             AddLine(d, 6.3, -1, 6.3, 9);
         },
         {7, 1}, KcRegionSearcher::statusFound, {}, kNoArea},
        {"closed spline through points",
         [](Draw2dDocument& d) {
             KcArrayOfGePnt2d pts;
             for (const RuVaPnt2d& p : {RuVaPnt2d(0, 0), RuVaPnt2d(6, -1), RuVaPnt2d(8, 4), RuVaPnt2d(3, 7),
                                        RuVaPnt2d(-2, 4)})
                 pts.Add(p);
             AddShape(d, BSplineCurve2dFeature(pts, BSplineCurve2dFeature::InterpolatePoints, 3, TRUE));
         },
         {3, 3}, KcRegionSearcher::statusFound, {}, kNoArea},
        {"closed spline of control points cut by a line",
         [](Draw2dDocument& d) {
             KcArrayOfGePnt2d pts;
             for (const RuVaPnt2d& p : {RuVaPnt2d(0, 0), RuVaPnt2d(6, -1), RuVaPnt2d(8, 4), RuVaPnt2d(3, 7),
                                        RuVaPnt2d(-2, 4)})
                 pts.Add(p);
             AddShape(d, BSplineCurve2dFeature(pts, BSplineCurve2dFeature::ControlPoints, 3, TRUE));
             AddLine(d, -5, 2.5, 12, 2.5);
         },
         {3, 3}, KcRegionSearcher::statusFound, {}, kNoArea},
        {"a side drawn twice",
         [](Draw2dDocument& d) {
             AddRect(d, 0, 0, 10, 5);
             AddLine(d, 10, 0, 10, 5);
             AddLine(d, 0, 5, 10, 5);
         },
         {3, 2}, KcRegionSearcher::statusFound, {}, 50.0},
        {"a side made of overlapping pieces",
         [](Draw2dDocument& d) {
             AddLine(d, 0, 0, 6, 0);
             AddLine(d, 4, 0, 10, 0);
             AddLine(d, 10, 0, 10, 5);
             AddLine(d, 10, 5, 0, 5);
             AddLine(d, 0, 5, 0, 0);
         },
         {3, 2}, KcRegionSearcher::statusFound, {}, 50.0},
        {"a dangling line inside",
         [](Draw2dDocument& d) {
             AddRect(d, 0, 0, 10, 5);
             AddLine(d, 10, 2.5, 6, 2.5);
             AddLine(d, 5, 0, 5, 1);
         },
         {3, 2}, KcRegionSearcher::statusFound, {}, 50.0},
        {"a loose line across the pick's rays",
         [](Draw2dDocument& d) {
             AddRect(d, 0, 0, 10, 5);
             AddLine(d, 6, 1, 8, 4);
         },
         {7.5, 2}, KcRegionSearcher::statusFound, {}, 50.0},
        {"a ray closes the top",
         [](Draw2dDocument& d) {
             AddLine(d, 0, 5, 0, 0);
             AddLine(d, 0, 0, 10, 0);
             AddLine(d, 10, 0, 10, 6);
             AddShape(d, SemiInfiniteLine2dFeature(RuVaPnt2d(-1, 5), RuVaDir2d(1, 0)));
         },
         {3, 2}, KcRegionSearcher::statusFound, {L, L, L, L}, 50.0},
        {"ellipse cut by a line, the larger side",
         [](Draw2dDocument& d) {
             AddShape(d, Ellipse2dFeature(RuVaPnt2d(0, 0), 6, 3, 0));
             AddLine(d, -10, 1, 10, 1);
         },
         // The ellipse is the unit circle stretched by 6 and 3: the cap above y = 1 is 18 times that of
         // the unit circle above y = 1/3.
         {0.3, -1}, KcRegionSearcher::statusFound, {L, FeatureTypeEllipseArc},
         RuVa::Pi * 18.0 - 18.0 * CapArea(1.0, 1.0 / 3.0)},
        {"corner gap of 1e-8 is closed by the tolerance",
         [](Draw2dDocument& d) {
             AddLine(d, 0, 0, 10, 0);
             AddLine(d, 10, 0, 10, 5);
             AddLine(d, 10, 5, 0, 5);
             AddLine(d, 0, 5, 0, 1e-8);
         },
         {3, 2}, KcRegionSearcher::statusFound, {L, L, L, L}, 50.0},
        {"corner gap of 1e-4 stays open",
         [](Draw2dDocument& d) {
             AddLine(d, 0, 0, 10, 0);
             AddLine(d, 10, 0, 10, 5);
             AddLine(d, 10, 5, 0, 5);
             AddLine(d, 0, 5, 0, 1e-4);
         },
         {3, 2}, KcRegionSearcher::statusNoRegion, {}, kNoArea},
        {"open outline: a side missing",
         [](Draw2dDocument& d) {
             AddLine(d, 0, 0, 10, 0);
             AddLine(d, 10, 0, 10, 5);
             AddLine(d, 0, 5, 0, 0);
         },
         {3, 2}, KcRegionSearcher::statusNoRegion, {}, kNoArea},
        {"point on a boundary", [](Draw2dDocument& d) { AddRect(d, 0, 0, 10, 5); }, {4, 0},
         KcRegionSearcher::statusNoRegion, {}, kNoArea},
        {"within 1e-7 of a side counts as on it", [](Draw2dDocument& d) { AddRect(d, 0, 0, 10, 5); },
         {10 - 5e-8, 2}, KcRegionSearcher::statusNoRegion, {}, kNoArea},
        {"1e-6 from a side is inside", [](Draw2dDocument& d) { AddRect(d, 0, 0, 10, 5); }, {10 - 1e-6, 2},
         KcRegionSearcher::statusFound, {L, L, L, L}, 50.0},
        {"only texts and dimensions",
         [](Draw2dDocument& d) {
             AddShape(d, Text2dFeature(CString(_T("label")), RuVaPnt2d(0, 0)));
             AddShape(d, LinearDimension2dFeature(RuVaPnt2d(-5, -5), RuVaPnt2d(5, -5), 3.0, 90.0, 0.0));
         },
         {0, 1}, KcRegionSearcher::statusNoRegion, {}, kNoArea},
        // Crossing circles and arcs, which the kernel reports as short stretches rather than points.
        {"circle less the lens of a crossing circle",
         [](Draw2dDocument& d) {
             AddShape(d, Circle2dFeature(RuVaPnt2d(0, 0), 5));
             AddShape(d, Circle2dFeature(RuVaPnt2d(6, 0), 5));
         },
         {-3, 0.5}, KcRegionSearcher::statusFound, {A, A}, RuVa::Pi * 25.0 - (50.0 * std::acos(0.6) - 24.0)},
        {"the lens of two crossing arcs",
         [](Draw2dDocument& d) {
             AddShape(d, Arc2dFeature(RuVaPnt2d(0, 0), 5, -90, 90));
             AddShape(d, Arc2dFeature(RuVaPnt2d(6, 0), 5, 90, 270));
         },
         {3, 0.5}, KcRegionSearcher::statusFound, {A, A}, 50.0 * std::acos(0.6) - 24.0},
        // A circle touching another from inside: the crescent between them, not the whole outer circle.
        {"crescent of a circle touching another from inside",
         [](Draw2dDocument& d) {
             AddShape(d, Circle2dFeature(RuVaPnt2d(0, 0), 10));
             AddShape(d, Circle2dFeature(RuVaPnt2d(4, 0), 6));
         },
         {-9, 0.5}, KcRegionSearcher::statusFound, {}, RuVa::Pi * 64.0},
        {"construction lines bound a region",
         [](Draw2dDocument& d) {
             AddShape(d, InfiniteLine2dFeature(RuVaPnt2d(0, 0), RuVaDir2d(1, 0)));
             AddShape(d, InfiniteLine2dFeature(RuVaPnt2d(0, 0), RuVaDir2d(0, 1)));
             AddShape(d, InfiniteLine2dFeature(RuVaPnt2d(4, 0), RuVaDir2d(0, 1)));
             AddShape(d, InfiniteLine2dFeature(RuVaPnt2d(0, 3), RuVaDir2d(1, 0)));
         },
         {1, 1}, KcRegionSearcher::statusFound, {L, L, L, L}, 12.0},
    };
}

class RegionFixture : public ::testing::TestWithParam<Fixture> {};

TEST_P(RegionFixture, FindsTheExpectedRegion)
{
    const Fixture& f = GetParam();
    Draw2dDocument doc;
    doc.InitDocument();
    f.build(doc);
    Draw2dView view(&doc);
    view.SetScale(100.0);
    KcRegionSearcher searcher(&doc);
    DWORD clock = 0;
    searcher.SetTickCountFunction(&regiontest::StepTick, &clock);
    ASSERT_EQ(searcher.SearchRegion(&view, f.pick, 0), f.status);
    const Region2dFeature* region = searcher.GetRegion();
    if (f.status != KcRegionSearcher::statusFound) {
        EXPECT_EQ(region, nullptr);
        return;
    }
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(region->IsValidConnection());
    if (!f.types.empty())
        EXPECT_EQ(RegionTypes(*region), f.types);
    if (!std::isnan(f.area))
        EXPECT_NEAR(RegionArea(*region), f.area, f.area * 1e-4);
    // Every point of the boundary lies on a shape of the drawing.
    std::vector<std::unique_ptr<RuVaEntity2d>> shapes;
    for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
        if (RuVaEntity2d* e = ConvertFeatureToGeom2d::Convert(doc.GetFeature(id)))
            shapes.emplace_back(e);
    const KcArrayOfGePnt2d boundary = regiontest::RegionPolygon(*region, 1e-3);
    ASSERT_GT(boundary.GetSize(), 2);
    for (int i = 0; i < boundary.GetSize(); ++i) {
        double nearest = 1e300;
        for (const auto& e : shapes) {
            KcProjectPointOnCurve2d proj(boundary[i], e.get());
            if (proj.NbPoints() > 0)
                nearest = std::min(nearest, proj.LowerDistance());
        }
        ASSERT_LT(nearest, 1e-6) << "point " << i << " at " << boundary[i].X() << ", " << boundary[i].Y();
    }
    // Plain geometry: nothing of the traced shapes' attributes.
    for (int i = 0; i < region->GetFeatureCount(); ++i)
        EXPECT_EQ(region->GetFeature(i)->GetRecordID(), -1);
}

INSTANTIATE_TEST_SUITE_P(Corpus, RegionFixture, ::testing::ValuesIn(Fixtures()),
                         [](const ::testing::TestParamInfo<Fixture>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST(RegionSearcher, ShapesOfAPartLayoutAreSearchedInPaperCoordinates)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long part = doc.AddPartDrawingFeature(_T("part"));
    ASSERT_NE(part, -1);
    AddRect(doc, 0, 0, 10, 5, doc.GetDrawingFeatureByID(part));
    const long paper = doc.GetActiveDrawingID();
    const long layout = doc.AddPartLayout(paper, part, _T("on paper"), -1, 0);
    ASSERT_NE(layout, -1);
    ASSERT_TRUE(doc.SetPartLayoutOrigin(layout, RuVaPnt2d(100, 50), 0));
    ASSERT_TRUE(doc.SetPartLayoutScale(layout, 2, 1, FALSE, 1, 1, 0));
    ASSERT_TRUE(doc.SetPartLayoutAngle(layout, 90, 0));

    Draw2dView view(&doc);
    view.SetScale(50.0);
    KcRegionSearcher searcher(&doc);
    DWORD clock = 0;
    searcher.SetTickCountFunction(&regiontest::StepTick, &clock);
    // Local (3, 2) lies at 100 - 2*2, 50 + 3*2 on the paper.
    ASSERT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(96, 56), 0), KcRegionSearcher::statusFound);
    ASSERT_NE(searcher.GetRegion(), nullptr);
    EXPECT_NEAR(RegionArea(*searcher.GetRegion()), 200.0, 1e-6);
    RuVaBndBox2d box = searcher.GetRegion()->GetBndBox();
    EXPECT_NEAR(box.XMin(), 90.0, 1e-5);
    EXPECT_NEAR(box.YMax(), 70.0, 1e-5);
    // The same point in the part's own coordinates is outside everything on the paper.
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(3, 2), 0), KcRegionSearcher::statusNoRegion);
}

TEST(RegionSearcher, NullViewKeepsThePreviousRegionAndANewSearchReplacesIt)
{
    Draw2dDocument doc;
    doc.InitDocument();
    AddRect(doc, 0, 0, 10, 10);
    AddRect(doc, 20, 0, 40, 10);
    Draw2dView view(&doc);
    KcRegionSearcher searcher(&doc);
    DWORD clock = 0;
    searcher.SetTickCountFunction(&regiontest::StepTick, &clock);
    ASSERT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(5, 5), 0), KcRegionSearcher::statusFound);
    const Region2dFeature* first = searcher.GetRegion();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(searcher.SearchRegion(nullptr, RuVaPnt2d(25, 5), 0), KcRegionSearcher::statusNoRegion);
    ASSERT_EQ(searcher.GetRegion(), first);
    EXPECT_NEAR(RegionArea(*searcher.GetRegion()), 100.0, 1e-6);

    ASSERT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(25, 5), 0), KcRegionSearcher::statusFound);
    EXPECT_NEAR(RegionArea(*searcher.GetRegion()), 200.0, 1e-6);
    // A failed search with a view drops the old region.
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(15, 5), 0), KcRegionSearcher::statusNoRegion);
    EXPECT_EQ(searcher.GetRegion(), nullptr);
}

TEST(RegionSearcher, HiddenLayersAndHiddenDrawingsDoNotBound)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long hidden = doc.AddLayer(-1, _T("hidden"), 0);
    const long shown = doc.AddLayer(-1, _T("shown"), 0);
    ASSERT_NE(hidden, -1);
    ASSERT_TRUE(doc.SetCurrentLayerID(shown, 0));
    AddRect(doc, 0, 0, 10, 10);
    Line2dFeature cut(RuVaPnt2d(5, -1), RuVaPnt2d(5, 11));
    cut.SetLayerID(hidden);
    ASSERT_GT(doc.AddFeature(&cut, nullptr, 0), 0);
    ASSERT_TRUE(doc.SetLayerHide(hidden, TRUE, 0));
    Draw2dView view(&doc);
    KcRegionSearcher searcher(&doc);
    DWORD clock = 0;
    searcher.SetTickCountFunction(&regiontest::StepTick, &clock);
    ASSERT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(2, 2), 0), KcRegionSearcher::statusFound);
    EXPECT_NEAR(RegionArea(*searcher.GetRegion()), 100.0, 1e-6);
    ASSERT_TRUE(doc.SetLayerHide(hidden, FALSE, 0));
    ASSERT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(2, 2), 0), KcRegionSearcher::statusFound);
    EXPECT_NEAR(RegionArea(*searcher.GetRegion()), 50.0, 1e-6);
}

}  // namespace
