#pragma once
// A text (type 10): lines of text at a base point, turned by an angle (degrees), with character height,
// width ratio, spacing, font and alignment of the text block on the base point. The outline is measured with
// a nominal character cell (width = height x width ratio) until the drawing layer gives real metrics.

#include "platform/afx/CString.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

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
    // Above 0 and below 1e15.
    double GetHeight() const { return m_dHeight; }
    BOOL SetHeight(double dHeight);
    // Above 0 and at most 100.
    double GetWidthRatio() const { return m_dWidthRatio; }
    BOOL SetWidthRatio(double dRatio);
    // Extra space between characters and between lines, in drawing units, not below 0.
    double GetCharSpacing() const { return m_dCharSpacing; }
    BOOL SetCharSpacing(double dSpacing);
    double GetLineSpacing() const { return m_dLineSpacing; }
    BOOL SetLineSpacing(double dSpacing);
    const CString& GetFontName() const { return m_strFontName; }
    void SetFontName(const CString& strName) { m_strFontName = strName; }
    // 0 left, 1 centre, 2 right / 0 top, 1 middle, 2 bottom.
    int GetHorizonArrange() const { return m_nHorizonArrange; }
    BOOL SetHorizonArrange(int nArrange);
    int GetVerticalArrange() const { return m_nVerticalArrange; }
    BOOL SetVerticalArrange(int nArrange);
    BOOL IsItalic() const { return m_bItalic; }
    void SetItalic(BOOL b) { m_bItalic = b ? 1 : 0; }
    BOOL IsBold() const { return m_bBold; }
    void SetBold(BOOL b) { m_bBold = b ? 1 : 0; }

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

    CString m_strText;
    CString m_strFontName;
    RuVaPnt2d m_point;
    double m_dAngle = 0.0;
    double m_dHeight = 3.5;
    double m_dWidthRatio = 1.0;
    double m_dCharSpacing = 0.0;
    double m_dLineSpacing = 0.0;
    double m_dLayoutWidth = 0.0;
    double m_dLayoutHeight = 0.0;
    BYTE m_nHorizonArrange = 0;
    BYTE m_nVerticalArrange = 2;
    BYTE m_bItalic = 0;
    BYTE m_bBold = 0;
};
