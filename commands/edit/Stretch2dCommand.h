#pragma once
// Stretches shapes caught by fences: a shape a fence encloses moves by the displacement from the base point
// to the destination, a shape it crosses has its parts inside the fence moved and the rest kept. Each record
// is changed once, by the fence of the first group that caught it; the run is one undo step, and while the
// destination is sought the stretched shapes follow the cursor.

#include "command/CommandBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"

class Draw2dDocument;
class Draw2dView;
class Feature2dBase;

namespace QZ2Command {

class Stretch2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Stretch2dCommand)
public:
    enum : WORD { itemShapes = 0, itemBase = 1, itemDestination = 2 };
    // At most this many shapes are drawn in one preview.
    static constexpr int kPreviewLimit = 200;

    Stretch2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The stretched or moved copy (the caller's) of one shape; fence and points in world coordinates. NULL
    // for a record gone, or a crossed shape of a kind that cannot be stretched.
    static Feature2dBase* StretchFeature(const Draw2dDocument* pDocument, const Draw2dView* pView, long nLayoutID,
                                         long nRecordID, const KcArrayOfGePnt2d& fence, const RuVaPnt2d& base,
                                         const RuVaPnt2d& destination);
    // The closed fence of a selection group: a window's two corners become its rectangle.
    static void FencePolygon(int nShapeMode, const KcArrayOfGePnt2d& points, KcArrayOfGePnt2d& fence);

private:
    // Calls the visitor with each caught record once, with its group's fence; stops when it answers FALSE.
    template <class Visitor> void ForEachCaught(Visitor&& visit) const;
};

}  // namespace QZ2Command
