#include "commands/shape/Hatch2dCommand.h"

#include <cmath>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/DoubleParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/NotifyProgressInfo.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "platform/win/WinConstants.h"
#include "regionsearch/KcRegionSearcher.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Hatch2dCommand, CommandBase)

namespace {

const LPCTSTR kHollowIdentifier = _T("Korvan.Shape.HollowHatch");
constexpr UINT kMsgSelfCrossing = 11023;
constexpr UINT kMsgNoRegion = 11025;
constexpr int kUserDefinedHatch = 2;

// The main frame's progress callback, reached through the shell; a search without a main frame reports
// nothing.
int ForwardProgress(NotifyProgressInfo* pInfo, void* pUserData)
{
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    return shell.pfnOnProgress != nullptr ? shell.pfnOnProgress(pInfo, pUserData) : TRUE;
}

void WatchProgress(KcRegionSearcher& searcher)
{
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    CMainFrame* pFrame = shell.pfnGetMainFrame != nullptr ? shell.pfnGetMainFrame() : nullptr;
    if (pFrame != nullptr && shell.pfnOnProgress != nullptr)
        searcher.SetNotifyProgressFunction(&ForwardProgress, pFrame);
    else
        searcher.SetNotifyProgressFunction(nullptr, nullptr);
}

}  // namespace

BOOL Hatch2dCommand::IsHollow() const
{
    return m_strIdentifier == kHollowIdentifier;
}

void Hatch2dCommand::SetupParameters()
{
    DoubleParameterItem scale;
    ShapeCommandHelper::PrepareItem(scale, itemScale, 10706, 0);
    scale.SetDefaultValue(10.0);
    scale.SetValue(10.0);
    scale.m_nRetentionMode = 2;
    ShapeCommandHelper::AddSingleItemParameter(this, scale);

    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, 10707, 0);
    angle.SetDefaultValue(0.0);
    angle.SetValue(0.0);
    angle.m_nRetentionMode = 2;
    angle.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, angle);

    PointParameterItem inside;
    ShapeCommandHelper::PrepareItem(inside, itemInsidePoint, 10747, 0);
    inside.m_bSnapInput = FALSE;
    FeatureSequenceParameterItem shapes;
    ShapeCommandHelper::PrepareItem(shapes, itemShapes, 10796, 0);
    shapes.m_dwAcceptedKinds = kBoundaryKinds;
    PointArrayParameterItem points;
    ShapeCommandHelper::PrepareItem(points, itemPoints, 11021, 11022);
    points.m_wBaseItemId = itemPoints;
    ShapeCommandHelper::AddAlternativesParameter(this, {&inside, &shapes, &points});

    if (IsHollow()) {
        PointArrayParameterItem islandPoints;
        ShapeCommandHelper::PrepareItem(islandPoints, itemIslandPoints, 10798, 0);
        islandPoints.m_bSnapInput = FALSE;
        FeatureSequenceListParameterItem islandShapes;
        ShapeCommandHelper::PrepareItem(islandShapes, itemIslandShapes, 10797, 0);
        islandShapes.m_dwAcceptedKinds = kBoundaryKinds;
        ShapeCommandHelper::AddAlternativesParameter(this, {&islandPoints, &islandShapes});
    }
}

void Hatch2dCommand::UpdateRequiredItems()
{
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const HatchSetting* pSetting = pDocument != nullptr ? pDocument->GetHatchSetting() : nullptr;
    const BOOL bUser = pSetting != nullptr && pSetting->GetHatchType() == kUserDefinedHatch;
    for (WORD id : {WORD(itemScale), WORD(itemAngle)}) {
        if (ParameterItemBase* pItem = FindItem(id))
            pItem->m_bRequired = bUser;
    }
}

BOOL Hatch2dCommand::OnStart()
{
    UpdateRequiredItems();
    return TRUE;
}

BOOL Hatch2dCommand::OnResume()
{
    UpdateRequiredItems();
    if (m_pManager != nullptr) {
        for (WORD id : {WORD(itemScale), WORD(itemAngle)}) {
            const int nIndex = FindParameterIndex(id);
            if (nIndex >= 0)
                m_pManager->UpdateParameterInBar(this, nIndex, TRUE);
        }
    }
    return TRUE;
}

BOOL Hatch2dCommand::IsSelfCrossing(const KcArrayOfGePnt2d& given)
{
    const INT_PTR n = given.GetSize();
    if (n < 3)
        return FALSE;
    KcArrayOfGePnt2d p;
    for (INT_PTR i = 0; i < n; ++i)
        p.Add(given[i]);
    p.Add(given[0]);
    const INT_PTR m = n + 1;
    for (INT_PTR i = 0; i <= m - 3; ++i) {
        for (INT_PTR j = i + 2; j <= m - 2; ++j) {
            RuVaPnt2d meet;
            if (!KcGeometryTool::GetIntersectionPointOnLineLine(p[i], p[i + 1], p[j], p[j + 1], meet))
                continue;
            // The first and the last segment share the closing point.
            if (i == 0 && j == m - 2 && meet.IsEqual(p[0], ShapeCommandHelper::kPointTolerance))
                continue;
            return TRUE;
        }
    }
    return FALSE;
}

int Hatch2dCommand::Fail(UINT nMessageId, UINT nType) const
{
    if (m_pManager != nullptr)
        m_pManager->ShowMessageBox(LoadResourceString(nMessageId), nType);
    return resultConditional;
}

Hatch2dFeature* Hatch2dCommand::CreateHatchFromPoints(const KcArrayOfGePnt2d& points) const
{
    Hatch2dFeature* pHatch = FeatureCreator::CreateHatchFeature(points, nullptr, nullptr, 0, nullptr);
    if (pHatch != nullptr)
        if (const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this))
            pHatch->SetLayerID(pDocument->GetCurrentLayerID());
    return pHatch;
}

BOOL Hatch2dCommand::CollectShapes(const CArray<FeatureLayout>& shapes, const KcArrayOfGePnt2d& picks,
                                   Feature2dList& list, KcArrayOfGePnt2d& localPicks) const
{
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr || shapes.GetSize() != picks.GetSize())
        return FALSE;
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const Feature2dBase* pShape = pDocument->GetFeature(shapes[i].GetRecordID());
        if (pShape == nullptr)
            return FALSE;
        const PartDrawingLayout* pLayout = pView->GetPartLayoutByID(shapes[i].GetLayoutID());
        std::unique_ptr<Feature2dBase> copy(ConvertFeatureToLayout(pLayout, pShape));
        if (!copy)
            return FALSE;
        list.AddFeature(copy.get(), 1);
        RuVaPnt2d local;
        pView->ConvertPointWorldToLocal(pView->GetActiveDrawingFeature(), pView->GetActiveLayout(), picks[i], local);
        localPicks.Add(local);
    }
    return TRUE;
}

Hatch2dFeature* Hatch2dCommand::CreateHatchFromFeatures(const CArray<FeatureLayout>& shapes,
                                                        const KcArrayOfGePnt2d& picks) const
{
    Feature2dList list;
    KcArrayOfGePnt2d localPicks;
    if (!CollectShapes(shapes, picks, list, localPicks))
        return nullptr;
    Hatch2dFeature* pHatch = FeatureCreator::CreateHatchFeature(list, localPicks, nullptr, nullptr, 0, nullptr);
    if (pHatch != nullptr)
        pHatch->SetLayerID(ShapeCommandHelper::GetDocument(this)->GetCurrentLayerID());
    return pHatch;
}

int Hatch2dCommand::Search(KcRegionSearcher& searcher, const RuVaPnt2d& world,
                           std::unique_ptr<Region2dFeature>& local) const
{
    local.reset();
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pView == nullptr)
        return searchNone;
    WatchProgress(searcher);
    const int nFlag = m_pManager->GetSelectionDisplayStateMode() ? 1 : 0;
    const KcRegionSearcher::Status status = searcher.SearchRegion(pView, world, nFlag);
    searcher.SetNotifyProgressFunction(nullptr, nullptr);
    if (status == KcRegionSearcher::statusCancelled)
        return searchCancelled;
    const Region2dFeature* pRegion = status == KcRegionSearcher::statusFound ? searcher.GetRegion() : nullptr;
    if (pRegion == nullptr)
        return searchNone;
    Feature2dBase* pLocal =
        pView->ConvertFeatureWorldToLocal(pView->GetActiveDrawingFeature(), pView->GetActiveLayout(), pRegion, 0);
    local.reset(dynamic_cast<Region2dFeature*>(pLocal));
    if (!local) {
        delete pLocal;
        return searchNone;
    }
    return searchFound;
}

Hatch2dFeature* Hatch2dCommand::CreateHatchByInnerPoint(const RuVaPnt2d& localPoint, int& nOutcome) const
{
    nOutcome = searchNone;
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return nullptr;
    RuVaPnt2d world;
    pView->ConvertPointLocalToWorld(pView->GetActiveDrawingFeature(), pView->GetActiveLayout(), localPoint, world);
    KcRegionSearcher searcher(pDocument);
    std::unique_ptr<Region2dFeature> region;
    nOutcome = Search(searcher, world, region);
    if (nOutcome != searchFound)
        return nullptr;
    auto pHatch = std::make_unique<Hatch2dFeature>();
    if (!pHatch->SetOuterRegion(*region)) {
        nOutcome = searchNone;
        return nullptr;
    }
    pHatch->SetPoint(localPoint);
    pHatch->SetLayerID(pDocument->GetCurrentLayerID());
    return pHatch.release();
}

BOOL Hatch2dCommand::AddInnerSequences(Hatch2dFeature* pHatch, const std::vector<CArray<FeatureLayout>>& shapes,
                                       const std::vector<KcArrayOfGePnt2d>& picks) const
{
    const size_t n = shapes.size();
    if (n == 0 || picks.size() != n)
        return FALSE;
    std::vector<Feature2dList> lists(n);
    std::vector<KcArrayOfGePnt2d> localPicks(n);
    for (size_t i = 0; i < n; ++i) {
        if (!CollectShapes(shapes[i], picks[i], lists[i], localPicks[i]))
            return FALSE;
    }
    return FeatureCreator::CreateHatchFeature(pHatch, lists.data(), localPicks.data(), static_cast<int>(n));
}

BOOL Hatch2dCommand::AddInnerPointRegions(Hatch2dFeature* pHatch, const KcArrayOfGePnt2d& points,
                                          BOOL& bCancelled) const
{
    bCancelled = FALSE;
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return FALSE;
    KcRegionSearcher searcher(pDocument);
    BOOL bAdded = FALSE;
    for (INT_PTR i = 0; i < points.GetSize(); ++i) {
        RuVaPnt2d world;
        pView->ConvertPointLocalToWorld(pView->GetActiveDrawingFeature(), pView->GetActiveLayout(), points[i], world);
        std::unique_ptr<Region2dFeature> region;
        const int nOutcome = Search(searcher, world, region);
        if (nOutcome == searchCancelled) {
            bCancelled = TRUE;
            return FALSE;
        }
        if (nOutcome == searchFound && pHatch->AddInnerRegions(*region))
            bAdded = TRUE;
    }
    return bAdded;
}

int Hatch2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return resultConditional;

    // 1. Scale and angle, when the pattern takes them.
    const auto* pScale = dynamic_cast<const DoubleParameterItem*>(FindItem(itemScale));
    const auto* pAngle = dynamic_cast<const DoubleParameterItem*>(FindItem(itemAngle));
    if (pScale == nullptr || pAngle == nullptr)
        return resultMissing;
    if ((pScale->m_bRequired && pScale->IsEmpty()) || (pAngle->m_bRequired && pAngle->IsEmpty()))
        return resultMissing;

    // 2. The outer boundary.
    const int nOuter = FindParameterIndex(itemInsidePoint);
    if (nOuter < 0 || IsParameterEmpty(nOuter))
        return resultMissing;
    const WORD wOuter = GetCurrentItemID(nOuter);
    const ParameterItemBase* pOuter = GetParameterItem(nOuter);
    KcArrayOfGePnt2d outerPoints;
    if (wOuter == itemShapes) {
        const auto* pShapes = dynamic_cast<const FeatureSequenceParameterItem*>(pOuter);
        if (pShapes == nullptr || !pShapes->m_bFinished)
            return resultMissing;
    } else if (wOuter == itemPoints) {
        const auto* pPoints = dynamic_cast<const PointArrayParameterItem*>(pOuter);
        ClearPoints();
        if (pPoints == nullptr || !pPoints->GetValue(outerPoints))
            return resultMissing;
        if (!pPoints->m_bFinished) {
            // The points so far are snap targets for the next one.
            for (INT_PTR i = 0; i < outerPoints.GetSize(); ++i)
                CollectPointCallback(2, outerPoints[i]);
            return resultMissing;
        }
        if (outerPoints.GetSize() < 3)
            return resultMissing;
        if (IsSelfCrossing(outerPoints))
            return Fail(kMsgSelfCrossing, MB_ICONEXCLAMATION | MB_OK);
    }

    // 3. The islands of the hollow hatch.
    int nInner = -1;
    WORD wInner = 0;
    if (IsHollow()) {
        nInner = FindParameterIndex(itemIslandPoints);
        if (nInner < 0 || IsParameterEmpty(nInner))
            return resultMissing;
        wInner = GetCurrentItemID(nInner);
        const ParameterItemBase* pInner = GetParameterItem(nInner);
        if (wInner == itemIslandShapes) {
            const auto* pList = dynamic_cast<const FeatureSequenceListParameterItem*>(pInner);
            if (pList == nullptr || !pList->m_bFinished)
                return resultMissing;
        } else {
            const auto* pList = dynamic_cast<const PointArrayParameterItem*>(pInner);
            if (pList == nullptr || !pList->m_bFinished)
                return resultMissing;
        }
    }

    // 4. Scale and angle values.
    double scale = 1.0;
    double angle = 0.0;
    if (pScale->m_bRequired) {
        if (!pScale->GetValue(scale))
            return resultMissing;
        if (!std::isfinite(scale) || scale <= 0.0)
            return ShapeCommandHelper::Refuse(this, kMsgScaleNotPositive, resultNothing);
    }
    if (pAngle->m_bRequired && (!pAngle->GetValue(angle) || !std::isfinite(angle)))
        return resultMissing;

    // 5. and 6. Read the outer boundary and the islands.
    CArray<FeatureLayout> outerShapes;
    KcArrayOfGePnt2d outerPicks;
    RuVaPnt2d insidePoint;
    if (wOuter == itemShapes) {
        const auto* pShapes = static_cast<const FeatureSequenceParameterItem*>(pOuter);
        if (!pShapes->GetFeatures(outerShapes) || !pShapes->GetPickPoints(outerPicks))
            return resultNothing;
    } else if (wOuter == itemInsidePoint) {
        if (!GetPointValue(*pOuter, insidePoint, TRUE))
            return resultNothing;
    }
    std::vector<CArray<FeatureLayout>> islandShapes;
    std::vector<KcArrayOfGePnt2d> islandPicks;
    KcArrayOfGePnt2d islandPoints;
    if (IsHollow()) {
        const ParameterItemBase* pInner = GetParameterItem(nInner);
        if (wInner == itemIslandShapes) {
            const auto* pList = static_cast<const FeatureSequenceListParameterItem*>(pInner);
            for (int i = 0; i < pList->GetSequenceCount(); ++i) {
                CArray<FeatureLayout> shapes;
                KcArrayOfGePnt2d picks;
                // A sequence that cannot be read fails the cycle: dropping it would hatch over an island the
                // user gave.
                if (!pList->GetSequenceFeatures(i, shapes) || !pList->GetSequencePickPoints(i, picks))
                    return resultNothing;
                islandShapes.push_back(shapes);
                islandPicks.push_back(picks);
            }
        } else if (!static_cast<const PointArrayParameterItem*>(pInner)->GetValue(islandPoints)) {
            return resultNothing;
        }
    }

    // 7. The hatch of the outer boundary.
    std::unique_ptr<Hatch2dFeature> hatch;
    if (wOuter == itemPoints) {
        hatch.reset(CreateHatchFromPoints(outerPoints));
    } else if (wOuter == itemShapes) {
        hatch.reset(CreateHatchFromFeatures(outerShapes, outerPicks));
    } else {
        int nOutcome = searchNone;
        hatch.reset(CreateHatchByInnerPoint(insidePoint, nOutcome));
        if (nOutcome == searchCancelled)
            return resultNothing;
    }

    // 8. Its islands.
    if (hatch && IsHollow()) {
        BOOL bAdded = FALSE;
        if (wInner == itemIslandShapes) {
            bAdded = AddInnerSequences(hatch.get(), islandShapes, islandPicks);
        } else {
            BOOL bCancelled = FALSE;
            bAdded = AddInnerPointRegions(hatch.get(), islandPoints, bCancelled);
            if (bCancelled)
                return resultNothing;
        }
        if (!bAdded)
            hatch.reset();
    }

    // 9. to 12. The setting, the pattern's scale and angle, one undo step.
    if (!hatch)
        return Fail(kMsgNoRegion, MB_OK);
    const HatchSetting* pSetting = pDocument->GetHatchSetting();
    if (pSetting == nullptr || !FeatureSettingConverter::SetHatchSettingToFeature(hatch.get(), *pSetting))
        return resultConditional;
    if (pSetting->GetHatchType() == kUserDefinedHatch) {
        hatch->GetUserDefinedHatchFormat().SetPatternScale(scale);
        hatch->GetUserDefinedHatchFormat().SetPatternAngle(angle);
    }
    if (!ShapeCommandHelper::AddFeatureInUndo(pDocument, ShapeCommandHelper::GetActiveDrawing(this), hatch.release()))
        return resultConditional;
    return resultDone;
}

void Hatch2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d& local, UINT)
{
    const int nOuter = FindParameterIndex(itemInsidePoint);
    if (nOuter < 0 || GetCurrentParameterIndex() != nOuter || GetCurrentItemID(nOuter) != itemPoints ||
        IsParameterEmpty(nOuter))
        return;
    PointArrayParameterItem item;
    KcArrayOfGePnt2d points;
    if (!GetParameterValueByID(itemPoints, item) || !item.GetValue(points) || points.GetSize() == 0)
        return;
    if (!points[points.GetSize() - 1].IsEqual(local, ShapeCommandHelper::kPointTolerance))
        points.Add(local);
    points.Add(points[0]);
    Polyline2dFeature outline;
    if (!outline.SetPointArray(points))
        return;
    if (const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this))
        ShapeCommandHelper::ApplyAttributes(&outline, 3, 1, 1, pDocument->GetCurrentLayerID());
    DrawRubberbandFeature(&outline);
}

}  // namespace QZ2Command
