#include "commands/shape/DivisionPointMarker2dCommand.h"

#include <cmath>

#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DivisionPointMarker2dCommand, CommandBase)

void DivisionPointMarker2dCommand::SetupParameters()
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemFirst, 10720, 10702);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemSecond, 10721, 10703);
    ShapeCommandHelper::AddSingleItemParameter(this, point);

    IntegerParameterItem count;
    ShapeCommandHelper::PrepareItem(count, itemCount, 10806, 10704);
    LengthParameterItem pitch;
    ShapeCommandHelper::PrepareItem(pitch, itemPitch, 10771, 10705);
    pitch.m_bHistory = TRUE;
    ShapeCommandHelper::AddAlternativesParameter(this, {&count, &pitch});
}

BOOL DivisionPointMarker2dCommand::MakeMarkers(const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nMode, double dValue,
                                               Feature2dList& markers)
{
    if (!std::isfinite(dValue))
        return FALSE;
    return FeatureCreator::CreateDivisionPointMarkerFeature(p1, p2, nMode, dValue, markers);
}

namespace {

// The division of the current alternative: the number of parts or the pitch, given (or, for the
// preview, proposed); FALSE when there is none.
BOOL ReadDivision(CommandBase* pCommand, int& mode, double& value)
{
    if (pCommand->GetCurrentItemID(2) == DivisionPointMarker2dCommand::itemCount) {
        IntegerParameterItem item;
        int count = 0;
        if (!pCommand->GetParameterValue(2, item) || !item.GetValue(count))
            return FALSE;
        mode = DivisionPointMarker2dCommand::modeCount;
        value = count;
        return TRUE;
    }
    LengthParameterItem item;
    mode = DivisionPointMarker2dCommand::modePitch;
    return pCommand->GetParameterValue(2, item) && item.GetValue(value);
}

}  // namespace

int DivisionPointMarker2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr || GetParameterCount() < 3)
        return resultNothing;
    for (int i = 0; i < 3; ++i) {
        if (IsParameterEmpty(i))
            return resultMissing;
    }
    RuVaPnt2d p1;
    RuVaPnt2d p2;
    int mode = modeCount;
    double value = 0.0;
    if (!GetPointValue(*GetParameterItem(0), p1, TRUE) || !GetPointValue(*GetParameterItem(1), p2, TRUE) ||
        !ReadDivision(this, mode, value))
        return resultMissing;
    if (p1.IsEqual(p2, ShapeCommandHelper::kPointTolerance))
        return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultConditional);
    if (!(value > 0.0))
        return ShapeCommandHelper::Refuse(this, mode == modeCount ? kMsgCountNotPositive : kMsgLengthNotPositive,
                                          resultConditional);
    Feature2dList markers;
    if (!MakeMarkers(p1, p2, mode, value, markers) || markers.IsEmpty())
        return ShapeCommandHelper::Refuse(this, kMsgNoShape, resultConditional);
    if (!ShapeCommandHelper::BuildMarkerList(this, markers, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultConditional);
    return resultDone;
}

void DivisionPointMarker2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    if (GetParameterCount() < 3)
        return;
    PointParameterItem i1;
    PointParameterItem i2;
    RuVaPnt2d p1;
    RuVaPnt2d p2;
    int mode = modeCount;
    double value = 0.0;
    if (!GetParameterValue(0, i1) || !GetPointValue(i1, p1, TRUE) || !GetParameterValue(1, i2) ||
        !GetPointValue(i2, p2, TRUE) || !ReadDivision(this, mode, value) || !(value > 0.0))
        return;
    Feature2dList markers;
    if (MakeMarkers(p1, p2, mode, value, markers) && !markers.IsEmpty())
        ShapeCommandHelper::BuildMarkerList(this, markers, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
