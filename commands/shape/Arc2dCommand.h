#pragma once
// Draws arcs from a centre, a point on the circle or a radius, and two ends, each a point, an angle or a
// picked shape.

#include "command/CommandBase.h"

namespace QZ2Command {

class Arc2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Arc2dCommand)
public:
    enum : WORD {
        itemCentre = 0,
        itemCirclePoint = 1,
        itemRadius = 2,
        itemStartPoint = 3,
        itemStartAngle = 4,
        itemStartShape = 5,
        itemEndPoint = 6,
        itemEndAngle = 7,
        itemEndShape = 8,
    };

    Arc2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Makes the arc (bPreview FALSE) or draws it as the rubber band; the result code.
    int Run(BOOL bPreview, UINT nFlags);
};

}  // namespace QZ2Command
