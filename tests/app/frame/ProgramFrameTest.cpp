// The main frame as the program starts it, over the real language libraries: its toolbars with
// their buttons, images and tips, the docking bars' captions and icons, document windows that
// fill the document area, the command bar driving the running command, help for a command and
// the outer rectangle of the frame.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QAbstractScrollArea>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QWidget>

#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/CQZ2View.h"
#include "command/CCommandBar.h"
#include "command/PropertyListItem.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/ParameterItemBase.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WinConstants.h"
#include "property/CPropertyBar.h"
#include "structure/CDrawComponentBar.h"
#include "structure/CDrawingBar.h"
#include "structure/CLayerBar.h"
#include "structure/CSkyViewBar.h"

namespace {

constexpr UINT kLineID = 33412;
constexpr UINT kLineGroup = 33924;

class ProgramFrameTest : public ProgramFixture
{
protected:
    static int LineCount(const Draw2dDocument* pModel)
    {
        int n = 0;
        for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
            n += dynamic_cast<const Line2dFeature*>(pModel->GetFeature(id)) != nullptr ? 1 : 0;
        return n;
    }

    CString Tip(UINT nID)
    {
        CBCGPToolbarButton button(nID, -1);
        CString text;
        return m_frame->GetToolbarButtonToolTipText(&button, text) ? text : CString(u"<none>");
    }
};

TEST_F(ProgramFrameTest, EveryToolbarHasItsButtonsWithAnImageEach)
{
    struct Bar {
        UINT id;
        UINT firstCommand;
    } const bars[] = {{59392, 57600}, {59473, 33936}, {59474, 33932}, {59476, 34025}, {59475, 34646}};
    for (const Bar& bar : bars) {
        CBCGPToolBar* pBar = m_frame->GetToolBarById(bar.id);
        ASSERT_NE(pBar, nullptr) << bar.id;
        ASSERT_NE(pBar->GetSafeHwnd(), nullptr) << bar.id;
        EXPECT_TRUE(pBar->IsVisible()) << bar.id;
        ASSERT_GT(pBar->GetCount(), 3) << bar.id;
        EXPECT_EQ(pBar->GetItemID(0), bar.firstCommand) << bar.id;
        int commands = 0;
        for (int i = 0; i < pBar->GetCount(); ++i) {
            CBCGPToolbarButton* pButton = pBar->GetButton(i);
            ASSERT_NE(pButton, nullptr);
            if (pButton->IsSeparator())
                continue;
            ++commands;
            // The special combo buttons (attribute fields, snap angle) show their combo, no image.
            if (pButton->GetEmbeddedWidget() != nullptr)
                continue;
            QImage image;
            EXPECT_TRUE(CBCGPToolBar::GetImages()->GetImage(pButton->GetImage(), image))
                << "toolbar " << bar.id << " button " << pButton->m_nID << " has no image";
            EXPECT_EQ(image.size(), QSize(16, 16)) << pButton->m_nID;
        }
        EXPECT_GT(commands, 3) << bar.id;
        // The toolbar shows them: one tool button each, beside the separators and the customise button.
        EXPECT_GE(pBar->GetLayoutWidget()->findChildren<QWidget*>().size(), commands) << bar.id;
    }
    // The line group button on the shape toolbar starts the line command.
    EXPECT_GE(m_frame->GetToolBarById(59473)->CommandToIndex(kLineGroup), 0);
}

TEST_F(ProgramFrameTest, ToolTipsNameTheCommandAButtonStarts)
{
    // The tip line of the command's string; a group button's is that of the group's current command.
    EXPECT_EQ(Tip(57643), LoadResourceString(10621));
    EXPECT_EQ(Tip(57600), CString(u"New"));
    EXPECT_EQ(Tip(57601), CString(u"Open"));
    CBCGPToolBar* pShape = m_frame->GetToolBarById(59473);
    CBCGPToolbarButton* pGroup = pShape->GetButton(pShape->CommandToIndex(kLineGroup));
    CString text;
    ASSERT_TRUE(m_frame->GetToolbarButtonToolTipText(pGroup, text));
    EXPECT_EQ(text, LoadResourceString(10515));
    m_frame->SetGroupButtonCommand(kLineGroup, 33413);
    ASSERT_TRUE(m_frame->GetToolbarButtonToolTipText(pGroup, text));
    EXPECT_EQ(text, LoadResourceString(10516));
    // Separators and buttons without a command have no tip of the frame's.
    CBCGPToolbarButton none(0, -1);
    EXPECT_FALSE(m_frame->GetToolbarButtonToolTipText(&none, text));
}

TEST_F(ProgramFrameTest, DockingBarsShowTheirCaptionsAndIcons)
{
    struct Bar {
        CBCGPDockingControlBar* pBar;
        UINT caption;
        bool icon;
    } const bars[] = {{m_frame->GetCommandBarWnd(), 10293, true}, {m_frame->GetPropertyBar(), 10303, true},
                      {m_frame->GetDrawingBar(), 11547, true},    {m_frame->GetLayerBar(), 10795, true},
                      {m_frame->GetComponentBar(), 11546, true},  {m_frame->GetSkyViewBar(), 10313, false}};
    for (const Bar& bar : bars) {
        ASSERT_NE(bar.pBar, nullptr) << bar.caption;
        const CString expected = LoadResourceString(bar.caption);
        ASSERT_FALSE(expected.IsEmpty()) << bar.caption;
        CString text;
        bar.pBar->GetWindowText(text);
        EXPECT_EQ(text, expected) << bar.caption;
        auto* pDock = qobject_cast<QDockWidget*>(bar.pBar->GetLayoutWidget());
        ASSERT_NE(pDock, nullptr) << bar.caption;
        EXPECT_EQ(pDock->windowTitle(), expected.ToQString()) << bar.caption;
        EXPECT_EQ(!pDock->windowIcon().isNull(), bar.icon) << bar.caption;
        if (bar.icon) {
            // The icon's picture, not an empty square.
            const QImage icon = pDock->windowIcon().pixmap(16, 16).toImage();
            int opaque = 0;
            for (int y = 0; y < icon.height(); ++y)
                for (int x = 0; x < icon.width(); ++x)
                    opaque += qAlpha(icon.pixel(x, y)) > 128 ? 1 : 0;
            EXPECT_GT(opaque, 20) << bar.caption;
        }
        // The caption is drawn above the bar's contents, on the dock's own background: the title
        // row shows mostly that colour (and the caption's text), not an unpainted area.
        const int titleBottom = bar.pBar->GetQWidget()->geometry().top();
        ASSERT_GT(titleBottom, 4) << bar.caption;
        // Tabs behind the visible one are not on screen.
        if (!pDock->isVisible() || pDock->visibleRegion().isEmpty())
            continue;
        // Taken from the whole frame, as the screen shows it.
        QWidget* pFrameWidget = m_frame->GetQWidget();
        const QImage shot = pFrameWidget->grab().toImage();
        const QPoint origin = pDock->mapTo(pFrameWidget, QPoint(0, 0));
        const QColor back = pDock->palette().color(QPalette::Window);
        int background = 0, ink = 0, total = 0;
        for (int y = origin.y(); y < origin.y() + titleBottom && y < shot.height(); ++y) {
            for (int x = origin.x(); x < origin.x() + pDock->width() / 2 && x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                ++total;
                background += c == back ? 1 : 0;
                ink += c.lightness() < back.lightness() - 80 ? 1 : 0;
            }
        }
        EXPECT_GT(background, total / 2) << bar.caption;
        EXPECT_GT(ink, 5) << bar.caption;
    }
}

TEST_F(ProgramFrameTest, ANewDrawingFillsTheDocumentArea)
{
    ASSERT_NE(NewDrawing(), nullptr);
    CMDIChildWnd* pChild = m_frame->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    QMdiArea* pArea = m_frame->GetMdiArea();
    ASSERT_NE(pArea, nullptr);
    QMdiSubWindow* pSub = pArea->activeSubWindow();
    ASSERT_NE(pSub, nullptr);
    EXPECT_TRUE(pSub->isMaximized());
    EXPECT_EQ(pSub->geometry(), pArea->viewport()->rect());
    // A second drawing too.
    ASSERT_NE(NewDrawing(), nullptr);
    ASSERT_NE(pArea->activeSubWindow(), pSub);
    EXPECT_EQ(pArea->activeSubWindow()->geometry(), pArea->viewport()->rect());
}

TEST_F(ProgramFrameTest, CommandBarIsADockingBarThatShowsAndDrivesTheRunningCommand)
{
    CCommandBar* pBar = m_frame->GetCommandBar();
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(static_cast<CBCGPDockingControlBar*>(pBar), m_frame->GetCommandBarWnd());
    EXPECT_EQ(m_frame->GetControlBar(59424), pBar);
    EXPECT_EQ(m_manager->GetCommandBar(), pBar);
    EXPECT_EQ(pBar->GetCommandManager(), m_manager);
    ASSERT_NE(pBar->GetList().GetSafeHwnd(), nullptr);
    EXPECT_EQ(pBar->GetRowCount(), 0);
    // The list lies below the combo and the toolbar and fills the rest of the bar.
    CRect listRect;
    pBar->GetList().GetClientRect(&listRect);
    EXPECT_GT(listRect.Width(), 20);
    EXPECT_GT(listRect.Height(), 20);
    // Typed text without a running command is refused.
    EXPECT_FALSE(pBar->EnterText(u"10,10"));

    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    ASSERT_TRUE(m_manager->ExecuteCommand(kLineID));
    Pump();
    QZ2Command::CommandBase* pLine = m_manager->GetActiveCommand();
    ASSERT_NE(pLine, nullptr);
    EXPECT_EQ(pBar->GetCommand(), pLine);
    ASSERT_EQ(pBar->GetRowCount(), pLine->GetParameterCount());
    EXPECT_EQ(pBar->GetList().GetItemCount(), pLine->GetParameterCount());
    EXPECT_EQ(pBar->GetCommandNameCount(), 1);
    EXPECT_EQ(pBar->GetCommandName(0), pLine->GetDisplayName());
    EXPECT_EQ(pBar->GetCommandCombo().GetCurSel(), 0);
    const int first = pLine->GetCurrentParameterIndex();
    ASSERT_GE(first, 0);
    EXPECT_EQ(pBar->GetSelectedRow(), first);
    EXPECT_EQ(pBar->GetList().GetCurSel(), first);
    EXPECT_FALSE(pBar->GetRowCaption(first).IsEmpty());

    // The bar's toolbar offers what fits the selected row: a point taking modifiers gets the
    // relative-point and middle-point buttons; a length row the two length modifiers.
    auto buttons = [pBar]() {
        std::vector<UINT> ids;
        for (int i = 0; i < pBar->GetToolBar().GetCount(); ++i)
            ids.push_back(pBar->GetToolBar().GetItemID(i));
        return ids;
    };
    const QZ2Command::ParameterItemBase* pFirst = pLine->GetParameter(first)->GetCurrentItem();
    ASSERT_NE(pFirst, nullptr);
    ASSERT_EQ(pFirst->GetTypeCode(), 8);
    if (pFirst->m_bAcceptModifier)
        EXPECT_EQ(buttons(), (std::vector<UINT>{37101, 0, 37102, 37103, 0, 37158, 37159, 0, 37105}));
    bool sawLength = false;
    for (int i = 0; i < pLine->GetParameterCount(); ++i) {
        const QZ2Command::ParameterItemBase* pItem = pLine->GetParameter(i)->GetCurrentItem();
        if (pItem == nullptr || pItem->GetTypeCode() != 2 || !pItem->m_bAcceptModifier)
            continue;
        sawLength = true;
        ASSERT_TRUE(pBar->SelectParameterRow(i));
        EXPECT_EQ(buttons(), (std::vector<UINT>{37101, 0, 37102, 37103, 0, 37152, 37153, 0, 37105}));
        ASSERT_TRUE(pBar->SelectParameterRow(first));
        // A row picked in the list becomes the parameter the command waits for.
        pBar->GetList().SetCurSel(i);
        Pump();
        EXPECT_EQ(pLine->GetCurrentParameterIndex(), i);
        EXPECT_EQ(pBar->GetSelectedRow(), i);
        EXPECT_EQ(pBar->GetItemType(), 2);
        ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, first));
        ASSERT_TRUE(pBar->SelectParameterRow(first));
        break;
    }
    EXPECT_TRUE(sawLength);
    EXPECT_EQ(pBar->GetItemType(), 8);
    // The toolbar paints its own background inside the bar: no unpainted (black) strip.
    {
        QWidget* pFrameWidget = m_frame->GetQWidget();
        QWidget* pStrip = pBar->GetToolBar().GetLayoutWidget();
        ASSERT_NE(pStrip, nullptr);
        ASSERT_GT(pStrip->height(), 10);
        const QImage shot = pFrameWidget->grab().toImage();
        const QPoint origin = pStrip->mapTo(pFrameWidget, QPoint(0, 0));
        int dark = 0, total = 0;
        for (int y = origin.y(); y < origin.y() + pStrip->height() && y < shot.height(); ++y)
            for (int x = origin.x(); x < origin.x() + pStrip->width() && x < shot.width(); ++x, ++total)
                dark += shot.pixelColor(x, y).lightness() < 40 ? 1 : 0;
        EXPECT_GT(total, 0);
        EXPECT_LT(dark, total / 4);
    }
    // Every button has its picture.
    for (int i = 0; i < pBar->GetToolBar().GetCount(); ++i) {
        CBCGPToolbarButton* pButton = pBar->GetToolBar().GetButton(i);
        QImage image;
        if (!pButton->IsSeparator())
            EXPECT_TRUE(CBCGPToolBar::GetImages()->GetImage(pButton->GetImage(), image)) << pButton->m_nID;
    }

    // Two points typed into the bar draw a line; the command stays for the next one.
    EXPECT_TRUE(pBar->EnterText(u"10,20"));
    Pump();
    EXPECT_NE(pLine->GetCurrentParameterIndex(), first);
    EXPECT_EQ(pBar->GetSelectedRow(), pLine->GetCurrentParameterIndex());
    EXPECT_FALSE(pBar->GetRowValueText(first).IsEmpty());
    // The end point typed as the user types it: text in the row's editor, then the Return key.
    TypeAndReturn(u"110,20");
    EXPECT_EQ(LineCount(pDoc->GetDraw2dDocument()), 1);
    EXPECT_EQ(m_manager->GetActiveCommand(), pLine);
    // Text the row cannot take is refused.
    EXPECT_FALSE(pBar->EnterText(u"not a point"));
    EXPECT_EQ(LineCount(pDoc->GetDraw2dDocument()), 1);

    // Escape undoes typing in the editor first; on an empty row it cancels the command.
    ASSERT_TRUE(pBar->TypeIntoSelectedRow(u"12"));
    pBar->EscapeInput();
    EXPECT_FALSE(m_manager->GetActiveCommandName().IsEmpty());
    for (int i = 0; i < 3 && !m_manager->GetActiveCommandName().IsEmpty(); ++i)
        pBar->EscapeInput();
    EXPECT_TRUE(m_manager->GetActiveCommandName().IsEmpty());
    EXPECT_EQ(pBar->GetRowCount(), 0);
    EXPECT_EQ(pBar->GetList().GetItemCount(), 0);

    // Without a command only the standard buttons stay.
    EXPECT_EQ(buttons(), (std::vector<UINT>{37101, 0, 37102, 37103, 0, 37105}));

    // The combo runs the command again.
    ASSERT_EQ(pBar->GetCommandNameCount(), 1);
    EXPECT_TRUE(pBar->RunCommandEntry(0));
    EXPECT_EQ(m_manager->GetActiveCommand(), pLine);
    EXPECT_EQ(pBar->GetCommandNameCount(), 1);

    // The end button of the bar's toolbar cancels it, through the frame.
    m_frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    m_frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    ASSERT_EQ(pBar->GetToolBar().GetItemID(0), 37101u);
    EXPECT_EQ(pBar->GetToolBar().GetButtonStyle(0) & TBBS_DISABLED, 0u);
    pBar->GetToolBar().ClickButton(0);
    Pump();
    EXPECT_TRUE(m_manager->GetActiveCommandName().IsEmpty());
}

TEST_F(ProgramFrameTest, RecentCommandsKeepOneEntryEachAndTwentyAtMost)
{
    CCommandBar* pBar = m_frame->GetCommandBar();
    ASSERT_NE(pBar, nullptr);
    for (int i = 0; i < 25; ++i) {
        CString name, id;
        name.Format(u"Command %d", i);
        id.Format(u"Test.Command%d", i);
        pBar->AddCommandName(name, id);
    }
    EXPECT_EQ(pBar->GetCommandNameCount(), CCommandBar::kMaxCommandNames);
    EXPECT_EQ(pBar->GetCommandCombo().GetCount(), CCommandBar::kMaxCommandNames);
    EXPECT_EQ(pBar->GetCommandName(0), CString(u"Command 24"));
    EXPECT_EQ(pBar->GetCommandIdentifier(19), CString(u"Test.Command5"));
    // Running one again moves it to the top instead of adding a second entry.
    pBar->AddCommandName(u"Command 10", u"Test.Command10");
    EXPECT_EQ(pBar->GetCommandNameCount(), CCommandBar::kMaxCommandNames);
    EXPECT_EQ(pBar->GetCommandIdentifier(0), CString(u"Test.Command10"));
    CString shown;
    pBar->GetCommandCombo().GetLBText(0, shown);
    EXPECT_EQ(shown, CString(u"Command 10"));
    // At most one entry that cannot be run again, and choosing it runs nothing.
    pBar->AddCommandName(u"Once", u"");
    pBar->AddCommandName(u"Once more", u"");
    int empty = 0;
    for (int i = 0; i < pBar->GetCommandNameCount(); ++i)
        empty += pBar->GetCommandIdentifier(i).IsEmpty() ? 1 : 0;
    EXPECT_EQ(empty, 1);
    EXPECT_FALSE(pBar->RunCommandEntry(0));
    EXPECT_TRUE(m_manager->GetActiveCommandName().IsEmpty());
}

TEST_F(ProgramFrameTest, HelpInACommandOpensItsTopicAndAnUnknownOneTheDefaultHelp)
{
    // No command: the topic asked for.
    EXPECT_EQ(m_frame->GetCommandHelpContext(0x20000), 0x20000u);
    ASSERT_NE(NewDrawing(), nullptr);
    ASSERT_TRUE(m_manager->ExecuteCommand(kLineID));
    EXPECT_EQ(m_frame->GetCommandHelpContext(0), kLineID + 0x10000u);
    // F1 (the help command) asks for the running command's topic; without a help document the user is told so.
    const size_t boxesBefore = m_app->boxes.size();
    Command(57670);
    EXPECT_EQ(m_frame->GetLastHelpContext(), kLineID + 0x10000u);
    ASSERT_EQ(m_app->boxes.size(), boxesBefore + 1);
    EXPECT_EQ(m_app->boxes.back().text, LoadResourceString(61703).ToQString());
    m_manager->EndCommand(nullptr, FALSE);
    Command(57667);  // Help > Contents
    EXPECT_EQ(m_frame->GetLastHelpContext(), 0u);
    EXPECT_EQ(m_app->boxes.size(), boxesBefore + 2);
    // A command the table does not know has no topic: the default help, never 0xFFFF.
    EXPECT_EQ(QZ2Command::CommandManager::GetCommandID(u"Korvan.Nothing.Such"), static_cast<UINT>(-1));
    EXPECT_NE(m_frame->GetCommandHelpContext(0), 0xFFFFu);
}

TEST_F(ProgramFrameTest, MovingTheFrameSetsTheRectangleItsWindowRectReports)
{
    for (const CRect& target : {CRect(10, 20, 810, 620), CRect(40, 30, 640, 430)}) {
        m_frame->MoveWindow(&target, TRUE);
        Pump();
        CRect rect;
        m_frame->GetWindowRect(&rect);
        EXPECT_EQ(rect, target);
        // The client area lies inside, by the frame's border.
        CRect client;
        m_frame->GetClientRect(&client);
        EXPECT_LE(client.Width(), target.Width());
        EXPECT_LE(client.Height(), target.Height());
    }
    m_frame->SetWindowPos(nullptr, 50, 60, 700, 500, SWP_NOZORDER);
    CRect rect;
    m_frame->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(50, 60, 750, 560));
    m_frame->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE);
    m_frame->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(50, 60, 750, 560));
}

}  // namespace

namespace {

// The shape toolbar's group buttons start the member last chosen in their group, the frame's defaults first.
TEST_F(ProgramFrameTest, AGroupButtonStartsItsGroupsLastChosenCommand)
{
    ASSERT_NE(NewDrawing(), nullptr);
    Command(kLineGroup);
    EXPECT_EQ(m_manager->GetActiveCommandName(), CString(u"Korvan.Shape.Line"));
    Command(37101);  // end the command
    EXPECT_FALSE(m_manager->HasActiveCommand());

    // A member chosen from the menu becomes what the button starts, until another is chosen.
    Command(33413);
    EXPECT_EQ(m_frame->GetGroupButtonCommand(kLineGroup), 33413u);
    Command(kLineID);
    EXPECT_EQ(m_frame->GetGroupButtonCommand(kLineGroup), kLineID);
    Command(37101);
    Command(kLineGroup);
    EXPECT_EQ(m_manager->GetActiveCommandName(), CString(u"Korvan.Shape.Line"));
}

}  // namespace

namespace {

// The paper of the drawing a view shows, in the view's client pixels.
QRectF PaperOnScreen(CQZ2View* pView)
{
    Draw2dView* pDraw = pView->GetDraw2dView();
    const auto* pPaper = dynamic_cast<const Paper2dFeature*>(pDraw->GetDrawingFeature());
    if (pPaper == nullptr)
        return QRectF();
    double w = 0, h = 0;
    pPaper->GetPaperSize(w, h);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    pDraw->ConvertPointWorldToClient(RuVaPnt2d(0, 0), x1, y1);
    pDraw->ConvertPointWorldToClient(RuVaPnt2d(w, h), x2, y2);
    return QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
}

// Each new drawing opens fitted to its paper: the whole sheet in sight and filling the view one way.
TEST_F(ProgramFrameTest, EveryNewDrawingOpensFittedToItsPaper)
{
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        ASSERT_NE(NewDrawing(), nullptr);
        CMDIChildWnd* pChild = m_frame->MDIGetActive();
        ASSERT_NE(pChild, nullptr);
        auto* pTabs = dynamic_cast<CQZ2TabView*>(pChild->GetActiveView());
        ASSERT_NE(pTabs, nullptr);
        CQZ2View* pView = pTabs->GetActiveDrawView();
        ASSERT_NE(pView, nullptr);
        CRect client;
        pView->GetClientRect(&client);
        ASSERT_GT(client.Width(), 100);
        ASSERT_GT(client.Height(), 100);
        const QRectF paper = PaperOnScreen(pView);
        ASSERT_FALSE(paper.isEmpty());
        const QRectF area(client.left, client.top, client.Width(), client.Height());
        EXPECT_TRUE(area.adjusted(-1, -1, 1, 1).contains(paper)) << paper.x() << "," << paper.y() << " "
                                                                 << paper.width() << "x" << paper.height();
        EXPECT_GT(std::max(paper.width() / area.width(), paper.height() / area.height()), 0.8);
    }
}

}  // namespace

namespace {

// A key as the user presses it, sent to the window that has the focus.
void PressKey(Qt::Key key, const QString& text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    CWnd* pFocus = CWnd::GetFocus();
    ASSERT_NE(pFocus, nullptr);
    QWidget* pWidget = pFocus->GetQWidget();
    ASSERT_NE(pWidget, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(pWidget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(pWidget, &release);
    ProgramFixture::Pump();
}

// The editor of the command bar's selected row, or NULL.
CWnd* EditorOf(CCommandBar* pBar)
{
    PropertyListItem* pRow = pBar->GetList().GetCurItem();
    return pRow != nullptr ? pRow->GetEditor() : nullptr;
}

void EditorText(CCommandBar* pBar, CString& text)
{
    text.Empty();
    if (CWnd* pEditor = EditorOf(pBar))
        pEditor->GetWindowText(text);
}

void TypeText(const QString& text)
{
    for (QChar ch : text) {
        const Qt::Key key = ch == u',' ? Qt::Key_Comma : static_cast<Qt::Key>(Qt::Key_0 + ch.digitValue());
        PressKey(key, QString(ch));
    }
}

// While a command runs, the command bar's list holds the keyboard focus, not an editor: the
// frame's keys keep working, and what the user types (in the view or the list) goes into the
// selected row's editor.
TEST_F(ProgramFrameTest, KeysOfTheFrameWorkWhileACommandRunsAndTypedValuesReachTheSelectedRow)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    CCommandBar* pBar = m_frame->GetCommandBar();
    ASSERT_NE(pBar, nullptr);
    auto* pTabs = dynamic_cast<CQZ2TabView*>(m_frame->MDIGetActive()->GetActiveView());
    ASSERT_NE(pTabs, nullptr);
    CQZ2View* pView = pTabs->GetActiveDrawView();
    ASSERT_NE(pView, nullptr);

    // The line command from the menu: the rows take the focus.
    Command(kLineID);
    ASSERT_EQ(m_manager->GetActiveCommandName(), CString(u"Korvan.Shape.Line"));
    EXPECT_EQ(CWnd::GetFocus(), &pBar->GetList());

    // Typed in the view: the first character takes the focus into the input line with it.
    pView->SetFocus();
    Pump();
    ASSERT_EQ(CWnd::GetFocus(), pView);
    TypeText(QStringLiteral("10,10"));
    EXPECT_EQ(CWnd::GetFocus(), EditorOf(pBar));
    CString input;
    EditorText(pBar, input);
    EXPECT_EQ(input, CString(u"10,10"));
    PressKey(Qt::Key_Return, QStringLiteral("\r"));
    EditorText(pBar, input);
    EXPECT_TRUE(input.IsEmpty());
    // The start point is given; the rows have the focus again, and what is typed there goes on
    // into the input line.
    EXPECT_EQ(CWnd::GetFocus(), &pBar->GetList());
    TypeText(QStringLiteral("110,10"));
    EXPECT_EQ(CWnd::GetFocus(), EditorOf(pBar));
    PressKey(Qt::Key_Return, QStringLiteral("\r"));
    const Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    ASSERT_EQ(LineCount(pModel), 1);
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id)) {
        if (const auto* pLine = dynamic_cast<const Line2dFeature*>(pModel->GetFeature(id))) {
            EXPECT_NEAR(pLine->GetStartPoint().X(), 10.0, 1e-9);
            EXPECT_NEAR(pLine->GetStartPoint().Y(), 10.0, 1e-9);
            EXPECT_NEAR(pLine->GetEndPoint().X(), 110.0, 1e-9);
            EXPECT_NEAR(pLine->GetEndPoint().Y(), 10.0, 1e-9);
        }
    }
    ASSERT_EQ(m_manager->GetActiveCommandName(), CString(u"Korvan.Shape.Line"));

    // Ctrl+Z where the focus is now undoes the line; the command goes on.
    EXPECT_NE(CWnd::GetFocus(), EditorOf(pBar));
    PressKey(Qt::Key_Z, QString(), Qt::ControlModifier);
    EXPECT_EQ(LineCount(pModel), 0);
    EXPECT_EQ(m_manager->GetActiveCommandName(), CString(u"Korvan.Shape.Line"));

    // Escape in the rows cancels the command, which has no value given yet.
    EXPECT_EQ(CWnd::GetFocus(), &pBar->GetList());
    PressKey(Qt::Key_Escape);
    EXPECT_TRUE(m_manager->GetActiveCommandName().IsEmpty());
    // Without a command, typing in the view stays there.
    pView->SetFocus();
    Pump();
    TypeText(QStringLiteral("5"));
    EXPECT_EQ(CWnd::GetFocus(), pView);
    EditorText(pBar, input);
    EXPECT_TRUE(input.IsEmpty());
}

}  // namespace

namespace {

// A value typed in the view while the command bar is closed brings the bar back with the value.
TEST_F(ProgramFrameTest, TypingInTheViewBringsAClosedCommandBarBack)
{
    ASSERT_NE(NewDrawing(), nullptr);
    CCommandBar* pBar = m_frame->GetCommandBar();
    ASSERT_NE(pBar, nullptr);
    m_frame->ShowCommandBar(FALSE);
    Pump();
    ASSERT_FALSE(pBar->IsWindowVisible());
    Command(kLineID);
    auto* pTabs = dynamic_cast<CQZ2TabView*>(m_frame->MDIGetActive()->GetActiveView());
    ASSERT_NE(pTabs, nullptr);
    CQZ2View* pView = pTabs->GetActiveDrawView();
    ASSERT_NE(pView, nullptr);
    pView->SetFocus();
    Pump();
    TypeText(QStringLiteral("7"));
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), EditorOf(pBar));
    CString input;
    EditorText(pBar, input);
    EXPECT_EQ(input, CString(u"7"));
}

}  // namespace
