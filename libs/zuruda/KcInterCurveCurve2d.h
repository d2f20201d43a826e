#pragma once
// The intersections of two curve entities within a tolerance. Lines, segments, point sequences,
// circles and arcs are intersected in closed form; pairs with an ellipse or a B-spline go through
// the curve kernel. A tangent contact gives one point. Where the curves overlap (collinear
// segments, coincident arcs) the overlap is a segment and its finite ends are also reported as
// points. Points are ordered by their parameter on the first curve; indexes run from 0.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/ruva/RuVaTol.h"

class RuVaEntity2d;

class KcInterCurveCurve2d {
public:
  KcInterCurveCurve2d() = default;
  KcInterCurveCurve2d(const RuVaEntity2d* c1, const RuVaEntity2d* c2, const RuVaTol& tol = RuVaTol()) { Init(c1, c2, tol); }
  KcInterCurveCurve2d(const RuVaEntity2d& c1, const RuVaEntity2d& c2, const RuVaTol& tol = RuVaTol())
  {
    Init(&c1, &c2, tol);
  }

  void Init(const RuVaEntity2d* c1, const RuVaEntity2d* c2, const RuVaTol& tol = RuVaTol());
  void Init(const RuVaEntity2d& c1, const RuVaEntity2d& c2, const RuVaTol& tol = RuVaTol()) { Init(&c1, &c2, tol); }

  // FALSE when either entity was not a usable curve (or the kernel failed).
  BOOL IsDone() const { return m_done; }
  int NbPoints() const { return static_cast<int>(m_points.size()); }
  // Out-of-range indexes give the origin (or FALSE).
  RuVaPnt2d GetPoint(int index) const;
  BOOL GetPoint(int index, RuVaPnt2d& p) const;
  // Parameters of a point on the first and on the second curve.
  double GetParameter1(int index) const;
  double GetParameter2(int index) const;

  // Overlaps, each as a stretch of the first curve between two parameters (unbounded ends at
  // -/+ RuVa::Infinite()).
  int NbSegments() const { return static_cast<int>(m_segments.size()); }
  BOOL GetSegment(int index, double& firstParameter1, double& lastParameter1) const;

  struct Hit {
    RuVaPnt2d point;
    double u1;
    double u2;
  };
  struct Overlap {
    double first1;
    double last1;
  };

private:
  void Finish(double tolerance);

  std::vector<Hit> m_points;
  std::vector<Overlap> m_segments;
  bool m_done = false;
};
