#include "app/CJwkImportSettingDialog.h"

#include <QtCore/QFileInfo>

#include "app/CQZ2FileDialog.h"
#include "command/LoadResourceString.h"
#include "controls/HelpButtonImage.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CButton.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"

namespace {

// "Select a JWC File"; "The file does not exist. Enter the path of an existing file."
constexpr UINT kBrowseTitle = 10227;
constexpr UINT kNoSuchFile = 10228;
// The layer tree's rows offered for the symbols.
constexpr WORD kLayerTreeOptions = 22;
constexpr DWORD kJwcFilter = 0x1000;

}  // namespace

BEGIN_MESSAGE_MAP(CJwkImportSettingDialog, CDialog)
ON_BN_CLICKED(CJwkImportSettingDialog::kFirstChoice, &CJwkImportSettingDialog::OnChoiceOrPens)
ON_BN_CLICKED(CJwkImportSettingDialog::kSecondChoice, &CJwkImportSettingDialog::OnChoiceOrPens)
ON_BN_CLICKED(CJwkImportSettingDialog::kPens, &CJwkImportSettingDialog::OnChoiceOrPens)
ON_BN_CLICKED(CJwkImportSettingDialog::kBrowse, &CJwkImportSettingDialog::OnBrowse)
END_MESSAGE_MAP()

CJwkImportSettingDialog::CJwkImportSettingDialog(CWnd* pParent) : CDialog(kTemplateID, pParent) {}

CJwkImportSettingDialog::~CJwkImportSettingDialog() = default;

void CJwkImportSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kLayerCombo, m_layerCombo);
    DDX_Text(pDX, kPath, m_strPath);
    DDX_Radio(pDX, kFirstChoice, m_nChoice);
    DDX_Check(pDX, kPens, m_bPens);
    if (pDX->m_bSaveAndValidate)
        m_nLayerID = m_layerCombo.GetLayerID();
}

BOOL CJwkImportSettingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* pHelp = static_cast<CButton*>(GetDlgItem(kHelp)))
        if (LoadHelpButtonImage(m_helpImage))
            pHelp->SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
    m_layerCombo.SetDocument(m_pDocument);
    m_layerCombo.SetTreeOptions(kLayerTreeOptions);
    m_layerCombo.SetLayerID(m_pDocument != nullptr ? m_pDocument->GetCurrentLayerID() : -1);
    UpdateControls();
    return TRUE;
}

void CJwkImportSettingDialog::UpdateControls()
{
    const int choice = GetCheckedRadioButton(kFirstChoice, kSecondChoice) == kSecondChoice ? 1 : 0;
    const BOOL pens = IsDlgButtonChecked(kPens) != 0 ? TRUE : FALSE;
    m_layerCombo.EnableWindow(choice == 0);
    const BOOL reference = choice == 1 || pens ? TRUE : FALSE;
    for (int id : {static_cast<int>(kPath), static_cast<int>(kBrowse)})
        if (CWnd* pItem = GetDlgItem(id))
            pItem->EnableWindow(reference);
}

void CJwkImportSettingDialog::OnChoiceOrPens()
{
    UpdateControls();
}

void CJwkImportSettingDialog::OnBrowse()
{
    CQZ2FileDialog dialog(TRUE, this);
    dialog.SetFilterFlags(kJwcFilter);
    dialog.SelectFilter(kJwcFilter);
    dialog.LoadTitle(kBrowseTitle);
    if (dialog.DoModal() != IDOK || dialog.GetFileCount() != 1)
        return;
    SetDlgItemText(kPath, dialog.GetFilePath(0));
}

BOOL CJwkImportSettingDialog::IsExistingFile(const CString& strPath)
{
    if (strPath.IsEmpty())
        return FALSE;
    const QFileInfo info(strPath.ToQString());
    return info.exists() && info.isFile() ? TRUE : FALSE;
}

void CJwkImportSettingDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if ((m_nChoice == 1 || m_bPens) && !IsExistingFile(m_strPath)) {
        AfxMessageBox(LoadResourceString(kNoSuchFile), MB_ICONEXCLAMATION);
        if (CWnd* pPath = GetDlgItem(kPath))
            GotoDlgCtrl(pPath);
        return;
    }
    EndDialog(IDOK);
}
