#include "libs/zuruda/KcCurveParam.h"

#include <cmath>

#include <GCPnts_AbscissaPoint.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
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
  return c->D0(u, p);
}

BOOL KcCurveParam::GetPointAndDerivative(const RuVaEntity2d* curve, double u, RuVaPnt2d& p, RuVaVec2d& d1)
{
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !std::isfinite(u))
    return FALSE;
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

BOOL KcCurveParam::GetDeflectionPoints(const RuVaEntity2d* curve, double deflection, KcArrayOfGePnt2d& points,
                                       int maxPoints)
{
  points.RemoveAll();
  const RuVaCurveEnt2d* c = UsableCurve(curve);
  if (!c || !c->IsBounded() || !(deflection > 0.0) || !std::isfinite(deflection) || maxPoints < 2)
    return FALSE;
  const double first = c->FirstParameter(), last = c->LastParameter();
  switch (c->GetEntityType()) {
  case RuVaEntity2d::kLineSeg: {
    const RuVaLineSeg2d* s = static_cast<const RuVaLineSeg2d*>(c);
    points.Add(s->StartPoint());
    points.Add(s->EndPoint());
    return TRUE;
  }
  case RuVaEntity2d::kPointSequence:
    points.Copy(static_cast<const RuVaArrayPnt2d*>(c)->Sequence());
    return TRUE;
  case RuVaEntity2d::kCircle:
  case RuVaEntity2d::kArc: {
    // A chord over the angle t leaves the arc by r (1 - cos(t / 2)).
    const double r = static_cast<const RuVaCircle2d*>(c)->GetRadius();
    const double sweep = last - first;
    double step = deflection >= r ? RuVa::Pi / 2 : 2.0 * std::acos(1.0 - deflection / r);
    step = std::min(step, RuVa::Pi / 2);
    double count = std::ceil(sweep / step);
    count = std::clamp(count, 1.0, static_cast<double>(maxPoints - 1));
    const int n = static_cast<int>(count);
    points.SetSize(n + 1);
    for (int i = 0; i <= n; ++i) {
      RuVaPnt2d p;
      c->D0(i == n ? last : first + sweep * i / n, p);
      points[i] = p;
    }
    return TRUE;
  }
  default:
    break;
  }
  // Ellipses and B-splines: the kernel's sampler, with the parameters mapped back and the ends exact.
  try {
    Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(c);
    if (oc.IsNull())
      return FALSE;
    Geom2dAdaptor_Curve adaptor(oc);
    GCPnts_QuasiUniformDeflection sampler(adaptor, deflection, adaptor.FirstParameter(), adaptor.LastParameter());
    if (!sampler.IsDone() || sampler.NbPoints() < 2)
      return FALSE;
    const int n = sampler.NbPoints();
    // Too many points: keep every k-th, always with the last.
    const int stride = n > maxPoints ? (n + maxPoints - 2) / (maxPoints - 1) : 1;
    for (int i = 1; i <= n; i += stride)
      points.Add(KcOcConv::OcToKcPnt2d(oc->Value(sampler.Parameter(i))));
    if ((n - 1) % stride != 0)
      points.Add(KcOcConv::OcToKcPnt2d(oc->Value(sampler.Parameter(n))));
    RuVaPnt2d s, e;
    if (GetFirstParamePoint(c, s) && GetLastParamePoint(c, e)) {
      points[0] = s;
      points[points.GetSize() - 1] = e;
    }
    return TRUE;
  } catch (const Standard_Failure&) {
    points.RemoveAll();
    return FALSE;
  }
}
