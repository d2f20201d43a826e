#pragma once
// Stretching: the parts of a shape that lie inside a fence polygon move by the displacement from a base point
// to a destination, the rest stays. Stretchable kinds: lines, polylines, arcs (kept through their middle),
// elliptic arcs, B-splines, rays, leaders, balloons, hatches (their boundary curves), linear, parallel,
// radius and diameter dimensions and pictures (upright ones change their size). Results are new and owned by
// the caller; NULL for another kind or when the stretched shape would not be valid.

class Feature2dBase;
class KcArrayOfGePnt2d;
class RuVaPnt2d;

class FeatureStretching
{
public:
    static Feature2dBase* StretchFeature(const Feature2dBase* pFeature, const KcArrayOfGePnt2d& polygon,
                                         const RuVaPnt2d& base, const RuVaPnt2d& destination);
    static bool IsStretchableType(int nFeatureType);
};
