#include "commands/edit/Move2dCommand.h"

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeaturePool.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/TransformFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Move2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 10504;
constexpr UINT kBaseCaption = 10728;
constexpr UINT kBasePrompt = 10505;
constexpr UINT kScaleCaption = 10706;
constexpr UINT kScalePrompt = 11073;
constexpr UINT kAngleCaption = 10707;
constexpr UINT kAnglePrompt = 11074;
constexpr UINT kDestinationCaption = 10729;
constexpr UINT kDestinationPrompt = 11075;
// "%d shapes could not be placed and were left as they were."
constexpr UINT kFailedShapes = 11170;

BOOL IsOneOf(const CString& identifier, std::initializer_list<LPCTSTR> names)
{
    for (LPCTSTR name : names) {
        if (identifier == name)
            return TRUE;
    }
    return FALSE;
}

// A placed shape that must be laid out again (dimensions, leaders) or keep a valid boundary (hatches).
BOOL IsSoundAfterPlacement(Feature2dBase* pFeature)
{
    const int type = pFeature->GetFeatureType();
    if (type >= FeatureTypeLinearDimension && type <= FeatureTypeParallelDimension)
        return FeatureCreator::UpdateDimensionFeature(static_cast<Dimension2dFeatureBase*>(pFeature), nullptr, 0, 1.0,
                                                      1.0) != 0
                   ? TRUE
                   : FALSE;
    if (type == FeatureTypeLead)
        return FeatureCreator::UpdateLeadFeature(static_cast<Lead2dFeature*>(pFeature), nullptr);
    if (type == FeatureTypeHatch)
        return static_cast<Hatch2dFeature*>(pFeature)->IsValidRegion();
    return TRUE;
}

}  // namespace

BOOL Move2dCommand::IsCopyIdentifier(const CString& identifier)
{
    return IsOneOf(identifier, {_T("Korvan.Edit.Copy"), _T("Korvan.Edit.CopyRotate"), _T("Korvan.Edit.CopyScale"),
                                _T("Korvan.Edit.CopyScaleRotate"), _T("Korvan.Edit.CopyToLayer")});
}

BOOL Move2dCommand::IsRotatingIdentifier(const CString& identifier)
{
    return IsOneOf(identifier, {_T("Korvan.Edit.Rotate"), _T("Korvan.Edit.MoveRotate"),
                                _T("Korvan.Edit.MoveScaleRotate"), _T("Korvan.Edit.CopyRotate"),
                                _T("Korvan.Edit.CopyScaleRotate")});
}

BOOL Move2dCommand::IsScalingIdentifier(const CString& identifier)
{
    return IsOneOf(identifier, {_T("Korvan.Edit.Scale"), _T("Korvan.Edit.MoveScale"), _T("Korvan.Edit.MoveScaleRotate"),
                                _T("Korvan.Edit.CopyScale"), _T("Korvan.Edit.CopyScaleRotate")});
}

BOOL Move2dCommand::HasDestination(const CString& identifier)
{
    return IsOneOf(identifier, {_T("Korvan.Edit.Rotate"), _T("Korvan.Edit.Scale")}) ? FALSE : TRUE;
}

BOOL Move2dCommand::IsToLayerIdentifier(const CString& identifier)
{
    return IsOneOf(identifier, {_T("Korvan.Edit.MoveToLayer"), _T("Korvan.Edit.CopyToLayer")});
}

void Move2dCommand::SetupParameters()
{
    const BOOL bCopy = IsCopyIdentifier(m_strIdentifier);
    EditCommandHelper::AddShapesParameter(
        this, itemShapes, kShapesCaption, kShapesPrompt,
        IsRotatingIdentifier(m_strIdentifier) ? EditCommandHelper::kAllKindsButOle : EditCommandHelper::kAllKinds,
        bCopy ? FALSE : TRUE, bCopy ? 1 : 0);

    PointParameterItem base;
    ShapeCommandHelper::PrepareItem(base, itemBase, kBaseCaption, kBasePrompt);
    base.m_nRetentionMode = bCopy ? 1 : 0;
    ShapeCommandHelper::AddSingleItemParameter(this, base);

    if (IsScalingIdentifier(m_strIdentifier)) {
        ScaleParameterItem scale;
        ShapeCommandHelper::PrepareItem(scale, itemScale, kScaleCaption, kScalePrompt);
        scale.m_nRetentionMode = 1;
        scale.m_bHistory = TRUE;
        ShapeCommandHelper::AddSingleItemParameter(this, scale);
    }
    if (IsRotatingIdentifier(m_strIdentifier)) {
        AngleParameterItem angle;
        ShapeCommandHelper::PrepareItem(angle, itemAngle, kAngleCaption, kAnglePrompt);
        angle.m_nRetentionMode = 1;
        angle.m_bHistory = TRUE;
        ShapeCommandHelper::AddSingleItemParameter(this, angle);
    }
    if (HasDestination(m_strIdentifier)) {
        PointParameterItem destination;
        ShapeCommandHelper::PrepareItem(destination, itemDestination, kDestinationCaption, kDestinationPrompt);
        destination.m_wBaseItemId = itemBase;
        ShapeCommandHelper::AddSingleItemParameter(this, destination);
    }
}

BOOL Move2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase& value)
{
    // Only what the drag image is made of drops it: the shapes, the base point and the scale. The
    // angle is applied while drawing.
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return TRUE;
    const ParameterItemBase* pCurrent = GetParameterItem(nIndex);
    if (pCurrent == nullptr)
        return TRUE;
    const WORD id = pCurrent->GetId();
    if ((id == itemShapes || id == itemBase || id == itemScale) && !pCurrent->IsEqual(value))
        ClearDragData();
    return TRUE;
}

int Move2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr)
        return resultMissing;
    for (WORD id : {itemShapes, itemBase, itemScale, itemAngle, itemDestination}) {
        const ParameterItemBase* pItem = FindItem(id);
        if (pItem != nullptr && pItem->IsEmpty())
            return resultMissing;
    }
    CArray<FeatureLayout> shapes;
    if (!EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;

    Placement placement;
    if (!EditCommandHelper::GetWorldPoint(this, itemBase, placement.base))
        return resultMissing;
    if (const auto* pScale = dynamic_cast<const ScaleParameterItem*>(FindItem(itemScale))) {
        if (!pScale->GetValue(placement.dScaleX, placement.dScaleY))
            return resultMissing;
    }
    if (const auto* pAngle = dynamic_cast<const AngleParameterItem*>(FindItem(itemAngle))) {
        if (!pAngle->GetValue(placement.dAngle))
            return resultMissing;
    }
    placement.destination = placement.base;
    if (FindItem(itemDestination) != nullptr &&
        !EditCommandHelper::GetWorldPoint(this, itemDestination, placement.destination))
        return resultMissing;
    placement.bToCurrentLayer = IsToLayerIdentifier(m_strIdentifier);

    int nFailed = 0;
    const BOOL bDone = IsCopyIdentifier(m_strIdentifier) ? CopyFeatures(pDocument, shapes, placement, &nFailed)
                                                         : MoveFeatures(pDocument, shapes, placement, &nFailed);
    ClearDragData();
    if (nFailed > 0)
        EditCommandHelper::ShowStatus(this, kFailedShapes, nFailed);
    return bDone ? resultDone : resultFinished;
}

BOOL Move2dCommand::MoveFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes,
                                 const Placement& placement, int* pFailed)
{
    return PlaceFeatures(pDocument, shapes, placement, FALSE, pFailed);
}

BOOL Move2dCommand::CopyFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes,
                                 const Placement& placement, int* pFailed)
{
    return PlaceFeatures(pDocument, shapes, placement, TRUE, pFailed);
}

BOOL Move2dCommand::PlaceFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes,
                                  const Placement& placement, BOOL bCopy, int* pFailed)
{
    if (pFailed != nullptr)
        *pFailed = 0;
    if (pDocument == nullptr)
        return FALSE;
    FeaturePool pool;
    TransformFeature transform;
    BOOL bAll = TRUE;
    int nFailed = 0;
    long nLastLayout = 0;
    BOOL bFirst = TRUE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const FeatureLayout& shape = shapes[i];
        EditCommandHelper::Place place;
        if (!EditCommandHelper::Locate(pDocument, shape, place))
            continue;
        // The points are carried into the drawing the shape lives in, as its layout shows it.
        if (bFirst || shape.GetLayoutID() != nLastLayout) {
            transform.SetTransform(EditCommandHelper::WorldToLocal(place.pLayout, placement.base), placement.dScaleX,
                                   placement.dScaleY, placement.dScaleX, placement.dAngle,
                                   EditCommandHelper::WorldToLocal(place.pLayout, placement.destination));
            nLastLayout = shape.GetLayoutID();
            bFirst = FALSE;
        }
        Feature2dBase* pCopy = pool.GetFeaturePool(place.pFeature, placement.dScaleX, placement.dScaleY);
        // A shape that cannot take the map is a failure, never written back unchanged.
        BOOL bDone = pCopy != nullptr && transform.Transform(pCopy) && IsSoundAfterPlacement(pCopy);
        if (bDone && placement.bToCurrentLayer)
            pCopy->SetLayerID(pDocument->GetCurrentLayerID());
        if (bDone && bCopy) {
            pCopy->CopyAttribute(place.pFeature);
            bDone = pDocument->AddFeature(pCopy, place.pDrawing, 0) != -1 ? TRUE : FALSE;
        } else if (bDone) {
            bDone = pDocument->UpdateFeature(shape.GetRecordID(), pCopy, 0, 3);
        }
        if (!bDone) {
            bAll = FALSE;
            ++nFailed;
        }
    }
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    if (pFailed != nullptr)
        *pFailed = nFailed;
    return bAll;
}

void Move2dCommand::DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d&, UINT)
{
    (void)cursor;
    if (m_strIdentifier == _T("Korvan.Edit.Scale") || m_pManager == nullptr || m_pDrag == nullptr)
        return;
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    Draw2dView* pView = m_pManager->GetActiveView();
    const ParameterItemBase* pShapes = FindItem(itemShapes);
    const ParameterItemBase* pBase = FindItem(itemBase);
    if (pDocument == nullptr || pView == nullptr || pShapes == nullptr || pBase == nullptr || pShapes->IsEmpty() ||
        pBase->IsEmpty())
        return;
    RuVaPnt2d base;
    if (!EditCommandHelper::GetWorldPoint(this, itemBase, base))
        return;

    if (m_pDrag->IsEmptyDragData()) {
        m_pDrag->ClearDragData();
        m_pDrag->ClearFeature();
        CArray<FeatureLayout> shapes;
        if (!EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
            return;
        double sx = 1.0;
        double sy = 1.0;
        if (const auto* pScale = dynamic_cast<const ScaleParameterItem*>(FindItem(itemScale))) {
            if (!pScale->IsEmpty() && !pScale->GetValue(sx, sy))
                return;
        }
        m_pDrag->SetOrigin(base);
        m_pDrag->SetScale(sx, sy);
        for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
            EditCommandHelper::Place place;
            if (EditCommandHelper::Locate(pDocument, shapes[i], place))
                m_pDrag->AddFeature(place.pDrawing, place.pLayout, shapes[i].GetRecordID());
        }
    }

    double angle = 0.0;
    if (IsRotatingIdentifier(m_strIdentifier)) {
        AngleParameterItem angleItem;
        if (GetParameterValueByID(itemAngle, angleItem) && !angleItem.IsEmpty() && !angleItem.GetValue(angle))
            return;
    }
    RuVaPnt2d at = world;
    if (m_strIdentifier != _T("Korvan.Edit.Rotate")) {
        PointParameterItem destinationItem;
        if (GetParameterValueByID(itemDestination, destinationItem) && !destinationItem.IsEmpty()) {
            RuVaPnt2d local;
            if (!GetPointValue(destinationItem, local, TRUE))
                return;
            m_pManager->LocalToWorldPoint(local, at);
        }
    } else {
        at = base;
    }
    m_pDrag->DrawDrag(pDocument, pView, at, angle);
}

}  // namespace QZ2Command
