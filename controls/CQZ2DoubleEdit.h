#pragma once
// A numeric edit: a double shown in the active document's length or angle notation (or as a plain
// number), an empty field for "unchanged" (several objects with different values), a modified flag for
// typed text, and a spin step that follows the last shown digit and moves up a digit while the spin
// button is held. The owning dialog forwards its spin button's UDN_DELTAPOS to OnDeltaPos.

#include <cfloat>

#include "controls/CQZ2Edit.h"

struct NMUPDOWN;

class CQZ2DoubleEdit : public CQZ2Edit
{
    DECLARE_DYNAMIC(CQZ2DoubleEdit)
public:
    static constexpr double kUnchangedDouble = DBL_MAX;
    static constexpr double kUnchangedFloat = FLT_MAX;

    CQZ2DoubleEdit();
    ~CQZ2DoubleEdit() override;

    // 0-2 lengths, 3 angle, 4 a number with 2 decimals, 5-7 whole numbers, 8 a single-precision length.
    void SetValueKind(int nKind);
    int GetValueKind() const { return m_nValueKind; }
    // FALSE, nothing changed, when the value cannot be written.
    BOOL SetValue(double value);
    double GetValue() const { return m_dValue; }
    BOOL FormatValue(double value, CString& text, int nFlag) const;
    void SetUnchanged();
    BOOL IsUnchanged() const;
    BOOL IsModified() const { return m_bModified; }
    // The spin button's notification; the dialog sets the notification's result itself.
    void OnDeltaPos(NMUPDOWN* pNotify);
    void ComputeSpinStep(int nLevel);
    BOOL CanAccelerate() const;
    double GetSpinStep() const { return m_dSpinStep; }
    int GetAccelerationLevel() const { return m_nAccelerationLevel; }
    // The dialog that owns the edit reads its fields (UpdateData TRUE); TRUE without one.
    BOOL UpdateParentData();

    // Set by the owning dialog: -1 is the document's current notation.
    BOOL m_bAllowNegative = FALSE;
    int m_nLengthUnitFormat = -1;
    int m_nLengthPrecision = -1;
    int m_nAngleUnitFormat = -1;
    int m_nAnglePrecision = -1;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnChangeReflect();
    DECLARE_MESSAGE_MAP()

private:
    // The step of length format 3: one unit of the shown mantissa's last digit.
    double ExponentStep(int nPrecision) const;
    int LengthFormat() const;
    int LengthPrecision() const;
    int AngleFormat() const;
    int AnglePrecision() const;

    double m_dValue = 0.0;
    int m_nValueKind = -1;
    BOOL m_bModified = FALSE;
    double m_dSpinStep = 1.0;
    int m_nAcceleratedCount = 0;
    int m_nAccelerationLevel = 1;
};
