#pragma once
// Small geometric tools over boxes, point chains, polygons and curves.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class KcArrayOfGeEntity2d;
class RuVaCurveEnt2d;
class RuVaEntity2d;
class RuVaGTrsf2d;

class KcGeometryTool {
public:
  // Results of GetOverlapBox.
  enum { kBoxOverlap = 0, kBoxApart = 1 };
  // Results of JudgePointInPolygon: inside (sign of the polygon's turning: + counter-clockwise),
  // on the boundary, outside.
  enum { kInsideCcw = 2, kInsideCw = -2, kOnBoundaryCcw = 1, kOnBoundaryCw = -1, kOutside = 0 };

  // 1 when the boxes lie apart (gaps included; a void box lies apart from everything), else 0.
  static int GetOverlapBox(const RuVaBndBox2d& a, const RuVaBndBox2d& b);

  // Where a point lies with respect to a closed polygon (the last point joins the first; a
  // repeated closing point is allowed). Inside gives 2 for a counter-clockwise polygon and -2 for a
  // clockwise one, on an edge or a vertex 1 or -1, outside 0; fewer than three distinct points or a
  // point that is not finite give 0. Inside follows the non-zero winding rule. The tolerance for
  // the boundary is a distance; a negative one picks 1e-10 of the polygon's size.
  static int JudgePointInPolygon(const KcArrayOfGePnt2d& polygon, const RuVaPnt2d& p, double tolerance = -1.0);

  // The box of the transformed box; FALSE (and a void box) for a void input.
  static BOOL TransformBox(const RuVaBndBox2d& in, const RuVaGTrsf2d& t, RuVaBndBox2d& out);
  static BOOL TransformBox(RuVaBndBox2d& box, const RuVaGTrsf2d& t);

  // The index i of the segment (point i to point i + 1) of a chain nearest to the point; the lowest
  // such index on a tie; -1 for fewer than two points or a point that is not finite.
  static int GetNearestSegment(const KcArrayOfGePnt2d& points, const RuVaPnt2d& p);

  // TRUE when segment a1-a2 meets segment b1-b2 (touching ends included), with the meeting point.
  // Collinear overlapping segments meet at the first point of the overlap along a; a segment of
  // zero length meets where it lies on the other. The tolerance is a distance; a negative one picks
  // 1e-10 of the segments' size.
  static BOOL GetIntersectionPointOnLineLine(const RuVaPnt2d& a1, const RuVaPnt2d& a2, const RuVaPnt2d& b1,
                                             const RuVaPnt2d& b2, RuVaPnt2d& out, double tolerance = -1.0);

  // The middle of the curve's parameter range; for an unbounded end, the bounded one (0 when both
  // are unbounded); 0 for a null or unusable curve.
  static double GetCurveMiddleParameter(const RuVaEntity2d* curve);
  static double GetCurveMiddleParameter(double first, double last);

  // The middle of the stretch from a to b; on a closed curve with b below a the stretch runs from a
  // across the curve's end to b, and its middle wraps the same way.
  static double GetCurveMiddleParameter(const RuVaEntity2d* curve, double a, double b);

  // The parameter of the point of the curve nearest to p among its projections; FALSE when the
  // point does not project (beyond a segment's ends, at a circle's centre, unusable curve).
  static BOOL GetCurveProjectionParameter(const RuVaEntity2d* curve, const RuVaPnt2d& p, double& parameter);

  // Circles, ellipses, periodic B-splines, full-turn arcs and bounded curves whose ends meet.
  static BOOL IsCurvePeriodicClosed(const RuVaEntity2d* curve);

  // A new curve (owned by the caller) for the stretch from a to b that contains the middle
  // parameter: on a closed curve that may be the stretch across the curve's end. Lines give
  // segments, circles arcs, ellipses elliptic arcs, chains chains and B-splines B-splines. Null for
  // an unusable curve or a stretch without length.
  static RuVaCurveEnt2d* TrimCurve(const RuVaEntity2d* curve, double a, double b, double middle);

  // Cuts a curve by a closed polygon into the pieces inside (on the boundary counts as inside) and
  // outside, appended as new entities to the arrays. Returns 1 when the whole curve lies inside and 0
  // when it lies wholly outside (no pieces then), 2 when it was cut, and -1 for an unusable curve or
  // a polygon of fewer than three points.
  static int TrimCurve(const RuVaEntity2d* curve, const KcArrayOfGePnt2d& polygon, KcArrayOfGeEntity2d& inside,
                       KcArrayOfGeEntity2d& outside);
  static int TrimCurve(const RuVaEntity2d* curve, const KcArrayOfGePnt2d& polygon, KcArrayOfGeEntity2d& inside);

  // The angle in degrees, in [0, 360), of the point about the centre from the x axis; 0 when they
  // coincide.
  static double GetAngleFromXAxis(const RuVaPnt2d& centre, const RuVaPnt2d& p);

  // The length of a chain of points.
  static double GetPointArrayLength(const KcArrayOfGePnt2d& points);

  // Rounded to the nearest integer (halves away from zero), held within the int range; 0 for a
  // value that is not a number.
  static int DoubleToInt(double value);
};
