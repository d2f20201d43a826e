#include "libs/zuruda/KcFilletTool.h"

#include <algorithm>
#include <cmath>

#include <Geom2dAPI_InterCurveCurve.hxx>
#include <Geom2dAPI_ProjectPointOnCurve.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_OffsetCurve.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <Standard_Failure.hxx>

#include "libs/zuruda/KcOcConv.h"

namespace {

// Far enough for any drawing; unbounded lines are cut there so the intersector gets bounded curves.
constexpr double kLineReach = 1e7;

// The curve taken whole: a trimmed curve's basis, a line bounded at the reach.
Handle(Geom2d_Curve) Whole(const RuVaEntity2d* entity)
{
  Handle(Geom2d_Curve) curve = KcOcConv::ConvertToOcCurve(entity);
  if (curve.IsNull())
    return curve;
  for (;;) {
    const Handle(Geom2d_TrimmedCurve) trimmed = Handle(Geom2d_TrimmedCurve)::DownCast(curve);
    if (trimmed.IsNull())
      break;
    curve = trimmed->BasisCurve();
  }
  const Handle(Geom2d_Line) line = Handle(Geom2d_Line)::DownCast(curve);
  if (!line.IsNull())
    return new Geom2d_TrimmedCurve(line, -kLineReach, kLineReach);
  return curve;
}

double DistanceTo(const Handle(Geom2d_Curve)& curve, const gp_Pnt2d& p)
{
  Geom2dAPI_ProjectPointOnCurve projection(p, curve);
  return projection.NbPoints() > 0 ? projection.LowerDistance() : -1.0;
}

}  // namespace

int KcFilletTool::GetFilletCentres(const RuVaEntity2d* a, const RuVaEntity2d* b, double r,
                                   std::vector<RuVaPnt2d>& centres)
{
  if (!(r > 0.0) || !std::isfinite(r))
    return 0;
  int found = 0;
  try {
    const Handle(Geom2d_Curve) ca = Whole(a);
    const Handle(Geom2d_Curve) cb = Whole(b);
    if (ca.IsNull() || cb.IsNull())
      return 0;
    const double tolerance = std::max(1e-9, r * 1e-7);
    for (double sa : {1.0, -1.0}) {
      for (double sb : {1.0, -1.0}) {
        Handle(Geom2d_OffsetCurve) oa = new Geom2d_OffsetCurve(ca, sa * r);
        Handle(Geom2d_OffsetCurve) ob = new Geom2d_OffsetCurve(cb, sb * r);
        Geom2dAPI_InterCurveCurve inter(oa, ob, tolerance);
        for (int i = 1; i <= inter.NbPoints(); ++i) {
          const gp_Pnt2d centre = inter.Point(i);
          // An offset with cusps meets itself in points no circle of that radius touches from.
          if (std::fabs(DistanceTo(ca, centre) - r) > r * 1e-6 + 1e-9 ||
              std::fabs(DistanceTo(cb, centre) - r) > r * 1e-6 + 1e-9)
            continue;
          const RuVaPnt2d point = KcOcConv::OcToKcPnt2d(centre);
          bool known = false;
          for (const RuVaPnt2d& c : centres)
            known = known || c.Distance(point) < 1e-7;
          if (!known) {
            centres.push_back(point);
            ++found;
          }
        }
      }
    }
  } catch (const Standard_Failure&) {
    return found;
  }
  return found;
}

BOOL KcFilletTool::GetFoot(const RuVaEntity2d* curve, const RuVaPnt2d& p, RuVaPnt2d& foot)
{
  try {
    const Handle(Geom2d_Curve) whole = Whole(curve);
    if (whole.IsNull())
      return FALSE;
    Geom2dAPI_ProjectPointOnCurve projection(KcOcConv::KcToOcPnt2d(p), whole);
    if (projection.NbPoints() == 0)
      return FALSE;
    foot = KcOcConv::OcToKcPnt2d(projection.NearestPoint());
    return TRUE;
  } catch (const Standard_Failure&) {
    return FALSE;
  }
}
