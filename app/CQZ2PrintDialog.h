#pragma once
// The print dialog of a drawing: the common print dialog with the program's template (no page range, no
// collating) and buttons that switch to the page setup or the preview. It works on a copy of the plot
// setting; the caller stores the copy when asked to by the exit code (see PageSetupExitCode).

#include "app/CQZ2PageSetupDialog.h"
#include "libs/vevure/PlotSetting.h"
#include "platform/win/CPrintDialog.h"

class PlotDevice;

class CQZ2PrintDialog : public CPrintDialog
{
    DECLARE_DYNAMIC(CQZ2PrintDialog)
public:
    explicit CQZ2PrintDialog(CWnd* pParentWnd = nullptr);
    ~CQZ2PrintDialog() override;

    PlotDevice* m_pPlotDevice = nullptr;
    PlotSetting m_plotSetting;
    int m_nExitCode = kExitOK;
    BOOL m_bShowPageSetupButton = TRUE;
    BOOL m_bShowPreviewButton = TRUE;
    BOOL m_bPrinterChanged = FALSE;

    enum : int { IDC_PREVIEW = 2284, IDC_PAGE_SETUP = 2285, IDC_HELP_BUTTON = 57670 };

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The chosen printer into the plot device, its paper and orientation into the setting copy.
    void SaveToSetting();
    void HideCollate();

    afx_msg void OnPreview();
    afx_msg void OnPageSetup();
    afx_msg void OnHelpButton();
    DECLARE_MESSAGE_MAP()
};
