#include "libs/zuruda/KcGeometryTool.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <Geom2dConvert_CompCurveToBSplineCurve.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Standard_Failure.hxx>

#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/ruva/RuVaVec2d.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"
#include "libs/zuruda/KcOcConv.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"

namespace {

double DistanceToSegment(const RuVaPnt2d& p, const RuVaPnt2d& a, const RuVaPnt2d& b)
{
  const double abx = b.X() - a.X(), aby = b.Y() - a.Y();
  const double len2 = abx * abx + aby * aby;
  if (len2 == 0.0)
    return p.Distance(a);
  const double t = std::clamp(((p.X() - a.X()) * abx + (p.Y() - a.Y()) * aby) / len2, 0.0, 1.0);
  return RuVa::Hypot(p.X() - (a.X() + t * abx), p.Y() - (a.Y() + t * aby));
}

double AutoTolerance(double tolerance, double size)
{
  return tolerance >= 0.0 ? tolerance : 1e-10 * size;
}

}  // namespace

int KcGeometryTool::GetOverlapBox(const RuVaBndBox2d& a, const RuVaBndBox2d& b)
{
  return a.IsOut(b) ? kBoxApart : kBoxOverlap;
}

int KcGeometryTool::JudgePointInPolygon(const KcArrayOfGePnt2d& polygon, const RuVaPnt2d& p, double tolerance)
{
  INT_PTR n = polygon.GetSize();
  if (!p.IsFinite() || n < 3)
    return kOutside;
  if (polygon[0] == polygon[n - 1])
    --n;  // the closing point repeats the first
  if (n < 3)
    return kOutside;
  const RuVaBndBox2d box = polygon.GetBndBox();
  const double tol = AutoTolerance(tolerance, std::max(box.Width(), box.Height()));

  // Orientation from the signed area, taken about the first point to keep it accurate far away
  // from the origin.
  double area2 = 0.0;
  const RuVaPnt2d& o = polygon[0];
  for (INT_PTR i = 1; i + 1 < n; ++i) {
    const RuVaPnt2d& a = polygon[i];
    const RuVaPnt2d& b = polygon[i + 1];
    area2 += (a.X() - o.X()) * (b.Y() - o.Y()) - (b.X() - o.X()) * (a.Y() - o.Y());
  }
  const bool ccw = area2 >= 0.0;

  int winding = 0;
  for (INT_PTR i = 0; i < n; ++i) {
    const RuVaPnt2d& a = polygon[i];
    const RuVaPnt2d& b = polygon[(i + 1) % n];
    if (!a.IsFinite() || !b.IsFinite())
      return kOutside;
    if (DistanceToSegment(p, a, b) <= tol)
      return ccw ? kOnBoundaryCcw : kOnBoundaryCw;
    // Crossings of the ray to +x, counted with their direction.
    const double side = (b.X() - a.X()) * (p.Y() - a.Y()) - (p.X() - a.X()) * (b.Y() - a.Y());
    if (a.Y() <= p.Y()) {
      if (b.Y() > p.Y() && side > 0.0)
        ++winding;
    } else if (b.Y() <= p.Y() && side < 0.0) {
      --winding;
    }
  }
  if (winding == 0 || area2 == 0.0)
    return kOutside;
  return ccw ? kInsideCcw : kInsideCw;
}

BOOL KcGeometryTool::TransformBox(const RuVaBndBox2d& in, const RuVaGTrsf2d& t, RuVaBndBox2d& out)
{
  out = in.Transformed(t);
  return !in.IsVoid();
}

BOOL KcGeometryTool::TransformBox(RuVaBndBox2d& box, const RuVaGTrsf2d& t)
{
  const BOOL ok = !box.IsVoid();
  box = box.Transformed(t);
  return ok;
}

int KcGeometryTool::GetNearestSegment(const KcArrayOfGePnt2d& points, const RuVaPnt2d& p)
{
  const INT_PTR n = points.GetSize();
  if (n < 2 || !p.IsFinite())
    return -1;
  int best = -1;
  double bestDistance = 0.0;
  for (INT_PTR i = 0; i + 1 < n && i < INT_MAX; ++i) {
    const double d = DistanceToSegment(p, points[i], points[i + 1]);
    if (!std::isfinite(d))
      continue;
    if (best < 0 || d < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  return best;
}

BOOL KcGeometryTool::GetIntersectionPointOnLineLine(const RuVaPnt2d& a1, const RuVaPnt2d& a2, const RuVaPnt2d& b1,
                                                    const RuVaPnt2d& b2, RuVaPnt2d& out, double tolerance)
{
  if (!a1.IsFinite() || !a2.IsFinite() || !b1.IsFinite() || !b2.IsFinite())
    return FALSE;
  RuVaBndBox2d box(a1, a2);
  box.Add(b1);
  box.Add(b2);
  const double tol = AutoTolerance(tolerance, std::max(box.Width(), box.Height()));
  const RuVaVec2d da(a1, a2), db(b1, b2);
  const double la = da.Magnitude(), lb = db.Magnitude();

  // Degenerate segments: a point on the other segment.
  if (la <= tol || lb <= tol) {
    if (la <= tol && DistanceToSegment(a1, b1, b2) <= tol) {
      out = a1;
      return TRUE;
    }
    if (lb <= tol && DistanceToSegment(b1, a1, a2) <= tol) {
      out = b1;
      return TRUE;
    }
    return FALSE;
  }

  const double cross = da.Crossed(db);
  const RuVaVec2d w(a1, b1);
  // Not parallel when the sine of the angle between them is clearly above rounding.
  if (std::fabs(cross) > 1e-12 * la * lb) {
    const double t = w.Crossed(db) / cross;  // along a, 0..1
    const double u = w.Crossed(da) / cross;  // along b, 0..1
    const double ta = tol / la, tb = tol / lb;
    if (t < -ta || t > 1.0 + ta || u < -tb || u > 1.0 + tb)
      return FALSE;
    // Ends that touch come back exactly.
    if (t <= ta && (u <= tb || u >= 1.0 - tb) && DistanceToSegment(a1, b1, b2) <= tol)
      out = a1;
    else if (t >= 1.0 - ta && (u <= tb || u >= 1.0 - tb) && DistanceToSegment(a2, b1, b2) <= tol)
      out = a2;
    else {
      const double c = std::clamp(t, 0.0, 1.0);
      out.SetCoord(a1.X() + c * da.X(), a1.Y() + c * da.Y());
    }
    return TRUE;
  }
  // Parallel: they meet only when collinear and overlapping.
  if (std::fabs(w.Crossed(da)) / la > tol)
    return FALSE;
  const double s0 = RuVaVec2d(a1, b1).Dot(da) / (la * la);
  const double s1 = RuVaVec2d(a1, b2).Dot(da) / (la * la);
  const double lo = std::max(0.0, std::min(s0, s1)), hi = std::min(1.0, std::max(s0, s1));
  if (lo > hi + tol / la)
    return FALSE;
  if (lo <= 0.0)
    out = a1;
  else if (lo == s0)
    out = b1;
  else if (lo == s1)
    out = b2;
  else
    out.SetCoord(a1.X() + lo * da.X(), a1.Y() + lo * da.Y());
  return TRUE;
}

double KcGeometryTool::GetCurveMiddleParameter(double first, double last)
{
  const bool f = std::fabs(first) < RuVa::Infinite() && std::isfinite(first);
  const bool l = std::fabs(last) < RuVa::Infinite() && std::isfinite(last);
  if (f && l)
    return first + 0.5 * (last - first);
  if (f)
    return first;
  if (l)
    return last;
  return 0.0;
}

double KcGeometryTool::GetCurveMiddleParameter(const RuVaEntity2d* curve)
{
  if (!curve || !curve->IsCurveEntity() || !curve->IsDone())
    return 0.0;
  const RuVaCurveEnt2d* c = static_cast<const RuVaCurveEnt2d*>(curve);
  return GetCurveMiddleParameter(c->FirstParameter(), c->LastParameter());
}

double KcGeometryTool::GetAngleFromXAxis(const RuVaPnt2d& centre, const RuVaPnt2d& p)
{
  return RuVa::CorrectAngle(centre.AngleX(p) * RuVa::RadToDeg);
}

double KcGeometryTool::GetPointArrayLength(const KcArrayOfGePnt2d& points)
{
  return points.GetLength();
}

int KcGeometryTool::DoubleToInt(double value)
{
  if (std::isnan(value))
    return 0;
  const double r = std::round(value);
  if (r >= static_cast<double>(INT_MAX))
    return INT_MAX;
  if (r <= static_cast<double>(INT_MIN))
    return INT_MIN;
  return static_cast<int>(r);
}

namespace {

const RuVaCurveEnt2d* Usable(const RuVaEntity2d* e)
{
  if (!e || !e->IsCurveEntity() || !e->IsDone())
    return nullptr;
  return static_cast<const RuVaCurveEnt2d*>(e);
}

// The stretch [lo, lo + length] of a curve; for a closed curve lo + length may pass its last
// parameter and go on from the first.
RuVaCurveEnt2d* MakePiece(const RuVaCurveEnt2d& c, double lo, double length)
{
  if (!(length > 1e-12) || !std::isfinite(lo) || !std::isfinite(length))
    return nullptr;
  const double first = c.FirstParameter(), last = c.LastParameter();
  const double period = last - first;
  const double hi = lo + length;
  switch (c.GetEntityType()) {
  case RuVaEntity2d::kLine:
  case RuVaEntity2d::kHalfLine:
  case RuVaEntity2d::kLineSeg: {
    RuVaPnt2d a, b;
    if (!c.D0(lo, a) || !c.D0(hi, b))
      return nullptr;
    return new RuVaLineSeg2d(a, b);
  }
  case RuVaEntity2d::kCircle:
  case RuVaEntity2d::kArc: {
    const RuVaCircle2d& circle = static_cast<const RuVaCircle2d&>(c);
    RuVaArc2d* arc = new RuVaArc2d(circle.GetCenter(), circle.GetRadius(), 0.0, 0.0, circle.GetDirection());
    arc->SetStartAndSweep(circle.AngleOfParameter(lo), length);
    return arc;
  }
  case RuVaEntity2d::kEllipse:
  case RuVaEntity2d::kEllipseArc: {
    const RuVaEllipse2d& e = static_cast<const RuVaEllipse2d&>(c);
    RuVaEllipseArc2d* arc = new RuVaEllipseArc2d(e.GetCenter(), e.GetMajorAxis().Vec(), e.GetMajorRadius(),
                                                 e.GetMinorRadius(), 0.0, 0.0, e.GetDirection());
    arc->SetStartAndSweep(e.AngleOfParameter(lo), length);
    return arc;
  }
  case RuVaEntity2d::kPointSequence: {
    const KcArrayOfGePnt2d& pts = static_cast<const RuVaArrayPnt2d&>(c).Sequence();
    KcArrayOfGePnt2d out;
    RuVaPnt2d p;
    // Vertices strictly inside (from, to) of the chain's own parameters.
    auto addStretch = [&](double from, double to) {
      for (INT_PTR i = static_cast<INT_PTR>(std::floor(from)) + 1; i < pts.GetSize() && static_cast<double>(i) < to; ++i)
        out.Add(pts[i]);
    };
    if (!c.D0(lo, p))
      return nullptr;
    out.Add(p);
    if (hi <= last + 1e-12) {
      addStretch(lo, hi);
    } else {
      addStretch(lo, last + 1.0);
      addStretch(first, hi - period);
    }
    if (!c.D0(hi <= last + 1e-12 ? std::min(hi, last) : hi - period, p))
      return nullptr;
    out.Add(p);
    out.Compress(0.0);
    RuVaArrayPnt2d* chain = new RuVaArrayPnt2d(out);
    if (!chain->IsDone()) {
      delete chain;
      return nullptr;
    }
    return chain;
  }
  case RuVaEntity2d::kBSplineCurve: {
    Handle(Geom2d_BSplineCurve) s = Handle(Geom2d_BSplineCurve)::DownCast(KcOcConv::ConvertToOcCurve(c));
    if (s.IsNull())
      return nullptr;
    Handle(Geom2d_BSplineCurve) piece = Handle(Geom2d_BSplineCurve)::DownCast(s->Copy());
    if (s->IsPeriodic() || hi <= last + 1e-12) {
      piece->Segment(lo, std::min(hi, s->IsPeriodic() ? hi : last));
      return KcOcConv::ConvertToKcCurve(piece);
    }
    // Across the end of a closed, non-periodic spline: the tail joined to the head.
    Handle(Geom2d_BSplineCurve) head = Handle(Geom2d_BSplineCurve)::DownCast(s->Copy());
    piece->Segment(lo, last);
    head->Segment(first, hi - period);
    Geom2dConvert_CompCurveToBSplineCurve join(piece);
    if (!join.Add(head, 1e-7))
      return nullptr;
    return KcOcConv::ConvertToKcCurve(join.BSplineCurve());
  }
  default:
    return nullptr;
  }
}

}  // namespace

double KcGeometryTool::GetCurveMiddleParameter(const RuVaEntity2d* curve, double a, double b)
{
  const RuVaCurveEnt2d* c = Usable(curve);
  if (c && b < a && IsCurvePeriodicClosed(c)) {
    const double first = c->FirstParameter(), last = c->LastParameter();
    double m = 0.5 * (a + b + (last - first));
    if (m > last)
      m -= last - first;
    return m;
  }
  return GetCurveMiddleParameter(a, b);
}

BOOL KcGeometryTool::GetCurveProjectionParameter(const RuVaEntity2d* curve, const RuVaPnt2d& p, double& parameter)
{
  const KcProjectPointOnCurve2d proj(p, curve);
  if (proj.NbPoints() == 0)
    return FALSE;
  parameter = proj.LowerDistanceParameter();
  return TRUE;
}

BOOL KcGeometryTool::IsCurvePeriodicClosed(const RuVaEntity2d* curve)
{
  const RuVaCurveEnt2d* c = Usable(curve);
  if (!c)
    return FALSE;
  switch (c->GetEntityType()) {
  case RuVaEntity2d::kCircle:
  case RuVaEntity2d::kEllipse:
    return TRUE;
  case RuVaEntity2d::kArc:
    return static_cast<const RuVaArc2d*>(c)->GetSweepAngle() >= RuVa::TwoPi;
  case RuVaEntity2d::kEllipseArc:
    return static_cast<const RuVaEllipseArc2d*>(c)->GetSweepAngle() >= RuVa::TwoPi;
  case RuVaEntity2d::kBSplineCurve:
    return c->IsClosed(1e-7);
  default: {
    RuVaPnt2d s, e;
    return KcCurveParam::GetFirstParamePoint(c, s) && KcCurveParam::GetLastParamePoint(c, e) && s.IsEqual(e, 1e-7);
  }
  }
}

RuVaCurveEnt2d* KcGeometryTool::TrimCurve(const RuVaEntity2d* curve, double a, double b, double middle)
{
  const RuVaCurveEnt2d* c = Usable(curve);
  if (!c || !std::isfinite(a) || !std::isfinite(b))
    return nullptr;
  const double lo = std::min(a, b), hi = std::max(a, b);
  const bool closed = IsCurvePeriodicClosed(c);
  try {
    // On a closed curve the stretch from a to b is the one across the end when b lies below a, or
    // when the middle lies outside [lo, hi].
    if (closed && (b < a || !(middle >= lo && middle <= hi))) {
      const double period = c->LastParameter() - c->FirstParameter();
      const double from = b < a ? a : hi;
      const double to = b < a ? b : lo;
      return MakePiece(*c, from, period - (from - to));
    }
    return MakePiece(*c, lo, hi - lo);
  } catch (const Standard_Failure&) {
    return nullptr;
  }
}

int KcGeometryTool::TrimCurve(const RuVaEntity2d* curve, const KcArrayOfGePnt2d& polygon, KcArrayOfGeEntity2d& inside,
                              KcArrayOfGeEntity2d& outside)
{
  const RuVaCurveEnt2d* c = Usable(curve);
  if (!c || polygon.GetSize() < 3)
    return -1;
  KcArrayOfGePnt2d ring(polygon);
  if (ring[0] != ring[ring.GetSize() - 1])
    ring.Add(ring[0]);
  const RuVaArrayPnt2d boundary(ring);
  if (!boundary.IsDone())
    return -1;

  const double first = c->FirstParameter(), last = c->LastParameter();
  const bool closed = IsCurvePeriodicClosed(c);
  const double span = std::fabs(last - first) < RuVa::Infinite() ? last - first : 1.0;
  const double eps = 1e-12 * std::max(1.0, std::fabs(span));

  // Cuts: the parameters where the curve meets the boundary, sorted, without repeats and without
  // the curve's own ends.
  const KcInterCurveCurve2d inter(*c, boundary);
  std::vector<double> cuts;
  for (int i = 0; i < inter.NbPoints(); ++i) {
    const double u = inter.GetParameter1(i);
    if (!closed && (u <= first + eps || u >= last - eps))
      continue;
    cuts.push_back(u);
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end(), [&](double x, double y) { return y - x <= eps; }), cuts.end());

  auto isInside = [&](const RuVaCurveEnt2d& piece) {
    RuVaPnt2d mid;
    if (!KcCurveParam::GetCenterParamePoint(&piece, mid))
      return false;  // unbounded pieces reach past any polygon
    return JudgePointInPolygon(polygon, mid) != kOutside;
  };
  if (cuts.empty()) {
    RuVaPnt2d mid;
    if (!KcCurveParam::GetCenterParamePoint(c, mid))
      return kOutside;  // an unbounded line that never meets the polygon
    return JudgePointInPolygon(polygon, mid) != kOutside ? 1 : 0;
  }

  // Stretches between cuts: across the end of a closed curve, or from the curve's ends otherwise.
  std::vector<std::pair<double, double>> stretches;  // start, length
  if (closed) {
    for (size_t i = 0; i + 1 < cuts.size(); ++i)
      stretches.emplace_back(cuts[i], cuts[i + 1] - cuts[i]);
    stretches.emplace_back(cuts.back(), span - (cuts.back() - cuts.front()));
  } else {
    std::vector<double> bounds;
    bounds.push_back(first);
    bounds.insert(bounds.end(), cuts.begin(), cuts.end());
    bounds.push_back(last);
    for (size_t i = 0; i + 1 < bounds.size(); ++i)
      stretches.emplace_back(bounds[i], bounds[i + 1] - bounds[i]);
  }

  KcArrayOfGeEntity2d in, out;
  try {
    for (const auto& [start, length] : stretches) {
      RuVaCurveEnt2d* piece = nullptr;
      const bool unboundedStart = !(std::fabs(start) < RuVa::Infinite());
      const bool unboundedEnd = !(std::fabs(start + length) < RuVa::Infinite());
      if (unboundedStart || unboundedEnd) {
        // A line running off to infinity: the half line from the cut, always outside.
        const double cut = unboundedStart ? start + length : start;
        RuVaPnt2d p;
        RuVaVec2d d;
        if (!c->D1(cut, p, d))
          continue;
        piece = new RuVaHalfLine2d(p, RuVaDir2d(unboundedStart ? d.Reversed() : d));
        out.Add(piece);
        continue;
      }
      piece = MakePiece(*c, start, length);
      if (!piece)
        continue;
      (isInside(*piece) ? in : out).Add(piece);
    }
  } catch (const Standard_Failure&) {
    in.DeleteAll();
    out.DeleteAll();
    return -1;
  }
  if (out.IsEmpty()) {
    in.DeleteAll();
    return 1;
  }
  if (in.IsEmpty()) {
    out.DeleteAll();
    return 0;
  }
  for (INT_PTR i = 0; i < in.GetSize(); ++i)
    inside.Add(in[i]);
  for (INT_PTR i = 0; i < out.GetSize(); ++i)
    outside.Add(out[i]);
  return 2;
}

int KcGeometryTool::TrimCurve(const RuVaEntity2d* curve, const KcArrayOfGePnt2d& polygon, KcArrayOfGeEntity2d& inside)
{
  KcArrayOfGeEntity2d outside;
  const int result = TrimCurve(curve, polygon, inside, outside);
  outside.DeleteAll();
  return result;
}
