#pragma once
// The drawing colours of DXF (index colours 1-255) and how they meet our colour table.

#include "platform/afx/AfxTypes.h"

class ColorFeatureTable;

class AcadColor
{
public:
    // The RGB of an index colour 1-255 (7 is white); black for anything else.
    static COLORREF GetAciRgb(int nAci);
    // The fixed colour (1-16) nearest the RGB; 1 without a table.
    static short NearestFixedColorNo(COLORREF rgb, const ColorFeatureTable* pTable);
    // The colour (1-256) nearest the RGB.
    static short NearestColorNo(COLORREF rgb, const ColorFeatureTable* pTable);
};
