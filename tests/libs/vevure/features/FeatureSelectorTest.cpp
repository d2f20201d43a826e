// The selection tool's settings and selected list, picking single shapes by polygon, and the flattening of
// shapes into point chains that picking relies on.

#include <gtest/gtest.h>

#include <cmath>

#include "FeatureTestSupport.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/FeatureSelector.h"
#include "libs/vevure/IntersectFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"

using namespace feature_test;

TEST(FeatureSelector, DefaultsAndStoredSettings)
{
    FeatureSelector selector;
    EXPECT_EQ(selector.GetDocument(), nullptr);
    EXPECT_EQ(selector.GetSelectSide(), 1);
    EXPECT_EQ(selector.GetSelectPart(), 1);
    EXPECT_EQ(selector.GetSelectBoundary(), 0);
    EXPECT_EQ(selector.GetFeatureFilter(), 0xFFFFFFFFu);
    EXPECT_EQ(selector.GetSelectionFilter(), nullptr);
    EXPECT_FALSE(selector.GetDisplayStateSelectable());
    EXPECT_EQ(selector.GetMaxSelectCount(), 0x7FFFFFFF);
    EXPECT_FALSE(selector.GetSelectInGroup());
    EXPECT_EQ(selector.GetSelectedCount(), 0);

    // Setters store without a test.
    selector.SetSelectSide(-7);
    selector.SetSelectPart(2);
    selector.SetFeatureFilter(0x6);
    EXPECT_EQ(selector.GetSelectSide(), -7);
    EXPECT_EQ(selector.GetSelectPart(), 2);
    EXPECT_EQ(selector.GetFeatureFilter(), 0x6u);

    CArray<FeatureLayout> source;
    source.Add(FeatureLayout(4, -1, -1));
    selector.SetSourceRecordList(source);
    source.RemoveAll();
    EXPECT_EQ(selector.GetSourceRecordList().GetSize(), 1);  // a copy
}

TEST(FeatureSelector, SelectedListGuardsAndLimits)
{
    FeatureSelector selector;
    selector.SetMaxSelectCount(2);
    EXPECT_TRUE(selector.AddSelectedObject(FeatureLayout(10, 1, -1)));
    EXPECT_FALSE(selector.AddSelectedObject(FeatureLayout(10, 1, -1)));  // already there
    EXPECT_TRUE(selector.AddSelectedObject(FeatureLayout(11, 2, -1), FeatureSelector::MatchCrossing));
    EXPECT_FALSE(selector.AddSelectedObject(FeatureLayout(12, 2, -1)));  // limit reached
    EXPECT_EQ(selector.GetSelectedCount(), 2);
    EXPECT_EQ(selector.GetSelectedRecordID(1), 11);
    EXPECT_EQ(selector.GetSelectedLayoutID(1), 2);
    EXPECT_EQ(selector.GetMatchType(11), FeatureSelector::MatchCrossing);
    EXPECT_EQ(selector.GetMatchType(12), FeatureSelector::MatchNone);
    for (int bad : {-1, 2, 1000}) {
        EXPECT_TRUE(ThrowsInvalidArg([&] { selector.GetSelectedRecordID(bad); })) << bad;
        EXPECT_TRUE(ThrowsInvalidArg([&] { selector.GetSelectedLayoutID(bad); })) << bad;
        EXPECT_TRUE(ThrowsInvalidArg([&] { selector.GetSelectedFeatureLayout(bad); })) << bad;
    }
    CArray<FeatureLayout> all;
    all.Add(FeatureLayout(99, 9, 9));
    selector.GetAllSelectedObjects(all);
    ASSERT_EQ(all.GetSize(), 2);
    EXPECT_TRUE(all[0] == FeatureLayout(10, 1, -1));
    selector.ClearSelectedObject();
    EXPECT_EQ(selector.GetSelectedCount(), 0);
    EXPECT_EQ(selector.GetMatchType(11), FeatureSelector::MatchNone);
}

TEST(FeatureSelector, PickByPolygonTellsInsideCrossingAndOutside)
{
    const KcArrayOfGePnt2d window{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10), RuVaPnt2d(0, 10)};
    struct Case {
        const char* name;
        FeaturePtr shape;
        FeatureSelector::FeatureMatchType expected;
    };
    Case cases[] = {
        {"line inside", FeaturePtr(new Line2dFeature(RuVaPnt2d(1, 1), RuVaPnt2d(9, 9))), FeatureSelector::MatchInside},
        {"line across", FeaturePtr(new Line2dFeature(RuVaPnt2d(5, 5), RuVaPnt2d(15, 5))), FeatureSelector::MatchCrossing},
        {"line through, ends outside", FeaturePtr(new Line2dFeature(RuVaPnt2d(-5, 5), RuVaPnt2d(15, 5))),
         FeatureSelector::MatchCrossing},
        {"line outside", FeaturePtr(new Line2dFeature(RuVaPnt2d(11, 0), RuVaPnt2d(20, 9))), FeatureSelector::MatchOutside},
        {"circle inside", FeaturePtr(new Circle2dFeature(RuVaPnt2d(5, 5), 4.0)), FeatureSelector::MatchInside},
        // The bulge of the circle leaves the window although its box centre is inside.
        {"circle bulging out", FeaturePtr(new Circle2dFeature(RuVaPnt2d(5, 5), 5.5)), FeatureSelector::MatchCrossing},
        {"circle round the window", FeaturePtr(new Circle2dFeature(RuVaPnt2d(5, 5), 50.0)), FeatureSelector::MatchOutside},
        {"arc inside", FeaturePtr(new Arc2dFeature(RuVaPnt2d(5, 0), 4.0, 0.0, 180.0)), FeatureSelector::MatchInside},
        {"arc the other way", FeaturePtr(new Arc2dFeature(RuVaPnt2d(5, 0), 4.0, 0.0, 180.0, 1)),
         FeatureSelector::MatchCrossing},
        {"text inside", FeaturePtr(new Text2dFeature(CString(u"ab"), RuVaPnt2d(1, 1))), FeatureSelector::MatchInside},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FeatureSelector::PickByPolygon(c.shape.get(), window), c.expected) << c.name;
    EXPECT_EQ(FeatureSelector::PickByPolygon(nullptr, window), FeatureSelector::MatchNone);
    EXPECT_EQ(FeatureSelector::PickByPolygon(cases[0].shape.get(), KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)}),
              FeatureSelector::MatchNone);
}

TEST(FeatureSelector, PolylineSegmentUnderThePoint)
{
    const Polyline2dFeature p(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10)});
    EXPECT_EQ(FeatureSelector::PolylineSelectIndex(&p, RuVaPnt2d(5, 1)), 1);
    EXPECT_EQ(FeatureSelector::PolylineSelectIndex(&p, RuVaPnt2d(9, 6)), 2);
    EXPECT_EQ(FeatureSelector::PolylineSelectIndex(&p, RuVaPnt2d(5, 5)), -1);       // farther than 4
    EXPECT_EQ(FeatureSelector::PolylineSelectIndex(&p, RuVaPnt2d(5, 5), 6.0), 1);   // nearest of the two
    EXPECT_EQ(FeatureSelector::PolylineSelectIndex(nullptr, RuVaPnt2d(5, 5)), -1);
}

TEST(FeatureFlattener, ChainsStayWithinTheChordTolerance)
{
    const Circle2dFeature circle(RuVaPnt2d(1, 1), 100.0);
    for (double tol : {1.0, 0.01, 1e-4}) {
        std::vector<KcArrayOfGePnt2d> chains;
        ASSERT_TRUE(FeatureFlattener::Flatten(&circle, chains, tol));
        ASSERT_EQ(chains.size(), 1u);
        const KcArrayOfGePnt2d& c = chains[0];
        EXPECT_LT(c[0].Distance(c[c.GetSize() - 1]), 1e-9);
        for (INT_PTR i = 0; i + 1 < c.GetSize(); ++i) {
            const RuVaPnt2d mid = c[i].CenterPoint(c[i + 1]);
            EXPECT_LE(100.0 - mid.Distance(RuVaPnt2d(1, 1)), tol * 1.0001);
        }
        EXPECT_LE(c.GetSize(), FeatureFlattener::kMaxSegments + 1);
    }
    // An elliptic arc's chain runs from its start point to its end point.
    const EllipseArc2dFeature arc(RuVaPnt2d(0, 0), 5.0, 2.0, 30.0, 300.0, 45.0, 0);
    std::vector<KcArrayOfGePnt2d> chains;
    ASSERT_TRUE(FeatureFlattener::Flatten(&arc, chains));
    EXPECT_LT(chains[0][0].Distance(arc.GetStartPoint()), 1e-9);
    EXPECT_LT(chains[0][chains[0].GetSize() - 1].Distance(arc.GetEndPoint()), 1e-9);
    // Every sample shape gives chains.
    for (const auto& f : MakeSampleFeatures()) {
        std::vector<KcArrayOfGePnt2d> out;
        EXPECT_TRUE(FeatureFlattener::Flatten(f.get(), out)) << f->GetRuntimeClass()->m_lpszClassName;
    }
}

TEST(FeatureSelector, FenceCrossingsInOrderFromTheFirstPoint)
{
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 5.0);
    const IntersectFeature both(&circle, RuVaPnt2d(10, 0), RuVaPnt2d(-10, 0));
    ASSERT_EQ(both.GetIntersectionPointsCount(), 2);
    EXPECT_NEAR(both.GetIntersectionPoint(0).X(), 5.0, 1e-9);
    EXPECT_NEAR(both.GetIntersectionPoint(1).X(), -5.0, 1e-9);
    EXPECT_TRUE(ThrowsInvalidArg([&] { both.GetIntersectionPoint(2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { both.GetIntersectionPoint(-1); }));
    const IntersectFeature none(&circle, RuVaPnt2d(10, 0), RuVaPnt2d(20, 0));
    EXPECT_EQ(none.GetIntersectionPointsCount(), 0);
    const Text2dFeature text(CString(u"t"), RuVaPnt2d(0, 0));
    EXPECT_EQ(IntersectFeature(&text, RuVaPnt2d(-1, -1), RuVaPnt2d(1, 1)).GetIntersectionPointsCount(), 0);
    EXPECT_EQ(IntersectFeature(&circle, RuVaPnt2d(1, 1), RuVaPnt2d(1, 1)).GetIntersectionPointsCount(), 0);
}
