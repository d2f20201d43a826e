#include "controls/DoubleEditExchange.h"

#include <cfloat>
#include <cmath>

#include "controls/CQZ2DoubleEdit.h"
#include "controls/ControlsServices.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

const CString kMarkerText(u"\\n");

CQZ2DoubleEdit* DoubleEditOf(CDataExchange* pDX, int nIDC, HWND hWnd)
{
    (void)nIDC;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CQZ2DoubleEdit)) ? static_cast<CQZ2DoubleEdit*>(pWnd)
                                                                             : nullptr;
}

[[noreturn]] void FailWith(CDataExchange* pDX, const CString& text)
{
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

[[noreturn]] void FailPrompt(CDataExchange* pDX, UINT nPrompt)
{
    AfxMessageBox(AfxDataExchangePrompt(nPrompt), MB_OK | MB_ICONEXCLAMATION, nPrompt);
    pDX->Fail();
}

CString LimitText(double limit, int digits)
{
    CString text;
    text.Format(u"%.*g", digits, limit);
    return text;
}

bool InRange(double value, double lo, double hi, BOOL bMinInclusive, BOOL bMaxInclusive)
{
    const bool aboveMin = bMinInclusive ? value >= lo : value > lo;
    const bool belowMax = bMaxInclusive ? value <= hi : value < hi;
    return aboveMin && belowMax;
}

// The common shape of the double and float exchanges; digits of the limit texts, marker and whether the
// edit's own notation writes the limits.
void ExchangeReal(CDataExchange* pDX, int nIDC, double& member, double marker, double lo, double hi,
                  BOOL bMinInclusive, BOOL bMaxInclusive, BOOL bAllowUnchanged, int digits, bool bOwnNotation)
{
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    CQZ2DoubleEdit* pEdit = DoubleEditOf(pDX, nIDC, hWnd);
    if (pDX->m_bSaveAndValidate) {
        // The member changes only when the whole value is accepted.
        double value = member;
        if (pEdit != nullptr) {
            // An emptied field means "unchanged" as much as one shown empty.
            if (bAllowUnchanged && (pEdit->IsUnchanged() || pEdit->GetWindowTextLength() == 0)) {
                value = marker;
            } else {
                double result = 0.0;
                if (!ExchangeDoubleEditValue(TRUE, pEdit, &result, value))
                    FailPrompt(pDX, AFX_IDP_PARSE_REAL);
                value = result;
            }
        } else {
            CString text;
            if (CWnd* pWnd = CWnd::FromHandle(hWnd))
                pWnd->GetWindowText(text);
            if (bAllowUnchanged && text.IsEmpty())
                value = marker;
            else
                DDX_Text(pDX, nIDC, value);
        }
        if (bAllowUnchanged && value == marker) {
            member = value;
            return;
        }
        if (!std::isfinite(value))
            FailPrompt(pDX, AFX_IDP_PARSE_REAL);
        if (!InRange(value, lo, hi, bMinInclusive, bMaxInclusive)) {
            CString loText, hiText;
            const int kind = pEdit != nullptr ? pEdit->GetValueKind() : -1;
            const bool bNotation =
                bOwnNotation && pEdit != nullptr &&
                (((kind >= 0 && kind <= 2) &&
                  (ControlsServices::GetLengthFormat() == 1 || ControlsServices::GetLengthFormat() == 2)) ||
                 (kind == 3 && ControlsServices::GetAngleFormat() == 1));
            if (!bNotation || !pEdit->FormatValue(lo, loText, -1) || !pEdit->FormatValue(hi, hiText, -1)) {
                loText = LimitText(lo, digits);
                hiText = LimitText(hi, digits);
            }
            FailWith(pDX, DoubleEditRangeMessage(loText, hiText, bMinInclusive, bMaxInclusive));
        }
        member = value;
        return;
    }
    double& value = member;
    if (pEdit != nullptr) {
        if (bAllowUnchanged && value == marker)
            pEdit->SetUnchanged();
        else
            ExchangeDoubleEditValue(FALSE, pEdit, nullptr, value);
    } else if (bAllowUnchanged && value == marker) {
        if (CWnd* pWnd = CWnd::FromHandle(hWnd))
            pWnd->SetWindowText(u"");
    } else {
        DDX_Text(pDX, nIDC, value);
    }
}

}  // namespace

CString DoubleEditRangeMessage(const CString& minText, const CString& maxText, BOOL bMinInclusive, BOOL bMaxInclusive)
{
    const UINT id = bMinInclusive ? (bMaxInclusive ? 10124 : 10126) : (bMaxInclusive ? 10127 : 10125);
    CString text = ControlsServices::LoadString(id);
    text.Replace(u"%1", minText);
    text.Replace(u"%2", maxText);
    return text;
}

BOOL ExchangeDoubleEditValue(BOOL bSave, CQZ2DoubleEdit* pEdit, double* pResult, double value)
{
    if (pEdit == nullptr)
        return FALSE;
    if (!bSave) {
        pEdit->SetValue(value);
        return TRUE;
    }
    if (pEdit->IsModified()) {
        CString text;
        pEdit->GetWindowText(text);
        double parsed = 0.0;
        if (!ControlsServices::StringToDouble(text, parsed) || !std::isfinite(parsed))
            return FALSE;
        pEdit->SetValue(parsed);
    }
    if (pResult != nullptr)
        *pResult = pEdit->GetValue();
    return TRUE;
}

void DDX_DoubleEditDouble(CDataExchange* pDX, int nIDC, double& value, double minValue, double maxValue,
                          BOOL bMinInclusive, BOOL bMaxInclusive, BOOL bAllowUnchanged)
{
    ExchangeReal(pDX, nIDC, value, CQZ2DoubleEdit::kUnchangedDouble, minValue, maxValue, bMinInclusive, bMaxInclusive,
                 bAllowUnchanged, 15, true);
}

void DDX_DoubleEditFloat(CDataExchange* pDX, int nIDC, float& value, float minValue, float maxValue,
                         BOOL bMinInclusive, BOOL bMaxInclusive, BOOL bAllowUnchanged)
{
    double wide = value == FLT_MAX ? CQZ2DoubleEdit::kUnchangedFloat : static_cast<double>(value);
    ExchangeReal(pDX, nIDC, wide, CQZ2DoubleEdit::kUnchangedFloat, minValue, maxValue, bMinInclusive, bMaxInclusive,
                 bAllowUnchanged, 6, false);
    if (pDX->m_bSaveAndValidate) {
        // Beyond a float: refused like any value outside the limits.
        if (!(bAllowUnchanged && wide == CQZ2DoubleEdit::kUnchangedFloat) && std::fabs(wide) > FLT_MAX)
            FailPrompt(pDX, AFX_IDP_PARSE_REAL);
        value = static_cast<float>(wide);
    }
}

void DDX_DoubleEditUInt(CDataExchange* pDX, int nIDC, UINT& member, UINT minValue, UINT maxValue, BOOL bAllowUnchanged)
{
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    CQZ2DoubleEdit* pEdit = DoubleEditOf(pDX, nIDC, hWnd);
    if (pDX->m_bSaveAndValidate) {
        UINT value = member;
        if (pEdit != nullptr) {
            if (bAllowUnchanged && (pEdit->IsUnchanged() || pEdit->GetWindowTextLength() == 0)) {
                value = 0xFFFFFFFFu;
            } else {
                double result = 0.0;
                if (!ExchangeDoubleEditValue(TRUE, pEdit, &result, static_cast<double>(value)))
                    FailPrompt(pDX, AFX_IDP_PARSE_UINT);
                const double whole = std::trunc(result);
                // -1 stays the marker of an unchanged field; nothing else wraps around.
                if (bAllowUnchanged && whole == -1.0 && result > -2.0)
                    value = 0xFFFFFFFFu;
                else if (!(whole >= 0.0 && whole <= 4294967295.0))
                    FailPrompt(pDX, AFX_IDP_PARSE_UINT);
                else
                    value = static_cast<UINT>(whole);
            }
        } else {
            CString text;
            if (CWnd* pWnd = CWnd::FromHandle(hWnd))
                pWnd->GetWindowText(text);
            if (bAllowUnchanged && text.IsEmpty())
                value = 0xFFFFFFFFu;
            else
                DDX_Text(pDX, nIDC, value);
        }
        if (!(bAllowUnchanged && value == 0xFFFFFFFFu))
            DDV_MinMaxUInt(pDX, value, minValue, maxValue);
        member = value;
        return;
    }
    UINT& value = member;
    if (pEdit != nullptr) {
        if (bAllowUnchanged && value == 0xFFFFFFFFu)
            pEdit->SetUnchanged();
        else
            ExchangeDoubleEditValue(FALSE, pEdit, nullptr, static_cast<double>(value));
    } else if (bAllowUnchanged && value == 0xFFFFFFFFu) {
        if (CWnd* pWnd = CWnd::FromHandle(hWnd))
            pWnd->SetWindowText(u"");
    } else {
        DDX_Text(pDX, nIDC, value);
    }
}

void DDX_CBStringDefault(CDataExchange* pDX, int nIDC, CString& value, int nMaxChars, BOOL bAllowUnchanged,
                         BOOL bMarkerOff)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    if (pDX->m_bSaveAndValidate) {
        CString text;
        if (pWnd != nullptr)
            pWnd->GetWindowText(text);
        if (text.IsEmpty() && bAllowUnchanged && !bMarkerOff)
            value = kMarkerText;
        else
            DDX_CBString(pDX, nIDC, value);
        DDV_MaxChars(pDX, value, nMaxChars);
        return;
    }
    if (value == kMarkerText && bAllowUnchanged && !bMarkerOff)
        value.Empty();
    // An empty text selects nothing: a prefix search would pick the first entry.
    if (pWnd != nullptr) {
        if (value.IsEmpty()) {
            pWnd->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            pWnd->SetWindowText(u"");
        } else if (pWnd->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(
                                                                                 static_cast<LPCTSTR>(value))) ==
                   CB_ERR) {
            pWnd->SetWindowText(value);
        }
    }
    DDV_MaxChars(pDX, value, nMaxChars);
}
