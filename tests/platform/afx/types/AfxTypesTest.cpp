#include <gtest/gtest.h>

#include "platform/afx/AfxTypes.h"

TEST(AfxTypes, ColourAndWordMacros)
{
    const COLORREF c = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x563412u);
    EXPECT_EQ(GetRValue(c), 0x12);
    EXPECT_EQ(GetGValue(c), 0x34);
    EXPECT_EQ(GetBValue(c), 0x56);

    const DWORD l = (DWORD)MAKELONG(0xBEEF, 0xDEAD);
    EXPECT_EQ(LOWORD(l), 0xBEEF);
    EXPECT_EQ(HIWORD(l), 0xDEAD);
    EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(-5, 7)), -5);
    EXPECT_EQ(GET_Y_LPARAM(MAKELPARAM(-5, -7)), -7);
    EXPECT_EQ(sizeof(_T("ab")[0]), 2u);
}
