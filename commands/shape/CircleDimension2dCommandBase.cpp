#include "commands/shape/CircleDimension2dCommandBase.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/DimensionCommandHelper.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Feature2dBase.h"

namespace QZ2Command {

namespace {

using K = CircleDimension2dCommandBase;
constexpr DimensionCommandHelper::TextItems kText = {K::itemTextMode, K::itemText, K::itemTextPosMode, K::itemTextPoint};

}  // namespace

void CircleDimension2dCommandBase::SetupParameters()
{
    auto shape = std::make_unique<FeatureParameterItem>();
    ShapeCommandHelper::PrepareItem(*shape, itemShape, 10715, m_nShapePromptId);
    shape->m_dwAcceptedKinds = 0x01800018;
    shape->m_nPickSetting = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, *shape);
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextModeItem(itemTextMode));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextPosModeItem(itemTextPosMode));
    auto position = DimensionCommandHelper::MakePointItem(itemPosition, 10729, 10362);
    position->m_wBaseItemId = itemShape;
    ShapeCommandHelper::AddSingleItemParameter(this, *position);
}

BOOL CircleDimension2dCommandBase::GetReferencePoint(int nIndex, RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= GetParameterCount() || GetCurrentItemID(nIndex) != itemPosition ||
        IsParameterEmpty(0))
        return FALSE;
    std::unique_ptr<Feature2dBase> shape;
    double r = 0.0;
    return ConstrainedCircleCommandHelper::ReadShape(this, itemShape, FALSE, shape) == ShapeCommandHelper::pickTaken &&
           DimensionCommandHelper::GetCircleOrArc(shape.get(), point, r);
}

int CircleDimension2dCommandBase::Run(BOOL bPreview, int nIndex)
{
    // The shape as it stands in the active layout; only circles and arcs are measured.
    std::unique_ptr<Feature2dBase> shape;
    RuVaPnt2d c;
    double r = 0.0;
    const int picked = DimensionCommandHelper::ReadCircleOrArc(this, itemShape, kText, bPreview, nIndex, shape, c, r);
    if (picked != resultDone)
        return picked;
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

int CircleDimension2dCommandBase::OnInput(int nIndex)
{
    return Run(FALSE, nIndex);
}

void CircleDimension2dCommandBase::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Run(TRUE, -1);
}

BOOL CircleDimension2dCommandBase::TakeOverSelection(Draw2dDocument* pDocument)
{
    return DimensionCommandHelper::TakeOverCircleOrArc(this, pDocument);
}

}  // namespace QZ2Command
