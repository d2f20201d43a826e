#pragma once
// Places point markers at an offset from a base point: by X and Y offsets, or (choosing the distance) by a
// distance towards a direction point or along a typed angle.

#include "command/CommandBase.h"

class PointMarker2dFeature;

namespace QZ2Command {

class RelativePointMarker2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(RelativePointMarker2dCommand)
public:
    enum : WORD { itemBase = 0, itemOffsetX = 1, itemOffsetY = 2, itemDistance = 3, itemDirection = 4, itemAngle = 5 };
    // How the offset is given.
    enum Kind { kindOffsets = 0, kindDistanceAngle = 1, kindDistanceDirection = 2 };

    RelativePointMarker2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // The marker off the base in the document's point-marker style (not yet scaled nor on a layer); NULL
    // for another kind or values that place none. The caller owns it.
    PointMarker2dFeature* MakeMarker(const RuVaPnt2d& base, int nKind, double u, double v,
                                     const RuVaPnt2d& direction) const;

private:
    void ReplaceThirdRow(BOOL bDirection);
};

}  // namespace QZ2Command
