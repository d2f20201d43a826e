#pragma once
// The style page of leads: the arrow at the start, the line's colour, type and width, and the text at the
// end with its font, colour, sizes, angle, placement and underline.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CQZ2FontComboBox.h"
#include "controls/CSelectArrowComboBox.h"
#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"

class LeadSetting;

class CLeadSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CLeadSettingPage)
public:
    enum { IDD = 503 };
    static constexpr int kArrowId = 2105, kSizeId = 2069, kColorId = 2090, kLineTypeId = 2110;
    static constexpr int kLineWidthId = 2091, kFontId = 2058, kTextColorRuleId = 2073, kTextColorId = 2093;
    static constexpr int kHeightId = 2060, kWidthId = 2158, kSlantId = 2049, kSpacingId = 2052;
    static constexpr int kStyleFlagId = 2164, kAngleTypeId = 2099, kAngleId = 2061, kOrientId = 2140;
    static constexpr int kVerticalDistanceId = 2095, kDistanceId = 2097, kUnderlineId = 2072;
    static constexpr int kUnderlineExtensionId = 2100;
    static constexpr int kFirstId = 2049, kLastId = 2176;

    CLeadSettingPage();
    ~CLeadSettingPage() override;

    void SetLeadSetting(const LeadSetting& setting);
    BOOL GetLeadSetting(LeadSetting& setting) const;
    BOOL UpdateControls();
    void UpdatePreview();

    int m_nArrowType = -1;
    double m_dSize = 0.0;
    double m_dUnderlineExtension = 0.0;
    double m_dDistance = 0.0;
    double m_dAngle = 0.0;
    double m_dHeight = 0.0;
    double m_dSlant = 0.0;
    double m_dSpacing = 0.0;
    double m_dVerticalDistance = 0.0;
    double m_dWidth = 100.0;
    int m_nAngleType = -1;
    int m_nOrient = -1;
    int m_nUnderline = 0;
    int m_nTextColorRule = 0;
    int m_nStyleFlag = 0;
    CString m_strFontName;
    short m_nColorNo = kUndefinedNo;
    short m_nLineTypeNo = kUndefinedNo;
    short m_nLineWidthNo = kUndefinedNo;
    short m_nTextColorNo = kUndefinedNo;

    CSelectArrowComboBox m_arrowList;
    CSelectColorComboBox m_colorList{1, 1, FALSE, TRUE};
    CSelectColorComboBox m_textColorList{1, 1, FALSE, TRUE};
    CSelectLineTypeComboBox m_lineTypeList;
    CSelectLineWidthComboBox m_lineWidthList;
    CQZ2FontComboBox m_fontList;
    CQZ2DoubleEdit m_edits[9];
    CSpinButtonCtrl m_spins[9];
    // The numeric fields and their spin buttons, in the order of m_edits.
    static const int kEditIds[9];
    static const int kSpinIds[9];

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
