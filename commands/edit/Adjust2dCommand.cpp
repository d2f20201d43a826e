#include "commands/edit/Adjust2dCommand.h"

#include <memory>
#include <vector>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/CornerEditor.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureAdjustment.h"
#include "libs/vevure/IntersectFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Adjust2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 10441;
constexpr UINT kModeCaption = 10718;
constexpr UINT kModePrompt = 10442;
constexpr UINT kModeChoices = 10840;
constexpr UINT kBoundaryCaption = 10782;
constexpr UINT kBoundaryPrompt = 10443;
constexpr UINT kPointCaption = 10717;
constexpr UINT kPointPrompt = 10444;
constexpr UINT kLengthCaption = 10714;
constexpr UINT kAddLengthPrompt = 10445;
constexpr UINT kWholeLengthPrompt = 10446;
// "No shape could be extended or shortened that way."
constexpr UINT kNothingAdjusted = 11180;
constexpr DWORD kBoundaryKinds = 0x1800DFE;
// Single pick, fence line, fence polyline.
constexpr int kPickMode = 4;
constexpr int kLineMode = 8;
constexpr int kPolylineMode = 16;
constexpr DWORD kShapeModes = 28;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.Adjust"), &Adjust2dCommand::IsCommandEnabled);
    }
} g_registrar;

BOOL IsAdjustable(int type)
{
    return type == 2 || type == 3 || type == 5 || type == 7 ? TRUE : FALSE;
}

BOOL IsFenceMode(int mode)
{
    return mode == kPickMode || mode == kLineMode || mode == kPolylineMode ? TRUE : FALSE;
}

// Where the world shape first meets the fence (a line, or each leg of a polyline in turn).
BOOL FirstCrossing(const Feature2dBase* pWorld, const KcArrayOfGePnt2d& fence, RuVaPnt2d& crossing)
{
    for (INT_PTR i = 0; i + 1 < fence.GetSize(); ++i) {
        IntersectFeature intersect(pWorld, fence[i], fence[i + 1]);
        if (intersect.GetIntersectionPointsCount() > 0) {
            crossing = intersect.GetIntersectionPoint(0);
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

BOOL Adjust2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() < 1)
        return FALSE;
    for (int g = 0; g < pSelection->GetSelectionGroupCount(); ++g) {
        CArray<FeatureLayout> group;
        if (!IsFenceMode(pSelection->GetSelectionGroupSelectShapeMode(g)) || !pSelection->GetSelectionGroup(g, group))
            return FALSE;
        for (INT_PTR i = 0; i < group.GetSize(); ++i) {
            if (!IsAdjustable(pDocument->GetFeatureType(group[i].GetRecordID())))
                return FALSE;
        }
    }
    return TRUE;
}

BOOL Adjust2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    auto* pShapes = dynamic_cast<FeatureGroupParameterItem*>(FindItem(itemShapes));
    if (pSelection == nullptr || pShapes == nullptr || pSelection->GetSelectionGroupCount() < 1)
        return FALSE;
    // Every group is checked before any is taken, so a refusal leaves the item empty.
    for (int g = 0; g < pSelection->GetSelectionGroupCount(); ++g) {
        CArray<FeatureLayout> group;
        if (!IsFenceMode(pSelection->GetSelectionGroupSelectShapeMode(g)) || !pSelection->GetSelectionGroup(g, group))
            return FALSE;
        for (INT_PTR i = 0; i < group.GetSize(); ++i) {
            const long id = group[i].GetRecordID();
            if (!IsAdjustable(pDocument->GetFeatureType(id)) || !pDocument->IsFeatureEditable(id))
                return FALSE;
        }
    }
    for (int g = 0; g < pSelection->GetSelectionGroupCount(); ++g) {
        CArray<FeatureLayout> group;
        pSelection->GetSelectionGroup(g, group);
        pShapes->AddGroup(group, pSelection->GetSelectionGroupSelectShapeMode(g),
                          &pSelection->GetSelectionGroupPointList(g), 1);
    }
    m_bEndAfterRun = TRUE;
    return TRUE;
}

void Adjust2dCommand::SetupParameters()
{
    FeatureGroupParameterItem shapes;
    ShapeCommandHelper::PrepareItem(shapes, itemShapes, kShapesCaption, kShapesPrompt);
    shapes.m_dwAcceptedKinds = kAdjustKinds;
    shapes.m_bTakeSelection = TRUE;
    shapes.m_bEditableOnly = TRUE;
    shapes.m_dwShapeModes = kShapeModes;
    ShapeCommandHelper::AddSingleItemParameter(this, shapes);

    ListParameterItem mode;
    ShapeCommandHelper::PrepareItem(mode, itemMode, kModeCaption, kModePrompt);
    mode.SetItemsFromStringId(kModeChoices);
    mode.SetValue(modeBoundary);
    mode.SetDefaultValue(modeBoundary);
    mode.m_bNoDefault = FALSE;
    mode.m_bClearable = FALSE;
    mode.m_nRetentionMode = 2;
    ShapeCommandHelper::AddSingleItemParameter(this, mode);
    BuildTarget(modeBoundary);
}

void Adjust2dCommand::BuildTarget(int nMode)
{
    for (WORD id : {itemBoundary, itemPoint, itemLength}) {
        const int index = FindParameterIndex(id);
        if (index >= 0)
            m_pManager != nullptr ? m_pManager->RemoveParameter(this, index) : RemoveParameter(index);
    }
    switch (nMode) {
    case modeBoundary: {
        FeatureParameterItem boundary;
        ShapeCommandHelper::PrepareItem(boundary, itemBoundary, kBoundaryCaption, kBoundaryPrompt);
        boundary.m_dwAcceptedKinds = kBoundaryKinds;
        boundary.m_nPickSetting = 1;
        ShapeCommandHelper::AddSingleItemParameter(this, boundary);
        break;
    }
    case modePoint: {
        PointParameterItem point;
        ShapeCommandHelper::PrepareItem(point, itemPoint, kPointCaption, kPointPrompt);
        ShapeCommandHelper::AddSingleItemParameter(this, point);
        break;
    }
    case modeAddLength:
    case modeWholeLength: {
        LengthParameterItem length;
        ShapeCommandHelper::PrepareItem(length, itemLength, kLengthCaption,
                                        nMode == modeAddLength ? kAddLengthPrompt : kWholeLengthPrompt);
        ShapeCommandHelper::AddSingleItemParameter(this, length);
        break;
    }
    default:
        break;
    }
}

int Adjust2dCommand::OnInput(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetParameterCount() && GetParameterItem(nIndex)->GetId() == itemMode) {
        int mode = 0;
        if (static_cast<const ListParameterItem*>(GetParameterItem(nIndex))->GetValue(mode))
            BuildTarget(mode);
        return resultMissing;
    }
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const auto* pShapes = dynamic_cast<const FeatureGroupParameterItem*>(FindItem(itemShapes));
    const auto* pMode = dynamic_cast<const ListParameterItem*>(FindItem(itemMode));
    if (pDocument == nullptr || pShapes == nullptr || pMode == nullptr || GetParameterCount() < 3 ||
        pShapes->IsEmpty() || pMode->IsEmpty() || GetParameterItem(2) == nullptr || GetParameterItem(2)->IsEmpty() ||
        pShapes->GetGroupCount() < 1)
        return resultMissing;

    // The shapes in world coordinates, each with where it was picked or crossed.
    struct Target {
        FeatureLayout shape;
        const PartDrawingLayout* pLayout = nullptr;
        std::unique_ptr<Feature2dBase> pWorld;
        RuVaPnt2d pick;
    };
    std::vector<Target> targets;
    for (int g = 0; g < pShapes->GetGroupCount(); ++g) {
        CArray<FeatureLayout> group;
        int shapeMode = 0;
        KcArrayOfGePnt2d points;
        if (!pShapes->GetGroup(g, group, shapeMode, points))
            return resultMissing;
        if (group.IsEmpty())
            return resultNothing;
        if (!IsFenceMode(shapeMode))
            continue;
        const INT_PTR count = shapeMode == kPickMode ? 1 : group.GetSize();
        for (INT_PTR i = 0; i < count; ++i) {
            EditCommandHelper::Place place;
            if (!EditCommandHelper::Locate(pDocument, group[i], place))
                return resultNothing;
            Target target;
            target.shape = group[i];
            target.pLayout = place.pLayout;
            target.pWorld.reset(place.pLayout != nullptr ? place.pLayout->ConvertFeatureLocalToWorld(place.pFeature)
                                                         : place.pFeature->CopyObject());
            if (!target.pWorld)
                continue;
            if (shapeMode == kPickMode) {
                if (points.IsEmpty())
                    continue;
                target.pick = points[0];
            } else if (!FirstCrossing(target.pWorld.get(), points, target.pick)) {
                continue;  // the fence does not cross it
            }
            targets.push_back(std::move(target));
        }
    }

    int mode = 0;
    if (!pMode->GetValue(mode))
        return resultMissing;
    std::unique_ptr<Feature2dBase> boundary;
    RuVaPnt2d boundaryPick;
    RuVaPnt2d point;
    double length = 0.0;
    switch (mode) {
    case modeBoundary: {
        const auto* pBoundary = dynamic_cast<const FeatureParameterItem*>(FindItem(itemBoundary));
        FeatureLayout picked;
        if (pBoundary == nullptr || !pBoundary->GetValueAndPickPoint(picked, boundaryPick))
            return resultMissing;
        for (const Target& t : targets) {
            if (t.shape.GetRecordID() == picked.GetRecordID())
                return resultNothing;
        }
        EditCommandHelper::Place place;
        if (!EditCommandHelper::Locate(pDocument, picked, place))
            return resultNothing;
        boundary.reset(place.pLayout != nullptr ? place.pLayout->ConvertFeatureLocalToWorld(place.pFeature)
                                                : place.pFeature->CopyObject());
        if (!boundary)
            return resultNothing;
        break;
    }
    case modePoint:
        if (!EditCommandHelper::GetWorldPoint(this, itemPoint, point))
            return resultMissing;
        break;
    case modeAddLength:
    case modeWholeLength: {
        const auto* pLength = dynamic_cast<const LengthParameterItem*>(FindItem(itemLength));
        if (pLength == nullptr || !pLength->GetValue(length))
            return resultMissing;
        length = CornerEditor::LengthToWorld(this, length);
        break;
    }
    default:
        return resultMissing;
    }

    int updated = 0;
    pDocument->BeginUndoOperation(nullptr);
    for (const Target& t : targets) {
        std::unique_ptr<Feature2dBase> adjusted;
        switch (mode) {
        case modeBoundary:
            adjusted.reset(FeatureAdjustment::AdjustFeature(t.pWorld.get(), t.pick, boundary.get(), boundaryPick));
            break;
        case modePoint:
            adjusted.reset(FeatureAdjustment::AdjustFeature(t.pWorld.get(), t.pick, point));
            break;
        default:
            adjusted.reset(
                FeatureAdjustment::AdjustFeature(t.pWorld.get(), t.pick, length, mode == modeAddLength ? 1 : 0));
            break;
        }
        if (!adjusted)
            continue;
        adjusted->CopyBase(t.pWorld.get());
        std::unique_ptr<Feature2dBase> local(t.pLayout != nullptr ? t.pLayout->ConvertFeatureWorldToLocal(adjusted.get())
                                                                  : adjusted->CopyObject());
        if (local && pDocument->UpdateFeature(t.shape.GetRecordID(), local.get(), 0, 3))
            ++updated;
    }
    if (updated > 0)
        pDocument->UpdateAllFeatures(TRUE);
    pDocument->EndUndoOperation();
    if (updated == 0) {
        EditCommandHelper::ShowStatus(this, kNothingAdjusted);
        return resultNothing;
    }
    return resultDone;
}

}  // namespace QZ2Command
