#pragma once
// Places point markers where two picked shapes meet (picked twice, where the shape meets itself), all
// markers of one run in one undo step. Shapes picked in different part layouts meet in the world; the
// markers land in the active layout.

#include "command/CommandBase.h"

class FeatureLayout;
class Feature2dList;

namespace QZ2Command {

class IntersectionPointMarker2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(IntersectionPointMarker2dCommand)
public:
    enum : WORD { itemFirst = 0, itemSecond = 1 };
    static constexpr DWORD kShapeMask = 0x01800DFE;

    IntersectionPointMarker2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The markers (in the active drawing's coordinates, unstyled) where the picked shapes meet. FALSE with
    // bGone set when a picked shape is no longer in the document; FALSE when they do not meet.
    BOOL MakeMarkers(const FeatureLayout& first, const FeatureLayout& second, Feature2dList& markers,
                     BOOL& bGone) const;
};

}  // namespace QZ2Command
