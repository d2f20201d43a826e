// The tab order dialog over a real document window: it lists the tabs (the layer table under its own
// name), moves the selected entry up and down with its buttons kept in step, and on OK hands back the
// order that the tab view then takes.

#include "tests/app/view/TabViewFixture.h"

#include <QtCore/QTimer>

#include <functional>

#include "app/CTabViewSortDialog.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/bcg/CBCGPTabWnd.h"
#include "platform/win/DialogTemplate.h"

namespace {

// The layout of the dialog: its list, the move buttons, OK and Cancel.
constexpr const char* kTemplate = R"(DIALOG 0 0 200 120
CAPTION "Tab Order"
CONTROL LISTBOX 2443 "" 7 7 130 106 WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY
CONTROL BUTTON 2444 "Up" 143 7 50 14 WS_TABSTOP
CONTROL BUTTON 2445 "Down" 143 25 50 14 WS_TABSTOP
CONTROL BUTTON IDOK "OK" 143 81 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
CONTROL BUTTON IDCANCEL "Cancel" 143 99 50 14 WS_TABSTOP
)";

class TabOrderDialogTest : public TabViewFixture
{
protected:
    // Runs the dialog for the window's tabs; `act` works it while it shows and closes it.
    INT_PTR Run(CTabViewSortDialog& dialog, int nSelection, const std::function<void()>& act)
    {
        DialogTemplate layout;
        CString why;
        EXPECT_TRUE(layout.Parse(CString::FromQString(QString::fromUtf8(kTemplate)), &why));
        dialog.InitModalIndirect(layout);
        dialog.m_pTabView = tabs;
        dialog.m_nInitialSelection = nSelection;
        QTimer::singleShot(0, act);
        return dialog.DoModal();
    }
    static void Click(CDialog& dialog, int nID)
    {
        CWnd* pButton = dialog.GetDlgItem(nID);
        ASSERT_NE(pButton, nullptr);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->m_hWnd));
    }
    static bool Enabled(CDialog& dialog, int nID) { return dialog.GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    static std::vector<UINT> Order(const CTabViewSortDialog& dialog)
    {
        std::vector<UINT> order;
        for (INT_PTR i = 0; i < dialog.m_order.GetSize(); ++i)
            order.push_back(dialog.m_order.GetAt(i));
        return order;
    }
};

}  // namespace

TEST_F(TabOrderDialogTest, ListsTheTabsAndHandsBackTheOrderUnchangedOrMoved)
{
    Open();
    tabs->GetTabControl().SetTabLabel(3, u"renamed");  // the layer table is listed by its own name
    CTabViewSortDialog unchanged;
    const INT_PTR result = Run(unchanged, 0, [&]() {
        auto* pList = static_cast<CListBox*>(unchanged.GetDlgItem(2443));
        EXPECT_EQ(pList->GetCount(), 4);
        CString text;
        pList->GetText(3, text);
        CString layers;
        layers.LoadString(10117);
        EXPECT_EQ(text, layers);
        EXPECT_EQ(pList->GetCurSel(), 0);
        EXPECT_FALSE(Enabled(unchanged, 2444));
        EXPECT_TRUE(Enabled(unchanged, 2445));
        Click(unchanged, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Order(unchanged), (std::vector<UINT>{0, 1, 2, 3}));
    EXPECT_EQ(unchanged.m_names.GetAt(0), Label(0));

    // The first entry down and up again is where it was; the last part down goes to the end.
    CTabViewSortDialog moved;
    ASSERT_EQ(Run(moved, 0, [&]() {
                  Click(moved, 2445);
                  Click(moved, 2444);
                  auto* pList = static_cast<CListBox*>(moved.GetDlgItem(2443));
                  pList->SetCurSel(2);
                  moved.SendMessage(WM_COMMAND, MAKEWPARAM(2443, LBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(pList->m_hWnd));
                  EXPECT_TRUE(Enabled(moved, 2444));
                  Click(moved, 2445);
                  EXPECT_EQ(pList->GetCurSel(), 3);
                  EXPECT_TRUE(Enabled(moved, 2444));
                  EXPECT_FALSE(Enabled(moved, 2445));
                  Click(moved, 2445);  // already last: nothing
                  Click(moved, IDOK);
              }),
              IDOK);
    EXPECT_EQ(Order(moved), (std::vector<UINT>{0, 1, 3, 2}));
    ASSERT_TRUE(tabs->ReorderTabs(moved.m_order));
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 1, 2, 1}));

    // Cancel hands back nothing.
    CTabViewSortDialog cancelled;
    EXPECT_EQ(Run(cancelled, 1,
                  [&]() {
                      Click(cancelled, 2444);
                      Click(cancelled, IDCANCEL);
                  }),
              IDCANCEL);
    EXPECT_EQ(cancelled.m_order.GetSize(), 0);
}

TEST_F(TabOrderDialogTest, WithOneTabBothButtonsStayDisabled)
{
    DrawViewInfo info;
    info.AddViewInfo(0, model->GetPaperFeature(0)->GetDrawingID());
    info.SetActiveIndex(0);
    doc->SetViewInfo(info);
    Open();
    ASSERT_EQ(tabs->GetTabCount(), 1);
    CTabViewSortDialog dialog;
    Run(dialog, 0, [&]() {
        EXPECT_FALSE(Enabled(dialog, 2444));
        EXPECT_FALSE(Enabled(dialog, 2445));
        Click(dialog, IDCANCEL);
    });
    CTabViewSortDialog none;
    Run(none, 5, [&]() {
        EXPECT_EQ(static_cast<CListBox*>(none.GetDlgItem(2443))->GetCurSel(), -1);
        EXPECT_FALSE(Enabled(none, 2444));
        EXPECT_FALSE(Enabled(none, 2445));
        Click(none, IDCANCEL);
    });
}
