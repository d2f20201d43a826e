#pragma once
// The style page of texts: font, colour, height, width, character and line spacing, slant, base point,
// writing direction and four on/off options.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CQZ2FontComboBox.h"
#include "controls/CSelectColorComboBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"

class TextSetting;

class CTextSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CTextSettingPage)
public:
    enum { IDD = 502 };
    static constexpr int kWidthId = 2301, kWidthSpinId = 2302, kSpacingId = 2303, kSpacingSpinId = 2304;
    static constexpr int kSlantId = 2305, kSlantSpinId = 2306, kHeightId = 2307, kHeightSpinId = 2308;
    static constexpr int kLineSpacingId = 2309, kLineSpacingSpinId = 2310, kFontId = 2311, kColorId = 2312;
    static constexpr int kBasePointId = 2313, kHorizontalId = 2314, kVerticalId = 2315;
    static constexpr int kOption1Id = 2316, kOption2Id = 2317, kOption3Id = 2318, kOption4Id = 2319;

    CTextSettingPage();
    ~CTextSettingPage() override;

    void SetColorTable(const LayerFeatureTable* pLayers, long nLayerID, const ColorFeatureTable* pTable);
    void SetTextSetting(const TextSetting* pSetting);
    BOOL GetTextSetting(TextSetting* pSetting) const;

    CSpinButtonCtrl m_widthSpin;
    CQZ2DoubleEdit m_widthEdit;
    CSpinButtonCtrl m_spacingSpin;
    CQZ2DoubleEdit m_spacingEdit;
    CSpinButtonCtrl m_slantSpin;
    CQZ2DoubleEdit m_slantEdit;
    CSpinButtonCtrl m_heightSpin;
    CQZ2DoubleEdit m_heightEdit;
    CQZ2DoubleEdit m_lineSpacingEdit;
    CSpinButtonCtrl m_lineSpacingSpin;
    CQZ2FontComboBox m_fontList;
    CSelectColorComboBox m_colorList{1, 1, FALSE, TRUE};

    int m_nBasePoint = -1;
    int m_nDirection = -1;
    double m_dLineSpacing = 0.0;
    double m_dHeight = 0.0;
    double m_dSlant = 0.0;
    double m_dSpacing = 0.0;
    int m_nOption1 = 0;
    int m_nOption3 = 0;
    double m_dWidth = 100.0;
    int m_nOption2 = 0;
    int m_nOption4 = 0;
    CString m_strFontName;
    short m_nColorNo = kUndefinedNo;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void UpdatePreview();
    void Commit();
    void OptionClicked(int nID);

    afx_msg void OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTyping();
    afx_msg void OnFocusField();
    afx_msg void OnCommit();
    afx_msg void OnOption1();
    afx_msg void OnOption2();
    afx_msg void OnOption3();
    afx_msg void OnOption4();
    DECLARE_MESSAGE_MAP()
};
