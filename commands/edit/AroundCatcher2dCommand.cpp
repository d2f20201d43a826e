#include "commands/edit/AroundCatcher2dCommand.h"

#include <vector>

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureAroundCatcher.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(AroundCatcher2dCommand, CommandBase)

namespace {

constexpr UINT kCorner1Caption = 10730;
constexpr UINT kCorner1Prompt = 10469;
constexpr UINT kCorner2Caption = 10731;
constexpr UINT kCorner2Prompt = 10470;
constexpr UINT kSelfCrossing = 10471;
// "There are no two loose ends in the window that can meet in a corner."
constexpr UINT kNothingToCatch = 11176;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.AroundCatcher"), &AroundCatcher2dCommand::IsCommandEnabled);
    }
} g_registrar;

BOOL CrossesItself(const KcArrayOfGePnt2d& polygon)
{
    const INT_PTR n = polygon.GetSize();
    for (INT_PTR i = 0; i + 2 < n; ++i) {
        for (INT_PTR j = i + 2; j + 1 < n; ++j) {
            RuVaPnt2d meet;
            if (!KcGeometryTool::GetIntersectionPointOnLineLine(polygon[i], polygon[i + 1], polygon[j], polygon[j + 1],
                                                                meet))
                continue;
            // Only the closing edge may meet the first, at the first point.
            if (i == 0 && j == n - 2 && meet.Distance(polygon[0]) < FeatureGeometry::kPointTolerance)
                continue;
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

BOOL AroundCatcher2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4)
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    if (selected.IsEmpty())
        return FALSE;
    const int type = pDocument->GetFeatureType(selected[0].GetRecordID());
    return type == FeatureTypeLine || type == FeatureTypePolyline ? TRUE : FALSE;
}

void AroundCatcher2dCommand::SetupParameters()
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemCorner1, kCorner1Caption, kCorner1Prompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemCorner2, kCorner2Caption, kCorner2Prompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

int AroundCatcher2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || m_pManager == nullptr)
        return resultMissing;
    RuVaPnt2d c1;
    RuVaPnt2d c2;
    if (!EditCommandHelper::GetWorldPoint(this, itemCorner1, c1) || !EditCommandHelper::GetWorldPoint(this, itemCorner2, c2))
        return resultMissing;
    if (c1.Distance(c2) < FeatureGeometry::kPointTolerance)
        return resultNothing;
    KcArrayOfGePnt2d polygon;
    polygon.Add(c1);
    polygon.Add(RuVaPnt2d(c2.X(), c1.Y()));
    polygon.Add(c2);
    polygon.Add(RuVaPnt2d(c1.X(), c2.Y()));
    polygon.Add(c1);
    // A refused window keeps its corners for a correction.
    return ApplyAroundCatcher(pDocument, m_pManager->GetActiveView(), polygon, this) ? resultDone : resultNothing;
}

BOOL AroundCatcher2dCommand::ApplyAroundCatcher(Draw2dDocument* pDocument, const Draw2dView* pView,
                                                const KcArrayOfGePnt2d& polygon, CommandBase* pCommand)
{
    if (pDocument == nullptr)
        return FALSE;
    if (CrossesItself(polygon)) {
        EditCommandHelper::ShowMessage(pCommand, kSelfCrossing);
        return FALSE;
    }
    FeatureAroundCatcher catcher;
    if (!catcher.AroundCatcherFeature(pDocument, pView, polygon)) {
        EditCommandHelper::ShowStatus(pCommand, kNothingToCatch);
        return FALSE;
    }
    if (catcher.GetDeletedFeatureCount() == 0 && catcher.GetAroundCatcherFeatureCount() == 0)
        return TRUE;
    // Where each result goes, looked up before its source is deleted.
    const Feature2dList* pResults = catcher.GetAroundCatcherResultFeatureList();
    std::vector<DrawingFeatureBase*> drawings;
    for (int i = 0; i < pResults->GetFeatureSize(); ++i) {
        const Feature2dBase* pShape = pResults->GetFeature(i);
        drawings.push_back(pShape != nullptr ? pDocument->GetParentDrawingFeature(pShape->GetRecordID()) : nullptr);
    }
    const int undo = pDocument->GetUndoCount();
    BOOL bStored = TRUE;
    pDocument->BeginUndoOperation(nullptr);
    for (int i = 0; i < catcher.GetDeletedFeatureCount(); ++i)
        pDocument->DeleteFeature(catcher.GetDeletedFeature(i), 0);
    for (int i = 0; i < pResults->GetFeatureSize() && bStored; ++i) {
        const Feature2dBase* pShape = pResults->GetFeature(i);
        if (pShape != nullptr)
            bStored = drawings[(size_t)i] != nullptr && pDocument->AddFeature(pShape, drawings[(size_t)i], 0) != -1;
    }
    pDocument->EndUndoOperation();
    if (!bStored && pDocument->GetUndoCount() > undo) {
        // Never the sources gone without their results.
        pDocument->Undo(1);
        pDocument->ClearRedoHistory();
    }
    pDocument->UpdateAllFeatures(TRUE);
    return bStored;
}

void AroundCatcher2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d& local, UINT)
{
    const ParameterItemBase* p1 = FindItem(itemCorner1);
    const ParameterItemBase* p2 = FindItem(itemCorner2);
    RuVaPnt2d c1 = local;
    RuVaPnt2d c2 = local;
    if (p1 == nullptr || p2 == nullptr || (!p1->IsEmpty() && !GetPointValue(*p1, c1, TRUE)) ||
        (!p2->IsEmpty() && !GetPointValue(*p2, c2, TRUE)))
        return;
    if (c1.Distance(c2) >= FeatureGeometry::kPointTolerance)
        DrawRubberbandRectangle(c1, c2);
}

}  // namespace QZ2Command
