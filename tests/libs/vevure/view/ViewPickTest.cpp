// Picking through the view: by point with the aperture, kinds, filters and locked layers; shapes seen
// through part layouts; windows, crossings, fences and polygons.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ViewFixture.h"

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeaturePicker.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/SelectionFeatureFilter.h"
#include "libs/vevure/Text2dFeature.h"

namespace {

std::set<std::pair<long, long>> Ids(const CArray<FeatureLayout>& list)
{
    std::set<std::pair<long, long>> s;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        s.insert({list[i].GetRecordID(), list[i].GetLayoutID()});
    return s;
}

struct PickFixture : ViewFixture {
    long h = -1, v = -1, circle = -1, locked = -1, text = -1;
    long layer = -1;
    PickFixture()
    {
        Line2dFeature hl(RuVaPnt2d(0, 50), RuVaPnt2d(100, 50));
        Line2dFeature vl(RuVaPnt2d(50, 0), RuVaPnt2d(50, 100));
        Circle2dFeature c(RuVaPnt2d(150, 50), 20);
        h = Add(hl);
        v = Add(vl);
        circle = Add(c);
        layer = doc.AddLayer(-1, u"Locked", 0);
        Line2dFeature ll(RuVaPnt2d(0, 10), RuVaPnt2d(100, 10));
        ll.SetLayerID(layer);
        locked = Add(ll);
        doc.SetLayerState(layer, 1, 0);
        Text2dFeature t(CString(u"ABC"), RuVaPnt2d(120, 80));
        t.SetHeight(10);
        text = Add(t);
    }
};

}  // namespace

TEST(ViewPick, PointPicksTheNearestShapeWithinTheAperture)
{
    PickFixture f;
    struct Case {
        double x, y, aperture;
        int mode;
        DWORD kinds;
        long expect;
    } cases[] = {
        {10, 51, 2, 0, 0xFFFFFFFF, f.h},          // near the horizontal line
        {49, 30, 2, 0, 0xFFFFFFFF, f.v},          // near the vertical line
        {50.5, 50.2, 2, 0, 0xFFFFFFFF, f.h},      // both near: the nearer
        {50.3, 50.3, 2, 0, 0xFFFFFFFF, f.v},      // equally near: the one drawn last
        {10, 52, 2, 0, 0xFFFFFFFF, f.h},          // exactly on the aperture's edge
        {10, 52.001, 2, 0, 0xFFFFFFFF, -1},       // just beyond it
        {170, 50, 1, 0, 0xFFFFFFFF, f.circle},    // on the circle, far from its centre
        {150, 50, 5, 0, 0xFFFFFFFF, -1},          // the circle's centre is not on it
        {170, 50, 1, 0, SelectionFeatureFilter::GetFeatureBit(FeatureTypeLine), -1},  // kinds without circles
        {20, 10, 2, 0, 0xFFFFFFFF, -1},           // a locked layer's shape needs display-state mode 1
        {20, 10, 2, 1, 0xFFFFFFFF, f.locked},
        {125, 84, 0.5, 0, 0xFFFFFFFF, f.text},    // inside a text's box
        {std::nan(""), 0, 2, 0, 0xFFFFFFFF, -1},
        {10, 50, -1, 0, 0xFFFFFFFF, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " aperture " << c.aperture);
        FeatureLayout found(-1, -1, -1);
        const BOOL ok = FeaturePicker::PickByPoint(&f.view, RuVaPnt2d(c.x, c.y), c.aperture, c.mode, 0, c.kinds,
                                                   nullptr, found);
        EXPECT_EQ(ok != FALSE, c.expect != -1);
        if (c.expect != -1) {
            EXPECT_EQ(found.GetRecordID(), c.expect);
            EXPECT_EQ(found.GetLayoutID(), -1);
        }
    }
    // Every shape near the crossing, nearest first.
    FeaturePicker::Options o;
    CArray<FeatureLayout> all;
    ASSERT_EQ(FeaturePicker::PickByPoint(&f.view, RuVaPnt2d(50.5, 50.2), 2, o, all), 2);
    EXPECT_EQ(all[0].GetRecordID(), f.h);
    EXPECT_EQ(all[1].GetRecordID(), f.v);
    // A keep-going test that says stop abandons the pick.
    o.pfnKeepGoing = [] { return FALSE; };
    EXPECT_EQ(FeaturePicker::PickByPoint(&f.view, RuVaPnt2d(50, 50), 200, o, all), -1);
}

TEST(ViewPick, ShapesThroughPartLayoutsInTheirRegions)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long paper = doc.GetActiveDrawingID();
    const long part = doc.AddPartDrawingFeature(u"A");
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(100, 0));
    const long id = doc.AddFeature(&line, doc.GetDrawingFeatureByID(part), 0);
    PartDrawingLayout layout;
    layout.SetPaperID(paper);
    layout.SetDrawingID(part);
    layout.SetOrigin(RuVaPnt2d(200, 100));
    layout.SetAngle(90);
    ASSERT_TRUE(layout.SetScale(1, 2, FALSE, 1, 1));
    ASSERT_TRUE(layout.SetRectangleRegion(RuVaPnt2d(0, -10), RuVaPnt2d(60, 10)));
    const long lid = doc.AddPartLayout(layout, -1, 0);
    Draw2dView view(&doc);
    ASSERT_TRUE(view.SetDrawingID(paper));
    view.ResizeView(400, 300);
    // Local (40, 0) is world (200, 120); local (80, 0) is world (200, 140) but clipped away.
    struct Case {
        double x, y;
        bool hit;
    } cases[] = {{200.5, 120, true}, {200, 140, false}, {40, 0, false}, {203, 110, false}};
    for (const Case& c : cases) {
        FeatureLayout found;
        EXPECT_EQ(FeaturePicker::PickByPoint(&view, RuVaPnt2d(c.x, c.y), 1.0, 0, 0, 0xFFFFFFFF, nullptr, found) != FALSE,
                  c.hit)
            << c.x << "," << c.y;
        if (c.hit) {
            EXPECT_EQ(found.GetRecordID(), id);
            EXPECT_EQ(found.GetLayoutID(), lid);
        }
    }
    // A second shape lies wholly where the region hides it: windows do not take it either.
    Line2dFeature hidden(RuVaPnt2d(80, 0), RuVaPnt2d(100, 0));
    const long hiddenID = doc.AddFeature(&hidden, doc.GetDrawingFeatureByID(part), 0);
    ASSERT_NE(hiddenID, -1);
    FeaturePicker::Options o;
    CArray<FeatureLayout> found;
    FeaturePicker::PickByRectangle(&view, RuVaPnt2d(190, 90), RuVaPnt2d(210, 160), o, found);
    EXPECT_EQ(Ids(found), (std::set<std::pair<long, long>>{{id, lid}}));
}

TEST(ViewPick, WindowsCrossingsFencesAndPolygons)
{
    PickFixture f;
    FeaturePicker::Options o;
    CArray<FeatureLayout> found;
    // Window about the circle only.
    FeaturePicker::PickByRectangle(&f.view, RuVaPnt2d(125, 25), RuVaPnt2d(175, 75), o, found);
    EXPECT_EQ(Ids(found), (std::set<std::pair<long, long>>{{f.circle, -1}}));
    // Crossing from the middle takes both lines; a window there takes neither.
    o.nPartMode = 2;
    FeaturePicker::PickByRectangle(&f.view, RuVaPnt2d(40, 40), RuVaPnt2d(60, 60), o, found);
    EXPECT_EQ(Ids(found), (std::set<std::pair<long, long>>{{f.h, -1}, {f.v, -1}}));
    o.nPartMode = 1;
    EXPECT_EQ(FeaturePicker::PickByRectangle(&f.view, RuVaPnt2d(40, 40), RuVaPnt2d(60, 60), o, found), 0);
    // Outside a window: every pickable shape it would not take.
    o.nSideMode = 2;
    FeaturePicker::PickByRectangle(&f.view, RuVaPnt2d(125, 25), RuVaPnt2d(175, 75), o, found);
    EXPECT_EQ(Ids(found), (std::set<std::pair<long, long>>{{f.h, -1}, {f.v, -1}, {f.text, -1}}));
    o.nSideMode = 1;
    // A fence line crossing the vertical line only.
    FeaturePicker::PickByLine(&f.view, RuVaPnt2d(40, 80), RuVaPnt2d(60, 90), o, found);
    EXPECT_EQ(Ids(found), (std::set<std::pair<long, long>>{{f.v, -1}}));
    // A triangle about the circle; a polyline through both lines.
    KcArrayOfGePnt2d tri{RuVaPnt2d(110, 20), RuVaPnt2d(200, 20), RuVaPnt2d(150, 95)};
    FeaturePicker::PickByPolygon(&f.view, tri, o, found);
    EXPECT_EQ(Ids(found), (std::set<std::pair<long, long>>{{f.circle, -1}}));
    KcArrayOfGePnt2d fence{RuVaPnt2d(20, 40), RuVaPnt2d(30, 60), RuVaPnt2d(60, 70)};
    FeaturePicker::PickByPolyline(&f.view, fence, o, found);
    EXPECT_EQ(Ids(found), (std::set<std::pair<long, long>>{{f.h, -1}, {f.v, -1}}));
    // Degenerate outlines pick nothing.
    EXPECT_EQ(FeaturePicker::PickByRectangle(&f.view, RuVaPnt2d(0, 0), RuVaPnt2d(0, 100), o, found), 0);
    EXPECT_EQ(FeaturePicker::PickByPolygon(&f.view, KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(5, 5)}, o, found), 0);
}
