#pragma once
// A plain pair of doubles (client positions kept with fractions, coordinate pairs).

class CArchive;
class RuVaXY {
public:
  constexpr RuVaXY() = default;
  constexpr RuVaXY(double x, double y) : m_x(x), m_y(y) {}

  constexpr double X() const { return m_x; }
  constexpr double Y() const { return m_y; }
  void SetX(double x) { m_x = x; }
  void SetY(double y) { m_y = y; }
  void SetCoord(double x, double y) { m_x = x; m_y = y; }

  RuVaXY& operator+=(const RuVaXY& o) { m_x += o.m_x; m_y += o.m_y; return *this; }
  RuVaXY& operator-=(const RuVaXY& o) { m_x -= o.m_x; m_y -= o.m_y; return *this; }
  RuVaXY& operator*=(double s) { m_x *= s; m_y *= s; return *this; }
  constexpr RuVaXY operator+(const RuVaXY& o) const { return RuVaXY(m_x + o.m_x, m_y + o.m_y); }
  constexpr RuVaXY operator-(const RuVaXY& o) const { return RuVaXY(m_x - o.m_x, m_y - o.m_y); }
  constexpr RuVaXY operator-() const { return RuVaXY(-m_x, -m_y); }
  constexpr RuVaXY operator*(double s) const { return RuVaXY(m_x * s, m_y * s); }
  constexpr RuVaXY operator/(double s) const { return RuVaXY(m_x / s, m_y / s); }
  constexpr bool operator==(const RuVaXY& o) const { return m_x == o.m_x && m_y == o.m_y; }
  constexpr bool operator!=(const RuVaXY& o) const { return !(*this == o); }

  constexpr double Dot(const RuVaXY& o) const { return m_x * o.m_x + m_y * o.m_y; }
  constexpr double Crossed(const RuVaXY& o) const { return m_x * o.m_y - m_y * o.m_x; }

private:
  double m_x = 0.0;
  double m_y = 0.0;
};

// Stored as its coordinates; loading throws CArchiveException on a short or damaged archive.
CArchive& operator<<(CArchive& ar, const RuVaXY& v);
CArchive& operator>>(CArchive& ar, RuVaXY& v);
