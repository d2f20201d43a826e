#include "commands/shape/DiameterDimension2dCommand.h"

#include <cmath>
#include <memory>

#include "commands/shape/DimensionCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureType.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DiameterDimension2dCommand, CommandBase)

DiameterDimension2dCommand::DiameterDimension2dCommand() : CircleDimension2dCommandBase(10352) {}

namespace {

constexpr double kTol = ShapeCommandHelper::kPointTolerance;

}  // namespace

BOOL DiameterDimension2dCommand::BuildDimension(const Feature2dBase* pShape, const int* pTextMode, CString& strText,
                                                const RuVaPnt2d& position, BYTE nTextPosMode,
                                                const RuVaPnt2d& textPoint, int nAction)
{
    RuVaPnt2d c;
    double r = 0.0;
    if (!DimensionCommandHelper::GetCircleOrArc(pShape, c, r))
        return FALSE;
    DimensionSetting setting;
    if (!DimensionCommandHelper::PrepareSetting(this, setting))
        return FALSE;
    const std::vector<RuVaPnt2d> q =
        DimensionCommandHelper::GetCrossingsThroughCentre(pShape, DimensionCommandHelper::GetDirectionFromCentre(pShape, position));
    RuVaPnt2d a, b;
    if (q.size() == 2) {
        // Equally near (within rounding): the first crossing.
        const bool second = position.Distance(q[1]) < position.Distance(q[0]) - kTol;
        a = q[second ? 1 : 0];
        b = q[second ? 0 : 1];
    } else if (q.size() == 1) {
        // An arc crossed once: the diameter through that crossing, unless the position lies beyond the
        // centre away from the arc and the style keeps diameters on the arc's side.
        a = q[0];
        const bool onArcSide = (position - c).Dot(q[0] - c) > 0.0;
        if (setting.GetArcDiameterFlag() == 0 && c.Distance(position) > r && !onArcSide)
            return FALSE;
        b = RuVaPnt2d(2.0 * c.X() - a.X(), 2.0 * c.Y() - a.Y());
    } else {
        return FALSE;
    }
    const int nTextMode = pTextMode != nullptr ? *pTextMode : 0;
    std::unique_ptr<Dimension2dFeatureBase> dim(FeatureCreator::CreateDiameterDimensionFeature(
        a, b, nTextMode != 0 ? 1 : 0, strText, nTextPosMode, textPoint, &setting,
        DimensionCommandHelper::PosAngleFlag(setting)));
    return DimensionCommandHelper::Finish(this, std::move(dim), nAction, strText);
}

}  // namespace QZ2Command
