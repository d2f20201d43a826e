#pragma once
// A circular arc: the circle's centre, radius and running direction with a start and an end
// angle in radians (from the x axis). The arc runs from the start angle to the end angle in its
// direction; equal angles make a full turn. Parameters follow the circle's: for a
// counter-clockwise arc from the start angle to start + sweep, for a clockwise one from the
// negated start angle (brought into [0, 2 pi)) to that + sweep.

#include "libs/ruva/RuVaCircle2d.h"

class RuVaArc2d : public RuVaCircle2d {
public:
  RuVaArc2d() = default;
  RuVaArc2d(const RuVaPnt2d& centre, double radius, double startRadians, double endRadians,
            int direction = RuVa::kCounterClockwise);

  // Angles are kept brought into [0, 2 pi).
  void SetAngle(double startRadians, double endRadians);
  // The start angle and the sweep in the running direction, kept up to one full turn; a sweep
  // that is not positive leaves the arc unusable.
  void SetStartAndSweep(double startRadians, double sweep);
  void SetDirection(int direction) override;
  double GetStartAngle() const { return m_start; }
  double GetEndAngle() const;
  // The angle swept from start to end in the running direction, in (0, 2 pi].
  double GetSweepAngle() const { return m_sweep; }
  // The counter-clockwise range the arc covers: from this angle over the sweep.
  double GetCcwFromAngle() const;
  // TRUE when a direction from the centre (angle in radians) falls on the arc.
  BOOL ContainsAngle(double radians, double angularTolerance = 0.0) const;
  double GetLength() const { return m_radius * m_sweep; }

  int GetEntityType() const override { return kArc; }
  BOOL IsTrimmedCurveEntType() const override { return TRUE; }
  RuVaArc2d* Clone() const override { return new RuVaArc2d(*this); }
  BOOL IsDone() const override;
  // The same centre, radius and covered points, whichever way the arcs run.
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  BOOL Transform(const RuVaGTrsf2d& t) override;
  RuVaBndBox2d GetBndBox() const override;
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override;
  double LastParameter() const override { return FirstParameter() + m_sweep; }
  BOOL IsClosed(double tolerance = RuVaTol::kDefaultLinear) const override { return RuVaCurveEnt2d::IsClosed(tolerance); }
  RuVaCurveEnt2d* CreateBasisCurve() const override { return new RuVaCircle2d(m_centre, m_radius, m_direction); }

private:
  double m_start = 0.0;
  double m_sweep = RuVa::TwoPi;
};
