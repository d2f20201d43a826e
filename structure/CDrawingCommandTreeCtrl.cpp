#include "structure/CDrawingCommandTreeCtrl.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"
#include "structure/StructureServices.h"

IMPLEMENT_DYNAMIC(CDrawingCommandTreeCtrl, CDrawingTreeCtrl)

BEGIN_MESSAGE_MAP(CDrawingCommandTreeCtrl, CDrawingTreeCtrl)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &CDrawingCommandTreeCtrl::OnDblClkReflect)
    ON_NOTIFY_REFLECT(NM_CLICK, &CDrawingCommandTreeCtrl::OnClickReflect)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, &CDrawingCommandTreeCtrl::OnBeginLabelEditReflect)
    ON_WM_CONTEXTMENU()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {
constexpr UINT kActivate = 34330;
constexpr UINT kDelete = 34329;
constexpr UINT kAddLayout = 34344;
constexpr UINT kChangeLayout = 34347;
constexpr UINT kOpenPart = 34338;
constexpr UINT kStateFirst = 34332;
constexpr UINT kPrintable = 34335;

// Removes every item with the command id, at any depth.
void RemoveCommand(CMenu* pMenu, UINT nID)
{
    if (pMenu == nullptr)
        return;
    for (int i = static_cast<int>(pMenu->GetMenuItemCount()) - 1; i >= 0; --i) {
        const UINT id = pMenu->GetMenuItemID(i);
        if (id == static_cast<UINT>(-1))
            RemoveCommand(pMenu->GetSubMenu(i), nID);
        else if (id == nID)
            pMenu->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
    }
}
}  // namespace

CDrawingCommandTreeCtrl::CDrawingCommandTreeCtrl() = default;

CDrawingCommandTreeCtrl::~CDrawingCommandTreeCtrl() = default;

BOOL CDrawingCommandTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle |= TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_EDITLABELS;
    dwStyle &= ~static_cast<DWORD>(TVS_DISABLEDRAGDROP);
    if (m_wOptions & optionCheckBoxes)
        dwStyle |= TVS_CHECKBOXES;
    return CQZ2TreeCtrl::Create(dwStyle, rect, pParentWnd, nID);
}

CWnd* CDrawingCommandTreeCtrl::GetCommandTarget() const
{
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner : GetParent();
}

// ---- state -----------------------------------------------------------------------------------------

BOOL CDrawingCommandTreeCtrl::CycleDrawingState(HTREEITEM hItem)
{
    DrawingFeatureBase* pDrawing = GetItemDrawing(hItem);
    if (pDrawing == nullptr || m_pDocument == nullptr || IsActiveItem(hItem, TRUE))
        return FALSE;
    const int next = (pDrawing->GetDrawingState() + 1) % 3;
    m_pDocument->BeginUndoOperation(nullptr);
    const BOOL bDone = m_pDocument->SetDrawingState(pDrawing->GetDrawingID(), next, 1);
    m_pDocument->EndUndoOperation();
    return bDone;
}

HTREEITEM CDrawingCommandTreeCtrl::HitTestMessagePoint(UINT* pFlags) const
{
    const DWORD pos = GetMessagePos();
    CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
    ScreenToClient(&point);
    return HitTest(point, pFlags);
}

void CDrawingCommandTreeCtrl::OnDblClkReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    // The double click replaces the single click that waits for it, and the release that follows it.
    KillTimer(kClickTimer);
    const long nPending = m_nPendingClickDrawingID;
    m_nPendingClickDrawingID = -1;
    m_bSwallowNextClick = TRUE;
    UINT flags = 0;
    HTREEITEM hItem = HitTestMessagePoint(&flags);
    if (hItem != nullptr && (flags & TVHT_ONITEMLABEL)) {
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_COMMAND, kActivate, 0);
    } else if (hItem != nullptr && (flags & TVHT_ONITEMICON)) {
        (void)nPending;
        CycleDrawingState(hItem);
    }
    if (pResult != nullptr)
        *pResult = 0;
}

void CDrawingCommandTreeCtrl::OnClickReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    if (pResult != nullptr)
        *pResult = 0;
    if (m_bSwallowNextClick) {
        m_bSwallowNextClick = FALSE;
        return;
    }
    UINT flags = 0;
    HTREEITEM hItem = HitTestMessagePoint(&flags);
    if (hItem == nullptr || !(flags & TVHT_ONITEMICON))
        return;
    const DrawingTreeItem* pRecord = GetItemRecord(hItem);
    if (pRecord == nullptr)
        return;
    // Wait for the double-click interval: a double click on the icon steps once, not twice.
    m_nPendingClickDrawingID = pRecord->nDrawingID;
    m_nPendingLayoutID = pRecord->nLayoutID;
    SetTimer(kClickTimer, GetDoubleClickTime(), nullptr);
}

void CDrawingCommandTreeCtrl::FirePendingClick()
{
    KillTimer(kClickTimer);
    const long nDrawingID = m_nPendingClickDrawingID;
    const long nLayoutID = m_nPendingLayoutID;
    m_nPendingClickDrawingID = -1;
    m_nPendingLayoutID = -1;
    if (nDrawingID < 0)
        return;
    HTREEITEM hItem = nLayoutID >= 0 ? FindLayoutItem(nLayoutID) : FindDrawingItem(nDrawingID);
    if (hItem != nullptr)
        CycleDrawingState(hItem);
}

void CDrawingCommandTreeCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kClickTimer) {
        FirePendingClick();
        return;
    }
    CDrawingTreeCtrl::OnTimer(nIDEvent);
}

void CDrawingCommandTreeCtrl::OnBeginLabelEditReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pInfo = reinterpret_cast<const NMTVDISPINFO*>(pNMHDR);
    LRESULT refuse = 0;
    if (pInfo != nullptr && pInfo->item.hItem == GetRootItem() && GetItemRecord(pInfo->item.hItem) == nullptr)
        refuse = 1;
    if (pResult != nullptr)
        *pResult = refuse;
}

BOOL CDrawingCommandTreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DELETE && GetEditControl() == nullptr) {
        if (CWnd* pTarget = GetCommandTarget())
            pTarget->PostMessage(WM_COMMAND, kDelete, 0);
        return TRUE;
    }
    return CDrawingTreeCtrl::PreTranslateMessage(pMsg);
}

// ---- context menu ----------------------------------------------------------------------------------

void CDrawingCommandTreeCtrl::PrepareContextMenu(CMenu* pMenu)
{
    if (pMenu == nullptr || m_pDocument == nullptr)
        return;
    const DrawingFeatureBase* pDrawing = GetItemDrawing(m_hSelectedItem);
    const PartDrawingLayout* pLayout = GetItemLayout(m_hSelectedItem);
    if (m_pDocument->GetDrawingFeatureCount() == 1)
        pMenu->DeleteMenu(3, MF_BYPOSITION);
    if (pDrawing != nullptr && pDrawing->IsPaperFeature() && pLayout == nullptr) {
        RemoveCommand(pMenu, kAddLayout);
        RemoveCommand(pMenu, kOpenPart);
        if (m_pDocument->GetPaperFeatureCount() < 2)
            RemoveCommand(pMenu, kDelete);
    }
    if (pDrawing != nullptr) {
        pMenu->CheckMenuItem(kActivate, MF_BYCOMMAND | (IsActiveItem(m_hSelectedItem, FALSE) ? MF_CHECKED : MF_UNCHECKED));
        pMenu->CheckMenuRadioItem(kStateFirst, kStateFirst + 2, kStateFirst + pDrawing->GetDrawingState(), MF_BYCOMMAND);
        pMenu->CheckMenuItem(kPrintable, MF_BYCOMMAND | ((pDrawing->GetStateFlags() & DrawingFeatureBase::flagPrintable)
                                                              ? MF_CHECKED
                                                              : MF_UNCHECKED));
    }
    if (pLayout != nullptr) {
        RemoveCommand(pMenu, kAddLayout);
        if (pLayout->GetPaperID() == pLayout->GetDrawingID())
            RemoveCommand(pMenu, kChangeLayout);
    } else {
        RemoveCommand(pMenu, kChangeLayout);
    }
}

void CDrawingCommandTreeCtrl::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    if (m_pDocument == nullptr)
        return;
    HTREEITEM hItem = m_hSelectedItem;
    if (point.x == -1 && point.y == -1) {
        if (hItem == nullptr)
            hItem = GetRootItem();
        CRect rect;
        if (hItem == nullptr || !GetItemRect(hItem, &rect, TRUE))
            return;
        point = rect.CenterPoint();
        ClientToScreen(&point);
    } else if (hItem == nullptr) {
        CPoint client = point;
        ScreenToClient(&client);
        hItem = HitTest(client);
        if (hItem != nullptr)
            Select(hItem, TVGN_CARET);
        else
            hItem = GetRootItem();
    }
    const BOOL bRootOrNone = hItem == nullptr || hItem == GetRootItem();
    CMenu menu;
    if (!menu.LoadMenu(bRootOrNone ? 229 : 201))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    if (!bRootOrNone)
        PrepareContextMenu(pPopup);
    auto* pMenu = new CBCGPPopupMenu;
    if (!pMenu->Create(GetCommandTarget(), point.x, point.y, pPopup->GetSafeHmenu(), FALSE, TRUE))
        return;  // the popup deleted itself
    if (const auto& hooks = StructureServices::GetHooks(); hooks.pfnOnShowPopupMenu != nullptr)
        if (CMainFrame* pFrame = StructureServices::GetMainFrame())
            hooks.pfnOnShowPopupMenu(pFrame, pMenu);
}

// ---- dragging --------------------------------------------------------------------------------------

HTREEITEM CDrawingCommandTreeCtrl::GetDropTarget(POINT* pPoint, int* pPosition)
{
    int position = kDropRefused;
    if (pPosition != nullptr)
        *pPosition = position;
    if (pPoint == nullptr)
        return nullptr;
    HTREEITEM hTarget = HitTest(CPoint(*pPoint));
    if (hTarget == nullptr) {
        HTREEITEM hLast = GetLastVisibleItem();
        CRect rect;
        if (hLast != nullptr && GetItemRect(hLast, &rect, FALSE) && pPoint->y >= rect.bottom)
            hTarget = hLast;
    }
    if (hTarget == nullptr || (hTarget == GetRootItem() && GetItemRecord(hTarget) == nullptr))
        return nullptr;
    for (HTREEITEM h = hTarget; h != nullptr; h = GetParentItem(h))
        if (h == m_hDragItem)
            return hTarget;
    const DrawingTreeItem* pDragged = GetItemRecord(m_hDragItem);
    const DrawingTreeItem* pTargetRecord = GetItemRecord(hTarget);
    if (pDragged == nullptr || pTargetRecord == nullptr)
        return nullptr;
    const int dragKind = GetItemKind(m_hDragItem);
    const int targetKind = GetItemKind(hTarget);
    CRect rect;
    GetItemRect(hTarget, &rect, FALSE);
    const int y = pPoint->y;
    const int middle = rect.top + rect.Height() / 2;
    const PartDrawingLayout* pDragLayout = GetItemLayout(m_hDragItem);
    const PartDrawingLayout* pTargetLayout = GetItemLayout(hTarget);
    if (dragKind == kindLayout) {
        // A paper's own layout stays first; placed layouts move among the placed ones of the same paper.
        const BOOL bDragOwn = pDragLayout == nullptr || pDragLayout->GetPaperID() == pDragLayout->GetDrawingID();
        if (!bDragOwn && targetKind == kindLayout && GetParentItem(hTarget) == GetParentItem(m_hDragItem)) {
            position = y <= middle ? kDropBefore : kDropAfter;
            const BOOL bTargetOwn =
                pTargetLayout == nullptr || pTargetLayout->GetPaperID() == pTargetLayout->GetDrawingID();
            if (bTargetOwn && position == kDropBefore)
                position = kDropRefused;
        }
    } else if (dragKind == kindPart && targetKind == kindPaper) {
        if (y <= rect.top + rect.Height() / 4)
            position = kDropBefore;
        else if (y <= rect.bottom)
            position = kDropOnto;
        else
            position = kDropAfter;
    } else if ((dragKind == kindPaper || dragKind == kindPart) && (targetKind == kindPaper || targetKind == kindPart)) {
        position = y <= middle ? kDropBefore : kDropAfter;
    }
    if (position == kDropBefore && GetPrevSiblingItem(hTarget) == m_hDragItem)
        position = kDropRefused;
    if (position == kDropAfter && GetNextSiblingItem(hTarget) == m_hDragItem)
        position = kDropRefused;
    if (pPosition != nullptr)
        *pPosition = position;
    return hTarget;
}

BOOL CDrawingCommandTreeCtrl::MoveDrawingByDrop(HTREEITEM hDragged, HTREEITEM hTarget, BOOL bAfter)
{
    const int kind = GetItemKind(hDragged);
    DrawingFeatureBase* pDrawing = GetItemDrawing(hDragged);
    if ((kind != kindPaper && kind != kindPart) || pDrawing == nullptr || m_pDocument == nullptr)
        return FALSE;
    const int t = GetSiblingIndex(hTarget);
    const int s = GetSiblingIndex(hDragged);
    int order = t > s ? t - 1 : t;
    if (bAfter)
        ++order;
    const long nDrawingID = pDrawing->GetDrawingID();
    m_pDocument->BeginUndoOperation(nullptr);
    const BOOL bDone = m_pDocument->SetDrawingOrder(nDrawingID, order, 1);
    m_pDocument->EndUndoOperation();
    if (bDone)
        SelectDrawingItem(nDrawingID);
    return bDone;
}

BOOL CDrawingCommandTreeCtrl::MoveLayoutByDrop(HTREEITEM hDragged, HTREEITEM hTarget, BOOL bAfter)
{
    const PartDrawingLayout* pLayout = GetItemLayout(hDragged);
    if (GetItemKind(hDragged) != kindLayout || pLayout == nullptr || m_pDocument == nullptr)
        return FALSE;
    const int t = GetSiblingIndex(hTarget);
    const int s = GetSiblingIndex(hDragged);
    int order = t > s ? t - 1 : t;
    if (bAfter)
        ++order;
    // Child 0 is the paper's own layout, kept apart from the placed layouts' order.
    order -= 1;
    const long nLayoutID = pLayout->GetLayoutID();
    m_pDocument->BeginUndoOperation(nullptr);
    const BOOL bDone = m_pDocument->SetPartLayoutOrder(nLayoutID, order, 1);
    m_pDocument->EndUndoOperation();
    if (bDone)
        SelectLayoutItem(nLayoutID);
    return bDone;
}

BOOL CDrawingCommandTreeCtrl::AddLayoutByDrop(HTREEITEM hDragged, HTREEITEM hPaperItem)
{
    DrawingFeatureBase* pPart = GetItemDrawing(hDragged);
    DrawingFeatureBase* pPaper = GetItemDrawing(hPaperItem);
    if (pPart == nullptr || pPaper == nullptr || !pPaper->IsPaperFeature() || m_pDocument == nullptr)
        return FALSE;
    PartDrawingLayout layout;
    layout.SetPaperID(pPaper->GetDrawingID());
    layout.SetDrawingID(pPart->GetDrawingID());
    layout.SetLayoutName(static_cast<Paper2dFeature*>(pPaper)->GetNewPartLayoutName(pPart->GetDrawingName()));
    const long nPaperID = pPaper->GetDrawingID();
    const int order = pPaper->GetPartLayoutOrder(pPaper->GetSelfPartLayoutID());
    m_pDocument->BeginUndoOperation(nullptr);
    const long id = m_pDocument->AddPartLayout(layout, order, 1);
    if (id != -1)
        m_pDocument->ActivateDrawingFeature(nPaperID, id, 1);
    m_pDocument->EndUndoOperation();
    if (id != -1)
        SelectLayoutItem(id);
    return id != -1;
}

BOOL CDrawingCommandTreeCtrl::OnDrop(CPoint point)
{
    int position = kDropRefused;
    POINT p = point;
    HTREEITEM hTarget = GetDropTarget(&p, &position);
    HTREEITEM hDragged = m_hDragItem;
    if (hTarget == nullptr || hTarget == hDragged || position == kDropRefused)
        return FALSE;
    if (GetItemRecord(hDragged) == nullptr || GetItemRecord(hTarget) == nullptr)
        return FALSE;
    const int dragKind = GetItemKind(hDragged);
    const int targetKind = GetItemKind(hTarget);
    if (dragKind == kindLayout)
        return position == kDropOnto ? FALSE : MoveLayoutByDrop(hDragged, hTarget, position == kDropAfter);
    if (dragKind == kindPart && targetKind == kindPaper && position == kDropOnto)
        return AddLayoutByDrop(hDragged, hTarget);
    if (position == kDropOnto)
        return FALSE;
    return MoveDrawingByDrop(hDragged, hTarget, position == kDropAfter);
}

void CDrawingCommandTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    Default();
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    ReleaseCapture();
    SelectDropTarget(nullptr);
    SetInsertMark(nullptr);
    OnDrop(point);
    m_hDragItem = nullptr;
    KillTimer(kDragTimer);
    (void)nFlags;
}
