// The grip tracker that the selection manager owns: one for the document's life, handed to its views,
// showing and dragging the grips of what is selected, and letting go of them when the selection empties.

#include <gtest/gtest.h>

#include "SelectionFixture.h"

#include "libs/vevure/FeatureTrackerBase.h"

namespace {

CPoint Client(const Draw2dView& view, double x, double y)
{
    return view.ConvertPointWorldToClient(RuVaPnt2d(x, y));
}

void SelectOne(SelectionFixture& f, long id)
{
    ASSERT_TRUE(f.Sel().SelectFeature(FeatureRecord(id, -1)));
}

}  // namespace

TEST(SelectionTracker, OneTrackerForTheDocumentsLife)
{
    SelectionFixture f;
    FeatureTrackerBase* tracker = f.Sel().GetFeatureTracker();
    ASSERT_NE(tracker, nullptr);
    SelectOne(f, f.h);
    f.Sel().UnselectAll();
    f.doc.InitDocument();
    EXPECT_EQ(f.Sel().GetFeatureTracker(), tracker);
    // Each document has its own; a manager without a document has none.
    SelectionFixture other;
    EXPECT_NE(other.Sel().GetFeatureTracker(), tracker);
    SelectionManager loose;
    EXPECT_EQ(loose.GetFeatureTracker(), nullptr);
}

TEST(SelectionTracker, HandedToTheViewItShowsAndDragsTheGrips)
{
    SelectionFixture f;
    FeatureTrackerBase* tracker = f.Sel().GetFeatureTracker();
    f.view.SetFeatureTracker(tracker);
    ASSERT_EQ(f.view.GetFeatureTracker(), tracker);

    // Nothing selected: no grips drawn, none hit.
    const CPoint end = Client(f.view, 100, 50);
    QImage before = f.Render();
    EXPECT_EQ(tracker->HitTest(&f.view, end, 4, 1), FeatureTrackerBase::kHitNone);

    // The horizontal line selected: its three grips (start, middle, end) appear in the picture.
    SelectOne(f, f.h);
    f.view.UpdateView();
    QImage shown = f.Render();
    ASSERT_EQ(tracker->GetHandleCount(), 3);
    EXPECT_EQ(shown.pixel(end.x + 2, end.y + 2) & 0xFFFFFF, 0x0000FFu);
    EXPECT_NE(before.pixel(end.x + 2, end.y + 2), shown.pixel(end.x + 2, end.y + 2));
    const int grip = tracker->HitTest(&f.view, end, 4, 1);
    ASSERT_GE(grip, 0);
    RuVaPnt2d at;
    ASSERT_TRUE(tracker->GetHandlePoint(grip, at));
    EXPECT_EQ(at, RuVaPnt2d(100, 50));
    // On the line away from its grips: the body of a selected shape.
    EXPECT_EQ(tracker->HitTest(&f.view, Client(f.view, 25, 50), 4, 1), FeatureTrackerBase::kHitBody);

    // Dragging the end grip to (120, 60) moves the line's end in one undo step.
    ASSERT_TRUE(tracker->BeginTrack(&f.view, end, 4));
    EXPECT_TRUE(tracker->IsTracking());
    ASSERT_TRUE(f.view.BeginDrawTemporaryFeature());
    tracker->Tracking(&f.view, 120.f, 40.f, RuVaPnt2d(120, 60), RGB(255, 0, 0));
    f.view.EndDrawTemporaryFeature();
    ASSERT_TRUE(tracker->EndTrack(&f.view, RuVaPnt2d(120, 60)));
    const auto* moved = static_cast<const Line2dFeature*>(f.doc.GetFeature(f.h));
    EXPECT_EQ(moved->GetStartPoint(), RuVaPnt2d(0, 50));
    EXPECT_EQ(moved->GetEndPoint(), RuVaPnt2d(120, 60));
    ASSERT_TRUE(f.doc.Undo());
    moved = static_cast<const Line2dFeature*>(f.doc.GetFeature(f.h));
    EXPECT_EQ(moved->GetEndPoint(), RuVaPnt2d(100, 50));
}

TEST(SelectionTracker, EmptiedSelectionLeavesNoGripToHitOrDrag)
{
    struct Case {
        const char* what;
        void (*empty)(SelectionFixture&);
    } cases[] = {
        {"unselect all", [](SelectionFixture& f) { f.Sel().UnselectAll(); }},
        {"unselect the record", [](SelectionFixture& f) { f.Sel().UnselectFeature(FeatureRecord(f.h, -1)); }},
        {"unselect by id",
         [](SelectionFixture& f) {
             CArray<long, long> ids;
             ids.Add(f.h);
             f.Sel().UnselectFeatures(ids);
         }},
        {"delete the shape", [](SelectionFixture& f) { ASSERT_TRUE(f.doc.DeleteFeature(f.h, 1)); }},
        {"a new document", [](SelectionFixture& f) { f.doc.InitDocument(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SelectionFixture f;
        FeatureTrackerBase* tracker = f.Sel().GetFeatureTracker();
        f.view.SetFeatureTracker(tracker);
        SelectOne(f, f.h);
        const CPoint end = Client(f.view, 100, 50);
        ASSERT_TRUE(tracker->BeginTrack(&f.view, end, 4));
        c.empty(f);
        // The drag is over and the grips are gone, even for a hit test that does not rebuild them (as the
        // overlay's hit mark asks).
        EXPECT_FALSE(tracker->IsTracking());
        EXPECT_EQ(tracker->GetHandleCount(), 0);
        EXPECT_EQ(tracker->HitTest(&f.view, end, 4, 0), FeatureTrackerBase::kHitNone);
        EXPECT_FALSE(tracker->EndTrack(&f.view, RuVaPnt2d(120, 60)));
    }
}

TEST(SelectionTracker, PartlyUnselectedKeepsTheDragOfWhatIsLeft)
{
    SelectionFixture f;
    FeatureTrackerBase* tracker = f.Sel().GetFeatureTracker();
    f.view.SetFeatureTracker(tracker);
    SelectOne(f, f.h);
    SelectOne(f, f.v);
    ASSERT_TRUE(tracker->BeginTrack(&f.view, Client(f.view, 100, 50), 4));
    f.Sel().UnselectFeature(FeatureRecord(f.v, -1));
    EXPECT_TRUE(tracker->IsTracking());
    ASSERT_TRUE(tracker->EndTrack(&f.view, RuVaPnt2d(110, 50)));
    EXPECT_EQ(static_cast<const Line2dFeature*>(f.doc.GetFeature(f.h))->GetEndPoint(), RuVaPnt2d(110, 50));
    EXPECT_EQ(tracker->GetHandleCount(), 3);
}
