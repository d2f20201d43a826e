#include "libs/vevure/FeatureCreator.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QImage>
#include <QtGui/QImageReader>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/ParallelDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureOffsetting.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/Tolerance2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"

namespace {

constexpr double kTol = FeatureGeometry::kPointTolerance;

template <class T>
T* ValidOrNull(std::unique_ptr<T> f)
{
    return f && f->IsValid() ? f.release() : nullptr;
}

bool IsUsableLength(double d)
{
    return std::isfinite(d) && std::fabs(d) >= kTol && std::fabs(d) < FeatureGeometry::kMaxCoordinate;
}

RuVaVec2d DirectionOf(double dAngleDeg)
{
    const double a = dAngleDeg * RuVa::DegToRad;
    return RuVaVec2d(std::cos(a), std::sin(a));
}

// The centre of the circle through three points; FALSE when they are (nearly) on one line.
bool CircumCentre(const RuVaPnt2d& a, const RuVaPnt2d& b, const RuVaPnt2d& c, RuVaPnt2d& centre)
{
    const double bx = b.X() - a.X(), by = b.Y() - a.Y(), cx = c.X() - a.X(), cy = c.Y() - a.Y();
    const double d = 2.0 * (bx * cy - by * cx);
    const double scale = std::max(bx * bx + by * by, cx * cx + cy * cy);
    if (!(std::fabs(d) > 1e-12 * scale) || scale <= kTol * kTol)
        return false;
    const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    centre = RuVaPnt2d(a.X() + (cy * b2 - by * c2) / d, a.Y() + (bx * c2 - cx * b2) / d);
    return FeatureGeometry::IsFinitePoint(centre);
}

}  // namespace

Line2dFeature* FeatureCreator::CreateLineFeature(const RuVaPnt2d& start, const RuVaPnt2d& end)
{
    auto f = std::make_unique<Line2dFeature>();
    return f->SetPoint(start, end) ? f.release() : nullptr;
}

Line2dFeature* FeatureCreator::CreateLineFeature(const RuVaPnt2d& start, double dLength, const RuVaPnt2d& end)
{
    const double d = start.Distance(end);
    if (!IsUsableLength(dLength) || d < kTol)
        return nullptr;
    const RuVaVec2d u = (end - start) / d;
    return CreateLineFeature(start, start + u * dLength);
}

Line2dFeature* FeatureCreator::CreateLineFeature(const RuVaPnt2d& start, double dLength, double dAngleDeg,
                                                 const RuVaPnt2d& end)
{
    if (!IsUsableLength(dLength) || !std::isfinite(dAngleDeg))
        return nullptr;
    RuVaVec2d u = DirectionOf(dAngleDeg);
    if ((end - start).Dot(u) < 0.0)
        u = -u;
    return CreateLineFeature(start, start + u * dLength);
}

Line2dFeature* FeatureCreator::CreateAngledLineFeature(double dAngleDeg, const RuVaPnt2d& start, const RuVaPnt2d& end)
{
    if (!std::isfinite(dAngleDeg))
        return nullptr;
    const RuVaVec2d u = DirectionOf(dAngleDeg);
    return CreateLineFeature(start, start + u * (end - start).Dot(u));
}

Line2dFeature* FeatureCreator::CreateAngledLineFeature(double dAngleDeg, const RuVaPnt2d& start, double dLength)
{
    if (!std::isfinite(dAngleDeg) || !IsUsableLength(dLength))
        return nullptr;
    return CreateLineFeature(start, start + DirectionOf(dAngleDeg) * dLength);
}

Line2dFeature* FeatureCreator::CreateHorizontalLineFeature(const RuVaPnt2d& start, const RuVaPnt2d& end)
{
    return CreateLineFeature(start, RuVaPnt2d(end.X(), start.Y()));
}

Line2dFeature* FeatureCreator::CreateVerticalLineFeature(const RuVaPnt2d& start, const RuVaPnt2d& end)
{
    return CreateLineFeature(start, RuVaPnt2d(start.X(), end.Y()));
}

Line2dFeature* FeatureCreator::CreateHorizontalVerticalLineFeature(const RuVaPnt2d& start, const RuVaPnt2d& end)
{
    return std::fabs(end.X() - start.X()) >= std::fabs(end.Y() - start.Y()) ? CreateHorizontalLineFeature(start, end)
                                                                             : CreateVerticalLineFeature(start, end);
}

Line2dFeature* FeatureCreator::CreateHorizontalLineFeature(const RuVaPnt2d& start, double dLength, const RuVaPnt2d& dir)
{
    if (!IsUsableLength(dLength))
        return nullptr;
    const double sign = dir.X() < start.X() ? -1.0 : 1.0;
    return CreateLineFeature(start, RuVaPnt2d(start.X() + sign * std::fabs(dLength), start.Y()));
}

Line2dFeature* FeatureCreator::CreateVerticalLineFeature(const RuVaPnt2d& start, double dLength, const RuVaPnt2d& dir)
{
    if (!IsUsableLength(dLength))
        return nullptr;
    const double sign = dir.Y() < start.Y() ? -1.0 : 1.0;
    return CreateLineFeature(start, RuVaPnt2d(start.X(), start.Y() + sign * std::fabs(dLength)));
}

Line2dFeature* FeatureCreator::CreateHorizontalVerticalLineFeature(const RuVaPnt2d& start, double dLength,
                                                                   const RuVaPnt2d& dir)
{
    return std::fabs(dir.X() - start.X()) >= std::fabs(dir.Y() - start.Y())
               ? CreateHorizontalLineFeature(start, dLength, dir)
               : CreateVerticalLineFeature(start, dLength, dir);
}

Line2dFeature* FeatureCreator::CreateLineFeatureFromPolylineSegment(const Polyline2dFeature* pPolyline,
                                                                    const RuVaPnt2d& pick)
{
    if (pPolyline == nullptr || pPolyline->GetPointSize() < 2)
        return nullptr;
    int best = -1;
    double bestDistance = 0.0;
    for (int i = 0; i + 1 < pPolyline->GetPointSize(); ++i) {
        const RuVaPnt2d& a = pPolyline->GetPoint(i);
        const RuVaPnt2d& b = pPolyline->GetPoint(i + 1);
        const RuVaVec2d ab = b - a;
        const double len2 = ab.SquareMagnitude();
        if (len2 < kTol * kTol)
            continue;
        const double t = std::clamp((pick - a).Dot(ab) / len2, 0.0, 1.0);
        const double d = pick.Distance(a + ab * t);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best < 0 ? nullptr : CreateLineFeature(pPolyline->GetPoint(best), pPolyline->GetPoint(best + 1));
}

Circle2dFeature* FeatureCreator::CreateCircleFeature(const RuVaPnt2d& centre, double dRadius)
{
    if (!FeatureGeometry::IsFinitePoint(centre) || !Circle2dFeature::IsValidRadius(dRadius) || dRadius < kTol)
        return nullptr;
    return new Circle2dFeature(centre, dRadius);
}

Circle2dFeature* FeatureCreator::CreateCircleFeature(const RuVaPnt2d& centre, const RuVaPnt2d& pointOnCircle)
{
    return CreateCircleFeature(centre, centre.Distance(pointOnCircle));
}

Circle2dFeature* FeatureCreator::CreateCircleFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2, const RuVaPnt2d& p3)
{
    RuVaPnt2d centre;
    if (!CircumCentre(p1, p2, p3, centre))
        return nullptr;
    return CreateCircleFeature(centre, centre.Distance(p1));
}

BOOL FeatureCreator::GetArcEndAngle(const Circle2dFeature* pCircle, int nKind, const void* pData,
                                    const RuVaPnt2d& pick, double& dAngleDeg)
{
    if (pData == nullptr)
        return FALSE;
    const RuVaPnt2d& centre = pCircle->GetCenterPoint();
    switch (nKind) {
    case ArcEndAngle:
        dAngleDeg = *static_cast<const double*>(pData);
        return std::isfinite(dAngleDeg);
    case ArcEndPoint: {
        const RuVaPnt2d& p = *static_cast<const RuVaPnt2d*>(pData);
        if (!FeatureGeometry::IsFinitePoint(p) || p.Distance(centre) < kTol)
            return FALSE;
        dAngleDeg = std::atan2(p.Y() - centre.Y(), p.X() - centre.X()) * RuVa::RadToDeg;
        return TRUE;
    }
    case ArcEndFeature: {
        // The meeting point of the shape and the circle nearest the pick point.
        std::unique_ptr<RuVaEntity2d> circle(ConvertFeatureToGeom2d::Convert(pCircle));
        std::unique_ptr<RuVaEntity2d> other(ConvertFeatureToGeom2d::Convert(static_cast<const Feature2dBase*>(pData)));
        if (!circle || !other)
            return FALSE;
        KcInterCurveCurve2d inter(circle.get(), other.get());
        if (!inter.IsDone() || inter.NbPoints() == 0)
            return FALSE;
        int best = 0;
        for (int i = 1; i < inter.NbPoints(); ++i)
            if (inter.GetPoint(i).Distance(pick) < inter.GetPoint(best).Distance(pick))
                best = i;
        const RuVaPnt2d p = inter.GetPoint(best);
        dAngleDeg = std::atan2(p.Y() - centre.Y(), p.X() - centre.X()) * RuVa::RadToDeg;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

Arc2dFeature* FeatureCreator::CreateArcFeature(const Circle2dFeature* pCircle, int nStartKind, const void* pStartData,
                                               const RuVaPnt2d& startPick, int nEndKind, const void* pEndData,
                                               const RuVaPnt2d& endPick, int nDirection)
{
    if (pCircle == nullptr || !pCircle->IsValid() || (nDirection != 0 && nDirection != 1))
        return nullptr;
    double start, end;
    if (!GetArcEndAngle(pCircle, nStartKind, pStartData, startPick, start) ||
        !GetArcEndAngle(pCircle, nEndKind, pEndData, endPick, end))
        return nullptr;
    start = RuVa::CorrectAngle(start);
    end = RuVa::CorrectAngle(end);
    const double gap = std::fabs(start - end);
    if ((gap < 360.0 ? std::min(gap, 360.0 - gap) : 0.0) * RuVa::DegToRad * pCircle->GetRadius() < kTol)
        return nullptr;
    return ValidOrNull(std::make_unique<Arc2dFeature>(pCircle->GetCenterPoint(), pCircle->GetRadius(), start, end,
                                                      nDirection));
}

Arc2dFeature* FeatureCreator::CreateArcFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2, const RuVaPnt2d& p3)
{
    RuVaPnt2d centre;
    if (p1.Distance(p3) < kTol || !CircumCentre(p1, p2, p3, centre))
        return nullptr;
    const double r = centre.Distance(p1);
    if (!Circle2dFeature::IsValidRadius(r))
        return nullptr;
    auto angleOf = [&](const RuVaPnt2d& p) { return std::atan2(p.Y() - centre.Y(),
                       p.X() - centre.X()) * RuVa::RadToDeg; };
    // Counter-clockwise when the three points turn left, so that the arc passes through the middle one.
    const bool ccw = (p2 - p1).Crossed(p3 - p2) > 0.0;
    return ValidOrNull(std::make_unique<Arc2dFeature>(centre, r, angleOf(p1), angleOf(p3),
                                                      ccw ? Arc2dFeature::CounterClockwise : Arc2dFeature::Clockwise));
}

Ellipse2dFeature* FeatureCreator::CreateEllipseFeature(const RuVaPnt2d& centre, double dRadius1, double dRadius2,
                                                       double dAngleDeg)
{
    if (!FeatureGeometry::IsFinitePoint(centre) || !std::isfinite(dAngleDeg) || !(dRadius1 >= kTol) ||
        !(dRadius2 >= kTol) || !Circle2dFeature::IsValidRadius(dRadius1) || !Circle2dFeature::IsValidRadius(dRadius2))
        return nullptr;
    // The major radius is the larger one; the angle follows it.
    if (dRadius2 > dRadius1)
        return new Ellipse2dFeature(centre, dRadius2, dRadius1, dAngleDeg + 90.0);
    return new Ellipse2dFeature(centre, dRadius1, dRadius2, dAngleDeg);
}

BSplineCurve2dFeature* FeatureCreator::CreateBSplineCurveFeatureByControlPoints(const KcArrayOfGePnt2d& points,
                                                                                int nDegree, BOOL bClosed)
{
    auto f = std::make_unique<BSplineCurve2dFeature>();
    return f->SetPoints(points, BSplineCurve2dFeature::ControlPoints, nDegree, bClosed) ? f.release() : nullptr;
}

BSplineCurve2dFeature* FeatureCreator::CreateBSplineCurveFeatureByInterpolatePoints(const KcArrayOfGePnt2d& points,
                                                                                    BOOL bClosed)
{
    auto f = std::make_unique<BSplineCurve2dFeature>();
    return f->SetPoints(points, BSplineCurve2dFeature::InterpolatePoints, 3, bClosed) ? f.release() : nullptr;
}

Polyline2dFeature* FeatureCreator::CreatePolylineFeature(const KcArrayOfGePnt2d& points, BOOL bClose)
{
    return ValidOrNull(std::make_unique<Polyline2dFeature>(points, bClose));
}

Polyline2dFeature* FeatureCreator::CreatePolylineFeature(const RuVaPnt2d& corner1, const RuVaPnt2d& corner2)
{
    if (std::fabs(corner1.X() - corner2.X()) < kTol || std::fabs(corner1.Y() - corner2.Y()) < kTol)
        return nullptr;
    KcArrayOfGePnt2d points;
    points.Add(corner1);
    points.Add(RuVaPnt2d(corner2.X(), corner1.Y()));
    points.Add(corner2);
    points.Add(RuVaPnt2d(corner1.X(), corner2.Y()));
    return CreatePolylineFeature(points, TRUE);
}

Polyline2dFeature* FeatureCreator::CreateRectanglePolylineFeature(double dWidth, double dHeight, double dAngleDeg,
                                                                  int nAlignment, const RuVaPnt2d& point)
{
    if (!IsUsableLength(dWidth) || !IsUsableLength(dHeight) || dWidth < 0.0 || dHeight < 0.0 ||
        !std::isfinite(dAngleDeg) || nAlignment < LocateBottomLeft || nAlignment > LocateTopRight ||
        !FeatureGeometry::IsFinitePoint(point))
        return nullptr;
    const RuVaVec2d u = DirectionOf(dAngleDeg), v(-u.Y(), u.X());
    const RuVaPnt2d lowerLeft = point - u * (0.5 * dWidth * (nAlignment % 3)) - v * (0.5 * dHeight * (nAlignment / 3));
    KcArrayOfGePnt2d points;
    FeatureGeometry::RectangleOutline(lowerLeft, dWidth, dHeight, dAngleDeg, points);
    return CreatePolylineFeature(points, TRUE);
}

Polyline2dFeature* FeatureCreator::CreateRegularPolygon(int nSides, const RuVaPnt2d& centre, double dCircumRadius,
                                                        double dAngleDeg)
{
    if (nSides < 3 || nSides > kMaxPolygonSides || !FeatureGeometry::IsFinitePoint(centre) ||
        !IsUsableLength(dCircumRadius) || dCircumRadius < 0.0 || !std::isfinite(dAngleDeg))
        return nullptr;
    KcArrayOfGePnt2d points;
    for (int i = 0; i < nSides; ++i)
        points.Add(centre + DirectionOf(dAngleDeg + 360.0 * i / nSides) * dCircumRadius);
    return CreatePolylineFeature(points, TRUE);
}

Polyline2dFeature* FeatureCreator::CreateInscribedPolygonPolylineFeature(int nSides, const RuVaPnt2d& centre,
                                                                         double dRadius, double dAngleDeg)
{
    return CreateRegularPolygon(nSides, centre, dRadius, dAngleDeg);
}

Polyline2dFeature* FeatureCreator::CreateCircumscribedPolygonPolylineFeature(int nSides, const RuVaPnt2d& centre,
                                                                             double dRadius, double dAngleDeg)
{
    if (nSides < 3 || nSides > kMaxPolygonSides)
        return nullptr;
    return CreateRegularPolygon(nSides, centre, dRadius / std::cos(RuVa::Pi / nSides), dAngleDeg);
}

Polyline2dFeature* FeatureCreator::CreateOneSidePolygonPolylineFeature(int nSides, const RuVaPnt2d& centre,
                                                                       double dSide, double dAngleDeg)
{
    if (nSides < 3 || nSides > kMaxPolygonSides)
        return nullptr;
    return CreateRegularPolygon(nSides, centre, dSide / (2.0 * std::sin(RuVa::Pi / nSides)), dAngleDeg);
}

Polyline2dFeature* FeatureCreator::CreateVertexPolygonPolylineFeature(int nSides, const RuVaPnt2d& p1,
                                                                      const RuVaPnt2d& p2)
{
    const double side = p1.Distance(p2);
    if (nSides < 3 || nSides > kMaxPolygonSides || side < kTol || !FeatureGeometry::IsFinitePoint(p1) ||
        !FeatureGeometry::IsFinitePoint(p2))
        return nullptr;
    // Walk round counter-clockwise: each side turns by the exterior angle.
    KcArrayOfGePnt2d points;
    RuVaPnt2d p = p1;
    RuVaVec2d step = p2 - p1;
    for (int i = 0; i < nSides; ++i) {
        points.Add(p);
        p = p + step;
        step.Rotate(RuVa::TwoPi / nSides);
    }
    return CreatePolylineFeature(points, TRUE);
}

PointMarker2dFeature* FeatureCreator::CreatePointMarkerFeature(const PointMarker2dFeature* pTemplate,
                                                               const RuVaPnt2d& point,
                                                               const PointMarkerSetting* pSetting)
{
    auto marker = std::make_unique<PointMarker2dFeature>();
    if (pTemplate)
        marker->Copy(pTemplate, Feature2dBase::copyAll);
    if (!marker->SetPoint(point))
        return nullptr;
    if (pSetting && !FeatureSettingConverter::SetPointMarkerSettingToFeature(marker.get(), *pSetting))
        return nullptr;
    return ValidOrNull(std::move(marker));
}

PointMarker2dFeature* FeatureCreator::CreateRelativePointMarkerFeature(const RuVaPnt2d& base, double dDistance,
                                                                       double dAngleDeg)
{
    if (!std::isfinite(dDistance) || !std::isfinite(dAngleDeg))
        return nullptr;
    return CreatePointMarkerFeature(nullptr, base + DirectionOf(dAngleDeg) * dDistance, nullptr);
}

PointMarker2dFeature* FeatureCreator::CreateRelativePointMarkerFeature(const RuVaPnt2d& base, double dDistance,
                                                                       const RuVaPnt2d& towards)
{
    const double d = base.Distance(towards);
    if (!std::isfinite(dDistance) || !(d >= kTol))
        return nullptr;
    return CreatePointMarkerFeature(nullptr, base + (towards - base) * (dDistance / d), nullptr);
}

BOOL FeatureCreator::CreateDivisionPointMarkerFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nMode,
                                                      double dValue, Feature2dList& markers)
{
    const double length = p1.Distance(p2);
    if (!FeatureGeometry::IsFinitePoint(p1) || !FeatureGeometry::IsFinitePoint(p2) || length < kTol ||
        !std::isfinite(dValue))
        return FALSE;
    const RuVaVec2d u = (p2 - p1) / length;
    std::vector<double> at;
    if (nMode == 0) {
        const double parts = std::floor(dValue + 0.5);
        if (parts < 2 || parts > kMaxDivisionMarkers)
            return FALSE;
        for (int i = 1; i < (int)parts; ++i)
            at.push_back(length * i / parts);
    } else if (nMode == 1) {
        if (!(dValue >= kTol) || length / dValue > kMaxDivisionMarkers + 1)
            return FALSE;
        for (int i = 1; i * dValue < length - kTol; ++i)
            at.push_back(i * dValue);
    } else {
        return FALSE;
    }
    if (at.empty() || (int)at.size() > kMaxDivisionMarkers)
        return FALSE;
    Feature2dList made;
    for (double d : at) {
        PointMarker2dFeature* marker = CreatePointMarkerFeature(nullptr, p1 + u * d, nullptr);
        if (marker == nullptr)
            return FALSE;
        made.AddFeature(marker, 0);
    }
    markers.Append(made);
    return TRUE;
}

Text2dFeature* FeatureCreator::CreateTextFeature(const CString& strText, const RuVaPnt2d& point, double dAngleDeg,
                                                 const TextSetting* pSetting)
{
    if (strText.IsEmpty())
        return nullptr;
    auto text = std::make_unique<Text2dFeature>(strText, point);
    if (!text->SetPoint(point) || !text->SetAngle(dAngleDeg))
        return nullptr;
    if (pSetting && !FeatureSettingConverter::SetTextSettingToFeature(text.get(), *pSetting))
        return nullptr;
    text->m_bAutoLayout = 1;
    text->SetAutoLayoutRect();
    return ValidOrNull(std::move(text));
}

Tolerance2dFeature* FeatureCreator::CreateToleranceFeature(const Tolerance2dFeature* pTemplate,
                                                           const CString& strFrame, const RuVaPnt2d& point,
                                                           const DimensionSetting* pSetting)
{
    if (strFrame.IsEmpty())
        return nullptr;
    auto frame = std::make_unique<Tolerance2dFeature>();
    if (pTemplate)
        frame->Copy(pTemplate, Feature2dBase::copyAll);
    if (!frame->SetText(strFrame) || !frame->SetToleranceLocatePoint(point))
        return nullptr;
    if (pSetting && !FeatureSettingConverter::SetToleranceSettingToFeature(frame.get(), *pSetting))
        return nullptr;
    return ValidOrNull(std::move(frame));
}

Ellipse2dFeature* FeatureCreator::CreateEllipseFeature(const RuVaPnt2d& centre, int nRadius1Kind, const void* pRadius1,
                                                       int nRadius2Kind, const void* pRadius2, int nAngleKind,
                                                       const void* pAngle)
{
    if (pRadius1 == nullptr || pRadius2 == nullptr || pAngle == nullptr || !FeatureGeometry::IsFinitePoint(centre))
        return nullptr;
    double angle;
    if (nAngleKind == TaggedNumber) {
        angle = *static_cast<const double*>(pAngle);
    } else if (nAngleKind == TaggedPoint) {
        const RuVaPnt2d& p = *static_cast<const RuVaPnt2d*>(pAngle);
        if (p.Distance(centre) < kTol)
            return nullptr;
        angle = std::atan2(p.Y() - centre.Y(), p.X() - centre.X()) * RuVa::RadToDeg;
    } else {
        return nullptr;
    }
    if (!std::isfinite(angle))
        return nullptr;
    const RuVaVec2d axis = DirectionOf(angle);
    double r1, r2;
    if (nRadius1Kind == TaggedNumber)
        r1 = *static_cast<const double*>(pRadius1);
    else if (nRadius1Kind == TaggedPoint)
        r1 = static_cast<const RuVaPnt2d*>(pRadius1)->Distance(centre);
    else
        return nullptr;
    if (nRadius2Kind == TaggedNumber)
        r2 = *static_cast<const double*>(pRadius2);
    else if (nRadius2Kind == TaggedPoint)
        r2 = std::fabs(axis.Crossed(*static_cast<const RuVaPnt2d*>(pRadius2) - centre));
    else
        return nullptr;
    return CreateEllipseFeature(centre, r1, r2, angle);
}

BOOL FeatureCreator::GetEllipseEndParameter(const Ellipse2dFeature* pEllipse, int nKind, const void* pData,
                                            const RuVaPnt2d& pick, double& dParameterDeg)
{
    if (pData == nullptr)
        return FALSE;
    const RuVaPnt2d& centre = pEllipse->GetCenterPoint();
    double direction;  // degrees, from the centre
    switch (nKind) {
    case TaggedNumber:
        direction = *static_cast<const double*>(pData);
        if (!std::isfinite(direction))
            return FALSE;
        break;
    case TaggedPoint: {
        const RuVaPnt2d& p = *static_cast<const RuVaPnt2d*>(pData);
        if (!FeatureGeometry::IsFinitePoint(p) || p.Distance(centre) < kTol)
            return FALSE;
        direction = std::atan2(p.Y() - centre.Y(), p.X() - centre.X()) * RuVa::RadToDeg;
        break;
    }
    case TaggedFeature: {
        std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pEllipse));
        std::unique_ptr<RuVaEntity2d> other(ConvertFeatureToGeom2d::Convert(static_cast<const Feature2dBase*>(pData)));
        if (!curve || !other)
            return FALSE;
        KcInterCurveCurve2d inter(curve.get(), other.get());
        if (!inter.IsDone() || inter.NbPoints() == 0)
            return FALSE;
        int best = 0;
        for (int i = 1; i < inter.NbPoints(); ++i)
            if (inter.GetPoint(i).Distance(pick) < inter.GetPoint(best).Distance(pick))
                best = i;
        const RuVaPnt2d p = inter.GetPoint(best);
        direction = std::atan2(p.Y() - centre.Y(), p.X() - centre.X()) * RuVa::RadToDeg;
        break;
    }
    default:
        return FALSE;
    }
    // The parameter whose point lies in that direction: R cos t : r sin t = cos phi : sin phi.
    const double phi = (direction - pEllipse->GetAngle()) * RuVa::DegToRad;
    dParameterDeg = RuVa::CorrectAngle(std::atan2(pEllipse->GetMajorRadius() * std::sin(phi),
                                                  pEllipse->GetMinorRadius() * std::cos(phi)) *
                                       RuVa::RadToDeg);
    return TRUE;
}

EllipseArc2dFeature* FeatureCreator::CreateEllipseArcFeature(const Ellipse2dFeature* pEllipse, int nStartKind,
                                                             const void* pStartData, const RuVaPnt2d& startPick,
                                                             int nEndKind, const void* pEndData,
                                                             const RuVaPnt2d& endPick, int nDirection)
{
    if (pEllipse == nullptr || !pEllipse->IsValid() || (nDirection != 0 && nDirection != 1))
        return nullptr;
    double start, end;
    if (!GetEllipseEndParameter(pEllipse, nStartKind, pStartData, startPick, start) ||
        !GetEllipseEndParameter(pEllipse, nEndKind, pEndData, endPick, end))
        return nullptr;
    if (pEllipse->GetPoint(start).Distance(pEllipse->GetPoint(end)) < kTol)
        return nullptr;
    auto arc = std::make_unique<EllipseArc2dFeature>(pEllipse->GetCenterPoint(), pEllipse->GetMajorRadius(),
                                                     pEllipse->GetMinorRadius(), pEllipse->GetAngle(), start, end,
                                                     nDirection);
    return ValidOrNull(std::move(arc));
}

Feature2dBase* FeatureCreator::CreateOffsetFeature(const Feature2dBase* pFeature, const RuVaPnt2d& through)
{
    const double d = FeatureOffsetting::GetDistanceToFeature(pFeature, through);
    return d < 0.0 ? nullptr : FeatureOffsetting::OffsetFeature(pFeature, d, through);
}

Feature2dBase* FeatureCreator::CreateOffsetFeature(const Feature2dBase* pFeature, double dDistance,
                                                   const RuVaPnt2d& side)
{
    return FeatureOffsetting::OffsetFeature(pFeature, dDistance, side);
}

namespace {

// Adds a marker unless one lies within the tolerance already.
void AddMarkerOnce(std::vector<RuVaPnt2d>& points, const RuVaPnt2d& p)
{
    for (const RuVaPnt2d& q : points)
        if (q.Distance(p) < kTol)
            return;
    points.push_back(p);
}

BOOL MarkersAt(const std::vector<RuVaPnt2d>& points, Feature2dList& markers)
{
    if (points.empty())
        return FALSE;
    Feature2dList made;
    for (const RuVaPnt2d& p : points) {
        PointMarker2dFeature* marker = FeatureCreator::CreatePointMarkerFeature(nullptr, p, nullptr);
        if (marker == nullptr)
            return FALSE;
        made.AddFeature(marker, 0);
    }
    markers.Append(made);
    return TRUE;
}

}  // namespace

BOOL FeatureCreator::CreateIntersectionPointMarkerFeature(const Feature2dBase* pFirst, const Feature2dBase* pSecond,
                                                          Feature2dList& markers)
{
    std::unique_ptr<RuVaEntity2d> a(ConvertFeatureToGeom2d::Convert(pFirst));
    std::unique_ptr<RuVaEntity2d> b(ConvertFeatureToGeom2d::Convert(pSecond));
    if (!a || !b)
        return FALSE;
    KcInterCurveCurve2d inter(a.get(), b.get());
    if (!inter.IsDone())
        return FALSE;
    std::vector<RuVaPnt2d> points;
    for (int i = 0; i < inter.NbPoints(); ++i)
        AddMarkerOnce(points, inter.GetPoint(i));
    return MarkersAt(points, markers);
}

BOOL FeatureCreator::CreateIntersectionPointMarkerFeature(const Feature2dBase* pFeature, Feature2dList& markers)
{
    if (pFeature == nullptr || pFeature->GetFeatureType() != FeatureTypePolyline || !pFeature->IsValid())
        return FALSE;
    const auto* polyline = static_cast<const Polyline2dFeature*>(pFeature);
    const int n = polyline->GetPointSize();
    const bool closed = polyline->IsClosed() != FALSE;
    std::vector<RuVaPnt2d> points;
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 2; j + 1 < n; ++j) {
            if (closed && i == 0 && j == n - 2)
                continue;  // the closing corner
            RuVaPnt2d meet;
            if (KcGeometryTool::GetIntersectionPointOnLineLine(polyline->GetPoint(i), polyline->GetPoint(i + 1),
                                                               polyline->GetPoint(j), polyline->GetPoint(j + 1), meet))
                AddMarkerOnce(points, meet);
        }
    return MarkersAt(points, markers);
}

namespace {

// The straight line a straight shape lies on.
bool StraightLineOf(const Feature2dBase* f, RuVaPnt2d& origin, RuVaVec2d& dir)
{
    if (f == nullptr)
        return false;
    if (f->GetFeatureType() == FeatureTypeLine) {
        const auto* l = static_cast<const Line2dFeature*>(f);
        origin = l->GetStartPoint();
        dir = (l->GetEndPoint() - l->GetStartPoint()).Normalized();
        return true;
    }
    if (f->GetFeatureType() == FeatureTypeInfiniteLine || f->GetFeatureType() == FeatureTypeSemiInfiniteLine) {
        const auto* l = static_cast<const InfiniteLine2dFeature*>(f);
        origin = l->GetPoint();
        dir = l->GetDirection().Vec();
        return true;
    }
    return false;
}

// The curve's point nearest the given point, with the unit tangent there.
bool NearestWithTangent(const Feature2dBase* f, const RuVaPnt2d& p, RuVaPnt2d& at, RuVaVec2d& tangent)
{
    RuVaPnt2d origin;
    if (StraightLineOf(f, origin, tangent)) {
        at = origin + tangent * (p - origin).Dot(tangent);
        return true;
    }
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(f));
    if (!curve || !curve->IsCurveEntity())
        return false;
    KcProjectPointOnCurve2d projection(p, curve.get());
    if (!projection.IsDone() || projection.NbPoints() == 0)
        return false;
    int best = 0;
    for (int i = 1; i < projection.NbPoints(); ++i)
        if (projection.Distance(i) < projection.Distance(best))
            best = i;
    RuVaVec2d d1;
    if (!KcCurveParam::GetPointAndDerivative(curve.get(), projection.Parameter(best), at, d1) || d1.IsNull())
        return false;
    tangent = d1.Normalized();
    return true;
}

Line2dFeature* LineAlong(const RuVaPnt2d& from, const RuVaVec2d& dir, const RuVaPnt2d& end)
{
    return FeatureCreator::CreateLineFeature(from, from + dir * (end - from).Dot(dir));
}

// A circle, arc, ellipse or elliptic arc as an ellipse c + a cos t u + b sin t v; arcs cover the
// parameters (degrees) from start through sweep in their direction.
struct Conic {
    RuVaPnt2d c;
    double a = 0.0, b = 0.0;
    RuVaVec2d u, v;
    bool arc = false;
    double start = 0.0, sweep = 360.0;
    int direction = 0;

    RuVaPnt2d At(double t) const { return c + u * (a * std::cos(t)) + v * (b * std::sin(t)); }
    bool Covers(double t) const
    {
        if (!arc)
            return true;
        const double deg = t * RuVa::RadToDeg;
        double delta = std::fmod(direction == 0 ? deg - start : start - deg, 360.0);
        if (delta < 0.0)
            delta += 360.0;
        return delta <= sweep + 1e-9 || delta >= 360.0 - 1e-9;
    }
    // The support distance along the unit normal n and the touching point of the tangent with that normal
    // on the side of n.
    double Support(const RuVaVec2d& n) const
    {
        const double nu = n.Dot(u), nv = n.Dot(v);
        return std::sqrt(a * a * nu * nu + b * b * nv * nv);
    }
    RuVaPnt2d Touch(const RuVaVec2d& n, double s) const
    {
        return c + (u * (a * a * n.Dot(u)) + v * (b * b * n.Dot(v))) / s;
    }
};

bool ConicOf(const Feature2dBase* f, Conic& k)
{
    if (f == nullptr || !f->IsValid())
        return false;
    double angle = 0.0;
    switch (f->GetFeatureType()) {
    case FeatureTypeCircle: {
        const auto* p = static_cast<const Circle2dFeature*>(f);
        k.c = p->GetCenterPoint();
        k.a = k.b = p->GetRadius();
        break;
    }
    case FeatureTypeArc: {
        const auto* p = static_cast<const Arc2dFeature*>(f);
        k.c = p->GetCenterPoint();
        k.a = k.b = p->GetRadius();
        k.arc = true;
        k.start = p->GetStartAngle();
        k.sweep = p->GetSweepAngle();
        k.direction = p->GetDirection();
        break;
    }
    case FeatureTypeEllipse: {
        const auto* p = static_cast<const Ellipse2dFeature*>(f);
        k.c = p->GetCenterPoint();
        k.a = p->GetMajorRadius();
        k.b = p->GetMinorRadius();
        angle = p->GetAngle();
        break;
    }
    case FeatureTypeEllipseArc: {
        const auto* p = static_cast<const EllipseArc2dFeature*>(f);
        k.c = p->GetCenterPoint();
        k.a = p->GetMajorRadius();
        k.b = p->GetMinorRadius();
        angle = p->GetAngle();
        k.arc = true;
        k.start = p->GetStartAngle();
        k.sweep = p->GetSweepAngle();
        k.direction = p->GetDirection();
        break;
    }
    default:
        return false;
    }
    const double r = angle * RuVa::DegToRad;
    k.u = RuVaVec2d(std::cos(r), std::sin(r));
    k.v = RuVaVec2d(-std::sin(r), std::cos(r));
    return k.a > kTol && k.b > kTol;
}

bool CircleOf(const Feature2dBase* f, RuVaPnt2d& centre, double& radius)
{
    if (f && f->GetFeatureType() == FeatureTypeCircle) {
        centre = static_cast<const Circle2dFeature*>(f)->GetCenterPoint();
        radius = static_cast<const Circle2dFeature*>(f)->GetRadius();
        return true;
    }
    if (f && f->GetFeatureType() == FeatureTypeArc) {
        centre = static_cast<const Arc2dFeature*>(f)->GetCenterPoint();
        radius = static_cast<const Arc2dFeature*>(f)->GetRadius();
        return true;
    }
    return false;
}

}  // namespace

Line2dFeature* FeatureCreator::CreateTangentLineFeature(const Feature2dBase* pCurve, const RuVaPnt2d& position,
                                                        const RuVaPnt2d& end)
{
    RuVaPnt2d at;
    RuVaVec2d tangent;
    if (pCurve == nullptr || !pCurve->IsValid() || !NearestWithTangent(pCurve, position, at, tangent))
        return nullptr;
    return LineAlong(at, tangent, end);
}

Line2dFeature* FeatureCreator::CreatePerpendicularLineFeature(const Feature2dBase* pShape, const RuVaPnt2d& position,
                                                              const RuVaPnt2d& end)
{
    RuVaPnt2d at;
    RuVaVec2d tangent;
    if (pShape == nullptr || !pShape->IsValid() || !NearestWithTangent(pShape, position, at, tangent))
        return nullptr;
    return LineAlong(at, tangent.Perpendicular(), end);
}

Line2dFeature* FeatureCreator::CreatePerpendicularLineFeature(const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                              const RuVaPnt2d& pick)
{
    if (pShape == nullptr || !pShape->IsValid())
        return nullptr;
    RuVaPnt2d origin;
    RuVaVec2d dir;
    if (StraightLineOf(pShape, origin, dir))
        return CreateLineFeature(start, origin + dir * (start - origin).Dot(dir));
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pShape));
    if (!curve || !curve->IsCurveEntity())
        return nullptr;
    // Every foot of a perpendicular from the start; the one nearest the pick.
    KcProjectPointOnCurve2d projection(start, curve.get());
    if (!projection.IsDone() || projection.NbPoints() == 0)
        return nullptr;
    int best = 0;
    for (int i = 1; i < projection.NbPoints(); ++i)
        if (projection.GetPoint(i).Distance(pick) < projection.GetPoint(best).Distance(pick))
            best = i;
    return CreateLineFeature(start, projection.GetPoint(best));
}

Line2dFeature* FeatureCreator::CreateTangentLineFeature(const RuVaPnt2d& start, const Feature2dBase* pCurve,
                                                        const RuVaPnt2d& pick)
{
    if (pCurve == nullptr || !pCurve->IsValid() || !FeatureGeometry::IsFinitePoint(start))
        return nullptr;
    Conic conic;
    if (ConicOf(pCurve, conic)) {
        // In the frame where the ellipse is the unit circle the touching points are at the start's angle
        // plus or minus acos(1 / its distance); the frame keeps tangency.
        const RuVaVec2d d = start - conic.c;
        const double x = d.Dot(conic.u) / conic.a, y = d.Dot(conic.v) / conic.b;
        const double rho = std::hypot(x, y);
        if (!(rho > 1.0 + 1e-12))
            return nullptr;  // inside the curve or on it
        const double alpha = std::atan2(y, x), beta = std::acos(1.0 / rho);
        bool found = false;
        RuVaPnt2d best;
        for (double t : {alpha + beta, alpha - beta}) {
            const RuVaPnt2d p = conic.At(t);
            if (!conic.Covers(t) || p.Distance(start) < kTol)
                continue;
            if (!found || p.Distance(pick) < best.Distance(pick))
                best = p;
            found = true;
        }
        return found ? CreateLineFeature(start, best) : nullptr;
    }
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pCurve));
    if (!curve || !curve->IsCurveEntity())
        return nullptr;
    double u0, u1;
    if (!KcCurveParam::FirstLastParameter(curve.get(), u0, u1) || !(u1 > u0) || u1 - u0 > 1e6)
        return nullptr;
    // Touching points are where the line from the start runs along the curve: cross(C(u) - S, C'(u)) = 0.
    auto g = [&](double u, RuVaPnt2d& p) {
        RuVaVec2d d1;
        if (!KcCurveParam::GetPointAndDerivative(curve.get(), u, p, d1))
            return 0.0;
        return (p - start).Crossed(d1.Normalized());
    };
    // A spline's pieces turn little: eight samples a piece find its touching points; other curves keep a
    // fine sampling.
    int samples = 720;
    if (pCurve->GetFeatureType() == FeatureTypeBSplineCurve)
        samples = std::clamp(8 * static_cast<const BSplineCurve2dFeature*>(pCurve)->GetPointSize(), 32, 720);
    std::vector<RuVaPnt2d> touches;
    RuVaPnt2d p;
    double uPrev = u0, gPrev = g(u0, p);
    for (int i = 1; i <= samples; ++i) {
        const double u = u0 + (u1 - u0) * i / samples;
        const double gu = g(u, p);
        if (gPrev == 0.0 || (gPrev < 0.0) != (gu < 0.0)) {
            // Regula falsi with the Illinois step: a handful of evaluations instead of sixty halvings.
            double a = uPrev, b = u, ga = gPrev, gb = gu, x = a;
            int side = 0;
            for (int k = 0; k < 60 && ga != 0.0 && gb != 0.0; ++k) {
                x = (a * gb - b * ga) / (gb - ga);
                const double gx = g(x, p);
                if (gx == 0.0 || b - a < 1e-15 * std::max(1.0, std::fabs(b)))
                    break;
                if ((gx < 0.0) == (ga < 0.0)) {
                    a = x;
                    ga = gx;
                    if (side == 1)
                        gb *= 0.5;
                    side = 1;
                } else {
                    b = x;
                    gb = gx;
                    if (side == -1)
                        ga *= 0.5;
                    side = -1;
                }
                if (std::fabs(gx) < 1e-13)
                    break;
            }
            g(ga == 0.0 ? a : (gb == 0.0 ? b : x), p);
            if (p.Distance(start) >= kTol)
                AddMarkerOnce(touches, p);
        }
        uPrev = u;
        gPrev = gu;
    }
    if (touches.empty())
        return nullptr;
    size_t best = 0;
    for (size_t i = 1; i < touches.size(); ++i)
        if (touches[i].Distance(pick) < touches[best].Distance(pick))
            best = i;
    return CreateLineFeature(start, touches[best]);
}

namespace {

// The common tangents of two ellipses (circles and arcs among them, arcs taken whole as circles are):
// with the unit normal n at angle phi, the line n.x = n.c1 + s1(n) touches the first curve; it touches
// the second where n.(c1 - c2) + s1(n) - sigma s2(n) = 0 (sigma +1 on the same side, -1 across). Each
// root of that function over one turn is one tangent; the one whose touching points lie nearest the
// picks is made.
Line2dFeature* CreateConicTangentLine(const Feature2dBase* pCurve1, const RuVaPnt2d& pick1,
                                      const Feature2dBase* pCurve2, const RuVaPnt2d& pick2)
{
    Conic k1, k2;
    if (!ConicOf(pCurve1, k1) || !ConicOf(pCurve2, k2))
        return nullptr;
    const RuVaVec2d dc = k1.c - k2.c;
    Line2dFeature* best = nullptr;
    double bestScore = 0.0;
    auto consider = [&](double phi, double sigma) {
        const RuVaVec2d n(std::cos(phi), std::sin(phi));
        const double s1 = k1.Support(n), s2 = k2.Support(n);
        if (!(s1 > 0.0) || !(s2 > 0.0))
            return;
        const RuVaPnt2d t1 = k1.Touch(n, s1);
        const RuVaPnt2d t2 = k2.Touch(sigma > 0 ? n : RuVaVec2d(-n.X(), -n.Y()), s2);
        if (t1.Distance(t2) < kTol)
            return;
        const double score = t1.Distance(pick1) + t2.Distance(pick2);
        if (best != nullptr && score >= bestScore)
            return;
        if (Line2dFeature* line = FeatureCreator::CreateLineFeature(t1, t2)) {
            delete best;
            best = line;
            bestScore = score;
        }
    };
    constexpr int kSteps = 256;
    for (double sigma : {1.0, -1.0}) {
        auto f = [&](double phi) {
            const RuVaVec2d n(std::cos(phi), std::sin(phi));
            return n.Dot(dc) + k1.Support(n) - sigma * k2.Support(n);
        };
        double a = 0.0, fa = f(a);
        for (int i = 1; i <= kSteps; ++i) {
            const double b = RuVa::TwoPi * i / kSteps;
            const double fb = f(b);
            if (fa == 0.0) {
                consider(a, sigma);
            } else if ((fa < 0.0) != (fb < 0.0) && fb != 0.0) {
                // Regula falsi with the Illinois step: a few evaluations to full precision.
                double lo = a, hi = b, flo = fa, fhi = fb;
                int side = 0;
                double x = lo;
                for (int k = 0; k < 60; ++k) {
                    x = (lo * fhi - hi * flo) / (fhi - flo);
                    const double fx = f(x);
                    if (fx == 0.0 || hi - lo < 1e-15)
                        break;
                    if ((fx < 0.0) == (fhi < 0.0)) {
                        hi = x;
                        fhi = fx;
                        if (side == -1)
                            flo *= 0.5;
                        side = -1;
                    } else {
                        lo = x;
                        flo = fx;
                        if (side == 1)
                            fhi *= 0.5;
                        side = 1;
                    }
                }
                consider(x, sigma);
            }
            a = b;
            fa = fb;
        }
    }
    return best;
}

}  // namespace

Line2dFeature* FeatureCreator::CreateTangentLineFeature(const Feature2dBase* pCurve1, const RuVaPnt2d& pick1,
                                                        const Feature2dBase* pCurve2, const RuVaPnt2d& pick2)
{
    RuVaPnt2d c1, c2;
    double r1, r2;
    if (!CircleOf(pCurve1, c1, r1) || !CircleOf(pCurve2, c2, r2))
        return CreateConicTangentLine(pCurve1, pick1, pCurve2, pick2);
    const double d = c1.Distance(c2);
    if (d < kTol)
        return nullptr;
    const RuVaVec2d v = (c2 - c1) / d;
    Line2dFeature* best = nullptr;
    double bestScore = 0.0;
    // Outer tangents (the second radius taken positive) and inner ones (taken negative), two of each.
    for (double sign : {1.0, -1.0}) {
        const double r2s = sign * r2;
        const double c = (r1 - r2s) / d;
        if (std::fabs(c) > 1.0)
            continue;
        const double h = std::sqrt(std::max(0.0, 1.0 - c * c));
        for (double k : {1.0, -1.0}) {
            const RuVaVec2d n(v.X() * c - k * h * v.Y(), v.Y() * c + k * h * v.X());
            const RuVaPnt2d t1 = c1 + n * r1, t2 = c2 + n * r2s;
            const double score = t1.Distance(pick1) + t2.Distance(pick2);
            if (best == nullptr || score < bestScore) {
                Line2dFeature* line = CreateLineFeature(t1, t2);
                if (line) {
                    delete best;
                    best = line;
                    bestScore = score;
                }
            }
        }
    }
    return best;
}

Feature2dList* FeatureCreator::CreateMultiLineFeature(const Feature2dBase* pBase, int nFirst, int nSecond,
                                                      double dFirst, double dSecond, int nFlag)
{
    if (pBase == nullptr || !pBase->IsValid() || nFirst < 0 || nSecond < 0 || nFirst > kMaxMultiLines ||
        nSecond > kMaxMultiLines || (nFirst == 0 && nSecond == 0 && nFlag != 1))
        return nullptr;
    if ((nFirst > 0 && !(dFirst >= kTol && std::isfinite(dFirst))) ||
        (nSecond > 0 && !(dSecond >= kTol && std::isfinite(dSecond))))
        return nullptr;
    auto lines = std::make_unique<Feature2dList>();
    if (nFlag == 1)
        lines->AddFeature(pBase);
    for (int i = 1; i <= nFirst; ++i) {
        Feature2dBase* line = FeatureOffsetting::OffsetFeature(pBase, dFirst * i);
        if (line == nullptr)
            return nullptr;
        lines->AddFeature(line, 0);
    }
    for (int i = 1; i <= nSecond; ++i) {
        Feature2dBase* line = FeatureOffsetting::OffsetFeature(pBase, -dSecond * i);
        if (line == nullptr)
            return nullptr;
        lines->AddFeature(line, 0);
    }
    return lines.release();
}

namespace {

// The values of one parallel-creation call.
struct ParallelEnd {
    int kind = 0;  // 0 point, 1 angle, 2 shape, 3 length
    RuVaPnt2d point;
    double value = 0.0;
    const Feature2dBase* shape = nullptr;
    bool hasPick = false;
    RuVaPnt2d pick;
};

struct ParallelOffset {
    bool byDistance = true;
    double distance = 0.0;
    RuVaPnt2d point;
};

ParallelEnd EndAt(const RuVaPnt2d& p) { ParallelEnd e; e.kind = 0; e.point = p; return e; }
ParallelEnd EndAngle(double a) { ParallelEnd e; e.kind = 1; e.value = a; return e; }
ParallelEnd EndShape(const Feature2dBase* f, const RuVaPnt2d* pick)
{
    ParallelEnd e;
    e.kind = 2;
    e.shape = f;
    e.hasPick = pick != nullptr;
    if (pick)
        e.pick = *pick;
    return e;
}
ParallelEnd EndLength(double l) { ParallelEnd e; e.kind = 3; e.value = l; return e; }
ParallelOffset OffsetBy(double d, const RuVaPnt2d& side) { return ParallelOffset{true, d, side}; }
ParallelOffset OffsetThrough(const RuVaPnt2d& p) { return ParallelOffset{false, 0.0, p}; }

// The meeting point of the carrier (as a shape) and another shape nearest the pick.
bool MeetNearest(const Feature2dBase* carrier, const Feature2dBase* other, const RuVaPnt2d& pick, RuVaPnt2d& at)
{
    std::unique_ptr<RuVaEntity2d> a(ConvertFeatureToGeom2d::Convert(carrier));
    std::unique_ptr<RuVaEntity2d> b(ConvertFeatureToGeom2d::Convert(other));
    if (!a || !b)
        return false;
    KcInterCurveCurve2d inter(a.get(), b.get());
    if (!inter.IsDone() || inter.NbPoints() == 0)
        return false;
    int best = 0;
    for (int i = 1; i < inter.NbPoints(); ++i)
        if (inter.GetPoint(i).Distance(pick) < inter.GetPoint(best).Distance(pick))
            best = i;
    at = inter.GetPoint(best);
    return true;
}

Feature2dBase* MakeParallel(const Feature2dBase* base, const RuVaPnt2d& basePick, const ParallelOffset& offset,
                            const ParallelEnd& start, const ParallelEnd& end)
{
    if (base == nullptr || !base->IsValid() || !FeatureGeometry::IsFinitePoint(basePick))
        return nullptr;
    // The straight base's line, or the circular base's circle.
    RuVaPnt2d origin, centre;
    RuVaVec2d dir;
    double radius = 0.0;
    bool straight = StraightLineOf(base, origin, dir);
    if (!straight && base->GetFeatureType() == FeatureTypePolyline) {
        std::unique_ptr<Line2dFeature> segment(
            FeatureCreator::CreateLineFeatureFromPolylineSegment(static_cast<const Polyline2dFeature*>(base),
                                                                 basePick));
        straight = segment && StraightLineOf(segment.get(), origin, dir);
        if (!straight)
            return nullptr;
    }
    if (!straight && !CircleOf(base, centre, radius))
        return nullptr;

    // The carrier: the parallel line or the concentric circle.
    if (straight) {
        const RuVaVec2d normal = dir.Perpendicular();
        if (offset.byDistance) {
            const double side = normal.Dot(offset.point - origin);
            if (!std::isfinite(offset.distance) || std::fabs(side) < kTol)
                return nullptr;
            origin = origin + normal * (side > 0.0 ? std::fabs(offset.distance) : -std::fabs(offset.distance));
        } else {
            if (!FeatureGeometry::IsFinitePoint(offset.point))
                return nullptr;
            origin = origin + normal * normal.Dot(offset.point - origin);
        }
    } else {
        if (offset.byDistance) {
            const double fromCentre = offset.point.Distance(centre);
            if (!std::isfinite(offset.distance) || std::fabs(fromCentre - radius) < kTol)
                return nullptr;
            radius += fromCentre > radius ? std::fabs(offset.distance) : -std::fabs(offset.distance);
        } else {
            radius = offset.point.Distance(centre);
        }
        if (!(radius >= kTol) || !Circle2dFeature::IsValidRadius(radius))
            return nullptr;
    }
    std::unique_ptr<Feature2dBase> carrier;
    if (straight)
        carrier = std::make_unique<InfiniteLine2dFeature>(origin, RuVaDir2d(dir.X(), dir.Y()));
    else
        carrier = std::make_unique<Circle2dFeature>(centre, radius);

    // Where an end lies: a point on the line, or an angle on the circle.
    auto locate = [&](const ParallelEnd& e, const RuVaPnt2d* from, RuVaPnt2d& at, double& angle) -> bool {
        switch (e.kind) {
        case 0:
            if (!FeatureGeometry::IsFinitePoint(e.point))
                return false;
            if (straight) {
                at = origin + dir * (e.point - origin).Dot(dir);
                return true;
            }
            if (e.point.Distance(centre) < kTol)
                return false;
            angle = std::atan2(e.point.Y() - centre.Y(), e.point.X() - centre.X()) * RuVa::RadToDeg;
            return true;
        case 1:
            if (straight || !std::isfinite(e.value))
                return false;
            angle = e.value;
            return true;
        case 2: {
            RuVaPnt2d meet;
            if (e.shape == nullptr || !MeetNearest(carrier.get(), e.shape, e.hasPick ? e.pick : basePick, meet))
                return false;
            if (straight) {
                at = meet;
            } else {
                angle = std::atan2(meet.Y() - centre.Y(), meet.X() - centre.X()) * RuVa::RadToDeg;
            }
            return true;
        }
        case 3:
            if (!straight || from == nullptr || !std::isfinite(e.value) || std::fabs(e.value) < kTol)
                return false;
            at = *from + dir * e.value;
            return true;
        default:
            return false;
        }
    };
    RuVaPnt2d startPoint, endPoint;
    double startAngle = 0.0, endAngle = 0.0;
    if (start.kind == 3 || !locate(start, nullptr, startPoint, startAngle) ||
        !locate(end, &startPoint, endPoint, endAngle))
        return nullptr;
    std::unique_ptr<Feature2dBase> result;
    if (straight) {
        result.reset(FeatureCreator::CreateLineFeature(startPoint, endPoint));
    } else {
        startAngle = RuVa::CorrectAngle(startAngle);
        endAngle = RuVa::CorrectAngle(endAngle);
        const double gap = std::fabs(startAngle - endAngle);
        if (std::min(gap, 360.0 - gap) * RuVa::DegToRad * radius < kTol)
            return nullptr;
        result = std::make_unique<Arc2dFeature>(centre, radius, startAngle, endAngle, 0);
    }
    if (!result || !result->IsValid())
        return nullptr;
    result->CopyBase(base);
    result->SetRecordID(-1);
    return result.release();
}

}  // namespace


Feature2dBase* FeatureCreator::CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               double dDistance, const RuVaPnt2d& side,
                                                               const RuVaPnt2d& start, const RuVaPnt2d& end)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndAt(start), EndAt(end));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               double dDistance, const RuVaPnt2d& side,
                                                               double dStartAngleDeg, const RuVaPnt2d& end)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndAngle(dStartAngleDeg), EndAt(end));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               double dDistance, const RuVaPnt2d& side,
                                                               const Feature2dBase* pStart, const RuVaPnt2d& startPick,
                                                               const RuVaPnt2d& end)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndShape(pStart, &startPick), EndAt(end));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               const RuVaPnt2d& through, const RuVaPnt2d& start,
                                                               const RuVaPnt2d& end)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndAt(start), EndAt(end));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               const RuVaPnt2d& through, double dStartAngleDeg,
                                                               const RuVaPnt2d& end)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndAngle(dStartAngleDeg), EndAt(end));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               const RuVaPnt2d& through, const Feature2dBase* pStart,
                                                               const RuVaPnt2d& startPick, const RuVaPnt2d& end)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndShape(pStart, &startPick), EndAt(end));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               double dDistance, const RuVaPnt2d& side,
                                                               const RuVaPnt2d& start, double dEndAngleDeg)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndAt(start), EndAngle(dEndAngleDeg));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               double dDistance, const RuVaPnt2d& side,
                                                               double dStartAngleDeg, double dEndAngleDeg)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndAngle(dStartAngleDeg), EndAngle(dEndAngleDeg));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               double dDistance, const RuVaPnt2d& side,
                                                               const Feature2dBase* pStart, const RuVaPnt2d& startPick,
                                                               double dEndAngleDeg)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndShape(pStart, &startPick),
                        EndAngle(dEndAngleDeg));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               const RuVaPnt2d& through, const RuVaPnt2d& start,
                                                               double dEndAngleDeg)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndAt(start), EndAngle(dEndAngleDeg));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               const RuVaPnt2d& through, double dStartAngleDeg,
                                                               double dEndAngleDeg)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndAngle(dStartAngleDeg), EndAngle(dEndAngleDeg));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                               const RuVaPnt2d& through, const Feature2dBase* pStart,
                                                               const RuVaPnt2d& startPick, double dEndAngleDeg)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndShape(pStart, &startPick), EndAngle(dEndAngleDeg));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                                 double dDistance, const RuVaPnt2d& side,
                                                                 const RuVaPnt2d& start, const Feature2dBase* pEnd,
                                                                 const RuVaPnt2d& endPick)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndAt(start), EndShape(pEnd, &endPick));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                                 double dDistance, const RuVaPnt2d& side,
                                                                 double dStartAngleDeg, const Feature2dBase* pEnd,
                                                                 const RuVaPnt2d& endPick)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndAngle(dStartAngleDeg), EndShape(pEnd, &endPick));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                                 double dDistance, const RuVaPnt2d& side,
                                                                 const Feature2dBase* pStart,
                                                                 const RuVaPnt2d& startPick, const Feature2dBase* pEnd,
                                                                 const RuVaPnt2d& endPick)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndShape(pStart, &startPick), EndShape(pEnd,
                        &endPick));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                                 const RuVaPnt2d& through, const RuVaPnt2d& start,
                                                                 const Feature2dBase* pEnd, const RuVaPnt2d& endPick)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndAt(start), EndShape(pEnd, &endPick));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                                 const RuVaPnt2d& through, double dStartAngleDeg,
                                                                 const Feature2dBase* pEnd, const RuVaPnt2d& endPick)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndAngle(dStartAngleDeg), EndShape(pEnd, &endPick));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                                 const RuVaPnt2d& through, const Feature2dBase* pStart,
                                                                 const RuVaPnt2d& startPick, const Feature2dBase* pEnd,
                                                                 const RuVaPnt2d& endPick)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndShape(pStart, &startPick), EndShape(pEnd,
                        &endPick));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByLength(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                             double dDistance, const RuVaPnt2d& side,
                                                             const RuVaPnt2d& start, double dLength)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndAt(start), EndLength(dLength));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByLength(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                             double dDistance, const RuVaPnt2d& side,
                                                             const Feature2dBase* pStart, double dLength)
{
    return MakeParallel(pBase, basePick, OffsetBy(dDistance, side), EndShape(pStart, nullptr), EndLength(dLength));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByLength(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                             const RuVaPnt2d& through, const RuVaPnt2d& start,
                                                             double dLength)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndAt(start), EndLength(dLength));
}

Feature2dBase* FeatureCreator::CreateParallelFeatureByLength(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                             const RuVaPnt2d& through, const Feature2dBase* pStart,
                                                             double dLength)
{
    return MakeParallel(pBase, basePick, OffsetThrough(through), EndShape(pStart, nullptr), EndLength(dLength));
}

Line2dFeature* FeatureCreator::CreateAngledLineFeature(double dAngleDeg, const RuVaPnt2d& start,
                                                       const Feature2dBase* pShape, const RuVaPnt2d& pick)
{
    if (pShape == nullptr || !std::isfinite(dAngleDeg) || !FeatureGeometry::IsFinitePoint(start))
        return nullptr;
    const InfiniteLine2dFeature ray(start, RuVaDir2d(std::cos(dAngleDeg * RuVa::DegToRad),
                                                     std::sin(dAngleDeg * RuVa::DegToRad)));
    RuVaPnt2d meet;
    if (!MeetNearest(&ray, pShape, pick, meet))
        return nullptr;
    return CreateLineFeature(start, meet);
}

Line2dFeature* FeatureCreator::CreateHorizontalLineFeature(const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                           const RuVaPnt2d& pick)
{
    return CreateAngledLineFeature(0.0, start, pShape, pick);
}

Line2dFeature* FeatureCreator::CreateVerticalLineFeature(const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                         const RuVaPnt2d& pick)
{
    return CreateAngledLineFeature(90.0, start, pShape, pick);
}

Line2dFeature* FeatureCreator::CreateHorizontalVerticalLineFeature(const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                                   const RuVaPnt2d& pick)
{
    return std::fabs(pick.X() - start.X()) >= std::fabs(pick.Y() - start.Y())
               ? CreateHorizontalLineFeature(start, pShape, pick)
               : CreateVerticalLineFeature(start, pShape, pick);
}

namespace {

// The value text, its position and the style, common to every dimension.
bool DressDimension(Dimension2dFeatureBase* d, BYTE bManualText, const CString& strText, BYTE nTextPosMode,
                    const RuVaPnt2d& textPoint, const DimensionSetting* pSetting)
{
    d->SetValueTextManualMode(bManualText == 1);
    if (bManualText == 1)
        d->SetValueText(strText);
    d->SetValueTextPosFreeMode(nTextPosMode);
    if (nTextPosMode != 0 && !d->SetValueTextPoint(textPoint))
        return false;
    return pSetting == nullptr || FeatureSettingConverter::SetDimensionSettingToFeature(d, *pSetting);
}

template <class D>
D* DressedOrNull(std::unique_ptr<D> d, bool ok)
{
    return ok && d->IsValid() ? d.release() : nullptr;
}

}  // namespace

Dimension2dFeatureBase* FeatureCreator::CreateLinearDimensionFeature(
    const RuVaPnt2d& p1, const RuVaPnt2d& p2, double dProjectionLength, double dProjectionAngleDeg,
    double dDimensionAngleDeg, BYTE bManualText, const CString& strText, BYTE nTextPosMode, const RuVaPnt2d& textPoint,
    int nParallel, const DimensionSetting* pSetting, int, int)
{
    if (p1.Distance(p2) < kTol)
        return nullptr;
    std::unique_ptr<LinearDimension2dFeature> d;
    if (nParallel == 1)
        d = std::make_unique<ParallelDimension2dFeature>(p1, p2, dProjectionLength);
    else
        d = std::make_unique<LinearDimension2dFeature>(p1, p2, dProjectionLength, dProjectionAngleDeg,
                                                       dDimensionAngleDeg);
    bool ok = d->GetPoint(0) == p1 && d->GetPoint(1) == p2 && d->GetProjectionLength() == dProjectionLength;
    if (nParallel == 1)
        ok = ok && d->SetProjectionAngle(dProjectionAngleDeg) && d->SetDimensionAngle(dDimensionAngleDeg);
    else
        ok = ok && std::isfinite(dProjectionAngleDeg) && std::isfinite(dDimensionAngleDeg);
    ok = ok && DressDimension(d.get(), bManualText, strText, nTextPosMode, textPoint, pSetting);
    return DressedOrNull(std::move(d), ok);
}

AngularDimension2dFeature* FeatureCreator::CreateAngularDimensionFeature(const RuVaPnt2d& centre, const RuVaPnt2d& p1,
                                                                         const RuVaPnt2d& p2, double dRadius,
                                                                         BYTE bManualText, const CString& strText,
                                                                         BYTE nTextPosMode, const RuVaPnt2d& textPoint,
                                                                         const DimensionSetting* pSetting, int)
{
    if (centre.Distance(p1) < kTol || centre.Distance(p2) < kTol)
        return nullptr;
    auto d = std::make_unique<AngularDimension2dFeature>();
    const bool ok = d->SetCenterPoint(centre) && d->SetStartPoint(p1) && d->SetEndPoint(p2) && d->SetRadius(dRadius) &&
                    DressDimension(d.get(), bManualText, strText, nTextPosMode, textPoint, pSetting);
    return DressedOrNull(std::move(d), ok);
}

ArcDimension2dFeature* FeatureCreator::CreateArcDimensionFeature(const RuVaPnt2d& centre, double dRadius,
                                                                 double dStartAngleDeg, double dEndAngleDeg,
                                                                 double dProjectionLength, BYTE bManualText,
                                                                 const CString& strText, BYTE nTextPosMode,
                                                                 const RuVaPnt2d& textPoint,
                                                                 const DimensionSetting* pSetting, int)
{
    auto d = std::make_unique<ArcDimension2dFeature>();
    const bool ok = d->SetCenterPoint(centre) && d->SetRadius(dRadius) && d->SetStartAngle(dStartAngleDeg) &&
                    d->SetEndAngle(dEndAngleDeg) && d->SetProjectionLength(dProjectionLength) &&
                    DressDimension(d.get(), bManualText, strText, nTextPosMode, textPoint, pSetting);
    return DressedOrNull(std::move(d), ok);
}

DiameterDimension2dFeature* FeatureCreator::CreateDiameterDimensionFeature(const RuVaPnt2d& a, const RuVaPnt2d& b,
                                                                           BYTE bManualText, const CString& strText,
                                                                           BYTE nTextPosMode,
                                                                           const RuVaPnt2d& textPoint,
                                                                           const DimensionSetting* pSetting, int)
{
    if (a.Distance(b) < kTol)
        return nullptr;
    auto d = std::make_unique<DiameterDimension2dFeature>();
    const bool ok = d->SetStartPoint(a) && d->SetEndPoint(b) && d->SetPoint(nTextPosMode != 0 ? textPoint : b) &&
                    DressDimension(d.get(), bManualText, strText, nTextPosMode, textPoint, pSetting);
    return DressedOrNull(std::move(d), ok);
}

RadiusDimension2dFeature* FeatureCreator::CreateRadiusDimensionFeature(const RuVaPnt2d& dimPoint,
                                                                       const RuVaPnt2d& centre, BYTE bUserText,
                                                                       const CString& strText, BYTE nLeaderMode,
                                                                       const RuVaPnt2d& secondPoint,
                                                                       const DimensionSetting* pSetting, int)
{
    if (dimPoint.Distance(centre) < kTol)
        return nullptr;
    auto d = std::make_unique<RadiusDimension2dFeature>();
    d->SetLeaderMode(nLeaderMode);
    const bool ok = d->SetStartPoint(centre) && d->SetEndPoint(dimPoint) &&
                    d->SetSecondPoint(nLeaderMode != 0 ? secondPoint : dimPoint) &&
                    DressDimension(d.get(), bUserText, strText, 0, secondPoint, pSetting);
    return DressedOrNull(std::move(d), ok);
}

Lead2dFeature* FeatureCreator::CreateLeadFeature(const Lead2dFeature* pTemplate, const CString& strText,
                                                 const KcArrayOfGePnt2d& points, int nMode, const RuVaPnt2d& textPoint,
                                                 const LeadSetting* pSetting)
{
    auto lead = std::make_unique<Lead2dFeature>();
    if (pTemplate)
        lead->Copy(pTemplate, Feature2dBase::copyAll);
    if (!lead->SetPointArray(points) || !lead->SetText(strText))
        return nullptr;
    lead->SetTextPointFree(nMode != 0);
    if (!lead->SetTextPoint(nMode != 0 ? textPoint : points[points.GetSize() - 1]))
        return nullptr;
    if (pSetting && !FeatureSettingConverter::SetLeadSettingToFeature(lead.get(), *pSetting))
        return nullptr;
    return ValidOrNull(std::move(lead));
}

Balloon2dFeature* FeatureCreator::CreateBalloonFeature(const Balloon2dFeature* pTemplate, const CString& strText,
                                                       const KcArrayOfGePnt2d& points, const BalloonSetting* pSetting)
{
    if (points.GetSize() < 1)
        return nullptr;
    auto balloon = std::make_unique<Balloon2dFeature>();
    if (pTemplate)
        balloon->Copy(pTemplate, Feature2dBase::copyAll);
    KcArrayOfGePnt2d lead(points);
    const RuVaPnt2d centre = points[points.GetSize() - 1];
    if (lead.GetSize() > 1)
        lead.RemoveAt(lead.GetSize() - 1);
    if (!balloon->SetLeadPointArray(lead) || !balloon->SetCenterPoint(centre) || !balloon->SetText(strText))
        return nullptr;
    if (pSetting && !FeatureSettingConverter::SetBalloonSettingToFeature(balloon.get(), *pSetting))
        return nullptr;
    return ValidOrNull(std::move(balloon));
}

namespace {

bool RegionOfList(const Feature2dList& list, Region2dFeature& region)
{
    for (int i = 0; i < list.GetFeatureSize(); ++i)
        if (region.AddFeature(list.GetFeature(i)) < 0)
            return false;
    return region.IsValidConnection() != FALSE;
}

BOOL AddIslands(Hatch2dFeature* hatch, const Feature2dList* lists, int n)
{
    if (n < 0 || (n > 0 && lists == nullptr))
        return FALSE;
    std::vector<Region2dFeature> islands((size_t)n);
    for (int i = 0; i < n; ++i)
        if (!RegionOfList(lists[i], islands[(size_t)i]))
            return FALSE;
    for (const auto& island : islands)
        hatch->AddInnerRegions(island);
    return TRUE;
}

Hatch2dFeature* FinishHatch(std::unique_ptr<Hatch2dFeature> hatch, const HatchSetting* setting)
{
    if (setting && !FeatureSettingConverter::SetHatchSettingToFeature(hatch.get(), *setting))
        return nullptr;
    const RuVaBndBox2d box = hatch->GetOuterRegion().GetBndBox();
    if (!box.IsVoid())
        hatch->SetPoint(box.MinPoint());
    return hatch->IsValid() && hatch->IsValidRegion() ? hatch.release() : nullptr;
}

}  // namespace

Hatch2dFeature* FeatureCreator::CreateHatchFeature(const KcArrayOfGePnt2d& outerPoints, const Feature2dList* pInnerLists,
                                                   const KcArrayOfGePnt2d*, int nInner, const HatchSetting* pSetting)
{
    std::unique_ptr<Polyline2dFeature> outline(CreatePolylineFeature(outerPoints, TRUE));
    if (!outline || !outline->IsClosed())
        return nullptr;
    Region2dFeature outer;
    outer.AddFeature(outline.get());
    auto hatch = std::make_unique<Hatch2dFeature>();
    if (!hatch->SetOuterRegion(outer) || !AddIslands(hatch.get(), pInnerLists, nInner))
        return nullptr;
    return FinishHatch(std::move(hatch), pSetting);
}

Hatch2dFeature* FeatureCreator::CreateHatchFeature(const Feature2dList& outerList, const KcArrayOfGePnt2d&,
                                                   const Feature2dList* pInnerLists, const KcArrayOfGePnt2d*,
                                                   int nInner, const HatchSetting* pSetting)
{
    Region2dFeature outer;
    auto hatch = std::make_unique<Hatch2dFeature>();
    if (!RegionOfList(outerList, outer) || !hatch->SetOuterRegion(outer) ||
        !AddIslands(hatch.get(), pInnerLists, nInner))
        return nullptr;
    return FinishHatch(std::move(hatch), pSetting);
}

BOOL FeatureCreator::CreateHatchFeature(Hatch2dFeature* pHatch, const Feature2dList* pInnerLists,
                                        const KcArrayOfGePnt2d*, int nInner)
{
    return pHatch != nullptr && nInner > 0 && AddIslands(pHatch, pInnerLists, nInner);
}

BOOL FeatureCreator::IsSupportedImageType(const CString& strPath)
{
    const QString suffix = QFileInfo(strPath.ToQString()).suffix().toLower();
    return suffix == "bmp" || suffix == "jpg" || suffix == "jpeg" || suffix == "png" || suffix == "tif" ||
           suffix == "tiff";
}

namespace {

// Whether the bytes decode whole into a picture the reader may allocate: damaged, truncated and oversized
// pictures are refused here rather than kept as bytes that never show.
bool IsDecodablePicture(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (!reader.canRead() || !size.isValid() || size.isEmpty() ||
        (limit > 0 && qint64(size.width()) * size.height() * 4 > limit))
        return false;
    QImage picture;
    return reader.read(&picture) && !picture.isNull();
}

}  // namespace

Image2dFeature* FeatureCreator::CreateImageFeature(const CString& strPath, const RuVaPnt2d& corner1,
                                                   const RuVaPnt2d& corner2)
{
    const double w = std::fabs(corner2.X() - corner1.X()), h = std::fabs(corner2.Y() - corner1.Y());
    if (!IsSupportedImageType(strPath) || w < kTol || h < kTol)
        return nullptr;
    QFile file(strPath.ToQString());
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0 || (quint64)file.size() > Image2dFeature::kMaxImageBytes)
        return nullptr;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty() || !IsDecodablePicture(bytes))
        return nullptr;
    auto image = std::make_unique<Image2dFeature>();
    image->SetImageData(reinterpret_cast<const BYTE*>(bytes.constData()), (size_t)bytes.size());
    if (!image->SetPoint(RuVaPnt2d(std::min(corner1.X(), corner2.X()), std::min(corner1.Y(), corner2.Y()))) ||
        !image->SetWidth(w) || !image->SetHeight(h) || !image->SetAlignment(0))
        return nullptr;
    return ValidOrNull(std::move(image));
}

int FeatureCreator::UpdateDimensionFeature(Dimension2dFeatureBase* pDimension, const DimensionSetting* pSetting, int,
                                           double dSizeScaleX, double)
{
    if (pDimension == nullptr)
        return 0;
    if (pSetting && !FeatureSettingConverter::SetDimensionSettingToFeature(pDimension, *pSetting))
        return 0;
    if (dSizeScaleX != 1.0 && !pDimension->TransformGeometry(RuVaGTrsf2d(), dSizeScaleX))
        return 0;
    return pDimension->IsValid() ? 1 : 0;
}

BOOL FeatureCreator::UpdateLeadFeature(Lead2dFeature* pLead, const LeadSetting* pSetting)
{
    if (pLead == nullptr)
        return FALSE;
    if (pSetting && !FeatureSettingConverter::SetLeadSettingToFeature(pLead, *pSetting))
        return FALSE;
    if (!pLead->IsTextPointFree() && pLead->GetPointSize() > 0)
        pLead->SetTextPoint(pLead->GetPoint(pLead->GetPointSize() - 1));
    return pLead->IsValid();
}

BOOL FeatureCreator::UpdateLinearDimensionFeatureByStartPoint(LinearDimension2dFeature* pDimension,
                                                              const RuVaPnt2d& point)
{
    return pDimension != nullptr && point.Distance(pDimension->GetPoint(1)) >= kTol && pDimension->SetPoint(0, point);
}

BOOL FeatureCreator::UpdateLinearDimensionFeature(LinearDimension2dFeature* pDimension, const RuVaPnt2d& secondPoint,
                                                  double dProjectionAngleDeg)
{
    if (pDimension == nullptr || secondPoint.Distance(pDimension->GetPoint(0)) < kTol)
        return FALSE;
    LinearDimension2dFeature changed(*pDimension);
    if (!changed.SetPoint(1, secondPoint) || !changed.SetProjectionAngle(dProjectionAngleDeg))
        return FALSE;
    pDimension->Copy(&changed, Feature2dBase::copyGeometry);
    return TRUE;
}

BOOL FeatureCreator::UpdateParallelDimensionFeatureByStartOrEndPoint(LinearDimension2dFeature* pDimension,
                                                                     const RuVaPnt2d& point, int nStart)
{
    if (pDimension == nullptr)
        return FALSE;
    const RuVaPnt2d p1 = nStart == 1 ? point : pDimension->GetPoint(0);
    const RuVaPnt2d p2 = nStart == 1 ? pDimension->GetPoint(1) : point;
    if (p1.Distance(p2) < kTol || !FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    pDimension->SetPoint(0, p1);
    pDimension->SetPoint(1, p2);
    pDimension->SetDimensionAngle(std::atan2(p2.Y() - p1.Y(), p2.X() - p1.X()) * RuVa::RadToDeg);
    return TRUE;
}

BOOL FeatureCreator::UpdateParallelDimensionFeatureByDimensionAngle(LinearDimension2dFeature* pDimension,
                                                                    double dAngleDeg)
{
    if (pDimension == nullptr || !std::isfinite(dAngleDeg))
        return FALSE;
    const RuVaPnt2d p1 = pDimension->GetPoint(0);
    const double length = p1.Distance(pDimension->GetPoint(1));
    if (!pDimension->SetPoint(1, p1 + DirectionOf(dAngleDeg) * length))
        return FALSE;
    return pDimension->SetDimensionAngle(dAngleDeg);
}
