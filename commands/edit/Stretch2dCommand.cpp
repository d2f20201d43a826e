#include "commands/edit/Stretch2dCommand.h"

#include <memory>
#include <set>

#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureSelector.h"
#include "libs/vevure/FeatureStretching.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/TransformFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Stretch2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 10504;
constexpr UINT kBaseCaption = 10728;
constexpr UINT kBasePrompt = 10505;
constexpr UINT kDestinationCaption = 10729;
constexpr UINT kDestinationPrompt = 11075;
constexpr int kWindowShapeMode = 1;
constexpr DWORD kFencePartMode = 2;
constexpr DWORD kFenceShapeModes = 0xFFFB;
constexpr int kQueuePollEvery = 10;

}  // namespace

void Stretch2dCommand::SetupParameters()
{
    FeatureGroupParameterItem shapes;
    ShapeCommandHelper::PrepareItem(shapes, itemShapes, kShapesCaption, kShapesPrompt);
    shapes.m_bTakeSelection = FALSE;
    shapes.m_bEditableOnly = TRUE;
    shapes.m_dwPartModes = DWORD(1) << kFencePartMode;
    shapes.m_dwShapeModes = kFenceShapeModes;
    ShapeCommandHelper::AddSingleItemParameter(this, shapes);
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemBase, kBaseCaption, kBasePrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemDestination, kDestinationCaption, kDestinationPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

void Stretch2dCommand::FencePolygon(int nShapeMode, const KcArrayOfGePnt2d& points, KcArrayOfGePnt2d& fence)
{
    fence.RemoveAll();
    if (nShapeMode == kWindowShapeMode && points.GetSize() >= 2) {
        GetRectangleOutline(points[0], points[1], fence);
        return;
    }
    fence = points;
}

Feature2dBase* Stretch2dCommand::StretchFeature(const Draw2dDocument* pDocument, const Draw2dView* pView,
                                                long nLayoutID, long nRecordID, const KcArrayOfGePnt2d& fence,
                                                const RuVaPnt2d& base, const RuVaPnt2d& destination)
{
    const Feature2dBase* pFeature = pDocument != nullptr ? pDocument->GetFeature(nRecordID) : nullptr;
    if (pFeature == nullptr)
        return nullptr;
    const PartDrawingLayout* pLayout = pDocument->GetPartLayoutByID(nLayoutID);
    const DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(nRecordID);
    // The fence and the points in the coordinates of the drawing that holds the shape.
    auto toLocal = [&](const RuVaPnt2d& world) {
        RuVaPnt2d local = world;
        if (pLayout != nullptr)
            Draw2dView::ConvertPointWorldToLocal(pLayout, world, local);
        else if (pView != nullptr && pDrawing != nullptr)
            pView->ConvertPointWorldToLocal(pDrawing, nullptr, world, local);
        return local;
    };
    KcArrayOfGePnt2d localFence;
    for (INT_PTR i = 0; i < fence.GetSize(); ++i)
        localFence.Add(toLocal(fence[i]));
    const RuVaPnt2d from = toLocal(base);
    const RuVaPnt2d to = toLocal(destination);
    if (FeatureSelector::PickByPolygon(pFeature, localFence) == 0) {
        TransformFeature move;
        move.SetTransform(from, to);
        return move.Transformed(pFeature);
    }
    if (!FeatureStretching::IsStretchableType(pFeature->GetFeatureType()))
        return nullptr;
    return FeatureStretching::StretchFeature(pFeature, localFence, from, to);
}

template <class Visitor> void Stretch2dCommand::ForEachCaught(Visitor&& visit) const
{
    const auto* pShapes = dynamic_cast<const FeatureGroupParameterItem*>(FindItem(itemShapes));
    if (pShapes == nullptr || pShapes->IsEmpty())
        return;
    // A shape caught by two fences is stretched once, by the first.
    std::set<long> seen;
    for (int g = 0; g < pShapes->GetGroupCount(); ++g) {
        CArray<FeatureLayout> features;
        int mode = 0;
        KcArrayOfGePnt2d points;
        if (!pShapes->GetGroup(g, features, mode, points) || features.IsEmpty())
            continue;
        KcArrayOfGePnt2d fence;
        FencePolygon(mode, points, fence);
        for (INT_PTR i = 0; i < features.GetSize(); ++i) {
            if (!seen.insert(features[i].GetRecordID()).second)
                continue;
            if (!visit(features[i], fence, static_cast<int>(i)))
                return;
        }
    }
}

int Stretch2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const auto* pShapes = dynamic_cast<const FeatureGroupParameterItem*>(FindItem(itemShapes));
    const auto* pBase = dynamic_cast<const PointParameterItem*>(FindItem(itemBase));
    const auto* pDestination = dynamic_cast<const PointParameterItem*>(FindItem(itemDestination));
    RuVaPnt2d base;
    RuVaPnt2d destination;
    if (pDocument == nullptr || pShapes == nullptr || pShapes->IsEmpty() || pShapes->GetGroupCount() < 1 ||
        pBase == nullptr || pDestination == nullptr || pBase->IsEmpty() || pDestination->IsEmpty() ||
        !pBase->GetValue(base) || !pDestination->GetValue(destination))
        return resultMissing;
    if (m_pManager != nullptr) {
        m_pManager->LocalToWorldPoint(RuVaPnt2d(base), base);
        m_pManager->LocalToWorldPoint(RuVaPnt2d(destination), destination);
    }
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    BOOL bAllDone = TRUE;
    BOOL bChanged = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    ForEachCaught([&](const FeatureLayout& shape, const KcArrayOfGePnt2d& fence, int) {
        std::unique_ptr<Feature2dBase> stretched(StretchFeature(pDocument, pView, shape.GetLayoutID(),
                                                                shape.GetRecordID(), fence, base, destination));
        if (stretched) {
            if (!pDocument->UpdateFeature(shape.GetRecordID(), stretched.get(), 0, 3))
                bAllDone = FALSE;
            bChanged = TRUE;
        }
        return true;
    });
    pDocument->EndUndoOperation();
    if (bChanged)
        pDocument->UpdateAllFeatures(TRUE);
    return bAllDone ? resultDone : resultFinished;
}

void Stretch2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    PointParameterItem base;
    PointParameterItem destination;
    const int baseIndex = FindParameterIndex(itemBase);
    const int destinationIndex = FindParameterIndex(itemDestination);
    RuVaPnt2d from;
    RuVaPnt2d to;
    if (baseIndex < 0 || destinationIndex < 0 || !GetParameterValue(baseIndex, base) || base.IsEmpty() ||
        !GetParameterValue(destinationIndex, destination) || !destination.GetValue(to) || !base.GetValue(from) ||
        from.IsEqual(to, PointParameterItem::kTolerance))
        return;
    DrawRubberbandLine(from, to);
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr)
        return;
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    if (m_pManager != nullptr) {
        m_pManager->LocalToWorldPoint(RuVaPnt2d(from), from);
        m_pManager->LocalToWorldPoint(RuVaPnt2d(to), to);
    }
    int drawn = 0;
    ForEachCaught([&](const FeatureLayout& shape, const KcArrayOfGePnt2d& fence, int index) {
        // A large catch must not hold the cursor up.
        if ((index + 1) % kQueuePollEvery == 0 && !CommandManager::IsInputQueueEmpty())
            return false;
        if (drawn > kPreviewLimit)
            return false;
        std::unique_ptr<Feature2dBase> stretched(
            StretchFeature(pDocument, pView, shape.GetLayoutID(), shape.GetRecordID(), fence, from, to));
        if (stretched) {
            const PartDrawingLayout* pLayout = pDocument->GetPartLayoutByID(shape.GetLayoutID());
            std::unique_ptr<Feature2dBase> shown(ConvertFeatureToLayout(pLayout, stretched.get()));
            DrawRubberbandFeature(shown ? shown.get() : stretched.get());
            ++drawn;
        }
        return true;
    });
}

}  // namespace QZ2Command
