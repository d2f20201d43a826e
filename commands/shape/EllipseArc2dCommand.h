#pragma once
// Draws elliptic arcs: the ellipse as the ellipse command asks for it (centre, two radii, axis angle),
// then the arc cut from it by a start and an end, each a point, an angle or a picked shape.

#include "command/CommandBase.h"

class Feature2dBase;

namespace QZ2Command {

class EllipseArc2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(EllipseArc2dCommand)
public:
    // Items 0 to 6 are those of Ellipse2dCommand.
    enum : WORD {
        itemStartPoint = 7,
        itemStartAngle = 8,
        itemStartShape = 9,
        itemEndPoint = 10,
        itemEndAngle = 11,
        itemEndShape = 12,
    };
    static constexpr DWORD kStartShapeMask = 0x01800DFE;
    static constexpr DWORD kEndShapeMask = 0x00000DFE;

    EllipseArc2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // The arc of the given values (bPreview: the cursor stands in for points and shapes not given; while
    // neither end is given the whole ellipse, its first axis square to the cursor while the second radius
    // is sought). The result code and, for 3, the reason's string number.
    int MakeShape(BOOL bPreview, Feature2dBase*& pShape, UINT& nReason);
};

}  // namespace QZ2Command
