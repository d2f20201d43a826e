#include "libs/zuruda/KcGeometryTool.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaVec2d.h"

namespace {

double DistanceToSegment(const RuVaPnt2d& p, const RuVaPnt2d& a, const RuVaPnt2d& b)
{
  const double abx = b.X() - a.X(), aby = b.Y() - a.Y();
  const double len2 = abx * abx + aby * aby;
  if (len2 == 0.0)
    return p.Distance(a);
  const double t = std::clamp(((p.X() - a.X()) * abx + (p.Y() - a.Y()) * aby) / len2, 0.0, 1.0);
  return std::hypot(p.X() - (a.X() + t * abx), p.Y() - (a.Y() + t * aby));
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
