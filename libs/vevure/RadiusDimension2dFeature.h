#pragma once
// A radius dimension (type 51): from the centre (start point) to a point of the curve (end point); the
// leader mode places the text along a second point.

#include "libs/vevure/Dimension2dFeatureBase.h"

class RadiusDimension2dFeature : public Dimension2dFeatureBase
{
    DECLARE_SERIAL(RadiusDimension2dFeature)
public:
    RadiusDimension2dFeature();
    RadiusDimension2dFeature(const RuVaPnt2d& centre, const RuVaPnt2d& dimPoint);

    const RuVaPnt2d& GetStartPoint() const { return m_points[0]; }
    BOOL SetStartPoint(const RuVaPnt2d& point) { return SetDimPoint(0, point); }
    const RuVaPnt2d& GetEndPoint() const { return m_points[1]; }
    BOOL SetEndPoint(const RuVaPnt2d& point) { return SetDimPoint(1, point); }
    const RuVaPnt2d& GetSecondPoint() const { return m_points[2]; }
    BOOL SetSecondPoint(const RuVaPnt2d& point) { return SetDimPoint(2, point); }
    // 0 the text on the radius line; 1 the line runs on to the second point with a shelf under the text;
    // 2 only a leader from outside to the second point, with the shelf.
    int GetLeaderMode() const { return m_bLeaderMode; }
    void SetLeaderMode(int nMode)
    {
        m_bLeaderMode = (BYTE)(nMode == 2 ? 2 : nMode ? 1 : 0);
        InvalidateLayout();
    }

    double GetMeasuredValue() const override;

protected:
    void SerializeScalars(CArchive& ar) override;
    BOOL IsEqualScalars(const Dimension2dFeatureBase* pOther) const override;
    void CopyScalars(const Dimension2dFeatureBase* pSource) override;

private:
    BYTE m_bLeaderMode = 0;
};
