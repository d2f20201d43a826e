#pragma once
// A balloon (type 31): a circle or rectangle (BalloonType) of a size round a centre holding a short text,
// with a leader from the arrow tip (the first lead point) to the balloon.

#include "platform/afx/CString.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class Balloon2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Balloon2dFeature)
public:
    Balloon2dFeature();

    const CString& GetText() const { return m_strText; }
    BOOL SetText(const CString& strText);
    // At least one point (the tip), finite.
    BOOL SetLeadPointArray(const KcArrayOfGePnt2d& points);
    const KcArrayOfGePnt2d& GetLeadPointArray() const { return m_leadPoints; }
    int GetLeadPointSize() const { return (int)m_leadPoints.GetSize(); }
    // Index-guarded (invalid-argument exception).
    const RuVaPnt2d& GetLeadPoint(int nIndex) const;
    BOOL SetLeadPoint(int nIndex, const RuVaPnt2d& point);
    const RuVaPnt2d& GetCenterPoint() const { return m_centre; }
    BOOL SetCenterPoint(const RuVaPnt2d& centre);
    int GetBalloonType() const { return m_nBalloonType; }
    BOOL SetBalloonType(int nType);
    // Diameter of a circle, side of a rectangle; above 0.
    double GetBalloonSize() const { return m_dBalloonSize; }
    BOOL SetBalloonSize(double dSize);
    double GetTextHeight() const { return m_dTextHeight; }
    BOOL SetTextHeight(double dHeight);
    int GetArrowType() const { return m_nArrowType; }
    BOOL SetArrowType(int nType);
    double GetArrowSize() const { return m_dArrowSize; }
    BOOL SetArrowSize(double dSize);

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    CString m_strText;
    KcArrayOfGePnt2d m_leadPoints;
    RuVaPnt2d m_centre;
    double m_dBalloonSize = 10.0;
    double m_dTextHeight = 3.5;
    double m_dArrowSize = 3.0;
    short m_nArrowType = 4;
    BYTE m_nBalloonType = 0;
};
