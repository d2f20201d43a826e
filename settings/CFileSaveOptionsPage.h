#pragma once
// The file save page of the options dialog (template 535): thumbnail preview, backup copy and automatic
// recovery every 1-120 minutes.

#include "controls/CQZ2PropertyPage.h"

class CFileSaveOptionsPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CFileSaveOptionsPage)
public:
    enum { IDD = 535 };
    enum : int { kPreview = 1601, kBackup = 1602, kAutoRecover = 1603, kRecoverTime = 1604, kRecoverSpin = 1605 };

    CFileSaveOptionsPage();
    ~CFileSaveOptionsPage() override;

    BOOL m_PreviewSaveEnabled = TRUE;
    BOOL m_BackupSaveEnabled = TRUE;
    BOOL m_AutoRecoverEnabled = TRUE;
    UINT m_AutoRecoverTime = 10;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
