#include "libs/ruva/RuVaArrayPnt2d.h"

#include "platform/afx/CArchive.h"
#include <cmath>

BOOL RuVaArrayPnt2d::IsDone() const
{
  if (m_points.GetSize() < 2)
    return FALSE;
  for (const RuVaPnt2d& p : m_points)
    if (!p.IsFinite())
      return FALSE;
  return TRUE;
}

BOOL RuVaArrayPnt2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kPointSequence)
    return FALSE;
  const KcArrayOfGePnt2d& o = static_cast<const RuVaArrayPnt2d&>(other).m_points;
  if (m_points.IsEqual(o, tol.Linear()))
    return TRUE;
  KcArrayOfGePnt2d reversed(o);
  reversed.Reverse();
  return m_points.IsEqual(reversed, tol.Linear());
}

BOOL RuVaArrayPnt2d::Transform(const RuVaGTrsf2d& t)
{
  m_points.Transform(t);
  return TRUE;
}

BOOL RuVaArrayPnt2d::Locate(double u, INT_PTR& index, double& fraction) const
{
  const INT_PTR n = m_points.GetSize();
  if (n < 2 || !std::isfinite(u))
    return FALSE;
  const double last = static_cast<double>(n - 1);
  const double slack = 1e-9;
  if (u < -slack || u > last + slack)
    return FALSE;
  if (u <= 0.0) {
    index = 0;
    fraction = 0.0;
    return TRUE;
  }
  if (u >= last) {
    index = n - 2;
    fraction = 1.0;
    return TRUE;
  }
  const double f = std::floor(u);
  index = static_cast<INT_PTR>(f);
  fraction = u - f;
  return TRUE;
}

BOOL RuVaArrayPnt2d::D0(double u, RuVaPnt2d& p) const
{
  INT_PTR i = 0;
  double f = 0.0;
  if (!Locate(u, i, f))
    return FALSE;
  const RuVaPnt2d& a = m_points[i];
  const RuVaPnt2d& b = m_points[i + 1];
  if (f == 0.0)
    p = a;
  else if (f == 1.0)
    p = b;
  else
    p.SetCoord(a.X() + f * (b.X() - a.X()), a.Y() + f * (b.Y() - a.Y()));
  return TRUE;
}

BOOL RuVaArrayPnt2d::D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const
{
  INT_PTR i = 0;
  double f = 0.0;
  if (!Locate(u, i, f) || !D0(u, p))
    return FALSE;
  d1 = RuVaVec2d(m_points[i], m_points[i + 1]);
  return TRUE;
}

void RuVaArrayPnt2d::Serialize(CArchive& ar)
{
  if (ar.IsStoring())
    ar << m_points;
  else
    ar >> m_points;
}
