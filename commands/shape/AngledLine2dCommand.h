#pragma once
// Draws lines that leave a start point at a kept angle: the angle is typed once and stays for the next
// lines until the command ends; each line ends at an end point, after a typed length, or at a picked
// shape (which the pick point chooses where to meet).

#include "command/CommandBase.h"

class Line2dFeature;

namespace QZ2Command {

class AngledLine2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(AngledLine2dCommand)
public:
    // Item ids; parameter 2 holds the three extents as alternatives.
    enum : WORD { itemAngle = 0, itemStartPoint = 1, itemEndPoint = 2, itemLength = 3, itemShape = 4 };
    // The kinds of shape that may end the line.
    static constexpr DWORD kShapeMask = 0x01800DFE;

    AngledLine2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    // Reads the angle, the start and the current extent (bPreview: what is not given yet stands in from
    // the cursor) and makes the line; the result code and, for 3, the reason's string number.
    int MakeLine(BOOL bPreview, Line2dFeature*& pLine, UINT& nReason);
};

}  // namespace QZ2Command
