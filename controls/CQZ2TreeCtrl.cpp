#include "controls/CQZ2TreeCtrl.h"

#include "platform/win/CEdit.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CQZ2TreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CQZ2TreeCtrl, CTreeCtrl)
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_NOTIFY_REFLECT(NM_RCLICK, &CQZ2TreeCtrl::OnRClickReflect)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAG, &CQZ2TreeCtrl::OnBeginDragReflect)
END_MESSAGE_MAP()

CQZ2TreeCtrl::CQZ2TreeCtrl()
{
    m_hNoDropCursor = AfxLoadCursorResource(430);
    m_hDropCursor = AfxLoadCursorResource(431);
}

CQZ2TreeCtrl::~CQZ2TreeCtrl() = default;

BOOL CQZ2TreeCtrl::HasCheckBoxes() const { return (GetStyle() & TVS_CHECKBOXES) != 0; }

HTREEITEM CQZ2TreeCtrl::GetDropTarget(POINT* pPoint, int* pPosition)
{
    int position = kDropRefused;
    if (pPosition != nullptr)
        *pPosition = position;
    if (pPoint == nullptr)
        return nullptr;
    UINT flags = 0;
    HTREEITEM hItem = HitTest(CPoint(*pPoint), &flags);
    if (hItem == nullptr) {
        HTREEITEM hLast = GetLastVisibleItem();
        CRect rect;
        if (hLast != nullptr && GetItemRect(hLast, &rect, FALSE) && pPoint->y >= rect.bottom)
            hItem = hLast;
    }
    if (hItem == nullptr)
        return nullptr;
    for (HTREEITEM h = hItem; h != nullptr; h = GetParentItem(h))
        if (h == m_hDragItem)
            return hItem;
    CRect rect;
    GetItemRect(hItem, &rect, FALSE);
    const int t = rect.top + (rect.bottom - rect.top) / 5;
    if (hItem == GetRootItem())
        position = pPoint->y <= t ? kDropOnto : kDropAfter;
    else
        position = pPoint->y <= t ? kDropBefore : kDropAfter;
    if (position == kDropAfter && m_hDragItem != nullptr && GetNextSiblingItem(hItem) == m_hDragItem)
        position = kDropRefused;
    if (position == kDropBefore && m_hDragItem != nullptr && GetPrevSiblingItem(hItem) == m_hDragItem)
        position = kDropRefused;
    if (pPosition != nullptr)
        *pPosition = position;
    return hItem;
}

BOOL CQZ2TreeCtrl::BeginDrag(POINT point)
{
    if (m_bDragging)
        return FALSE;
    m_hDragItem = HitTest(CPoint(point));
    if (m_hDragItem != nullptr && m_hDragItem != GetSelectedItem())
        SelectItem(m_hDragItem);
    if (m_hDragItem == nullptr || m_hDragItem == GetRootItem()) {
        m_hDragItem = nullptr;
        return FALSE;
    }
    m_bDragging = TRUE;
    SetCapture();
    SetTimer(kDragTimer, 2000, nullptr);
    return TRUE;
}

void CQZ2TreeCtrl::ClearDragFeedback()
{
    SelectDropTarget(nullptr);
    SetInsertMark(nullptr);
}

void CQZ2TreeCtrl::DragMove(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        int position = kDropRefused;
        POINT p = point;
        HTREEITEM hItem = GetDropTarget(&p, &position);
        if (hItem != nullptr && (position == kDropAfter || position == kDropBefore)) {
            SelectDropTarget(nullptr);
            SetInsertMark(hItem, position == kDropAfter);
        } else if (hItem != nullptr && position == kDropOnto) {
            SelectDropTarget(hItem);
            SetInsertMark(nullptr);
        } else {
            ClearDragFeedback();
        }
        HCURSOR hCursor = (hItem != nullptr && position <= kDropBefore) ? m_hDropCursor : m_hNoDropCursor;
        if (hCursor != nullptr && ::GetCursor() != hCursor)
            ::SetCursor(hCursor);
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CQZ2TreeCtrl::EndDrag(UINT nFlags, CPoint point)
{
    CTreeCtrl::OnLButtonUp(nFlags, point);
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    // The auto-scroll stops with the drag, however it ends.
    KillTimer(kDragTimer);
    ReleaseCapture();
    ClearDragFeedback();
    int position = kDropRefused;
    POINT p = point;
    HTREEITEM hTarget = GetDropTarget(&p, &position);
    if (hTarget != nullptr && hTarget != m_hDragItem)
        m_hDragItem = nullptr;
}

BOOL CQZ2TreeCtrl::CancelDrag()
{
    if (!m_bDragging)
        return FALSE;
    m_bDragging = FALSE;
    ReleaseCapture();
    ClearDragFeedback();
    m_hDragItem = nullptr;
    KillTimer(kDragTimer);
    return TRUE;
}

void CQZ2TreeCtrl::OnMouseMove(UINT nFlags, CPoint point) { DragMove(nFlags, point); }
void CQZ2TreeCtrl::OnLButtonUp(UINT nFlags, CPoint point) { EndDrag(nFlags, point); }

void CQZ2TreeCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kDragTimer && m_bDragging) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        CRect client;
        GetClientRect(&client);
        CRect rootRect;
        const int h = (GetRootItem() != nullptr && GetItemRect(GetRootItem(), &rootRect, FALSE)) ? rootRect.Height() : 16;
        HTREEITEM hUnder = HitTest(cursor);
        if (cursor.y < client.top + h) {
            if (HTREEITEM hPrev = GetPrevVisibleItem(GetFirstVisibleItem()))
                EnsureVisible(hPrev);
        } else if (cursor.y > client.bottom - h && hUnder != nullptr) {
            if (HTREEITEM hNext = GetNextVisibleItem(hUnder))
                EnsureVisible(hNext);
        }
        if (hUnder != nullptr && ItemHasChildren(hUnder)) {
            Expand(hUnder, TVE_EXPAND);
            EnsureVisible(hUnder);
        }
    }
    CTreeCtrl::OnTimer(nIDEvent);
}

BOOL CQZ2TreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (CEdit* pEdit = GetEditControl()) {
            const BOOL bCtrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
            if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_DELETE || pMsg->wParam == VK_ESCAPE || bCtrl) {
                ::TranslateMessage(pMsg);
                ::DispatchMessage(pMsg);
                (void)pEdit;
                return TRUE;
            }
        }
        if (pMsg->wParam == VK_F2) {
            if (HTREEITEM hCaret = GetSelectedItem())
                EditLabel(hCaret);
        } else if (pMsg->wParam == VK_ESCAPE && m_bDragging) {
            CancelDrag();
            return TRUE;
        }
    }
    return CTreeCtrl::PreTranslateMessage(pMsg);
}

BOOL CQZ2TreeCtrl::SetChildrenCheck(HTREEITEM hItem, BOOL bCheck)
{
    if (!HasCheckBoxes() || hItem == nullptr)
        return FALSE;
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild)) {
        SetCheck(hChild, bCheck);
        if (ItemHasChildren(hChild))
            SetChildrenCheck(hChild, bCheck);
    }
    return TRUE;
}

BOOL CQZ2TreeCtrl::UpdateParentCheck(HTREEITEM hItem)
{
    if (!HasCheckBoxes() || hItem == nullptr)
        return FALSE;
    for (HTREEITEM hParent = GetParentItem(hItem); hParent != nullptr; hParent = GetParentItem(hParent)) {
        BOOL bAll = TRUE;
        for (HTREEITEM hChild = GetChildItem(hParent); hChild != nullptr; hChild = GetNextSiblingItem(hChild)) {
            if (!GetCheck(hChild)) {
                bAll = FALSE;
                break;
            }
        }
        SetCheck(hParent, bAll);
    }
    return TRUE;
}

void CQZ2TreeCtrl::OnItemCheckChanged(HTREEITEM hItem)
{
    if (hItem != nullptr) {
        const BOOL bCheck = GetCheck(hItem);
        if (ItemHasChildren(hItem))
            SetChildrenCheck(hItem, bCheck);
        if (GetParentItem(hItem) != nullptr)
            UpdateParentCheck(hItem);
    }
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr)
        pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), kCheckChangedCode), reinterpret_cast<LPARAM>(m_hWnd));
}

HTREEITEM CQZ2TreeCtrl::GetNextItemInOrder(HTREEITEM hItem) const
{
    if (hItem == nullptr)
        return nullptr;
    if (HTREEITEM hChild = GetChildItem(hItem))
        return hChild;
    for (HTREEITEM h = hItem; h != nullptr; h = GetParentItem(h))
        if (HTREEITEM hNext = GetNextSiblingItem(h))
            return hNext;
    return nullptr;
}

HTREEITEM CQZ2TreeCtrl::GetLastVisibleItem() const
{
    HTREEITEM hLast = GetFirstVisibleItem();
    for (HTREEITEM h = hLast; h != nullptr; h = GetNextVisibleItem(h))
        hLast = h;
    return hLast;
}

int CQZ2TreeCtrl::GetSiblingIndex(HTREEITEM hItem) const
{
    if (hItem == nullptr)
        return -1;
    HTREEITEM hParent = GetParentItem(hItem);
    int index = 0;
    for (HTREEITEM h = hParent != nullptr ? GetChildItem(hParent) : GetRootItem(); h != nullptr;
         h = GetNextSiblingItem(h), ++index)
        if (h == hItem)
            return index;
    return -1;
}

HTREEITEM CQZ2TreeCtrl::GetChildItemAt(HTREEITEM hParent, int nIndex) const
{
    if (nIndex < 0)
        return nullptr;
    HTREEITEM h = GetChildItem(hParent);
    for (int i = 0; h != nullptr && i < nIndex; ++i)
        h = GetNextSiblingItem(h);
    return h;
}

int CQZ2TreeCtrl::GetChildCount(HTREEITEM hParent) const
{
    int count = 0;
    for (HTREEITEM h = GetChildItem(hParent); h != nullptr; h = GetNextSiblingItem(h))
        ++count;
    return count;
}

void CQZ2TreeCtrl::OnRClickReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    const MSG* pMsg = GetCurrentMessage();
    const DWORD pos = pMsg != nullptr ? static_cast<DWORD>(MAKELONG(pMsg->pt.x, pMsg->pt.y)) : 0;
    SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), static_cast<LPARAM>(pos));
    if (pResult != nullptr)
        *pResult = 1;
}

void CQZ2TreeCtrl::OnBeginDragReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    if (pTree != nullptr)
        BeginDrag(pTree->ptDrag);
    if (pResult != nullptr)
        *pResult = 0;
}
