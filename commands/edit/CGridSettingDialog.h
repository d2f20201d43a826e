#pragma once
// The grid dialog of one drawing: whether the grid shows, how it is drawn, its origin, steps, angles,
// colours, the count between its stronger lines and the range it is limited to. Pick Origin and Pick
// Range close it with 100 and 101 so that the user picks in the view; the command opens it again.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CSelectColorComboBox.h"
#include "platform/bcg/CBCGPButton.h"
#include "platform/win/CDialog.h"

class GridSetting;

class CGridSettingDialog : public CDialog
{
public:
    enum { IDD = 524 };
    enum {
        kVisible = 2248,
        kFirstDrawType = 2249,
        kOriginX = 2252, kOriginY = 2253, kOriginXSpin = 2254, kOriginYSpin = 2255,
        kStepX = 2256, kStepXSpin = 2257, kStepY = 2258, kStepYSpin = 2259,
        kAngle1 = 2260, kAngle1Spin = 2261, kAngle2 = 2262, kAngle2Spin = 2263,
        kColor1 = 2264, kColor2 = 2265,
        kRangeLimited = 2266,
        kMinX = 2267, kMinXSpin = 2268, kMinY = 2269, kMinYSpin = 2270,
        kMaxX = 2271, kMaxXSpin = 2272, kMaxY = 2273, kMaxYSpin = 2274,
        kGridCount = 2275, kGridCountSpin = 2276,
        kPickOrigin = 2277, kPickRange = 2278,
        kHelpButton = 57670,
    };
    // DoModal's answers of the two pick buttons.
    static constexpr int kResultPickOrigin = 100;
    static constexpr int kResultPickRange = 101;

    explicit CGridSettingDialog(CWnd* pParent = nullptr);
    ~CGridSettingDialog() override;

    // Loading and storing the values of a setting (the colours through the combos, which keep them
    // without a window).
    void LoadSetting(const GridSetting& setting);
    void StoreSetting(GridSetting& setting) const;

    int m_nDrawType = -1;
    double m_dOriginX = 0.0;
    double m_dOriginY = 0.0;
    double m_dStepX = 0.0;
    double m_dStepY = 0.0;
    double m_dAngle1 = 0.0;
    double m_dAngle2 = 0.0;
    double m_dMinX = 0.0;
    double m_dMinY = 0.0;
    double m_dMaxX = 0.0;
    double m_dMaxY = 0.0;
    int m_bRangeLimited = FALSE;
    int m_bVisible = FALSE;
    int m_nGridCount = 0;
    CString m_strCaption;
    CString m_strDrawingName;

    // Other colours as RGB values, no by-layer colour.
    CSelectColorComboBox m_color1Combo{FALSE, FALSE, TRUE, FALSE};
    CSelectColorComboBox m_color2Combo{FALSE, FALSE, TRUE, FALSE};

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnVisibleClicked();
    afx_msg void OnRangeLimitedClicked();
    afx_msg void OnPickOrigin();
    afx_msg void OnPickRange();
    afx_msg void OnDeltaPos(UINT nID, NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void UpdateEnables();
    CQZ2DoubleEdit* EditOfSpin(UINT nSpinID);

    CQZ2DoubleEdit m_originX, m_originY, m_stepX, m_stepY, m_angle1, m_angle2, m_minX, m_minY, m_maxX, m_maxY;
    CBCGPButton m_helpButton;
};
