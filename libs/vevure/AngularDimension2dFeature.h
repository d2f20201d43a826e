#pragma once
// An angular dimension (type 53): the angle at the centre from the start point to the end point
// (counter-clockwise, degrees), drawn on an arc of the radius.

#include "libs/vevure/Dimension2dFeatureBase.h"

class AngularDimension2dFeature : public Dimension2dFeatureBase
{
    DECLARE_SERIAL(AngularDimension2dFeature)
public:
    AngularDimension2dFeature();
    AngularDimension2dFeature(const RuVaPnt2d& centre, const RuVaPnt2d& start, const RuVaPnt2d& end, double dRadius);

    const RuVaPnt2d& GetCenterPoint() const { return m_points[0]; }
    BOOL SetCenterPoint(const RuVaPnt2d& point) { return SetDimPoint(0, point); }
    const RuVaPnt2d& GetStartPoint() const { return m_points[1]; }
    BOOL SetStartPoint(const RuVaPnt2d& point) { return SetDimPoint(1, point); }
    const RuVaPnt2d& GetEndPoint() const { return m_points[2]; }
    BOOL SetEndPoint(const RuVaPnt2d& point) { return SetDimPoint(2, point); }
    double GetRadius() const { return m_dRadius; }
    BOOL SetRadius(double dRadius);

    double GetMeasuredValue() const override;

protected:
    void TransformScalars(const RuVaGTrsf2d& t, double dLengthScale) override;
    void SerializeScalars(CArchive& ar) override;
    BOOL IsEqualScalars(const Dimension2dFeatureBase* pOther) const override;
    void CopyScalars(const Dimension2dFeatureBase* pSource) override;

private:
    double m_dRadius = 10.0;
};
