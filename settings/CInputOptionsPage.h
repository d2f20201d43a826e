#pragma once
// The input page of the options dialog (template 536): how points are typed, whether command values and
// the input method state are remembered, the one-letter constants of typed numbers (edited in their own
// dialog) and clearing the remembered values, which acts at once after a question.

#include "controls/CQZ2PropertyPage.h"
#include "libs/vevure/InputConstValue.h"

class CInputOptionsPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CInputOptionsPage)
public:
    enum { IDD = 536 };
    enum : int { kPointMode = 1701, kSaveParameters = 1702, kSaveIme = 1703, kConstants = 1704, kClearHistory = 1705 };

    CInputOptionsPage();
    ~CInputOptionsPage() override;

    InputConstValue m_InputConstValue;
    int m_PointParameterInputMode = 0;
    BOOL m_CommandParameterSaveEnabled = TRUE;
    BOOL m_ImeStateSaveEnabled = TRUE;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnConstants();
    afx_msg void OnClearHistory();
    DECLARE_MESSAGE_MAP()
};
