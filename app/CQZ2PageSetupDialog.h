#pragma once
// The page setup of a drawing: the printer's paper and orientation (the common page setup dialog) with
// the document's plot setting: offset, scale, range, line widths, point markers and colours. It works on
// a copy of the plot setting; the caller stores the copy when the dialog ends with a code that asks for
// it. Apply stores at once through the caller's callback.

#include "libs/vevure/PlotSetting.h"
#include "platform/win/CPageSetupDialog.h"

class PlotDevice;

// What ended a page setup or print dialog.
enum PageSetupExitCode {
    kExitOK = 1,
    kExitCancel = 2,
    kExitPreview = 100,
    kExitPrint = 101,
    kExitPageSetup = 102,
    kExitPrinterChanged = 103,
    kExitSetRange = 104,
};

// Called by Apply with the printer, the dialog's copy of the setting and the caller's argument.
typedef void (*PlotApplyCallback)(PlotDevice* pDevice, PlotSetting* pSetting, void* pArg);

class CQZ2PageSetupDialog : public CPageSetupDialog
{
    DECLARE_DYNAMIC(CQZ2PageSetupDialog)
public:
    explicit CQZ2PageSetupDialog(CWnd* pParentWnd = nullptr);
    ~CQZ2PageSetupDialog() override;

    PlotDevice* m_pPlotDevice = nullptr;
    PlotSetting m_plotSetting;
    BOOL m_bShowPrintButton = TRUE;
    BOOL m_bShowPreviewButton = TRUE;
    BOOL m_bShowPrinterButton = TRUE;
    BOOL m_bPaperDrawing = TRUE;  // range mode 0 allowed
    int m_nExitCode = kExitCancel;
    PlotApplyCallback m_pfnApply = nullptr;
    void* m_pApplyArg = nullptr;

    // Bound to the controls.
    double m_dOffsetX = 0.0;
    double m_dOffsetY = 0.0;
    int m_nScaleMode = -1;
    double m_dScale = 100.0;  // percent
    int m_nRangeMode = -1;
    BOOL m_bLineWidthPrintable = TRUE;
    BOOL m_bPointMarkerPrintable = TRUE;
    BOOL m_bConvertColor = FALSE;

    // Control numbers of the template.
    enum : int {
        IDC_OFFSET_X = 2276,
        IDC_OFFSET_Y = 2277,
        IDC_SCALE = 2278,
        IDC_SCALE_FIT = 2282,
        IDC_SCALE_RATIO = 2283,
        IDC_PREVIEW = 2284,
        IDC_APPLY = 2287,
        IDC_PRINT = 2288,
        IDC_PRINTER = 1026,
        IDC_RANGE_PAPER = 1035,
        IDC_RANGE_EXTENTS = 1038,
        IDC_RANGE_PICKED = 1039,
        IDC_SET_RANGE = 1040,
        IDC_LINE_WIDTH = 1029,
        IDC_POINT_MARKER = 1030,
        IDC_CONVERT_COLOR = 1041,
        IDC_HELP_BUTTON = 57670,
    };

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Validates and reads the controls, then copies the printer and the values into the plot device and
    // the setting copy; FALSE (nothing stored) when a value is refused.
    BOOL SaveToSetting();

    afx_msg void OnApply();
    afx_msg void OnPrint();
    afx_msg void OnPreview();
    afx_msg void OnSetRange();
    afx_msg void OnScaleMode();
    afx_msg void OnChanged();
    afx_msg void OnHelpButton();
    DECLARE_MESSAGE_MAP()
};
