// The selection tool picking in a view with its settings: kinds, filter, display-state mode, source
// records, maximum count, the pick for snapping, the keep-going test; polygons by part and side mode with
// the match type of each shape.

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "SelectionFixture.h"

#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureSelector.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/SelectionFeatureFilter.h"

namespace {

std::set<long> Records(const FeatureSelector& s)
{
    std::set<long> ids;
    for (int i = 0; i < s.GetSelectedCount(); ++i)
        ids.insert(s.GetSelectedRecordID(i));
    return ids;
}

int g_polls = 0;
BOOL StopAtOnce()
{
    ++g_polls;
    return FALSE;
}
BOOL GoOn()
{
    ++g_polls;
    return TRUE;
}

}  // namespace

TEST(FeatureSelectorPick, DefaultsPickEveryEditableShape)
{
    SelectionFixture f;
    FeatureSelector s(&f.doc);
    EXPECT_EQ(s.GetSelectSide(), 1);
    EXPECT_EQ(s.GetSelectPart(), 1);
    EXPECT_EQ(s.GetSelectBoundary(), 0);
    EXPECT_EQ(s.GetFeatureFilter(), 0xFFFFFFFFu);
    EXPECT_EQ(s.GetSelectionFilter(), nullptr);
    EXPECT_EQ(s.GetDisplayStateMode(), 0);
    EXPECT_FALSE(s.GetSnapPick());
    EXPECT_EQ(s.GetPickSetting(), 0);
    EXPECT_FALSE(s.GetSelectInGroup());

    // Every shape within the aperture, nearest first, each with the layout it was seen through.
    ASSERT_EQ(s.PickByPoint(&f.view, RuVaPnt2d(50.5, 50.2), 2.0), 2);
    EXPECT_EQ(s.GetSelectedRecordID(0), f.h);
    EXPECT_EQ(s.GetSelectedRecordID(1), f.v);
    EXPECT_EQ(s.GetSelectedLayoutID(0), -1);
    CArray<FeatureLayout> all;
    s.GetAllSelectedObjects(all);
    EXPECT_EQ(all.GetSize(), 2);
    // A second pick replaces the first one's objects.
    ASSERT_EQ(s.PickByPoint(&f.view, RuVaPnt2d(170, 50), 1.0), 1);
    EXPECT_EQ(s.GetSelectedRecordID(0), f.circle);
    EXPECT_EQ(s.PickByPoint(&f.view, RuVaPnt2d(190, 5), 1.0), 0);
    EXPECT_EQ(s.GetSelectedCount(), 0);
    bool thrown = false;
    try {
        s.GetSelectedRecordID(0);
    } catch (CInvalidArgException* e) {
        e->Delete();
        thrown = true;
    }
    EXPECT_TRUE(thrown);
}

TEST(FeatureSelectorPick, SettingsDecideWhatAPointPickTakes)
{
    SelectionFixture f;
    SelectionFilter marked = f.MarkedOnly();
    CArray<FeatureLayout> onlyV;
    onlyV.Add(FeatureLayout(f.v, -1, -1));
    const RuVaPnt2d crossing(50.5, 50.2), onLocked(20, 10.5), onMarked(20, 90.5), onCircle(170, 50);
    struct Case {
        const char* what;
        void (*setup)(FeatureSelector&, SelectionFilter*, const CArray<FeatureLayout>*);
        RuVaPnt2d at;
        double aperture;
        std::set<long> expect;
    } cases[] = {
        {"at most one: the nearest", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetMaxSelectCount(1);
         }, crossing, 2, {f.h}},
        {"no count at all", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetMaxSelectCount(0);
         }, crossing, 2, {}},
        {"only the listed records", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>* l) {
             s.SetSourceRecordList(*l);
         }, crossing, 2, {f.v}},
        {"circles only", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetFeatureFilter(SelectionFeatureFilter::GetFeatureBit(FeatureTypeCircle));
         }, onCircle, 1, {f.circle}},
        {"lines only miss the circle", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetFeatureFilter(SelectionFeatureFilter::GetFeatureBit(FeatureTypeLine));
         }, onCircle, 1, {}},
        {"locked shapes need the display-state mode", [](FeatureSelector&, SelectionFilter*,
                                                         const CArray<FeatureLayout>*) {}, onLocked, 1, {}},
        {"display-state mode 1", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetDisplayStateMode(1);
         }, onLocked, 1, {f.locked}},
        {"display-state selectable", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetDisplayStateSelectable(TRUE);
         }, onLocked, 1, {f.locked}},
        {"the filter lets the marked layer through", [](FeatureSelector& s, SelectionFilter* m,
                                                        const CArray<FeatureLayout>*) {
             s.SetSelectionFilter(m);
         }, onMarked, 1, {f.marked}},
        {"the filter holds the rest back", [](FeatureSelector& s, SelectionFilter* m, const CArray<FeatureLayout>*) {
             s.SetSelectionFilter(m);
         }, crossing, 2, {}},
        // For snapping every shown shape counts: locked, of any kind, past the filter.
        {"snap pick: locked too", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetSnapPick(TRUE);
         }, onLocked, 1, {f.locked}},
        {"snap pick: every kind and past the filter", [](FeatureSelector& s, SelectionFilter* m,
                                                        const CArray<FeatureLayout>*) {
             s.SetSnapPick(TRUE);
             s.SetFeatureFilter(SelectionFeatureFilter::GetFeatureBit(FeatureTypeText));
             s.SetSelectionFilter(m);
         }, crossing, 2, {f.h, f.v}},
        {"snap pick keeps the count", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetSnapPick(TRUE);
             s.SetMaxSelectCount(1);
         }, crossing, 2, {f.h}},
        {"the pick setting changes nothing", [](FeatureSelector& s, SelectionFilter*, const CArray<FeatureLayout>*) {
             s.SetPickSetting(1);
             s.SetSelectInGroup(TRUE);
             s.SetSelectBoundary(1);
         }, crossing, 2, {f.h, f.v}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FeatureSelector s(&f.doc);
        c.setup(s, &marked, &onlyV);
        const int n = s.PickByPoint(&f.view, c.at, c.aperture, nullptr);
        EXPECT_EQ(n, (int)c.expect.size());
        EXPECT_EQ(Records(s), c.expect);
    }
}

TEST(FeatureSelectorPick, ForeignViewsAndTheKeepGoingTest)
{
    SelectionFixture f;
    SelectionFixture other;
    FeatureSelector s(&f.doc);
    EXPECT_EQ(s.PickByPoint(&other.view, RuVaPnt2d(10, 51), 2.0), 0);
    EXPECT_EQ(s.PickByPoint(nullptr, RuVaPnt2d(10, 51), 2.0), 0);
    // A selector without a document picks in any view.
    FeatureSelector loose;
    ASSERT_EQ(loose.PickByPoint(&other.view, RuVaPnt2d(10, 51), 2.0), 1);
    EXPECT_EQ(loose.GetSelectedRecordID(0), other.h);

    // Stopped by the keep-going test: -1 and nothing selected, even where shapes were found before.
    ASSERT_EQ(s.PickByPoint(&f.view, RuVaPnt2d(50, 50), 2.0), 2);
    g_polls = 0;
    EXPECT_EQ(s.PickByPoint(&f.view, RuVaPnt2d(50, 50), 2.0, &StopAtOnce), -1);
    EXPECT_EQ(g_polls, 1);
    EXPECT_EQ(s.GetSelectedCount(), 0);
    g_polls = 0;
    EXPECT_EQ(s.PickByPoint(&f.view, RuVaPnt2d(50, 50), 2.0, &GoOn), 2);
    EXPECT_GT(g_polls, 0);
    const KcArrayOfGePnt2d square{RuVaPnt2d(0, 0), RuVaPnt2d(200, 0), RuVaPnt2d(200, 100), RuVaPnt2d(0, 100)};
    EXPECT_EQ(s.PickByPolygon(&f.view, square, &StopAtOnce), -1);
    EXPECT_EQ(s.GetSelectedCount(), 0);
}

TEST(FeatureSelectorPick, PolygonsByPartAndSideWithMatchTypes)
{
    SelectionFixture f;
    // About the circle and the right half of the horizontal line.
    const KcArrayOfGePnt2d box{RuVaPnt2d(70, 20), RuVaPnt2d(180, 20), RuVaPnt2d(180, 75), RuVaPnt2d(70, 75)};
    struct Case {
        const char* what;
        int part, side;
        DWORD kinds;
        std::set<long> expect;
    } cases[] = {
        {"window", 1, 1, 0xFFFFFFFF, {f.circle}},
        {"crossing", 2, 1, 0xFFFFFFFF, {f.circle, f.h}},
        {"outside the window", 1, 2, 0xFFFFFFFF, {f.h, f.v, f.text, f.marked}},
        {"outside the crossing", 2, 2, 0xFFFFFFFF, {f.v, f.text, f.marked}},
        // The mask of the cut-move command: lines, polylines, circles, arcs, ellipses, elliptic arcs,
        // B-spline curves.
        {"crossing, mask 382", 2, 2, 382, {f.v, f.marked}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FeatureSelector s(&f.doc);
        s.SetSelectPart(c.part);
        s.SetSelectSide(c.side);
        s.SetFeatureFilter(c.kinds);
        EXPECT_EQ(s.PickByPolygon(&f.view, box, nullptr), (int)c.expect.size());
        EXPECT_EQ(Records(s), c.expect);
    }
    FeatureSelector s(&f.doc);
    ASSERT_EQ(s.PickByPolygon(&f.view, box, nullptr), 1);
    EXPECT_EQ(s.GetMatchType(f.circle), FeatureSelector::MatchInside);
    s.SetSelectSide(2);
    ASSERT_EQ(s.PickByPolygon(&f.view, box, nullptr), 4);
    EXPECT_EQ(s.GetMatchType(f.h), FeatureSelector::MatchCrossing);
    EXPECT_EQ(s.GetMatchType(f.v), FeatureSelector::MatchOutside);
    s.SetSelectSide(1);
    s.SetSelectPart(2);
    ASSERT_EQ(s.PickByPolygon(&f.view, box, nullptr), 2);
    EXPECT_EQ(s.GetMatchType(f.circle), FeatureSelector::MatchInside);
    EXPECT_EQ(s.GetMatchType(f.h), FeatureSelector::MatchCrossing);
    EXPECT_EQ(s.GetMatchType(f.v), FeatureSelector::MatchNone);
    // Too few corners take nothing.
    EXPECT_EQ(s.PickByPolygon(&f.view, KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(5, 5)}, nullptr), 0);
    // The test of a single shape still answers without a view.
    const Line2dFeature inside(RuVaPnt2d(80, 30), RuVaPnt2d(90, 40));
    EXPECT_EQ(FeatureSelector::PickByPolygon(&inside, box), FeatureSelector::MatchInside);
}

TEST(FeatureSelectorPick, PolygonThroughAPartLayoutTellsTheMatchAsShown)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long paper = doc.GetActiveDrawingID();
    const long part = doc.AddPartDrawingFeature(u"A");
    // Local (0, 0)-(100, 0) shows at half size from (200, 100) to (250, 100).
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(100, 0));
    const long id = doc.AddFeature(&line, doc.GetDrawingFeatureByID(part), 0);
    PartDrawingLayout layout;
    layout.SetPaperID(paper);
    layout.SetDrawingID(part);
    layout.SetOrigin(RuVaPnt2d(200, 100));
    ASSERT_TRUE(layout.SetScale(1, 2, FALSE, 1, 1));
    const long lid = doc.AddPartLayout(layout, -1, 0);
    Draw2dView view(&doc);
    ASSERT_TRUE(view.SetDrawingID(paper));
    view.ResizeView(400, 300);
    FeatureSelector s(&doc);
    s.SetSelectPart(2);
    // In world coordinates the shape lies wholly inside; its local coordinates would not.
    const KcArrayOfGePnt2d box{RuVaPnt2d(190, 90), RuVaPnt2d(260, 90), RuVaPnt2d(260, 110), RuVaPnt2d(190, 110)};
    ASSERT_EQ(s.PickByPolygon(&view, box, nullptr), 1);
    EXPECT_EQ(s.GetSelectedRecordID(0), id);
    EXPECT_EQ(s.GetSelectedLayoutID(0), lid);
    EXPECT_EQ(s.GetMatchType(id), FeatureSelector::MatchInside);
    const KcArrayOfGePnt2d half{RuVaPnt2d(240, 90), RuVaPnt2d(300, 90), RuVaPnt2d(300, 110), RuVaPnt2d(240, 110)};
    ASSERT_EQ(s.PickByPolygon(&view, half, nullptr), 1);
    EXPECT_EQ(s.GetMatchType(id), FeatureSelector::MatchCrossing);
}
