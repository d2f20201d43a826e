#include "structure/CLayerListCtrl.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <algorithm>

#include "command/LoadResourceString.h"
#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "controls/SamplePainters.h"
#include "libs/vevure/ColorFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeature.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "platform/afx/AfxTchar.h"
#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/CClientDC.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinSystem.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CEdit.h"
#include "platform/win/CComboBox.h"

IMPLEMENT_DYNAMIC(CLayerListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CLayerListCtrl, CListCtrl)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_MESSAGE(WM_SETFONT, &CLayerListCtrl::OnSetFont)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CLayerListCtrl::OnIdleUpdateCmdUI)
ON_NOTIFY_REFLECT(LVN_GETDISPINFO, &CLayerListCtrl::OnGetDispInfo)
ON_NOTIFY_REFLECT(LVN_GETINFOTIP, &CLayerListCtrl::OnGetInfoTip)
ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, &CLayerListCtrl::OnItemChanged)
ON_NOTIFY_REFLECT(NM_CLICK, &CLayerListCtrl::OnClick)
ON_NOTIFY_REFLECT(LVN_BEGINLABELEDIT, &CLayerListCtrl::OnBeginLabelEdit)
ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &CLayerListCtrl::OnBeginDrag)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CLayerListCtrl::OnCustomDraw)
END_MESSAGE_MAP()

namespace {

// Images of bitmap 401.
enum { imgFolder = 0, imgShown = 3, imgNotShown = 4, imgPencil = 5, imgPadlock = 7 };
const UINT kCaptions[CLayerListCtrl::kColumns] = {10234, 10235, 10236, 10237, 10238, 10239, 10240, 10241};
const DWORD kDefaultWidths[CLayerListCtrl::kColumns] = {150, 50, 50, 70, 150, 90, 50, 70};
constexpr int kMarkerSpace = 20;  // room left of the name for the marker box
constexpr int kTipCut = 64;

int StateImage(int nState)
{
    return nState == 0 ? imgShown : nState == 1 ? imgPadlock : nState == 2 ? imgNotShown : -1;
}

UINT StateText(int nState)
{
    return nState == 0 ? 10242 : nState == 1 ? 10243 : nState == 2 ? 10244 : 0;
}

CString CutLine(const CString& line)
{
    if (line.GetLength() <= kTipCut)
        return line;
    int n = kTipCut;
    // Never split a surrogate pair.
    if (n > 0 && (line[n - 1] & 0xFC00) == 0xD800)
        --n;
    return line.Left(n) + u"...";
}

// Makes the pixels of the opaque background colour transparent.
void ClearBackground(QImage& image, COLORREF background)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb back = qRgb(GetRValue(background), GetGValue(background), GetBValue(background));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == back)
                line[x] = 0;
    }
}

}  // namespace

CLayerListCtrl::CLayerListCtrl()
{
    for (DWORD w : kDefaultWidths)
        m_columnWidths.Add(w);
}

CLayerListCtrl::~CLayerListCtrl()
{
    delete m_pEditor;
}

BOOL CLayerListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CListCtrl::Create(dwStyle | LVS_EDITLABELS | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, rect, pParentWnd, nID);
}

int CLayerListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_INFOTIP);
    if (m_smallImages.Create(kSmallImages, 16, 1, RGB(255, 0, 255)))
        SetImageList(&m_smallImages, LVSIL_STATE);
    if (m_thumbnails.Create(m_nThumbWidth, m_nThumbHeight, ILC_COLOR32, 0, 1))
        SetImageList(&m_thumbnails, LVSIL_NORMAL);
    if ((lpCreateStruct->style & LVS_TYPEMASK) == LVS_REPORT)
        SetReportStyle();
    // Without a font of its own the list draws in the default one: the current row's bold comes from it.
    CFont* pFont = GetFont();
    if (pFont == nullptr)
        pFont = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    MakeBoldFont(pFont);
    return 0;
}

void CLayerListCtrl::MakeBoldFont(CFont* pFont)
{
    m_boldFont.DeleteObject();
    LOGFONT lf{};
    if (pFont != nullptr && pFont->GetLogFont(&lf) != 0) {
        lf.lfWeight = FW_BOLD;
        m_boldFont.CreateFontIndirect(&lf);
    }
}

void CLayerListCtrl::OnDestroy()
{
    EndDrag();
    RemoveAllRows();
    if (m_pEditor != nullptr) {
        m_pEditor->DestroyWindow();
        delete m_pEditor;
        m_pEditor = nullptr;
    }
    m_nEditedRow = -1;
    CListCtrl::OnDestroy();
}

void CLayerListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CListCtrl::OnSize(nType, cx, cy);
    if (m_nMode != modeTable)
        Arrange(LVA_ALIGNTOP);
}

LRESULT CLayerListCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    const LRESULT r = Default();
    (void)lParam;
    MakeBoldFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
    return r;
}

// ---------------------------------------------------------------------------------------------------
// Rows

BOOL CLayerListCtrl::ShowGroup(long nGroupID)
{
    if (m_pDocument == nullptr || !m_pDocument->GetLayerTable()->IsGroup(nGroupID))
        return FALSE;
    m_nGroupID = nGroupID;
    SetRedraw(FALSE);
    RemoveAllRows();
    const LayerFeatureTable* pTable = m_pDocument->GetLayerTable();
    const int count = pTable->GetChildLayerFeatureCount(nGroupID);
    m_rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        AppendChild(pTable->GetChildLayerID(nGroupID, i));
    if (m_nMode == modeStrip)
        ApplyStripWorkArea();
    SetCurrentLayerMark(m_pDocument->GetCurrentLayerID());
    SetRedraw(TRUE);
    Invalidate();
    return TRUE;
}

void CLayerListCtrl::AppendChild(long nChildID)
{
    const LayerFeatureTable* pTable = m_pDocument->GetLayerTable();
    const LayerFeature* pRecord = pTable->GetLayerFeature(nChildID);
    if (pRecord == nullptr)
        return;
    if (!pRecord->IsGroup()) {
        InsertLayerRow(-1, nChildID, pRecord->GetLayerName(), pRecord->GetLayerState(), pRecord->GetColorNo(),
                       pRecord->GetLineTypeNo(), pRecord->GetLineWidthNo(),
                       (pRecord->GetLayerStateFlags() & 0x10) ? 1 : 0, (pRecord->GetLayerStateFlags() & 0x08) ? 1 : 0);
    } else if (pTable->GetChildLayerCount(nChildID, TRUE) > 0) {
        InsertGroupRow(-1, nChildID, pRecord->GetLayerName(), pTable->GetLayerGroupState(nChildID),
                       static_cast<short>(pTable->GetLayerGroupColorNo(nChildID)),
                       static_cast<short>(pTable->GetLayerGroupLineTypeNo(nChildID)),
                       static_cast<short>(pTable->GetLayerGroupLineWidthNo(nChildID)),
                       pTable->GetLayerGroupHide(nChildID), pTable->GetLayerGroupPrintable(nChildID), TRUE);
    } else {
        InsertGroupRow(-1, nChildID, pRecord->GetLayerName(), 3, -1, -1, -1, -1, -1, FALSE);
    }
}

BOOL CLayerListCtrl::InsertRow(int nPosition, const Row& row)
{
    const int count = static_cast<int>(m_rows.size());
    const int position = nPosition < 0 || nPosition > count ? count : nPosition;
    m_rows.insert(m_rows.begin() + position, row);
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = position;
    item.pszText = LPSTR_TEXTCALLBACK;
    item.iImage = I_IMAGECALLBACK;
    if (InsertItem(&item) < 0) {
        m_rows.erase(m_rows.begin() + position);
        return FALSE;
    }
    // The table draws no thumbnails: their slots are made when a thumbnail mode shows.
    if (m_thumbnails.GetSafeHandle() != nullptr && m_nMode != modeTable) {
        // One blank picture serves every new row until its thumbnail is drawn.
        if (m_blankThumbnail.GetSafeHandle() == nullptr) {
            QImage image(m_nThumbWidth, m_nThumbHeight, QImage::Format_ARGB32);
            image.fill(Qt::white);
            m_blankThumbnail.CreateFromImage(image);
        }
        m_thumbnails.Add(&m_blankThumbnail, static_cast<CBitmap*>(nullptr));
    }
    // Image i belongs to row i: the rows that moved down draw theirs again.
    for (size_t i = static_cast<size_t>(position); i < m_rows.size(); ++i)
        m_rows[i].bThumbnailStale = TRUE;
    return TRUE;
}

namespace {

CLayerListCtrl::Row MakeRow(long nLayerID, LPCTSTR lpszName, int nState, short nColorNo, short nLineTypeNo,
                            short nLineWidthNo, int nHide, int nPrintable)
{
    CLayerListCtrl::Row row;
    row.nLayerID = nLayerID;
    row.strName = lpszName;
    row.nState = nState;
    row.nColorNo = nColorNo;
    row.nLineTypeNo = nLineTypeNo;
    row.nLineWidthNo = nLineWidthNo;
    row.nHide = nHide;
    row.nPrintable = nPrintable;
    return row;
}

}  // namespace

BOOL CLayerListCtrl::InsertLayerRow(int nPosition, long nLayerID, LPCTSTR lpszName, int nState, short nColorNo,
                                    short nLineTypeNo, short nLineWidthNo, int nHide, int nPrintable)
{
    return InsertRow(nPosition,
                     MakeRow(nLayerID, lpszName, nState, nColorNo, nLineTypeNo, nLineWidthNo, nHide, nPrintable));
}

BOOL CLayerListCtrl::InsertGroupRow(int nPosition, long nLayerID, LPCTSTR lpszName, int nState, short nColorNo,
                                    short nLineTypeNo, short nLineWidthNo, int nHide, int nPrintable, BOOL bHasLayers)
{
    Row row = MakeRow(nLayerID, lpszName, nState, nColorNo, nLineTypeNo, nLineWidthNo, nHide, nPrintable);
    row.bGroup = TRUE;
    row.bGroupHasLayers = bHasLayers;
    return InsertRow(nPosition, row);
}

BOOL CLayerListCtrl::UpdateLayerRow(long nLayerID, LPCTSTR lpszName, int nState, short nColorNo, short nLineTypeNo,
                                    short nLineWidthNo, int nHide, int nPrintable)
{
    const int i = FindLayerRow(nLayerID);
    if (i < 0)
        return FALSE;
    Row& row = m_rows[static_cast<size_t>(i)];
    row.strName = lpszName;
    row.nState = nState;
    row.nColorNo = nColorNo;
    row.nLineTypeNo = nLineTypeNo;
    row.nLineWidthNo = nLineWidthNo;
    row.nHide = nHide;
    row.nPrintable = nPrintable;
    row.bGroup = FALSE;
    row.bGroupHasLayers = FALSE;
    Update(i);
    RedrawItems(i, i);
    return TRUE;
}

BOOL CLayerListCtrl::RemoveLayerRow(long nLayerID)
{
    const int i = FindLayerRow(nLayerID);
    if (i < 0)
        return FALSE;
    if (m_nEditedRow == i)
        EndInPlaceEdit(FALSE);
    m_rows.erase(m_rows.begin() + i);
    DeleteItem(i);
    // The removed row's image goes with it, so that every later row keeps its own.
    if (m_thumbnails.GetSafeHandle() != nullptr && i < m_thumbnails.GetImageCount())
        m_thumbnails.Remove(i);
    Arrange(LVA_ALIGNTOP);
    RememberSelection();
    return TRUE;
}

void CLayerListCtrl::RemoveAllRows()
{
    if (m_nEditedRow >= 0)
        EndInPlaceEdit(FALSE);
    m_rows.clear();
    if (GetSafeHwnd() != nullptr)
        DeleteAllItems();
    if (m_thumbnails.GetSafeHandle() != nullptr)
        m_thumbnails.Remove(-1);
    m_lastSelection.RemoveAll();
}

BOOL CLayerListCtrl::SetCurrentLayerMark(long nLayerID)
{
    BOOL bMarked = FALSE;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const BOOL bCurrent = m_rows[i].nLayerID == nLayerID ? TRUE : FALSE;
        if (bCurrent)
            bMarked = TRUE;
        if (m_rows[i].bCurrent != bCurrent) {
            m_rows[i].bCurrent = bCurrent;
            RedrawItems(static_cast<int>(i), static_cast<int>(i));
        }
    }
    return bMarked;
}

void CLayerListCtrl::SetDrawing(long nDrawingID)
{
    m_nDrawingID = nDrawingID;
    InvalidateThumbnails();
}

void CLayerListCtrl::SetPreviewOption(int nOption)
{
    m_nPreviewOption = nOption;
    InvalidateThumbnails();
}

void CLayerListCtrl::SetBackColor(COLORREF color)
{
    // The same colour draws nothing again.
    if (color == m_backColor)
        return;
    m_backColor = color;
    InvalidateThumbnails();
}

void CLayerListCtrl::InvalidateThumbnails()
{
    for (Row& row : m_rows)
        row.bThumbnailStale = TRUE;
    if (GetSafeHwnd() != nullptr && m_nMode != modeTable)
        Invalidate(FALSE);
}

void CLayerListCtrl::InvalidateFeatureCounts()
{
    m_bCountsValid = FALSE;
    m_counts.clear();
    m_recordLayers.clear();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CLayerListCtrl::FollowFeatureRecord(long nRecordID)
{
    // Not counted yet: the next display counts every record anyway.
    if (!m_bCountsValid || m_pDocument == nullptr)
        return;
    if (nRecordID < 1) {
        InvalidateFeatureCounts();
        return;
    }
    const size_t i = static_cast<size_t>(nRecordID);
    if (i >= m_recordLayers.size())
        m_recordLayers.resize(i + 1, kNotCounted);
    const Feature2dBase* pFeature = m_pDocument->GetFeature(nRecordID);
    const long now = pFeature != nullptr ? pFeature->GetLayerID() : kNotCounted;
    const long was = m_recordLayers[i];
    if (now == was)
        return;
    m_recordLayers[i] = now;
    if (was != kNotCounted)
        AddToCount(was, -1);
    if (now != kNotCounted)
        AddToCount(now, +1);
    // The rows show their counts when painted: one repaint for any number of changes.
    if (GetSafeHwnd() != nullptr && m_nMode == modeTable)
        Invalidate(FALSE);
}

void CLayerListCtrl::AddToCount(long nLayerID, int nDelta)
{
    if (nLayerID >= 0 && nLayerID < kDenseCountLimit) {
        if (static_cast<size_t>(nLayerID) >= m_denseCounts.size())
            m_denseCounts.resize(static_cast<size_t>(nLayerID) + 1024, 0);
        m_denseCounts[static_cast<size_t>(nLayerID)] += nDelta;
    } else {
        m_counts[nLayerID] += nDelta;
    }
}

int CLayerListCtrl::CountOf(long nLayerID) const
{
    if (nLayerID >= 0 && static_cast<size_t>(nLayerID) < m_denseCounts.size())
        return m_denseCounts[static_cast<size_t>(nLayerID)];
    const auto it = m_counts.find(nLayerID);
    return it != m_counts.end() ? it->second : 0;
}

// ---------------------------------------------------------------------------------------------------
// Modes and columns

void CLayerListCtrl::SetReportStyle()
{
    ModifyStyle(LVS_TYPEMASK, LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
    SetWorkAreas(0, nullptr);
    while (DeleteColumn(0)) {
    }
    for (int c = 0; c < kColumns; ++c) {
        // Captions are kept in 40 characters.
        CString caption = LoadResourceString(kCaptions[c]).Left(39);
        InsertColumn(c, caption, LVCFMT_LEFT, static_cast<int>(m_columnWidths[c]));
    }
    m_nMode = modeTable;
}

void CLayerListCtrl::EnsureThumbnailSlots()
{
    if (m_thumbnails.GetSafeHandle() == nullptr)
        return;
    if (m_blankThumbnail.GetSafeHandle() == nullptr) {
        QImage image(m_nThumbWidth, m_nThumbHeight, QImage::Format_ARGB32);
        image.fill(Qt::white);
        m_blankThumbnail.CreateFromImage(image);
    }
    const int have = m_thumbnails.GetImageCount();
    for (int i = have; i < static_cast<int>(m_rows.size()); ++i) {
        m_thumbnails.Add(&m_blankThumbnail, static_cast<CBitmap*>(nullptr));
        m_rows[static_cast<size_t>(i)].bThumbnailStale = TRUE;
    }
}

void CLayerListCtrl::SetIconStyle()
{
    EndInPlaceEdit(FALSE);
    EnsureThumbnailSlots();
    ModifyStyle(LVS_TYPEMASK | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER, LVS_ICON | LVS_SHOWSELALWAYS);
    SetWorkAreas(0, nullptr);
    m_nMode = modeIcons;
    Arrange(LVA_ALIGNTOP);
}

void CLayerListCtrl::SetStripStyle()
{
    EndInPlaceEdit(FALSE);
    EnsureThumbnailSlots();
    ModifyStyle(LVS_TYPEMASK | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER, LVS_ICON | LVS_SHOWSELALWAYS);
    m_nMode = modeStrip;
    ApplyStripWorkArea();
}

void CLayerListCtrl::ApplyStripWorkArea()
{
    const CSize one = ApproximateViewRect(CSize(-1, -1), 1);
    CRect area(0, 0, one.cx * 1000, one.cy);
    SetWorkAreas(1, &area);
    Arrange(LVA_ALIGNTOP);
}

void CLayerListCtrl::GetColumnWidths(CDWordArray& widths) const
{
    widths.RemoveAll();
    for (int i = 0; i < m_columnWidths.GetSize(); ++i)
        widths.Add(m_columnWidths[i]);
}

BOOL CLayerListCtrl::SetColumnWidths(const CDWordArray& widths)
{
    if (widths.GetSize() != kColumns)
        return FALSE;
    for (int i = 0; i < kColumns; ++i)
        m_columnWidths[i] = std::min<DWORD>(widths[i], 4096);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Queries and selection

long CLayerListCtrl::GetLayerID(int nRow) const
{
    return nRow >= 0 && nRow < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(nRow)].nLayerID : -1;
}

const CLayerListCtrl::Row* CLayerListCtrl::GetRow(int nRow) const
{
    return nRow >= 0 && nRow < static_cast<int>(m_rows.size()) ? &m_rows[static_cast<size_t>(nRow)] : nullptr;
}

int CLayerListCtrl::FindLayerRow(long nLayerID) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].nLayerID == nLayerID)
            return static_cast<int>(i);
    return -1;
}

int CLayerListCtrl::GetSelectedRows(CDWordArray& rows) const
{
    rows.RemoveAll();
    int i = -1;
    while ((i = GetNextItem(i, LVNI_SELECTED)) >= 0)
        rows.Add(static_cast<DWORD>(i));
    return static_cast<int>(rows.GetSize());
}

BOOL CLayerListCtrl::IsGroupSelected() const
{
    CDWordArray rows;
    GetSelectedRows(rows);
    for (int i = 0; i < rows.GetSize(); ++i)
        if (const Row* pRow = GetRow(static_cast<int>(rows[i])); pRow != nullptr && pRow->bGroup)
            return TRUE;
    return FALSE;
}

int CLayerListCtrl::GetOneRowHeight() const
{
    return ApproximateViewRect(CSize(-1, -1), 1).cy + GetSystemMetrics(SM_CYHSCROLL);
}

BOOL CLayerListCtrl::SelectLayer(long nLayerID)
{
    const int row = FindLayerRow(nLayerID);
    if (row < 0)
        return FALSE;
    for (int i = 0; i < GetItemCount(); ++i)
        SetItemState(i, i == row ? (LVIS_SELECTED | LVIS_FOCUSED) : 0, LVIS_SELECTED | LVIS_FOCUSED);
    return TRUE;
}

void CLayerListCtrl::SelectLayers(const CDWordArray& ids)
{
    for (int i = 0; i < GetItemCount(); ++i) {
        BOOL bIn = FALSE;
        for (int k = 0; k < ids.GetSize() && !bIn; ++k)
            bIn = static_cast<long>(ids[k]) == GetLayerID(i);
        SetItemState(i, bIn ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
}

BOOL CLayerListCtrl::FocusLayer(long nLayerID)
{
    const int row = FindLayerRow(nLayerID);
    return row >= 0 && SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CLayerListCtrl::RememberSelection()
{
    CDWordArray rows;
    GetSelectedRows(rows);
    m_lastSelection.RemoveAll();
    for (int i = 0; i < rows.GetSize(); ++i)
        m_lastSelection.Add(rows[i]);
}

BOOL CLayerListCtrl::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pNM = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (((pNM->uOldState ^ pNM->uNewState) & LVIS_SELECTED) == 0)
        return FALSE;
    CDWordArray rows;
    GetSelectedRows(rows);
    BOOL bSame = rows.GetSize() == m_lastSelection.GetSize();
    for (int i = 0; bSame && i < rows.GetSize(); ++i)
        bSame = rows[i] == m_lastSelection[i];
    if (!bSame) {
        RememberSelection();
        PostToOwner(msgSelectionChanged, 0, 0);
    }
    // The parent hears of it too.
    return FALSE;
}

void CLayerListCtrl::PostToOwner(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr)
        pOwner->PostMessage(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------------
// Counts, thumbnails and tips

void CLayerListCtrl::EnsureCounts()
{
    if (m_bCountsValid || m_pDocument == nullptr)
        return;
    // One pass over the records for every layer: a page of rows never walks the records per row.
    // Layer ids are small numbers: counted in an array indexed by id (a hash per shape cost more than
    // the walk itself); any id beyond it falls back to the map.
    m_counts.clear();
    m_denseCounts.assign(m_denseCounts.size(), 0);
    m_recordLayers.assign(m_recordLayers.size(), kNotCounted);
    for (long id = m_pDocument->GetNextFeatureRecordID(-1); id != -1; id = m_pDocument->GetNextFeatureRecordID(id)) {
        const Feature2dBase* pFeature = m_pDocument->GetFeature(id);
        const long layer = pFeature != nullptr ? pFeature->GetLayerID() : kNotCounted;
        if (static_cast<size_t>(id) >= m_recordLayers.size())
            m_recordLayers.resize(static_cast<size_t>(id) + 1024, kNotCounted);
        m_recordLayers[static_cast<size_t>(id)] = layer;
        if (layer != kNotCounted)
            AddToCount(layer, +1);
    }
    m_bCountsValid = TRUE;
}

CString CLayerListCtrl::GetCountText(int nRow)
{
    const Row* pRow = GetRow(nRow);
    if (pRow == nullptr || pRow->bGroup)
        return CString();
    EnsureCounts();
    CString text;
    text.Format(u"%d", CountOf(pRow->nLayerID));
    return text;
}

QImage CLayerListCtrl::RenderThumbnail(int nRow) const
{
    const Row* pRow = GetRow(nRow);
    if (pRow == nullptr)
        return QImage();
    QImage image(m_nThumbWidth, m_nThumbHeight, QImage::Format_ARGB32);
    image.fill(QColor(GetRValue(m_backColor), GetGValue(m_backColor), GetBValue(m_backColor)));
    QPainter painter(&image);
    if (pRow->bGroup) {
        CBitmap picture;
        if (picture.LoadBitmap(kGroupPicture))
            painter.drawImage(QRect(2, 2, m_nThumbWidth - 4, m_nThumbHeight - 4), picture.GetImage());
    }
    if (m_pDocument != nullptr && !(pRow->bGroup && !pRow->bGroupHasLayers)) {
        std::vector<long> ids;
        if (pRow->bGroup) {
            CArray<long, long> below;
            m_pDocument->GetLayerTable()->GetChildLayerList(pRow->nLayerID, below, TRUE, FALSE);
            for (int i = 0; i < below.GetSize(); ++i)
                ids.push_back(below[i]);
        } else {
            ids.push_back(pRow->nLayerID);
        }
        QImage* pShapes = DrawingManager::CreateLayerFeatureImage(m_pDocument, ids, m_nPreviewOption == 1 ? 0 : 2,
                                                                 m_nDrawingID, m_nThumbWidth - 12,
                                                                 m_nThumbHeight - 22, m_backColor, 1);
        if (pShapes != nullptr) {
            // Over a group's folder the shapes' background is left out, so the folder stays in sight.
            if (pRow->bGroup)
                ClearBackground(*pShapes, m_backColor);
            painter.drawImage(6, 16, *pShapes);
            delete pShapes;
        }
    }
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(0, 0, m_nThumbWidth - 1, m_nThumbHeight - 1);
    painter.end();
    return image;
}

void CLayerListCtrl::MakeThumbnail(int nRow)
{
    Row& row = m_rows[static_cast<size_t>(nRow)];
    if (!row.bThumbnailStale || m_thumbnails.GetSafeHandle() == nullptr)
        return;
    CBitmap bitmap;
    if (bitmap.CreateFromImage(RenderThumbnail(nRow)) && nRow < m_thumbnails.GetImageCount())
        m_thumbnails.Replace(nRow, &bitmap, nullptr);
    row.bThumbnailStale = FALSE;
}

void CLayerListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    LVITEM& item = pInfo->item;
    const int nRow = item.iItem;
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()))
        return;
    if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0) {
        CString text;
        if (item.iSubItem == 0)
            text = m_rows[static_cast<size_t>(nRow)].strName;
        else if (item.iSubItem == 7)
            text = GetCountText(nRow);
        _tcsncpy_s(item.pszText, static_cast<size_t>(item.cchTextMax), text, _TRUNCATE);
    }
    if (item.mask & LVIF_IMAGE) {
        if (m_nMode != modeTable)
            MakeThumbnail(nRow);
        item.iImage = nRow;
    }
}

CString CLayerListCtrl::GetTipText(int nRow)
{
    const Row* pRow = GetRow(nRow);
    if (pRow == nullptr || m_pDocument == nullptr)
        return CString();
    const LayerFeatureTable* pTable = m_pDocument->GetLayerTable();
    if (!pRow->bGroup) {
        const UINT state = StateText(pRow->nState);
        const ColorFeatureTable* pColors = m_pDocument->GetColorFeatureTable();
        const LineTypeFeatureTable* pTypes = m_pDocument->GetLineTypeFeatureTable();
        const LineWidthFeatureTable* pWidths = m_pDocument->GetLineWidthFeatureTable();
        CString tip;
        tip.Format(LoadResourceString(10245), static_cast<LPCTSTR>(state != 0 ? LoadResourceString(state) : CString()),
                   static_cast<int>(pRow->nColorNo),
                   static_cast<LPCTSTR>(pColors != nullptr ? pColors->GetColorName(pRow->nColorNo) : CString()),
                   static_cast<LPCTSTR>(pTypes != nullptr ? pTypes->GetLineTypeName(pRow->nLineTypeNo) : CString()),
                   pWidths != nullptr ? pWidths->GetLineWidth(pRow->nLineWidthNo) : 0.0,
                   static_cast<LPCTSTR>(LoadResourceString(pRow->nPrintable == 1 ? 10147 : 10148)),
                   _ttoi(GetCountText(nRow)));
        return tip;
    }
    CString groups, layers;
    const int count = pTable->GetChildLayerFeatureCount(pRow->nLayerID);
    for (int i = 0; i < count; ++i) {
        const long id = pTable->GetChildLayerID(pRow->nLayerID, i);
        CString& line = pTable->IsGroup(id) ? groups : layers;
        if (!line.IsEmpty())
            line += u", ";
        line += pTable->GetLayerName(id);
    }
    if (groups.IsEmpty() && layers.IsEmpty())
        return LoadResourceString(10246);
    CString tip;
    if (!groups.IsEmpty())
        tip = CutLine(LoadResourceString(10247) + groups);
    if (!layers.IsEmpty()) {
        if (!tip.IsEmpty())
            tip += u"\n";
        tip += CutLine(LoadResourceString(10248) + layers);
    }
    return tip;
}

void CLayerListCtrl::OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* pTip = reinterpret_cast<NMLVGETINFOTIP*>(pNMHDR);
    if (pTip->pszText == nullptr || pTip->cchTextMax <= 0)
        return;
    const CString text = GetTipText(pTip->iItem);
    _tcsncpy_s(pTip->pszText, static_cast<size_t>(pTip->cchTextMax), text, _TRUNCATE);
}

// ---------------------------------------------------------------------------------------------------
// Drawing

CRect CLayerListCtrl::GetMarkerRect(const CRect& rowRect) const
{
    const int top = rowRect.top + (rowRect.Height() - 16) / 2;
    return CRect(rowRect.left + 2, top, rowRect.left + 18, top + 16);
}

CLayerListCtrl::ColumnEdges CLayerListCtrl::GetColumnEdges() const
{
    ColumnEdges edges{};
    for (int c = 0; c < kColumns; ++c)
        edges[static_cast<size_t>(c) + 1] = edges[static_cast<size_t>(c)] + GetColumnWidth(c);
    return edges;
}

CRect CLayerListCtrl::CellRect(const CRect& rowRect, const ColumnEdges& edges, int nColumn)
{
    if (nColumn < 0 || nColumn >= kColumns)
        return CRect(rowRect.left, rowRect.top, rowRect.left, rowRect.bottom);
    CRect cell(rowRect.left + edges[static_cast<size_t>(nColumn)], rowRect.top,
               rowRect.left + edges[static_cast<size_t>(nColumn) + 1], rowRect.bottom);
    if (nColumn == 0)
        cell.left += kMarkerSpace;  // the name's label, right of the marker box
    return cell;
}

CRect CLayerListCtrl::GetCellRect(const CRect& rowRect, int nColumn) const
{
    return CellRect(rowRect, GetColumnEdges(), nColumn);
}

const CString& CLayerListCtrl::GetStateText(int nState)
{
    // Loaded once: a page of rows would otherwise look every state's text up again.
    if (nState < 0 || nState > 2)
        return m_stateTexts[3];
    CString& text = m_stateTexts[static_cast<size_t>(nState)];
    if (text.IsEmpty())
        text = LoadResourceString(StateText(nState));
    return text;
}

CRect CLayerListCtrl::CheckBoxRect(const CRect& cell)
{
    CRect inner = cell;
    inner.DeflateRect(1, 0);
    const int left = inner.left + (inner.Width() - 14) / 2;
    return CRect(left, inner.top, left + 14, inner.bottom);
}

void CLayerListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int nRow = static_cast<int>(lpDrawItemStruct->itemID);
    const Row* pRow = GetRow(nRow);
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pRow == nullptr || pDC == nullptr || m_pDocument == nullptr)
        return;
    const CRect rowRect = lpDrawItemStruct->rcItem;
    const UINT itemState = GetItemState(nRow, LVIS_SELECTED | LVIS_DROPHILITED);
    const BOOL bSelected = (itemState & (LVIS_SELECTED | LVIS_DROPHILITED)) != 0;
    const BOOL bFocusRow = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
    const BOOL bListFocus = CWnd::GetFocus() == this;
    const BOOL bGreyed = pRow->nHide == 1 && !pRow->bCurrent;
    const BOOL bEnabled = IsWindowEnabled();
    COLORREF fill, text, textBack;
    const COLORREF normalText = GetSysColor(bGreyed ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    if (!bEnabled && !bSelected) {
        fill = GetSysColor(COLOR_BTNFACE);
        text = normalText;
        textBack = GetSysColor(COLOR_WINDOW);
    } else if (bSelected && bListFocus) {
        fill = GetSysColor(bEnabled ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        textBack = GetSysColor(COLOR_HIGHLIGHT);
    } else if (bSelected) {
        fill = GetSysColor(COLOR_BTNFACE);
        text = normalText;
        textBack = GetSysColor(COLOR_BTNFACE);
    } else {
        fill = GetSysColor(COLOR_WINDOW);
        text = normalText;
        textBack = GetSysColor(COLOR_WINDOW);
    }
    const int saved = pDC->SaveDC();
    // The column edges are asked once per row, not once per cell.
    const ColumnEdges edges = GetColumnEdges();
    CRect filled = rowRect;
    filled.left = CellRect(rowRect, edges, 0).left;
    pDC->FillSolidRect(&filled, fill);
    pDC->SetTextColor(text);
    pDC->SetBkColor(textBack);
    pDC->SetBkMode(TRANSPARENT);
    CFont* pFont = pRow->bCurrent && m_boldFont.GetSafeHandle() != nullptr ? &m_boldFont : GetFont();
    if (pFont != nullptr)
        pDC->SelectObject(pFont);
    const UINT textFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

    for (int c = 0; c < kColumns; ++c) {
        if (edges[static_cast<size_t>(c) + 1] <= edges[static_cast<size_t>(c)])
            continue;
        CRect cell = CellRect(rowRect, edges, c);
        if (c == 0)
            cell.left = rowRect.left;
        if (c >= 2)
            cell.DeflateRect(1, 0);
        // Texts keep inside their cells (DrawText clips); pictures are placed inside them.
        switch (c) {
        case 0: {
            const int image = pRow->bCurrent ? imgPencil : (pRow->bGroup || pRow->nLayerID == -1) ? imgFolder : -1;
            if (image >= 0)
                m_smallImages.Draw(pDC, image, GetMarkerRect(rowRect).TopLeft(), ILD_TRANSPARENT);
            CEdit* pEdit = GetEditControl();
            if (!(bFocusRow && pEdit != nullptr && pEdit->IsWindowVisible())) {
                CRect label = CellRect(rowRect, edges, 0);
                label.DeflateRect(1, 0);
                pDC->DrawText(pRow->strName, &label, textFormat);
            }
            break;
        }
        case 1:
            if (pRow->nState != 3) {
                m_smallImages.Draw(pDC, StateImage(pRow->nState),
                                   CPoint(cell.left + 1, cell.top + (cell.Height() - 16) / 2), ILD_TRANSPARENT);
                CRect label(cell.left + 20, cell.top, cell.right - 1, cell.bottom);
                pDC->DrawText(GetStateText(pRow->nState), &label, textFormat);
            }
            break;
        case 2:
        case 6: {
            const int value = c == 2 ? pRow->nHide : pRow->nPrintable;
            if (!(pRow->bGroup && !pRow->bGroupHasLayers)) {
                CRect box = CheckBoxRect(CellRect(rowRect, edges, c));
                UINT flags = DFCS_BUTTONCHECK | DFCS_FLAT;
                if (value != 0)
                    flags |= DFCS_CHECKED;
                if (value != 0 && value != 1)
                    flags |= DFCS_INACTIVE;
                pDC->DrawFrameControl(&box, DFC_BUTTON, flags);
            }
            break;
        }
        case 3:
            if (pRow->nColorNo != -1 && m_pDocument->GetColorFeatureTable() != nullptr)
                DrawColorItem(pDC, pFont, &cell, pRow->nColorNo, m_pDocument->GetColorFeatureTable()->GetColor(pRow->nColorNo),
                              bSelected && bListFocus, bGreyed, bFocusRow, TRUE, TRUE, FALSE, FALSE);
            break;
        case 4:
            if (pRow->nLineTypeNo != -1 && m_pDocument->GetLineTypeFeatureTable() != nullptr) {
                const LineTypeFeatureTable* pTypes = m_pDocument->GetLineTypeFeatureTable();
                DrawLineTypeItem(pDC, pFont, &cell, pRow->nLineTypeNo, pTypes->GetLineTypeByNo(pRow->nLineTypeNo),
                                 bSelected && bListFocus, bGreyed, bFocusRow, TRUE, TRUE, TRUE, FALSE, FALSE,
                                 pTypes->GetLineTypeSize() > 15, FALSE, 0);
            }
            break;
        case 5:
            if (pRow->nLineWidthNo != -1 && m_pDocument->GetLineWidthFeatureTable() != nullptr)
                DrawLineWidthItem(pDC, pFont, &cell, pRow->nLineWidthNo,
                                  m_pDocument->GetLineWidthFeatureTable()->GetLineWidthFeature(pRow->nLineWidthNo),
                                  bSelected && bListFocus, bGreyed, bFocusRow, TRUE, TRUE, TRUE, FALSE, FALSE, FALSE,
                                  FALSE, 0);
            break;
        case 7: {
            const CString count = GetCountText(nRow);
            pDC->DrawText(count, &cell, textFormat | DT_RIGHT);
            break;
        }
        default:
            break;
        }
    }
    if (bListFocus && bFocusRow)
        pDC->DrawFocusRect(&filled);
    pDC->RestoreDC(saved);
}

void CLayerListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (m_nMode == modeTable)
        return;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    const int nRow = static_cast<int>(pDraw->nmcd.dwItemSpec);
    const Row* pRow = GetRow(nRow);
    if (pRow == nullptr)
        return;
    if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        if (!pRow->bCurrent && pRow->nHide == 1)
            pDraw->clrText = GetSysColor(COLOR_GRAYTEXT);
        // The current layer's label is bold, as in the table.
        if (pRow->bCurrent && m_boldFont.GetSafeHandle() != nullptr) {
            if (CDC* pDC = CDC::FromHandle(pDraw->nmcd.hdc)) {
                pDC->SelectObject(&m_boldFont);
                *pResult = CDRF_NEWFONT;
            }
        }
        // The state picture goes beside the label once the item is drawn.
        if (pRow->nState != 3)
            *pResult |= CDRF_NOTIFYPOSTPAINT;
        return;
    }
    if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPOSTPAINT) {
        const CRect state = GetThumbnailStateRect(nRow);
        if (CDC* pDC = CDC::FromHandle(pDraw->nmcd.hdc); pDC != nullptr && !state.IsRectEmpty())
            m_smallImages.Draw(pDC, StateImage(pRow->nState), state.TopLeft(), ILD_TRANSPARENT);
    }
}

int CLayerListCtrl::NameWidth(const Row& row) const
{
    // The name as drawn: bold for the current layer.
    CClientDC dc(const_cast<CLayerListCtrl*>(this));
    CFont* pOld = dc.SelectObject(row.bCurrent && m_boldFont.GetSafeHandle() != nullptr
                                      ? const_cast<CFont*>(&m_boldFont) : GetFont());
    const int width = dc.GetTextExtent(row.strName).cx + 2;
    dc.SelectObject(pOld);
    return width;
}

CRect CLayerListCtrl::GetThumbnailLabelRect(int nRow) const
{
    const Row* pRow = GetRow(nRow);
    CRect label;
    if (m_nMode == modeTable || pRow == nullptr || !GetItemRect(nRow, &label, LVIR_LABEL))
        return CRect();
    // The label's rectangle spans the item; its text stands centred in it.
    const int width = std::min(NameWidth(*pRow), static_cast<int>(label.Width()));
    const int left = label.left + (label.Width() - width) / 2;
    return CRect(left, label.top, left + width, label.bottom);
}

CRect CLayerListCtrl::GetThumbnailStateRect(int nRow) const
{
    const Row* pRow = GetRow(nRow);
    if (pRow == nullptr || pRow->nState == 3)
        return CRect();
    const CRect label = GetThumbnailLabelRect(nRow);
    if (label.IsRectEmpty())
        return CRect();
    const int top = label.top + (label.Height() - 16) / 2;
    return CRect(label.left - 18, top, label.left - 2, top + 16);
}

// ---------------------------------------------------------------------------------------------------
// Hit tests

int CLayerListCtrl::HeaderBottom() const
{
    if (m_nMode != modeTable || GetItemCount() == 0)
        return 0;
    CRect first;
    GetItemRect(GetTopIndex(), &first, LVIR_BOUNDS);
    return std::max(0, static_cast<int>(first.top));
}

int CLayerListCtrl::HitTestPart(POINT point, int& nPart) const
{
    nPart = -1;
    LVHITTESTINFO info{};
    info.pt = point;
    int row = const_cast<CLayerListCtrl*>(this)->SubItemHitTest(&info);
    if (m_nMode != modeTable) {
        if (row < 0) {
            LVFINDINFO find{};
            find.flags = LVFI_NEARESTXY | LVFI_WRAP;
            find.pt = point;
            find.vkDirection = VK_UP;
            row = FindItem(&find);
        }
        if (row < 0)
            return -1;
        // The state picture beside the label, then the label's text.
        if (GetThumbnailStateRect(row).PtInRect(point)) {
            nPart = partState;
            return row;
        }
        if (GetThumbnailLabelRect(row).PtInRect(point)) {
            nPart = partName;
            return row;
        }
        return -1;
    }
    if (row < 0)
        return -1;
    const Row* pRow = GetRow(row);
    CRect rowRect;
    GetItemRect(row, &rowRect, LVIR_BOUNDS);
    CRect name = GetCellRect(rowRect, 0);
    if (pRow != nullptr)
        name.right = std::min(name.right, name.left + NameWidth(*pRow));
    CRect state = GetCellRect(rowRect, 1);
    state.left += 1;
    if (name.PtInRect(point))
        nPart = partName;
    else if (state.PtInRect(point))
        nPart = partState;
    else if (GetMarkerRect(rowRect).PtInRect(point))
        nPart = partMarker;
    else if (CheckBoxRect(GetCellRect(rowRect, 2)).PtInRect(point))
        nPart = partHide;
    else if (CheckBoxRect(GetCellRect(rowRect, 6)).PtInRect(point))
        nPart = partPrintable;
    else if (info.iSubItem == 3)
        nPart = partColor;
    else if (info.iSubItem == 4)
        nPart = partLineType;
    else if (info.iSubItem == 5)
        nPart = partLineWidth;
    return row;
}

int CLayerListCtrl::GetDropTarget(POINT point, int& nPosition) const
{
    nPosition = -1;
    CRect client;
    GetClientRect(&client);
    client.top = std::max<LONG>(client.top, HeaderBottom());
    if (!client.PtInRect(point))
        return -1;
    int row = const_cast<CLayerListCtrl*>(this)->HitTest(CPoint(point));
    if (row < 0) {
        LVFINDINFO find{};
        find.flags = LVFI_NEARESTXY | LVFI_WRAP;
        find.pt = point;
        find.vkDirection = VK_UP;
        row = FindItem(&find);
    }
    if (row < 0 || (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
        return -1;
    const Row* pRow = GetRow(row);
    CRect rect;
    GetItemRect(row, &rect, LVIR_BOUNDS);
    int position;
    if (m_nMode != modeTable) {
        if (pRow != nullptr && pRow->bGroup && rect.PtInRect(point))
            position = dropInto;
        else
            position = point.x <= rect.left + rect.Width() / 2 ? dropBefore : dropAfter;
    } else if (pRow != nullptr && pRow->bGroup) {
        const int fifth = rect.Height() / 5;
        if (point.y < rect.top + fifth)
            position = dropBefore;
        else if (point.y > rect.bottom - fifth)
            position = dropAfter;
        else if (rect.PtInRect(point))
            position = dropInto;
        else
            position = dropAfter;
    } else {
        position = point.y <= rect.top + rect.Height() / 2 ? dropBefore : dropAfter;
    }
    // A drop beside the selection would move nothing.
    if (position == dropBefore && row > 0 && (GetItemState(row - 1, LVIS_SELECTED) & LVIS_SELECTED))
        return -1;
    if (position == dropAfter && row + 1 < GetItemCount() && (GetItemState(row + 1, LVIS_SELECTED) & LVIS_SELECTED))
        return -1;
    nPosition = position;
    return row;
}

// ---------------------------------------------------------------------------------------------------
// Mouse

void CLayerListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bLabelEditAllowed = FALSE;
    m_bClickEditAllowed = FALSE;
    int part = -1;
    const int row = HitTestPart(point, part);
    const BOOL bFocused = CWnd::GetFocus() == this;
    if (row >= 0 && bFocused && (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
        m_bClickEditAllowed = TRUE;
    if (IsEditing()) {
        EndInPlaceEdit(FALSE);
        CListCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    const Row* pRow = GetRow(row);
    if (pRow != nullptr) {
        const BOOL bEmptyGroup = pRow->bGroup && !pRow->bGroupHasLayers;
        switch (part) {
        case partMarker:
            if (!pRow->bGroup && pRow->nLayerID != -1) {
                PostToOwner(msgMakeCurrent, static_cast<WPARAM>(row), 0);
                return;
            }
            break;
        case partName:
            if (bFocused)
                m_bLabelEditAllowed = TRUE;
            break;
        case partState:
            if (!bEmptyGroup) {
                const int next = pRow->nState == 0 ? 1 : pRow->nState == 1 ? 2 : 0;
                PostToOwner(msgState, static_cast<WPARAM>(row), next);
            }
            return;
        case partHide:
            if (!bEmptyGroup)
                PostToOwner(msgHide, static_cast<WPARAM>(row), pRow->nHide == 0 ? 1 : 0);
            return;
        case partPrintable:
            if (!bEmptyGroup)
                PostToOwner(msgPrintable, static_cast<WPARAM>(row), pRow->nPrintable == 0 ? 1 : 0);
            return;
        default:
            break;
        }
    }
    CListCtrl::OnLButtonDown(nFlags, point);
}

void CLayerListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_nMode != modeTable) {
        UINT flags = 0;
        const int row = HitTest(point, &flags);
        const Row* pRow = GetRow(row);
        if (pRow != nullptr && (flags & LVHT_ONITEM) && !pRow->bGroup)
            PostToOwner(msgMakeCurrent, static_cast<WPARAM>(row), 0);
    } else {
        int part = -1;
        const int row = HitTestPart(point, part);
        if (row >= 0) {
            if (IsEditing()) {
                EndInPlaceEdit(FALSE);
                return;
            }
            const Row* pRow = GetRow(row);
            if (part == partName && pRow != nullptr && !pRow->bGroup)
                PostToOwner(msgMakeCurrent, static_cast<WPARAM>(row), 0);
        }
    }
    CListCtrl::OnLButtonDblClk(nFlags, point);
}

void CLayerListCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bClickEditAllowed)
        return;
    const auto* pNM = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    int part = -1;
    const int row = HitTestPart(pNM->ptAction, part);
    if (row < 0 || part < partColor || part > partLineWidth)
        return;
    CDWordArray rows;
    if (GetSelectedRows(rows) != 1 || static_cast<int>(rows[0]) != row)
        return;
    if (part == partColor)
        EditColor(row);
    else if (part == partLineType)
        EditLineType(row);
    else
        EditLineWidth(row);
}

void CLayerListCtrl::OnBeginLabelEdit(NMHDR*, LRESULT* pResult)
{
    *pResult = m_bLabelEditAllowed ? 0 : 1;
}

// ---------------------------------------------------------------------------------------------------
// In-place combos

BOOL CLayerListCtrl::EditColor(int nRow)
{
    return OpenEditor(nRow, 3);
}

BOOL CLayerListCtrl::EditLineType(int nRow)
{
    return OpenEditor(nRow, 4);
}

BOOL CLayerListCtrl::EditLineWidth(int nRow)
{
    return OpenEditor(nRow, 5);
}

BOOL CLayerListCtrl::OpenEditor(int nRow, int nColumn)
{
    const Row* pRow = GetRow(nRow);
    if (pRow == nullptr || m_pDocument == nullptr || (pRow->bGroup && !pRow->bGroupHasLayers))
        return FALSE;
    if (m_pEditor != nullptr && m_nEditorColumn != nColumn) {
        m_pEditor->DestroyWindow();
        delete m_pEditor;
        m_pEditor = nullptr;
        m_nEditedRow = -1;
    }
    EnsureVisible(nRow, FALSE);
    CRect rowRect, client;
    GetItemRect(nRow, &rowRect, LVIR_BOUNDS);
    CRect cell = GetCellRect(rowRect, nColumn);
    GetClientRect(&client);
    int dx = 0;
    if (cell.left < client.left)
        dx = cell.left - client.left;
    else if (cell.right > client.right)
        dx = cell.right - client.right;
    if (dx != 0) {
        Scroll(CSize(dx, 0));
        GetItemRect(nRow, &rowRect, LVIR_BOUNDS);
        cell = GetCellRect(rowRect, nColumn);
    }
    if (m_pEditor == nullptr) {
        CWnd* pNew = nullptr;
        const DWORD style = WS_CHILD | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
        CRect drop = cell;
        drop.bottom += 200;
        if (nColumn == 3) {
            auto* pCombo = new CSelectColorComboBox(TRUE, TRUE, FALSE, FALSE);
            if (pCombo->Create(style | CBS_HASSTRINGS, drop, this, kEditorId))
                pNew = pCombo;
            else
                delete pCombo;
        } else if (nColumn == 4) {
            auto* pCombo = new CSelectLineTypeComboBox;
            if (pCombo->Create(style | CBS_HASSTRINGS, drop, this, kEditorId))
                pNew = pCombo;
            else
                delete pCombo;
        } else {
            auto* pCombo = new CSelectLineWidthComboBox;
            if (pCombo->Create(style, drop, this, kEditorId))
                pNew = pCombo;
            else
                delete pCombo;
        }
        if (pNew == nullptr)
            return FALSE;
        pNew->SetFont(GetFont());
        m_pEditor = pNew;
        m_nEditorColumn = nColumn;
    }
    if (auto* pColor = dynamic_cast<CSelectColorComboBox*>(m_pEditor)) {
        pColor->SetColorTable(m_pDocument->GetColorFeatureTable());
        pColor->SetColorNo(pRow->nColorNo == -1 ? 32767 : pRow->nColorNo);
    } else if (auto* pType = dynamic_cast<CSelectLineTypeComboBox*>(m_pEditor)) {
        pType->SetLineTypeTable(m_pDocument->GetLineTypeFeatureTable(), FALSE);
        pType->SetLineTypeNo(pRow->nLineTypeNo == -1 ? 32767 : pRow->nLineTypeNo);
    } else if (auto* pWidth = dynamic_cast<CSelectLineWidthComboBox*>(m_pEditor)) {
        pWidth->SetLineWidthTable(m_pDocument->GetLineWidthFeatureTable(), FALSE);
        pWidth->SetLineWidthNo(pRow->nLineWidthNo == -1 ? 32767 : pRow->nLineWidthNo);
        int widest = 0;
        CClientDC dc(pWidth);
        CString text;
        for (int i = 0; i < pWidth->GetCount(); ++i) {
            pWidth->GetLBText(i, text);
            widest = std::max(widest, static_cast<int>(dc.GetTextExtent(text).cx) + 40);
        }
        if (widest > 0)
            pWidth->SetDroppedWidth(static_cast<UINT>(widest));
    }
    m_pEditor->MoveWindow(cell.left, cell.top, cell.Width(), cell.Height() + 200);
    m_nEditedRow = nRow;
    m_pEditor->ShowWindow(SW_SHOW);
    m_pEditor->SetFocus();
    return TRUE;
}

void CLayerListCtrl::EndInPlaceEdit(BOOL bDestroy)
{
    if (m_pEditor != nullptr) {
        if (m_pEditor->GetSafeHwnd() != nullptr && m_pEditor->IsWindowVisible())
            m_pEditor->ShowWindow(SW_HIDE);
        if (bDestroy) {
            m_pEditor->DestroyWindow();
            delete m_pEditor;
            m_pEditor = nullptr;
            m_nEditorColumn = -1;
        }
    }
    m_nEditedRow = -1;
}

BOOL CLayerListCtrl::IsEditing() const
{
    if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr && m_pEditor->IsWindowVisible())
        return TRUE;
    return GetEditControl() != nullptr;
}

BOOL CLayerListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kEditorId && HIWORD(wParam) == CBN_SELENDOK && m_pEditor != nullptr) {
        CDWordArray rows;
        const WPARAM first = GetSelectedRows(rows) > 0 ? rows[0] : static_cast<WPARAM>(m_nEditedRow);
        if (auto* pColor = dynamic_cast<CSelectColorComboBox*>(m_pEditor))
            PostToOwner(msgColor, first, pColor->GetColorNo());
        else if (auto* pType = dynamic_cast<CSelectLineTypeComboBox*>(m_pEditor))
            PostToOwner(msgLineType, first, pType->GetLineTypeNo());
        else if (auto* pWidth = dynamic_cast<CSelectLineWidthComboBox*>(m_pEditor))
            PostToOwner(msgLineWidth, first, pWidth->GetLineWidthNo());
        return TRUE;
    }
    return CListCtrl::OnCommand(wParam, lParam);
}

LRESULT CLayerListCtrl::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return 0;
    CWnd* pFocus = CWnd::GetFocus();
    const BOOL bEditorFocus = pFocus != nullptr && (pFocus == m_pEditor || m_pEditor->IsChild(pFocus));
    if (bEditorFocus) {
        if (m_nEditedRow >= 0 && !(GetItemState(m_nEditedRow, LVIS_SELECTED) & LVIS_SELECTED))
            m_pEditor->ShowWindow(SW_HIDE);
    } else if (m_pEditor->IsWindowVisible()) {
        // Open drop-downs keep the editor.
        if (auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor); pCombo != nullptr && pCombo->GetDroppedState())
            return 0;
        EndInPlaceEdit(FALSE);
    }
    return 0;
}

BOOL CLayerListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_ESCAPE) {
            if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr && m_pEditor->IsWindowVisible()) {
                EndInPlaceEdit(FALSE);
                SetFocus();
                return TRUE;
            }
            if (m_nDragState != 0) {
                EndDrag();
                return TRUE;
            }
        } else if (pMsg->wParam == VK_F2 && pMsg->hwnd == m_hWnd) {
            const int focused = GetNextItem(-1, LVNI_FOCUSED);
            if (focused >= 0)
                EditLabel(focused);
            return TRUE;
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------------------
// Header

BOOL CLayerListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHEADER*>(lParam);
    if (pHeader != nullptr && pHeader->hdr.hwndFrom == m_hWnd && pHeader->hdr.idFrom == 0) {
        switch (pHeader->hdr.code) {
        case HDN_BEGINTRACK:
            EndInPlaceEdit(FALSE);
            *pResult = 0;
            return TRUE;
        case HDN_ENDTRACK: {
            for (int c = 0; c < kColumns; ++c) {
                int width = GetColumnWidth(c);
                if (c == pHeader->iItem && pHeader->pitem != nullptr && (pHeader->pitem->mask & HDI_WIDTH))
                    width = pHeader->pitem->cxy;
                m_columnWidths[c] = static_cast<DWORD>(std::clamp(width, 0, 4096));
            }
            *pResult = 0;
            if (CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent())
                pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), HDN_ENDTRACKW),
                                    reinterpret_cast<LPARAM>(m_hWnd));
            return TRUE;
        }
        case HDN_DIVIDERDBLCLICK: {
            const int width = GetAutoColumnWidth(pHeader->iItem);
            if (width >= 1) {
                SetColumnWidth(pHeader->iItem, width);
                m_columnWidths[pHeader->iItem] = static_cast<DWORD>(std::min(width, 4096));
            }
            *pResult = 1;
            return TRUE;
        }
        default:
            break;
        }
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

int CLayerListCtrl::GetAutoColumnWidth(int nColumn)
{
    if (nColumn < 0 || nColumn >= kColumns || GetSafeHwnd() == nullptr)
        return 0;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    const int maxChar = tm.tmMaxCharWidth;
    const int aveChar = tm.tmAveCharWidth;
    int width = GetStringWidth(LoadResourceString(kCaptions[nColumn])) + maxChar;
    if (nColumn == 1)
        width = std::max(width, GetStringWidth(LoadResourceString(10244)) + aveChar + 16);
    if (nColumn == 2 || nColumn == 6)
        width = std::max(width, 16);
    const ColorFeatureTable* pColors = m_pDocument != nullptr ? m_pDocument->GetColorFeatureTable() : nullptr;
    const LineTypeFeatureTable* pTypes = m_pDocument != nullptr ? m_pDocument->GetLineTypeFeatureTable() : nullptr;
    const LineWidthFeatureTable* pWidths = m_pDocument != nullptr ? m_pDocument->GetLineWidthFeatureTable() : nullptr;
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        const Row& row = m_rows[static_cast<size_t>(i)];
        CString text;
        switch (nColumn) {
        case 0:
            width = std::max(width, GetStringWidth(row.strName) + maxChar + 16);
            break;
        case 3:
            if (row.nColorNo != -1 && pColors != nullptr) {
                text.Format(u"%d: %s", static_cast<int>(row.nColorNo),
                            static_cast<LPCTSTR>(pColors->GetColorName(row.nColorNo)));
                width = std::max(width, GetStringWidth(text) + 20 + maxChar);
            }
            break;
        case 4:
            if (row.nLineTypeNo != -1 && pTypes != nullptr) {
                text.Format(u"%d: %s", static_cast<int>(row.nLineTypeNo),
                            static_cast<LPCTSTR>(pTypes->GetLineTypeName(row.nLineTypeNo)));
                width = std::max(width, GetStringWidth(text) + maxChar);
            }
            break;
        case 5:
            if (row.nLineWidthNo != -1 && pWidths != nullptr) {
                text.Format(u"%d: %.2f", static_cast<int>(row.nLineWidthNo), pWidths->GetLineWidth(row.nLineWidthNo));
                width = std::max(width, GetStringWidth(text) + maxChar);
            }
            break;
        case 7:
            width = std::max(width, GetStringWidth(GetCountText(i)) + aveChar);
            break;
        default:
            break;
        }
    }
    return width;
}

// ---------------------------------------------------------------------------------------------------
// Dragging

void CLayerListCtrl::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (GetSelectedCount() == 0 || GetItemCount() == 0)
        return;
    CRect first;
    GetItemRect(0, &first, m_nMode == modeTable ? LVIR_LABEL : LVIR_BOUNDS);
    const BOOL bTable = m_nMode == modeTable;
    m_insertMark.Begin(bTable, bTable ? first.Width() : first.Height(), m_markColor);
    SetCapture();
    SetFocus();
    m_nDragState = 1;
    SetTimer(m_nTimerID, 500, nullptr);
}

void CLayerListCtrl::RemoveDropHighlights()
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetItemState(i, LVIS_DROPHILITED) & LVIS_DROPHILITED) {
            SetItemState(i, 0, LVIS_DROPHILITED);
            RedrawItems(i, i);
        }
}

void CLayerListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nDragState == 0) {
        CListCtrl::OnMouseMove(nFlags, point);
        return;
    }
    int position = -1;
    const int row = GetDropTarget(point, position);
    if (row < 0) {
        m_insertMark.Hide(this);
        m_nDragState = 1;
        RemoveDropHighlights();
    } else if (position != dropInto) {
        CRect rect;
        GetItemRect(row, &rect, m_nMode == modeTable ? LVIR_LABEL : LVIR_BOUNDS);
        CPoint mark = rect.TopLeft();
        if (position == dropAfter)
            mark = m_nMode == modeTable ? CPoint(rect.left, rect.bottom) : CPoint(rect.right, rect.top);
        CImageList::DragShowNolock(FALSE);
        RemoveDropHighlights();
        CImageList::DragShowNolock(TRUE);
        m_insertMark.Show(this, mark);
        m_nDragState = 2;
    } else {
        CImageList::DragShowNolock(FALSE);
        for (int i = 0; i < GetItemCount(); ++i) {
            const UINT want = i == row ? LVIS_DROPHILITED : 0;
            if ((GetItemState(i, LVIS_DROPHILITED) & LVIS_DROPHILITED) != want) {
                SetItemState(i, want, LVIS_DROPHILITED);
                RedrawItems(i, i);
            }
        }
        CImageList::DragShowNolock(TRUE);
        m_insertMark.Hide(this);
        m_nDragState = 1;
    }
    ::SetCursor(AfxGetApp() != nullptr
                    ? AfxGetApp()->LoadCursor(row >= 0 ? kCursorTarget : kCursorNoTarget)
                    : nullptr);
}

void CLayerListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nDragState == 0) {
        CListCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    EndDrag();
    int position = -1;
    const int row = GetDropTarget(point, position);
    if (row >= 0)
        PostToOwner(msgDrop, static_cast<WPARAM>(row), position);
}

void CLayerListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nTimerID || m_nDragState == 0) {
        CListCtrl::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    const CSize step = ListDragMarker::AutoScrollStep(this, cursor, HeaderBottom());
    if (step.cx != 0 || step.cy != 0) {
        m_insertMark.Hide(this);
        m_nDragState = 1;
        Scroll(step);
    }
}

BOOL CLayerListCtrl::EndDrag()
{
    if (m_nDragState == 0)
        return FALSE;
    m_nDragState = 0;
    ReleaseCapture();
    m_insertMark.End(this);
    RemoveDropHighlights();
    KillTimer(m_nTimerID);
    return TRUE;
}
