#pragma once
// Shows an angle ("Korvan.Tools.MeasureAngle"): the direction from a first to a second point, the angle at
// a vertex between two points, the angle of a picked shape, or the angle between two picked shapes.
// Pre-selected shapes are measured once and the command ends.

#include "command/CommandBase.h"

namespace QZ2Command {

class MeasureAngle2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(MeasureAngle2dCommand)
public:
    enum : WORD {
        itemStart = 0,
        itemEnd = 1,
        itemVertex = 2,
        itemArmStart = 3,
        itemShape = 4,
        itemFirstShape = 5,
        itemSecondShape = 6,
    };
    // Lines, polylines, arcs, texts, infinite and semi-infinite lines.
    static constexpr DWORD kShapeKinds = 0x1800E16;
    // Lines, polylines, infinite and semi-infinite lines.
    static constexpr DWORD kPairKinds = 0x1800C06;

    void SetupParameters() override;
    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

private:
    // Adds the rows that follow the alternative of the first row.
    void AddRowsFor(WORD wAlternative);
    // Makes the item of the first row current, with its rows after it.
    void SwitchTo(WORD wAlternative);
    int MeasureShape(double& dAngle);
    int MeasureShapePair(double& dAngle);
};

}  // namespace QZ2Command
