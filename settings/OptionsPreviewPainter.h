#pragma once
// The two previews of the options dialog, drawn as the drawing view draws its cursor and snap feedback:
// the cross-hair with its snap box, and a sample line with the cursor on it, the snap marker at its end
// and the snap tool tip beside the cursor.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CRect.h"

class CDC;

struct CursorPreview {
    COLORREF paper = 0x00FFFFFF;
    COLORREF cursor = 0;
    int nBoxSize = 7;
    BOOL bBoxVisible = TRUE;
};

struct SnapPreview {
    CursorPreview cursor;
    COLORREF marker = 0;
    int nMarkerSize = 5;
    BOOL bMarkerVisible = TRUE;
    BOOL bToolTipVisible = TRUE;
};

// The cross-hair through the middle of rc: arms of box size + 10 pixels, and the box when shown.
void DrawCursorPreview(CDC* pDC, const CRect& rc, const CursorPreview& preview);
// The sample line from the lower left to 20 pixels in from the upper right, the cursor on it at x = 35
// with its arms leaving the box free, the marker at the line's end and the tool tip above right of the box.
void DrawSnapPreview(CDC* pDC, const CRect& rc, const SnapPreview& preview);
// Where the snap preview puts its cursor in a preview of w by h pixels (origin at its top left).
CPoint SnapPreviewCursor(int w, int h);
