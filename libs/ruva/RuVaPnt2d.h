#pragma once
// A point of the plane with double coordinates.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaXY.h"

class RuVaVec2d;
class RuVaGTrsf2d;

class CArchive;
class RuVaPnt2d {
public:
  static const RuVaPnt2d kOrigin;

  constexpr RuVaPnt2d() = default;
  constexpr RuVaPnt2d(double x, double y) : m_x(x), m_y(y) {}
  constexpr explicit RuVaPnt2d(const RuVaXY& xy) : m_x(xy.X()), m_y(xy.Y()) {}

  constexpr double X() const { return m_x; }
  constexpr double Y() const { return m_y; }
  void SetX(double x) { m_x = x; }
  void SetY(double y) { m_y = y; }
  void SetCoord(double x, double y) { m_x = x; m_y = y; }
  void Coord(double& x, double& y) const { x = m_x; y = m_y; }
  constexpr RuVaXY XY() const { return RuVaXY(m_x, m_y); }
  BOOL IsFinite() const;

  double Distance(const RuVaPnt2d& other) const;
  constexpr double SquareDistance(const RuVaPnt2d& other) const
  {
    return (m_x - other.m_x) * (m_x - other.m_x) + (m_y - other.m_y) * (m_y - other.m_y);
  }
  // Equal when no farther apart than the tolerance (a tolerance of 0 asks for identical points).
  BOOL IsEqual(const RuVaPnt2d& other, double tolerance) const { return Distance(other) <= tolerance; }

  // The angle in radians, in (-pi, pi], of the direction from this point to the other, measured
  // from the x axis; 0 when the points coincide.
  double AngleX(const RuVaPnt2d& other) const;

  RuVaPnt2d CenterPoint(const RuVaPnt2d& other) const
  {
    return RuVaPnt2d(m_x + (other.m_x - m_x) * 0.5, m_y + (other.m_y - m_y) * 0.5);
  }
  static RuVaPnt2d CenterPoint(const RuVaPnt2d& a, const RuVaPnt2d& b) { return a.CenterPoint(b); }

  // Rotation counter-clockwise about a centre by an angle in radians.
  void Rotate(const RuVaPnt2d& centre, double radians);
  RuVaPnt2d Rotated(const RuVaPnt2d& centre, double radians) const
  {
    RuVaPnt2d p(*this);
    p.Rotate(centre, radians);
    return p;
  }
  void Translate(const RuVaVec2d& v);
  RuVaPnt2d Translated(const RuVaVec2d& v) const;
  void Scale(const RuVaPnt2d& centre, double factor);
  void Mirror(const RuVaPnt2d& centre);  // point reflection
  void Transform(const RuVaGTrsf2d& t);
  RuVaPnt2d Transformed(const RuVaGTrsf2d& t) const;

  RuVaPnt2d& operator+=(const RuVaPnt2d& o) { m_x += o.m_x; m_y += o.m_y; return *this; }
  RuVaPnt2d& operator*=(double s) { m_x *= s; m_y *= s; return *this; }
  RuVaPnt2d& operator/=(double s) { m_x /= s; m_y /= s; return *this; }
  constexpr RuVaPnt2d operator+(const RuVaPnt2d& o) const { return RuVaPnt2d(m_x + o.m_x, m_y + o.m_y); }
  constexpr RuVaPnt2d operator*(double s) const { return RuVaPnt2d(m_x * s, m_y * s); }
  constexpr RuVaPnt2d operator/(double s) const { return RuVaPnt2d(m_x / s, m_y / s); }
  constexpr RuVaPnt2d operator-() const { return RuVaPnt2d(-m_x, -m_y); }
  constexpr bool operator==(const RuVaPnt2d& o) const { return m_x == o.m_x && m_y == o.m_y; }
  constexpr bool operator!=(const RuVaPnt2d& o) const { return !(*this == o); }

private:
  double m_x = 0.0;
  double m_y = 0.0;
};

constexpr RuVaPnt2d operator*(double s, const RuVaPnt2d& p) { return p * s; }

// Point minus point gives a vector, point plus vector a point: defined with the vector.
#include "libs/ruva/RuVaVec2d.h"

// Stored as its coordinates; loading throws CArchiveException on a short or damaged archive.
CArchive& operator<<(CArchive& ar, const RuVaPnt2d& v);
CArchive& operator>>(CArchive& ar, RuVaPnt2d& v);
