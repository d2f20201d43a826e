#pragma once
// Breaks polylines into their line segments, which keep the polyline's colour, line type, line width and
// layer; one undo step per run; tells how many shapes were handed in.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;

namespace QZ2Command {

class ResolvePolyline2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ResolvePolyline2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    ResolvePolyline2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // Each listed polyline replaced by its segments (the closing one only where the points repeat the
    // first); a polyline whose lines cannot all be stored stays whole. FALSE only for an empty list.
    static BOOL ResolvePolylines(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes);

    // Something selected, and every selected shape a polyline.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
