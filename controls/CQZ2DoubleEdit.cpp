#include "controls/CQZ2DoubleEdit.h"

#include <cmath>

#include "controls/ControlsServices.h"
#include "libs/vevure/NumericCharConverter.h"
#include "platform/win/CDialog.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CQZ2DoubleEdit, CQZ2Edit)

BEGIN_MESSAGE_MAP(CQZ2DoubleEdit, CQZ2Edit)
    ON_WM_CREATE()
    ON_CONTROL_REFLECT_EX(EN_CHANGE, &CQZ2DoubleEdit::OnChangeReflect)
END_MESSAGE_MAP()

CQZ2DoubleEdit::CQZ2DoubleEdit() = default;
CQZ2DoubleEdit::~CQZ2DoubleEdit() = default;

int CQZ2DoubleEdit::LengthFormat() const
{
    return m_nLengthUnitFormat >= 0 ? m_nLengthUnitFormat : ControlsServices::GetLengthFormat();
}
int CQZ2DoubleEdit::LengthPrecision() const
{
    return m_nLengthPrecision >= 0 ? m_nLengthPrecision : ControlsServices::GetDistPrecision();
}
int CQZ2DoubleEdit::AngleFormat() const
{
    return m_nAngleUnitFormat >= 0 ? m_nAngleUnitFormat : ControlsServices::GetAngleFormat();
}
int CQZ2DoubleEdit::AnglePrecision() const
{
    return m_nAnglePrecision >= 0 ? m_nAnglePrecision : ControlsServices::GetAnglePrecision();
}

int CQZ2DoubleEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CQZ2Edit::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyle(0, WS_CLIPCHILDREN);
    return 0;
}

BOOL CQZ2DoubleEdit::OnChangeReflect()
{
    m_bModified = TRUE;
    return TRUE;  // the parent does not hear it
}

void CQZ2DoubleEdit::SetValueKind(int nKind)
{
    m_nValueKind = nKind;
    ComputeSpinStep(1);
}

BOOL CQZ2DoubleEdit::FormatValue(double value, CString& text, int nFlag) const
{
    switch (m_nValueKind) {
    case 3: {
        if (!ControlsServices::AngleToString(value, text, m_nAngleUnitFormat, m_nAnglePrecision, CString(), nFlag))
            return FALSE;
        if (AngleFormat() == 0)
            text += ControlsServices::LoadString(11580);
        return TRUE;
    }
    case 5:
    case 6:
    case 7: return ControlsServices::DoubleToString(value, text, 0, 0, nFlag);
    case 4: return ControlsServices::DoubleToString(value, text, 0, 2, nFlag);
    default: return ControlsServices::DoubleToString(value, text, m_nLengthUnitFormat, m_nLengthPrecision, nFlag);
    }
}

BOOL CQZ2DoubleEdit::SetValue(double value)
{
    CString text;
    if (!FormatValue(value, text, -1))
        return FALSE;
    if (GetSafeHwnd() != nullptr)
        SetWindowText(text);
    m_dValue = value;
    m_bModified = FALSE;
    return TRUE;
}

void CQZ2DoubleEdit::SetUnchanged()
{
    m_dValue = m_nValueKind == 8 ? kUnchangedFloat : kUnchangedDouble;
    if (GetSafeHwnd() != nullptr)
        SetWindowText(u"");
    m_bModified = TRUE;
}

BOOL CQZ2DoubleEdit::IsUnchanged() const
{
    if (GetSafeHwnd() != nullptr && GetWindowTextLength() > 0)
        return FALSE;
    return m_dValue == kUnchangedDouble || (m_nValueKind == 8 && m_dValue == kUnchangedFloat);
}

double CQZ2DoubleEdit::ExponentStep(int nPrecision) const
{
    const double base = std::pow(10.0, -nPrecision);
    CString text;
    if (!NumericCharConverter::DoubleToString(m_dValue, text, 3, nPrecision, 1))
        return base;
    const int e = text.Find(u'E');
    if (e < 0 || text.GetLength() < 2)
        return base;
    CString rest = text.Mid(e + 1);
    CString digits;
    int i = 0;
    if (!rest.IsEmpty() && rest[0] == u'+')
        i = 1;
    else if (!rest.IsEmpty() && rest[0] == u'-') {
        digits += u'-';
        i = 1;
    }
    while (i < rest.GetLength() && rest[i] == u'0')
        ++i;
    digits += rest.Mid(i);
    if (digits.IsEmpty() || digits == CString(u"-"))
        return base;
    double exponent = 0.0;
    if (!NumericCharConverter::StringToDouble(digits, exponent, nullptr, 0) || !std::isfinite(exponent))
        return base;
    return std::pow(10.0, exponent - nPrecision);
}

void CQZ2DoubleEdit::ComputeSpinStep(int nLevel)
{
    const auto unit = [](int p, int level) { return std::pow(10.0, -(p - level + 1)); };
    if (m_nValueKind == 3) {
        const int f = AngleFormat();
        const int p = AnglePrecision();
        switch (f) {
        case 1:
            if (p <= 0)
                m_dSpinStep = 1.0;
            else if (p == 1)
                m_dSpinStep = 1.0 / 60.0;
            else
                m_dSpinStep = std::pow(10.0, -(p - 2)) / 3600.0;
            break;
        case 2: m_dSpinStep = unit(p, nLevel) * 57.29577951308232; break;
        case 3: m_dSpinStep = unit(p, nLevel) * 0.9; break;
        default: m_dSpinStep = unit(p, nLevel); break;
        }
        return;
    }
    if (m_nValueKind >= 0 && m_nValueKind <= 2) {
        const int f = LengthFormat();
        const int p = LengthPrecision();
        switch (f) {
        case 1:
        case 4: m_dSpinStep = 1.0 / std::pow(2.0, p); break;
        case 2: m_dSpinStep = std::pow(10.0, -p); break;
        case 3: m_dSpinStep = ExponentStep(p); break;
        default: m_dSpinStep = unit(p, nLevel); break;
        }
        return;
    }
    m_dSpinStep = m_nLengthPrecision == -1 ? 1.0 : unit(m_nLengthPrecision, nLevel);
}

BOOL CQZ2DoubleEdit::CanAccelerate() const
{
    CString text;
    if (!FormatValue(m_dValue, text, 1))
        return FALSE;
    if (!text.IsEmpty()) {
        const CString degree = ControlsServices::LoadString(11580);
        const CString last = text.Right(1);
        if ((!degree.IsEmpty() && text.Right(degree.GetLength()) == degree))
            text = text.Left(text.GetLength() - degree.GetLength());
        else if (last == CString(u"g") || last == CString(u"r"))
            text = text.Left(text.GetLength() - 1);
    }
    if (m_nValueKind == 3 && AngleFormat() == 1)
        return FALSE;
    if (m_nValueKind >= 0 && m_nValueKind <= 2 && LengthFormat() != 0)
        return FALSE;
    const int L = m_nAccelerationLevel;
    const int n = text.GetLength();
    const int d = text.Find(u'.');
    if ((d < 0 && n <= L) || (d >= 0 && n <= L + 1))
        return FALSE;
    int i = n - L;
    if (d >= 0 && i <= d)
        --i;
    if (i < 0 || i >= n)
        return FALSE;
    return text[i] == u'0';
}

BOOL CQZ2DoubleEdit::UpdateParentData()
{
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CDialog)))
        return pOwner->UpdateData(TRUE);
    return TRUE;
}

void CQZ2DoubleEdit::OnDeltaPos(NMUPDOWN* pNotify)
{
    if (pNotify == nullptr)
        return;
    CString text;
    if (GetSafeHwnd() != nullptr)
        GetWindowText(text);
    if (text.IsEmpty())
        m_dValue = 0.0;
    // A typed text is read back first, whatever the stored value (also over a stored 0).
    bool bReread = false;
    if (m_bModified && !text.IsEmpty()) {
        if (!UpdateParentData())
            return;
        m_bModified = FALSE;
        bReread = true;
    }
    const double base = m_dValue;
    if (pNotify->iDelta == 1 || pNotify->iDelta == -1) {
        m_nAcceleratedCount = 0;
        m_nAccelerationLevel = 1;
        ComputeSpinStep(1);
    } else if (++m_nAcceleratedCount >= 8 && CanAccelerate()) {
        ++m_nAccelerationLevel;
        ComputeSpinStep(m_nAccelerationLevel);
        m_nAcceleratedCount = 0;
    }
    if (m_nValueKind != 3 && LengthFormat() == 3)
        ComputeSpinStep(m_nAccelerationLevel);
    double value = pNotify->iDelta < 0 ? base + m_dSpinStep : base - m_dSpinStep;
    if (!m_bAllowNegative && value < 0.0)
        value = 0.0;
    SetValue(value);
    if (bReread)
        m_bModified = TRUE;
}
