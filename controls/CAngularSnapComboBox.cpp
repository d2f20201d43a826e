#include "controls/CAngularSnapComboBox.h"

#include <cmath>

#include "controls/SnapAngleText.h"
#include "libs/ruva/RuVa.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CAngularSnapComboBox, CQZ2EditComboBox)

BEGIN_MESSAGE_MAP(CAngularSnapComboBox, CQZ2EditComboBox)
    ON_WM_CREATE()
    ON_CONTROL_REFLECT_EX(CBN_SELENDOK, &CAngularSnapComboBox::OnSelEndOk)
    ON_MESSAGE(CQZ2ComboEdit::kEnterMessage, &CAngularSnapComboBox::OnEnter)
    ON_MESSAGE(CQZ2ComboEdit::kCancelMessage, &CAngularSnapComboBox::OnEscape)
END_MESSAGE_MAP()

CAngularSnapComboBox::CAngularSnapComboBox() = default;
CAngularSnapComboBox::~CAngularSnapComboBox() = default;

int CAngularSnapComboBox::SetAngle(double degrees)
{
    if (!std::isfinite(degrees))
        return 1;
    const double angle = RuVa::CorrectAngle(degrees);
    if (angle == 0.0 || angle == m_dAngle)
        return 1;
    m_dAngle = angle;
    ShowAngle();
    return 1;
}

double CAngularSnapComboBox::GetAngle()
{
    ReadAngle();
    return m_dAngle;
}

void CAngularSnapComboBox::FillPresetAngles()
{
    if (GetSafeHwnd() == nullptr)
        return;
    ResetContent();
    for (int preset : SnapAngleText::kPresets) {
        const int at = AddString(SnapAngleText::Format(preset));
        if (at >= 0)
            SetItemData(at, static_cast<DWORD_PTR>(preset));
    }
    ShowAngle();
}

int CAngularSnapComboBox::ReadAngle()
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    const int selected = GetCurSel();
    CString text;
    GetWindowText(text);
    // A selected entry counts only while the field still shows it (typing keeps the selection here).
    CString entry;
    if (selected >= 0)
        GetLBText(selected, entry);
    if (selected >= 0 && entry == text) {
        m_dAngle = static_cast<double>(GetItemData(selected));
        return 1;
    }
    // The stored angle as shown: not read back, so that the display's rounding does not change it.
    if (text == SnapAngleText::Format(m_dAngle))
        return 1;
    double angle = 0.0;
    if (!SnapAngleText::Parse(text, angle))
        return 0;
    m_dAngle = angle;
    return 1;
}

void CAngularSnapComboBox::ShowAngle()
{
    if (GetSafeHwnd() == nullptr)
        return;
    for (int i = 0; i < GetCount(); ++i) {
        if (static_cast<double>(GetItemData(i)) == m_dAngle) {
            if (GetCurSel() != i) {
                SetCurSel(i);
                return;
            }
            break;
        }
    }
    const CString text = SnapAngleText::Format(m_dAngle);
    CString shown;
    GetWindowText(shown);
    if (!text.IsEmpty() && text != shown) {
        if (GetCurSel() >= 0 && GetCurSel() < GetCount() && static_cast<double>(GetItemData(GetCurSel())) != m_dAngle)
            SetCurSel(-1);
        SetWindowText(text);
    }
}

BOOL CAngularSnapComboBox::PreTranslateMessage(MSG* pMsg) { return CQZ2EditComboBox::PreTranslateMessage(pMsg); }

void CAngularSnapComboBox::PreSubclassWindow()
{
    CQZ2EditComboBox::PreSubclassWindow();
    FillPresetAngles();
}

int CAngularSnapComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CQZ2EditComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    FillPresetAngles();
    return 0;
}

BOOL CAngularSnapComboBox::OnSelEndOk()
{
    ReadAngle();
    return FALSE;
}

LRESULT CAngularSnapComboBox::OnEnter(WPARAM wParam, LPARAM lParam)
{
    if (!ReadAngle()) {
        SetEditSel(0, -1);
        return 0;
    }
    ShowAngle();
    return OnEditEnter(wParam, lParam);
}

LRESULT CAngularSnapComboBox::OnEscape(WPARAM wParam, LPARAM lParam)
{
    ShowAngle();
    return OnEditCancel(wParam, lParam);
}
