#pragma once
// The snap page of the options dialog (template 530): the 13 kinds of points the cursor snaps to, snapping
// on or off, the division count (2-100), angular snapping with its angle and mode, grid snapping and the
// display of the snap state. The options dialog turns the kind boxes into the SnapType bits and back.

#include "controls/CAngularSnapComboBox.h"
#include "controls/CQZ2PropertyPage.h"

class CSnapOptionsPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CSnapOptionsPage)
public:
    enum { IDD = 530 };
    enum : int {
        kAngle = 1401, kSnapEnabled = 1402, kAngularEnabled = 1403, kAngularMode0 = 1404, kAngularMode1 = 1405,
        kGridMode0 = 1406, kGridMode1 = 1407, kDisplayState = 1408, kDivisionCount = 1409, kDivisionSpin = 1410,
        kDivisionCaption = 1411,
        kFirstKind = 1420,  // the box of bit 1 << i is kFirstKind + i
    };
    static constexpr int kKindCount = 13;
    static constexpr DWORD kDivisionBit = 0x0080;

    CSnapOptionsPage();
    ~CSnapOptionsPage() override;

    // The kind boxes as the bit mask, and back.
    DWORD GetSnapType() const;
    void SetSnapType(DWORD dwType);

    double m_SnapAngle = 0.0;
    CAngularSnapComboBox m_angle;
    BOOL m_kinds[kKindCount] = {};
    BOOL m_SnapEnabled = FALSE;
    BOOL m_SnapAngularEnabled = FALSE;
    int m_SnapAngularMode = -1;
    int m_GridSnapMode = -1;
    UINT m_SnapDivisionCount = 4;
    BOOL m_SnapDisplayStateMode = FALSE;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSnapEnabled();
    afx_msg void OnAngularEnabled();
    afx_msg void OnDivisionKind();
    afx_msg void OnDivisionCaption();
    DECLARE_MESSAGE_MAP()

private:
    void EnableSnap();
    void EnableAngular();
    void EnableDivision(BOOL bKindChecked);
};
