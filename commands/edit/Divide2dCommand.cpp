#include "commands/edit/Divide2dCommand.h"

#include <cmath>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/CornerEditor.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/ConvertGeom2dToFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Divide2dCommand, CommandBase)

namespace {

constexpr UINT kShapeCaption = 10715;
constexpr UINT kShapePrompt = 10504;
constexpr UINT kPointsCaption = 10749;
constexpr UINT kPointsPrompt = 10697;
constexpr UINT kCountCaption = 10806;
constexpr UINT kCountPrompt = 10698;
constexpr UINT kPitchCaption = 10771;
constexpr UINT kPitchPrompt = 10699;
constexpr UINT kAngleCaption = 10779;
constexpr UINT kAnglePrompt = 10696;
constexpr UINT kStartAngleCaption = 10877;
constexpr UINT kStartAnglePrompt = 10700;
constexpr UINT kStartPointCaption = 10720;
constexpr UINT kStartPointPrompt = 10701;
// "The number of pieces must be from 2 to 1000."
constexpr UINT kCountOutOfRange = 10694;
// "That would make more than 1000 pieces."
constexpr UINT kTooManyPieces = 10695;
constexpr double kParameterGap = 1e-4;

BOOL IsCurved(int type)
{
    return type >= FeatureTypeCircle && type <= FeatureTypeEllipseArc ? TRUE : FALSE;
}

void DeletePieces(CArray<Feature2dBase*>& pieces)
{
    for (INT_PTR i = 0; i < pieces.GetSize(); ++i)
        delete pieces[i];
    pieces.RemoveAll();
}

}  // namespace

const Feature2dBase* Divide2dCommand::ShapeOfItem() const
{
    const auto* pShape = dynamic_cast<const FeatureParameterItem*>(FindItem(itemShape));
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    FeatureLayout picked;
    if (pShape == nullptr || pDocument == nullptr || pShape->IsEmpty() || !pShape->GetValue(picked))
        return nullptr;
    return pDocument->GetFeature(picked.GetRecordID());
}

void Divide2dCommand::RemoveParameterOf(WORD wId)
{
    const int index = FindParameterIndex(wId);
    if (index < 0)
        return;
    if (m_pManager != nullptr)
        m_pManager->RemoveParameter(this, index);
    else
        RemoveParameter(index);
}

void Divide2dCommand::SetupParameters()
{
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, itemShape, kShapeCaption, kShapePrompt);
    shape.m_dwAcceptedKinds = kDivideKinds;
    shape.m_bTakeSelection = TRUE;
    shape.m_bEditableOnly = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    BuildMethodParameter(FALSE);
}

void Divide2dCommand::BuildMethodParameter(BOOL bCurved)
{
    const int old = FindParameterIndex(itemPoints);
    WORD current = itemPoints;
    PointArrayParameterItem points;
    ShapeCommandHelper::PrepareItem(points, itemPoints, kPointsCaption, kPointsPrompt);
    IntegerParameterItem count;
    ShapeCommandHelper::PrepareItem(count, itemCount, kCountCaption, kCountPrompt);
    LengthParameterItem pitch;
    ShapeCommandHelper::PrepareItem(pitch, itemPitch, kPitchCaption, kPitchPrompt);
    pitch.m_bHistory = TRUE;
    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, kAngleCaption, kAnglePrompt);
    angle.m_bHistory = TRUE;
    if (old >= 0) {
        // Values already typed survive the rebuild.
        const CommandParameter* pOld = GetParameter(old);
        current = pOld->GetCurrentItem() != nullptr ? pOld->GetCurrentItem()->GetId() : itemPoints;
        for (ParameterItemBase* pFresh : {static_cast<ParameterItemBase*>(&points), static_cast<ParameterItemBase*>(&count),
                                          static_cast<ParameterItemBase*>(&pitch), static_cast<ParameterItemBase*>(&angle)}) {
            for (int k = 0; k < pOld->GetItemCount(); ++k) {
                const ParameterItemBase* pItem = pOld->GetItem(k);
                if (pItem->GetId() == pFresh->GetId() && !pItem->IsEmpty())
                    pFresh->SetValueFrom(*pItem);
            }
        }
        if (m_pManager != nullptr)
            m_pManager->RemoveParameter(this, old);
        else
            RemoveParameter(old);
    }
    if (current == itemAngle && !bCurved)
        current = itemPoints;
    auto pMethod = std::make_unique<CommandParameter>();
    pMethod->AddItem(points);
    pMethod->AddItem(count);
    pMethod->AddItem(pitch);
    if (bCurved)
        pMethod->AddItem(angle);
    for (int k = 0; k < pMethod->GetItemCount(); ++k) {
        if (pMethod->GetItem(k)->GetId() == current)
            pMethod->SetCurrentIndex(k);
    }
    if (m_pManager != nullptr ? m_pManager->InsertParameter(this, 1, pMethod.get())
                              : InsertParameter(1, pMethod.get()) >= 0)
        pMethod.release();
}

BOOL Divide2dCommand::NeedsStartPosition(const Feature2dBase* pShape, BOOL bGiven) const
{
    if (pShape == nullptr) {
        if (bGiven)
            return FALSE;
        pShape = ShapeOfItem();
        if (pShape == nullptr)
            return FALSE;
    }
    switch (pShape->GetFeatureType()) {
    case FeatureTypeCircle:
    case FeatureTypeEllipse:
        return TRUE;
    case FeatureTypeBSplineCurve:
        return static_cast<const BSplineCurve2dFeature*>(pShape)->IsClosed();
    default:
        return FALSE;
    }
}

BOOL Divide2dCommand::BuildStartParameter(int nMethod, const Feature2dBase* pShape, BOOL bGiven)
{
    RemoveParameterOf(itemStartAngle);
    RemoveParameterOf(itemStartPoint);
    if (nMethod == -1) {
        const int method = FindParameterIndex(itemPoints);
        const ParameterItemBase* pCurrent = method >= 0 ? GetParameterItem(method) : nullptr;
        nMethod = pCurrent != nullptr ? pCurrent->GetId() : itemPoints;
    }
    if (nMethod == itemPoints)
        return FALSE;
    const BOOL bNeeds = NeedsStartPosition(pShape, bGiven);
    if (nMethod != itemAngle && !bNeeds)
        return FALSE;
    const Feature2dBase* pTyped = pShape != nullptr ? pShape : ShapeOfItem();
    const int type = pTyped != nullptr ? pTyped->GetFeatureType() : 0;
    const BOOL bRound = type == FeatureTypeCircle || type == FeatureTypeEllipse;
    auto pStart = std::make_unique<CommandParameter>();
    if (nMethod == itemAngle || bRound) {
        AngleParameterItem angle;
        ShapeCommandHelper::PrepareItem(angle, itemStartAngle, kStartAngleCaption, kStartAnglePrompt);
        pStart->AddItem(angle);
    }
    if (nMethod == itemAngle || bNeeds) {
        PointParameterItem point;
        ShapeCommandHelper::PrepareItem(point, itemStartPoint, kStartPointCaption, kStartPointPrompt);
        pStart->AddItem(point);
    }
    pStart->SetCurrentIndex(0);
    if (m_pManager != nullptr ? m_pManager->AddParameter(this, pStart.get()) : AddParameter(pStart.get()) >= 0) {
        pStart.release();
        return TRUE;
    }
    return FALSE;
}

BOOL Divide2dCommand::OnStart()
{
    // A taken-over shape decides the methods offered at once.
    const Feature2dBase* pShape = ShapeOfItem();
    BuildMethodParameter(pShape != nullptr && IsCurved(pShape->GetFeatureType()));
    BuildStartParameter(-1, pShape, TRUE);
    return TRUE;
}

BOOL Divide2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase& value)
{
    if (nIndex != FindParameterIndex(itemShape) || value.GetId() != itemShape)
        return TRUE;
    const auto* pValue = dynamic_cast<const FeatureParameterItem*>(&value);
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    FeatureLayout picked;
    if (pValue == nullptr || pValue->IsEmpty() || !pValue->GetValue(picked) || pDocument == nullptr) {
        RemoveParameterOf(itemStartAngle);
        RemoveParameterOf(itemStartPoint);
        return TRUE;
    }
    const Feature2dBase* pShape = pDocument->GetFeature(picked.GetRecordID());
    if (pShape == nullptr)
        return TRUE;
    BuildMethodParameter(IsCurved(pShape->GetFeatureType()));
    if (m_pManager != nullptr)
        m_pManager->UpdateParameterInBar(this, FindParameterIndex(itemPoints), TRUE);
    BuildStartParameter(-1, pShape, TRUE);
    return TRUE;
}

BOOL Divide2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex != FindParameterIndex(itemPoints))
        return TRUE;
    const CommandParameter* pMethod = GetParameter(nIndex);
    if (pMethod->GetCurrentIndex() == nAlternative)
        return FALSE;
    if (nAlternative == 0) {
        RemoveParameterOf(itemStartAngle);
        RemoveParameterOf(itemStartPoint);
        return TRUE;
    }
    const ParameterItemBase* pNew = pMethod->GetItem(nAlternative);
    if (pNew != nullptr)
        BuildStartParameter(pNew->GetId(), nullptr, FALSE);
    return TRUE;
}

double Divide2dCommand::GetSweepAngle(const Feature2dBase* pFeature)
{
    double s = 0.0;
    double e = 0.0;
    int direction = 0;
    switch (pFeature != nullptr ? pFeature->GetFeatureType() : 0) {
    case FeatureTypeCircle:
    case FeatureTypeEllipse:
        return 360.0;
    case FeatureTypeArc: {
        const auto* a = static_cast<const Arc2dFeature*>(pFeature);
        s = a->GetStartAngle();
        e = a->GetEndAngle();
        direction = a->GetDirection();
        break;
    }
    case FeatureTypeEllipseArc: {
        const auto* a = static_cast<const EllipseArc2dFeature*>(pFeature);
        s = a->GetStartAngle();
        e = a->GetEndAngle();
        direction = a->GetDirection();
        break;
    }
    default:
        return 0.0;
    }
    if (direction == 0)
        return e >= s ? e - s : e + 360.0 - s;
    return e >= s ? s + 360.0 - e : s - e;
}

BOOL Divide2dCommand::GetPointAtAngle(const Feature2dBase* pFeature, double dAngle, RuVaPnt2d& point)
{
    switch (pFeature != nullptr ? pFeature->GetFeatureType() : 0) {
    case FeatureTypeCircle:
        point = static_cast<const Circle2dFeature*>(pFeature)->GetPoint(dAngle);
        return TRUE;
    case FeatureTypeEllipse:
        point = static_cast<const Ellipse2dFeature*>(pFeature)->GetPoint(dAngle);
        return TRUE;
    case FeatureTypeArc: {
        const auto* a = static_cast<const Arc2dFeature*>(pFeature);
        const double t = dAngle * RuVa::DegToRad;
        point = RuVaPnt2d(a->GetCenterPoint().X() + a->GetRadius() * std::cos(t),
                          a->GetCenterPoint().Y() + a->GetRadius() * std::sin(t));
        return TRUE;
    }
    case FeatureTypeEllipseArc:
        point = static_cast<const EllipseArc2dFeature*>(pFeature)->GetPoint(dAngle);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL Divide2dCommand::CollectPitchParameters(const RuVaEntity2d* pCurve, double dPitch, double dFrom, double dTo,
                                             CArray<double>& parameters)
{
    const double first = KcCurveParam::FirstParameter(pCurve);
    double s = KcCurveParam::GetCurveLength(pCurve, first, dFrom);
    const double stretch = KcCurveParam::GetCurveLength(pCurve, dFrom, dTo);
    if (s < 0.0 || stretch < 0.0 || !(dPitch > 0.0))
        return FALSE;
    const double total = s + stretch;
    for (; s < total + 1e-7 && parameters.GetSize() <= 2 * kMaxPieces; s += dPitch) {
        double u = 0.0;
        RuVaPnt2d p;
        if (s <= 0.0)
            u = first;
        else if (!KcCurveParam::GetLengthParameter(pCurve, s, first, u, p))
            u = KcCurveParam::LastParameter(pCurve);  // the end of a spline, within the tolerance
        parameters.Add(u);
    }
    return parameters.IsEmpty() ? FALSE : TRUE;
}

BOOL Divide2dCommand::CreatePieces(const RuVaEntity2d* pCurve, const Feature2dBase* pShape,
                                   const CArray<double>& parameters, CArray<Feature2dBase*>& pieces)
{
    if (parameters.GetSize() < 1)
        return FALSE;
    for (INT_PTR i = 0; i + 1 < parameters.GetSize(); ++i) {
        const double a = parameters[i];
        const double b = parameters[i + 1];
        const double m = KcGeometryTool::GetCurveMiddleParameter(pCurve, a, b);
        if (!(std::fabs(b - a) > kParameterGap && std::fabs(b - m) > kParameterGap && std::fabs(a - m) > kParameterGap))
            continue;
        std::unique_ptr<RuVaEntity2d> piece(KcGeometryTool::TrimCurve(pCurve, a, b, m));
        Feature2dBase* pPiece = piece ? ConvertGeom2dToFeature::Convert(piece.get()) : nullptr;
        if (pPiece == nullptr) {
            // Nothing half made: the document is untouched until every piece exists.
            DeletePieces(pieces);
            return FALSE;
        }
        pPiece->CopyBase(pShape);
        pPiece->CopyAttribute(pShape);
        pieces.Add(pPiece);
    }
    return pieces.IsEmpty() ? FALSE : TRUE;
}

BOOL Divide2dCommand::DivideByCount(const Feature2dBase* pShape, int nCount, const RuVaPnt2d& start,
                                    CArray<Feature2dBase*>& pieces)
{
    if (nCount < 2 || nCount > kMaxPieces) {
        EditCommandHelper::ShowMessage(this, kCountOutOfRange);
        return FALSE;
    }
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pShape));
    const double length = curve ? KcCurveParam::GetCurveLength(curve.get()) : -1.0;
    if (!(length > 0.0))
        return FALSE;
    return DivideByPitch(pShape, length / nCount, start, pieces);
}

BOOL Divide2dCommand::DivideByAngle(const Feature2dBase* pShape, double dAngle, const RuVaPnt2d& start,
                                    CArray<Feature2dBase*>& pieces)
{
    const double sweep = GetSweepAngle(pShape);
    if (!(dAngle > 0.0) || !(sweep > 0.0))
        return FALSE;
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pShape));
    const double length = curve ? KcCurveParam::GetCurveLength(curve.get()) : -1.0;
    if (!(length > 0.0))
        return FALSE;
    return DivideByPitch(pShape, length * dAngle / sweep, start, pieces);
}

BOOL Divide2dCommand::DivideByPitch(const Feature2dBase* pShape, double dPitch, const RuVaPnt2d& start,
                                    CArray<Feature2dBase*>& pieces)
{
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pShape));
    if (!(dPitch > 0.0) || !curve)
        return FALSE;
    const RuVaEntity2d* c = curve.get();
    const double length = KcCurveParam::GetCurveLength(c);
    if (!(length > 0.0))
        return FALSE;
    const double n = length / dPitch;
    if (n > kMaxPieces) {
        EditCommandHelper::ShowMessage(this, kTooManyPieces);
        return FALSE;
    }
    const double first = KcCurveParam::FirstParameter(c);
    const double last = KcCurveParam::LastParameter(c);
    double t0 = first;
    if (!KcGeometryTool::GetCurveProjectionParameter(c, start, t0))
        t0 = first;
    const BOOL bClosed = KcGeometryTool::IsCurvePeriodicClosed(c);
    const double remainder = std::fabs(length - std::floor(n) * dPitch);
    const double d0 = KcCurveParam::GetCurveLength(c, first, t0);
    double seed = first;
    if (bClosed) {
        seed = t0;
    } else if (KcCurveParam::GetCurveLength(c, t0, last) < d0) {
        // The whole pieces are laid from the end nearer the start point.
        RuVaPnt2d p;
        if (!KcCurveParam::GetLengthParameter(c, remainder, first, seed, p))
            seed = first;
    }
    CArray<double> parameters;
    const BOOL bCollected = CollectPitchParameters(c, dPitch, seed, last, parameters);
    if (!bClosed) {
        if (!bCollected)
            return FALSE;
        parameters.InsertAt(0, first);
        parameters.Add(last);
    } else {
        const double p = parameters.IsEmpty() ? seed : parameters[parameters.GetSize() - 1];
        const double rest = KcCurveParam::GetCurveLength(c, p, last);
        if (rest + d0 > dPitch + 1e-7) {
            RuVaPnt2d point;
            double from = first;
            if (KcCurveParam::GetLengthParameter(c, dPitch - rest, first, from, point))
                CollectPitchParameters(c, dPitch, from, seed, parameters);
        }
        parameters.Add(seed);
    }
    return CreatePieces(c, pShape, parameters, pieces);
}

BOOL Divide2dCommand::DivideAtPoints(const Feature2dBase* pShape, const KcArrayOfGePnt2d& points,
                                     CArray<Feature2dBase*>& pieces)
{
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pShape));
    if (!curve)
        return FALSE;
    CArray<double> parameters;
    for (INT_PTR i = 0; i < points.GetSize(); ++i) {
        double u = 0.0;
        if (!KcGeometryTool::GetCurveProjectionParameter(curve.get(), points[i], u))
            continue;
        INT_PTR at = 0;
        while (at < parameters.GetSize() && parameters[at] <= u)
            ++at;
        parameters.InsertAt(at, u);
    }
    if (KcGeometryTool::IsCurvePeriodicClosed(curve.get())) {
        if (parameters.IsEmpty())
            return FALSE;
        parameters.Add(parameters[0]);
    } else {
        parameters.InsertAt(0, KcCurveParam::FirstParameter(curve.get()));
        parameters.Add(KcCurveParam::LastParameter(curve.get()));
    }
    return CreatePieces(curve.get(), pShape, parameters, pieces);
}

int Divide2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const auto* pShapeItem = dynamic_cast<const FeatureParameterItem*>(FindItem(itemShape));
    FeatureLayout picked;
    RuVaPnt2d pick;
    if (pDocument == nullptr || pShapeItem == nullptr || pShapeItem->IsEmpty() ||
        !pShapeItem->GetValueAndPickPoint(picked, pick))
        return resultMissing;
    EditCommandHelper::Place place;
    if (!EditCommandHelper::Locate(pDocument, picked, place))
        return resultMissing;
    m_nLayoutID = picked.GetLayoutID();
    const Feature2dBase* pShape = place.pFeature;
    const BOOL bCurved = IsCurved(pShape->GetFeatureType());
    // Points of the active drawing carried through the world into the shape's own coordinates.
    auto toShape = [&](const RuVaPnt2d& local) {
        RuVaPnt2d world = local;
        if (m_pManager != nullptr)
            m_pManager->LocalToWorldPoint(local, world);
        return EditCommandHelper::WorldToLocal(place.pLayout, world);
    };

    RuVaPnt2d start = EditCommandHelper::WorldToLocal(place.pLayout, pick);
    const int startIndex = FindParameterIndex(itemStartAngle) >= 0 ? FindParameterIndex(itemStartAngle)
                                                                     : FindParameterIndex(itemStartPoint);
    if (startIndex >= 0) {
        const ParameterItemBase* pStart = GetParameterItem(startIndex);
        if (pStart == nullptr || pStart->IsEmpty())
            return resultMissing;
        if (pStart->GetId() == itemStartAngle) {
            double angle = 0.0;
            if (!static_cast<const AngleParameterItem*>(pStart)->GetValue(angle) ||
                !GetPointAtAngle(pShape, angle, start))
                return resultMissing;
        } else {
            RuVaPnt2d local;
            if (!GetPointValue(*pStart, local, TRUE))
                return resultMissing;
            start = toShape(local);
        }
    }
    const int methodIndex = FindParameterIndex(itemPoints);
    const ParameterItemBase* pMethod = methodIndex >= 0 ? GetParameterItem(methodIndex) : nullptr;
    if (pMethod == nullptr)
        return resultMissing;
    if (pMethod->GetId() == itemAngle && !bCurved) {
        // A shape with no angles: the points are asked for instead.
        OnAlternativeChanging(methodIndex, 0);
        GetParameter(methodIndex)->SetCurrentIndex(0);
        if (m_pManager != nullptr)
            m_pManager->UpdateParameterInBar(this, methodIndex, TRUE);
        return resultMissing;
    }
    if (pMethod->IsEmpty())
        return resultMissing;

    CArray<Feature2dBase*> pieces;
    BOOL bMade = FALSE;
    switch (pMethod->GetId()) {
    case itemCount: {
        int count = 0;
        if (static_cast<const IntegerParameterItem*>(pMethod)->GetValue(count))
            bMade = DivideByCount(pShape, count, start, pieces);
        break;
    }
    case itemPitch: {
        double pitch = 0.0;
        if (static_cast<const LengthParameterItem*>(pMethod)->GetValue(pitch)) {
            pitch = CornerEditor::LengthToWorld(this, pitch);
            if (place.pLayout != nullptr)
                pitch = place.pLayout->ConvertLengthWorldToLocal(pitch);
            bMade = DivideByPitch(pShape, pitch, start, pieces);
        }
        break;
    }
    case itemAngle: {
        double angle = 0.0;
        if (static_cast<const AngleParameterItem*>(pMethod)->GetValue(angle) && angle > 0.0 && angle < 360.0)
            bMade = DivideByAngle(pShape, angle, start, pieces);
        break;
    }
    case itemPoints: {
        KcArrayOfGePnt2d points;
        if (static_cast<const PointArrayParameterItem*>(pMethod)->GetValue(points) &&
            points.GetSize() >= (bCurved ? 2 : 1)) {
            for (INT_PTR i = 0; i < points.GetSize(); ++i)
                points.SetAt(i, toShape(points[i]));
            bMade = DivideAtPoints(pShape, points, pieces);
        }
        break;
    }
    default:
        break;
    }
    if (!bMade) {
        DeletePieces(pieces);
        return resultMissing;
    }
    BOOL bDone = TRUE;
    pDocument->BeginUndoOperation(nullptr);
    const int undoBefore = pDocument->GetUndoCount();
    for (INT_PTR i = 0; i < pieces.GetSize() && bDone; ++i)
        bDone = pDocument->AddFeature(pieces[i], place.pDrawing, 1) != -1;
    if (bDone)
        pDocument->DeleteFeature(picked.GetRecordID(), 1);
    pDocument->EndUndoOperation();
    DeletePieces(pieces);
    if (!bDone && pDocument->GetUndoCount() > undoBefore) {
        pDocument->Undo(1);
        pDocument->ClearRedoHistory();
    }
    pDocument->UpdateAllFeatures(TRUE);
    return bDone ? resultDone : resultMissing;
}

}  // namespace QZ2Command
