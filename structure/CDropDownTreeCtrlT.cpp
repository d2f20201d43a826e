#include "structure/CDropDownTreeCtrlT.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinCtrlConstants.h"
#include "structure/CDrawingTreeCtrl.h"
#include "structure/CLayerTreeCtrl.h"

BEGIN_TEMPLATE_MESSAGE_MAP(CDropDownTreeCtrlT, TreeBase, TreeBase)
    ON_WM_SHOWWINDOW()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &ThisClass::OnCustomDrawReflect)
END_MESSAGE_MAP()

template <class TreeBase>
BOOL CDropDownTreeCtrlT<TreeBase>::CreatePopup(CWnd* pCombo, WORD wOptions)
{
    this->m_wOptions = wOptions;
    // No horizontal bar: it would shorten the rows' view, and the width is fitted to the labels.
    const DWORD style = WS_POPUP | WS_BORDER | TVS_NOHSCROLL | TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP |
                        TVS_SHOWSELALWAYS | GetPopupStyle();
    return this->CreateEx(0, u"SysTreeView32", nullptr, style, CRect(0, 0, 100, 100), pCombo, 0);
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::TellOwner(BOOL bPost)
{
    CWnd* pOwner = this->GetOwner();
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    if (bPost)
        pOwner->PostMessage(WM_COMMAND, m_nChoiceCommand, 0);
    else
        pOwner->SendMessage(WM_COMMAND, m_nChoiceCommand, 0);
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnShowWindow(BOOL bShow, UINT nStatus)
{
    TreeBase::OnShowWindow(bShow, nStatus);
    if (bShow)
        this->SetCapture();
    else if (::GetCapture() == this->GetSafeHwnd())
        ReleaseCapture();
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect client;
    this->GetClientRect(&client);
    if (this->IsWindowVisible() && ::GetCapture() != this->GetSafeHwnd() && client.PtInRect(point))
        this->SetCapture();
    UINT flags = 0;
    HTREEITEM hItem = this->HitTest(point, &flags);
    if (hItem != nullptr && (flags & TVHT_ONITEM) && IsItemChoosable(hItem) && this->CTreeCtrl::GetSelectedItem() != hItem)
        this->Select(hItem, TVGN_CARET);
    TreeBase::OnMouseMove(nFlags, point);
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnLButtonDown(UINT, CPoint point)
{
    CRect client;
    this->GetClientRect(&client);
    CRect window;
    this->GetWindowRect(&window);
    CPoint screen = point;
    this->ClientToScreen(&screen);
    if (!window.PtInRect(screen)) {
        // Outside: the combo closes without a choice.
        this->m_hSelectedItem = nullptr;
        TellOwner(FALSE);
        return;
    }
    UINT flags = 0;
    HTREEITEM hItem = this->HitTest(point, &flags);
    if (hItem == nullptr || !client.PtInRect(point)) {
        // On a scroll bar: the mouse is let go so that the bar takes its clicks; the tree takes the
        // mouse back as soon as it moves over the items again.
        if (!client.PtInRect(point))
            ReleaseCapture();
        return;
    }
    if (flags & TVHT_ONITEMBUTTON) {
        this->Expand(hItem, TVE_TOGGLE);
        return;
    }
    if ((flags & TVHT_ONITEM) && IsItemChoosable(hItem))
        this->Select(hItem, TVGN_CARET);
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnLButtonUp(UINT, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = this->HitTest(point, &flags);
    CRect client;
    this->GetClientRect(&client);
    if (hItem != nullptr && client.PtInRect(point) && (flags & TVHT_ONITEM) && IsItemChoosable(hItem)) {
        this->Select(hItem, TVGN_CARET);
        this->m_hSelectedItem = hItem;
        TellOwner(TRUE);
    }
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnRButtonDown(UINT, CPoint)
{
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnLButtonDblClk(UINT, CPoint)
{
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnRButtonDblClk(UINT, CPoint)
{
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnContextMenu(CWnd*, CPoint)
{
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::CustomDrawTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pcd = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = pcd->nmcd.dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
}

template <class TreeBase>
void CDropDownTreeCtrlT<TreeBase>::OnCustomDrawReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    CustomDrawTree(pNMHDR, pResult);
    auto* pcd = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    if (pcd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (pcd->nmcd.uItemState & CDIS_SELECTED)) {
        // Highlighted even though the tree never has the focus.
        pcd->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        pcd->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    }
}

template class CDropDownTreeCtrlT<CLayerTreeCtrl>;
template class CDropDownTreeCtrlT<CDrawingTreeCtrl>;
