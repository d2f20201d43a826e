#pragma once
// Hatches one area per cycle in the document's current hatch setting. The outer boundary is a point inside a
// closed area (found by the region searcher, with progress on the status bar and Escape to stop), a closed
// sequence of picked shapes, or a point list closed back to its first point. The hollow hatch also takes
// islands: inner points, each searched like the outer point, or closed shape sequences. The pattern scale
// and angle rows count only for the user-defined pattern.

#include <memory>
#include <vector>

#include "command/CommandBase.h"
#include "libs/vevure/FeatureLayout.h"
#include "platform/afx/CArray.h"

class Feature2dList;
class Hatch2dFeature;
class KcRegionSearcher;
class Region2dFeature;

namespace QZ2Command {

class Hatch2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Hatch2dCommand)
public:
    enum : WORD {
        itemInsidePoint = 0,
        itemShapes = 1,
        itemScale = 2,
        itemAngle = 3,
        itemIslandPoints = 4,
        itemIslandShapes = 5,
        itemPoints = 6,
    };
    // Lines, polylines, circles, arcs, ellipses, elliptic arcs and B-spline curves.
    static constexpr DWORD kBoundaryKinds = 510;

    Hatch2dCommand() = default;

    void SetupParameters() override;
    BOOL OnStart() override;
    BOOL OnResume() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    BOOL IsHollow() const;

    // Whether the outline of the points, closed back to the first, crosses itself (at least 3 points).
    static BOOL IsSelfCrossing(const KcArrayOfGePnt2d& points);

private:
    // Outcomes of a region search.
    enum SearchOutcome { searchFound = 0, searchCancelled = 1, searchNone = 2 };

    void UpdateRequiredItems();
    Hatch2dFeature* CreateHatchFromPoints(const KcArrayOfGePnt2d& points) const;
    Hatch2dFeature* CreateHatchFromFeatures(const CArray<FeatureLayout>& shapes, const KcArrayOfGePnt2d& picks) const;
    Hatch2dFeature* CreateHatchByInnerPoint(const RuVaPnt2d& local, int& nOutcome) const;
    BOOL AddInnerSequences(Hatch2dFeature* pHatch, const std::vector<CArray<FeatureLayout>>& shapes,
                           const std::vector<KcArrayOfGePnt2d>& picks) const;
    BOOL AddInnerPointRegions(Hatch2dFeature* pHatch, const KcArrayOfGePnt2d& points, BOOL& bCancelled) const;
    // The shapes as copies in the active layout and their pick points in local coordinates; FALSE when a
    // shape is gone.
    BOOL CollectShapes(const CArray<FeatureLayout>& shapes, const KcArrayOfGePnt2d& picks, Feature2dList& list,
                       KcArrayOfGePnt2d& localPicks) const;
    // One search around the world point: the region in local coordinates (the caller's) or NULL.
    int Search(KcRegionSearcher& searcher, const RuVaPnt2d& world, std::unique_ptr<Region2dFeature>& local) const;
    int Fail(UINT nMessageId, UINT nType) const;
};

}  // namespace QZ2Command
