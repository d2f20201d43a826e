#include "libs/vevure/Arc2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Arc2dFeature, Feature2dBase, 1)

Arc2dFeature::Arc2dFeature() : Feature2dBase(FeatureTypeArc) {}

Arc2dFeature::Arc2dFeature(const RuVaPnt2d& centre, double dRadius, double dStartAngleDeg, double dEndAngleDeg,
                           int nDirection)
    : Arc2dFeature()
{
    SetCenterPoint(centre);
    SetRadius(dRadius);
    SetStartAngle(dStartAngleDeg);
    SetEndAngle(dEndAngleDeg);
    SetDirection(nDirection);
}

BOOL Arc2dFeature::SetCenterPoint(const RuVaPnt2d& centre)
{
    if (!FeatureGeometry::IsFinitePoint(centre))
        return FALSE;
    m_centre = centre;
    return TRUE;
}

BOOL Arc2dFeature::SetRadius(double dRadius)
{
    if (!Circle2dFeature::IsValidRadius(dRadius))
        return FALSE;
    m_dRadius = dRadius;
    return TRUE;
}

BOOL Arc2dFeature::SetDirection(int nDirection)
{
    if (nDirection != 0 && nDirection != 1)
        return FALSE;
    m_nDirection = nDirection;
    return TRUE;
}

BOOL Arc2dFeature::SetStartAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dStartAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL Arc2dFeature::SetEndAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dEndAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

RuVaPnt2d Arc2dFeature::GetStartPoint() const
{
    const double a = m_dStartAngle * 0.017453292519943295;
    return RuVaPnt2d(m_centre.X() + m_dRadius * std::cos(a), m_centre.Y() + m_dRadius * std::sin(a));
}

RuVaPnt2d Arc2dFeature::GetEndPoint() const
{
    const double a = m_dEndAngle * 0.017453292519943295;
    return RuVaPnt2d(m_centre.X() + m_dRadius * std::cos(a), m_centre.Y() + m_dRadius * std::sin(a));
}

double Arc2dFeature::GetSweepAngle() const
{
    return FeatureGeometry::ArcSweep(m_dStartAngle, m_dEndAngle, m_nDirection);
}

BOOL Arc2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_centre) && Circle2dFeature::IsValidRadius(m_dRadius) &&
           (m_nDirection == 0 || m_nDirection == 1) && m_dStartAngle >= 0.0 && m_dStartAngle < 360.0 &&
           m_dEndAngle >= 0.0 && m_dEndAngle < 360.0;
}

RuVaBndBox2d Arc2dFeature::GetBndBox() const
{
    RuVaBndBox2d box;
    box.Set(GetStartPoint());
    box.Add(GetEndPoint());
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const double a = quadrant * 90.0;
        if (FeatureGeometry::IsAngleOnArc(a, m_dStartAngle, m_dEndAngle, m_nDirection))
            box.Add(RuVaPnt2d(m_centre.X() + m_dRadius * std::cos(a * RuVa::DegToRad),
                              m_centre.Y() + m_dRadius * std::sin(a * RuVa::DegToRad)));
    }
    return box;
}

BOOL Arc2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    if (FeatureGeometry::IsSingular(t) || !FeatureGeometry::IsSimilarity(t))
        return FALSE;
    const RuVaPnt2d c = t.Transformed(m_centre);
    const double r = m_dRadius * FeatureGeometry::LengthScale(t);
    if (!FeatureGeometry::IsFinitePoint(c) || !Circle2dFeature::IsValidRadius(r))
        return FALSE;
    m_centre = c;
    m_dRadius = r;
    m_dStartAngle = FeatureGeometry::TransformAngle(t, m_dStartAngle);
    m_dEndAngle = FeatureGeometry::TransformAngle(t, m_dEndAngle);
    // A mirror turns the arc's sense round.
    if (t.Determinant() < 0.0)
        m_nDirection = 1 - m_nDirection;
    return TRUE;
}

BOOL Arc2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Arc2dFeature*>(pOther);
    return m_centre == o->m_centre && m_dRadius == o->m_dRadius && m_nDirection == o->m_nDirection &&
           m_dStartAngle == o->m_dStartAngle && m_dEndAngle == o->m_dEndAngle;
}

void Arc2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Arc2dFeature*>(pSource);
    m_centre = s->m_centre;
    m_dRadius = s->m_dRadius;
    m_nDirection = s->m_nDirection;
    m_dStartAngle = s->m_dStartAngle;
    m_dEndAngle = s->m_dEndAngle;
}

void Arc2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_centre << m_dRadius << m_nDirection << m_dStartAngle << m_dEndAngle;
    else
        ar >> m_centre >> m_dRadius >> m_nDirection >> m_dStartAngle >> m_dEndAngle;
}
