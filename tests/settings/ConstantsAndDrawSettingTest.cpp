// The constants dialog (names a-z but d, e, r and g; values strictly between -1e10 and 1e10; a defined
// name replaced only after Yes) and the drawing settings dialog (modes kept or "none", the fourth cap,
// precision lists clamped by the angle format).

#include "SettingsTestSupport.h"

#include "libs/vevure/InputConstValue.h"
#include "platform/win/WinMessages.h"
#include "settings/CConstValueSettingDialog.h"
#include "settings/CDrawSettingDialog.h"

namespace {

using C = CConstValueSettingDialog;
using S = CDrawSettingDialog;

class Constants : public SettingsDialogTest
{
protected:
    void Open(const InputConstValue& list)
    {
        dialog.SetInputConstValue(&list);
        ASSERT_TRUE(dialog.Create(C::IDD, nullptr));
    }
    void TearDown() override
    {
        if (dialog.GetSafeHwnd() != nullptr)
            dialog.DestroyWindow();
    }
    void Set(const QString& name, const QString& value)
    {
        Type(dialog, C::kName, name);
        Type(dialog, C::kValue, value);
        Click(dialog, C::kSet);
    }
    InputConstValue Result()
    {
        InputConstValue out;
        dialog.GetInputConstValue(&out);
        return out;
    }
    C dialog;
};

TEST_F(Constants, AddReplaceAfterYesAndKeepAfterNo)
{
    InputConstValue start;
    ASSERT_TRUE(start.Add(_T('k'), 1000.0));
    Open(start);
    ASSERT_EQ(dialog.m_list.GetItemCount(), 1);
    Set(QStringLiteral("x"), QStringLiteral("2.5"));
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(dialog.m_list.GetItemCount(), 2);
    EXPECT_EQ(QString::fromUtf16(dialog.m_list.GetItemText(1, 0).GetString()), QStringLiteral("x"));
    EXPECT_DOUBLE_EQ(Result().GetValueAt(1), 2.5);

    AnswerBoxesWith(IDNO);
    Set(QStringLiteral("x"), QStringLiteral("3"));
    EXPECT_TRUE(OneBox(10031));
    EXPECT_DOUBLE_EQ(Result().GetValueAt(1), 2.5);
    AnswerBoxesWith(IDYES);
    Set(QStringLiteral("x"), QStringLiteral("3"));
    EXPECT_TRUE(OneBox(10031));
    EXPECT_EQ(dialog.m_list.GetItemCount(), 2);
    EXPECT_DOUBLE_EQ(Result().GetValueAt(1), 3.0);
    // The caller's list is another one.
    EXPECT_EQ(start.GetSize(), 1);
}

TEST_F(Constants, NamesAndValuesOutsideTheRulesAreRefused)
{
    Open(InputConstValue());
    struct Case {
        const char* name;
        const char* value;
        UINT message;
    };
    for (const Case& c : {Case{"A", "1", 10020}, Case{"1", "1", 10020}, Case{"-", "1", 10020}, Case{"e", "1", 10021},
                          Case{"d", "1", 10021}, Case{"y", "1e10", 10125}, Case{"y", "-1e10", 10125}}) {
        Set(QString::fromLatin1(c.name), QString::fromLatin1(c.value));
        EXPECT_TRUE(OneBox(c.message)) << c.name << " " << c.value;
    }
    EXPECT_EQ(Result().GetSize(), 0);
    Set(QStringLiteral("y"), QStringLiteral("9999999999"));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_DOUBLE_EQ(Result().GetValueAt(0), 9999999999.0);
}

TEST_F(Constants, DeletingTheOnlyRowLeavesNothingSelected)
{
    InputConstValue start;
    ASSERT_TRUE(start.Add(_T('m'), 1000.0));
    Open(start);
    dialog.m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(Text(dialog, C::kName), QStringLiteral("m"));
    Click(dialog, C::kDelete);
    EXPECT_EQ(dialog.m_list.GetItemCount(), 0);
    EXPECT_EQ(dialog.m_list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_EQ(Result().GetSize(), 0);
}

class DrawSetting : public SettingsDialogTest
{
protected:
    void TearDown() override
    {
        if (dialog.GetSafeHwnd() != nullptr)
            dialog.DestroyWindow();
    }
    S dialog;
};

TEST_F(DrawSetting, ModesCapsAndPrecisionsComeBackAsSet)
{
    dialog.SetPaperLinePitchDisplayMode(2);
    dialog.SetPaperLineWidthDisplayMode(7);
    dialog.SetPartLinePitchDisplayMode(0);
    dialog.SetPartLineWidthDisplayMode(1);
    dialog.SetLineCapMode(3);
    dialog.SetLineJoinMode(1);
    dialog.m_nLengthFormat = 4;
    dialog.m_nDistPrecision = 3;
    dialog.m_nAngleFormat = 0;
    dialog.m_nAnglePrecision = 8;
    ASSERT_TRUE(dialog.Create(S::IDD, nullptr));
    EXPECT_EQ(dialog.m_distPrecisionList.GetCount(), 9);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.GetPaperLinePitchDisplayMode(), 2);
    EXPECT_EQ(dialog.GetPaperLineWidthDisplayMode(), -1);
    EXPECT_EQ(dialog.GetPartLinePitchDisplayMode(), 0);
    EXPECT_EQ(dialog.GetPartLineWidthDisplayMode(), 1);
    EXPECT_EQ(dialog.GetLineCapMode(), 3);
    EXPECT_EQ(dialog.GetLineJoinMode(), 1);
    EXPECT_EQ(dialog.m_nDistPrecision, 3);
    EXPECT_EQ(dialog.m_nAnglePrecision, 8);

    // Degrees, minutes and seconds: seven precisions, the eighth clamped to the last.
    dialog.m_angleFormatList.SetCurSel(1);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(S::kAngleFormat, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(dialog.m_angleFormatList.GetSafeHwnd()));
    EXPECT_EQ(dialog.m_anglePrecisionList.GetCount(), 7);
    EXPECT_EQ(dialog.m_nAnglePrecision, 6);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nAngleFormat, 1);
    EXPECT_EQ(dialog.m_nAnglePrecision, 6);
}

}  // namespace
