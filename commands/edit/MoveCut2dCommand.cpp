#include "commands/edit/MoveCut2dCommand.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/ConvertGeom2dToFeature.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureSelector.h"
#include "libs/vevure/TransformFeature.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(MoveCut2dCommand, CommandBase)

namespace {

constexpr UINT kCorner1Caption = 10730;
constexpr UINT kCorner1Prompt = 11076;
constexpr UINT kCorner2Caption = 10731;
constexpr UINT kCorner2Prompt = 11077;
constexpr UINT kBaseCaption = 10728;
constexpr UINT kBasePrompt = 10505;
constexpr UINT kScaleCaption = 10706;
constexpr UINT kScalePrompt = 11089;
constexpr UINT kAngleCaption = 10707;
constexpr UINT kAnglePrompt = 11074;
constexpr UINT kDestinationCaption = 10729;
constexpr UINT kDestinationPrompt = 11075;

// Owns the entities of an array.
struct EntityArray {
    KcArrayOfGeEntity2d items;
    ~EntityArray() { items.DeleteAll(); }
};

// The pieces of a curve as features in its drawing, each carrying the source's common fields and,
// when asked, its attributes. Unusable pieces are left out.
std::vector<std::unique_ptr<Feature2dBase>> PiecesOf(const KcArrayOfGeEntity2d& pieces, const Feature2dBase* pSource,
                                                     BOOL bAttributes)
{
    std::vector<std::unique_ptr<Feature2dBase>> features;
    for (INT_PTR i = 0; i < pieces.GetSize(); ++i) {
        const RuVaEntity2d* pPiece = pieces[i];
        if (pPiece == nullptr || !pPiece->IsDone())
            continue;
        std::unique_ptr<Feature2dBase> feature(ConvertGeom2dToFeature::Convert(pPiece));
        if (!feature)
            continue;
        feature->CopyBase(pSource);
        if (bAttributes)
            feature->CopyAttribute(pSource);
        features.push_back(std::move(feature));
    }
    return features;
}

}  // namespace

void MoveCut2dCommand::MakeRectangle(const RuVaPnt2d& p1, const RuVaPnt2d& p2, KcArrayOfGePnt2d& polygon)
{
    const double x0 = std::min(p1.X(), p2.X());
    const double x1 = std::max(p1.X(), p2.X());
    const double y0 = std::min(p1.Y(), p2.Y());
    const double y1 = std::max(p1.Y(), p2.Y());
    polygon.RemoveAll();
    polygon.Add(RuVaPnt2d(x0, y0));
    polygon.Add(RuVaPnt2d(x1, y0));
    polygon.Add(RuVaPnt2d(x1, y1));
    polygon.Add(RuVaPnt2d(x0, y1));
    polygon.Add(RuVaPnt2d(x0, y0));
}

int MoveCut2dCommand::SelectInPolygon(Draw2dDocument* pDocument, const Draw2dView* pView,
                                      const KcArrayOfGePnt2d& polygon, BOOL bDisplayState, BOOL bUseFilter,
                                      CArray<FeatureLayout>& picked)
{
    picked.RemoveAll();
    if (pDocument == nullptr)
        return 0;
    FeatureSelector selector(pDocument);
    selector.SetSelectPart(2);
    selector.SetFeatureFilter(kCurveKinds);
    if (bUseFilter)
        selector.SetSelectionFilter(pDocument->GetSelectionFilter());
    selector.SetDisplayStateSelectable(bDisplayState);
    const int n = selector.PickByPolygon(pView, polygon, nullptr);
    for (int i = 0; i < n; ++i)
        picked.Add(selector.GetSelectedFeatureLayout(i));
    return static_cast<int>(picked.GetSize());
}

void MoveCut2dCommand::SetupParameters()
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemCorner1, kCorner1Caption, kCorner1Prompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemCorner2, kCorner2Caption, kCorner2Prompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemBase, kBaseCaption, kBasePrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);

    ScaleParameterItem scale;
    ShapeCommandHelper::PrepareItem(scale, itemScale, kScaleCaption, kScalePrompt);
    scale.SetValue(1.0, 1.0);
    scale.SetDefaultValue(1.0, 1.0);
    scale.m_bNoDefault = FALSE;
    scale.m_nRetentionMode = 1;
    scale.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, scale);

    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, kAngleCaption, kAnglePrompt);
    angle.SetValue(0.0);
    angle.SetDefaultValue(0.0);
    angle.m_bNoDefault = FALSE;
    angle.m_nRetentionMode = 1;
    angle.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, angle);

    ShapeCommandHelper::PrepareItem(point, itemDestination, kDestinationCaption, kDestinationPrompt);
    point.m_wBaseItemId = itemBase;
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

BOOL MoveCut2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase& value)
{
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return TRUE;
    const ParameterItemBase* pCurrent = GetParameterItem(nIndex);
    const WORD id = pCurrent->GetId();
    if ((id == itemCorner1 || id == itemCorner2 || id == itemBase || id == itemScale) && !pCurrent->IsEqual(value))
        ClearDragData();
    return TRUE;
}

int MoveCut2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || m_pManager == nullptr)
        return resultMissing;
    for (WORD id : {itemCorner1, itemCorner2, itemBase, itemScale, itemAngle, itemDestination}) {
        const ParameterItemBase* pItem = FindItem(id);
        if (pItem == nullptr || pItem->IsEmpty())
            return resultMissing;
    }
    RuVaPnt2d c1;
    RuVaPnt2d c2;
    const auto* p1 = static_cast<const PointParameterItem*>(FindItem(itemCorner1));
    const auto* p2 = static_cast<const PointParameterItem*>(FindItem(itemCorner2));
    if (!GetPointValue(*p1, c1, TRUE) || !GetPointValue(*p2, c2, TRUE))
        return resultMissing;
    KcArrayOfGePnt2d local;
    MakeRectangle(c1, c2, local);
    KcArrayOfGePnt2d polygon;
    for (INT_PTR i = 0; i < local.GetSize(); ++i) {
        RuVaPnt2d world;
        m_pManager->LocalToWorldPoint(local[i], world);
        polygon.Add(world);
    }
    const BOOL bCopy = m_strIdentifier == _T("Korvan.Edit.CopyCut") ? TRUE : FALSE;
    CArray<FeatureLayout> picked;
    if (SelectInPolygon(pDocument, m_pManager->GetActiveView(), polygon,
                        bCopy ? m_pManager->GetSelectionDisplayStateMode() : FALSE, TRUE, picked) == 0)
        return resultMissing;

    Placement placement;
    const auto* pScale = static_cast<const ScaleParameterItem*>(FindItem(itemScale));
    const auto* pAngle = static_cast<const AngleParameterItem*>(FindItem(itemAngle));
    if (!EditCommandHelper::GetWorldPoint(this, itemBase, placement.base) ||
        !EditCommandHelper::GetWorldPoint(this, itemDestination, placement.destination) ||
        !pScale->GetValue(placement.dScaleX, placement.dScaleY) || !pAngle->GetValue(placement.dAngle))
        return resultMissing;
    const BOOL bDone = MoveCut(pDocument, picked, polygon, placement, bCopy);
    ClearDragData();
    return bDone ? resultDone : resultFinished;
}

BOOL MoveCut2dCommand::MoveCut(Draw2dDocument* pDocument, const CArray<FeatureLayout>& picked,
                               const KcArrayOfGePnt2d& polygon, const Placement& placement, BOOL bCopy)
{
    if (pDocument == nullptr || picked.IsEmpty())
        return FALSE;
    BOOL bChanged = FALSE;
    BOOL bFailed = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < picked.GetSize(); ++i) {
        const long nRecord = picked[i].GetRecordID();
        EditCommandHelper::Place place;
        if (!EditCommandHelper::Locate(pDocument, picked[i], place))
            continue;
        std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(place.pFeature));
        if (!curve)
            continue;
        KcArrayOfGePnt2d localPolygon;
        for (INT_PTR k = 0; k < polygon.GetSize(); ++k)
            localPolygon.Add(EditCommandHelper::WorldToLocal(place.pLayout, polygon[k]));
        const TransformFeature transform(EditCommandHelper::WorldToLocal(place.pLayout, placement.base),
                                         placement.dScaleX, placement.dScaleY, placement.dScaleX, placement.dAngle,
                                         EditCommandHelper::WorldToLocal(place.pLayout, placement.destination));
        EntityArray inside;
        EntityArray outside;
        const int cut = bCopy ? KcGeometryTool::TrimCurve(curve.get(), localPolygon, inside.items)
                              : KcGeometryTool::TrimCurve(curve.get(), localPolygon, inside.items, outside.items);
        curve.reset();
        if (cut == 1) {
            std::unique_ptr<Feature2dBase> placed(transform.Transformed(place.pFeature));
            BOOL bOk = placed != nullptr;
            if (bOk && bCopy)
                bOk = pDocument->AddFeature(placed.get(), place.pDrawing, 0) != -1 ? TRUE : FALSE;
            else if (bOk)
                bOk = pDocument->UpdateFeature(nRecord, placed.get(), 0, 3);
            bChanged |= bOk;
            bFailed |= !bOk;
            continue;
        }
        if (cut != 2)
            continue;
        std::vector<std::unique_ptr<Feature2dBase>> stay = PiecesOf(outside.items, place.pFeature, TRUE);
        std::vector<std::unique_ptr<Feature2dBase>> moved = PiecesOf(inside.items, place.pFeature, TRUE);
        // Every piece is made before the document is touched; the source goes only once all are stored.
        BOOL bOk = !moved.empty();
        std::vector<std::unique_ptr<Feature2dBase>> placedPieces;
        for (auto& piece : moved) {
            std::unique_ptr<Feature2dBase> placed(transform.Transformed(piece.get()));
            if (!placed) {
                bOk = FALSE;
                break;
            }
            placedPieces.push_back(std::move(placed));
        }
        std::vector<long> added;
        if (bOk) {
            for (auto* list : {&stay, &placedPieces}) {
                for (auto& piece : *list) {
                    const long id = pDocument->AddFeature(piece.get(), place.pDrawing, list == &stay ? 0 : 1);
                    if (id == -1) {
                        bOk = FALSE;
                        break;
                    }
                    added.push_back(id);
                }
                if (!bOk)
                    break;
            }
        }
        if (!bOk) {
            for (long id : added)
                pDocument->DeleteFeature(id, 0);
            bFailed = TRUE;
            continue;
        }
        if (!bCopy)
            pDocument->DeleteFeature(nRecord, 0);
        bChanged = TRUE;
    }
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    return bChanged && !bFailed ? TRUE : FALSE;
}

void MoveCut2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || m_pManager == nullptr || m_pDrag == nullptr)
        return;
    const ParameterItemBase* p1 = FindItem(itemCorner1);
    const ParameterItemBase* p2 = FindItem(itemCorner2);
    const ParameterItemBase* pBase = FindItem(itemBase);
    if (p1 == nullptr || p2 == nullptr || pBase == nullptr)
        return;
    RuVaPnt2d c1 = local;
    RuVaPnt2d c2 = local;
    if ((!p1->IsEmpty() && !GetPointValue(*p1, c1, TRUE)) || (!p2->IsEmpty() && !GetPointValue(*p2, c2, TRUE)))
        return;
    if (p1->IsEmpty() != p2->IsEmpty()) {
        DrawRubberbandRectangle(c1, c2);
        return;
    }
    if (p1->IsEmpty() || pBase->IsEmpty())
        return;
    RuVaPnt2d base;
    if (!EditCommandHelper::GetWorldPoint(this, itemBase, base))
        return;
    Draw2dView* pView = m_pManager->GetActiveView();
    if (m_pDrag->IsEmptyDragData()) {
        KcArrayOfGePnt2d rectangle;
        MakeRectangle(c1, c2, rectangle);
        KcArrayOfGePnt2d polygon;
        for (INT_PTR i = 0; i < rectangle.GetSize(); ++i) {
            RuVaPnt2d w;
            m_pManager->LocalToWorldPoint(rectangle[i], w);
            polygon.Add(w);
        }
        // The same shapes the run will take, the selection filter included.
        CArray<FeatureLayout> picked;
        SelectInPolygon(pDocument, pView, polygon,
                        m_strIdentifier == _T("Korvan.Edit.CopyCut") ? m_pManager->GetSelectionDisplayStateMode()
                                                                      : FALSE,
                        TRUE, picked);
        for (INT_PTR i = 0; i < picked.GetSize(); ++i) {
            EditCommandHelper::Place place;
            if (!EditCommandHelper::Locate(pDocument, picked[i], place))
                continue;
            std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(place.pFeature));
            if (!curve || !curve->IsCurveEntity())
                continue;
            KcArrayOfGePnt2d localPolygon;
            for (INT_PTR k = 0; k < polygon.GetSize(); ++k)
                localPolygon.Add(EditCommandHelper::WorldToLocal(place.pLayout, polygon[k]));
            EntityArray inside;
            const int cut = KcGeometryTool::TrimCurve(curve.get(), localPolygon, inside.items);
            if (cut == 1) {
                m_pDrag->AddFeature(place.pDrawing, place.pLayout, picked[i].GetRecordID());
            } else if (cut == 2) {
                for (auto& piece : PiecesOf(inside.items, place.pFeature, FALSE))
                    m_pDrag->AddFeature(place.pDrawing, place.pLayout, piece.release(), FALSE);
            }
        }
        double sx = 1.0;
        double sy = 1.0;
        if (const auto* pScale = dynamic_cast<const ScaleParameterItem*>(FindItem(itemScale))) {
            if (!pScale->IsEmpty())
                pScale->GetValue(sx, sy);
        }
        m_pDrag->SetOrigin(base);
        m_pDrag->SetScale(sx, sy);
    }
    double angle = 0.0;
    AngleParameterItem angleItem;
    if (GetParameterValueByID(itemAngle, angleItem) && !angleItem.IsEmpty())
        angleItem.GetValue(angle);
    RuVaPnt2d at = world;
    PointParameterItem destinationItem;
    if (GetParameterValueByID(itemDestination, destinationItem) && !destinationItem.IsEmpty()) {
        RuVaPnt2d point;
        if (!GetPointValue(destinationItem, point, TRUE))
            return;
        m_pManager->LocalToWorldPoint(point, at);
    }
    m_pDrag->DrawDrag(pDocument, pView, at, angle);
}

}  // namespace QZ2Command
