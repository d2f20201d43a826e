// The line width table dialog from its real template: it opens on number 1 with the width read-only; the
// widths of 10 and up are set into the working copy only by Set, checked against 0 and 1e15.

#include "SettingsTestSupport.h"

#include "libs/vevure/LineWidthFeatureTable.h"
#include <QtWidgets/QWidget>

#include "platform/win/CEdit.h"
#include "settings/CLineWidthSettingDialog.h"

namespace {

using D = CLineWidthSettingDialog;

class LineWidthTable : public SettingsDialogTest
{
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        table.InitializeLineWidths();
        dialog.SetLineWidthTable(&table);
        ASSERT_TRUE(dialog.Create(D::IDD, nullptr));
    }
    void TearDown() override { dialog.DestroyWindow(); }
    // As a click does: the row alone is selected.
    void Select(int row)
    {
        for (int r = 0; r < dialog.m_list.GetItemCount(); ++r)
            if (r != row)
                dialog.m_list.SetItemState(r, 0, LVIS_SELECTED | LVIS_FOCUSED);
        dialog.m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    bool ReadOnly() { return dialog.m_widthEdit.GetQWidget()->property("readOnly").toBool(); }

    LineWidthFeatureTable table;
    D dialog;
};

TEST_F(LineWidthTable, OpensOnNumberOneWithTheFixedWidthReadOnly)
{
    ASSERT_EQ(dialog.m_list.GetItemCount(), table.GetLineWidthSize() - 1);
    EXPECT_EQ(dialog.m_list.GetNextItem(-1, LVNI_SELECTED), 0);
    EXPECT_EQ(QString::fromUtf16(dialog.m_list.GetItemText(0, 0).GetString()),
              QStringLiteral("1:%1").arg(table.GetLineWidth(1)));
    EXPECT_TRUE(ReadOnly());
    EXPECT_FALSE(Enabled(dialog, D::kSet));
    EXPECT_FALSE(Enabled(dialog, D::kSpin));
    EXPECT_DOUBLE_EQ(dialog.m_dWidth, table.GetLineWidth(1));
}

TEST_F(LineWidthTable, SetChangesAUserWidthInTheCopyOnly)
{
    Select(9);
    EXPECT_FALSE(ReadOnly());
    EXPECT_TRUE(Enabled(dialog, D::kSet));
    Type(dialog, D::kWidth, QStringLiteral("0.7"));
    Click(dialog, D::kSet);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_DOUBLE_EQ(dialog.m_table.GetLineWidth(10), 0.7);
    EXPECT_EQ(QString::fromUtf16(dialog.m_list.GetItemText(9, 0).GetString()), QStringLiteral("10:0.7"));
    // The caller's table is another object.
    EXPECT_NE(table.GetLineWidth(10), 0.7);
}

TEST_F(LineWidthTable, ATypedWidthWithoutSetIsDroppedWhenAnotherRowIsChosen)
{
    const double before = table.GetLineWidth(10);
    Select(9);
    Type(dialog, D::kWidth, QStringLiteral("0.9"));
    Select(3);
    Select(9);
    EXPECT_DOUBLE_EQ(dialog.m_table.GetLineWidth(10), before);
    EXPECT_DOUBLE_EQ(dialog.m_dWidth, before);
}

TEST_F(LineWidthTable, WidthsOutsideTheOpenRangeAreRefused)
{
    const double before = table.GetLineWidth(11);
    Select(10);
    for (const char* text : {"0", "-1", "1e15"}) {
        Type(dialog, D::kWidth, QString::fromLatin1(text));
        Click(dialog, D::kSet);
        EXPECT_TRUE(OneBox(10125)) << text;
        EXPECT_DOUBLE_EQ(dialog.m_table.GetLineWidth(11), before) << text;
    }
}

}  // namespace
