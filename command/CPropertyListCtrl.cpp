#include "command/CPropertyListCtrl.h"

#include <algorithm>
#include <memory>

#include <QtCore/QObject>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QComboBox>

#include "command/FeatureSequenceParameterItem.h"
#include "command/NumericFormat.h"
#include "command/ParameterHistory.h"
#include "command/ParameterItemBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PropertyListItem.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CToolTipCtrl.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinSystem.h"

using QZ2Command::ParameterItemBase;

IMPLEMENT_DYNCREATE(CPropertyListCtrl, CWnd)

BEGIN_MESSAGE_MAP(CPropertyListCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SETFONT, &CPropertyListCtrl::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CPropertyListCtrl::OnGetFont)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_GETDLGCODE()
    ON_WM_CHAR()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MEASUREITEM()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CPropertyListCtrl::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_PROPERTYLIST_COMMITSELECTION, &CPropertyListCtrl::OnCommitSelection)
END_MESSAGE_MAP()

namespace {

// The bitmap with the previous and next alternative arrows.
constexpr UINT kArrowBitmap = 400;
constexpr UINT kSplitterCursor = 30981;
constexpr int kArrowSize = 16;

BOOL IsKeyDown(int vk)
{
    return GetKeyState(vk) < 0 ? TRUE : FALSE;
}

COLORREF FaceColor()
{
    return GetSysColor(COLOR_BTNFACE);
}

BOOL IsFeatureInput(int nType)
{
    return nType == ParameterItemBase::typePointArray || nType == ParameterItemBase::typeFeatureSequenceList ||
           nType == ParameterItemBase::typeFeatureSequence || nType == ParameterItemBase::typeFeatureList ||
           nType == ParameterItemBase::typeFeatureGroup;
}

int TypeOf(const PropertyListItem* pRow)
{
    const ParameterItemBase* pItem = pRow != nullptr ? pRow->GetValueItem() : nullptr;
    return pItem != nullptr ? pItem->GetTypeCode() : 0;
}

}  // namespace

// Delete on a highlighted entry of an open history list removes the value from the history.
class CPropertyListCtrl::HistoryKeyFilter : public QObject
{
public:
    explicit HistoryKeyFilter(CPropertyListCtrl* pList) : m_pList(pList) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            auto* pView = qobject_cast<QAbstractItemView*>(watched);
            if (pView != nullptr && pView->currentIndex().isValid()) {
                m_pList->DeleteHistoryEntry(pView->currentIndex().row());
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CPropertyListCtrl* m_pList;
};

CPropertyListCtrl::CPropertyListCtrl() = default;

CPropertyListCtrl::~CPropertyListCtrl()
{
    for (PropertyListItem* pRow : m_rows) {
        pRow->DestroyEditor();
        delete pRow;
    }
    delete m_pToolTip;
    delete m_pHistoryFilter;
}

BOOL CPropertyListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(nullptr, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

// ---- rows ----------------------------------------------------------------------------------------

int CPropertyListCtrl::InsertItem(int nIndex, const PropertyListItem& item, BOOL bRedraw)
{
    if (nIndex < 0 || nIndex > GetItemCount())
        nIndex = GetItemCount();
    PropertyListItem* pRow = item.Clone();
    pRow->m_pList = this;
    pRow->m_bSelected = FALSE;
    m_rows.insert(m_rows.begin() + nIndex, pRow);
    if (bRedraw && GetSafeHwnd() != nullptr) {
        CRect rc = m_rcList;
        rc.top = std::max(rc.top, GetRowRect(nIndex).top);
        InvalidateRect(&rc, FALSE);
        RecalcLayout();
    }
    return nIndex;
}

int CPropertyListCtrl::AddItem(const PropertyListItem& item, BOOL bRedraw)
{
    return InsertItem(GetItemCount(), item, bRedraw);
}

BOOL CPropertyListCtrl::SetItem(int nIndex, const PropertyListItem& item, BOOL bRedraw)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    PropertyListItem* pRow = m_rows[static_cast<size_t>(nIndex)];
    // The list's row keeps its editor window and its selection; value and presentation change.
    const BOOL bSelected = pRow->m_bSelected;
    pRow->CopyFrom(item);
    pRow->m_bSelected = bSelected;
    pRow->m_pList = this;
    if (pRow == m_pCurrent && pRow->GetEditor() != nullptr)
        pRow->UpdateEditor();
    if (bRedraw && GetSafeHwnd() != nullptr) {
        CRect rc = m_rcList;
        rc.top = std::max(rc.top, GetRowRect(nIndex).top);
        InvalidateRect(&rc, FALSE);
        if (m_bShowDescription)
            InvalidateRect(&m_rcDescription, FALSE);
    }
    return TRUE;
}

PropertyListItem* CPropertyListCtrl::GetItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        AfxThrowInvalidArgException();
    return m_rows[static_cast<size_t>(nIndex)];
}

BOOL CPropertyListCtrl::DeleteItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    PropertyListItem* pRow = m_rows[static_cast<size_t>(nIndex)];
    if (pRow == m_pCurrent) {
        EndEdit(FALSE, FALSE, TRUE);
        m_pCurrent = nullptr;
    }
    pRow->DestroyEditor();
    m_rows.erase(m_rows.begin() + nIndex);
    delete pRow;
    if (m_nFirstVisible > 0 && GetItemCount() * m_nRowHeight <= m_rcList.Height())
        m_nFirstVisible = 0;
    m_nFirstVisible = std::min(m_nFirstVisible, std::max(0, GetItemCount() - 1));
    if (GetSafeHwnd() != nullptr) {
        Invalidate(FALSE);
        RecalcLayout();
    }
    return TRUE;
}

void CPropertyListCtrl::DeleteAllItems()
{
    EndEdit(FALSE, FALSE, TRUE);
    for (PropertyListItem* pRow : m_rows) {
        pRow->DestroyEditor();
        delete pRow;
    }
    m_rows.clear();
    m_pCurrent = nullptr;
    m_nFirstVisible = 0;
    if (GetSafeHwnd() != nullptr) {
        RecalcLayout();
        Invalidate(FALSE);
    }
}

int CPropertyListCtrl::GetCurSel() const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i]->m_bSelected)
            return static_cast<int>(i);
    return -1;
}

PropertyListItem* CPropertyListCtrl::GetCurItem() const
{
    const int sel = GetCurSel();
    return sel >= 0 ? m_rows[static_cast<size_t>(sel)] : nullptr;
}

int CPropertyListCtrl::FindItem(const PropertyListItem* pItem) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i] == pItem)
            return static_cast<int>(i);
    return -1;
}

BOOL CPropertyListCtrl::HasFocusInside() const
{
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus == nullptr || GetSafeHwnd() == nullptr)
        return FALSE;
    return pFocus->GetSafeHwnd() == GetSafeHwnd() || IsChild(pFocus);
}

BOOL CPropertyListCtrl::SetCurSel(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    PropertyListItem* pRow = m_rows[static_cast<size_t>(nIndex)];
    if (pRow->m_bSelected)
        return TRUE;
    EndEdit(FALSE, FALSE, TRUE);
    const int old = GetCurSel();
    if (old >= 0) {
        m_rows[static_cast<size_t>(old)]->m_bSelected = FALSE;
        InvalidateRow(old);
    }
    pRow->m_bSelected = TRUE;
    m_pCurrent = pRow;
    InvalidateRow(nIndex);
    StartEdit();
    if (HasFocusInside())
        UpdateImeState();
    if (m_bShowDescription && GetSafeHwnd() != nullptr)
        InvalidateRect(&m_rcDescription, FALSE);
    if (CWnd* pOwner = NotifyTarget())
        pOwner->SendMessage(WM_PROPERTYLIST_SELCHANGED, static_cast<WPARAM>(nIndex), 0);
    return TRUE;
}

// ---- geometry ------------------------------------------------------------------------------------

int CPropertyListCtrl::GetSplitX() const
{
    return kGutter + (m_rcList.Width() - kGutter) / 2;
}

CRect CPropertyListCtrl::GetRowRect(int nIndex) const
{
    const int top = m_rcList.top + (nIndex - m_nFirstVisible) * m_nRowHeight;
    return CRect(0, top, m_rcList.Width(), top + m_nRowHeight);
}

CRect CPropertyListCtrl::GetValueRect(int nIndex) const
{
    const CRect row = GetRowRect(nIndex);
    return CRect(GetSplitX() + 1, row.top + 1, m_rcList.Width() - 1, row.bottom - 1);
}

CRect CPropertyListCtrl::GetCaptionRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return CRect(0, 0, 0, 0);
    const CRect row = GetRowRect(nIndex);
    CRect rc(kGutter + 10 * m_rows[static_cast<size_t>(nIndex)]->GetIndentLevel() + 1, row.top, GetSplitX() - 1,
             row.bottom - 1);
    rc.left += 15;
    rc.right -= 15;
    if (rc.right < rc.left)
        rc.right = rc.left;
    return rc;
}

CRect CPropertyListCtrl::GetCaptionTextRect(int nIndex, BOOL bWithShortcut)
{
    if (nIndex < 0 || nIndex >= GetItemCount() || GetSafeHwnd() == nullptr)
        return CRect(0, 0, 0, 0);
    const CRect row = GetRowRect(nIndex);
    const CRect name(kGutter + 10 * m_rows[static_cast<size_t>(nIndex)]->GetIndentLevel() + 1, row.top, GetSplitX() - 1,
                     row.bottom - 1);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetListFont());
    const CRect rc = m_rows[static_cast<size_t>(nIndex)]->CalcCaptionRect(&dc, name, bWithShortcut);
    dc.SelectObject(pOld);
    return rc;
}

CRect CPropertyListCtrl::GetValueTextRect(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount() || GetSafeHwnd() == nullptr)
        return CRect(0, 0, 0, 0);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetListFont());
    const CRect rc = m_rows[static_cast<size_t>(nIndex)]->CalcValueRect(&dc, GetValueRect(nIndex));
    dc.SelectObject(pOld);
    return rc;
}

int CPropertyListCtrl::HitTest(CPoint point, int* pPart) const
{
    for (int i = m_nFirstVisible; i < GetItemCount(); ++i) {
        const CRect row = GetRowRect(i);
        if (row.top > m_rcList.bottom)
            break;
        if (!row.PtInRect(point))
            continue;
        int part = partValue;
        const int arrowTop = row.top + (row.Height() - kArrowSize) / 2;
        const BOOL bArrowBand = point.y >= arrowTop && point.y < arrowTop + kArrowSize;
        const int half = (m_rcList.Width() - 16) / 2;
        if (bArrowBand && point.x >= 15 && point.x <= 31)
            part = partPrevious;
        else if (bArrowBand && point.x >= half && point.x <= half + 15)
            part = partNext;
        else if (point.x > 31 && point.x < half)
            part = partCaption;
        if (pPart != nullptr)
            *pPart = part;
        return i;
    }
    if (pPart != nullptr)
        *pPart = -1;
    return -1;
}

int CPropertyListCtrl::GetVisibleRowCount() const
{
    return m_nRowHeight > 0 ? std::max(0, static_cast<int>(m_rcList.Height()) / m_nRowHeight) : 0;
}

int CPropertyListCtrl::GetLastVisibleRow() const
{
    if (m_rows.empty())
        return -1;
    return std::min(GetItemCount() - 1, m_nFirstVisible + GetVisibleRowCount() - 1);
}

void CPropertyListCtrl::InvalidateRow(int nIndex)
{
    if (GetSafeHwnd() == nullptr || nIndex < 0)
        return;
    CRect rc = GetRowRect(nIndex);
    InvalidateRect(&rc, FALSE);
}

void CPropertyListCtrl::RecalcLayout(BOOL bInvalidate)
{
    if (bInvalidate && GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
    RecalcLayout();
}

void CPropertyListCtrl::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_rcList = client;
    m_rcDescription.SetRectEmpty();
    if (m_bShowDescription) {
        int height = std::max(m_nDescriptionHeight, m_nRowHeight);
        height = std::min(height, static_cast<int>(client.Height()) - m_nRowHeight);
        height = std::max(height, 0);
        m_rcList.bottom = client.bottom - height;
        m_rcDescription = CRect(client.left, std::min(client.bottom, m_rcList.bottom + 4), client.right, client.bottom);
    }
    UpdateScrollBar();
    const BOOL bScroll = GetItemCount() * m_nRowHeight > m_rcList.Height();
    if (m_scrollBar.GetSafeHwnd() != nullptr) {
        if (bScroll) {
            const int cx = GetSystemMetrics(SM_CXHSCROLL);
            m_rcList.right = std::max(m_rcList.left, m_rcList.right - cx);
            m_scrollBar.MoveWindow(m_rcList.right, m_rcList.top, cx, m_rcList.Height(), TRUE);
            m_scrollBar.ShowWindow(SW_SHOWNA);
        } else {
            m_scrollBar.MoveWindow(0, 0, 0, 0, TRUE);
            m_scrollBar.ShowWindow(SW_HIDE);
        }
    }
    InvalidateRect(&m_rcList, FALSE);
    FollowEditor();
}

void CPropertyListCtrl::UpdateScrollBar()
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const int count = GetItemCount();
    if (count > 0 && count * m_nRowHeight > m_rcList.Height()) {
        const int rows = GetVisibleRowCount();
        const int lastBottom = (rows + 1) * m_nRowHeight;
        info.nPage = static_cast<UINT>(std::max(1, rows + (lastBottom <= m_rcList.Height() ? 1 : 0)));
        info.nMin = 0;
        info.nMax = count - 1;
        info.nPos = m_nFirstVisible;
    } else if (m_nFirstVisible != 0) {
        m_nFirstVisible = 0;
        if (GetSafeHwnd() != nullptr)
            Invalidate(FALSE);
    }
    if (m_scrollBar.GetSafeHwnd() != nullptr) {
        m_scrollBar.SetScrollInfo(&info, TRUE);
        m_scrollBar.EnableScrollBar(info.nMax > 0 ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    }
}

void CPropertyListCtrl::FollowEditor()
{
    PropertyListItem* pRow = m_pCurrent;
    const int index = FindItem(pRow);
    if (pRow == nullptr || index < 0)
        return;
    const CRect row = GetRowRect(index);
    if (row.top >= m_rcList.top && row.bottom <= m_rcList.bottom) {
        if (pRow->GetEditor() != nullptr)
            pRow->MoveEditor(GetValueRect(index));
        else
            StartEdit();
    } else if (pRow->GetEditor() != nullptr) {
        pRow->DestroyEditor();
    }
}

BOOL CPropertyListCtrl::ScrollTo(int nFirst)
{
    if (nFirst != 0 && GetItemCount() <= GetVisibleRowCount())
        nFirst = 0;
    if (nFirst < 0 || nFirst > GetItemCount())
        return FALSE;
    m_nFirstVisible = nFirst;
    if (m_scrollBar.GetSafeHwnd() != nullptr)
        m_scrollBar.SetScrollPos(nFirst, TRUE);
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(&m_rcList, FALSE);
    FollowEditor();
    return TRUE;
}

void CPropertyListCtrl::EnsureVisible(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount() || nIndex == m_nFirstVisible)
        return;
    const CRect row = GetRowRect(nIndex);
    if (row.top >= m_rcList.top && row.bottom <= m_rcList.bottom)
        return;
    if (nIndex < m_nFirstVisible) {
        ScrollTo(nIndex);
        return;
    }
    // Down by the rows its bottom lies beyond the list area, rounded up.
    const int excess = static_cast<int>(row.bottom - m_rcList.bottom);
    const int rows = m_nRowHeight > 0 ? (excess + m_nRowHeight - 1) / m_nRowHeight : 1;
    ScrollTo(std::min(nIndex, m_nFirstVisible + std::max(1, rows)));
}

void CPropertyListCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    const int count = GetItemCount();
    if (count == 0 || count * m_nRowHeight <= m_rcList.Height())
        return;
    int first = m_nFirstVisible;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (m_scrollBar.GetSafeHwnd() != nullptr)
        m_scrollBar.GetScrollInfo(&info, SIF_ALL);
    switch (nSBCode) {
    case SB_LINEUP: first -= 1; break;
    case SB_LINEDOWN: first += 1; break;
    case SB_PAGEUP: first -= GetVisibleRowCount(); break;
    case SB_PAGEDOWN: first = GetLastVisibleRow(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: first = info.nTrackPos; break;
    case SB_TOP: first = 0; break;
    case SB_BOTTOM: first = count - 1; break;
    default: return;
    }
    const int page = std::max(1, static_cast<int>(info.nPage));
    first = std::min(first, std::max(0, count - 1 - page + 1));
    first = std::max(0, std::min(first, count - 1));
    ScrollTo(first);
}

BOOL CPropertyListCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    OnVScroll(zDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
    return TRUE;
}

// ---- fonts and images ----------------------------------------------------------------------------

CFont* CPropertyListCtrl::GetListFont()
{
    if (m_font.GetSafeHandle() != nullptr)
        return &m_font;
    return CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

CFont* CPropertyListCtrl::GetBoldFont()
{
    if (m_boldFont.GetSafeHandle() == nullptr) {
        LOGFONT lf{};
        GetListFont()->GetLogFont(&lf);
        lf.lfWeight = 700;
        m_boldFont.CreateFontIndirect(&lf);
    }
    return &m_boldFont;
}

CImageList* CPropertyListCtrl::GetArrowImages()
{
    if (m_arrowImages.GetSafeHandle() == nullptr)
        m_arrowImages.Create(kArrowBitmap, 15, 1, RGB(0, 255, 0));
    return &m_arrowImages;
}

LRESULT CPropertyListCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    LOGFONT lf{};
    CFont* pGiven = wParam != 0 ? CFont::FromHandle(reinterpret_cast<HFONT>(wParam)) : nullptr;
    if (pGiven == nullptr || pGiven->GetLogFont(&lf) == 0)
        CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)))->GetLogFont(&lf);
    m_font.DeleteObject();
    m_boldFont.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    lf.lfWeight = 700;
    m_boldFont.CreateFontIndirect(&lf);
    {
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(&m_font);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        m_nRowHeight = static_cast<int>(tm.tmHeight) + 4;
    }
    RecalcLayout();
    if (LOWORD(lParam) != 0)
        Invalidate(FALSE);
    return 0;
}

LRESULT CPropertyListCtrl::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_font.GetSafeHandle());
}

// ---- window --------------------------------------------------------------------------------------

int CPropertyListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_scrollBar.Create(WS_CHILD | SBS_VERT, CRect(0, 0, 0, 0), this, kScrollBarId))
        return -1;
    m_pToolTip = new CToolTipCtrl;
    if (m_pToolTip->Create(this)) {
        const CRect everywhere(0, 0, 0x7FFF, 0x7FFF);
        m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACK, &everywhere, 1);
        m_pToolTip->SetDelayTime(TTDT_INITIAL, 0);
    }
    return 0;
}

void CPropertyListCtrl::OnDestroy()
{
    EndEdit(FALSE, FALSE, TRUE);
    if (m_pToolTip != nullptr) {
        if (m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->DestroyWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
    CWnd::OnDestroy();
}

void CPropertyListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

BOOL CPropertyListCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPropertyListCtrl::OnPaint()
{
    // The window system already paints through a back buffer, so the rows go straight to the paint DC.
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int saved = dc.SaveDC();
    dc.FillSolidRect(&client, FaceColor());
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(GetListFont());
    DrawRows(&dc);
    DrawDescription(&dc);
    dc.RestoreDC(saved);
}

void CPropertyListCtrl::DrawRows(CDC* pDC)
{
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(&m_rcList);
    const BOOL bEnabled = IsWindowEnabled();
    pDC->FillSolidRect(&m_rcList, GetSysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    const BOOL bFocused = HasFocusInside();
    const COLORREF grid = FaceColor();
    const int split = GetSplitX();
    const int last = GetLastVisibleRow() + 1;  // a partly visible row below is painted too
    for (int i = m_nFirstVisible; i <= last && i < GetItemCount(); ++i) {
        PropertyListItem* pRow = m_rows[static_cast<size_t>(i)];
        const CRect row = GetRowRect(i);
        const BOOL bEditable = pRow->IsEditable();
        COLORREF caption = GetSysColor(COLOR_WINDOWTEXT);
        if (pRow->m_bHeader) {
            pDC->FillSolidRect(&row, grid);
        } else {
            COLORREF nameFill = GetSysColor(COLOR_WINDOW);
            if (!pRow->m_bSelected) {
                caption = GetSysColor(bEditable ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
            } else if (bFocused) {
                nameFill = GetSysColor(COLOR_HIGHLIGHT);
                caption = GetSysColor(COLOR_HIGHLIGHTTEXT);
            } else {
                nameFill = grid;
                caption = GetSysColor(bEditable ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
            }
            pDC->FillSolidRect(0, row.top, kGutter, row.Height(), grid);
            pDC->FillSolidRect(kGutter, row.top, row.right - kGutter, row.Height(), GetSysColor(COLOR_WINDOW));
            pDC->FillSolidRect(kGutter, row.top, split - kGutter, row.Height(), nameFill);
        }
        pDC->FillSolidRect(0, row.bottom - 1, row.right, 1, grid);
        if (!pRow->m_bHeader)
            pDC->FillSolidRect(split, row.top, 1, row.Height(), grid);
        pDC->SetBkColor(GetSysColor(bEditable ? COLOR_WINDOW : COLOR_3DLIGHT));
        pDC->SetTextColor(caption);
        const CRect name(kGutter + 10 * pRow->GetIndentLevel() + 1, row.top, pRow->m_bHeader ? row.right : split - 1,
                         row.bottom - 1);
        DrawItemCaption(pDC, i, name);
        pDC->SetTextColor(GetSysColor(bEditable ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        DrawItemValue(pDC, i, GetValueRect(i));
    }
    pDC->RestoreDC(saved);
}

void CPropertyListCtrl::DrawItemCaption(CDC* pDC, int nIndex, const CRect& rect)
{
    m_rows[static_cast<size_t>(nIndex)]->DrawCaption(pDC, rect);
}

void CPropertyListCtrl::DrawItemValue(CDC* pDC, int nIndex, const CRect& rect)
{
    m_rows[static_cast<size_t>(nIndex)]->DrawValue(pDC, rect);
}

void CPropertyListCtrl::DrawDescription(CDC* pDC)
{
    if (!m_bShowDescription || m_rcDescription.IsRectEmpty())
        return;
    pDC->FillSolidRect(&m_rcDescription, FaceColor());
    CBrush frame(GetSysColor(COLOR_BTNSHADOW));
    pDC->FrameRect(&m_rcDescription, &frame);
    const PropertyListItem* pRow = GetCurItem();
    if (pRow == nullptr)
        return;
    CString title;
    CString text;
    if (const ParameterItemBase* pItem = pRow->GetValueItem()) {
        title = pItem->m_strCaption;
        text = pItem->m_strPrompt;
    } else {
        title = pRow->GetCaption();
    }
    if (title.IsEmpty() && text.IsEmpty())
        return;
    CRect rc = m_rcDescription;
    rc.DeflateRect(4, 4);
    pDC->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    CFont* pOld = pDC->SelectObject(GetBoldFont());
    CRect titleRect = rc;
    pDC->DrawText(title, &titleRect, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    CRect measured = rc;
    pDC->DrawText(title.IsEmpty() ? CString(u" ") : title, &measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    pDC->SelectObject(GetListFont());
    CRect body = rc;
    body.top = measured.bottom + 2;
    if (body.top < body.bottom)
        pDC->DrawText(text, &body, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SelectObject(pOld);
}

// ---- notifications -------------------------------------------------------------------------------

CWnd* CPropertyListCtrl::NotifyTarget() const
{
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner : GetParent();
}

LRESULT CPropertyListCtrl::SendNotify(UINT nCode, int nIndex, PropertyListItem* pItem, const CString& text, BOOL bEnter,
                                      int nDirection)
{
    CWnd* pOwner = NotifyTarget();
    if (pOwner == nullptr)
        return 0;
    PROPERTYLISTNOTIFY info;
    info.hdr.hwndFrom = GetSafeHwnd();
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = nCode;
    info.nIndex = nIndex;
    info.pItem = pItem;
    info.nDirection = nDirection;
    info.strText = text;
    info.bEnter = bEnter;
    ++m_nNotifyDepth;
    const LRESULT result = pOwner->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    --m_nNotifyDepth;
    return result;
}

// ---- editing -------------------------------------------------------------------------------------

BOOL CPropertyListCtrl::StartEdit()
{
    PropertyListItem* pRow = m_pCurrent;
    const int index = FindItem(pRow);
    if (pRow == nullptr || index < 0 || !HasFocusInside())
        return FALSE;
    const CRect row = GetRowRect(index);
    if (row.top < m_rcList.top || row.bottom > m_rcList.bottom)
        return FALSE;
    const BOOL bStarted = pRow->BeginEdit(GetValueRect(index));
    if (bStarted && pRow->GetEditorKind() == PropertyListItem::editorHistoryCombo) {
        if (QWidget* pWidget = pRow->GetEditor()->GetQWidget()) {
            if (auto* pCombo = qobject_cast<QComboBox*>(pWidget)) {
                if (m_pHistoryFilter == nullptr)
                    m_pHistoryFilter = new HistoryKeyFilter(this);
                pCombo->view()->installEventFilter(m_pHistoryFilter);
            }
        }
    }
    return bStarted;
}

BOOL CPropertyListCtrl::EndEdit(BOOL bCommit, BOOL bEnter, BOOL bDestroyEditor)
{
    PropertyListItem* pRow = m_pCurrent;
    const int index = FindItem(pRow);
    if (pRow == nullptr || index < 0 || !pRow->m_bSelected)
        return FALSE;
    auto focusOnEditor = [pRow]() {
        CWnd* pFocus = CWnd::GetFocus();
        CWnd* pEditor = pRow->GetEditor();
        return pFocus != nullptr && pEditor != nullptr &&
               (pFocus->GetSafeHwnd() == pEditor->GetSafeHwnd() || pEditor->IsChild(pFocus));
    };
    if (!bCommit || pRow->GetEditor() == nullptr) {
        if (focusOnEditor()) {
            pRow->UpdateEditor();
            SetFocus();
        }
        if (bDestroyEditor)
            pRow->DestroyEditor();
        return TRUE;
    }
    LRESULT result = 1;
    BOOL bSent = FALSE;
    if (pRow->IsTypedType()) {
        if (pRow->IsEditorModified()) {
            CString text;
            if (!pRow->GetEditorText(text)) {
                pRow->SelectEditorText();
                return FALSE;
            }
            result = SendNotify(PLN_TEXTENTERED, index, pRow, text, bEnter);
            bSent = TRUE;
        }
    } else {
        // The editor is read into a clone: the list's own row keeps its value until the owner
        // has taken the new one and refreshed the row.
        std::unique_ptr<ParameterItemBase> pOld(pRow->GetValueItem() != nullptr ? pRow->GetValueItem()->Clone() : nullptr);
        const BOOL bRead = pRow->ReadEditor();
        PropertyListItem* pClone = pRow->Clone();
        pRow->SetValueItem(pOld.get());
        if (!bRead) {
            delete pClone;
            return FALSE;
        }
        result = SendNotify(PLN_VALUECHANGED, index, pClone, CString(), bEnter);
        delete pClone;
        bSent = TRUE;
    }
    // The owner may have rebuilt the rows: read nothing of the old row unless it is still ours.
    const BOOL bStillThere = FindItem(pRow) >= 0 && m_pCurrent == pRow;
    if (bSent && result == 0) {
        if (bStillThere)
            pRow->SelectEditorText();
        return TRUE;
    }
    if (bSent && result != 1)
        return TRUE;
    if (bEnter && HasFocusInside())
        SetFocus();
    if (bDestroyEditor && bStillThere)
        pRow->DestroyEditor();
    return TRUE;
}

void CPropertyListCtrl::UpdateImeState()
{
    // Only free text rows keep the input method; elsewhere it is closed (nothing to do on
    // platforms without one).
}

void CPropertyListCtrl::OnEnterKey()
{
    PropertyListItem* pRow = GetCurItem();
    const int index = GetCurSel();
    if (pRow == nullptr)
        return;
    const int type = TypeOf(pRow);
    if ((type == ParameterItemBase::typePoint || type == ParameterItemBase::typePointArray) && pRow->IsEditable() &&
        pRow->GetEditor() != nullptr) {
        CString text;
        pRow->GetEditor()->GetWindowText(text);
        if (NumericFormat::IsXCoordinatesFormat(text)) {
            text += CString(u", ");
            pRow->GetEditor()->SetWindowText(text);
            pRow->SetEditorModified(TRUE);
            if (auto* pEdit = dynamic_cast<CEdit*>(pRow->GetEditor()))
                pEdit->SetSel(text.GetLength(), text.GetLength());
            else if (auto* pCombo = dynamic_cast<CComboBox*>(pRow->GetEditor()))
                pCombo->SetEditSel(text.GetLength(), text.GetLength());
            return;
        }
    }
    if (IsFeatureInput(type) && pRow->IsEditable() && pRow->IsEditorEmpty()) {
        const LRESULT result = SendNotify(PLN_PICKREQUEST, index, pRow, CString(), TRUE);
        if (result != 0)
            SetFocus();
        else if (FindItem(pRow) >= 0)
            pRow->SelectEditorText();
        return;
    }
    if (HasFocusInside() && CWnd::GetFocus() != nullptr && CWnd::GetFocus()->GetSafeHwnd() != GetSafeHwnd()) {
        EndEdit(TRUE, TRUE, FALSE);
        return;
    }
    if (index + 1 < GetItemCount()) {
        EnsureVisible(index + 1);
        SetCurSel(index + 1);
    }
}

void CPropertyListCtrl::OnBackspaceKey()
{
    PropertyListItem* pRow = GetCurItem();
    const int index = GetCurSel();
    if (pRow == nullptr)
        return;
    const int type = TypeOf(pRow);
    if ((type == ParameterItemBase::typePointArray || type == ParameterItemBase::typeFeatureSequence ||
         type == ParameterItemBase::typeFeatureSequenceList) &&
        pRow->IsEditorEmpty()) {
        PropertyListItem* pClone = pRow->Clone();
        ParameterItemBase* pItem = pClone->GetValueItem();
        if (auto* pArray = dynamic_cast<QZ2Command::PointArrayParameterItem*>(pItem)) {
            pArray->RemoveLastPoint();
            pArray->m_bFinished = FALSE;
        } else if (auto* pSequence = dynamic_cast<QZ2Command::FeatureSequenceParameterItem*>(pItem)) {
            pSequence->RemoveLastFeature();
            pSequence->m_bFinished = FALSE;
        }
        const LRESULT result = SendNotify(PLN_VALUECHANGED, index, pClone, CString(), FALSE);
        delete pClone;
        if (result == 0 && FindItem(pRow) >= 0)
            pRow->SelectEditorText();
        return;
    }
    CWnd* pEditor = pRow->GetEditor();
    if (pEditor == nullptr || pEditor->GetSafeHwnd() == nullptr)
        return;
    if (CWnd::GetFocus() != pEditor) {
        pEditor->SetWindowText(u"");
        pRow->SetEditorModified(TRUE);
    }
    pEditor->SetFocus();
    pEditor->PostMessage(WM_CHAR, VK_BACK, 0);
}

void CPropertyListCtrl::OnEscapeKey(BOOL bFromEditor)
{
    PropertyListItem* pRow = GetCurItem();
    auto* pCombo = pRow != nullptr ? dynamic_cast<CComboBox*>(pRow->GetEditor()) : nullptr;
    if (m_bDragging) {
        DrawDragLine(-1);
        m_bDragging = FALSE;
        ReleaseCapture();
    } else if (pCombo != nullptr && pCombo->GetDroppedState()) {
        pCombo->ShowDropDown(FALSE);
    } else if (bFromEditor && pRow != nullptr && pRow->GetEditor() != nullptr) {
        // What was typed goes; the value comes back and the list takes the focus.
        pRow->UpdateEditor();
        SetFocus();
    } else {
        SendNotify(PLN_ESCAPE, GetCurSel(), nullptr, CString(), FALSE);
    }
}

BOOL CPropertyListCtrl::StepAlternative(int nIndex, int nDirection)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    const PropertyListItem* pRow = m_rows[static_cast<size_t>(nIndex)];
    if ((nDirection == 0 && !pRow->m_bHasPrevious) || (nDirection == 1 && !pRow->m_bHasNext))
        return FALSE;
    SendNotify(PLN_ALTERNATIVE, nIndex, nullptr, CString(), FALSE, nDirection);
    if (nIndex < GetItemCount()) {
        SetCurSel(nIndex);
        StartEdit();
    }
    return TRUE;
}

BOOL CPropertyListCtrl::DeleteHistoryEntry(int nEntry)
{
    PropertyListItem* pRow = GetCurItem();
    auto* pCombo = pRow != nullptr ? dynamic_cast<CComboBox*>(pRow->GetEditor()) : nullptr;
    if (pCombo == nullptr || pRow->GetEditorKind() != PropertyListItem::editorHistoryCombo || nEntry < 0 ||
        nEntry >= pCombo->GetCount())
        return FALSE;
    const auto data = static_cast<INT_PTR>(pCombo->GetItemData(nEntry));
    if (data < 0 || m_pParameterHistory == nullptr)
        return FALSE;
    if (!m_pParameterHistory->RemoveAt(pRow->GetHistoryType(), static_cast<int>(data)))
        return FALSE;
    pCombo->DeleteString(static_cast<UINT>(nEntry));
    // Later entries move up one place in the history.
    for (int i = 0; i < pCombo->GetCount(); ++i) {
        const auto other = static_cast<INT_PTR>(pCombo->GetItemData(i));
        if (other > data)
            pCombo->SetItemData(i, static_cast<DWORD_PTR>(other - 1));
    }
    return TRUE;
}

void CPropertyListCtrl::OnEditorButtonClicked()
{
    PropertyListItem* pRow = GetCurItem();
    if (pRow == nullptr)
        return;
    PropertyListItem* pClone = pRow->OnEditorButton();
    if (pClone == nullptr)
        return;
    SendNotify(PLN_VALUECHANGED, GetCurSel(), pClone, CString(), TRUE);
    delete pClone;
}

BOOL CPropertyListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    PropertyListItem* pRow = GetCurItem();
    if (id == PropertyListItem::kEditId && code == EN_KILLFOCUS) {
        EndEdit(FALSE, FALSE, FALSE);
        return TRUE;
    }
    if (id == PropertyListItem::kComboId && code == CBN_KILLFOCUS) {
        EndEdit(FALSE, FALSE, FALSE);
        return TRUE;
    }
    if (id == PropertyListItem::kComboId && code == CBN_SELENDOK && pRow != nullptr && pRow->GetEditor() != nullptr) {
        const PropertyListItem::EditorKind kind = pRow->GetEditorKind();
        BOOL bEnter = kind == PropertyListItem::editorColor || kind == PropertyListItem::editorOther;
        if (!bEnter) {
            // A choice from the list that was open counts as confirmed (the list has just closed).
            bEnter = TRUE;
        }
        PostMessage(WM_PROPERTYLIST_COMMITSELECTION, static_cast<WPARAM>(bEnter), 0);
        return TRUE;
    }
    if (id == PropertyListItem::kButtonId && code == BN_CLICKED) {
        OnEditorButtonClicked();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CPropertyListCtrl::OnCommitSelection(WPARAM wParam, LPARAM)
{
    PropertyListItem* pRow = GetCurItem();
    if (pRow == nullptr)
        return 0;
    if (pRow->GetEditorKind() == PropertyListItem::editorHistoryCombo) {
        // The chosen history entry counts as typed text; the combo shows it as its text.
        auto* pCombo = static_cast<CComboBox*>(pRow->GetEditor());
        const int sel = pCombo->GetCurSel();
        if (sel >= 0) {
            CString entry;
            pCombo->GetLBText(sel, entry);
            pCombo->SetWindowText(entry);
        }
        pRow->SetEditorModified(TRUE);
    }
    EndEdit(TRUE, static_cast<BOOL>(wParam), FALSE);
    return 0;
}

// ---- keyboard ------------------------------------------------------------------------------------

BOOL CPropertyListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg == nullptr || pMsg->message != WM_KEYDOWN || GetSafeHwnd() == nullptr)
        return CWnd::PreTranslateMessage(pMsg);
    const BOOL bSelf = pMsg->hwnd == GetSafeHwnd();
    CWnd* pTarget = CWnd::FromHandle(pMsg->hwnd);
    if (!bSelf && (pTarget == nullptr || !IsChild(pTarget)))
        return CWnd::PreTranslateMessage(pMsg);
    PropertyListItem* pRow = GetCurItem();
    const BOOL bListFocused = CWnd::GetFocus() != nullptr && CWnd::GetFocus()->GetSafeHwnd() == GetSafeHwnd();
    auto* pCombo = pRow != nullptr ? dynamic_cast<CComboBox*>(pRow->GetEditor()) : nullptr;
    switch (pMsg->wParam) {
    case VK_BACK:
        OnBackspaceKey();
        return TRUE;
    case VK_TAB:
        if (!IsKeyDown(VK_CONTROL) && bListFocused && pRow != nullptr && pRow->GetEditor() != nullptr &&
            pRow->GetEditor()->GetSafeHwnd() != nullptr) {
            pRow->GetEditor()->SetFocus();
            return TRUE;
        }
        break;
    case VK_RETURN:
        OnEnterKey();
        return TRUE;
    case VK_ESCAPE:
        OnEscapeKey(!bSelf);
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT:
        if (bListFocused && pRow != nullptr) {
            StepAlternative(GetCurSel(), pMsg->wParam == VK_LEFT ? 0 : 1);
            return TRUE;
        }
        break;
    case VK_UP:
    case VK_DOWN:
        if (bListFocused && pRow != nullptr) {
            const int step = pMsg->wParam == VK_UP ? -1 : 1;
            for (int i = GetCurSel() + step; i >= 0 && i < GetItemCount(); i += step) {
                if (m_rows[static_cast<size_t>(i)]->m_bHeader)
                    continue;
                if (SetCurSel(i)) {
                    EnsureVisible(i);
                    return TRUE;
                }
            }
        }
        break;
    case VK_DELETE:
        if (pCombo != nullptr && pCombo->GetDroppedState()) {
            if (QWidget* pWidget = pCombo->GetQWidget())
                if (auto* pQt = qobject_cast<QComboBox*>(pWidget); pQt != nullptr && pQt->view()->currentIndex().isValid()) {
                    DeleteHistoryEntry(pQt->view()->currentIndex().row());
                    return TRUE;
                }
        }
        break;
    default:
        break;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CPropertyListCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    PropertyListItem* pRow = GetCurItem();
    CWnd* pEditor = pRow != nullptr ? pRow->GetEditor() : nullptr;
    if (pEditor == nullptr || pEditor->GetSafeHwnd() == nullptr || nChar < 0x20) {
        CWnd::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    // Typing on the list replaces the value.
    pEditor->SetFocus();
    const WCHAR text[2] = {static_cast<WCHAR>(nChar), 0};
    if (auto* pEdit = dynamic_cast<CEdit*>(pEditor)) {
        pEdit->SetWindowText(text);
        pEdit->SetSel(1, 1);
        pEdit->SetModify(TRUE);
    } else if (auto* pCombo = dynamic_cast<CComboBox*>(pEditor); pCombo != nullptr &&
                                                                 pRow->GetEditorKind() == PropertyListItem::editorHistoryCombo) {
        pCombo->SetWindowText(text);
        pCombo->SetEditSel(1, 1);
    } else {
        pEditor->SendMessage(WM_CHAR, nChar, 0);
    }
}

UINT CPropertyListCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CPropertyListCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    const int sel = GetCurSel();
    InvalidateRow(sel);
    if (m_pCurrent != nullptr && m_pCurrent->GetEditor() == nullptr)
        StartEdit();
    UpdateImeState();
}

void CPropertyListCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    InvalidateRow(GetCurSel());
}

LRESULT CPropertyListCtrl::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (!HasFocusInside() && m_pCurrent != nullptr && m_pCurrent->GetEditor() != nullptr)
        EndEdit(FALSE, FALSE, TRUE);
    return 0;
}

void CPropertyListCtrl::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == PropertyListItem::kComboId && lpMeasureItemStruct != nullptr) {
        lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::max(1, m_nRowHeight - 2));
        return;
    }
    CWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

// ---- mouse ---------------------------------------------------------------------------------------

BOOL CPropertyListCtrl::IsOnSplitter(CPoint point) const
{
    return m_bShowDescription && point.y >= m_rcList.bottom && point.y <= m_rcDescription.top;
}

void CPropertyListCtrl::DrawDragLine(int y)
{
    CClientDC dc(this);
    if (!m_rcDrag.IsRectEmpty())
        dc.InvertRect(&m_rcDrag);
    m_rcDrag.SetRectEmpty();
    if (y < 0)
        return;
    CRect client;
    GetClientRect(&client);
    m_rcDrag = CRect(0, y - 2, client.Width(), y + 1);
    dc.InvertRect(&m_rcDrag);
}

void CPropertyListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    if (!HasFocusInside())
        SetFocus();
    if (IsOnSplitter(point)) {
        SetCapture();
        m_bDragging = TRUE;
        DrawDragLine(point.y);
        return;
    }
    int part = -1;
    const int index = HitTest(point, &part);
    if (index < 0 || m_rows[static_cast<size_t>(index)]->m_bHeader)
        return;
    const PropertyListItem* pRow = m_rows[static_cast<size_t>(index)];
    if (m_bShowArrows && ((part == partPrevious && pRow->m_bHasPrevious) || (part == partNext && pRow->m_bHasNext))) {
        StepAlternative(index, part == partPrevious ? 0 : 1);
        return;
    }
    // Typed text in the editor of the row left behind is committed, from an edit as from a
    // history combo, so that a value typed before clicking elsewhere is not lost.
    PropertyListItem* pCurrent = GetCurItem();
    if (pCurrent != nullptr && pCurrent != pRow &&
        (pCurrent->GetEditorKind() == PropertyListItem::editorEdit ||
         pCurrent->GetEditorKind() == PropertyListItem::editorHistoryCombo))
        EndEdit(TRUE, FALSE, FALSE);
    if (index >= GetItemCount())
        return;
    EnsureVisible(index);
    SetCurSel(index);
    if (part == partValue && index < GetItemCount()) {
        PropertyListItem* pSelected = m_rows[static_cast<size_t>(index)];
        if (pSelected->GetEditor() == nullptr)
            StartEdit();
        pSelected->ActivateEditor(&point);
    }
}

void CPropertyListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    m_ptLastMouse = point;
    if (m_bDragging) {
        CRect client;
        GetClientRect(&client);
        const int y = std::max(static_cast<int>(client.top) + m_nRowHeight,
                               std::min(static_cast<int>(point.y), static_cast<int>(client.bottom) - m_nRowHeight));
        DrawDragLine(y);
        return;
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CPropertyListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        DrawDragLine(-1);
        m_bDragging = FALSE;
        ReleaseCapture();
        CRect client;
        GetClientRect(&client);
        const int y = std::max(static_cast<int>(point.y), static_cast<int>(client.top) + m_nRowHeight);
        m_nDescriptionHeight = std::max(m_nRowHeight, static_cast<int>(client.Height()) - y);
        RecalcLayout();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CPropertyListCtrl::OnLButtonDblClk(UINT, CPoint) {}

void CPropertyListCtrl::OnRButtonDown(UINT, CPoint) {}

void CPropertyListCtrl::OnRButtonDblClk(UINT, CPoint) {}

BOOL CPropertyListCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    if (nHitTest == HTCLIENT && IsOnSplitter(point)) {
        static HCURSOR cursor = AfxGetApp() != nullptr ? AfxGetApp()->LoadCursor(kSplitterCursor) : nullptr;
        ::SetCursor(cursor != nullptr ? cursor : LoadCursor(nullptr, IDC_SIZENS));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- tool tips -----------------------------------------------------------------------------------

BOOL CPropertyListCtrl::GetToolTipText(CPoint point, CString& text)
{
    text.Empty();
    int part = -1;
    const int index = HitTest(point, &part);
    if (index < 0)
        return FALSE;
    PropertyListItem* pRow = m_rows[static_cast<size_t>(index)];
    const BOOL bValueSide = part == partValue && point.x > GetSplitX();
    const CString shortcut = pRow->GetShortcutText();
    if (bValueSide) {
        const CRect need = GetValueTextRect(index);
        const CRect cell = GetValueRect(index);
        if (need.IsRectEmpty() || (need.left <= cell.right && need.right <= cell.right))
            return FALSE;
        text = pRow->GetValueText();
    } else {
        const CRect need = GetCaptionTextRect(index, FALSE);
        const CRect cell = GetCaptionRect(index);
        const BOOL bFits = need.left <= cell.right && need.right <= cell.right;
        if (bFits && shortcut.IsEmpty())
            return FALSE;
        text = pRow->GetCaption();
        if (!shortcut.IsEmpty())
            text += CString(u" ") + shortcut;
    }
    if (text.IsEmpty())
        return FALSE;
    if (text.GetLength() > 80)
        text = text.Left(80);
    m_nTipRow = index;
    m_nTipPart = bValueSide ? 1 : 0;
    return TRUE;
}

BOOL CPropertyListCtrl::PlaceToolTip()
{
    if (m_pToolTip == nullptr || m_nTipRow < 0 || m_nTipRow >= GetItemCount())
        return FALSE;
    CRect rc = m_nTipPart == 1 ? GetValueTextRect(m_nTipRow) : GetCaptionTextRect(m_nTipRow, TRUE);
    if (rc.IsRectEmpty())
        return FALSE;
    ClientToScreen(&rc);
    rc.InflateRect(4, 4);
    CRect tip;
    m_pToolTip->GetWindowRect(&tip);
    const int right = GetSystemMetrics(SM_CXSCREEN);
    if (right > 0 && rc.left + tip.Width() > right - 2)
        rc.OffsetRect(right - 2 - (rc.left + tip.Width()), 0);
    if (rc.left < 2)
        rc.OffsetRect(2 - rc.left, 0);
    m_pToolTip->SetWindowPos(nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CPropertyListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (pHdr != nullptr && m_pToolTip != nullptr && pHdr->hwndFrom == m_pToolTip->GetSafeHwnd()) {
        if (pHdr->code == TTN_GETDISPINFO) {
            auto* pInfo = reinterpret_cast<NMTTDISPINFO*>(lParam);
            pInfo->lpszText = nullptr;
            pInfo->szText[0] = 0;
            CString text;
            if (GetToolTipText(m_ptLastMouse, text)) {
                m_tipText.assign(text.GetString(), static_cast<size_t>(text.GetLength()));
                pInfo->lpszText = m_tipText.data();
            }
            if (pResult != nullptr)
                *pResult = 0;
            return TRUE;
        }
        if (pHdr->code == TTN_SHOW && PlaceToolTip()) {
            if (pResult != nullptr)
                *pResult = TRUE;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}
