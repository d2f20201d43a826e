// Command previews over the picture (rubber band, drag image) and grip editing of the selection.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "ViewFixture.h"

#include "platform/afx/CDWordArray.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Rubberband.h"
#include "libs/vevure/SelectionManager.h"

namespace {

constexpr QRgb kGreen = 0x00FF00;

int Count(const QImage& image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += Px(image, x, y) == color;
    return n;
}

class CountingTracker : public FeatureTrackerBase
{
public:
    using FeatureTrackerBase::FeatureTrackerBase;
    BOOL OnCommitTrack(CDWordArray& ids) override
    {
        committed = (int)ids.GetSize();
        return TRUE;
    }
    int committed = 0;
};

}  // namespace

TEST(ViewOverlay, RubberbandAndDragDrawOverThePictureAndAreWiped)
{
    ViewFixture f;
    f.Render();
    const QImage before = f.view.GetFrame()->copy();

    Rubberband band;
    EXPECT_FALSE(band.DrawLine(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1), RGB(0, 255, 0)));  // not begun
    ASSERT_TRUE(band.BeginDraw(&f.view, &f.doc));
    EXPECT_TRUE(band.DrawLine(RuVaPnt2d(10.5, 49.5), RuVaPnt2d(110.5, 49.5), RGB(0, 255, 0)));
    band.EndDraw();
    EXPECT_GE(Count(*f.view.GetFrame(), kGreen), 99);
    f.view.RestoreView();
    EXPECT_EQ(*f.view.GetFrame(), before);

    // A drag image of a circle placed with its centre at the cursor, scaled by two.
    Drag drag;
    EXPECT_TRUE(drag.IsEmptyDragData());
    Circle2dFeature c(RuVaPnt2d(0, 0), 10);
    ASSERT_TRUE(drag.AddFeature(f.drawing, nullptr, &c, TRUE));
    drag.SetOrigin(RuVaPnt2d(0, 0));
    drag.SetScale(2, 2);
    ASSERT_TRUE(drag.DrawDrag(&f.doc, &f.view, RuVaPnt2d(100, 50), 0.0, RGB(0, 255, 0)));
    const QImage& frame = *f.view.GetFrame();
    EXPECT_EQ(Px(frame, 100, 50), 0xFFFFFFu);                      // the centre stays clear
    int ring = 0;
    for (int x = 76; x <= 84; ++x)
        ring += Px(frame, x, 50) == kGreen;                         // radius 20 about pixel (100, 50)
    EXPECT_GE(ring, 1);
    f.view.RestoreView();
    EXPECT_EQ(*f.view.GetFrame(), before);
    drag.ClearDragData();
    EXPECT_TRUE(drag.IsEmptyDragData());
    EXPECT_FALSE(drag.DrawDrag(&f.doc, &f.view, RuVaPnt2d(100, 50)));
}

TEST(ViewOverlay, GripsOfTheSelectionAreHitDraggedAndCommittedAsOneUndoStep)
{
    ViewFixture f;
    Line2dFeature line(RuVaPnt2d(20, 20), RuVaPnt2d(120, 20));
    const long id = f.Add(line);
    SelectionManager* sel = f.doc.GetSelectionManager();
    ASSERT_TRUE(sel->SelectFeature(FeatureRecord(id, -1), FALSE));
    CountingTracker tracker(&f.doc);
    f.view.SetFeatureTracker(&tracker);

    // The grips show on the picture: the two ends and the middle.
    f.view.InvalidateView();
    const QImage shown = f.Render();
    EXPECT_EQ(Px(shown, 120, 80), 0x0000FFu);
    EXPECT_EQ(Px(shown, 70, 80), 0x0000FFu);
    EXPECT_EQ(Px(shown, 95, 80), 0xFF0000u);  // the line, in the selection colour
    EXPECT_EQ(Px(shown, 95, 84), 0xFFFFFFu);

    // Grips: the two ends and the middle. World (120, 20) is client (120, 80).
    EXPECT_EQ(tracker.HitTest(&f.view, CPoint(121, 81), 4, 1), 2);
    EXPECT_EQ(tracker.GetHandleCount(), 3);
    EXPECT_EQ(tracker.HitTest(&f.view, CPoint(90, 80), 4, 0), FeatureTrackerBase::kHitBody);
    EXPECT_EQ(tracker.HitTest(&f.view, CPoint(90, 30), 4, 0), FeatureTrackerBase::kHitNone);

    ASSERT_TRUE(tracker.BeginTrack(&f.view, CPoint(121, 81), 4));
    EXPECT_TRUE(tracker.IsTracking());
    f.Render();
    ASSERT_TRUE(f.view.BeginDrawTemporaryFeature());
    tracker.Tracking(&f.view, 150, 50, RuVaPnt2d(150, 50), RGB(0, 255, 0));
    f.view.EndDrawTemporaryFeature();
    EXPECT_GT(Count(*f.view.GetFrame(), kGreen), 50);
    RuVaPnt2d base;
    double angle = 1;
    ASSERT_TRUE(tracker.GetBasePoint(&f.view, base, angle));
    EXPECT_EQ(base, RuVaPnt2d(120, 20));

    const int undo = f.doc.GetUndoCount();
    ASSERT_TRUE(tracker.EndTrack(&f.view, RuVaPnt2d(150, 50)));
    EXPECT_FALSE(tracker.IsTracking());
    EXPECT_EQ(tracker.committed, 1);
    const auto* moved = static_cast<const Line2dFeature*>(f.doc.GetFeature(id));
    EXPECT_EQ(moved->GetStartPoint(), RuVaPnt2d(20, 20));
    EXPECT_EQ(moved->GetEndPoint(), RuVaPnt2d(150, 50));
    EXPECT_EQ(f.doc.GetUndoCount(), undo + 1);
    ASSERT_TRUE(f.doc.Undo());
    EXPECT_EQ(static_cast<const Line2dFeature*>(f.doc.GetFeature(id))->GetEndPoint(), RuVaPnt2d(120, 20));

    // A selected grip moves with the one dragged: both ends move, the line keeps its length.
    tracker.UpdateHandles(&f.view);
    ASSERT_TRUE(tracker.SelectHandle(&f.view, 0));
    ASSERT_TRUE(tracker.BeginTrack(&f.view, CPoint(120, 80), 4));
    ASSERT_TRUE(tracker.EndTrack(&f.view, RuVaPnt2d(125, 25)));
    moved = static_cast<const Line2dFeature*>(f.doc.GetFeature(id));
    EXPECT_EQ(moved->GetStartPoint(), RuVaPnt2d(25, 25));
    EXPECT_EQ(moved->GetEndPoint(), RuVaPnt2d(125, 25));

    // Cancelling changes nothing; a track ending where it began commits nothing.
    ASSERT_TRUE(tracker.BeginTrack(&f.view, CPoint(125, 75), 4));
    tracker.CancelTrack(&f.view);
    EXPECT_FALSE(tracker.IsTracking());
    ASSERT_TRUE(tracker.BeginTrack(&f.view, CPoint(125, 75), 4));
    EXPECT_FALSE(tracker.EndTrack(&f.view, RuVaPnt2d(125, 25)));

    // Nudging moves the selection by pixels (mode 0) or units.
    ASSERT_TRUE(tracker.Nudge(&f.view, 39, 1, 0, 3));
    EXPECT_EQ(static_cast<const Line2dFeature*>(f.doc.GetFeature(id))->GetStartPoint(), RuVaPnt2d(28, 25));
    ASSERT_TRUE(tracker.Nudge(&f.view, 38, 2, 1, 0.5));
    EXPECT_EQ(static_cast<const Line2dFeature*>(f.doc.GetFeature(id))->GetStartPoint(), RuVaPnt2d(28, 26));
    EXPECT_FALSE(tracker.Nudge(&f.view, 65, 1, 0, 3));
}

TEST(ViewOverlay, GripsOfEveryKindMoveWhatTheyHold)
{
    Circle2dFeature circle(RuVaPnt2d(0, 0), 10);
    struct Case {
        int grip;
        RuVaPnt2d to;
        RuVaPnt2d centre;
        double radius;
    } cases[] = {{0, RuVaPnt2d(5, 5), RuVaPnt2d(5, 5), 10}, {1, RuVaPnt2d(0, 20), RuVaPnt2d(0, 0), 20},
                 {4, RuVaPnt2d(0, -3), RuVaPnt2d(0, 0), 3}};
    for (const Case& c : cases) {
        std::unique_ptr<Feature2dBase> moved(FeatureTrackerBase::MoveGrip(&circle, c.grip, c.to));
        ASSERT_TRUE(moved) << c.grip;
        EXPECT_EQ(static_cast<Circle2dFeature*>(moved.get())->GetCenterPoint(), c.centre);
        EXPECT_DOUBLE_EQ(static_cast<Circle2dFeature*>(moved.get())->GetRadius(), c.radius);
    }
    EXPECT_EQ(FeatureTrackerBase::MoveGrip(&circle, 5, RuVaPnt2d(1, 1)), nullptr);
    EXPECT_EQ(FeatureTrackerBase::MoveGrip(&circle, 0, RuVaPnt2d(std::nan(""), 1)), nullptr);
    EXPECT_EQ(FeatureTrackerBase::MoveGrip(&circle, 2, RuVaPnt2d(0, 0)), nullptr);  // a radius of 0 is refused

    Polyline2dFeature closed;
    ASSERT_TRUE(closed.SetPointArray(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10), RuVaPnt2d(0, 0)}));
    std::unique_ptr<Feature2dBase> moved(FeatureTrackerBase::MoveGrip(&closed, 0, RuVaPnt2d(-1, -1)));
    ASSERT_TRUE(moved);
    const auto* pl = static_cast<Polyline2dFeature*>(moved.get());
    EXPECT_EQ(pl->GetPoint(0), RuVaPnt2d(-1, -1));
    EXPECT_EQ(pl->GetPoint(3), RuVaPnt2d(-1, -1));  // the chain stays closed

    PointMarker2dFeature marker;
    std::vector<RuVaPnt2d> grips;
    FeatureTrackerBase::GetGrips(&marker, grips);
    ASSERT_EQ(grips.size(), 1u);
    moved.reset(FeatureTrackerBase::MoveGrip(&marker, 0, RuVaPnt2d(3, 4)));
    ASSERT_TRUE(moved);
    EXPECT_EQ(static_cast<PointMarker2dFeature*>(moved.get())->GetPoint(), RuVaPnt2d(3, 4));
}

TEST(ViewOverlay, AnyOverlayIsWipedExactly)
{
    ViewFixture f(320, 200);
    Line2dFeature line(RuVaPnt2d(10, 10), RuVaPnt2d(300, 190));
    f.Add(line);
    f.Render();
    const QImage picture = f.view.GetPicture()->copy();
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> px(-400, 700), kind(0, 8);
    std::uniform_real_distribution<double> angle(0, 360);
    for (int round = 0; round < 200; ++round) {
        ASSERT_TRUE(f.view.BeginDrawTemporaryFeature());
        ASSERT_TRUE(f.view.BeginDraw());
        for (int k = 0; k < 4; ++k) {
            const CPoint a(px(rng), px(rng)), b(px(rng), px(rng));
            const RuVaPnt2d wa = f.view.ConvertPointClientToWorld(a), wb = f.view.ConvertPointClientToWorld(b);
            switch (kind(rng)) {
            case 0: f.view.DrawMouseCursor(a, TRUE, 7, TRUE, RGB(1, 2, 3), 0); break;
            case 1: f.view.DrawSnapMark(wa, 6, RGB(4, 5, 6), 1u << (round % 13)); break;
            case 2: f.view.DrawAngularSnapLine(wa, angle(rng), angle(rng), RGB(7, 8, 9)); break;
            case 3: f.view.DrawSnapText(a, 5, 0x10, 1, 45.0, 0, 2); break;
            case 4: f.view.DrawRectangleMarquee(a, b, 2); break;
            case 5: f.view.DrawPolygonMarquee({a, b, CPoint(b.x, a.y)}, 1); break;
            case 6: f.view.DrawOverlayPolyline(KcArrayOfGePnt2d{wa, wb, RuVaPnt2d(wa.X(), wb.Y())}, RGB(0, 255, 0), TRUE); break;
            case 7: {
                Circle2dFeature c(wa, std::fabs(wa.X() - wb.X()) + 0.5);
                f.view.DrawOverlayFeature(&c, RGB(0, 128, 0));
                break;
            }
            default: f.view.DrawHitMark(a, RGB(9, 9, 9)); break;
            }
        }
        f.view.EndDraw();
        f.view.EndDrawTemporaryFeature();
        f.view.RestoreView();
        ASSERT_EQ(*f.view.GetFrame(), picture) << "round " << round;
    }
}
