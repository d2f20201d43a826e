#pragma once
// Cuts shapes back to their crossings: "Korvan.Edit.Trim" takes out the piece of the picked shape around
// the pick, "Korvan.Edit.TrimRect" trims every curve a rectangle reaches. What survives of a cut shape
// becomes new records with the source's attributes; the source record goes, all in one undo step.

#include "command/CommandBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class Draw2dDocument;
class Draw2dView;

namespace QZ2Command {

class Trim2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Trim2dCommand)
public:
    enum : WORD { itemShape = 0, itemCorner1 = 1, itemCorner2 = 2 };

    Trim2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The pick trim; the pick point in world coordinates. FALSE, document untouched, when nothing is cut
    // or a piece cannot be stored.
    static BOOL TrimAtPoint(Draw2dDocument* pDocument, Draw2dView* pView, long nLayoutID, long nRecordID,
                            const RuVaPnt2d& pick, int nDisplayState);
    // The region trim, the closed region in world coordinates.
    static BOOL TrimInRegion(Draw2dDocument* pDocument, Draw2dView* pView, const KcArrayOfGePnt2d& region);

    // One shape picked at a point, of a curve kind with ends or a closed outline.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
