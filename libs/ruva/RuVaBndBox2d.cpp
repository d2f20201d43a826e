#include "libs/ruva/RuVaBndBox2d.h"

#include <algorithm>
#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "libs/ruva/RuVaGTrsf2d.h"

RuVaBndBox2d::RuVaBndBox2d(const RuVaPnt2d& a, const RuVaPnt2d& b)
{
  Add(a);
  Add(b);
}

void RuVaBndBox2d::SetVoid()
{
  m_void = true;
  m_xmin = m_ymin = m_xmax = m_ymax = 0.0;
}

void RuVaBndBox2d::Set(const RuVaPnt2d& p)
{
  SetVoid();
  Add(p);
}

void RuVaBndBox2d::Update(double x, double y)
{
  if (!std::isfinite(x) || !std::isfinite(y))
    return;
  if (m_void) {
    m_xmin = m_xmax = x;
    m_ymin = m_ymax = y;
    m_void = false;
    return;
  }
  m_xmin = std::min(m_xmin, x);
  m_xmax = std::max(m_xmax, x);
  m_ymin = std::min(m_ymin, y);
  m_ymax = std::max(m_ymax, y);
}

void RuVaBndBox2d::Update(double xmin, double ymin, double xmax, double ymax)
{
  Update(xmin, ymin);
  Update(xmax, ymax);
}

void RuVaBndBox2d::Add(const RuVaBndBox2d& other)
{
  if (other.m_void)
    return;
  Update(other.XMin(), other.YMin(), other.XMax(), other.YMax());
}

void RuVaBndBox2d::Enlarge(double tolerance)
{
  m_gap = std::max(m_gap, std::fabs(tolerance));
}

BOOL RuVaBndBox2d::Get(double& xmin, double& ymin, double& xmax, double& ymax) const
{
  if (m_void)
    return FALSE;
  xmin = XMin();
  ymin = YMin();
  xmax = XMax();
  ymax = YMax();
  return TRUE;
}

RuVaPnt2d RuVaBndBox2d::Center() const
{
  if (m_void)
    return RuVaPnt2d::kOrigin;
  return RuVaPnt2d(m_xmin + (m_xmax - m_xmin) * 0.5, m_ymin + (m_ymax - m_ymin) * 0.5);
}

BOOL RuVaBndBox2d::IsOut(const RuVaPnt2d& p) const
{
  if (m_void)
    return TRUE;
  return p.X() < XMin() || p.X() > XMax() || p.Y() < YMin() || p.Y() > YMax() || !p.IsFinite();
}

BOOL RuVaBndBox2d::IsOut(const RuVaBndBox2d& other) const
{
  if (m_void || other.m_void)
    return TRUE;
  const double delta = m_gap + other.m_gap;
  return other.m_xmax < m_xmin - delta || other.m_xmin > m_xmax + delta || other.m_ymax < m_ymin - delta ||
         other.m_ymin > m_ymax + delta;
}

BOOL RuVaBndBox2d::Contains(const RuVaBndBox2d& other) const
{
  if (m_void || other.m_void)
    return FALSE;
  return other.XMin() >= XMin() && other.XMax() <= XMax() && other.YMin() >= YMin() && other.YMax() <= YMax();
}

RuVaBndBox2d RuVaBndBox2d::Transformed(const RuVaGTrsf2d& t) const
{
  RuVaBndBox2d out;
  if (m_void)
    return out;
  const RuVaPnt2d corners[4] = {RuVaPnt2d(m_xmin, m_ymin), RuVaPnt2d(m_xmax, m_ymin), RuVaPnt2d(m_xmax, m_ymax),
                                RuVaPnt2d(m_xmin, m_ymax)};
  for (const RuVaPnt2d& c : corners)
    out.Add(c.Transformed(t));
  // A gap is a distance in every direction: after the transform it becomes the longest image of a
  // vector of that length, bounded by the sum of the absolute matrix entries of each row.
  if (m_gap > 0.0) {
    const double sx = std::fabs(t.Value(1, 1)) + std::fabs(t.Value(1, 2));
    const double sy = std::fabs(t.Value(2, 1)) + std::fabs(t.Value(2, 2));
    out.SetGap(m_gap * std::max(sx, sy));
  }
  return out;
}

bool RuVaBndBox2d::operator==(const RuVaBndBox2d& o) const
{
  if (m_void != o.m_void || m_gap != o.m_gap)
    return false;
  return m_void || (m_xmin == o.m_xmin && m_ymin == o.m_ymin && m_xmax == o.m_xmax && m_ymax == o.m_ymax);
}

CArchive& operator<<(CArchive& ar, const RuVaBndBox2d& v)
{
  ar << static_cast<BYTE>(v.IsVoid() ? 1 : 0) << v.GetGap();
  if (!v.IsVoid())
    ar << v.m_xmin << v.m_ymin << v.m_xmax << v.m_ymax;
  return ar;
}

CArchive& operator>>(CArchive& ar, RuVaBndBox2d& v)
{
  BYTE isVoid = 1;
  double gap = 0.0;
  ar >> isVoid >> gap;
  if (isVoid > 1)
    ar.ThrowArchiveException(CArchiveException::generic);
  RuVaBndBox2d box;
  if (!isVoid) {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    ar >> x0 >> y0 >> x1 >> y1;
    box.Update(x0, y0, x1, y1);
  }
  box.SetGap(gap);
  v = box;
  return ar;
}
