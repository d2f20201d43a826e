#pragma once
// A full ellipse (type 6): centre, major and minor radius, rotation of the major axis in degrees [0, 360).

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class Ellipse2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Ellipse2dFeature)
public:
    Ellipse2dFeature();
    Ellipse2dFeature(const RuVaPnt2d& centre, double dMajorRadius, double dMinorRadius, double dAngleDeg);

    const RuVaPnt2d& GetCenterPoint() const { return m_centre; }
    void GetCenterPoint(RuVaPnt2d& centre) const { centre = m_centre; }
    BOOL SetCenterPoint(const RuVaPnt2d& centre);
    double GetMajorRadius() const { return m_dMajorRadius; }
    double GetMinorRadius() const { return m_dMinorRadius; }
    // Both radii above 0 and below 1e15; FALSE, unchanged, otherwise.
    BOOL SetRadius(double dMajorRadius, double dMinorRadius);
    double GetAngle() const { return m_dAngle; }
    BOOL SetAngle(double dAngleDeg);
    // The point at the parameter angle (degrees) of the ellipse.
    RuVaPnt2d GetPoint(double dAngleDeg) const;

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

    // Centre, radii and rotation (degrees) of the image of an ellipse under an affine map; FALSE for a singular
    // map. Also serves circles and arcs under unequal scales.
    static BOOL TransformEllipse(const RuVaGTrsf2d& t, RuVaPnt2d& centre, double& dMajor, double& dMinor,
                                 double& dAngleDeg, double* pParamStartDeg = nullptr, double* pParamEndDeg = nullptr,
                                 int* pDirection = nullptr);

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    RuVaPnt2d m_centre;
    double m_dMajorRadius = 2.0;
    double m_dMinorRadius = 1.0;
    double m_dAngle = 0.0;
};
