#include "app/CQZ2PrintDialog.h"

#include "command/LoadResourceString.h"
#include "libs/kcplot/PlotDevice.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CQZ2PrintDialog, CPrintDialog)

BEGIN_MESSAGE_MAP(CQZ2PrintDialog, CPrintDialog)
ON_BN_CLICKED(CQZ2PrintDialog::IDC_PREVIEW, &CQZ2PrintDialog::OnPreview)
ON_BN_CLICKED(CQZ2PrintDialog::IDC_PAGE_SETUP, &CQZ2PrintDialog::OnPageSetup)
ON_BN_CLICKED(CQZ2PrintDialog::IDC_HELP_BUTTON, &CQZ2PrintDialog::OnHelpButton)
END_MESSAGE_MAP()

namespace {

// The page range and its labels: a drawing prints as one page.
const int kRangeControls[] = {grp1, rad1, rad2, rad3, edt1, edt2, stc2, stc3};

}  // namespace

CQZ2PrintDialog::CQZ2PrintDialog(CWnd* pParentWnd)
    : CPrintDialog(FALSE, PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_NOPAGENUMS | PD_ENABLEPRINTTEMPLATE,
                   pParentWnd)
{
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
    m_pd.lpPrintTemplateName = MAKEINTRESOURCE(PRINTDLGORD);
    m_nIDHelp = PRINTDLGORD;
}

CQZ2PrintDialog::~CQZ2PrintDialog() = default;

void CQZ2PrintDialog::HideCollate()
{
    for (int nID : {chx2, ico3})
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->ShowWindow(SW_HIDE);
}

BOOL CQZ2PrintDialog::OnInitDialog()
{
    if (!CPrintDialog::OnInitDialog())
        return FALSE;
    for (int nID : kRangeControls)
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->ShowWindow(SW_HIDE);
    HideCollate();
    if (CWnd* pWnd = GetDlgItem(IDC_PAGE_SETUP))
        pWnd->ShowWindow(m_bShowPageSetupButton ? SW_SHOW : SW_HIDE);
    if (CWnd* pWnd = GetDlgItem(IDC_PREVIEW))
        pWnd->ShowWindow(m_bShowPreviewButton ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CQZ2PrintDialog::SaveToSetting()
{
    if (m_pPlotDevice == nullptr)
        return;
    m_pPlotDevice->SetDevMode(m_pd.hDevMode);
    m_pPlotDevice->SetDevNames(m_pd.hDevNames);
    m_plotSetting.SetPaperType(m_pPlotDevice->GetPaperSize());
    m_plotSetting.SetOrientType(m_pPlotDevice->GetPaperOrientation() == DMORIENT_PORTRAIT ? PlotSetting::orientPortrait
                                                                                         : PlotSetting::orientLandscape);
}

void CQZ2PrintDialog::OnOK()
{
    SaveToSetting();
    m_nExitCode = kExitOK;
    CPrintDialog::OnOK();
}

void CQZ2PrintDialog::OnCancel()
{
    m_nExitCode = m_bPrinterChanged ? kExitPrinterChanged : kExitCancel;
    CPrintDialog::OnCancel();
}

void CQZ2PrintDialog::OnPreview()
{
    SaveToSetting();
    CPrintDialog::OnOK();
    m_nExitCode = kExitPreview;
}

void CQZ2PrintDialog::OnPageSetup()
{
    SaveToSetting();
    CPrintDialog::OnOK();
    m_nExitCode = kExitPageSetup;
}

void CQZ2PrintDialog::OnHelpButton() { OnHelp(); }

LRESULT CQZ2PrintDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CPrintDialog::DefWindowProc(message, wParam, lParam);
    if (message == WM_COMMAND && GetSafeHwnd() != nullptr) {
        const int nID = LOWORD(wParam);
        const UINT nCode = HIWORD(wParam);
        const bool bCombo = nID == cmb4 && nCode == CBN_SELCHANGE;
        if (bCombo || (nID == psh2 && nCode == BN_CLICKED)) {
            // Cancel now only closes: the printer chosen stays the document's.
            if (CWnd* pCancel = GetDlgItem(IDCANCEL))
                pCancel->SetWindowText(LoadResourceString(10116));
            m_bPrinterChanged = TRUE;
            if (bCombo)
                HideCollate();
        }
    }
    return result;
}
