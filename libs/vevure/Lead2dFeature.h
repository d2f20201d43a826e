#pragma once
// A leader (type 30): a chain of points from the arrow tip (the first point) to the text, in the look of its
// lead style (arrow type and size, text style, text placement). The text sits at the last point unless the
// text-point flag places it freely at the text point.

#include "platform/afx/CString.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/LeadSetting.h"

class Lead2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Lead2dFeature)
public:
    Lead2dFeature();

    const CString& GetText() const { return m_strText; }
    BOOL SetText(const CString& strText);
    // At least two points, finite; FALSE, unchanged, otherwise.
    BOOL SetPointArray(const KcArrayOfGePnt2d& points);
    const KcArrayOfGePnt2d& GetPointArray() const { return m_points; }
    int GetPointSize() const { return (int)m_points.GetSize(); }
    // Index-guarded (invalid-argument exception).
    const RuVaPnt2d& GetPoint(int nIndex) const;
    BOOL SetPoint(int nIndex, const RuVaPnt2d& point);
    const RuVaPnt2d& GetTextPoint() const { return m_textPoint; }
    BOOL SetTextPoint(const RuVaPnt2d& point);
    BOOL IsTextPointFree() const { return m_bTextPointFree; }
    void SetTextPointFree(BOOL bFree) { m_bTextPointFree = bFree ? 1 : 0; }
    double GetTextHeight() const { return m_setting.GetTextFont().GetHeight(); }
    BOOL SetTextHeight(double dHeight);
    int GetArrowType() const { return m_setting.GetType(); }
    BOOL SetArrowType(int nType);
    double GetArrowSize() const { return m_setting.GetSize(); }
    BOOL SetArrowSize(double dSize);

    const LeadSetting& GetLeadSetting() const { return m_setting; }
    // Takes the defined values only; FALSE, unchanged, when the result is out of range.
    BOOL SetLeadSetting(const LeadSetting& setting);

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    CString m_strText;
    KcArrayOfGePnt2d m_points;
    LeadSetting m_setting;
    RuVaPnt2d m_textPoint;
    BYTE m_bTextPointFree = 0;
};
