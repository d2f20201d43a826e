// Picking through the document's selection manager in a real view: points with the aperture, kinds,
// display-state mode and filter; windows, crossings, outside windows, fences, polygons and polylines with
// their modes in the right places; shapes seen through part layouts; and what the picks select.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "SelectionFixture.h"

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/SelectionFeatureFilter.h"

namespace {

using IdSet = std::set<std::pair<long, long>>;

IdSet Ids(const CArray<FeatureLayout>& list)
{
    IdSet s;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        s.insert({list[i].GetRecordID(), list[i].GetLayoutID()});
    return s;
}

const DWORD kAll = 0xFFFFFFFF;
const DWORD kLines = SelectionFeatureFilter::GetFeatureBit(FeatureTypeLine);

}  // namespace

TEST(SelectionManagerPick, PointPicksTheNearestPickableShape)
{
    SelectionFixture f;
    const SelectionFilter marked = f.MarkedOnly();
    struct Case {
        const char* what;
        double x, y, aperture;
        int displayState;
        DWORD kinds;
        const SelectionFilter* filter;
        long expect;
    } cases[] = {
        {"near the horizontal line", 10, 51, 2, 0, kAll, nullptr, f.h},
        {"both lines near: the nearer", 50.5, 50.2, 2, 0, kAll, nullptr, f.h},
        {"equally near: the one drawn last", 50.3, 50.3, 2, 0, kAll, nullptr, f.v},
        {"on the aperture's edge", 10, 52, 2, 0, kAll, nullptr, f.h},
        {"just beyond it", 10, 52.001, 2, 0, kAll, nullptr, -1},
        {"on the circle", 170, 50, 1, 0, kAll, nullptr, f.circle},
        {"kinds without circles", 170, 50, 1, 0, kLines, nullptr, -1},
        {"inside a text's box", 125, 84, 0.5, 0, kAll, nullptr, f.text},
        {"locked layer, display-state mode 0", 20, 10, 2, 0, kAll, nullptr, -1},
        {"locked layer, display-state mode 1", 20, 10, 2, 1, kAll, nullptr, f.locked},
        {"filter lets the marked layer through", 20, 90, 2, 0, kAll, &marked, f.marked},
        {"filter holds the other layers back", 10, 51, 2, 0, kAll, &marked, -1},
        {"a point that is not a number", std::nan(""), 50, 2, 0, kAll, nullptr, -1},
        {"a negative aperture", 10, 50, -1, 0, kAll, nullptr, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FeatureLayout found(-5, -5, 7);
        const BOOL ok =
            f.Sel().PickByPoint(&f.view, RuVaPnt2d(c.x, c.y), c.aperture, c.displayState, 0, c.kinds, c.filter, found);
        ASSERT_EQ(ok != FALSE, c.expect != -1);
        if (ok) {
            EXPECT_EQ(found.GetRecordID(), c.expect);
            EXPECT_EQ(found.GetLayoutID(), -1);
        }
    }
    // The pick setting of a feature item changes nothing that a plain pick finds.
    FeatureLayout found;
    ASSERT_TRUE(f.Sel().PickByPoint(&f.view, RuVaPnt2d(170, 50), 1, 0, 1, 0x01800DFE, nullptr, found));
    EXPECT_EQ(found.GetRecordID(), f.circle);
    // Picks select nothing and report nothing.
    EXPECT_TRUE(f.Sel().IsSelectionEmpty());
    EXPECT_EQ(f.selectionNotices, 0);
}

TEST(SelectionManagerPick, PicksOnlyInViewsOfItsOwnDocument)
{
    SelectionFixture f;
    SelectionFixture other;  // the same shapes in another document
    FeatureLayout found;
    EXPECT_FALSE(f.Sel().PickByPoint(&other.view, RuVaPnt2d(10, 50), 2, 0, 0, kAll, nullptr, found));
    EXPECT_FALSE(f.Sel().PickByPoint(nullptr, RuVaPnt2d(10, 50), 2, 0, 0, kAll, nullptr, found));
    Draw2dView empty;
    EXPECT_FALSE(f.Sel().PickByPoint(&empty, RuVaPnt2d(10, 50), 2, 0, 0, kAll, nullptr, found));

    CArray<FeatureLayout> list;
    list.Add(FeatureLayout(99, -1, -1));  // left over from an earlier call
    const RuVaPnt2d a(-10, -10), b(210, 110);
    const KcArrayOfGePnt2d box{a, RuVaPnt2d(210, -10), b, RuVaPnt2d(-10, 110)};
    EXPECT_EQ(f.Sel().PickByRectangle(&other.view, a, b, 1, 1, 1, kAll, nullptr, list), 0);
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_EQ(f.Sel().PickByLine(&other.view, a, b, 1, 1, 1, kAll, nullptr, list), 0);
    EXPECT_EQ(f.Sel().PickByPolygon(&other.view, box, 1, 1, 1, kAll, nullptr, list), 0);
    EXPECT_EQ(f.Sel().PickByPolyline(&other.view, box, 1, 1, 1, kAll, nullptr, list), 0);
    // The same calls in its own view find every shape.
    EXPECT_EQ(f.Sel().PickByRectangle(&f.view, a, b, 1, 1, 1, kAll, nullptr, list), 6);
    EXPECT_EQ(f.Sel().PickByPolygon(&f.view, box, 1, 1, 1, kAll, nullptr, list), 6);

    // A manager without a document picks in any document's view.
    SelectionManager loose;
    EXPECT_TRUE(loose.PickByPoint(&other.view, RuVaPnt2d(10, 51), 2, 0, 0, kAll, nullptr, found));
    EXPECT_EQ(found.GetRecordID(), other.h);
}

TEST(SelectionManagerPick, FencesTakeTheirModesKindsAndFilter)
{
    SelectionFixture f;
    const SelectionFilter marked = f.MarkedOnly();
    const RuVaPnt2d lo(-10, -10), hi(210, 110);
    const KcArrayOfGePnt2d triangle{RuVaPnt2d(110, 20), RuVaPnt2d(200, 20), RuVaPnt2d(150, 95)};
    const KcArrayOfGePnt2d zigzag{RuVaPnt2d(20, 40), RuVaPnt2d(30, 60), RuVaPnt2d(60, 70)};
    struct Case {
        const char* what;
        int shape;  // 1 rectangle, 2 polygon, 8 line, 16 polyline
        RuVaPnt2d p1, p2;
        const KcArrayOfGePnt2d* points;
        int part, side, displayState;
        DWORD kinds;
        const SelectionFilter* filter;
        IdSet expect;
    } cases[] = {
        {"window about the circle", 1, RuVaPnt2d(125, 25), RuVaPnt2d(175, 75), nullptr, 1, 1, 0, kAll, nullptr,
         {{f.circle, -1}}},
        {"window drawn right to left", 1, RuVaPnt2d(175, 75), RuVaPnt2d(125, 25), nullptr, 1, 1, 0, kAll, nullptr,
         {{f.circle, -1}}},
        {"window about the crossing takes neither line", 1, RuVaPnt2d(40, 40), RuVaPnt2d(60, 60), nullptr, 1, 1, 0,
         kAll, nullptr, {}},
        {"crossing about the crossing takes both", 1, RuVaPnt2d(40, 40), RuVaPnt2d(60, 60), nullptr, 2, 1, 0, kAll,
         nullptr, {{f.h, -1}, {f.v, -1}}},
        {"outside the circle's window", 1, RuVaPnt2d(125, 25), RuVaPnt2d(175, 75), nullptr, 1, 2, 0, kAll, nullptr,
         {{f.h, -1}, {f.v, -1}, {f.text, -1}, {f.marked, -1}}},
        {"everything, display-state mode 0", 1, lo, hi, nullptr, 1, 1, 0, kAll, nullptr,
         {{f.h, -1}, {f.v, -1}, {f.circle, -1}, {f.text, -1}, {f.marked, -1}}},
        {"everything, display-state mode 1", 1, lo, hi, nullptr, 1, 1, 1, kAll, nullptr,
         {{f.h, -1}, {f.v, -1}, {f.circle, -1}, {f.text, -1}, {f.marked, -1}, {f.locked, -1}}},
        {"everything, lines only", 1, lo, hi, nullptr, 1, 1, 0, kLines, nullptr,
         {{f.h, -1}, {f.v, -1}, {f.marked, -1}}},
        {"everything through the filter", 1, lo, hi, nullptr, 1, 1, 1, kAll, &marked, {{f.marked, -1}}},
        {"fence line across the vertical line", 8, RuVaPnt2d(40, 80), RuVaPnt2d(60, 95), nullptr, 1, 1, 0, kAll,
         nullptr, {{f.v, -1}}},
        {"fence line across both, circles only", 8, RuVaPnt2d(20, 20), RuVaPnt2d(80, 80), nullptr, 1, 1, 0,
         SelectionFeatureFilter::GetFeatureBit(FeatureTypeCircle), nullptr, {}},
        {"fence line over the locked line", 8, RuVaPnt2d(20, 0), RuVaPnt2d(20, 20), nullptr, 1, 1, 1, kAll, nullptr,
         {{f.locked, -1}}},
        {"polygon about the circle", 2, {}, {}, &triangle, 1, 1, 0, kAll, nullptr, {{f.circle, -1}}},
        {"crossing polygon about the circle", 2, {}, {}, &triangle, 2, 1, 0, kAll, nullptr,
         {{f.circle, -1}, {f.text, -1}}},
        {"polyline through both lines", 16, {}, {}, &zigzag, 1, 1, 0, kAll, nullptr, {{f.h, -1}, {f.v, -1}}},
        {"degenerate rectangle", 1, RuVaPnt2d(0, 0), RuVaPnt2d(0, 100), nullptr, 2, 1, 1, kAll, nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CArray<FeatureLayout> found;
        int n = -1;
        switch (c.shape) {
        case 1:
            n = f.Sel().PickByRectangle(&f.view, c.p1, c.p2, c.part, c.side, c.displayState, c.kinds, c.filter, found);
            break;
        case 2:
            n = f.Sel().PickByPolygon(&f.view, *c.points, c.part, c.side, c.displayState, c.kinds, c.filter, found);
            break;
        case 8:
            n = f.Sel().PickByLine(&f.view, c.p1, c.p2, c.part, c.side, c.displayState, c.kinds, c.filter, found);
            break;
        default:
            n = f.Sel().PickByPolyline(&f.view, *c.points, c.part, c.side, c.displayState, c.kinds, c.filter, found);
            break;
        }
        EXPECT_EQ(n, (int)found.GetSize());
        EXPECT_EQ(Ids(found), c.expect);
        for (INT_PTR i = 0; i < found.GetSize(); ++i)
            EXPECT_EQ(found[i].GetField(), -1);
    }
}

TEST(SelectionManagerPick, ShapesOfPartLayoutsComeWithTheirLayout)
{
    // A paper showing one part drawing twice: at half size turned by 90 degrees and clipped, and at full
    // size further right.
    Draw2dDocument doc;
    doc.InitDocument();
    const long paper = doc.GetActiveDrawingID();
    const long part = doc.AddPartDrawingFeature(u"A");
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(100, 0));
    const long id = doc.AddFeature(&line, doc.GetDrawingFeatureByID(part), 0);
    PartDrawingLayout turned;
    turned.SetPaperID(paper);
    turned.SetDrawingID(part);
    turned.SetOrigin(RuVaPnt2d(200, 100));
    turned.SetAngle(90);
    ASSERT_TRUE(turned.SetScale(1, 2, FALSE, 1, 1));
    ASSERT_TRUE(turned.SetRectangleRegion(RuVaPnt2d(0, -10), RuVaPnt2d(60, 10)));
    const long turnedID = doc.AddPartLayout(turned, -1, 0);
    PartDrawingLayout plain;
    plain.SetPaperID(paper);
    plain.SetDrawingID(part);
    plain.SetOrigin(RuVaPnt2d(300, 50));
    const long plainID = doc.AddPartLayout(plain, -1, 0);
    ASSERT_NE(turnedID, -1);
    ASSERT_NE(plainID, -1);
    Draw2dView view(&doc);
    ASSERT_TRUE(view.SetDrawingID(paper));
    view.ResizeView(500, 300);
    SelectionManager& sel = *doc.GetSelectionManager();

    // Local (40, 0) of the turned layout is world (200, 120); local (80, 0) there is clipped away.
    struct Case {
        double x, y;
        long layout;  // 0: nothing
    } cases[] = {{200.5, 120, turnedID}, {200, 140, 0}, {340, 50.5, plainID}, {40, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        FeatureLayout found;
        const BOOL ok = sel.PickByPoint(&view, RuVaPnt2d(c.x, c.y), 1.0, 0, 0, kAll, nullptr, found);
        ASSERT_EQ(ok != FALSE, c.layout != 0);
        if (ok) {
            EXPECT_EQ(found.GetRecordID(), id);
            EXPECT_EQ(found.GetLayoutID(), c.layout);
        }
    }
    // A window about the whole paper finds the one shape through both layouts; selected as one group it
    // is two records.
    CArray<FeatureLayout> found;
    ASSERT_EQ(sel.PickByRectangle(&view, RuVaPnt2d(0, 0), RuVaPnt2d(500, 300), 1, 1, 0, kAll, nullptr, found), 2);
    EXPECT_EQ(Ids(found), (IdSet{{id, turnedID}, {id, plainID}}));
    const KcArrayOfGePnt2d corners{RuVaPnt2d(0, 0), RuVaPnt2d(500, 300)};
    EXPECT_EQ(sel.SelectFeatures(found, 1, &corners, FALSE), 2);
    EXPECT_EQ(sel.GetSelectedFeatureCount(), 2);
    EXPECT_TRUE(sel.IsFeatureSelected(FeatureRecord(id, turnedID)));
    EXPECT_TRUE(sel.IsFeatureSelected(FeatureRecord(id, -1)));
    EXPECT_FALSE(sel.IsFeatureSelected(FeatureRecord(id, 12345)));
    // A window about the turned layout alone takes only that appearance.
    ASSERT_EQ(sel.PickByRectangle(&view, RuVaPnt2d(190, 90), RuVaPnt2d(210, 160), 1, 1, 0, kAll, nullptr, found), 1);
    EXPECT_EQ(found[0].GetLayoutID(), turnedID);
}

TEST(SelectionManagerPick, PickedShapesSelectedAsGroupsWithNotices)
{
    SelectionFixture f;
    SelectionManager& sel = f.Sel();
    // A click: the pick, then the selection of what it found as a group of mode 4 with the click point.
    FeatureLayout picked;
    ASSERT_TRUE(sel.PickByPoint(&f.view, RuVaPnt2d(10, 51), 2, 0, 0, kAll, nullptr, picked));
    CArray<FeatureLayout> one;
    one.Add(picked);
    const KcArrayOfGePnt2d click{RuVaPnt2d(10, 51)};
    EXPECT_EQ(sel.SelectFeatures(one, 4, &click), 1);
    EXPECT_EQ(f.selectionNotices, 1);

    // A crossing window that finds the same line again and the vertical one: only the new one is added.
    CArray<FeatureLayout> found;
    ASSERT_EQ(sel.PickByRectangle(&f.view, RuVaPnt2d(40, 40), RuVaPnt2d(60, 60), 2, 1, 0, kAll, nullptr, found), 2);
    const KcArrayOfGePnt2d corners{RuVaPnt2d(40, 40), RuVaPnt2d(60, 60)};
    EXPECT_EQ(sel.SelectFeatures(found, 1, &corners), 1);
    EXPECT_EQ(f.selectionNotices, 2);
    ASSERT_EQ(sel.GetSelectionGroupCount(), 2);
    EXPECT_EQ(sel.GetSelectionGroupSelectShapeMode(0), 4);
    EXPECT_EQ(sel.GetSelectionGroupSelectShapeMode(1), 1);
    EXPECT_EQ(sel.GetSelectionGroupPointList(0).GetSize(), 1);
    EXPECT_EQ(sel.GetSelectionGroupPointList(1).GetSize(), 2);
    CArray<FeatureLayout> group;
    ASSERT_TRUE(sel.GetSelectionGroup(1, group));
    EXPECT_EQ(Ids(group), (IdSet{{f.v, -1}}));

    // Without notice the selection changes silently; deleting a selected shape drops it and reports it.
    EXPECT_EQ(sel.SelectFeatures(found, 1, &corners, FALSE), 0);
    EXPECT_EQ(f.selectionNotices, 2);
    ASSERT_TRUE(f.doc.DeleteFeature(f.h, 1));
    EXPECT_EQ(f.selectionNotices, 3);
    EXPECT_EQ(sel.GetSelectedFeatureCount(), 1);
    EXPECT_EQ(sel.GetSelectionGroupCount(), 1);
    // A deleted shape can be picked no more.
    EXPECT_FALSE(sel.PickByPoint(&f.view, RuVaPnt2d(10, 51), 2, 0, 0, kAll, nullptr, picked));
    sel.UnselectAll();
    EXPECT_EQ(f.selectionNotices, 4);
    EXPECT_EQ(sel.GetSelectionGroupCount(), 0);
}
