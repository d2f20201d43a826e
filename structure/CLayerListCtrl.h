#pragma once
// The list of the layer table view: the direct children of one layer group, as an owner-drawn table of
// eight columns (name, state, hidden, colour, line type, line width, printable, shape count) or as
// thumbnails of each layer's shapes in one drawing (wrapping, or in one row). The list never changes the
// document: every action (make current, state, hidden, printable, a colour, line type or width chosen in
// place, rows dropped after a drag) is a message posted to its owner, whose notifications then update the
// rows.

#include <array>
#include <climits>
#include <unordered_map>
#include <vector>

#include "platform/afx/CDWordArray.h"
#include "platform/afx/CString.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CImageList.h"
#include "platform/win/CListCtrl.h"
#include "structure/ListDragMarker.h"

class Draw2dDocument;
class QImage;

class CLayerListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CLayerListCtrl)
public:
    // Messages posted to the owner (wParam the row, lParam the value).
    enum : UINT {
        msgMakeCurrent = 0x8028, msgState = 0x8029, msgHide = 0x802A, msgPrintable = 0x802B,
        msgSelectionChanged = 0x802C, msgColor = 0x802D, msgLineType = 0x802E, msgLineWidth = 0x802F,
        msgDrop = 0x8030,
    };
    enum { modeTable = 0, modeIcons = 1, modeStrip = 2 };
    // Parts of a row (HitTestPart).
    enum { partMarker = 0, partName = 1, partState = 2, partHide = 3, partColor = 4, partLineType = 5,
           partLineWidth = 6, partPrintable = 7 };
    enum { dropBefore = 0, dropAfter = 1, dropInto = 2 };
    static constexpr int kColumns = 8;
    static constexpr UINT kEditorId = 1072;
    static constexpr UINT kSmallImages = 401;
    static constexpr UINT kGroupPicture = 406;
    static constexpr UINT kCursorNoTarget = 430;
    static constexpr UINT kCursorTarget = 431;

    struct Row {
        long nLayerID = -1;
        CString strName;
        int nState = 0;  // 0, 1, 2; 3 for a group whose layers differ or that has none
        short nColorNo = -1, nLineTypeNo = -1, nLineWidthNo = -1;  // -1 when a group's layers differ
        int nHide = 0, nPrintable = 0;  // 0, 1; for a group any other value is mixed; -1 for an empty group
        BOOL bGroup = FALSE;
        BOOL bGroupHasLayers = FALSE;
        BOOL bThumbnailStale = TRUE;
        BOOL bCurrent = FALSE;
    };

    CLayerListCtrl();
    ~CLayerListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    void SetDocument(Draw2dDocument* pDocument) { m_pDocument = pDocument; }
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    long GetGroupShown() const { return m_nGroupID; }
    BOOL ShowGroup(long nGroupID);
    BOOL InsertLayerRow(int nPosition, long nLayerID, LPCTSTR lpszName, int nState, short nColorNo, short nLineTypeNo,
                        short nLineWidthNo, int nHide, int nPrintable);
    BOOL InsertGroupRow(int nPosition, long nLayerID, LPCTSTR lpszName, int nState, short nColorNo, short nLineTypeNo,
                        short nLineWidthNo, int nHide, int nPrintable, BOOL bHasLayers);
    BOOL UpdateLayerRow(long nLayerID, LPCTSTR lpszName, int nState, short nColorNo, short nLineTypeNo,
                        short nLineWidthNo, int nHide, int nPrintable);
    BOOL RemoveLayerRow(long nLayerID);
    void RemoveAllRows();
    BOOL SetCurrentLayerMark(long nLayerID);
    void SetDrawing(long nDrawingID);
    long GetDrawing() const { return m_nDrawingID; }
    void SetPreviewOption(int nOption);
    void SetBackColor(COLORREF color);
    void InvalidateThumbnails();
    // Shape counts: counted again in full when next shown, or kept in step with one record that was added,
    // changed (its layer too) or deleted, without a pass over all the records.
    void InvalidateFeatureCounts();
    void FollowFeatureRecord(long nRecordID);
    void SetReportStyle();
    void SetIconStyle();
    void SetStripStyle();
    int GetMode() const { return m_nMode; }
    void GetColumnWidths(CDWordArray& widths) const;
    BOOL SetColumnWidths(const CDWordArray& widths);

    long GetLayerID(int nRow) const;
    int FindLayerRow(long nLayerID) const;
    int GetSelectedRows(CDWordArray& rows) const;
    BOOL IsGroupSelected() const;
    int GetOneRowHeight() const;
    const Row* GetRow(int nRow) const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }

    BOOL SelectLayer(long nLayerID);
    void SelectLayers(const CDWordArray& ids);
    BOOL FocusLayer(long nLayerID);

    int HitTestPart(POINT point, int& nPart) const;
    int GetDropTarget(POINT point, int& nPosition) const;
    BOOL EditColor(int nRow);
    BOOL EditLineType(int nRow);
    BOOL EditLineWidth(int nRow);
    void EndInPlaceEdit(BOOL bDestroy);
    BOOL IsEditing() const;
    CWnd* GetInPlaceEditor() const { return m_pEditor; }
    int GetEditedRow() const { return m_nEditedRow; }
    BOOL EndDrag();
    int GetDragState() const { return m_nDragState; }
    // The owner's rename command allows the next label edit.
    void AllowLabelEdit() { m_bLabelEditAllowed = TRUE; }

    // The tool tip of a row (a layer's values, or a group's members).
    CString GetTipText(int nRow);
    // The text of column 7 (counted when not cached; empty for groups).
    CString GetCountText(int nRow);
    // The thumbnail of a row as drawn now (rendered when stale); null image outside the rows.
    QImage RenderThumbnail(int nRow) const;
    // The width double-clicking the column's divider gives.
    int GetAutoColumnWidth(int nColumn);
    // Layout of a table row: the marker box, the name's label rectangle and a column's cell.
    CRect GetMarkerRect(const CRect& rowRect) const;
    CRect GetCellRect(const CRect& rowRect, int nColumn) const;
    static CRect CheckBoxRect(const CRect& cell);
    // Layout of a thumbnail: the extent of its label's text, and the 16 x 16 box of its state picture
    // 18 pixels left of it, vertically centred on it (empty for state 3 and in the table).
    CRect GetThumbnailLabelRect(int nRow) const;
    CRect GetThumbnailStateRect(int nRow) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The left edges of the columns from the row's left and the right edge of the last.
    using ColumnEdges = std::array<int, kColumns + 1>;
    ColumnEdges GetColumnEdges() const;
    static CRect CellRect(const CRect& rowRect, const ColumnEdges& edges, int nColumn);
    const CString& GetStateText(int nState);
    void MakeBoldFont(CFont* pFont);
    BOOL InsertRow(int nPosition, const Row& row);
    void AppendChild(long nChildID);
    void PostToOwner(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OpenEditor(int nRow, int nColumn);
    void EnsureCounts();
    void MakeThumbnail(int nRow);
    void ApplyStripWorkArea();
    int HeaderBottom() const;
    void RemoveDropHighlights();
    void EnsureThumbnailSlots();
    // The width of a row's name as drawn.
    int NameWidth(const Row& row) const;
    void RememberSelection();

    int m_nMode = modeTable;
    int m_nPreviewOption = 2;
    int m_nThumbWidth = 128, m_nThumbHeight = 128;
    COLORREF m_backColor = RGB(255, 255, 255);
    Draw2dDocument* m_pDocument = nullptr;
    long m_nGroupID = 0;
    long m_nDrawingID = -1;
    std::vector<Row> m_rows;
    CDWordArray m_columnWidths;
    CDWordArray m_lastSelection;
    CImageList m_smallImages;
    CImageList m_thumbnails;
    CBitmap m_blankThumbnail;
    BOOL m_bLabelEditAllowed = FALSE;
    BOOL m_bClickEditAllowed = FALSE;
    CFont m_boldFont;
    CWnd* m_pEditor = nullptr;
    int m_nEditorColumn = -1;
    int m_nEditedRow = -1;
    int m_nDragState = 0;
    ListDragMarker m_insertMark;
    COLORREF m_markColor = RGB(0, 0, 0);
    UINT_PTR m_nTimerID = 1;
    // Shape counts of every layer, counted in one pass over the records when first asked after
    // InvalidateFeatureCounts, then kept in step record by record: the layer each record was counted in
    // is kept, so that a change moves its count from that layer to its layer now.
    static constexpr long kDenseCountLimit = 1L << 20;
    std::vector<int> m_denseCounts;
    std::unordered_map<long, int> m_counts;
    static constexpr long kNotCounted = LONG_MIN;  // no record, or one not counted yet
    std::vector<long> m_recordLayers;
    BOOL m_bCountsValid = FALSE;
    void AddToCount(long nLayerID, int nDelta);
    int CountOf(long nLayerID) const;
    std::array<CString, 4> m_stateTexts;
};
