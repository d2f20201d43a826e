#pragma once
// A full circle: centre, radius and running direction. Parameter u is the angle from the x axis
// for a counter-clockwise circle and its negation for a clockwise one, from 0 to 2 pi.

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaCurveEnt2d.h"

class RuVaCircle2d : public RuVaCurveEnt2d {
public:
  RuVaCircle2d() = default;
  RuVaCircle2d(const RuVaPnt2d& centre, double radius, int direction = RuVa::kCounterClockwise)
      : m_centre(centre), m_radius(radius), m_direction(RuVa::NormalizeDirection(direction))
  {
  }

  const RuVaPnt2d& GetCenter() const { return m_centre; }
  const RuVaPnt2d& GetCenterPoint() const { return m_centre; }
  double GetRadius() const { return m_radius; }
  int GetDirection() const { return m_direction; }
  BOOL IsCounterClockwise() const { return m_direction > 0; }
  void SetCenter(const RuVaPnt2d& c) { m_centre = c; }
  void SetRadius(double r) { m_radius = r; }
  virtual void SetDirection(int direction) { m_direction = RuVa::NormalizeDirection(direction); }

  // The point at an angle in radians from the x axis, whatever the running direction.
  RuVaPnt2d GetAnglePoint(double radians) const { return GetAnglePoint(m_centre, m_radius, radians); }
  static RuVaPnt2d GetAnglePoint(const RuVaPnt2d& centre, double radius, double radians);
  // The angle of a point about the centre, in [0, 2 pi); 0 at the centre.
  double AngleOfPoint(const RuVaPnt2d& p) const;
  double ParameterOfAngle(double radians) const { return m_direction * radians; }
  double AngleOfParameter(double u) const { return m_direction * u; }

  int GetEntityType() const override { return kCircle; }
  RuVaCircle2d* Clone() const override { return new RuVaCircle2d(*this); }
  BOOL IsDone() const override;
  // The same centre and radius; the running direction does not change the point set.
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  // Only transformations that keep circles circles (rotation, translation, uniform scale, mirror);
  // a mirror reverses the running direction.
  BOOL Transform(const RuVaGTrsf2d& t) override;
  RuVaBndBox2d GetBndBox() const override;
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override { return 0.0; }
  double LastParameter() const override { return RuVa::TwoPi; }
  BOOL IsClosed(double = RuVaTol::kDefaultLinear) const override { return TRUE; }
  BOOL D0(double u, RuVaPnt2d& p) const override;
  BOOL D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const override;

protected:
  RuVaPnt2d m_centre;
  double m_radius = 0.0;
  int m_direction = RuVa::kCounterClockwise;
};
