#include "libs/zuruda/KcProjectPointOnCurve2d.h"

#include <algorithm>
#include <cmath>

#include <Geom2dAPI_ProjectPointOnCurve.hxx>
#include <Standard_Failure.hxx>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcOcConv.h"

namespace {

// Slack for a foot that falls a rounding error beyond an end: relative to the sizes involved.
double Slack(double a, double b)
{
  return 1e-12 * (std::fabs(a) + std::fabs(b));
}

}  // namespace

void KcProjectPointOnCurve2d::AddSolution(const RuVaPnt2d& point, double parameter)
{
  m_solutions.push_back(Solution{point, parameter, point.Distance(m_point)});
}

void KcProjectPointOnCurve2d::Init(const RuVaPnt2d& p, const RuVaEntity2d* curve)
{
  m_solutions.clear();
  m_point = p;
  m_done = false;
  if (!curve || !curve->IsCurveEntity() || !curve->IsDone() || !p.IsFinite())
    return;
  m_done = true;

  switch (curve->GetEntityType()) {
  case RuVaEntity2d::kLine: {
    const RuVaLine2d& l = *static_cast<const RuVaLine2d*>(curve);
    const double t = l.Parameter(p);
    AddSolution(l.Value(t), t);
    break;
  }
  case RuVaEntity2d::kHalfLine: {
    const RuVaLine2d& l = static_cast<const RuVaHalfLine2d*>(curve)->Line();
    double t = l.Parameter(p);
    if (t >= -Slack(t, p.Distance(l.Location()))) {
      t = std::max(t, 0.0);
      AddSolution(l.Value(t), t);
    }
    break;
  }
  case RuVaEntity2d::kLineSeg:
  case RuVaEntity2d::kPointSequence: {
    // A segment, or every segment of a chain (parameter i + fraction on segment i).
    const bool chain = curve->GetEntityType() == RuVaEntity2d::kPointSequence;
    auto projectOnSegment = [&](const RuVaPnt2d& a, const RuVaPnt2d& b, INT_PTR index) {
      const RuVaVec2d ab(a, b);
      const double len = ab.Magnitude();
      if (!(len > RuVa::Resolution()))
        return;
      double t = RuVaVec2d(a, p).Dot(ab) / len;  // distance along the segment
      const double slack = Slack(len, p.Distance(a));
      if (t < -slack || t > len + slack)
        return;
      t = std::clamp(t, 0.0, len);
      RuVaPnt2d foot;
      if (t == 0.0)
        foot = a;
      else if (t == len)
        foot = b;
      else
        foot.SetCoord(a.X() + ab.X() * (t / len), a.Y() + ab.Y() * (t / len));
      const double u = chain ? static_cast<double>(index) + t / len : t;
      // A foot on a shared corner is reported once.
      if (!m_solutions.empty() && std::fabs(m_solutions.back().parameter - u) <= 1e-12 * std::max(1.0, std::fabs(u)))
        return;
      AddSolution(foot, u);
    };
    if (!chain) {
      const RuVaLineSeg2d& s = *static_cast<const RuVaLineSeg2d*>(curve);
      projectOnSegment(s.StartPoint(), s.EndPoint(), 0);
      break;
    }
    const KcArrayOfGePnt2d& pts = static_cast<const RuVaArrayPnt2d*>(curve)->Sequence();
    for (INT_PTR i = 0; i + 1 < pts.GetSize(); ++i)
      projectOnSegment(pts[i], pts[i + 1], i);
    break;
  }
  case RuVaEntity2d::kCircle:
  case RuVaEntity2d::kArc: {
    const RuVaCircle2d& c = *static_cast<const RuVaCircle2d*>(curve);
    const double r = c.GetRadius();
    const double d = p.Distance(c.GetCenter());
    if (!(d > 1e-14 * r))
      break;  // at the centre: no single projection
    const double angle = c.GetCenter().AngleX(p);
    const bool isArc = curve->GetEntityType() == RuVaEntity2d::kArc;
    const double first = c.FirstParameter(), last = c.LastParameter();
    for (double a : {angle, angle + RuVa::Pi}) {
      // The circle's parameter of this angle, brought into the curve's range.
      double u = first + RuVa::CorrectRadian(c.ParameterOfAngle(a) - first);
      if (isArc) {
        const double slack = 1e-12 * RuVa::TwoPi;
        if (u > last + slack) {
          if (u - RuVa::TwoPi >= first - slack)
            u = first;
          else
            continue;
        }
        u = std::min(u, last);
      }
      RuVaPnt2d q;
      c.D0(u, q);
      AddSolution(q, u);
    }
    break;
  }
  default: {
    // Ellipses and B-splines through the kernel.
    try {
      Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(curve);
      if (oc.IsNull()) {
        m_done = false;
        break;
      }
      Geom2dAPI_ProjectPointOnCurve proj(KcOcConv::KcToOcPnt2d(p), oc);
      for (int i = 1; i <= proj.NbPoints(); ++i)
        AddSolution(KcOcConv::OcToKcPnt2d(proj.Point(i)), KcOcConv::OcToKcParameter(*curve, proj.Parameter(i)));
    } catch (const Standard_Failure&) {
      m_solutions.clear();
      m_done = false;
    }
    break;
  }
  }
  std::stable_sort(m_solutions.begin(), m_solutions.end(),
                   [](const Solution& a, const Solution& b) { return a.distance < b.distance; });
}

RuVaPnt2d KcProjectPointOnCurve2d::GetPoint(int index) const
{
  if (index < 0 || index >= NbPoints())
    return RuVaPnt2d::kOrigin;
  return m_solutions[static_cast<size_t>(index)].point;
}

double KcProjectPointOnCurve2d::Parameter(int index) const
{
  if (index < 0 || index >= NbPoints())
    return 0.0;
  return m_solutions[static_cast<size_t>(index)].parameter;
}

double KcProjectPointOnCurve2d::Distance(int index) const
{
  if (index < 0 || index >= NbPoints())
    return 0.0;
  return m_solutions[static_cast<size_t>(index)].distance;
}
