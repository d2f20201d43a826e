#pragma once
// Copies the picked shapes onto a grid of columns and rows with given spacings, the grid turned by an
// angle, all copies one undo step. Progress shows in the status bar; a cancelled array is taken back
// whole. Only the spacings that the counts need are asked for.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/ruva/RuVaPnt2d.h"

#include <vector>

class Draw2dDocument;

namespace QZ2Command {

class CommandManager;

class RectangleArrangeCopy2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(RectangleArrangeCopy2dCommand)
public:
    enum : WORD { itemShapes = 0, itemColumns = 1, itemRows = 2, itemAngle = 3, itemColumnSpacing = 4, itemRowSpacing = 5 };

    RectangleArrangeCopy2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override { return TRUE; }

    struct Grid {
        int nColumns = 2;
        int nRows = 2;
        double dAngle = 0.0;
        double dColumnSpacing = 0.0;
        double dRowSpacing = 0.0;
    };
    // The copies, one undo step, the position at the active drawing's origin being the shapes themselves.
    // With a manager, progress is shown and a cancel takes back what the run added (only that). FALSE
    // when a copy could not be stored. *pCancelled tells whether the user cancelled.
    static BOOL CopyGrid(Draw2dDocument* pDocument, CommandManager* pManager, const CArray<FeatureLayout>& shapes,
                         const Grid& grid, BOOL* pCancelled = nullptr);

    // One array position: the copies are turned by the angle (degrees) about "from" and carried to "to" (world
    // coordinates); the number is the one the progress shows.
    struct Position {
        RuVaPnt2d from;
        RuVaPnt2d to;
        double dAngle = 0.0;
        int nNumber = 0;
    };
    // The copy loop of the arrays: every shape at every position, one undo step, progress out of nTotal.
    static BOOL CopyAtPositions(Draw2dDocument* pDocument, CommandManager* pManager, const CArray<FeatureLayout>& shapes,
                                const std::vector<Position>& positions, int nTotal, BOOL* pCancelled = nullptr);

private:
    BOOL EnsureSpacing(WORD wId, BOOL bWanted);
};

}  // namespace QZ2Command
