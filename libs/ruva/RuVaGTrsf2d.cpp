#include "libs/ruva/RuVaGTrsf2d.h"

#include <algorithm>
#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVaVec2d.h"

RuVaGTrsf2d::RuVaGTrsf2d(double a11, double a12, double a13, double a21, double a22, double a23)
    : m_a{a11, a12, a13, a21, a22, a23}
{
}

void RuVaGTrsf2d::SetIdentity()
{
  *this = RuVaGTrsf2d();
}

void RuVaGTrsf2d::SetTranslation(const RuVaVec2d& v)
{
  *this = RuVaGTrsf2d(1.0, 0.0, v.X(), 0.0, 1.0, v.Y());
}

void RuVaGTrsf2d::SetTranslation(const RuVaPnt2d& from, const RuVaPnt2d& to)
{
  SetTranslation(RuVaVec2d(from, to));
}

void RuVaGTrsf2d::SetRotation(const RuVaPnt2d& centre, double radians)
{
  const double c = std::cos(radians), s = std::sin(radians);
  // p' = centre + R (p - centre)
  *this = RuVaGTrsf2d(c, -s, centre.X() - c * centre.X() + s * centre.Y(), s, c,
                      centre.Y() - s * centre.X() - c * centre.Y());
}

void RuVaGTrsf2d::SetScale(const RuVaPnt2d& centre, double factor)
{
  SetScale(centre, factor, factor);
}

void RuVaGTrsf2d::SetScale(const RuVaPnt2d& centre, double factorX, double factorY)
{
  *this = RuVaGTrsf2d(factorX, 0.0, centre.X() * (1.0 - factorX), 0.0, factorY, centre.Y() * (1.0 - factorY));
}

void RuVaGTrsf2d::SetMirror(const RuVaPnt2d& centre)
{
  SetScale(centre, -1.0);
}

BOOL RuVaGTrsf2d::SetMirror(const RuVaPnt2d& a, const RuVaPnt2d& b)
{
  RuVaVec2d d(a, b);
  if (!d.Normalize()) {
    SetIdentity();
    return FALSE;
  }
  // Reflection matrix 2 d d^T - I about the line through a.
  const double m11 = 2.0 * d.X() * d.X() - 1.0;
  const double m12 = 2.0 * d.X() * d.Y();
  const double m22 = 2.0 * d.Y() * d.Y() - 1.0;
  *this = RuVaGTrsf2d(m11, m12, a.X() - m11 * a.X() - m12 * a.Y(), m12, m22, a.Y() - m12 * a.X() - m22 * a.Y());
  return TRUE;
}

double RuVaGTrsf2d::Value(int row, int col) const
{
  if (row < 1 || row > 2 || col < 1 || col > 3)
    return 0.0;
  return m_a[(row - 1) * 3 + (col - 1)];
}

void RuVaGTrsf2d::SetValue(int row, int col, double value)
{
  if (row < 1 || row > 2 || col < 1 || col > 3)
    return;
  m_a[(row - 1) * 3 + (col - 1)] = value;
}

BOOL RuVaGTrsf2d::IsSingular() const
{
  // Relative to the size of the linear part, so that tiny but regular scales still invert.
  const double norm = std::max({std::fabs(m_a[0]), std::fabs(m_a[1]), std::fabs(m_a[3]), std::fabs(m_a[4])});
  if (!(norm > 0.0) || !std::isfinite(norm))
    return TRUE;
  return std::fabs(Determinant()) <= 1e-14 * norm * norm;
}

BOOL RuVaGTrsf2d::IsIdentity(double tolerance) const
{
  static const double id[6] = {1.0, 0.0, 0.0, 0.0, 1.0, 0.0};
  for (int i = 0; i < 6; ++i)
    if (!(std::fabs(m_a[i] - id[i]) <= tolerance))
      return FALSE;
  return TRUE;
}

BOOL RuVaGTrsf2d::IsSimilarity(double tolerance) const
{
  // Columns of equal length and at right angles.
  const double c1 = std::hypot(m_a[0], m_a[3]);
  const double c2 = std::hypot(m_a[1], m_a[4]);
  if (!(c1 > 0.0) || !(c2 > 0.0))
    return FALSE;
  const double dot = m_a[0] * m_a[1] + m_a[3] * m_a[4];
  return std::fabs(c1 - c2) <= tolerance * std::max(c1, c2) && std::fabs(dot) <= tolerance * c1 * c2;
}

double RuVaGTrsf2d::ScaleFactor() const
{
  return std::sqrt(std::fabs(Determinant()));
}

void RuVaGTrsf2d::Multiply(const RuVaGTrsf2d& right)
{
  *this = Multiplied(right);
}

void RuVaGTrsf2d::PreMultiply(const RuVaGTrsf2d& left)
{
  *this = left.Multiplied(*this);
}

RuVaGTrsf2d RuVaGTrsf2d::Multiplied(const RuVaGTrsf2d& r) const
{
  const double* a = m_a;
  const double* b = r.m_a;
  return RuVaGTrsf2d(a[0] * b[0] + a[1] * b[3], a[0] * b[1] + a[1] * b[4], a[0] * b[2] + a[1] * b[5] + a[2],
                     a[3] * b[0] + a[4] * b[3], a[3] * b[1] + a[4] * b[4], a[3] * b[2] + a[4] * b[5] + a[5]);
}

BOOL RuVaGTrsf2d::Invert()
{
  RuVaGTrsf2d inv;
  if (!Inverted(inv))
    return FALSE;
  *this = inv;
  return TRUE;
}

BOOL RuVaGTrsf2d::Inverted(RuVaGTrsf2d& out) const
{
  if (IsSingular())
    return FALSE;
  const double det = Determinant();
  const double i11 = m_a[4] / det, i12 = -m_a[1] / det;
  const double i21 = -m_a[3] / det, i22 = m_a[0] / det;
  out = RuVaGTrsf2d(i11, i12, -(i11 * m_a[2] + i12 * m_a[5]), i21, i22, -(i21 * m_a[2] + i22 * m_a[5]));
  return TRUE;
}

void RuVaGTrsf2d::Transforms(double& x, double& y) const
{
  const double nx = m_a[0] * x + m_a[1] * y + m_a[2];
  const double ny = m_a[3] * x + m_a[4] * y + m_a[5];
  x = nx;
  y = ny;
}

RuVaPnt2d RuVaGTrsf2d::Transformed(const RuVaPnt2d& p) const
{
  double x = p.X(), y = p.Y();
  Transforms(x, y);
  return RuVaPnt2d(x, y);
}

RuVaVec2d RuVaGTrsf2d::Transformed(const RuVaVec2d& v) const
{
  return RuVaVec2d(m_a[0] * v.X() + m_a[1] * v.Y(), m_a[3] * v.X() + m_a[4] * v.Y());
}

bool RuVaGTrsf2d::operator==(const RuVaGTrsf2d& o) const
{
  return std::equal(m_a, m_a + 6, o.m_a);
}

CArchive& operator<<(CArchive& ar, const RuVaGTrsf2d& v)
{
  for (int row = 1; row <= 2; ++row)
    for (int col = 1; col <= 3; ++col)
      ar << v.Value(row, col);
  return ar;
}

CArchive& operator>>(CArchive& ar, RuVaGTrsf2d& v)
{
  RuVaGTrsf2d t;
  for (int row = 1; row <= 2; ++row)
    for (int col = 1; col <= 3; ++col) {
      double value = 0.0;
      ar >> value;
      t.SetValue(row, col, value);
    }
  v = t;
  return ar;
}
