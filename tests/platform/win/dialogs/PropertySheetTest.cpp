// Property sheets: pages made when first shown, page switching that the page being left
// may refuse, Apply following the pages' modified state, OK applying and Cancel resetting
// every page made, modal and modeless.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QWidget>

#include <string>
#include <vector>

#include "TestApp.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CPropertyPage.h"
#include "platform/win/CPropertySheet.h"
#include "platform/win/DialogTemplate.h"

namespace {

DialogTemplate Parsed(const char* text) {
  DialogTemplate t;
  CString why;
  EXPECT_TRUE(t.Parse(CString::FromQString(QString::fromUtf8(text)), &why)) << why.ToQString().toStdString();
  return t;
}

std::vector<std::string> g_events;

class CCountPage : public CPropertyPage {
public:
  CCountPage() {
    ConstructIndirect(Parsed("DIALOG 0 0 150 80\nCAPTION \"Count\"\nFONT 9 \"DejaVu Sans\"\n"
                             "CONTROL STATIC -1 \"&Count:\" 5 5 40 10\n"
                             "CONTROL EDIT 201 \"\" 50 5 60 12 WS_BORDER | WS_TABSTOP\n"));
  }
  int m_count = 3;
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, 201, m_count);
    DDV_MinMaxInt(pDX, m_count, 0, 10);
  }
  BOOL OnInitDialog() override {
    g_events.push_back("count init");
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    g_events.push_back("count set");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    g_events.push_back("count kill");
    return CPropertyPage::OnKillActive();
  }
  void OnOK() override { g_events.push_back("count ok"); }
  void OnCancel() override { g_events.push_back("count cancel"); }
};

class CFlagPage : public CPropertyPage {
public:
  CFlagPage() {
    ConstructIndirect(Parsed("DIALOG 0 0 200 100\nCAPTION \"Flag\"\nFONT 9 \"DejaVu Sans\"\n"
                             "CONTROL BUTTON 301 \"&Flag\" 5 5 80 10 BS_AUTOCHECKBOX | WS_TABSTOP\n"));
  }
  int m_flag = 0;
  void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, 301, m_flag); }
  BOOL OnInitDialog() override {
    g_events.push_back("flag init");
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    g_events.push_back("flag set");
    return CPropertyPage::OnSetActive();
  }
  void OnOK() override { g_events.push_back("flag ok"); }
  void OnCancel() override { g_events.push_back("flag cancel"); }
};

void ClickTab(CPropertySheet& sheet, int index) {
  auto* tabs = sheet.GetQWidget()->findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

class PropertySheetTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_events.clear();
    TheTestApp().prompts.clear();
    sheet.AddPage(&count);
    sheet.AddPage(&flag);
  }
  CPropertySheet sheet{u"Settings"};
  CCountPage count;
  CFlagPage flag;
};

TEST_F(PropertySheetTest, PagesAreMadeWhenFirstShownAndMayRefuseToBeLeft) {
  ASSERT_TRUE(sheet.Create());
  sheet.SetActiveWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.GetQWidget()));
  auto* tabs = sheet.GetQWidget()->findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Flag"));
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_NE(count.GetSafeHwnd(), nullptr);
  EXPECT_EQ(flag.GetSafeHwnd(), nullptr) << "a page is made only when it is first shown";
  EXPECT_EQ(g_events, (std::vector<std::string>{"count init", "count set"}));
  CWnd* focus = CWnd::GetFocus();
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(focus->GetDlgCtrlID(), 201) << "the first control of the page has the focus";

  // A value the page cannot take keeps it in front, tab included.
  count.SetDlgItemText(201, u"99");
  g_events.clear();
  ClickTab(sheet, 1);
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_TRUE(count.IsWindowVisible());
  EXPECT_EQ(flag.GetSafeHwnd(), nullptr);
  EXPECT_EQ(g_events, (std::vector<std::string>{"count kill"}));
  EXPECT_EQ(TheTestApp().prompts.size(), 1u);
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), 201);

  count.SetDlgItemText(201, u"5");
  g_events.clear();
  ClickTab(sheet, 1);
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  EXPECT_EQ(count.m_count, 5);
  EXPECT_FALSE(count.IsWindowVisible());
  EXPECT_TRUE(flag.IsWindowVisible());
  EXPECT_EQ(g_events, (std::vector<std::string>{"count kill", "flag init", "flag set"}));

  // Back again: the page is shown with its members.
  count.m_count = 8;
  g_events.clear();
  EXPECT_TRUE(sheet.SetActivePage(&count));
  EXPECT_EQ(g_events, (std::vector<std::string>{"count set"}));
  CString t;
  count.GetDlgItemText(201, t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("8"));

  // Ctrl+Tab goes to the next page.
  count.GotoDlgCtrl(count.GetDlgItem(201));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  sheet.DestroyWindow();
}

TEST_F(PropertySheetTest, ApplyFollowsModifiedPagesAndAppliesEveryMadePage) {
  ASSERT_TRUE(sheet.Create());
  CWnd* apply = sheet.GetDlgItem(ID_APPLY_NOW);
  ASSERT_NE(apply, nullptr);
  EXPECT_FALSE(apply->IsWindowEnabled());
  EXPECT_FALSE(sheet.GetDlgItem(IDHELP)->IsWindowVisible()) << "no page asks for help";
  count.SetModified();
  EXPECT_TRUE(apply->IsWindowEnabled());
  g_events.clear();
  EXPECT_TRUE(sheet.PressButton(PSBTN_APPLYNOW));
  EXPECT_EQ(g_events, (std::vector<std::string>{"count kill", "count ok", "count set"}))
      << "the page not yet made is not applied";
  EXPECT_FALSE(apply->IsWindowEnabled());
  EXPECT_FALSE(count.IsModified());
  sheet.DestroyWindow();
  // Pages added after the window went are shown by the next one.
  CFlagPage third;
  sheet.AddPage(&third);
  EXPECT_EQ(sheet.GetPageCount(), 3);
  ASSERT_TRUE(sheet.Create());
  EXPECT_EQ(sheet.GetQWidget()->findChild<QTabBar*>()->count(), 3);
  sheet.DestroyWindow();
  sheet.RemovePage(&third);
}

TEST_F(PropertySheetTest, ModalSheetEndsWithOkOrCancelOnEveryMadePage) {
  sheet.SetActivePage(1);
  flag.m_psp.dwFlags |= PSP_HASHELP;
  bool helpShown = false;
  WhenActive(sheet, [&] {
    helpShown = sheet.GetDlgItem(IDHELP)->IsWindowVisible();
    flag.CheckDlgButton(301, BST_CHECKED);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_TRUE(helpShown) << "the Help button shows for a page that asks for it";
  EXPECT_EQ(flag.m_flag, 1);
  EXPECT_EQ(g_events, (std::vector<std::string>{"flag init", "flag set", "flag ok"}));
  EXPECT_EQ(flag.GetSafeHwnd(), nullptr);

  g_events.clear();
  sheet.SetActivePage(0);
  WhenActive(sheet, [&] {
    sheet.SetActivePage(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(g_events, (std::vector<std::string>{"count init", "count set", "count kill", "flag init", "flag set",
                                                "count cancel", "flag cancel"}));
}

TEST(HostedPageTest, APageInsideAPlainDialogJoinsItsKeyboardOrder) {
  CDialog host;
  DialogTemplate t;
  ASSERT_TRUE(t.Parse(CString(u"DIALOG 0 0 240 120\nFONT 9 \"DejaVu Sans\"\n"
                              "CONTROL EDIT 11 \"\" 5 5 60 12 WS_TABSTOP\n"
                              "CONTROL BUTTON IDOK \"OK\" 5 100 50 14 WS_TABSTOP\n")));
  ASSERT_TRUE(host.CreateIndirect(t));
  host.ShowWindow(SW_SHOW);
  host.SetActiveWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(host.GetQWidget()));
  CCountPage page;
  ASSERT_TRUE(page.Create(0, &host));
  EXPECT_TRUE(page.GetStyle() & WS_CHILD);
  EXPECT_TRUE(page.IsWindowVisible());
  host.GotoDlgCtrl(host.GetDlgItem(IDOK));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_NE(CWnd::GetFocus(), nullptr);
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), 201) << "Tab goes on into the page";
  page.DestroyWindow();
  host.DestroyWindow();
}

}  // namespace
