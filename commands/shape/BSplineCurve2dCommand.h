#pragma once
// Draws open or closed B-spline curves from the points picked in turn: as control points of a cubic
// curve, or (every identifier but the control-point one) as points the curve passes through. The open or
// closed choice is kept per identifier, also across runs.

#include "command/CommandBase.h"

class Feature2dBase;
class KcArrayOfGePnt2d;

namespace QZ2Command {

class BSplineCurve2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(BSplineCurve2dCommand)
public:
    enum : WORD { itemClosed = 0, itemPoints = 1 };
    static constexpr int kDegree = 3;

    BSplineCurve2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    BOOL IsControlPointForm() const;

private:
    Feature2dBase* CreateCurve(const KcArrayOfGePnt2d& points, BOOL bClosed) const;
};

}  // namespace QZ2Command
