#pragma once
// An affine transformation of the plane: x' = a11 x + a12 y + a13, y' = a21 x + a22 y + a23.
// Composition reads like matrices: (A * B) applies B first, then A.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class CArchive;
class RuVaGTrsf2d {
public:
  RuVaGTrsf2d() = default;
  RuVaGTrsf2d(double a11, double a12, double a13, double a21, double a22, double a23);

  void SetIdentity();
  void SetTranslation(const RuVaVec2d& v);
  void SetTranslation(const RuVaPnt2d& from, const RuVaPnt2d& to);
  // Counter-clockwise rotation about a centre by an angle in radians.
  void SetRotation(const RuVaPnt2d& centre, double radians);
  void SetScale(const RuVaPnt2d& centre, double factor);
  void SetScale(const RuVaPnt2d& centre, double factorX, double factorY);
  // Point reflection through a centre.
  void SetMirror(const RuVaPnt2d& centre);
  // Reflection in the line through two points; FALSE (identity) when they coincide.
  BOOL SetMirror(const RuVaPnt2d& a, const RuVaPnt2d& b);

  // Row 1..2, column 1..3; out-of-range indexes read 0 and write nothing.
  double Value(int row, int col) const;
  void SetValue(int row, int col, double value);

  double Determinant() const { return m_a[0] * m_a[4] - m_a[1] * m_a[3]; }
  BOOL IsSingular() const;
  BOOL IsIdentity(double tolerance = 0.0) const;
  // Rotation, translation and uniform scale (a mirror allowed): circles stay circles.
  BOOL IsSimilarity(double tolerance = 1e-12) const;
  // For a similarity, the scale factor (always positive).
  double ScaleFactor() const;
  BOOL IsMirroring() const { return Determinant() < 0.0; }

  // this = this * right: the right transformation is applied first.
  void Multiply(const RuVaGTrsf2d& right);
  // this = left * this: the left transformation is applied after this one.
  void PreMultiply(const RuVaGTrsf2d& left);
  RuVaGTrsf2d Multiplied(const RuVaGTrsf2d& right) const;
  RuVaGTrsf2d operator*(const RuVaGTrsf2d& right) const { return Multiplied(right); }
  // FALSE, and unchanged, when singular.
  BOOL Invert();
  BOOL Inverted(RuVaGTrsf2d& out) const;

  void Transforms(double& x, double& y) const;
  RuVaPnt2d Transformed(const RuVaPnt2d& p) const;
  // Vectors ignore the translation part.
  RuVaVec2d Transformed(const RuVaVec2d& v) const;

  bool operator==(const RuVaGTrsf2d& o) const;
  bool operator!=(const RuVaGTrsf2d& o) const { return !(*this == o); }

private:
  double m_a[6] = {1.0, 0.0, 0.0, 0.0, 1.0, 0.0};  // a11 a12 a13 a21 a22 a23
};

// Stored as its six coefficients; loading throws CArchiveException on a short or damaged archive.
CArchive& operator<<(CArchive& ar, const RuVaGTrsf2d& v);
CArchive& operator>>(CArchive& ar, RuVaGTrsf2d& v);
