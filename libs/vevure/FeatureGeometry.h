#pragma once
// Small geometric helpers shared by the shapes: finiteness, angles under affine maps, transformed points.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class CArchive;
class KcArrayOfGePnt2d;
class RuVaBndBox2d;
class RuVaGTrsf2d;

class FeatureGeometry
{
public:
    // Coincident points and zero lengths.
    static constexpr double kPointTolerance = 1e-7;
    // Coordinates beyond this are refused as damaged.
    static constexpr double kMaxCoordinate = 1e15;

    static bool IsFinite(double v);
    static bool IsFinitePoint(const RuVaPnt2d& p);
    static bool IsFinitePoints(const KcArrayOfGePnt2d& points);
    // A positive size below 1e15.
    static bool IsPositiveSize(double v) { return v > 0.0 && v < 1e15; }
    // An angle in degrees normalised to [0, 360); non-finite angles are left to the caller to refuse.
    static double NormalizeAngle(double dAngleDeg);
    // The direction of the angle after the map (degrees, normalised).
    static double TransformAngle(const RuVaGTrsf2d& t, double dAngleDeg);
    // How lengths scale under the map (square root of the absolute determinant).
    static double LengthScale(const RuVaGTrsf2d& t);
    static bool IsSingular(const RuVaGTrsf2d& t);
    // Equal scales in every direction (within a relative 1e-9), mirrors included.
    static bool IsSimilarity(const RuVaGTrsf2d& t);
    static RuVaPnt2d Transformed(const RuVaGTrsf2d& t, const RuVaPnt2d& p);
    // The corners of a rectangle of width and height from a lower-left corner, turned about it by the angle;
    // closed (five points).
    static void RectangleOutline(const RuVaPnt2d& lowerLeft, double dWidth, double dHeight, double dAngleDeg,
                                 KcArrayOfGePnt2d& points);
    // Sweep (0, 360] of an arc from start to end angle (degrees), counter-clockwise for direction 0 and
    // clockwise for 1; equal angles give a full turn.
    static double ArcSweep(double dStartDeg, double dEndDeg, int nDirection);
    // The angle lies on that arc (within 1e-12 degrees).
    static bool IsAngleOnArc(double dAngleDeg, double dStartDeg, double dEndDeg, int nDirection);
    // Throws CArchiveException (generic) unless the condition holds.
    static void Check(CArchive& ar, bool bCondition);
};
