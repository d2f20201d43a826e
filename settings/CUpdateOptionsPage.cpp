#include "settings/CUpdateOptionsPage.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"
#include "settings/SettingsDialogSupport.h"

IMPLEMENT_DYNCREATE(CUpdateOptionsPage, CQZ2PropertyPage)

CUpdateOptionsPage::CUpdateOptionsPage() : CQZ2PropertyPage(IDD, 0) {}
CUpdateOptionsPage::~CUpdateOptionsPage() = default;

BOOL CUpdateOptionsPage::OnInitDialog()
{
    CQZ2PropertyPage::OnInitDialog();
    if (auto* pList = static_cast<CComboBox*>(GetDlgItem(kPeriod))) {
        pList->ResetContent();
        for (UINT id = 11542; id <= 11545; ++id)
            pList->AddString(LoadSettingsString(id));
    }
    UpdateData(FALSE);
    return TRUE;
}

void CUpdateOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CQZ2PropertyPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, kPeriod, m_ApplicationUpdatePeriod);
}
