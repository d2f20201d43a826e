#pragma once
// The crossings of a shape's curve with the segment between two points, in order along the segment from the
// first point. A value made on the stack; nothing crosses for shapes without a curve.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class Feature2dBase;

class IntersectFeature
{
public:
    IntersectFeature(const Feature2dBase* pFeature, const RuVaPnt2d& p1, const RuVaPnt2d& p2);

    int GetIntersectionPointsCount() const { return (int)m_points.size(); }
    // Index-guarded (invalid-argument exception).
    RuVaPnt2d GetIntersectionPoint(int nIndex) const;

private:
    std::vector<RuVaPnt2d> m_points;
};
