// The colour combo and its palettes, driven by their messages in real windows offscreen.
#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "ControlsTestSupport.h"
#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectColorWnd.h"
#include "controls/CSelectUserColorWnd.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

namespace {

constexpr UINT kComboId = 1200;

class ColorCombo : public EnglishResources
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_CHILD | WS_VISIBLE, CRect(10, 10, 170, 32),
                                 &host, kComboId));
    }
    void TearDown() override
    {
        combo.DestroyWindow();
        host.DestroyWindow();
        PumpEvents();
    }
    // Presses and releases the left button at two client points of the popup.
    static void Click(CWnd* pPopup, CPoint down, CPoint up)
    {
        pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(down.x, down.y));
        pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        pPopup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }
    static CPoint CellCentre(const CSelectColorWnd* pPopup, int number)
    {
        const CRect block = pPopup->GetColorBlockRect();
        const int i = number - 1;
        return CPoint(block.left + (i % 8) * 18 + 9, block.top + (i / 8) * 18 + 9);
    }

    RecordingHost host;
    DocumentTables tables;
    CSelectColorComboBox combo{TRUE, TRUE, FALSE, TRUE};
};

TEST_F(ColorCombo, WithoutATableTheSettersRefuseAndTheGettersAnswerNone)
{
    EXPECT_FALSE(combo.SetColorNo(5));
    EXPECT_FALSE(combo.SetLayerColorNo(5));
    EXPECT_EQ(combo.GetColorNo(), 32767);
    COLORREF rgb = 0;
    EXPECT_EQ(combo.GetColor(rgb), 32767);
    EXPECT_EQ(rgb, static_cast<COLORREF>(-1));
    EXPECT_FALSE(combo.DropDown()) << "the palette reads its cells from the table";
    EXPECT_EQ(combo.GetPopup(), nullptr);
}

TEST_F(ColorCombo, GetColorAnswersTheNumberAndItsRgb)
{
    ASSERT_TRUE(combo.SetColorTable(&tables.colors));
    struct Case {
        short number, layer;
        COLORREF expected;
    };
    const COLORREF five = tables.colors.GetColorRef(5);
    const COLORREF hundred = tables.colors.GetColorRef(100);
    for (const Case& c : {Case{5, 1, five}, Case{100, 1, hundred}, Case{0, 5, five},
                          Case{0, 32767, static_cast<COLORREF>(-1)}, Case{32767, 1, static_cast<COLORREF>(-1)},
                          Case{300, 1, static_cast<COLORREF>(-1)}}) {
        ASSERT_TRUE(combo.SetLayerColorNo(c.layer));
        ASSERT_TRUE(combo.SetColorNo(c.number));
        COLORREF rgb = 0;
        EXPECT_EQ(combo.GetColor(rgb), c.number);
        EXPECT_EQ(rgb, c.expected) << c.number << " by layer " << c.layer;
    }
}

TEST_F(ColorCombo, SetColorRefFindsTheTableNumberOrKeepsAUserColour)
{
    ASSERT_TRUE(combo.SetColorTable(&tables.colors));
    combo.SetColorRef(tables.colors.GetColorRef(7));
    EXPECT_EQ(combo.GetColorNo(), tables.colors.FindColorNumberByRef(tables.colors.GetColorRef(7)));
    const COLORREF odd = RGB(1, 2, 3);
    ASSERT_LT(tables.colors.FindColorNumberByRef(odd), 0);
    combo.SetColorRef(odd);
    COLORREF rgb = 0;
    EXPECT_EQ(combo.GetColor(rgb), -1);
    EXPECT_EQ(rgb, odd);
}

TEST_F(ColorCombo, TheLayerColourNeedsTheLayerButton)
{
    CSelectColorComboBox plain(TRUE, TRUE, FALSE, FALSE);
    ASSERT_TRUE(plain.SetColorTable(&tables.colors));
    EXPECT_TRUE(plain.SetLayerColorNo(5));
    EXPECT_EQ(plain.GetLayerColorNo(), 32767);
    ASSERT_TRUE(combo.SetColorTable(&tables.colors));
    EXPECT_TRUE(combo.SetLayerColorNo(5));
    EXPECT_EQ(combo.GetLayerColorNo(), 5);
    combo.SetColorTable(nullptr);
    EXPECT_EQ(combo.GetLayerColorNo(), 32767);
}

TEST_F(ColorCombo, PressOnFiveReleaseOnNineChoosesNineAndTellsCloseUpBeforeSelEndOk)
{
    ASSERT_TRUE(combo.SetColorTable(&tables.colors));
    ASSERT_TRUE(combo.SetColorNo(3));
    ASSERT_TRUE(combo.DropDown());
    CSelectColorWnd* pPopup = combo.GetPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(CWnd::GetCapture(), pPopup);
    Click(pPopup, CellCentre(pPopup, 5), CellCentre(pPopup, 9));
    EXPECT_EQ(combo.GetColorNo(), 9);
    EXPECT_EQ(host.Codes(kComboId), (std::vector<int>{CBN_CLOSEUP, CBN_SELENDOK}));
    EXPECT_EQ(combo.GetPopup(), nullptr);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    PumpEvents();
}

TEST_F(ColorCombo, AReleaseBetweenCellsChoosesTheNumberShownAndTheByLayerButtonChoosesZero)
{
    ASSERT_TRUE(combo.SetColorTable(&tables.colors));
    ASSERT_TRUE(combo.SetColorNo(3));
    ASSERT_TRUE(combo.DropDown());
    CSelectColorWnd* pPopup = combo.GetPopup();
    const CRect block = pPopup->GetColorBlockRect();
    // Right of the eighth column, inside the block.
    Click(pPopup, CellCentre(pPopup, 5), CPoint(block.left + 8 * 18 + 5, block.top + 5));
    EXPECT_EQ(combo.GetColorNo(), 3);
    PumpEvents();

    ASSERT_TRUE(combo.DropDown());
    pPopup = combo.GetPopup();
    Click(pPopup, pPopup->GetLayerButtonRect().CenterPoint(), pPopup->GetLayerButtonRect().CenterPoint());
    EXPECT_EQ(combo.GetColorNo(), 0);
    PumpEvents();
}

TEST_F(ColorCombo, APressOutsideEscapeOrAnotherProgramCancels)
{
    ASSERT_TRUE(combo.SetColorTable(&tables.colors));
    ASSERT_TRUE(combo.SetColorNo(4));
    const auto cancelBy = [&](auto&& action) {
        host.commands.clear();
        ASSERT_TRUE(combo.DropDown());
        action(combo.GetPopup());
        EXPECT_EQ(combo.GetPopup(), nullptr);
        EXPECT_EQ(combo.GetColorNo(), 4);
        EXPECT_EQ(host.Codes(kComboId), std::vector<int>{CBN_CLOSEUP});
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        PumpEvents();
    };
    cancelBy([](CWnd* p) { p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-20, -20)); });
    cancelBy([&](CWnd*) {
        MSG msg{};
        msg.hwnd = combo.m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = VK_ESCAPE;
        EXPECT_TRUE(combo.PreTranslateMessage(&msg));
    });
    cancelBy([](CWnd* p) { p->SendMessage(WM_ACTIVATEAPP, FALSE, 0); });
}

TEST_F(ColorCombo, TheSecondPaletteChoosesAFurtherColourThroughTheFirst)
{
    ASSERT_TRUE(combo.SetColorTable(&tables.colors));
    ASSERT_TRUE(combo.SetColorNo(2));
    ASSERT_TRUE(combo.DropDown());
    CSelectColorWnd* pPopup = combo.GetPopup();
    Click(pPopup, pPopup->GetOtherButtonRect().CenterPoint(), pPopup->GetOtherButtonRect().CenterPoint());
    CSelectUserColorWnd* pSecond = pPopup->GetUserColorWnd();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_TRUE(pSecond->IsWindowVisible());
    const CPoint at = pSecond->GetCellRect(100).CenterPoint();
    // 100 lies in the ninth column (17-26 in the first), fifth row.
    EXPECT_EQ(at, CPoint(2 + 8 * 18 + 9, 2 + 3 * 18 + 9));
    pSecond->SetCapture();
    Click(pSecond, at, at);
    EXPECT_EQ(combo.GetColorNo(), 100);
    EXPECT_EQ(host.Codes(kComboId), (std::vector<int>{CBN_CLOSEUP, CBN_SELENDOK}));
    PumpEvents();
}

TEST(ColorPalette, LayoutHeightsAndPlacement)
{
    EXPECT_EQ(CSelectColorWnd::GetClientHeight(TRUE), 98);
    EXPECT_EQ(CSelectColorWnd::GetClientHeight(FALSE), 69);
    const CRect work(0, 0, 1000, 800);
    struct Case {
        CRect combo;
        CPoint expected;
    };
    for (const Case& c : {
             Case{CRect(100, 100, 300, 122), CPoint(100, 122)},
             // Narrow at the right edge: right-aligned with the combo.
             Case{CRect(900, 100, 1000, 122), CPoint(1000 - 158, 122)},
             // Wide at the right edge stays left-aligned.
             Case{CRect(800, 100, 1000, 122), CPoint(800, 122)},
             // Near the bottom: above, 6 pixels higher still.
             Case{CRect(100, 750, 300, 772), CPoint(100, 750 - 98 - 6)},
         })
        EXPECT_EQ(CSelectColorWnd::ComputePosition(c.combo, work, 158, 98), c.expected);
    EXPECT_EQ(CSelectUserColorWnd::ComputePosition(CRect(900, 700, 1058, 804), work), CPoint(1058 - 442, 700 - 190));
    EXPECT_EQ(CSelectUserColorWnd::ComputePosition(CRect(100, 100, 258, 204), work), CPoint(100, 204));
}

TEST_F(ColorCombo, TipsGiveNumberNameAndRgbAsAsked)
{
    const COLORREF five = tables.colors.GetColorRef(5);
    CString expected;
    expected.Format(u"5: %s\n(R: %d, G: %d, B: %d)", static_cast<LPCTSTR>(tables.colors.GetColorName(5)),
                    GetRValue(five), GetGValue(five), GetBValue(five));
    EXPECT_EQ(CSelectColorWnd::GetTipText(&tables.colors, 5, TRUE, TRUE), expected);
    const CString hundred = CSelectColorWnd::GetTipText(&tables.colors, 100, TRUE, FALSE);
    EXPECT_TRUE(hundred.Find(u"100: (R: ") == 0);
    EXPECT_TRUE(CSelectColorWnd::GetTipText(nullptr, 5, TRUE, TRUE).IsEmpty());
}

}  // namespace
