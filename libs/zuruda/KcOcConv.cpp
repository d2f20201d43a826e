#include "libs/zuruda/KcOcConv.h"

#include <cmath>

#include <GCE2d_MakeSegment.hxx>
#include <Geom2dConvert.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_BezierCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Ellipse.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <Precision.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt2d.hxx>
#include <gp_Ax22d.hxx>
#include <gp_Circ2d.hxx>
#include <gp_Elips2d.hxx>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"

namespace {

// Axes of a circle or ellipse: X along the given direction, Y its counter-clockwise perpendicular
// for a counter-clockwise curve and the clockwise one otherwise.
gp_Ax22d ConicAxes(const RuVaPnt2d& centre, const RuVaDir2d& x, int direction)
{
  return gp_Ax22d(KcOcConv::KcToOcPnt2d(centre), KcOcConv::KcToOcDir2d(x), direction > 0);
}

Handle(Geom2d_Curve) Trim(const Handle(Geom2d_Curve)& basis, double u1, double u2)
{
  return new Geom2d_TrimmedCurve(basis, u1, u2, Standard_True, Standard_False);
}

Handle(Geom2d_Curve) MakeEllipse(const RuVaEllipse2d& e, double& shift)
{
  // The kernel wants the major radius first; a taller than wide ellipse turns its axes a quarter
  // turn, which shifts every eccentric angle by pi/2.
  RuVaDir2d axis = e.GetMajorAxis();
  double a = e.GetMajorRadius(), b = e.GetMinorRadius();
  shift = 0.0;
  if (a < b) {
    std::swap(a, b);
    axis = axis.Perpendicular();
    shift = RuVa::HalfPi;
  }
  gp_Elips2d el(ConicAxes(e.GetCenter(), axis, e.GetDirection()), a, b);
  return new Geom2d_Ellipse(el);
}

Handle(Geom2d_Curve) MakeBSpline(const RuVaBSplineCurve2d& s)
{
  const KcArrayOfGePnt2d& poles = s.GetPoles();
  TColgp_Array1OfPnt2d p(1, static_cast<int>(poles.GetSize()));
  for (int i = 0; i < poles.GetSize(); ++i)
    p.SetValue(i + 1, KcOcConv::KcToOcPnt2d(poles[i]));
  const std::vector<double>& knots = s.GetKnots();
  const std::vector<int>& mults = s.GetMultiplicities();
  TColStd_Array1OfReal k(1, static_cast<int>(knots.size()));
  TColStd_Array1OfInteger m(1, static_cast<int>(mults.size()));
  for (size_t i = 0; i < knots.size(); ++i) {
    k.SetValue(static_cast<int>(i) + 1, knots[i]);
    m.SetValue(static_cast<int>(i) + 1, mults[i]);
  }
  if (s.IsRational()) {
    const std::vector<double>& weights = s.GetWeights();
    TColStd_Array1OfReal w(1, static_cast<int>(weights.size()));
    for (size_t i = 0; i < weights.size(); ++i)
      w.SetValue(static_cast<int>(i) + 1, weights[i]);
    return new Geom2d_BSplineCurve(p, w, k, m, s.GetDegree(), s.IsPeriodic() != FALSE);
  }
  return new Geom2d_BSplineCurve(p, k, m, s.GetDegree(), s.IsPeriodic() != FALSE);
}

// A polyline as a degree-1 spline whose knot i carries point i, so parameters agree.
Handle(Geom2d_Curve) MakePolyline(const RuVaArrayPnt2d& a)
{
  const KcArrayOfGePnt2d& pts = a.Sequence();
  const int n = static_cast<int>(pts.GetSize());
  TColgp_Array1OfPnt2d p(1, n);
  TColStd_Array1OfReal k(1, n);
  TColStd_Array1OfInteger m(1, n);
  for (int i = 0; i < n; ++i) {
    p.SetValue(i + 1, KcOcConv::KcToOcPnt2d(pts[i]));
    k.SetValue(i + 1, static_cast<double>(i));
    m.SetValue(i + 1, 1);
  }
  m.SetValue(1, 2);
  m.SetValue(n, 2);
  return new Geom2d_BSplineCurve(p, k, m, 1);
}

Handle(Geom2d_Curve) Convert(const RuVaEntity2d& entity)
{
  const double inf = Precision::Infinite();
  switch (entity.GetEntityType()) {
  case RuVaEntity2d::kLine: {
    const RuVaLine2d& l = static_cast<const RuVaLine2d&>(entity);
    Handle(Geom2d_Line) line = new Geom2d_Line(KcOcConv::KcToOcPnt2d(l.Location()), KcOcConv::KcToOcDir2d(l.Direction()));
    return Trim(line, -inf, inf);
  }
  case RuVaEntity2d::kHalfLine: {
    const RuVaHalfLine2d& l = static_cast<const RuVaHalfLine2d&>(entity);
    Handle(Geom2d_Line) line = new Geom2d_Line(KcOcConv::KcToOcPnt2d(l.Location()), KcOcConv::KcToOcDir2d(l.Direction()));
    return Trim(line, 0.0, inf);
  }
  case RuVaEntity2d::kLineSeg: {
    const RuVaLineSeg2d& s = static_cast<const RuVaLineSeg2d&>(entity);
    RuVaDir2d d;
    s.GetDirection(d);
    Handle(Geom2d_Line) line = new Geom2d_Line(KcOcConv::KcToOcPnt2d(s.StartPoint()), KcOcConv::KcToOcDir2d(d));
    return Trim(line, 0.0, s.Length());
  }
  case RuVaEntity2d::kCircle: {
    const RuVaCircle2d& c = static_cast<const RuVaCircle2d&>(entity);
    return new Geom2d_Circle(gp_Circ2d(ConicAxes(c.GetCenter(), RuVaDir2d::DX2d(), c.GetDirection()), c.GetRadius()));
  }
  case RuVaEntity2d::kArc: {
    const RuVaArc2d& a = static_cast<const RuVaArc2d&>(entity);
    Handle(Geom2d_Circle) c =
        new Geom2d_Circle(gp_Circ2d(ConicAxes(a.GetCenter(), RuVaDir2d::DX2d(), a.GetDirection()), a.GetRadius()));
    return Trim(c, a.FirstParameter(), a.LastParameter());
  }
  case RuVaEntity2d::kEllipse: {
    double shift = 0.0;
    return MakeEllipse(static_cast<const RuVaEllipse2d&>(entity), shift);
  }
  case RuVaEntity2d::kEllipseArc: {
    const RuVaEllipseArc2d& a = static_cast<const RuVaEllipseArc2d&>(entity);
    double shift = 0.0;
    Handle(Geom2d_Curve) e = MakeEllipse(a, shift);
    // Kernel parameter = direction * (angle - shift).
    const double first = a.FirstParameter() - a.GetDirection() * shift;
    return Trim(e, first, first + a.GetSweepAngle());
  }
  case RuVaEntity2d::kBSplineCurve:
    return MakeBSpline(static_cast<const RuVaBSplineCurve2d&>(entity));
  case RuVaEntity2d::kPointSequence:
    return MakePolyline(static_cast<const RuVaArrayPnt2d&>(entity));
  default:
    return Handle(Geom2d_Curve)();
  }
}

bool IsInfinite(double u)
{
  return std::fabs(u) >= Precision::Infinite() * 0.5;
}

RuVaCurveEnt2d* LineToKc(const Handle(Geom2d_Line)& line, double u1, double u2)
{
  const gp_Pnt2d loc = line->Location();
  const gp_Dir2d dir = line->Direction();
  const bool inf1 = IsInfinite(u1), inf2 = IsInfinite(u2);
  if (inf1 && inf2)
    return new RuVaLine2d(KcOcConv::OcToKcPnt2d(loc), KcOcConv::OcToKcDir2d(dir));
  if (inf2)
    return new RuVaHalfLine2d(KcOcConv::OcToKcPnt2d(line->Value(u1)), KcOcConv::OcToKcDir2d(dir));
  if (inf1)
    return new RuVaHalfLine2d(KcOcConv::OcToKcPnt2d(line->Value(u2)), KcOcConv::OcToKcDir2d(dir.Reversed()));
  RuVaLineSeg2d* seg = new RuVaLineSeg2d(KcOcConv::OcToKcPnt2d(line->Value(u1)), KcOcConv::OcToKcPnt2d(line->Value(u2)));
  if (!seg->IsDone()) {
    delete seg;
    return nullptr;
  }
  return seg;
}

// Angle of the kernel's X axis, and the sign that turns kernel parameters into our angles.
void ConicFrame(const gp_Ax22d& ax, double& xAngle, int& direction)
{
  xAngle = std::atan2(ax.XDirection().Y(), ax.XDirection().X());
  const double cross = ax.XDirection().X() * ax.YDirection().Y() - ax.XDirection().Y() * ax.YDirection().X();
  direction = cross > 0.0 ? RuVa::kCounterClockwise : RuVa::kClockwise;
}

RuVaCurveEnt2d* CircleToKc(const Handle(Geom2d_Circle)& circle, bool trimmed, double u1, double u2)
{
  double xAngle = 0.0;
  int dir = 1;
  ConicFrame(circle->Position(), xAngle, dir);
  const RuVaPnt2d c = KcOcConv::OcToKcPnt2d(circle->Location());
  if (!trimmed)
    return new RuVaCircle2d(c, circle->Radius(), dir);
  // The kernel's point at u lies at the angle xAngle + dir * u; the sweep is taken as trimmed,
  // so that a full turn stays one and a tiny sweep stays tiny.
  RuVaArc2d* arc = new RuVaArc2d(c, circle->Radius(), 0.0, 0.0, dir);
  arc->SetStartAndSweep(xAngle + dir * u1, u2 - u1);
  return arc;
}

RuVaCurveEnt2d* EllipseToKc(const Handle(Geom2d_Ellipse)& ellipse, bool trimmed, double u1, double u2)
{
  const gp_Ax22d ax = ellipse->Position();
  double xAngle = 0.0;
  int dir = 1;
  ConicFrame(ax, xAngle, dir);
  const RuVaPnt2d c = KcOcConv::OcToKcPnt2d(ellipse->Location());
  const RuVaVec2d major(ax.XDirection().X(), ax.XDirection().Y());
  if (!trimmed)
    return new RuVaEllipse2d(c, major, ellipse->MajorRadius(), ellipse->MinorRadius(), dir);
  RuVaEllipseArc2d* arc = new RuVaEllipseArc2d(c, major, ellipse->MajorRadius(), ellipse->MinorRadius(), 0.0, 0.0, dir);
  arc->SetStartAndSweep(dir * u1, u2 - u1);
  return arc;
}

RuVaCurveEnt2d* BSplineToKc(const Handle(Geom2d_BSplineCurve)& s)
{
  KcArrayOfGePnt2d poles;
  for (int i = 1; i <= s->NbPoles(); ++i)
    poles.Add(KcOcConv::OcToKcPnt2d(s->Pole(i)));
  std::vector<double> weights, knots;
  std::vector<int> mults;
  if (s->IsRational())
    for (int i = 1; i <= s->NbPoles(); ++i)
      weights.push_back(s->Weight(i));
  for (int i = 1; i <= s->NbKnots(); ++i) {
    knots.push_back(s->Knot(i));
    mults.push_back(s->Multiplicity(i));
  }
  RuVaBSplineCurve2d* out = new RuVaBSplineCurve2d(poles, weights, knots, mults, s->Degree(), s->IsPeriodic());
  if (!out->IsDone()) {
    delete out;
    return nullptr;
  }
  return out;
}

RuVaCurveEnt2d* ToKc(const Handle(Geom2d_Curve)& curve)
{
  Handle(Geom2d_Curve) basis = curve;
  bool trimmed = false;
  double u1 = curve->FirstParameter(), u2 = curve->LastParameter();
  if (Handle(Geom2d_TrimmedCurve) t = Handle(Geom2d_TrimmedCurve)::DownCast(curve)) {
    basis = t->BasisCurve();
    trimmed = true;
  }
  if (Handle(Geom2d_Line) line = Handle(Geom2d_Line)::DownCast(basis))
    return LineToKc(line, u1, u2);
  if (Handle(Geom2d_Circle) circle = Handle(Geom2d_Circle)::DownCast(basis))
    return CircleToKc(circle, trimmed, u1, u2);
  if (Handle(Geom2d_Ellipse) ellipse = Handle(Geom2d_Ellipse)::DownCast(basis))
    return EllipseToKc(ellipse, trimmed, u1, u2);
  if (Handle(Geom2d_BSplineCurve) spline = Handle(Geom2d_BSplineCurve)::DownCast(basis)) {
    if (trimmed && (u1 > spline->FirstParameter() || u2 < spline->LastParameter())) {
      Handle(Geom2d_BSplineCurve) piece = Handle(Geom2d_BSplineCurve)::DownCast(spline->Copy());
      piece->Segment(u1, u2);
      return BSplineToKc(piece);
    }
    return BSplineToKc(spline);
  }
  // Bezier, offset and other bounded curves become B-splines.
  if (IsInfinite(u1) || IsInfinite(u2))
    return nullptr;
  Handle(Geom2d_BSplineCurve) spline = Geom2dConvert::CurveToBSplineCurve(curve);
  if (spline.IsNull())
    return nullptr;
  return BSplineToKc(spline);
}

}  // namespace

Handle(Geom2d_Curve) KcOcConv::ConvertToOcCurve(const RuVaEntity2d* entity)
{
  if (!entity || !entity->IsCurveEntity() || !entity->IsDone())
    return Handle(Geom2d_Curve)();
  try {
    return Convert(*entity);
  } catch (const Standard_Failure&) {
    return Handle(Geom2d_Curve)();
  }
}

RuVaCurveEnt2d* KcOcConv::ConvertToKcCurve(const Handle(Geom2d_Curve)& curve)
{
  if (curve.IsNull())
    return nullptr;
  try {
    RuVaCurveEnt2d* out = ToKc(curve);
    if (out && !out->IsDone()) {
      delete out;
      return nullptr;
    }
    return out;
  } catch (const Standard_Failure&) {
    return nullptr;
  }
}

namespace {

// The parameter shift between an ellipse and its kernel curve (see MakeEllipse).
double EllipseParameterShift(const RuVaEntity2d& entity)
{
  const int type = entity.GetEntityType();
  if (type != RuVaEntity2d::kEllipse && type != RuVaEntity2d::kEllipseArc)
    return 0.0;
  const RuVaEllipse2d& e = static_cast<const RuVaEllipse2d&>(entity);
  return e.GetMajorRadius() < e.GetMinorRadius() ? e.GetDirection() * RuVa::HalfPi : 0.0;
}

}  // namespace

double KcOcConv::OcToKcParameter(const RuVaEntity2d& entity, double kernelParameter)
{
  return kernelParameter + EllipseParameterShift(entity);
}

double KcOcConv::KcToOcParameter(const RuVaEntity2d& entity, double parameter)
{
  return parameter - EllipseParameterShift(entity);
}
