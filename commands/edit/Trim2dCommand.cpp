#include "commands/edit/Trim2dCommand.h"

#include <memory>
#include <set>
#include <vector>

#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/edit/MoveCut2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSelector.h"
#include "libs/vevure/FeatureTrimming.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Trim2dCommand, CommandBase)

namespace {

constexpr UINT kShapeCaption = 10715;
constexpr UINT kShapePrompt = 11144;
constexpr UINT kCorner1Caption = 10730;
constexpr UINT kCorner1Prompt = 11145;
constexpr UINT kCorner2Caption = 10731;
constexpr UINT kCorner2Prompt = 11146;
// "Nothing to trim there."
constexpr UINT kNothingToTrim = 11175;
constexpr DWORD kTrimKinds = 0xDFE;
constexpr int kPickAperturePixels = 5;

const CString kPickTrim(_T("Korvan.Edit.Trim"));

struct EnableTestRegistrar {
    EnableTestRegistrar() { CommandBase::RegisterEnableTest(_T("Korvan.Edit.Trim"), &Trim2dCommand::IsCommandEnabled); }
} g_registrar;

// Replaces the source by the pieces; FALSE, with whatever was added taken back and the source kept,
// when a piece is refused.
BOOL ReplaceByPieces(Draw2dDocument* pDocument, long nSource, const Feature2dList* pPieces, int nDeleteFlag)
{
    const Feature2dBase* pSource = pDocument->GetFeature(nSource);
    DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(nSource);
    if (pSource == nullptr || pDrawing == nullptr || pPieces == nullptr)
        return FALSE;
    std::vector<long> added;
    for (int i = 0; i < pPieces->GetFeatureSize(); ++i) {
        std::unique_ptr<Feature2dBase> piece(pPieces->GetFeature(i)->CopyObject(3));
        long id = -1;
        if (piece) {
            piece->CopyBase(pSource);
            piece->CopyAttribute(pSource);
            id = pDocument->AddFeature(piece.get(), pDrawing, 0);
        }
        if (id == -1) {
            for (long back : added)
                pDocument->DeleteFeature(back, 0);
            return FALSE;
        }
        added.push_back(id);
    }
    pDocument->DeleteFeature(nSource, nDeleteFlag);
    return TRUE;
}

}  // namespace

BOOL Trim2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4)
        return FALSE;
    CArray<FeatureLayout> group;
    if (!pSelection->GetSelectionGroup(0, group) || group.IsEmpty())
        return FALSE;
    const int type = pDocument->GetFeatureType(group[0].GetRecordID());
    return type >= 2 && type <= 9 && type != 8 ? TRUE : FALSE;
}

void Trim2dCommand::SetupParameters()
{
    if (m_strIdentifier == kPickTrim) {
        FeatureParameterItem shape;
        ShapeCommandHelper::PrepareItem(shape, itemShape, kShapeCaption, kShapePrompt);
        shape.m_dwAcceptedKinds = kTrimKinds;
        shape.m_bTakeSelection = TRUE;
        shape.m_bEditableOnly = TRUE;
        ShapeCommandHelper::AddSingleItemParameter(this, shape);
        return;
    }
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemCorner1, kCorner1Caption, kCorner1Prompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemCorner2, kCorner2Caption, kCorner2Prompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

int Trim2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || m_pManager == nullptr || GetParameterCount() < 1 || IsParameterEmpty(0))
        return resultMissing;
    Draw2dView* pView = m_pManager->GetActiveView();
    BOOL bDone = FALSE;
    if (m_strIdentifier == kPickTrim) {
        const auto* pShape = dynamic_cast<const FeatureParameterItem*>(GetParameterItem(0));
        FeatureLayout picked;
        RuVaPnt2d pick;
        if (pShape == nullptr || !pShape->GetValueAndPickPoint(picked, pick))
            return resultMissing;
        bDone = TrimAtPoint(pDocument, pView, picked.GetLayoutID(), picked.GetRecordID(), pick,
                            m_pManager->GetSelectionDisplayStateMode() ? 1 : 0);
    } else {
        const ParameterItemBase* p1 = FindItem(itemCorner1);
        const ParameterItemBase* p2 = FindItem(itemCorner2);
        RuVaPnt2d c1;
        RuVaPnt2d c2;
        if (p1 == nullptr || p2 == nullptr || p2->IsEmpty() || !GetPointValue(*p1, c1, TRUE) ||
            !GetPointValue(*p2, c2, TRUE))
            return resultMissing;
        KcArrayOfGePnt2d polygon;
        MoveCut2dCommand::MakeRectangle(c1, c2, polygon);
        for (INT_PTR i = 0; i < polygon.GetSize(); ++i) {
            RuVaPnt2d world;
            m_pManager->LocalToWorldPoint(polygon[i], world);
            polygon.SetAt(i, world);
        }
        bDone = TrimInRegion(pDocument, pView, polygon);
    }
    if (!bDone) {
        // Nothing was cut: the user is told, and the command waits for the next pick or rectangle.
        EditCommandHelper::ShowStatus(this, kNothingToTrim);
        return resultNothing;
    }
    return resultDone;
}

BOOL Trim2dCommand::TrimAtPoint(Draw2dDocument* pDocument, Draw2dView* pView, long nLayoutID, long nRecordID,
                                const RuVaPnt2d& pick, int nDisplayState)
{
    if (pDocument == nullptr)
        return FALSE;
    EditCommandHelper::Place place;
    if (!EditCommandHelper::Locate(pDocument, FeatureLayout(nRecordID, nLayoutID, -1), place))
        return FALSE;
    FeatureTrimming trimming;
    if (!trimming.TrimFeature(pDocument, pView, place.pLayout, place.pFeature,
                              EditCommandHelper::WorldToLocal(place.pLayout, pick), nDisplayState) ||
        (trimming.GetDeletedFeatureCount() == 0 && trimming.GetTrimmedFeatureCount() == 0))
        return FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (int i = 0; i < trimming.GetDeletedFeatureCount(); ++i)
        pDocument->DeleteFeature(trimming.GetDeletedFeature(i), 0);
    BOOL bDone = TRUE;
    if (trimming.GetTrimmedFeatureCount() > 0)
        bDone = ReplaceByPieces(pDocument, nRecordID, trimming.GetTrimmedResult(0), 1);
    pDocument->EndUndoOperation();
    if (!bDone && trimming.GetDeletedFeatureCount() > 0) {
        // Nothing half done: the deletions go back with the step.
        pDocument->Undo(1);
        pDocument->ClearRedoHistory();
    }
    pDocument->UpdateAllFeatures(TRUE);
    return bDone;
}

BOOL Trim2dCommand::TrimInRegion(Draw2dDocument* pDocument, Draw2dView* pView, const KcArrayOfGePnt2d& region)
{
    if (pDocument == nullptr)
        return FALSE;
    FeatureTrimming trimming;
    if (!trimming.TrimFeature(pDocument, pView, region) ||
        (trimming.GetDeletedFeatureCount() == 0 && trimming.GetTrimmedFeatureCount() == 0))
        return FALSE;
    std::set<long> deleted;
    pDocument->BeginUndoOperation(nullptr);
    for (int i = 0; i < trimming.GetDeletedFeatureCount(); ++i) {
        deleted.insert(trimming.GetDeletedFeature(i));
        pDocument->DeleteFeature(trimming.GetDeletedFeature(i), 0);
    }
    for (int i = 0; i < trimming.GetTrimmedFeatureCount(); ++i) {
        // A shape already deleted has no source left to copy from.
        const long nSource = trimming.GetTrimmedFeature(i);
        if (deleted.count(nSource) != 0)
            continue;
        // A shape whose pieces cannot all be stored stays as it was.
        ReplaceByPieces(pDocument, nSource, trimming.GetTrimmedResult(i), 0);
    }
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    return TRUE;
}

void Trim2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return;
    if (m_strIdentifier != kPickTrim) {
        const ParameterItemBase* p1 = FindItem(itemCorner1);
        const ParameterItemBase* p2 = FindItem(itemCorner2);
        RuVaPnt2d c1 = local;
        RuVaPnt2d c2 = local;
        if (p1 == nullptr || p2 == nullptr || (!p1->IsEmpty() && !GetPointValue(*p1, c1, TRUE)) ||
            (!p2->IsEmpty() && !GetPointValue(*p2, c2, TRUE)))
            return;
        if (c1.Distance(c2) >= FeatureGeometry::kPointTolerance)
            DrawRubberbandRectangle(c1, c2);
        return;
    }
    // The piece a click here would take out.
    FeatureSelector selector(pDocument);
    selector.SetFeatureFilter(kTrimKinds);
    if (selector.PickByPoint(pView, world, pView->GetPickAperture(kPickAperturePixels)) < 1)
        return;
    const FeatureLayout picked = selector.GetSelectedFeatureLayout(0);
    if (!pDocument->IsFeatureEditable(picked.GetRecordID()))
        return;
    EditCommandHelper::Place place;
    if (!EditCommandHelper::Locate(pDocument, picked, place))
        return;
    FeatureTrimming trimming;
    Feature2dList removed;
    if (!trimming.TrimFeature(pDocument, pView, place.pLayout, place.pFeature,
                              EditCommandHelper::WorldToLocal(place.pLayout, world),
                              m_pManager->GetSelectionDisplayStateMode() ? 1 : 0, &removed) ||
        removed.GetFeatureSize() == 0)
        return;
    std::unique_ptr<Feature2dBase> shown(ConvertFeatureToLayout(place.pLayout, removed.GetFeature(0)));
    DrawRubberbandFeature(shown ? shown.get() : removed.GetFeature(0));
}

}  // namespace QZ2Command
