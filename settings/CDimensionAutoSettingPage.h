#pragma once
// The dimension style page of automatic arrangement: whether the arrows and the value text's horizontal
// position are chosen automatically, and where the arrows go when the place is not settled. While one of
// the two automatic boxes has the focus, its sample alternates two placements once a second for about a
// minute.

#include "settings/CFeatureSettingPropertyPage.h"

class DimensionSetting;

class CDimensionAutoSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CDimensionAutoSettingPage)
public:
    enum { IDD = 510 };
    static constexpr int kAutoArrowId = 3001, kInsideId = 3002, kOutsideId = 3003, kTextOutsideId = 3004;
    static constexpr int kAutoHorizontalId = 3005;
    static constexpr int kFirstId = 3001, kLastId = 3005;
    static constexpr int kLastTick = 61;

    CDimensionAutoSettingPage();
    ~CDimensionAutoSettingPage() override;

    void SetDimensionSetting(const DimensionSetting* pSetting);
    BOOL GetDimensionSetting(DimensionSetting* pSetting) const;
    // Builds the sample for the focused box; with animate, the next frame of the running animation.
    void DrawPreview(BOOL bAnimate);
    BOOL OnKillActive() override;

    BOOL IsAnimating() const { return m_bTimerRunning; }
    int GetTickCount() const { return m_nTickCount; }

    int m_nAutoArrow = 0;
    int m_nNotSettledMode = -1;
    int m_nAutoHorizontal = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void StopTimer();

    afx_msg void OnClicked(UINT nID);
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    UINT_PTR m_nTimerId = 1;
    int m_nTickCount = 0;
    BOOL m_bTimerRunning = FALSE;
};
