#include "libs/ruva/RuVaEllipse2d.h"

#include "platform/afx/CArchive.h"
#include <cmath>

#include "libs/ruva/RuVaGTrsf2d.h"

RuVaEllipse2d::RuVaEllipse2d(const RuVaPnt2d& centre, const RuVaVec2d& majorAxis, double majorRadius,
                             double minorRadius, int direction)
    : m_centre(centre), m_major(majorRadius), m_minor(minorRadius), m_direction(RuVa::NormalizeDirection(direction))
{
  SetMajorAxis(majorAxis);
}

BOOL RuVaEllipse2d::SetMajorAxis(const RuVaVec2d& v)
{
  m_axisValid = m_axis.Set(v.X(), v.Y());
  return m_axisValid;
}

RuVaPnt2d RuVaEllipse2d::GetAnglePoint(double radians) const
{
  const double c = std::cos(radians), s = std::sin(radians);
  const double x = m_major * c, y = m_minor * s;
  return RuVaPnt2d(m_centre.X() + x * m_axis.X() - y * m_axis.Y(), m_centre.Y() + x * m_axis.Y() + y * m_axis.X());
}

RuVaPnt2d RuVaEllipse2d::GetAnglePoint(const RuVaPnt2d& centre, const RuVaVec2d& majorAxis, double majorRadius,
                                       double minorRadius, double radians)
{
  return RuVaEllipse2d(centre, majorAxis, majorRadius, minorRadius).GetAnglePoint(radians);
}

BOOL RuVaEllipse2d::IsDone() const
{
  return m_axisValid && m_centre.IsFinite() && std::isfinite(m_major) && std::isfinite(m_minor) &&
         m_major > RuVa::Resolution() && m_minor > RuVa::Resolution();
}

BOOL RuVaEllipse2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kEllipse)
    return FALSE;
  const RuVaEllipse2d& o = static_cast<const RuVaEllipse2d&>(other);
  if (!m_centre.IsEqual(o.m_centre, tol.Linear()) || std::fabs(m_major - o.m_major) > tol.Linear() ||
      std::fabs(m_minor - o.m_minor) > tol.Linear())
    return FALSE;
  // A major axis pointing the other way gives the same ellipse.
  return m_axis.IsParallel(o.m_axis, tol.Angular()) || m_axis.IsOpposite(o.m_axis, tol.Angular());
}

BOOL RuVaEllipse2d::TransformEllipse(const RuVaGTrsf2d& t, double& shift, int& sign)
{
  if (t.IsSingular() || !IsDone())
    return FALSE;
  // Conjugate semi-diameters U and V of the image; its axes lie at the angle t0 that makes them
  // perpendicular, with the longer one at t0 itself.
  const RuVaVec2d u = t.Transformed(RuVaVec2d(m_axis.X(), m_axis.Y()) * m_major);
  const RuVaVec2d v = t.Transformed(RuVaVec2d(-m_axis.Y(), m_axis.X()) * m_minor);
  const double t0 = 0.5 * std::atan2(2.0 * u.Dot(v), u.SquareMagnitude() - v.SquareMagnitude());
  const double c = std::cos(t0), s = std::sin(t0);
  const RuVaVec2d a = u * c + v * s;
  const RuVaVec2d b = v * c - u * s;
  RuVaDir2d axis;
  if (!axis.Set(a.X(), a.Y()))
    return FALSE;
  sign = a.Crossed(b) >= 0.0 ? 1 : -1;
  shift = t0;
  m_centre.Transform(t);
  m_axis = axis;
  m_major = a.Magnitude();
  m_minor = b.Magnitude();
  m_direction *= sign;
  return TRUE;
}

BOOL RuVaEllipse2d::Transform(const RuVaGTrsf2d& t)
{
  double shift = 0.0;
  int sign = 1;
  return TransformEllipse(t, shift, sign);
}

RuVaBndBox2d RuVaEllipse2d::GetBndBox() const
{
  RuVaBndBox2d box;
  if (!IsDone())
    return box;
  const double hx = std::hypot(m_major * m_axis.X(), m_minor * m_axis.Y());
  const double hy = std::hypot(m_major * m_axis.Y(), m_minor * m_axis.X());
  box.Update(m_centre.X() - hx, m_centre.Y() - hy, m_centre.X() + hx, m_centre.Y() + hy);
  return box;
}

BOOL RuVaEllipse2d::D0(double u, RuVaPnt2d& p) const
{
  if (!std::isfinite(u) || !IsDone())
    return FALSE;
  p = GetAnglePoint(AngleOfParameter(u));
  return TRUE;
}

BOOL RuVaEllipse2d::D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const
{
  if (!D0(u, p))
    return FALSE;
  // d/du of centre + a cos u X + dir b sin u Y
  const double dx = -m_major * std::sin(u), dy = m_direction * m_minor * std::cos(u);
  d1.SetCoord(dx * m_axis.X() - dy * m_axis.Y(), dx * m_axis.Y() + dy * m_axis.X());
  return TRUE;
}

void RuVaEllipse2d::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar << m_centre << m_axis << m_major << m_minor << m_direction;
  } else {
    int direction = 1;
    ar >> m_centre >> m_axis >> m_major >> m_minor >> direction;
    m_direction = RuVa::NormalizeDirection(direction);
    m_axisValid = true;
  }
}
