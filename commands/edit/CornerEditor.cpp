#include "commands/edit/CornerEditor.h"

#include <vector>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureSelector.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

namespace {

constexpr double kPointTolerance = 1e-7;
constexpr double kSegmentPickTolerance = 4.0;
constexpr int kPickAperturePixels = 5;

const PartDrawingLayout* LayoutOf(const Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
{
    EditCommandHelper::Place place;
    EditCommandHelper::Locate(pDocument, FeatureLayout(nRecordID, nLayoutID, -1), place);
    return place.pLayout;
}

Feature2dBase* ToLocal(const PartDrawingLayout* pLayout, const Feature2dBase* pWorld)
{
    if (pWorld == nullptr)
        return nullptr;
    if (pLayout == nullptr)
        return pWorld->CopyObject();
    Feature2dBase* pLocal = pLayout->ConvertFeatureWorldToLocal(pWorld);
    if (pLocal != nullptr || pWorld->GetFeatureType() != FeatureTypeArc)
        return pLocal;
    // A layout with unequal scales sees a round arc as an elliptic one.
    const auto* pArc = static_cast<const Arc2dFeature*>(pWorld);
    EllipseArc2dFeature ellipse(pArc->GetCenterPoint(), pArc->GetRadius(), pArc->GetRadius(), 0.0,
                                pArc->GetStartAngle(), pArc->GetEndAngle(), pArc->GetDirection());
    ellipse.CopyBase(pArc);
    return pLayout->ConvertFeatureWorldToLocal(&ellipse);
}

const PartDrawingLayout* ActiveLayoutOf(const Draw2dDocument* pDocument, const Draw2dView* pView)
{
    if (pView != nullptr)
        return pView->GetActivePartLayout();
    return pDocument != nullptr ? pDocument->GetActiveDrawingLayout() : nullptr;
}

// The new corner shape's attributes: what both shapes share, else the current settings.
void ApplyCornerAttributes(Feature2dBase* pCorner, const Feature2dBase* pFirst, const Feature2dBase* pSecond,
                           const Draw2dDocument* pDocument)
{
    if (pFirst->IsEqualColor(pSecond)) {
        if (pFirst->GetColorNo() <= 256) {
            pCorner->SetColorNo(pFirst->GetColorNo());
            if (pFirst->GetColorNo() == -1)
                pCorner->SetColor(pFirst->GetColor());
        }
    } else {
        short nColor = 0;
        COLORREF rgb = 0;
        pDocument->GetCurrentColor(nColor, rgb);
        if (nColor <= 256)
            pCorner->SetColorNo(nColor);
        pCorner->SetColor(rgb);
    }
    const short nLineType =
        pFirst->GetLineTypeNo() == pSecond->GetLineTypeNo() ? pFirst->GetLineTypeNo() : pDocument->GetCurrentLineTypeNo();
    if (nLineType <= 32766)
        pCorner->SetLineTypeNo(nLineType);
    short nWidthNo = 0;
    double dWidth = 0.0;
    if (pFirst->IsEqualLineWidth(pSecond)) {
        nWidthNo = pFirst->GetLineWidthNo();
        dWidth = nWidthNo == -1 ? pFirst->GetLineWidth() : -1.0;
    } else {
        pDocument->GetCurrentLineWidth(nWidthNo, dWidth);
    }
    if (nWidthNo <= 15)
        pCorner->SetLineWidthNo(nWidthNo);
    if (dWidth >= 0.0)
        pCorner->SetLineWidth(dWidth);
    pCorner->SetLayerID(pFirst->GetLayerID() == pSecond->GetLayerID() ? pFirst->GetLayerID()
                                                                         : pDocument->GetCurrentLayerID());
}

// A line for the segment from a to b carrying the polyline's base fields; NULL when a and b coincide.
std::unique_ptr<Line2dFeature> SegmentLine(const Polyline2dFeature* pPolyline, const RuVaPnt2d& a, const RuVaPnt2d& b)
{
    auto line = std::make_unique<Line2dFeature>();
    line->CopyBase(pPolyline);
    if (!line->SetPoint(a, b))
        return nullptr;
    return line;
}

RuVaPnt2d Middle(const RuVaPnt2d& a, const RuVaPnt2d& b)
{
    return RuVaPnt2d((a.X() + b.X()) / 2.0, (a.Y() + b.Y()) / 2.0);
}

BOOL IsClosed(const KcArrayOfGePnt2d& points)
{
    return points.GetSize() > 3 && points[0].IsEqual(points[points.GetSize() - 1], kPointTolerance) ? TRUE : FALSE;
}

// The corners a polyline offers: for corner number n (see MakePolylineCorners) the two segments' indices
// (segment i runs from point i - 1 to point i).
struct PolylineCorner {
    int number = 0;
    int segment1 = 0;
    int segment2 = 0;
};

std::vector<PolylineCorner> CornersOf(const KcArrayOfGePnt2d& points, int nCorner)
{
    std::vector<PolylineCorner> corners;
    const int count = static_cast<int>(points.GetSize());
    int previous = 0;
    int first = 0;
    for (int i = 1; i < count; ++i) {
        if (points[i - 1].IsEqual(points[i], kPointTolerance))
            continue;
        if (first == 0)
            first = i;
        if (previous != 0 && (nCorner == -1 || nCorner == i))
            corners.push_back({i, previous, i});
        previous = i;
    }
    if (IsClosed(points) && first != 0 && previous != first && (nCorner == -1 || nCorner == count))
        corners.push_back({count, previous, first});
    return corners;
}

}  // namespace

Feature2dBase* CornerEditor::WorldCopy(const Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
{
    EditCommandHelper::Place place;
    if (!EditCommandHelper::Locate(pDocument, FeatureLayout(nRecordID, nLayoutID, -1), place))
        return nullptr;
    return place.pLayout != nullptr ? place.pLayout->ConvertFeatureLocalToWorld(place.pFeature)
                                    : place.pFeature->CopyObject();
}

BOOL CornerEditor::Compute(const Draw2dDocument* pDocument, const Side& first, const Side& second,
                           const Maker& maker, Result& result)
{
    result = Result();
    if (pDocument == nullptr || first.nRecordID == second.nRecordID)
        return FALSE;
    std::unique_ptr<Feature2dBase> world1(WorldCopy(pDocument, first.nRecordID, first.nLayoutID));
    std::unique_ptr<Feature2dBase> world2(WorldCopy(pDocument, second.nRecordID, second.nLayoutID));
    if (!world1 || !world2 || !maker(world1.get(), first.pick, world2.get(), second.pick, result))
        return FALSE;
    // A corner that eats a whole shape is one the values do not fit: the shape is never silently dropped.
    if ((result.bRemove1 && !result.pTrimmed1) || (result.bRemove2 && !result.pTrimmed2)) {
        result = Result();
        return FALSE;
    }
    return TRUE;
}

BOOL CornerEditor::MakePair(Draw2dDocument* pDocument, Draw2dView* pView, const Side& first, const Side& second,
                            const Maker& maker, BOOL bOwnUndo)
{
    Result result;
    if (!Compute(pDocument, first, second, maker, result))
        return FALSE;
    EditCommandHelper::Place place1;
    EditCommandHelper::Place place2;
    if (!EditCommandHelper::Locate(pDocument, FeatureLayout(first.nRecordID, first.nLayoutID, -1), place1) ||
        !EditCommandHelper::Locate(pDocument, FeatureLayout(second.nRecordID, second.nLayoutID, -1), place2))
        return FALSE;
    // Everything is converted before the document is touched.
    std::unique_ptr<Feature2dBase> corner;
    DrawingFeatureBase* pCornerDrawing = nullptr;
    if (result.pCorner) {
        ApplyCornerAttributes(result.pCorner.get(), place1.pFeature, place2.pFeature, pDocument);
        const PartDrawingLayout* pLayout = place1.pLayout;
        pCornerDrawing = place1.pDrawing;
        if (place1.pDrawing != place2.pDrawing) {
            pCornerDrawing = pDocument->GetActiveDrawingFeature();
            pLayout = ActiveLayoutOf(pDocument, pView);
        }
        corner.reset(ToLocal(pLayout, result.pCorner.get()));
        if (!corner || pCornerDrawing == nullptr)
            return FALSE;
    }
    std::unique_ptr<Feature2dBase> trimmed1(ToLocal(place1.pLayout, result.pTrimmed1.get()));
    std::unique_ptr<Feature2dBase> trimmed2(ToLocal(place2.pLayout, result.pTrimmed2.get()));
    if ((result.pTrimmed1 && !trimmed1) || (result.pTrimmed2 && !trimmed2))
        return FALSE;

    if (bOwnUndo)
        pDocument->BeginUndoOperation(nullptr);
    const int undoBefore = pDocument->GetUndoCount();
    BOOL bDone = TRUE;
    if (corner && pDocument->AddFeature(corner.get(), pCornerDrawing, 0) == -1)
        bDone = FALSE;
    if (bDone && trimmed1 && !pDocument->UpdateFeature(first.nRecordID, trimmed1.get(), 0, 3))
        bDone = FALSE;
    if (bDone && trimmed2 && !pDocument->UpdateFeature(second.nRecordID, trimmed2.get(), 0, 3))
        bDone = FALSE;
    if (bOwnUndo) {
        pDocument->EndUndoOperation();
        if (!bDone && pDocument->GetUndoCount() > undoBefore) {
            // Nothing half done: what was written goes back with the step.
            pDocument->Undo(1);
            pDocument->ClearRedoHistory();
        }
    }
    pDocument->UpdateAllFeatures(TRUE);
    return bDone;
}

long CornerEditor::ExplodePolylineAtPick(Draw2dDocument* pDocument, long nLayoutID, long nRecordID,
                                         const RuVaPnt2d& pick)
{
    if (pDocument == nullptr || pDocument->GetFeatureType(nRecordID) != FeatureTypePolyline)
        return -1;
    const auto* pPolyline = static_cast<const Polyline2dFeature*>(pDocument->GetFeature(nRecordID));
    DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(nRecordID);
    const RuVaPnt2d local = EditCommandHelper::WorldToLocal(LayoutOf(pDocument, nRecordID, nLayoutID), pick);
    const int picked = FeatureSelector::PolylineSelectIndex(pPolyline, local, kSegmentPickTolerance);
    if (picked == -1 || pDrawing == nullptr)
        return -1;
    const KcArrayOfGePnt2d points = pPolyline->GetPointArray();
    long nPicked = -1;
    for (int i = 1; i < points.GetSize(); ++i) {
        std::unique_ptr<Line2dFeature> line = SegmentLine(pPolyline, points[i - 1], points[i]);
        if (!line)
            continue;
        const long id = pDocument->AddFeature(line.get(), pDrawing, 0);
        if (i == picked)
            nPicked = id;
    }
    pDocument->DeleteFeature(nRecordID, 0);
    return nPicked;
}

CornerEditor::InputOutcome CornerEditor::MakeFromInputs(CommandBase* pCommand, Draw2dDocument* pDocument,
                                                        Draw2dView* pView, const ParameterItemBase* pFirst,
                                                        const ParameterItemBase* pSecond, WORD wFirstShape,
                                                        WORD wPolylines, WORD wCornerPoint, const Maker& maker)
{
    if (pFirst == nullptr || pFirst->IsEmpty())
        return inputMissing;
    BOOL bDone = FALSE;
    const WORD wId = pFirst->GetId();
    if (wId == wFirstShape) {
        if (pSecond == nullptr || pSecond->IsEmpty())
            return inputMissing;
        Side sides[2];
        const ParameterItemBase* items[2] = {pFirst, pSecond};
        for (int i = 0; i < 2; ++i) {
            const auto* pShape = dynamic_cast<const FeatureParameterItem*>(items[i]);
            FeatureLayout picked;
            if (pShape == nullptr || !pShape->GetValueAndPickPoint(picked, sides[i].pick))
                return inputMissing;
            sides[i].nRecordID = picked.GetRecordID();
            sides[i].nLayoutID = picked.GetLayoutID();
        }
        bDone = MakePicked(pDocument, pView, sides[0], sides[1], maker);
    } else if (wId == wPolylines) {
        CArray<FeatureLayout> shapes;
        if (!EditCommandHelper::GetFeatureLayouts(pCommand, wPolylines, shapes))
            return inputMissing;
        bDone = MakePolylineGroup(pDocument, pView, shapes, maker);
    } else if (wId == wCornerPoint) {
        RuVaPnt2d world;
        if (!EditCommandHelper::GetWorldPoint(pCommand, wCornerPoint, world))
            return inputMissing;
        bDone = MakeAtCornerPoint(pDocument, pView, world, maker);
    } else {
        return inputOther;
    }
    return bDone ? cornerMade : cornerNotMade;
}

BOOL CornerEditor::MakePicked(Draw2dDocument* pDocument, Draw2dView* pView, Side first, Side second,
                              const Maker& maker)
{
    Result trial;
    if (!Compute(pDocument, first, second, maker, trial))
        return FALSE;
    pDocument->BeginUndoOperation(nullptr);
    const int undoBefore = pDocument->GetUndoCount();
    for (Side* pSide : {&first, &second}) {
        const long segment = ExplodePolylineAtPick(pDocument, pSide->nLayoutID, pSide->nRecordID, pSide->pick);
        if (segment != -1)
            pSide->nRecordID = segment;
    }
    const BOOL bDone = MakePair(pDocument, pView, first, second, maker, FALSE);
    pDocument->EndUndoOperation();
    if (!bDone && pDocument->GetUndoCount() > undoBefore) {
        pDocument->Undo(1);
        pDocument->ClearRedoHistory();
        pDocument->UpdateAllFeatures(TRUE);
    }
    return bDone;
}

BOOL CornerEditor::MakePolylineCorners(Draw2dDocument* pDocument, Draw2dView* pView, long nRecordID, long nLayoutID,
                                       const Maker& maker, int nCorner)
{
    if (pDocument == nullptr || pDocument->GetFeatureType(nRecordID) != FeatureTypePolyline)
        return FALSE;
    const auto* pPolyline = static_cast<const Polyline2dFeature*>(pDocument->GetFeature(nRecordID));
    DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(nRecordID);
    const PartDrawingLayout* pLayout = LayoutOf(pDocument, nRecordID, nLayoutID);
    if (pDrawing == nullptr)
        return FALSE;
    const KcArrayOfGePnt2d points = pPolyline->GetPointArray();
    const std::vector<PolylineCorner> corners = CornersOf(points, nCorner);
    auto pickOf = [&](int segment) {
        return EditCommandHelper::LocalToWorld(pLayout, Middle(points[segment - 1], points[segment]));
    };

    // Tried first on world copies of the segments, so a polyline where nothing fits stays whole.
    BOOL bAny = FALSE;
    for (const PolylineCorner& c : corners) {
        std::unique_ptr<Line2dFeature> a = SegmentLine(pPolyline, points[c.segment1 - 1], points[c.segment1]);
        std::unique_ptr<Line2dFeature> b = SegmentLine(pPolyline, points[c.segment2 - 1], points[c.segment2]);
        std::unique_ptr<Feature2dBase> wa(pLayout != nullptr ? pLayout->ConvertFeatureLocalToWorld(a.get()) : a->CopyObject());
        std::unique_ptr<Feature2dBase> wb(pLayout != nullptr ? pLayout->ConvertFeatureLocalToWorld(b.get()) : b->CopyObject());
        Result result;
        if (wa && wb && maker(wa.get(), pickOf(c.segment1), wb.get(), pickOf(c.segment2), result) &&
            !(result.bRemove1 && !result.pTrimmed1) && !(result.bRemove2 && !result.pTrimmed2)) {
            bAny = TRUE;
            break;
        }
    }
    if (!bAny)
        return FALSE;

    pDocument->BeginUndoOperation(nullptr);
    std::vector<long> segmentIDs(points.GetSize(), -1);
    for (int i = 1; i < points.GetSize(); ++i) {
        std::unique_ptr<Line2dFeature> line = SegmentLine(pPolyline, points[i - 1], points[i]);
        if (line)
            segmentIDs[i] = pDocument->AddFeature(line.get(), pDrawing, 0);
    }
    for (const PolylineCorner& c : corners) {
        if (segmentIDs[c.segment1] == -1 || segmentIDs[c.segment2] == -1)
            continue;
        // A corner that does not fit stays a plain corner between two segments.
        MakePair(pDocument, pView, Side{nLayoutID, segmentIDs[c.segment1], pickOf(c.segment1)},
                 Side{nLayoutID, segmentIDs[c.segment2], pickOf(c.segment2)}, maker, FALSE);
    }
    pDocument->DeleteFeature(nRecordID, 0);
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    return TRUE;
}

BOOL CornerEditor::MakePolylineCornerAtPoint(Draw2dDocument* pDocument, Draw2dView* pView, const RuVaPnt2d& point,
                                             long nRecordID, long nLayoutID, const Maker& maker)
{
    if (pDocument == nullptr || pDocument->GetFeatureType(nRecordID) != FeatureTypePolyline)
        return FALSE;
    const auto* pPolyline = static_cast<const Polyline2dFeature*>(pDocument->GetFeature(nRecordID));
    const KcArrayOfGePnt2d& points = pPolyline->GetPointArray();
    const RuVaPnt2d local = EditCommandHelper::WorldToLocal(LayoutOf(pDocument, nRecordID, nLayoutID), point);
    const int count = static_cast<int>(points.GetSize());
    for (int i = 1; i < count; ++i) {
        if (!points[i].IsEqual(local, kPointTolerance))
            continue;
        if (i != count - 1)
            return MakePolylineCorners(pDocument, pView, nRecordID, nLayoutID, maker, i + 1);
        // The last point is a corner only where a closed polyline meets its start.
        if (!IsClosed(points))
            return FALSE;
        return MakePolylineCorners(pDocument, pView, nRecordID, nLayoutID, maker, count);
    }
    return FALSE;
}

BOOL CornerEditor::MakePolylineGroup(Draw2dDocument* pDocument, Draw2dView* pView, const CArray<FeatureLayout>& shapes,
                                     const Maker& maker)
{
    if (pDocument == nullptr || shapes.IsEmpty())
        return FALSE;
    BOOL bAny = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        if (MakePolylineCorners(pDocument, pView, shapes[i].GetRecordID(), shapes[i].GetLayoutID(), maker, -1))
            bAny = TRUE;
    }
    pDocument->EndUndoOperation();
    return bAny;
}

BOOL CornerEditor::MakeAtCornerPoint(Draw2dDocument* pDocument, Draw2dView* pView, const RuVaPnt2d& point,
                                     const Maker& maker)
{
    if (pDocument == nullptr)
        return FALSE;
    FeatureSelector selector(pDocument);
    const double aperture = pView != nullptr ? pView->GetPickAperture(kPickAperturePixels) : 1.0;
    const int hits = selector.PickByPoint(pView, point, aperture);
    BOOL bFound = FALSE;
    Side candidate;
    for (int i = 0; i < hits; ++i) {
        const long id = selector.GetSelectedRecordID(i);
        const long layout = selector.GetSelectedLayoutID(i);
        if (!pDocument->IsFeatureEditable(id))
            continue;
        const int type = pDocument->GetFeatureType(id);
        if (type == FeatureTypePolyline)
            return MakePolylineCornerAtPoint(pDocument, pView, point, id, layout, maker);
        if (type != FeatureTypeLine)
            continue;
        const auto* pLine = static_cast<const Line2dFeature*>(pDocument->GetFeature(id));
        const PartDrawingLayout* pLayout = LayoutOf(pDocument, id, layout);
        const RuVaPnt2d local = EditCommandHelper::WorldToLocal(pLayout, point);
        if (!pLine->GetStartPoint().IsEqual(local, kPointTolerance) &&
            !pLine->GetEndPoint().IsEqual(local, kPointTolerance))
            continue;
        const Side side{layout, id,
                        EditCommandHelper::LocalToWorld(pLayout, Middle(pLine->GetStartPoint(), pLine->GetEndPoint()))};
        if (!bFound) {
            candidate = side;
            bFound = TRUE;
            continue;
        }
        return MakePair(pDocument, pView, candidate, side, maker, TRUE);
    }
    return FALSE;
}

BOOL CornerEditor::TakeOverPair(CommandBase* pCommand, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pCommand == nullptr || pSelection == nullptr || pSelection->GetSelectionGroupCount() != 2 ||
        pCommand->GetParameterCount() < 2)
        return FALSE;
    FeatureParameterItem* items[2] = {};
    FeatureLayout shapes[2];
    RuVaPnt2d picks[2];
    for (int g = 0; g < 2; ++g) {
        items[g] = dynamic_cast<FeatureParameterItem*>(pCommand->GetParameterItem(g));
        CArray<FeatureLayout> group;
        if (items[g] == nullptr || pSelection->GetSelectionGroupSelectShapeMode(g) != 4 ||
            !pSelection->GetSelectionGroup(g, group) || group.IsEmpty())
            return FALSE;
        const long id = group[0].GetRecordID();
        if (!items[g]->IsAcceptedFeature(pDocument->GetFeatureType(id)) || !pDocument->IsFeatureEditable(id))
            return FALSE;
        shapes[g] = group[0];
        const KcArrayOfGePnt2d& points = pSelection->GetSelectionGroupPointList(g);
        picks[g] = points.IsEmpty() ? RuVaPnt2d() : points.GetAt(0);
    }
    // Both or neither: the items stay empty when the second group does not fit.
    for (int g = 0; g < 2; ++g)
        items[g]->SetValue(shapes[g], picks[g]);
    pCommand->m_bEndAfterRun = TRUE;
    return TRUE;
}

BOOL CornerEditor::IsPairSelected(const Draw2dDocument* pDocument, DWORD dwKinds)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 2)
        return FALSE;
    for (int g = 0; g < 2; ++g) {
        CArray<FeatureLayout> group;
        if (pSelection->GetSelectionGroupSelectShapeMode(g) != 4 || !pSelection->GetSelectionGroup(g, group) ||
            group.IsEmpty())
            return FALSE;
        const int type = pDocument->GetFeatureType(group[0].GetRecordID());
        if (type < 1 || type > 32 || (dwKinds & (DWORD(1) << (type - 1))) == 0)
            return FALSE;
    }
    return TRUE;
}

double CornerEditor::LengthToWorld(const CommandBase* pCommand, double dLength)
{
    const CommandManager* pManager = pCommand != nullptr ? pCommand->m_pManager : nullptr;
    if (pManager == nullptr)
        return dLength;
    const PartDrawingLayout* pLayout = ActiveLayoutOf(pManager->GetDraw2dDocument(), pManager->GetActiveView());
    return pLayout != nullptr ? pLayout->ConvertLengthLocalToWorld(dLength) : dLength;
}

void CornerEditor::DrawPreview(CommandBase* pCommand, const Side& first, DWORD dwKinds, const RuVaPnt2d& cursor,
                               const Maker& maker)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand);
    Draw2dView* pView = pCommand->m_pManager != nullptr ? pCommand->m_pManager->GetActiveView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return;
    FeatureSelector selector(pDocument);
    selector.SetFeatureFilter(dwKinds);
    const int hits = selector.PickByPoint(pView, cursor, pView->GetPickAperture(kPickAperturePixels));
    for (int i = 0; i < hits; ++i) {
        const Side second{selector.GetSelectedLayoutID(i), selector.GetSelectedRecordID(i), cursor};
        if (second.nRecordID == first.nRecordID || !pDocument->IsFeatureEditable(second.nRecordID))
            continue;
        Result result;
        if (!Compute(pDocument, first, second, maker, result))
            return;
        // The engines work in world coordinates; the rubber band is drawn in the active drawing's.
        for (const std::unique_ptr<Feature2dBase>* pShape : {&result.pCorner, &result.pTrimmed1, &result.pTrimmed2}) {
            if (!*pShape)
                continue;
            std::unique_ptr<Feature2dBase> shown(pCommand->ConvertFeatureToLayout(nullptr, pShape->get()));
            pCommand->DrawRubberbandFeature(shown ? shown.get() : pShape->get());
        }
        return;
    }
}

}  // namespace QZ2Command
