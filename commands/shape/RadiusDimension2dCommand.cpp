#include "commands/shape/RadiusDimension2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/DimensionCommandHelper.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureType.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(RadiusDimension2dCommand, CommandBase)

namespace {

constexpr double kTol = ShapeCommandHelper::kPointTolerance;
using K = RadiusDimension2dCommand;
constexpr DimensionCommandHelper::TextItems kText = {K::itemTextMode, K::itemText, K::itemLeaderMode, K::itemSecondPoint};

}  // namespace

void RadiusDimension2dCommand::SetupParameters()
{
    auto shape = std::make_unique<FeatureParameterItem>();
    ShapeCommandHelper::PrepareItem(*shape, itemShape, 10715, 10351);
    shape->m_dwAcceptedKinds = 0x01800018;
    shape->m_nPickSetting = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, *shape);
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextModeItem(itemTextMode));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextPosModeItem(itemLeaderMode));
    auto position = DimensionCommandHelper::MakePointItem(itemPosition, 10729, 10362);
    position->m_wBaseItemId = itemShape;
    ShapeCommandHelper::AddSingleItemParameter(this, *position);
}

BOOL RadiusDimension2dCommand::GetReferencePoint(int nIndex, RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= GetParameterCount() || GetCurrentItemID(nIndex) != itemPosition ||
        IsParameterEmpty(0))
        return FALSE;
    std::unique_ptr<Feature2dBase> shape;
    double r = 0.0;
    return ConstrainedCircleCommandHelper::ReadShape(this, itemShape, FALSE, shape) == ShapeCommandHelper::pickTaken &&
           DimensionCommandHelper::GetCircleOrArc(shape.get(), point, r);
}

int RadiusDimension2dCommand::Run(BOOL bPreview, int nIndex)
{
    if (!bPreview) {
        const int follow = DimensionCommandHelper::FollowLists(this, nIndex, kText);
        if (follow != resultDone)
            return follow;
    }
    if (m_pManager == nullptr || m_pManager->GetView() == nullptr || ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultMissing;
    // The shape as it stands in the active layout; only circles and arcs are measured.
    std::unique_ptr<Feature2dBase> shape;
    const int outcome = ConstrainedCircleCommandHelper::ReadShape(this, itemShape, bPreview, shape);
    if (outcome == ShapeCommandHelper::pickMissing)
        return resultMissing;
    if (outcome != ShapeCommandHelper::pickTaken)
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgShapeGone, resultNothing);
    RuVaPnt2d c;
    double r = 0.0;
    if (!DimensionCommandHelper::GetCircleOrArc(shape.get(), c, r))
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgNotCircleOrArc, resultNothing);
    int nTextMode = 0;
    CString text;
    const int read = DimensionCommandHelper::ReadText(this, kText, bPreview, nTextMode, text);
    if (read != resultDone)
        return read;
    const int pi = FindParameterIndex(itemPosition);
    if (!bPreview && (pi < 0 || IsParameterEmpty(pi))) {
        // Switching to a typed text offers the measured one to edit.
        if (nIndex >= 0 && nIndex < GetParameterCount() && GetCurrentItemID(nIndex) == itemTextMode && nTextMode == 1) {
            const int zero = 0;
            CString value = text;
            const RuVaPnt2d right(c.X() + r, c.Y());
            BuildDimension(shape.get(), &zero, value, right, 0, right, 2);
            DimensionCommandHelper::FillTypedText(this, itemText, value);
        }
        return resultMissing;
    }
    RuVaPnt2d position, textPoint;
    int nPosMode = 0;
    const int placed = DimensionCommandHelper::ReadPlacement(this, itemPosition, kText, bPreview, position, nPosMode,
                                                             textPoint);
    if (placed != resultDone)
        return placed;
    if (bPreview)
        return BuildDimension(shape.get(), &nTextMode, text, position, (BYTE)nPosMode, textPoint, 1) ? resultDone
                                                                                                   : resultNothing;
    if (!BuildDimension(shape.get(), &nTextMode, text, position, (BYTE)nPosMode, textPoint, 0))
        return ShapeCommandHelper::Refuse(this, kMsgNoDimension, resultConditional);
    return resultDone;
}

int RadiusDimension2dCommand::OnInput(int nIndex)
{
    return Run(FALSE, nIndex);
}

void RadiusDimension2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Run(TRUE, -1);
}

BOOL RadiusDimension2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    return DimensionCommandHelper::TakeOverCircleOrArc(this, pDocument);
}

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
