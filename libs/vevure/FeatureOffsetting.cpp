#include "libs/vevure/FeatureOffsetting.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"

namespace {

constexpr double kTol = FeatureGeometry::kPointTolerance;

// Points of the shape's curve and whether it closes, for the kinds offset through points.
bool CurvePoints(const Feature2dBase* f, KcArrayOfGePnt2d& points, bool& closed)
{
    switch (f->GetFeatureType()) {
    case FeatureTypePolyline:
        points = static_cast<const Polyline2dFeature*>(f)->GetPointArray();
        closed = static_cast<const Polyline2dFeature*>(f)->IsClosed() != FALSE;
        break;
    case FeatureTypeEllipse:
    case FeatureTypeEllipseArc:
    case FeatureTypeBSplineCurve: {
        std::vector<KcArrayOfGePnt2d> chains;
        const RuVaBndBox2d box = f->GetBndBox();
        if (!FeatureFlattener::Flatten(f, chains, std::max(box.Width(), box.Height()) * 1e-3) || chains.size() != 1)
            return false;
        points = chains[0];
        closed = Region2dFeature::IsClosedCurve(f) != FALSE;
        break;
    }
    default:
        return false;
    }
    // Drop repeated points so that every segment has a direction.
    KcArrayOfGePnt2d distinct;
    for (const RuVaPnt2d& p : points)
        if (distinct.IsEmpty() || distinct[distinct.GetSize() - 1].Distance(p) >= kTol)
            distinct.Add(p);
    if (closed && distinct.GetSize() > 1 && distinct[0].Distance(distinct[distinct.GetSize() - 1]) < kTol)
        distinct[distinct.GetSize() - 1] = distinct[0];
    points = distinct;
    return points.GetSize() >= 2;
}

// The index of the segment nearest the point and the signed side (+1 left, -1 right, 0 on it).
int NearestSegment(const KcArrayOfGePnt2d& points, const RuVaPnt2d& p, double& distance, int& side)
{
    int best = -1;
    for (INT_PTR i = 0; i + 1 < points.GetSize(); ++i) {
        const RuVaVec2d ab = points[i + 1] - points[i];
        const double len2 = ab.SquareMagnitude();
        const double t = len2 > 0.0 ? std::clamp((p - points[i]).Dot(ab) / len2, 0.0, 1.0) : 0.0;
        const double d = p.Distance(points[i] + ab * t);
        if (best < 0 || d < distance) {
            best = (int)i;
            distance = d;
            const double cross = ab.Crossed(p - points[i]);
            side = std::fabs(cross) <= kTol * std::sqrt(len2) ? 0 : (cross > 0.0 ? 1 : -1);
        }
    }
    return best;
}

bool LineMeet(const RuVaPnt2d& a, const RuVaVec2d& u, const RuVaPnt2d& b, const RuVaVec2d& v, RuVaPnt2d& x)
{
    const double den = u.Crossed(v);
    if (std::fabs(den) <= 1e-12 * u.Magnitude() * v.Magnitude())
        return false;
    x = a + u * ((b - a).Crossed(v) / den);
    return FeatureGeometry::IsFinitePoint(x);
}

// Moves every segment by d along its left normal; corners meet where the moved segments' lines cross.
bool OffsetChain(const KcArrayOfGePnt2d& points, bool closed, double d, KcArrayOfGePnt2d& out)
{
    const INT_PTR n = points.GetSize();
    std::vector<RuVaPnt2d> a, b;
    std::vector<RuVaVec2d> dirs;
    for (INT_PTR i = 0; i + 1 < n; ++i) {
        RuVaVec2d u = (points[i + 1] - points[i]).Normalized();
        const RuVaVec2d normal(-u.Y(), u.X());
        a.push_back(points[i] + normal * d);
        b.push_back(points[i + 1] + normal * d);
        dirs.push_back(u);
    }
    const size_t segments = a.size();
    if (segments == 0)
        return false;
    auto corner = [&](size_t prev, size_t next, KcArrayOfGePnt2d& into) {
        RuVaPnt2d x;
        if (LineMeet(a[prev], dirs[prev], a[next], dirs[next], x)) {
            into.Add(x);
        } else {
            into.Add(b[prev]);
            if (dirs[prev].Dot(dirs[next]) < 0.0)  // a turn back: keep both ends
                into.Add(a[next]);
        }
    };
    out.RemoveAll();
    if (closed && segments >= 2)
        corner(segments - 1, 0, out);
    else
        out.Add(a[0]);
    for (size_t i = 1; i < segments; ++i)
        corner(i - 1, i, out);
    if (closed && segments >= 2)
        out.Add(out[0]);
    else
        out.Add(b[segments - 1]);
    return FeatureGeometry::IsFinitePoints(out);
}

std::unique_ptr<Feature2dBase> WithAttributesOf(const Feature2dBase* source, Feature2dBase* made)
{
    std::unique_ptr<Feature2dBase> result(made);
    if (result) {
        result->CopyBase(source);
        result->CopyAttribute(source);
    }
    return result;
}

// Left (+1) or right (-1) of a directed line, 0 on it.
int SideOfLine(const RuVaPnt2d& origin, const RuVaVec2d& dir, const RuVaPnt2d& p)
{
    const double cross = dir.Crossed(p - origin);
    return std::fabs(cross) <= kTol * dir.Magnitude() ? 0 : (cross > 0.0 ? 1 : -1);
}

}  // namespace

double FeatureOffsetting::GetDistanceToFeature(const Feature2dBase* pFeature, const RuVaPnt2d& point)
{
    if (pFeature == nullptr || !pFeature->IsValid() || !FeatureGeometry::IsFinitePoint(point))
        return -1.0;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* f = static_cast<const Line2dFeature*>(pFeature);
        const RuVaVec2d u = (f->GetEndPoint() - f->GetStartPoint()).Normalized();
        return std::fabs(u.Crossed(point - f->GetStartPoint()));
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        const auto* f = static_cast<const InfiniteLine2dFeature*>(pFeature);
        return std::fabs(f->GetDirection().Vec().Crossed(point - f->GetPoint()));
    }
    case FeatureTypeCircle: {
        const auto* f = static_cast<const Circle2dFeature*>(pFeature);
        return std::fabs(point.Distance(f->GetCenterPoint()) - f->GetRadius());
    }
    case FeatureTypeArc: {
        const auto* f = static_cast<const Arc2dFeature*>(pFeature);
        return std::fabs(point.Distance(f->GetCenterPoint()) - f->GetRadius());
    }
    default: {
        KcArrayOfGePnt2d points;
        bool closed = false;
        double distance = 0.0;
        int side = 0;
        if (!CurvePoints(pFeature, points, closed) || NearestSegment(points, point, distance, side) < 0)
            return -1.0;
        return distance;
    }
    }
}

Feature2dBase* FeatureOffsetting::OffsetFeature(const Feature2dBase* pFeature, double dDistance, const RuVaPnt2d& side)
{
    if (pFeature == nullptr || !pFeature->IsValid() || !std::isfinite(dDistance) || std::fabs(dDistance) < kTol ||
        !FeatureGeometry::IsFinitePoint(side))
        return nullptr;
    const double d = std::fabs(dDistance);
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* f = static_cast<const Line2dFeature*>(pFeature);
        const int s = SideOfLine(f->GetStartPoint(), f->GetEndPoint() - f->GetStartPoint(), side);
        return s == 0 ? nullptr : OffsetFeature(pFeature, s * d);
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        const auto* f = static_cast<const InfiniteLine2dFeature*>(pFeature);
        const int s = SideOfLine(f->GetPoint(), f->GetDirection().Vec(), side);
        return s == 0 ? nullptr : OffsetFeature(pFeature, s * d);
    }
    case FeatureTypeCircle:
    case FeatureTypeArc:
    case FeatureTypeEllipse:
    case FeatureTypeEllipseArc: {
        RuVaPnt2d centre;
        double reach;  // how far the curve reaches from the centre towards the side point
        if (pFeature->GetFeatureType() == FeatureTypeCircle) {
            centre = static_cast<const Circle2dFeature*>(pFeature)->GetCenterPoint();
            reach = static_cast<const Circle2dFeature*>(pFeature)->GetRadius();
        } else if (pFeature->GetFeatureType() == FeatureTypeArc) {
            centre = static_cast<const Arc2dFeature*>(pFeature)->GetCenterPoint();
            reach = static_cast<const Arc2dFeature*>(pFeature)->GetRadius();
        } else {
            KcArrayOfGePnt2d points;
            bool closed = false;
            double distance = 0.0;
            int s = 0;
            const int seg = CurvePoints(pFeature, points, closed) ? NearestSegment(points, side, distance, s) : -1;
            if (seg < 0 || s == 0)
                return nullptr;
            centre = pFeature->GetFeatureType() == FeatureTypeEllipse
                         ? static_cast<const Ellipse2dFeature*>(pFeature)->GetCenterPoint()
                         : static_cast<const EllipseArc2dFeature*>(pFeature)->GetCenterPoint();
            reach = centre.Distance(points[seg].CenterPoint(points[seg + 1]));
        }
        const double fromCentre = side.Distance(centre);
        if (std::fabs(fromCentre - reach) < kTol)
            return nullptr;
        return OffsetFeature(pFeature, fromCentre > reach ? d : -d);
    }
    case FeatureTypePolyline:
    case FeatureTypeBSplineCurve: {
        KcArrayOfGePnt2d points;
        bool closed = false;
        double distance = 0.0;
        int s = 0;
        if (!CurvePoints(pFeature, points, closed) || NearestSegment(points, side, distance, s) < 0 || s == 0)
            return nullptr;
        return OffsetFeature(pFeature, s * d);
    }
    default:
        return nullptr;
    }
}

Feature2dBase* FeatureOffsetting::OffsetFeature(const Feature2dBase* pFeature, double dDistance)
{
    if (pFeature == nullptr || !pFeature->IsValid() || !std::isfinite(dDistance) || std::fabs(dDistance) < kTol)
        return nullptr;
    const double d = dDistance;
    std::unique_ptr<Feature2dBase> result;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* f = static_cast<const Line2dFeature*>(pFeature);
        const RuVaVec2d u = (f->GetEndPoint() - f->GetStartPoint()).Normalized();
        const RuVaVec2d shift(-u.Y() * d, u.X() * d);
        result = WithAttributesOf(pFeature, new Line2dFeature(f->GetStartPoint() + shift, f->GetEndPoint() + shift));
        break;
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        result.reset(pFeature->CopyObject(Feature2dBase::copyAll));
        auto* f = static_cast<InfiniteLine2dFeature*>(result.get());
        const RuVaVec2d u = f->GetDirection().Vec();
        f->SetPoint(f->GetPoint() + RuVaVec2d(-u.Y() * d, u.X() * d));
        break;
    }
    case FeatureTypeCircle: {
        const auto* f = static_cast<const Circle2dFeature*>(pFeature);
        const double r = f->GetRadius() + d;
        if (r < kTol || !Circle2dFeature::IsValidRadius(r))
            return nullptr;
        result = WithAttributesOf(pFeature, new Circle2dFeature(f->GetCenterPoint(), r));
        break;
    }
    case FeatureTypeArc: {
        const double r = static_cast<const Arc2dFeature*>(pFeature)->GetRadius() + d;
        if (r < kTol || !Circle2dFeature::IsValidRadius(r))
            return nullptr;
        result.reset(pFeature->CopyObject(Feature2dBase::copyAll));
        static_cast<Arc2dFeature*>(result.get())->SetRadius(r);
        break;
    }
    case FeatureTypePolyline:
    case FeatureTypeEllipse:
    case FeatureTypeEllipseArc:
    case FeatureTypeBSplineCurve: {
        KcArrayOfGePnt2d points, moved;
        bool closed = false;
        if (!CurvePoints(pFeature, points, closed))
            return nullptr;
        double signedDistance = d;
        // Ellipses and elliptic arcs move outwards for a positive distance: to the right of a counter-clockwise
        // run, to the left of a clockwise one.
        if (pFeature->GetFeatureType() == FeatureTypeEllipse ||
            (pFeature->GetFeatureType() == FeatureTypeEllipseArc &&
             static_cast<const EllipseArc2dFeature*>(pFeature)->GetDirection() == 0))
            signedDistance = -d;
        if (!OffsetChain(points, closed, signedDistance, moved))
            return nullptr;
        if (pFeature->GetFeatureType() == FeatureTypePolyline) {
            auto polyline = std::make_unique<Polyline2dFeature>();
            if (!polyline->SetPointArray(moved))
                return nullptr;
            result = WithAttributesOf(pFeature, polyline.release());
        } else {
            // A smooth curve through the moved points; a closed one without its repeated end.
            if (closed && moved.GetSize() > 2)
                moved.RemoveAt(moved.GetSize() - 1);
            auto spline = std::make_unique<BSplineCurve2dFeature>();
            if (!spline->SetPoints(moved, BSplineCurve2dFeature::InterpolatePoints, 3, closed ? TRUE : FALSE))
                return nullptr;
            result = WithAttributesOf(pFeature, spline.release());
        }
        break;
    }
    default:
        return nullptr;
    }
    return result && result->IsValid() ? result.release() : nullptr;
}
