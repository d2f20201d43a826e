#pragma once
// An elliptic arc: an ellipse with a start and an end eccentric angle in radians (from the major
// axis). It runs from start to end in its direction; equal angles make a full turn. Parameters
// follow the ellipse's, as for circular arcs.

#include "libs/ruva/RuVaEllipse2d.h"

class RuVaEllipseArc2d : public RuVaEllipse2d {
public:
  RuVaEllipseArc2d() = default;
  RuVaEllipseArc2d(const RuVaPnt2d& centre, const RuVaVec2d& majorAxis, double majorRadius, double minorRadius,
                   double startRadians, double endRadians, int direction = RuVa::kCounterClockwise);

  void SetAngle(double startRadians, double endRadians);
  // The start angle and the sweep in the running direction, kept up to one full turn; a sweep
  // that is not positive leaves the arc unusable.
  void SetStartAndSweep(double startRadians, double sweep);
  void SetDirection(int direction) override;
  double GetStartAngle() const { return m_start; }
  double GetEndAngle() const;
  double GetSweepAngle() const { return m_sweep; }
  double GetCcwFromAngle() const;
  BOOL ContainsAngle(double radians, double angularTolerance = 0.0) const;

  int GetEntityType() const override { return kEllipseArc; }
  BOOL IsTrimmedCurveEntType() const override { return TRUE; }
  RuVaEllipseArc2d* Clone() const override { return new RuVaEllipseArc2d(*this); }
  BOOL IsDone() const override;
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  BOOL Transform(const RuVaGTrsf2d& t) override;
  RuVaBndBox2d GetBndBox() const override;
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override;
  double LastParameter() const override { return FirstParameter() + m_sweep; }
  BOOL IsClosed(double tolerance = RuVaTol::kDefaultLinear) const override { return RuVaCurveEnt2d::IsClosed(tolerance); }
  RuVaCurveEnt2d* CreateBasisCurve() const override;

private:
  double m_start = 0.0;
  double m_sweep = RuVa::TwoPi;
};
