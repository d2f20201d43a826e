#pragma once
// Painters of one row of an owner-drawn list or combo box: a colour (number, swatch, name), a line type
// (number, dash sample, name) and a line width (number, thickness sample, width). Numbers follow the
// program's convention: 0 by layer (the row shows the layer's value in brackets), 32767 none, -1 (colours)
// a user RGB colour. The painters keep no state and leave the context as they found it.

#include <utility>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CRect.h"

class CDC;
class CFont;
class ColorFeature;
class LineTypeFeature;
class LineTypeFeatureTable;
class LineWidthFeature;

void DrawColorItem(CDC* pDC, CFont* pFont, const RECT* pRect, int nNumber, const ColorFeature* pColor, BOOL bSelected,
                   BOOL bDisabled, BOOL bFocused, BOOL bShowNumber, BOOL bShowName, BOOL bFillBackground,
                   BOOL bDrawFocusRect);

void DrawLineTypeItem(CDC* pDC, CFont* pFont, const RECT* pRect, int nNumber, const LineTypeFeature* pLineType,
                      BOOL bSelected, BOOL bDisabled, BOOL bFocused, BOOL bShowNumber, BOOL bShowSample,
                      BOOL bShowName, BOOL bFillBackground, BOOL bDrawFocusRect, BOOL bSeparatorAfter15,
                      BOOL bWideNumberColumn, int nNameColumnWidth);

void DrawLineWidthItem(CDC* pDC, CFont* pFont, const RECT* pRect, int nNumber, const LineWidthFeature* pLineWidth,
                       BOOL bSelected, BOOL bDisabled, BOOL bFocused, BOOL bShowNumber, BOOL bShowSample,
                       BOOL bShowUnit, BOOL bFillBackground, BOOL bDrawFocusRect, BOOL bSeparatorBefore10,
                       BOOL bWideNumberColumn, int nTextColumnWidth);

// The widest name of the table's line types (the by-layer entry left out), in pixels; 0 for none.
int GetMaxLineTypeNameWidth(CDC* pDC, CFont* pFont, const LineTypeFeatureTable* pTable);

// The pieces of the painters, kept apart so that their geometry can be checked.
void DrawLineTypeSample(CDC* pDC, COLORREF color, const RECT* pRect, const LineTypeFeature* pLineType);
void DrawLineWidthSample(CDC* pDC, COLORREF color, const RECT* pRect, const LineWidthFeature* pLineWidth);
void DrawColorSwatch(CDC* pDC, const RECT* pRect, COLORREF rgb, BOOL bDisabled);

// The dashes (from x, to x) of a line-type sample from left to right at dpi dots per inch, for a pattern
// of (dash, gap) lengths in millimetres. The pattern starts with half a dash and fills the sample with
// whole periods (at least two). An empty pattern, a pattern whose sum is not positive or not finite gives
// one solid dash; an unpaired last length is left out.
std::vector<std::pair<int, int>> LineTypeSampleDashes(int left, int right, int dpi, const double* pPattern,
                                                      int nCount);
// The thickness in pixels of a line-width sample: dpi × width × 1.8 / 25.4, at most height − 2, at least 1.
int LineWidthSampleThickness(int dpi, double width, int height);
