#pragma once
// An arc-length dimension (type 54): the length of the arc of a radius round the centre from the start to
// the end angle (counter-clockwise, degrees), with extension lines of a projection length.

#include "libs/vevure/Dimension2dFeatureBase.h"

class ArcDimension2dFeature : public Dimension2dFeatureBase
{
    DECLARE_SERIAL(ArcDimension2dFeature)
public:
    ArcDimension2dFeature();
    ArcDimension2dFeature(const RuVaPnt2d& centre, double dRadius, double dStartAngleDeg, double dEndAngleDeg);

    const RuVaPnt2d& GetCenterPoint() const { return m_points[0]; }
    BOOL SetCenterPoint(const RuVaPnt2d& point) { return SetDimPoint(0, point); }
    double GetRadius() const { return m_dRadius; }
    BOOL SetRadius(double dRadius);
    double GetStartAngle() const { return m_dStartAngle; }
    BOOL SetStartAngle(double dAngleDeg);
    double GetEndAngle() const { return m_dEndAngle; }
    BOOL SetEndAngle(double dAngleDeg);
    double GetProjectionLength() const { return m_dProjectionLength; }
    BOOL SetProjectionLength(double dLength);

    double GetMeasuredValue() const override;

    // Whether the extension lines of an arc-length dimension can run parallel (to the arc's bisector):
    // 1 for an arc of less than half a turn, else 0. For the parallel mode (0) a distance of the
    // dimension arc from the centre that such lines cannot reach is raised to the nearest they reach. The
    // foot receives the point on the start radius at that distance, so |start, foot| is the projection
    // length the dimension is laid out with (inwards when the offset, the distance less the radius, is
    // negative).
    static int CanProjectionLineParallel(const RuVaPnt2d& centre, const RuVaPnt2d& start, double dRadius,
                                         double& dDistance, double dStartAngleDeg, double dEndAngleDeg,
                                         int nRadialMode, double dOffset, RuVaPnt2d& foot);

protected:
    void TransformScalars(const RuVaGTrsf2d& t, double dLengthScale) override;
    void SerializeScalars(CArchive& ar) override;
    BOOL IsEqualScalars(const Dimension2dFeatureBase* pOther) const override;
    void CopyScalars(const Dimension2dFeatureBase* pSource) override;

private:
    double m_dRadius = 10.0;
    double m_dStartAngle = 0.0;
    double m_dEndAngle = 90.0;
    double m_dProjectionLength = 0.0;
};
