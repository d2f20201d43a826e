#include "libs/ruva/RuVaCircle2d.h"

#include "platform/afx/CArchive.h"
#include <cmath>

#include "libs/ruva/RuVaGTrsf2d.h"

RuVaPnt2d RuVaCircle2d::GetAnglePoint(const RuVaPnt2d& centre, double radius, double radians)
{
  return RuVaPnt2d(centre.X() + radius * std::cos(radians), centre.Y() + radius * std::sin(radians));
}

double RuVaCircle2d::AngleOfPoint(const RuVaPnt2d& p) const
{
  return RuVa::CorrectRadian(m_centre.AngleX(p));
}

BOOL RuVaCircle2d::IsDone() const
{
  return m_centre.IsFinite() && std::isfinite(m_radius) && m_radius > RuVa::Resolution();
}

BOOL RuVaCircle2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kCircle)
    return FALSE;
  const RuVaCircle2d& o = static_cast<const RuVaCircle2d&>(other);
  return m_centre.IsEqual(o.m_centre, tol.Linear()) && std::fabs(m_radius - o.m_radius) <= tol.Linear();
}

BOOL RuVaCircle2d::Transform(const RuVaGTrsf2d& t)
{
  if (!t.IsSimilarity() || t.IsSingular())
    return FALSE;
  m_centre.Transform(t);
  m_radius *= t.ScaleFactor();
  if (t.IsMirroring())
    m_direction = -m_direction;
  return TRUE;
}

RuVaBndBox2d RuVaCircle2d::GetBndBox() const
{
  RuVaBndBox2d box;
  if (IsDone())
    box.Update(m_centre.X() - m_radius, m_centre.Y() - m_radius, m_centre.X() + m_radius, m_centre.Y() + m_radius);
  return box;
}

BOOL RuVaCircle2d::D0(double u, RuVaPnt2d& p) const
{
  if (!std::isfinite(u) || !IsDone())
    return FALSE;
  p.SetCoord(m_centre.X() + m_radius * std::cos(u), m_centre.Y() + m_direction * m_radius * std::sin(u));
  return TRUE;
}

BOOL RuVaCircle2d::D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const
{
  if (!D0(u, p))
    return FALSE;
  d1.SetCoord(-m_radius * std::sin(u), m_direction * m_radius * std::cos(u));
  return TRUE;
}

void RuVaCircle2d::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar << m_centre << m_radius << m_direction;
  } else {
    int direction = 1;
    ar >> m_centre >> m_radius >> direction;
    m_direction = RuVa::NormalizeDirection(direction);
  }
}
