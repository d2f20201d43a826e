#include "libs/zuruda/KcInterCurveCurve2d.h"

#include <algorithm>
#include <cmath>

#include <Geom2dAPI_InterCurveCurve.hxx>
#include <Geom2dAPI_ProjectPointOnCurve.hxx>
#include <Geom2dInt_GInter.hxx>
#include <IntRes2d_IntersectionPoint.hxx>
#include <Standard_Failure.hxx>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcOcConv.h"

namespace {

using Hit = KcInterCurveCurve2d::Hit;
using Overlap = KcInterCurveCurve2d::Overlap;

// A straight piece: origin + t * dir for t in [t0, t1] (unbounded ends at +-inf); the curve's own
// parameter of t is base + scale * t.
struct LinePiece {
  RuVaPnt2d origin;
  RuVaVec2d dir;  // unit
  double t0, t1;
  double base, scale;
  RuVaPnt2d end;  // exact end point of a bounded piece
  // Ends come back exactly, so that pieces sharing a corner meet at that very corner.
  RuVaPnt2d At(double t) const
  {
    if (t == t0 && t0 == 0.0)
      return origin;
    if (t == t1 && t1 < RuVa::Infinite())
      return end;
    return RuVaPnt2d(origin.X() + t * dir.X(), origin.Y() + t * dir.Y());
  }
  double Param(double t) const { return base + scale * t; }
};

// A circular piece: the circle (or arc) entity itself; its parameters are the curve's.
struct CirclePiece {
  RuVaPnt2d centre;
  double radius;
  int direction;
  bool full;
  double first, last;    // curve parameters
  double ccwFrom, sweep;  // covered angles
};

struct Pieces {
  std::vector<LinePiece> lines;
  std::vector<CirclePiece> circles;
};

const double kInf = RuVa::Infinite();

bool Decompose(const RuVaEntity2d& e, Pieces& out)
{
  switch (e.GetEntityType()) {
  case RuVaEntity2d::kLine: {
    const RuVaLine2d& l = static_cast<const RuVaLine2d&>(e);
    out.lines.push_back({l.Location(), l.Direction().Vec(), -kInf, kInf, 0.0, 1.0, RuVaPnt2d()});
    return true;
  }
  case RuVaEntity2d::kHalfLine: {
    const RuVaHalfLine2d& l = static_cast<const RuVaHalfLine2d&>(e);
    out.lines.push_back({l.Location(), l.Direction().Vec(), 0.0, kInf, 0.0, 1.0, RuVaPnt2d()});
    return true;
  }
  case RuVaEntity2d::kLineSeg: {
    const RuVaLineSeg2d& s = static_cast<const RuVaLineSeg2d&>(e);
    const double len = s.Length();
    out.lines.push_back({s.StartPoint(), RuVaVec2d(s.StartPoint(), s.EndPoint()) / len, 0.0, len, 0.0, 1.0, s.EndPoint()});
    return true;
  }
  case RuVaEntity2d::kPointSequence: {
    const KcArrayOfGePnt2d& pts = static_cast<const RuVaArrayPnt2d&>(e).Sequence();
    for (INT_PTR i = 0; i + 1 < pts.GetSize(); ++i) {
      const RuVaVec2d v(pts[i], pts[i + 1]);
      const double len = v.Magnitude();
      if (!(len > RuVa::Resolution()))
        continue;  // a repeated point adds no piece
      out.lines.push_back({pts[i], v / len, 0.0, len, static_cast<double>(i), 1.0 / len, pts[i + 1]});
    }
    return true;
  }
  case RuVaEntity2d::kCircle:
  case RuVaEntity2d::kArc: {
    const RuVaCircle2d& c = static_cast<const RuVaCircle2d&>(e);
    CirclePiece p{c.GetCenter(), c.GetRadius(), c.GetDirection(), true, 0.0, RuVa::TwoPi, 0.0, RuVa::TwoPi};
    if (e.GetEntityType() == RuVaEntity2d::kArc) {
      const RuVaArc2d& a = static_cast<const RuVaArc2d&>(e);
      p.full = a.GetSweepAngle() >= RuVa::TwoPi;
      p.first = a.FirstParameter();
      p.last = a.LastParameter();
      p.ccwFrom = a.GetCcwFromAngle();
      p.sweep = a.GetSweepAngle();
    }
    out.circles.push_back(p);
    return true;
  }
  default:
    return false;
  }
}

// The line piece's t of a point on its line, accepted within the tolerance of the piece and clamped.
bool LineParam(const LinePiece& l, double t, double tol, double& out)
{
  if (t < l.t0 - tol || t > l.t1 + tol)
    return false;
  out = std::clamp(t, l.t0, l.t1);
  return true;
}

// The curve parameter of a direction (angle) from the circle's centre, within the angular
// tolerance of the piece, clamped into it.
bool CircleParam(const CirclePiece& c, double angle, double angTol, double& out)
{
  const double u = c.direction * angle;
  double v = c.first + RuVa::CorrectRadian(u - c.first);
  if (c.full) {
    out = v;
    return true;
  }
  if (v > c.last + angTol) {
    if (v - RuVa::TwoPi >= c.first - angTol)
      v = c.first;
    else
      return false;
  }
  out = std::min(v, c.last);
  return true;
}

RuVaPnt2d CirclePoint(const CirclePiece& c, double u)
{
  return RuVaPnt2d(c.centre.X() + c.radius * std::cos(u), c.centre.Y() + c.direction * c.radius * std::sin(u));
}

void AddOverlapEnds(const LinePiece& a, double lo, double hi, const LinePiece& b, double tol, std::vector<Hit>& hits,
                    std::vector<Overlap>& overlaps)
{
  // lo..hi are t values on a; each finite end is also a point on b.
  auto addEnd = [&](double t) {
    if (!(std::fabs(t) < kInf))
      return;
    const RuVaPnt2d p = a.At(t);
    double tb = 0.0;
    if (!LineParam(b, RuVaVec2d(b.origin, p).Dot(b.dir), tol, tb))
      return;
    hits.push_back({p, a.Param(t), b.Param(tb)});
  };
  if (hi - lo <= tol) {
    addEnd(0.5 * (lo + hi));
    return;
  }
  overlaps.push_back({a.Param(lo), a.Param(hi)});
  addEnd(lo);
  addEnd(hi);
}

void IntersectLineLine(const LinePiece& a, const LinePiece& b, const RuVaTol& tol, std::vector<Hit>& hits,
                       std::vector<Overlap>& overlaps)
{
  const double lin = tol.Linear();
  const double cross = a.dir.Crossed(b.dir);
  const RuVaVec2d w(a.origin, b.origin);
  // sin(angle) ~ angle for the tiny angular tolerances in use.
  if (std::fabs(cross) > tol.Angular()) {
    const double ta = w.Crossed(b.dir) / cross;
    const double tb = w.Crossed(a.dir) / cross;
    double ca = 0.0, cb = 0.0;
    if (LineParam(a, ta, lin, ca) && LineParam(b, tb, lin, cb)) {
      // The point on a; when b's parameter had to be clamped to its end, take b's end instead
      // (the exact corner that the two share).
      RuVaPnt2d p = a.At(ca);
      if (cb != tb && ca == ta)
        p = b.At(cb);
      hits.push_back({p, a.Param(ca), b.Param(cb)});
    }
    return;
  }
  // Parallel: collinear within the tolerance, or nothing.
  if (std::fabs(w.Crossed(a.dir)) > lin)
    return;
  const double s = b.dir.Dot(a.dir) > 0.0 ? 1.0 : -1.0;
  const double off = w.Dot(a.dir);
  auto map = [&](double t) { return std::fabs(t) >= kInf ? (t * s > 0 ? kInf : -kInf) : off + s * t; };
  double b0 = map(b.t0), b1 = map(b.t1);
  if (b0 > b1)
    std::swap(b0, b1);
  const double lo = std::max(a.t0, b0), hi = std::min(a.t1, b1);
  if (lo > hi + lin)
    return;
  AddOverlapEnds(a, std::min(lo, hi), std::max(lo, hi), b, lin, hits, overlaps);
}

void IntersectLineCircle(const LinePiece& l, const CirclePiece& c, const RuVaTol& tol, bool swapped,
                         std::vector<Hit>& hits)
{
  const double lin = tol.Linear();
  const double angTol = lin / c.radius;
  const RuVaVec2d w(l.origin, c.centre);
  const double tf = w.Dot(l.dir);
  const double h = std::fabs(l.dir.Crossed(w));
  if (h > c.radius + lin)
    return;
  auto add = [&](double t) {
    double cl = 0.0, uc = 0.0;
    if (!LineParam(l, t, lin, cl))
      return;
    const RuVaPnt2d p = l.At(cl);
    if (!CircleParam(c, c.centre.AngleX(p), angTol, uc))
      return;
    if (swapped)
      hits.push_back({p, uc, l.Param(cl)});
    else
      hits.push_back({p, l.Param(cl), uc});
  };
  if (std::fabs(h - c.radius) <= lin) {
    // Tangent: one contact at the foot of the perpendicular.
    add(tf);
    return;
  }
  // (r - h)(r + h) keeps the half chord accurate when the line passes near the centre or the rim.
  const double half = std::sqrt(std::max(0.0, (c.radius - h) * (c.radius + h)));
  add(tf - half);
  add(tf + half);
}

void AddArcOverlap(const CirclePiece& a, const CirclePiece& b, double angTolA, double angTolB, std::vector<Hit>& hits,
                   std::vector<Overlap>& overlaps)
{
  auto addAngle = [&](double angle) {
    double ua = 0.0, ub = 0.0;
    if (CircleParam(a, angle, angTolA, ua) && CircleParam(b, angle, angTolB, ub))
      hits.push_back({CirclePoint(a, ua), ua, ub});
  };
  // The stretch of a over the covered angles [from, from + len].
  auto addOverlap = [&](double from, double len) {
    double u0 = 0.0, u1 = 0.0;
    if (!CircleParam(a, from, angTolA, u0) || !CircleParam(a, from + len, angTolA, u1))
      return;
    if (a.direction < 0)
      std::swap(u0, u1);
    overlaps.push_back({u0, u1 > u0 ? u1 : u1 + RuVa::TwoPi});
  };
  if (a.full && b.full) {
    overlaps.push_back({a.first, a.last});
    return;
  }
  if (a.full || b.full) {
    // The overlap is the arc itself; its ends are the meeting points.
    const CirclePiece& arc = a.full ? b : a;
    addOverlap(arc.ccwFrom, arc.sweep);
    addAngle(arc.ccwFrom);
    addAngle(arc.ccwFrom + arc.sweep);
    return;
  }
  // Covered ranges relative to a's start; b's range may wrap once either way.
  const double rel = RuVa::CorrectRadian(b.ccwFrom - a.ccwFrom);
  for (double bs : {rel, rel - RuVa::TwoPi}) {
    const double lo = std::max(0.0, bs), hi = std::min(a.sweep, bs + b.sweep);
    if (lo > hi + angTolA)
      continue;
    if (hi - lo <= angTolA) {
      addAngle(a.ccwFrom + 0.5 * (lo + hi));
      continue;
    }
    addOverlap(a.ccwFrom + lo, hi - lo);
    addAngle(a.ccwFrom + lo);
    addAngle(a.ccwFrom + hi);
  }
}

void IntersectCircleCircle(const CirclePiece& a, const CirclePiece& b, const RuVaTol& tol, std::vector<Hit>& hits,
                           std::vector<Overlap>& overlaps)
{
  const double lin = tol.Linear();
  const double angTolA = lin / a.radius, angTolB = lin / b.radius;
  const RuVaVec2d v(a.centre, b.centre);
  const double d = v.Magnitude();
  const double r1 = a.radius, r2 = b.radius;
  if (d <= lin) {
    if (std::fabs(r1 - r2) <= lin)
      AddArcOverlap(a, b, angTolA, angTolB, hits, overlaps);
    return;  // concentric circles of other radii never meet
  }
  if (d > r1 + r2 + lin || d < std::fabs(r1 - r2) - lin)
    return;
  const RuVaVec2d u = v / d;
  auto add = [&](const RuVaPnt2d& p) {
    double ua = 0.0, ub = 0.0;
    if (CircleParam(a, a.centre.AngleX(p), angTolA, ua) && CircleParam(b, b.centre.AngleX(p), angTolB, ub))
      hits.push_back({p, ua, ub});
  };
  if (std::fabs(d - (r1 + r2)) <= lin) {
    // Touching from outside: one point between the rims.
    add(a.centre + u * (d * r1 / (r1 + r2)));
    return;
  }
  if (std::fabs(d - std::fabs(r1 - r2)) <= lin) {
    // Touching from inside: on the side of the smaller circle's centre, seen from the larger.
    add(r1 >= r2 ? a.centre + u * r1 : a.centre - u * r1);
    return;
  }
  const double x = (d * d + r1 * r1 - r2 * r2) / (2.0 * d);
  const double h = std::sqrt(std::max(0.0, (r1 - x) * (r1 + x)));
  const RuVaPnt2d m = a.centre + u * x;
  add(m - u.Perpendicular() * h);
  add(m + u.Perpendicular() * h);
}

// Curve ends that lie on the other curve, for the kernel path, which can miss a contact exactly
// at an end.
void AddEndContacts(const RuVaEntity2d& a, const Handle(Geom2d_Curve)& ocB, const RuVaEntity2d& b, double tol,
                    bool aIsFirst, std::vector<Hit>& hits)
{
  double f = 0.0, l = 0.0;
  if (!KcCurveParam::FirstLastParameter(&a, f, l))
    return;
  for (double ua : {f, l}) {
    RuVaPnt2d p;
    if (!(std::fabs(ua) < kInf) || !KcCurveParam::GetPointFromParameter(&a, ua, p))
      continue;
    double ub = 0.0;
    bool found = false;
    double bf = 0.0, bl = 0.0;
    KcCurveParam::FirstLastParameter(&b, bf, bl);
    for (double ue : {bf, bl}) {
      RuVaPnt2d q;
      if (std::fabs(ue) < kInf && KcCurveParam::GetPointFromParameter(&b, ue, q) && q.Distance(p) <= tol) {
        ub = ue;
        found = true;
        break;
      }
    }
    if (!found) {
      Geom2dAPI_ProjectPointOnCurve proj(KcOcConv::KcToOcPnt2d(p), ocB);
      if (proj.NbPoints() > 0 && proj.LowerDistance() <= tol) {
        ub = KcOcConv::OcToKcParameter(b, proj.LowerDistanceParameter());
        found = true;
      }
    }
    if (found)
      hits.push_back(aIsFirst ? Hit{p, ua, ub} : Hit{p, ub, ua});
  }
}

bool IntersectByKernel(const RuVaEntity2d& c1, const RuVaEntity2d& c2, const RuVaTol& tol, std::vector<Hit>& hits,
                       std::vector<Overlap>& overlaps)
{
  Handle(Geom2d_Curve) o1 = KcOcConv::ConvertToOcCurve(&c1);
  Handle(Geom2d_Curve) o2 = KcOcConv::ConvertToOcCurve(&c2);
  if (o1.IsNull() || o2.IsNull())
    return false;
  Geom2dAPI_InterCurveCurve inter(o1, o2, tol.Linear());
  const Geom2dInt_GInter& g = inter.Intersector();
  if (!g.IsDone())
    return false;
  for (int i = 1; i <= g.NbPoints(); ++i) {
    const IntRes2d_IntersectionPoint& ip = g.Point(i);
    hits.push_back({KcOcConv::OcToKcPnt2d(ip.Value()), KcOcConv::OcToKcParameter(c1, ip.ParamOnFirst()),
                    KcOcConv::OcToKcParameter(c2, ip.ParamOnSecond())});
  }
  for (int i = 1; i <= g.NbSegments(); ++i) {
    const IntRes2d_IntersectionSegment& seg = g.Segment(i);
    double lo = -kInf, hi = kInf;
    if (seg.HasFirstPoint()) {
      const IntRes2d_IntersectionPoint& ip = seg.FirstPoint();
      lo = KcOcConv::OcToKcParameter(c1, ip.ParamOnFirst());
      hits.push_back({KcOcConv::OcToKcPnt2d(ip.Value()), lo, KcOcConv::OcToKcParameter(c2, ip.ParamOnSecond())});
    }
    if (seg.HasLastPoint()) {
      const IntRes2d_IntersectionPoint& ip = seg.LastPoint();
      hi = KcOcConv::OcToKcParameter(c1, ip.ParamOnFirst());
      hits.push_back({KcOcConv::OcToKcPnt2d(ip.Value()), hi, KcOcConv::OcToKcParameter(c2, ip.ParamOnSecond())});
    }
    overlaps.push_back({std::min(lo, hi), std::max(lo, hi)});
  }
  AddEndContacts(c1, o2, c2, tol.Linear(), true, hits);
  AddEndContacts(c2, o1, c1, tol.Linear(), false, hits);
  return true;
}

}  // namespace

void KcInterCurveCurve2d::Init(const RuVaEntity2d* c1, const RuVaEntity2d* c2, const RuVaTol& tol)
{
  m_points.clear();
  m_segments.clear();
  m_done = false;
  if (!c1 || !c2 || !c1->IsCurveEntity() || !c2->IsCurveEntity() || !c1->IsDone() || !c2->IsDone())
    return;

  // Scratch pieces kept from call to call, so that the common cases allocate nothing here.
  thread_local Pieces p1, p2;
  p1.lines.clear();
  p1.circles.clear();
  p2.lines.clear();
  p2.circles.clear();
  if (Decompose(*c1, p1) && Decompose(*c2, p2)) {
    for (const LinePiece& a : p1.lines) {
      for (const LinePiece& b : p2.lines)
        IntersectLineLine(a, b, tol, m_points, m_segments);
      for (const CirclePiece& b : p2.circles)
        IntersectLineCircle(a, b, tol, false, m_points);
    }
    for (const CirclePiece& a : p1.circles) {
      for (const LinePiece& b : p2.lines)
        IntersectLineCircle(b, a, tol, true, m_points);
      for (const CirclePiece& b : p2.circles)
        IntersectCircleCircle(a, b, tol, m_points, m_segments);
    }
    m_done = true;
  } else {
    try {
      m_done = IntersectByKernel(*c1, *c2, tol, m_points, m_segments);
    } catch (const Standard_Failure&) {
      m_done = false;
    }
    if (!m_done) {
      m_points.clear();
      m_segments.clear();
      return;
    }
  }
  Finish(tol.Linear());
}

void KcInterCurveCurve2d::Finish(double tolerance)
{
  // One point per place: the first report of a place wins (in place, keeping the order).
  size_t kept = 0;
  for (size_t i = 0; i < m_points.size(); ++i) {
    bool seen = false;
    for (size_t j = 0; j < kept && !seen; ++j)
      seen = m_points[j].point.Distance(m_points[i].point) <= tolerance;
    if (!seen)
      m_points[kept++] = m_points[i];
  }
  m_points.resize(kept);
  if (m_points.size() > 1)
    std::stable_sort(m_points.begin(), m_points.end(), [](const Hit& a, const Hit& b) { return a.u1 < b.u1; });
  if (m_segments.size() > 1)
    std::sort(m_segments.begin(), m_segments.end(), [](const Overlap& a, const Overlap& b) { return a.first1 < b.first1; });
}

RuVaPnt2d KcInterCurveCurve2d::GetPoint(int index) const
{
  if (index < 0 || index >= NbPoints())
    return RuVaPnt2d::kOrigin;
  return m_points[static_cast<size_t>(index)].point;
}

BOOL KcInterCurveCurve2d::GetPoint(int index, RuVaPnt2d& p) const
{
  if (index < 0 || index >= NbPoints())
    return FALSE;
  p = m_points[static_cast<size_t>(index)].point;
  return TRUE;
}

double KcInterCurveCurve2d::GetParameter1(int index) const
{
  if (index < 0 || index >= NbPoints())
    return 0.0;
  return m_points[static_cast<size_t>(index)].u1;
}

double KcInterCurveCurve2d::GetParameter2(int index) const
{
  if (index < 0 || index >= NbPoints())
    return 0.0;
  return m_points[static_cast<size_t>(index)].u2;
}

BOOL KcInterCurveCurve2d::GetSegment(int index, double& firstParameter1, double& lastParameter1) const
{
  if (index < 0 || index >= NbSegments())
    return FALSE;
  firstParameter1 = m_segments[static_cast<size_t>(index)].first1;
  lastParameter1 = m_segments[static_cast<size_t>(index)].last1;
  return TRUE;
}
