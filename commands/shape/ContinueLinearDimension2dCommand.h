#pragma once
// Adds a row of linear dimensions in one undo step: continued (each from the end of the one before, on one
// dimension line), baseline (each from the first point, every line one spacing farther out) or
// progressive (each from the first point on one line, the first with an origin mark). Each kind measures
// in the generic direction (chosen once from the first points and the position), horizontally, vertically
// or parallel to the first pair. The row ends when the further points are finished (Enter).

#include "command/CommandBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"

class Draw2dDocument;

namespace QZ2Command {

class ContinueLinearDimension2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ContinueLinearDimension2dCommand)
public:
    enum : WORD {
        itemFirstPoint = 0,
        itemSecondPoint = 1,
        itemTextPosition = 2,
        itemPosition = 3,
        itemSpacing = 4,
        itemFurtherPoints = 5,
    };
    enum RowKind { rowContinued, rowBaseline, rowProgressive };
    enum Direction { directionGeneric, directionHorizontal, directionVertical, directionParallel };

    ContinueLinearDimension2dCommand() = default;

    void SetupParameters() override;
    BOOL OnStart() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // One dimension for each pair of consecutive measuring points, added in one undo step (action 0, all or
    // nothing) or drawn as the rubber band (1). nTextPosition: the progressive row's text position choice,
    // -1 for the other kinds. FALSE when any dimension of the row has no length or is refused.
    BOOL BuildDimensions(const RuVaPnt2d& p1, const RuVaPnt2d& p2, const RuVaPnt2d& position,
                         const KcArrayOfGePnt2d& further, int nAction, int nTextPosition, double dSpacing);

    RowKind GetRowKind() const;
    Direction GetDirection() const;
    // The spacing a baseline row proposes: the style's text gap and two text heights, on paper.
    static double GetDefaultSpacing(const CommandBase* pCommand);
};

}  // namespace QZ2Command
