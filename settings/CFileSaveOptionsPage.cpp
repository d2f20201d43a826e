#include "settings/CFileSaveOptionsPage.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CSpinButtonCtrl.h"

IMPLEMENT_DYNCREATE(CFileSaveOptionsPage, CQZ2PropertyPage)

CFileSaveOptionsPage::CFileSaveOptionsPage() : CQZ2PropertyPage(IDD, 0) {}
CFileSaveOptionsPage::~CFileSaveOptionsPage() = default;

BOOL CFileSaveOptionsPage::OnInitDialog()
{
    CQZ2PropertyPage::OnInitDialog();
    if (auto* pSpin = static_cast<CSpinButtonCtrl*>(GetDlgItem(kRecoverSpin))) {
        pSpin->SetBuddy(GetDlgItem(kRecoverTime));
        pSpin->SetRange(1, 120);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CFileSaveOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CQZ2PropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, kPreview, m_PreviewSaveEnabled);
    DDX_Check(pDX, kBackup, m_BackupSaveEnabled);
    DDX_Check(pDX, kAutoRecover, m_AutoRecoverEnabled);
    // The interval stays editable (and checked) while recovery is off.
    DDX_Text(pDX, kRecoverTime, m_AutoRecoverTime);
    DDV_MinMaxUInt(pDX, m_AutoRecoverTime, 1, 120);
}
