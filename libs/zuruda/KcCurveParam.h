#pragma once
// Parameters, points and lengths of curve entities. Every operation answers FALSE (or a negative
// length) for a null entity, one that is not a usable curve, or a parameter that is not finite.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class KcArrayOfGePnt2d;
class RuVaEntity2d;

class KcCurveParam {
public:
  // Unbounded ends read as -/+ RuVa::Infinite().
  static BOOL FirstLastParameter(const RuVaEntity2d* curve, double& first, double& last);
  // Lines, circles, arcs, ellipses and periodic B-splines are evaluated anywhere on their carrying
  // curve; point sequences and other B-splines only within their parameter range.
  static BOOL GetPointFromParameter(const RuVaEntity2d* curve, double u, RuVaPnt2d& p);
  // The point and first derivative at a parameter.
  static BOOL GetPointAndDerivative(const RuVaEntity2d* curve, double u, RuVaPnt2d& p, RuVaVec2d& d1);
  // FALSE at an unbounded end.
  static BOOL GetFirstParamePoint(const RuVaEntity2d* curve, RuVaPnt2d& p);
  static BOOL GetLastParamePoint(const RuVaEntity2d* curve, RuVaPnt2d& p);
  // The point at the middle of the parameter range; FALSE for unbounded curves.
  static BOOL GetCenterParamePoint(const RuVaEntity2d* curve, RuVaPnt2d& p);
  // The length of a bounded curve; -1 for unbounded or unusable ones.
  static double GetCurveLength(const RuVaEntity2d* curve);
  // The length of the stretch between two parameters (in either order); -1 when it cannot be
  // measured (unusable curve, parameters not finite or, for chains and B-splines, outside the curve).
  static double GetCurveLength(const RuVaEntity2d* curve, double from, double to);
  // The first and last parameter; 0 for a null or unusable curve.
  static double FirstParameter(const RuVaEntity2d* curve);
  static double LastParameter(const RuVaEntity2d* curve);
  // The parameter (and point) at an arc length after a parameter (before it for a negative length).
  // Lines, circles and arcs continue past their ends; chains and B-splines stop at theirs (FALSE).
  static BOOL GetLengthParameter(const RuVaEntity2d* curve, double length, double from, double& parameter,
                                 RuVaPnt2d& point);

  // Replaces the points with a chain that follows the bounded curve within the deflection (the
  // largest distance between a chord and the curve), from its start to its end point, both exact.
  // At most maxPoints points are made; a finer deflection than that allows is coarsened. FALSE,
  // and the points emptied, for an unbounded or unusable curve or a deflection that is not positive.
  static BOOL GetDeflectionPoints(const RuVaEntity2d* curve, double deflection, KcArrayOfGePnt2d& points,
                                  int maxPoints = 100000);
};
