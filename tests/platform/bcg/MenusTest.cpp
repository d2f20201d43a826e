// Popup menus, the menu bar, the keyboard and context-menu managers and the visual styles.
#include <QtGui/QPalette>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>

#include "BcgFixture.h"
#include "platform/bcg/CBCGPContextMenuManager.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/bcg/CBCGPPopupMenuBar.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CBCGPVisualManager2007.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinAccelerator.h"

namespace {

QStringList Texts(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << a->text();
  return out;
}

TEST_F(BcgTest, PopupMenusLetTheFrameChangeThemAndSendTheChosenCommand) {
  CTestFrame* f = OpenFrame();
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
  auto* popup = new CBCGPPopupMenu;
  ASSERT_TRUE(popup->Create(f, 40, 40, menu.GetSubMenu(0)->m_hMenu, FALSE, TRUE));
  EXPECT_EQ(f->m_popupsSeen, 1);
  EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), popup);
  QMenu* q = popup->GetQMenu();
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(Texts(q), QStringList{QStringLiteral("&New\tCtrl+N")});
  q->actions()[0]->trigger();
  q->hide();
  Pump();
  EXPECT_EQ(f->m_commands, std::vector<UINT>{ID_CMD_NEW});
  EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);

  // Items follow the update handlers; a refused popup never shows.
  CMenu locked;
  ASSERT_TRUE(locked.LoadMenuFromText(u"POPUP \"x\"\n MENUITEM \"Locked\", 34650\n MENUITEM \"Snap\", 34649\nEND\n"));
  f->m_bSnap = TRUE;
  popup = new CBCGPPopupMenu;
  ASSERT_TRUE(popup->Create(f, 40, 40, locked.GetSubMenu(0)->m_hMenu));
  EXPECT_FALSE(popup->GetQMenu()->actions()[0]->isEnabled());
  EXPECT_TRUE(popup->GetQMenu()->actions()[1]->isChecked());
  popup->CloseMenu();
  Pump();
  EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);
  f->m_bRefusePopups = TRUE;
  EXPECT_FALSE((new CBCGPPopupMenu)->Create(f, 40, 40, locked.GetSubMenu(0)->m_hMenu));
  EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);
  CloseFrame(f);
}

TEST_F(BcgTest, MenuBarShowsTheFramesMenuAndSendsItsCommands) {
  CTestFrame* f = OpenFrame();
  CBCGPMenuBar& bar = f->m_wndMenuBar;
  EXPECT_EQ(f->GetMenuBar(), &bar);
  ASSERT_EQ(bar.GetCount(), 2);
  EXPECT_EQ(CString(bar.GetButton(1)->m_strText), CString(u"&Draw"));
  QToolBar* strip = qobject_cast<QToolBar*>(bar.GetLayoutWidget());
  QMenu* draw = strip->actions()[1]->menu();
  ASSERT_NE(draw, nullptr);
  EXPECT_EQ(draw->actions().size(), 2);
  // Items of commands that a toolbar has show its image.
  QMetaObject::invokeMethod(draw, "aboutToShow");
  EXPECT_FALSE(draw->actions()[0]->icon().isNull());
  draw->actions()[1]->trigger();
  Pump();
  EXPECT_EQ(f->m_commands, std::vector<UINT>{ID_CMD_CIRCLE});

  // A document's own menu replaces the bar's items while it is the frame's menu.
  CMenu doc;
  ASSERT_TRUE(doc.LoadMenuFromText(u"POPUP \"&Edit\"\n MENUITEM \"&Undo\", 57643\nEND\n"));
  bar.CreateFromMenu(doc.m_hMenu);
  ASSERT_EQ(bar.GetCount(), 1);
  EXPECT_EQ(CString(bar.GetButton(0)->m_strText), CString(u"&Edit"));
  EXPECT_TRUE(bar.RestoreOriginalstate());
  EXPECT_EQ(bar.GetCount(), 2);
  // The menu bar is not stored with the toolbars.
  EXPECT_FALSE(bar.LoadState(m_app->GetRegSectionPath()));
  CloseFrame(f);
}

TEST_F(BcgTest, KeysChangedByTheUserAreKeptAcrossARestart) {
  ASSERT_TRUE(m_app->InitKeyboardManager());
  EXPECT_FALSE(m_app->InitKeyboardManager());
  CTestFrame* f = OpenFrame();
  CString text;
  ASSERT_TRUE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_NEW, text, f, TRUE));
  EXPECT_EQ(text, CString(u"Ctrl+N"));
  ASSERT_TRUE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_SNAP, text, f, TRUE));
  EXPECT_EQ(text, CString(u"Del"));
  ACCEL keys[2] = {{FVIRTKEY | FCONTROL | FSHIFT, 'O', static_cast<WORD>(ID_CMD_OPEN)},
                   {FVIRTKEY, VK_F6, static_cast<WORD>(ID_CMD_SNAP)}};
  ASSERT_TRUE(CBCGPKeyboardManager::GetInstance()->UpdateAcellTable(nullptr, keys, 2, f));
  CloseFrame(f);

  f = OpenFrame();
  EXPECT_FALSE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_NEW, text, f, TRUE));
  ASSERT_TRUE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_OPEN, text, f, TRUE));
  EXPECT_EQ(text, CString(u"Ctrl+Shift+O"));
  EXPECT_TRUE(CBCGPKeyboardManager::IsKeyHandled('O', FVIRTKEY | FCONTROL | FSHIFT, f, TRUE));
  EXPECT_FALSE(CBCGPKeyboardManager::IsKeyHandled('O', FVIRTKEY | FCONTROL, f, TRUE));
  // The stored keys work: F6 runs the command.
  MSG msg{};
  msg.hwnd = f->m_hWnd;
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_F6;
  msg.lParam = 1;
  EXPECT_TRUE(TranslateAccelerator(f->m_hWnd, f->m_hAccelTable, &msg));
  EXPECT_EQ(f->m_commands, std::vector<UINT>{ID_CMD_SNAP});
  // Back to the keys the frame was made with.
  CBCGPKeyboardManager::GetInstance()->ResetAll();
  EXPECT_TRUE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_NEW, text, f, TRUE));
  CloseFrame(f);

  // Damaged stored keys are not used.
  {
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.Open(m_app->GetRegSectionPath() + u"Keyboard-100"));
    BYTE junk[7] = {1, 2, 3, 4, 5, 6, 7};
    ASSERT_TRUE(reg.Write(u"Accelerators", junk, 7));
  }
  f = OpenFrame();
  EXPECT_TRUE(CBCGPKeyboardManager::FindDefaultAccelerator(ID_CMD_NEW, text, f, TRUE));
  CloseFrame(f);
}

TEST_F(BcgTest, ContextMenusAreRegisteredByName) {
  ASSERT_TRUE(m_app->InitContextMenuManager());
  CBCGPContextMenuManager* cm = CBCGPContextMenuManager::GetInstance();
  ASSERT_NE(cm, nullptr);
  EXPECT_TRUE(cm->AddMenu(u"Main", IDR_MAINFRAME));
  EXPECT_FALSE(cm->AddMenu(u"Missing", 4242));
  EXPECT_EQ(cm->GetMenuByName(u"Main"), IDR_MAINFRAME);
  EXPECT_EQ(cm->GetMenuByName(u"Missing"), 0u);
  CTestFrame* f = OpenFrame();
  EXPECT_FALSE(cm->ShowPopupMenu(4242, 10, 10, f));
  CloseFrame(f);
}

TEST_F(BcgTest, VisualStylesSwitchTheWholeProgramBetweenLightAndDark) {
  CTestFrame* f = OpenFrame();
  CBCGPVisualManager2007::SetStyle(CBCGPVisualManager2007::VS2007_ObsidianBlack);
  CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2007));
  EXPECT_TRUE(CBCGPVisualManager::GetInstance()->IsDarkTheme());
  EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 100);
  f->m_wndStatus.Invalidate();
  QImage img = f->m_wndStatus.GetQWidget()->grab().toImage();
  EXPECT_EQ(img.pixelColor(img.width() / 2 - 150, img.height() / 2), QColor(83, 83, 83));

  CBCGPVisualManager2007::SetStyle(CBCGPVisualManager2007::VS2007_LunaBlue);
  EXPECT_FALSE(CBCGPVisualManager::GetInstance()->IsDarkTheme());
  EXPECT_GT(QApplication::palette().color(QPalette::Window).lightness(), 150);
  img = f->m_wndStatus.GetQWidget()->grab().toImage();
  EXPECT_EQ(img.pixelColor(img.width() / 2 - 150, img.height() / 2), QColor(199, 218, 242));
  EXPECT_FALSE(CBCGPVisualManager2007::SetStyle(static_cast<CBCGPVisualManager2007::Style>(9)));

  CBCGPVisualManager::SetDefaultManager(nullptr);
  EXPECT_FALSE(CBCGPVisualManager::GetInstance()->IsDarkTheme());
  CloseFrame(f);
}

}  // namespace
