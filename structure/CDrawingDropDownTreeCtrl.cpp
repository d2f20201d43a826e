#include "structure/CDrawingDropDownTreeCtrl.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CDrawingDropDownTreeCtrl, CDrawingTreeCtrl)

BEGIN_MESSAGE_MAP(CDrawingDropDownTreeCtrl, CDrawingTreeCtrl)
    ON_WM_SHOWWINDOW()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CDrawingDropDownTreeCtrl::OnCustomDrawReflect)
END_MESSAGE_MAP()

CDrawingDropDownTreeCtrl::CDrawingDropDownTreeCtrl()
{
    m_wOptions = optionPapers | optionParts;
}

CDrawingDropDownTreeCtrl::~CDrawingDropDownTreeCtrl() = default;

BOOL CDrawingDropDownTreeCtrl::CreatePopup(CWnd* pCombo, WORD wOptions)
{
    m_wOptions = wOptions;
    // No horizontal bar: it would shorten the rows' view, and the width is fitted to the labels.
    DWORD style = WS_POPUP | WS_BORDER | TVS_NOHSCROLL | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP |
                  TVS_SHOWSELALWAYS;
    if (m_wOptions & optionCheckBoxes)
        style |= TVS_CHECKBOXES;
    return CreateEx(0, u"SysTreeView32", nullptr, style, CRect(0, 0, 100, 100), pCombo, 0);
}

void CDrawingDropDownTreeCtrl::TellOwner(BOOL bPost)
{
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    if (bPost)
        pOwner->PostMessage(WM_COMMAND, kChoiceCommand, 0);
    else
        pOwner->SendMessage(WM_COMMAND, kChoiceCommand, 0);
}

void CDrawingDropDownTreeCtrl::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDrawingTreeCtrl::OnShowWindow(bShow, nStatus);
    if (bShow)
        SetCapture();
    else if (::GetCapture() == GetSafeHwnd())
        ReleaseCapture();
}

void CDrawingDropDownTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (IsWindowVisible() && ::GetCapture() != GetSafeHwnd() && client.PtInRect(point))
        SetCapture();
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    if (hItem != nullptr && (flags & TVHT_ONITEM) && CTreeCtrl::GetSelectedItem() != hItem)
        Select(hItem, TVGN_CARET);
    CDrawingTreeCtrl::OnMouseMove(nFlags, point);
}

void CDrawingDropDownTreeCtrl::OnLButtonDown(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    CRect window;
    GetWindowRect(&window);
    CPoint screen = point;
    ClientToScreen(&screen);
    if (!window.PtInRect(screen)) {
        // Outside: the combo closes without a choice.
        m_hSelectedItem = nullptr;
        TellOwner(FALSE);
        return;
    }
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    if (hItem == nullptr || !client.PtInRect(point)) {
        // On a scroll bar: the mouse is let go so that the bar takes its clicks; the tree takes the
        // mouse back as soon as it moves over the items again.
        if (!client.PtInRect(point))
            ReleaseCapture();
        return;
    }
    if (flags & TVHT_ONITEMBUTTON) {
        Expand(hItem, TVE_TOGGLE);
        return;
    }
    if (flags & TVHT_ONITEM)
        Select(hItem, TVGN_CARET);
}

void CDrawingDropDownTreeCtrl::OnLButtonUp(UINT, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    CRect client;
    GetClientRect(&client);
    if (hItem != nullptr && client.PtInRect(point) && (flags & TVHT_ONITEM) && IsItemSelectable(hItem)) {
        Select(hItem, TVGN_CARET);
        m_hSelectedItem = hItem;
        TellOwner(TRUE);
    }
}

void CDrawingDropDownTreeCtrl::OnRButtonDown(UINT, CPoint) {}

void CDrawingDropDownTreeCtrl::OnLButtonDblClk(UINT, CPoint) {}

void CDrawingDropDownTreeCtrl::OnRButtonDblClk(UINT, CPoint) {}

void CDrawingDropDownTreeCtrl::OnContextMenu(CWnd*, CPoint) {}

void CDrawingDropDownTreeCtrl::OnCustomDrawReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pcd = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pcd->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (pcd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (pcd->nmcd.uItemState & CDIS_SELECTED)) {
        // Highlighted even though the tree never has the focus.
        pcd->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        pcd->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    }
}
