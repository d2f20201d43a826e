#include "libs/ruva/RuVaPnt2d.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaVec2d.h"

const RuVaPnt2d RuVaPnt2d::kOrigin(0.0, 0.0);

BOOL RuVaPnt2d::IsFinite() const
{
  return std::isfinite(m_x) && std::isfinite(m_y);
}

double RuVaPnt2d::Distance(const RuVaPnt2d& other) const
{
  return RuVa::Hypot(m_x - other.m_x, m_y - other.m_y);
}

double RuVaPnt2d::AngleX(const RuVaPnt2d& other) const
{
  const double dx = other.m_x - m_x;
  const double dy = other.m_y - m_y;
  if (dx == 0.0 && dy == 0.0)
    return 0.0;
  return std::atan2(dy, dx);
}

void RuVaPnt2d::Rotate(const RuVaPnt2d& centre, double radians)
{
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const double dx = m_x - centre.m_x;
  const double dy = m_y - centre.m_y;
  m_x = centre.m_x + dx * c - dy * s;
  m_y = centre.m_y + dx * s + dy * c;
}

void RuVaPnt2d::Translate(const RuVaVec2d& v)
{
  m_x += v.X();
  m_y += v.Y();
}

RuVaPnt2d RuVaPnt2d::Translated(const RuVaVec2d& v) const
{
  return RuVaPnt2d(m_x + v.X(), m_y + v.Y());
}

void RuVaPnt2d::Scale(const RuVaPnt2d& centre, double factor)
{
  m_x = centre.m_x + (m_x - centre.m_x) * factor;
  m_y = centre.m_y + (m_y - centre.m_y) * factor;
}

void RuVaPnt2d::Mirror(const RuVaPnt2d& centre)
{
  m_x = 2.0 * centre.m_x - m_x;
  m_y = 2.0 * centre.m_y - m_y;
}

void RuVaPnt2d::Transform(const RuVaGTrsf2d& t)
{
  t.Transforms(m_x, m_y);
}

RuVaPnt2d RuVaPnt2d::Transformed(const RuVaGTrsf2d& t) const
{
  RuVaPnt2d p(*this);
  p.Transform(t);
  return p;
}

CArchive& operator<<(CArchive& ar, const RuVaPnt2d& v)
{
  return ar << v.X() << v.Y();
}

CArchive& operator>>(CArchive& ar, RuVaPnt2d& v)
{
  double x = 0.0, y = 0.0;
  ar >> x >> y;
  v.SetCoord(x, y);
  return ar;
}
