#pragma once
// An elliptic arc (type 7): the ellipse's fields plus direction (0 counter-clockwise, 1 clockwise) and start
// and end parameter angles in degrees [0, 360).

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class EllipseArc2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(EllipseArc2dFeature)
public:
    EllipseArc2dFeature();
    EllipseArc2dFeature(const RuVaPnt2d& centre, double dMajorRadius, double dMinorRadius, double dAngleDeg,
                        double dStartAngleDeg, double dEndAngleDeg, int nDirection = 0);

    const RuVaPnt2d& GetCenterPoint() const { return m_centre; }
    void GetCenterPoint(RuVaPnt2d& centre) const { centre = m_centre; }
    BOOL SetCenterPoint(const RuVaPnt2d& centre);
    double GetMajorRadius() const { return m_dMajorRadius; }
    BOOL SetMajorRadius(double dRadius);
    double GetMinorRadius() const { return m_dMinorRadius; }
    BOOL SetMinorRadius(double dRadius);
    BOOL SetRadius(double dMajorRadius, double dMinorRadius);
    double GetAngle() const { return m_dAngle; }
    BOOL SetAngle(double dAngleDeg);
    double GetStartAngle() const { return m_dStartAngle; }
    double GetEndAngle() const { return m_dEndAngle; }
    BOOL SetStartAngle(double dAngleDeg);
    BOOL SetEndAngle(double dAngleDeg);
    BOOL SetStartEndAngle(double dStartDeg, double dEndDeg);
    int GetDirection() const { return m_nDirection; }
    BOOL SetDirection(int nDirection);
    RuVaPnt2d GetPoint(double dAngleDeg) const;
    RuVaPnt2d GetStartPoint() const { return GetPoint(m_dStartAngle); }
    RuVaPnt2d GetEndPoint() const { return GetPoint(m_dEndAngle); }
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
    double m_dMajorRadius = 2.0;
    double m_dMinorRadius = 1.0;
    double m_dAngle = 0.0;
    int m_nDirection = 0;
    double m_dStartAngle = 0.0;
    double m_dEndAngle = 90.0;
};
