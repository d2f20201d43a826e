#include "libs/vevure/RadiusDimension2dFeature.h"

#include "platform/afx/CArchive.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(RadiusDimension2dFeature, Dimension2dFeatureBase, 1)

RadiusDimension2dFeature::RadiusDimension2dFeature() : Dimension2dFeatureBase(FeatureTypeRadiusDimension, 3)
{
    m_points[1] = m_points[2] = RuVaPnt2d(10.0, 0.0);
}

RadiusDimension2dFeature::RadiusDimension2dFeature(const RuVaPnt2d& centre, const RuVaPnt2d& dimPoint)
    : RadiusDimension2dFeature()
{
    SetStartPoint(centre);
    SetEndPoint(dimPoint);
    SetSecondPoint(dimPoint);
}

double RadiusDimension2dFeature::GetMeasuredValue() const
{
    return m_points[0].Distance(m_points[1]);
}

void RadiusDimension2dFeature::SerializeScalars(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_bLeaderMode;
    } else {
        ar >> m_bLeaderMode;
        FeatureGeometry::Check(ar, m_bLeaderMode <= 2);
    }
}

BOOL RadiusDimension2dFeature::IsEqualScalars(const Dimension2dFeatureBase* pOther) const
{
    return m_bLeaderMode == static_cast<const RadiusDimension2dFeature*>(pOther)->m_bLeaderMode;
}

void RadiusDimension2dFeature::CopyScalars(const Dimension2dFeatureBase* pSource)
{
    m_bLeaderMode = static_cast<const RadiusDimension2dFeature*>(pSource)->m_bLeaderMode;
}
