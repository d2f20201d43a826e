#pragma once
// Bevels the corner between two lines (or polyline segments) with a straight line: by the length of the
// bevel, by one distance on both lines or by two distances. Picked lines, every corner of chosen polylines
// or the corner at a clicked point; once the first line is picked the bevel the line under the cursor would
// make is shown. Lengths that do not fit are told in the status bar and the command keeps its values.

#include "command/CommandBase.h"
#include "commands/edit/CornerEditor.h"

namespace QZ2Command {

class Chamfer2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Chamfer2dCommand)
public:
    enum : WORD {
        itemFirstShape = 0,
        itemSecondShape = 1,
        itemTrimMode = 2,
        itemType = 3,
        itemLength1 = 4,
        itemLength2 = 5,
        itemPolylines = 7,
        itemCornerPoint = 8
    };
    enum ChamferType { typeFace = 0, typeDistance = 1, typeTwoDistances = 2 };
    // Lines and polylines.
    static constexpr DWORD kChamferKinds = 6;

    Chamfer2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // The engine call of a chamfer type for lengths in world units.
    static CornerEditor::Maker ChamferMaker(int nType, double dLength1, double dLength2, int nTrimMode);

    static BOOL ChamferFeaturePairByFace(Draw2dDocument* pDocument, Draw2dView* pView, long nLayoutID1,
                                         long nRecordID1, const RuVaPnt2d& pick1, long nLayoutID2, long nRecordID2,
                                         const RuVaPnt2d& pick2, double dFace, int nTrimMode, BOOL bOwnUndo);
    static BOOL ChamferFeaturePairBy2Edge(Draw2dDocument* pDocument, Draw2dView* pView, long nLayoutID1,
                                          long nRecordID1, const RuVaPnt2d& pick1, long nLayoutID2, long nRecordID2,
                                          const RuVaPnt2d& pick2, double dDistance1, double dDistance2, int nTrimMode,
                                          BOOL bOwnUndo);

    // Two single-pick selection groups of lines or polylines.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

private:
    // The parameters the chosen type needs: a second length only for two distances, captions by type.
    void AdaptToType(int nType);
    BOOL ReadValues(int& nType, double& dLength1, double& dLength2, int& nTrimMode) const;
};

}  // namespace QZ2Command
