#pragma once
// Shapes parallel to a shape at a distance: lines and construction lines stay lines, circles and arcs change
// their radius, polylines move every segment and meet at mitred corners (closed ones stay closed), and
// ellipses, elliptic arcs and B-splines give a B-spline through points at the distance. Results are new and
// owned by the caller, with the source's attributes; NULL when no such shape exists (a radius that would
// vanish, a side point on the shape, a distance below 1e-7, another kind of shape).

class Feature2dBase;
class RuVaPnt2d;

class FeatureOffsetting
{
public:
    // At the distance on the side of the point.
    static Feature2dBase* OffsetFeature(const Feature2dBase* pFeature, double dDistance, const RuVaPnt2d& side);
    // At a signed distance: positive to the left of the shape's running direction, or outwards for circles,
    // arcs and ellipses.
    static Feature2dBase* OffsetFeature(const Feature2dBase* pFeature, double dDistance);
    // The distance from the point to the shape's curve (straight shapes as unbounded lines), -1 when the
    // shape has none.
    static double GetDistanceToFeature(const Feature2dBase* pFeature, const RuVaPnt2d& point);
};
