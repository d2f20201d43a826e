#pragma once
// Window zoom, realtime zoom and pan, run inside the command manager without a command: the manager
// feeds it the mouse positions of the active view in client pixels, and it zooms or pans that view.

#include "libs/ruva/RuVaXY.h"
#include "platform/afx/AfxTypes.h"

#include <vector>

class CPoint;

namespace QZ2Command {

class CommandManager;

class ViewCommand
{
public:
    enum { modeNone = 0, modeRealtimeZoom = 1, modeWindowZoom = 2, modeRealtimePan = 9 };

    explicit ViewCommand(CommandManager* pOwner);

    void Reset();
    void SetMode(int nMode);
    int GetMode() const { return m_nMode; }
    void ClearPoints() { m_points.clear(); }
    int GetPointCount() const { return static_cast<int>(m_points.size()); }

    // Appends the client point and performs one step of the mode: a realtime zoom or pan by the movement
    // since the previous point (which then gives way to this one), or the window zoom of the two corners,
    // which ends the view command.
    void AddPoint(const RuVaXY& point);
    // The window zoom's rubber rectangle from the first corner to the cursor, while only one is given.
    // FALSE when nothing was drawn.
    BOOL DrawMarquee(int nUnused, const CPoint& cursor);

private:
    CommandManager* m_pOwner;
    int m_nMode = modeNone;
    std::vector<RuVaXY> m_points;
};

}  // namespace QZ2Command
