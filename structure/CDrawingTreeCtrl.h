#pragma once
// A tree of one document's drawings: papers, part drawings and, under a paper with part layouts, one item
// per layout (the paper's own first). Marks the active drawing or layout (bold, pencil), locked drawings
// (padlock) and hidden ones (grey sheet). Its owners keep it in step with the document's drawing changes
// through the add, remove, move, update and rebuild operations.

#include "controls/CQZ2TreeCtrl.h"
#include "structure/DrawingTreeItem.h"

class CImageList;
class Draw2dDocument;
class DrawingFeatureBase;
class PartDrawingLayout;

class CDrawingTreeCtrl : public CQZ2TreeCtrl
{
    DECLARE_DYNAMIC(CDrawingTreeCtrl)
public:
    // Option bits.
    enum : WORD {
        optionRoot = 0x01,
        optionPapers = 0x02,
        optionParts = 0x04,
        optionLayouts = 0x08,
        optionCheckBoxes = 0x10,
    };
    // Item kinds.
    enum { kindNone = 0, kindPaper = 1, kindPart = 2, kindLayout = 3 };
    // Images of bitmap 402.
    enum {
        imageFolder = 0,
        imageFolderOpen = 1,
        imageActivePaper = 2,
        imagePaper = 3,
        imageHiddenPaper = 4,
        imageActivePart = 5,
        imagePart = 6,
        imageHiddenPart = 7,
        imagePencil = 8,
        imageGreyPencil = 9,
        imagePadlock = 10,
    };

    CDrawingTreeCtrl();
    ~CDrawingTreeCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    WORD m_wOptions = 0x0F;

    void SetDocument(Draw2dDocument* pDocument);
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void RebuildTree();
    void ResetTree();

    HTREEITEM InsertDrawingItem(HTREEITEM hParent, long nDrawingID, long nLayoutID, HTREEITEM hInsertAfter);
    BOOL UpdateItem(HTREEITEM hItem);
    BOOL AddDrawingItem(const DrawingFeatureBase* pDrawing, int nIndex);
    BOOL RemoveDrawingItem(long nDrawingID);
    BOOL MoveDrawingItem(long nDrawingID, int nIndex);
    // nIndex is the layout's position among the paper's placed layouts (the own layout not counted).
    BOOL AddLayoutItem(const DrawingFeatureBase* pPaper, const DrawingFeatureBase* pDrawing,
                       const PartDrawingLayout* pLayout, int nIndex);
    BOOL RemoveLayoutItem(long nLayoutID);
    BOOL MoveLayoutItem(long nLayoutID, int nIndex);
    BOOL UpdateDrawingItems(long nDrawingID);
    BOOL UpdateLayoutItem(long nLayoutID);
    BOOL SetActiveDrawing(long nDrawingID, long nLayoutID);
    long GetActiveDrawingID() const { return m_nActiveDrawingID; }
    long GetActiveLayoutID() const { return m_nActiveLayoutID; }
    BOOL IsActiveItem(HTREEITEM hItem, BOOL bStrict) const;

    HTREEITEM FindDrawingItem(long nDrawingID) const;
    HTREEITEM FindLayoutItem(long nLayoutID) const;
    void SelectDrawingItem(long nDrawingID);
    void SelectLayoutItem(long nLayoutID);

    const DrawingTreeItem* GetItemRecord(HTREEITEM hItem) const;
    // The record's drawing and layout as the document holds them now (NULL when gone).
    DrawingFeatureBase* GetItemDrawing(HTREEITEM hItem) const;
    PartDrawingLayout* GetItemLayout(HTREEITEM hItem) const;
    int GetItemKind(HTREEITEM hItem) const;
    int GetSelectedItemKind() const { return GetItemKind(m_hSelectedItem); }
    HTREEITEM GetSelectedTreeItem() const { return m_hSelectedItem; }
    DrawingFeatureBase* GetSelectedDrawing() const { return GetItemDrawing(m_hSelectedItem); }
    BOOL GetSelection(const DrawingFeatureBase*& pDrawing, const PartDrawingLayout*& pLayout) const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSelChangedReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemExpandingReflect(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    HTREEITEM InsertAt(HTREEITEM hParent, int nPosition, long nDrawingID, long nLayoutID);
    void DeleteItemWithRecords(HTREEITEM hItem);
    // Whether a paper lists its layouts: it has at least one placed layout besides its own.
    BOOL ListsLayouts(const DrawingFeatureBase* pPaper) const;

    Draw2dDocument* m_pDocument = nullptr;
    HTREEITEM m_hSelectedItem = nullptr;
    long m_nActiveDrawingID = -1;
    long m_nActiveLayoutID = -1;
    HTREEITEM m_hPressedItem = nullptr;
    CImageList* m_pImageList = nullptr;
};
