#include "controls/CFlatComboBox.h"

#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CFlatComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CFlatComboBox, CComboBox)
    ON_CONTROL_REFLECT(CBN_SETFOCUS, &CFlatComboBox::OnSetFocusReflect)
    ON_CONTROL_REFLECT(CBN_KILLFOCUS, &CFlatComboBox::OnKillFocusReflect)
END_MESSAGE_MAP()

CFlatComboBox::CFlatComboBox() = default;
CFlatComboBox::~CFlatComboBox() = default;

void CFlatComboBox::OnSetFocusReflect()
{
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void CFlatComboBox::OnKillFocusReflect() {}

CWnd* CFlatComboBox::GetNotifyTarget() const
{
    CWnd* pTarget = GetOwner();
    return pTarget != nullptr ? pTarget : GetParent();
}

void CFlatComboBox::NotifyOwner(UINT nCode)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (CWnd* pTarget = GetNotifyTarget())
        pTarget->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), reinterpret_cast<LPARAM>(m_hWnd));
}
