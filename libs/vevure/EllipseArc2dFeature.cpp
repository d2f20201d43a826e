#include "libs/vevure/EllipseArc2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(EllipseArc2dFeature, Feature2dBase, 1)

EllipseArc2dFeature::EllipseArc2dFeature() : Feature2dBase(FeatureTypeEllipseArc) {}

EllipseArc2dFeature::EllipseArc2dFeature(const RuVaPnt2d& centre, double dMajorRadius, double dMinorRadius,
                                         double dAngleDeg, double dStartAngleDeg, double dEndAngleDeg, int nDirection)
    : EllipseArc2dFeature()
{
    SetCenterPoint(centre);
    SetRadius(dMajorRadius, dMinorRadius);
    SetAngle(dAngleDeg);
    SetStartEndAngle(dStartAngleDeg, dEndAngleDeg);
    SetDirection(nDirection);
}

BOOL EllipseArc2dFeature::SetCenterPoint(const RuVaPnt2d& centre)
{
    if (!FeatureGeometry::IsFinitePoint(centre))
        return FALSE;
    m_centre = centre;
    return TRUE;
}

BOOL EllipseArc2dFeature::SetMajorRadius(double dRadius)
{
    if (!Circle2dFeature::IsValidRadius(dRadius))
        return FALSE;
    m_dMajorRadius = dRadius;
    return TRUE;
}

BOOL EllipseArc2dFeature::SetMinorRadius(double dRadius)
{
    if (!Circle2dFeature::IsValidRadius(dRadius))
        return FALSE;
    m_dMinorRadius = dRadius;
    return TRUE;
}

BOOL EllipseArc2dFeature::SetRadius(double dMajorRadius, double dMinorRadius)
{
    if (!Circle2dFeature::IsValidRadius(dMajorRadius) || !Circle2dFeature::IsValidRadius(dMinorRadius))
        return FALSE;
    m_dMajorRadius = dMajorRadius;
    m_dMinorRadius = dMinorRadius;
    return TRUE;
}

BOOL EllipseArc2dFeature::SetAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL EllipseArc2dFeature::SetStartAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dStartAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL EllipseArc2dFeature::SetEndAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dEndAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL EllipseArc2dFeature::SetStartEndAngle(double dStartDeg, double dEndDeg)
{
    if (!std::isfinite(dStartDeg) || !std::isfinite(dEndDeg))
        return FALSE;
    m_dStartAngle = RuVa::CorrectAngle(dStartDeg);
    m_dEndAngle = RuVa::CorrectAngle(dEndDeg);
    return TRUE;
}

BOOL EllipseArc2dFeature::SetDirection(int nDirection)
{
    if (nDirection != 0 && nDirection != 1)
        return FALSE;
    m_nDirection = nDirection;
    return TRUE;
}

RuVaPnt2d EllipseArc2dFeature::GetPoint(double dAngleDeg) const
{
    return Ellipse2dFeature(m_centre, m_dMajorRadius, m_dMinorRadius, m_dAngle).GetPoint(dAngleDeg);
}

double EllipseArc2dFeature::GetSweepAngle() const
{
    return FeatureGeometry::ArcSweep(m_dStartAngle, m_dEndAngle, m_nDirection);
}

BOOL EllipseArc2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_centre) && Circle2dFeature::IsValidRadius(m_dMajorRadius) &&
           Circle2dFeature::IsValidRadius(m_dMinorRadius) && m_dAngle >= 0.0 && m_dAngle < 360.0 &&
           (m_nDirection == 0 || m_nDirection == 1) && m_dStartAngle >= 0.0 && m_dStartAngle < 360.0 &&
           m_dEndAngle >= 0.0 && m_dEndAngle < 360.0;
}

RuVaBndBox2d EllipseArc2dFeature::GetBndBox() const
{
    RuVaBndBox2d box;
    box.Set(GetStartPoint());
    box.Add(GetEndPoint());
    // Parameters where x or y of the ellipse is extreme.
    const double a = m_dAngle * RuVa::DegToRad, c = std::cos(a), s = std::sin(a);
    const double tx = std::atan2(-m_dMinorRadius * s, m_dMajorRadius * c) * RuVa::RadToDeg;
    const double ty = std::atan2(m_dMinorRadius * c, m_dMajorRadius * s) * RuVa::RadToDeg;
    for (double t : {tx, tx + 180.0, ty, ty + 180.0}) {
        const double u = RuVa::CorrectAngle(t);
        if (FeatureGeometry::IsAngleOnArc(u, m_dStartAngle, m_dEndAngle, m_nDirection))
            box.Add(GetPoint(u));
    }
    return box;
}

BOOL EllipseArc2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    RuVaPnt2d c = m_centre;
    double R = m_dMajorRadius, r = m_dMinorRadius, a = m_dAngle, s = m_dStartAngle, e = m_dEndAngle;
    int dir = m_nDirection;
    if (!Ellipse2dFeature::TransformEllipse(t, c, R, r, a, &s, &e, &dir))
        return FALSE;
    m_centre = c;
    m_dMajorRadius = R;
    m_dMinorRadius = r;
    m_dAngle = a;
    m_dStartAngle = s;
    m_dEndAngle = e;
    m_nDirection = dir;
    return TRUE;
}

BOOL EllipseArc2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const EllipseArc2dFeature*>(pOther);
    return m_centre == o->m_centre && m_dMajorRadius == o->m_dMajorRadius && m_dMinorRadius == o->m_dMinorRadius &&
           m_dAngle == o->m_dAngle && m_nDirection == o->m_nDirection && m_dStartAngle == o->m_dStartAngle &&
           m_dEndAngle == o->m_dEndAngle;
}

void EllipseArc2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() == FeatureTypeEllipseArc) {
        const auto* s = static_cast<const EllipseArc2dFeature*>(pSource);
        m_centre = s->m_centre;
        m_dMajorRadius = s->m_dMajorRadius;
        m_dMinorRadius = s->m_dMinorRadius;
        m_dAngle = s->m_dAngle;
        m_nDirection = s->m_nDirection;
        m_dStartAngle = s->m_dStartAngle;
        m_dEndAngle = s->m_dEndAngle;
    } else if (pSource->GetFeatureType() == FeatureTypeArc) {
        const auto* s = static_cast<const Arc2dFeature*>(pSource);
        m_centre = s->GetCenterPoint();
        m_dMajorRadius = m_dMinorRadius = s->GetRadius();
        m_dAngle = 0.0;
        m_nDirection = s->GetDirection();
        m_dStartAngle = s->GetStartAngle();
        m_dEndAngle = s->GetEndAngle();
    }
}

void EllipseArc2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_centre << m_dMajorRadius << m_dMinorRadius << m_dAngle << m_nDirection << m_dStartAngle << m_dEndAngle;
    else
        ar >> m_centre >> m_dMajorRadius >> m_dMinorRadius >> m_dAngle >> m_nDirection >> m_dStartAngle >> m_dEndAngle;
}
