#include "libs/vevure/TransformFeature.h"

#include <cmath>
#include <memory>

#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/PointMarker2dFeature.h"

TransformFeature::TransformFeature(const RuVaPnt2d& base, double dScaleX, double dScaleY, double dSizeScale,
                                   double dAngleDeg, const RuVaPnt2d& target)
{
    SetTransform(base, dScaleX, dScaleY, dSizeScale, dAngleDeg, target);
}

TransformFeature::TransformFeature(const RuVaPnt2d& from, const RuVaPnt2d& to)
{
    SetTransform(from, to);
}

void TransformFeature::SetTransform(const RuVaPnt2d& base, double dScaleX, double dScaleY, double dSizeScale,
                                    double dAngleDeg, const RuVaPnt2d& target)
{
    m_origin = base;
    m_locate = target;
    m_dScaleX = dScaleX;
    m_dScaleY = dScaleY;
    m_dSizeScale = dSizeScale;
    m_dAngle = dAngleDeg;
    m_bMirror = FALSE;
}

void TransformFeature::SetTransform(const RuVaPnt2d& from, const RuVaPnt2d& to)
{
    SetTransform(from, 1.0, 1.0, 1.0, 0.0, to);
}

BOOL TransformFeature::SetMirror(const RuVaPnt2d& p1, const RuVaPnt2d& p2)
{
    if (p1.Distance(p2) < FeatureGeometry::kPointTolerance)
        return FALSE;
    SetTransform(p1, p1);
    m_bMirror = TRUE;
    m_mirror1 = p1;
    m_mirror2 = p2;
    return TRUE;
}

RuVaGTrsf2d TransformFeature::GetMatrix() const
{
    if (m_bMirror) {
        RuVaGTrsf2d t;
        t.SetMirror(m_mirror1, m_mirror2);
        return t;
    }
    // p' = target + R(angle) diag(sx, sy) (p - base)
    const double a = m_dAngle * RuVa::DegToRad, c = std::cos(a), s = std::sin(a);
    const double a11 = c * m_dScaleX, a12 = -s * m_dScaleY, a21 = s * m_dScaleX, a22 = c * m_dScaleY;
    return RuVaGTrsf2d(a11, a12, m_locate.X() - (a11 * m_origin.X() + a12 * m_origin.Y()), a21, a22,
                       m_locate.Y() - (a21 * m_origin.X() + a22 * m_origin.Y()));
}

RuVaPnt2d TransformFeature::TransformPoint(const RuVaPnt2d& point) const
{
    return GetMatrix().Transformed(point);
}

BOOL TransformFeature::Transform(Feature2dBase* pFeature) const
{
    if (pFeature == nullptr)
        return FALSE;
    const RuVaGTrsf2d t = GetMatrix();
    if (FeatureGeometry::IsSingular(t))
        return FALSE;
    return pFeature->TransformGeometry(t, m_bMirror ? 1.0 : m_dSizeScale);
}

BOOL TransformFeature::TransformPointMarkerFeature(PointMarker2dFeature* pMarker) const
{
    return Transform(pMarker);
}

Feature2dBase* TransformFeature::Transformed(const Feature2dBase* pFeature) const
{
    if (pFeature == nullptr)
        return nullptr;
    std::unique_ptr<Feature2dBase> copy(pFeature->CopyObject(Feature2dBase::copyAll));
    if (copy && Transform(copy.get()))
        return copy.release();
    // Circles and arcs under unequal scales become ellipses and elliptic arcs.
    std::unique_ptr<Feature2dBase> curve;
    if (pFeature->GetFeatureType() == FeatureTypeCircle)
        curve = std::make_unique<Ellipse2dFeature>();
    else if (pFeature->GetFeatureType() == FeatureTypeArc)
        curve = std::make_unique<EllipseArc2dFeature>();
    else
        return nullptr;
    curve->Copy(pFeature, Feature2dBase::copyAll);
    return Transform(curve.get()) ? curve.release() : nullptr;
}

Feature2dBase* TransformFeature::Transformed(const Feature2dBase* pFeature, const RuVaPnt2d& base, double dScaleX,
                                             double dScaleY, double dSizeScale, double dAngleDeg,
                                             const RuVaPnt2d& target)
{
    return TransformFeature(base, dScaleX, dScaleY, dSizeScale, dAngleDeg, target).Transformed(pFeature);
}
