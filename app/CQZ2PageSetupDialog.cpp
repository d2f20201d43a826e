#include "app/CQZ2PageSetupDialog.h"

#include "libs/kcplot/PlotDevice.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CQZ2PageSetupDialog, CPageSetupDialog)

BEGIN_MESSAGE_MAP(CQZ2PageSetupDialog, CPageSetupDialog)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_APPLY, &CQZ2PageSetupDialog::OnApply)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_PRINT, &CQZ2PageSetupDialog::OnPrint)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_PREVIEW, &CQZ2PageSetupDialog::OnPreview)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_SET_RANGE, &CQZ2PageSetupDialog::OnSetRange)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_SCALE_FIT, &CQZ2PageSetupDialog::OnScaleMode)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_SCALE_RATIO, &CQZ2PageSetupDialog::OnScaleMode)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_RANGE_PAPER, &CQZ2PageSetupDialog::OnChanged)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_RANGE_EXTENTS, &CQZ2PageSetupDialog::OnChanged)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_RANGE_PICKED, &CQZ2PageSetupDialog::OnChanged)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_LINE_WIDTH, &CQZ2PageSetupDialog::OnChanged)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_POINT_MARKER, &CQZ2PageSetupDialog::OnChanged)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_CONVERT_COLOR, &CQZ2PageSetupDialog::OnChanged)
ON_EN_CHANGE(CQZ2PageSetupDialog::IDC_OFFSET_X, &CQZ2PageSetupDialog::OnChanged)
ON_EN_CHANGE(CQZ2PageSetupDialog::IDC_OFFSET_Y, &CQZ2PageSetupDialog::OnChanged)
ON_EN_CHANGE(CQZ2PageSetupDialog::IDC_SCALE, &CQZ2PageSetupDialog::OnChanged)
ON_BN_CLICKED(CQZ2PageSetupDialog::IDC_HELP_BUTTON, &CQZ2PageSetupDialog::OnHelpButton)
END_MESSAGE_MAP()

namespace {

// The standard parts that this page setup does without.
const int kHiddenControls[] = {grp4, edt4, edt5, edt6, edt7, stc15, stc16, stc17, stc18,
                               rct1, rct2, rct3, grp3, cmb3, stc3, pshHelp};

}  // namespace

CQZ2PageSetupDialog::CQZ2PageSetupDialog(CWnd* pParentWnd)
    : CPageSetupDialog(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | PSD_ENABLEPAGESETUPTEMPLATE, pParentWnd)
{
    m_psd.lpPageSetupTemplateName = MAKEINTRESOURCE(PAGESETUPDLGORD);
    m_nIDHelp = PAGESETUPDLGORD;
}

CQZ2PageSetupDialog::~CQZ2PageSetupDialog() = default;

BOOL CQZ2PageSetupDialog::OnInitDialog()
{
    if (!CPageSetupDialog::OnInitDialog())
        return FALSE;
    for (int nID : kHiddenControls) {
        // The range radio 1038 shares its number with the standard help button: only push buttons go.
        if (nID == pshHelp)
            continue;
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->ShowWindow(SW_HIDE);
    }
    auto show = [this](int nID, BOOL bShow) {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    };
    show(IDC_PRINT, m_bShowPrintButton);
    show(IDC_PREVIEW, m_bShowPreviewButton);
    show(IDC_PRINTER, m_bShowPrinterButton);
    if (CWnd* pWnd = GetDlgItem(IDC_RANGE_PAPER))
        pWnd->EnableWindow(m_bPaperDrawing);

    m_plotSetting.GetOffset(m_dOffsetX, m_dOffsetY);
    m_nScaleMode = m_plotSetting.GetScaleMode();
    m_dScale = m_plotSetting.GetScale() * 100.0;
    m_nRangeMode = m_plotSetting.GetRangeMode();
    if (m_nRangeMode == PlotSetting::rangePaper && !m_bPaperDrawing)
        m_nRangeMode = PlotSetting::rangeExtents;
    m_bLineWidthPrintable = m_plotSetting.IsLineWidthPrintable();
    m_bPointMarkerPrintable = m_plotSetting.IsPointMarkerPrintable();
    m_bConvertColor = m_plotSetting.GetConvertColorMode() == PlotSetting::colorBlack;
    UpdateData(FALSE);
    if (CWnd* pWnd = GetDlgItem(IDC_SCALE))
        pWnd->EnableWindow(m_nScaleMode == PlotSetting::scaleRatio);
    if (CWnd* pWnd = GetDlgItem(IDC_APPLY))
        pWnd->EnableWindow(FALSE);
    return TRUE;
}

void CQZ2PageSetupDialog::DoDataExchange(CDataExchange* pDX)
{
    CPageSetupDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OFFSET_X, m_dOffsetX);
    DDV_MinMaxDouble(pDX, m_dOffsetX, -PlotSetting::kMaxOffset, PlotSetting::kMaxOffset);
    DDX_Text(pDX, IDC_OFFSET_Y, m_dOffsetY);
    DDV_MinMaxDouble(pDX, m_dOffsetY, -PlotSetting::kMaxOffset, PlotSetting::kMaxOffset);
    DDX_Radio(pDX, IDC_SCALE_FIT, m_nScaleMode);
    DDX_Text(pDX, IDC_SCALE, m_dScale);
    // A scale must be above 0: the smallest that the edit box shows is taken as the bound.
    DDV_MinMaxDouble(pDX, m_dScale, 0.01, PlotSetting::kMaxScale * 100.0);
    DDX_Radio(pDX, IDC_RANGE_PAPER, m_nRangeMode);
    DDX_Check(pDX, IDC_LINE_WIDTH, m_bLineWidthPrintable);
    DDX_Check(pDX, IDC_POINT_MARKER, m_bPointMarkerPrintable);
    DDX_Check(pDX, IDC_CONVERT_COLOR, m_bConvertColor);
}

BOOL CQZ2PageSetupDialog::SaveToSetting()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_pPlotDevice != nullptr) {
        m_pPlotDevice->SetDevMode(m_psd.hDevMode);
        m_pPlotDevice->SetDevNames(m_psd.hDevNames);
        m_plotSetting.SetPaperType(m_pPlotDevice->GetPaperSize());
        m_plotSetting.SetOrientType(m_pPlotDevice->GetPaperOrientation() == DMORIENT_PORTRAIT ? PlotSetting::orientPortrait
                                                                                             : PlotSetting::orientLandscape);
    }
    m_plotSetting.SetOffset(m_dOffsetX, m_dOffsetY);
    m_plotSetting.SetScaleMode(m_nScaleMode);
    m_plotSetting.SetScale(m_dScale / 100.0);
    m_plotSetting.SetRangeMode(m_nRangeMode);
    m_plotSetting.SetConvertColorMode(m_bConvertColor ? PlotSetting::colorBlack : PlotSetting::colorAsDrawn);
    m_plotSetting.SetLineWidthPrintable(m_bLineWidthPrintable);
    m_plotSetting.SetPointMarkerPrintable(m_bPointMarkerPrintable);
    return TRUE;
}

void CQZ2PageSetupDialog::OnOK()
{
    if (!SaveToSetting())
        return;
    if (m_nExitCode == kExitCancel)
        m_nExitCode = kExitOK;
    CPageSetupDialog::OnOK();
}

void CQZ2PageSetupDialog::OnCancel()
{
    m_nExitCode = kExitCancel;
    CPageSetupDialog::OnCancel();
}

void CQZ2PageSetupDialog::OnApply()
{
    if (!SaveToSetting())
        return;
    if (m_pfnApply != nullptr)
        m_pfnApply(m_pPlotDevice, &m_plotSetting, m_pApplyArg);
    if (CWnd* pWnd = GetDlgItem(IDC_APPLY))
        pWnd->EnableWindow(FALSE);
}

void CQZ2PageSetupDialog::OnPrint()
{
    if (!SaveToSetting())
        return;
    m_nExitCode = kExitPrint;
    PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CQZ2PageSetupDialog::OnPreview()
{
    if (!SaveToSetting())
        return;
    m_nExitCode = kExitPreview;
    PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CQZ2PageSetupDialog::OnSetRange()
{
    CheckRadioButton(IDC_RANGE_PAPER, IDC_RANGE_PICKED, IDC_RANGE_PICKED);
    if (!SaveToSetting())
        return;
    m_nExitCode = kExitSetRange;
    PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CQZ2PageSetupDialog::OnScaleMode()
{
    if (CWnd* pWnd = GetDlgItem(IDC_SCALE))
        pWnd->EnableWindow(IsDlgButtonChecked(IDC_SCALE_RATIO) == BST_CHECKED);
    OnChanged();
}

void CQZ2PageSetupDialog::OnChanged()
{
    if (CWnd* pWnd = GetDlgItem(IDC_APPLY))
        pWnd->EnableWindow(TRUE);
}

void CQZ2PageSetupDialog::OnHelpButton() { OnHelp(); }

LRESULT CQZ2PageSetupDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CPageSetupDialog::DefWindowProc(message, wParam, lParam);
    if (message == WM_COMMAND && GetSafeHwnd() != nullptr) {
        const int nID = LOWORD(wParam);
        const UINT nCode = HIWORD(wParam);
        // Paper, orientation and printer are the common dialog's; any change of them is to be applied.
        if ((nID == cmb2 && nCode == CBN_SELCHANGE) || ((nID == rad1 || nID == rad2 || nID == psh3) && nCode == BN_CLICKED))
            OnChanged();
    }
    return result;
}
