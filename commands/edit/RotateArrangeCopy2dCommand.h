#pragma once
// Copies the picked shapes around a centre, each copy turned about it or only carried along the circle
// from a base point. The user gives two of the total angle, the step angle and the number of positions;
// only those are asked for. All copies are one undo step with progress, and a cancel takes them back.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;

namespace QZ2Command {

class RotateArrangeCopy2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(RotateArrangeCopy2dCommand)
public:
    enum : WORD {
        itemShapes = 0,
        itemCentre = 1,
        itemOrientation = 2,
        itemBase = 3,
        itemLayout = 4,
        itemNumber = 5,
        itemTotalAngle = 6,
        itemStepAngle = 7
    };
    enum Layout { layoutTotalAndNumber = 0, layoutStepAndNumber = 1, layoutTotalAndStep = 2 };

    RotateArrangeCopy2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override { return TRUE; }

    // The number of positions (the source included) and the step angle for the layout's two values; FALSE
    // when they do not fit a turn.
    static BOOL Plan(int nLayout, int nNumber, double dTotal, double dStep, int& nPositions, double& dStepOut);

private:
    void FollowLists(WORD wGiven);
    void EnsureParameter(WORD wId, BOOL bWanted, int nInsertAfter);
};

}  // namespace QZ2Command
