// The numeric edit and its data exchange: spin steps, acceleration and clamping, and what a dialog's
// UpdateData stores or refuses, in real dialogs offscreen with the program's number format.
#include <gtest/gtest.h>

#include <QtCore/QString>

#include <cfloat>
#include <cmath>
#include <vector>

#include "ControlsTestSupport.h"
#include "command/ControlsNumericHooks.h"
#include "command/NumericFormat.h"
#include "controls/CQZ2DoubleEdit.h"
#include "controls/DoubleEditExchange.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CDialog.h"
#include "platform/win/CWinApp.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {

// Answers every message box with OK and keeps its text.
class BoxRecordingApp : public CWinApp
{
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        texts.push_back(QString::fromUtf16(lpszPrompt));
        return IDOK;
    }
    std::vector<QString> texts;
};

constexpr int kEdit = 1001;

// A dialog with one numeric edit whose exchange the test chooses.
class NumberDialog : public CDialog
{
public:
    enum Kind { kDouble, kFloat, kUInt };
    Kind kind = kDouble;
    double value = 0.0;
    float floatValue = 0.0f;
    UINT uintValue = 0;
    double lo = 0.0, hi = 100.0;
    BOOL minIn = TRUE, maxIn = TRUE, allowUnchanged = FALSE;
    CQZ2DoubleEdit edit;

    BOOL Make()
    {
        DialogTemplate t;
        if (!t.Parse(CString(u"DIALOG 0 0 200 60\nCONTROL EDIT 1001 \"\" 10 10 80 12 WS_BORDER | WS_TABSTOP\n"
                             u"CONTROL EDIT 1002 \"\" 10 30 80 12 WS_BORDER | WS_TABSTOP\n")))
            return FALSE;
        return CreateIndirect(t, nullptr);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, kEdit, edit);
        switch (kind) {
        case kDouble: DDX_DoubleEditDouble(pDX, kEdit, value, lo, hi, minIn, maxIn, allowUnchanged); break;
        case kFloat:
            DDX_DoubleEditFloat(pDX, kEdit, floatValue, static_cast<float>(lo), static_cast<float>(hi), minIn, maxIn,
                                allowUnchanged);
            break;
        case kUInt:
            DDX_DoubleEditUInt(pDX, kEdit, uintValue, static_cast<UINT>(lo), static_cast<UINT>(hi), allowUnchanged);
            break;
        }
    }
};

class DoubleEdit : public EnglishResources
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
        ASSERT_TRUE(dialog.Make());
        dialog.UpdateData(FALSE);
    }
    void TearDown() override { dialog.DestroyWindow(); }
    void Type(const char16_t* text) { dialog.edit.SetWindowText(text); }
    void Spin(int delta)
    {
        NMUPDOWN nm{};
        nm.iDelta = delta;
        dialog.edit.OnDeltaPos(&nm);
    }
    BoxRecordingApp app;
    NumberDialog dialog;
};

TEST_F(DoubleEdit, SpinStepFollowsKindFormatPrecisionAndLevel)
{
    struct Case {
        int kind, format, precision, level;
        double step;
    };
    for (const Case& c : {
             Case{0, 0, 2, 1, 0.01}, Case{1, 0, 2, 2, 0.1}, Case{2, 0, 0, 3, 100.0}, Case{0, 1, 3, 1, 0.125},
             Case{0, 4, 3, 2, 0.125}, Case{0, 2, 3, 1, 0.001}, Case{0, 2, 3, 3, 0.001}, Case{3, 1, 0, 1, 1.0},
             Case{3, 1, 1, 1, 1.0 / 60.0}, Case{3, 1, 2, 2, 1.0 / 3600.0}, Case{3, 1, 4, 1, 0.01 / 3600.0},
             Case{3, 0, 2, 1, 0.01}, Case{3, 0, 2, 2, 0.1}, Case{3, 2, 1, 1, 0.1 * 57.29577951308232},
             Case{3, 3, 1, 1, 0.09}, Case{4, -1, -1, 1, 1.0}, Case{4, 0, 3, 1, 0.001}, Case{5, 0, 3, 2, 0.01},
             Case{8, 0, 1, 1, 0.1},
         }) {
        CQZ2DoubleEdit edit;
        if (c.kind == 3) {
            edit.m_nAngleUnitFormat = c.format;
            edit.m_nAnglePrecision = c.precision;
        } else {
            edit.m_nLengthUnitFormat = c.format;
            edit.m_nLengthPrecision = c.precision;
        }
        edit.SetValueKind(c.kind);
        edit.ComputeSpinStep(c.level);
        EXPECT_NEAR(edit.GetSpinStep(), c.step, c.step * 1e-12)
            << "kind " << c.kind << " format " << c.format << " precision " << c.precision << " level " << c.level;
    }
}

TEST_F(DoubleEdit, FormatThreeStepsByTheShownExponent)
{
    struct Case {
        double value, step;
    };
    for (const Case& c : {Case{12345.0, 100.0}, Case{0.00012345, 1e-6}, Case{1.5, 0.01}}) {
        CQZ2DoubleEdit edit;
        edit.m_nLengthUnitFormat = 3;
        edit.m_nLengthPrecision = 2;
        edit.SetValueKind(0);
        edit.SetValue(c.value);
        edit.ComputeSpinStep(1);
        EXPECT_NEAR(edit.GetSpinStep(), c.step, c.step * 1e-9) << c.value;
    }
}

TEST_F(DoubleEdit, AccelerationNeedsAZeroInTheDigitTheStepChanges)
{
    struct Case {
        int kind, format;
        double value;
        BOOL expected;
    };
    for (const Case& c : {Case{0, 0, 0.10, TRUE}, Case{0, 0, 0.11, FALSE}, Case{0, 0, 12.30, TRUE},
                          Case{0, 1, 0.10, FALSE}, Case{3, 1, 10.0, FALSE}, Case{4, 0, 0.10, TRUE},
                          Case{0, 0, 0.0, TRUE}}) {
        CQZ2DoubleEdit edit;
        edit.m_nLengthUnitFormat = c.kind == 3 ? -1 : c.format;
        edit.m_nAngleUnitFormat = c.kind == 3 ? c.format : -1;
        edit.m_nLengthPrecision = 2;
        edit.SetValueKind(c.kind);
        edit.SetValue(c.value);
        EXPECT_EQ(edit.CanAccelerate(), c.expected) << c.kind << " " << c.format << " " << c.value;
    }
}

TEST_F(DoubleEdit, SpinningClampsAtZeroUnlessNegativesAreAllowed)
{
    dialog.edit.m_nLengthPrecision = 2;
    dialog.edit.SetValueKind(0);
    dialog.edit.SetValue(0.005);
    Spin(1);
    EXPECT_DOUBLE_EQ(dialog.edit.GetValue(), 0.0);
    dialog.edit.m_bAllowNegative = TRUE;
    dialog.edit.SetValue(0.005);
    Spin(1);
    EXPECT_NEAR(dialog.edit.GetValue(), -0.005, 1e-12);
    Spin(-1);
    EXPECT_NEAR(dialog.edit.GetValue(), 0.005, 1e-12);
    // An empty field spins from 0.
    Type(u"");
    Spin(-1);
    EXPECT_NEAR(dialog.edit.GetValue(), 0.01, 1e-12);
}

TEST_F(DoubleEdit, HeldSpinningMovesUpADigitAndAClickGoesBack)
{
    dialog.edit.m_nLengthPrecision = 2;
    dialog.edit.SetValueKind(0);
    // Seven held steps of 0.01 reach 1.00: at the eighth the hundredths are zero, the step moves up a digit.
    dialog.edit.SetValue(0.93);
    for (int i = 0; i < 8; ++i)
        Spin(-5);
    EXPECT_NEAR(dialog.edit.GetValue(), 1.10, 1e-9);
    EXPECT_EQ(dialog.edit.GetAccelerationLevel(), 2);
    EXPECT_NEAR(dialog.edit.GetSpinStep(), 0.1, 1e-12);
    Spin(-1);
    EXPECT_EQ(dialog.edit.GetAccelerationLevel(), 1);
    EXPECT_NEAR(dialog.edit.GetSpinStep(), 0.01, 1e-12);
}

TEST_F(DoubleEdit, ATypedNumberOverAStoredZeroIsReadBeforeTheSpin)
{
    dialog.value = 0.0;
    dialog.edit.SetValueKind(0);
    dialog.UpdateData(FALSE);
    Type(u"3");
    Spin(-1);
    EXPECT_NEAR(dialog.edit.GetValue(), 3.01, 1e-9);
    EXPECT_NEAR(dialog.value, 3.0, 1e-12) << "the dialog read the typed text";
}

struct ExchangeCase {
    const char16_t* text;
    double lo, hi;
    BOOL minIn, maxIn, allowUnchanged;
    bool accepted;
    double stored;
    const char* message;  // the start of the refusal's message, or nullptr
};

TEST_F(DoubleEdit, SavingAcceptsOrRefusesByLimitsAndInclusivity)
{
    const double kMarker = DBL_MAX;
    for (const ExchangeCase& c : {
             ExchangeCase{u"0", 0, 100, TRUE, FALSE, FALSE, true, 0.0, nullptr},
             ExchangeCase{u"100", 0, 100, TRUE, FALSE, FALSE, false, 0, "Enter a value from 0 up to but not"},
             ExchangeCase{u"100", 0, 100, TRUE, TRUE, FALSE, true, 100.0, nullptr},
             ExchangeCase{u"0", 0, 100, FALSE, FALSE, FALSE, false, 0, "Enter a value greater than 0 and less"},
             ExchangeCase{u"0", 0, 100, FALSE, TRUE, FALSE, false, 0, "Enter a value greater than 0 and up to 100"},
             ExchangeCase{u"-1", 0, 100, TRUE, TRUE, FALSE, false, 0, "Enter a value from 0 to 100"},
             ExchangeCase{u"", 0, 100, TRUE, TRUE, TRUE, true, kMarker, nullptr},
             ExchangeCase{u"", 0, 100, TRUE, TRUE, FALSE, false, 0, ""},
             ExchangeCase{u"abc", 0, 100, TRUE, TRUE, FALSE, false, 0, ""},
             ExchangeCase{u"nan", 0, 100, TRUE, TRUE, FALSE, false, 0, ""},
             ExchangeCase{u"inf", -1e308, 1e308, TRUE, TRUE, FALSE, false, 0, ""},
             ExchangeCase{u"1e400", -1e308, 1e308, TRUE, TRUE, FALSE, false, 0, ""},
             ExchangeCase{u"12.5", 0, 100, TRUE, TRUE, TRUE, true, 12.5, nullptr},
         }) {
        app.texts.clear();
        dialog.lo = c.lo;
        dialog.hi = c.hi;
        dialog.minIn = c.minIn;
        dialog.maxIn = c.maxIn;
        dialog.allowUnchanged = c.allowUnchanged;
        dialog.value = 42.0;
        dialog.UpdateData(FALSE);
        Type(c.text);
        const BOOL ok = dialog.UpdateData(TRUE);
        EXPECT_EQ(ok != FALSE, c.accepted) << QString::fromUtf16(c.text).toStdString();
        if (c.accepted) {
            EXPECT_EQ(dialog.value, c.stored) << QString::fromUtf16(c.text).toStdString();
            EXPECT_TRUE(app.texts.empty());
        } else {
            EXPECT_EQ(dialog.value, 42.0) << "a refusal leaves the member";
            ASSERT_EQ(app.texts.size(), 1u) << QString::fromUtf16(c.text).toStdString();
            EXPECT_TRUE(app.texts[0].startsWith(QString::fromUtf8(c.message))) << app.texts[0].toStdString();
        }
    }
}

TEST_F(DoubleEdit, AnUntouchedFieldIsNotReadAgain)
{
    dialog.edit.m_nLengthPrecision = 2;
    dialog.value = 1.23456;
    dialog.UpdateData(FALSE);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.value, 1.23456);
    // The marker with allowUnchanged shows as an empty field and comes back unchanged.
    dialog.allowUnchanged = TRUE;
    dialog.value = DBL_MAX;
    dialog.UpdateData(FALSE);
    CString text;
    dialog.edit.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.value, DBL_MAX);
}

TEST_F(DoubleEdit, UnsignedFieldsDoNotWrapAndKeepMinusOneAsTheMarker)
{
    dialog.kind = NumberDialog::kUInt;
    dialog.lo = 0;
    dialog.hi = 1000;
    struct Case {
        const char16_t* text;
        BOOL allowUnchanged;
        bool accepted;
        UINT stored;
    };
    for (const Case& c : {Case{u"5", FALSE, true, 5u}, Case{u"4294967297", FALSE, false, 0},
                          Case{u"-1", TRUE, true, 0xFFFFFFFFu}, Case{u"-1", FALSE, false, 0},
                          Case{u"-2", TRUE, false, 0}, Case{u"", TRUE, true, 0xFFFFFFFFu},
                          Case{u"1001", FALSE, false, 0}}) {
        app.texts.clear();
        dialog.allowUnchanged = c.allowUnchanged;
        dialog.uintValue = 7;
        dialog.UpdateData(FALSE);
        Type(c.text);
        EXPECT_EQ(dialog.UpdateData(TRUE) != FALSE, c.accepted) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(dialog.uintValue, c.accepted ? c.stored : 7u) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST_F(DoubleEdit, FloatFieldsUseTheirOwnMarker)
{
    dialog.kind = NumberDialog::kFloat;
    dialog.allowUnchanged = TRUE;
    dialog.floatValue = FLT_MAX;
    dialog.UpdateData(FALSE);
    EXPECT_TRUE(dialog.edit.IsUnchanged());
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.floatValue, FLT_MAX);
    Type(u"2.5");
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.floatValue, 2.5f);
}

}  // namespace
