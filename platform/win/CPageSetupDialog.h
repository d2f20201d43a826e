#pragma once
// The page setup dialog: paper size and source, orientation, margins and, through its printer
// button, the print setup dialog. Made from the standard template (PAGESETUPDLGORD) or the
// program's own one (PSD_ENABLEPAGESETUPTEMPLATE with lpPageSetupTemplateName), which keeps the
// standard controls' numbers (PrintDlgTypes.h) and may add its own.
//
// m_psd goes in and comes out as the system's record: the printer in hDevNames and hDevMode
// (made when NULL, possibly replaced; read them from m_psd), the sheet size in ptPaperSize and
// the margins, in hundredths of a millimetre or thousandths of an inch (the flag that was used
// is set on return). While the dialog runs the handles always describe what it shows, and
// Cancel puts their contents back. Standard controls are handled as the default processing of
// their messages (DefWindowProc), so a derived dialog's handler calls Default() first.

#include <memory>
#include <vector>

#include "platform/afx/CRect.h"
#include "platform/afx/CSize.h"
#include "platform/afx/CString.h"
#include "platform/win/CDialog.h"
#include "platform/win/PrintDlgTypes.h"

class AfxPrinterData;
class DialogTemplate;

class CPageSetupDialog : public CDialog {
  DECLARE_DYNAMIC(CPageSetupDialog)
public:
  explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE, CWnd* pParentWnd = nullptr);
  ~CPageSetupDialog() override;

  PAGESETUPDLG m_psd{};

  // IDOK, IDCANCEL, or -1 when the dialog could not run (AfxGetPrintDlgError says why).
  // With PSD_RETURNDEFAULT nothing is shown: the default printer's handles, sheet and
  // minimum margins are filled in (IDOK), or -1 with PDERR_NODEFAULTPRN.
  INT_PTR DoModal() override;
  // A new context for the chosen printer; the caller deletes it.
  HDC CreatePrinterDC();

  CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
  // In the record's units; either pointer may be NULL.
  void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
  LPDEVMODE GetDevMode() const;
  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;

  static CString GetStandardTemplateText();

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  BOOL LoadDialogTemplate(DialogTemplate& t);
  // Record units from millimetres and back.
  BOOL IsMetric() const;
  LONG ToUnits(double mm) const;
  double FromUnits(LONG units) const;
  void FillPaperList();
  void ShowMargins();
  // The sample page (rct1, shadows rct2 and rct3) takes the sheet's shape within its box.
  void ShowSample();
  void StorePrinter();
  void OnPrinterButton();
  // A margin edit box in millimetres; a message and the focus on it when it is not a number
  // from lo to hi.
  BOOL ReadMargin(int nID, double lo, double hi, double& mm);

  std::unique_ptr<AfxPrinterData> m_pPrinter;
  double m_margin[4] = {25.4, 25.4, 25.4, 25.4};      // left, top, right, bottom in mm
  double m_minMargin[4] = {0, 0, 0, 0};
  std::vector<BYTE> m_savedDevMode, m_savedDevNames;
  BOOL m_bHadDevMode = FALSE, m_bHadDevNames = FALSE;
  BOOL m_bFilling = FALSE;
  CRect m_rcSampleBox;
};

