#pragma once
// The selection page of the options dialog (template 534): the default selection shape with its side and
// part rules, whether the selection state shows, and how the arrow keys nudge a selected shape (by whole
// pixels 1-32767, or by a length above 0 and below 1e15, or by the grid).

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CQZ2PropertyPage.h"
#include "platform/win/CSpinButtonCtrl.h"

class CSelectionOptionsPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CSelectionOptionsPage)
public:
    enum { IDD = 534 };
    enum : int {
        kSideMode = 1501, kShape0 = 1502, kShape1 = 1503, kShape2 = 1504, kShape3 = 1505, kPart0 = 1506,
        kPart1 = 1507, kDisplayState = 1508, kNudge = 1509, kNudgeMode = 1510, kNudgeSpin = 1511, kNudgeStep = 1512,
    };

    CSelectionOptionsPage();
    ~CSelectionOptionsPage() override;

    int m_nSideMode = -1;
    int m_nShapeMode = -1;
    int m_nPartMode = -1;
    BOOL m_SelectionDisplayStateMode = FALSE;
    BOOL m_NudgeEnabled = TRUE;
    int m_NudgeMode = -1;
    CSpinButtonCtrl m_nudgeSpin;
    CQZ2DoubleEdit m_nudgeEdit;
    double m_NudgeSteps = 0.0;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnShape();
    afx_msg void OnNudge();
    afx_msg void OnNudgeMode();
    afx_msg void OnDeltaPosStep(NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void Enable();
};
