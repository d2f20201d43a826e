#include "controls/CQZ2EditComboBox.h"

#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CQZ2EditComboBox, CFlatComboBox)

BEGIN_MESSAGE_MAP(CQZ2EditComboBox, CFlatComboBox)
    ON_MESSAGE(CQZ2ComboEdit::kEnterMessage, &CQZ2EditComboBox::OnEditEnter)
    ON_MESSAGE(CQZ2ComboEdit::kCancelMessage, &CQZ2EditComboBox::OnEditCancel)
END_MESSAGE_MAP()

CQZ2EditComboBox::CQZ2EditComboBox() = default;
CQZ2EditComboBox::~CQZ2EditComboBox() = default;

BOOL CQZ2EditComboBox::IsEditable() const
{
    const DWORD kind = GetStyle() & 3;
    return kind == CBS_DROPDOWN || kind == CBS_SIMPLE;
}

BOOL CQZ2EditComboBox::PreTranslateMessage(MSG* pMsg)
{
    // The edit inside the combo is the combo's own widget here: its keys arrive at the combo's window.
    if (GetSafeHwnd() != nullptr && pMsg->hwnd == m_hWnd && IsEditable() && pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return m_edit.TranslateKey(pMsg, this);
    return CFlatComboBox::PreTranslateMessage(pMsg);
}

void CQZ2EditComboBox::OnKillFocusReflect()
{
    if (IsEditable() && m_edit.IsKillFocusNotify())
        SendMessage(CQZ2ComboEdit::kCancelMessage, 0, 0);
}

LRESULT CQZ2EditComboBox::NotifyOwnerCode(UINT nCode)
{
    CWnd* pTarget = GetNotifyTarget();
    if (pTarget == nullptr || GetSafeHwnd() == nullptr)
        return 0;
    NMHDR hdr{};
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hdr.code = nCode;
    return pTarget->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&hdr));
}

LRESULT CQZ2EditComboBox::OnEditEnter(WPARAM, LPARAM)
{
    if (NotifyOwnerCode(CQZ2ComboEdit::kEnterMessage) != 0)
        SetEditSel(0, -1);
    return 0;
}

LRESULT CQZ2EditComboBox::OnEditCancel(WPARAM, LPARAM)
{
    NotifyOwnerCode(CQZ2ComboEdit::kCancelMessage);
    return 0;
}
