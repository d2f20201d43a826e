#include "libs/ruva/RuVaLineSeg2d.h"

#include "platform/afx/CArchive.h"
#include <cmath>

#include "libs/ruva/RuVaGTrsf2d.h"

BOOL RuVaLineSeg2d::GetDirection(RuVaDir2d& d) const
{
  return d.Set(m_end.X() - m_start.X(), m_end.Y() - m_start.Y());
}

BOOL RuVaLineSeg2d::IsDone() const
{
  return m_start.IsFinite() && m_end.IsFinite() && Length() > RuVa::Resolution();
}

BOOL RuVaLineSeg2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kLineSeg)
    return FALSE;
  const RuVaLineSeg2d& o = static_cast<const RuVaLineSeg2d&>(other);
  const double t = tol.Linear();
  return (m_start.IsEqual(o.m_start, t) && m_end.IsEqual(o.m_end, t)) ||
         (m_start.IsEqual(o.m_end, t) && m_end.IsEqual(o.m_start, t));
}

BOOL RuVaLineSeg2d::Transform(const RuVaGTrsf2d& t)
{
  m_start.Transform(t);
  m_end.Transform(t);
  return TRUE;
}

RuVaBndBox2d RuVaLineSeg2d::GetBndBox() const
{
  RuVaBndBox2d box;
  if (m_start.IsFinite() && m_end.IsFinite()) {
    box.Add(m_start);
    box.Add(m_end);
  }
  return box;
}

BOOL RuVaLineSeg2d::D0(double u, RuVaPnt2d& p) const
{
  if (!std::isfinite(u) || !m_start.IsFinite() || !m_end.IsFinite())
    return FALSE;
  const double len = Length();
  // The ends come back exactly, whatever rounding the length carries.
  if (u == 0.0 || len == 0.0) {
    p = m_start;
    return TRUE;
  }
  if (u == len) {
    p = m_end;
    return TRUE;
  }
  const double f = u / len;
  p.SetCoord(m_start.X() + f * (m_end.X() - m_start.X()), m_start.Y() + f * (m_end.Y() - m_start.Y()));
  return TRUE;
}

BOOL RuVaLineSeg2d::D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const
{
  RuVaDir2d d;
  if (!GetDirection(d) || !D0(u, p))
    return FALSE;
  d1 = d.Vec();
  return TRUE;
}

RuVaCurveEnt2d* RuVaLineSeg2d::CreateBasisCurve() const
{
  RuVaLine2d line;
  if (!GetLine(line))
    return nullptr;
  return line.Clone();
}

void RuVaLineSeg2d::Serialize(CArchive& ar)
{
  if (ar.IsStoring())
    ar << m_start << m_end;
  else
    ar >> m_start >> m_end;
}
