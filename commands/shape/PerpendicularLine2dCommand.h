#pragma once
// Draws a line square to a picked shape: on the shape (at the point nearest a position point, running to
// the foot of an end point) or from a start point (the foot nearest the pick). Unlike the tangent, the
// construction works in the picked part layout's coordinates, carried into the active one.

#include "commands/shape/TangentLine2dCommand.h"

namespace QZ2Command {

class PerpendicularLine2dCommand : public TangentLine2dCommand
{
    DECLARE_DYNCREATE(PerpendicularLine2dCommand)
public:
    static constexpr DWORD kShapeMask = 0x01800DFE;

    PerpendicularLine2dCommand() = default;

protected:
    const Texts& GetTexts() const override;
    int CreateLine(const FeatureParameterItem& shape, BOOL bOnShape, const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                   Line2dFeature*& pLine, UINT& nReason) override;
};

}  // namespace QZ2Command
