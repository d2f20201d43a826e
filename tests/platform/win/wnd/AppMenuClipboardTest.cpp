// The application loop with its idle processing, message boxes, menus from resource text with
// popups, and the clipboard with a format of our own.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/win/CCmdUI.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWaitCursor.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinClipboard.h"

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// ---- the application loop -------------------------------------------------------------------

class CLoopWnd : public CWnd {
public:
  int updates = 0;
  std::vector<UINT> commands;
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++updates;
    return 0;
  }
  afx_msg void OnCommandRange(UINT id) { commands.push_back(id); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoopWnd, CWnd)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CLoopWnd::OnIdleUpdate)
  ON_COMMAND_RANGE(1000, 1010, &CLoopWnd::OnCommandRange)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp(u"Loop test") {}
  std::vector<LONG> idleCounts;
  std::vector<UINT> preTranslated;
  int exitCalls = 0;
  std::function<void()> atIdleEnd;
  BOOL OnIdle(LONG lCount) override {
    idleCounts.push_back(lCount);
    CWinApp::OnIdle(lCount);
    if (lCount == 2 && atIdleEnd) atIdleEnd();
    return lCount < 2;  // three calls per idle period
  }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    preTranslated.push_back(pMsg->message);
    return CWinApp::PreTranslateMessage(pMsg);
  }
  int ExitInstance() override {
    ++exitCalls;
    return 42;
  }
};

TEST(AppLoopTest, RunsUntilTheMainWindowIsDestroyedWithIdleAndPreTranslation) {
  CTestApp app;
  ASSERT_EQ(AfxGetApp(), &app);
  CLoopWnd main;
  ASSERT_TRUE(main.CreateEx(0, nullptr, u"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
  app.m_pMainWnd = &main;
  EXPECT_EQ(AfxGetMainWnd(), &main);
  // At the end of the first idle period a command, at the end of the next the close that ends
  // the loop (timers could all fire before the loop first goes idle on a loaded machine).
  int periods = 0;
  app.atIdleEnd = [&main, &periods] {
    if (++periods == 1)
      main.PostMessage(WM_COMMAND, 1003);
    else if (periods == 2)
      main.PostMessage(WM_CLOSE);
  };
  const int code = app.Run();
  EXPECT_EQ(code, 42);
  EXPECT_EQ(app.exitCalls, 1);
  EXPECT_EQ(main.GetSafeHwnd(), nullptr);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_EQ(main.commands, (std::vector<UINT>{1003}));
  // Posted messages went through the application's PreTranslateMessage.
  EXPECT_NE(std::find(app.preTranslated.begin(), app.preTranslated.end(), static_cast<UINT>(WM_COMMAND)),
            app.preTranslated.end());
  // Idle: counts start at 0 after each message and stop after OnIdle says FALSE.
  ASSERT_GE(app.idleCounts.size(), 3u);
  EXPECT_EQ(app.idleCounts[0], 0);
  EXPECT_EQ(app.idleCounts[1], 1);
  EXPECT_EQ(app.idleCounts[2], 2);
  for (LONG c : app.idleCounts) EXPECT_LE(c, 2);
  EXPECT_GT(main.updates, 0);  // the first idle pass updates the command user interface
  Pump();
}

// ---- message boxes --------------------------------------------------------------------------

// Answers the next message box with the button of the given role, recording what it showed.
struct BoxAnswer {
  QMessageBox::StandardButton press;
  QString text;
  QString title;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::vector<QMessageBox::StandardButton> buttons;
  void Arm() {
    QTimer::singleShot(0, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) {
        for (QWidget* w : QApplication::topLevelWidgets())
          if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
      }
      ASSERT_NE(box, nullptr);
      text = box->text();
      title = box->windowTitle();
      icon = box->icon();
      if (box->defaultButton()) defaultButton = box->standardButton(box->defaultButton());
      for (QAbstractButton* b : box->buttons()) buttons.push_back(box->standardButton(b));
      box->button(press)->click();
    });
  }
};

TEST(MessageBoxTest, FlagsChooseButtonsIconAndDefaultAndTheAnswerIsTheButtonId) {
  BoxAnswer a{QMessageBox::Yes};
  a.Arm();
  EXPECT_EQ(AfxMessageBox(u"Save changes?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDYES);
  EXPECT_EQ(a.text, QStringLiteral("Save changes?"));
  EXPECT_EQ(a.icon, QMessageBox::Question);
  EXPECT_EQ(a.defaultButton, QMessageBox::No);
  EXPECT_EQ(a.buttons.size(), 2u);

  BoxAnswer b{QMessageBox::Cancel};
  b.Arm();
  EXPECT_EQ(AfxMessageBox(u"Go on?", MB_YESNOCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
  EXPECT_EQ(b.icon, QMessageBox::Warning);
  EXPECT_EQ(b.defaultButton, QMessageBox::Yes);
  EXPECT_EQ(b.buttons.size(), 3u);

  CTestApp app;  // the application's name is the caption
  BoxAnswer c{QMessageBox::Ok};
  c.Arm();
  EXPECT_EQ(AfxMessageBox(u"Done."), IDOK);
  EXPECT_EQ(c.title, QStringLiteral("Loop test"));
  EXPECT_EQ(c.icon, QMessageBox::NoIcon);
  Pump();
}

TEST(MessageBoxTest, WaitCursorShowsAndNests) {
  {
    CWaitCursor outer;
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    {
      CWaitCursor inner;
    }
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(AfxGetStandardCursorId(LoadCursor(nullptr, IDC_SIZENWSE)), 32642u);
  EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), LoadCursor(nullptr, IDC_ARROW));
}

// ---- menus ----------------------------------------------------------------------------------

const char16_t kMenuText[] =
    u"# context menu of the test\n"
    u"POPUP \"Context\"\n"
    u"  MENUITEM \"&Copy\\tCtrl+C\", 57634\n"
    u"  MENUITEM \"&Paste\", 57637, GRAYED\n"
    u"  MENUITEM SEPARATOR\n"
    u"  POPUP \"More \"\"options\"\"\"\n"
    u"    MENUITEM \"First\", 1001, CHECKED\n"
    u"    MENUITEM \"Second\", 0x3EA\n"
    u"  END\n"
    u"END\n";

TEST(MenuTest, LoadsResourceTextWithPopupsStatesAndTexts) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenuFromText(kMenuText));
  ASSERT_EQ(menu.GetMenuItemCount(), 1u);
  CMenu* ctx = menu.GetSubMenu(0);
  ASSERT_NE(ctx, nullptr);
  ASSERT_EQ(ctx->GetMenuItemCount(), 4u);
  EXPECT_EQ(ctx->GetMenuItemID(0), 57634u);
  EXPECT_EQ(ctx->GetMenuItemID(2), 0u);                    // separator
  EXPECT_EQ(ctx->GetMenuItemID(3), static_cast<UINT>(-1));  // popup
  CString s;
  ctx->GetMenuString(0, s, MF_BYPOSITION);
  EXPECT_EQ(s, CString(u"&Copy\tCtrl+C"));
  ctx->GetMenuString(3, s, MF_BYPOSITION);
  EXPECT_EQ(s, CString(u"More \"options\""));
  EXPECT_TRUE(ctx->GetMenuState(57637, MF_BYCOMMAND) & MF_GRAYED);
  // By command, items in submenus are found too.
  EXPECT_TRUE(menu.GetMenuState(1001, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_EQ(menu.CheckMenuItem(1001, MF_BYCOMMAND | MF_UNCHECKED), static_cast<UINT>(MF_CHECKED));
  EXPECT_FALSE(menu.GetMenuState(1001, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_EQ(ctx->EnableMenuItem(57637, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(ctx->GetSubMenu(3)->GetMenuItemID(1), 1002u);
}

TEST(MenuTest, EditingByPositionAndByCommand) {
  CMenu m;
  ASSERT_TRUE(m.CreatePopupMenu());
  m.AppendMenu(MF_STRING, 10, u"Ten");
  m.AppendMenu(MF_STRING, 30, u"Thirty");
  m.InsertMenu(1, MF_BYPOSITION | MF_STRING, 20, u"Twenty");
  m.InsertMenu(10, MF_BYCOMMAND | MF_STRING, 5, u"Five");  // before the item with id 10
  m.InsertMenu(static_cast<UINT>(-1), MF_BYPOSITION | MF_SEPARATOR);
  std::vector<UINT> ids;
  for (UINT i = 0; i < m.GetMenuItemCount(); ++i) ids.push_back(m.GetMenuItemID(static_cast<int>(i)));
  EXPECT_EQ(ids, (std::vector<UINT>{5, 10, 20, 30, 0}));
  EXPECT_TRUE(m.ModifyMenu(20, MF_BYCOMMAND | MF_STRING, 21, u"Twenty-one"));
  EXPECT_EQ(m.GetMenuItemID(2), 21u);
  EXPECT_TRUE(m.RemoveMenu(0, MF_BYPOSITION));
  EXPECT_TRUE(m.DeleteMenu(30, MF_BYCOMMAND));
  EXPECT_FALSE(m.DeleteMenu(99, MF_BYCOMMAND));
  EXPECT_EQ(m.GetMenuItemCount(), 3u);
  CMenu sub;
  ASSERT_TRUE(sub.CreatePopupMenu());
  sub.AppendMenu(MF_STRING, 40, u"Forty");
  EXPECT_TRUE(m.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), u"Sub"));
  EXPECT_EQ(m.GetSubMenu(3)->GetMenuItemID(0), 40u);
  EXPECT_TRUE(m.DestroyMenu());
  EXPECT_EQ(m.m_hMenu, nullptr);
}

TEST(MenuTest, MalformedResourceTextIsRefused) {
  const char16_t* bad[] = {
      u"POPUP \"x\"\n MENUITEM \"a\", 1\n",         // no END
      u"MENUITEM \"a\"\n",                          // no number
      u"MENUITEM \"a\", 70000\n",                   // number too large
      u"MENUITEM \"unterminated, 1\n",
      u"POPUP \"x\"\n MENUITEM \"a\", 1, BOLD\nEND\n",  // unknown option
      u"END\n",
      u"SOMETHING\n",
  };
  for (const char16_t* text : bad) {
    CMenu m;
    EXPECT_FALSE(m.LoadMenuFromText(text)) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(m.m_hMenu, nullptr);
  }
  std::u16string deep;
  for (int i = 0; i < 40; ++i) deep += u"POPUP \"x\"\n";
  CMenu m;
  EXPECT_FALSE(m.LoadMenuFromText(deep));
}

int g_pick = -1;  // index among the enabled command actions to choose, -1 to cancel

void PickHook(QMenu* menu) {
  QTimer::singleShot(0, menu, [menu] {
    std::vector<QAction*> commands;
    for (QAction* a : menu->actions())
      if (!a->isSeparator() && !a->menu()) commands.push_back(a);
    if (g_pick >= 0 && g_pick < static_cast<int>(commands.size()))
      commands[static_cast<size_t>(g_pick)]->trigger();
    else
      menu->close();
  });
}

class CMenuOwnerWnd : public CWnd {
public:
  std::vector<UINT> commands;
  int popupInits = 0;
  afx_msg void OnCopy() { commands.push_back(57634); }
  afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT, BOOL) {
    ++popupInits;
    pMenu->EnableMenuItem(57637, MF_BYCOMMAND | MF_ENABLED);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuOwnerWnd, CWnd)
  ON_COMMAND(57634, &CMenuOwnerWnd::OnCopy)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

TEST(MenuTest, PopupReturnsTheChosenCommandOrSendsIt) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenuFromText(kMenuText));
  CMenuOwnerWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
  AfxSetPopupMenuHook(&PickHook);
  CMenu* popup = menu.GetSubMenu(0);
  g_pick = 1;  // "Paste": grey in the resource, enabled by the owner when the popup opens
  EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 10, 10, &owner), 57637);
  EXPECT_GE(owner.popupInits, 1);
  EXPECT_TRUE(owner.commands.empty());
  g_pick = -1;
  EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 0);
  g_pick = 0;
  EXPECT_TRUE(popup->TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &owner));
  Pump();
  EXPECT_EQ(owner.commands, (std::vector<UINT>{57634}));
  AfxSetPopupMenuHook(nullptr);
  owner.DestroyWindow();
  Pump();
}

// Menu items updated through CCmdUI as the frame does before showing a popup.
class CUpdatingWnd : public CWnd {
public:
  afx_msg void OnUpdateCopy(CCmdUI* ui) {
    ui->Enable(FALSE);
    ui->SetText(u"Copy now");
  }
  afx_msg void OnUpdateFirst(CCmdUI* ui) { ui->SetCheck(0); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingWnd, CWnd)
  ON_UPDATE_COMMAND_UI(57634, &CUpdatingWnd::OnUpdateCopy)
  ON_UPDATE_COMMAND_UI(1001, &CUpdatingWnd::OnUpdateFirst)
END_MESSAGE_MAP()

TEST(MenuTest, CommandUiUpdatesMenuItems) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenuFromText(kMenuText));
  CUpdatingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  auto updateAll = [&wnd](CMenu* m) {
    CCmdUI ui;
    ui.m_pMenu = m;
    ui.m_nIndexMax = m->GetMenuItemCount();
    for (UINT i = 0; i < ui.m_nIndexMax; ++i) {
      ui.m_nIndex = i;
      ui.m_nID = m->GetMenuItemID(static_cast<int>(i));
      if (ui.m_nID == static_cast<UINT>(-1) || ui.m_nID == 0) continue;
      ui.DoUpdate(&wnd, FALSE);
    }
  };
  CMenu* ctx = menu.GetSubMenu(0);
  updateAll(ctx);
  updateAll(ctx->GetSubMenu(3));
  EXPECT_TRUE(ctx->GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
  CString s;
  ctx->GetMenuString(0, s, MF_BYPOSITION);
  EXPECT_EQ(s, CString(u"Copy now"));
  EXPECT_EQ(ctx->GetMenuItemID(0), 57634u);
  EXPECT_FALSE(menu.GetMenuState(1001, MF_BYCOMMAND) & MF_CHECKED);
  wnd.DestroyWindow();
  Pump();
}

// ---- clipboard ------------------------------------------------------------------------------

HGLOBAL Bytes(const void* p, size_t n) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n);
  void* d = GlobalLock(h);
  std::memcpy(d, p, n);
  GlobalUnlock(h);
  return h;
}

TEST(ClipboardTest, RegisteredFormatRoundTripsAsOwnMimeType) {
  const UINT fmt = RegisterClipboardFormat(u"Rivedi native A");
  ASSERT_GE(fmt, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat(u"Rivedi native A"), fmt);
  const UINT other = RegisterClipboardFormat(u"Object Descriptor");
  EXPECT_NE(other, fmt);
  TCHAR name[64];
  EXPECT_EQ(GetClipboardFormatName(fmt, name, 64), 15);
  EXPECT_EQ(std::u16string(name), u"Rivedi native A");

  const char payload[] = {1, 0, 2, 0, 'x', '\xff'};
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));  // one opener at a time
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_NE(SetClipboardData(fmt, Bytes(payload, sizeof payload)), nullptr);
  const char16_t text[] = u"Line 1 \u7DDA";
  EXPECT_NE(SetClipboardData(CF_UNICODETEXT, Bytes(text, sizeof text)), nullptr);
  ASSERT_TRUE(CloseClipboard());

  // What another program sees: our MIME type with the bytes, and the text.
  const QMimeData* m = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(m->hasFormat(QStringLiteral("application/x-korvancad-Rivedi%20native%20A")));
  EXPECT_EQ(m->text(), QString::fromUtf16(u"Line 1 \u7DDA"));

  EXPECT_TRUE(IsClipboardFormatAvailable(fmt));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(other));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  std::vector<UINT> formats;
  for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) formats.push_back(f);
  EXPECT_NE(std::find(formats.begin(), formats.end(), fmt), formats.end());
  EXPECT_NE(std::find(formats.begin(), formats.end(), static_cast<UINT>(CF_UNICODETEXT)), formats.end());

  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(fmt);
  ASSERT_NE(h, nullptr);
  ASSERT_EQ(GlobalSize(h), sizeof payload);
  EXPECT_EQ(std::memcmp(GlobalLock(h), payload, sizeof payload), 0);
  GlobalUnlock(h);
  HANDLE ht = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(ht, nullptr);
  EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(ht))), std::u16string(u"Line 1 \u7DDA"));
  GlobalUnlock(ht);
  EXPECT_EQ(GetClipboardData(other), nullptr);
  CloseClipboard();
  EXPECT_EQ(GetClipboardData(fmt), nullptr);  // not open
}

TEST(ClipboardTest, ImagesTravelAsDeviceIndependentBitmaps) {
  QImage img(3, 2, QImage::Format_RGB32);
  img.fill(qRgb(10, 20, 30));
  img.setPixel(2, 1, qRgb(200, 100, 50));
  QGuiApplication::clipboard()->setImage(img);
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_DIB);
  ASSERT_NE(h, nullptr);
  ASSERT_GE(GlobalSize(h), 40u);
  const auto* p = static_cast<const unsigned char*>(GlobalLock(h));
  EXPECT_GE(p[0] | p[1] << 8, 40);  // the header size comes first
  std::vector<unsigned char> dib(p, p + GlobalSize(h));
  GlobalUnlock(h);
  // Put it back as our own data and read the picture again.
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_DIB, Bytes(dib.data(), dib.size())), nullptr);
  CloseClipboard();
  const QImage back = QGuiApplication::clipboard()->image();
  ASSERT_EQ(back.size(), img.size());
  EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, qRgb(10, 20, 30) & 0xFFFFFF);
  EXPECT_EQ(back.pixel(2, 1) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFF);

  // A damaged bitmap is refused, not guessed at.
  const unsigned char junk[] = {40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 99, 0};
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL hJunk = Bytes(junk, sizeof junk);
  EXPECT_EQ(SetClipboardData(CF_DIB, hJunk), nullptr);
  EXPECT_EQ(GlobalFree(hJunk), nullptr);  // refused data stays the caller's
  CloseClipboard();
}

TEST(ClipboardTest, GlobalMemoryChecksHandlesAndSizes) {
  HGLOBAL h = GlobalAlloc(GHND, 16);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 16u);
  EXPECT_EQ(static_cast<unsigned char*>(GlobalLock(h))[15], 0);
  EXPECT_EQ(GlobalReAlloc(h, 32, 0), nullptr);  // locked
  GlobalUnlock(h);
  EXPECT_EQ(GlobalReAlloc(h, 32, 0), h);
  EXPECT_EQ(GlobalSize(h), 32u);
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalAlloc(GHND, SIZE_T(1) << 40), nullptr);
}

}  // namespace
