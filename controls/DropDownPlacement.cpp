#include "controls/DropDownPlacement.h"

#include <algorithm>

#include "platform/win/CTreeCtrl.h"
#include "platform/win/WinSystem.h"

CRect DropDownPlacement::Place(const CRect& rcCombo, const CRect& rcMonitor, CSize szExtent, int nMaxWidth,
                               int nMaxHeight)
{
    const int width = std::max(static_cast<int>(rcCombo.Width()), std::min(static_cast<int>(szExtent.cx), nMaxWidth));
    const int height = std::max(0, std::min(static_cast<int>(szExtent.cy), nMaxHeight));
    CRect rc(rcCombo.left, rcCombo.bottom, rcCombo.left + width, rcCombo.bottom + height);
    if (rc.bottom > rcMonitor.bottom)
        rc.OffsetRect(0, rcCombo.top - rc.bottom);
    else if (rc.top < rcMonitor.top)
        rc.OffsetRect(0, rcMonitor.top - rc.top);
    if (rc.right > rcMonitor.right)
        rc.OffsetRect(rcMonitor.right - rc.right, 0);
    else if (rc.left < rcMonitor.left)
        rc.OffsetRect(rcMonitor.left - rc.left, 0);
    return rc;
}

CRect DropDownPlacement::MonitorRect(const CWnd* pWnd)
{
    HMONITOR hMonitor = MonitorFromWindow(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (hMonitor == nullptr || !GetMonitorInfo(hMonitor, &mi))
        return CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return CRect(mi.rcMonitor);
}

CSize DropDownPlacement::TreeExtent(const CTreeCtrl& tree)
{
    CRect extent(0, 0, 0, 0);
    for (HTREEITEM hItem = tree.GetRootItem(); hItem != nullptr; hItem = tree.GetNextVisibleItem(hItem)) {
        CRect label;
        if (!tree.GetItemRect(hItem, &label, TRUE))
            continue;
        extent.right = std::max(extent.right, label.right);
        extent.bottom = std::max(extent.bottom, label.bottom);
        extent.top = std::min(extent.top, label.top);
    }
    return CSize(extent.Width() + 10, extent.Height() + 10);
}
