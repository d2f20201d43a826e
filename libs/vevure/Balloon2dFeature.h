#pragma once
// A balloon (type 31): a circle or rectangle round a centre holding a short text, with a leader from the
// arrow tip (the first lead point) to the balloon, in the look of its balloon style (frame type and size,
// text style, lead arrow).

#include "platform/afx/CString.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/BalloonSetting.h"
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
    int GetBalloonType() const { return m_setting.GetType(); }
    BOOL SetBalloonType(int nType);
    // Diameter of a circle, side of a rectangle; above 0.
    double GetBalloonSize() const { return m_setting.GetSize(); }
    BOOL SetBalloonSize(double dSize);
    double GetTextHeight() const { return m_setting.GetTextFont().GetHeight(); }
    BOOL SetTextHeight(double dHeight);
    int GetArrowType() const { return m_setting.GetLeadArrowType(); }
    BOOL SetArrowType(int nType);
    double GetArrowSize() const { return m_setting.GetLeadArrowSize(); }
    BOOL SetArrowSize(double dSize);

    const BalloonSetting& GetBalloonSetting() const { return m_setting; }
    // Takes the defined values only; FALSE, unchanged, when the result is out of range.
    BOOL SetBalloonSetting(const BalloonSetting& setting);

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
    BalloonSetting m_setting;
    RuVaPnt2d m_centre;
};
