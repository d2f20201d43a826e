#include "libs/vevure/MeasureTool.h"

#include <algorithm>
#include <cmath>
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
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"

namespace {

constexpr double kTol = FeatureGeometry::kPointTolerance;

// Length of an elliptic arc by Simpson's rule over the parameter (degrees), fine enough for 1e-9 relative.
double EllipseArcLength(double major, double minor, double startDeg, double sweepDeg)
{
    const int n = 2048;
    const double a = startDeg * RuVa::DegToRad, h = sweepDeg * RuVa::DegToRad / n;
    auto speed = [&](double t) { return std::hypot(major * std::sin(t), minor * std::cos(t)); };
    double sum = speed(a) + speed(a + n * h);
    for (int i = 1; i < n; ++i)
        sum += speed(a + i * h) * (i % 2 ? 4.0 : 2.0);
    return sum * h / 3.0;
}

double ChainLength(const std::vector<KcArrayOfGePnt2d>& chains)
{
    double length = 0.0;
    for (const auto& c : chains)
        length += c.GetLength();
    return length;
}

// The straight piece of a shape: a segment, or a point and a unit step for unbounded lines.
bool StraightOf(const Feature2dBase* f, int nSegment, RuVaPnt2d& a, RuVaPnt2d& b)
{
    if (f == nullptr)
        return false;
    switch (f->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* l = static_cast<const Line2dFeature*>(f);
        a = l->GetStartPoint();
        b = l->GetEndPoint();
        return true;
    }
    case FeatureTypePolyline: {
        const auto* p = static_cast<const Polyline2dFeature*>(f);
        if (nSegment < 0 || nSegment + 1 >= p->GetPointSize())
            return false;
        a = p->GetPoint(nSegment);
        b = p->GetPoint(nSegment + 1);
        return a.Distance(b) >= kTol;
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        const auto* l = static_cast<const InfiniteLine2dFeature*>(f);
        a = l->GetPoint();
        b = a + l->GetDirection().Vec();
        return true;
    }
    default:
        return false;
    }
}

bool MeetingPoint(const RuVaPnt2d& a, const RuVaPnt2d& b, const RuVaPnt2d& c, const RuVaPnt2d& d, RuVaPnt2d& x)
{
    const RuVaVec2d u = b - a, v = d - c;
    const double den = u.Crossed(v);
    if (std::fabs(den) <= 1e-12 * u.Magnitude() * v.Magnitude())
        return false;
    const double t = (c - a).Crossed(v) / den;
    x = a + u * t;
    return FeatureGeometry::IsFinitePoint(x);
}

// The unit direction along line a-b from x towards the foot of the pick (the line's own direction when the
// foot is at x).
RuVaVec2d ArmTowards(const RuVaPnt2d& a, const RuVaPnt2d& b, const RuVaPnt2d& x, const RuVaPnt2d& pick)
{
    RuVaVec2d u = (b - a).Normalized();
    if ((pick - x).Dot(u) < 0.0)
        u = -u;
    return u;
}

double InnerAngle(const RuVaVec2d& u, const RuVaVec2d& v)
{
    return std::fabs(std::atan2(u.Crossed(v), u.Dot(v))) * RuVa::RadToDeg;
}

}  // namespace

double MeasureTool::GetFeatureLength(const Feature2dBase* pFeature)
{
    if (pFeature == nullptr || !pFeature->IsValid())
        return 0.0;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine:
        return static_cast<const Line2dFeature*>(pFeature)->GetLength();
    case FeatureTypePolyline:
        return static_cast<const Polyline2dFeature*>(pFeature)->GetPointArray().GetLength();
    case FeatureTypeCircle:
        return RuVa::TwoPi * static_cast<const Circle2dFeature*>(pFeature)->GetRadius();
    case FeatureTypeArc: {
        const auto* f = static_cast<const Arc2dFeature*>(pFeature);
        return f->GetRadius() * f->GetSweepAngle() * RuVa::DegToRad;
    }
    case FeatureTypeEllipse: {
        const auto* f = static_cast<const Ellipse2dFeature*>(pFeature);
        return EllipseArcLength(f->GetMajorRadius(), f->GetMinorRadius(), 0.0, 360.0);
    }
    case FeatureTypeEllipseArc: {
        const auto* f = static_cast<const EllipseArc2dFeature*>(pFeature);
        const double sweep = f->GetSweepAngle();
        const double start = f->GetDirection() == 1 ? f->GetStartAngle() - sweep : f->GetStartAngle();
        return EllipseArcLength(f->GetMajorRadius(), f->GetMinorRadius(), start, sweep);
    }
    case FeatureTypeBSplineCurve: {
        std::vector<KcArrayOfGePnt2d> chains;
        const RuVaBndBox2d box = pFeature->GetBndBox();
        FeatureFlattener::Flatten(pFeature, chains, std::max(box.Width(), box.Height()) * 1e-7);
        return ChainLength(chains);
    }
    default:
        return 0.0;
    }
}

BOOL MeasureTool::GetFeatureLengthXY(const Feature2dBase* pFeature, double& dX, double& dY)
{
    dX = dY = 0.0;
    if (pFeature == nullptr || !pFeature->IsValid())
        return FALSE;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine:
    case FeatureTypePolyline:
    case FeatureTypeCircle:
    case FeatureTypeArc:
    case FeatureTypeEllipse:
    case FeatureTypeEllipseArc:
    case FeatureTypeBSplineCurve:
        break;
    default:
        return FALSE;
    }
    std::vector<KcArrayOfGePnt2d> chains;
    if (!FeatureFlattener::Flatten(pFeature, chains) || chains.size() != 1 || chains[0].GetSize() < 2)
        return FALSE;
    const KcArrayOfGePnt2d& c = chains[0];
    const RuVaPnt2d& s = c[0];
    const RuVaPnt2d& e = c[c.GetSize() - 1];
    if (s.Distance(e) <= kTol) {
        const RuVaBndBox2d box = c.GetBndBox();
        dX = box.Width();
        dY = box.Height();
    } else {
        dX = e.X() - s.X();
        dY = e.Y() - s.Y();
    }
    return TRUE;
}

double MeasureTool::GetAngle(const RuVaPnt2d& p1, const RuVaPnt2d& p2)
{
    if (p1.Distance(p2) < kTol)
        return 0.0;
    return RuVa::CorrectAngle(std::atan2(p2.Y() - p1.Y(), p2.X() - p1.X()) * RuVa::RadToDeg);
}

double MeasureTool::GetAngle(const RuVaPnt2d& vertex, const RuVaPnt2d& p1, const RuVaPnt2d& p2)
{
    if (vertex.Distance(p1) < kTol || vertex.Distance(p2) < kTol)
        return 0.0;
    return InnerAngle(p1 - vertex, p2 - vertex);
}

double MeasureTool::GetFeatureAngle(const Feature2dBase* pFeature, int nSegment)
{
    if (pFeature == nullptr || !pFeature->IsValid())
        return 0.0;
    if (pFeature->GetFeatureType() == FeatureTypeArc)
        return static_cast<const Arc2dFeature*>(pFeature)->GetSweepAngle();
    if (pFeature->GetFeatureType() == FeatureTypeEllipseArc)
        return static_cast<const EllipseArc2dFeature*>(pFeature)->GetSweepAngle();
    RuVaPnt2d a, b;
    return StraightOf(pFeature, nSegment, a, b) ? GetAngle(a, b) : 0.0;
}

BOOL MeasureTool::GetFeatureAngle(const Feature2dBase* pA, const Feature2dBase* pB, const RuVaPnt2d& pickA,
                                  const RuVaPnt2d& pickB, double& dAngle, int nSegmentA, int nSegmentB)
{
    dAngle = 0.0;
    RuVaPnt2d a, b, c, d, x;
    if (!StraightOf(pA, nSegmentA, a, b) || !StraightOf(pB, nSegmentB, c, d))
        return FALSE;
    if (!MeetingPoint(a, b, c, d, x))
        return TRUE;  // parallel: no angle between them
    dAngle = InnerAngle(ArmTowards(a, b, x, pickA), ArmTowards(c, d, x, pickB));
    return TRUE;
}

BOOL MeasureTool::GetLinePointsOfFeatureAndFeature(const Feature2dBase* pA, const Feature2dBase* pB, RuVaPnt2d& a,
                                                   RuVaPnt2d& b, RuVaPnt2d& c, RuVaPnt2d& d, int nSegmentA,
                                                   int nSegmentB)
{
    RuVaPnt2d a1, b1, c1, d1;
    if (!StraightOf(pA, nSegmentA, a1, b1) || !StraightOf(pB, nSegmentB, c1, d1))
        return FALSE;
    a = a1;
    b = b1;
    c = c1;
    d = d1;
    return TRUE;
}

int MeasureTool::GetStartAndEndPointFromTwoLine(const RuVaPnt2d& a, const RuVaPnt2d& b, int, const RuVaPnt2d& c,
                                                const RuVaPnt2d& d, int, const RuVaPnt2d& pickA,
                                                const RuVaPnt2d& pickB, const RuVaPnt2d& position,
                                                RuVaPnt2d& vertex, RuVaPnt2d& p1, RuVaPnt2d& p2)
{
    if (a.Distance(b) < kTol)
        return -2;
    if (c.Distance(d) < kTol)
        return -3;
    RuVaPnt2d x;
    if (!MeetingPoint(a, b, c, d, x))
        return -1;
    RuVaVec2d u = ArmTowards(a, b, x, pickA), v = ArmTowards(c, d, x, pickB);
    // The position must lie inside the angle between the arms; otherwise turn the arms round until it does.
    const RuVaVec2d w = position - x;
    if (w.Magnitude() >= kTol) {
        auto holds = [&](const RuVaVec2d& p, const RuVaVec2d& q) {
            return std::fabs(InnerAngle(p, w) + InnerAngle(w, q) - InnerAngle(p, q)) < 1e-9;
        };
        if (!holds(u, v)) {
            if (holds(-u, v))
                u = -u;
            else if (holds(u, -v))
                v = -v;
            else
                u = -u, v = -v;
        }
    }
    const double la = std::max(pickA.Distance(x), a.Distance(b)), lb = std::max(pickB.Distance(x), c.Distance(d));
    vertex = x;
    p1 = x + u * la;
    p2 = x + v * lb;
    return 0;
}

double MeasureTool::GetPolygonArea(const KcArrayOfGePnt2d& points)
{
    const INT_PTR n = points.GetSize();
    if (n < 3)
        return 0.0;
    double twice = 0.0;
    const RuVaPnt2d& o = points[0];
    for (INT_PTR i = 1; i + 1 < n; ++i)
        twice += (points[i] - o).Crossed(points[i + 1] - o);
    return std::fabs(twice) * 0.5;
}

double MeasureTool::GetFeatureArea(const Feature2dBase* pFeature)
{
    if (pFeature == nullptr || !pFeature->IsValid())
        return 0.0;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeCircle: {
        const double r = static_cast<const Circle2dFeature*>(pFeature)->GetRadius();
        return RuVa::Pi * r * r;
    }
    case FeatureTypeEllipse: {
        const auto* f = static_cast<const Ellipse2dFeature*>(pFeature);
        return RuVa::Pi * f->GetMajorRadius() * f->GetMinorRadius();
    }
    case FeatureTypePolyline: {
        const auto* f = static_cast<const Polyline2dFeature*>(pFeature);
        return f->IsClosed() ? GetPolygonArea(f->GetPointArray()) : 0.0;
    }
    case FeatureTypeBSplineCurve: {
        if (!static_cast<const BSplineCurve2dFeature*>(pFeature)->IsClosed())
            return 0.0;
        std::vector<KcArrayOfGePnt2d> chains;
        const RuVaBndBox2d box = pFeature->GetBndBox();
        FeatureFlattener::Flatten(pFeature, chains, std::max(box.Width(), box.Height()) * 1e-7);
        return chains.size() == 1 ? GetPolygonArea(chains[0]) : 0.0;
    }
    case FeatureTypeRegion: {
        const auto* f = static_cast<const Region2dFeature*>(pFeature);
        if (!f->IsValidConnection())
            return 0.0;
        if (f->GetFeatureCount() == 1 && GetFeatureArea(f->GetFeature(0)) > 0.0)
            return GetFeatureArea(f->GetFeature(0));
        // Join the flattened curves into one outline, each oriented to follow on from the last.
        KcArrayOfGePnt2d outline;
        for (int i = 0; i < f->GetFeatureCount(); ++i) {
            std::vector<KcArrayOfGePnt2d> chains;
            FeatureFlattener::Flatten(f->GetFeature(i), chains, 1e-6);
            if (chains.empty())
                continue;
            KcArrayOfGePnt2d piece = chains[0];
            if (!outline.IsEmpty() &&
                piece[piece.GetSize() - 1].Distance(outline[outline.GetSize() - 1]) <
                    piece[0].Distance(outline[outline.GetSize() - 1]))
                piece.Reverse();
            outline.Append(piece);
        }
        return GetPolygonArea(outline);
    }
    case FeatureTypeHatch: {
        const auto* f = static_cast<const Hatch2dFeature*>(pFeature);
        double area = GetFeatureArea(&f->GetOuterRegion());
        for (int i = 0; i < f->GetInnerRegionCount(); ++i)
            area -= GetFeatureArea(&f->GetInnerRegion(i));
        return area > 0.0 ? area : 0.0;
    }
    default:
        return 0.0;
    }
}

BOOL MeasureTool::GetPolygonCentroid(const KcArrayOfGePnt2d& points, RuVaPnt2d& centroid)
{
    const INT_PTR n = points.GetSize();
    centroid = RuVaPnt2d(0, 0);
    if (n == 0)
        return FALSE;
    double cx = 0.0, cy = 0.0, twice = 0.0;
    const RuVaPnt2d& o = points[0];
    for (INT_PTR i = 1; i + 1 < n; ++i) {
        const RuVaVec2d p = points[i] - o, q = points[i + 1] - o;
        const double cross = p.Crossed(q);
        twice += cross;
        cx += (p.X() + q.X()) * cross;
        cy += (p.Y() + q.Y()) * cross;
    }
    const RuVaBndBox2d box = points.GetBndBox();
    const double size = std::max(box.Width(), box.Height());
    if (!(std::fabs(twice) > 1e-12 * size * size)) {
        double sx = 0.0, sy = 0.0;
        for (const RuVaPnt2d& p : points) {
            sx += p.X();
            sy += p.Y();
        }
        centroid = RuVaPnt2d(sx / (double)n, sy / (double)n);
        return FALSE;
    }
    centroid = RuVaPnt2d(o.X() + cx / (3.0 * twice), o.Y() + cy / (3.0 * twice));
    return TRUE;
}

RuVaPnt2d MeasureTool::GetPolygonCentroid(const KcArrayOfGePnt2d& points)
{
    RuVaPnt2d c;
    GetPolygonCentroid(points, c);
    return c;
}
