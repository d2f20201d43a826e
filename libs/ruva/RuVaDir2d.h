#pragma once
// A unit direction of the plane.

#include <cmath>

#include "libs/ruva/RuVaVec2d.h"

class CArchive;
class RuVaDir2d {
public:
  // The x direction.
  constexpr RuVaDir2d() = default;
  // Normalises (x, y); a pair no longer than RuVa::Resolution() has no direction and gives the
  // x direction, so callers that care check the length first.
  RuVaDir2d(double x, double y) { Set(x, y); }
  explicit RuVaDir2d(const RuVaVec2d& v) { Set(v.X(), v.Y()); }
  RuVaDir2d(const RuVaPnt2d& from, const RuVaPnt2d& to) { Set(to.X() - from.X(), to.Y() - from.Y()); }

  static const RuVaDir2d& DX2d()
  {
    static const RuVaDir2d d;
    return d;
  }
  static const RuVaDir2d& DY2d()
  {
    static const RuVaDir2d d(0.0, 1.0);
    return d;
  }
  // The direction at an angle in radians from the x axis.
  static RuVaDir2d FromAngle(double radians)
  {
    RuVaDir2d d;
    d.m_x = std::cos(radians);
    d.m_y = std::sin(radians);
    return d;
  }

  // FALSE, and the direction unchanged, when (x, y) is too short to have one.
  BOOL Set(double x, double y)
  {
    const double m = RuVa::Hypot(x, y);
    if (!(m > RuVa::Resolution()) || !std::isfinite(m))
      return FALSE;
    m_x = x / m;
    m_y = y / m;
    return TRUE;
  }

  constexpr double X() const { return m_x; }
  constexpr double Y() const { return m_y; }
  constexpr RuVaVec2d Vec() const { return RuVaVec2d(m_x, m_y); }
  constexpr double Dot(const RuVaDir2d& o) const { return m_x * o.m_x + m_y * o.m_y; }
  constexpr double Crossed(const RuVaDir2d& o) const { return m_x * o.m_y - m_y * o.m_x; }

  // The signed angle in radians, in (-pi, pi], from this direction to the other
  // (counter-clockwise positive).
  double Angle(const RuVaDir2d& o) const { return std::atan2(Crossed(o), Dot(o)); }
  // The angle of this direction from the x axis, in (-pi, pi].
  double AngleX() const { return std::atan2(m_y, m_x); }

  BOOL IsEqual(const RuVaDir2d& o, double angularTolerance) const { return std::fabs(Angle(o)) <= angularTolerance; }
  BOOL IsParallel(const RuVaDir2d& o, double angularTolerance) const { return IsEqual(o, angularTolerance); }
  BOOL IsOpposite(const RuVaDir2d& o, double angularTolerance) const
  {
    return RuVa::Pi - std::fabs(Angle(o)) <= angularTolerance;
  }
  BOOL IsNormal(const RuVaDir2d& o, double angularTolerance) const
  {
    return std::fabs(RuVa::HalfPi - std::fabs(Angle(o))) <= angularTolerance;
  }

  void Reverse() { m_x = -m_x; m_y = -m_y; }
  RuVaDir2d Reversed() const
  {
    RuVaDir2d d(*this);
    d.Reverse();
    return d;
  }
  // Counter-clockwise quarter turn.
  RuVaDir2d Perpendicular() const
  {
    RuVaDir2d d;
    d.m_x = -m_y;
    d.m_y = m_x;
    return d;
  }
  void Rotate(double radians)
  {
    const double c = std::cos(radians), s = std::sin(radians);
    Set(m_x * c - m_y * s, m_x * s + m_y * c);
  }
  RuVaDir2d Rotated(double radians) const
  {
    RuVaDir2d d(*this);
    d.Rotate(radians);
    return d;
  }

  constexpr bool operator==(const RuVaDir2d& o) const { return m_x == o.m_x && m_y == o.m_y; }
  constexpr bool operator!=(const RuVaDir2d& o) const { return !(*this == o); }

private:
  double m_x = 1.0;
  double m_y = 0.0;
};

// Stored as its components; loading throws CArchiveException on a short archive or a null direction.
CArchive& operator<<(CArchive& ar, const RuVaDir2d& v);
CArchive& operator>>(CArchive& ar, RuVaDir2d& v);
