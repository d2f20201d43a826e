#include "commands/shape/DiameterDimension2dCommand.h"

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
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureType.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DiameterDimension2dCommand, CommandBase)

namespace {

constexpr double kTol = ShapeCommandHelper::kPointTolerance;
using K = DiameterDimension2dCommand;
constexpr DimensionCommandHelper::TextItems kText = {K::itemTextMode, K::itemText, K::itemTextPosMode, K::itemTextPoint};

}  // namespace

void DiameterDimension2dCommand::SetupParameters()
{
    auto shape = std::make_unique<FeatureParameterItem>();
    ShapeCommandHelper::PrepareItem(*shape, itemShape, 10715, 10352);
    shape->m_dwAcceptedKinds = 0x01800018;
    shape->m_nPickSetting = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, *shape);
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextModeItem(itemTextMode));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextPosModeItem(itemTextPosMode));
    auto position = DimensionCommandHelper::MakePointItem(itemPosition, 10729, 10362);
    position->m_wBaseItemId = itemShape;
    ShapeCommandHelper::AddSingleItemParameter(this, *position);
}

BOOL DiameterDimension2dCommand::GetReferencePoint(int nIndex, RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= GetParameterCount() || GetCurrentItemID(nIndex) != itemPosition ||
        IsParameterEmpty(0))
        return FALSE;
    std::unique_ptr<Feature2dBase> shape;
    double r = 0.0;
    return ConstrainedCircleCommandHelper::ReadShape(this, itemShape, FALSE, shape) == ShapeCommandHelper::pickTaken &&
           DimensionCommandHelper::GetCircleOrArc(shape.get(), point, r);
}

int DiameterDimension2dCommand::Run(BOOL bPreview, int nIndex)
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

int DiameterDimension2dCommand::OnInput(int nIndex)
{
    return Run(FALSE, nIndex);
}

void DiameterDimension2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Run(TRUE, -1);
}

BOOL DiameterDimension2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    return DimensionCommandHelper::TakeOverCircleOrArc(this, pDocument);
}

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
