#pragma once
// Draws vertical, horizontal or horizontal-or-vertical lines (one class for the three identifiers): from a
// start point to an end point, for a typed length towards a direction point, or up to a picked shape.
// Choosing the length adds the direction-point row; leaving it removes the row again.

#include "command/CommandBase.h"

class Feature2dBase;
class Line2dFeature;

namespace QZ2Command {

class HorizontalVerticalLine2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(HorizontalVerticalLine2dCommand)
public:
    // Item ids; parameter 1 holds the three extents as alternatives, parameter 2 the direction point
    // while the length is chosen.
    enum : WORD { itemStartPoint = 0, itemEndPoint = 1, itemLength = 2, itemShape = 3, itemDirection = 4 };
    static constexpr DWORD kShapeMask = 0x01800DFE;

    HorizontalVerticalLine2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // The line of the command's kind (its identifier) by each extent; NULL when the values make none.
    static Line2dFeature* CreateLine(const CString& identifier, const RuVaPnt2d& start, const RuVaPnt2d& end);
    static Line2dFeature* CreateLine(const CString& identifier, const RuVaPnt2d& start, double dLength,
                                     const RuVaPnt2d& direction);
    static Line2dFeature* CreateLine(const CString& identifier, const RuVaPnt2d& start, const Feature2dBase* pShape,
                                     const RuVaPnt2d& pick);

private:
    int MakeLine(BOOL bPreview, Line2dFeature*& pLine, UINT& nReason);
};

}  // namespace QZ2Command
