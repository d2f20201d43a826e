#include "libs/zuruda/KcCurveParam.h"

#include <cmath>

#include <GCPnts_AbscissaPoint.hxx>
#include <Geom2dAdaptor_Curve.hxx>
#include <Standard_Failure.hxx>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcOcConv.h"

namespace {

const RuVaCurveEnt2d* UsableCurve(const RuVaEntity2d* e)
{
  if (!e || !e->IsCurveEntity() || !e->IsDone())
    return nullptr;
  return static_cast<const RuVaCurveEnt2d*>(e);
}

// B-splines are evaluated by the kernel, within their range (a small slack is clamped).
BOOL EvaluateSpline(const RuVaCurveEnt2d& c, double u, RuVaPnt2d* p, RuVaVec2d* d1)
{
  const double first = c.FirstParameter(), last = c.LastParameter();
  const double slack = 1e-12 * std::max(1.0, std::fabs(last - first));
  const RuVaBSplineCurve2d& s = static_cast<const RuVaBSplineCurve2d&>(c);
  if (!s.IsPeriodic()) {
    if (u < first - slack || u > last + slack)
      return FALSE;
    u = std::clamp(u, first, last);
  }
  try {
    Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(&c);
    if (oc.IsNull())
      return FALSE;
    gp_Pnt2d pt;
    gp_Vec2d v;
    oc->D1(u, pt, v);
    if (p)
      *p = KcOcConv::OcToKcPnt2d(pt);
    if (d1)
      *d1 = KcOcConv::OcToKcVec2d(v);
    return TRUE;
  } catch (const Standard_Failure&) {
    return FALSE;
  }
}

}  // namespace

BOOL KcCurveParam::FirstLastParameter(const RuVaEntity2d* curve, double& first, double& last)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c)
    return FALSE;
  first = c->FirstParameter();
  last = c->LastParameter();
  return TRUE;
}

BOOL KcCurveParam::GetPointFromParameter(const RuVaEntity2d* curve, double u, RuVaPnt2d& p)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !std::isfinite(u))
    return FALSE;
  if (c->GetEntityType() == RuVaEntity2d::kBSplineCurve)
    return EvaluateSpline(*c, u, &p, nullptr);
  return c->D0(u, p);
}

BOOL KcCurveParam::GetPointAndDerivative(const RuVaEntity2d* curve, double u, RuVaPnt2d& p, RuVaVec2d& d1)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !std::isfinite(u))
    return FALSE;
  if (c->GetEntityType() == RuVaEntity2d::kBSplineCurve)
    return EvaluateSpline(*c, u, &p, &d1);
  return c->D1(u, p, d1);
}

BOOL KcCurveParam::GetFirstParamePoint(const RuVaEntity2d* curve, RuVaPnt2d& p)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !(std::fabs(c->FirstParameter()) < RuVa::Infinite()))
    return FALSE;
  return GetPointFromParameter(c, c->FirstParameter(), p);
}

BOOL KcCurveParam::GetLastParamePoint(const RuVaEntity2d* curve, RuVaPnt2d& p)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !(std::fabs(c->LastParameter()) < RuVa::Infinite()))
    return FALSE;
  return GetPointFromParameter(c, c->LastParameter(), p);
}

BOOL KcCurveParam::GetCenterParamePoint(const RuVaEntity2d* curve, RuVaPnt2d& p)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !c->IsBounded())
    return FALSE;
  return GetPointFromParameter(c, 0.5 * (c->FirstParameter() + c->LastParameter()), p);
}

double KcCurveParam::GetCurveLength(const RuVaEntity2d* curve)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !c->IsBounded())
    return -1.0;
  switch (c->GetEntityType()) {
  case RuVaEntity2d::kLineSeg:
    return static_cast<const RuVaLineSeg2d*>(c)->Length();
  case RuVaEntity2d::kCircle:
    return RuVa::TwoPi * static_cast<const RuVaCircle2d*>(c)->GetRadius();
  case RuVaEntity2d::kArc:
    return static_cast<const RuVaArc2d*>(c)->GetLength();
  case RuVaEntity2d::kPointSequence:
    return static_cast<const RuVaArrayPnt2d*>(c)->Sequence().GetLength();
  default:
    break;
  }
  try {
    Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(c);
    if (oc.IsNull())
      return -1.0;
    Geom2dAdaptor_Curve adaptor(oc);
    return GCPnts_AbscissaPoint::Length(adaptor, 1e-9);
  } catch (const Standard_Failure&) {
    return -1.0;
  }
}
