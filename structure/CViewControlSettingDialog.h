#pragma once
// Picks the slot (1 to 8) that the current view is stored in.

#include "platform/afx/CStringArray.h"
#include "platform/win/CDialog.h"

class CViewControlSettingDialog : public CDialog
{
public:
    enum { IDD = 571, IDC_SLOTS = 2459 };

    explicit CViewControlSettingDialog(CWnd* pParent = nullptr);
    ~CViewControlSettingDialog() override;

    void AddName(LPCTSTR lpszName) { m_names.Add(lpszName); }
    int m_nSelection = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CStringArray m_names;
};
