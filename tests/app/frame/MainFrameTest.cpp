// The main frame as the program makes it: its bars and layout, its stored place, the broadcast of
// change records and the progress display with its guarantees.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QRect>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QWidget>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/SystemEnvironment.h"
#include "command/CommandManager.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/bcg/CBCGPRibbonProgressBar.h"
#include "platform/bcg/CBCGPVisualManager.h"
#include "platform/bcg/CBCGPVisualManager2007.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CButton.h"
#include "platform/win/CEdit.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinSystem.h"
#include "property/CPropertyBar.h"
#include "regionsearch/NotifyProgressInfo.h"
#include "structure/CDrawComponentBar.h"
#include "structure/CDrawingBar.h"
#include "structure/CLayerBar.h"
#include "structure/CSkyViewBar.h"

namespace {

// A click as the user makes it: press and release queued for the widget under the window's point.
void PostClick(CWnd* pWnd, CPoint ptClient)
{
    QWidget* w = pWnd->GetQWidget();
    const QPointF local(ptClient.x, ptClient.y);
    const QPointF global = w->mapToGlobal(local);
    QCoreApplication::postEvent(
        w, new QMouseEvent(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        w, new QMouseEvent(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The application object as the program has it, not started: its options and command manager.
class FrameApp : public CQZ2App
{
};

struct DocNotify {
    NMHDR hdr;
    NotifyInfoBase* pInfo;
};

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app = new FrameApp;
        m_app->SetRegistryKey(u"Korvan");
        // Every case is a first start: nothing kept from the case before.
        CBCGPRegistrySP sp;
        sp.Create(FALSE, FALSE).DeleteKey(CMainFrame::GetSettingsPath());
        m_frame = Open();
        ASSERT_NE(m_frame, nullptr);
    }
    void TearDown() override
    {
        Close(m_frame);
        delete m_app;
    }
    static CMainFrame* Open()
    {
        auto* pFrame = new CMainFrame;
        if (!pFrame->LoadFrame(128)) {
            delete pFrame;
            return nullptr;
        }
        pFrame->ShowWindow(SW_SHOW);
        Pump();
        return pFrame;
    }
    static void Close(CMainFrame*& pFrame)
    {
        if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
            pFrame->SendMessage(WM_CLOSE);
        Pump();
        pFrame = nullptr;
    }
    void Begin(int type = 0)
    {
        m_frame->ShowProgress(TRUE, type, TRUE, 0, 100, FALSE, TRUE);
        ASSERT_TRUE(m_frame->IsProgressShown());
    }
    void PostKey(UINT vk)
    {
        ::PostMessage(m_frame->GetSafeHwnd(), WM_KEYDOWN, vk, 1);
    }
    int StatusCount(UINT id) const
    {
        int n = 0;
        CRibbonStatusBar& bar = m_frame->GetStatusBar();
        for (int i = 0; i < bar.GetCount(); ++i)
            if (bar.GetElement(i) != nullptr && bar.GetElement(i)->GetID() == id)
                ++n;
        return n;
    }

    FrameApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
};

TEST_F(MainFrameTest, CreatesItsBarsAroundTheDocumentArea)
{
    EXPECT_NE(m_frame->GetMenuBarWnd().GetSafeHwnd(), nullptr);
    EXPECT_TRUE(m_frame->GetMenuBarWnd().IsVisible());
    EXPECT_NE(m_frame->GetStatusBar().GetSafeHwnd(), nullptr);
    // Fixed panes: guidance on the left; coordinates, separator and selection on the right.
    EXPECT_EQ(StatusCount(165), 1);
    ASSERT_EQ(m_frame->GetStatusBar().GetExCount(), 3);
    EXPECT_EQ(m_frame->GetStatusBar().GetExElement(0)->GetID(), 168u);
    EXPECT_EQ(m_frame->GetStatusBar().GetExElement(2)->GetID(), 169u);

    struct Bar {
        CBCGPDockingControlBar* pBar;
        UINT id;
    } const bars[] = {{m_frame->GetCommandBarWnd(), 59424}, {m_frame->GetPropertyBar(), 59425},
                      {m_frame->GetDrawingBar(), 59426},    {m_frame->GetLayerBar(), 59427},
                      {m_frame->GetComponentBar(), 59428},  {m_frame->GetSkyViewBar(), 59429}};
    for (const Bar& bar : bars) {
        ASSERT_NE(bar.pBar, nullptr) << bar.id;
        EXPECT_NE(bar.pBar->GetSafeHwnd(), nullptr) << bar.id;
        EXPECT_EQ(m_frame->GetControlBar(bar.id), bar.pBar) << bar.id;
    }
    EXPECT_NE(m_frame->GetCommandBar(), nullptr);
    EXPECT_EQ(m_frame->GetLayerBar()->GetMainFrame(), m_frame);
    EXPECT_EQ(m_frame->GetPropertyBar()->GetMainFrame(), m_frame);
}

TEST_F(MainFrameTest, FirstStartLaysTheDockingBarsOutOnBothSides)
{
    Pump();
    CLayerBar* pLayer = m_frame->GetLayerBar();
    // Left: the layer bar with the drawing and component bars as tabs behind it, the property bar below.
    EXPECT_EQ(pLayer->GetCurrentAlignment() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    CBCGPDockingControlBar* group[8];
    const int n = pLayer->GetTabbedBars(group, 8);
    ASSERT_EQ(n, 3);
    EXPECT_EQ(group[0], pLayer);
    EXPECT_EQ(group[1], m_frame->GetDrawingBar());
    EXPECT_EQ(group[2], m_frame->GetComponentBar());
    EXPECT_TRUE(pLayer->IsActiveTab());
    EXPECT_FALSE(m_frame->GetDrawingBar()->IsActiveTab());
    CPropertyBar* pProperty = m_frame->GetPropertyBar();
    EXPECT_EQ(pProperty->GetCurrentAlignment() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_GT(pProperty->GetLayoutWidget()->y(), pLayer->GetLayoutWidget()->y());
    // Right: the command bar with the overview bar below.
    CBCGPDockingControlBar* pCommand = m_frame->GetCommandBarWnd();
    CSkyViewBar* pSky = m_frame->GetSkyViewBar();
    EXPECT_EQ(pCommand->GetCurrentAlignment() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_RIGHT));
    EXPECT_EQ(pSky->GetCurrentAlignment() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_RIGHT));
    EXPECT_GT(pSky->GetLayoutWidget()->y(), pCommand->GetLayoutWidget()->y());
    // The menu bar on top.
    EXPECT_EQ(m_frame->GetMenuBarWnd().GetCurrentAlignment() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_TOP));
}

TEST_F(MainFrameTest, AHiddenBarStaysHiddenAfterARestart)
{
    m_frame->ShowControlBar(m_frame->GetSkyViewBar(), FALSE, FALSE, FALSE);
    Pump();
    Close(m_frame);
    m_frame = Open();
    ASSERT_NE(m_frame, nullptr);
    EXPECT_FALSE(m_frame->GetSkyViewBar()->IsVisible());
    EXPECT_TRUE(m_frame->GetCommandBarWnd()->IsVisible());
}

TEST_F(MainFrameTest, TakesTheWorkAreaLessOneTwentyFifthOnEachSide)
{
    RECT work{};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    const int dx = (work.right - work.left) / 25, dy = (work.bottom - work.top) / 25;
    const QRect rect = m_frame->GetQWidget()->geometry();
    EXPECT_EQ(rect.x(), work.left + dx);
    EXPECT_EQ(rect.y(), work.top + dy);
    EXPECT_EQ(rect.width(), work.right - work.left - 2 * dx);
    EXPECT_EQ(rect.height(), work.bottom - work.top - 2 * dy);
    EXPECT_GT(rect.width(), 640);
}

TEST_F(MainFrameTest, KeepsItsPlaceAndItsMenuBarAcrossARestart)
{
    m_frame->MoveWindow(30, 40, 700, 500, TRUE);
    m_frame->ShowControlBar(&m_frame->GetMenuBarWnd(), FALSE, FALSE, FALSE);
    Pump();
    Close(m_frame);
    m_frame = Open();
    ASSERT_NE(m_frame, nullptr);
    CRect rect;
    m_frame->GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 700);
    EXPECT_EQ(rect.Height(), 500);
    // A hidden menu bar comes back.
    EXPECT_TRUE(m_frame->GetMenuBarWnd().IsVisible());
}

TEST_F(MainFrameTest, DocumentRecordsReachEveryBar)
{
    NotifyInfoBase info(nullptr, 4, 1);
    DocNotify nm{};
    nm.hdr.hwndFrom = m_frame->GetSafeHwnd();
    nm.hdr.code = 0x8064;
    nm.pInfo = &info;
    EXPECT_NE(m_frame->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm)), -1);
    for (auto count : {m_frame->GetLayerBar()->GetNotifyCount(), m_frame->GetDrawingBar()->GetNotifyCount(),
                       m_frame->GetPropertyBar()->GetNotifyCount(), m_frame->GetComponentBar()->GetNotifyCount(),
                       m_frame->GetSkyViewBar()->GetNotifyCount()})
        EXPECT_EQ(count, 1);
    EXPECT_EQ(m_frame->GetLayerBar()->GetLastNotifyKind(), 4);
}

TEST_F(MainFrameTest, ShowCommandsBringHiddenBarsBack)
{
    struct Case {
        UINT command;
        CBCGPDockingControlBar* pBar;
    } const cases[] = {{33301, m_frame->GetDrawingBar()}, {33302, m_frame->GetLayerBar()},
                       {33303, m_frame->GetCommandBarWnd()}, {33304, m_frame->GetPropertyBar()},
                       {33305, m_frame->GetComponentBar()}, {32312, m_frame->GetSkyViewBar()}};
    for (const Case& c : cases) {
        m_frame->ShowControlBar(c.pBar, FALSE, FALSE, FALSE);
        Pump();
        ASSERT_FALSE(c.pBar->IsVisible()) << c.command;
        m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
        Pump();
        EXPECT_TRUE(c.pBar->IsVisible()) << c.command;
    }
}

TEST_F(MainFrameTest, AFloatingBarOffEveryMonitorComesBackCentred)
{
    CSkyViewBar* pSky = m_frame->GetSkyViewBar();
    ASSERT_TRUE(pSky->FloatControlBar(CRect(20000, 20000, 20300, 20200), 0, true));
    Pump();
    ASSERT_TRUE(pSky->IsFloating());
    EXPECT_FALSE(CMainFrame::IsBarOnScreen(pSky));
    EXPECT_TRUE(m_frame->ShowSkyViewBar(TRUE));
    Pump();
    EXPECT_TRUE(CMainFrame::IsBarOnScreen(pSky));
    HMONITOR hMonitor = ::MonitorFromWindow(pSky->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetMonitorInfo(hMonitor, &info));
    const CPoint centre = CRect(info.rcMonitor).CenterPoint();
    // The floating bar's outer rectangle, frame included.
    const QRect rect = pSky->GetLayoutWidget()->frameGeometry();
    EXPECT_EQ(rect.width(), 320);
    EXPECT_EQ(rect.height(), 240);
    EXPECT_EQ(rect.center().x() + 1, centre.x);
    // A docked bar counts as on screen.
    EXPECT_TRUE(CMainFrame::IsBarOnScreen(m_frame->GetLayerBar()));
}

TEST_F(MainFrameTest, HandsItsBarsToTheCommandManagerAndTakesThemBackAtTheEnd)
{
    QZ2Command::CommandManager* pManager = m_app->GetCommandManager();
    ASSERT_NE(pManager, nullptr);
    EXPECT_EQ(pManager->GetCommandBar(), m_frame->GetCommandBar());
    EXPECT_EQ(m_frame->GetPropertyBar()->GetCommandManager(), pManager);
    Close(m_frame);
    EXPECT_EQ(pManager->GetCommandBar(), nullptr);
}

TEST_F(MainFrameTest, SnapCommandsChangeTheOptions)
{
    SystemEnvironment* pOptions = m_app->GetSystemEnvironment();
    pOptions->SetSnapType(0x10000 | 0x40);
    struct Case {
        UINT command;
        DWORD expected;
    } const cases[] = {{34650, 0x10000}, {34656, 0x10001}, {34668, 0x11001}, {34660, 0xFFFF}, {34657, 0xFDFF},
                       {34661, 0}};
    for (const Case& c : cases) {
        m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
        EXPECT_EQ(pOptions->m_SnapType, c.expected) << c.command;
    }
    const bool bSnap = pOptions->m_SnapEnabled;
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(34649, 0), 0);
    EXPECT_EQ(pOptions->m_SnapEnabled, !bSnap);
    const bool bAngular = pOptions->m_SnapAngularEnabled;
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(34662, 0), 0);
    EXPECT_EQ(pOptions->m_SnapAngularEnabled, !bAngular);
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(34137, 0), 0);
    EXPECT_EQ(pOptions->m_SelectionPartMode, 2);
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(34138, 0), 0);
    EXPECT_EQ(pOptions->m_SelectionSideMode, 1);
}

TEST_F(MainFrameTest, VisualStyleFollowsTheOptionAndChangesWhileRunning)
{
    // The option's style is there from the start.
    Close(m_frame);
    m_app->GetSystemEnvironment()->SetVisualStyle(1);
    m_frame = Open();
    ASSERT_NE(m_frame, nullptr);
    EXPECT_TRUE(CBCGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CBCGPVisualManager2007)));
    EXPECT_EQ(CBCGPVisualManager2007::GetStyle(), CBCGPVisualManager2007::VS2007_ObsidianBlack);
    m_frame->ChangeVisualStyle(3);
    EXPECT_TRUE(CBCGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CBCGPVisualManager2007)));
    EXPECT_EQ(CBCGPVisualManager2007::GetStyle(), CBCGPVisualManager2007::VS2007_Silver);
    // Outside 0 to 3: not a 2007 style.
    for (int style : {4, -1, 9}) {
        m_frame->ChangeVisualStyle(style);
        EXPECT_FALSE(CBCGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CBCGPVisualManager2007))) << style;
    }
}

TEST_F(MainFrameTest, ServicesOtherPartsCallOnTheFrame)
{
    EXPECT_TRUE(m_frame->IsDrawComponentBarVisible() == m_frame->GetComponentBar()->IsVisible());
    m_frame->ShowControlBar(m_frame->GetComponentBar(), FALSE, FALSE, FALSE);
    EXPECT_FALSE(m_frame->IsDrawComponentBarVisible());
    // Only the kind shown is cleared.
    m_frame->GetPropertyBar()->SetShownKind(2);
    m_frame->ClearFeatureProperties(1);
    EXPECT_EQ(m_frame->GetPropertyBar()->GetShownKind(), 2u);
    m_frame->ClearFeatureProperties(2);
    EXPECT_EQ(m_frame->GetPropertyBar()->GetShownKind(), 0u);
    m_frame->RefreshSkyView();
    m_frame->UpdateSkyView(0, nullptr);
    EXPECT_EQ(m_frame->GetSkyViewBar()->GetRedrawCount(), 2);
}

TEST_F(MainFrameTest, GroupButtonsStartWithTheirDefaults)
{
    EXPECT_EQ(m_frame->GetGroupButtonCommand(33924), 33412u);
    EXPECT_EQ(m_frame->GetGroupButtonCommand(33941), 33532u);
    EXPECT_EQ(m_frame->GetGroupButtonCommand(12345), static_cast<UINT>(-1));
    m_frame->SetGroupButtonCommand(33924, 33413);
    EXPECT_EQ(m_frame->GetGroupButtonCommand(33924), 33413u);
}

TEST_F(MainFrameTest, EscapeCancelsAndTheBarStaysWhereItWas)
{
    Begin();
    ASSERT_TRUE(m_frame->SetProgressPos(30));
    PostKey(VK_ESCAPE);
    m_frame->PumpProgressMessages();
    EXPECT_TRUE(m_frame->IsProgressCancelled());
    EXPECT_FALSE(m_frame->SetProgressPos(60));
    EXPECT_FALSE(m_frame->SetProgressRange(0, 10));
    EXPECT_EQ(m_frame->GetProgressPos(), 30);
    m_frame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
    EXPECT_FALSE(m_frame->IsProgressCancelled());
    EXPECT_EQ(m_frame->GetProgressPos(), -1);
}

TEST_F(MainFrameTest, WaitCursorDuringProgressButArrowOverTheCancelPane)
{
    const HCURSOR hWait = ::LoadCursor(nullptr, IDC_WAIT);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    Begin();
    ASSERT_TRUE(m_frame->IsProgressWaitCursor());
    m_frame->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_frame->GetSafeHwnd()), MAKELPARAM(HTCLIENT, 0));
    EXPECT_EQ(::GetCursor(), hWait);
    CBCGPBaseRibbonElement* pCancel = m_frame->GetStatusBar().FindElement(167);
    ASSERT_NE(pCancel, nullptr);
    CPoint pt = pCancel->GetRect().CenterPoint();
    m_frame->GetStatusBar().ClientToScreen(&pt);
    EXPECT_TRUE(m_frame->IsPointInCancelPane(pt));
    m_frame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
    EXPECT_FALSE(m_frame->IsProgressWaitCursor());
    // A progress begun without the wait cursor leaves the cursor alone.
    m_frame->ShowProgress(TRUE, 0, TRUE, 0, 100, FALSE, FALSE);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    m_frame->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_frame->GetSafeHwnd()), MAKELPARAM(HTCLIENT, 0));
    EXPECT_NE(::GetCursor(), hWait);
    m_frame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
}

TEST_F(MainFrameTest, EscapeWithoutCancelPaneCancelsNothing)
{
    m_frame->ShowProgress(TRUE, 0, FALSE, 0, 100, FALSE, FALSE);
    PostKey(VK_ESCAPE);
    m_frame->PumpProgressMessages();
    EXPECT_FALSE(m_frame->IsProgressCancelled());
    EXPECT_TRUE(m_frame->SetProgressPos(5));
    m_frame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
}

TEST_F(MainFrameTest, PositionRecordsNeverMoveBackwardsExceptToZero)
{
    NotifyProgressInfo info;
    info.m_nKind = NotifyProgressInfo::kindBegin;
    info.m_nDisplayType = 0;
    info.m_nPosition = 25;
    ASSERT_TRUE(CMainFrame::OnProgress(&info, m_frame));
    EXPECT_EQ(m_frame->GetProgressPos(), 25);
    const int steps[][2] = {{10, 25}, {40, 40}, {20, 40}, {0, 0}, {30, 30}};
    for (const auto& step : steps) {
        info.m_nKind = NotifyProgressInfo::kindStep;
        info.m_nPosition = step[0];
        EXPECT_TRUE(CMainFrame::OnProgress(&info, m_frame));
        EXPECT_EQ(m_frame->GetProgressPos(), step[1]) << step[0];
    }
    info.m_nKind = NotifyProgressInfo::kindEnd;
    EXPECT_TRUE(CMainFrame::OnProgress(&info, m_frame));
    EXPECT_FALSE(m_frame->IsProgressShown());
    // User data that is no frame stops the caller.
    CWnd other;
    EXPECT_FALSE(CMainFrame::OnProgress(&info, &other));
}

TEST_F(MainFrameTest, ASecondBeginStacksNothing)
{
    for (int type : {0, 1, 2, 7}) {
        Begin(type);
        m_frame->ShowProgress(TRUE, type, TRUE, 0, 100, FALSE, TRUE);
        EXPECT_EQ(StatusCount(167), 1) << type;
        EXPECT_EQ(StatusCount(170), 1) << type;
        EXPECT_LE(StatusCount(166) + StatusCount(171), 1) << type;
        EXPECT_EQ(StatusCount(165), 0) << type;
        m_frame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
        EXPECT_EQ(StatusCount(167) + StatusCount(166) + StatusCount(171) + StatusCount(170), 0) << type;
        EXPECT_EQ(StatusCount(165), 1) << type;
    }
}

TEST_F(MainFrameTest, NothingStartsAndTheFrameStaysOpenWhileProgressRuns)
{
    Begin();
    // A command from a menu or an accelerator is swallowed; the cancel pane's command gets through.
    EXPECT_TRUE(m_frame->OnCommand(MAKEWPARAM(57600, 0), 0));
    m_frame->SendMessage(WM_CLOSE);
    Pump();
    ASSERT_NE(m_frame->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(m_frame->IsWindowVisible());
    ::PostMessage(m_frame->GetSafeHwnd(), WM_CLOSE, 0, 0);
    m_frame->PumpProgressMessages();
    ASSERT_NE(m_frame->GetSafeHwnd(), nullptr);
    // The window system's close (the caption's close box, Alt+F4) waits too.
    m_frame->GetQWidget()->close();
    m_frame->PumpProgressMessages();
    Pump();
    ASSERT_NE(m_frame->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(m_frame->GetQWidget()->isVisible());
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(167, 0), 0);
    EXPECT_TRUE(m_frame->IsProgressCancelled());
    m_frame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
}

TEST_F(MainFrameTest, OnlyAClickOnTheCancelPaneGetsThroughThePump)
{
    CButton check;
    // A control of the frame, away from the status bar.
    ASSERT_TRUE(check.Create(u"Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(300, 5, 380, 25),
                             &m_frame->GetMenuBarWnd(), 4242));
    // Information shown before the progress must not hide the cancel pane.
    m_frame->SetStatusInformation(u"Opened", 3000);
    Begin();
    CRibbonStatusBar& bar = m_frame->GetStatusBar();
    EXPECT_FALSE(bar.IsInformationMode());
    const CBCGPBaseRibbonElement* pCancel = bar.FindElement(167);
    ASSERT_NE(pCancel, nullptr);
    // Elsewhere: the click is dropped.
    PostClick(&check, CPoint(5, 5));
    m_frame->PumpProgressMessages();
    m_frame->PumpProgressMessages();
    EXPECT_EQ(check.GetCheck(), 0);
    EXPECT_FALSE(m_frame->IsProgressCancelled());
    // On the cancel pane: it cancels.
    PostClick(&bar, pCancel->GetRect().CenterPoint());
    m_frame->PumpProgressMessages();
    m_frame->PumpProgressMessages();
    EXPECT_TRUE(m_frame->IsProgressCancelled());
    m_frame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
    // Without progress the same click reaches the control.
    PostClick(&check, CPoint(5, 5));
    Pump();
    EXPECT_EQ(check.GetCheck(), 1);
}

TEST_F(MainFrameTest, EditAcceleratorsActOnAFocusedEditField)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), &m_frame->GetStatusBar(), 4243));
    edit.SetWindowText(u"typed");
    edit.SetFocus();
    Pump();
    if (::GetFocus() != edit.GetSafeHwnd())
        GTEST_SKIP() << "the offscreen platform gave no focus";
    edit.SetSel(0, -1);
    // Delete from an accelerator clears the field's selection and is consumed.
    EXPECT_TRUE(m_frame->OnCommand(MAKEWPARAM(57632, 1), 0));
    CString text;
    edit.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(MainFrameTest, NoGuidanceWithoutARunningCommand)
{
    EXPECT_TRUE(m_frame->GetGuidanceText().IsEmpty());
}

TEST_F(MainFrameTest, TimedInformationBecomesThePendingText)
{
    EXPECT_EQ(StatusCount(172), 0);
    m_frame->SetStatusInformation(u"Shown for now", 0);
    EXPECT_TRUE(m_frame->GetStatusBar().IsInformationMode());
    EXPECT_TRUE(m_frame->GetPendingInformation().IsEmpty());
    m_frame->SetStatusInformation(u"Opened", 3000);
    EXPECT_EQ(m_frame->GetPendingInformation(), CString(u"Opened"));
    EXPECT_EQ(StatusCount(172), 1);
    EXPECT_EQ(m_frame->GetStatusBar().m_clrInfoText, RGB(255, 255, 255));
    EXPECT_EQ(m_frame->GetStatusBar().m_clrInfoBack, RGB(0, 0, 255));
    // The timer ends the information mode; the pending text stays.
    m_frame->SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(m_frame->GetStatusBar().IsInformationMode());
    EXPECT_EQ(m_frame->GetPendingInformation(), CString(u"Opened"));
    // Through a progress the panes go and come back.
    Begin();
    EXPECT_EQ(StatusCount(172), 0);
    m_frame->ShowProgress(FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
    EXPECT_EQ(StatusCount(172), 1);
}

}  // namespace
