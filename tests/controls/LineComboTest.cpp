// The line-type and line-width combos over real document tables.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "libs/vevure/LineTypeFeature.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

namespace {

constexpr UINT kTypeId = 1300;
constexpr UINT kWidthId = 1301;
constexpr DWORD kStyle = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_CHILD | WS_VISIBLE | WS_VSCROLL;

class LineCombos : public EnglishResources
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(types.Create(kStyle, CRect(10, 10, 200, 32), &host, kTypeId));
        ASSERT_TRUE(widths.Create(kStyle, CRect(10, 40, 200, 62), &host, kWidthId));
    }
    void TearDown() override
    {
        types.DestroyWindow();
        widths.DestroyWindow();
        host.DestroyWindow();
    }
    // Adds a user line type with a dash pattern; FALSE when the table refuses it.
    BOOL AddLineType(short no, const char16_t* name)
    {
        LineTypeFeature lt;
        const double pattern[] = {4.0, 1.0};
        EXPECT_TRUE(lt.SetLineType(no, CString(name), pattern, 2));
        return tables.lineTypes.SetLineType(lt);
    }
    // Selects a row as the user does: the list's own change notification follows.
    void ChooseRow(CComboBox& combo, int row)
    {
        combo.SetCurSel(row);
        host.SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(combo.m_hWnd));
    }

    RecordingHost host;
    DocumentTables tables;
    CSelectLineTypeComboBox types;
    CSelectLineWidthComboBox widths;
};

TEST_F(LineCombos, WithoutTheByLayerRowTheRowsAreTheTableAfterItsPlaceholder)
{
    ASSERT_TRUE(types.SetLineTypeTable(&tables.lineTypes, FALSE));
    EXPECT_EQ(types.GetCount(), tables.lineTypes.GetLineTypeSize() - 1);
    ChooseRow(types, 2);
    EXPECT_EQ(types.GetLineTypeNo(), tables.lineTypes.GetAt(3)->GetLineTypeNo());
    EXPECT_FALSE(types.SetLineTypeNo(0)) << "no by-layer row";

    ASSERT_TRUE(types.SetLineTypeTable(&tables.lineTypes, TRUE));
    EXPECT_EQ(types.GetCount(), tables.lineTypes.GetLineTypeSize());
    EXPECT_TRUE(types.SetLineTypeNo(0));
    EXPECT_EQ(types.GetCurSel(), 0);
    ChooseRow(types, 0);
    EXPECT_EQ(types.GetLineTypeNo(), 0);
}

TEST_F(LineCombos, TheOwnerHearsASelectionChangeOnce)
{
    ASSERT_TRUE(types.SetLineTypeTable(&tables.lineTypes, TRUE));
    ChooseRow(types, 4);
    EXPECT_EQ(host.Codes(kTypeId), std::vector<int>{CBN_SELCHANGE});
}

TEST_F(LineCombos, ALineTypeIsSelectedByItsEntryNotByANamePrefix)
{
    ASSERT_TRUE(AddLineType(16, u"Dashdot long"));
    ASSERT_TRUE(AddLineType(17, u"DASH"));
    ASSERT_TRUE(types.SetLineTypeTable(&tables.lineTypes, TRUE));
    ASSERT_TRUE(types.SetLineTypeNo(17));
    const int row = types.GetCurSel();
    ASSERT_GE(row, 0);
    CString text;
    types.GetLBText(row, text);
    EXPECT_EQ(text, CString(u"DASH"));
    EXPECT_EQ(types.RowToNumber(row), 17);
    EXPECT_FALSE(types.SetLineTypeNo(999));
    EXPECT_EQ(types.GetLineTypeNo(), 17) << "a refused number leaves the stored one";
    EXPECT_TRUE(types.SetLineTypeNo(32767));
    EXPECT_EQ(types.GetCurSel(), -1);
}

TEST_F(LineCombos, TheLayerLineTypeMustBeInTheTable)
{
    EXPECT_FALSE(types.SetLayerLineTypeNo(2)) << "no table";
    ASSERT_TRUE(types.SetLineTypeTable(&tables.lineTypes, TRUE));
    EXPECT_TRUE(types.SetLayerLineTypeNo(2));
    EXPECT_EQ(types.GetLayerLineTypeNo(), 2);
    EXPECT_TRUE(types.SetLayerLineTypeNo(555));
    EXPECT_EQ(types.GetLayerLineTypeNo(), 32767);
    types.SetLineTypeTable(nullptr, TRUE);
    EXPECT_EQ(types.GetLineTypeNo(), 32767);
    EXPECT_EQ(types.GetCount(), 0);
}

TEST_F(LineCombos, LineWidthNumbersWithoutARowAreRefused)
{
    ASSERT_TRUE(widths.SetLineWidthTable(&tables.lineWidths, TRUE));
    const int count = tables.lineWidths.GetLineWidthSize();
    EXPECT_EQ(widths.GetCount(), count);
    struct Case {
        short number;
        BOOL accepted;
        int row;
    };
    ASSERT_TRUE(widths.SetLayerLineWidthNo(32767));  // unknown layer width: still no number without a row
    for (const Case& c : {Case{5, TRUE, 5}, Case{0, TRUE, 0}, Case{static_cast<short>(count - 1), TRUE, count - 1},
                          Case{static_cast<short>(count), FALSE, count - 1},
                          Case{static_cast<short>(count + 1), FALSE, count - 1}, Case{-1, FALSE, count - 1},
                          Case{32767, TRUE, -1}}) {
        EXPECT_EQ(widths.SetLineWidthNo(c.number), c.accepted) << c.number;
        EXPECT_EQ(widths.GetCurSel(), c.row) << c.number;
    }
    ASSERT_TRUE(widths.SetLineWidthTable(&tables.lineWidths, FALSE));
    EXPECT_EQ(widths.GetCount(), count - 1);
    EXPECT_FALSE(widths.SetLineWidthNo(0));
    EXPECT_TRUE(widths.SetLineWidthNo(3));
    EXPECT_EQ(widths.GetCurSel(), 2);
    ChooseRow(widths, 6);
    EXPECT_EQ(widths.GetLineWidthNo(), 7);
}

TEST_F(LineCombos, MessageNineSetsTheWidthAndTellsCloseUpThenSelEndOk)
{
    ASSERT_TRUE(widths.SetLineWidthTable(&tables.lineWidths, TRUE));
    widths.SendMessage(9, 4, 0);
    EXPECT_EQ(widths.GetLineWidthNo(), 4);
    EXPECT_EQ(host.Codes(kWidthId), (std::vector<int>{CBN_CLOSEUP, CBN_SELENDOK}));
}

}  // namespace
