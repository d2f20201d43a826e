#include "settings/CUserDefinedHatchPatternListCtrl.h"

#include <memory>

#include <QtGui/QImage>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/HatchPatternBase.h"
#include "libs/vevure/HatchPatternTable.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CUserDefinedHatchPatternListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CUserDefinedHatchPatternListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, &CUserDefinedHatchPatternListCtrl::OnDeleteItem)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUserDefinedHatchPatternListCtrl::CUserDefinedHatchPatternListCtrl() = default;

CUserDefinedHatchPatternListCtrl::~CUserDefinedHatchPatternListCtrl()
{
    // The window goes while the pictures and this class's handlers still exist.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CUserDefinedHatchPatternListCtrl::SetDocument(Draw2dDocument* pDocument, long nLayerID)
{
    m_pDocument = pDocument;
    m_nLayerID = nLayerID;
}

BOOL CUserDefinedHatchPatternListCtrl::SetImageSize(const SIZE& size)
{
    if (size.cx < 1 || size.cy < 1)
        return FALSE;
    m_nImageWidth = size.cx;
    m_nImageHeight = size.cy;
    return TRUE;
}

int CUserDefinedHatchPatternListCtrl::StorePicture(const HatchPatternBase* pPattern, int nImage)
{
    std::unique_ptr<QImage> pImage(DrawingManager::CreateHatchPatternImage(m_pDocument, pPattern, m_nLayerID,
                                                                           m_nImageWidth, m_nImageHeight, 0xFFFFFF));
    CBitmap bitmap;
    if (!pImage || pImage->isNull() || !bitmap.CreateFromImage(*pImage))
        return -1;
    if (nImage >= 0 && nImage < m_imageList.GetImageCount())
        return m_imageList.Replace(nImage, &bitmap, nullptr) ? nImage : -1;
    return m_imageList.Add(&bitmap, static_cast<CBitmap*>(nullptr));
}

void CUserDefinedHatchPatternListCtrl::ArrangeIcons()
{
    if (GetItemCount() > 0) {
        CRect icon, label;
        GetItemRect(0, &icon, LVIR_ICON);
        GetItemRect(0, &label, LVIR_LABEL);
        SetIconSpacing(m_nImageWidth + 20, icon.Height() + label.Height() + 10);
    }
    Arrange(LVA_DEFAULT);
}

BOOL CUserDefinedHatchPatternListCtrl::FillPatterns()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    SetImageList(nullptr, LVSIL_NORMAL);
    m_imageList.DeleteImageList();
    if (!m_imageList.Create(m_nImageWidth, m_nImageHeight, ILC_COLORDDB, 1, 1))
        return FALSE;
    SetImageList(&m_imageList, LVSIL_NORMAL);
    const HatchPatternTable* pTable = m_pDocument != nullptr ? m_pDocument->GetHatchPatternTable() : nullptr;
    for (int i = 0; pTable != nullptr && i < pTable->GetHatchPatternCount(); ++i) {
        const HatchPatternBase* pPattern = pTable->GetHatchPatternByIndex(i);
        const int nImage = StorePicture(pPattern, -1);
        HatchPatternBase* pCopy = pPattern->Clone();
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(pCopy->GetPatternName()));
        item.iImage = nImage;
        item.lParam = reinterpret_cast<LPARAM>(pCopy);
        if (InsertItem(&item) < 0)
            delete pCopy;
    }
    ArrangeIcons();
    return TRUE;
}

int CUserDefinedHatchPatternListCtrl::AddPattern(const HatchPatternBase* pPattern)
{
    if (pPattern == nullptr || GetSafeHwnd() == nullptr)
        return -1;
    const int nImage = StorePicture(pPattern, -1);
    HatchPatternBase* pCopy = pPattern->Clone();
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = GetItemCount();
    item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(pCopy->GetPatternName()));
    item.iImage = nImage;
    item.lParam = reinterpret_cast<LPARAM>(pCopy);
    const int nIndex = InsertItem(&item);
    if (nIndex < 0) {
        delete pCopy;
        return -1;
    }
    ArrangeIcons();
    return nIndex;
}

BOOL CUserDefinedHatchPatternListCtrl::UpdatePatternAt(int nIndex, const HatchPatternBase* pPattern)
{
    if (pPattern == nullptr || GetSafeHwnd() == nullptr || nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    LVITEM item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = nIndex;
    if (!GetItem(&item))
        return FALSE;
    auto* pOld = reinterpret_cast<HatchPatternBase*>(item.lParam);
    // Without a new picture the item keeps its old one.
    const int nImage = StorePicture(pPattern, item.iImage);
    HatchPatternBase* pCopy = pPattern->Clone();
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(pCopy->GetPatternName()));
    if (nImage >= 0)
        item.iImage = nImage;
    item.lParam = reinterpret_cast<LPARAM>(pCopy);
    if (!SetItem(&item)) {
        delete pCopy;
        return FALSE;
    }
    delete pOld;
    RedrawItems(nIndex, nIndex);
    return TRUE;
}

HatchPatternBase* CUserDefinedHatchPatternListCtrl::GetPatternAt(int nIndex) const
{
    if (GetSafeHwnd() == nullptr || nIndex < 0 || nIndex >= GetItemCount())
        return nullptr;
    return reinterpret_cast<HatchPatternBase*>(GetItemData(nIndex));
}

long CUserDefinedHatchPatternListCtrl::GetPatternIDAt(int nIndex) const
{
    const HatchPatternBase* pPattern = GetPatternAt(nIndex);
    return pPattern != nullptr ? pPattern->GetPatternID() : -1;
}

long CUserDefinedHatchPatternListCtrl::GetSelectedPatternID() const
{
    if (GetSafeHwnd() == nullptr)
        return -1;
    return GetPatternIDAt(GetNextItem(-1, LVNI_SELECTED));
}

BOOL CUserDefinedHatchPatternListCtrl::SelectPatternID(long nPatternID)
{
    if (GetSafeHwnd() == nullptr || GetItemCount() == 0)
        return FALSE;
    if (nPatternID == -1) {
        for (int i = GetNextItem(-1, LVNI_SELECTED); i != -1; i = GetNextItem(i, LVNI_SELECTED))
            SetItemState(i, 0, LVIS_SELECTED);
        return TRUE;
    }
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetPatternIDAt(i) != nPatternID)
            continue;
        for (int j = GetNextItem(-1, LVNI_SELECTED); j != -1; j = GetNextItem(j, LVNI_SELECTED))
            if (j != i)
                SetItemState(j, 0, LVIS_SELECTED);
        SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EnsureVisible(i, FALSE);
        return TRUE;
    }
    return FALSE;
}

void CUserDefinedHatchPatternListCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    delete reinterpret_cast<HatchPatternBase*>(pInfo->lParam);
    *pResult = 0;
}

void CUserDefinedHatchPatternListCtrl::OnDestroy()
{
    // The copies die with the items, also when the window goes.
    DeleteAllItems();
    CListCtrl::OnDestroy();
}
