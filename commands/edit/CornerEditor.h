#pragma once
// What fillets and chamfers share: two shapes seen in world coordinates through the part layouts they were
// picked in, a corner engine asked on copies, and the new corner shape and the changed shapes written back
// in one undo step. Polylines are replaced by their segments where a corner is made on them. Nothing is
// written unless the engine found a corner first, so a refused corner leaves the document as it was.

#include <functional>
#include <memory>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;
class Draw2dView;
class Feature2dBase;
class PartDrawingLayout;

namespace QZ2Command {

class CommandBase;
class ParameterItemBase;

class CornerEditor
{
public:
    // What the engine gives for one corner: the new shape (an arc or a line; may be NULL), the changed
    // shapes (NULL: unchanged) and whether a shape is to go because nothing of it is left.
    struct Result {
        std::unique_ptr<Feature2dBase> pCorner;
        std::unique_ptr<Feature2dBase> pTrimmed1;
        std::unique_ptr<Feature2dBase> pTrimmed2;
        BOOL bRemove1 = FALSE;
        BOOL bRemove2 = FALSE;
    };
    // Asks the engine for a corner between two world shapes picked at the two world points.
    using Maker = std::function<BOOL(const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
                                     const RuVaPnt2d& pick2, Result& result)>;

    // One shape of a corner: its record, the part layout it was picked through (-1: none) and the world pick.
    struct Side {
        long nLayoutID = -1;
        long nRecordID = -1;
        RuVaPnt2d pick;
    };

    // The engine's answer for two records, the document untouched. FALSE for one record twice, a missing
    // record, no corner, or a corner that would consume a whole shape (the lengths or radius are too large
    // for it).
    static BOOL Compute(const Draw2dDocument* pDocument, const Side& first, const Side& second, const Maker& maker,
                        Result& result);
    // Computes and writes the corner: the new shape with the attributes both shapes share (else the
    // current ones), the changed shapes over their records. With bOwnUndo in one step of its own.
    static BOOL MakePair(Draw2dDocument* pDocument, Draw2dView* pView, const Side& first, const Side& second,
                         const Maker& maker, BOOL bOwnUndo);
    // Replaces a polyline by its segments; the record id of the segment at the world pick, -1 when the
    // record is no polyline or the pick is on no segment (nothing changed then).
    static long ExplodePolylineAtPick(Draw2dDocument* pDocument, long nLayoutID, long nRecordID,
                                      const RuVaPnt2d& pick);
    // Two picked shapes; a picked polyline gives up its picked segment. One undo step.
    static BOOL MakePicked(Draw2dDocument* pDocument, Draw2dView* pView, Side first, Side second, const Maker& maker);
    // What the command's first input chose: two shapes picked one after the other (the first item and
    // pSecond), a group of polylines (item wPolylines) or a point near a corner (item wCornerPoint).
    enum InputOutcome { inputMissing, inputOther, cornerMade, cornerNotMade };
    static InputOutcome MakeFromInputs(CommandBase* pCommand, Draw2dDocument* pDocument, Draw2dView* pView,
                                       const ParameterItemBase* pFirst, const ParameterItemBase* pSecond,
                                       WORD wFirstShape, WORD wPolylines, WORD wCornerPoint, const Maker& maker);
    // The corners of a polyline (nCorner -1: all; else the corner at point nCorner - 1, the closing corner of a
    // closed polyline numbered by the point count). FALSE, the polyline whole, when no wanted corner can be
    // made; else the polyline becomes its segments with the corners made where they fit, in one step.
    static BOOL MakePolylineCorners(Draw2dDocument* pDocument, Draw2dView* pView, long nRecordID, long nLayoutID,
                                    const Maker& maker, int nCorner);
    // The corner of the polyline at a vertex given in world coordinates.
    static BOOL MakePolylineCornerAtPoint(Draw2dDocument* pDocument, Draw2dView* pView, const RuVaPnt2d& point,
                                          long nRecordID, long nLayoutID, const Maker& maker);
    // Every corner of every polyline, one undo step; FALSE, nothing changed, when none could be made.
    static BOOL MakePolylineGroup(Draw2dDocument* pDocument, Draw2dView* pView, const CArray<FeatureLayout>& shapes,
                                  const Maker& maker);
    // The corner at a world point: two lines ending there, or a polyline vertex there. FALSE when no corner
    // was made.
    static BOOL MakeAtCornerPoint(Draw2dDocument* pDocument, Draw2dView* pView, const RuVaPnt2d& point,
                                  const Maker& maker);

    // Two single-pick selection groups become the shape items of the first two parameters; the command then
    // ends after its run.
    static BOOL TakeOverPair(CommandBase* pCommand, Draw2dDocument* pDocument);
    // Exactly two single-pick selection groups whose first shapes have kinds in the mask (bit n for type n-1).
    static BOOL IsPairSelected(const Draw2dDocument* pDocument, DWORD dwKinds);

    // A length typed in the active drawing, in world units.
    static double LengthToWorld(const CommandBase* pCommand, double dLength);
    // The corner the shape under the cursor would make with the first shape, drawn as rubber band.
    static void DrawPreview(CommandBase* pCommand, const Side& first, DWORD dwKinds, const RuVaPnt2d& cursor,
                            const Maker& maker);

private:
    // The record as a new shape in world coordinates as its layout shows it; NULL when it cannot be seen so.
    static Feature2dBase* WorldCopy(const Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
};

}  // namespace QZ2Command
