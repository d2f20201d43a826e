#pragma once
// A diameter dimension (type 52): between two opposite points of a circle (start and end), with the point
// where the dimension line is placed.

#include "libs/vevure/Dimension2dFeatureBase.h"

class DiameterDimension2dFeature : public Dimension2dFeatureBase
{
    DECLARE_SERIAL(DiameterDimension2dFeature)
public:
    DiameterDimension2dFeature();
    DiameterDimension2dFeature(const RuVaPnt2d& start, const RuVaPnt2d& end);

    const RuVaPnt2d& GetStartPoint() const { return m_points[0]; }
    BOOL SetStartPoint(const RuVaPnt2d& point) { return SetDimPoint(0, point); }
    const RuVaPnt2d& GetEndPoint() const { return m_points[1]; }
    BOOL SetEndPoint(const RuVaPnt2d& point) { return SetDimPoint(1, point); }
    const RuVaPnt2d& GetPoint() const { return m_points[2]; }
    BOOL SetPoint(const RuVaPnt2d& point) { return SetDimPoint(2, point); }

    double GetMeasuredValue() const override;
};
