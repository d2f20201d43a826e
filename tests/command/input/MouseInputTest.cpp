// The command manager fed with mouse messages over a real data-model view (no window): the cursor
// snaps to the points of shapes and to the grid within the pick box, clicks fill the line command's
// points with the snapped points, and the overlay drawn over the kept picture is wiped without a
// trace.

#include <gtest/gtest.h>

#include <QImage>

#include <vector>

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "commands/shape/Line2dCommand.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Snap.h"
#include "platform/win/WinConstants.h"
#include "tests/support/command/ManagerFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kLineID = 33412;

class MouseInputTest : public kctest::ManagerFixture
{
protected:
    void SetUp() override
    {
        ManagerFixture::SetUp();
        SetSnap(TRUE, 0x001E);  // end, middle, centre and intersection points
    }
    void AddShapes()
    {
        Add(Line2dFeature(P(-2, 0), P(2, 0)));
        Add(Line2dFeature(P(1, -1), P(1, 3)));
        Add(Circle2dFeature(P(-2, 3), u / 8));
    }
    std::vector<const Line2dFeature*> Lines() const
    {
        std::vector<const Line2dFeature*> lines;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
            if (const auto* p = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id)))
                lines.push_back(p);
        return lines;
    }
};

using kctest::ExpectNear;

}  // namespace

TEST_F(MouseInputTest, TheCursorSnapsToEndMiddleCentreAndIntersectionPointsWithinThePickBox)
{
    AddShapes();
    ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    struct Case {
        const char* what;
        RuVaPnt2d target;
        CPoint offset;  // pixels from the target
        DWORD mask;
        BOOL snaps;
        DWORD kind;
    };
    const DWORD all = 0x001E;
    const Case cases[] = {
        {"end", P(-2, 0), CPoint(3, -2), all, TRUE, Snap::kEnd},
        {"end at the box edge", P(2, 0), CPoint(4, 0), all, TRUE, Snap::kEnd},
        {"middle", P(0, 0), CPoint(-3, 3), all, TRUE, Snap::kMiddle},
        {"centre", P(-2, 3), CPoint(2, 2), all, TRUE, Snap::kCentre},
        {"intersection", P(1, 0), CPoint(-2, 3), all, TRUE, Snap::kIntersection},
        {"end outside the box", P(-2, 0), CPoint(-30, 25), all, FALSE, 0},
        {"end with only middles asked", P(-2, 0), CPoint(1, 1), Snap::kMiddle, FALSE, 0},
        {"middle with only ends asked", P(0, 0), CPoint(1, 1), Snap::kEnd, FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CommandManager::SnapOptions options = manager.GetSnapOptions();
        options.dwType = c.mask;
        manager.SetSnapOptions(options);
        const CPoint at = C(c.target);
        manager.OnMouseMove(0, CPoint(at.x + c.offset.x, at.y + c.offset.y));
        EXPECT_EQ(manager.IsSnapped(), c.snaps);
        if (!c.snaps)
            continue;
        EXPECT_EQ(manager.GetSnapKind(), c.kind);
        ExpectNear(manager.GetSnapWorldPoint(), c.target, 1e-9);
        ExpectNear(manager.GetCursorWorldPoint(), c.target, 1e-9);
    }
}

TEST_F(MouseInputTest, TheCursorSnapsToTheGridOnlyWithinTheAperture)
{
    GridSetting grid;
    grid.ShowGrid(TRUE);
    grid.SetOrigin(o);
    grid.SetStep(u, u);
    doc.GetActiveDrawingFeature()->SetGridSetting(grid);
    CommandManager::SnapOptions options;
    options.bGrid = TRUE;
    manager.SetSnapOptions(options);
    ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    struct Case {
        CPoint at;
        BOOL snaps;
        RuVaPnt2d expected;
    };
    const CPoint g = C(P(1, 1));
    const Case cases[] = {
        {CPoint(g.x + 2, g.y - 3), TRUE, P(1, 1)},
        {CPoint(g.x - 4, g.y + 4), TRUE, P(1, 1)},
        {CPoint(g.x + 20, g.y + 20), FALSE, RuVaPnt2d()},  // between grid points, far from both
    };
    for (const Case& c : cases) {
        manager.OnMouseMove(0, c.at);
        EXPECT_EQ(manager.IsSnapped(), c.snaps);
        EXPECT_EQ(manager.GetSnapKind(), 0u);
        if (c.snaps)
            ExpectNear(manager.GetCursorWorldPoint(), c.expected, 1e-9);
    }
}

TEST_F(MouseInputTest, ClicksGiveTheLineCommandTheSnappedPoints)
{
    AddShapes();
    ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    const size_t before = Lines().size();
    const CPoint e = C(P(-2, 0)), c = C(P(-2, 3));
    Click(CPoint(e.x + 2, e.y - 1));
    Click(CPoint(c.x - 3, c.y + 2));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), before + 1);
    ExpectNear(lines.back()->GetStartPoint(), P(-2, 0), 1e-9);
    ExpectNear(lines.back()->GetEndPoint(), P(-2, 3), 1e-9);

    // With snapping off the raw click point is taken.
    CommandManager::SnapOptions off;
    off.bEnabled = FALSE;
    off.bAngularEnabled = FALSE;
    manager.SetSnapOptions(off);
    const CPoint a(e.x + 2, e.y - 1), b(c.x - 3, c.y + 2);
    Click(a);
    Click(b);
    const auto more = Lines();
    ASSERT_EQ(more.size(), before + 2);
    ExpectNear(more.back()->GetStartPoint(), view.ConvertPointClientToWorld(a, TRUE), 1e-9);
    ExpectNear(more.back()->GetEndPoint(), view.ConvertPointClientToWorld(b, TRUE), 1e-9);
}

TEST_F(MouseInputTest, TheOverlayIsDrawnOverTheKeptPictureAndWipedWithoutATrace)
{
    AddShapes();
    ASSERT_EQ(view.DrawView(nullptr), 1);
    ASSERT_TRUE(view.IsPictureValid());
    const QImage picture = view.GetPicture()->copy();
    const qint64 key = view.GetPicture()->cacheKey();
    ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    Click(CPoint(60, 60));
    ASSERT_EQ(view.DrawView(nullptr), 1);  // the click asked for a new picture
    const QImage rendered = view.GetPicture()->copy();
    const qint64 renderedKey = view.GetPicture()->cacheKey();
    (void)key;
    (void)picture;
    for (const CPoint p : {CPoint(300, 80), CPoint(250, 250), CPoint(20, 280)}) {
        manager.OnMouseMove(0, p);
        EXPECT_EQ(view.GetPicture()->cacheKey(), renderedKey);
        EXPECT_NE(*view.GetFrame(), rendered);  // cursor and rubber band
    }
    view.RestoreView();
    EXPECT_EQ(*view.GetFrame(), rendered);
    EXPECT_EQ(view.GetPicture()->cacheKey(), renderedKey);
}

TEST_F(MouseInputTest, MiddleButtonPansAndKeysScroll)
{
    const RuVaPnt2d before = view.ConvertPointClientToWorld(CPoint(200, 150), TRUE);
    manager.OnMButtonDown(MK_MBUTTON, CPoint(100, 100));
    EXPECT_TRUE(manager.IsMiddleButtonPanning());
    manager.OnMouseMove(MK_MBUTTON, CPoint(101, 101));  // under two pixels: waits
    ExpectNear(view.ConvertPointClientToWorld(CPoint(200, 150), TRUE), before, 1e-9);
    manager.OnMouseMove(MK_MBUTTON, CPoint(140, 120));
    manager.OnMButtonUp(0, CPoint(140, 120));
    EXPECT_FALSE(manager.IsMiddleButtonPanning());
    // The drawing moved with the mouse: the point under (200,150) is now under (240,170).
    ExpectNear(view.ConvertPointClientToWorld(CPoint(240, 170), TRUE), before, 1.0 / view.GetScale());

    const RuVaPnt2d mid = view.ConvertPointClientToWorld(CPoint(200, 150), TRUE);
    EXPECT_TRUE(manager.OnKeyDown(VK_LEFT, 1, 0));
    EXPECT_LT(view.ConvertPointClientToWorld(CPoint(200, 150), TRUE).X(), mid.X());
    EXPECT_TRUE(manager.OnKeyDown(VK_ESCAPE, 1, 0));
}

TEST_F(MouseInputTest, AClickThroughAScaledAndRotatedPartLayoutGivesThePartsOwnCoordinates)
{
    DrawingFeatureBase* pPaper = doc.GetActiveDrawingFeature();
    ASSERT_NE(pPaper, nullptr);
    doc.BeginUndoOperation(nullptr);
    const long partID = doc.AddPartDrawingFeature(u"Part");
    ASSERT_NE(partID, -1);
    const long layoutID = doc.AddPartLayout(pPaper->GetDrawingID(), partID, u"Detail", -1, 0);
    ASSERT_NE(layoutID, -1);
    ASSERT_TRUE(doc.SetPartLayoutOrigin(layoutID, RuVaPnt2d(o.X() + 10, o.Y() - 5), 0));
    ASSERT_TRUE(doc.SetPartLayoutAngle(layoutID, 90.0, 0));
    ASSERT_TRUE(doc.SetPartLayoutScale(layoutID, 2.0, 1.0, FALSE, 2.0, 1.0, 0));
    doc.EndUndoOperation();
    PartDrawingLayout* pLayout = doc.GetPartLayoutByID(layoutID);
    ASSERT_NE(pLayout, nullptr);
    view.SetActiveLayout(pLayout);

    CommandManager::SnapOptions off;
    off.bEnabled = FALSE;
    off.bAngularEnabled = FALSE;
    manager.SetSnapOptions(off);
    ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    CommandBase* pLine = manager.GetActiveCommand();
    ASSERT_NE(pLine, nullptr);
    // A point 20 world units right of and 10 above the layout's origin.
    const double s = view.GetScale();
    const RuVaPnt2d world(o.X() + 10 + 20, o.Y() - 5 + 10);
    const CPoint at = view.ConvertPointWorldToClient(world);
    const RuVaPnt2d clicked = view.ConvertPointClientToWorld(at, TRUE);
    manager.OnMouseMove(0, at);
    manager.OnLButtonDown(MK_LBUTTON, at);
    const auto* pStart = dynamic_cast<const PointParameterItem*>(pLine->FindItem(Line2dCommand::itemStartPoint));
    ASSERT_NE(pStart, nullptr);
    ASSERT_FALSE(pStart->IsEmpty());
    // Local to the part: the offset turned back by 90 degrees and halved: (dy, -dx) / 2.
    const double dx = clicked.X() - (o.X() + 10), dy = clicked.Y() - (o.Y() - 5);
    EXPECT_NEAR(pStart->m_point.X(), dy / 2, 1.0 / s);
    EXPECT_NEAR(pStart->m_point.Y(), -dx / 2, 1.0 / s);
}

TEST_F(MouseInputTest, WithoutACommandClicksSelectShapesAndTwoClicksSelectByRectangle)
{
    Add(Line2dFeature(P(-2, 0), P(-1, 0)));
    Add(Line2dFeature(P(1, 1), P(2, 1)));
    Add(Line2dFeature(P(1, -1), P(2, -2)));
    const long first = doc.GetNextFeatureRecordID(-1);
    SelectionManager* pSelection = doc.GetSelectionManager();
    ASSERT_NE(pSelection, nullptr);
    manager.SetSelectionOptions(1, 1, 1, FALSE);

    // A click on a shape selects it; Shift and a click on it again takes it away. The clicks stay clear of
    // the selected line's grips (ends and middle), where Shift picks the grip instead.
    CommandManager::SnapOptions small = manager.GetSnapOptions();
    small.nBoxSize = 4;
    manager.SetSnapOptions(small);
    Click(C(P(-1.25, 0)));
    EXPECT_EQ(pSelection->GetSelectedFeatureCount(), 1);
    EXPECT_TRUE(pSelection->IsFeatureSelected(FeatureRecord(first, -1)));
    EXPECT_FALSE(manager.IsFenceActive());
    const CPoint on = C(P(-1.25, 0));
    manager.OnMouseMove(MK_SHIFT, on);
    manager.OnLButtonDown(MK_LBUTTON | MK_SHIFT, on);
    EXPECT_TRUE(pSelection->IsSelectionEmpty());

    // A click on empty space starts a rectangle; the second corner selects what lies inside it.
    Click(C(P(0.5, 2.5)));
    EXPECT_TRUE(manager.IsFenceActive());
    EXPECT_TRUE(pSelection->IsSelectionEmpty());
    Click(C(P(2.5, 0.5)));
    EXPECT_FALSE(manager.IsFenceActive());
    EXPECT_EQ(pSelection->GetSelectedFeatureCount(), 1);
    EXPECT_FALSE(pSelection->IsFeatureSelected(FeatureRecord(first, -1)));

    // Escape drops a fence that was started.
    Click(C(P(0, -3)));
    ASSERT_TRUE(manager.IsFenceActive());
    manager.OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_FALSE(manager.IsFenceActive());
}

TEST_F(MouseInputTest, WindowZoomRealtimePanAndRealtimeZoomFollowTheMouse)
{
    ASSERT_EQ(view.DrawView(nullptr), 1);
    // Window zoom: two corners; the rectangle is drawn between them and then fills the view.
    manager.SetViewCommandMode(2);
    const RuVaPnt2d centre = view.ConvertPointClientToWorld(CPoint(150, 130), TRUE);
    const double scale = view.GetScale();
    Click(CPoint(100, 100));
    EXPECT_EQ(manager.GetViewCommandMode(), 2);
    manager.OnMouseMove(0, CPoint(200, 160));
    ASSERT_EQ(view.DrawView(nullptr), 1);
    manager.OnMouseMove(0, CPoint(200, 160));
    EXPECT_NE(*view.GetFrame(), *view.GetPicture());
    Click(CPoint(200, 160));
    EXPECT_EQ(manager.GetViewCommandMode(), 0);
    EXPECT_GT(view.GetScale(), scale * 2);
    const RuVaPnt2d middle = view.ConvertPointClientToWorld(CPoint(200, 150), TRUE);
    EXPECT_NEAR(middle.X(), centre.X(), 2.0 / view.GetScale());
    EXPECT_NEAR(middle.Y(), centre.Y(), 2.0 / view.GetScale());

    // Realtime pan: the point under the pressed button stays under the mouse.
    manager.SetViewCommandMode(9);
    const RuVaPnt2d grabbed = view.ConvertPointClientToWorld(CPoint(100, 100), TRUE);
    manager.OnLButtonDown(MK_LBUTTON, CPoint(100, 100));
    manager.OnMouseMove(MK_LBUTTON, CPoint(130, 120));
    manager.OnMouseMove(MK_LBUTTON, CPoint(160, 140));
    manager.OnLButtonUp(0, CPoint(160, 140));
    const RuVaPnt2d now = view.ConvertPointClientToWorld(CPoint(160, 140), TRUE);
    EXPECT_NEAR(now.X(), grabbed.X(), 1.0 / view.GetScale());
    EXPECT_NEAR(now.Y(), grabbed.Y(), 1.0 / view.GetScale());
    // Moves without the button do not pan.
    manager.OnMouseMove(0, CPoint(10, 10));
    const RuVaPnt2d still = view.ConvertPointClientToWorld(CPoint(160, 140), TRUE);
    EXPECT_NEAR(still.X(), grabbed.X(), 1.0 / view.GetScale());

    // Realtime zoom: dragging up enlarges; Escape ends the mode.
    manager.SetViewCommandMode(1);
    const double before = view.GetScale();
    manager.OnLButtonDown(MK_LBUTTON, CPoint(200, 200));
    manager.OnMouseMove(MK_LBUTTON, CPoint(200, 150));
    manager.OnLButtonUp(0, CPoint(200, 150));
    EXPECT_GT(view.GetScale(), before);
    manager.OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_EQ(manager.GetViewCommandMode(), 0);
}

TEST_F(MouseInputTest, PanAndWindowZoomWhileTheLineCommandWaitsLeaveItWaiting)
{
    CommandManager::SnapOptions off;
    off.bEnabled = FALSE;
    off.bAngularEnabled = FALSE;
    manager.SetSnapOptions(off);
    ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    const size_t before = Lines().size();
    const RuVaPnt2d start = view.ConvertPointClientToWorld(CPoint(50, 50), TRUE);
    Click(CPoint(50, 50));

    // One pixel right and one up moves the view by one pixel each way; back to the same pixel, nothing.
    manager.SetViewCommandMode(9);
    const RuVaPnt2d grabbed = view.ConvertPointClientToWorld(CPoint(100, 100), TRUE);
    manager.OnLButtonDown(MK_LBUTTON, CPoint(100, 100));
    manager.OnMouseMove(MK_LBUTTON, CPoint(101, 99));
    EXPECT_EQ(manager.GetViewCommand().GetPointCount(), 1);
    manager.OnMouseMove(MK_LBUTTON, CPoint(101, 99));
    manager.OnLButtonUp(0, CPoint(101, 99));
    const RuVaPnt2d now = view.ConvertPointClientToWorld(CPoint(101, 99), TRUE);
    EXPECT_NEAR(now.X(), grabbed.X(), 1e-9 + 0.01 / view.GetScale());
    EXPECT_NEAR(now.Y(), grabbed.Y(), 1e-9 + 0.01 / view.GetScale());
    manager.EndViewCommand();
    EXPECT_EQ(Lines().size(), before) << "the pan clicks went to no command";

    // A window zoom of two clicks; the next click goes to the line command again.
    manager.SetViewCommandMode(2);
    Click(CPoint(20, 20));
    Click(CPoint(300, 250));
    EXPECT_EQ(manager.GetViewCommandMode(), 0);
    EXPECT_EQ(Lines().size(), before);
    const RuVaPnt2d end = view.ConvertPointClientToWorld(CPoint(200, 150), TRUE);
    Click(CPoint(200, 150));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), before + 1);
    ExpectNear(lines.back()->GetStartPoint(), start, 1e-9);
    ExpectNear(lines.back()->GetEndPoint(), end, 1e-9);
}
