#pragma once
// Measuring shapes: lengths, angles (degrees), areas and centroids. Every function is static and answers
// 0 (or FALSE) for shapes it cannot measure.

#include "platform/afx/AfxTypes.h"

class Feature2dBase;
class KcArrayOfGePnt2d;
class RuVaPnt2d;

class MeasureTool
{
public:
    // Length of the curve: lines, polylines, circles, arcs, ellipses, elliptic arcs, B-splines (within
    // 1e-6 of their length); 0 for other shapes.
    static double GetFeatureLength(const Feature2dBase* pFeature);
    // X and Y extents of the shape: end minus start for open curves, the box's width and height for closed
    // ones; FALSE (0, 0) for shapes without a curve.
    static BOOL GetFeatureLengthXY(const Feature2dBase* pFeature, double& dX, double& dY);

    // Direction from p1 to p2, [0, 360); 0 when they coincide.
    static double GetAngle(const RuVaPnt2d& p1, const RuVaPnt2d& p2);
    // Angle at the vertex between the directions to p1 and p2, [0, 180].
    static double GetAngle(const RuVaPnt2d& vertex, const RuVaPnt2d& p1, const RuVaPnt2d& p2);
    // Direction of a line, ray, infinite line or polyline segment (0-based), [0, 360); the swept angle of an
    // arc or elliptic arc; 0 for other shapes.
    static double GetFeatureAngle(const Feature2dBase* pFeature, int nSegment);
    // Angle between two straight shapes at their meeting point, on the sides of the two pick points,
    // [0, 180]; parallel shapes give 0. FALSE when a shape is not straight.
    static BOOL GetFeatureAngle(const Feature2dBase* pA, const Feature2dBase* pB, const RuVaPnt2d& pickA,
                                const RuVaPnt2d& pickB, double& dAngle, int nSegmentA, int nSegmentB);

    // The straight segments that stand for two shapes (lines, polyline segments, rays and infinite lines,
    // given by their point and a unit step); FALSE when either is not straight.
    static BOOL GetLinePointsOfFeatureAndFeature(const Feature2dBase* pA, const Feature2dBase* pB, RuVaPnt2d& a,
                                                 RuVaPnt2d& b, RuVaPnt2d& c, RuVaPnt2d& d, int nSegmentA,
                                                 int nSegmentB);
    // The vertex and arm points of the angle between lines a-b and c-d that holds the dimension position:
    // the vertex is where the lines meet; each arm runs towards its pick point (turned round where the
    // position lies in another quadrant), as long as the pick's distance from the vertex. 0 on success,
    // -1 parallel lines, -2 or -3 when the first or second line has no length.
    static int GetStartAndEndPointFromTwoLine(const RuVaPnt2d& a, const RuVaPnt2d& b, int nTypeA, const RuVaPnt2d& c,
                                              const RuVaPnt2d& d, int nTypeB, const RuVaPnt2d& pickA,
                                              const RuVaPnt2d& pickB, const RuVaPnt2d& position, RuVaPnt2d& vertex,
                                              RuVaPnt2d& p1, RuVaPnt2d& p2);

    // Area enclosed by the polygon (the last point joins the first), not signed.
    static double GetPolygonArea(const KcArrayOfGePnt2d& points);
    // Area of a closed shape: circles, ellipses, closed polylines and B-splines, regions and hatches
    // (islands taken away); 0 for open shapes.
    static double GetFeatureArea(const Feature2dBase* pFeature);
    // Centroid of the polygon's area; FALSE (and the mean of the points) when it encloses no area.
    static BOOL GetPolygonCentroid(const KcArrayOfGePnt2d& points, RuVaPnt2d& centroid);
    static RuVaPnt2d GetPolygonCentroid(const KcArrayOfGePnt2d& points);
};
