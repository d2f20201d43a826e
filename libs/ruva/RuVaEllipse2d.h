#pragma once
// A full ellipse: centre, major-axis direction, major and minor radius and running direction.
// Angles on an ellipse are eccentric angles measured from the major axis counter-clockwise:
// the point at angle t is centre + a cos t X + b sin t Y, X the major axis and Y its
// counter-clockwise perpendicular. Parameter u is that angle, negated for a clockwise ellipse.

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/ruva/RuVaDir2d.h"

class RuVaEllipse2d : public RuVaCurveEnt2d {
public:
  RuVaEllipse2d() = default;
  // Only the direction of the major-axis vector counts; a null vector gives an unusable ellipse.
  RuVaEllipse2d(const RuVaPnt2d& centre, const RuVaVec2d& majorAxis, double majorRadius, double minorRadius,
                int direction = RuVa::kCounterClockwise);

  const RuVaPnt2d& GetCenter() const { return m_centre; }
  const RuVaDir2d& GetMajorAxis() const { return m_axis; }
  // The angle of the major axis from the x axis, in [0, 2 pi).
  double GetRotationAngle() const { return RuVa::CorrectRadian(m_axis.AngleX()); }
  double GetMajorRadius() const { return m_major; }
  double GetMinorRadius() const { return m_minor; }
  int GetDirection() const { return m_direction; }
  void SetCenter(const RuVaPnt2d& c) { m_centre = c; }
  BOOL SetMajorAxis(const RuVaVec2d& v);
  void SetRadii(double majorRadius, double minorRadius)
  {
    m_major = majorRadius;
    m_minor = minorRadius;
  }
  virtual void SetDirection(int direction) { m_direction = RuVa::NormalizeDirection(direction); }

  RuVaPnt2d GetAnglePoint(double radians) const;
  static RuVaPnt2d GetAnglePoint(const RuVaPnt2d& centre, const RuVaVec2d& majorAxis, double majorRadius,
                                 double minorRadius, double radians);
  double ParameterOfAngle(double radians) const { return m_direction * radians; }
  double AngleOfParameter(double u) const { return m_direction * u; }

  int GetEntityType() const override { return kEllipse; }
  RuVaEllipse2d* Clone() const override { return new RuVaEllipse2d(*this); }
  BOOL IsDone() const override;
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  // Any regular affine transformation maps an ellipse onto an ellipse.
  BOOL Transform(const RuVaGTrsf2d& t) override;
  RuVaBndBox2d GetBndBox() const override;
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override { return 0.0; }
  double LastParameter() const override { return RuVa::TwoPi; }
  BOOL IsClosed(double = RuVaTol::kDefaultLinear) const override { return TRUE; }
  BOOL D0(double u, RuVaPnt2d& p) const override;
  BOOL D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const override;

protected:
  // Applies t to the ellipse and returns the shift of eccentric angles: an angle a before the
  // transformation becomes sign * (a - shift) after it. FALSE, and unchanged, for a singular t.
  BOOL TransformEllipse(const RuVaGTrsf2d& t, double& shift, int& sign);

  RuVaPnt2d m_centre;
  RuVaDir2d m_axis;
  double m_major = 0.0;
  double m_minor = 0.0;
  int m_direction = RuVa::kCounterClockwise;
  bool m_axisValid = true;
};
