#pragma once
// The curve of a shape as a geometry entity: lines, rays and infinite lines, circles, arcs, ellipses and
// elliptic arcs, B-splines and polylines (a point sequence). Results are new and owned by the caller.

class Feature2dBase;
class RuVaEntity2d;
class RuVaBSplineCurve2d;

class ConvertFeatureToGeom2d
{
public:
    ConvertFeatureToGeom2d() = default;
    ConvertFeatureToGeom2d(const ConvertFeatureToGeom2d&) = default;
    ConvertFeatureToGeom2d& operator=(const ConvertFeatureToGeom2d&) = default;
    virtual ~ConvertFeatureToGeom2d() = default;

    // NULL for a shape that is no curve or whose geometry is not valid.
    static RuVaEntity2d* Convert(const Feature2dBase* pFeature);
    // The B-spline of a B-spline shape (interpolating shapes are fitted through their points); NULL otherwise.
    static RuVaBSplineCurve2d* ConvertBSplineCurve(const Feature2dBase* pFeature);
};
