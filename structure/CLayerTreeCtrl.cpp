#include "structure/CLayerTreeCtrl.h"

#include <vector>

#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CLayerTreeCtrl, CQZ2TreeCtrl)

BEGIN_MESSAGE_MAP(CLayerTreeCtrl, CQZ2TreeCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_NOTIFY_REFLECT(NM_RCLICK, &CLayerTreeCtrl::OnRClickReflect)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGED, &CLayerTreeCtrl::OnSelChangedReflect)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, &CLayerTreeCtrl::OnItemExpandingReflect)
    ON_NOTIFY_REFLECT(TVN_DELETEITEM, &CLayerTreeCtrl::OnDeleteItemReflect)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CLayerTreeCtrl::OnCustomDrawReflect)
END_MESSAGE_MAP()

namespace {
constexpr UINT kRootCaption = 10229;
constexpr UINT kZeroCaption = 10230;
constexpr long kRootID = -1;
}  // namespace

CLayerTreeCtrl::CLayerTreeCtrl()
{
    m_layerMap.InitHashTable(17);
    if (m_imageList.Create(kImages, 16, 1, RGB(255, 0, 255))) {
        m_imageList.SetOverlayImage(imgPadlock, 1);
        m_imageList.SetOverlayImage(imgPencil, 2);
    }
}

CLayerTreeCtrl::~CLayerTreeCtrl()
{
    // The items' records go with the window; without one there is nothing left to free.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    m_imageList.DeleteImageList();
}

BOOL CLayerTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle |= TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
    if (m_wOptions & optCheckBoxes)
        dwStyle |= TVS_CHECKBOXES;
    return CQZ2TreeCtrl::Create(dwStyle, rect, pParentWnd, nID);
}

int CLayerTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CQZ2TreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetImageList(&m_imageList, TVSIL_NORMAL);
    return 0;
}

void CLayerTreeCtrl::PreSubclassWindow()
{
    CQZ2TreeCtrl::PreSubclassWindow();
    SetImageList(&m_imageList, TVSIL_NORMAL);
}

void CLayerTreeCtrl::OnDestroy()
{
    // The items' records go now, while this object still hears of each deletion.
    DeleteAllItems();
    // The widget may outlive this object for a moment: it must not keep the image list.
    SetImageList(nullptr, TVSIL_NORMAL);
    m_hSelectedItem = nullptr;
    m_hPressedItem = nullptr;
    m_layerMap.RemoveAll();
    CQZ2TreeCtrl::OnDestroy();
}

void CLayerTreeCtrl::SetDocument(Draw2dDocument* pDocument)
{
    m_pDocument = pDocument;
    if (GetSafeHwnd() != nullptr)
        RebuildTree();
}

void CLayerTreeCtrl::ResetTree()
{
    m_hSelectedItem = nullptr;
    m_hPressedItem = nullptr;
    m_layerMap.RemoveAll();
    if (GetSafeHwnd() != nullptr)
        DeleteAllItems();
}

void CLayerTreeCtrl::RebuildTree()
{
    if (GetSafeHwnd() == nullptr)
        return;
    SetRedraw(FALSE);
    ResetTree();
    if (m_pDocument != nullptr && m_pDocument->GetLayerTable() != nullptr) {
        HTREEITEM hParent = nullptr;
        if (m_wOptions & optZeroItem) {
            LayerFeature zero;
            zero.SetLayerID(0);
            InsertLayerItem(TVI_ROOT, LoadResourceString(kZeroCaption), zero, TVI_LAST);
        }
        if (m_wOptions & optRootItem) {
            LayerFeature root;
            if (!m_pDocument->GetLayerTable()->GetLayerFeature(kRootID, root)) {
                root = LayerFeature(kRootID, kRootID, TRUE, CString());
            }
            hParent = InsertLayerItem(TVI_ROOT, LoadResourceString(kRootCaption), root, TVI_LAST);
        }
        InsertChildren(hParent, kRootID);
    }
    SetRedraw(TRUE);
    Invalidate();
}

HTREEITEM CLayerTreeCtrl::InsertChildren(HTREEITEM hParentItem, long nLayerID)
{
    const LayerFeatureTable* pTable = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    if (pTable == nullptr)
        return nullptr;
    HTREEITEM hItem = nullptr;
    HTREEITEM hParent = hParentItem;
    if (nLayerID != kRootID) {
        const LayerFeature* pRecord = pTable->GetLayerFeature(nLayerID);
        if (pRecord == nullptr)
            return nullptr;
        if ((pRecord->IsGroup() && (m_wOptions & optGroupItems)) || (m_wOptions & optLayerItems)) {
            hItem = InsertLayerItem(hParentItem != nullptr ? hParentItem : TVI_ROOT, pRecord->GetLayerName(), *pRecord,
                                    TVI_LAST);
            hParent = hItem;
        }
    }
    const int count = pTable->GetChildLayerFeatureCount(nLayerID);
    for (int i = 0; i < count; ++i)
        InsertChildren(hParent, pTable->GetChildLayerID(nLayerID, i));
    return hItem;
}

HTREEITEM CLayerTreeCtrl::InsertLayerItem(HTREEITEM hParent, LPCTSTR lpszText, const LayerFeature& record,
                                          HTREEITEM hInsertAfter)
{
    auto* pCopy = new LayerFeature(record);
    const BOOL group = record.IsGroup();
    TVINSERTSTRUCT tvis{};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    tvis.item.pszText = const_cast<LPTSTR>(lpszText);
    tvis.item.iImage = group ? imgFolder : imgCurrent;
    tvis.item.iSelectedImage = group ? imgFolderOpen : imgCurrent;
    tvis.item.lParam = reinterpret_cast<LPARAM>(pCopy);
    HTREEITEM hItem = InsertItem(&tvis);
    if (hItem == nullptr) {
        delete pCopy;
        return nullptr;
    }
    UpdateItem(hItem, nullptr);
    if (hParent != nullptr && hParent != TVI_ROOT)
        Expand(hParent, TVE_EXPAND);
    m_layerMap.SetAt(record.GetLayerID(), hItem);
    return hItem;
}

BOOL CLayerTreeCtrl::IsCurrentLayer(const LayerFeature* pRecord) const
{
    return pRecord != nullptr && m_pDocument != nullptr && !pRecord->IsGroup() &&
           pRecord->GetLayerID() == m_pDocument->GetCurrentLayerID();
}

void CLayerTreeCtrl::UpdateItem(HTREEITEM hItem, const LayerFeature* pNewRecord)
{
    LayerFeature* pRecord = GetItemLayer(hItem);
    if (pRecord == nullptr)
        return;
    if (pNewRecord != nullptr && pNewRecord != pRecord)
        *pRecord = *pNewRecord;
    const long id = pRecord->GetLayerID();
    const BOOL current = IsCurrentLayer(pRecord);
    TVITEM item{};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    if (current)
        item.iImage = item.iSelectedImage = imgCurrent;
    else if (pRecord->IsGroup())
        item.iImage = imgFolder, item.iSelectedImage = imgFolderOpen;
    else if (pRecord->IsDisplay())
        item.iImage = item.iSelectedImage = imgShown;
    else
        item.iImage = item.iSelectedImage = imgNotShown;
    item.stateMask = TVIS_OVERLAYMASK | TVIS_BOLD;
    if (current)
        item.state = INDEXTOOVERLAYMASK(2);
    else if (!pRecord->IsGroup() && pRecord->GetLayerState() == 1)
        item.state = INDEXTOOVERLAYMASK(1);
    if (current || id == kRootID)
        item.state |= TVIS_BOLD;
    CString name;
    if (id != kRootID && id != 0) {
        name = pRecord->GetLayerName();
        item.mask |= TVIF_TEXT;
        item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(name));
    }
    SetItem(&item);
}

int CLayerTreeCtrl::RefreshAllItems()
{
    for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextItemInOrder(h))
        UpdateItem(h, nullptr);
    return 1;
}

BOOL CLayerTreeCtrl::RefreshLayerItem(long nLayerID, BOOL bWithChildren)
{
    const LayerFeatureTable* pTable = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    const LayerFeature* pRecord = pTable != nullptr ? pTable->GetLayerFeature(nLayerID) : nullptr;
    if (pRecord == nullptr)
        return FALSE;
    if (pRecord->IsGroup() && bWithChildren) {
        BOOL all = TRUE;
        const int count = pTable->GetChildLayerFeatureCount(nLayerID);
        for (int i = 0; i < count; ++i)
            all = RefreshLayerItem(pTable->GetChildLayerID(nLayerID, i), TRUE) && all;
        return all;
    }
    HTREEITEM hItem = FindLayerItem(nLayerID);
    if (hItem == nullptr)
        return FALSE;
    UpdateItem(hItem, pRecord);
    return TRUE;
}

void CLayerTreeCtrl::ForgetSubtree(HTREEITEM hItem)
{
    for (HTREEITEM h = GetChildItem(hItem); h != nullptr; h = GetNextSiblingItem(h))
        ForgetSubtree(h);
    if (const LayerFeature* pRecord = GetItemLayer(hItem)) {
        HTREEITEM hMapped = nullptr;
        if (m_layerMap.Lookup(pRecord->GetLayerID(), hMapped) && hMapped == hItem)
            m_layerMap.RemoveKey(pRecord->GetLayerID());
    }
    if (m_hSelectedItem == hItem)
        m_hSelectedItem = nullptr;
    if (m_hPressedItem == hItem)
        m_hPressedItem = nullptr;
}

BOOL CLayerTreeCtrl::RemoveLayerItem(long nLayerID)
{
    HTREEITEM hItem = FindLayerItem(nLayerID);
    if (hItem == nullptr)
        return FALSE;
    // A group's descendants go with it, and so do their map entries.
    ForgetSubtree(hItem);
    DeleteItem(hItem);
    return TRUE;
}

HTREEITEM CLayerTreeCtrl::CopySubtree(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hAfter)
{
    const LayerFeature* pRecord = GetItemLayer(hItem);
    if (pRecord == nullptr)
        return nullptr;
    HTREEITEM hCopy = InsertLayerItem(hNewParent, GetItemText(hItem), *pRecord, hAfter);
    if (hCopy == nullptr)
        return nullptr;
    for (HTREEITEM h = GetChildItem(hItem); h != nullptr; h = GetNextSiblingItem(h))
        CopySubtree(h, hCopy, TVI_LAST);
    return hCopy;
}

BOOL CLayerTreeCtrl::MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hAfter)
{
    // Items inside the moved subtree are replaced by copies: remember them by id.
    const LayerFeature* pSelected = GetItemLayer(m_hSelectedItem);
    const long selectedID = pSelected != nullptr ? pSelected->GetLayerID() : -2;
    SetRedraw(FALSE);
    // The copies go into the map over the old entries (each insertion stores its item).
    HTREEITEM hCopy = CopySubtree(hItem, hNewParent, hAfter);
    if (hCopy != nullptr) {
        m_hPressedItem = nullptr;
        DeleteItem(hItem);
        if (selectedID != -2)
            m_hSelectedItem = FindLayerItem(selectedID);
    }
    SetRedraw(TRUE);
    Invalidate();
    return hCopy != nullptr;
}

BOOL CLayerTreeCtrl::MoveLayerItemInto(long nLayerID, long nGroupID, int nIndex)
{
    HTREEITEM hItem = FindLayerItem(nLayerID);
    HTREEITEM hGroup = FindLayerItem(nGroupID);
    if (hItem == nullptr || hGroup == nullptr)
        return FALSE;
    HTREEITEM hAfter = TVI_LAST;
    const int count = GetChildCount(hGroup);
    if (nIndex == 0) {
        hAfter = TVI_FIRST;
    } else if (nIndex > 0 && nIndex < count) {
        hAfter = GetChildItemAt(hGroup, nIndex);
        // Below its old place the item still counts among the children: one place up.
        if (GetParentItem(hItem) == hGroup && GetSiblingIndex(hItem) > nIndex) {
            HTREEITEM hPrev = GetPrevSiblingItem(hAfter);
            hAfter = hPrev != nullptr ? hPrev : TVI_FIRST;
        }
    }
    if (hAfter == hItem) {
        HTREEITEM hPrev = GetPrevSiblingItem(hItem);
        hAfter = hPrev != nullptr ? hPrev : TVI_FIRST;
    }
    return MoveItem(hItem, hGroup, hAfter);
}

BOOL CLayerTreeCtrl::MoveLayerItemToGroupEnd(long nLayerID, long nGroupID)
{
    return MoveLayerItemInto(nLayerID, nGroupID, -1);
}

BOOL CLayerTreeCtrl::MoveLayerItemAfter(long nLayerID, long nOtherID)
{
    HTREEITEM hItem = FindLayerItem(nLayerID);
    HTREEITEM hOther = FindLayerItem(nOtherID);
    if (hItem == nullptr || hOther == nullptr || hItem == hOther)
        return FALSE;
    HTREEITEM hParent = GetParentItem(hOther);
    return MoveItem(hItem, hParent != nullptr ? hParent : TVI_ROOT, hOther);
}

BOOL CLayerTreeCtrl::MoveLayerItemBefore(long nLayerID, long nOtherID)
{
    HTREEITEM hItem = FindLayerItem(nLayerID);
    HTREEITEM hOther = FindLayerItem(nOtherID);
    if (hItem == nullptr || hOther == nullptr || hItem == hOther)
        return FALSE;
    HTREEITEM hParent = GetParentItem(hOther);
    HTREEITEM hPrev = GetPrevSiblingItem(hOther);
    if (hPrev == hItem) {
        // Already there.
        hPrev = GetPrevSiblingItem(hItem);
    }
    return MoveItem(hItem, hParent != nullptr ? hParent : TVI_ROOT, hPrev != nullptr ? hPrev : TVI_FIRST);
}

HTREEITEM CLayerTreeCtrl::FindLayerItem(long nLayerID) const
{
    HTREEITEM hItem = nullptr;
    return m_layerMap.Lookup(nLayerID, hItem) ? hItem : nullptr;
}

BOOL CLayerTreeCtrl::SelectLayerItem(long nLayerID)
{
    HTREEITEM hItem = FindLayerItem(nLayerID);
    if (hItem == nullptr)
        return FALSE;
    Select(hItem, TVGN_CARET);
    return TRUE;
}

LayerFeature* CLayerTreeCtrl::GetItemLayer(HTREEITEM hItem) const
{
    if (hItem == nullptr || GetSafeHwnd() == nullptr)
        return nullptr;
    return reinterpret_cast<LayerFeature*>(GetItemData(hItem));
}

BOOL CLayerTreeCtrl::IsItemSelectable(HTREEITEM hItem) const
{
    const LayerFeature* pRecord = GetItemLayer(hItem);
    if (pRecord == nullptr)
        return FALSE;
    return pRecord->IsGroup() ? (m_wOptions & optGroupsSelectable) != 0 : (m_wOptions & optLayersSelectable) != 0;
}

void CLayerTreeCtrl::GetGroupCommonValues(HTREEITEM hGroupItem, LayerFeature*& pCommon, int* pState) const
{
    int state = -1;
    std::vector<HTREEITEM> stack;
    for (HTREEITEM h = GetChildItem(hGroupItem); h != nullptr; h = GetNextSiblingItem(h))
        stack.push_back(h);
    // Depth first in tree order.
    std::vector<HTREEITEM> order;
    std::vector<HTREEITEM> todo(stack.rbegin(), stack.rend());
    while (!todo.empty()) {
        HTREEITEM h = todo.back();
        todo.pop_back();
        order.push_back(h);
        std::vector<HTREEITEM> children;
        for (HTREEITEM c = GetChildItem(h); c != nullptr; c = GetNextSiblingItem(c))
            children.push_back(c);
        todo.insert(todo.end(), children.rbegin(), children.rend());
    }
    for (HTREEITEM h : order) {
        const LayerFeature* pRecord = GetItemLayer(h);
        if (pRecord == nullptr || pRecord->IsGroup())
            continue;
        if (pCommon == nullptr) {
            pCommon = new LayerFeature(*pRecord);
            pCommon->SetGroup(TRUE);
            state = pRecord->GetLayerState();
            continue;
        }
        if (state != pRecord->GetLayerState())
            state = 3;
        if (pCommon->GetColorNo() != pRecord->GetColorNo())
            pCommon->SetColorNo(-1);
        if (pCommon->GetLineTypeNo() != pRecord->GetLineTypeNo())
            pCommon->SetLineTypeNo(-1);
        if (pCommon->GetLineWidthNo() != pRecord->GetLineWidthNo())
            pCommon->SetLineWidthNo(-1);
        if (pCommon->IsHide() != pRecord->IsHide())
            pCommon->SetHide(FALSE);
        if (pCommon->IsPrintable() != pRecord->IsPrintable())
            pCommon->SetPrintable(FALSE);
    }
    if (pState != nullptr)
        *pState = state;
}

void CLayerTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    if (hItem != nullptr && (flags & TVHT_ONITEM) && !IsItemSelectable(hItem))
        return;
    m_hPressedItem = hItem;
    CQZ2TreeCtrl::OnLButtonDown(nFlags, point);
}

void CLayerTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    const BOOL onCheck = hItem != nullptr && hItem == m_hPressedItem && (flags & TVHT_ONITEMSTATEICON) &&
                         (GetStyle() & TVS_CHECKBOXES);
    m_hPressedItem = nullptr;
    CQZ2TreeCtrl::OnLButtonUp(nFlags, point);
    // The box changes as the button comes up.
    if (onCheck)
        OnItemCheckChanged(hItem);
}

void CLayerTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    if (hItem != nullptr && (flags & TVHT_ONITEM) && !IsItemSelectable(hItem))
        return;
    m_hPressedItem = hItem;
    if (hItem != nullptr)
        Select(hItem, TVGN_CARET);
    CQZ2TreeCtrl::OnRButtonDown(nFlags, point);
}

void CLayerTreeCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    m_hPressedItem = nullptr;
    CQZ2TreeCtrl::OnRButtonUp(nFlags, point);
}

void CLayerTreeCtrl::OnRClickReflect(NMHDR*, LRESULT* pResult)
{
    CPoint pt;
    GetCursorPos(&pt);
    CPoint client = pt;
    ScreenToClient(&client);
    UINT flags = 0;
    HTREEITEM hItem = HitTest(client, &flags);
    if (hItem != nullptr && !IsItemSelectable(hItem)) {
        *pResult = 1;
        return;
    }
    m_hSelectedItem = hItem;
    SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetSafeHwnd()), MAKELPARAM(pt.x, pt.y));
    *pResult = 1;
}

BOOL CLayerTreeCtrl::OnSelChangedReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pnm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    m_hSelectedItem = pnm->itemNew.hItem;
    *pResult = 0;
    return FALSE;  // the parent hears of it too
}

void CLayerTreeCtrl::OnItemExpandingReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pnm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    *pResult = 0;
    if ((pnm->action & TVE_COLLAPSE) && pnm->itemNew.hItem == GetRootItem()) {
        const LayerFeature* pRecord = GetItemLayer(pnm->itemNew.hItem);
        if (pRecord != nullptr && pRecord->GetLayerID() == kRootID)
            *pResult = 1;
    }
}

void CLayerTreeCtrl::OnDeleteItemReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pnm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    delete reinterpret_cast<LayerFeature*>(pnm->itemOld.lParam);
    *pResult = 0;
}

void CLayerTreeCtrl::OnCustomDrawReflect(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pcd = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    switch (pcd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT: {
        const auto* pRecord = reinterpret_cast<const LayerFeature*>(pcd->nmcd.lItemlParam);
        if (pRecord != nullptr && pRecord->IsHide() && !IsCurrentLayer(pRecord))
            pcd->clrText = GetSysColor(COLOR_GRAYTEXT);
        *pResult = CDRF_NOTIFYPOSTPAINT;
        return;
    }
    default:
        *pResult = CDRF_DODEFAULT;
        return;
    }
}
