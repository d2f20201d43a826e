#pragma once
// The dimension style page of the attributes a dimension is drawn with: the dimension's colour, line type
// and line width, whether the extension lines take their own (and which), and whether the value text takes
// its own colour (and which).

#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "settings/CFeatureSettingPropertyPage.h"

class DimensionSetting;

class CDimensionColorLineSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CDimensionColorLineSettingPage)
public:
    enum { IDD = 509 };
    static constexpr int kColorId = 2901;
    static constexpr int kLineTypeId = 2902;
    static constexpr int kLineWidthId = 2903;
    static constexpr int kTextColorRuleId = 2904;
    static constexpr int kTextColorId = 2905;
    static constexpr int kProjectionColorRuleId = 2906;
    static constexpr int kProjectionColorId = 2907;
    static constexpr int kProjectionLineTypeRuleId = 2908;
    static constexpr int kProjectionLineTypeId = 2909;
    static constexpr int kProjectionWidthRuleId = 2910;
    static constexpr int kProjectionWidthId = 2911;

    CDimensionColorLineSettingPage();
    ~CDimensionColorLineSettingPage() override;

    void SetDimensionSetting(const DimensionSetting* pSetting);
    BOOL GetDimensionSetting(DimensionSetting* pSetting) const;
    BOOL UpdateControls();

    // The four rules (check states; 2 is indeterminate in the mixed-values mode), then the seven numbers.
    int m_nProjectionColorRule = 0;
    int m_nProjectionLineTypeRule = 0;
    int m_nProjectionWidthRule = 0;
    int m_nTextColorRule = 0;
    short m_nColorNo = kUndefinedNo;
    short m_nLineTypeNo = kUndefinedNo;
    short m_nLineWidthNo = kUndefinedNo;
    short m_nTextColorNo = kUndefinedNo;
    short m_nProjectionColorNo = kUndefinedNo;
    short m_nProjectionLineTypeNo = kUndefinedNo;
    short m_nProjectionWidthNo = kUndefinedNo;

    CSelectColorComboBox m_colorList{1, 1, FALSE, TRUE};
    CSelectColorComboBox m_textColorList{1, 1, FALSE, TRUE};
    CSelectColorComboBox m_projectionColorList{1, 1, FALSE, TRUE};
    CSelectLineTypeComboBox m_lineTypeList;
    CSelectLineTypeComboBox m_projectionLineTypeList;
    CSelectLineWidthComboBox m_lineWidthList;
    CSelectLineWidthComboBox m_projectionWidthList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void RuleClicked(int nID);

    afx_msg void OnTextColorRule();
    afx_msg void OnProjectionColorRule();
    afx_msg void OnProjectionLineTypeRule();
    afx_msg void OnProjectionWidthRule();
    afx_msg void OnSelectAttribute();
    afx_msg void OnFocusField();
    DECLARE_MESSAGE_MAP()
};
