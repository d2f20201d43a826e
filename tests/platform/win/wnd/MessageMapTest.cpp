// Message maps: dispatch through base classes, command routing with ranges and update
// handlers, notifications and their reflection to the child control.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>

#include <string>
#include <vector>

#include "platform/win/CCmdUI.h"
#include "platform/win/CWnd.h"

namespace {

std::vector<std::string> g_log;

class CBaseTestWnd : public CWnd {
public:
  afx_msg LRESULT OnApp1(WPARAM w, LPARAM) { g_log.push_back("base app1"); return 100 + static_cast<LRESULT>(w); }
  afx_msg LRESULT OnApp2(WPARAM, LPARAM) { g_log.push_back("base app2"); return 2; }
  afx_msg void OnCmd100() { g_log.push_back("base cmd100"); }
  afx_msg void OnLButtonDown(UINT, CPoint) { g_log.push_back("base lbutton"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
  ON_MESSAGE(WM_APP + 1, &CBaseTestWnd::OnApp1)
  ON_MESSAGE(WM_APP + 2, &CBaseTestWnd::OnApp2)
  ON_COMMAND(100, &CBaseTestWnd::OnCmd100)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

UINT g_registered = RegisterWindowMessage(u"KcTestRegistered");

class CDerivedTestWnd : public CBaseTestWnd {
public:
  bool enable150 = true;
  int check150 = 0;
  afx_msg LRESULT OnApp1(WPARAM w, LPARAM) { g_log.push_back("derived app1"); return 200 + static_cast<LRESULT>(w); }
  afx_msg void OnRange(UINT id) { g_log.push_back("range " + std::to_string(id)); }
  afx_msg BOOL OnCmdEx(UINT id) { g_log.push_back("ex " + std::to_string(id)); return id == 300; }
  afx_msg void OnCmd150() { g_log.push_back("cmd150"); }
  afx_msg void OnUpdate150(CCmdUI* ui) {
    ui->Enable(enable150);
    ui->SetCheck(check150);
  }
  afx_msg void OnUpdateRange(CCmdUI* ui) { ui->SetText(std::u16string(u"item " + std::u16string(1, u'0' + (ui->m_nID - 200))).c_str()); }
  afx_msg void OnUpdatePassOn(CCmdUI* ui) { ui->ContinueRouting(); }
  afx_msg LRESULT OnRegistered(WPARAM, LPARAM l) { return l * 2; }
  afx_msg void OnNotifyChild(NMHDR* hdr, LRESULT* r) {
    g_log.push_back("parent notify " + std::to_string(hdr->code));
    *r = 7;
  }
  afx_msg void OnAppNotify(NMHDR* hdr, LRESULT* r) {
    g_log.push_back("parent app notify");
    *r = static_cast<LRESULT>(hdr->code);
  }
  afx_msg void OnChildClicked() { g_log.push_back("parent clicked"); }
  afx_msg void OnChildChange() { g_log.push_back("parent change"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
  ON_MESSAGE(WM_APP + 1, &CDerivedTestWnd::OnApp1)
  ON_COMMAND_RANGE(200, 209, &CDerivedTestWnd::OnRange)
  ON_COMMAND_EX(300, &CDerivedTestWnd::OnCmdEx)
  ON_COMMAND_EX(301, &CDerivedTestWnd::OnCmdEx)
  ON_COMMAND(150, &CDerivedTestWnd::OnCmd150)
  ON_UPDATE_COMMAND_UI(150, &CDerivedTestWnd::OnUpdate150)
  ON_UPDATE_COMMAND_UI_RANGE(200, 209, &CDerivedTestWnd::OnUpdateRange)
  ON_UPDATE_COMMAND_UI(160, &CDerivedTestWnd::OnUpdatePassOn)
  ON_REGISTERED_MESSAGE(g_registered, &CDerivedTestWnd::OnRegistered)
  ON_NOTIFY(NM_CLICK, 11, &CDerivedTestWnd::OnNotifyChild)
  ON_NOTIFY(NM_DBLCLK, 12, &CDerivedTestWnd::OnNotifyChild)
  ON_NOTIFY(0x8064, 11, &CDerivedTestWnd::OnAppNotify)
  ON_BN_CLICKED(11, &CDerivedTestWnd::OnChildClicked)
  ON_EN_CHANGE(12, &CDerivedTestWnd::OnChildChange)
END_MESSAGE_MAP()

// A child control that handles some of its own notifications.
class CReflectingChild : public CWnd {
public:
  BOOL passOn = FALSE;
  afx_msg void OnReflectedClick(NMHDR*, LRESULT* r) {
    g_log.push_back("child reflect click");
    *r = 5;
  }
  afx_msg BOOL OnReflectedDblClk(NMHDR*, LRESULT*) {
    g_log.push_back("child reflect dblclk");
    return passOn;
  }
  afx_msg void OnReflectedClicked() { g_log.push_back("child reflect clicked"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
  ON_NOTIFY_REFLECT(NM_CLICK, &CReflectingChild::OnReflectedClick)
  ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &CReflectingChild::OnReflectedDblClk)
  ON_CONTROL_REFLECT(BN_CLICKED, &CReflectingChild::OnReflectedClicked)
END_MESSAGE_MAP()

// Records what an update handler asks of an item.
class CRecordingCmdUI : public CCmdUI {
public:
  int enabled = -1;
  int check = -1;
  std::u16string text;
  void Enable(BOOL b) override {
    enabled = b ? 1 : 0;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int n) override { check = n; }
  void SetText(LPCTSTR t) override { text = t; }
};

class MessageMapTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_log.clear();
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, u"test", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
  }
  void TearDown() override { wnd.DestroyWindow(); }
  CDerivedTestWnd wnd;
};

TEST_F(MessageMapTest, MessagesDispatchToMostDerivedEntryThenBase) {
  EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 5), 205);
  EXPECT_EQ(wnd.SendMessage(WM_APP + 2), 2);
  EXPECT_EQ(wnd.SendMessage(WM_APP + 3), 0);  // no entry: default processing
  EXPECT_EQ(g_log, (std::vector<std::string>{"derived app1", "base app2"}));
}

TEST_F(MessageMapTest, RegisteredMessagesAreFoundByTheirNumber) {
  EXPECT_GE(g_registered, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage(u"KcTestRegistered"), g_registered);
  EXPECT_NE(RegisterWindowMessage(u"KcTestOther"), g_registered);
  EXPECT_EQ(wnd.SendMessage(g_registered, 0, 21), 42);
}

TEST_F(MessageMapTest, CommandsRouteByIdAndRange) {
  EXPECT_EQ(wnd.SendMessage(WM_COMMAND, 100), 1);
  EXPECT_EQ(wnd.SendMessage(WM_COMMAND, 204), 1);
  EXPECT_EQ(wnd.SendMessage(WM_COMMAND, 210), 0);  // outside the range
  EXPECT_EQ(g_log, (std::vector<std::string>{"base cmd100", "range 204"}));
}

TEST_F(MessageMapTest, ExtendedCommandHandlerDecidesWhetherItHandled) {
  EXPECT_TRUE(wnd.OnCmdMsg(300, CN_COMMAND, nullptr, nullptr));
  EXPECT_FALSE(wnd.OnCmdMsg(301, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(g_log, (std::vector<std::string>{"ex 300", "ex 301"}));
}

TEST_F(MessageMapTest, MenuCommandsDisabledByTheirUpdateHandlerDoNotRun) {
  wnd.enable150 = false;
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(150, 0), 0);
  EXPECT_TRUE(g_log.empty());
  wnd.enable150 = true;
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(150, 1), 0);  // from an accelerator
  EXPECT_EQ(g_log, (std::vector<std::string>{"cmd150"}));
}

TEST_F(MessageMapTest, UpdateHandlersSetTheItemState) {
  CRecordingCmdUI ui;
  ui.m_nID = 150;
  wnd.check150 = 1;
  EXPECT_TRUE(ui.DoUpdate(&wnd, TRUE));
  EXPECT_EQ(ui.enabled, 1);
  EXPECT_EQ(ui.check, 1);

  CRecordingCmdUI ranged;
  ranged.m_nID = 203;
  EXPECT_TRUE(ranged.DoUpdate(&wnd, TRUE));
  EXPECT_EQ(ranged.text, u"item 3");
  EXPECT_EQ(ranged.enabled, 1);  // no Enable call, but a command handler exists
}

TEST_F(MessageMapTest, ItemsWithoutHandlersAreDisabledOnlyWhenAsked) {
  CRecordingCmdUI none;
  none.m_nID = 999;
  EXPECT_FALSE(none.DoUpdate(&wnd, TRUE));
  EXPECT_EQ(none.enabled, 0);
  CRecordingCmdUI left;
  left.m_nID = 999;
  left.DoUpdate(&wnd, FALSE);
  EXPECT_EQ(left.enabled, -1);
  // A handler that passes the update on does not count as handling it.
  CRecordingCmdUI passOn;
  passOn.m_nID = 160;
  EXPECT_FALSE(passOn.DoUpdate(&wnd, FALSE));
}

TEST_F(MessageMapTest, NotificationsReachTheParentWithTheirResult) {
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &wnd, 12));
  NMHDR hdr{child.GetSafeHwnd(), 12, NM_DBLCLK};
  EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&hdr)), 7);
  // The application's own codes travel with their full value.
  NMHDR app{child.GetSafeHwnd(), 11, 0x8064};
  child.SetDlgCtrlID(11);
  EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&app)), 0x8064);
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent notify " + std::to_string(NM_DBLCLK), "parent app notify"}));
}

TEST_F(MessageMapTest, ReflectedNotificationsGoToTheChildFirst) {
  CReflectingChild child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &wnd, 11));
  NMHDR click{child.GetSafeHwnd(), 11, NM_CLICK};
  EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&click)), 5);
  EXPECT_EQ(g_log, (std::vector<std::string>{"child reflect click"}));

  // An _EX reflection handler that says FALSE lets the parent see the notification too.
  g_log.clear();
  child.SetDlgCtrlID(12);
  NMHDR dbl{child.GetSafeHwnd(), 12, NM_DBLCLK};
  child.passOn = FALSE;
  wnd.SendMessage(WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&dbl));
  EXPECT_EQ(g_log, (std::vector<std::string>{"child reflect dblclk", "parent notify " + std::to_string(NM_DBLCLK)}));
  g_log.clear();
  child.passOn = TRUE;
  wnd.SendMessage(WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&dbl));
  EXPECT_EQ(g_log, (std::vector<std::string>{"child reflect dblclk"}));
}

TEST_F(MessageMapTest, ControlNotificationsReflectOrReachParent) {
  CReflectingChild button;
  ASSERT_TRUE(button.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &wnd, 11));
  CWnd edit;
  ASSERT_TRUE(edit.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &wnd, 12));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), reinterpret_cast<LPARAM>(button.GetSafeHwnd()));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(12, EN_CHANGE), reinterpret_cast<LPARAM>(edit.GetSafeHwnd()));
  EXPECT_EQ(g_log, (std::vector<std::string>{"child reflect clicked", "parent change"}));
}

TEST_F(MessageMapTest, HandlerLookupWithoutCallingReportsTheTarget) {
  AFX_CMDHANDLERINFO info{nullptr, nullptr};
  EXPECT_TRUE(wnd.OnCmdMsg(205, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, &wnd);
  EXPECT_TRUE(g_log.empty());
  EXPECT_FALSE(wnd.OnCmdMsg(999, CN_COMMAND, nullptr, &info));
}

}  // namespace
