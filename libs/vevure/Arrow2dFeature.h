#pragma once
// An arrow head (type 13) at a tip point pointing along an angle (degrees): a piece of a resolved lead or
// dimension, and the source of the arrow extents that layouts use.

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class Arrow2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Arrow2dFeature)
public:
    Arrow2dFeature();
    Arrow2dFeature(const RuVaPnt2d& tip, double dAngleDeg, int nArrowType, double dSize);

    const RuVaPnt2d& GetPoint() const { return m_tip; }
    BOOL SetPoint(const RuVaPnt2d& tip);
    double GetAngle() const { return m_dAngle; }
    BOOL SetAngle(double dAngleDeg);
    // ArrowType 0-13.
    int GetArrowType() const { return m_nArrowType; }
    BOOL SetArrowType(int nType);
    double GetSize() const { return m_dSize; }
    BOOL SetSize(double dSize);

    // Length along the arrow and full width across it of an arrow head of that type and size; FALSE (0, 0)
    // for an unknown type or a size below 0.
    static BOOL GetArrowHorizonVerticalSize(int nArrowType, double dSize, double& dHorizon, double& dVertical);
    static bool IsValidArrowType(int nType) { return nType >= 0 && nType <= 13; }

    BOOL GetOutlinePoints(KcArrayOfGePnt2d& points) const override;
    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    RuVaPnt2d m_tip;
    double m_dAngle = 0.0;
    double m_dSize = 3.0;
    int m_nArrowType = 3;
};
