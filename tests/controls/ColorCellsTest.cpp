// The colour cells of the colour-table dialog: layout of the two ranges, picking with the mouse and the
// arrow keys, the notifications the parent gets, the tool tips and the painted cells.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QWidget>

#include "ControlsTestSupport.h"
#include "controls/CColorCellsCtrl.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

namespace {

constexpr UINT kUserCellsId = 1400;
constexpr UINT kFixedCellsId = 1401;

class ColorCells : public EnglishResources
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(500, 260));
        host.GetQWidget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.GetQWidget()));
        ASSERT_TRUE(user.Create(u"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(5, 30, 5 + 24 * 18, 30 + 10 * 18), &host,
                                kUserCellsId));
        ASSERT_TRUE(fixed.Create(u"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(5, 5, 5 + 16 * 18, 23), &host,
                                 kFixedCellsId));
        ASSERT_TRUE(user.Initialize(&tables.colors, 17, 256, 10, FALSE));
        ASSERT_TRUE(fixed.Initialize(&tables.colors, 1, 16, 16, TRUE));
        host.notifies.clear();
    }
    void TearDown() override
    {
        user.DestroyWindow();
        fixed.DestroyWindow();
        host.DestroyWindow();
    }
    // An arrow key pressed on the control as the message loop hands it over; TRUE when the control took it.
    static BOOL Key(CColorCellsCtrl& cells, UINT vk)
    {
        MSG msg{cells.GetSafeHwnd(), WM_KEYDOWN, vk, 0, 0, {}};
        return cells.PreTranslateMessage(&msg);
    }
    int Notifies(UINT id) const
    {
        int n = 0;
        for (const auto& [from, code] : host.notifies)
            n += (from == static_cast<int>(id) && code == static_cast<int>(CColorCellsCtrl::kNotifyCode)) ? 1 : 0;
        return n;
    }

    RecordingHost host;
    DocumentTables tables;
    CColorCellsCtrl user;
    CColorCellsCtrl fixed;
};

TEST_F(ColorCells, LayOutRowsOrColumnsAndRefuseLinesWithoutCells)
{
    ASSERT_EQ(user.GetCells().size(), 240u);
    const struct {
        int number;
        CRect rect;
    } userCases[] = {{17, CRect(0, 0, 18, 18)}, {26, CRect(0, 162, 18, 180)}, {27, CRect(18, 0, 36, 18)},
                     {256, CRect(414, 162, 432, 180)}};
    for (const auto& c : userCases)
        EXPECT_EQ(user.GetCells()[static_cast<size_t>(c.number - 17)].rect, c.rect) << c.number;
    ASSERT_EQ(fixed.GetCells().size(), 16u);
    EXPECT_EQ(fixed.GetCells()[15].rect, CRect(270, 0, 288, 18));
    EXPECT_EQ(user.m_nCurrentNo, 17) << "the first number becomes current";
    // A last line partly filled.
    CColorCellsCtrl partial;
    ASSERT_TRUE(partial.Initialize(&tables.colors, 1, 7, 3, TRUE));
    EXPECT_EQ(partial.GetCells().back().rect, CRect(0, 36, 18, 54));
    // No cells to a line, or an empty range: refused, the layout kept.
    EXPECT_FALSE(user.Initialize(&tables.colors, 17, 256, 0, FALSE));
    EXPECT_FALSE(user.Initialize(&tables.colors, 20, 19, 10, FALSE));
    EXPECT_EQ(user.GetCells().size(), 240u);
}

TEST_F(ColorCells, ArrowKeysMoveWithinTheRangeAndTellTheParent)
{
    const struct {
        CColorCellsCtrl* cells;
        int from;
        UINT vk;
        int to;  // -1: the key is left alone
    } cases[] = {
        {&user, 26, VK_DOWN, 27},  {&user, 26, VK_RIGHT, 36},  {&user, 26, VK_UP, 25},  {&user, 36, VK_LEFT, 26},
        {&user, 250, VK_RIGHT, -1}, {&user, 20, VK_LEFT, -1},  {&user, 17, VK_UP, -1},  {&user, 256, VK_DOWN, -1},
        {&fixed, 5, VK_RIGHT, 6},  {&fixed, 5, VK_LEFT, 4},    {&fixed, 5, VK_UP, -1},  {&fixed, 5, VK_DOWN, -1},
        {&fixed, 16, VK_RIGHT, -1}, {&user, 30, VK_RETURN, -1},
    };
    for (const auto& c : cases) {
        c.cells->SetCurSel(c.from);
        host.notifies.clear();
        const BOOL taken = Key(*c.cells, c.vk);
        const UINT id = c.cells == &user ? kUserCellsId : kFixedCellsId;
        if (c.to < 0) {
            EXPECT_FALSE(taken) << c.from << " " << c.vk;
            EXPECT_EQ(c.cells->m_nCurrentNo, c.from) << c.from << " " << c.vk;
            EXPECT_EQ(Notifies(id), 0) << c.from << " " << c.vk;
        } else {
            EXPECT_TRUE(taken) << c.from << " " << c.vk;
            EXPECT_EQ(c.cells->m_nCurrentNo, c.to) << c.from << " " << c.vk;
            EXPECT_EQ(Notifies(id), 1) << c.from << " " << c.vk;
        }
    }
}

TEST_F(ColorCells, AnyMouseButtonPicksTheCellUnderItAndTheFocusComesAlong)
{
    const CRect cell100 = user.GetCells()[100 - 17].rect;
    user.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell100.left + 9, cell100.top + 9));
    EXPECT_EQ(user.m_nCurrentNo, 100);
    EXPECT_EQ(CWnd::GetFocus(), &user);
    EXPECT_GE(Notifies(kUserCellsId), 1);
    const CRect cell7 = fixed.GetCells()[6].rect;
    for (UINT message : {WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        fixed.SetCurSel(1);
        fixed.SendMessage(message, 0, MAKELPARAM(cell7.left + 2, cell7.top + 2));
        EXPECT_EQ(fixed.m_nCurrentNo, 7) << message;
    }
    // Outside every cell nothing is picked.
    fixed.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 5));
    EXPECT_EQ(fixed.m_nCurrentNo, 7);
    EXPECT_EQ(user.HitTest(CPoint(-1, 5)), -1);
}

TEST_F(ColorCells, GainingOrLosingTheFocusTellsTheParentEvenWithoutAChange)
{
    user.SetFocus();
    EXPECT_EQ(Notifies(kUserCellsId), 1);
    fixed.SetFocus();
    EXPECT_EQ(Notifies(kUserCellsId), 2) << "focus lost";
    EXPECT_EQ(Notifies(kFixedCellsId), 1);
    EXPECT_EQ(user.m_nCurrentNo, 17);
}

TEST_F(ColorCells, ToolTipsGiveNumberNameAndRgbOnDemand)
{
    const COLORREF rgb5 = tables.colors.GetColorRef(5);
    CString expected5;
    expected5.Format(u"5: %s\n(R: %d, G: %d, B: %d)", static_cast<LPCTSTR>(tables.colors.GetColorName(5)),
                     GetRValue(rgb5), GetGValue(rgb5), GetBValue(rgb5));
    EXPECT_EQ(fixed.GetTipText(5), expected5);
    const COLORREF rgb100 = tables.colors.GetColorRef(100);
    CString expected100;
    expected100.Format(u"100: (R: %d, G: %d, B: %d)", GetRValue(rgb100), GetGValue(rgb100), GetBValue(rgb100));
    EXPECT_EQ(user.GetTipText(100), expected100);

    // The tip is asked for when it shows: a colour changed in the table shows its new value.
    ASSERT_TRUE(tables.colors.SetColor(100, RGB(1, 2, 3)));
    const CRect cell = user.GetCells()[100 - 17].rect;
    MSG move{user.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 9, cell.top + 9), 0, {}};
    user.PreTranslateMessage(&move);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !user.GetToolTip().GetShownText().IsEmpty(); }, 20000));
    EXPECT_EQ(user.GetToolTip().GetShownText(), CString(u"100: (R: 1, G: 2, B: 3)"));
}

TEST_F(ColorCells, PaintTheSelectionFrameOnlyWhenShown)
{
    user.SetCurSel(30);
    const CRect cell = user.GetCells()[30 - 17].rect;
    const QImage plain = user.GetQWidget()->grab().toImage();
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    EXPECT_EQ(plain.pixel(cell.left + 1, cell.top + 1), qRgb(GetRValue(light), GetGValue(light), GetBValue(light)));
    const COLORREF rgb = tables.colors.GetColorRef(30);
    EXPECT_EQ(plain.pixel(cell.CenterPoint().x, cell.CenterPoint().y), qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    user.SetShowSelection(TRUE);
    const QImage shown = user.GetQWidget()->grab().toImage();
    const COLORREF frame = GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_EQ(shown.pixel(cell.left, cell.top), qRgb(GetRValue(frame), GetGValue(frame), GetBValue(frame)));
    EXPECT_EQ(shown.pixel(cell.left + 1, cell.top + 1), qRgb(255, 255, 255));
    // Other cells keep the plain look.
    const CRect other = user.GetCells()[0].rect;
    EXPECT_EQ(shown.pixel(other.left + 1, other.top + 1), qRgb(GetRValue(light), GetGValue(light), GetBValue(light)));
}

}  // namespace
