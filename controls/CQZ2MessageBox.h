#pragma once
// The question asked once per object of an operation that repeats over many: Yes (6), Yes to all (110),
// No (7) and Cancel (2, also Escape and the close box). Dialog template 553.

#include "platform/afx/CString.h"
#include "platform/win/CDialog.h"
#include "platform/win/CStatic.h"

class CQZ2MessageBox : public CDialog
{
    DECLARE_DYNAMIC(CQZ2MessageBox)
public:
    static constexpr UINT kTemplateId = 553;
    static constexpr int kYesToAll = 110;

    explicit CQZ2MessageBox(CWnd* pParent = nullptr);
    ~CQZ2MessageBox() override;

    void SetMessageText(LPCTSTR lpszText);

    CStatic m_iconStatic;
    CString m_strMessage;
    // 0 error, 1 information, 2 question, anything else no icon.
    int m_nIconKind = 2;
    CString m_strTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnYes();
    afx_msg void OnYesToAll();
    afx_msg void OnNo();
    DECLARE_MESSAGE_MAP()
};
