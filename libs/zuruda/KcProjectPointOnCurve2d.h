#pragma once
// The orthogonal projections of a point on a curve entity: every point of the curve, within its
// parameter range, where the direction to the point is normal to the curve (nearest and farthest
// points alike). A segment whose foot falls beyond its ends has no projection; a point at the
// centre of a circle has none either (every point would be one). Results are ordered by distance,
// nearest first; indexes run from 0.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class RuVaEntity2d;

class KcProjectPointOnCurve2d {
public:
  KcProjectPointOnCurve2d() = default;
  KcProjectPointOnCurve2d(const RuVaPnt2d& p, const RuVaEntity2d* curve) { Init(p, curve); }
  KcProjectPointOnCurve2d(const RuVaPnt2d& p, const RuVaEntity2d& curve) { Init(p, &curve); }

  void Init(const RuVaPnt2d& p, const RuVaEntity2d* curve);

  // FALSE when the point or the curve was not usable.
  BOOL IsDone() const { return m_done; }
  int NbPoints() const { return static_cast<int>(m_solutions.size()); }
  // Out-of-range indexes give the origin and 0.
  RuVaPnt2d GetPoint(int index) const;
  RuVaPnt2d Point(int index) const { return GetPoint(index); }
  double Parameter(int index) const;
  double Distance(int index) const;

  // Of the nearest projection; the origin and 0 when there is none.
  RuVaPnt2d NearestPoint() const { return GetPoint(0); }
  double LowerDistance() const { return Distance(0); }
  double LowerDistanceParameter() const { return Parameter(0); }

private:
  struct Solution {
    RuVaPnt2d point;
    double parameter;
    double distance;
  };
  void AddSolution(const RuVaPnt2d& point, double parameter);

  RuVaPnt2d m_point;
  std::vector<Solution> m_solutions;
  bool m_done = false;
};
