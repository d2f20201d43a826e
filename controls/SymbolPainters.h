#pragma once
// Painters of one row of the arrow-head and tolerance-symbol choosers (GDI+): an arrow row (optional
// number, a shaft and one of thirteen heads; kind 0 is a text) and a tolerance row (one of fourteen
// symbols and its name). Same selected, disabled and background conventions as the sample painters.

#include "platform/afx/AfxTypes.h"

class CDC;
struct LOGFONTW;

void DrawArrowItem(CDC* pDC, const LOGFONTW* pLogFont, const RECT* pRect, int nKind, BOOL bSelected, BOOL bDisabled,
                   BOOL bShowNumber, BOOL bReserved, BOOL bFillBackground);
void DrawToleranceSymbolItem(CDC* pDC, const LOGFONTW* pLogFont, const RECT* pRect, int nKind, BOOL bSelected,
                             BOOL bDisabled, BOOL bReserved1, BOOL bReserved2, BOOL bFillBackground);

// The geometry of an arrow row: head size s (0.8 of the row height), its half h, the centre line yc, the
// head's reference x (tip or centre) xT, the shaft's start x0 and its end for the kind.
struct ArrowRowGeometry {
    float s = 0, h = 0, yc = 0, xT = 0, x0 = 0;
    float shaftEndX = 0;
};
ArrowRowGeometry ComputeArrowRowGeometry(const RECT& rect, int nKind, float numberWidth);

// The symbol box of a tolerance row (left, top, side) and the name's left edge. The box sits 4 pixels
// inside the row.
struct ToleranceRowGeometry {
    float left = 0, top = 0, side = 0;
    float nameLeft = 0;
};
ToleranceRowGeometry ComputeToleranceRowGeometry(const RECT& rect);
