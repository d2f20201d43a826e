// Menus, toolbars and their customisation, end to end: the real program offscreen over its own settings
// store. Special and group buttons after a start, a reset, the customisation sheet and a restart; the keys of
// the keyboard page; the popups the frame fills; tool tips, torn-off menus and the program's own look.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2ToolbarCustomizeDialog.h"
#include "app/CQZ2VisualManager.h"
#include "app/SystemEnvironment.h"
#include "command/CCommandToolbarMenuButton.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "controls/CAngularSnapToolbarComboBoxButton.h"
#include "controls/CColorToolbarComboBoxButton.h"
#include "controls/CSelectCurrentColorComboBox.h"
#include "controls/CLineTypeToolbarComboBoxButton.h"
#include "controls/CLineWidthToolbarComboBoxButton.h"
#include "controls/CQZ2ToolbarMenuButton.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPKeyboardPage.h"
#include "platform/bcg/CImageHash.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/bcg/CBCGPPopupMenuBar.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CBCGPVisualManager.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinAccelerator.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"

namespace {

constexpr UINT kStandardBar = 59392;
constexpr UINT kShapeBar = 59473;
constexpr UINT kEditBar = 59474;
constexpr UINT kAttributeBar = 59475;
constexpr UINT kViewBar = 59476;
constexpr UINT kLineGroup = 33924;

// The second line of a command's string: the tip the frame shows.
CString TipOf(UINT nID)
{
    CString text = LoadResourceString(nID);
    const int nl = text.Find(u'\n');
    return nl >= 0 ? text.Mid(nl + 1) : CString();
}

template <class Button>
std::vector<Button*> ButtonsOf(UINT nID)
{
    std::vector<Button*> out;
    CObList list;
    CBCGPToolBar::GetCommandButtons(nID, list);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        if (auto* p = dynamic_cast<Button*>(list.GetNext(pos)))
            out.push_back(p);
    return out;
}

class MenusToolbars : public ProgramFixture
{
protected:
    void Restart()
    {
        Stop();
        ASSERT_TRUE(Start());
        m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
        ASSERT_NE(m_frame, nullptr);
        m_manager = m_app->GetCommandManager();
        Pump();
    }
    CBCGPToolBar* Bar(UINT nID) { return m_frame->GetToolBarById(nID); }
    // The class of the first button with the id on the toolbar.
    CRuntimeClass* ClassOn(UINT nBar, UINT nID)
    {
        CBCGPToolBar* pBar = Bar(nBar);
        const int index = pBar != nullptr ? pBar->CommandToIndex(nID) : -1;
        return index >= 0 ? pBar->GetButton(index)->GetRuntimeClass() : nullptr;
    }
    UINT ActiveCommandID() const
    {
        return QZ2Command::CommandManager::GetCommandID(m_manager->GetActiveCommandName());
    }
    // The Qt drop-down of the button at the index of the toolbar.
    static QMenu* DropDownOf(CBCGPToolBar* pBar, int index)
    {
        auto* tb = qobject_cast<QToolBar*>(pBar->GetLayoutWidget());
        if (tb == nullptr || index < 0 || index >= tb->actions().size())
            return nullptr;
        int seen = -1;
        for (QAction* a : tb->actions()) {
            if (++seen == index)
                return a->menu();
        }
        return nullptr;
    }
    CQZ2ToolbarCustomizeDialog* OpenSheet()
    {
        Command(34664);
        Pump();
        return CQZ2ToolbarCustomizeDialog::GetOpenSheet();
    }
    static void CloseSheet(CQZ2ToolbarCustomizeDialog* pSheet)
    {
        pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        Pump();
    }
    // The items of a menu as the frame leaves them when the popup opens; the popup is not shown.
    std::vector<UINT> PopupItems(HMENU hMenu, BOOL* pShown = nullptr)
    {
        CBCGPPopupMenu popup;
        popup.GetMenuBar()->ImportFromMenu(hMenu);
        const BOOL shown = m_frame->OnShowPopupMenu(&popup);
        if (pShown != nullptr)
            *pShown = shown;
        std::vector<UINT> ids;
        for (int i = 0; i < popup.GetMenuBar()->GetCount(); ++i)
            ids.push_back(popup.GetMenuBar()->GetButton(i)->m_nID);
        return ids;
    }
    static bool Contains(const std::vector<UINT>& ids, UINT nID)
    {
        return std::find(ids.begin(), ids.end(), nID) != ids.end();
    }
};

}  // namespace

TEST_F(MenusToolbars, AFreshStartShowsTheSpecialButtonsOfEveryToolbar)
{
    for (UINT nID : {57600u, 34126u, 34131u, 34639u, 34649u})
        EXPECT_EQ(ClassOn(kStandardBar, nID), RUNTIME_CLASS(CQZ2ToolbarMenuButton)) << nID;
    EXPECT_EQ(ClassOn(kStandardBar, 34663), RUNTIME_CLASS(CAngularSnapToolbarComboBoxButton));
    for (UINT nID : {33936u, 33924u, 33937u, 33925u, 33926u, 33927u, 33928u, 33929u, 33930u, 33938u, 33939u, 33940u,
                     33941u, 33931u})
        EXPECT_EQ(ClassOn(kShapeBar, nID), RUNTIME_CLASS(CCommandToolbarMenuButton)) << nID;
    for (UINT nID : {33932u, 33933u, 33934u, 33935u})
        EXPECT_EQ(ClassOn(kEditBar, nID), RUNTIME_CLASS(CCommandToolbarMenuButton)) << nID;
    EXPECT_EQ(ClassOn(kAttributeBar, 34646), RUNTIME_CLASS(CColorToolbarComboBoxButton));
    EXPECT_EQ(ClassOn(kAttributeBar, 34647), RUNTIME_CLASS(CLineTypeToolbarComboBoxButton));
    EXPECT_EQ(ClassOn(kAttributeBar, 34648), RUNTIME_CLASS(CLineWidthToolbarComboBoxButton));

    // Drop-downs carry their menus and tear-off ids.
    auto* pSnap = ButtonsOf<CQZ2ToolbarMenuButton>(34649).at(0);
    std::vector<UINT> ids;
    pSnap->GetCommands(ids);
    EXPECT_TRUE(Contains(ids, 34652) && Contains(ids, 34668) && Contains(ids, 34660));
    EXPECT_EQ(pSnap->GetTearOffBarID(), 59478u);
    EXPECT_EQ(ButtonsOf<CQZ2ToolbarMenuButton>(57600).at(0)->GetTearOffBarID(), 0u);
    auto* pLine = ButtonsOf<CCommandToolbarMenuButton>(kLineGroup).at(0);
    pLine->GetCommands(ids);
    EXPECT_EQ(ids.front(), 33412u);
    EXPECT_TRUE(Contains(ids, 33435) && Contains(ids, 33523));
    EXPECT_EQ(pLine->GetTearOffBarID(), 59480u);

    // The line group shows its default member.
    CString tip;
    ASSERT_TRUE(m_frame->GetToolbarButtonToolTipText(pLine, tip));
    EXPECT_EQ(tip, TipOf(33412));
    EXPECT_FALSE(tip.IsEmpty());
}

TEST_F(MenusToolbars, AMemberChosenFromAGroupDropDownStartsAndBecomesTheFaceOfEveryCopy)
{
    ASSERT_NE(NewDrawing(), nullptr);
    // A second copy of the line group on the edit toolbar.
    CBCGPToolBar* pEdit = Bar(kEditBar);
    std::unique_ptr<CBCGPToolbarButton> pCopy(m_frame->CreateGroupButton(kLineGroup));
    ASSERT_GE(pEdit->InsertButton(*pCopy), 0);
    pEdit->AdjustLayout();
    Pump();

    CBCGPToolBar* pShape = Bar(kShapeBar);
    const int index = pShape->CommandToIndex(kLineGroup);
    QMenu* pMenu = DropDownOf(pShape, index);
    ASSERT_NE(pMenu, nullptr);
    Q_EMIT pMenu->aboutToShow();
    QAction* pVertical = nullptr;
    for (QAction* a : pMenu->actions())
        if (a->data().toUInt() == 33413)
            pVertical = a;
    ASSERT_NE(pVertical, nullptr) << "the group's members are in the drop-down";
    EXPECT_FALSE(pVertical->icon().isNull()) << "with their images";
    pVertical->trigger();
    Pump();

    EXPECT_EQ(ActiveCommandID(), 33413u) << "the chosen member runs";
    EXPECT_EQ(m_frame->GetGroupButtonCommand(kLineGroup), 33413u);
    const auto copies = ButtonsOf<CCommandToolbarMenuButton>(kLineGroup);
    ASSERT_EQ(copies.size(), 2u);
    for (CCommandToolbarMenuButton* p : copies) {
        CString tip;
        ASSERT_TRUE(m_frame->GetToolbarButtonToolTipText(p, tip));
        EXPECT_EQ(tip, TipOf(33413));
        EXPECT_EQ(p->GetImage(), CImageHash::GetImageOfCommand(33413));
    }
    // The group button itself starts the member now.
    Command(37101);
    pShape->ClickButton(pShape->CommandToIndex(kLineGroup));
    Pump();
    EXPECT_EQ(ActiveCommandID(), 33413u);
}

TEST_F(MenusToolbars, ToolTipsFollowTheRulesOfTheirButtons)
{
    CString tip;
    auto plain = [&](UINT nID) {
        CBCGPToolbarButton button(nID, -1);
        return m_frame->GetToolbarButtonToolTipText(&button, tip) ? tip : CString(u"<none>");
    };
    EXPECT_EQ(plain(57643), TipOf(57643));
    EXPECT_EQ(plain(34025), CString(u"Zoom All"));
    // The selection mode names the mode.
    SystemEnvironment options(*m_app->GetSystemEnvironment());
    for (const auto& [mode, suffix] : std::vector<std::pair<int, UINT>>{{1, 10305}, {2, 10306}, {8, 10307}, {16, 10308}}) {
        m_app->SetSelectionShapeMode(mode);
        EXPECT_EQ(plain(34126), TipOf(34126) + LoadResourceString(suffix)) << mode;
    }
    // A button with a text of its own that is no command keeps the library's tip.
    CBCGPToolbarButton none(0, -1, u"Popup");
    EXPECT_FALSE(m_frame->GetToolbarButtonToolTipText(&none, tip));
    // A group without a member leaves the library's tip.
    m_frame->SetGroupButtonCommand(kLineGroup, static_cast<UINT>(-1));
    EXPECT_FALSE(m_frame->GetToolbarButtonToolTipText(ButtonsOf<CCommandToolbarMenuButton>(kLineGroup).at(0), tip));
    // The bracketed access key goes, a longer bracket stays.
    EXPECT_EQ(CMainFrame::RemoveAccessKeyMarker(u"Open(&O)"), CString(u"Open"));
    EXPECT_EQ(CMainFrame::RemoveAccessKeyMarker(u"Open (&Ab)"), CString(u"Open (&Ab)"));
}

TEST_F(MenusToolbars, CustomizeEndsTheRunningCommandAndOpensThreePages)
{
    ASSERT_NE(NewDrawing(), nullptr);
    Command(33412);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    CQZ2ToolbarCustomizeDialog* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    EXPECT_EQ(m_manager->GetActiveCommand(), nullptr) << "the line command was cancelled";
    EXPECT_TRUE(CBCGPToolBar::IsCustomizeMode());
    ASSERT_EQ(pSheet->GetPageCount(), 3);
    EXPECT_EQ(static_cast<void*>(pSheet->GetPage(0)), static_cast<void*>(pSheet->m_pToolbarsPage));
    EXPECT_EQ(static_cast<void*>(pSheet->GetPage(1)), static_cast<void*>(pSheet->m_pCommandsPage));
    EXPECT_EQ(static_cast<void*>(pSheet->GetPage(2)), static_cast<void*>(pSheet->m_pKeyboardPage));

    std::vector<CBCGPToolbarButton*> buttons;
    pSheet->GetCategoryButtons(LoadResourceString(10292), buttons);
    std::vector<UINT> ids;
    for (CBCGPToolbarButton* p : buttons)
        ids.push_back(p->m_nID);
    const std::vector<UINT> snap = {34639, 34669, 34649, 34650, 34651, 34652, 34653, 34654, 34655, 34656,
                                    34657, 34658, 34659, 34666, 34667, 34668, 34662};
    EXPECT_EQ(ids, snap);
    EXPECT_EQ(buttons.at(0)->GetRuntimeClass(), RUNTIME_CLASS(CQZ2ToolbarMenuButton));
    EXPECT_EQ(buttons.at(1)->GetRuntimeClass(), RUNTIME_CLASS(CBCGPToolbarButton));
    pSheet->GetCategoryButtons(LoadResourceString(10293), buttons);
    ids.clear();
    for (CBCGPToolbarButton* p : buttons)
        ids.push_back(p->m_nID);
    EXPECT_EQ(ids, (std::vector<UINT>{37158, 37159, 37152, 37153, 37154, 37155, 37156, 37157, 37106, 37107, 37108, 37109}));

    // The menu bar takes no button and is no toolbar of the sheet's list.
    CQZ2MenuBar& menuBar = m_frame->GetMenuBarWnd();
    EXPECT_FALSE(menuBar.AllowShowOnList());
    CRect marker;
    EXPECT_EQ(menuBar.FindDropIndex(CPoint(5, 5), marker), -1);
    EXPECT_EQ(menuBar.OnDragOver(nullptr, 0, CPoint(5, 5)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    const int before = menuBar.GetCount();
    EXPECT_EQ(menuBar.DropButton(CBCGPToolbarButton(34025, -1), CPoint(5, 5)), -1);
    EXPECT_EQ(menuBar.GetCount(), before);
    // Nor does its right button offer anything, where a toolbar's offers its button menu.
    const auto pops = [](CBCGPToolBar& bar) {
        bool popped = false;
        QTimer::singleShot(0, [&popped] {
            if (QWidget* pPopup = QApplication::activePopupWidget()) {
                popped = true;
                pPopup->close();
            }
        });
        bar.OnContextMenuAt(0, CPoint(5, 5));
        Pump();
        return popped;
    };
    ASSERT_NE(Bar(59392), nullptr);
    EXPECT_TRUE(pops(*Bar(59392)));
    EXPECT_FALSE(pops(menuBar));
    EXPECT_EQ(menuBar.GetCount(), before);
    // While customising, the toolbar list is not offered.
    CMenu view;
    ASSERT_TRUE(view.LoadMenu(110));
    BOOL shown = TRUE;
    CMenu* pToolbars = view.GetSubMenu(1)->GetSubMenu(7);
    ASSERT_NE(pToolbars, nullptr);
    PopupItems(pToolbars->m_hMenu, &shown);
    EXPECT_FALSE(shown);
    // Help of each page.
    for (int page = 0; page < 3; ++page) {
        pSheet->SetActivePage(page);
        pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED), 0);
        EXPECT_EQ(m_frame->GetLastHelpContext(), static_cast<DWORD_PTR>(480 + page));
    }
    CloseSheet(pSheet);
    EXPECT_EQ(CQZ2ToolbarCustomizeDialog::GetOpenSheet(), nullptr);
    EXPECT_FALSE(CBCGPToolBar::IsCustomizeMode());
}

TEST_F(MenusToolbars, TheSheetSpeaksJapaneseWithTheJapaneseInterface)
{
    Stop();
    SetMachineLanguage(QStringLiteral("JPN"));
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    CQZ2ToolbarCustomizeDialog* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    ASSERT_EQ(pSheet->GetPageCount(), 3);
    EXPECT_EQ(pSheet->GetPage(0)->GetTitle(), CString(u"ツールバー"));
    EXPECT_EQ(pSheet->GetPage(1)->GetTitle(), CString(u"コマンド"));
    EXPECT_EQ(pSheet->GetPage(2)->GetTitle(), CString(u"キーボード"));
    std::vector<CBCGPToolbarButton*> buttons;
    EXPECT_EQ(pSheet->GetCategoryButtons(LoadResourceString(10292), buttons), 17);
    // The sheet's own buttons too.
    const auto text = [](CWnd* pWnd) {
        CString s;
        if (pWnd != nullptr)
            pWnd->GetWindowText(s);
        return s;
    };
    EXPECT_EQ(text(pSheet->GetDlgItem(IDOK)), CString(u"OK"));
    EXPECT_EQ(text(pSheet->GetDlgItem(IDCANCEL)), CString(u"キャンセル"));
    EXPECT_EQ(text(pSheet->GetDlgItem(IDHELP)), CString(u"ヘルプ"));
    CloseSheet(pSheet);
}

TEST_F(MenusToolbars, ACommandDraggedOntoAUserToolbarBecomesItsSpecialButtonNowAndAfterARestart)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    CQZ2ToolbarCustomizeDialog* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    auto* pUser = reinterpret_cast<CBCGPToolBar*>(
        m_frame->SendMessage(BCGM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>(u"Mine")));
    ASSERT_NE(pUser, nullptr);
    EXPECT_TRUE(pUser->IsCustomizeButtonEnabled()) << "a new toolbar has the customise button";
    const UINT nUserBar = static_cast<UINT>(pUser->GetDlgCtrlID());
    pUser->InsertButton(CBCGPToolbarButton(34646, -1));
    // The line group twice.
    pUser->InsertButton(CBCGPToolbarButton(kLineGroup, -1));
    pUser->InsertButton(CBCGPToolbarButton(kLineGroup, -1));
    pUser->AdjustLayout();
    CloseSheet(pSheet);

    auto check = [&](Draw2dDocument* pModel) {
        CBCGPToolBar* pBar = Bar(nUserBar);
        ASSERT_NE(pBar, nullptr);
        auto* pColor = dynamic_cast<CColorToolbarComboBoxButton*>(pBar->GetButton(pBar->CommandToIndex(34646)));
        ASSERT_NE(pColor, nullptr);
        ASSERT_NE(pColor->GetCurrentCombo(), nullptr);
        EXPECT_EQ(pColor->GetCurrentCombo()->GetDocument(), pModel);
        int groups = 0;
        for (int i = 0; i < pBar->GetCount(); ++i)
            if (auto* p = dynamic_cast<CCommandToolbarMenuButton*>(pBar->GetButton(i))) {
                ++groups;
                EXPECT_EQ(p->GetImage(), CImageHash::GetImageOfCommand(m_frame->GetGroupButtonCommand(kLineGroup)));
            }
        EXPECT_EQ(groups, 2) << "both copies of the group button";
    };
    check(pDoc->GetDraw2dDocument());
    Restart();
    check(ActiveDocument() != nullptr ? ActiveDocument()->GetDraw2dDocument() : nullptr);
}

TEST_F(MenusToolbars, RestoringKeepsGroupButtonsExceptTheMoveAndCopyGroupsOfOldSettings)
{
    struct Case {
        DWORD major, minor;
        bool rebuilt;
    } const cases[] = {{0, 0, true}, {3, 40, true}, {3, 50, false}, {4, 21, false}};
    for (const Case& c : cases) {
        Stop();
        WriteUserInt(QStringLiteral("Version"), QStringLiteral("Major"), c.major);
        WriteUserInt(QStringLiteral("Version"), QStringLiteral("Minor"), c.minor);
        ASSERT_TRUE(Start());
        m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
        Pump();
        CBCGPToolBar* pEdit = Bar(kEditBar);
        CBCGPToolbarButton* pMove = pEdit->GetButton(pEdit->CommandToIndex(33932));
        CBCGPToolbarButton* pArray = pEdit->GetButton(pEdit->CommandToIndex(33934));
        m_frame->RestoreSpecialButtons();
        EXPECT_EQ(pEdit->GetButton(pEdit->CommandToIndex(33932)) != pMove, c.rebuilt) << c.major << "." << c.minor;
        EXPECT_EQ(pEdit->GetButton(pEdit->CommandToIndex(33934)), pArray) << "other groups keep their object";
        // Versions are stored at exit: the next case writes its own.
    }
}

TEST_F(MenusToolbars, ResettingAToolbarRestoresItsSpecialButtonsAtOnce)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    CBCGPToolBar* pAttribute = Bar(kAttributeBar);
    pAttribute->RestoreOriginalstate();
    auto* pColor = dynamic_cast<CColorToolbarComboBoxButton*>(pAttribute->GetButton(pAttribute->CommandToIndex(34646)));
    ASSERT_NE(pColor, nullptr);
    EXPECT_EQ(pColor->GetCurrentCombo()->GetDocument(), pDoc->GetDraw2dDocument());
    EXPECT_NE(dynamic_cast<CLineTypeToolbarComboBoxButton*>(pAttribute->GetButton(pAttribute->CommandToIndex(34647))),
              nullptr);
    CBCGPToolBar* pShape = Bar(kShapeBar);
    pShape->RestoreOriginalstate();
    EXPECT_EQ(ClassOn(kShapeBar, 33931), RUNTIME_CLASS(CCommandToolbarMenuButton));
    CBCGPToolBar* pStandard = Bar(kStandardBar);
    pStandard->RestoreOriginalstate();
    EXPECT_EQ(ClassOn(kStandardBar, 34649), RUNTIME_CLASS(CQZ2ToolbarMenuButton));
    // The view toolbar has plain buttons only.
    CBCGPToolBar* pView = Bar(kViewBar);
    pView->RestoreOriginalstate();
    for (int i = 0; i < pView->GetCount(); ++i)
        if (!pView->GetButton(i)->IsSeparator())
            EXPECT_EQ(pView->GetButton(i)->GetRuntimeClass(), RUNTIME_CLASS(CBCGPToolbarButton));
}

TEST_F(MenusToolbars, AKeyAssignedOnTheKeyboardPageWorksAtOnceAndAfterARestart)
{
    CQZ2ToolbarCustomizeDialog* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    pSheet->SetActivePage(2);
    CBCGPKeyboardPage* pPage = pSheet->m_pKeyboardPage;
    ASSERT_NE(pPage->GetSafeHwnd(), nullptr);
    ASSERT_TRUE(pPage->SelectCommand(34662));
    pPage->SetNewKey(u"Ctrl+Shift+K");
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CBCGPKeyboardPage::IDC_ASSIGN, BN_CLICKED), 0);
    const BOOL before = m_app->GetSystemEnvironment()->m_SnapAngularEnabled;
    MSG msg{};
    msg.hwnd = m_frame->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = 'K';
    auto press = [&]() {
        AfxNoteKeyState(VK_CONTROL, true);
        AfxNoteKeyState(VK_SHIFT, true);
        const int done = TranslateAccelerator(m_frame->GetSafeHwnd(), m_frame->m_hAccelTable, &msg);
        AfxNoteKeyState(VK_CONTROL, false);
        AfxNoteKeyState(VK_SHIFT, false);
        Pump();
        return done;
    };
    // The reserved keys stay with the running command.
    m_app->boxes.clear();
    pPage->SetNewKey(u"Esc");
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CBCGPKeyboardPage::IDC_ASSIGN, BN_CLICKED), 0);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(CString::FromQString(m_app->boxes[0].text), LoadResourceString(11942));
    CloseSheet(pSheet);
    ASSERT_TRUE(press());
    EXPECT_NE(m_app->GetSystemEnvironment()->m_SnapAngularEnabled, before) << "the key runs its command at once";
    EXPECT_FALSE(CBCGPKeyboardManager::IsKeyHandled(VK_ESCAPE, FVIRTKEY, m_frame, TRUE));

    Restart();
    const BOOL after = m_app->GetSystemEnvironment()->m_SnapAngularEnabled;
    ASSERT_TRUE(press());
    EXPECT_NE(m_app->GetSystemEnvironment()->m_SnapAngularEnabled, after) << "and after a restart";

    // Reset all brings the defaults back.
    pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    pSheet->SetActivePage(2);
    pSheet->m_pKeyboardPage->SendMessage(WM_COMMAND, MAKEWPARAM(CBCGPKeyboardPage::IDC_RESET_ALL, BN_CLICKED), 0);
    CloseSheet(pSheet);
    EXPECT_FALSE(CBCGPKeyboardManager::IsKeyHandled('K', FVIRTKEY | FCONTROL | FSHIFT, m_frame, TRUE));
    EXPECT_TRUE(CBCGPKeyboardManager::IsKeyHandled('N', FVIRTKEY | FCONTROL, m_frame, TRUE));
}

TEST_F(MenusToolbars, AKeyMovesFromItsCommandOnlyWhenTheUserSaysSo)
{
    CQZ2ToolbarCustomizeDialog* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    pSheet->SetActivePage(2);
    CBCGPKeyboardPage* pPage = pSheet->m_pKeyboardPage;
    ASSERT_TRUE(pPage->SelectCommand(34662));
    for (int answer : {IDNO, IDYES}) {
        m_app->answer = answer;
        m_app->boxes.clear();
        pPage->SetNewKey(u"Ctrl+N");
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CBCGPKeyboardPage::IDC_ASSIGN, BN_CLICKED), 0);
        EXPECT_EQ(m_app->boxes.size(), 1u) << "the page asks";
        ACCEL key{FVIRTKEY | FCONTROL, 'N', 0};
        std::vector<ACCEL> table(static_cast<size_t>(CopyAcceleratorTable(m_frame->m_hAccelTable, nullptr, 0)));
        CopyAcceleratorTable(m_frame->m_hAccelTable, table.data(), static_cast<int>(table.size()));
        WORD owner = 0;
        for (const ACCEL& a : table)
            if (a.key == key.key && a.fVirt == key.fVirt)
                owner = a.cmd;
        EXPECT_EQ(owner, answer == IDYES ? 34662 : 57600);
    }
    m_app->answer = IDOK;
    CloseSheet(pSheet);
}

TEST_F(MenusToolbars, StoredKeysOfCommandsTheProgramLacksAreDroppedOnLoad)
{
    // A table as an older or foreign build may have left it: one key of a command this program lacks.
    std::vector<ACCEL> table(static_cast<size_t>(CopyAcceleratorTable(m_frame->m_hAccelTable, nullptr, 0)));
    CopyAcceleratorTable(m_frame->m_hAccelTable, table.data(), static_cast<int>(table.size()));
    table.push_back(ACCEL{FVIRTKEY | FCONTROL | FSHIFT, 'J', 61999});
    table.push_back(ACCEL{FVIRTKEY | FCONTROL | FSHIFT, 'K', 34662});
    ASSERT_TRUE(CBCGPKeyboardManager::GetInstance()->UpdateAcellTable(nullptr, table.data(), static_cast<int>(table.size()), m_frame));
    ASSERT_TRUE(CBCGPKeyboardManager::IsKeyHandled('J', FVIRTKEY | FCONTROL | FSHIFT, m_frame, TRUE));

    Restart();
    EXPECT_FALSE(CBCGPKeyboardManager::IsKeyHandled('J', FVIRTKEY | FCONTROL | FSHIFT, m_frame, TRUE))
        << "the unknown command's key is gone";
    EXPECT_TRUE(CBCGPKeyboardManager::IsKeyHandled('K', FVIRTKEY | FCONTROL | FSHIFT, m_frame, TRUE))
        << "the known command keeps its key";
    // Keys of the frame's own commands (a menu item, a toolbar-only command, a drop-down item) stay too.
    for (UINT nID : {57600u, 34664u, 34127u, 33413u, 34650u})
        EXPECT_TRUE(m_frame->HasCommand(nID)) << nID;
    EXPECT_FALSE(m_frame->HasCommand(61999));
}

TEST_F(MenusToolbars, GroupMembersAndSnapKindsHaveImagesOfTheirOwn)
{
    CMenu menu;
    std::vector<UINT> snapKinds = {34650, 34651, 34652, 34653, 34654, 34655, 34656,
                                   34657, 34658, 34659, 34666, 34667, 34668};
    std::vector<int> seen;
    for (UINT nID : snapKinds) {
        const int image = CImageHash::GetImageOfCommand(nID);
        EXPECT_GE(image, 0) << nID;
        seen.push_back(image);
    }
    for (UINT nGroup = 33924; nGroup <= 33941; ++nGroup) {
        auto buttons = ButtonsOf<CCommandToolbarMenuButton>(nGroup);
        ASSERT_FALSE(buttons.empty()) << nGroup;
        const int groupImage = CImageHash::GetImageOfCommand(nGroup);
        std::vector<UINT> members;
        buttons.front()->GetCommands(members);
        ASSERT_GE(members.size(), 2u) << nGroup;
        for (UINT nMember : members) {
            const int image = CImageHash::GetImageOfCommand(nMember);
            EXPECT_GE(image, 0) << nMember;
            EXPECT_NE(image, groupImage) << nMember << " borrows its group's image";
            seen.push_back(image);
        }
    }
    std::vector<int> unique = seen;
    std::sort(unique.begin(), unique.end());
    EXPECT_EQ(std::unique(unique.begin(), unique.end()), unique.end()) << "every member has its own image";

    // A member that is not the group's first shows another picture than the group's.
    QImage group, vertical;
    ASSERT_TRUE(CBCGPToolBar::GetImages()->GetImage(CImageHash::GetImageOfCommand(kLineGroup), group));
    ASSERT_TRUE(CBCGPToolBar::GetImages()->GetImage(CImageHash::GetImageOfCommand(33413), vertical));
    EXPECT_NE(group, vertical);
    // The group button takes the member's picture when it is chosen.
    m_frame->SetGroupButtonCommand(kLineGroup, 33413);
    for (CCommandToolbarMenuButton* p : ButtonsOf<CCommandToolbarMenuButton>(kLineGroup))
        EXPECT_EQ(p->GetImage(), CImageHash::GetImageOfCommand(33413));
}

TEST_F(MenusToolbars, PopupsListTheToolbarsAndAtMostTwentyDrawings)
{
    // View > Toolbars: the toolbar list with its checks, the user toolbars and Customize.
    auto* pUser = m_frame->CreateUserToolbar(u"Mine");
    ASSERT_NE(pUser, nullptr);
    CMenu view;
    ASSERT_TRUE(view.LoadMenu(110));
    CMenu* pToolbars = view.GetSubMenu(1)->GetSubMenu(7);
    ASSERT_NE(pToolbars, nullptr);
    BOOL shown = FALSE;
    const std::vector<UINT> list = PopupItems(pToolbars->m_hMenu, &shown);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Contains(list, 33307));
    for (UINT nID : {33308u, 33309u, 33310u, 33311u, 59600u, 34664u})
        EXPECT_TRUE(Contains(list, nID)) << nID;
    // The same through the menu bar's own drop-down, as the user opens it.
    CQZ2MenuBar& menuBar = m_frame->GetMenuBarWnd();
    QMenu* pView = nullptr;
    for (int i = 0; i < menuBar.GetCount(); ++i)
        if (menuBar.GetButton(i)->m_strText == CString(u"&View"))
            pView = DropDownOf(&menuBar, i);
    ASSERT_NE(pView, nullptr);
    Q_EMIT pView->aboutToShow();
    QMenu* pSub = nullptr;
    for (QAction* a : pView->actions())
        if (a->menu() != nullptr)
            pSub = a->menu();
    ASSERT_NE(pSub, nullptr);
    std::vector<UINT> fromBar;
    for (QAction* a : pSub->actions())
        if (a->isVisible())
            fromBar.push_back(a->data().toUInt());
    EXPECT_TRUE(Contains(fromBar, 59600) && Contains(fromBar, 34664) && !Contains(fromBar, 33307));
    // The user toolbar's item shows and hides it.
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(59600, 0), 0);
    EXPECT_FALSE(pUser->IsVisible());

    // The drawing list: one item per drawing, never beyond 39510.
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    while (pModel->GetDrawingFeatureCount() < 25) {
        CString name;
        name.Format(u"Part %d", pModel->GetDrawingFeatureCount());
        ASSERT_GE(pModel->AddPartDrawingFeature(name), 0);
    }
    CMenu drawings;
    drawings.CreatePopupMenu();
    drawings.AppendMenu(MF_STRING, 39491, u"(drawings)");
    const std::vector<UINT> items = PopupItems(drawings.m_hMenu);
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items.front(), 39491u);
    EXPECT_EQ(items.back(), 39510u);

    // English never offers the update check.
    CMenu help;
    help.CreatePopupMenu();
    help.AppendMenu(MF_STRING, 57664, u"About");
    help.AppendMenu(MF_STRING, 34951, u"Check");
    EXPECT_FALSE(Contains(PopupItems(help.m_hMenu), 34951));
}

TEST_F(MenusToolbars, TheJapaneseMenusOfferTheUpdateCheck)
{
    Stop();
    SetMachineLanguage(QStringLiteral("JPN"));
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    CMenu help;
    help.CreatePopupMenu();
    help.AppendMenu(MF_STRING, 57664, u"About");
    help.AppendMenu(MF_STRING, 34951, u"Check");
    EXPECT_TRUE(Contains(PopupItems(help.m_hMenu), 34951));
}

TEST_F(MenusToolbars, TornOffMenusTakeTheirTitlesAndComeBackAfterARestart)
{
    const UINT table[][2] = {{59478, 10272}, {59479, 10275}, {59480, 10276}, {59486, 10282}, {59487, 10287},
                             {59491, 10291}, {59493, 10283}, {59496, 10286}, {59497, 10273}, {59498, 10274}};
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(204));
    for (const auto& row : table) {
        CBCGPToolbarMenuButton button(kLineGroup, menu.GetSubMenu(0)->m_hMenu, -1, u"Library title");
        button.SetTearOff(row[0]);
        CBCGPToolBar* pBar = m_frame->TearOffMenu(&button);
        ASSERT_NE(pBar, nullptr) << row[0];
        CString title;
        pBar->GetWindowText(title);
        EXPECT_EQ(title, LoadResourceString(row[1])) << row[0];
    }
    CBCGPToolbarMenuButton other(kLineGroup, menu.GetSubMenu(0)->m_hMenu, -1, u"Library title");
    other.SetTearOff(59492);
    CString title;
    m_frame->TearOffMenu(&other)->GetWindowText(title);
    EXPECT_EQ(title, CString(u"Library title"));

    // A torn-off group button of the toolbar, as the user tears it.
    CBCGPToolBar* pShape = Bar(kShapeBar);
    CBCGPToolBar* pTorn = pShape->TearOffButton(pShape->CommandToIndex(33925));
    ASSERT_NE(pTorn, nullptr);
    EXPECT_EQ(pTorn->GetDlgCtrlID(), 59481);
    EXPECT_GT(pTorn->GetCount(), 0);
    Restart();
    EXPECT_NE(m_frame->GetTearOffBar(59481), nullptr);
    EXPECT_NE(m_frame->GetTearOffBar(59478), nullptr);
}

TEST_F(MenusToolbars, TheProgramsOwnLookIsStyleFourAndEveryStyleOutsideTheStandardOnes)
{
    m_frame->ChangeVisualStyle(7);
    EXPECT_TRUE(CBCGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CQZ2VisualManager)));
    m_frame->ChangeVisualStyle(1);
    EXPECT_FALSE(CBCGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CQZ2VisualManager)));
    Stop();
    WriteUserInt(QStringLiteral("Options"), QStringLiteral("VisualStyle"), 4);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(CBCGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CQZ2VisualManager)));
}
