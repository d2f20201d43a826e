// The drawing view inside a real application, offscreen, driven by its window messages: it paints its
// drawing through the data model's view, zooms with the wheel about the cursor, and hands clicks and
// moves to the command manager so that the line command makes lines, with the rubber band drawn over
// the kept picture and the cursor snapped to the points of shapes.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QWidget>

#include <utility>
#include <vector>

#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/NumericFormat.h"
#include "platform/win/CCmdUI.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Snap.h"
#include "tests/support/app/DrawingViewFixture.h"
#include "tests/support/app/RecordingCmdUI.h"

using QZ2Command::CommandManager;

namespace {

constexpr UINT kLineID = 33412;

class DrawingViewTest : public DrawingViewFixture
{
protected:
    std::vector<const Line2dFeature*> Lines() const
    {
        std::vector<const Line2dFeature*> lines;
        for (long id = model->GetNextFeatureRecordID(-1); id != -1; id = model->GetNextFeatureRecordID(id))
            if (const auto* p = dynamic_cast<const Line2dFeature*>(model->GetFeature(id)))
                lines.push_back(p);
        return lines;
    }
};

void ExpectNear(const RuVaPnt2d& a, const RuVaPnt2d& b, double tol)
{
    EXPECT_NEAR(a.X(), b.X(), tol);
    EXPECT_NEAR(a.Y(), b.Y(), tol);
}

}  // namespace

TEST_F(DrawingViewTest, PaintsItsDrawingThroughTheDataModelView)
{
    view->GetQWidget()->repaint();
    Pump();
    ASSERT_TRUE(d2->IsPictureValid());
    const QImage* pPicture = d2->GetPicture();
    ASSERT_NE(pPicture, nullptr);
    EXPECT_EQ(pPicture->size(), QSize(400, 300));
    const QImage shot = view->GetQWidget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage frameImage = d2->GetFrame()->convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shot.size(), frameImage.size());
    EXPECT_EQ(shot.pixel(200, 150), frameImage.pixel(200, 150));
    EXPECT_EQ(shot.pixel(5, 5), frameImage.pixel(5, 5));
}

TEST_F(DrawingViewTest, TwoClicksWithTheLineCommandMakeALineAtTheClickedPoints)
{
    ASSERT_TRUE(manager->ExecuteCommand(kLineID));
    const CPoint a(100, 80), b(260, 200);
    const RuVaPnt2d wa = World(a), wb = World(b);
    Click(a);
    EXPECT_TRUE(Lines().empty());
    Click(b);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    ExpectNear(lines[0]->GetStartPoint(), wa, 1e-9);
    ExpectNear(lines[0]->GetEndPoint(), wb, 1e-9);
    // The command stays for the next line.
    EXPECT_NE(manager->GetActiveCommand(), nullptr);
}

TEST_F(DrawingViewTest, TheRubberBandFollowsTheCursorOverTheKeptPicture)
{
    view->GetQWidget()->repaint();
    Pump();
    ASSERT_TRUE(manager->ExecuteCommand(kLineID));
    Click(CPoint(50, 50));
    view->GetQWidget()->repaint();
    Pump();
    ASSERT_TRUE(d2->IsPictureValid());
    const qint64 rendered = d2->GetPicture()->cacheKey();
    const QImage picture = d2->GetPicture()->copy();

    for (const CPoint p : {CPoint(300, 60), CPoint(320, 250), CPoint(120, 260)}) {
        Move(p);
        Pump();
        // The drawing was not rendered again; the overlay lies over a copy of it.
        EXPECT_EQ(d2->GetPicture()->cacheKey(), rendered);
        EXPECT_EQ(*d2->GetPicture(), picture);
        EXPECT_NE(*d2->GetFrame(), picture);
    }
    // Leaving the view wipes the overlay and leaves the drawing's pixels as they were.
    view->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(d2->GetFrame()->convertToFormat(QImage::Format_ARGB32),
              picture.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(d2->GetPicture()->cacheKey(), rendered);
}

TEST_F(DrawingViewTest, WheelZoomKeepsTheWorldPointUnderTheCursor)
{
    struct Case {
        CPoint at;
        short delta;
    };
    for (const Case c : {Case{CPoint(80, 70), 120}, Case{CPoint(330, 240), 120}, Case{CPoint(200, 20), -120}}) {
        const RuVaPnt2d before = World(c.at);
        const double scale = d2->GetScale();
        CPoint screen = c.at;
        view->ClientToScreen(&screen);
        view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), MAKELPARAM(screen.x, screen.y));
        if (c.delta > 0)
            EXPECT_GT(d2->GetScale(), scale);
        else
            EXPECT_LT(d2->GetScale(), scale);
        ExpectNear(World(c.at), before, 1.0 / d2->GetScale());
    }
}

TEST_F(DrawingViewTest, EscapeKeepsTheCommandAndKeysScrollTheView)
{
    ASSERT_TRUE(manager->ExecuteCommand(kLineID));
    view->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_NE(manager->GetActiveCommand(), nullptr);
    const CPoint p(200, 150);
    const RuVaPnt2d before = World(p);
    view->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_GT(World(p).X(), before.X());
    EXPECT_NEAR(World(p).Y(), before.Y(), 1e-9);
}

TEST_F(DrawingViewTest, ClicksSnapToThePointsOfShapesNearTheCursor)
{
    // Shapes in world units about the middle of the view.
    const RuVaPnt2d o = World(CPoint(200, 150));
    const double u = 40.0 / d2->GetScale();  // 40 pixels
    AddShape(Line2dFeature(RuVaPnt2d(o.X() - 2 * u, o.Y()), RuVaPnt2d(o.X() + 2 * u, o.Y())));
    AddShape(Line2dFeature(RuVaPnt2d(o.X() + u, o.Y() - u), RuVaPnt2d(o.X() + u, o.Y() + 3 * u)));
    AddShape(Circle2dFeature(RuVaPnt2d(o.X() - 2 * u, o.Y() + 3 * u), u / 8));
    struct Case {
        const char* what;
        RuVaPnt2d target;
        DWORD kind;
    };
    const Case cases[] = {
        {"end", RuVaPnt2d(o.X() - 2 * u, o.Y()), Snap::kEnd},
        {"middle", RuVaPnt2d(o.X(), o.Y()), Snap::kMiddle},
        {"centre", RuVaPnt2d(o.X() - 2 * u, o.Y() + 3 * u), Snap::kCentre},
        {"intersection", RuVaPnt2d(o.X() + u, o.Y()), Snap::kIntersection},
    };
    ASSERT_TRUE(manager->ExecuteCommand(kLineID));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CPoint exact = d2->ConvertPointWorldToClient(c.target);
        const CPoint near(exact.x + 3, exact.y - 2);  // inside the 10-pixel box
        Move(near);
        EXPECT_TRUE(manager->IsSnapped());
        EXPECT_EQ(manager->GetSnapKind(), c.kind);
        ExpectNear(manager->GetSnapWorldPoint(), c.target, 1e-9);
    }
    // Far from every shape nothing snaps.
    Move(CPoint(390, 10));
    EXPECT_FALSE(manager->IsSnapped());

    // A line from the end point to the intersection, exactly.
    const size_t before = Lines().size();
    const CPoint e = d2->ConvertPointWorldToClient(cases[0].target);
    const CPoint x = d2->ConvertPointWorldToClient(cases[3].target);
    Click(CPoint(e.x + 2, e.y + 2));
    Click(CPoint(x.x - 2, x.y + 3));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), before + 1);
    ExpectNear(lines.back()->GetStartPoint(), cases[0].target, 1e-9);
    ExpectNear(lines.back()->GetEndPoint(), cases[3].target, 1e-9);
}

TEST_F(DrawingViewTest, AClickThatMakesNoLineLeavesTheEndPointAsItWas)
{
    ASSERT_TRUE(manager->ExecuteCommand(kLineID));
    QZ2Command::CommandBase* pLine = manager->GetActiveCommand();
    ASSERT_NE(pLine, nullptr);
    const CPoint a(120, 90);
    Click(a);
    const int endIndex = pLine->GetPickParameterIndex();
    ASSERT_GE(endIndex, 0);
    ASSERT_TRUE(pLine->IsParameterEmpty(endIndex));
    // The same point again makes no line: the run fails and the end point is empty again.
    Move(a);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(a));
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(pLine->IsParameterEmpty(endIndex));
    EXPECT_EQ(manager->GetActiveCommand(), pLine);
    // The next good click still makes the line from the first point.
    Click(CPoint(220, 190));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    ExpectNear(lines[0]->GetStartPoint(), World(a), 1e-9);
}

TEST_F(DrawingViewTest, ViewCommandsZoomAndToggleTheirModesWithCheckMarks)
{
    struct Step {
        UINT id;
        int scaleChange;  // +1 larger, -1 smaller, 0 the same
    };
    for (const Step s : {Step{34030, +1}, Step{34031, -1}, Step{34026, 0}}) {
        SCOPED_TRACE(s.id);
        const double before = d2->GetScale();
        view->SendMessage(WM_COMMAND, s.id);
        if (s.scaleChange > 0)
            EXPECT_GT(d2->GetScale(), before);
        else if (s.scaleChange < 0)
            EXPECT_LT(d2->GetScale(), before);
        else
            EXPECT_EQ(d2->GetScale(), before);
    }
    for (const auto& [id, mode] : {std::pair<UINT, int>{34027, 2}, {34028, 1}, {34029, 9}}) {
        SCOPED_TRACE(id);
        view->SendMessage(WM_COMMAND, id);
        EXPECT_EQ(manager->GetViewCommandMode(), mode);
        RecordingCmdUI on(id);
        on.DoUpdate(view, FALSE);
        EXPECT_TRUE(on.enabled);
        EXPECT_EQ(on.check, 1);
        view->SendMessage(WM_COMMAND, id);
        EXPECT_EQ(manager->GetViewCommandMode(), 0);
        RecordingCmdUI off(id);
        off.DoUpdate(view, FALSE);
        EXPECT_EQ(off.check, 0);
    }
    RecordingCmdUI paper(34032);
    paper.DoUpdate(view, FALSE);
    EXPECT_TRUE(paper.enabled);
}

TEST_F(DrawingViewTest, TheCoordinatePaneShowsTheCursorFromTheUserOrigin)
{
    model->GetActiveDrawingFeature()->SetUserOrigin(RuVaPnt2d(10, 20));
    const CPoint at(150, 100);
    Move(at);
    RecordingCmdUI pane(168);
    pane.DoUpdate(view, FALSE);
    EXPECT_TRUE(pane.enabled);
    const RuVaPnt2d world = World(at);
    CString expected;
    ASSERT_TRUE(NumericFormat::PointToString(RuVaPnt2d(world.X() - 10, world.Y() - 20), expected, -1, -1, -1));
    EXPECT_EQ(pane.text, expected);

    // Another view current: the pane is empty.
    manager->SetActiveDraw2dView(nullptr);
    RecordingCmdUI other(168);
    other.DoUpdate(view, FALSE);
    EXPECT_EQ(other.text, CString());
}

TEST_F(DrawingViewTest, MovesReachTheManagerOnlyWhileTheViewIsCurrent)
{
    Move(CPoint(50, 60));
    EXPECT_EQ(manager->GetCursorClientPoint(), CPoint(50, 60));
    manager->SetActiveDraw2dView(nullptr);
    Move(CPoint(70, 80));
    EXPECT_EQ(manager->GetCursorClientPoint(), CPoint(50, 60));
}

TEST_F(DrawingViewTest, LongRedrawsStopForWaitingScrollKeysAndWheelTurns)
{
    Pump();
    EXPECT_EQ(CQZ2View::ContinueDrawing(d2), 1);  // nothing waits
    QWidget* pWidget = view->GetQWidget();
    struct Case {
        const char* what;
        QEvent* event;
        int expected;
    };
    const QPointF at(100, 100);
    const Case cases[] = {
        {"page down", new QKeyEvent(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier), 0},
        {"left", new QKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier), 0},
        {"a letter", new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u"a"_qs), 1},
        {"wheel", new QWheelEvent(at, pWidget->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QCoreApplication::postEvent(pWidget, c.event);
        EXPECT_EQ(CQZ2View::ContinueDrawing(d2), c.expected);
        Pump();  // the input is handled and gone
    }
}
