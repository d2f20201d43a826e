#include "command/ViewCommand.h"

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dView.h"
#include "platform/afx/CPoint.h"

namespace QZ2Command {

ViewCommand::ViewCommand(CommandManager* pOwner) : m_pOwner(pOwner) {}

void ViewCommand::Reset()
{
    m_points.clear();
    m_nMode = modeNone;
}

void ViewCommand::SetMode(int nMode)
{
    m_points.clear();
    m_nMode = nMode;
}

void ViewCommand::AddPoint(const RuVaXY& point)
{
    m_points.push_back(point);
    Draw2dView* pView = m_pOwner != nullptr ? m_pOwner->GetView() : nullptr;
    if (pView == nullptr || m_points.size() < 2)
        return;
    const RuVaXY p0 = m_points[0];
    const RuVaXY p1 = m_points[1];
    const CPoint c0(static_cast<int>(p0.X()), static_cast<int>(p0.Y()));
    const CPoint c1(static_cast<int>(p1.X()), static_cast<int>(p1.Y()));
    switch (m_nMode) {
    case modeWindowZoom:
        // The view refuses a rectangle too small to fill it; the mode ends either way.
        pView->ZoomWindow(c0, c1);
        m_pOwner->EndViewCommand();
        return;
    case modeRealtimeZoom:
    case modeRealtimePan: {
        const int dx = c1.x - c0.x;
        const int dy = c0.y - c1.y;
        BOOL bDone = FALSE;
        // Panning takes y upwards as the world does; the zoom takes the window's own drag.
        if (dx != 0 || dy != 0)
            bDone = m_nMode == modeRealtimePan ? pView->MoveView(dx, dy) : pView->ZoomRealtime(dx, -dy);
        if (bDone) {
            m_points.clear();
            m_points.push_back(p1);
        } else {
            // A refused or empty step: the gesture goes on from the latest position.
            m_points.erase(m_points.begin());
        }
        return;
    }
    default:
        return;
    }
}

BOOL ViewCommand::DrawMarquee(int, const CPoint& cursor)
{
    Draw2dView* pView = m_pOwner != nullptr ? m_pOwner->GetView() : nullptr;
    if (pView == nullptr || m_nMode != modeWindowZoom || m_points.size() != 1)
        return FALSE;
    const CPoint corner(static_cast<int>(m_points[0].X()), static_cast<int>(m_points[0].Y()));
    pView->DrawRectangleMarquee(corner, cursor, 1);
    return TRUE;
}

}  // namespace QZ2Command
