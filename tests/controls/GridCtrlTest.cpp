// The grid window driven offscreen by its messages: geometry and hit testing, scrolling limits, the
// cell kinds' load/save/clear rules, the notifications (codes, targets, order), row selection by
// mouse, check/cycle/radio clicks, deleting rows and the current cell, and tool tips.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtTest/QTest>
#include <QtWidgets/QWidget>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "controls/CGridCtrl.h"
#include "tests/controls/ControlsTestSupport.h"
#include "controls/GridCellItem.h"
#include "controls/GridCellNotify.h"
#include "controls/GridColumnItem.h"
#include "controls/GridRowItem.h"
#include "platform/ole/COleDateTime.h"
#include "platform/ole/COleVariant.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/CToolTipCtrl.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinImm.h"
#include "platform/win/WinMessages.h"

namespace {

struct Note
{
    UINT code;
    int row;
    int column;
    bool operator==(const Note& o) const { return code == o.code && row == o.row && column == o.column; }
};
std::ostream& operator<<(std::ostream& os, const Note& n)
{
    return os << "(" << std::hex << n.code << std::dec << "," << n.row << "," << n.column << ")";
}

// The grid's parent: records every grid notification and answers 0x80DE as told.
class GridHost : public CWnd
{
public:
    std::vector<Note> notes;
    std::vector<COleVariant> proposed;
    LRESULT refuse = 0;

    BOOL CreateHost(int width, int height)
    {
        return CreateEx(0, AfxRegisterWndClass(0), u"grid host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, width, height,
                        nullptr, nullptr);
    }
    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const Note& n : notes)
            codes.push_back(n.code);
        return codes;
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* pNotify = reinterpret_cast<const GridCellNotify*>(lParam);
        notes.push_back({pNotify->hdr.code, pNotify->nRow, pNotify->nColumn});
        LRESULT answer = 0;
        if (pNotify->hdr.code == GridCellNotify::kValueChanging) {
            proposed.emplace_back(pNotify->value);
            answer = refuse;
        }
        if (pResult != nullptr)
            *pResult = answer;
        return TRUE;
    }
};

GridColumnItem Column(int kind, int width = 60)
{
    GridColumnItem column;
    column.m_nKind = kind;
    column.m_nWidth = width;
    column.m_strTitle = u"Column";
    return column;
}

COleVariant Text(const char16_t* text)
{
    return COleVariant(CString(text));
}

COleVariant Int(LONG n)
{
    return COleVariant(n, VT_I4);
}

COleVariant Bool(BOOL b)
{
    return COleVariant(static_cast<short>(b ? -1 : 0), VT_BOOL);
}

LPARAM At(CPoint p)
{
    return MAKELPARAM(p.x, p.y);
}

class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(600, 400));
        ASSERT_TRUE(grid.Create(WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 400, 300), &host, 77));
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        host.DestroyWindow();
    }
    // A client area of exactly this size.
    void SizeClient(int cx, int cy)
    {
        CRect client;
        grid.GetClientRect(&client);
        CRect window;
        grid.GetWindowRect(&window);
        grid.MoveWindow(0, 0, window.Width() + cx - client.Width(), window.Height() + cy - client.Height());
    }
    void AddRows(int count, int nColumn = 0, const COleVariant& value = COleVariant())
    {
        for (int i = 0; i < count; ++i) {
            GridRowItem row;
            if (value.vt != VT_EMPTY)
                row.SetValue(nColumn, &value);
            grid.InsertRow(-1, row, TRUE);
        }
    }
    COleVariant Value(int row, int column)
    {
        COleVariant value;
        grid.GetCellValue(row, column, &value);
        return value;
    }
    void Click(CPoint p, UINT flags = 0)
    {
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, At(p));
        grid.SendMessage(WM_LBUTTONUP, flags, At(p));
    }
    // Saves what the open editor holds, as Enter does.
    void TypeInEditor(const CString& text)
    {
        ASSERT_NE(grid.GetEditor(), nullptr);
        grid.GetEditor()->SetWindowText(text);
    }

    GridHost host;
    CGridCtrl grid;
};

}  // namespace

TEST_F(GridTest, InsertingBeyondTheEndAppends)
{
    for (int i = 0; i < 3; ++i)
        grid.InsertColumn(i, Column(GridColumnItem::kindText));
    GridColumnItem last = Column(GridColumnItem::kindCheck);
    last.m_itemTexts.Add(u"a");
    grid.InsertColumn(100, last);
    ASSERT_EQ(grid.GetColumnCount(), 4);
    EXPECT_EQ(grid.GetColumn(3)->m_nKind, GridColumnItem::kindCheck);
    EXPECT_EQ(grid.GetColumn(3)->m_itemTexts.GetSize(), 1);
    AddRows(3);
    EXPECT_EQ(grid.InsertRow(100, GridRowItem(), TRUE), 3);
    EXPECT_EQ(grid.GetRow(3)->m_pGrid, &grid);
}

TEST_F(GridTest, GeometryAndHitTest)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText, 50));
    grid.InsertColumn(1, Column(GridColumnItem::kindText, 70));
    AddRows(5);
    const int hh = grid.GetHeaderHeight();
    const int rw = grid.GetRowHeaderWidth();
    ASSERT_GT(hh, 6);
    ASSERT_GT(rw, 0);
    SizeClient(300, hh + 78);
    EXPECT_EQ(grid.GetVisibleRowCount(), 4);  // 78 / 20 rounded up
    EXPECT_EQ(grid.GetLastVisibleRow(), 3);
    EXPECT_EQ(grid.GetCellRect(1, 1), CRect(rw + 50, hh + 20, rw + 120, hh + 40));
    EXPECT_EQ(grid.GetRowRect(2), CRect(rw, hh + 40, rw + 120, hh + 60));

    const int border = rw + 50;  // right edge of column 0
    const struct {
        CPoint point;
        int area;
        int row;
        int column;
    } cases[] = {
        {CPoint(rw + 10, hh + 5), CGridCtrl::areaCell, 0, 0},
        {CPoint(rw + 60, hh + 45), CGridCtrl::areaCell, 2, 1},
        // In the header band the row walk stops at the top row.
        {CPoint(border - 3, 5), CGridCtrl::areaColumnBorder, 0, 0},
        {CPoint(border + 3, 5), CGridCtrl::areaColumnBorder, 0, 0},
        {CPoint(border - 4, 5), CGridCtrl::areaColumnHeader, 0, 0},
        {CPoint(border + 4, 5), CGridCtrl::areaColumnHeader, 0, 1},
        {CPoint(5, hh + 25), CGridCtrl::areaRowHeader, 1, -1},
        {CPoint(5, 5), CGridCtrl::areaCorner, 0, -1},
        {CPoint(rw + 200, hh + 5), CGridCtrl::areaNone, 0, -1},  // right of the last column
        {CPoint(-1, 5), CGridCtrl::areaNone, -1, -1},
    };
    for (const auto& c : cases) {
        int row = -9;
        int column = -9;
        EXPECT_EQ(grid.HitTest(c.point, row, column), c.area) << c.point.x << "," << c.point.y;
        if (c.area != CGridCtrl::areaNone || c.point.x >= 0) {
            EXPECT_EQ(row, c.row) << c.point.x << "," << c.point.y;
            if (c.area != CGridCtrl::areaRowHeader && c.area != CGridCtrl::areaCorner)
                EXPECT_EQ(column, c.column) << c.point.x << "," << c.point.y;
        }
    }
}

TEST_F(GridTest, ScrollingStopsAtTheLastRowAndAtTheLastVisibleColumn)
{
    for (int i = 0; i < 8; ++i)
        grid.InsertColumn(i, Column(GridColumnItem::kindText, 100));
    AddRows(30);
    SizeClient(grid.GetRowHeaderWidth() + 250, grid.GetHeaderHeight() + 100);
    for (int i = 0; i < 40; ++i)
        grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid.GetTopRow(), 29);
    grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid.GetTopRow(), 0);
    grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(grid.GetTopRow(), 4);  // the last visible row (cut off) becomes the top
    // Three columns show (the third cut off): paging right goes to it, never further in one step.
    EXPECT_EQ(grid.GetLastVisibleColumn(), 2);
    grid.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(grid.GetFirstColumn(), 2);
    for (int i = 0; i < 20; ++i)
        grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(grid.GetFirstColumn(), 7);
    grid.SendMessage(WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(grid.GetFirstColumn(), 0);
    // Wheel: one notch down scrolls by the system's wheel lines.
    grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(grid.GetTopRow(), grid.GetWheelLines());
}

TEST_F(GridTest, TextCellsAskTheParentAndReportTheChange)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText));
    AddRows(2, 0, Int(5));
    const struct {
        const char* what;
        const char16_t* typed;
        LRESULT refuse;
        COleVariant expected;
        std::vector<UINT> codes;
        bool editorOpen;
    } cases[] = {
        // A number and the same digits as text are values of different types: the text is stored.
        {"another type", u"5", 0, Text(u"5"), {GridCellNotify::kValueChanging, GridCellNotify::kCellChanged}, false},
        {"the same text", u"5", 0, Text(u"5"), {GridCellNotify::kCellChanged}, false},
        {"refused", u"abc", 1, Text(u"5"), {GridCellNotify::kValueChanging}, true},
        {"accepted", u"abc", 0, Text(u"abc"), {GridCellNotify::kValueChanging, GridCellNotify::kCellChanged}, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(grid.BeginEdit(0, 0)) << c.what;
        host.notes.clear();
        host.refuse = c.refuse;
        TypeInEditor(c.typed);
        grid.EndEdit(TRUE, TRUE);
        EXPECT_TRUE(Value(0, 0) == c.expected) << c.what;
        EXPECT_EQ(host.Codes(), c.codes) << c.what;
        EXPECT_EQ(grid.IsEditing() != FALSE, c.editorOpen) << c.what;
        if (c.editorOpen) {
            // The old value is back in the editor for retyping.
            CString shown;
            grid.GetEditor()->GetWindowText(shown);
            EXPECT_EQ(shown, CString(u"5")) << c.what;
            grid.EndEdit(FALSE, TRUE);
        }
    }
    // The proposed value travels with 0x80DE.
    ASSERT_FALSE(host.proposed.empty());
    EXPECT_TRUE(host.proposed.back() == Text(u"abc"));
    // Notifications carry the grid's id and the cell.
    host.notes.clear();
    host.refuse = 0;
    grid.ClearCell(0, 0);
    EXPECT_EQ(host.notes, (std::vector<Note>{{GridCellNotify::kValueChanging, 0, 0}, {GridCellNotify::kCellChanged, 0, 0}}));
    EXPECT_TRUE(Value(0, 0) == Text(u""));
}

TEST_F(GridTest, ListComboAndDateCellsStoreByTheirKind)
{
    GridColumnItem list = Column(GridColumnItem::kindDropDownList);
    for (const char16_t* t : {u"one", u"two", u"three"}) {
        list.m_itemTexts.Add(t);
        list.m_displayTexts.Add(CString(t) + u"!");
    }
    list.m_itemData.Add(10);
    list.m_itemData.Add(20);
    list.m_itemData.Add(30);
    grid.InsertColumn(0, list);
    list.m_itemData.RemoveAt(2);  // two data values for three texts: indexes are stored
    grid.InsertColumn(1, list);
    grid.InsertColumn(2, Column(GridColumnItem::kindEditableCombo));
    grid.InsertColumn(3, Column(GridColumnItem::kindDate));
    GridRowItem row;
    const COleVariant empty;
    for (int c = 0; c < 4; ++c)
        row.SetValue(c, &empty);
    grid.InsertRow(0, row);

    for (int c : {0, 1}) {
        ASSERT_TRUE(grid.BeginEdit(0, c));
        auto* pCombo = dynamic_cast<CComboBox*>(grid.GetEditor());
        ASSERT_NE(pCombo, nullptr);
        EXPECT_EQ(pCombo->GetCount(), 3);
        pCombo->SetCurSel(1);
        EXPECT_TRUE(grid.EndEdit(TRUE, TRUE));
    }
    EXPECT_TRUE(Value(0, 0) == Int(20));
    EXPECT_TRUE(Value(0, 1) == Int(1));
    // The shown text follows the value: by item data, or by index.
    EXPECT_EQ(GridRowItem::GetDisplayText(*grid.GetColumn(0), Int(20)), CString(u"two!"));
    EXPECT_EQ(GridRowItem::GetDisplayText(*grid.GetColumn(0), Int(1)), CString());
    EXPECT_EQ(GridRowItem::GetDisplayText(*grid.GetColumn(1), Int(2)), CString(u"three!"));
    // Reopening selects the stored entry.
    ASSERT_TRUE(grid.BeginEdit(0, 0));
    EXPECT_EQ(dynamic_cast<CComboBox*>(grid.GetEditor())->GetCurSel(), 1);
    grid.EndEdit(FALSE, TRUE);

    // The editable combo stores typed text without asking.
    ASSERT_TRUE(grid.BeginEdit(0, 2));
    TypeInEditor(u"typed");
    host.notes.clear();
    EXPECT_TRUE(grid.EndEdit(TRUE, TRUE));
    EXPECT_TRUE(Value(0, 2) == Text(u"typed"));
    EXPECT_EQ(host.Codes(), std::vector<UINT>({GridCellNotify::kCellChanged}));

    // A date is typed as y/m/d; what does not parse keeps the editor open and stores nothing.
    ASSERT_TRUE(grid.BeginEdit(0, 3));
    ASSERT_NE(grid.GetEditorButton(), nullptr);
    TypeInEditor(u"2026/2/30");
    EXPECT_FALSE(grid.EndEdit(TRUE, TRUE));
    EXPECT_TRUE(grid.IsEditing());
    TypeInEditor(u"2026/12/11");
    EXPECT_TRUE(grid.EndEdit(TRUE, TRUE));
    const COleVariant date = Value(0, 3);
    ASSERT_EQ(date.vt, VT_DATE);
    EXPECT_EQ(COleDateTime(date.date).GetDay(), 11);
    EXPECT_EQ(GridRowItem::GetDisplayText(*grid.GetColumn(3), date), CString(u"2026/12/11"));
}

TEST_F(GridTest, TheDeleteKeyRuleOfEachKind)
{
    GridColumnItem list = Column(GridColumnItem::kindDropDownList);
    list.m_itemTexts.Add(u"a");
    list.m_itemTexts.Add(u"b");
    grid.InsertColumn(0, list);                                  // no default value
    list.m_defaultValue = Int(0);
    grid.InsertColumn(1, list);                                  // default 0
    grid.InsertColumn(2, Column(GridColumnItem::kindCheck));
    grid.InsertColumn(3, Column(GridColumnItem::kindText));
    grid.InsertColumn(4, Column(GridColumnItem::kindDate));
    GridRowItem row;
    const COleVariant values[] = {Int(1), Int(1), Bool(TRUE), Text(u"x"), COleVariant(COleDateTime(2020, 1, 2, 0, 0, 0))};
    for (int c = 0; c < 5; ++c)
        row.SetValue(c, &values[c]);
    grid.InsertRow(0, row);
    const struct {
        int column;
        BOOL result;
        COleVariant after;
        std::vector<UINT> codes;
    } cases[] = {
        {0, FALSE, Int(1), {}},
        {1, TRUE, Int(0), {GridCellNotify::kCellChanged}},
        {2, TRUE, Bool(TRUE), {GridCellNotify::kCellChanged}},  // nothing changes, yet reported
        {3, TRUE, Text(u""), {GridCellNotify::kValueChanging, GridCellNotify::kCellChanged}},
        {4, TRUE, COleVariant(), {GridCellNotify::kCellChanged}},
    };
    for (const auto& c : cases) {
        host.notes.clear();
        EXPECT_EQ(grid.ClearCell(0, c.column), c.result) << c.column;
        EXPECT_TRUE(Value(0, c.column) == c.after) << c.column;
        EXPECT_EQ(host.Codes(), c.codes) << c.column;
    }
    // The Delete key does nothing while rows are selected.
    grid.SetCurrentCell(0, 1);
    grid.SetCellValue(0, 1, &values[1]);
    grid.SelectRow(0, TRUE);
    grid.SetFocus();
    QTest::keyClick(grid.GetQWidget(), Qt::Key_Delete);
    EXPECT_TRUE(Value(0, 1) == Int(1));
    grid.SelectRow(0, FALSE);
    QTest::keyClick(grid.GetQWidget(), Qt::Key_Delete);
    EXPECT_TRUE(Value(0, 1) == Int(0));
}

TEST_F(GridTest, DisabledAndMissingCellsNeitherEditToggleNorClear)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText));
    grid.InsertColumn(1, Column(GridColumnItem::kindCheck));
    AddRows(1, 0, Text(u"kept"));
    grid.GetRow(0)->EnableCell(0, FALSE);
    EXPECT_FALSE(grid.BeginEdit(0, 0));
    EXPECT_FALSE(grid.ClearCell(0, 0));
    EXPECT_TRUE(Value(0, 0) == Text(u"kept"));
    // Column 1 has no cell in this row: no editor, no value, nothing to toggle.
    COleVariant none;
    EXPECT_FALSE(grid.GetCellValue(0, 1, &none));
    EXPECT_FALSE(grid.GetRow(0)->SetCheck(0, 1, TRUE));
    const COleVariant on = Bool(FALSE);
    grid.GetRow(0)->SetValue(1, &on);
    grid.GetRow(0)->EnableCell(1, FALSE);
    Click(grid.GetCellRect(0, 1).CenterPoint());
    EXPECT_TRUE(Value(0, 1) == Bool(FALSE));
}

TEST_F(GridTest, CurrentCellAndSelectionNotifications)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText));
    AddRows(8, 0, Text(u"r"));
    host.notes.clear();
    EXPECT_TRUE(grid.SetCurrentCell(2, 0));
    EXPECT_TRUE(grid.SetCurrentCell(2, 0));  // the same cell: nothing
    EXPECT_FALSE(grid.SetCurrentCell(8, 0));
    EXPECT_TRUE(grid.SelectRow(5, TRUE));
    EXPECT_TRUE(grid.SelectRow(5, TRUE));  // unchanged: no notification
    EXPECT_TRUE(grid.SetCurrentCell(-1, -1));
    EXPECT_EQ(host.notes, (std::vector<Note>{{GridCellNotify::kCurrentCell, 2, 0},
                                             {GridCellNotify::kSelectionChanged, 2, 0},  // the current cell, not row 5
                                             {GridCellNotify::kCurrentCell, -1, -1}}));
    grid.GetRow(6)->m_bSelectable = FALSE;
    EXPECT_FALSE(grid.SelectRow(6, TRUE));
    grid.SelectAllRows(TRUE);
    EXPECT_TRUE(grid.AreAllRowsSelected());
    EXPECT_EQ(grid.GetSelectedRowCount(), 7);
    CDWordArray rows;
    EXPECT_EQ(grid.GetSelectedRows(rows), 7);
    EXPECT_EQ(rows[6], 7u);
    EXPECT_EQ(grid.GetNextSelectedRow(5), 7);
}

TEST_F(GridTest, DraggingInTheRowHeaderSelectsTheRangeToThePointer)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText));
    AddRows(10, 0, Text(u"r"));
    SizeClient(300, grid.GetHeaderHeight() + 10 * grid.GetRowHeight());
    auto rowPoint = [&](int row) { return CPoint(3, grid.GetRowRect(row).top + 5); };
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(rowPoint(3)));
    grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(rowPoint(6)));
    grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(rowPoint(4)));
    grid.SendMessage(WM_LBUTTONUP, 0, At(rowPoint(4)));
    CDWordArray rows;
    grid.GetSelectedRows(rows);
    ASSERT_EQ(rows.GetSize(), 2);
    EXPECT_EQ(rows[0], 3u);
    EXPECT_EQ(rows[1], 4u);
    // Shift extends from the current row, Ctrl toggles one row.
    grid.SetCurrentCell(1, 0);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(rowPoint(3)));
    grid.SendMessage(WM_LBUTTONUP, 0, At(rowPoint(3)));
    EXPECT_EQ(grid.GetSelectedRows(rows), 4);  // 1, 2, 3 added to 3, 4
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(rowPoint(2)));
    grid.SendMessage(WM_LBUTTONUP, 0, At(rowPoint(2)));
    EXPECT_FALSE(grid.IsRowSelected(2));
    // A plain click on the corner selects all; again, deselects all.
    Click(CPoint(2, 2));
    EXPECT_TRUE(grid.AreAllRowsSelected());
    Click(CPoint(2, 2));
    EXPECT_EQ(grid.GetSelectedRowCount(), 0);
}

TEST_F(GridTest, ACheckClickIsCopiedToTheOtherSelectedRows)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindCheck));
    AddRows(8, 0, Bool(FALSE));
    for (int r : {2, 5, 7})
        grid.GetRow(r)->m_bSelected = TRUE;
    host.notes.clear();
    EXPECT_TRUE(grid.OnClickCheck(5, 0, grid.GetCellRect(5, 0).CenterPoint()));
    for (int r = 0; r < 8; ++r)
        EXPECT_TRUE(Value(r, 0) == Bool(r == 2 || r == 5 || r == 7)) << r;
    EXPECT_EQ(host.notes, (std::vector<Note>{{GridCellNotify::kCellChanged, 5, 0},
                                             {GridCellNotify::kCellChanged, 2, 0},
                                             {GridCellNotify::kCellChanged, 7, 0}}));
    // An unselected row changes alone; a point outside the 13 x 13 box toggles nothing.
    EXPECT_TRUE(grid.OnClickCheck(4, 0, grid.GetCellRect(4, 0).CenterPoint()));
    EXPECT_TRUE(Value(4, 0) == Bool(TRUE));
    EXPECT_TRUE(Value(2, 0) == Bool(TRUE));
    CRect cell = grid.GetCellRect(1, 0);
    EXPECT_FALSE(grid.OnClickCheck(1, 0, CPoint(cell.left + 1, cell.top + 1)));
    EXPECT_TRUE(Value(1, 0) == Bool(FALSE));
    // By mouse: a click on the box of an unselected row toggles it and clears the selection.
    Click(grid.GetCellRect(1, 0).CenterPoint());
    EXPECT_TRUE(Value(1, 0) == Bool(TRUE));
}

TEST_F(GridTest, RadioAndCycleClicks)
{
    GridColumnItem cycle = Column(GridColumnItem::kindCycle);
    for (const char16_t* t : {u"a", u"b", u"c"})
        cycle.m_itemTexts.Add(t);
    grid.InsertColumn(0, Column(GridColumnItem::kindRadio));
    grid.InsertColumn(1, cycle);
    AddRows(4, 0, Bool(FALSE));
    const COleVariant on = Bool(TRUE);
    const COleVariant two = Int(2);
    grid.GetRow(2)->SetValue(0, &on);
    grid.GetRow(0)->SetValue(1, &two);
    host.notes.clear();
    EXPECT_TRUE(grid.OnClickToggle(1, 0, grid.GetCellRect(1, 0).CenterPoint()));
    EXPECT_TRUE(Value(1, 0) == Bool(TRUE));
    EXPECT_TRUE(Value(2, 0) == Bool(FALSE));
    // The row turned off is reported too.
    EXPECT_EQ(host.notes, (std::vector<Note>{{GridCellNotify::kCellChanged, 1, 0}, {GridCellNotify::kCellChanged, 2, 0}}));
    // Clicking an "on" radio changes nothing.
    host.notes.clear();
    EXPECT_FALSE(grid.OnClickToggle(1, 0, grid.GetCellRect(1, 0).CenterPoint()));
    EXPECT_TRUE(host.notes.empty());
    // The cycle wraps after the last item.
    EXPECT_TRUE(grid.OnClickCycle(0, 1));
    EXPECT_TRUE(Value(0, 1) == Int(0));
    EXPECT_TRUE(grid.OnClickCycle(0, 1));
    EXPECT_TRUE(Value(0, 1) == Int(1));
}

TEST_F(GridTest, DeletingARowKeepsTheCurrentCellOnItsData)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText));
    for (int i = 0; i < 6; ++i) {
        GridRowItem row;
        const COleVariant value(static_cast<LONG>(i), VT_I4);
        row.SetValue(0, &value);
        grid.InsertRow(-1, row);
    }
    const struct {
        int current;
        int deleted;
        int after;
        LONG data;  // the value of the row that is current afterwards
    } cases[] = {
        {4, 1, 3, 4},   // a row above goes: the current row's data stays current
        {2, 2, 2, 4},   // the current row goes: the next one takes its place
        {3, 3, 2, 4},   // the last row goes: the one before
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(grid.SetCurrentCell(c.current, 0));
        ASSERT_TRUE(grid.DeleteRow(c.deleted));
        EXPECT_EQ(grid.GetCurrentRow(), c.after) << c.deleted;
        EXPECT_TRUE(Value(grid.GetCurrentRow(), 0) == Int(c.data)) << c.deleted;
    }
    while (grid.GetRowCount() > 0)
        grid.DeleteRow(0);
    EXPECT_EQ(grid.GetCurrentRow(), -1);
}

TEST_F(GridTest, KeysMoveTheCurrentCellAndTypingStartsAnEdit)
{
    GridColumnItem list = Column(GridColumnItem::kindDropDownList);
    list.m_itemTexts.Add(u"x");
    grid.InsertColumn(0, Column(GridColumnItem::kindText));
    grid.InsertColumn(1, list);
    AddRows(3, 0, Text(u"old"));
    grid.SetFocus();
    grid.SetCurrentCell(0, 0);
    QWidget* pWidget = grid.GetQWidget();
    QTest::keyClick(pWidget, Qt::Key_Down);
    QTest::keyClick(pWidget, Qt::Key_Right);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    EXPECT_EQ(grid.GetCurrentColumn(), 1);
    QTest::keyClick(pWidget, Qt::Key_Right);  // not beyond the table
    EXPECT_EQ(grid.GetCurrentColumn(), 1);
    // A letter on a drop-down list cell starts nothing.
    QTest::keyClick(pWidget, Qt::Key_A);
    EXPECT_FALSE(grid.IsEditing());
    QTest::keyClick(pWidget, Qt::Key_Home);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);
    // On a text cell it starts an edit with that letter as the whole text; Enter commits.
    QTest::keyClick(pWidget, Qt::Key_Q);
    ASSERT_TRUE(grid.IsEditing());
    QTest::keyClick(grid.GetEditor()->GetQWidget(), Qt::Key_Return);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_TRUE(Value(1, 0) == Text(u"q"));
    // F2 edits, Escape leaves the value.
    QTest::keyClick(pWidget, Qt::Key_F2);
    ASSERT_TRUE(grid.IsEditing());
    TypeInEditor(u"changed");
    QTest::keyClick(grid.GetEditor()->GetQWidget(), Qt::Key_Escape);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_TRUE(Value(1, 0) == Text(u"q"));
}

TEST_F(GridTest, AClickOnTheCurrentCellEditsAndScrollingDiscardsTheEdit)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText));
    AddRows(40, 0, Text(u"v"));
    SizeClient(300, 200);
    const CPoint cell = grid.GetCellRect(1, 0).CenterPoint();
    Click(cell);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    Click(cell);
    ASSERT_TRUE(grid.IsEditing());
    TypeInEditor(u"lost");
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_TRUE(Value(1, 0) == Text(u"v"));
    // A double click on a read-only cell tells the owner.
    GridColumnItem fixed = Column(GridColumnItem::kindReadOnly);
    grid.InsertColumn(1, fixed);
    host.notes.clear();
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(grid.GetCellRect(3, 1).CenterPoint()));
    EXPECT_EQ(host.notes.back(), (Note{GridCellNotify::kReadOnlyDblClk, 3, 1}));
}

TEST_F(GridTest, ToolTipsOnlyForTruncatedCells)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText, 200));
    grid.InsertColumn(1, Column(GridColumnItem::kindText, 30));
    grid.InsertColumn(2, Column(GridColumnItem::kindCheck, 10));
    GridRowItem row;
    const COleVariant shortText = Text(u"ab");
    const CString longText(u'w', 120);
    const COleVariant longValue(longText);
    const COleVariant on = Bool(TRUE);
    row.SetValue(0, &shortText);
    row.SetValue(1, &longValue);
    row.SetValue(2, &on);
    grid.InsertRow(0, row);
    CString tip;
    EXPECT_FALSE(grid.GetToolTipText(0, 0, tip));
    ASSERT_TRUE(grid.GetToolTipText(0, 1, tip));
    EXPECT_EQ(tip, longText.Left(80));
    EXPECT_FALSE(grid.GetToolTipText(0, 2, tip));  // check cells have no text
}

TEST_F(GridTest, EachColumnSwitchesTheInputMethodAndLeavingTheGridClosesIt)
{
    const int modes[] = {1, 2, 0};
    for (int c = 0; c < 3; ++c) {
        GridColumnItem column = Column(GridColumnItem::kindText);
        column.m_nImeMode = modes[c];
        grid.InsertColumn(c, column);
    }
    AddRows(2, 0, Text(u"x"));
    CEdit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(0, 320, 100, 340), &host, 78));
    host.GetQWidget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.GetQWidget()));
    grid.SetFocus();
    grid.SetCurrentCell(0, 1);
    const HIMC hIMC = ImmGetContext(grid.GetSafeHwnd());
    ASSERT_NE(hIMC, nullptr);
    EXPECT_TRUE(ImmGetOpenStatus(hIMC)) << "mode 2 opens it";
    grid.SetCurrentCell(0, 2);
    EXPECT_TRUE(ImmGetOpenStatus(hIMC)) << "mode 0 leaves it";
    grid.SetCurrentCell(0, 0);
    EXPECT_FALSE(ImmGetOpenStatus(hIMC)) << "mode 1 closes it";
    // A closed input method is kept away from the editor, so that keys arrive as typed.
    grid.SendMessage(WM_CHAR, 'a', 0);
    ASSERT_NE(grid.GetEditor(), nullptr);
    EXPECT_FALSE(grid.GetEditor()->GetQWidget()->testAttribute(Qt::WA_InputMethodEnabled));
    grid.SetCurrentCell(1, 1);
    EXPECT_TRUE(ImmGetOpenStatus(hIMC));
    // The focus going to another window closes it.
    other.SetFocus();
    grid.SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(other.GetSafeHwnd()), 0);
    EXPECT_FALSE(ImmGetOpenStatus(hIMC));
    other.DestroyWindow();
}

TEST_F(GridTest, PaintingShowsSelectionAndInvertsTheCurrentCellFrame)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText, 80));
    grid.InsertColumn(1, Column(GridColumnItem::kindCheck, 40));
    AddRows(5, 0, Text(u"text"));
    grid.GetRow(1)->m_bSelected = TRUE;
    grid.SetSelectionColor(RGB(0, 0, 255));
    grid.SetCurrentCell(3, 0);
    const QImage image = grid.GetQWidget()->grab().toImage();
    const CRect selected = grid.GetCellRect(1, 0);
    EXPECT_EQ(image.pixelColor(selected.right - 5, selected.top + 3), QColor(0, 0, 255));
    // The current cell's frame inverts the white window under it.
    const CRect current = grid.GetCellRect(3, 0);
    const QColor edge = image.pixelColor(current.left + 20, current.top + 1);
    EXPECT_EQ(edge, QColor(0, 0, 0));
    grid.EnableWindow(FALSE);
    const QImage disabled = grid.GetQWidget()->grab().toImage();
    EXPECT_NE(disabled.pixelColor(current.left + 20, current.top + 1), QColor(0, 0, 0));
}

TEST_F(GridTest, AnOpenEditorSitsOverItsCellAmongSelectedRows)
{
    const struct {
        const char16_t* title;
        int kind;
        int width;
    } columns[] = {{u"Name", GridColumnItem::kindText, 120}, {u"Colour", GridColumnItem::kindDropDownList, 90},
                   {u"Shown", GridColumnItem::kindCheck, 50}, {u"Note", GridColumnItem::kindReadOnly, 120}};
    for (const auto& c : columns) {
        GridColumnItem column = Column(c.kind, c.width);
        column.m_strTitle = c.title;
        for (const char16_t* t : {u"Red", u"Green", u"Blue"}) {
            column.m_itemTexts.Add(t);
            column.m_displayTexts.Add(t);
        }
        grid.InsertColumn(grid.GetColumnCount(), column);
    }
    for (int r = 0; r < 12; ++r) {
        GridRowItem row;
        CString name;
        name.Format(u"Layer %d", r + 1);
        const COleVariant values[] = {COleVariant(name), Int(r % 3), Bool(r % 2), Text(u"a note that is too long to fit")};
        for (int c = 0; c < 4; ++c)
            row.SetValue(c, &values[c]);
        grid.InsertRow(-1, row);
    }
    grid.SelectRow(2, TRUE);
    grid.SelectRow(3, TRUE);
    grid.SelectRow(6, TRUE);
    ASSERT_TRUE(grid.BeginEdit(4, 0));
    grid.GetEditor()->SetWindowText(u"Layer 5 renamed");
    const CRect cell = grid.GetCellRect(4, 0);
    CRect editor;
    grid.GetEditor()->GetWindowRect(&editor);
    grid.ScreenToClient(&editor);
    EXPECT_EQ(editor.TopLeft(), cell.TopLeft());
    EXPECT_GE(editor.Width(), cell.Width());
    const QImage image = grid.GetQWidget()->grab().toImage();
    EXPECT_FALSE(image.isNull());
    if (const char* dir = std::getenv("KC_SCREENSHOT_DIR"))
        image.save(QString::fromUtf8(dir) + QStringLiteral("/grid.png"));
}

TEST_F(GridTest, TheTipOfATruncatedCellLiesOverItsText)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindText, 40));
    GridRowItem row;
    const COleVariant value = Text(u"a text much wider than its cell");
    row.SetValue(0, &value);
    grid.InsertRow(0, row);
    CToolTipCtrl* pTip = grid.GetToolTip();
    ASSERT_NE(pTip, nullptr);
    const CRect cell = grid.GetCellRect(0, 0);
    grid.SendMessage(WM_MOUSEMOVE, 0, At(cell.CenterPoint()));
    // The tip shows from the event loop; wait for it (bounded, not timed).
    QElapsedTimer waited;
    waited.start();
    while (!pTip->IsWindowVisible() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(pTip->IsWindowVisible());
    EXPECT_EQ(pTip->GetShownText(), CString(u"a text much wider than its cell"));
    CRect tip;
    pTip->GetWindowRect(&tip);
    grid.ScreenToClient(&tip);
    EXPECT_EQ(tip.left, cell.left + 2 - CGridCtrl::kToolTipInset);
    EXPECT_GT(tip.Width(), cell.Width());
}

namespace {

// The check, radio and sort-mark pictures come from the language library's strips.
class GridPictures : public EnglishResources
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(600, 400));
        ASSERT_TRUE(grid.Create(WS_VISIBLE, CRect(0, 0, 400, 300), &host, 77));
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        host.DestroyWindow();
    }
    // How many pixels of the cell's middle 13 x 13 square are of the colour.
    static int Count(const QImage& image, const CRect& cell, QColor colour)
    {
        const int x0 = static_cast<int>(cell.left + cell.right) / 2 - 6;
        const int y0 = static_cast<int>(cell.top + cell.bottom) / 2 - 6;
        int n = 0;
        for (int y = y0; y < y0 + 13; ++y)
            for (int x = x0; x < x0 + 13; ++x)
                n += image.pixelColor(x, y) == colour ? 1 : 0;
        return n;
    }
    GridHost host;
    CGridCtrl grid;
};

}  // namespace

TEST_F(GridPictures, CheckRadioAndSortMarksShowTheirStateWithoutTheKeyColour)
{
    grid.InsertColumn(0, Column(GridColumnItem::kindCheck, 40));
    grid.InsertColumn(1, Column(GridColumnItem::kindRadio, 40));
    GridColumnItem sorted = Column(GridColumnItem::kindText, 120);
    sorted.m_strTitle = u"Name";
    sorted.m_nSortMarkStyle = 1;
    sorted.m_nSortDirection = 1;
    grid.InsertColumn(2, sorted);
    for (BOOL on : {TRUE, FALSE}) {
        GridRowItem row;
        const COleVariant value = Bool(on);
        row.SetValue(0, &value);
        row.SetValue(1, &value);
        grid.InsertRow(-1, row, TRUE);
    }
    const QImage image = grid.GetQWidget()->grab().toImage();
    const QColor black(0, 0, 0);
    EXPECT_GT(Count(image, grid.GetCellRect(0, 0), black), 10) << "a check mark in the on cell";
    EXPECT_EQ(Count(image, grid.GetCellRect(1, 0), black), 0) << "an empty box in the off cell";
    EXPECT_GT(Count(image, grid.GetCellRect(0, 1), black), 8) << "a dot in the on radio";
    EXPECT_EQ(Count(image, grid.GetCellRect(1, 1), black), 0);
    // The strips' red background never reaches the screen.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(image.pixelColor(x, y), QColor(255, 0, 0)) << x << "," << y;
    // The ascending mark stands in the title's header, right of the text.
    const CRect cell = grid.GetCellRect(0, 2);
    int grey = 0;
    for (int y = 0; y < static_cast<int>(cell.top); ++y)
        for (int x = static_cast<int>(cell.left) + 30; x < static_cast<int>(cell.right); ++x)
            grey += image.pixelColor(x, y) == QColor(128, 128, 128) ? 1 : 0;
    EXPECT_GE(grey, 20);
}
