#include "structure/CDrawComponentCommandListCtrl.h"

#include "libs/vevure/Draw2dDocument.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/win/CEdit.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CDrawComponentCommandListCtrl, CDrawComponentListCtrl)

BEGIN_MESSAGE_MAP(CDrawComponentCommandListCtrl, CDrawComponentListCtrl)
    ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDIT, &CDrawComponentCommandListCtrl::OnEndLabelEdit)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CDrawComponentCommandListCtrl::CDrawComponentCommandListCtrl() = default;

CDrawComponentCommandListCtrl::~CDrawComponentCommandListCtrl() = default;

BOOL CDrawComponentCommandListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CDrawComponentListCtrl::Create(dwStyle | LVS_EDITLABELS, rect, pParentWnd, nID);
}

BOOL CDrawComponentCommandListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pDisp = reinterpret_cast<const NMLVDISPINFO*>(pNMHDR);
    *pResult = 0;
    const DrawComponentInfo* pInfo = GetInfo(pDisp->item.iItem);
    if (pInfo == nullptr || m_pDocument == nullptr || pDisp->item.pszText == nullptr)
        return FALSE;
    // The list shows the new name when the document reports it; a refused name leaves the old one.
    m_pDocument->BeginUndoOperation(nullptr);
    const BOOL bDone = m_pDocument->SetDrawComponentDefineName(pInfo->nComponentID, CString(pDisp->item.pszText));
    m_pDocument->EndUndoOperation();
    *pResult = bDone;
    return FALSE;
}

BOOL CDrawComponentCommandListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        CEdit* pEdit = GetEditControl();
        if (pEdit != nullptr && pEdit->GetSafeHwnd() != nullptr) {
            if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_DELETE || pMsg->wParam == VK_ESCAPE ||
                (::GetKeyState(VK_CONTROL) & 0x8000)) {
                pEdit->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
                return TRUE;
            }
        } else if (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_F2) {
            if (CWnd* pParent = GetParent())
                pParent->PostMessage(WM_COMMAND, pMsg->wParam == VK_DELETE ? kDeleteCommand : kRenameCommand, 0);
            return TRUE;
        }
    }
    return CDrawComponentListCtrl::PreTranslateMessage(pMsg);
}

void CDrawComponentCommandListCtrl::OnContextMenu(CWnd*, CPoint point)
{
    CPoint local = point;
    ScreenToClient(&local);
    if (HitTest(local) < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(kContextMenu))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(0)) {
        auto* pMenu = new CBCGPPopupMenu;
        pMenu->Create(GetParent(), point.x, point.y, pPopup->GetSafeHmenu(), FALSE, TRUE);
    }
    menu.DestroyMenu();
}
