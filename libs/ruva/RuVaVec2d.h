#pragma once
// A vector of the plane: a difference of points, with length, dot and cross products.

#include <cmath>

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaPnt2d.h"

class CArchive;
class RuVaVec2d {
public:
  constexpr RuVaVec2d() = default;
  constexpr RuVaVec2d(double x, double y) : m_x(x), m_y(y) {}
  // The vector from one point to another.
  constexpr RuVaVec2d(const RuVaPnt2d& from, const RuVaPnt2d& to) : m_x(to.X() - from.X()), m_y(to.Y() - from.Y()) {}
  constexpr explicit RuVaVec2d(const RuVaXY& xy) : m_x(xy.X()), m_y(xy.Y()) {}

  constexpr double X() const { return m_x; }
  constexpr double Y() const { return m_y; }
  void SetX(double x) { m_x = x; }
  void SetY(double y) { m_y = y; }
  void SetCoord(double x, double y) { m_x = x; m_y = y; }
  constexpr RuVaXY XY() const { return RuVaXY(m_x, m_y); }

  double Magnitude() const { return RuVa::Hypot(m_x, m_y); }
  double Length() const { return Magnitude(); }
  constexpr double SquareMagnitude() const { return m_x * m_x + m_y * m_y; }
  constexpr double Dot(const RuVaVec2d& o) const { return m_x * o.m_x + m_y * o.m_y; }
  // The z component of the cross product: positive when o lies counter-clockwise of this.
  constexpr double Crossed(const RuVaVec2d& o) const { return m_x * o.m_y - m_y * o.m_x; }

  // The signed angle in radians, in (-pi, pi], from this vector to the other; 0 when either is null.
  double Angle(const RuVaVec2d& o) const
  {
    if (IsNull() || o.IsNull())
      return 0.0;
    return std::atan2(Crossed(o), Dot(o));
  }
  BOOL IsNull() const { return Magnitude() <= RuVa::Resolution(); }
  // Same direction within an angle in radians; a null vector is parallel to nothing.
  BOOL IsParallel(const RuVaVec2d& o, double angularTolerance) const
  {
    return !IsNull() && !o.IsNull() && std::fabs(Angle(o)) <= angularTolerance;
  }
  // Opposite directions within an angle in radians.
  BOOL IsOpposite(const RuVaVec2d& o, double angularTolerance) const
  {
    return !IsNull() && !o.IsNull() && RuVa::Pi - std::fabs(Angle(o)) <= angularTolerance;
  }
  // At right angles within an angle in radians.
  BOOL IsNormal(const RuVaVec2d& o, double angularTolerance) const
  {
    return !IsNull() && !o.IsNull() && std::fabs(RuVa::HalfPi - std::fabs(Angle(o))) <= angularTolerance;
  }

  // Unit length; FALSE and unchanged when the vector is null.
  BOOL Normalize()
  {
    const double m = Magnitude();
    if (m <= RuVa::Resolution())
      return FALSE;
    m_x /= m;
    m_y /= m;
    return TRUE;
  }
  RuVaVec2d Normalized() const
  {
    RuVaVec2d v(*this);
    v.Normalize();
    return v;
  }
  void Reverse() { m_x = -m_x; m_y = -m_y; }
  constexpr RuVaVec2d Reversed() const { return RuVaVec2d(-m_x, -m_y); }
  // Counter-clockwise quarter turn.
  constexpr RuVaVec2d Perpendicular() const { return RuVaVec2d(-m_y, m_x); }
  void Rotate(double radians)
  {
    const double c = std::cos(radians), s = std::sin(radians);
    const double x = m_x * c - m_y * s;
    m_y = m_x * s + m_y * c;
    m_x = x;
  }
  RuVaVec2d Rotated(double radians) const
  {
    RuVaVec2d v(*this);
    v.Rotate(radians);
    return v;
  }

  RuVaVec2d& operator+=(const RuVaVec2d& o) { m_x += o.m_x; m_y += o.m_y; return *this; }
  RuVaVec2d& operator-=(const RuVaVec2d& o) { m_x -= o.m_x; m_y -= o.m_y; return *this; }
  RuVaVec2d& operator*=(double s) { m_x *= s; m_y *= s; return *this; }
  RuVaVec2d& operator/=(double s) { m_x /= s; m_y /= s; return *this; }
  constexpr RuVaVec2d operator+(const RuVaVec2d& o) const { return RuVaVec2d(m_x + o.m_x, m_y + o.m_y); }
  constexpr RuVaVec2d operator-(const RuVaVec2d& o) const { return RuVaVec2d(m_x - o.m_x, m_y - o.m_y); }
  constexpr RuVaVec2d operator-() const { return RuVaVec2d(-m_x, -m_y); }
  constexpr RuVaVec2d operator*(double s) const { return RuVaVec2d(m_x * s, m_y * s); }
  constexpr RuVaVec2d operator/(double s) const { return RuVaVec2d(m_x / s, m_y / s); }
  constexpr bool operator==(const RuVaVec2d& o) const { return m_x == o.m_x && m_y == o.m_y; }
  constexpr bool operator!=(const RuVaVec2d& o) const { return !(*this == o); }

private:
  double m_x = 0.0;
  double m_y = 0.0;
};

constexpr RuVaVec2d operator*(double s, const RuVaVec2d& v) { return v * s; }
constexpr RuVaVec2d operator-(const RuVaPnt2d& a, const RuVaPnt2d& b) { return RuVaVec2d(a.X() - b.X(), a.Y() - b.Y()); }
constexpr RuVaPnt2d operator+(const RuVaPnt2d& p, const RuVaVec2d& v) { return RuVaPnt2d(p.X() + v.X(), p.Y() + v.Y()); }
constexpr RuVaPnt2d operator-(const RuVaPnt2d& p, const RuVaVec2d& v) { return RuVaPnt2d(p.X() - v.X(), p.Y() - v.Y()); }

// Stored as its coordinates; loading throws CArchiveException on a short or damaged archive.
CArchive& operator<<(CArchive& ar, const RuVaVec2d& v);
CArchive& operator>>(CArchive& ar, RuVaVec2d& v);
