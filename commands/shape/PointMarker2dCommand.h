#pragma once
// Places point markers at clicked or typed points, in the document's point-marker style on the current
// layer.

#include "command/CommandBase.h"

namespace QZ2Command {

class PointMarker2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(PointMarker2dCommand)
public:
    enum : WORD { itemPoint = 0 };

    PointMarker2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The marker at the point, added in one undo step or drawn as the rubber band.
    BOOL BuildMarker(const RuVaPnt2d& point, int nAction);
};

}  // namespace QZ2Command
