#pragma once
// The dimension style page of the tolerance: its kind, two length and two angle tolerances in the value
// text page's unit formats, their precisions, the tolerance text's size ratio and alignment, and whether
// the value, zeros and parentheses show.

#include "controls/CQZ2DoubleEdit.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"

class DimensionSetting;

class CDimensionToleranceSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CDimensionToleranceSettingPage)
public:
    enum { IDD = 508 };
    static constexpr int kKindId = 2801, kValueShownId = 2802, kTolerance1Id = 2803, kTolerance2Id = 2805;
    static constexpr int kAngle1Id = 2807, kAngle2Id = 2809, kPrecisionId = 2811, kAnglePrecisionId = 2812;
    static constexpr int kRatioId = 2813, kVerticalId = 2815, kHorizontalId = 2816, kZeroId = 2817;
    static constexpr int kParenthesisId = 2818;
    static constexpr int kFirstId = 2801, kLastId = 2818;

    CDimensionToleranceSettingPage();
    ~CDimensionToleranceSettingPage() override;

    void SetDimensionSetting(const DimensionSetting* pSetting);
    BOOL GetDimensionSetting(DimensionSetting* pSetting) const;
    BOOL UpdateControls();

    int m_nHorizontal = -1;
    int m_nVertical = -1;
    double m_dRatio = 100.0;
    int m_nPrecision = -1;
    int m_nKind = -1;
    int m_nParenthesis = 0;
    int m_nValueShown = 0;
    int m_nZeroVisible = 0;
    double m_dTolerance1 = 0.0;
    double m_dTolerance2 = 0.0;
    double m_dAngle1 = 0.0;
    double m_dAngle2 = 0.0;
    int m_nAnglePrecision = -1;

    CQZ2DoubleEdit m_tolerance1Edit, m_tolerance2Edit, m_angle1Edit, m_angle2Edit, m_ratioEdit;
    CSpinButtonCtrl m_spins[5];
    CComboBox m_precisionList;
    CComboBox m_anglePrecisionList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The value text page's formats, through the dialog (-1 without one).
    void GetUnitFormats(int& nLength, int& nAngle) const;
    CQZ2DoubleEdit* EditOfSpin(int nSpinID);

    afx_msg void OnClicked(UINT nID);
    afx_msg void OnSelect(UINT nID);
    afx_msg void OnTyping(UINT nID);
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
