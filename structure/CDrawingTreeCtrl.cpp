#include "structure/CDrawingTreeCtrl.h"

#include <vector>

#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/win/CImageList.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CDrawingTreeCtrl, CQZ2TreeCtrl)

BEGIN_MESSAGE_MAP(CDrawingTreeCtrl, CQZ2TreeCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGED, &CDrawingTreeCtrl::OnSelChangedReflect)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, &CDrawingTreeCtrl::OnItemExpandingReflect)
END_MESSAGE_MAP()

namespace {
constexpr UINT kRootTextID = 10154;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
}  // namespace

CDrawingTreeCtrl::CDrawingTreeCtrl()
{
    m_pImageList = new CImageList;
    if (m_pImageList->Create(402, 16, 1, kMagenta)) {
        m_pImageList->SetOverlayImage(imagePadlock, 1);
        m_pImageList->SetOverlayImage(imagePencil, 2);
    }
}

CDrawingTreeCtrl::~CDrawingTreeCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_pImageList;
}

BOOL CDrawingTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle |= TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
    if (m_wOptions & optionCheckBoxes)
        dwStyle |= TVS_CHECKBOXES;
    return CQZ2TreeCtrl::Create(dwStyle, rect, pParentWnd, nID);
}

int CDrawingTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int result = static_cast<int>(Default());
    (void)lpCreateStruct;
    if (result != -1 && m_pImageList->GetSafeHandle() != nullptr)
        SetImageList(m_pImageList, TVSIL_NORMAL);
    return result;
}

void CDrawingTreeCtrl::OnDestroy()
{
    ResetTree();
    CQZ2TreeCtrl::OnDestroy();
}

// ---- records and walks ---------------------------------------------------------------------------

const DrawingTreeItem* CDrawingTreeCtrl::GetItemRecord(HTREEITEM hItem) const
{
    if (hItem == nullptr || m_hWnd == nullptr)
        return nullptr;
    return reinterpret_cast<const DrawingTreeItem*>(GetItemData(hItem));
}

DrawingFeatureBase* CDrawingTreeCtrl::GetItemDrawing(HTREEITEM hItem) const
{
    const DrawingTreeItem* pRecord = GetItemRecord(hItem);
    if (pRecord == nullptr || m_pDocument == nullptr)
        return nullptr;
    return m_pDocument->GetDrawingFeatureByID(pRecord->nDrawingID);
}

PartDrawingLayout* CDrawingTreeCtrl::GetItemLayout(HTREEITEM hItem) const
{
    const DrawingTreeItem* pRecord = GetItemRecord(hItem);
    if (pRecord == nullptr || m_pDocument == nullptr || pRecord->nLayoutID < 0)
        return nullptr;
    return m_pDocument->GetPartLayoutByID(pRecord->nLayoutID);
}

int CDrawingTreeCtrl::GetItemKind(HTREEITEM hItem) const
{
    const DrawingTreeItem* pRecord = GetItemRecord(hItem);
    if (pRecord == nullptr)
        return kindNone;
    if (pRecord->nLayoutID >= 0)
        return kindLayout;
    const DrawingFeatureBase* pDrawing = GetItemDrawing(hItem);
    return pDrawing != nullptr && pDrawing->IsPaperFeature() ? kindPaper : kindPart;
}

BOOL CDrawingTreeCtrl::GetSelection(const DrawingFeatureBase*& pDrawing, const PartDrawingLayout*& pLayout) const
{
    pDrawing = nullptr;
    pLayout = nullptr;
    if (m_hSelectedItem == nullptr)
        return FALSE;
    pDrawing = GetItemDrawing(m_hSelectedItem);
    pLayout = GetItemLayout(m_hSelectedItem);
    return TRUE;
}

HTREEITEM CDrawingTreeCtrl::FindDrawingItem(long nDrawingID) const
{
    if (m_hWnd == nullptr)
        return nullptr;
    for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextItemInOrder(h)) {
        const DrawingTreeItem* pRecord = GetItemRecord(h);
        if (pRecord != nullptr && pRecord->nDrawingID == nDrawingID && pRecord->nLayoutID < 0)
            return h;
    }
    return nullptr;
}

HTREEITEM CDrawingTreeCtrl::FindLayoutItem(long nLayoutID) const
{
    if (m_hWnd == nullptr || nLayoutID < 0)
        return nullptr;
    for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextItemInOrder(h)) {
        const DrawingTreeItem* pRecord = GetItemRecord(h);
        if (pRecord != nullptr && pRecord->nLayoutID == nLayoutID)
            return h;
    }
    return nullptr;
}

void CDrawingTreeCtrl::SelectDrawingItem(long nDrawingID)
{
    if (HTREEITEM h = FindDrawingItem(nDrawingID))
        Select(h, TVGN_CARET);
}

void CDrawingTreeCtrl::SelectLayoutItem(long nLayoutID)
{
    if (HTREEITEM h = FindLayoutItem(nLayoutID))
        Select(h, TVGN_CARET);
}

// ---- building ------------------------------------------------------------------------------------

void CDrawingTreeCtrl::SetDocument(Draw2dDocument* pDocument)
{
    m_pDocument = pDocument;
    if (m_hWnd != nullptr)
        RebuildTree();
}

void CDrawingTreeCtrl::ResetTree()
{
    if (m_hWnd == nullptr)
        return;
    for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextItemInOrder(h)) {
        delete reinterpret_cast<DrawingTreeItem*>(GetItemData(h));
        SetItemData(h, 0);
    }
    DeleteAllItems();
    m_hSelectedItem = nullptr;
    m_hPressedItem = nullptr;
}

BOOL CDrawingTreeCtrl::ListsLayouts(const DrawingFeatureBase* pPaper) const
{
    // The paper's own layout is kept apart from the placed ones, so one placed layout makes two items.
    return pPaper != nullptr && pPaper->IsPaperFeature() && (m_wOptions & optionLayouts) &&
           pPaper->GetPartLayoutCount() > 0;
}

void CDrawingTreeCtrl::RebuildTree()
{
    if (m_hWnd == nullptr)
        return;
    SetRedraw(FALSE);
    ResetTree();
    m_nActiveDrawingID = -1;
    m_nActiveLayoutID = -1;
    if (m_pDocument == nullptr) {
        SetRedraw(TRUE);
        Invalidate();
        return;
    }
    HTREEITEM hParent = TVI_ROOT;
    if (m_wOptions & optionRoot) {
        TVINSERTSTRUCT tvis{};
        tvis.hParent = TVI_ROOT;
        tvis.hInsertAfter = TVI_LAST;
        const CString text = LoadResourceString(kRootTextID);
        tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
        tvis.item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(text));
        tvis.item.iImage = imageFolder;
        tvis.item.iSelectedImage = imageFolderOpen;
        tvis.item.state = TVIS_BOLD;
        tvis.item.stateMask = TVIS_BOLD;
        tvis.item.lParam = 0;
        hParent = InsertItem(&tvis);
    }
    for (int i = 0; i < m_pDocument->GetDrawingFeatureCount(); ++i) {
        const DrawingFeatureBase* pDrawing = m_pDocument->GetDrawingFeatureByIndex(i);
        if (pDrawing == nullptr)
            continue;
        const BOOL bPaper = pDrawing->IsPaperFeature();
        if ((bPaper && !(m_wOptions & optionPapers)) || (!bPaper && !(m_wOptions & optionParts)))
            continue;
        HTREEITEM hItem = InsertDrawingItem(hParent, pDrawing->GetDrawingID(), -1, TVI_LAST);
        if (ListsLayouts(pDrawing)) {
            InsertDrawingItem(hItem, pDrawing->GetDrawingID(), pDrawing->GetSelfPartLayoutID(), TVI_LAST);
            for (int k = 0; k < pDrawing->GetPartLayoutCount(); ++k)
                if (const PartDrawingLayout* pLayout = pDrawing->GetPartLayout(k))
                    InsertDrawingItem(hItem, pLayout->GetDrawingID(), pLayout->GetLayoutID(), TVI_LAST);
        }
    }
    if (m_pDocument->GetActiveDrawingLayout() != nullptr)
        SetActiveDrawing(m_pDocument->GetActiveDrawingID(), m_pDocument->GetActiveLayoutID());
    SetRedraw(TRUE);
    Invalidate();
}

HTREEITEM CDrawingTreeCtrl::InsertDrawingItem(HTREEITEM hParent, long nDrawingID, long nLayoutID,
                                              HTREEITEM hInsertAfter)
{
    if (m_hWnd == nullptr)
        return nullptr;
    auto* pRecord = new DrawingTreeItem{nDrawingID, nLayoutID};
    TVINSERTSTRUCT tvis{};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_PARAM;
    tvis.item.pszText = const_cast<LPTSTR>(_T(""));
    tvis.item.lParam = reinterpret_cast<LPARAM>(pRecord);
    HTREEITEM hItem = InsertItem(&tvis);
    if (hItem == nullptr) {
        delete pRecord;
        return nullptr;
    }
    UpdateItem(hItem);
    if (hParent != nullptr && hParent != TVI_ROOT)
        Expand(hParent, TVE_EXPAND);
    return hItem;
}

BOOL CDrawingTreeCtrl::IsActiveItem(HTREEITEM hItem, BOOL bStrict) const
{
    const DrawingTreeItem* pRecord = GetItemRecord(hItem);
    if (pRecord == nullptr)
        return FALSE;
    if (pRecord->nLayoutID >= 0)
        return pRecord->nLayoutID == m_nActiveLayoutID;
    if (pRecord->nDrawingID != m_nActiveDrawingID)
        return FALSE;
    const DrawingFeatureBase* pDrawing = GetItemDrawing(hItem);
    if (pDrawing == nullptr || pDrawing->GetSelfPartLayoutID() != m_nActiveLayoutID)
        return FALSE;
    return !bStrict || !ItemHasChildren(hItem);
}

BOOL CDrawingTreeCtrl::UpdateItem(HTREEITEM hItem)
{
    const DrawingTreeItem* pRecord = GetItemRecord(hItem);
    if (pRecord == nullptr)
        return FALSE;
    const DrawingFeatureBase* pDrawing = GetItemDrawing(hItem);
    if (pDrawing == nullptr)
        return FALSE;
    const BOOL bActive = IsActiveItem(hItem, TRUE);
    const BOOL bPaper = pDrawing->IsPaperFeature();
    const BOOL bDisplayed = (pDrawing->GetStateFlags() & DrawingFeatureBase::flagDisplay) != 0;
    int image;
    if (bPaper)
        image = bActive ? imageActivePaper : (bDisplayed ? imagePaper : imageHiddenPaper);
    else
        image = bActive ? imageActivePart : (bDisplayed ? imagePart : imageHiddenPart);
    UINT overlay = 0;
    if (bActive)
        overlay = INDEXTOOVERLAYMASK(2);
    else if (pDrawing->GetDrawingState() == 1)
        overlay = INDEXTOOVERLAYMASK(1);
    CString text = pDrawing->GetDrawingName();
    if (const PartDrawingLayout* pLayout = GetItemLayout(hItem))
        if (pLayout->GetPaperID() != pLayout->GetDrawingID())
            text = pLayout->GetLayoutName();
    TVITEM item{};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_TEXT;
    item.iImage = image;
    item.iSelectedImage = image;
    item.state = overlay | (bActive ? TVIS_BOLD : 0);
    item.stateMask = TVIS_OVERLAYMASK | TVIS_BOLD;
    item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(text));
    return SetItem(&item);
}

HTREEITEM CDrawingTreeCtrl::InsertAt(HTREEITEM hParent, int nPosition, long nDrawingID, long nLayoutID)
{
    HTREEITEM hAfter = TVI_LAST;
    if (nPosition == 0) {
        hAfter = TVI_FIRST;
    } else if (nPosition > 0) {
        HTREEITEM hChild = GetChildItemAt(hParent == TVI_ROOT ? nullptr : hParent, nPosition - 1);
        if (hChild != nullptr)
            hAfter = hChild;
    }
    return InsertDrawingItem(hParent, nDrawingID, nLayoutID, hAfter);
}

BOOL CDrawingTreeCtrl::AddDrawingItem(const DrawingFeatureBase* pDrawing, int nIndex)
{
    if (m_hWnd == nullptr || pDrawing == nullptr)
        return FALSE;
    const BOOL bPaper = pDrawing->IsPaperFeature();
    if ((bPaper && !(m_wOptions & optionPapers)) || (!bPaper && !(m_wOptions & optionParts)))
        return FALSE;
    HTREEITEM hParent = (m_wOptions & optionRoot) ? GetRootItem() : TVI_ROOT;
    if (hParent == nullptr)
        hParent = TVI_ROOT;
    return InsertAt(hParent, nIndex, pDrawing->GetDrawingID(), -1) != nullptr;
}

void CDrawingTreeCtrl::DeleteItemWithRecords(HTREEITEM hItem)
{
    if (hItem == nullptr)
        return;
    // The records of the item and of everything under it.
    std::vector<HTREEITEM> items;
    items.push_back(hItem);
    for (size_t i = 0; i < items.size(); ++i)
        for (HTREEITEM c = GetChildItem(items[i]); c != nullptr; c = GetNextSiblingItem(c))
            items.push_back(c);
    for (HTREEITEM h : items) {
        if (h == m_hSelectedItem)
            m_hSelectedItem = nullptr;
        if (h == m_hPressedItem)
            m_hPressedItem = nullptr;
        delete reinterpret_cast<DrawingTreeItem*>(GetItemData(h));
        SetItemData(h, 0);
    }
    DeleteItem(hItem);
}

BOOL CDrawingTreeCtrl::RemoveDrawingItem(long nDrawingID)
{
    HTREEITEM hItem = FindDrawingItem(nDrawingID);
    if (hItem == nullptr)
        return FALSE;
    DeleteItemWithRecords(hItem);
    return TRUE;
}

BOOL CDrawingTreeCtrl::MoveDrawingItem(long nDrawingID, int nIndex)
{
    HTREEITEM hOld = FindDrawingItem(nDrawingID);
    if (hOld == nullptr)
        return FALSE;
    HTREEITEM hParent = GetParentItem(hOld);
    HTREEITEM hParentArg = hParent != nullptr ? hParent : TVI_ROOT;
    const int current = GetSiblingIndex(hOld);
    const BOOL bWasCaret = GetSelectedItem() == hOld;
    HTREEITEM hAfter = TVI_FIRST;
    if (nIndex > 0) {
        HTREEITEM hSibling = GetChildItemAt(hParent, current >= nIndex ? nIndex - 1 : nIndex);
        hAfter = hSibling != nullptr ? hSibling : TVI_LAST;
    }
    HTREEITEM hNew = InsertDrawingItem(hParentArg, nDrawingID, -1, hAfter);
    if (hNew == nullptr)
        return FALSE;
    for (HTREEITEM c = GetChildItem(hOld); c != nullptr; c = GetNextSiblingItem(c))
        if (const DrawingTreeItem* pRecord = GetItemRecord(c))
            InsertDrawingItem(hNew, pRecord->nDrawingID, pRecord->nLayoutID, TVI_LAST);
    DeleteItemWithRecords(hOld);
    if (bWasCaret)
        Select(hNew, TVGN_CARET);
    return TRUE;
}

BOOL CDrawingTreeCtrl::AddLayoutItem(const DrawingFeatureBase* pPaper, const DrawingFeatureBase* pDrawing,
                                     const PartDrawingLayout* pLayout, int nIndex)
{
    if (pPaper == nullptr || pDrawing == nullptr || pLayout == nullptr || !(m_wOptions & optionLayouts))
        return FALSE;
    HTREEITEM hParent = FindDrawingItem(pPaper->GetDrawingID());
    if (hParent == nullptr)
        return FALSE;
    if (GetChildItem(hParent) == nullptr) {
        InsertDrawingItem(hParent, pPaper->GetDrawingID(), pPaper->GetSelfPartLayoutID(), TVI_LAST);
        // The paper now lists its layouts: its own-layout child carries the active mark.
        UpdateItem(hParent);
    }
    // Position among the children: the own layout stays first.
    InsertAt(hParent, nIndex < 0 ? -1 : nIndex + 1, pDrawing->GetDrawingID(), pLayout->GetLayoutID());
    return TRUE;
}

BOOL CDrawingTreeCtrl::RemoveLayoutItem(long nLayoutID)
{
    HTREEITEM hItem = FindLayoutItem(nLayoutID);
    if (hItem == nullptr)
        return FALSE;
    HTREEITEM hParent = GetParentItem(hItem);
    const int before = GetChildCount(hParent);
    DeleteItemWithRecords(hItem);
    if (hParent != nullptr && before == 2) {
        DeleteItemWithRecords(GetChildItem(hParent));
        if (const DrawingTreeItem* pRecord = GetItemRecord(hParent))
            UpdateDrawingItems(pRecord->nDrawingID);
    }
    return TRUE;
}

BOOL CDrawingTreeCtrl::MoveLayoutItem(long nLayoutID, int nIndex)
{
    HTREEITEM hItem = FindLayoutItem(nLayoutID);
    if (hItem == nullptr)
        return FALSE;
    const DrawingTreeItem record = *GetItemRecord(hItem);
    HTREEITEM hParent = GetParentItem(hItem);
    const BOOL bWasCaret = GetSelectedItem() == hItem;
    DeleteItemWithRecords(hItem);
    // The own layout is child 0; placed layout n is child n + 1.
    HTREEITEM hAfter = GetChildItemAt(hParent, nIndex < 0 ? 0 : nIndex);
    HTREEITEM hNew = InsertDrawingItem(hParent, record.nDrawingID, record.nLayoutID, hAfter != nullptr ? hAfter : TVI_LAST);
    if (bWasCaret && hNew != nullptr)
        Select(hNew, TVGN_CARET);
    return hNew != nullptr;
}

BOOL CDrawingTreeCtrl::UpdateDrawingItems(long nDrawingID)
{
    if (m_hWnd == nullptr)
        return FALSE;
    BOOL bFound = FALSE;
    for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextItemInOrder(h)) {
        const DrawingTreeItem* pRecord = GetItemRecord(h);
        if (pRecord != nullptr && pRecord->nDrawingID == nDrawingID) {
            UpdateItem(h);
            bFound = TRUE;
        }
    }
    return bFound;
}

BOOL CDrawingTreeCtrl::UpdateLayoutItem(long nLayoutID)
{
    HTREEITEM hItem = FindLayoutItem(nLayoutID);
    return hItem != nullptr && UpdateItem(hItem);
}

BOOL CDrawingTreeCtrl::SetActiveDrawing(long nDrawingID, long nLayoutID)
{
    if (nDrawingID == m_nActiveDrawingID && nLayoutID == m_nActiveLayoutID)
        return TRUE;
    m_nActiveDrawingID = nDrawingID;
    m_nActiveLayoutID = nLayoutID;
    if (m_hWnd != nullptr)
        for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextItemInOrder(h))
            UpdateItem(h);
    return TRUE;
}

// ---- messages ------------------------------------------------------------------------------------

void CDrawingTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    m_hPressedItem = HitTest(point, &flags);
    Default();
    if (m_hPressedItem != nullptr && (flags & TVHT_ONITEMSTATEICON) && (m_wOptions & optionCheckBoxes))
        OnItemCheckChanged(m_hPressedItem);
    (void)nFlags;
}

void CDrawingTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_hPressedItem = HitTest(point);
    Select(m_hPressedItem, TVGN_CARET);
    (void)nFlags;
    Default();
}

void CDrawingTreeCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    m_hPressedItem = nullptr;
    (void)nFlags;
    (void)point;
    Default();
}

BOOL CDrawingTreeCtrl::OnSelChangedReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pTree = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    m_hSelectedItem = pTree != nullptr ? pTree->itemNew.hItem : GetSelectedItem();
    if (pResult != nullptr)
        *pResult = 0;
    return FALSE;  // the parent hears of it too
}

void CDrawingTreeCtrl::OnItemExpandingReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pTree = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    LRESULT result = 0;
    if (pTree != nullptr && (pTree->action & TVE_COLLAPSE) && pTree->itemNew.hItem == GetRootItem())
        result = 1;
    if (pResult != nullptr)
        *pResult = result;
}
