#pragma once
// The dimension style page of the value text: its font and sizes, how the measured value is written
// (length unit format, precision, rounding, scale, zeros, separator, full-width characters, radius or
// diameter sign), the angle unit format and precision, and where the text stands by the dimension line.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CQZ2FontComboBox.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"

class DimensionSetting;

class CDimensionTextSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CDimensionTextSettingPage)
public:
    enum { IDD = 506 };
    static constexpr int kFontId = 2601, kHeightId = 2602, kWidthId = 2604, kSpacingId = 2606, kSlantId = 2608;
    static constexpr int kStyleFlagId = 2610, kFullWidthId = 2611, kLengthFormatId = 2612, kPrecisionId = 2613;
    static constexpr int kRoundId = 2614, kScaleId = 2615, kZeroId = 2616, kSignId = 2617, kSeparatorId = 2618;
    static constexpr int kArcTextId = 2619, kAngleFormatId = 2620, kAnglePrecisionId = 2621, kDistanceId = 2622;
    static constexpr int kHorizontalId = 2624, kVerticalId = 2625, kAngleRuleId = 2626, kAngleId = 2627;
    static constexpr int kFirstId = 2601, kLastId = 2628;

    CDimensionTextSettingPage();
    ~CDimensionTextSettingPage() override;

    void SetDimensionSetting(const DimensionSetting* pSetting);
    BOOL GetDimensionSetting(DimensionSetting* pSetting) const;
    BOOL UpdateControls();
    int GetLengthUnitFormat() const { return m_nLengthFormat; }
    int GetAngleUnitFormat() const { return m_nAngleFormat; }

    double m_dDistance = 0.0;
    int m_nHorizontalPos = -1;
    int m_nSeparator = -1;
    int m_nAngleRule = -1;
    double m_dAngle = 0.0;
    double m_dHeight = 0.0;
    double m_dSlant = 0.0;
    double m_dSpacing = 0.0;
    int m_nVerticalPos = -1;
    int m_nFullWidth = 0;
    int m_nZeroVisible = 0;
    double m_dWidth = 100.0;
    int m_nStyleFlag = 0;
    int m_nSign = 0;
    int m_nLengthFormat = 0;
    int m_nPrecision = -1;
    double m_dRound = 0.0;
    double m_dScale = 1.0;
    int m_nAngleFormat = 0;
    int m_nAnglePrecision = -1;
    int m_nArcTextOption = -1;
    CString m_strFontName;

    CQZ2FontComboBox m_fontList;
    CComboBox m_precisionList;
    CComboBox m_anglePrecisionList;
    CQZ2DoubleEdit m_heightEdit, m_widthEdit, m_spacingEdit, m_slantEdit, m_roundEdit, m_scaleEdit;
    CQZ2DoubleEdit m_distanceEdit, m_angleEdit;
    CSpinButtonCtrl m_spins[6];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    CQZ2DoubleEdit* EditOfSpin(int nSpinID);

    afx_msg void OnClicked(UINT nID);
    afx_msg void OnSelect(UINT nID);
    afx_msg void OnTyping(UINT nID);
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
