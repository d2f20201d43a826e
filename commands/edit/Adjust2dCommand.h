#pragma once
// Extends or shortens open shapes (lines, polylines, arcs, elliptic arcs) at the end nearer where they were
// picked or crossed by a fence: up to a boundary shape, up to a point, or by a length. Several shapes in one
// undo step; when none can be changed the user is told and the document stays as it was.

#include "command/CommandBase.h"

namespace QZ2Command {

class Adjust2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Adjust2dCommand)
public:
    enum : WORD { itemShapes = 0, itemMode = 2, itemPoint = 3, itemLength = 4, itemBoundary = 5 };
    enum Mode { modeBoundary = 0, modePoint = 1, modeAddLength = 2, modeWholeLength = 3 };
    // Lines, polylines, arcs and elliptic arcs.
    static constexpr DWORD kAdjustKinds = 0x56;

    Adjust2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // Single picks or fences over lines, polylines, arcs or elliptic arcs only.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

private:
    void BuildTarget(int nMode);
};

}  // namespace QZ2Command
