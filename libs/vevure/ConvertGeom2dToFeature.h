#pragma once
// The shape of a geometry entity: segments become lines, full circles circles, arcs arcs, ellipses and
// elliptic arcs their shapes, lines and half lines construction lines, point sequences polylines and
// B-splines B-spline shapes of their poles. Results are new and owned by the caller, with default attributes.

class Feature2dBase;
class RuVaEntity2d;

class ConvertGeom2dToFeature
{
public:
    ConvertGeom2dToFeature() = default;
    ConvertGeom2dToFeature(const ConvertGeom2dToFeature&) = default;
    ConvertGeom2dToFeature& operator=(const ConvertGeom2dToFeature&) = default;
    virtual ~ConvertGeom2dToFeature() = default;

    // NULL for NULL, an entity that is not done, or one that no shape stands for (rational B-splines).
    static Feature2dBase* Convert(const RuVaEntity2d* pEntity);
};
