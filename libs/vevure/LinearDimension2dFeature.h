#pragma once
// A linear dimension (type 50): the distance of two points measured along the dimension angle (degrees),
// with extension lines of a projection length at a projection angle. ParallelDimension2dFeature (type 55)
// measures along the two points' own direction.

#include "libs/vevure/Dimension2dFeatureBase.h"

class LinearDimension2dFeature : public Dimension2dFeatureBase
{
    DECLARE_SERIAL(LinearDimension2dFeature)
public:
    LinearDimension2dFeature();
    LinearDimension2dFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2, double dProjectionLength,
                             double dProjectionAngleDeg, double dDimensionAngleDeg);

    // 0 the first point, 1 the second. Out-of-range indexes give the second point / refuse.
    const RuVaPnt2d& GetPoint(int nIndex) const { return m_points[nIndex == 0 ? 0 : 1]; }
    BOOL SetPoint(int nIndex, const RuVaPnt2d& point);
    double GetProjectionLength() const { return m_dProjectionLength; }
    BOOL SetProjectionLength(double dLength);
    double GetProjectionAngle() const { return m_dProjectionAngle; }
    BOOL SetProjectionAngle(double dAngleDeg);
    double GetDimensionAngle() const { return m_dDimensionAngle; }
    BOOL SetDimensionAngle(double dAngleDeg);

    double GetMeasuredValue() const override;

protected:
    explicit LinearDimension2dFeature(FeatureType nType);
    void TransformScalars(const RuVaGTrsf2d& t, double dLengthScale) override;
    void SerializeScalars(CArchive& ar) override;
    BOOL IsEqualScalars(const Dimension2dFeatureBase* pOther) const override;
    void CopyScalars(const Dimension2dFeatureBase* pSource) override;

private:
    double m_dProjectionLength = 0.0;
    double m_dProjectionAngle = 90.0;
    double m_dDimensionAngle = 0.0;
};
