#pragma once
// "Corner Catcher": two loose ends caught in a window are carried to the crossing of their lines, so
// they meet in a clean corner; one undo step per window.

#include "command/CommandBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"

class Draw2dDocument;
class Draw2dView;

namespace QZ2Command {

class AroundCatcher2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(AroundCatcher2dCommand)
public:
    enum : WORD { itemCorner1 = 0, itemCorner2 = 1 };

    AroundCatcher2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The window in world coordinates. FALSE, document unchanged, for a window whose outline crosses
    // itself (message 10471 when pCommand is given), nothing to catch, or a result that cannot be stored.
    static BOOL ApplyAroundCatcher(Draw2dDocument* pDocument, const Draw2dView* pView, const KcArrayOfGePnt2d& polygon,
                                   CommandBase* pCommand = nullptr);

    // One shape picked at a point, a line or a polyline.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
