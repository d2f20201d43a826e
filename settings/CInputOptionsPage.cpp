#include "settings/CInputOptionsPage.h"

#include "command/CommandManager.h"
#include "command/ParameterHistory.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "settings/CConstValueSettingDialog.h"
#include "settings/OptionsServices.h"
#include "settings/SettingsDialogSupport.h"

IMPLEMENT_DYNCREATE(CInputOptionsPage, CQZ2PropertyPage)

namespace {

constexpr UINT kClearQuestion = 10224;

}  // namespace

BEGIN_MESSAGE_MAP(CInputOptionsPage, CQZ2PropertyPage)
ON_BN_CLICKED(CInputOptionsPage::kConstants, &CInputOptionsPage::OnConstants)
ON_BN_CLICKED(CInputOptionsPage::kClearHistory, &CInputOptionsPage::OnClearHistory)
END_MESSAGE_MAP()

CInputOptionsPage::CInputOptionsPage() : CQZ2PropertyPage(IDD, 0) {}
CInputOptionsPage::~CInputOptionsPage() = default;

BOOL CInputOptionsPage::OnInitDialog()
{
    CQZ2PropertyPage::OnInitDialog();
    if (auto* pList = static_cast<CComboBox*>(GetDlgItem(kPointMode))) {
        pList->ResetContent();
        pList->AddString(LoadSettingsString(10222));
        pList->AddString(LoadSettingsString(10223));
    }
    UpdateData(FALSE);
    return TRUE;
}

void CInputOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CQZ2PropertyPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, kPointMode, m_PointParameterInputMode);
    DDX_Check(pDX, kSaveParameters, m_CommandParameterSaveEnabled);
    DDX_Check(pDX, kSaveIme, m_ImeStateSaveEnabled);
}

void CInputOptionsPage::OnConstants()
{
    CConstValueSettingDialog dialog(nullptr);
    dialog.SetInputConstValue(&m_InputConstValue);
    if (dialog.DoModal() == IDOK)
        dialog.GetInputConstValue(&m_InputConstValue);
}

void CInputOptionsPage::OnClearHistory()
{
    if (AfxMessageBox(kClearQuestion, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    // At once, not on OK: the question said so.
    const OptionsServices& services = OptionsServices::Get();
    QZ2Command::CommandManager* pManager =
        services.pfnGetCommandManager != nullptr ? services.pfnGetCommandManager() : nullptr;
    if (pManager != nullptr)
        pManager->GetParameterHistory().RemoveAll();
}
