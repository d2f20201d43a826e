#pragma once
// Tolerances handed to geometric comparisons and intersections: a length within which
// points count as one, and an angle in radians within which directions count as one.

class CArchive;
class RuVaTol {
public:
  static constexpr double kDefaultLinear = 1e-7;
  static constexpr double kDefaultAngular = 1e-12;

  constexpr RuVaTol() = default;
  constexpr explicit RuVaTol(double linear, double angular = kDefaultAngular)
      : m_linear(linear < 0.0 ? -linear : linear), m_angular(angular < 0.0 ? -angular : angular) {}

  constexpr double Linear() const { return m_linear; }
  constexpr double Angular() const { return m_angular; }
  void SetLinear(double tol) { m_linear = tol < 0.0 ? -tol : tol; }
  void SetAngular(double tol) { m_angular = tol < 0.0 ? -tol : tol; }

private:
  double m_linear = kDefaultLinear;
  double m_angular = kDefaultAngular;
};

// Stored as its two tolerances; loading throws CArchiveException on a short or damaged archive.
CArchive& operator<<(CArchive& ar, const RuVaTol& v);
CArchive& operator>>(CArchive& ar, RuVaTol& v);
