#pragma once
// Base of the parametrised curves. A curve runs from FirstParameter to LastParameter; the
// parametrisation of each kind matches the curve kernel's for the same curve, so that parameters
// computed here and by the curve tools can be mixed:
// lines by length from their location, circles and arcs by angle (the negated angle for clockwise
// ones), ellipses by their eccentric angle, point sequences by index (point i at parameter i).

#include "libs/ruva/RuVaEntity2d.h"
#include "libs/ruva/RuVaVec2d.h"

class RuVaCurveEnt2d : public RuVaEntity2d {
public:
  BOOL IsCurveEntity() const override { return TRUE; }
  RuVaCurveEnt2d* Clone() const override = 0;

  virtual double FirstParameter() const = 0;
  virtual double LastParameter() const = 0;
  BOOL IsBounded() const;
  // Start and end coincide (within the tolerance for bounded curves; always for circles and ellipses).
  virtual BOOL IsClosed(double tolerance = RuVaTol::kDefaultLinear) const;

  // The point (and first derivative) at a parameter. Analytic kinds and point sequences evaluate
  // here; FALSE when this kind is evaluated by the curve tools instead (B-splines), when the
  // entity is not usable or the parameter is not finite.
  virtual BOOL D0(double u, RuVaPnt2d& p) const = 0;
  virtual BOOL D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const = 0;

  // FALSE for an unbounded end.
  BOOL GetStartPoint(RuVaPnt2d& p) const;
  BOOL GetEndPoint(RuVaPnt2d& p) const;

  // The untrimmed curve that carries this one (a line for a segment, a circle for an arc, ...),
  // new and owned by the caller; a copy for curves that are not trimmed.
  virtual RuVaCurveEnt2d* CreateBasisCurve() const { return Clone(); }

protected:
  RuVaCurveEnt2d() = default;
  RuVaCurveEnt2d(const RuVaCurveEnt2d&) = default;
  RuVaCurveEnt2d& operator=(const RuVaCurveEnt2d&) = default;
};
