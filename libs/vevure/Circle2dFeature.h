#pragma once
// A full circle (type 4). The radius lies above 0 and below 1e15.

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class Circle2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Circle2dFeature)
public:
    Circle2dFeature();
    Circle2dFeature(const RuVaPnt2d& centre, double dRadius);

    const RuVaPnt2d& GetCenterPoint() const { return m_centre; }
    void GetCenterPoint(RuVaPnt2d& centre) const { centre = m_centre; }
    BOOL SetCenterPoint(const RuVaPnt2d& centre);
    double GetRadius() const { return m_dRadius; }
    BOOL SetRadius(double dRadius);
    // The point of the circle at the angle (degrees, counter-clockwise from the X axis).
    RuVaPnt2d GetPoint(double dAngleDeg) const;

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

    // The radius rule shared by circles, arcs and ellipses: above 0, below 1e15.
    static bool IsValidRadius(double dRadius) { return dRadius > 0.0 && dRadius < 1e15; }

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    RuVaPnt2d m_centre;
    double m_dRadius = 1.0;
};
