#pragma once
// Where a drop-down tree opens under its combo box: as wide as the combo or as its content (a
// wider content cut to the maximum width, unless the combo itself is wider), as high as its
// content up to a maximum, below the combo, or above it when it would pass the monitor's bottom,
// and kept inside the monitor's left and right edges.

#include "platform/afx/CRect.h"
#include "platform/win/CWnd.h"

class CTreeCtrl;

class DropDownPlacement
{
public:
    static constexpr int kMaxWidth = 200;
    static constexpr int kMaxHeight = 300;

    // The rectangle (screen coordinates) for a tree of the given extent under combo on monitor.
    static CRect Place(const CRect& rcCombo, const CRect& rcMonitor, CSize szExtent, int nMaxWidth = kMaxWidth,
                       int nMaxHeight = kMaxHeight);
    // The whole rectangle of the monitor nearest to the window (not its work area).
    static CRect MonitorRect(const CWnd* pWnd);
    // The content of a tree: the union of its visible items' rows cut at the end of their labels,
    // plus 10 pixels to the right and to the bottom.
    static CSize TreeExtent(const CTreeCtrl& tree);
};
