#pragma once
// One cell of a colour palette: its rectangle in client coordinates (18 x 18 pixels) and the number of
// the colour-table entry it shows.

#include "platform/afx/CRect.h"

struct ColorCellFeature {
    CRect rect;
    int number = 0;
};
