// The editable combo's Enter, Escape and focus-loss notifications, the edit chords, and the snap-angle
// field of the options page.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

#include "ControlsTestSupport.h"
#include "command/ControlsNumericHooks.h"
#include "command/NumericFormat.h"
#include "controls/CAngularSnapComboBox.h"
#include "controls/CQZ2Edit.h"
#include "controls/CQZ2EditComboBox.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {

constexpr UINT kComboId = 1400;

void Key(CWnd& combo, Qt::Key key)
{
    auto* pCombo = qobject_cast<QComboBox*>(combo.GetQWidget());
    ASSERT_NE(pCombo, nullptr);
    ASSERT_NE(pCombo->lineEdit(), nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(pCombo->lineEdit(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(pCombo->lineEdit(), &release);
}

class EditCombo : public EnglishResources
{
protected:
    static void SetUpTestSuite()
    {
        EnglishResources::SetUpTestSuite();
        RegisterControlsNumericHooks();
    }
    void SetUp() override
    {
        NumericFormat::ResetState();
        ASSERT_TRUE(host.CreateHost());
    }
    void TearDown() override { host.DestroyWindow(); }
    std::vector<int> NotifyCodes() const
    {
        std::vector<int> codes;
        for (const auto& [id, code] : host.notifies)
            if (id == static_cast<int>(kComboId))
                codes.push_back(code);
        return codes;
    }
    void LoseFocus(CComboBox& combo)
    {
        host.SendMessage(WM_COMMAND, MAKEWPARAM(kComboId, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(combo.m_hWnd));
    }
    RecordingHost host;
};

TEST_F(EditCombo, EnterAndEscapeReachTheOwnerAndAnAnswerSelectsTheText)
{
    CQZ2EditComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWN | WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 200), &host, kComboId));
    combo.SetWindowText(u"12.5");
    combo.SetEditSel(0, 0);
    host.notifyAnswer = 1;
    Key(combo, Qt::Key_Return);
    EXPECT_EQ(NotifyCodes(), std::vector<int>{0x8050});
    const DWORD sel = combo.GetEditSel();
    EXPECT_EQ(LOWORD(sel), 0);
    EXPECT_EQ(HIWORD(sel), 4) << "the owner's answer selects the whole text";

    host.notifies.clear();
    host.notifyAnswer = 0;
    Key(combo, Qt::Key_Escape);
    LoseFocus(combo);
    EXPECT_EQ(NotifyCodes(), (std::vector<int>{0x8051, 0x8051}));
    EXPECT_TRUE(host.Codes(kComboId).empty()) << "the parent never hears the combo's focus notifications";

    host.notifies.clear();
    combo.SetKillFocusNotify(FALSE);
    LoseFocus(combo);
    EXPECT_TRUE(NotifyCodes().empty());
}

TEST_F(EditCombo, ADropDownListSendsNothing)
{
    CQZ2EditComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 200), &host, kComboId));
    LoseFocus(combo);
    EXPECT_TRUE(NotifyCodes().empty());
}

TEST(EditChords, EachChordSendsItsMessage)
{
    struct Case {
        UINT key;
        BOOL ctrl, shift, alt;
        UINT message;
    };
    for (const Case& c : {Case{'X', TRUE, FALSE, FALSE, WM_CUT}, Case{'C', TRUE, FALSE, FALSE, WM_COPY},
                          Case{VK_INSERT, TRUE, FALSE, FALSE, WM_COPY}, Case{'V', TRUE, FALSE, FALSE, WM_PASTE},
                          Case{'Z', TRUE, FALSE, FALSE, EM_UNDO}, Case{VK_DELETE, FALSE, TRUE, FALSE, WM_CUT},
                          Case{VK_INSERT, FALSE, TRUE, FALSE, WM_PASTE}, Case{VK_BACK, FALSE, FALSE, TRUE, EM_UNDO},
                          Case{VK_DELETE, TRUE, TRUE, FALSE, 0}, Case{'A', TRUE, FALSE, FALSE, 0},
                          Case{VK_BACK, FALSE, TRUE, TRUE, 0}, Case{'X', FALSE, FALSE, FALSE, 0}})
        EXPECT_EQ(CQZ2Edit::ChordMessage(c.key, c.ctrl, c.shift, c.alt), c.message) << c.key;
}

TEST_F(EditCombo, TheSnapAngleFieldKeepsItsAngleAndRefusesNonAngles)
{
    CAngularSnapComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWN | WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 200), &host, kComboId));
    ASSERT_EQ(combo.GetCount(), 5);
    combo.SetAngle(45.0);
    EXPECT_EQ(combo.GetCurSel(), 2);
    combo.SetAngle(45.5);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_DOUBLE_EQ(combo.GetAngle(), 45.5) << "the shown text, rounded to the display, is not read back";
    CString text;
    // Outside one turn: normalised. 0 and 360 are refused.
    combo.SetAngle(400.0);
    EXPECT_DOUBLE_EQ(combo.GetAngle(), 40.0);
    combo.SetAngle(360.0);
    EXPECT_DOUBLE_EQ(combo.GetAngle(), 40.0);
    // A typed text that is not an angle: Enter keeps the angle and selects the text for correction.
    combo.SetWindowText(u"abc");
    Key(combo, Qt::Key_Return);
    EXPECT_TRUE(NotifyCodes().empty()) << "a bad angle is not confirmed";
    EXPECT_DOUBLE_EQ(combo.GetAngle(), 40.0);
    // Escape shows the stored angle again.
    Key(combo, Qt::Key_Escape);
    combo.GetWindowText(text);
    EXPECT_EQ(text.Find(u"40"), 0);
    combo.SetWindowText(u"22.5°");
    Key(combo, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(combo.GetAngle(), 22.5);
    EXPECT_EQ(NotifyCodes().back(), 0x8050);
}

}  // namespace
