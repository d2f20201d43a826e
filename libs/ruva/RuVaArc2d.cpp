#include "libs/ruva/RuVaArc2d.h"

#include "platform/afx/CArchive.h"
#include <algorithm>
#include <cmath>

#include "libs/ruva/RuVaGTrsf2d.h"

RuVaArc2d::RuVaArc2d(const RuVaPnt2d& centre, double radius, double startRadians, double endRadians, int direction)
    : RuVaCircle2d(centre, radius, direction)
{
  SetAngle(startRadians, endRadians);
}

void RuVaArc2d::SetAngle(double startRadians, double endRadians)
{
  m_start = RuVa::CorrectRadian(startRadians);
  m_sweep = RuVa::SweepAngle(startRadians, endRadians, m_direction);
}

void RuVaArc2d::SetStartAndSweep(double startRadians, double sweep)
{
  m_start = RuVa::CorrectRadian(startRadians);
  m_sweep = std::isfinite(sweep) ? std::min(sweep, RuVa::TwoPi) : 0.0;
}

void RuVaArc2d::SetDirection(int direction)
{
  // Keeps the start and end angles; the arc then runs the other way round between them.
  const double end = GetEndAngle();
  RuVaCircle2d::SetDirection(direction);
  SetAngle(m_start, end);
}

double RuVaArc2d::GetEndAngle() const
{
  return RuVa::CorrectRadian(m_start + m_direction * m_sweep);
}

double RuVaArc2d::GetCcwFromAngle() const
{
  return m_direction > 0 ? m_start : RuVa::CorrectRadian(m_start - m_sweep);
}

BOOL RuVaArc2d::ContainsAngle(double radians, double angularTolerance) const
{
  return RuVa::IsAngleInRange(radians, GetCcwFromAngle(), m_sweep, angularTolerance);
}

BOOL RuVaArc2d::IsDone() const
{
  return RuVaCircle2d::IsDone() && std::isfinite(m_start) && m_sweep > 0.0;
}

BOOL RuVaArc2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kArc)
    return FALSE;
  const RuVaArc2d& o = static_cast<const RuVaArc2d&>(other);
  if (!m_centre.IsEqual(o.m_centre, tol.Linear()) || std::fabs(m_radius - o.m_radius) > tol.Linear())
    return FALSE;
  const double angTol = m_radius > 0.0 ? tol.Linear() / m_radius : 0.0;
  // Two full turns are the same whatever their start.
  if (m_sweep >= RuVa::TwoPi - angTol && o.m_sweep >= RuVa::TwoPi - angTol)
    return TRUE;
  const double dFrom = std::fabs(RuVa::CorrectRadian(GetCcwFromAngle() - o.GetCcwFromAngle() + RuVa::Pi) - RuVa::Pi);
  return dFrom <= angTol && std::fabs(m_sweep - o.m_sweep) <= angTol;
}

BOOL RuVaArc2d::Transform(const RuVaGTrsf2d& t)
{
  if (!t.IsSimilarity() || t.IsSingular())
    return FALSE;
  RuVaPnt2d start = GetAnglePoint(m_start);
  const double sweep = m_sweep;
  if (!RuVaCircle2d::Transform(t))
    return FALSE;
  start.Transform(t);
  // The sweep is kept as it was so that a full turn stays one.
  m_start = RuVa::CorrectRadian(m_centre.AngleX(start));
  m_sweep = sweep;
  return TRUE;
}

RuVaBndBox2d RuVaArc2d::GetBndBox() const
{
  RuVaBndBox2d box;
  if (!IsDone())
    return box;
  box.Add(GetAnglePoint(m_start));
  box.Add(GetAnglePoint(GetEndAngle()));
  const double from = GetCcwFromAngle();
  for (int k = 0; k < 4; ++k) {
    const double a = k * RuVa::HalfPi;
    if (RuVa::IsAngleInRange(a, from, m_sweep, 0.0))
      box.Add(GetAnglePoint(a));
  }
  return box;
}

double RuVaArc2d::FirstParameter() const
{
  return m_direction > 0 ? m_start : RuVa::CorrectRadian(-m_start);
}

void RuVaArc2d::Serialize(CArchive& ar)
{
  RuVaCircle2d::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_start << m_sweep;
  } else {
    double start = 0.0, sweep = 0.0;
    ar >> start >> sweep;
    SetStartAndSweep(start, sweep);
  }
}
