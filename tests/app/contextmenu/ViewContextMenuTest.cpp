// The right click in a real drawing view, offscreen, driven by its window messages: the shape under the
// cursor becomes the selection and the edit menu opens for it, without a selection the default menu
// opens, while a command runs its menu does, and a right-button pan that moved the view opens none.
// Grips of the selection are dragged through the view's messages.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QAction>
#include <QtWidgets/QMenu>

#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "tests/support/app/DrawingViewFixture.h"

using QZ2Command::CommandManager;

namespace {

constexpr UINT kLineID = 33412;

class ViewContextMenuTest : public DrawingViewFixture
{
protected:
    void SetUp() override
    {
        DrawingViewFixture::SetUp();
        if (HasFatalFailure())
            return;
        CommandManager::SnapOptions options;
        options.bGrid = FALSE;
        options.bEnabled = FALSE;
        manager->SetSnapOptions(options);
        // A line across the middle of the view.
        a = World(CPoint(100, 150));
        b = World(CPoint(300, 150));
        id = AddShape(Line2dFeature(a, b));
        ASSERT_GT(id, 0);
    }
    void TearDown() override
    {
        CloseMenu();
        DrawingViewFixture::TearDown();
    }

    // Button down and the menu message that follows the release.
    void RightClick(const CPoint& p, UINT nFlags = 0)
    {
        view->SendMessage(WM_MOUSEMOVE, nFlags, At(p));
        view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON | nFlags, At(p));
        view->SendMessage(WM_RBUTTONUP, nFlags, At(p));
        ContextMenu(p);
    }
    void ContextMenu(const CPoint& p)
    {
        CPoint screen = p;
        view->ClientToScreen(&screen);
        view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->GetSafeHwnd()), MAKELPARAM(screen.x, screen.y));
    }
    // The texts of the open popup's top entries, empty when none is open.
    QStringList OpenMenu() const
    {
        QStringList texts;
        CBCGPPopupMenu* pMenu = CBCGPPopupMenu::GetActiveMenu();
        if (pMenu == nullptr || pMenu->GetQMenu() == nullptr)
            return texts;
        for (QAction* pAction : pMenu->GetQMenu()->actions())
            texts << pAction->text();
        return texts;
    }
    void CloseMenu()
    {
        if (CBCGPPopupMenu* pMenu = CBCGPPopupMenu::GetActiveMenu())
            pMenu->CloseMenu();
        Pump();
    }
    BOOL Selected() const { return model->GetSelectionManager()->IsFeatureSelected(FeatureRecord(id, -1)); }

    RuVaPnt2d a, b;
    long id = -1;
};

}  // namespace

TEST_F(ViewContextMenuTest, ARightClickOnAShapeSelectsItAndOpensTheEditMenu)
{
    RightClick(CPoint(160, 150));
    EXPECT_TRUE(Selected());
    const QStringList texts = OpenMenu();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.contains(QStringLiteral("Move")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Copy")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Fillet")));
}

TEST_F(ViewContextMenuTest, OnEmptySpaceTheDefaultMenuOpensAndWhileACommandRunsItsMenu)
{
    RightClick(CPoint(60, 40));
    EXPECT_FALSE(Selected());
    QStringList texts = OpenMenu();
    EXPECT_TRUE(texts.contains(QStringLiteral("Select &All")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Move")));
    CloseMenu();

    ASSERT_TRUE(manager->ExecuteCommand(kLineID));
    RightClick(CPoint(160, 150));
    EXPECT_FALSE(Selected());  // a running command's right click selects nothing
    texts = OpenMenu();
    EXPECT_TRUE(texts.contains(QStringLiteral("&End Command")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Basic Shape Settings...")));
}

TEST_F(ViewContextMenuTest, ARightButtonPanThatMovedOpensNoMenu)
{
    const CPoint start(200, 100);
    view->SendMessage(WM_MOUSEMOVE, MK_SHIFT, At(start));
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, At(start));
    EXPECT_TRUE(manager->IsMiddleButtonPanning());
    view->SendMessage(WM_MOUSEMOVE, MK_RBUTTON | MK_SHIFT, At(CPoint(240, 130)));
    view->SendMessage(WM_RBUTTONUP, MK_SHIFT, At(CPoint(240, 130)));
    ContextMenu(CPoint(240, 130));
    EXPECT_FALSE(manager->IsMiddleButtonPanning());
    EXPECT_TRUE(OpenMenu().isEmpty());

    // A pan that did not move shows the menu.
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, At(start));
    view->SendMessage(WM_RBUTTONUP, MK_SHIFT, At(start));
    ContextMenu(start);
    EXPECT_FALSE(OpenMenu().isEmpty());
}

TEST_F(ViewContextMenuTest, AGripDraggedInTheViewMovesTheEndOfTheLine)
{
    EXPECT_EQ(d2->GetFeatureTracker(), model->GetSelectionManager()->GetFeatureTracker());
    const CPoint on(160, 150);
    view->SendMessage(WM_MOUSEMOVE, 0, At(on));
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(on));
    view->SendMessage(WM_LBUTTONUP, 0, At(on));
    ASSERT_TRUE(Selected());
    const CPoint end(300, 150), target(320, 200);
    view->SendMessage(WM_MOUSEMOVE, 0, At(end));
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(end));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(CPoint(310, 170)));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(target));
    view->SendMessage(WM_LBUTTONUP, 0, At(target));
    const auto* pLine = dynamic_cast<const Line2dFeature*>(model->GetFeature(id));
    ASSERT_NE(pLine, nullptr);
    const RuVaPnt2d moved = d2->ConvertPointClientToWorld(target, TRUE);
    EXPECT_NEAR(pLine->GetEndPoint().X(), moved.X(), 1e-6);
    EXPECT_NEAR(pLine->GetEndPoint().Y(), moved.Y(), 1e-6);
    EXPECT_NEAR(pLine->GetStartPoint().X(), a.X(), 1e-9);
}

TEST_F(ViewContextMenuTest, TheCommandMenuOpensWithItsFourthEntryUnderTheCursor)
{
    ASSERT_TRUE(manager->ExecuteCommand(kLineID));
    const CPoint at(200, 150);
    RightClick(at);
    CBCGPPopupMenu* pPopup = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(pPopup, nullptr);
    QMenu* pMenu = pPopup->GetQMenu();
    ASSERT_NE(pMenu, nullptr);
    ASSERT_GT(pMenu->actions().size(), 3);
    CPoint screen = at;
    view->ClientToScreen(&screen);
    const QRect fourth = pMenu->actionGeometry(pMenu->actions().at(3));
    EXPECT_EQ(pMenu->pos().x(), screen.x);
    EXPECT_EQ(pMenu->pos().y() + fourth.top(), screen.y);
}
