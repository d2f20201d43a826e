#pragma once
// Rounds the corner between two shapes with an arc of a typed radius, trimming or extending the shapes to
// it: two picked shapes, every corner of chosen polylines, or the corner at a clicked point. Once the first
// shape is picked the arc the shape under the cursor would make is shown. A radius that does not fit is
// told in the status bar and the command keeps its values.

#include "command/CommandBase.h"
#include "commands/edit/CornerEditor.h"

namespace QZ2Command {

class Fillet2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Fillet2dCommand)
public:
    enum : WORD {
        itemFirstShape = 0,
        itemSecondShape = 1,
        itemRadius = 2,
        itemTrimMode = 3,
        itemPolylines = 4,
        itemCornerPoint = 5
    };
    // Lines, polylines, circles, arcs, ellipses, elliptic arcs, B-splines, infinite and semi-infinite lines.
    static constexpr DWORD kFilletKinds = 0xDFE;

    Fillet2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // The engine call for a radius in world units and a trim mode (the index of the trim-mode list).
    static CornerEditor::Maker FilletMaker(double dRadius, int nTrimMode);

    // The fillet between two records, picks in world coordinates; one undo step when bOwnUndo.
    static BOOL FilletFeaturePair(Draw2dDocument* pDocument, Draw2dView* pView, long nLayoutID1, long nRecordID1,
                                  const RuVaPnt2d& pick1, long nLayoutID2, long nRecordID2, const RuVaPnt2d& pick2,
                                  double dRadius, int nTrimMode, BOOL bOwnUndo);
    static BOOL FilletPolylineCorners(Draw2dDocument* pDocument, Draw2dView* pView, long nRecordID, long nLayoutID,
                                      double dRadius, int nTrimMode, int nCorner);
    static BOOL FilletAtCornerPoint(Draw2dDocument* pDocument, Draw2dView* pView, const RuVaPnt2d& world,
                                    double dRadius, int nTrimMode);

    // Two single-pick selection groups of shapes that can be filleted.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

private:
    BOOL ReadValues(double& dRadius, int& nTrimMode) const;
};

}  // namespace QZ2Command
