#include "libs/vevure/DiameterDimension2dFeature.h"

IMPLEMENT_SERIAL(DiameterDimension2dFeature, Dimension2dFeatureBase, 1)

DiameterDimension2dFeature::DiameterDimension2dFeature() : Dimension2dFeatureBase(FeatureTypeDiameterDimension, 3)
{
    m_points[0] = RuVaPnt2d(-5.0, 0.0);
    m_points[1] = m_points[2] = RuVaPnt2d(5.0, 0.0);
}

DiameterDimension2dFeature::DiameterDimension2dFeature(const RuVaPnt2d& start, const RuVaPnt2d& end)
    : DiameterDimension2dFeature()
{
    SetStartPoint(start);
    SetEndPoint(end);
    SetPoint(end);
}

double DiameterDimension2dFeature::GetMeasuredValue() const
{
    return m_points[0].Distance(m_points[1]);
}
