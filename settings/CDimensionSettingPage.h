#pragma once
// The first dimension style page: the dimension line's two ends (drawn, arrow kind and size, length
// outside the extension line), the arrow position, the inside and extended dimension-line flags, the two
// extension lines (shown, extension, offset or fixed length) and how arc dimensions run theirs.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CSelectArrowComboBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"

class DimensionSetting;

class CDimensionSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CDimensionSettingPage)
public:
    enum { IDD = 505 };
    static constexpr int kEnd1Id = 2501, kArrow1Id = 2502, kArrowSize1Id = 2503, kOutside1Id = 2505;
    static constexpr int kEnd2Id = 2507, kArrow2Id = 2508, kArrowSize2Id = 2509, kOutside2Id = 2511;
    static constexpr int kArrowPositionId = 2513, kInsideLineId = 2514, kExtendedLineId = 2515;
    static constexpr int kShow1Id = 2516, kExtension1Id = 2517, kOffset1Id = 2519;
    static constexpr int kShow2Id = 2521, kExtension2Id = 2522, kOffset2Id = 2524;
    static constexpr int kModeId = 2526, kArcOptionId = 2527;
    static constexpr int kFirstId = 2501, kLastId = 2527;
    static constexpr int kArrowKinds = 14;

    CDimensionSettingPage();
    ~CDimensionSettingPage() override;

    void SetDimensionSetting(const DimensionSetting* pSetting);
    BOOL GetDimensionSetting(DimensionSetting* pSetting) const;
    BOOL UpdateControls();

    int m_nArrowPosition = -1;
    double m_dArrowSize1 = 0.0;
    double m_dArrowSize2 = 0.0;
    int m_nArrowType1 = -1;
    int m_nArrowType2 = -1;
    double m_dOutsideLength1 = 0.0;
    double m_dExtension1 = 0.0;
    double m_dExtension2 = 0.0;
    double m_dOffset1 = 0.0;
    double m_dOffset2 = 0.0;
    int m_nShow1 = 0;
    int m_nShow2 = 0;
    double m_dOutsideLength2 = 0.0;
    int m_nMode = -1;
    int m_nEnd1 = 0;
    int m_nEnd2 = 0;
    int m_nExtendedLine = 1;
    int m_nArcOption = -1;
    int m_nInsideLine = 0;

    CSelectArrowComboBox m_arrow1List;
    CSelectArrowComboBox m_arrow2List;
    CQZ2DoubleEdit m_edits[8];
    CSpinButtonCtrl m_spins[8];
    // The numeric fields' ids in the order of m_edits; each spin button's id is its edit's plus one.
    static const int kEditIds[8];

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
