#include "controls/CAngularSnapToolbarComboBoxButton.h"

#include "controls/CSnapAngleEditCombo.h"
#include "controls/ControlsServices.h"
#include "controls/SnapAngleText.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_SERIAL(CAngularSnapToolbarComboBoxButton, CQZ2ToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CAngularSnapToolbarComboBoxButton::CAngularSnapToolbarComboBoxButton()
    : CQZ2ToolbarComboBoxButton(kCommandId, -1, CBS_DROPDOWN, 75)
{
    FillPresets();
}

CAngularSnapToolbarComboBoxButton::~CAngularSnapToolbarComboBoxButton() = default;

void CAngularSnapToolbarComboBoxButton::FillPresets()
{
    RemoveAllItems();
    for (int preset : SnapAngleText::kPresets)
        AddItem(SnapAngleText::Format(preset), static_cast<DWORD_PTR>(preset));
}

void CAngularSnapToolbarComboBoxButton::SetAngleText(double degrees)
{
    if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr)
        return;
    for (int i = 0; i < GetCount(); ++i) {
        if (static_cast<double>(GetItemData(i)) == degrees) {
            SelectItem(i);
            return;
        }
    }
    const CString text = SnapAngleText::Format(degrees);
    if (text.IsEmpty())
        return;
    // No preset row stays selected under a typed angle.
    SelectItem(-1);
    SetText(text);
    m_pWndCombo->Invalidate(TRUE);
}

void CAngularSnapToolbarComboBoxButton::ShowCurrentAngle()
{
    double degrees = 0.0;
    if (ControlsServices::GetSnapAngle(degrees))
        SetAngleText(degrees);
}

BOOL CAngularSnapToolbarComboBoxButton::IsUpdateNeeded(const NotifyInfoBase* pInfo)
{
    return pInfo != nullptr && (pInfo->GetKind() == NotifyInfoBase::kindDocument ||
                                pInfo->GetKind() == NotifyInfoBase::kindDocumentSetting);
}

void CAngularSnapToolbarComboBoxButton::OnNotify(const NotifyInfoBase* pInfo)
{
    if (!IsUpdateNeeded(pInfo))
        return;
    // The presets are written in the active document's angle notation.
    FillPresets();
    ShowCurrentAngle();
}

void CAngularSnapToolbarComboBoxButton::FocusDrawing()
{
    if (CWnd* pTarget = ControlsServices::GetFocusTarget())
        if (pTarget->GetSafeHwnd() != nullptr)
            pTarget->SetFocus();
}

BOOL CAngularSnapToolbarComboBoxButton::NotifyCommand(int iNotifyCode)
{
    BOOL result = CQZ2ToolbarComboBoxButton::NotifyCommand(iNotifyCode);
    if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr)
        return result;
    switch (iNotifyCode) {
    case 0: {
        CString text;
        m_pWndCombo->GetWindowText(text);
        double degrees = 0.0;
        if (SnapAngleText::Parse(text, degrees) && ControlsServices::SetSnapAngle(degrees))
            result = TRUE;
        FocusDrawing();
        break;
    }
    case CBN_KILLFOCUS:
        ShowCurrentAngle();
        result = TRUE;
        break;
    case CBN_SELENDOK: {
        const int selected = m_pWndCombo->GetCurSel();
        if (selected >= 0) {
            ControlsServices::SetSnapAngle(static_cast<double>(m_pWndCombo->GetItemData(selected)));
            result = TRUE;
        }
        FocusDrawing();
        break;
    }
    default:
        break;
    }
    return result;
}

CComboBox* CAngularSnapToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CSnapAngleEditCombo(this);
    if (!pCombo->Create(m_dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}

void CAngularSnapToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CQZ2ToolbarComboBoxButton::OnChangeParentWnd(pWndParent);
    ShowCurrentAngle();
}
