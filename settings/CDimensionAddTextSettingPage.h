#pragma once
// The dimension style page of the texts written around the value: one before it, one or two inside
// texts and one or two trailing texts, with their size ratios and arrangements. In the mixed-values mode
// a text the user never entered stays as each shape has it.

#include "controls/CQZ2DoubleEdit.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"

class DimensionSetting;

class CDimensionAddTextSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CDimensionAddTextSettingPage)
public:
    enum { IDD = 507 };
    static constexpr int kPreTextId = 2701, kInsideOneId = 2702, kInsideTwoId = 2703, kInsideText1Id = 2704;
    static constexpr int kInsideText2Id = 2705, kInsideRatioId = 2706, kInsideVerticalId = 2708;
    static constexpr int kInsideHorizontalId = 2709, kPostOneId = 2710, kPostTwoId = 2711, kPostText1Id = 2712;
    static constexpr int kPostText2Id = 2713, kPostRatioId = 2714, kPostVerticalId = 2716;
    static constexpr int kPostHorizontalId = 2717;
    static constexpr int kFirstId = 2701, kLastId = 2717;
    static constexpr int kMaxTextLength = 256;

    CDimensionAddTextSettingPage();
    ~CDimensionAddTextSettingPage() override;

    void SetDimensionSetting(const DimensionSetting* pSetting);
    BOOL GetDimensionSetting(DimensionSetting* pSetting) const;
    BOOL UpdateControls();
    // After a named style is loaded its texts are taken as entered, empty ones too.
    void MarkTextsEntered();

    int m_nPostHorizontal = -1;
    int m_nPostType = -1;
    int m_nPostVertical = -1;
    CString m_strPostText1;
    CString m_strPostText2;
    double m_dPostRatio = 50.0;
    CString m_strPreText;
    CString m_strInsideText1;
    CString m_strInsideText2;
    int m_nInsideVertical = -1;
    int m_nInsideHorizontal = -1;
    int m_nInsideType = -1;
    double m_dInsideRatio = 50.0;
    // Before the value, inside 1 and 2, trailing 1 and 2.
    int m_entered[5] = {0, 0, 0, 0, 0};

    CQZ2DoubleEdit m_insideRatioEdit;
    CQZ2DoubleEdit m_postRatioEdit;
    CSpinButtonCtrl m_insideRatioSpin;
    CSpinButtonCtrl m_postRatioSpin;
    static const int kTextIds[5];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void TextEntered(int nIndex);

    afx_msg void OnClicked(UINT nID);
    afx_msg void OnSelect(UINT nID);
    afx_msg void OnEditText(UINT nID);
    afx_msg void OnTyping(UINT nID);
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
