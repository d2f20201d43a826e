#pragma once
// A circular arc (type 5): centre, radius, direction (0 counter-clockwise, 1 clockwise) and start and end
// angles in degrees, kept in [0, 360).

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class Arc2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Arc2dFeature)
public:
    enum Direction { CounterClockwise = 0, Clockwise = 1 };

    Arc2dFeature();
    Arc2dFeature(const RuVaPnt2d& centre, double dRadius, double dStartAngleDeg, double dEndAngleDeg,
                 int nDirection = CounterClockwise);

    const RuVaPnt2d& GetCenterPoint() const { return m_centre; }
    void GetCenterPoint(RuVaPnt2d& centre) const { centre = m_centre; }
    BOOL SetCenterPoint(const RuVaPnt2d& centre);
    double GetRadius() const { return m_dRadius; }
    BOOL SetRadius(double dRadius);
    int GetDirection() const { return m_nDirection; }
    BOOL SetDirection(int nDirection);
    double GetStartAngle() const { return m_dStartAngle; }
    double GetEndAngle() const { return m_dEndAngle; }
    BOOL SetStartAngle(double dAngleDeg);
    BOOL SetEndAngle(double dAngleDeg);
    RuVaPnt2d GetStartPoint() const;
    RuVaPnt2d GetEndPoint() const;
    // The angle swept from start to end in the arc's direction, (0, 360] degrees.
    double GetSweepAngle() const;

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    RuVaPnt2d m_centre;
    double m_dRadius = 1.0;
    int m_nDirection = CounterClockwise;
    double m_dStartAngle = 0.0;
    double m_dEndAngle = 90.0;
};
