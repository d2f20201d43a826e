#include "libs/ruva/RuVaLine2d.h"

#include "platform/afx/CArchive.h"
#include <cmath>

#include "libs/ruva/RuVaGTrsf2d.h"

BOOL RuVaLine2d::Set(const RuVaPnt2d& location, const RuVaVec2d& direction)
{
  RuVaDir2d d;
  if (!location.IsFinite() || !d.Set(direction.X(), direction.Y()))
    return FALSE;
  m_location = location;
  m_direction = d;
  return TRUE;
}

BOOL RuVaLine2d::Set(const RuVaPnt2d& from, const RuVaPnt2d& to)
{
  return Set(from, RuVaVec2d(from, to));
}

double RuVaLine2d::Parameter(const RuVaPnt2d& p) const
{
  return (p.X() - m_location.X()) * m_direction.X() + (p.Y() - m_location.Y()) * m_direction.Y();
}

RuVaPnt2d RuVaLine2d::Project(const RuVaPnt2d& p) const
{
  return Value(Parameter(p));
}

double RuVaLine2d::SignedDistance(const RuVaPnt2d& p) const
{
  return m_direction.X() * (p.Y() - m_location.Y()) - m_direction.Y() * (p.X() - m_location.X());
}

double RuVaLine2d::Distance(const RuVaPnt2d& p) const
{
  return std::fabs(SignedDistance(p));
}

BOOL RuVaLine2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kLine)
    return FALSE;
  const RuVaLine2d& o = static_cast<const RuVaLine2d&>(other);
  if (!m_direction.IsParallel(o.m_direction, tol.Angular()) && !m_direction.IsOpposite(o.m_direction, tol.Angular()))
    return FALSE;
  return Distance(o.m_location) <= tol.Linear();
}

BOOL RuVaLine2d::Transform(const RuVaGTrsf2d& t)
{
  if (t.IsSingular())
    return FALSE;
  RuVaVec2d d = t.Transformed(m_direction.Vec());
  RuVaDir2d nd;
  if (!nd.Set(d.X(), d.Y()))
    return FALSE;
  m_location = t.Transformed(m_location);
  m_direction = nd;
  return TRUE;
}

namespace {

// One coordinate of location + u * direction at u = +-infinity, kept within the infinite bound.
double FarCoordinate(double origin, double dir, double sign)
{
  if (dir == 0.0)
    return origin;
  return (dir * sign) > 0.0 ? RuVa::Infinite() : -RuVa::Infinite();
}

}  // namespace

RuVaBndBox2d RuVaLine2d::GetBndBox() const
{
  RuVaBndBox2d box;
  if (!IsDone())
    return box;
  box.Update(FarCoordinate(m_location.X(), m_direction.X(), -1.0), FarCoordinate(m_location.Y(), m_direction.Y(), -1.0));
  box.Update(FarCoordinate(m_location.X(), m_direction.X(), 1.0), FarCoordinate(m_location.Y(), m_direction.Y(), 1.0));
  return box;
}

BOOL RuVaLine2d::D0(double u, RuVaPnt2d& p) const
{
  if (!std::isfinite(u))
    return FALSE;
  p = Value(u);
  return TRUE;
}

BOOL RuVaLine2d::D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const
{
  if (!D0(u, p))
    return FALSE;
  d1 = m_direction.Vec();
  return TRUE;
}

void RuVaLine2d::Serialize(CArchive& ar)
{
  if (ar.IsStoring())
    ar << m_location << m_direction;
  else
    ar >> m_location >> m_direction;
}
