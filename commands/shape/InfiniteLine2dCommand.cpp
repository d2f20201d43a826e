#include "commands/shape/InfiniteLine2dCommand.h"

#include <memory>

#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(InfiniteLine2dCommand, CommandBase)

namespace {

constexpr UINT kBaseCaption = 10720;
constexpr UINT kBasePrompt = 11039;
constexpr UINT kDirectionCaption = 10722;
constexpr UINT kDirectionPrompt = 11040;

}  // namespace

void InfiniteLine2dCommand::SetupParameters()
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemBasePoint, kBaseCaption, kBasePrompt);
    point.m_wBaseItemId = itemDirectionPoint;
    ShapeCommandHelper::AddSingleItemParameter(this, point);

    ShapeCommandHelper::PrepareItem(point, itemDirectionPoint, kDirectionCaption, kDirectionPrompt);
    point.m_wBaseItemId = itemBasePoint;
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

BOOL InfiniteLine2dCommand::IsSemi() const
{
    return m_strIdentifier != _T("Korvan.Shape.InfiniteLine") ? TRUE : FALSE;
}

BOOL InfiniteLine2dCommand::BuildLine(const RuVaPnt2d& base, const RuVaDir2d& direction, BOOL bSemi, int nAction)
{
    std::unique_ptr<InfiniteLine2dFeature> line(bSemi ? new SemiInfiniteLine2dFeature() : new InfiniteLine2dFeature());
    if (!line->SetPoint(base))
        return FALSE;
    line->SetDirection(direction);
    if (!line->IsValid())
        return FALSE;
    return ShapeCommandHelper::BuildFeature(this, line.release(), nAction);
}

int InfiniteLine2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    const ParameterItemBase* pBase = GetParameterItem(0);
    const ParameterItemBase* pThrough = GetParameterItem(1);
    if (pBase == nullptr || pThrough == nullptr || pBase->IsEmpty() || pThrough->IsEmpty())
        return resultMissing;
    RuVaPnt2d base;
    RuVaPnt2d through;
    if (!GetPointValue(*pBase, base, TRUE) || !GetPointValue(*pThrough, through, TRUE))
        return resultMissing;
    if (base.IsEqual(through, ShapeCommandHelper::kPointTolerance))
        return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
    if (!BuildLine(base, RuVaDir2d(base, through), IsSemi(), ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
    return resultDone;
}

void InfiniteLine2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    PointParameterItem baseItem;
    PointParameterItem throughItem;
    RuVaPnt2d base;
    RuVaPnt2d through;
    if (!GetParameterValue(0, baseItem) || !GetPointValue(baseItem, base, TRUE) || !GetParameterValue(1, throughItem) ||
        !GetPointValue(throughItem, through, TRUE) || base.IsEqual(through, ShapeCommandHelper::kPointTolerance))
        return;
    BuildLine(base, RuVaDir2d(base, through), IsSemi(), ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
