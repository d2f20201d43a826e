#pragma once
// The style page of balloons: the frame's kind, size, colour, line type and width, the label's font,
// colour, slant and style flag, and the lead's arrow with its own colour, line type and width when they
// differ from the balloon's.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CQZ2FontComboBox.h"
#include "controls/CSelectArrowComboBox.h"
#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"

class BalloonSetting;

class CBalloonSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CBalloonSettingPage)
public:
    enum { IDD = 504 };
    static constexpr int kKindId = 2106, kSizeId = 2070, kColorId = 2121, kLineTypeId = 2176;
    static constexpr int kLineWidthId = 2122, kFontId = 2058, kTextColorRuleId = 2107, kTextColorId = 2093;
    static constexpr int kSlantId = 2049, kStyleFlagId = 2164, kArrowId = 2105, kArrowSizeId = 2069;
    static constexpr int kLeadColorRuleId = 2108, kLeadColorId = 2090, kLeadLineTypeRuleId = 2111;
    static constexpr int kLeadLineTypeId = 2110, kLeadLineWidthRuleId = 2109, kLeadLineWidthId = 2091;
    static constexpr int kFirstId = 2049, kLastId = 2176;

    CBalloonSettingPage();
    ~CBalloonSettingPage() override;

    void SetBalloonSetting(const BalloonSetting& setting);
    BOOL GetBalloonSetting(BalloonSetting& setting) const;
    BOOL UpdateControls();
    void UpdatePreview();

    int m_nKind = -1;
    double m_dSize = 0.0;
    double m_dArrowSize = 0.0;
    double m_dSlant = 0.0;
    int m_nArrowType = -1;
    int m_nLeadColorRule = 0;
    int m_nLeadLineTypeRule = 0;
    int m_nLeadLineWidthRule = 0;
    int m_nTextColorRule = 0;
    int m_nStyleFlag = 0;
    CString m_strFontName;
    short m_nColorNo = kUndefinedNo;
    short m_nLineTypeNo = kUndefinedNo;
    short m_nLineWidthNo = kUndefinedNo;
    short m_nTextColorNo = kUndefinedNo;
    short m_nLeadColorNo = kUndefinedNo;
    short m_nLeadLineTypeNo = kUndefinedNo;
    short m_nLeadLineWidthNo = kUndefinedNo;

    CSelectArrowComboBox m_arrowList;
    CSelectColorComboBox m_colorList{1, 1, FALSE, TRUE};
    CSelectColorComboBox m_textColorList{1, 1, FALSE, TRUE};
    CSelectColorComboBox m_leadColorList{1, 1, FALSE, TRUE};
    CSelectLineTypeComboBox m_lineTypeList;
    CSelectLineTypeComboBox m_leadLineTypeList;
    CSelectLineWidthComboBox m_lineWidthList;
    CSelectLineWidthComboBox m_leadLineWidthList;
    CQZ2FontComboBox m_fontList;
    CQZ2DoubleEdit m_sizeEdit, m_slantEdit, m_arrowSizeEdit;
    CSpinButtonCtrl m_sizeSpin, m_slantSpin, m_arrowSizeSpin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnClicked(UINT nID);
    afx_msg void OnSelect(UINT nID);
    afx_msg void OnTyping(UINT nID);
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
