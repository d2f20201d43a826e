#include "libs/vevure/Ellipse2dFeature.h"

#include <algorithm>
#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Ellipse2dFeature, Feature2dBase, 1)

Ellipse2dFeature::Ellipse2dFeature() : Feature2dBase(FeatureTypeEllipse) {}

Ellipse2dFeature::Ellipse2dFeature(const RuVaPnt2d& centre, double dMajorRadius, double dMinorRadius,
                                   double dAngleDeg)
    : Ellipse2dFeature()
{
    SetCenterPoint(centre);
    SetRadius(dMajorRadius, dMinorRadius);
    SetAngle(dAngleDeg);
}

BOOL Ellipse2dFeature::SetCenterPoint(const RuVaPnt2d& centre)
{
    if (!FeatureGeometry::IsFinitePoint(centre))
        return FALSE;
    m_centre = centre;
    return TRUE;
}

BOOL Ellipse2dFeature::SetRadius(double dMajorRadius, double dMinorRadius)
{
    if (!Circle2dFeature::IsValidRadius(dMajorRadius) || !Circle2dFeature::IsValidRadius(dMinorRadius))
        return FALSE;
    m_dMajorRadius = dMajorRadius;
    m_dMinorRadius = dMinorRadius;
    return TRUE;
}

BOOL Ellipse2dFeature::SetAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

RuVaPnt2d Ellipse2dFeature::GetPoint(double dAngleDeg) const
{
    const double t = dAngleDeg * RuVa::DegToRad, a = m_dAngle * RuVa::DegToRad;
    const double x = m_dMajorRadius * std::cos(t), y = m_dMinorRadius * std::sin(t);
    return RuVaPnt2d(m_centre.X() + x * std::cos(a) - y * std::sin(a), m_centre.Y() + x * std::sin(a) + y * std::cos(a));
}

BOOL Ellipse2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_centre) && Circle2dFeature::IsValidRadius(m_dMajorRadius) &&
           Circle2dFeature::IsValidRadius(m_dMinorRadius) && m_dAngle >= 0.0 && m_dAngle < 360.0;
}

RuVaBndBox2d Ellipse2dFeature::GetBndBox() const
{
    const double a = m_dAngle * RuVa::DegToRad, c = std::cos(a), s = std::sin(a);
    const double R = m_dMajorRadius, r = m_dMinorRadius;
    const double hx = std::sqrt(R * R * c * c + r * r * s * s), hy = std::sqrt(R * R * s * s + r * r * c * c);
    RuVaBndBox2d box;
    box.Update(m_centre.X() - hx, m_centre.Y() - hy, m_centre.X() + hx, m_centre.Y() + hy);
    return box;
}

BOOL Ellipse2dFeature::TransformEllipse(const RuVaGTrsf2d& t, RuVaPnt2d& centre, double& dMajor, double& dMinor,
                                        double& dAngleDeg, double* pParamStartDeg, double* pParamEndDeg,
                                        int* pDirection)
{
    if (FeatureGeometry::IsSingular(t))
        return FALSE;
    // The ellipse is c + A (cos u, sin u) with A's columns the two semi-axes; its image has A' = M A, whose
    // principal axes come from the eigen decomposition of A' A'^T.
    const double th = dAngleDeg * RuVa::DegToRad;
    const double ux = std::cos(th) * dMajor, uy = std::sin(th) * dMajor;
    const double vx = -std::sin(th) * dMinor, vy = std::cos(th) * dMinor;
    const double m11 = t.Value(1, 1), m12 = t.Value(1, 2), m21 = t.Value(2, 1), m22 = t.Value(2, 2);
    const double a11 = m11 * ux + m12 * uy, a21 = m21 * ux + m22 * uy;
    const double a12 = m11 * vx + m12 * vy, a22 = m21 * vx + m22 * vy;
    const double p = a11 * a11 + a12 * a12, q = a11 * a21 + a12 * a22, s = a21 * a21 + a22 * a22;
    const double phi = 0.5 * std::atan2(2.0 * q, p - s);
    const double mean = 0.5 * (p + s), diff = std::sqrt(0.25 * (p - s) * (p - s) + q * q);
    const double major = std::sqrt(mean + diff), minor = std::sqrt(std::max(mean - diff, 0.0));
    if (!Circle2dFeature::IsValidRadius(major) || !Circle2dFeature::IsValidRadius(minor))
        return FALSE;
    const RuVaPnt2d c = t.Transformed(centre);
    if (!FeatureGeometry::IsFinitePoint(c))
        return FALSE;
    const double cp = std::cos(phi), sp = std::sin(phi);
    auto mapParameter = [&](double uDeg) {
        const double u = uDeg * RuVa::DegToRad;
        const double px = a11 * std::cos(u) + a12 * std::sin(u), py = a21 * std::cos(u) + a22 * std::sin(u);
        const double x = (cp * px + sp * py) / major, y = (-sp * px + cp * py) / minor;
        return RuVa::CorrectAngle(std::atan2(y, x) * RuVa::RadToDeg);
    };
    if (pParamStartDeg)
        *pParamStartDeg = mapParameter(*pParamStartDeg);
    if (pParamEndDeg)
        *pParamEndDeg = mapParameter(*pParamEndDeg);
    if (pDirection && t.Determinant() < 0.0)
        *pDirection = 1 - *pDirection;
    centre = c;
    dMajor = major;
    dMinor = minor;
    dAngleDeg = RuVa::CorrectAngle(phi * RuVa::RadToDeg);
    return TRUE;
}

BOOL Ellipse2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    RuVaPnt2d c = m_centre;
    double R = m_dMajorRadius, r = m_dMinorRadius, a = m_dAngle;
    if (!TransformEllipse(t, c, R, r, a))
        return FALSE;
    m_centre = c;
    m_dMajorRadius = R;
    m_dMinorRadius = r;
    m_dAngle = a;
    return TRUE;
}

BOOL Ellipse2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Ellipse2dFeature*>(pOther);
    return m_centre == o->m_centre && m_dMajorRadius == o->m_dMajorRadius && m_dMinorRadius == o->m_dMinorRadius &&
           m_dAngle == o->m_dAngle;
}

void Ellipse2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() == FeatureTypeEllipse) {
        const auto* s = static_cast<const Ellipse2dFeature*>(pSource);
        m_centre = s->m_centre;
        m_dMajorRadius = s->m_dMajorRadius;
        m_dMinorRadius = s->m_dMinorRadius;
        m_dAngle = s->m_dAngle;
    } else if (pSource->GetFeatureType() == FeatureTypeCircle) {
        const auto* s = static_cast<const Circle2dFeature*>(pSource);
        m_centre = s->GetCenterPoint();
        m_dMajorRadius = m_dMinorRadius = s->GetRadius();
        m_dAngle = 0.0;
    }
}

void Ellipse2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_centre << m_dMajorRadius << m_dMinorRadius << m_dAngle;
    else
        ar >> m_centre >> m_dMajorRadius >> m_dMinorRadius >> m_dAngle;
}
