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
#include "libs/ruva/RuVaEllipse2d.h"

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

double KcCurveParam::FirstParameter(const RuVaEntity2d* curve)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  return c ? c->FirstParameter() : 0.0;
}

double KcCurveParam::LastParameter(const RuVaEntity2d* curve)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  return c ? c->LastParameter() : 0.0;
}

namespace {

// Distance along a chain from its start to parameter u (u within the chain).
double ChainLengthTo(const KcArrayOfGePnt2d& pts, double u)
{
  double len = 0.0;
  const INT_PTR n = pts.GetSize();
  for (INT_PTR i = 0; i + 1 < n; ++i) {
    const double seg = pts[i].Distance(pts[i + 1]);
    if (u >= static_cast<double>(i + 1)) {
      len += seg;
      continue;
    }
    len += seg * (u - static_cast<double>(i));
    break;
  }
  return len;
}

}  // namespace

double KcCurveParam::GetCurveLength(const RuVaEntity2d* curve, double from, double to)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !std::isfinite(from) || !std::isfinite(to))
    return -1.0;
  const double lo = std::min(from, to), hi = std::max(from, to);
  switch (c->GetEntityType()) {
  case RuVaEntity2d::kLine:
  case RuVaEntity2d::kHalfLine:
  case RuVaEntity2d::kLineSeg:
    return hi - lo;
  case RuVaEntity2d::kCircle:
  case RuVaEntity2d::kArc:
    return static_cast<const RuVaCircle2d*>(c)->GetRadius() * (hi - lo);
  case RuVaEntity2d::kPointSequence: {
    if (lo < c->FirstParameter() - 1e-9 || hi > c->LastParameter() + 1e-9)
      return -1.0;
    const KcArrayOfGePnt2d& pts = static_cast<const RuVaArrayPnt2d*>(c)->Sequence();
    return ChainLengthTo(pts, hi) - ChainLengthTo(pts, lo);
  }
  default:
    break;
  }
  if (c->GetEntityType() == RuVaEntity2d::kBSplineCurve && !static_cast<const RuVaBSplineCurve2d*>(c)->IsPeriodic()) {
    const double slack = 1e-12 * std::max(1.0, c->LastParameter() - c->FirstParameter());
    if (lo < c->FirstParameter() - slack || hi > c->LastParameter() + slack)
      return -1.0;
  }
  try {
    Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(c);
    if (oc.IsNull())
      return -1.0;
    Geom2dAdaptor_Curve adaptor(oc);
    if (c->GetEntityType() == RuVaEntity2d::kBSplineCurve)
      return GCPnts_AbscissaPoint::Length(adaptor, lo, hi, 1e-9);
    // Ellipses: the kernel's parameters, unrolled so that a range past one turn still measures.
    return GCPnts_AbscissaPoint::Length(adaptor, KcOcConv::KcToOcParameter(*c, lo), KcOcConv::KcToOcParameter(*c, hi),
                                        1e-9);
  } catch (const Standard_Failure&) {
    return -1.0;
  }
}

BOOL KcCurveParam::GetLengthParameter(const RuVaEntity2d* curve, double length, double from, double& parameter,
                                      RuVaPnt2d& point)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !std::isfinite(length) || !std::isfinite(from))
    return FALSE;
  double u = from;
  switch (c->GetEntityType()) {
  case RuVaEntity2d::kLine:
  case RuVaEntity2d::kHalfLine:
  case RuVaEntity2d::kLineSeg:
    u = from + length;
    break;
  case RuVaEntity2d::kCircle:
  case RuVaEntity2d::kArc:
    u = from + length / static_cast<const RuVaCircle2d*>(c)->GetRadius();
    break;
  case RuVaEntity2d::kPointSequence: {
    const KcArrayOfGePnt2d& pts = static_cast<const RuVaArrayPnt2d*>(c)->Sequence();
    if (from < c->FirstParameter() - 1e-9 || from > c->LastParameter() + 1e-9)
      return FALSE;
    const double target = ChainLengthTo(pts, std::clamp(from, c->FirstParameter(), c->LastParameter())) + length;
    const double total = pts.GetLength();
    const double slack = 1e-12 * std::max(1.0, total);
    if (target < -slack || target > total + slack)
      return FALSE;
    // Walk to the segment holding the target length.
    double run = 0.0;
    u = c->LastParameter();
    for (INT_PTR i = 0; i + 1 < pts.GetSize(); ++i) {
      const double seg = pts[i].Distance(pts[i + 1]);
      if (target <= run + seg && seg > 0.0) {
        u = static_cast<double>(i) + std::clamp((target - run) / seg, 0.0, 1.0);
        break;
      }
      run += seg;
    }
    break;
  }
  default: {
    try {
      Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(c);
      if (oc.IsNull())
        return FALSE;
      Geom2dAdaptor_Curve adaptor(oc);
      GCPnts_AbscissaPoint ap(1e-9, adaptor, length, KcOcConv::KcToOcParameter(*c, from));
      if (!ap.IsDone())
        return FALSE;
      u = KcOcConv::OcToKcParameter(*c, ap.Parameter());
    } catch (const Standard_Failure&) {
      return FALSE;
    }
    break;
  }
  }
  if (!GetPointFromParameter(c, u, point))
    return FALSE;
  parameter = u;
  return TRUE;
}
