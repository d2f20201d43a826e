#include "commands/edit/MoveMirror2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/TransformFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(MoveMirror2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 10504;
constexpr UINT kAxis1Caption = 10732;
constexpr UINT kAxis1Prompt = 11078;
constexpr UINT kAxis2Caption = 10733;
constexpr UINT kAxis2Prompt = 11079;
// "The two points of the mirror axis are the same point."
constexpr UINT kSameAxisPoints = 11171;
// "%d shapes could not be placed and were left as they were."
constexpr UINT kFailedShapes = 11170;

}  // namespace

void MoveMirror2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, kShapesPrompt,
                                          EditCommandHelper::kAllKindsButOle,
                                          m_strIdentifier == _T("Korvan.Edit.MoveMirror") ? TRUE : FALSE, 0);
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemAxis1, kAxis1Caption, kAxis1Prompt);
    point.m_wBaseItemId = itemAxis2;
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemAxis2, kAxis2Caption, kAxis2Prompt);
    point.m_wBaseItemId = itemAxis1;
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

BOOL MoveMirror2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase& value)
{
    // An axis point on the other one makes no axis: refused here, so the user is asked again and the
    // shapes are never deleted and added back unchanged.
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return TRUE;
    const WORD id = GetParameterItem(nIndex)->GetId();
    if (id != itemAxis1 && id != itemAxis2)
        return TRUE;
    const auto* pNew = dynamic_cast<const PointParameterItem*>(&value);
    const ParameterItemBase* pOther = FindItem(id == itemAxis1 ? itemAxis2 : itemAxis1);
    RuVaPnt2d point;
    RuVaPnt2d other;
    if (pNew == nullptr || pOther == nullptr || pNew->IsEmpty() || !pNew->GetValue(point) ||
        !GetPointValue(*pOther, other, TRUE))
        return TRUE;
    if (point.Distance(other) >= FeatureGeometry::kPointTolerance)
        return TRUE;
    EditCommandHelper::ShowStatus(this, kSameAxisPoints);
    return FALSE;
}

int MoveMirror2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr)
        return resultMissing;
    for (WORD id : {itemShapes, itemAxis1, itemAxis2}) {
        const ParameterItemBase* pItem = FindItem(id);
        if (pItem == nullptr || pItem->IsEmpty())
            return resultMissing;
    }
    CArray<FeatureLayout> shapes;
    if (!EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;
    RuVaPnt2d axis1;
    RuVaPnt2d axis2;
    if (!EditCommandHelper::GetWorldPoint(this, itemAxis1, axis1) ||
        !EditCommandHelper::GetWorldPoint(this, itemAxis2, axis2))
        return resultMissing;
    if (axis1.Distance(axis2) < FeatureGeometry::kPointTolerance) {
        EditCommandHelper::ShowStatus(this, kSameAxisPoints);
        return resultNothing;
    }
    int nFailed = 0;
    const BOOL bDone = MirrorFeatures(pDocument, shapes, axis1, axis2,
                                      m_strIdentifier == _T("Korvan.Edit.MoveMirror") ? TRUE : FALSE, &nFailed);
    ClearDragData();
    if (nFailed > 0)
        EditCommandHelper::ShowStatus(this, kFailedShapes, nFailed);
    return bDone ? resultDone : resultFinished;
}

BOOL MoveMirror2dCommand::MirrorFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes,
                                         const RuVaPnt2d& axis1, const RuVaPnt2d& axis2, BOOL bReplace, int* pFailed)
{
    if (pFailed != nullptr)
        *pFailed = 0;
    if (pDocument == nullptr || shapes.IsEmpty() || axis1.Distance(axis2) < FeatureGeometry::kPointTolerance)
        return FALSE;
    int nFailed = 0;
    CArray<long, long> sources;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        EditCommandHelper::Place place;
        if (!EditCommandHelper::Locate(pDocument, shapes[i], place))
            continue;
        TransformFeature mirror;
        // The axis as the layout shows it: the two points may meet in a strongly reduced layout.
        std::unique_ptr<Feature2dBase> image;
        if (mirror.SetMirror(EditCommandHelper::WorldToLocal(place.pLayout, axis1),
                             EditCommandHelper::WorldToLocal(place.pLayout, axis2)))
            image.reset(mirror.Transformed(place.pFeature));
        if (!image) {
            ++nFailed;
            continue;
        }
        image->CopyAttribute(place.pFeature);
        const long nSource = shapes[i].GetRecordID();
        if (pDocument->AddFeature(image.get(), place.pDrawing, 0) == -1) {
            ++nFailed;
            continue;
        }
        if (bReplace)
            sources.Add(nSource);
    }
    // The replaced shapes leave the selection in one pass, not one search of it per shape.
    if (!sources.IsEmpty() && pDocument->GetSelectionManager() != nullptr)
        pDocument->GetSelectionManager()->UnselectFeatures(sources, FALSE);
    for (INT_PTR i = 0; i < sources.GetSize(); ++i)
        pDocument->DeleteFeature(sources[i], 0);
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    if (pFailed != nullptr)
        *pFailed = nFailed;
    return nFailed == 0 ? TRUE : FALSE;
}

void MoveMirror2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d& local, UINT)
{
    const ParameterItemBase* p1 = FindItem(itemAxis1);
    const ParameterItemBase* p2 = FindItem(itemAxis2);
    if (p1 == nullptr || p2 == nullptr || p1->IsEmpty() == p2->IsEmpty())
        return;
    RuVaPnt2d a = local;
    RuVaPnt2d b = local;
    if (!p1->IsEmpty() && !GetPointValue(*p1, a, TRUE))
        return;
    if (!p2->IsEmpty() && !GetPointValue(*p2, b, TRUE))
        return;
    DrawRubberbandLine(a, b);
}

}  // namespace QZ2Command
