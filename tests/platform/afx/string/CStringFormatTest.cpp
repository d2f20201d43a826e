#include <gtest/gtest.h>

#include "platform/afx/CString.h"

TEST(CStringFormat, Smoke) {
  CString s;
  CString name(_T("abc"));
  s.Format(_T("%d|%5.2f|%s|%S|%c|%x"), 42, 3.14159, name, "utf8", _T('Z'), -1);
  EXPECT_EQ(s, _T("42| 3.14|abc|utf8|Z|ffffffff"));
}
