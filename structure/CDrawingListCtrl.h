#pragma once
// The list of a document's papers in the drawing table: one row per paper with its name, state,
// printable flag and shape count, as a table or as icons with thumbnails. It changes nothing in the
// document: every user action is posted to the owner (the table view), which carries it out.

#include <vector>

#include "platform/win/CImageList.h"
#include "platform/win/CListCtrl.h"
#include "platform/gdi/CFont.h"
#include "structure/ListDragMarker.h"

class Draw2dDocument;

class CDrawingListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CDrawingListCtrl)
public:
    // Messages posted to the owner; wParam is the row.
    enum : UINT {
        WM_DRAWINGLIST_ACTIVATE = 0x8032,
        WM_DRAWINGLIST_STATE = 0x8033,       // lParam: the next state
        WM_DRAWINGLIST_PRINTABLE = 0x8037,   // lParam: the new flag
        WM_DRAWINGLIST_SELECTION = 0x8038,
        WM_DRAWINGLIST_DROP = 0x8039,        // lParam: 0 before the row, 1 after it
    };
    // Parts of a row (HitTestPart).
    enum { partActivate = 0, partName = 1, partState = 2, partPrintable = 6 };
    static constexpr int kIconSize = 128;

    struct Item {
        long nID = -1;
        CString strName;
        int nState = 0;
        int nPrintable = 0;
        BOOL bEditLock = TRUE;
        BOOL bImageStale = TRUE;
        BOOL bActive = FALSE;
        int nFeatureCount = -1;
    };

    CDrawingListCtrl();
    ~CDrawingListCtrl() override;

    void SetDocument(Draw2dDocument* pDocument);
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void Refill();
    BOOL AddItem(long nID, const CString& strName, int nState, int nPrintable);
    BOOL UpdateItem(long nID, const CString& strName, int nState, int nPrintable);
    BOOL RemoveItem(long nID);
    BOOL RemoveAllItems();
    BOOL SetActiveItem(long nID);
    using CListCtrl::FindItem;
    int FindItem(long nID) const;
    long GetItemID(int nRow) const;
    const Item* GetItemRecord(int nRow) const;
    void SelectItemsByID(const std::vector<long>& ids);
    BOOL FocusItemByID(long nID);
    int GetFocusedItem() const;
    std::vector<int> GetSelectedRows() const;
    void InvalidateFeatureCounts();
    void InvalidateImages();
    void SetImageOption(int nOption);
    int GetImageOption() const { return m_nImageOption; }

    void SetReportStyle();
    void SetIconStyle();
    void SetStripStyle();
    int GetDisplayStyle() const { return m_nStyle; }

    // The row under the point (or -1) and the part of it (or -1).
    int HitTestPart(CPoint point, int& nPart) const;
    // The state picture a row shows beside its thumbnail in the icon styles (index in bitmap 401), -1 none.
    int GetStatePicture(int nRow) const;
    // Where the dragged selection would land for a point: the row and 0 (before) or 1 (after); -1 for none.
    int GetDropTarget(CPoint point, int& nPosition) const;
    void ArmRename() { m_bRenameArmed = TRUE; }
    // 0 no drag, 1 dragging without a place to drop, 2 dragging with the insertion mark shown.
    int GetDragState() const { return m_nDragState; }
    BOOL IsInsertMarkShown() const { return m_marker.IsShown(); }
    // Where the insertion mark goes for a drop before (0) or after (1) the row.
    BOOL GetInsertMarkPoint(int nRow, int nPosition, CPoint& point) const;
    // While dragging: scrolls one row towards the edge the cursor (client coordinates) is near; the
    // auto-scroll timer calls it every half second. TRUE when the list moved.
    BOOL ScrollWhileDragging(CPoint cursor);
    // How many thumbnails have been drawn (they are made only as rows come into view).
    int GetRenderedImageCount() const { return m_nRenderedImages; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSetFontMessage(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void PostToOwner(UINT message, WPARAM wParam, LPARAM lParam);
    // Column rectangles of a row in report style (client coordinates).
    CRect ColumnRect(int nRow, int nColumn) const;
    CRect NameRect(int nRow) const;
    int ImageOf(int nState) const;
    void ShowStatePicture(int nRow);
    void RenderImage(int nRow);
    void EndDragging();
    void RebuildBoldFont();

    int m_nStyle = 0;
    int m_nImageOption = 2;
    Draw2dDocument* m_pDocument = nullptr;
    std::vector<Item*> m_items;
    std::vector<int> m_reportedSelection;
    CImageList m_stateImages;
    CImageList m_iconImages;
    BOOL m_bRenameArmed = FALSE;
    CFont m_boldFont;
    static constexpr UINT_PTR kAutoScrollTimer = 1;
    int m_nDragState = 0;
    ListDragMarker m_marker;
    int m_nRenderedImages = 0;
    CString m_dispText;
};
