#include "commands/edit/MeasureLength2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "commands/edit/MeasureCommandHelper.h"
#include "commands/edit/MeasurePreview.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(MeasureLength2dCommand, CommandBase)

namespace {

constexpr int kChainPoint = 2;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Tools.MeasureLength"), &MeasureLength2dCommand::IsCommandEnabled);
    }
} g_registrar;

PointParameterItem EndItem()
{
    PointParameterItem end;
    ShapeCommandHelper::PrepareItem(end, MeasureLength2dCommand::itemEnd, 10721, 11072);
    end.m_wBaseItemId = MeasureLength2dCommand::itemStart;
    return end;
}

}  // namespace

BOOL MeasureLength2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1)
        return FALSE;
    switch (MeasureCommandHelper::GetSelectedPickType(pDocument, 0)) {
    case 2: case 3: case 4: case 5: case 6: case 7: case 9:
        return TRUE;
    default:
        return FALSE;
    }
}

void MeasureLength2dCommand::SetupParameters()
{
    PointParameterItem start;
    ShapeCommandHelper::PrepareItem(start, itemStart, 10720, 11070);
    start.m_wBaseItemId = itemEnd;
    PointArrayParameterItem points;
    ShapeCommandHelper::PrepareItem(points, itemPoints, 10708, 10480);
    points.m_wBaseItemId = itemPoints;
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, itemShape, 10715, 11071);
    shape.m_dwAcceptedKinds = kShapeKinds;
    shape.m_nPickSetting = 1;
    ShapeCommandHelper::AddAlternativesParameter(this, {&start, &points, &shape});
    const PointParameterItem end = EndItem();
    ShapeCommandHelper::AddSingleItemParameter(this, end);
}

BOOL MeasureLength2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return FALSE;
    CommandParameter* pParameter = GetParameter(nIndex);
    if (pParameter->GetCurrentIndex() == nAlternative)
        return FALSE;
    if (nIndex != 0 || nAlternative < 0 || nAlternative >= pParameter->GetItemCount())
        return TRUE;
    const WORD wNew = pParameter->GetItem(nAlternative)->GetId();
    const int nEnd = FindParameterIndex(itemEnd);
    if (wNew == itemStart && nEnd < 0) {
        const PointParameterItem end = EndItem();
        MeasureCommandHelper::InsertRow(this, -1, {&end});
    } else if (wNew != itemStart && nEnd >= 0) {
        MeasureCommandHelper::RemoveRow(this, nEnd);
    }
    return TRUE;
}

BOOL MeasureLength2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4 || GetParameterCount() == 0)
        return FALSE;
    CommandParameter* pFirst = GetParameter(0);
    if (GetCurrentItemID(0) != itemShape) {
        for (int i = 0; i < pFirst->GetItemCount(); ++i) {
            if (pFirst->GetItem(i)->GetId() == itemShape)
                pFirst->SetCurrentIndex(i);
        }
        const int nEnd = FindParameterIndex(itemEnd);
        if (nEnd >= 0)
            MeasureCommandHelper::RemoveRow(this, nEnd);
    }
    auto* pShape = dynamic_cast<FeatureParameterItem*>(FindItem(itemShape));
    long nRecordID = -1;
    long nLayoutID = -1;
    RuVaPnt2d pick;
    if (pShape == nullptr || !MeasureCommandHelper::GetSelectedPick(pDocument, 0, nRecordID, nLayoutID, pick) ||
        !pShape->IsAcceptedFeature(pDocument->GetFeatureType(nRecordID)))
        return FALSE;
    pShape->SetValue(FeatureLayout(nRecordID, nLayoutID, -1), pick);
    m_bEndAfterRun = TRUE;
    return TRUE;
}

int MeasureLength2dCommand::OnInput(int)
{
    if (m_pManager == nullptr || m_pManager->GetView() == nullptr || GetParameterCount() == 0 || IsParameterEmpty(0))
        return resultMissing;
    double dLength = 0.0;
    double dX = 0.0;
    double dY = 0.0;
    switch (GetCurrentItemID(0)) {
    case itemStart: {
        RuVaPnt2d p0;
        RuVaPnt2d p1;
        if (const int nRefused = MeasureCommandHelper::ReadTwoPoints(this, itemStart, itemEnd, p0, p1))
            return nRefused;
        dLength = p0.Distance(p1);
        dX = p1.X() - p0.X();
        dY = p1.Y() - p0.Y();
        break;
    }
    case itemPoints: {
        ClearPoints();
        const auto* pItem = dynamic_cast<const PointArrayParameterItem*>(FindItem(itemPoints));
        KcArrayOfGePnt2d points;
        if (pItem == nullptr || !pItem->GetValue(points))
            return resultMissing;
        if (!pItem->m_bFinished) {
            for (INT_PTR i = 0; i < points.GetSize(); ++i)
                CollectPointCallback(kChainPoint, points[i]);
            return resultMissing;
        }
        if (points.GetSize() < 2)
            return resultMissing;
        dLength = KcGeometryTool::GetPointArrayLength(points);
        dX = points[points.GetSize() - 1].X() - points[0].X();
        dY = points[points.GetSize() - 1].Y() - points[0].Y();
        break;
    }
    case itemShape: {
        std::unique_ptr<Feature2dBase> shape;
        RuVaPnt2d pick;
        if (const int nRefused = MeasureCommandHelper::TakePickedShape(this, itemShape, shape, pick))
            return nRefused;
        dLength = MeasureTool::GetFeatureLength(shape.get());
        MeasureTool::GetFeatureLengthXY(shape.get(), dX, dY);
        break;
    }
    default:
        return resultMissing;
    }
    CMeasureResultDialog dialog;
    dialog.m_nKind = CMeasureResultDialog::kindLength;
    dialog.m_dLength = dLength;
    dialog.m_dX = dX;
    dialog.m_dY = dY;
    MeasureCommandHelper::ShowResult(this, dialog, FALSE);
    return resultDone;
}

void MeasureLength2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d& local, UINT)
{
    if (GetParameterCount() == 0)
        return;
    if (GetCurrentItemID(0) == itemStart) {
        RuVaPnt2d p0;
        RuVaPnt2d p1;
        if (MeasureCommandHelper::PreviewPoint(this, itemStart, p0) &&
            MeasureCommandHelper::PreviewPoint(this, itemEnd, p1))
            MeasurePreview::DrawLine(this, p0, p1, -1);
    } else if (GetCurrentItemID(0) == itemPoints && !IsParameterEmpty(0)) {
        PointArrayParameterItem item;
        KcArrayOfGePnt2d points;
        if (!GetParameterValue(0, item) || !item.GetValue(points) || points.IsEmpty())
            return;
        if (points[points.GetSize() - 1].Distance(local) > ShapeCommandHelper::kPointTolerance)
            points.Add(local);
        MeasurePreview::DrawPolyline(this, points);
    }
}

}  // namespace QZ2Command
