#pragma once
// Adds a row of angular or arc-length dimensions about one centre in one undo step: continued, baseline
// (each dimension arc one spacing farther out) or progressive, paired as the linear rows are. The row ends
// when the further points are finished (Enter).

#include "command/CommandBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"

class Draw2dDocument;

namespace QZ2Command {

class ContinueAngularDimension2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ContinueAngularDimension2dCommand)
public:
    enum : WORD {
        itemCentre = 0,
        itemFirstPoint = 1,
        itemSecondPoint = 2,
        itemTextPosition = 3,
        itemPosition = 4,
        itemSpacing = 5,
        itemFurtherPoints = 6,
    };
    enum RowKind { rowContinued, rowBaseline, rowProgressive };

    ContinueAngularDimension2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // One dimension per pair of consecutive measuring points about the centre, added in one undo step
    // (action 0, all or nothing) or drawn (1). FALSE when two points of a pair lie in one direction from
    // the centre, a point of an arc-length row or the position lies on the centre, or a dimension is refused.
    BOOL BuildDimensions(const RuVaPnt2d& centre, const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                         const RuVaPnt2d& position, const KcArrayOfGePnt2d& further, int nAction,
                         int nTextPosition, double dSpacing);

    RowKind GetRowKind() const;
    BOOL IsArcLength() const;

    // The right-click test of every row command: the rows are never offered there.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
