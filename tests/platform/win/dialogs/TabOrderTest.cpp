// Tab order of a dialog's controls follows SetWindowPos: a control placed after another one
// in z-order comes next after it when tabbing.

#include <gtest/gtest.h>

#include <QtCore/QString>

#include <vector>

#include "platform/afx/CString.h"
#include "platform/win/CDialog.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

const char* const kTabTemplate = R"(DIALOG 0 0 160 80
STYLE WS_POPUP | WS_CAPTION
CAPTION "Order"
CONTROL EDIT 101 "" 5 5 60 12 WS_BORDER | WS_TABSTOP
CONTROL EDIT 102 "" 5 20 60 12 WS_BORDER | WS_TABSTOP
CONTROL EDIT 103 "" 5 35 60 12 WS_BORDER | WS_TABSTOP
CONTROL BUTTON IDOK "OK" 90 60 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
)";

std::vector<int> TabCycle(CDialog& dlg, int fromId) {
  std::vector<int> ids;
  CWnd* at = dlg.GetDlgItem(fromId);
  for (int i = 0; i < 4 && at; ++i) {
    at = dlg.GetNextDlgTabItem(at);
    ids.push_back(at ? at->GetDlgCtrlID() : 0);
  }
  return ids;
}

TEST(TabOrderTest, InsertAfterMovesAControlNextInTabOrder) {
  DialogTemplate t;
  CString why;
  ASSERT_TRUE(t.Parse(CString::FromQString(QString::fromUtf8(kTabTemplate)), &why)) << why.ToQString().toStdString();
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(t));
  ASSERT_EQ(TabCycle(dlg, 101), (std::vector<int>{102, 103, IDOK, 101}));

  const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  dlg.GetDlgItem(103)->SetWindowPos(dlg.GetDlgItem(101), 0, 0, 0, 0, keep);
  EXPECT_EQ(TabCycle(dlg, 101), (std::vector<int>{103, 102, IDOK, 101}));
  dlg.GetDlgItem(101)->SetWindowPos(dlg.GetDlgItem(IDOK), 0, 0, 0, 0, keep);
  EXPECT_EQ(TabCycle(dlg, 103), (std::vector<int>{102, IDOK, 101, 103}));
  dlg.DestroyWindow();
}

}  // namespace
