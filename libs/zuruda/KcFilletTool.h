#pragma once
// Circles of a given radius touching two curves: the curves are taken whole (segments as unbounded lines,
// arcs as their circles, elliptic arcs as their ellipses), offset by the radius to both sides, and the
// offsets intersected; every meeting is a centre. Used for fillets of curves with no closed-form answer.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class RuVaEntity2d;

class KcFilletTool {
public:
  // Appends every centre at distance r from both curves whose nearest points on them lie at r; returns the
  // number found (0 for unusable curves or a radius not above zero).
  static int GetFilletCentres(const RuVaEntity2d* a, const RuVaEntity2d* b, double r, std::vector<RuVaPnt2d>& centres);
  // The nearest point to p on the whole curve (extended as above); FALSE when it does not project.
  static BOOL GetFoot(const RuVaEntity2d* curve, const RuVaPnt2d& p, RuVaPnt2d& foot);
};
