#pragma once
// Shows a length with its X and Y parts ("Korvan.Tools.MeasureLength"): between two points, along a
// chain of points, or of a picked shape. A pre-selected shape is measured once and the command ends.

#include "command/CommandBase.h"

namespace QZ2Command {

class MeasureLength2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(MeasureLength2dCommand)
public:
    enum : WORD { itemStart = 0, itemEnd = 1, itemPoints = 2, itemShape = 3 };
    // Lines, polylines, circles, arcs, ellipses, elliptic arcs and B-spline curves (with draw groups and
    // components, which the pick resolves).
    static constexpr DWORD kShapeKinds = 0x18001FE;

    void SetupParameters() override;
    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
