#pragma once
// Turns picked shapes into a user hatch pattern of the document: the shapes (moved so that the base point is
// the pattern's origin), two spacings, two angles and a name, looked over in the shape hatch pattern
// dialog. OK stores the pattern, new or in place of the pattern of that name, in one undo step, and opens
// the hatch pattern table.

#include "command/CommandBase.h"

class ShapeHatchPattern;

namespace QZ2Command {

class HatchPattern2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(HatchPattern2dCommand)
public:
    enum : WORD {
        itemShapes = 0,
        itemBase = 1,
        itemSpace1 = 2,
        itemAngle1 = 3,
        itemSpace2 = 4,
        itemAngle2 = 5,
        itemName = 6,
    };
    // Point markers, lines, polylines, circles, arcs, ellipses, elliptic arcs and B-spline curves.
    static constexpr DWORD kPatternKinds = 0x17F;
    // The command that shows the pattern table once a pattern is stored.
    static constexpr UINT kPatternTableCommand = 34665;

    HatchPattern2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // Stores the pattern as a new one, or in place of the pattern of its name, in one undo step.
    static BOOL StorePattern(Draw2dDocument* pDocument, const ShapeHatchPattern& pattern);
};

}  // namespace QZ2Command
