#pragma once
// What the structure lists show while their rows are dragged to a new place: the insertion mark, a
// double line with arrow heads at both ends (horizontal across a table row's label, vertical between
// icons), drawn at the edge of the row the rows would land before or after; and the step by which the
// list scrolls while the cursor is near one of its edges.

#include "platform/gdi/GdiTypes.h"
#include "platform/win/CImageList.h"

class CListCtrl;

class ListDragMarker
{
public:
    // Builds the mark (bTable: nLength wide and 6 high; icons: 15 wide and nLength high, in the colour, red
    // transparent) and begins the drag with it.
    BOOL Begin(BOOL bTable, int nLength, COLORREF color = RGB(0, 0, 0));
    // The mark at a point of the list's client area (its top-left corner; a table's mark is centred on the
    // point's line); shown when hidden.
    void Show(CListCtrl* pList, CPoint point);
    void Hide(CListCtrl* pList);
    void End(CListCtrl* pList);
    BOOL IsShown() const { return m_bShown; }
    BOOL IsDragging() const { return m_bDragging; }

    // The scroll for a cursor in the list's client coordinates: one row up or down within 20 pixels of the
    // top (nTop, below a header) or bottom edge, one row sideways near the left or right edge, as far as
    // the scroll ranges allow. (0, 0) when the list need not move.
    static CSize AutoScrollStep(CListCtrl* pList, CPoint cursor, int nTop);

private:
    CImageList m_image;
    BOOL m_bDragging = FALSE;
    BOOL m_bShown = FALSE;
};
