#include "commands/edit/MeasureArea2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/AreaBoundary.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "commands/edit/MeasureCommandHelper.h"
#include "commands/edit/MeasurePreview.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/NotifyProgressInfo.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "platform/win/WinConstants.h"
#include "regionsearch/KcRegionSearcher.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(MeasureArea2dCommand, CommandBase)

namespace {

constexpr int kPolygonPoint = 2;
// "Enter a value from %1 to %2."
constexpr UINT kRangeMessage = 10124;
int g_nDivisionCount = 5000;

IntegerParameterItem DivisionItem()
{
    IntegerParameterItem divisions;
    ShapeCommandHelper::PrepareItem(divisions, MeasureArea2dCommand::itemDivisions, 11067, 11068);
    divisions.SetValue(MeasureArea2dCommand::GetDivisionCount());
    divisions.m_nRetentionMode = 2;
    return divisions;
}

int ForwardProgress(NotifyProgressInfo* pInfo, void* pUserData)
{
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    return shell.pfnOnProgress != nullptr ? shell.pfnOnProgress(pInfo, pUserData) : TRUE;
}

}  // namespace

int MeasureArea2dCommand::GetDivisionCount() { return g_nDivisionCount; }
void MeasureArea2dCommand::SetDivisionCount(int nCount) { g_nDivisionCount = nCount; }

void MeasureArea2dCommand::SetupParameters()
{
    PointArrayParameterItem points;
    ShapeCommandHelper::PrepareItem(points, itemPoints, 10708, 10480);
    points.m_wBaseItemId = itemPoints;
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, itemShape, 10715, 11062);
    shape.m_dwAcceptedKinds = kShapeKinds;
    shape.m_nPickSetting = 1;
    PointParameterItem inner;
    ShapeCommandHelper::PrepareItem(inner, itemInnerPoint, 10747, 11063);
    inner.m_bSnapInput = FALSE;
    ShapeCommandHelper::AddAlternativesParameter(this, {&points, &shape, &inner});
}

BOOL MeasureArea2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return FALSE;
    CommandParameter* pParameter = GetParameter(nIndex);
    if (pParameter->GetCurrentIndex() == nAlternative)
        return FALSE;
    if (nIndex != 0 || nAlternative < 0 || nAlternative >= pParameter->GetItemCount())
        return TRUE;
    const int nDivisions = FindParameterIndex(itemDivisions);
    if (pParameter->GetItem(nAlternative)->GetId() == itemInnerPoint) {
        if (nDivisions < 0) {
            const IntegerParameterItem divisions = DivisionItem();
            MeasureCommandHelper::InsertRow(this, 1, {&divisions});
        }
    } else if (nDivisions >= 0) {
        MeasureCommandHelper::RemoveRow(this, nDivisions);
    }
    return TRUE;
}

BOOL MeasureArea2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase& value)
{
    const auto* pCount = dynamic_cast<const IntegerParameterItem*>(&value);
    int nCount = 0;
    if (pCount == nullptr || value.GetId() != itemDivisions || !pCount->GetValue(nCount))
        return CommandBase::ValidateParameterValue(nIndex, value);
    if (nCount >= kMinDivisions && nCount <= kMaxDivisions)
        return TRUE;
    // Said plainly, so that the user sees why the count is not taken.
    CString text = LoadResourceString(kRangeMessage);
    text.Replace(_T("%1"), _T("100"));
    text.Replace(_T("%2"), _T("65535"));
    if (m_pManager != nullptr)
        m_pManager->ShowMessageBox(text, MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL MeasureArea2dCommand::IsSelfCrossing(const KcArrayOfGePnt2d& closed)
{
    const INT_PTR m = closed.GetSize();
    for (INT_PTR i = 0; i + 2 < m; ++i) {
        for (INT_PTR j = i + 2; j + 1 < m; ++j) {
            RuVaPnt2d at;
            if (!KcGeometryTool::GetIntersectionPointOnLineLine(closed[i], closed[i + 1], closed[j], closed[j + 1], at))
                continue;
            // The closing segment meets the first one at the first point.
            if (i == 0 && j == m - 2 && at.Distance(closed[0]) <= ShapeCommandHelper::kPointTolerance)
                continue;
            return TRUE;
        }
    }
    return FALSE;
}

int MeasureArea2dCommand::MeasurePolygon(double& dArea)
{
    ClearPoints();
    const auto* pItem = dynamic_cast<const PointArrayParameterItem*>(FindItem(itemPoints));
    KcArrayOfGePnt2d points;
    if (pItem == nullptr || !pItem->GetValue(points))
        return resultMissing;
    if (!pItem->m_bFinished) {
        for (INT_PTR i = 0; i < points.GetSize(); ++i)
            CollectPointCallback(kPolygonPoint, points[i]);
        return resultMissing;
    }
    if (points.GetSize() < 3)
        return resultMissing;
    points.Add(points[0]);
    if (IsSelfCrossing(points)) {
        m_pManager->ShowMessageBox(LoadResourceString(kSelfCrossingMessage), MB_ICONEXCLAMATION);
        return resultConditional;
    }
    dArea = MeasureTool::GetPolygonArea(points);
    return resultDone;
}

int MeasureArea2dCommand::MeasureShape(double& dArea)
{
    std::unique_ptr<Feature2dBase> shape;
    RuVaPnt2d pick;
    if (const int nRefused = MeasureCommandHelper::TakePickedShape(this, itemShape, shape, pick))
        return nRefused;
    dArea = MeasureTool::GetFeatureArea(shape.get());
    return resultDone;
}

int MeasureArea2dCommand::FindRegion(const RuVaPnt2d& local, std::unique_ptr<Region2dFeature>& region)
{
    region.reset();
    Draw2dView* pView = m_pManager->GetView();
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pView == nullptr || pDocument == nullptr)
        return 2;
    RuVaPnt2d world;
    pView->ConvertPointLocalToWorld(pView->GetActiveDrawingFeature(), pView->GetActiveLayout(), local, world);
    KcRegionSearcher searcher(pDocument);
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    CMainFrame* pFrame = shell.pfnGetMainFrame != nullptr ? shell.pfnGetMainFrame() : nullptr;
    if (pFrame != nullptr && shell.pfnOnProgress != nullptr)
        searcher.SetNotifyProgressFunction(&ForwardProgress, pFrame);
    const KcRegionSearcher::Status status =
        searcher.SearchRegion(pView, world, m_pManager->GetSelectionDisplayStateMode() ? 1 : 0);
    searcher.SetNotifyProgressFunction(nullptr, nullptr);
    if (status == KcRegionSearcher::statusCancelled)
        return 1;
    const Region2dFeature* pFound = status == KcRegionSearcher::statusFound ? searcher.GetRegion() : nullptr;
    if (pFound == nullptr)
        return 2;
    // The searcher owns its region: the copy in the active layout's coordinates is taken before it goes.
    Feature2dBase* pLocal =
        pView->ConvertFeatureWorldToLocal(pView->GetActiveDrawingFeature(), pView->GetActiveLayout(), pFound, 0);
    region.reset(dynamic_cast<Region2dFeature*>(pLocal));
    if (!region) {
        delete pLocal;
        return 2;
    }
    return 0;
}

int MeasureArea2dCommand::MeasureInnerPoint(double& dArea)
{
    RuVaPnt2d point;
    const int read = MeasureCommandHelper::ReadPoint(this, itemInnerPoint, point);
    if (read != MeasureCommandHelper::pointTaken)
        return read == MeasureCommandHelper::pointMissing ? resultMissing : resultNothing;
    const auto* pDivisions = dynamic_cast<const IntegerParameterItem*>(FindItem(itemDivisions));
    int nDivisions = 0;
    if (pDivisions == nullptr || pDivisions->IsEmpty() || !pDivisions->GetValue(nDivisions))
        return resultMissing;
    if (nDivisions < kMinDivisions || nDivisions > kMaxDivisions)
        return resultMissing;
    SetDivisionCount(nDivisions);
    std::unique_ptr<Region2dFeature> region;
    const int found = FindRegion(point, region);
    if (found == 1)
        return resultNothing;
    if (found != 0) {
        m_pManager->ShowMessageBox(LoadResourceString(kNoRegionMessage), MB_ICONEXCLAMATION);
        return resultConditional;
    }
    dArea = AreaBoundary::GetRegionArea(*region, nDivisions);
    return resultDone;
}

int MeasureArea2dCommand::OnInput(int)
{
    if (m_pManager == nullptr || m_pManager->GetView() == nullptr || GetParameterCount() == 0 || IsParameterEmpty(0))
        return resultMissing;
    const WORD wItem = GetCurrentItemID(0);
    double dArea = 0.0;
    int result = resultMissing;
    switch (wItem) {
    case itemPoints:
        result = MeasurePolygon(dArea);
        break;
    case itemShape:
        result = MeasureShape(dArea);
        break;
    case itemInnerPoint:
        result = MeasureInnerPoint(dArea);
        break;
    default:
        break;
    }
    if (result != resultDone)
        return result;
    CMeasureResultDialog dialog;
    dialog.m_nKind = CMeasureResultDialog::kindArea;
    dialog.m_dArea = dArea;
    MeasureCommandHelper::ShowResult(this, dialog, FALSE);
    if (wItem == itemInnerPoint) {
        // The next click measures again with the same division count.
        if (ParameterItemBase* pInner = FindItem(itemInnerPoint))
            pInner->Clear();
        return resultMissing;
    }
    return resultDone;
}

void MeasureArea2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d& local, UINT)
{
    if (GetParameterCount() == 0 || GetCurrentItemID(0) != itemPoints || IsParameterEmpty(0))
        return;
    PointArrayParameterItem item;
    KcArrayOfGePnt2d points;
    if (!GetParameterValue(0, item) || !item.GetValue(points) || points.IsEmpty())
        return;
    if (points[points.GetSize() - 1].Distance(local) > ShapeCommandHelper::kPointTolerance)
        points.Add(local);
    points.Add(points[0]);
    MeasurePreview::DrawPolyline(this, points);
}

}  // namespace QZ2Command
