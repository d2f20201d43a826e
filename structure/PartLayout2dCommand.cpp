#include "structure/PartLayout2dCommand.h"

#include <cmath>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/DrawingParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/MultiParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/TransformFeature.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinConstants.h"
#include "structure/CDrawingBar.h"
#include "structure/StructureServices.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PartLayout2dCommand, CommandBase)

namespace {
const CString kChangeLayout = _T("Korvan.Settings.ChangeLayout");
constexpr double kTolerance = 1e-7;
constexpr UINT kMsgPickInPart = 11092;
constexpr UINT kMsgPickOnPaper = 11093;
constexpr UINT kMsgPickOnLayoutPaper = 11094;
constexpr UINT kMsgScaleNotPositive = 11995;
constexpr UINT kMsgRadiusNotPositive = 11964;
constexpr UINT kMsgPointsCoincide = 11960;

void Prepare(ParameterItemBase& item, WORD wId, UINT nCaption, UINT nPrompt = 0)
{
    item.SetId(wId);
    // The region is entered in the part drawing and the placement point on the paper: switching
    // between their tabs keeps what is given.
    item.m_bResetOnDrawingChange = FALSE;
    item.SetCaption(nCaption);
    if (nPrompt != 0)
        item.m_strPrompt = LoadResourceString(nPrompt);
}
}  // namespace

PartLayout2dCommand::PartLayout2dCommand()
{
    m_bEndAfterRun = TRUE;
    m_dwParameterVersion = (3u << 16) | 30u;
}

BOOL PartLayout2dCommand::IsChanging() const { return GetIdentifier() == kChangeLayout; }

// ---- arithmetic ------------------------------------------------------------------------------------

void PartLayout2dCommand::ScaleToFraction(double dFactor, double& dNumerator, double& dDenominator)
{
    if (dFactor > 1.0) {
        dNumerator = dFactor;
        dDenominator = 1.0;
    } else {
        dNumerator = 1.0;
        dDenominator = dFactor > 0 ? 1.0 / dFactor : 1.0;
    }
}

RuVaPnt2d PartLayout2dCommand::ComputeOrigin(const RuVaPnt2d& place, const RuVaPnt2d& reference, double sx, double sy,
                                             double dAngleDeg)
{
    double x = reference.X();
    double y = reference.Y();
    if (sx != 1.0 || sy != 1.0) {
        x *= sx;
        y *= sy;
    }
    if (dAngleDeg != 0.0) {
        const double a = dAngleDeg * 0.017453292519943295;
        const double rx = x * std::cos(a) - y * std::sin(a);
        const double ry = x * std::sin(a) + y * std::cos(a);
        x = rx;
        y = ry;
    }
    return RuVaPnt2d(place.X() - x, place.Y() - y);
}

// ---- parameters ------------------------------------------------------------------------------------

BOOL PartLayout2dCommand::AddItemParameter(const ParameterItemBase& item, int nInsertAt)
{
    auto pParameter = std::make_unique<CommandParameter>();
    const int index = pParameter->AddItem(item);
    if (index < 0 || !pParameter->SetCurrentIndex(index))
        return FALSE;
    BOOL bAdded = FALSE;
    if (m_pManager != nullptr)
        bAdded = nInsertAt < 0 ? m_pManager->AddParameter(this, pParameter.get())
                               : m_pManager->InsertParameter(this, nInsertAt, pParameter.get());
    else
        bAdded = AddParameter(pParameter.get()) >= 0;
    if (bAdded)
        pParameter.release();
    return bAdded;
}

void PartLayout2dCommand::RemoveItemParameter(WORD wId)
{
    const int index = FindParameterIndex(wId);
    if (index >= 0 && m_pManager != nullptr)
        m_pManager->RemoveParameter(this, index);
}

void PartLayout2dCommand::SetupParameters()
{
    const BOOL bChanging = IsChanging();
    DrawingParameterItem drawing;
    Prepare(drawing, itemDrawing, bChanging ? 11087 : 10304);
    drawing.m_nAcceptedEntries = bChanging ? 0x5 : 0x2;
    drawing.m_bRequired = !bChanging;
    AddItemParameter(drawing, -1);

    ListParameterItem shape;
    Prepare(shape, itemShape, 11088);
    shape.SetItemsFromStringId(10847);
    shape.SetDefaultValue(shapeRectangle);
    shape.m_nRetentionMode = 2;
    AddItemParameter(shape, -1);

    PointParameterItem corner1;
    Prepare(corner1, itemCorner1, 10730);
    AddItemParameter(corner1, -1);
    PointParameterItem corner2;
    Prepare(corner2, itemCorner2, 10731);
    AddItemParameter(corner2, -1);

    ScaleParameterItem scale;
    Prepare(scale, itemScale, 10706, 11089);
    scale.SetDefaultValue(1.0, 1.0);
    scale.m_bHistory = TRUE;
    AddItemParameter(scale, -1);

    AngleParameterItem angle;
    Prepare(angle, itemAngle, 10707, 11090);
    angle.SetDefaultValue(0.0);
    angle.m_bHistory = TRUE;
    AddItemParameter(angle, -1);

    PointParameterItem place;
    Prepare(place, itemPlace, 10729, 11091);
    AddItemParameter(place, -1);
}

BOOL PartLayout2dCommand::OnStart()
{
    if (auto* pItem = dynamic_cast<DrawingParameterItem*>(FindItem(itemDrawing)))
        pItem->m_pDocument = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    return TRUE;
}

void PartLayout2dCommand::ArrangeRegionInputs(int nShapeIndex, int nShape)
{
    switch (nShape) {
    case shapeRectangle:
        RemoveItemParameter(itemCentre);
        RemoveItemParameter(itemRadius);
        RemoveItemParameter(itemPolygon);
        if (FindParameterIndex(itemCorner1) < 0) {
            PointParameterItem corner1;
            Prepare(corner1, itemCorner1, 10730);
            PointParameterItem corner2;
            Prepare(corner2, itemCorner2, 10731);
            AddItemParameter(corner1, nShapeIndex + 1);
            AddItemParameter(corner2, nShapeIndex + 2);
        }
        break;
    case shapePolygon:
        RemoveItemParameter(itemCorner1);
        RemoveItemParameter(itemCorner2);
        RemoveItemParameter(itemCentre);
        RemoveItemParameter(itemRadius);
        if (FindParameterIndex(itemPolygon) < 0) {
            PointArrayParameterItem points;
            Prepare(points, itemPolygon, 10708);
            AddItemParameter(points, nShapeIndex + 1);
        }
        break;
    case shapeCircle:
        RemoveItemParameter(itemCorner1);
        RemoveItemParameter(itemCorner2);
        RemoveItemParameter(itemPolygon);
        if (FindParameterIndex(itemCentre) < 0) {
            PointParameterItem centre;
            Prepare(centre, itemCentre, 10719);
            MultiParameterItem radius;
            Prepare(radius, itemRadius, 10750, 10498);
            radius.m_strGuidance = LoadResourceString(10499);
            radius.m_wKindMask = MultiParameterItem::acceptPoint | MultiParameterItem::acceptLength;
            radius.m_wBaseItemId = itemCentre;
            AddItemParameter(centre, nShapeIndex + 1);
            AddItemParameter(radius, nShapeIndex + 2);
        }
        break;
    default:
        for (WORD id : {itemCorner1, itemCorner2, itemPolygon, itemCentre, itemRadius})
            RemoveItemParameter(id);
        break;
    }
}

BOOL PartLayout2dCommand::Refuse(UINT nStringID)
{
    if (m_pManager != nullptr)
        m_pManager->ShowMessageBox(LoadResourceString(nStringID), MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL PartLayout2dCommand::ValidateParameterValue(int, const ParameterItemBase& value)
{
    const WORD id = value.GetId();
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    const DrawingFeatureBase* pShown = pView != nullptr ? pView->GetActiveDrawingFeature() : nullptr;
    DrawingParameterItem drawing;
    DrawingFeatureBase* pDrawing = nullptr;
    PartDrawingLayout* pLayout = nullptr;
    if (GetParameterValueByID(itemDrawing, drawing))
        drawing.GetValue(pDrawing, pLayout);
    if (id == itemCorner1 || id == itemCorner2 || id == itemCentre || id == itemPolygon) {
        if (value.IsEmpty() || pDrawing == nullptr || pShown == pDrawing)
            return TRUE;
        return Refuse(kMsgPickInPart);
    }
    if (id == itemRadius) {
        // A radius of 0 gives no circle: refused here rather than by the document later.
        const auto* pMulti = dynamic_cast<const MultiParameterItem*>(&value);
        if (pMulti != nullptr && !value.IsEmpty() && pMulti->m_nCurrentKind == ParameterItemBase::typeLength) {
            double r = 0.0;
            pMulti->m_numberItem.GetValue(r);
            if (!(r > 0))
                return Refuse(kMsgRadiusNotPositive);
        }
        return TRUE;
    }
    if (id == itemScale) {
        const auto* pScale = dynamic_cast<const ScaleParameterItem*>(&value);
        double sx = 1.0;
        double sy = 1.0;
        if (pScale != nullptr && !value.IsEmpty() && pScale->GetValue(sx, sy) && (!(sx > 0) || !(sy > 0)))
            return Refuse(kMsgScaleNotPositive);
        return TRUE;
    }
    if (id == itemPlace) {
        if (value.IsEmpty()) {
            m_nPaperID = -1;
            return TRUE;
        }
        if (pShown == nullptr || !pShown->IsPaperFeature())
            return Refuse(IsChanging() ? kMsgPickOnLayoutPaper : kMsgPickOnPaper);
        if (IsChanging() && (pLayout == nullptr || pLayout->GetPaperID() != pShown->GetDrawingID()))
            return Refuse(kMsgPickOnLayoutPaper);
        m_nPaperID = pShown->GetDrawingID();
        return TRUE;
    }
    return TRUE;
}

int PartLayout2dCommand::OnInput(int nIndex)
{
    const WORD id = GetCurrentItemID(nIndex);
    if (id == itemDrawing) {
        ListParameterItem shape;
        int choice = -1;
        DrawingParameterItem drawing;
        DrawingFeatureBase* pDrawing = nullptr;
        PartDrawingLayout* pLayout = nullptr;
        if (GetParameterValueByID(itemShape, shape) && shape.GetValue(choice) && choice != 3 &&
            GetParameterValueByID(itemDrawing, drawing) && drawing.GetValue(pDrawing, pLayout) && pDrawing != nullptr) {
            StructureServices::ActivateDrawingTab(pDrawing);
            if (m_pManager != nullptr)
                m_pManager->SetCurrentParameter(this, nIndex);
        }
        return Complete();
    }
    if (id == itemShape) {
        ListParameterItem shape;
        int choice = -1;
        if (GetParameterValueByID(itemShape, shape) && shape.GetValue(choice))
            ArrangeRegionInputs(nIndex, choice);
        return resultMissing;
    }
    return Complete();
}

int PartLayout2dCommand::Complete()
{
    Draw2dDocument* pDocument = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (pDocument == nullptr)
        return resultNothing;
    DrawingParameterItem drawing;
    DrawingFeatureBase* pDrawing = nullptr;
    PartDrawingLayout* pLayout = nullptr;
    ListParameterItem shape;
    int choice = -1;
    ScaleParameterItem scale;
    double sx = 1.0;
    double sy = 1.0;
    AngleParameterItem angleItem;
    double angle = 0.0;
    PointParameterItem place;
    RuVaPnt2d P;
    // Only given values count (an empty point parameter would answer the cursor's position).
    auto has = [this](WORD id) {
        const int index = FindParameterIndex(id);
        return index >= 0 && !IsParameterEmpty(index);
    };
    if (!has(itemDrawing) || !GetParameterValueByID(itemDrawing, drawing) || !drawing.GetValue(pDrawing, pLayout) ||
        pDrawing == nullptr || (IsChanging() && pLayout == nullptr))
        return resultMissing;
    if (!has(itemShape) || !GetParameterValueByID(itemShape, shape) || !shape.GetValue(choice))
        return resultMissing;
    // Scale and angle without a typed value take their defaults, (1, 1) and 0.
    if (has(itemScale) && (!GetParameterValueByID(itemScale, scale) || !scale.GetValue(sx, sy)))
        return resultMissing;
    if (has(itemAngle) && (!GetParameterValueByID(itemAngle, angleItem) || !angleItem.GetValue(angle)))
        return resultMissing;
    if (!has(itemPlace) || !GetParameterValueByID(itemPlace, place) || !place.GetValue(P))
        return resultMissing;
    if (!(sx > 0) || !(sy > 0))
        return resultNothing;
    DrawingFeatureBase* pPaper = pDocument->ChangeDrawingFeature(m_nPaperID);
    if (pPaper == nullptr || !pPaper->IsPaperFeature())
        return resultConditional;
    // The point is given in the view's active layout: into paper coordinates.
    Draw2dView* pView = m_pManager->GetActiveView();
    if (pView != nullptr && pView->GetActiveDrawingFeature() != pPaper) {
        RuVaPnt2d world;
        Draw2dView::ConvertPointLocalToWorld(pView->GetActivePartLayout(), P, world);
        P = world;
    }

    PartDrawingLayout layout;
    if (IsChanging()) {
        layout = *pLayout;
    } else {
        layout.SetPaperID(pPaper->GetDrawingID());
        layout.SetDrawingID(pDrawing->GetDrawingID());
        layout.SetLayoutName(static_cast<Paper2dFeature*>(pPaper)->GetNewPartLayoutName(pDrawing->GetDrawingName()));
    }
    double curX = 1.0;
    double curY = 1.0;
    if (IsChanging())
        pLayout->GetScale(curX, curY);
    if (!IsChanging() || std::fabs(curX - sx) > kTolerance || std::fabs(curY - sy) > kTolerance) {
        double nx = 1.0;
        double dx = 1.0;
        double ny = 1.0;
        double dy = 1.0;
        ScaleToFraction(sx, nx, dx);
        ScaleToFraction(sy, ny, dy);
        layout.SetScale(nx, dx, std::fabs(sx - sy) > kTolerance, ny, dy);
    }
    layout.SetAngle(angle);

    RuVaPnt2d R;
    BOOL bRegion = TRUE;
    if (choice == shapeRectangle) {
        PointParameterItem c1;
        PointParameterItem c2;
        RuVaPnt2d a;
        RuVaPnt2d b;
        if (!has(itemCorner1) || !has(itemCorner2) || !GetParameterValueByID(itemCorner1, c1) || !c1.GetValue(a) ||
            !GetParameterValueByID(itemCorner2, c2) || !c2.GetValue(b))
            return resultMissing;
        if (std::fabs(a.X() - b.X()) < kTolerance && std::fabs(a.Y() - b.Y()) < kTolerance) {
            m_pManager->ShowStatusInformation(LoadResourceString(kMsgPointsCoincide));
            return resultNothing;
        }
        R = RuVaPnt2d((a.X() + b.X()) / 2, (a.Y() + b.Y()) / 2);
        bRegion = layout.SetRectangleRegion(a, b);
    } else if (choice == shapePolygon) {
        PointArrayParameterItem pointsItem;
        KcArrayOfGePnt2d points;
        if (!has(itemPolygon) || !GetParameterValueByID(itemPolygon, pointsItem) || !pointsItem.GetValue(points) || points.GetSize() < 3)
            return resultMissing;
        const RuVaPnt2d first = points[0];
        const RuVaPnt2d last = points[points.GetSize() - 1];
        if (std::fabs(first.X() - last.X()) > kTolerance || std::fabs(first.Y() - last.Y()) > kTolerance)
            points.Add(first);
        bRegion = layout.SetPolygonRegion(points) && MeasureTool::GetPolygonCentroid(points, R);
    } else if (choice == shapeCircle) {
        PointParameterItem centreItem;
        MultiParameterItem radiusItem;
        RuVaPnt2d centre;
        if (!has(itemCentre) || !has(itemRadius) || !GetParameterValueByID(itemCentre, centreItem) ||
            !centreItem.GetValue(centre) || !GetParameterValueByID(itemRadius, radiusItem))
            return resultMissing;
        double radius = 0.0;
        RuVaPnt2d on;
        if (radiusItem.m_nCurrentKind == ParameterItemBase::typePoint && radiusItem.m_pointItem.GetValue(on))
            radius = std::hypot(on.X() - centre.X(), on.Y() - centre.Y());
        else if (radiusItem.m_nCurrentKind == ParameterItemBase::typeLength)
            radiusItem.m_numberItem.GetValue(radius);
        if (!(radius > 0)) {
            m_pManager->ShowStatusInformation(LoadResourceString(kMsgRadiusNotPositive));
            return resultNothing;
        }
        R = centre;
        bRegion = layout.SetCircleRegion(centre, radius);
    }
    if (!bRegion)
        return resultNothing;
    if (choice >= shapeRectangle && choice <= shapeCircle)
        layout.SetOrigin(ComputeOrigin(P, R, sx, sy, angle));
    else
        layout.SetOrigin(P);

    long nLayoutID = IsChanging() ? pLayout->GetLayoutID() : -1;
    const long nPaperID = pPaper->GetDrawingID();
    BOOL bDone = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    if (IsChanging()) {
        bDone = pDocument->SetPartLayout(nLayoutID, layout, 1);
    } else {
        const int order = pPaper->GetPartLayoutOrder(pPaper->GetSelfPartLayoutID());
        nLayoutID = pDocument->AddPartLayout(layout, order, 1);
        bDone = nLayoutID != -1 && pDocument->ActivateDrawingFeature(nPaperID, nLayoutID, 1);
    }
    pDocument->EndUndoOperation();
    if (!bDone)
        return resultConditional;
    if (StructureServices::GetMainFrame() != nullptr) {
        if (CDrawingBar* pBar = StructureServices::GetDrawingBar())
            pBar->SelectLayout(pDocument->GetPartLayoutByID(nLayoutID));
        StructureServices::ShowDrawingProperties(pDocument, pDrawing->GetDrawingID(), nLayoutID, FALSE);
        StructureServices::ShowPropertyBar(TRUE);
    }
    return resultFinished;
}

// ---- preview ---------------------------------------------------------------------------------------

Feature2dBase* PartLayout2dCommand::MakeRegionOutline(int nShape, const RuVaPnt2d& cursor, RuVaPnt2d& reference,
                                                      BOOL& bComplete)
{
    auto given = [this](WORD id) {
        const int index = FindParameterIndex(id);
        return index >= 0 && !IsParameterEmpty(index);
    };
    // A point not given yet is the cursor's.
    auto pointOf = [this, &given, &cursor](WORD id) {
        RuVaPnt2d point = cursor;
        PointParameterItem item;
        if (given(id) && GetParameterValueByID(id, item))
            item.GetValue(point);
        return point;
    };
    bComplete = FALSE;
    if (nShape == shapeRectangle) {
        const RuVaPnt2d a = pointOf(itemCorner1);
        const RuVaPnt2d b = pointOf(itemCorner2);
        if (std::fabs(a.X() - b.X()) < kTolerance && std::fabs(a.Y() - b.Y()) < kTolerance)
            return nullptr;
        bComplete = given(itemCorner1) && given(itemCorner2);
        reference = RuVaPnt2d((a.X() + b.X()) / 2, (a.Y() + b.Y()) / 2);
        KcArrayOfGePnt2d points;
        for (const RuVaPnt2d& p : {a, RuVaPnt2d(b.X(), a.Y()), b, RuVaPnt2d(a.X(), b.Y()), a})
            points.Add(p);
        return new Polyline2dFeature(points);
    }
    if (nShape == shapePolygon) {
        KcArrayOfGePnt2d points;
        PointArrayParameterItem item;
        if (given(itemPolygon) && GetParameterValueByID(itemPolygon, item))
            item.GetValue(points);
        bComplete = points.GetSize() >= 3;
        if (!bComplete)
            points.Add(cursor);
        if (points.GetSize() < 2)
            return nullptr;
        const RuVaPnt2d first = points[0];
        const RuVaPnt2d last = points[points.GetSize() - 1];
        if (std::fabs(first.X() - last.X()) > kTolerance || std::fabs(first.Y() - last.Y()) > kTolerance)
            points.Add(first);
        if (!MeasureTool::GetPolygonCentroid(points, reference))
            reference = first;
        return new Polyline2dFeature(points);
    }
    if (nShape == shapeCircle) {
        const RuVaPnt2d centre = pointOf(itemCentre);
        double radius = std::hypot(cursor.X() - centre.X(), cursor.Y() - centre.Y());
        const auto* pRadius = dynamic_cast<const MultiParameterItem*>(FindItem(itemRadius));
        const BOOL bRadius = given(itemRadius) && pRadius != nullptr;
        if (bRadius) {
            RuVaPnt2d on;
            if (pRadius->m_nCurrentKind == ParameterItemBase::typePoint && pRadius->m_pointItem.GetValue(on))
                radius = std::hypot(on.X() - centre.X(), on.Y() - centre.Y());
            else if (pRadius->m_nCurrentKind == ParameterItemBase::typeLength)
                pRadius->m_numberItem.GetValue(radius);
        }
        if (!(radius > kTolerance))
            return nullptr;
        bComplete = given(itemCentre) && bRadius;
        reference = centre;
        return FeatureCreator::CreateCircleFeature(centre, radius);
    }
    return nullptr;
}

void PartLayout2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d& local, UINT)
{
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    DrawingParameterItem drawing;
    DrawingFeatureBase* pDrawing = nullptr;
    PartDrawingLayout* pLayout = nullptr;
    if (pView == nullptr || !GetParameterValueByID(itemDrawing, drawing) || !drawing.GetValue(pDrawing, pLayout) ||
        pDrawing == nullptr)
        return;
    const DrawingFeatureBase* pShown = pView->GetActiveDrawingFeature();
    if (pShown == nullptr || (!pShown->IsPaperFeature() && pShown != pDrawing))
        return;
    const BOOL bOnPaper = pShown->IsPaperFeature();
    ListParameterItem shape;
    int choice = -1;
    if (!GetParameterValueByID(itemShape, shape) || !shape.GetValue(choice))
        return;
    double sx = 1.0;
    double sy = 1.0;
    double angle = 0.0;
    ScaleParameterItem scale;
    if (!GetParameterValueByID(itemScale, scale) || !scale.GetValue(sx, sy) || !(sx > 0) || !(sy > 0)) {
        sx = 1.0;
        sy = 1.0;
    }
    AngleParameterItem angleItem;
    if (!GetParameterValueByID(itemAngle, angleItem) || !angleItem.GetValue(angle))
        angle = 0.0;
    PointParameterItem place;
    RuVaPnt2d P;
    if (!GetParameterValueByID(itemPlace, place) || !place.GetValue(P))
        return;

    RuVaPnt2d reference;
    BOOL bComplete = FALSE;
    std::unique_ptr<Feature2dBase> outline(MakeRegionOutline(choice, local, reference, bComplete));
    if (outline == nullptr)
        return;
    const PartDrawingLayout* pActive = pView->GetActivePartLayout();
    if (bComplete && bOnPaper) {
        // Where the layout will put it: the reference point on the placement point, scaled and turned.
        RuVaPnt2d onPaper = P;
        if (pActive != nullptr)
            Draw2dView::ConvertPointLocalToWorld(pActive, P, onPaper);
        const TransformFeature toPlace(reference, sx, sy, 1.0, angle, onPaper);
        outline.reset(toPlace.Transformed(outline.get()));
        if (outline != nullptr && pActive != nullptr)
            outline.reset(pActive->ConvertFeatureWorldToLocal(outline.get()));
    } else if (bOnPaper && choice != shapeCircle) {
        // Where it was entered: through the layout that shows the part drawing on this paper.
        const PartDrawingLayout* pEntered = pShown->FindPartLayoutByDrawingID(pDrawing->GetDrawingID());
        if (pEntered != nullptr && pEntered != pActive)
            outline.reset(pEntered->ConvertFeatureLocalToWorld(outline.get()));
    }
    if (outline == nullptr)
        return;
    outline->SetColorNo(-1);
    outline->SetColor(RGB(0, 255, 0));
    outline->SetLineTypeNo(1);
    outline->SetLineWidthNo(-1);
    outline->SetLineWidth(0.0);
    DrawRubberbandFeature(outline.get());
}

}  // namespace QZ2Command
