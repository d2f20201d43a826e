#pragma once
// Shows the area of a closed figure ("Korvan.Tools.MeasureArea"): a polygon of clicked points, a picked
// circle or ellipse, or the closed outline found around a clicked inner point, whose curves are divided
// into a number of steps the user gives (kept for the rest of the program's run).

#include <memory>

#include "command/CommandBase.h"

class Region2dFeature;

namespace QZ2Command {

class MeasureArea2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(MeasureArea2dCommand)
public:
    enum : WORD { itemPoints = 0, itemShape = 1, itemInnerPoint = 2, itemDivisions = 4 };
    // Circles and ellipses (with draw groups and components, which the pick resolves).
    static constexpr DWORD kShapeKinds = 0x1800028;
    static constexpr int kMinDivisions = 100;
    static constexpr int kMaxDivisions = 65535;
    // "The outline crosses itself."
    static constexpr UINT kSelfCrossingMessage = 11065;
    // "No closed outline was found around the point."
    static constexpr UINT kNoRegionMessage = 11066;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;
    // A typed division count outside 100 to 65535 is refused with a message that names the range.
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;

    // The division count of this run of the program (5000 at start).
    static int GetDivisionCount();
    static void SetDivisionCount(int nCount);
    // TRUE when a segment of the closed polygon crosses another one that is not its neighbour.
    static BOOL IsSelfCrossing(const KcArrayOfGePnt2d& closed);

private:
    int MeasurePolygon(double& dArea);
    int MeasureShape(double& dArea);
    int MeasureInnerPoint(double& dArea);
    // 0 found (region filled), 1 cancelled, 2 none.
    int FindRegion(const RuVaPnt2d& local, std::unique_ptr<Region2dFeature>& region);
};

}  // namespace QZ2Command
