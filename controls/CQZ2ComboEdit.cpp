#include "controls/CQZ2ComboEdit.h"

#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CQZ2ComboEdit, CEdit)

BEGIN_MESSAGE_MAP(CQZ2ComboEdit, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CQZ2ComboEdit::CQZ2ComboEdit() = default;
CQZ2ComboEdit::~CQZ2ComboEdit() = default;

BOOL CQZ2ComboEdit::TranslateKey(const MSG* pMsg, CWnd* pCombo)
{
    if (pMsg == nullptr || pCombo == nullptr || pMsg->message != WM_KEYDOWN)
        return FALSE;
    if (pMsg->wParam == VK_RETURN)
        pCombo->SendMessage(kEnterMessage, 0, 0);
    else if (pMsg->wParam == VK_ESCAPE)
        pCombo->SendMessage(kCancelMessage, 0, 0);
    return FALSE;
}

BOOL CQZ2ComboEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TranslateKey(pMsg, GetParent());
    return CEdit::PreTranslateMessage(pMsg);
}

void CQZ2ComboEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    if (m_bNotifyKillFocus && GetParent() != nullptr)
        GetParent()->SendMessage(kCancelMessage, 0, 0);
}
