#pragma once
// The print dialog and, with bPrintSetupOnly, the print setup dialog: a dialog made from the
// standard template (PRINTDLGORD, PRNSETUPDLGORD) or from the program's own one
// (PD_ENABLEPRINTTEMPLATE with lpPrintTemplateName, or the setup equivalents), which keeps the
// standard controls' numbers (PrintDlgTypes.h) and may add its own.
//
// The record m_pd goes in and comes out as the system's: the printer in hDevNames and
// hDevMode (made when NULL, and possibly replaced by larger blocks, so read them from m_pd
// afterwards), the range, copies and flags, and with PD_RETURNDC a printer context in hDC.
// While the dialog runs the two handles always describe the printer and settings shown, so
// a derived dialog may read them at any moment; Cancel puts their contents back.
//
// The standard controls are handled as the message's default processing (DefWindowProc):
// a derived dialog's handler for, say, the printer combo box calls Default() first and then
// does its own work.

#include <memory>
#include <vector>

#include "platform/afx/CString.h"
#include "platform/win/CDialog.h"
#include "platform/win/PrintDlgTypes.h"

class AfxPrinterData;
class DialogTemplate;

class CPrintDialog : public CDialog {
  DECLARE_DYNAMIC(CPrintDialog)
public:
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* pParentWnd = nullptr);
  ~CPrintDialog() override;

  PRINTDLG m_pd{};

  // IDOK, IDCANCEL, or -1 when the dialog could not run (AfxGetPrintDlgError says why:
  // PDERR_PRINTERNOTFOUND, PDERR_DNDMMISMATCH, PDERR_DEFAULTDIFFERENT, a missing template ...).
  INT_PTR DoModal() override;
  // The default printer's handles into m_pd (which must hold none) without showing anything;
  // FALSE with PDERR_NODEFAULTPRN when the system has no default printer.
  BOOL GetDefaults();
  // A new context for the chosen printer in m_pd.hDC (an earlier one there is deleted).
  HDC CreatePrinterDC();
  HDC GetPrinterDC() const { return m_pd.hDC; }

  int GetCopies() const;
  BOOL PrintCollate() const;
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
  int GetFromPage() const;
  int GetToPage() const;
  // The settings (locked; NULL without a DEVMODE) and the names of the chosen printer.
  LPDEVMODE GetDevMode() const;
  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;

  // The standard templates' text, for programs that build their own from them.
  static CString GetStandardTemplateText(BOOL bPrintSetup);
  // Fills a printer dialog's paper size list (cmb2) and source list (cmb3) and checks its orientation
  // (rad1, rad2) from printer; the page setup dialog shares the controls.
  static void FillPaperControls(CDialog& dlg, const AfxPrinterData& printer);

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The printer shown: its list, its description texts, and the handles written from it.
  void FillPrinterList();
  void ShowPrinterState();
  void FillPaperList();
  void StorePrinter();
  void OnPrinterSelChange();
  void OnPrinterProperties();
  // The number of an edit box between nMin and nMax, or a message and the focus on it.
  BOOL ReadNumber(int nID, int nMin, int nMax, int& value);
  int PrinterComboId() const;
  BOOL LoadDialogTemplate(DialogTemplate& t);

  BOOL m_bPrintSetupOnly;
  std::unique_ptr<AfxPrinterData> m_pPrinter;
  std::vector<CString> m_printerNames;
  std::vector<BYTE> m_savedDevMode, m_savedDevNames;
  BOOL m_bHadDevMode = FALSE, m_bHadDevNames = FALSE;
  BOOL m_bFilling = FALSE;
};
