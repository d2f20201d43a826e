#include "commands/shape/Lead2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/NumericFormat.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Lead2dCommand, CommandBase)

namespace {

const LPCTSTR kChamferIdentifier = _T("Korvan.Shape.CChamferLead");

constexpr UINT kKindCaption = 10823, kKindPrompt = 11043, kKindChoices = 10845;
constexpr UINT kTextCaption = 10709, kTextPrompt = 11046;
constexpr UINT kPositionCaption = 10816, kPositionPrompt = 11047, kPositionChoices = 10832;
constexpr UINT kTwoPointsCaption = 10807, kThreePointsCaption = 10808, kPointsCaption = 10708, kPointsPrompt = 10477;
constexpr UINT kShapeCaption = 10715, kChamferPrompt = 11044;
constexpr UINT kFormatCaption = 10824, kFormatPrompt = 11045, kFormatChoices = 10829;
constexpr UINT kPointCaption = 10717, kTextPointCaption = 10817;
constexpr UINT kDegreeMark = 11580;
constexpr double kScaleTolerance = 1e-10;
constexpr double kShortest = 1e-7;
// The picked shape is taken by its nearest curve.
constexpr int kPickByCurve = 1;

ListParameterItem MakeList(WORD wId, UINT nCaption, UINT nPrompt, UINT nChoices)
{
    ListParameterItem list;
    ShapeCommandHelper::PrepareItem(list, wId, nCaption, nPrompt);
    list.SetItemsFromText(LoadResourceString(nChoices));
    list.SetValue(0);
    list.SetDefaultValue(0);
    list.m_nRetentionMode = 2;
    return list;
}

TextParameterItem MakeTextItem()
{
    TextParameterItem text;
    ShapeCommandHelper::PrepareItem(text, Lead2dCommand::itemText, kTextCaption, kTextPrompt);
    text.m_bRequired = FALSE;
    text.m_bHistory = TRUE;
    return text;
}

FeatureParameterItem MakeShapeItem(DWORD dwKinds, UINT nPrompt)
{
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, Lead2dCommand::itemShape, kShapeCaption, nPrompt);
    shape.m_dwAcceptedKinds = dwKinds;
    shape.m_nPickSetting = kPickByCurve;
    return shape;
}

PointParameterItem MakePointItem(WORD wId, UINT nCaption)
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, wId, nCaption, 0);
    return point;
}

// Which feature types a kind's text can be made from.
BOOL SuitsKind(int nType, int nKind)
{
    switch (nKind) {
    case Lead2dCommand::kindChamfer:
    case Lead2dCommand::kindLength:
        return nType >= FeatureTypeLine && nType <= FeatureTypeBSplineCurve;
    case Lead2dCommand::kindAngle:
        return nType == FeatureTypeLine || nType == FeatureTypePolyline || nType == FeatureTypeArc ||
               nType == FeatureTypeInfiniteLine || nType == FeatureTypeSemiInfiniteLine;
    case Lead2dCommand::kindRadius:
    case Lead2dCommand::kindDiameter:
        return nType == FeatureTypeCircle || nType == FeatureTypeArc;
    default:
        return FALSE;
    }
}

DWORD KindsOf(int nKind)
{
    return nKind == Lead2dCommand::kindRadius || nKind == Lead2dCommand::kindDiameter ? Lead2dCommand::kCircleKinds
                                                                                       : Lead2dCommand::kCurveKinds;
}

}  // namespace

Lead2dCommand::Lead2dCommand()
{
    // Remembered rows of older versions had another order.
    SetVersion(4, 3);
}

Lead2dCommand::~Lead2dCommand() = default;

BOOL Lead2dCommand::IsChamfer() const
{
    return m_strIdentifier == kChamferIdentifier;
}

void Lead2dCommand::SetupParameters()
{
    if (IsChamfer()) {
        ShapeCommandHelper::AddSingleItemParameter(this, MakeShapeItem(kChamferKinds, kChamferPrompt));
        ShapeCommandHelper::AddSingleItemParameter(this, MakeList(itemFormat, kFormatCaption, kFormatPrompt,
                                                                  kFormatChoices));
    } else {
        ShapeCommandHelper::AddSingleItemParameter(this, MakeList(itemKind, kKindCaption, kKindPrompt, kKindChoices));
    }
    ShapeCommandHelper::AddSingleItemParameter(this, MakeTextItem());
    ShapeCommandHelper::AddSingleItemParameter(
        this, MakeList(itemTextPosition, kPositionCaption, kPositionPrompt, kPositionChoices));

    PointArrayParameterItem two, three, any;
    ShapeCommandHelper::PrepareItem(two, itemTwoPoints, kTwoPointsCaption, kPointsPrompt);
    two.m_wBaseItemId = itemTwoPoints;
    ShapeCommandHelper::PrepareItem(three, itemThreePoints, kThreePointsCaption, kPointsPrompt);
    three.m_wBaseItemId = itemThreePoints;
    ShapeCommandHelper::PrepareItem(any, itemPoints, kPointsCaption, kPointsPrompt);
    any.m_wBaseItemId = itemPoints;
    ShapeCommandHelper::AddAlternativesParameter(this, {&two, &three, &any});
}

// --- rows ---------------------------------------------------------------------------------------

void Lead2dCommand::RemoveParameterOf(WORD wId)
{
    const int index = FindParameterIndex(wId);
    if (index < 0)
        return;
    if (m_pManager != nullptr)
        m_pManager->RemoveParameter(this, index);
    else
        RemoveParameter(index);
}

BOOL Lead2dCommand::InsertItemAt(int nIndex, const ParameterItemBase& item)
{
    auto pParameter = std::make_unique<CommandParameter>();
    pParameter->AddItem(item);
    pParameter->SetCurrentIndex(0);
    const BOOL bDone = m_pManager != nullptr ? m_pManager->InsertParameter(this, nIndex, pParameter.get())
                                             : InsertParameter(nIndex, pParameter.get()) >= 0;
    if (bDone)
        pParameter.release();
    return bDone;
}

void Lead2dCommand::RefreshRow(WORD wId)
{
    const int index = FindParameterIndex(wId);
    if (m_pManager != nullptr && index >= 0)
        m_pManager->UpdateParameterInBar(this, index, TRUE);
}

void Lead2dCommand::Restructure(int nKind)
{
    if (nKind < kindTyped || nKind > kindNone)
        return;
    // Highest positions first, so that no position moves before it is used.
    if (nKind == kindNone) {
        for (WORD id : {itemTextPoint, itemTextPosition, itemText, itemFormat, itemPoint, itemShape})
            RemoveParameterOf(id);
        return;
    }
    if (nKind == kindTyped) {
        for (WORD id : {itemFormat, itemPoint, itemShape})
            RemoveParameterOf(id);
    } else if (nKind <= kindY) {
        RemoveParameterOf(itemShape);
        if (FindItem(itemPoint) == nullptr)
            InsertItemAt(1, MakePointItem(itemPoint, kPointCaption));
    } else {
        RemoveParameterOf(itemPoint);
        auto* pShape = dynamic_cast<FeatureParameterItem*>(FindItem(itemShape));
        if (pShape == nullptr)
            InsertItemAt(1, MakeShapeItem(KindsOf(nKind), 0));
        else
            // The kinds follow the text kind, so that a line can be picked again after circles.
            pShape->m_dwAcceptedKinds = KindsOf(nKind);
    }
    if (nKind != kindTyped && FindItem(itemFormat) == nullptr)
        InsertItemAt(2, MakeList(itemFormat, kFormatCaption, kFormatPrompt, kFormatChoices));
    if (FindItem(itemText) == nullptr)
        InsertItemAt(nKind == kindTyped ? 1 : 3, MakeTextItem());
    if (FindItem(itemTextPosition) == nullptr)
        InsertItemAt(FindParameterIndex(itemText) + 1,
                     MakeList(itemTextPosition, kPositionCaption, kPositionPrompt, kPositionChoices));
}

void Lead2dCommand::ClearLeaderPoints()
{
    for (WORD id : {itemTwoPoints, itemThreePoints, itemPoints}) {
        auto* pPoints = dynamic_cast<PointArrayParameterItem*>(FindItem(id));
        if (pPoints == nullptr || pPoints->GetCount() == 0)
            continue;
        pPoints->Clear();
        RefreshRow(id);
    }
}

int Lead2dCommand::ReadKind() const
{
    if (IsChamfer())
        return kindChamfer;
    const auto* pKind = dynamic_cast<const ListParameterItem*>(FindItem(itemKind));
    int kind = -2;
    if (pKind == nullptr || pKind->IsEmpty() || !pKind->GetValue(kind))
        return -2;
    return kind;
}

BOOL Lead2dCommand::StoreText(const CString& text)
{
    auto* pText = dynamic_cast<TextParameterItem*>(FindItem(itemText));
    if (pText == nullptr || !pText->SetValue(text))
        return FALSE;
    RefreshRow(itemText);
    return TRUE;
}

// --- vetting --------------------------------------------------------------------------------------

BOOL Lead2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase& value)
{
    const WORD id = value.GetId();
    int kind = IsChamfer() ? kindChamfer : kindTyped;
    const ListParameterItem* pKindList = nullptr;
    if (id == itemKind)
        pKindList = dynamic_cast<const ListParameterItem*>(&value);
    else if (!IsChamfer())
        pKindList = dynamic_cast<const ListParameterItem*>(FindItem(itemKind));
    if (pKindList != nullptr) {
        if (pKindList->IsEmpty() || !pKindList->GetValue(kind))
            return FALSE;
        if (kind == kindNone)
            return TRUE;
    }
    const auto* pFormat = id == itemFormat ? dynamic_cast<const ListParameterItem*>(&value)
                                           : dynamic_cast<const ListParameterItem*>(FindItem(itemFormat));
    int flag = -1;
    if (pFormat != nullptr) {
        int format = 0;
        if (!pFormat->GetValue(format))
            return FALSE;
        flag = format == 0 ? 1 : 0;
    }

    auto* pText = dynamic_cast<TextParameterItem*>(FindItem(itemText));
    if (pText != nullptr && !pText->IsEmpty() && (id == itemKind || id == itemFormat)) {
        // A new kind or format: the text is made again from what was picked before.
        pText->SetValue(CString());
        RefreshRow(itemText);
        auto* pPoint = dynamic_cast<PointParameterItem*>(FindItem(itemPoint));
        auto* pShape = dynamic_cast<FeatureParameterItem*>(FindItem(itemShape));
        if (pPoint != nullptr && kind >= kindXY && kind <= kindY) {
            RuVaPnt2d point;
            if (pPoint->IsEmpty() || !pPoint->GetValue(point))
                return TRUE;
            if (m_pManager != nullptr)
                m_pManager->WorldToUserPoint(point);
            CString text;
            return MakeCoordinateText(point, kind, flag, text) && StoreText(text);
        }
        if (pShape != nullptr && ((kind >= kindLength && kind <= kindDiameter) || kind == kindChamfer)) {
            std::unique_ptr<Feature2dBase> shape;
            RuVaPnt2d pick;
            const int outcome = ShapeCommandHelper::TakePickedFeature(this, *pShape, shape, pick);
            if (outcome == ShapeCommandHelper::pickMissing)
                return TRUE;
            if (outcome != ShapeCommandHelper::pickTaken || !SuitsKind(shape->GetFeatureType(), kind)) {
                pShape->Clear();
                RefreshRow(itemShape);
                return TRUE;
            }
            CString text;
            return MakeShapeText(shape.get(), pick, kind, flag, text) && StoreText(text);
        }
        if (pPoint != nullptr) {
            pPoint->Clear();
            RefreshRow(itemPoint);
        }
        if (pShape != nullptr) {
            pShape->Clear();
            RefreshRow(itemShape);
        }
        m_bStartPointValid = FALSE;
        ClearLeaderPoints();
        return TRUE;
    }

    if (nIndex == 1 && value.GetTypeCode() == ParameterItemBase::typePoint) {
        m_bStartPointValid = FALSE;
        ClearLeaderPoints();
        const auto* pPoint = dynamic_cast<const PointParameterItem*>(&value);
        RuVaPnt2d point;
        if (pPoint == nullptr || pPoint->IsEmpty() || !pPoint->GetValue(point))
            return TRUE;
        m_startPoint = point;
        m_bStartPointValid = TRUE;
        if (m_pManager != nullptr)
            m_pManager->WorldToUserPoint(point);
        CString text;
        return MakeCoordinateText(point, kind, flag, text) && StoreText(text);
    }

    if ((nIndex == 0 || nIndex == 1) && value.GetTypeCode() == ParameterItemBase::typeFeature) {
        m_bStartPointValid = FALSE;
        const auto* pShape = dynamic_cast<const FeatureParameterItem*>(&value);
        std::unique_ptr<Feature2dBase> shape;
        RuVaPnt2d pick;
        const int outcome = pShape != nullptr ? ShapeCommandHelper::TakePickedFeature(this, *pShape, shape, pick)
                                              : int(ShapeCommandHelper::pickMissing);
        if (outcome == ShapeCommandHelper::pickMissing) {
            if (pText != nullptr) {
                pText->SetValue(CString());
                RefreshRow(itemText);
            }
            ClearLeaderPoints();
            return TRUE;
        }
        if (outcome != ShapeCommandHelper::pickTaken)
            return FALSE;
        ClearLeaderPoints();
        RuVaPnt2d start;
        CString text;
        if (!GetStartPointOnShape(shape.get(), pick, start) || !MakeShapeText(shape.get(), pick, kind, flag, text))
            return FALSE;
        m_startPoint = start;
        m_bStartPointValid = TRUE;
        // A text that cannot be stored refuses the pick rather than accepting it without its text.
        return StoreText(text);
    }
    return TRUE;
}

// --- a cycle ------------------------------------------------------------------------------------

int Lead2dCommand::OnInput(int nIndex)
{
    const int kind = ReadKind();
    if (kind < kindChamfer)
        return resultMissing;
    // No index when the command starts or resumes with every value given.
    const WORD given = nIndex >= 0 && nIndex < GetParameterCount() ? GetCurrentItemID(nIndex) : WORD(0xFFFF);
    if (given == itemKind)
        Restructure(kind);

    CString text;
    int position = 0;
    if (kind != kindNone) {
        const auto* pPosition = dynamic_cast<const ListParameterItem*>(FindItem(itemTextPosition));
        if (pPosition == nullptr || pPosition->IsEmpty() || !pPosition->GetValue(position))
            return resultMissing;
        if (position == 0) {
            RemoveParameterOf(itemTextPoint);
        } else if (FindItem(itemTextPoint) == nullptr) {
            auto pParameter = std::make_unique<CommandParameter>();
            pParameter->AddItem(MakePointItem(itemTextPoint, kTextPointCaption));
            pParameter->SetCurrentIndex(0);
            const BOOL bAdded = m_pManager != nullptr ? m_pManager->AddParameter(this, pParameter.get())
                                                      : AddParameter(pParameter.get()) >= 0;
            if (bAdded)
                pParameter.release();
        }
        const auto* pText = dynamic_cast<const TextParameterItem*>(FindItem(itemText));
        if (pText != nullptr && !pText->IsEmpty() && !pText->GetValue(text))
            return resultMissing;
    }

    const int pointsIndex = FindParameterIndex(itemTwoPoints);
    auto* pPoints = pointsIndex >= 0 ? dynamic_cast<PointArrayParameterItem*>(GetParameterItem(pointsIndex)) : nullptr;
    if (pPoints == nullptr)
        return resultMissing;
    const WORD alternative = pPoints->GetId();
    if (alternative == itemPoints && !pPoints->IsEmpty() && !pPoints->m_bFinished)
        return resultMissing;
    const int count = pPoints->IsEmpty() ? 0 : pPoints->GetCount();
    if (count == 0) {
        const BOOL bFromPick = (given == itemPoint || given == itemShape) &&
                               ((kind >= kindXY && kind <= kindDiameter) || kind == kindChamfer);
        if (bFromPick && m_bStartPointValid) {
            pPoints->AddPoint(m_startPoint);
            pPoints->m_bFinished = FALSE;
            RefreshRow(alternative);
        }
        return resultMissing;
    }
    const int needed = alternative == itemThreePoints ? 3 : 2;
    if (count < needed) {
        pPoints->m_bFinished = FALSE;
        return resultMissing;
    }
    if (alternative != itemPoints) {
        if (count > needed)
            return resultConditional;
        pPoints->m_bFinished = TRUE;
        const int textPointIndex = FindParameterIndex(itemTextPoint);
        if (textPointIndex >= 0 && m_pManager != nullptr)
            m_pManager->SetCurrentParameter(this, textPointIndex);
    }

    KcArrayOfGePnt2d points;
    if (!pPoints->GetValue(points))
        return resultMissing;
    RuVaPnt2d textPoint;
    if (kind != kindNone) {
        if (position == 1) {
            const ParameterItemBase* pTextPoint = FindItem(itemTextPoint);
            if (pTextPoint == nullptr || pTextPoint->IsEmpty())
                return resultMissing;
            if (!GetPointValue(*pTextPoint, textPoint, TRUE))
                return resultNothing;
        } else {
            textPoint = points[points.GetSize() - 1];
        }
    } else {
        text.Empty();
        position = 0;
    }
    return BuildLead(text, points, textPoint, position, ShapeCommandHelper::actionAdd) ? resultDone
                                                                                        : resultConditional;
}

BOOL Lead2dCommand::BuildLead(const CString& text, const KcArrayOfGePnt2d& points, const RuVaPnt2d& textPoint,
                              int nMode, int nAction)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || pDocument->GetLeadSetting() == nullptr)
        return FALSE;
    LeadSetting setting;
    setting.Copy(*pDocument->GetLeadSetting());
    double sx = 1.0, sy = 1.0;
    if (!GetLayoutInverseScale(&sx, &sy))
        return FALSE;
    // The same size on paper inside a uniformly scaled part layout.
    if (std::fabs(sx - 1.0) > kScaleTolerance && std::fabs(sx - sy) < kScaleTolerance)
        setting.ScaleSize(sx);
    std::unique_ptr<Lead2dFeature> lead(
        FeatureCreator::CreateLeadFeature(nullptr, text, points, nMode, textPoint, &setting));
    if (!lead)
        return FALSE;
    lead->SetLayerID(pDocument->GetCurrentLayerID());
    if (nAction == ShapeCommandHelper::actionPreview)
        return DrawRubberbandFeature(lead.get());
    return ShapeCommandHelper::AddFeatureInUndo(pDocument, ShapeCommandHelper::GetActiveDrawing(this),
                                                lead.release());
}

void Lead2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    const int kind = ReadKind();
    if (kind < kindChamfer)
        return;
    CString text;
    RuVaPnt2d textPoint;
    int position = 0;
    BOOL bTextAtCursor = TRUE;
    if (kind != kindNone) {
        TextParameterItem textItem;
        if (GetParameterValueByID(itemText, textItem) && !textItem.IsEmpty())
            textItem.GetValue(text);
        ListParameterItem positionItem;
        if (!GetParameterValueByID(itemTextPosition, positionItem) || !positionItem.GetValue(position))
            return;
        if (position == 1) {
            PointParameterItem textPointItem;
            if (!GetParameterValueByID(itemTextPoint, textPointItem) || !GetPointValue(textPointItem, textPoint, TRUE))
                return;
            bTextAtCursor = FALSE;
        }
    }
    const int pointsIndex = FindParameterIndex(itemTwoPoints);
    if (pointsIndex < 0 || IsParameterEmpty(pointsIndex))
        return;
    PointArrayParameterItem pointsItem;
    KcArrayOfGePnt2d points;
    if (!GetParameterValue(pointsIndex, pointsItem) || !pointsItem.GetValue(points) || points.GetSize() == 0)
        return;
    if (kind == kindNone) {
        text.Empty();
        position = 0;
    } else if (bTextAtCursor) {
        textPoint = points[points.GetSize() - 1];
    }
    BuildLead(text, points, textPoint, position, ShapeCommandHelper::actionPreview);
}

// --- texts and start points from picks ------------------------------------------------------------

BOOL Lead2dCommand::MakeCoordinateText(const RuVaPnt2d& point, int nKind, int nFlag, CString& text)
{
    if (nKind < kindXY || nKind > kindY)
        return FALSE;
    CString x, y;
    if (!NumericFormat::DoubleToString(point.X(), x, -1, -1, nFlag) ||
        !NumericFormat::DoubleToString(point.Y(), y, -1, -1, nFlag))
        return FALSE;
    if (nKind == kindX) {
        text = _T("X = ") + x;
        return TRUE;
    }
    if (nKind == kindY) {
        text = _T("Y = ") + y;
        return TRUE;
    }
    const BOOL bNegX = x.Left(1) == _T("-"), bNegY = y.Left(1) == _T("-");
    // A blank before the number without a sign lines the digits of the two lines up.
    const CString padX = bNegY && !bNegX ? _T(" ") : _T("");
    const CString padY = bNegX && !bNegY ? _T(" ") : _T("");
    text = _T("X = ") + padX + x + _T("\r\nY = ") + padY + y;
    return TRUE;
}

BOOL Lead2dCommand::MakeShapeText(const Feature2dBase* pShape, const RuVaPnt2d& pick, int nKind, int nFlag,
                                  CString& text)
{
    if (pShape == nullptr)
        return FALSE;
    const int type = pShape->GetFeatureType();
    switch (nKind) {
    case kindLength: {
        if (!SuitsKind(type, nKind))
            return FALSE;
        return NumericFormat::DoubleToString(MeasureTool::GetFeatureLength(pShape), text, -1, -1, nFlag);
    }
    case kindAngle: {
        if (!SuitsKind(type, nKind))
            return FALSE;
        int segment = 0;
        if (type == FeatureTypePolyline) {
            segment = KcGeometryTool::GetNearestSegment(static_cast<const Polyline2dFeature*>(pShape)->GetPointArray(),
                                                        pick);
            if (segment < 0)
                return FALSE;
        }
        CString angle;
        if (!NumericFormat::AngleToString(MeasureTool::GetFeatureAngle(pShape, segment), angle, -1, -1, CString(),
                                          nFlag))
            return FALSE;
        if (NumericFormat::GetAngleUnitFormatType() == 0)
            angle += LoadResourceString(kDegreeMark);
        text = angle;
        return TRUE;
    }
    case kindRadius:
    case kindDiameter: {
        double radius = 0.0;
        if (type == FeatureTypeCircle)
            radius = static_cast<const Circle2dFeature*>(pShape)->GetRadius();
        else if (type == FeatureTypeArc)
            radius = static_cast<const Arc2dFeature*>(pShape)->GetRadius();
        else
            return FALSE;
        CString number;
        if (!NumericFormat::DoubleToString(nKind == kindDiameter ? 2.0 * radius : radius, number, -1, -1, nFlag))
            return FALSE;
        text = (nKind == kindRadius ? CString(_T("R")) : CString(u"\u03C6")) + number;
        return TRUE;
    }
    case kindChamfer: {
        double length = 0.0;
        if (type == FeatureTypeLine)
            length = MeasureTool::GetFeatureLength(pShape);
        else if (type == FeatureTypePolyline)
            length = GetNearestSegmentLength(pShape, pick);
        else
            return FALSE;
        if (!(length >= kShortest))
            return FALSE;
        CString number;
        // The leg of the 45-degree chamfer whose slanted edge has that length.
        if (!NumericFormat::DoubleToString(length / std::sqrt(2.0), number, -1, -1, -1))
            return FALSE;
        text = _T("C") + number;
        return TRUE;
    }
    default:
        return TRUE;
    }
}

BOOL Lead2dCommand::GetCurveMiddlePoint(const Feature2dBase* pShape, const RuVaPnt2d& pick, RuVaPnt2d& point)
{
    if (pShape == nullptr)
        return FALSE;
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pShape));
    if (!curve)
        return FALSE;
    if (curve->IsTrimmedCurveEntType())
        return KcCurveParam::GetCenterParamePoint(curve.get(), point);
    if (curve->GetEntityType() != RuVaEntity2d::kPointSequence)
        return FALSE;
    if (pShape->GetFeatureType() == FeatureTypePolyline) {
        const KcArrayOfGePnt2d& points = static_cast<const RuVaArrayPnt2d*>(curve.get())->Sequence();
        const int segment = KcGeometryTool::GetNearestSegment(points, pick);
        if (segment < 0 || segment >= points.GetSize() - 1)
            return FALSE;
        point = RuVaPnt2d(0.5 * (points[segment].X() + points[segment + 1].X()),
                          0.5 * (points[segment].Y() + points[segment + 1].Y()));
        return TRUE;
    }
    if (pShape->GetFeatureType() == FeatureTypeBSplineCurve) {
        std::unique_ptr<RuVaBSplineCurve2d> spline(ConvertFeatureToGeom2d::ConvertBSplineCurve(pShape));
        return spline && KcCurveParam::GetCenterParamePoint(spline.get(), point);
    }
    return FALSE;
}

double Lead2dCommand::GetNearestSegmentLength(const Feature2dBase* pShape, const RuVaPnt2d& pick)
{
    if (pShape == nullptr)
        return 0.0;
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pShape));
    if (!curve || curve->GetEntityType() != RuVaEntity2d::kPointSequence)
        return 0.0;
    const KcArrayOfGePnt2d& points = static_cast<const RuVaArrayPnt2d*>(curve.get())->Sequence();
    const int segment = KcGeometryTool::GetNearestSegment(points, pick);
    if (segment < 0 || segment > points.GetSize() - 2)
        return 0.0;
    return points[segment].Distance(points[segment + 1]);
}

BOOL Lead2dCommand::GetStartPointOnShape(const Feature2dBase* pShape, const RuVaPnt2d& pick, RuVaPnt2d& point)
{
    if (pShape == nullptr)
        return FALSE;
    switch (pShape->GetFeatureType()) {
    case FeatureTypeCircle:
    case FeatureTypeEllipse:
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pShape));
        point = pick;
        if (!curve)
            return TRUE;
        KcProjectPointOnCurve2d projection(pick, curve.get());
        RuVaPnt2d nearest;
        if (projection.NbPoints() > 0 &&
            KcCurveParam::GetPointFromParameter(curve.get(), projection.LowerDistanceParameter(), nearest))
            point = nearest;
        return TRUE;
    }
    default:
        return GetCurveMiddlePoint(pShape, pick, point);
    }
}

}  // namespace QZ2Command
