#include "structure/CDrawComponentListCtrl.h"

#include <algorithm>
#include <vector>

#include <QtCore/Qt>
#include <QtGui/QImage>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CDrawComponentListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CDrawComponentListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT_EX(LVN_GETDISPINFO, &CDrawComponentListCtrl::OnGetDispInfo)
END_MESSAGE_MAP()

namespace {

int CALLBACK CompareByName(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const auto* pList = reinterpret_cast<const CDrawComponentListCtrl*>(lParamSort);
    const DrawComponent2dFeatureDefineTable* pTable =
        pList->GetDocument() != nullptr ? pList->GetDocument()->GetComponentDefineTable() : nullptr;
    if (pTable == nullptr)
        return 0;
    const auto* p1 = reinterpret_cast<const CDrawComponentListCtrl::DrawComponentInfo*>(lParam1);
    const auto* p2 = reinterpret_cast<const CDrawComponentListCtrl::DrawComponentInfo*>(lParam2);
    return pTable->GetComponentDefineName(p1->nComponentID).CompareNoCase(pTable->GetComponentDefineName(p2->nComponentID));
}

}  // namespace

CDrawComponentListCtrl::CDrawComponentListCtrl() = default;

CDrawComponentListCtrl::~CDrawComponentListCtrl()
{
    ResetList();
}

BOOL CDrawComponentListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CListCtrl::Create(dwStyle | LVS_SINGLESEL | LVS_SHOWSELALWAYS, rect, pParentWnd, nID);
}

int CDrawComponentListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    EnsureImageLists();
    return 0;
}

void CDrawComponentListCtrl::OnDestroy()
{
    // The records are the items' data: freed while the items still exist.
    ResetList();
    CListCtrl::OnDestroy();
}

void CDrawComponentListCtrl::EnsureImageLists()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_largeImages.GetSafeHandle() == nullptr && m_largeImages.Create(kLargeIconSize, kLargeIconSize, ILC_COLORDDB, 1, 1))
        SetImageList(&m_largeImages, LVSIL_NORMAL);
    if (m_smallImages.GetSafeHandle() == nullptr && m_smallImages.Create(kSmallIconSize, kSmallIconSize, ILC_COLORDDB, 1, 1))
        SetImageList(&m_smallImages, LVSIL_SMALL);
}

BOOL CDrawComponentListCtrl::SetDocument(Draw2dDocument* pDocument)
{
    ResetList();
    m_pDocument = pDocument;
    const DrawComponent2dFeatureDefineTable* pTable = pDocument != nullptr ? pDocument->GetComponentDefineTable() : nullptr;
    if (pTable == nullptr || GetSafeHwnd() == nullptr)
        return TRUE;
    SetRedraw(FALSE);
    SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(pTable->GetComponentDefineCount()));
    for (int i = 0; i < pTable->GetComponentDefineCount(); ++i)
        InsertComponent(pTable->GetComponentDefineByIndex(i), FALSE);
    SortByName();
    SetRedraw(TRUE);
    RedrawWindow();
    return TRUE;
}

void CDrawComponentListCtrl::ResetList()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const int count = GetItemCount();
    if (count > 0) {
        std::vector<DrawComponentInfo*> records;
        for (int i = 0; i < count; ++i)
            records.push_back(reinterpret_cast<DrawComponentInfo*>(GetItemData(i)));
        DeleteAllItems();
        for (DrawComponentInfo* p : records)
            delete p;
    }
    // The pictures go too; they are made again for the next items.
    SetImageList(nullptr, LVSIL_NORMAL);
    SetImageList(nullptr, LVSIL_SMALL);
    m_largeImages.DeleteImageList();
    m_smallImages.DeleteImageList();
}

int CDrawComponentListCtrl::InsertComponent(const DrawComponent2dFeatureDefine* pDefine, BOOL bSort)
{
    if (pDefine == nullptr || GetSafeHwnd() == nullptr)
        return -1;
    EnsureImageLists();
    auto* pInfo = new DrawComponentInfo;
    pInfo->nComponentID = pDefine->GetComponentId();
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = GetItemCount();
    const CString name = pDefine->GetComponentName();
    item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(name));
    item.iImage = I_IMAGECALLBACK;
    item.lParam = reinterpret_cast<LPARAM>(pInfo);
    const int index = InsertItem(&item);
    if (index < 0) {
        delete pInfo;
        return -1;
    }
    if (bSort) {
        SortByName();
        return FindComponent(pInfo->nComponentID);
    }
    return index;
}

void CDrawComponentListCtrl::SortByName()
{
    SortItems(&CompareByName, reinterpret_cast<DWORD_PTR>(this));
}

BOOL CDrawComponentListCtrl::RemoveComponent(long nComponentID)
{
    const int index = FindComponent(nComponentID);
    if (index < 0)
        return FALSE;
    auto* pInfo = reinterpret_cast<DrawComponentInfo*>(GetItemData(index));
    DeleteItem(index);
    // Only real images are removed: an image list told to remove -1 would remove them all.
    if (pInfo->nLargeImage >= 0)
        m_largeImages.Remove(pInfo->nLargeImage);
    if (pInfo->nSmallImage >= 0)
        m_smallImages.Remove(pInfo->nSmallImage);
    for (int i = 0; i < GetItemCount(); ++i) {
        auto* pOther = reinterpret_cast<DrawComponentInfo*>(GetItemData(i));
        if (pInfo->nLargeImage >= 0 && pOther->nLargeImage > pInfo->nLargeImage)
            --pOther->nLargeImage;
        if (pInfo->nSmallImage >= 0 && pOther->nSmallImage > pInfo->nSmallImage)
            --pOther->nSmallImage;
    }
    delete pInfo;
    if (GetItemCount() > 0) {
        SortByName();
        const int select = std::min(index, GetItemCount() - 1);
        SelectComponent(reinterpret_cast<DrawComponentInfo*>(GetItemData(select))->nComponentID);
    }
    Invalidate();
    return TRUE;
}

BOOL CDrawComponentListCtrl::RenameComponent(long nComponentID, const CString& strName)
{
    const int index = FindComponent(nComponentID);
    if (index < 0)
        return FALSE;
    SetItemText(index, 0, strName);
    SortByName();
    return TRUE;
}

BOOL CDrawComponentListCtrl::InvalidateThumbnail(long nComponentID)
{
    const int index = FindComponent(nComponentID);
    if (index < 0)
        return FALSE;
    reinterpret_cast<DrawComponentInfo*>(GetItemData(index))->bStale = TRUE;
    CRect rc;
    if (GetItemRect(index, &rc, LVIR_BOUNDS))
        InvalidateRect(&rc, FALSE);
    return TRUE;
}

BOOL CDrawComponentListCtrl::InvalidateAllThumbnails()
{
    for (int i = 0; i < GetItemCount(); ++i)
        reinterpret_cast<DrawComponentInfo*>(GetItemData(i))->bStale = TRUE;
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
    return TRUE;
}

int CDrawComponentListCtrl::FindComponent(long nComponentID) const
{
    if (GetSafeHwnd() == nullptr)
        return -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        const auto* pInfo = reinterpret_cast<const DrawComponentInfo*>(GetItemData(i));
        if (pInfo != nullptr && pInfo->nComponentID == nComponentID)
            return i;
    }
    return -1;
}

const CDrawComponentListCtrl::DrawComponentInfo* CDrawComponentListCtrl::GetInfo(int nItem) const
{
    return nItem >= 0 && nItem < GetItemCount() ? reinterpret_cast<const DrawComponentInfo*>(GetItemData(nItem))
                                                : nullptr;
}

BOOL CDrawComponentListCtrl::SelectComponent(long nComponentID)
{
    const int index = FindComponent(nComponentID);
    if (index < 0)
        return FALSE;
    // One selected item at a time.
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
        if (i != index)
            SetItemState(i, 0, LVIS_SELECTED);
    SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(index, FALSE);
    return TRUE;
}

long CDrawComponentListCtrl::GetSelectedComponentID() const
{
    if (GetSafeHwnd() == nullptr)
        return -1;
    const int index = GetNextItem(-1, LVNI_SELECTED);
    const DrawComponentInfo* pInfo = GetInfo(index);
    return pInfo != nullptr ? pInfo->nComponentID : -1;
}

void CDrawComponentListCtrl::SetViewMode(int nMode)
{
    ModifyStyle(LVS_TYPEMASK, nMode == 1 ? LVS_ICON : LVS_LIST);
    Invalidate();
}

BOOL CDrawComponentListCtrl::IsIconView() const
{
    return (GetStyle() & LVS_TYPEMASK) == LVS_ICON;
}

void CDrawComponentListCtrl::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CListCtrl::OnWindowPosChanged(lpwndpos);
    Arrange(LVA_DEFAULT);
}

BOOL CDrawComponentListCtrl::MakeImages(DrawComponentInfo& info)
{
    const DrawComponent2dFeatureDefineTable* pTable =
        m_pDocument != nullptr ? m_pDocument->GetComponentDefineTable() : nullptr;
    const QImage* pThumbnail = pTable != nullptr ? pTable->GetThumbnailImage(info.nComponentID) : nullptr;
    if (pThumbnail == nullptr || pThumbnail->isNull())
        return FALSE;
    EnsureImageLists();
    const QImage large = pThumbnail->scaled(kLargeIconSize, kLargeIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage small = pThumbnail->scaled(kSmallIconSize, kSmallIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    CBitmap largeBitmap;
    CBitmap smallBitmap;
    if (!largeBitmap.CreateFromImage(large) || !smallBitmap.CreateFromImage(small))
        return FALSE;
    if (info.nLargeImage >= 0)
        m_largeImages.Replace(info.nLargeImage, &largeBitmap, nullptr);
    else
        info.nLargeImage = m_largeImages.Add(&largeBitmap, static_cast<CBitmap*>(nullptr));
    if (info.nSmallImage >= 0)
        m_smallImages.Replace(info.nSmallImage, &smallBitmap, nullptr);
    else
        info.nSmallImage = m_smallImages.Add(&smallBitmap, static_cast<CBitmap*>(nullptr));
    info.bStale = FALSE;
    ++m_nImagesMade;
    return TRUE;
}

BOOL CDrawComponentListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pDisp = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    *pResult = 0;
    if (!(pDisp->item.mask & LVIF_IMAGE))
        return FALSE;
    auto* pInfo = reinterpret_cast<DrawComponentInfo*>(pDisp->item.lParam);
    if (pInfo == nullptr)
        pInfo = reinterpret_cast<DrawComponentInfo*>(GetItemData(pDisp->item.iItem));
    if (pInfo == nullptr)
        return FALSE;
    if (pInfo->bStale)
        MakeImages(*pInfo);
    pDisp->item.iImage = IsIconView() ? pInfo->nLargeImage : pInfo->nSmallImage;
    return FALSE;
}
