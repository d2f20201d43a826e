#include "libs/ruva/RuVaEllipseArc2d.h"

#include "platform/afx/CArchive.h"
#include <algorithm>
#include <cmath>

RuVaEllipseArc2d::RuVaEllipseArc2d(const RuVaPnt2d& centre, const RuVaVec2d& majorAxis, double majorRadius,
                                   double minorRadius, double startRadians, double endRadians, int direction)
    : RuVaEllipse2d(centre, majorAxis, majorRadius, minorRadius, direction)
{
  SetAngle(startRadians, endRadians);
}

void RuVaEllipseArc2d::SetAngle(double startRadians, double endRadians)
{
  m_start = RuVa::CorrectRadian(startRadians);
  m_sweep = RuVa::SweepAngle(startRadians, endRadians, m_direction);
}

void RuVaEllipseArc2d::SetStartAndSweep(double startRadians, double sweep)
{
  m_start = RuVa::CorrectRadian(startRadians);
  m_sweep = std::isfinite(sweep) ? std::min(sweep, RuVa::TwoPi) : 0.0;
}

void RuVaEllipseArc2d::SetDirection(int direction)
{
  const double end = GetEndAngle();
  RuVaEllipse2d::SetDirection(direction);
  SetAngle(m_start, end);
}

double RuVaEllipseArc2d::GetEndAngle() const
{
  return RuVa::CorrectRadian(m_start + m_direction * m_sweep);
}

double RuVaEllipseArc2d::GetCcwFromAngle() const
{
  return m_direction > 0 ? m_start : RuVa::CorrectRadian(m_start - m_sweep);
}

BOOL RuVaEllipseArc2d::ContainsAngle(double radians, double angularTolerance) const
{
  return RuVa::IsAngleInRange(radians, GetCcwFromAngle(), m_sweep, angularTolerance);
}

BOOL RuVaEllipseArc2d::IsDone() const
{
  return RuVaEllipse2d::IsDone() && std::isfinite(m_start) && m_sweep > 0.0;
}

BOOL RuVaEllipseArc2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kEllipseArc)
    return FALSE;
  const RuVaEllipseArc2d& o = static_cast<const RuVaEllipseArc2d&>(other);
  if (!m_centre.IsEqual(o.m_centre, tol.Linear()) || std::fabs(m_major - o.m_major) > tol.Linear() ||
      std::fabs(m_minor - o.m_minor) > tol.Linear())
    return FALSE;
  // Same axis: compare the covered angle ranges; opposite axis: the other's angles are shifted by pi.
  double offset = 0.0;
  if (m_axis.IsOpposite(o.m_axis, tol.Angular()))
    offset = RuVa::Pi;
  else if (!m_axis.IsParallel(o.m_axis, tol.Angular()))
    return FALSE;
  const double angTol = m_minor > 0.0 ? tol.Linear() / m_minor : 0.0;
  // Two full turns are the same whatever their start.
  if (m_sweep >= RuVa::TwoPi - angTol && o.m_sweep >= RuVa::TwoPi - angTol)
    return TRUE;
  const double dFrom =
      std::fabs(RuVa::CorrectRadian(GetCcwFromAngle() - (o.GetCcwFromAngle() + offset) + RuVa::Pi) - RuVa::Pi);
  return dFrom <= angTol && std::fabs(m_sweep - o.m_sweep) <= angTol;
}

BOOL RuVaEllipseArc2d::Transform(const RuVaGTrsf2d& t)
{
  double shift = 0.0;
  int sign = 1;
  if (!TransformEllipse(t, shift, sign))
    return FALSE;
  m_start = RuVa::CorrectRadian(sign * (m_start - shift));
  return TRUE;
}

RuVaBndBox2d RuVaEllipseArc2d::GetBndBox() const
{
  RuVaBndBox2d box;
  if (!IsDone())
    return box;
  box.Add(GetAnglePoint(m_start));
  box.Add(GetAnglePoint(GetEndAngle()));
  // x(t) = a cos t Xx - b sin t Xy has its extremes where tan t = -b Xy / (a Xx); y likewise.
  const double tx = std::atan2(-m_minor * m_axis.Y(), m_major * m_axis.X());
  const double ty = std::atan2(m_minor * m_axis.X(), m_major * m_axis.Y());
  const double from = GetCcwFromAngle();
  for (double a : {tx, tx + RuVa::Pi, ty, ty + RuVa::Pi})
    if (RuVa::IsAngleInRange(a, from, m_sweep, 0.0))
      box.Add(GetAnglePoint(a));
  return box;
}

double RuVaEllipseArc2d::FirstParameter() const
{
  return m_direction > 0 ? m_start : RuVa::CorrectRadian(-m_start);
}

RuVaCurveEnt2d* RuVaEllipseArc2d::CreateBasisCurve() const
{
  RuVaEllipse2d* e = new RuVaEllipse2d(m_centre, m_axis.Vec(), m_major, m_minor, m_direction);
  return e;
}

void RuVaEllipseArc2d::Serialize(CArchive& ar)
{
  RuVaEllipse2d::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_start << m_sweep;
  } else {
    double start = 0.0, sweep = 0.0;
    ar >> start >> sweep;
    SetStartAndSweep(start, sweep);
  }
}
