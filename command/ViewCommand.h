#pragma once
// Window zoom, realtime zoom and pan, run inside the command manager without a command.

#include "libs/ruva/RuVaXY.h"
#include "platform/afx/AfxTypes.h"

#include <vector>

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

private:
    CommandManager* m_pOwner;
    int m_nMode = modeNone;
    std::vector<RuVaXY> m_points;
};

}  // namespace QZ2Command
