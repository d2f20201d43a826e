#pragma once
// A text (type 10): lines of text at a base point, turned by an angle (degrees), in the look of its text
// style (font, height, width ratio, slant, spacing, base point position on the text block). The text's
// colour is the shape's own colour number. The outline is measured with a nominal character cell
// (width = height x width ratio) until the drawing layer gives real metrics.

#include "platform/afx/CString.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/TextSetting.h"

class Text2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Text2dFeature)
public:
    Text2dFeature();
    Text2dFeature(const CString& strText, const RuVaPnt2d& point);

    const CString& GetText() const { return m_strText; }
    BOOL SetText(const CString& strText);
    const RuVaPnt2d& GetPoint() const { return m_point; }
    BOOL SetPoint(const RuVaPnt2d& point);
    double GetAngle() const { return m_dAngle; }
    BOOL SetAngle(double dAngleDeg);

    // The style's values, each refused (FALSE, unchanged) out of its range.
    double GetHeight() const { return m_setting.GetHeight(); }
    BOOL SetHeight(double dHeight);
    double GetWidthRatio() const { return m_setting.GetWidthRatio(); }
    BOOL SetWidthRatio(double dRatio);
    // Extra space between characters and between lines, in drawing units, not below 0.
    double GetCharSpacing() const { return m_setting.GetCharSpacing(); }
    BOOL SetCharSpacing(double dSpacing);
    double GetLineSpacing() const { return m_setting.GetLineSpacing(); }
    BOOL SetLineSpacing(double dSpacing);
    const CString& GetFontName() const { return m_setting.GetFontName(); }
    BOOL SetFontName(const CString& strName);
    // 0 left, 1 centre, 2 right / 0 top, 1 middle, 2 bottom: where the base point sits on the text block.
    int GetHorizonArrange() const { return m_setting.GetBasePointPosition() % 3; }
    BOOL SetHorizonArrange(int nArrange);
    int GetVerticalArrange() const { return 2 - m_setting.GetBasePointPosition() / 3; }
    BOOL SetVerticalArrange(int nArrange);

    const TextSetting& GetTextSetting() const { return m_setting; }
    // Takes the defined values only; FALSE, unchanged, when the result is out of range.
    BOOL SetTextSetting(const TextSetting& setting);

    // The auto-layout flag: the layout rectangle follows the text.
    BYTE m_bAutoLayout = 1;
    // Sets the layout rectangle to the text's own block.
    void SetAutoLayoutRect();
    double GetLayoutWidth() const { return m_dLayoutWidth; }
    double GetLayoutHeight() const { return m_dLayoutHeight; }
    BOOL SetLayoutRect(double dWidth, double dHeight);
    // Scales height and spacings by the factor (above 0); with nFlag 1 the layout rectangle too.
    BOOL ScaleSize(double dFactor, int nFlag);

    int GetLineCount() const;
    // The four corners of the text block, counter-clockwise from the lower left, then the first again.
    BOOL GetOutlinePoints(KcArrayOfGePnt2d& points) const override;

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    void GetBlockSize(double& dWidth, double& dHeight) const;
    void FollowLayout();

    CString m_strText;
    TextSetting m_setting;
    RuVaPnt2d m_point;
    double m_dAngle = 0.0;
    double m_dLayoutWidth = 0.0;
    double m_dLayoutHeight = 0.0;
};
