#pragma once
// Draws straight lines, one per cycle: a start point, then an end point; a length or an angle typed
// before the end point is picked shapes the line. Stays for the next line until cancelled.

#include "command/CommandBase.h"

class Line2dFeature;

namespace QZ2Command {

class Line2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Line2dCommand)
public:
    // Item ids of the four parameters, in input order.
    enum : WORD { itemStartPoint = 0, itemEndPoint = 1, itemLength = 2, itemAngle = 3 };

    Line2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The line from the two points, shaped by the length and the angle when given (NULL: not given);
    // NULL when the values make no line. The caller owns the line.
    static Line2dFeature* CreateLine(const RuVaPnt2d& start, const RuVaPnt2d& end, const double* pLength,
                                     const double* pAngle);
};

}  // namespace QZ2Command
