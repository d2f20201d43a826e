#pragma once
// The area inside a found region: a lone circle or ellipse exactly, any other boundary as the polygon that
// chains its shapes end to end, curves divided into a given number of equal steps along their length.

#include <vector>

class Feature2dBase;
class KcArrayOfGePnt2d;
class Region2dFeature;

namespace QZ2Command {

class AreaBoundary
{
public:
    // The points of an arc, elliptic arc or B-spline curve from its start to its end in nSteps equal
    // lengths (nSteps + 1 points); FALSE and no points for other shapes or fewer than one step.
    static bool DivideCurve(const Feature2dBase* pCurve, int nSteps, KcArrayOfGePnt2d& points);
    // The closed polygon of the boundary shapes taken in order, each joining the last point by either end;
    // empty when the chain does not close or starts with a shape that has no ends.
    static void ChainBoundary(const std::vector<const Feature2dBase*>& boundary, int nSteps,
                              KcArrayOfGePnt2d& polygon);
    static double GetRegionArea(const Region2dFeature& region, int nSteps);
};

}  // namespace QZ2Command
