#include "structure/CDrawingListCtrl.h"

#include <algorithm>
#include <memory>

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/DrawingManager.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CEdit.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CDrawingListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CDrawingListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SETFONT, &CDrawingListCtrl::OnSetFontMessage)
    ON_NOTIFY_REFLECT_EX(LVN_GETDISPINFO, &CDrawingListCtrl::OnGetDispInfo)
    ON_NOTIFY_REFLECT_EX(LVN_BEGINLABELEDIT, &CDrawingListCtrl::OnBeginLabelEdit)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, &CDrawingListCtrl::OnItemChanged)
    ON_NOTIFY_REFLECT_EX(LVN_BEGINDRAG, &CDrawingListCtrl::OnBeginDrag)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CDrawingListCtrl::OnCustomDraw)
END_MESSAGE_MAP()

namespace {
constexpr UINT kStateBitmap = 401;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
// Caption string, width and alignment of the report columns.
struct ColumnSpec {
    UINT nCaption;
    int nWidth;
    int nFormat;
};
constexpr ColumnSpec kColumns[] = {{10136, 150, LVCFMT_LEFT}, {10137, 50, LVCFMT_LEFT},  {10138, 70, LVCFMT_RIGHT},
                                   {10139, 70, LVCFMT_RIGHT}, {10140, 70, LVCFMT_RIGHT}, {10141, 50, LVCFMT_LEFT},
                                   {10142, 70, LVCFMT_RIGHT}};
constexpr int kColumnCount = 7;
// The activation box before the name in the report style.
constexpr int kLeadWidth = 18;
}  // namespace

CDrawingListCtrl::CDrawingListCtrl() = default;

CDrawingListCtrl::~CDrawingListCtrl()
{
    for (Item* p : m_items)
        delete p;
    m_items.clear();
}

// ---- records -------------------------------------------------------------------------------------

void CDrawingListCtrl::SetDocument(Draw2dDocument* pDocument)
{
    m_pDocument = pDocument;
    Refill();
}

void CDrawingListCtrl::Refill()
{
    RemoveAllItems();
    if (m_pDocument == nullptr)
        return;
    for (int i = 0; i < m_pDocument->GetDrawingFeatureCount(); ++i) {
        const DrawingFeatureBase* pDrawing = m_pDocument->GetDrawingFeatureByIndex(i);
        if (pDrawing != nullptr && pDrawing->IsPaperFeature())
            AddItem(pDrawing->GetDrawingID(), pDrawing->GetDrawingName(), pDrawing->GetDrawingState(),
                    pDrawing->IsPrintable() ? 1 : 0);
    }
    SetActiveItem(m_pDocument->GetActiveDrawingID());
}

BOOL CDrawingListCtrl::AddItem(long nID, const CString& strName, int nState, int nPrintable)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    auto* pItem = new Item;
    pItem->nID = nID;
    pItem->strName = strName;
    pItem->nState = nState;
    pItem->nPrintable = nPrintable;
    const int row = static_cast<int>(m_items.size());
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = LPSTR_TEXTCALLBACK;
    item.iImage = I_IMAGECALLBACK;
    item.lParam = static_cast<LPARAM>(nID);
    m_items.push_back(pItem);
    if (InsertItem(&item) < 0) {
        m_items.pop_back();
        delete pItem;
        return FALSE;
    }
    // A blank picture holds the row's place until the thumbnail is drawn.
    if (m_iconImages.GetSafeHandle() != nullptr) {
        QImage blank(kIconSize, kIconSize, QImage::Format_RGB32);
        blank.fill(Qt::white);
        CBitmap bitmap;
        bitmap.CreateFromImage(blank);
        m_iconImages.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    }
    ShowStatePicture(row);
    return TRUE;
}

BOOL CDrawingListCtrl::UpdateItem(long nID, const CString& strName, int nState, int nPrintable)
{
    const int row = FindItem(nID);
    if (row < 0)
        return FALSE;
    Item* pItem = m_items[static_cast<size_t>(row)];
    pItem->strName = strName;
    pItem->nState = nState;
    pItem->nPrintable = nPrintable;
    pItem->bEditLock = TRUE;
    ShowStatePicture(row);
    RedrawItems(row, row);
    return TRUE;
}

BOOL CDrawingListCtrl::RemoveItem(long nID)
{
    const int row = FindItem(nID);
    if (row < 0)
        return FALSE;
    DeleteItem(row);
    delete m_items[static_cast<size_t>(row)];
    m_items.erase(m_items.begin() + row);
    // The row's picture goes with it, or the later rows would show their neighbours' pictures.
    if (m_iconImages.GetSafeHandle() != nullptr && row < m_iconImages.GetImageCount())
        m_iconImages.Remove(row);
    m_reportedSelection.clear();
    Arrange(LVA_SNAPTOGRID);
    return TRUE;
}

BOOL CDrawingListCtrl::RemoveAllItems()
{
    const BOOL bHad = !m_items.empty();
    if (GetSafeHwnd() != nullptr)
        DeleteAllItems();
    for (Item* p : m_items)
        delete p;
    m_items.clear();
    m_reportedSelection.clear();
    if (m_iconImages.GetSafeHandle() != nullptr)
        while (m_iconImages.GetImageCount() > 0)
            m_iconImages.Remove(0);
    return bHad;
}

BOOL CDrawingListCtrl::SetActiveItem(long nID)
{
    BOOL bFound = FALSE;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const BOOL bActive = m_items[i]->nID == nID;
        bFound = bFound || bActive;
        if (m_items[i]->bActive != bActive) {
            m_items[i]->bActive = bActive;
            RedrawItems(static_cast<int>(i), static_cast<int>(i));
        }
    }
    return bFound;
}

int CDrawingListCtrl::FindItem(long nID) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->nID == nID)
            return static_cast<int>(i);
    return -1;
}

long CDrawingListCtrl::GetItemID(int nRow) const
{
    const Item* p = GetItemRecord(nRow);
    return p != nullptr ? p->nID : -1;
}

const CDrawingListCtrl::Item* CDrawingListCtrl::GetItemRecord(int nRow) const
{
    return nRow >= 0 && nRow < static_cast<int>(m_items.size()) ? m_items[static_cast<size_t>(nRow)] : nullptr;
}

void CDrawingListCtrl::SelectItemsByID(const std::vector<long>& ids)
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        const BOOL bSelect = std::find(ids.begin(), ids.end(), m_items[i]->nID) != ids.end();
        SetItemState(static_cast<int>(i), bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
}

BOOL CDrawingListCtrl::FocusItemByID(long nID)
{
    const int row = FindItem(nID);
    return row >= 0 && SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
}

int CDrawingListCtrl::GetFocusedItem() const
{
    return GetSafeHwnd() != nullptr ? GetNextItem(-1, LVNI_FOCUSED) : -1;
}

std::vector<int> CDrawingListCtrl::GetSelectedRows() const
{
    std::vector<int> rows;
    if (GetSafeHwnd() == nullptr)
        return rows;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void CDrawingListCtrl::InvalidateFeatureCounts()
{
    for (Item* p : m_items)
        p->nFeatureCount = -1;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CDrawingListCtrl::InvalidateImages()
{
    for (Item* p : m_items)
        p->bImageStale = TRUE;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CDrawingListCtrl::SetImageOption(int nOption)
{
    m_nImageOption = nOption;
    InvalidateImages();
}

// ---- styles --------------------------------------------------------------------------------------

void CDrawingListCtrl::SetReportStyle()
{
    ModifyStyle(LVS_TYPEMASK, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER);
    SetWorkAreas(0, nullptr);
    while (DeleteColumn(0)) {
    }
    for (int i = 0; i < kColumnCount; ++i)
        InsertColumn(i, LoadResourceString(kColumns[i].nCaption), kColumns[i].nFormat, kColumns[i].nWidth);
    m_nStyle = 0;
    for (int row = 0; row < GetItemCount(); ++row)
        ShowStatePicture(row);
}

void CDrawingListCtrl::SetIconStyle()
{
    ModifyStyle(LVS_TYPEMASK | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER, LVS_ICON | LVS_SHOWSELALWAYS);
    SetWorkAreas(0, nullptr);
    Arrange(LVA_DEFAULT);
    m_nStyle = 1;
    for (int row = 0; row < GetItemCount(); ++row)
        ShowStatePicture(row);
}

void CDrawingListCtrl::SetStripStyle()
{
    ModifyStyle(LVS_TYPEMASK | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER, LVS_ICON | LVS_SHOWSELALWAYS);
    // One work area far wider than it is high: the icons form a single row.
    const int cx = kIconSize + 16;
    const int cy = kIconSize + 32;
    CRect area(0, 0, cx * 1000, cy);
    SetWorkAreas(1, &area);
    Arrange(LVA_DEFAULT);
    m_nStyle = 1;
    for (int row = 0; row < GetItemCount(); ++row)
        ShowStatePicture(row);
}

// ---- creation and fonts --------------------------------------------------------------------------

int CDrawingListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_INFOTIP);
    if (m_stateImages.Create(kStateBitmap, 16, 1, kMagenta))
        SetImageList(&m_stateImages, LVSIL_STATE);
    if (m_iconImages.Create(kIconSize, kIconSize, ILC_COLOR24, 0, 8))
        SetImageList(&m_iconImages, LVSIL_NORMAL);
    if ((GetStyle() & LVS_TYPEMASK) == LVS_REPORT)
        SetReportStyle();
    RebuildBoldFont();
    return 0;
}

LRESULT CDrawingListCtrl::OnSetFontMessage(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    RebuildBoldFont();
    return result;
}

void CDrawingListCtrl::RebuildBoldFont()
{
    LOGFONT lf{};
    CFont* pFont = GetFont();
    if (pFont == nullptr || !pFont->GetLogFont(&lf))
        return;
    lf.lfWeight = FW_BOLD;
    m_boldFont.DeleteObject();
    m_boldFont.CreateFontIndirect(&lf);
}

// ---- geometry ------------------------------------------------------------------------------------

CRect CDrawingListCtrl::ColumnRect(int nRow, int nColumn) const
{
    CRect bounds;
    if (!GetItemRect(nRow, &bounds, LVIR_BOUNDS))
        return CRect();
    CRect label;
    GetItemRect(nRow, &label, LVIR_LABEL);
    int left = label.left;
    for (int i = 0; i < nColumn; ++i)
        left += GetColumnWidth(i);
    return CRect(left, bounds.top, left + GetColumnWidth(nColumn), bounds.bottom);
}

CRect CDrawingListCtrl::NameRect(int nRow) const
{
    CRect rc = ColumnRect(nRow, 0);
    rc.left += kLeadWidth;
    const Item* p = GetItemRecord(nRow);
    if (p != nullptr) {
        const int width = GetStringWidth(p->strName) + 4;
        rc.right = std::min<int>(rc.right, rc.left + width);
    }
    return rc;
}

int CDrawingListCtrl::ImageOf(int nState) const
{
    return nState == 1 ? 7 : nState == 2 ? 4 : 3;
}

int CDrawingListCtrl::HitTestPart(CPoint point, int& nPart) const
{
    nPart = -1;
    if (GetSafeHwnd() == nullptr)
        return -1;
    if (m_nStyle == 0) {
        LVHITTESTINFO info{};
        info.pt = point;
        const int row = const_cast<CDrawingListCtrl*>(this)->SubItemHitTest(&info);
        if (row < 0)
            return -1;
        const CRect name = NameRect(row);
        const CRect column0 = ColumnRect(row, 0);
        const CRect lead(column0.left + 1, column0.top + (column0.Height() - 16) / 2, column0.left + 17,
                         column0.top + (column0.Height() - 16) / 2 + 16);
        const CRect column1 = ColumnRect(row, 1);
        const CRect state(column1.left + 1, column1.top + (column1.Height() - 16) / 2, column1.left + 17,
                          column1.top + (column1.Height() - 16) / 2 + 16);
        const CRect column5 = ColumnRect(row, 5);
        const CRect check(column5.left + 1, column5.top + (column5.Height() - 14) / 2, column5.left + 15,
                          column5.top + (column5.Height() - 14) / 2 + 14);
        if (name.PtInRect(point))
            nPart = partName;
        else if (lead.PtInRect(point))
            nPart = partActivate;
        else if (state.PtInRect(point))
            nPart = partState;
        else if (check.PtInRect(point))
            nPart = partPrintable;
        return row;
    }
    int row = HitTest(point);
    if (row < 0) {
        LVFINDINFO find{};
        find.flags = LVFI_NEARESTXY;
        find.pt = point;
        find.vkDirection = VK_UP;
        row = CListCtrl::FindItem(&find);
    }
    if (row < 0)
        return -1;
    // The state picture stands at the top left of the thumbnail (the item's state image).
    CRect icon;
    GetItemRect(row, &icon, LVIR_ICON);
    const CRect state(icon.left, icon.top, icon.left + 18, icon.top + 18);
    if (state.PtInRect(point))
        nPart = partState;
    return row;
}

void CDrawingListCtrl::ShowStatePicture(int nRow)
{
    const Item* pItem = GetItemRecord(nRow);
    if (pItem == nullptr)
        return;
    // Icon styles show the state beside the thumbnail; the table draws it in its own column.
    const UINT state = m_nStyle != 0 ? INDEXTOSTATEIMAGEMASK(static_cast<UINT>(ImageOf(pItem->nState)) + 1) : 0;
    SetItemState(nRow, state, LVIS_STATEIMAGEMASK);
}

int CDrawingListCtrl::GetStatePicture(int nRow) const
{
    return static_cast<int>((GetItemState(nRow, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12) - 1;
}

int CDrawingListCtrl::GetDropTarget(CPoint point, int& nPosition) const
{
    nPosition = -1;
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return -1;
    int row = HitTest(point);
    if (row < 0) {
        LVFINDINFO find{};
        find.flags = LVFI_NEARESTXY;
        find.pt = point;
        find.vkDirection = VK_UP;
        row = CListCtrl::FindItem(&find);
    }
    if (row < 0 || (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
        return -1;
    CRect rc;
    GetItemRect(row, &rc, LVIR_BOUNDS);
    const BOOL bFirstHalf = m_nStyle == 0 ? point.y < rc.top + rc.Height() / 2 : point.x < rc.left + rc.Width() / 2;
    const int position = bFirstHalf ? 0 : 1;
    // A place next to a selected row moves nothing.
    const int neighbour = position == 1 ? row + 1 : row - 1;
    if (neighbour >= 0 && neighbour < GetItemCount() && (GetItemState(neighbour, LVIS_SELECTED) & LVIS_SELECTED))
        return -1;
    nPosition = position;
    return row;
}

// ---- drawing -------------------------------------------------------------------------------------

void CDrawingListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int row = static_cast<int>(lpDrawItemStruct->itemID);
    Item* pItem = row >= 0 && row < static_cast<int>(m_items.size()) ? m_items[static_cast<size_t>(row)] : nullptr;
    if (pDC == nullptr || pItem == nullptr)
        return;
    const int saved = pDC->SaveDC();
    CRect rcRow(lpDrawItemStruct->rcItem);
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) ||
                           (GetItemState(row, LVIS_DROPHILITED) & LVIS_DROPHILITED);
    const BOOL bFocus = CWnd::GetFocus() == this;
    COLORREF back = GetSysColor(COLOR_WINDOW);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (!IsWindowEnabled()) {
        back = GetSysColor(COLOR_BTNFACE);
    } else if (bSelected) {
        back = GetSysColor(bFocus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        text = GetSysColor(bFocus ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    }
    pDC->FillSolidRect(&rcRow, back);
    pDC->SetTextColor(text);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SelectObject(pItem->bActive && m_boldFont.GetSafeHandle() != nullptr ? &m_boldFont : GetFont());
    const UINT textFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    for (int column = 0; column < kColumnCount; ++column) {
        CRect rc = ColumnRect(row, column);
        if (rc.Width() <= 0)
            continue;
        rc.top = rcRow.top;
        rc.bottom = rcRow.bottom;
        rc.DeflateRect(1, 1);
        switch (column) {
        case 0: {
            const CEdit* pEdit = GetEditControl();
            if (pEdit == nullptr || pEdit->GetSafeHwnd() == nullptr) {
                CRect rcText = rc;
                rcText.left += kLeadWidth - 1;
                pDC->DrawText(pItem->strName, &rcText, textFlags | DT_LEFT);
            }
            break;
        }
        case 1: {
            m_stateImages.Draw(pDC, ImageOf(pItem->nState), CPoint(rc.left + 1, rc.top + (rc.Height() - 16) / 2),
                               ILD_TRANSPARENT);
            CRect rcText = rc;
            rcText.left += 19;
            const UINT nText = pItem->nState == 1 ? 10144 : pItem->nState == 2 ? 10145 : 10143;
            pDC->DrawText(LoadResourceString(nText), &rcText, textFlags | DT_LEFT);
            break;
        }
        case 5: {
            CRect box(rc.left, rc.top + (rc.Height() - 14) / 2, rc.left + 14, rc.top + (rc.Height() - 14) / 2 + 14);
            UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
            if (pItem->nPrintable == 1)
                state |= DFCS_CHECKED;
            else if (pItem->nPrintable == 2)
                state |= DFCS_CHECKED | DFCS_INACTIVE;
            pDC->DrawFrameControl(&box, DFC_BUTTON, state);
            break;
        }
        case 6: {
            if (pItem->nFeatureCount < 0 && m_pDocument != nullptr)
                if (const DrawingFeatureBase* pPaper = m_pDocument->ChangeDrawingFeature(pItem->nID))
                    pItem->nFeatureCount = static_cast<int>(pPaper->GetFeatureCount());
            CString count;
            count.Format(_T("%d"), std::max(pItem->nFeatureCount, 0));
            pDC->DrawText(count, &rc, textFlags | DT_RIGHT);
            break;
        }
        default:
            // Columns 2-4 stay empty while the row carries the edit lock.
            break;
        }
    }
    if (bFocus && (GetItemState(row, LVIS_FOCUSED) & LVIS_FOCUSED)) {
        CRect rcFocus = ColumnRect(row, 0);
        rcFocus.right = rcRow.right;
        rcFocus.top = rcRow.top;
        rcFocus.bottom = rcRow.bottom;
        pDC->DrawFocusRect(&rcFocus);
    }
    pDC->RestoreDC(saved);
}

void CDrawingListCtrl::RenderImage(int nRow)
{
    Item* pItem = m_items[static_cast<size_t>(nRow)];
    if (!pItem->bImageStale || m_pDocument == nullptr || m_iconImages.GetSafeHandle() == nullptr)
        return;
    pItem->bImageStale = FALSE;
    std::unique_ptr<QImage> image(DrawingManager::CreateDrawingFeatureImage(m_pDocument, pItem->nID, kIconSize - 8,
                                                                            kIconSize - 8, RGB(255, 255, 255)));
    QImage icon(kIconSize, kIconSize, QImage::Format_RGB32);
    icon.fill(Qt::white);
    if (image != nullptr && !image->isNull()) {
        QPainter painter(&icon);
        painter.drawImage((kIconSize - image->width()) / 2, (kIconSize - image->height()) / 2, *image);
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(0, 0, kIconSize - 1, kIconSize - 1);
    }
    CBitmap bitmap;
    if (bitmap.CreateFromImage(icon) && nRow < m_iconImages.GetImageCount())
        m_iconImages.Replace(nRow, &bitmap, nullptr);
    ++m_nRenderedImages;
}

BOOL CDrawingListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    const int row = pInfo->item.iItem;
    if (row >= 0 && row < static_cast<int>(m_items.size())) {
        Item* pItem = m_items[static_cast<size_t>(row)];
        // The icon styles show the name under a thumbnail made when the row first shows.
        if ((pInfo->item.mask & LVIF_TEXT) && pInfo->item.iSubItem == 0) {
            m_dispText = pItem->strName;
            pInfo->item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(m_dispText));
        }
        if (pInfo->item.mask & LVIF_IMAGE) {
            if (m_nStyle != 0)
                RenderImage(row);
            pInfo->item.iImage = row;
        }
    }
    *pResult = 0;
    return TRUE;
}

void CDrawingListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pcd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (m_nStyle == 0)
        return;
    switch (pcd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT: {
        const Item* pItem = GetItemRecord(static_cast<int>(pcd->nmcd.dwItemSpec));
        if (pItem == nullptr)
            break;
        if (!pItem->bActive && pItem->nState == 2)
            pcd->clrText = GetSysColor(COLOR_GRAYTEXT);
        if (pItem->bActive && m_boldFont.GetSafeHandle() != nullptr) {
            if (CDC* pDC = CDC::FromHandle(pcd->nmcd.hdc))
                pDC->SelectObject(&m_boldFont);
            *pResult = CDRF_NEWFONT;
        }
        break;
    }
    default:
        break;
    }
}

// ---- input ---------------------------------------------------------------------------------------

void CDrawingListCtrl::PostToOwner(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr)
        pTarget->PostMessage(message, wParam, lParam);
}

void CDrawingListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    const BOOL bHadFocus = CWnd::GetFocus() == this;
    m_bRenameArmed = FALSE;
    int part = -1;
    const int row = HitTestPart(point, part);
    const CEdit* pEdit = GetEditControl();
    if (pEdit != nullptr && pEdit->GetSafeHwnd() != nullptr) {
        CListCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    const Item* pItem = GetItemRecord(row);
    if (pItem != nullptr) {
        switch (part) {
        case partActivate:
            PostToOwner(WM_DRAWINGLIST_ACTIVATE, static_cast<WPARAM>(row), 0);
            return;
        case partName:
            // A second click on the focused row's name starts editing it.
            if (bHadFocus && (GetItemState(row, LVIS_FOCUSED | LVIS_SELECTED) & LVIS_FOCUSED)) {
                m_bRenameArmed = TRUE;
                CListCtrl::OnLButtonDown(nFlags, point);
                EditLabel(row);
                return;
            }
            break;
        case partState:
            PostToOwner(WM_DRAWINGLIST_STATE, static_cast<WPARAM>(row), (pItem->nState + 1) % 3);
            return;
        case partPrintable:
            PostToOwner(WM_DRAWINGLIST_PRINTABLE, static_cast<WPARAM>(row), pItem->nPrintable == 1 ? 0 : 1);
            return;
        default:
            break;
        }
    }
    CListCtrl::OnLButtonDown(nFlags, point);
}

void CDrawingListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int part = -1;
    const int row = HitTestPart(point, part);
    BOOL bActivate = FALSE;
    if (row >= 0) {
        if (m_nStyle == 0) {
            bActivate = part == partName;
        } else {
            UINT flags = 0;
            bActivate = HitTest(point, &flags) == row && (flags & LVHT_ONITEM) != 0;
            bActivate = bActivate || part == partState;
        }
    }
    if (bActivate)
        PostToOwner(WM_DRAWINGLIST_ACTIVATE, static_cast<WPARAM>(row), 0);
    CListCtrl::OnLButtonDblClk(nFlags, point);
}

BOOL CDrawingListCtrl::OnBeginLabelEdit(NMHDR*, LRESULT* pResult)
{
    // Only a rename asked for (F2, the rename command, a second click on the name) edits a name.
    *pResult = m_bRenameArmed ? 0 : 1;
    return !m_bRenameArmed;
}

BOOL CDrawingListCtrl::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pList = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    *pResult = 0;
    if (pList != nullptr && (pList->uChanged & LVIF_STATE) &&
        ((pList->uOldState ^ pList->uNewState) & LVIS_SELECTED)) {
        std::vector<int> selected = GetSelectedRows();
        if (selected != m_reportedSelection) {
            m_reportedSelection = std::move(selected);
            PostToOwner(WM_DRAWINGLIST_SELECTION, 0, 0);
        }
    }
    return FALSE;  // the owner hears of it too
}

BOOL CDrawingListCtrl::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (GetSelectedCount() == 0 || GetItemCount() == 0)
        return FALSE;
    CRect first;
    GetItemRect(0, &first, m_nStyle == 0 ? LVIR_LABEL : LVIR_BOUNDS);
    m_marker.Begin(m_nStyle == 0, m_nStyle == 0 ? first.Width() : first.Height());
    SetCapture();
    SetFocus();
    m_nDragState = 1;
    SetTimer(kAutoScrollTimer, 500, nullptr);
    return FALSE;
}

BOOL CDrawingListCtrl::GetInsertMarkPoint(int nRow, int nPosition, CPoint& point) const
{
    CRect rc;
    if (nRow < 0 || !GetItemRect(nRow, &rc, m_nStyle == 0 ? LVIR_LABEL : LVIR_BOUNDS))
        return FALSE;
    // A table's mark lies along the row's top or bottom edge, an icon's along its left or right edge.
    if (m_nStyle == 0)
        point = CPoint(rc.left, nPosition == 0 ? rc.top : rc.bottom);
    else
        point = CPoint(nPosition == 0 ? rc.left : rc.right, rc.top);
    return TRUE;
}

void CDrawingListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nDragState == 0) {
        CListCtrl::OnMouseMove(nFlags, point);
        return;
    }
    int position = -1;
    const int row = GetDropTarget(point, position);
    CPoint mark;
    if (row >= 0 && GetInsertMarkPoint(row, position, mark)) {
        m_marker.Show(this, mark);
        m_nDragState = 2;
    } else {
        m_marker.Hide(this);
        m_nDragState = 1;
    }
    if (HCURSOR hCursor = AfxLoadCursorResource(row >= 0 ? 431 : 430))
        ::SetCursor(hCursor);
}

void CDrawingListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nDragState == 0) {
        CListCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    int position = -1;
    const int row = GetDropTarget(point, position);
    EndDragging();
    if (row >= 0)
        PostToOwner(WM_DRAWINGLIST_DROP, static_cast<WPARAM>(row), position);
}

void CDrawingListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kAutoScrollTimer || m_nDragState == 0) {
        CListCtrl::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    ScrollWhileDragging(cursor);
}

BOOL CDrawingListCtrl::ScrollWhileDragging(CPoint cursor)
{
    if (m_nDragState == 0)
        return FALSE;
    int top = 0;
    if (m_nStyle == 0 && GetItemCount() > 0) {
        CRect first;
        GetItemRect(GetTopIndex(), &first, LVIR_BOUNDS);
        top = std::max(0, static_cast<int>(first.top));
    }
    const CSize step = ListDragMarker::AutoScrollStep(this, cursor, top);
    if (step.cx == 0 && step.cy == 0)
        return FALSE;
    m_marker.Hide(this);
    m_nDragState = 1;
    return Scroll(step);
}

void CDrawingListCtrl::EndDragging()
{
    if (m_nDragState == 0)
        return;
    m_nDragState = 0;
    m_marker.End(this);
    KillTimer(kAutoScrollTimer);
    if (::GetCapture() == GetSafeHwnd())
        ReleaseCapture();
}

BOOL CDrawingListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_ESCAPE && m_nDragState != 0) {
            EndDragging();
            return TRUE;
        }
        if (pMsg->wParam == VK_F2) {
            const int row = GetFocusedItem();
            if (row >= 0) {
                m_bRenameArmed = TRUE;
                EditLabel(row);
                return TRUE;
            }
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}
