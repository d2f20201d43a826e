#include "libs/vevure/Circle2dFeature.h"

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaCircle2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Circle2dFeature, Feature2dBase, 1)

Circle2dFeature::Circle2dFeature() : Feature2dBase(FeatureTypeCircle) {}

Circle2dFeature::Circle2dFeature(const RuVaPnt2d& centre, double dRadius) : Circle2dFeature()
{
    SetCenterPoint(centre);
    SetRadius(dRadius);
}

BOOL Circle2dFeature::SetCenterPoint(const RuVaPnt2d& centre)
{
    if (!FeatureGeometry::IsFinitePoint(centre))
        return FALSE;
    m_centre = centre;
    return TRUE;
}

BOOL Circle2dFeature::SetRadius(double dRadius)
{
    if (!IsValidRadius(dRadius))
        return FALSE;
    m_dRadius = dRadius;
    return TRUE;
}

RuVaPnt2d Circle2dFeature::GetPoint(double dAngleDeg) const
{
    return RuVaCircle2d::GetAnglePoint(m_centre, m_dRadius, dAngleDeg * RuVa::DegToRad);
}

BOOL Circle2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_centre) && IsValidRadius(m_dRadius);
}

RuVaBndBox2d Circle2dFeature::GetBndBox() const
{
    RuVaBndBox2d box;
    box.Update(m_centre.X() - m_dRadius, m_centre.Y() - m_dRadius, m_centre.X() + m_dRadius, m_centre.Y() + m_dRadius);
    return box;
}

BOOL Circle2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    if (FeatureGeometry::IsSingular(t) || !FeatureGeometry::IsSimilarity(t))
        return FALSE;
    const RuVaPnt2d c = t.Transformed(m_centre);
    const double r = m_dRadius * FeatureGeometry::LengthScale(t);
    if (!FeatureGeometry::IsFinitePoint(c) || !IsValidRadius(r))
        return FALSE;
    m_centre = c;
    m_dRadius = r;
    return TRUE;
}

BOOL Circle2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Circle2dFeature*>(pOther);
    return m_centre == o->m_centre && m_dRadius == o->m_dRadius;
}

void Circle2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Circle2dFeature*>(pSource);
    m_centre = s->m_centre;
    m_dRadius = s->m_dRadius;
}

void Circle2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_centre << m_dRadius;
    else
        ar >> m_centre >> m_dRadius;
}
