#include "libs/vevure/AngularDimension2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(AngularDimension2dFeature, Dimension2dFeatureBase, 1)

AngularDimension2dFeature::AngularDimension2dFeature() : Dimension2dFeatureBase(FeatureTypeAngularDimension, 3)
{
    m_points[1] = RuVaPnt2d(10.0, 0.0);
    m_points[2] = RuVaPnt2d(0.0, 10.0);
}

AngularDimension2dFeature::AngularDimension2dFeature(const RuVaPnt2d& centre, const RuVaPnt2d& start,
                                                     const RuVaPnt2d& end, double dRadius)
    : AngularDimension2dFeature()
{
    SetCenterPoint(centre);
    SetStartPoint(start);
    SetEndPoint(end);
    SetRadius(dRadius);
}

BOOL AngularDimension2dFeature::SetRadius(double dRadius)
{
    if (!FeatureGeometry::IsPositiveSize(dRadius))
        return FALSE;
    m_dRadius = dRadius;
    InvalidateLayout();
    return TRUE;
}

double AngularDimension2dFeature::GetMeasuredValue() const
{
    const RuVaVec2d a = m_points[1] - m_points[0], b = m_points[2] - m_points[0];
    return RuVa::CorrectAngle(std::atan2(a.Crossed(b), a.Dot(b)) * RuVa::RadToDeg);
}

void AngularDimension2dFeature::TransformScalars(const RuVaGTrsf2d&, double dLengthScale)
{
    if (FeatureGeometry::IsPositiveSize(m_dRadius * dLengthScale))
        m_dRadius *= dLengthScale;
}

void AngularDimension2dFeature::SerializeScalars(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dRadius;
    } else {
        ar >> m_dRadius;
        FeatureGeometry::Check(ar, FeatureGeometry::IsPositiveSize(m_dRadius));
    }
}

BOOL AngularDimension2dFeature::IsEqualScalars(const Dimension2dFeatureBase* pOther) const
{
    return m_dRadius == static_cast<const AngularDimension2dFeature*>(pOther)->m_dRadius;
}

void AngularDimension2dFeature::CopyScalars(const Dimension2dFeatureBase* pSource)
{
    m_dRadius = static_cast<const AngularDimension2dFeature*>(pSource)->m_dRadius;
}
