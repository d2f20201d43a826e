#include "commands/shape/BSplineCurve2dCommand.h"

#include <memory>

#include "command/ListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(BSplineCurve2dCommand, CommandBase)

namespace {

constexpr UINT kClosedList = 10843;

BOOL ReadClosed(const CommandBase* pCommand, BOOL& bClosed)
{
    const auto* pList = dynamic_cast<const ListParameterItem*>(pCommand->GetParameterItem(0));
    int index = 0;
    if (pList == nullptr || !pList->GetValue(index))
        return FALSE;
    bClosed = index == 1 ? TRUE : FALSE;
    return TRUE;
}

}  // namespace

BOOL BSplineCurve2dCommand::IsControlPointForm() const
{
    return m_strIdentifier == _T("Korvan.Shape.BSplineCurve") ? TRUE : FALSE;
}

void BSplineCurve2dCommand::SetupParameters()
{
    ListParameterItem closed;
    ShapeCommandHelper::PrepareItem(closed, itemClosed, 10822, 10479);
    closed.SetItemsFromStringId(kClosedList);
    closed.SetDefaultValue(0);
    closed.SetValue(0);
    closed.m_bClearable = FALSE;
    closed.m_nRetentionMode = 2;
    ShapeCommandHelper::AddSingleItemParameter(this, closed);

    PointArrayParameterItem points;
    ShapeCommandHelper::PrepareItem(points, itemPoints, 10708, 10480);
    ShapeCommandHelper::AddSingleItemParameter(this, points);
}

Feature2dBase* BSplineCurve2dCommand::CreateCurve(const KcArrayOfGePnt2d& points, BOOL bClosed) const
{
    if (IsControlPointForm())
        return FeatureCreator::CreateBSplineCurveFeatureByControlPoints(points, kDegree, bClosed);
    return FeatureCreator::CreateBSplineCurveFeatureByInterpolatePoints(points, bClosed);
}

int BSplineCurve2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr || GetParameterCount() < 2)
        return resultNothing;
    BOOL bClosed = FALSE;
    if (IsParameterEmpty(0) || !ReadClosed(this, bClosed))
        return resultMissing;
    const auto* pPoints = dynamic_cast<const PointArrayParameterItem*>(GetParameterItem(1));
    KcArrayOfGePnt2d points;
    if (pPoints == nullptr || pPoints->IsEmpty() || !pPoints->GetValue(points) || points.GetSize() == 0)
        return resultMissing;
    // Each point given runs the command; the curve waits for the end of the list.
    if (!pPoints->m_bFinished)
        return resultMissing;
    if (points.GetSize() < (bClosed ? 3 : 2))
        return ShapeCommandHelper::Refuse(this, kMsgTooFewPoints, resultNothing);
    Feature2dBase* pCurve = CreateCurve(points, bClosed);
    if (pCurve == nullptr)
        return ShapeCommandHelper::Refuse(this, kMsgNoShape, resultNothing);
    if (!ShapeCommandHelper::BuildFeature(this, pCurve, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
    return resultDone;
}

void BSplineCurve2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    BOOL bClosed = FALSE;
    PointArrayParameterItem item;
    KcArrayOfGePnt2d points;
    if (GetParameterCount() < 2 || !ReadClosed(this, bClosed) || !GetParameterValue(1, item) || !item.GetValue(points) ||
        points.GetSize() == 0)
        return;
    const INT_PTR n = points.GetSize();
    Feature2dBase* pCurve = nullptr;
    // Too few points for a curve: the polyline through them.
    if (n >= (bClosed ? 3 : 2) && !(IsControlPointForm() && !bClosed && n < 4))
        pCurve = CreateCurve(points, bClosed);
    if (pCurve == nullptr) {
        auto pPolyline = std::make_unique<Polyline2dFeature>();
        if (!pPolyline->SetPointArray(points))
            return;
        pCurve = pPolyline.release();
    }
    ShapeCommandHelper::BuildFeature(this, pCurve, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
