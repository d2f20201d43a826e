#include "controls/CQZ2Edit.h"

#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CQZ2Edit, CEdit)

CQZ2Edit::CQZ2Edit() = default;
CQZ2Edit::~CQZ2Edit() = default;

UINT CQZ2Edit::ChordMessage(UINT nKey, BOOL bCtrl, BOOL bShift, BOOL bAlt)
{
    if (bCtrl) {
        switch (nKey) {
        case 'X': return WM_CUT;
        case 'C':
        case VK_INSERT: return WM_COPY;
        case 'V': return WM_PASTE;
        case 'Z': return EM_UNDO;
        default: return 0;
        }
    }
    if (bShift) {
        switch (nKey) {
        case VK_DELETE: return WM_CUT;
        case VK_INSERT: return WM_PASTE;
        default: return 0;
        }
    }
    if (bAlt && nKey == VK_BACK)
        return EM_UNDO;
    return 0;
}

BOOL CQZ2Edit::PreTranslateMessage(MSG* pMsg)
{
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && pMsg->hwnd == m_hWnd) {
        const BOOL bCtrl = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
        const BOOL bShift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
        // Alt+Backspace arrives as a system key.
        const BOOL bAlt = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0 || pMsg->message == WM_SYSKEYDOWN;
        if (pMsg->message == WM_SYSKEYDOWN && !(bAlt && pMsg->wParam == VK_BACK))
            return CEdit::PreTranslateMessage(pMsg);
        if (const UINT message = ChordMessage(static_cast<UINT>(pMsg->wParam), bCtrl, bShift, bAlt)) {
            SendMessage(message, 0, 0);
            return TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}
