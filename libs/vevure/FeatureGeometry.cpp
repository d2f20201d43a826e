#include "libs/vevure/FeatureGeometry.h"

#include <algorithm>
#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"

bool FeatureGeometry::IsFinite(double v)
{
    return std::isfinite(v) && std::fabs(v) < kMaxCoordinate;
}

bool FeatureGeometry::IsFinitePoint(const RuVaPnt2d& p)
{
    return IsFinite(p.X()) && IsFinite(p.Y());
}

bool FeatureGeometry::IsFinitePoints(const KcArrayOfGePnt2d& points)
{
    for (const RuVaPnt2d& p : points)
        if (!IsFinitePoint(p))
            return false;
    return true;
}

double FeatureGeometry::NormalizeAngle(double dAngleDeg)
{
    return std::isfinite(dAngleDeg) ? RuVa::CorrectAngle(dAngleDeg) : dAngleDeg;
}

double FeatureGeometry::TransformAngle(const RuVaGTrsf2d& t, double dAngleDeg)
{
    const double a = dAngleDeg * RuVa::DegToRad;
    const RuVaVec2d v = t.Transformed(RuVaVec2d(std::cos(a), std::sin(a)));
    if (v.SquareMagnitude() <= 0.0)
        return NormalizeAngle(dAngleDeg);
    return NormalizeAngle(std::atan2(v.Y(), v.X()) * RuVa::RadToDeg);
}

double FeatureGeometry::LengthScale(const RuVaGTrsf2d& t)
{
    return std::sqrt(std::fabs(t.Determinant()));
}

bool FeatureGeometry::IsSingular(const RuVaGTrsf2d& t)
{
    const double det = t.Determinant();
    return !std::isfinite(det) || std::fabs(det) < 1e-30;
}

bool FeatureGeometry::IsSimilarity(const RuVaGTrsf2d& t)
{
    const double a = t.Value(1, 1), b = t.Value(1, 2), c = t.Value(2, 1), d = t.Value(2, 2);
    const double c1 = a * a + c * c, c2 = b * b + d * d, dot = a * b + c * d;
    const double tol = 1e-9 * std::max(c1, c2);
    return std::fabs(c1 - c2) <= tol && std::fabs(dot) <= tol;
}

RuVaPnt2d FeatureGeometry::Transformed(const RuVaGTrsf2d& t, const RuVaPnt2d& p)
{
    return t.Transformed(p);
}

void FeatureGeometry::RectangleOutline(const RuVaPnt2d& lowerLeft, double dWidth, double dHeight, double dAngleDeg,
                                       KcArrayOfGePnt2d& points)
{
    const double a = dAngleDeg * RuVa::DegToRad;
    const RuVaVec2d u(std::cos(a), std::sin(a));
    const RuVaVec2d v(-u.Y(), u.X());
    points.RemoveAll();
    points.Add(lowerLeft);
    points.Add(lowerLeft + u * dWidth);
    points.Add(lowerLeft + u * dWidth + v * dHeight);
    points.Add(lowerLeft + v * dHeight);
    points.Add(lowerLeft);
}

double FeatureGeometry::ArcSweep(double dStartDeg, double dEndDeg, int nDirection)
{
    const double w = nDirection == 1 ? RuVa::CorrectAngle(dStartDeg - dEndDeg) : RuVa::CorrectAngle(dEndDeg - dStartDeg);
    return w <= 0.0 ? 360.0 : w;
}

bool FeatureGeometry::IsAngleOnArc(double dAngleDeg, double dStartDeg, double dEndDeg, int nDirection)
{
    const double w = ArcSweep(dStartDeg, dEndDeg, nDirection);
    const double d = nDirection == 1 ? RuVa::CorrectAngle(dStartDeg - dAngleDeg) : RuVa::CorrectAngle(dAngleDeg - dStartDeg);
    return d <= w + 1e-12 || d >= 360.0 - 1e-12;
}

void FeatureGeometry::Check(CArchive& ar, bool bCondition)
{
    if (!bCondition)
        ar.ThrowArchiveException(CArchiveException::generic);
}
