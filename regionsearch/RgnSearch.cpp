#include "regionsearch/RgnSearch.h"

#include "regionsearch/RgnArrangement.h"

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <map>
#include <queue>
#include <set>
#include <tuple>

#include <BndLib_Add2dCurve.hxx>
#include <Bnd_Box2d.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
#include <Geom2dConvert.hxx>
#include <Geom2dConvert_BSplineCurveToBezierCurve.hxx>
#include <Geom2dAPI_InterCurveCurve.hxx>
#include <Geom2dAPI_ProjectPointOnCurve.hxx>
#include <Geom2dAdaptor_Curve.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_BezierCurve.hxx>
#include <Geom2d_BoundedCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Ellipse.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <Geom2dInt_GInter.hxx>
#include <GeomLib_Tool.hxx>
#include <IntRes2d_IntersectionPoint.hxx>
#include <IntRes2d_IntersectionSegment.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <gp.hxx>

#include "platform/afx/ResourceModule.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/ruva/RuVaVec2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/ConvertGeom2dToFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "libs/zuruda/KcOcConv.h"

namespace {

constexpr double kPntTol = RgnSearch::kPointTolerance;
constexpr double kParTol = RgnSearch::kParameterTolerance;
constexpr double kAngTol = RgnSearch::kAngleTolerance;
// Bounds at or beyond this count as the kernel's infinite value.
constexpr double kInfiniteBound = 1e100;

DWORD SystemTickCount(void*)
{
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Handle(Geom2d_Curve) CopyCurve(const Handle(Geom2d_Curve)& c)
{
    return c.IsNull() ? Handle(Geom2d_Curve)() : Handle(Geom2d_Curve)::DownCast(c->Copy());
}

// The curve between two parameters; null when the kernel refuses (no length, bad parameters).
Handle(Geom2d_Curve) TrimCurve(const Handle(Geom2d_Curve)& c, double u1, double u2)
{
    if (c.IsNull() || !(u2 - u1 > 0.0))
        return Handle(Geom2d_Curve)();
    try {
        return new Geom2d_TrimmedCurve(c, u1, u2, Standard_True, Standard_False);
    } catch (const Standard_Failure&) {
        return Handle(Geom2d_Curve)();
    }
}

Handle(Geom2d_Curve) ReversedCurve(const Handle(Geom2d_Curve)& c)
{
    try {
        return c->Reversed();
    } catch (const Standard_Failure&) {
        return Handle(Geom2d_Curve)();
    }
}

gp_Pnt2d StartPoint(const Handle(Geom2d_Curve)& c)
{
    return c->Value(c->FirstParameter());
}

gp_Pnt2d EndPoint(const Handle(Geom2d_Curve)& c)
{
    return c->Value(c->LastParameter());
}

bool IsInfiniteBound(double u)
{
    return std::fabs(u) >= kInfiniteBound;
}

// The signed angle from a to b in (-pi, pi]; false when either has no direction.
bool SignedAngle(const gp_Vec2d& a, const gp_Vec2d& b, double& angle)
{
    if (a.Magnitude() <= gp::Resolution() || b.Magnitude() <= gp::Resolution())
        return false;
    try {
        angle = a.Angle(b);
        return true;
    } catch (const Standard_Failure&) {
        return false;
    }
}

Handle(Geom2d_Curve) BasisOf(const Handle(Geom2d_Curve)& c)
{
    Handle(Geom2d_TrimmedCurve) t = Handle(Geom2d_TrimmedCurve)::DownCast(c);
    return t.IsNull() ? c : t->BasisCurve();
}

bool IsTrimmedLine(const Handle(Geom2d_Curve)& c, bool& finite)
{
    Handle(Geom2d_TrimmedCurve) t = Handle(Geom2d_TrimmedCurve)::DownCast(c);
    if (t.IsNull() || Handle(Geom2d_Line)::DownCast(t->BasisCurve()).IsNull())
        return false;
    finite = !IsInfiniteBound(t->FirstParameter()) && !IsInfiniteBound(t->LastParameter());
    return true;
}

bool IsTwiceDifferentiable(const Handle(Geom2d_Curve)& c)
{
    try {
        return c->IsCN(2) == Standard_True;
    } catch (const Standard_Failure&) {
        return false;
    }
}

// First and second derivative at u; the second is zero where the curve is not twice differentiable.
void Derivatives(const Handle(Geom2d_Curve)& c, double u, gp_Vec2d& d1, gp_Vec2d& d2)
{
    d1 = gp_Vec2d(0.0, 0.0);
    d2 = gp_Vec2d(0.0, 0.0);
    try {
        gp_Pnt2d p;
        if (IsTwiceDifferentiable(c))
            c->D2(u, p, d1, d2);
        else
            c->D1(u, p, d1);
    } catch (const Standard_Failure&) {
    }
}

struct CurveHit {
    gp_Pnt2d p;
    double ua;
    double ub;
};

// A finite piece of a line: its line's origin and direction, and its parameter range.
bool AsSegment(const Handle(Geom2d_Curve)& c, gp_Pnt2d& origin, gp_Dir2d& dir, double& u0, double& u1)
{
    const Geom2d_TrimmedCurve* t = dynamic_cast<const Geom2d_TrimmedCurve*>(c.get());
    if (t == nullptr)
        return false;
    const Geom2d_Line* line = dynamic_cast<const Geom2d_Line*>(t->BasisCurve().get());
    if (line == nullptr)
        return false;
    u0 = t->FirstParameter();
    u1 = t->LastParameter();
    if (IsInfiniteBound(u0) || IsInfiniteBound(u1))
        return false;
    origin = line->Location();
    dir = line->Direction();
    return true;
}

// Where two finite segments meet: their crossing, and every end lying within the point tolerance of the
// other segment. False (nothing worked out) unless both are finite segments far from parallel.
bool IntersectSegments(const Handle(Geom2d_Curve)& a, const Handle(Geom2d_Curve)& b, std::vector<CurveHit>& hits)
{
    hits.clear();
    gp_Pnt2d oa, ob;
    gp_Dir2d da, db;
    double a0 = 0.0, a1 = 0.0, b0 = 0.0, b1 = 0.0;
    if (!AsSegment(a, oa, da, a0, a1) || !AsSegment(b, ob, db, b0, b1))
        return false;
    const double cross = da.X() * db.Y() - da.Y() * db.X();
    if (std::fabs(cross) < 1e-6)
        return false;  // nearly parallel: overlaps and long near misses are left to the kernel
    const double wx = ob.X() - oa.X(), wy = ob.Y() - oa.Y();
    const double u = (wx * db.Y() - wy * db.X()) / cross;
    const double v = (wx * da.Y() - wy * da.X()) / cross;
    if (u >= a0 && u <= a1 && v >= b0 && v <= b1)
        hits.push_back({gp_Pnt2d(oa.X() + u * da.X(), oa.Y() + u * da.Y()), u, v});
    // Ends touching the other segment (the crossing just beyond an end, by less than the tolerance).
    auto foot = [](const gp_Pnt2d& p, const gp_Pnt2d& o, const gp_Dir2d& d, double lo, double hi, double& t) {
        t = std::min(std::max((p.X() - o.X()) * d.X() + (p.Y() - o.Y()) * d.Y(), lo), hi);
        return p.Distance(gp_Pnt2d(o.X() + t * d.X(), o.Y() + t * d.Y()));
    };
    auto known = [&](const gp_Pnt2d& p) {
        return std::any_of(hits.begin(), hits.end(), [&](const CurveHit& h) { return h.p.Distance(p) <= kPntTol; });
    };
    for (double ua : {a0, a1}) {
        const gp_Pnt2d p(oa.X() + ua * da.X(), oa.Y() + ua * da.Y());
        double vb = 0.0;
        if (!known(p) && foot(p, ob, db, b0, b1, vb) < kPntTol)
            hits.push_back({p, ua, vb});
    }
    for (double vb : {b0, b1}) {
        const gp_Pnt2d p(ob.X() + vb * db.X(), ob.Y() + vb * db.Y());
        double ua = 0.0;
        if (!known(p) && foot(p, oa, da, a0, a1, ua) < kPntTol)
            hits.push_back({p, ua, vb});
    }
    return true;
}

// Where a line and a circle, or two circles, cross, worked out directly when they clearly cross or clearly
// miss each other: the crossings, with their parameters on each (a circle's within [0, 2 pi)). False, with
// nothing worked out, for other curves and where the two come near touching or a circle nearly lies on the
// other: the kernel and the touching rules decide those.
bool ClearCrossings(const Handle(Geom2d_Curve)& a, const Handle(Geom2d_Curve)& b, std::vector<CurveHit>& hits)
{
    hits.clear();
    using Simple = RgnArrangement::Simple;
    Simple sa, sb;
    if (!RgnArrangement::ReadSimple(a, sa) || !RgnArrangement::ReadSimple(b, sb))
        return false;
    if (sa.kind == Simple::kindLine && sb.kind == Simple::kindLine)
        return false;
    const bool swapped = sa.kind == Simple::kindCircle && sb.kind == Simple::kindLine;
    const Simple& s1 = swapped ? sb : sa;
    const Simple& s2 = swapped ? sa : sb;
    const double margin = 1e-6 * std::max({1.0, s1.radius, s2.radius});
    auto add = [&](const gp_Pnt2d& p, double u1) {
        const double u2 = s2.Parameter(p);
        hits.push_back(swapped ? CurveHit{p, u2, u1} : CurveHit{p, u1, u2});
    };
    const gp_Vec2d w(s1.origin, s2.origin);
    if (s1.kind == Simple::kindLine) {
        // The circle's centre lies h from the line, its foot at t along it.
        const double t = w.Dot(s1.x), h = std::fabs(w.Dot(s1.y)), r = s2.radius;
        if (std::fabs(h - r) <= margin)
            return false;
        if (h > r)
            return true;
        const double half = std::sqrt((r - h) * (r + h));
        for (double u : {t - half, t + half})
            if (u >= s1.u0 && u <= s1.u1)
                add(s1.Value(u), u);
        return true;
    }
    const double d = w.Magnitude(), r1 = s1.radius, r2 = s2.radius;
    if (std::fabs(d - (r1 + r2)) <= margin || std::fabs(d - std::fabs(r1 - r2)) <= margin)
        return false;
    if (d > r1 + r2 || d < std::fabs(r1 - r2))
        return true;
    // Along the line of centres a from the first centre, and h to either side.
    const double along = (d * d + r1 * r1 - r2 * r2) / (2.0 * d);
    const double half = std::sqrt(std::max(0.0, r1 * r1 - along * along));
    const gp_XY e = w.XY() / d, n(-e.Y(), e.X());
    for (double side : {-1.0, 1.0}) {
        const gp_Pnt2d p(s1.origin.XY() + e * along + n * (side * half));
        add(p, s1.Parameter(p));
    }
    return true;
}

// Whether the segment from p along the unit direction for the given length meets the box.
bool SegmentMeetsBox(const gp_Pnt2d& p, const gp_Dir2d& dir, double len, const RgnArrangement::Box& b)
{
    double lo = 0.0, hi = len;
    const double org[2] = {p.X(), p.Y()}, d[2] = {dir.X(), dir.Y()};
    const double mins[2] = {b.xmin, b.ymin}, maxs[2] = {b.xmax, b.ymax};
    for (int k = 0; k < 2; ++k) {
        if (std::fabs(d[k]) < 1e-300) {
            if (org[k] < mins[k] || org[k] > maxs[k])
                return false;
            continue;
        }
        double a = (mins[k] - org[k]) / d[k], e = (maxs[k] - org[k]) / d[k];
        if (a > e)
            std::swap(a, e);
        lo = std::max(lo, a);
        hi = std::min(hi, e);
        if (lo > hi)
            return false;
    }
    return true;
}

// Angles of arcs compared across the full turn, so that 0 and 2 pi agree.
double AngleGap(double a, double b)
{
    return std::fabs(std::remainder(RuVa::CorrectRadian(a) - RuVa::CorrectRadian(b), RuVa::TwoPi));
}

// Spline shapes keep only their control points and take evenly spaced knots, so a piece of a spline (whose
// knots are uneven once it is cut) is handed on as its single spans, which every knot spacing draws alike.
bool HasEvenKnots(const Handle(Geom2d_BSplineCurve)& s)
{
    const int n = s->NbKnots(), p = s->Degree();
    if (s->IsPeriodic() || s->Multiplicity(1) != p + 1 || s->Multiplicity(n) != p + 1)
        return false;
    const double step = (s->Knot(n) - s->Knot(1)) / (n - 1);
    for (int i = 2; i < n; ++i)
        if (s->Multiplicity(i) != 1 || std::fabs(s->Knot(i) - s->Knot(1) - step * (i - 1)) > 1e-12 * std::fabs(step) * n)
            return false;
    return true;
}

void AppendRegionCurves(const Handle(Geom2d_Curve)& c, TColGeom2d_SequenceOfCurve& out)
{
    Handle(Geom2d_BSplineCurve) basis = Handle(Geom2d_BSplineCurve)::DownCast(BasisOf(c));
    if (basis.IsNull()) {
        out.Append(c);
        return;
    }
    try {
        Handle(Geom2d_BSplineCurve) piece = Handle(Geom2d_BSplineCurve)::DownCast(basis->Copy());
        const double u1 = c->FirstParameter(), u2 = c->LastParameter();
        if (piece->IsPeriodic() || u1 > piece->FirstParameter() || u2 < piece->LastParameter())
            piece->Segment(u1, u2);
        if (HasEvenKnots(piece)) {
            out.Append(piece);
            return;
        }
        Geom2dConvert_BSplineCurveToBezierCurve spans(piece);
        for (int i = 1; i <= spans.NbArcs(); ++i)
            out.Append(Geom2dConvert::CurveToBSplineCurve(spans.Arc(i)));
    } catch (const Standard_Failure&) {
        out.Append(c);
    }
}

// Whether two curves coincide between two parameters of the first: a touching stretch reported by the
// intersector keeps the curves apart by a good part of the tolerance a quarter of the way in, a true
// overlap by nothing but rounding.
bool IsOverlap(const Handle(Geom2d_Curve)& a, const Handle(Geom2d_Curve)& b, double u1, double u2)
{
    if (a->IsPeriodic() && u2 < u1)
        u2 += a->Period();
    if (a->Value(u1).Distance(a->Value(u2)) <= 1e-6)
        return false;
    try {
        for (double t : {0.25, 0.5, 0.75}) {
            const gp_Pnt2d p = a->Value(u1 + (u2 - u1) * t);
            Geom2dAPI_ProjectPointOnCurve proj(p, b);
            const double scale = std::max(std::fabs(p.X()), std::fabs(p.Y()));
            if (proj.NbPoints() == 0 || proj.LowerDistance() > 1e-11 + 1e-14 * scale)
                return false;
        }
    } catch (const Standard_Failure&) {
        return false;
    }
    return true;
}

int Sign3(bool less, bool greater)
{
    return less ? -1 : (greater ? 1 : 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------
// Life cycle

RgnSearch::RgnSearch(const Draw2dDocument* pDocument)
    : m_pDocument(pDocument)
{
}

RgnSearch::~RgnSearch() = default;

void RgnSearch::SetNotifyProgressFunction(NotifyProgressFunction pfn, void* pUserData)
{
    m_pfnProgress = pfn;
    m_pProgressData = pUserData;
}

void RgnSearch::SetTickCountFunction(TickCountFunction pfn, void* pUserData)
{
    m_pfnTick = pfn;
    m_pTickData = pUserData;
}

DWORD RgnSearch::TickCount() const
{
    return m_pfnTick ? m_pfnTick(m_pTickData) : SystemTickCount(nullptr);
}

int RgnSearch::NotifyProgress(int nKind)
{
    if (m_pfnProgress == nullptr)
        return 1;
    NotifyProgressInfo info;
    info.m_nKind = nKind;
    info.m_nDisplayType = 2;
    info.m_nRangeMin = 0;
    info.m_nPosition = 0;
    info.m_nRangeMax = 100;
    info.m_pszText = m_strProgressText.c_str();
    return m_pfnProgress(&info, m_pProgressData);
}

// ---------------------------------------------------------------------------------------------------------
// Candidates

void RgnSearch::ClearCurves()
{
    m_curves.clear();
    m_addedCurves.clear();
    m_bFromView = false;
    m_bPrepared = false;
}

void RgnSearch::AppendCandidate(const Handle(Geom2d_Curve)& curve, long nRecordID, long nLayoutID)
{
    CurveInfo& info = m_addedCurves.emplace_back();
    info.nPosition = static_cast<int>(m_curves.size());
    info.nRecordID = nRecordID;
    info.nLayoutID = nLayoutID;
    info.curve = curve;
    GetCurveBox(info.box, curve);
    m_curves.push_back(&info);
    m_bFromView = false;
    m_bPrepared = false;
}

int RgnSearch::AddCurve(const Handle(Geom2d_Curve)& curve, long nRecordID, long nLayoutID)
{
    if (curve.IsNull())
        return 0;
    // No candidate may start and end at one point: a closed curve is cut at its middle.
    if (IsClosedCurve(curve)) {
        const double u0 = curve->FirstParameter(), u1 = curve->LastParameter();
        if (IsInfiniteBound(u0) || IsInfiniteBound(u1))
            return 0;
        const double mid = (u0 + u1) * 0.5;
        Handle(Geom2d_Curve) a = TrimCurve(curve, u0, mid);
        Handle(Geom2d_Curve) b = TrimCurve(curve, mid, u1);
        if (a.IsNull() || b.IsNull())
            return 0;
        AppendCandidate(a, nRecordID, nLayoutID);
        AppendCandidate(b, nRecordID, nLayoutID);
        return 2;
    }
    AppendCandidate(curve, nRecordID, nLayoutID);
    return 1;
}

// A B-spline is cut where it crosses itself; every piece that still closes is halved.
int RgnSearch::AddSplitCurve(const Handle(Geom2d_Curve)& curve, long nRecordID, long nLayoutID)
{
    const double first = curve->FirstParameter(), last = curve->LastParameter();
    std::vector<double> params;
    try {
        Geom2dAPI_InterCurveCurve self(curve, kIntersectionTolerance);
        const Geom2dInt_GInter& inter = self.Intersector();
        for (int i = 1; i <= inter.NbPoints(); ++i) {
            const IntRes2d_IntersectionPoint& ip = inter.Point(i);
            params.push_back(ip.ParamOnFirst());
            params.push_back(ip.ParamOnSecond());
        }
        // A crossing can come as a short stretch where the two passes run within the tolerance.
        for (int i = 1; i <= inter.NbSegments(); ++i) {
            const IntRes2d_IntersectionSegment& seg = inter.Segment(i);
            if (!seg.HasFirstPoint() || !seg.HasLastPoint())
                continue;
            params.push_back(0.5 * (seg.FirstPoint().ParamOnFirst() + seg.LastPoint().ParamOnFirst()));
            params.push_back(0.5 * (seg.FirstPoint().ParamOnSecond() + seg.LastPoint().ParamOnSecond()));
        }
    } catch (const Standard_Failure&) {
        params.clear();
    }
    if (params.empty())
        return AddCurve(curve, nRecordID, nLayoutID);
    std::sort(params.begin(), params.end());
    if (params.front() - first > kParTol)
        params.insert(params.begin(), first);
    if (last - params.back() > kParTol)
        params.push_back(last);
    int added = 0;
    for (size_t i = 0; i + 1 < params.size(); ++i) {
        const double u0 = params[i], u1 = params[i + 1];
        if (u1 - u0 <= kParTol)
            continue;
        Handle(Geom2d_Curve) piece = (std::fabs(u0 - first) <= kParTol && std::fabs(u1 - last) <= kParTol)
                                         ? CopyCurve(curve)
                                         : TrimCurve(curve, u0, u1);
        added += AddCurve(piece, nRecordID, nLayoutID);
    }
    return added;
}

int RgnSearch::AddFeatureCurves(const Feature2dBase* pFeature, long nRecordID, long nLayoutID)
{
    if (pFeature == nullptr)
        return 0;
    int added = 0;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypePolyline: {
        const KcArrayOfGePnt2d& pts = static_cast<const Polyline2dFeature*>(pFeature)->GetPointArray();
        for (int i = 0; i + 1 < pts.GetSize(); ++i) {
            RuVaLineSeg2d seg(pts[i], pts[i + 1]);
            added += AddCurve(KcOcConv::ConvertToOcCurve(seg), nRecordID, nLayoutID);
        }
        break;
    }
    case FeatureTypeCircle: {
        const auto* c = static_cast<const Circle2dFeature*>(pFeature);
        for (int half = 0; half < 2; ++half) {
            RuVaArc2d arc(c->GetCenterPoint(), c->GetRadius(), half * RuVa::Pi, (half + 1) * RuVa::Pi, 1);
            arc.SetAngle(half * RuVa::Pi, (half + 1) * RuVa::Pi);
            added += AddCurve(KcOcConv::ConvertToOcCurve(arc), nRecordID, nLayoutID);
        }
        break;
    }
    case FeatureTypeEllipse: {
        const auto* e = static_cast<const Ellipse2dFeature*>(pFeature);
        const RuVaPnt2d& centre = e->GetCenterPoint();
        RuVaPnt2d major(centre.X() + e->GetMajorRadius(), centre.Y());
        major.Rotate(centre, e->GetAngle() * RuVa::Pi / 180.0);
        const RuVaVec2d axis(centre, major);
        for (int half = 0; half < 2; ++half) {
            RuVaEllipseArc2d arc(centre, axis, e->GetMajorRadius(), e->GetMinorRadius(), half * RuVa::Pi,
                                 (half + 1) * RuVa::Pi, 1);
            arc.SetAngle(half * RuVa::Pi, (half + 1) * RuVa::Pi);
            added += AddCurve(KcOcConv::ConvertToOcCurve(arc), nRecordID, nLayoutID);
        }
        break;
    }
    case FeatureTypeBSplineCurve:
    case FeatureTypeLine:
    case FeatureTypeArc:
    case FeatureTypeEllipseArc:
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        std::unique_ptr<RuVaEntity2d> entity(ConvertFeatureToGeom2d::Convert(pFeature));
        Handle(Geom2d_Curve) curve = KcOcConv::ConvertToOcCurve(entity.get());
        if (curve.IsNull())
            break;
        if (pFeature->GetFeatureType() == FeatureTypeBSplineCurve)
            added += AddSplitCurve(curve, nRecordID, nLayoutID);
        else
            added += AddCurve(curve, nRecordID, nLayoutID);
        break;
    }
    default:
        // Texts, dimensions, hatches, groups, components, markers and the rest never bound a region.
        break;
    }
    return added;
}

void RgnSearch::CollectCurves(const Draw2dView* pView, int nFlag)
{
    const Draw2dDocument* doc = pView == nullptr ? nullptr : (m_pDocument ? m_pDocument : pView->GetDocument());
    if (doc == nullptr) {
        ClearCurves();
        m_order.clear();
        return;
    }
    // Shapes unchanged since an earlier search keep their curves: only new and changed ones are converted.
    ++m_nWalk;
    std::vector<CachedShape*> order;
    order.reserve(m_order.size());
    bool changed = !m_bFromView;
    long nLayoutID = -1;
    for (long id = pView->GetNextSelectableFeatureRecordID(nLayoutID, -1, nFlag); id != -1;
         id = pView->GetNextSelectableFeatureRecordID(nLayoutID, id, nFlag)) {
        const Feature2dBase* f = doc->GetFeature(id);
        if (f == nullptr)
            continue;
        switch (f->GetFeatureType()) {
        case FeatureTypeLine:
        case FeatureTypePolyline:
        case FeatureTypeCircle:
        case FeatureTypeArc:
        case FeatureTypeEllipse:
        case FeatureTypeEllipseArc:
        case FeatureTypeBSplineCurve:
        case FeatureTypeInfiniteLine:
        case FeatureTypeSemiInfiniteLine:
            break;
        default:
            continue;
        }
        const PartDrawingLayout* layout = nLayoutID != -1 ? pView->GetPartLayoutByID(nLayoutID) : nullptr;
        double placement[6] = {0.0, 0.0, 0.0, 1.0, 1.0, 0.0};
        if (layout != nullptr && !layout->IsTransformIdentity()) {
            placement[0] = layout->GetOrigin().X();
            placement[1] = layout->GetOrigin().Y();
            placement[2] = layout->GetAngle();
            layout->GetScale(placement[3], placement[4]);
            placement[5] = 1.0;
        }
        if (nLayoutID == -1 && static_cast<size_t>(id) >= m_ownShapes.size())
            m_ownShapes.resize(static_cast<size_t>(id) + 1);
        CachedShape& shape = nLayoutID == -1 ? m_ownShapes[static_cast<size_t>(id)] : m_shapes[ShapeKey{id, nLayoutID}];
        const unsigned long long stamp = doc->GetFeatureStamp(id);
        if (shape.nWalk == 0 || shape.nStamp != stamp || shape.pFeature != f ||
            !std::equal(placement, placement + 6, shape.placement)) {
            shape.nStamp = stamp;
            shape.pFeature = f;
            std::copy(placement, placement + 6, shape.placement);
            shape.curves.clear();
            const DrawingFeatureBase* drawing = doc->ChangeDrawingFeature(doc->GetFeatureDrawingID(id));
            std::unique_ptr<Feature2dBase> world(pView->ConvertFeatureLocalToWorld(drawing, layout, f, 0));
            const size_t before = m_curves.size(), addedBefore = m_addedCurves.size();
            AddFeatureCurves(world.get(), id, nLayoutID);
            shape.curves.reserve(m_curves.size() - before);
            for (size_t k = before; k < m_curves.size(); ++k)
                shape.curves.push_back(*m_curves[k]);
            m_curves.resize(before);
            m_addedCurves.resize(addedBefore);
            changed = true;
        }
        shape.nWalk = m_nWalk;
        if (!changed && (order.size() >= m_order.size() || m_order[order.size()] != &shape))
            changed = true;
        order.push_back(&shape);
    }
    if (order.size() != m_order.size())
        changed = true;
    // Shapes no longer shown through a layout are forgotten.
    for (auto it = m_shapes.begin(); it != m_shapes.end();) {
        if (it->second.nWalk != m_nWalk)
            it = m_shapes.erase(it);
        else
            ++it;
    }
    if (!changed)
        return;
    // The candidates are the cached shapes' own curves, numbered in this walk's order.
    m_curves.clear();
    m_addedCurves.clear();
    for (CachedShape* shape : order) {
        for (CurveInfo& c : shape->curves) {
            c.nPosition = static_cast<int>(m_curves.size());
            m_curves.push_back(&c);
        }
    }
    m_order.swap(order);
    m_bFromView = true;
    m_bPrepared = false;
}

void RgnSearch::PrepareCandidates()
{
    using Box = RgnArrangement::Box;
    m_bPrepared = true;
    m_endless.clear();
    m_extent = Box();
    m_boxes.assign(m_curves.size(), Box());
    m_finite.assign(m_curves.size(), 1);
    std::vector<FeatureSpatialIndex::Entry> entries;
    std::vector<FeatureSpatialIndex::Unbounded> unbounded;
    entries.reserve(m_curves.size());
    std::vector<double> sizes;
    for (const auto& cand : m_curves) {
        const Handle(Geom2d_Curve)& c = cand->curve;
        if (!cand->box.IsVoid()) {
            Box& b = m_boxes[static_cast<size_t>(cand->nPosition)];
            cand->box.Get(b.xmin, b.ymin, b.xmax, b.ymax);
            FeatureSpatialIndex::Entry entry;
            bool bUnbounded = false;
            if (FeatureSpatialIndex::MakeEntry(cand->nPosition, cand->box, entry, bUnbounded)) {
                if (bUnbounded)
                    unbounded.push_back({cand->box, cand->nPosition});
                else
                    entries.push_back(entry);
            }
        }
        // Where every bounded face lies: the finite curves, and the meeting points and starts of the
        // curves that run to infinity.
        if (IsInfiniteBound(c->FirstParameter()) || IsInfiniteBound(c->LastParameter())) {
            m_finite[static_cast<size_t>(cand->nPosition)] = 0;
            m_endless.push_back(cand->nPosition);
            if (!IsInfiniteBound(c->FirstParameter()))
                m_extent.Add(c->Value(c->FirstParameter()));
            if (!IsInfiniteBound(c->LastParameter()))
                m_extent.Add(c->Value(c->LastParameter()));
            continue;
        }
        if (cand->box.IsVoid())
            continue;
        Box b;
        cand->box.Get(b.xmin, b.ymin, b.xmax, b.ymax);
        m_extent.Add(b);
        if (sizes.size() < 1000)
            sizes.push_back(std::hypot(b.xmax - b.xmin, b.ymax - b.ymin));
    }
    m_index.Build(std::move(entries), std::move(unbounded));
    for (size_t i = 0; i < m_endless.size(); ++i) {
        for (size_t j = i + 1; j < m_endless.size(); ++j) {
            TColgp_SequenceOfPnt2d points;
            if (IntersectCurves(m_curves[static_cast<size_t>(m_endless[i])]->curve,
                                m_curves[static_cast<size_t>(m_endless[j])]->curve, points, nullptr, nullptr,
                                kIntersectionTolerance))
                for (int k = 1; k <= points.Length(); ++k)
                    m_extent.Add(points(k));
        }
    }
    m_dTypicalSize = 0.0;
    if (!sizes.empty()) {
        std::nth_element(sizes.begin(), sizes.begin() + static_cast<long>(sizes.size() / 2), sizes.end());
        m_dTypicalSize = sizes[sizes.size() / 2];
    }
    // The flood's tiles are two typical shapes wide, on a grid fixed to the drawing so that later searches
    // find them again; the odd offsets keep their borders off the round coordinates shapes are drawn at.
    m_tiles.clear();
    const double scale = 1.0 + std::max(std::fabs(m_extent.xmin), std::fabs(m_extent.ymin));
    m_dTile = 2.0 * std::max(m_dTypicalSize, 1e-6 * scale);
    m_tileOrigin[0] = (m_extent.IsVoid() ? 0.0 : m_extent.xmin) - 0.3819660112501051 * m_dTile;
    m_tileOrigin[1] = (m_extent.IsVoid() ? 0.0 : m_extent.ymin) - 0.2360679774997897 * m_dTile;
}

void RgnSearch::QueryCandidates(const RgnArrangement::Box& box, std::vector<int>& out) const
{
    out.clear();
    m_index.Query(box.xmin, box.ymin, box.xmax, box.ymax, [&](long id) {
        if (m_boxes[static_cast<size_t>(id)].Overlaps(box))
            out.push_back(static_cast<int>(id));
    });
    std::sort(out.begin(), out.end());
}

// ---------------------------------------------------------------------------------------------------------
// Search

int RgnSearch::Search(const gp_Pnt2d& pick, const Draw2dView* pView, int nFlag)
{
    if (pView == nullptr)
        return 0;
    m_pick = pick;
    m_pRegion.reset();
    CollectCurves(pView, nFlag);
    return SearchCurves(pick, pView->ConvertLengthClientToWorld(5.0));
}

int RgnSearch::StepSearch()
{
    if (!NotifyProgress(NotifyProgressInfo::kindStep))
        return RgnArrangement::resultCancelled;
    if (static_cast<DWORD>(TickCount() - m_dwStartTime) > kTimeLimit)
        return RgnArrangement::resultTimeOut;
    return RgnArrangement::resultFound;
}

int RgnSearch::SearchCurves(const gp_Pnt2d& pick, double dDeflection)
{
    m_pick = pick;
    m_pRegion.reset();
    m_dDeflection = dDeflection;
    m_dwStartTime = TickCount();
    if (!std::isfinite(pick.X()) || !std::isfinite(pick.Y()))
        return 0;
    if (!m_bPrepared)
        PrepareCandidates();

    // On a curve, or nothing at all in one of the four directions: no region, found without a walk.
    using Box = RgnArrangement::Box;
    bool blocked[4] = {false, false, false, false};
    for (size_t k = 0; k < m_boxes.size(); ++k) {
        const Box& b = m_boxes[k];
        if (b.IsVoid())
            continue;
        const bool inX = pick.X() >= b.xmin && pick.X() <= b.xmax, inY = pick.Y() >= b.ymin && pick.Y() <= b.ymax;
        if (inX && inY && IsPointOnCurve(m_curves[k]->curve, pick))
            return 0;
        if (inY) {
            blocked[0] = blocked[0] || b.xmax > pick.X();
            blocked[1] = blocked[1] || b.xmin < pick.X();
        }
        if (inX) {
            blocked[2] = blocked[2] || b.ymax > pick.Y();
            blocked[3] = blocked[3] || b.ymin < pick.Y();
        }
    }
    for (bool b : blocked)
        if (!b)
            return 0;

    m_strProgressText.clear();
    if (m_pfnProgress != nullptr)
        AfxLoadStringResource(kProgressTextID, m_strProgressText);
    NotifyProgress(NotifyProgressInfo::kindBegin);
    const int result = SearchArrangement(pick);
    NotifyProgress(NotifyProgressInfo::kindFinish);
    return result;
}

int RgnSearch::SearchArrangement(const gp_Pnt2d& pick)
{
    using Box = RgnArrangement::Box;
    Box extent = m_extent;
    extent.Add(pick);
    const double extentSize = std::max(extent.xmax - extent.xmin, extent.ymax - extent.ymin);
    // A straight way out that meets no shape proves the point open before any arrangement is built:
    // every bounded face lies within the extent, and the way runs beyond it.
    {
        const double reach = std::hypot(std::max(pick.X() - extent.xmin, extent.xmax - pick.X()),
                                        std::max(pick.Y() - extent.ymin, extent.ymax - pick.Y())) * 1.01 + 1.0;
        TColgp_SequenceOfPnt2d points;
        for (int k = 0; k < 16; ++k) {
            const double angle = 0.3819660112501051 * 2.0 * M_PI * k + 0.05;
            const gp_Dir2d dir(std::cos(angle), std::sin(angle));
            const gp_Pnt2d end(pick.X() + dir.X() * reach, pick.Y() + dir.Y() * reach);
            Box wayBox;
            wayBox.Add(pick);
            wayBox.Add(end);
            Handle(Geom2d_Curve) way = TrimCurve(new Geom2d_Line(pick, dir), 0.0, reach);
            bool blocked = false;
            for (size_t n = 0; n < m_curves.size(); ++n) {
                if (m_finite[n]) {
                    const Box& b = m_boxes[n];
                    if (b.IsVoid() || !b.Overlaps(wayBox) || !SegmentMeetsBox(pick, dir, reach, b))
                        continue;
                }
                const Handle(Geom2d_Curve)& c = m_curves[n]->curve;
                if (IntersectCurves(way, c, points, nullptr, nullptr, GetIntersectionTolerance(way, c))) {
                    blocked = true;
                    break;
                }
            }
            if (!blocked)
                return 0;
        }
    }
    // The first window is a few typical shapes wide. When the face around the point does not lie inside it,
    // the face is followed tile by tile to learn whether it is open, or where it lies; the window then takes
    // it in (or doubles, where following gave up), for then no shape outside the window can cut that face.
    double half = std::max(m_dTypicalSize, 1e-6 * (1.0 + std::fabs(pick.X()) + std::fabs(pick.Y())));
    // A small drawing is taken whole at once: growing the window would only build it again and again.
    if (m_curves.size() <= 256)
        half = std::max({half, pick.X() - extent.xmin, extent.xmax - pick.X(), pick.Y() - extent.ymin,
                         extent.ymax - pick.Y()}) * 1.01 + 1e-9;
    RgnArrangement arrangement;
    const RgnArrangement::StepFunction step = [this]() { return StepSearch(); };
    std::vector<int> found;
    bool followed = false;
    for (;;) {
        const int go = StepSearch();
        if (go == RgnArrangement::resultCancelled)
            return -1;
        if (go == RgnArrangement::resultTimeOut)
            return 0;
        Box window;
        window.xmin = pick.X() - half;
        window.xmax = pick.X() + half;
        window.ymin = pick.Y() - half;
        window.ymax = pick.Y() + half;
        const bool complete = window.Contains(extent);
        Box clip = window;
        if (complete) {
            clip.xmin = extent.xmin - extentSize - 1.0;
            clip.ymin = extent.ymin - extentSize - 1.0;
            clip.xmax = extent.xmax + extentSize + 1.0;
            clip.ymax = extent.ymax + extentSize + 1.0;
            clip.Add(window);
        } else {
            clip.xmin -= half;
            clip.ymin -= half;
            clip.xmax += half;
            clip.ymax += half;
        }
        QueryCandidates(window, found);
        std::vector<Handle(Geom2d_Curve)> selected;
        selected.reserve(found.size());
        for (int k : found)
            selected.push_back(m_curves[static_cast<size_t>(k)]->curve);
        const int built = arrangement.Build(selected, clip, step);
        if (built == RgnArrangement::resultCancelled)
            return -1;
        if (built == RgnArrangement::resultTimeOut)
            return 0;
        Handle(TColGeom2d_HSequenceOfCurve) loop;
        Box loopBox;
        const int located = arrangement.Locate(pick, loop, loopBox);
        if (located == RgnArrangement::resultFound && (complete || window.Contains(loopBox))) {
            m_pRegion.reset(BuildRegion(loop));
            return m_pRegion ? 1 : 0;
        }
        if (complete)
            return 0;
        if (!followed) {
            followed = true;
            Box faceBox;
            std::vector<int> boundary;
            const int face = FloodFace(pick, faceBox, boundary);
            if (face == RgnArrangement::resultCancelled)
                return -1;
            if (face == RgnArrangement::resultTimeOut || face == 0)
                return 0;
            if (face == 1) {
                // The face is bounded by these curves alone: no other curve touches it.
                selected.clear();
                for (int k : boundary)
                    selected.push_back(m_curves[static_cast<size_t>(k)]->curve);
                Box faceClip = faceBox;
                faceClip.xmin -= m_dTile;
                faceClip.ymin -= m_dTile;
                faceClip.xmax += m_dTile;
                faceClip.ymax += m_dTile;
                const int again = arrangement.Build(selected, faceClip, step);
                if (again == RgnArrangement::resultCancelled)
                    return -1;
                if (again == RgnArrangement::resultTimeOut)
                    return 0;
                if (arrangement.Locate(pick, loop, loopBox) == RgnArrangement::resultFound && faceClip.Contains(loopBox)) {
                    m_pRegion.reset(BuildRegion(loop));
                    return m_pRegion ? 1 : 0;
                }
                // Not what the tiles showed: the window grows over the face as before.
                half = std::max({half, pick.X() - faceBox.xmin, faceBox.xmax - pick.X(), pick.Y() - faceBox.ymin,
                                 faceBox.ymax - pick.Y()}) * 1.01 + 1e-9;
                continue;
            }
        }
        half *= 2.0;
        if (located == RgnArrangement::resultFound)
            half = std::max(half, std::max({pick.X() - loopBox.xmin, loopBox.xmax - pick.X(), pick.Y() - loopBox.ymin,
                                            loopBox.ymax - pick.Y()}) * 1.01);
    }
}

struct RgnSearch::FloodTile {
    RgnArrangement arrangement;
    std::vector<int> candidates;  // the arrangement's sources below firstBorder
    int firstBorder = 0;
    int built = RgnArrangement::resultFound;
};

RgnArrangement::Box RgnSearch::GetTileBox(long long i, long long j) const
{
    // The corners come from one expression, so neighbours share their border exactly.
    RgnArrangement::Box b;
    b.xmin = m_tileOrigin[0] + static_cast<double>(i) * m_dTile;
    b.xmax = m_tileOrigin[0] + static_cast<double>(i + 1) * m_dTile;
    b.ymin = m_tileOrigin[1] + static_cast<double>(j) * m_dTile;
    b.ymax = m_tileOrigin[1] + static_cast<double>(j + 1) * m_dTile;
    return b;
}

RgnSearch::FloodTile& RgnSearch::GetFloodTile(long long i, long long j)
{
    std::unique_ptr<FloodTile>& slot = m_tiles[{i, j}];
    if (slot && slot->built == RgnArrangement::resultFound)
        return *slot;
    slot = std::make_unique<FloodTile>();
    FloodTile& t = *slot;
    const RgnArrangement::Box b = GetTileBox(i, j);
    QueryCandidates(b, t.candidates);
    std::vector<Handle(Geom2d_Curve)> curves;
    curves.reserve(t.candidates.size() + 4);
    for (int k : t.candidates)
        curves.push_back(m_curves[static_cast<size_t>(k)]->curve);
    t.firstBorder = static_cast<int>(curves.size());
    // The borders run counter-clockwise (bottom, right, top, left), so each has the tile on its left.
    const gp_Pnt2d corners[4] = {gp_Pnt2d(b.xmin, b.ymin), gp_Pnt2d(b.xmax, b.ymin), gp_Pnt2d(b.xmax, b.ymax),
                                 gp_Pnt2d(b.xmin, b.ymax)};
    for (int side = 0; side < 4; ++side) {
        const gp_Pnt2d& p0 = corners[side];
        const gp_Pnt2d& p1 = corners[(side + 1) % 4];
        curves.push_back(TrimCurve(new Geom2d_Line(p0, gp_Dir2d(gp_Vec2d(p0, p1))), 0.0, p0.Distance(p1)));
    }
    RgnArrangement::Box clip = b;
    clip.xmin -= m_dTile;
    clip.ymin -= m_dTile;
    clip.xmax += m_dTile;
    clip.ymax += m_dTile;
    t.arrangement.SetYieldingSources(t.firstBorder);
    RgnArrangement::Box focus = b;
    const double margin = 1e-6 * m_dTile;
    focus.xmin -= margin;
    focus.ymin -= margin;
    focus.xmax += margin;
    focus.ymax += margin;
    t.arrangement.SetFocus(focus);
    const RgnArrangement::StepFunction step = [this]() { return StepSearch(); };
    t.built = t.arrangement.Build(curves, clip, step);
    return t;
}

int RgnSearch::FloodFace(const gp_Pnt2d& pick, RgnArrangement::Box& faceBox, std::vector<int>& boundary)
{
    using Box = RgnArrangement::Box;
    constexpr size_t kMaxTiles = 4096;
    faceBox = Box();
    boundary.clear();
    if (!(m_dTile > 0.0) || m_extent.IsVoid())
        return 2;
    // Tiles kept from earlier searches are dropped when there are too many.
    if (m_tiles.size() > kMaxTiles / 2)
        m_tiles.clear();
    // A piece of the face in one tile. Pieces reached across a border are found in their tile only when
    // their turn comes (by the border's side and a point of the crossing), so that only the tiles the
    // flood really enters are built.
    struct Piece {
        double depth;  // how far the tile lies inside the extent; the nearest to open ground first
        long long i, j;
        int cycle;  // -1 until the tile is built
        int side;   // the tile's border it was reached across
        gp_Pnt2d middle;
        bool operator<(const Piece& o) const { return depth > o.depth; }
    };
    auto depth = [&](const Box& b) {
        return std::min({b.xmin - m_extent.xmin, m_extent.xmax - b.xmax, b.ymin - m_extent.ymin, m_extent.ymax - b.ymax});
    };
    auto beyond = [&](const Box& b) {
        return b.xmin > m_extent.xmax || b.xmax < m_extent.xmin || b.ymin > m_extent.ymax || b.ymax < m_extent.ymin;
    };
    std::priority_queue<Piece> queue;
    std::set<std::tuple<long long, long long, int>> seen;
    {
        const long long i = static_cast<long long>(std::floor((pick.X() - m_tileOrigin[0]) / m_dTile));
        const long long j = static_cast<long long>(std::floor((pick.Y() - m_tileOrigin[1]) / m_dTile));
        if (std::fabs(static_cast<double>(i)) > 1e9 || std::fabs(static_cast<double>(j)) > 1e9)
            return 2;
        FloodTile& t = GetFloodTile(i, j);
        if (t.built != RgnArrangement::resultFound)
            return t.built;
        const int cycle = t.arrangement.LocateCycle(pick);
        if (cycle == -1)
            return 2;
        queue.push({depth(GetTileBox(i, j)), i, j, cycle, 0, pick});
    }
    static const int kStep[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    std::vector<int> darts;
    std::set<int> curves;
    while (!queue.empty()) {
        Piece piece = queue.top();
        queue.pop();
        const Box b = GetTileBox(piece.i, piece.j);
        const int go = StepSearch();
        if (go != RgnArrangement::resultFound)
            return go;
        if (seen.size() > kMaxTiles)
            return 2;
        const FloodTile& tile = GetFloodTile(piece.i, piece.j);
        if (tile.built != RgnArrangement::resultFound)
            return tile.built;
        if (piece.cycle == -1) {
            piece.cycle = tile.arrangement.GetCycleLeftOf(tile.firstBorder + piece.side, piece.middle);
            if (piece.cycle == -1)
                return 2;
        }
        if (!seen.insert({piece.i, piece.j, piece.cycle}).second)
            continue;
        faceBox.Add(b);
        tile.arrangement.GetCycleDarts(piece.cycle, darts);
        for (int dart : darts) {
            const int source = tile.arrangement.GetDartSource(dart);
            const int side = source - tile.firstBorder;
            if (side < 0) {
                curves.insert(tile.candidates[static_cast<size_t>(source)]);
                continue;
            }
            const long long ni = piece.i + kStep[side][0], nj = piece.j + kStep[side][1];
            const Box nb = GetTileBox(ni, nj);
            // A piece of the face beyond every bounded face: the face is open.
            if (beyond(nb))
                return 0;
            queue.push({depth(nb), ni, nj, -1, (side + 2) % 4, tile.arrangement.GetDartMiddle(dart)});
        }
    }
    boundary.assign(curves.begin(), curves.end());
    return 1;
}

int RgnSearch::CompareNearCurves(const NearCurveInfo& a, const NearCurveInfo& b)
{
    if (std::fabs(a.dDistance - b.dDistance) <= kPntTol)
        return 0;
    return a.dDistance < b.dDistance ? -1 : 1;
}

int RgnSearch::FindNearCurves(std::vector<NearCurveInfo>& near, const gp_Pnt2d& pick) const
{
    near.clear();
    // +X, -X, +Y, -Y: the order also breaks ties between lists of equal length.
    std::vector<NearCurveInfo> lists[4];
    for (int axis = 0; axis < 2; ++axis) {
        Handle(Geom2d_Curve) ray = new Geom2d_Line(pick, axis == 0 ? gp::DX2d() : gp::DY2d());
        RuVaBndBox2d rayBox;
        GetCurveBox(rayBox, ray);
        const double p = axis == 0 ? pick.X() : pick.Y();
        for (const auto& cand : m_curves) {
            if (KcGeometryTool::GetOverlapBox(rayBox, cand->box) == KcGeometryTool::kBoxApart)
                continue;
            TColgp_SequenceOfPnt2d points;
            if (!IntersectCurves(ray, cand->curve, points, nullptr, nullptr, kIntersectionTolerance))
                continue;
            bool hasAbove = false, hasBelow = false;
            gp_Pnt2d above, below;
            for (int i = 1; i <= points.Length(); ++i) {
                const gp_Pnt2d& x = points(i);
                const double c = axis == 0 ? x.X() : x.Y();
                if (std::fabs(c - p) <= kPntTol)
                    return -1;  // the point lies on a curve
                if (c > p) {
                    if (!hasAbove || c < (axis == 0 ? above.X() : above.Y())) {
                        above = x;
                        hasAbove = true;
                    }
                } else if (!hasBelow || c > (axis == 0 ? below.X() : below.Y())) {
                    below = x;
                    hasBelow = true;
                }
            }
            if (hasAbove)
                lists[axis * 2].push_back({cand->nPosition, std::fabs((axis == 0 ? above.X() : above.Y()) - p), above});
            if (hasBelow)
                lists[axis * 2 + 1].push_back(
                    {cand->nPosition, std::fabs((axis == 0 ? below.X() : below.Y()) - p), below});
        }
    }
    int chosen = 0;
    for (int i = 0; i < 4; ++i) {
        if (lists[i].empty())
            return 0;  // not enclosed in every direction
        if (lists[i].size() < lists[chosen].size())
            chosen = i;
    }
    near = std::move(lists[chosen]);
    std::stable_sort(near.begin(), near.end(),
                     [](const NearCurveInfo& a, const NearCurveInfo& b) { return CompareNearCurves(a, b) < 0; });
    if (near.size() > static_cast<size_t>(kMaxStartCurves))
        near.resize(kMaxStartCurves);
    return 1;
}

int RgnSearch::GetPickSide(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& hit, const gp_Pnt2d& pick) const
{
    if (ArePointsWithin(hit, pick, kPntTol))
        return 0;
    double u = 0.0;
    if (curve.IsNull() || !GetPointParameter(curve, hit, u))
        return -1;
    gp_Vec2d d1, d2;
    Derivatives(curve, u, d1, d2);
    double angle = 0.0;
    if (!SignedAngle(d1, gp_Vec2d(hit, pick), angle))
        return -1;
    return angle > 0.0 ? 1 : 2;
}

int RgnSearch::FindNextCurves(const Handle(Geom2d_Curve)& current, int nCurrent,
                              std::vector<NextCurveInfo>& out) const
{
    out.clear();
    if (current.IsNull())
        return -1;
    RuVaBndBox2d box;
    GetCurveBox(box, current);
    const gp_Pnt2d start = StartPoint(current);
    const double first = current->FirstParameter();
    for (const auto& cand : m_curves) {
        if (cand->nPosition == nCurrent ||
            KcGeometryTool::GetOverlapBox(box, cand->box) == KcGeometryTool::kBoxApart)
            continue;
        const Handle(Geom2d_Curve)& q = cand->curve;
        TColgp_SequenceOfPnt2d points;
        if (!IntersectCurves(current, q, points, nullptr, nullptr, GetIntersectionTolerance(current, q)))
            continue;
        const double qFirst = q->FirstParameter(), qLast = q->LastParameter();
        for (int i = 1; i <= points.Length(); ++i) {
            const gp_Pnt2d& x = points(i);
            double u = 0.0, v = 0.0;
            if (!GetPointParameter(current, x, u) || !GetPointParameter(q, x, v))
                continue;
            if (ArePointsWithin(x, start, kPntTol) || std::fabs(u - first) <= kParTol)
                continue;
            Handle(Geom2d_Curve) pieces[2];
            if (v > qFirst + kPntTol) {
                Handle(Geom2d_Curve) back = ArePointsWithin(EndPoint(q), x, kPntTol) ? CopyCurve(q) : TrimCurve(q, qFirst, v);
                if (!back.IsNull())
                    pieces[0] = ReversedCurve(back);
            }
            if (v < qLast - kPntTol)
                pieces[1] = ArePointsWithin(StartPoint(q), x, kPntTol) ? CopyCurve(q) : TrimCurve(q, v, qLast);
            for (const Handle(Geom2d_Curve)& piece : pieces) {
                double w = 0.0;
                if (piece.IsNull() || !GetPointParameter(piece, x, w))
                    continue;
                NextCurveInfo rec;
                rec.nCandidate = cand->nPosition;
                rec.next = piece;
                rec.current = current;
                rec.junction = x;
                rec.uCurrent = u;
                rec.uNext = w;
                Derivatives(current, u, rec.tangentCurrent, rec.secondCurrent);
                Derivatives(piece, w, rec.tangentNext, rec.secondNext);
                out.push_back(rec);
            }
        }
    }
    // A merge sort: it stays within bounds even where the order is not strict.
    std::stable_sort(out.begin(), out.end(),
                     [](const NextCurveInfo& a, const NextCurveInfo& b) { return CompareNextCurves(a, b) < 0; });
    return static_cast<int>(out.size());
}

int RgnSearch::CompareNextCurves(const NextCurveInfo& a, const NextCurveInfo& b)
{
    auto turnOf = [](const NextCurveInfo& r) {
        double angle = 0.0;
        if (!SignedAngle(r.tangentCurrent, r.tangentNext, angle))
            angle = 0.0;
        if (std::fabs(std::fabs(angle) - M_PI) <= kAngTol)
            angle = M_PI;
        return angle;
    };
    auto sideOf = [](const NextCurveInfo& r, double angle) {
        if (std::fabs(angle) <= kAngTol || std::fabs(angle - M_PI) <= kAngTol) {
            const int s = ClassifyPointSide(r.current, EndPoint(r.next));
            return (s == 1 || s == 2) ? s : 0;
        }
        return angle > 0.0 ? 1 : 2;
    };
    // The direction in which the next piece bends away, seen from the current tangent.
    auto bendOf = [](const NextCurveInfo& r, double reversal) {
        gp_Vec2d d1, d2;
        Derivatives(r.next, r.uNext, d1, d2);
        const gp_Vec2d v = d2.Magnitude() < DBL_MIN ? r.tangentNext : d2;
        double angle = 0.0;
        if (!SignedAngle(r.tangentCurrent, v, angle))
            angle = 0.0;
        if (std::fabs(std::fabs(angle) - M_PI) <= kAngTol)
            angle = reversal;
        return angle;
    };

    double angleA = turnOf(a), angleB = turnOf(b);
    const bool leftA = sideOf(a, angleA) != 2, leftB = sideOf(b, angleB) != 2;
    if (leftA != leftB)
        return leftA ? -1 : 1;
    const double du = a.uCurrent - b.uCurrent;
    if (leftA) {
        if (std::fabs(du) >= kParTol)
            return du < 0.0 ? -1 : 1;
        if (std::fabs(angleA - angleB) >= kAngTol)
            return angleA > angleB ? -1 : 1;
        if (!IsTwiceDifferentiable(a.next) || !IsTwiceDifferentiable(b.next))
            return 0;
        const double ba = bendOf(a, M_PI), bb = bendOf(b, M_PI);
        return Sign3(ba > bb, ba < bb);
    }
    if (std::fabs(du) >= kParTol)
        return du > 0.0 ? -1 : 1;
    // A reversal counts as the sharpest right turn.
    if (std::fabs(angleA - M_PI) <= kAngTol)
        angleA = -M_PI;
    if (std::fabs(angleB - M_PI) <= kAngTol)
        angleB = -M_PI;
    if (std::fabs(angleA - angleB) >= kAngTol)
        return angleA > angleB ? -1 : 1;
    if (!IsTwiceDifferentiable(a.next) || !IsTwiceDifferentiable(b.next))
        return 0;
    const double ba = bendOf(a, -M_PI), bb = bendOf(b, -M_PI);
    return Sign3(ba > bb, ba < bb);
}

// ---------------------------------------------------------------------------------------------------------
// Inside test and region building

int RgnSearch::IsPointInsideLoop(const gp_Pnt2d& pick, const Handle(TColGeom2d_HSequenceOfCurve)& loop,
                                 double dDeflection)
{
    if (loop.IsNull() || loop->IsEmpty())
        return 0;
    // The flattening never goes finer than a millionth of the loop's size, so that a view zoomed far in
    // cannot ask for millions of points.
    RuVaBndBox2d box;
    for (int i = 1; i <= loop->Length(); ++i) {
        RuVaBndBox2d b;
        GetCurveBox(b, loop->Value(i));
        box.Add(b);
    }
    const double size = std::max(box.Width(), box.Height());
    if (!std::isfinite(size))
        return 0;
    double deflection = dDeflection;
    if (!(deflection > size * 1e-6))
        deflection = size * 1e-6;
    if (!(deflection > 0.0))
        return 0;
    KcArrayOfGePnt2d polygon;
    for (int i = 1; i <= loop->Length(); ++i) {
        const Handle(Geom2d_Curve)& c = loop->Value(i);
        try {
            Geom2dAdaptor_Curve adaptor(c);
            GCPnts_QuasiUniformDeflection sampler(adaptor, deflection, c->Continuity());
            if (!sampler.IsDone())
                return 0;
            for (int k = 1; k <= sampler.NbPoints(); ++k)
                polygon.Add(KcOcConv::OcToKcPnt2d(c->Value(sampler.Parameter(k))));
        } catch (const Standard_Failure&) {
            return 0;
        }
    }
    const int inside = KcGeometryTool::JudgePointInPolygon(polygon, KcOcConv::OcToKcPnt2d(pick));
    return (inside == 2 || inside == -2) ? 1 : 0;
}

Feature2dBase* RgnSearch::MergeFeatures(const Feature2dBase* pLater, const Feature2dBase* pEarlier)
{
    if (pLater == nullptr || pEarlier == nullptr || pLater->GetFeatureType() != pEarlier->GetFeatureType())
        return nullptr;
    const double toRad = RuVa::Pi / 180.0;
    if (pLater->GetFeatureType() == FeatureTypeArc) {
        const auto* l = static_cast<const Arc2dFeature*>(pLater);
        const auto* e = static_cast<const Arc2dFeature*>(pEarlier);
        if (std::fabs(l->GetRadius() - e->GetRadius()) > kPntTol ||
            l->GetCenterPoint().Distance(e->GetCenterPoint()) > kPntTol || l->GetDirection() != e->GetDirection())
            return nullptr;
        if (!(AngleGap(e->GetEndAngle() * toRad, l->GetStartAngle() * toRad) < kAngTol))
            return nullptr;
        if (AngleGap(l->GetEndAngle() * toRad, e->GetStartAngle() * toRad) < kAngTol)
            return new Circle2dFeature(e->GetCenterPoint(), e->GetRadius());
        return new Arc2dFeature(e->GetCenterPoint(), e->GetRadius(), e->GetStartAngle(), l->GetEndAngle(),
                                e->GetDirection());
    }
    if (pLater->GetFeatureType() == FeatureTypeEllipseArc) {
        const auto* l = static_cast<const EllipseArc2dFeature*>(pLater);
        const auto* e = static_cast<const EllipseArc2dFeature*>(pEarlier);
        if (std::fabs(l->GetMajorRadius() - e->GetMajorRadius()) > kPntTol ||
            std::fabs(l->GetMinorRadius() - e->GetMinorRadius()) > kPntTol ||
            l->GetCenterPoint().Distance(e->GetCenterPoint()) > kPntTol ||
            !(AngleGap(l->GetAngle() * toRad, e->GetAngle() * toRad) < kAngTol) ||
            l->GetDirection() != e->GetDirection())
            return nullptr;
        if (!(AngleGap(e->GetEndAngle() * toRad, l->GetStartAngle() * toRad) < kAngTol))
            return nullptr;
        if (AngleGap(l->GetEndAngle() * toRad, e->GetStartAngle() * toRad) < kAngTol)
            return new Ellipse2dFeature(e->GetCenterPoint(), e->GetMajorRadius(), e->GetMinorRadius(), e->GetAngle());
        return new EllipseArc2dFeature(e->GetCenterPoint(), e->GetMajorRadius(), e->GetMinorRadius(), e->GetAngle(),
                                       e->GetStartAngle(), l->GetEndAngle(), e->GetDirection());
    }
    return nullptr;
}

Region2dFeature* RgnSearch::BuildRegion(const Handle(TColGeom2d_HSequenceOfCurve)& loop)
{
    if (loop.IsNull() || loop->IsEmpty())
        return nullptr;
    TColGeom2d_SequenceOfCurve curves;
    for (int i = 1; i <= loop->Length(); ++i)
        AppendRegionCurves(loop->Value(i), curves);
    Feature2dList list;
    bool failed = false;
    const int n = curves.Length();
    for (int i = 1; i <= n; ++i) {
        std::unique_ptr<RuVaCurveEnt2d> entity(KcOcConv::ConvertToKcCurve(curves.Value(i)));
        std::unique_ptr<Feature2dBase> feature(entity ? ConvertGeom2dToFeature::Convert(entity.get()) : nullptr);
        if (!feature) {
            failed = true;
            break;
        }
        if (list.IsEmpty()) {
            list.AddFeature(feature.release(), 0);
            continue;
        }
        const int lastIndex = list.GetFeatureSize() - 1;
        // A whole circle or ellipse only stands for the loop when nothing else is left in it: a boundary
        // that runs round a circle touching it at one point keeps the circle as arcs.
        auto closes = [](const Feature2dBase* f) {
            return f != nullptr &&
                   (f->GetFeatureType() == FeatureTypeCircle || f->GetFeatureType() == FeatureTypeEllipse);
        };
        std::unique_ptr<Feature2dBase> merged(MergeFeatures(feature.get(), list.GetFeature(lastIndex)));
        if (closes(merged.get()) && !(i == n && list.GetFeatureSize() == 1))
            merged.reset();
        Feature2dBase* current = merged ? merged.get() : feature.get();
        std::unique_ptr<Feature2dBase> mergedFirst;
        // The last curve may close up with the first across the start of the loop.
        if (i == n && list.GetFeatureSize() >= 2) {
            mergedFirst.reset(MergeFeatures(list.GetFeature(0), current));
            if (closes(mergedFirst.get()) && list.GetFeatureSize() - (merged ? 1 : 0) > 1)
                mergedFirst.reset();
        }
        if (merged)
            list.RemoveFeature(lastIndex);
        if (mergedFirst)
            list.RemoveFeature(0);
        Feature2dBase* result = mergedFirst ? mergedFirst.release() : (merged ? merged.release() : feature.release());
        list.AddFeature(result, 0);
    }
    if (list.IsEmpty())
        return nullptr;
    auto region = std::make_unique<Region2dFeature>();
    for (int i = 0; i < list.GetFeatureSize(); ++i)
        if (region->AddFeature(list.GetFeature(i)) == -1)
            return nullptr;
    if (failed || !region->IsValidConnection())
        return nullptr;
    return region.release();
}

// ---------------------------------------------------------------------------------------------------------
// Curve tools

void RgnSearch::GetCurveBox(RuVaBndBox2d& box, const Handle(Geom2d_Curve)& curve)
{
    box.SetVoid();
    const RgnArrangement::Box b = RgnArrangement::CurveBox(curve);
    if (b.IsVoid())
        return;
    const double gap = RgnArrangement::kBoxGap;
    box.Update(b.xmin + gap, b.ymin + gap, b.xmax - gap, b.ymax - gap);
    box.SetGap(gap);
}

int RgnSearch::GetPointParameter(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& point, double& u)
{
    u = 0.0;
    if (curve.IsNull())
        return 0;
    {
        RgnArrangement::Simple s;
        if (RgnArrangement::ReadSimple(curve, s)) {
            double t = 0.0;
            if (!(s.Distance(point, t) <= kPntTol))
                return 0;
            u = t;
            return 1;
        }
    }
    try {
        double t = 0.0;
        if (GeomLib_Tool::Parameter(curve, point, kPntTol, t)) {
            u = t;
            return 1;
        }
        // A polyline-like spline: its corners are found span by span.
        Handle(Geom2d_BSplineCurve) spline = Handle(Geom2d_BSplineCurve)::DownCast(BasisOf(curve));
        if (!spline.IsNull() && spline->Degree() == 1) {
            const double lo = curve->FirstParameter(), hi = curve->LastParameter();
            for (int i = spline->FirstUKnotIndex(); i < spline->LastUKnotIndex(); ++i) {
                const double k0 = std::max(spline->Knot(i), lo), k1 = std::min(spline->Knot(i + 1), hi);
                if (!(k1 - k0 > kParTol))
                    continue;
                Handle(Geom2d_Curve) span = TrimCurve(spline, k0, k1);
                if (!span.IsNull() && GeomLib_Tool::Parameter(span, point, kPntTol, t)) {
                    u = t;
                    return 1;
                }
            }
        }
        // The ends of a bounded curve, where projections can miss by rounding.
        const double first = curve->FirstParameter(), last = curve->LastParameter();
        if (!IsInfiniteBound(first) && ArePointsWithin(point, curve->Value(first), kPntTol)) {
            u = first;
            return 1;
        }
        if (!IsInfiniteBound(last) && ArePointsWithin(point, curve->Value(last), kPntTol)) {
            u = last;
            return 1;
        }
    } catch (const Standard_Failure&) {
    }
    u = 0.0;
    return 0;
}

double RgnSearch::GetIntersectionTolerance(const Handle(Geom2d_Curve)& a, const Handle(Geom2d_Curve)& b)
{
    bool finiteA = false, finiteB = false;
    if (IsTrimmedLine(a, finiteA) && IsTrimmedLine(b, finiteB) && finiteA == finiteB)
        return 0.0;
    return kIntersectionTolerance;
}

int RgnSearch::IntersectCurves(const Handle(Geom2d_Curve)& a, const Handle(Geom2d_Curve)& b,
                               TColgp_SequenceOfPnt2d& points, std::vector<double>* paramsA,
                               std::vector<double>* paramsB, double dTolerance)
{
    points.Clear();
    if (paramsA)
        paramsA->clear();
    if (paramsB)
        paramsB->clear();
    if (a.IsNull() || b.IsNull())
        return 0;
    // Two straight segments that are not parallel: worked out directly, the kernel's answer without its cost.
    std::vector<CurveHit> segmentHits;
    if (IntersectSegments(a, b, segmentHits)) {
        for (const CurveHit& h : segmentHits) {
            points.Append(h.p);
            if (paramsA)
                paramsA->push_back(h.ua);
            if (paramsB)
                paramsB->push_back(h.ub);
        }
        return segmentHits.empty() ? 0 : 1;
    }
    // The kernel works on whole conics; what falls outside the arcs is dropped afterwards.
    const bool replaceA = IsArcOfConic(a) != 0, replaceB = IsArcOfConic(b) != 0;
    const Handle(Geom2d_Curve) ca = replaceA ? BasisOf(a) : a;
    const Handle(Geom2d_Curve) cb = replaceB ? BasisOf(b) : b;

    using Hit = CurveHit;
    std::vector<Hit> kept;
    try {
        std::vector<Hit> found;
        if (!ClearCrossings(ca, cb, found)) {
            Geom2dAPI_InterCurveCurve inter(ca, cb, dTolerance);
            // Curves that only come within the point tolerance of each other touch: a second look with that
            // tolerance finds them where the sharp one found nothing.
            if (dTolerance > 0.0 && dTolerance < kPntTol && inter.Intersector().NbPoints() == 0 &&
                inter.Intersector().NbSegments() == 0)
                inter.Init(ca, cb, kPntTol);
            const Geom2dInt_GInter& gi = inter.Intersector();
            // The kernel reports a crossing of two curves, within the tolerance, either as a point or as a
            // short stretch where they run closer than the tolerance (crossing and touching circles and
            // arcs do); a stretch where they truly coincide is an overlap, bounded by its two ends.
            for (int i = 1; i <= gi.NbPoints(); ++i) {
                const IntRes2d_IntersectionPoint& ip = gi.Point(i);
                found.push_back({ip.Value(), ip.ParamOnFirst(), ip.ParamOnSecond()});
            }
            for (int i = 1; i <= gi.NbSegments(); ++i) {
                const IntRes2d_IntersectionSegment& seg = gi.Segment(i);
                if (!seg.HasFirstPoint() || !seg.HasLastPoint())
                    continue;  // an endless overlap: the curves' own ends are found below
                const IntRes2d_IntersectionPoint& p1 = seg.FirstPoint();
                const IntRes2d_IntersectionPoint& p2 = seg.LastPoint();
                if (IsOverlap(ca, cb, p1.ParamOnFirst(), p2.ParamOnFirst())) {
                    found.push_back({p1.Value(), p1.ParamOnFirst(), p1.ParamOnSecond()});
                    found.push_back({p2.Value(), p2.ParamOnFirst(), p2.ParamOnSecond()});
                    continue;
                }
                // The middle of the stretch along the first curve, where touching curves come closest.
                double u1 = p1.ParamOnFirst(), u2 = p2.ParamOnFirst();
                if (ca->IsPeriodic() && std::fabs(u2 - u1) > ca->Period() * 0.5)
                    u2 += u2 < u1 ? ca->Period() : -ca->Period();
                const double u = 0.5 * (u1 + u2);
                const gp_Pnt2d mid = ca->Value(u);
                Geom2dAPI_ProjectPointOnCurve proj(mid, cb);
                const double v = proj.NbPoints() > 0 ? proj.LowerDistanceParameter() : p1.ParamOnSecond();
                found.push_back({mid, u, v});
            }
        }
        // The kernel places a crossing only to within its tolerance: Newton steps on both curves at once
        // sharpen it; a touching point, where the steps find no footing, stays as it is.
        for (Hit& h : found) {
            for (int it = 0; it < 6; ++it) {
                gp_Pnt2d pa, pb;
                gp_Vec2d da, db;
                ca->D1(h.ua, pa, da);
                cb->D1(h.ub, pb, db);
                const gp_Vec2d d(pb, pa);
                const double det = -da.X() * db.Y() + da.Y() * db.X();
                if (d.Magnitude() < 1e-15 || std::fabs(det) < 1e-3 * da.Magnitude() * db.Magnitude())
                    break;
                // a(u) + da du = b(v) + db dv
                const double du = (-d.X() * -db.Y() + db.X() * -d.Y()) / det;
                const double dv = (da.X() * -d.Y() - da.Y() * -d.X()) / det;
                const double nu = h.ua + du, nv = h.ub + dv;
                const gp_Pnt2d qa = ca->Value(nu), qb = cb->Value(nv);
                if (!(qa.Distance(qb) < d.Magnitude()))
                    break;
                h.ua = nu;
                h.ub = nv;
                h.p = gp_Pnt2d((qa.XY() + qb.XY()) * 0.5);
            }
        }
        // Two hits between which the curves never part by more than the point tolerance are one touching
        // point, which the kernel can report twice.
        for (size_t i = 0; i < found.size(); ++i) {
            for (size_t j = i + 1; j < found.size(); ++j) {
                double u1 = found[i].ua, u2 = found[j].ua;
                if (ca->IsPeriodic() && std::fabs(u2 - u1) > ca->Period() * 0.5)
                    u2 += u2 < u1 ? ca->Period() : -ca->Period();
                const gp_Pnt2d mid = ca->Value(0.5 * (u1 + u2));
                if (found[i].p.Distance(found[j].p) > 1e-2 * (1.0 + std::fabs(mid.X()) + std::fabs(mid.Y())))
                    continue;
                Geom2dAPI_ProjectPointOnCurve proj(mid, cb);
                if (proj.NbPoints() == 0 || proj.LowerDistance() > kPntTol)
                    continue;
                found[i] = {mid, 0.5 * (u1 + u2), proj.LowerDistanceParameter()};
                found.erase(found.begin() + static_cast<long>(j));
                j = i;
            }
        }
        for (Hit h : found) {
            if (std::any_of(kept.begin(), kept.end(), [&](const Hit& k) { return ArePointsWithin(k.p, h.p, kPntTol); }))
                continue;
            if (replaceA) {
                if (!IsPointOnCurve(a, h.p))
                    continue;
                double t = 0.0;
                if (GetPointParameter(a, h.p, t))
                    h.ua = t;
                if (std::any_of(kept.begin(), kept.end(), [&](const Hit& k) { return std::fabs(k.ua - h.ua) <= kParTol; }))
                    continue;
            }
            if (replaceB) {
                if (!IsPointOnCurve(b, h.p))
                    continue;
                double t = 0.0;
                if (GetPointParameter(b, h.p, t))
                    h.ub = t;
                if (std::any_of(kept.begin(), kept.end(), [&](const Hit& k) { return std::fabs(k.ub - h.ub) <= kParTol; }))
                    continue;
            }
            kept.push_back(h);
        }
    } catch (const Standard_Failure&) {
    }

    // Ends that touch the other curve are always reported, even where the intersector misses them.
    std::vector<Hit> ends;
    auto known = [&](const gp_Pnt2d& p) {
        for (const Hit& k : kept)
            if (ArePointsWithin(k.p, p, kPntTol))
                return true;
        return false;
    };
    if (!Handle(Geom2d_BoundedCurve)::DownCast(a).IsNull()) {
        for (double u : {a->FirstParameter(), a->LastParameter()}) {
            if (IsInfiniteBound(u))
                continue;
            const gp_Pnt2d p = a->Value(u);
            if (known(p) || !IsPointOnCurve(b, p))
                continue;
            double v = 0.0;
            GetPointParameter(b, p, v);
            ends.push_back({p, u, v});
        }
    }
    if (!Handle(Geom2d_BoundedCurve)::DownCast(b).IsNull()) {
        for (double v : {b->FirstParameter(), b->LastParameter()}) {
            if (IsInfiniteBound(v))
                continue;
            const gp_Pnt2d p = b->Value(v);
            if (known(p) || std::any_of(ends.begin(), ends.end(), [&](const Hit& e) { return ArePointsWithin(e.p, p, kPntTol); }))
                continue;
            if (!IsPointOnCurve(a, p))
                continue;
            double u = 0.0;
            GetPointParameter(a, p, u);
            ends.push_back({p, u, v});
        }
    }
    for (const Hit& e : ends) {
        const bool same = std::any_of(kept.begin(), kept.end(), [&](const Hit& k) {
            return std::fabs(k.ua - e.ua) <= kParTol && std::fabs(k.ub - e.ub) <= kParTol;
        });
        if (!same)
            kept.push_back(e);
    }
    for (const Hit& k : kept) {
        points.Append(k.p);
        if (paramsA)
            paramsA->push_back(k.ua);
        if (paramsB)
            paramsB->push_back(k.ub);
    }
    return kept.empty() ? 0 : 1;
}

int RgnSearch::ClassifyPointSide(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& point)
{
    if (curve.IsNull())
        return 0;
    const Handle(Geom2d_Curve) c = BasisOf(curve);
    try {
        double distance = 0.0, u = 0.0;
        gp_Pnt2d foot;
        Geom2dAPI_ProjectPointOnCurve proj(point, c);
        if (proj.NbPoints() == 0) {
            Handle(Geom2d_Circle) circle = Handle(Geom2d_Circle)::DownCast(c);
            if (circle.IsNull() || !ArePointsWithin(point, circle->Location(), kPntTol))
                return 0;
            distance = circle->Radius();
            u = c->FirstParameter();
            foot = c->Value(u);
        } else {
            distance = proj.LowerDistance();
            u = proj.LowerDistanceParameter();
            foot = proj.NearestPoint();
        }
        if (distance < kPntTol)
            return 0;
        gp_Vec2d d1, d2;
        Derivatives(c, u, d1, d2);
        double angle = 0.0;
        if (!SignedAngle(d1, gp_Vec2d(foot, point), angle))
            return 0;
        return angle > 0.0 ? 1 : 2;
    } catch (const Standard_Failure&) {
        return 0;
    }
}

int RgnSearch::IsPointOnCurve(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& point)
{
    if (curve.IsNull())
        return 0;
    // Pieces of lines and circles: the distance to the piece, ends included.
    {
        RgnArrangement::Simple s;
        if (RgnArrangement::ReadSimple(curve, s)) {
            double u = 0.0;
            return s.Distance(point, u) < kPntTol ? 1 : 0;
        }
    }
    // A point off the whole line or circle is off every piece of it: answered without a projection.
    {
        const Handle(Geom2d_Curve)& basis = Handle(Geom2d_TrimmedCurve)::DownCast(curve).IsNull()
                                                ? curve
                                                : Handle(Geom2d_TrimmedCurve)::DownCast(curve)->BasisCurve();
        if (const Geom2d_Line* line = dynamic_cast<const Geom2d_Line*>(basis.get())) {
            const gp_Pnt2d& o = line->Location();
            const gp_Dir2d& d = line->Direction();
            if (std::fabs((point.X() - o.X()) * d.Y() - (point.Y() - o.Y()) * d.X()) >= kPntTol)
                return 0;
        } else if (const Geom2d_Circle* circle = dynamic_cast<const Geom2d_Circle*>(basis.get())) {
            if (std::fabs(point.Distance(circle->Location()) - circle->Radius()) >= kPntTol)
                return 0;
        }
    }
    try {
        Geom2dAPI_ProjectPointOnCurve proj(point, curve);
        if (proj.NbPoints() > 0 && proj.LowerDistance() < kPntTol)
            return 1;
    } catch (const Standard_Failure&) {
    }
    // Ends of bounded curves, which the projection can miss.
    if (Handle(Geom2d_BoundedCurve)::DownCast(curve).IsNull())
        return 0;
    for (double u : {curve->FirstParameter(), curve->LastParameter()})
        if (!IsInfiniteBound(u) && point.Distance(curve->Value(u)) < kPntTol)
            return 1;
    return 0;
}

int RgnSearch::IsClosedCurve(const Handle(Geom2d_Curve)& curve)
{
    if (curve.IsNull())
        return 0;
    const Handle(Standard_Type)& type = curve->DynamicType();
    if (type == STANDARD_TYPE(Geom2d_Circle) || type == STANDARD_TYPE(Geom2d_Ellipse))
        return 1;
    if (type == STANDARD_TYPE(Geom2d_TrimmedCurve) || type == STANDARD_TYPE(Geom2d_BSplineCurve)) {
        const double u0 = curve->FirstParameter(), u1 = curve->LastParameter();
        if (IsInfiniteBound(u0) || IsInfiniteBound(u1))
            return 0;
        return ArePointsWithin(curve->Value(u0), curve->Value(u1), kPntTol);
    }
    return 0;
}

int RgnSearch::IsArcOfConic(const Handle(Geom2d_Curve)& curve)
{
    if (curve.IsNull() || curve->DynamicType() != STANDARD_TYPE(Geom2d_TrimmedCurve))
        return 0;
    const Handle(Standard_Type)& type = static_cast<const Geom2d_TrimmedCurve*>(curve.get())->BasisCurve()->DynamicType();
    return (type == STANDARD_TYPE(Geom2d_Circle) || type == STANDARD_TYPE(Geom2d_Ellipse)) ? 1 : 0;
}

int RgnSearch::ArePointsWithin(const gp_Pnt2d& a, const gp_Pnt2d& b, double dTolerance)
{
    return a.Distance(b) <= dTolerance ? 1 : 0;
}

int RgnSearch::IsPointInSequence(const gp_Pnt2d& point, const TColgp_SequenceOfPnt2d& points)
{
    for (int i = 1; i <= points.Length(); ++i)
        if (ArePointsWithin(point, points(i), kPntTol))
            return 1;
    return 0;
}
