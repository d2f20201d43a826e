// The customisation sheet: its pages in the order a program arranges them, toolbars shown,
// hidden and made, commands put on toolbars and keys taken away and reset.
#include <QtCore/QMimeData>

#include <memory>

#include "BcgFixture.h"
#include "platform/bcg/CBCGPCommandsPage.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPKeyboardPage.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CBCGPToolbarCustomize.h"
#include "platform/bcg/CBCGPToolbarsPage.h"
#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CListBox.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

void Notify(CWnd* page, int id, UINT code) {
  CWnd* ctl = page->GetDlgItem(id);
  ASSERT_NE(ctl, nullptr);
  page->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(ctl->m_hWnd));
}

int FindText(CListBox* list, LPCTSTR text) {
  for (int i = 0; i < list->GetCount(); ++i) {
    CString s;
    list->GetText(i, s);
    if (s == CString(text)) return i;
  }
  return -1;
}

TEST_F(BcgTest, CustomizationSheetShowsToolbarsPutsCommandsOnThemAndChangesKeys) {
  ASSERT_TRUE(m_app->InitKeyboardManager());
  CTestFrame* f = OpenFrame();
  auto* sheet = new CBCGPToolbarCustomize(f, TRUE, BCGCUSTOMIZE_LOOK_2000);
  ASSERT_EQ(sheet->GetPageCount(), 5);
  EXPECT_EQ(sheet->GetPage(0), sheet->m_pCommandsPage);
  // As the program arranges it: toolbars, commands, keyboard.
  sheet->RemovePage(sheet->m_pMenuPage);
  sheet->RemovePage(sheet->m_pOptionsPage);
  sheet->RemovePage(sheet->m_pCommandsPage);
  sheet->RemovePage(sheet->m_pKeyboardPage);
  sheet->AddPage(sheet->m_pCommandsPage);
  sheet->AddPage(sheet->m_pKeyboardPage);
  ASSERT_EQ(sheet->GetPageCount(), 3);
  EXPECT_EQ(sheet->GetPage(0), sheet->m_pToolbarsPage);
  sheet->AddButton(u"Snap", CBCGPToolbarButton(ID_CMD_SNAP, -1));
  EXPECT_TRUE(sheet->AddToolBar(u"Shapes", IDR_SHAPE));
  EXPECT_FALSE(sheet->AddToolBar(u"Nothing", 4242));
  sheet->EnableUserDefinedToolbars(TRUE);
  const CStringArray& cats = sheet->GetCategories();
  ASSERT_EQ(cats.GetSize(), 4);  // File and Draw from the menu, then Snap and Shapes
  EXPECT_EQ(cats[0], CString(u"File"));
  EXPECT_EQ(cats[3], CString(u"Shapes"));

  ASSERT_TRUE(sheet->Create());
  EXPECT_TRUE(CBCGPToolBar::IsCustomizeMode());

  // Toolbars page: hide the shape toolbar, make a toolbar of the user's own.
  CBCGPToolbarsPage* tp = sheet->m_pToolbarsPage;
  auto* bars = static_cast<CListBox*>(tp->GetDlgItem(CBCGPToolbarsPage::IDC_TOOLBARS));
  ASSERT_NE(bars, nullptr);
  EXPECT_EQ(bars->GetCount(), 4);  // menu bar, standard, shape and view toolbars
  int shapeRow = -1;
  for (int i = 0; i < bars->GetCount(); ++i)
    if (tp->GetToolbarAt(i) == &f->m_wndShape) shapeRow = i;
  ASSERT_GE(shapeRow, 0);
  bars->SetCurSel(shapeRow);
  Notify(tp, CBCGPToolbarsPage::IDC_TOOLBARS, LBN_SELCHANGE);
  auto* show = static_cast<CButton*>(tp->GetDlgItem(CBCGPToolbarsPage::IDC_SHOW));
  EXPECT_EQ(show->GetCheck(), BST_CHECKED);
  show->SetCheck(BST_UNCHECKED);
  Notify(tp, CBCGPToolbarsPage::IDC_SHOW, BN_CLICKED);
  EXPECT_FALSE(f->m_wndShape.IsVisible());
  Notify(tp, CBCGPToolbarsPage::IDC_NEW, BN_CLICKED);
  CBCGPToolBar* user = f->GetUserBarByIndex(0);
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(bars->GetCount(), 5);
  EXPECT_GE(FindText(bars, u"Custom 1"), 0);

  // Commands page: the snap command goes onto the new toolbar.
  ASSERT_TRUE(sheet->SetActivePage(1));
  CBCGPCommandsPage* cp = sheet->m_pCommandsPage;
  auto* catList = static_cast<CListBox*>(cp->GetDlgItem(CBCGPCommandsPage::IDC_CATEGORIES));
  ASSERT_NE(catList, nullptr);
  catList->SetCurSel(FindText(catList, u"Snap"));
  Notify(cp, CBCGPCommandsPage::IDC_CATEGORIES, LBN_SELCHANGE);
  auto* cmdList = static_cast<CListBox*>(cp->GetDlgItem(CBCGPCommandsPage::IDC_COMMANDS));
  ASSERT_EQ(cmdList->GetCount(), 1);
  CString label;
  cmdList->GetText(0, label);
  EXPECT_EQ(label, CString(u"Snap on or off"));
  cmdList->SetCurSel(0);
  auto* target = static_cast<CComboBox*>(cp->GetDlgItem(CBCGPCommandsPage::IDC_TARGET));
  int userRow = -1;
  for (int i = 0; i < target->GetCount(); ++i)
    if (target->GetItemData(i) == static_cast<DWORD_PTR>(user->GetDlgCtrlID())) userRow = i;
  ASSERT_GE(userRow, 0);
  target->SetCurSel(userRow);
  Notify(cp, CBCGPCommandsPage::IDC_ADD, BN_CLICKED);
  ASSERT_EQ(user->GetCount(), 1);
  EXPECT_EQ(user->GetItemID(0), ID_CMD_SNAP);
  // Dragging the command carries its button to whichever toolbar it is dropped on.
  std::unique_ptr<QMimeData> dragged(cp->CreateDragData());
  ASSERT_NE(dragged, nullptr);
  std::unique_ptr<CBCGPToolbarButton> carried(CBCGPToolBar::ButtonFromMimeData(dragged.get()));
  ASSERT_NE(carried, nullptr);
  EXPECT_EQ(carried->m_nID, ID_CMD_SNAP);

  // Keyboard page: the keys of New, taken away and reset.
  ASSERT_TRUE(sheet->SetActivePage(2));
  CBCGPKeyboardPage* kp = sheet->m_pKeyboardPage;
  auto* kcats = static_cast<CComboBox*>(kp->GetDlgItem(CBCGPKeyboardPage::IDC_CATEGORY));
  ASSERT_NE(kcats, nullptr);
  kcats->SetCurSel(0);  // File
  Notify(kp, CBCGPKeyboardPage::IDC_CATEGORY, CBN_SELCHANGE);
  auto* kcmds = static_cast<CListBox*>(kp->GetDlgItem(CBCGPKeyboardPage::IDC_COMMANDS));
  kcmds->SetCurSel(0);  // New
  Notify(kp, CBCGPKeyboardPage::IDC_COMMANDS, LBN_SELCHANGE);
  auto* keys = static_cast<CListBox*>(kp->GetDlgItem(CBCGPKeyboardPage::IDC_KEYS));
  ASSERT_EQ(keys->GetCount(), 1);
  CString key;
  keys->GetText(0, key);
  EXPECT_EQ(key, CString(u"Ctrl+N"));
  keys->SetCurSel(0);
  Notify(kp, CBCGPKeyboardPage::IDC_REMOVE, BN_CLICKED);
  EXPECT_EQ(keys->GetCount(), 0);
  CString text;
  EXPECT_FALSE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_NEW, text, f, TRUE));
  EXPECT_TRUE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_SNAP, text, f, TRUE));
  Notify(kp, CBCGPKeyboardPage::IDC_RESET_ALL, BN_CLICKED);
  EXPECT_TRUE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_NEW, text, f, TRUE));
  EXPECT_EQ(keys->GetCount(), 1);
  // A new key: typed into the field it says who has it; assigned, it moves to this command.
  kp->SetNewKey(u"Del");
  CString owner;
  kp->GetDlgItem(CBCGPKeyboardPage::IDC_ASSIGNED_TO)->GetWindowText(owner);
  EXPECT_EQ(owner, CString(u"Assigned to: Snap on or off"));
  Notify(kp, CBCGPKeyboardPage::IDC_ASSIGN, BN_CLICKED);
  EXPECT_EQ(keys->GetCount(), 2);
  EXPECT_FALSE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_SNAP, text, f, TRUE));
  kp->SetNewKey(u"Ctrl+Shift+F7");
  Notify(kp, CBCGPKeyboardPage::IDC_ASSIGN, BN_CLICKED);
  EXPECT_TRUE(CBCGPKeyboardManager::IsKeyHandled(VK_F7, FVIRTKEY | FCONTROL | FSHIFT, f, TRUE));
  EXPECT_EQ(keys->GetCount(), 3);

  // Closing the sheet ends customisation mode; the sheet goes by itself.
  sheet->DestroyWindow();
  Pump();
  EXPECT_FALSE(CBCGPToolBar::IsCustomizeMode());
  CloseFrame(f);
}

}  // namespace
