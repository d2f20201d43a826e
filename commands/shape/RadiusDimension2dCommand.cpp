#include "commands/shape/RadiusDimension2dCommand.h"

#include <cmath>
#include <memory>

#include "commands/shape/DimensionCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureType.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(RadiusDimension2dCommand, CommandBase)

RadiusDimension2dCommand::RadiusDimension2dCommand() : CircleDimension2dCommandBase(10351) {}

namespace {

constexpr double kTol = ShapeCommandHelper::kPointTolerance;

}  // namespace

BOOL RadiusDimension2dCommand::BuildDimension(const Feature2dBase* pShape, const int* pUserText, CString& strText,
                                              const RuVaPnt2d& position, BYTE nLeaderMode,
                                              const RuVaPnt2d& secondPoint, int nAction)
{
    RuVaPnt2d c;
    double r = 0.0;
    if (!DimensionCommandHelper::GetCircleOrArc(pShape, c, r))
        return FALSE;
    const std::vector<RuVaPnt2d> q =
        DimensionCommandHelper::GetCrossingsThroughCentre(pShape, DimensionCommandHelper::GetDirectionFromCentre(pShape, position));
    RuVaPnt2d d;
    if (q.size() == 2)
        d = position.Distance(q[1]) < position.Distance(q[0]) - kTol ? q[1] : q[0];  // the first on a tie
    else if (q.size() == 1)
        d = q[0];
    else {
        // An arc the line misses: its end nearer to the point.
        const auto* pArc = static_cast<const Arc2dFeature*>(pShape);
        const RuVaPnt2d s = pArc->GetStartPoint(), e = pArc->GetEndPoint();
        d = s.Distance(position) - e.Distance(position) < kTol ? s : e;
    }
    DimensionSetting setting;
    if (!DimensionCommandHelper::PrepareSetting(this, setting))
        return FALSE;
    const int nUserText = pUserText != nullptr ? *pUserText : 0;
    std::unique_ptr<Dimension2dFeatureBase> dim(FeatureCreator::CreateRadiusDimensionFeature(
        d, c, nUserText == 1 ? 1 : 0, strText, nLeaderMode, secondPoint, &setting,
        DimensionCommandHelper::PosAngleFlag(setting)));
    return DimensionCommandHelper::Finish(this, std::move(dim), nAction, strText) && (nAction == 0 || nAction == 1);
}

}  // namespace QZ2Command
