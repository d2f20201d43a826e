#pragma once
// Cuts the curves in and across a rectangle at its border and moves ("Korvan.Edit.MoveCut") or copies
// ("Korvan.Edit.CopyCut") the parts inside from a base point to a destination, scaled and turned on the
// way; the parts outside stay.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;
class Draw2dView;

namespace QZ2Command {

class MoveCut2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(MoveCut2dCommand)
public:
    enum : WORD { itemCorner1 = 0, itemCorner2 = 1, itemBase = 3, itemScale = 4, itemAngle = 5, itemDestination = 6 };
    // The curves the rectangle takes: lines, polylines, circles, arcs, ellipses, elliptic arcs, B-splines.
    static constexpr DWORD kCurveKinds = 382;

    MoveCut2dCommand() = default;

    void SetupParameters() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The closed rectangle of the two corners, counter-clockwise from the lower left.
    static void MakeRectangle(const RuVaPnt2d& p1, const RuVaPnt2d& p2, KcArrayOfGePnt2d& polygon);
    // The curves the world polygon takes in the view, through the document's selection filter or not.
    static int SelectInPolygon(Draw2dDocument* pDocument, const Draw2dView* pView, const KcArrayOfGePnt2d& polygon,
                               BOOL bDisplayState, BOOL bUseFilter, CArray<FeatureLayout>& picked);

    struct Placement {
        RuVaPnt2d base;
        double dScaleX = 1.0;
        double dScaleY = 1.0;
        double dAngle = 0.0;
        RuVaPnt2d destination;
    };
    // One undo step. Move: each curve wholly inside is placed in place; a cut curve is replaced by its
    // outside pieces and its placed inside pieces (the source is deleted only once all are stored).
    // Copy: placed copies of the whole curves inside and of the inside pieces are added. TRUE when a
    // shape was changed or added and nothing failed.
    static BOOL MoveCut(Draw2dDocument* pDocument, const CArray<FeatureLayout>& picked, const KcArrayOfGePnt2d& polygon,
                        const Placement& placement, BOOL bCopy);
};

}  // namespace QZ2Command
