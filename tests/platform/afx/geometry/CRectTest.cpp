#include <gtest/gtest.h>

#include "platform/afx/CRect.h"

TEST(CRect, Smoke) {
  CRect r(0, 0, 10, 10);
  EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
  EXPECT_FALSE(r.PtInRect(CPoint(10, 5)));
}
