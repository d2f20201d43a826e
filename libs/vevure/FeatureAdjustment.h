#pragma once
// Lengthening or shortening open shapes (lines, polylines, arcs, elliptic arcs) at the end nearer a pick
// point: up to a boundary shape (where the shape's extension meets it, the meeting nearest the boundary pick),
// up to a point (its foot on the shape's extension), or by a length. Results are new copies owned by the
// caller; NULL when the shape cannot be adjusted so (no meeting, a shape that would vanish, another kind).

class Feature2dBase;
class RuVaPnt2d;

class FeatureAdjustment
{
public:
    static Feature2dBase* AdjustFeature(const Feature2dBase* pFeature, const RuVaPnt2d& pick,
                                        const Feature2dBase* pBoundary, const RuVaPnt2d& boundaryPick);
    static Feature2dBase* AdjustFeature(const Feature2dBase* pFeature, const RuVaPnt2d& pick, const RuVaPnt2d& point);
    // Variant 1 lengthens the end by the length (a negative one shortens); variant 0 makes the whole shape
    // that long, keeping the other end.
    static Feature2dBase* AdjustFeature(const Feature2dBase* pFeature, const RuVaPnt2d& pick, double dLength,
                                        int nVariant);
};
