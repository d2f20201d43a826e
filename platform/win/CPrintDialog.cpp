#include "platform/win/CPrintDialog.h"

#include <cstring>
#include <memory>

#include <QtCore/QCoreApplication>
#include <QtPrintSupport/QPageSetupDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>

#include "platform/afx/FrameworkText.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/AfxPrinterData.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CommDlgTypes.h"
#include "platform/win/DialogTemplate.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CDialog)

namespace {

DWORD g_printDlgError = 0;

const char kPrintTemplate[] = R"(DIALOG 0 0 288 188
CAPTION "Print"
CONTROL BUTTON 1075 "Printer" 7 4 274 84 BS_GROUPBOX
CONTROL STATIC 1093 "&Name:" 16 20 36 8
CONTROL COMBOBOX 1139 "" 54 18 150 152 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP
CONTROL BUTTON 1025 "&Properties..." 210 17 62 14 WS_TABSTOP
CONTROL STATIC 1095 "Status:" 16 36 36 8
CONTROL STATIC 1099 "" 54 36 218 8 SS_NOPREFIX
CONTROL STATIC 1094 "Type:" 16 48 36 8
CONTROL STATIC 1098 "" 54 48 218 8 SS_NOPREFIX
CONTROL STATIC 1097 "Where:" 16 60 36 8
CONTROL STATIC 1101 "" 54 60 218 8 SS_NOPREFIX
CONTROL STATIC 1096 "Comment:" 16 72 36 8
CONTROL STATIC 1100 "" 54 72 150 8 SS_NOPREFIX
CONTROL BUTTON 1040 "Print to fi&le" 210 71 64 12 BS_AUTOCHECKBOX | WS_TABSTOP
CONTROL BUTTON 1072 "Print range" 7 92 140 66 BS_GROUPBOX
CONTROL BUTTON 1056 "&All" 16 104 64 12 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP
CONTROL BUTTON 1058 "Pa&ges" 16 120 36 12 BS_AUTORADIOBUTTON
CONTROL BUTTON 1057 "&Selection" 16 136 64 12 BS_AUTORADIOBUTTON
CONTROL STATIC 1089 "&from:" 54 122 20 8
CONTROL EDIT 1152 "" 74 120 26 12 WS_BORDER | WS_TABSTOP | WS_GROUP | ES_NUMBER
CONTROL STATIC 1090 "&to:" 104 122 14 8
CONTROL EDIT 1153 "" 118 120 26 12 WS_BORDER | WS_TABSTOP | ES_NUMBER
CONTROL BUTTON 1073 "Copies" 154 92 127 66 BS_GROUPBOX
CONTROL STATIC 1092 "Number of &copies:" 162 106 68 8
CONTROL EDIT 1154 "" 234 104 32 12 WS_BORDER | WS_TABSTOP | WS_GROUP | ES_NUMBER
CONTROL STATIC 1086 "" 162 124 40 26 SS_ETCHEDFRAME
CONTROL BUTTON 1041 "C&ollate" 212 130 60 12 BS_AUTOCHECKBOX | WS_TABSTOP
CONTROL BUTTON IDOK "OK" 120 166 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP
CONTROL BUTTON IDCANCEL "Cancel" 176 166 50 14 WS_TABSTOP
CONTROL BUTTON 1038 "&Help" 231 166 50 14 WS_TABSTOP
)";

const char kSetupTemplate[] = R"(DIALOG 0 0 288 170
CAPTION "Print Setup"
CONTROL BUTTON 1075 "Printer" 7 4 274 74 BS_GROUPBOX
CONTROL STATIC 1093 "&Name:" 16 20 36 8
CONTROL COMBOBOX 1136 "" 54 18 150 152 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP
CONTROL BUTTON 1025 "&Properties..." 210 17 62 14 WS_TABSTOP
CONTROL STATIC 1095 "Status:" 16 36 36 8
CONTROL STATIC 1099 "" 54 36 218 8 SS_NOPREFIX
CONTROL STATIC 1094 "Type:" 16 48 36 8
CONTROL STATIC 1098 "" 54 48 218 8 SS_NOPREFIX
CONTROL STATIC 1097 "Where:" 16 60 36 8
CONTROL STATIC 1101 "" 54 60 218 8 SS_NOPREFIX
CONTROL STATIC 1096 "Comment:" 16 72 36 8
CONTROL STATIC 1100 "" 54 72 218 8 SS_NOPREFIX
CONTROL BUTTON 1073 "Paper" 7 82 180 56 BS_GROUPBOX
CONTROL STATIC 1089 "Si&ze:" 16 98 30 8
CONTROL COMBOBOX 1137 "" 50 96 128 120 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP
CONTROL STATIC 1090 "&Source:" 16 118 30 8
CONTROL COMBOBOX 1138 "" 50 116 128 80 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP
CONTROL BUTTON 1072 "Orientation" 193 82 88 56 BS_GROUPBOX
CONTROL BUTTON 1056 "P&ortrait" 202 96 70 12 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP
CONTROL BUTTON 1057 "L&andscape" 202 114 70 12 BS_AUTORADIOBUTTON
CONTROL BUTTON IDOK "OK" 120 148 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP
CONTROL BUTTON IDCANCEL "Cancel" 176 148 50 14 WS_TABSTOP
CONTROL BUTTON 1038 "&Help" 231 148 50 14 WS_TABSTOP
)";

bool IsPushButton(CWnd* p) {
  if (!p) return false;
  const DWORD type = p->GetStyle() & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace

DWORD AfxGetPrintDlgError() { return g_printDlgError; }
void AfxSetPrintDlgError(DWORD dwError) {
  g_printDlgError = dwError;
  AfxSetCommDlgError(dwError);
}

BOOL PrintDlg(LPPRINTDLG lppd) {
  AfxSetPrintDlgError(0);
  if (!lppd) {
    AfxSetPrintDlgError(PDERR_INITFAILURE);
    return FALSE;
  }
  if (lppd->lStructSize != 0 && lppd->lStructSize != sizeof(PRINTDLG)) {
    AfxSetPrintDlgError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  CPrintDialog dlg((lppd->Flags & PD_PRINTSETUP) ? TRUE : FALSE, lppd->Flags, CWnd::FromHandle(lppd->hwndOwner));
  dlg.m_pd = *lppd;
  BOOL ok = FALSE;
  if (lppd->Flags & PD_RETURNDEFAULT)
    ok = dlg.GetDefaults();
  else
    ok = dlg.DoModal() == IDOK;
  *lppd = dlg.m_pd;
  return ok;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : m_bPrintSetupOnly(bPrintSetupOnly), m_pPrinter(std::make_unique<AfxPrinterData>()) {
  m_pParentWnd = pParentWnd;
  m_pd.lStructSize = sizeof(PRINTDLG);
  m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0);
  m_pd.nFromPage = m_pd.nToPage = 0xFFFF;
  m_pd.nMinPage = 1;
  m_pd.nMaxPage = 0xFFFF;
  m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() = default;

CString CPrintDialog::GetStandardTemplateText(BOOL bPrintSetup) {
  return CString::FromQString(QString::fromUtf8(bPrintSetup ? kSetupTemplate : kPrintTemplate));
}

BOOL CPrintDialog::LoadDialogTemplate(DialogTemplate& t) {
  const bool setup = (m_pd.Flags & PD_PRINTSETUP) != 0;
  const DWORD withHandle = setup ? PD_ENABLESETUPTEMPLATEHANDLE : PD_ENABLEPRINTTEMPLATEHANDLE;
  const DWORD withName = setup ? PD_ENABLESETUPTEMPLATE : PD_ENABLEPRINTTEMPLATE;
  CString why;
  if (m_pd.Flags & withHandle) {
    HGLOBAL h = setup ? m_pd.hSetupTemplate : m_pd.hPrintTemplate;
    if (!h) {
      AfxSetPrintDlgError(CDERR_FINDRESFAILURE);
      return FALSE;
    }
    const bool ok = t.Parse(static_cast<const BYTE*>(GlobalLock(h)), GlobalSize(h), &why);
    GlobalUnlock(h);
    if (!ok) {
      m_strCreateError = why;
      AfxSetPrintDlgError(CDERR_LOADRESFAILURE);
      return FALSE;
    }
    return TRUE;
  }
  if (m_pd.Flags & withName) {
    LPCTSTR name = setup ? m_pd.lpSetupTemplateName : m_pd.lpPrintTemplateName;
    if (!name || !IS_INTRESOURCE(name)) {
      AfxSetPrintDlgError(CDERR_FINDRESFAILURE);
      return FALSE;
    }
    const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
    if (!t.Load(id, &why)) {
      m_strCreateError = why;
      AfxSetPrintDlgError(CDERR_FINDRESFAILURE);
      return FALSE;
    }
    if (!m_nIDHelp) m_nIDHelp = id;
    return TRUE;
  }
  const char* text = setup ? kSetupTemplate : kPrintTemplate;
  if (!t.LoadOrParse(setup ? AFX_IDD_STANDARD_PRINT_SETUP : AFX_IDD_STANDARD_PRINT, text, &why)) {
    m_strCreateError = why;
    AfxSetPrintDlgError(CDERR_LOADRESFAILURE);
    return FALSE;
  }
  if (!m_nIDHelp) m_nIDHelp = setup ? PRNSETUPDLGORD : PRINTDLGORD;
  return TRUE;
}

BOOL CPrintDialog::GetDefaults() {
  AfxSetPrintDlgError(0);
  if (m_pd.hDevMode || m_pd.hDevNames) {
    AfxSetPrintDlgError(PDERR_RETDEFFAILURE);
    return FALSE;
  }
  AfxPrinterData d;
  if (!d.LoadDefault()) {
    AfxSetPrintDlgError(PDERR_NODEFAULTPRN);
    return FALSE;
  }
  m_pd.hDevMode = d.CreateDevMode();
  m_pd.hDevNames = d.CreateDevNames();
  if (!m_pd.hDevMode || !m_pd.hDevNames) {
    AfxSetPrintDlgError(PDERR_GETDEVMODEFAIL);
    return FALSE;
  }
  *m_pPrinter = d;
  if (m_pd.Flags & (PD_RETURNDC | PD_RETURNIC)) m_pd.hDC = d.CreateDC();
  return TRUE;
}

INT_PTR CPrintDialog::DoModal() {
  AfxSetPrintDlgError(0);
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    AfxSetPrintDlgError(PDERR_INITFAILURE);
    return -1;
  }
  if (m_pd.Flags & PD_RETURNDEFAULT) return GetDefaults() ? IDOK : -1;
  // The printer to show: the record's, else the default one, else the PDF printer.
  AfxPrinterData d;
  CString why;
  DWORD e = d.Read(m_pd.hDevNames, m_pd.hDevMode, &why);
  if (e == PDERR_NODEFAULTPRN) e = d.LoadPrinter(AfxPrinterData::GetPdfPrinterName()) ? 0 : PDERR_NODEVICES;
  if (e) {
    m_strCreateError = why;
    AfxSetPrintDlgError(e);
    return -1;
  }
  *m_pPrinter = d;
  DialogTemplate t;
  if (!LoadDialogTemplate(t)) return -1;
  if (!m_pd.hwndOwner) {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_pd.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
  }
  if (!m_pParentWnd) m_pParentWnd = CWnd::FromHandle(m_pd.hwndOwner);
  m_bHadDevMode = m_pd.hDevMode != nullptr;
  m_bHadDevNames = m_pd.hDevNames != nullptr;
  m_savedDevMode = AfxPrinterData::SnapshotBlock(m_pd.hDevMode);
  m_savedDevNames = AfxPrinterData::SnapshotBlock(m_pd.hDevNames);
  StorePrinter();
  InitModalIndirect(t, m_pParentWnd);
  const INT_PTR r = CDialog::DoModal();
  if (r == -1) {
    AfxPrinterData::RestoreBlock(m_pd.hDevMode, m_bHadDevMode, m_savedDevMode);
    AfxPrinterData::RestoreBlock(m_pd.hDevNames, m_bHadDevNames, m_savedDevNames);
    AfxSetPrintDlgError(CDERR_LOADRESFAILURE);
  }
  return r;
}

int CPrintDialog::PrinterComboId() const { return (m_pd.Flags & PD_PRINTSETUP) ? cmb1 : cmb4; }

void CPrintDialog::StorePrinter() {
  m_pPrinter->WriteDevMode(m_pd.hDevMode);
  m_pPrinter->WriteDevNames(m_pd.hDevNames);
}

BOOL CPrintDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bFilling = TRUE;
  FillPrinterList();
  ShowPrinterState();
  if (m_pd.Flags & PD_PRINTSETUP) {
    FillPaperList();
  } else {
    // The range.
    if (m_pd.Flags & PD_NOSELECTION)
      if (CWnd* w = GetDlgItem(rad2)) w->EnableWindow(FALSE);
    if (m_pd.Flags & PD_NOPAGENUMS)
      for (int id : {rad3, edt1, edt2, stc2, stc3})
        if (CWnd* w = GetDlgItem(id)) w->EnableWindow(FALSE);
    const int range = (m_pd.Flags & PD_PAGENUMS) && !(m_pd.Flags & PD_NOPAGENUMS) ? rad3
                      : (m_pd.Flags & PD_SELECTION) && !(m_pd.Flags & PD_NOSELECTION) ? rad2
                                                                                        : rad1;
    CheckRadioButton(rad1, rad3, range);
    if (!(m_pd.Flags & PD_NOPAGENUMS)) {
      if (m_pd.nFromPage != 0xFFFF) SetDlgItemInt(edt1, m_pd.nFromPage, FALSE);
      if (m_pd.nToPage != 0xFFFF) SetDlgItemInt(edt2, m_pd.nToPage, FALSE);
    }
    // Copies and collation.
    const bool devCopies = (m_pd.Flags & PD_USEDEVMODECOPIES) != 0;
    SetDlgItemInt(edt3, devCopies ? static_cast<UINT>(m_pPrinter->m_nCopies) : std::max<UINT>(1, m_pd.nCopies), FALSE);
    CheckDlgButton(chx2, (devCopies ? m_pPrinter->m_bCollate : (m_pd.Flags & PD_COLLATE) != 0) ? BST_CHECKED : BST_UNCHECKED);
    // Printing to a file.
    if (CWnd* w = GetDlgItem(chx1)) {
      if (m_pd.Flags & PD_HIDEPRINTTOFILE) w->ShowWindow(SW_HIDE);
      if (m_pd.Flags & PD_DISABLEPRINTTOFILE) w->EnableWindow(FALSE);
      CheckDlgButton(chx1, (m_pd.Flags & PD_PRINTTOFILE) ? BST_CHECKED : BST_UNCHECKED);
    }
  }
  if (CWnd* help = GetDlgItem(pshHelp); help && IsPushButton(help) && !(m_pd.Flags & PD_SHOWHELP)) help->ShowWindow(SW_HIDE);
  m_bFilling = FALSE;
  const bool setup = (m_pd.Flags & PD_PRINTSETUP) != 0;
  const DWORD hookFlag = setup ? PD_ENABLESETUPHOOK : PD_ENABLEPRINTHOOK;
  LPPRINTHOOKPROC hook = setup ? m_pd.lpfnSetupHook : m_pd.lpfnPrintHook;
  if ((m_pd.Flags & hookFlag) && hook) hook(m_hWnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&m_pd));
  return TRUE;
}

void CPrintDialog::FillPrinterList() {
  CWnd* combo = GetDlgItem(PrinterComboId());
  if (!combo) return;
  combo->SendMessage(CB_RESETCONTENT);
  int sel = -1;
  m_printerNames = AfxPrinterData::GetPrinterNames();
  for (size_t k = 0; k < m_printerNames.size(); ++k) {
    const CString& name = m_printerNames[k];
    const int i = static_cast<int>(combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString())));
    combo->SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(k));
    if (name == m_pPrinter->m_strDevice) sel = i;
  }
  combo->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(sel));
}

void CPrintDialog::ShowPrinterState() {
  SetDlgItemText(stc12, AfxLoadFrameworkText(AFX_IDS_PRINTER_READY, u"Ready"));
  SetDlgItemText(stc11, m_pPrinter->GetPrinterType().GetString());
  SetDlgItemText(stc14, m_pPrinter->GetPrinterLocation().GetString());
  SetDlgItemText(stc13, m_pPrinter->GetPrinterComment().GetString());
}

void CPrintDialog::FillPaperControls(CDialog& dlg, const AfxPrinterData& printer) {
  if (CWnd* paper = dlg.GetDlgItem(cmb2)) {
    paper->SendMessage(CB_RESETCONTENT);
    int sel = -1;
    for (short p : printer.GetPaperList()) {
      const CString name = AfxPrinterData::GetPaperName(p);
      const int i = static_cast<int>(paper->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString())));
      paper->SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(i), p);
      if (p == printer.m_nPaper) sel = i;
    }
    paper->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(sel));
  }
  if (CWnd* source = dlg.GetDlgItem(cmb3)) {
    source->SendMessage(CB_RESETCONTENT);
    source->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AfxLoadFrameworkText(AFX_IDS_PRINT_SOURCE_AUTO, u"Automatically select").GetString()));
    source->SendMessage(CB_SETCURSEL, 0);
  }
  dlg.CheckRadioButton(rad1, rad2, printer.m_nOrientation == DMORIENT_LANDSCAPE ? rad2 : rad1);
}

void CPrintDialog::FillPaperList() { FillPaperControls(*this, *m_pPrinter); }

void CPrintDialog::OnPrinterSelChange() {
  CWnd* combo = GetDlgItem(PrinterComboId());
  if (!combo) return;
  const LRESULT sel = combo->SendMessage(CB_GETCURSEL);
  if (sel < 0) return;
  const auto k = static_cast<size_t>(combo->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(sel)));
  if (k >= m_printerNames.size()) return;
  const CString name = m_printerNames[k];
  if (name.IsEmpty() || name == m_pPrinter->m_strDevice) return;
  if (!m_pPrinter->ChangePrinter(name)) return;
  StorePrinter();
  ShowPrinterState();
  if (m_pd.Flags & PD_PRINTSETUP) {
    m_bFilling = TRUE;
    FillPaperList();
    m_bFilling = FALSE;
  }
}

void CPrintDialog::OnPrinterProperties() {
  std::unique_ptr<QPrinter> printer(m_pPrinter->CreatePrinter());
  if (!printer) return;
  QPageSetupDialog dlg(printer.get(), GetQWidget());
  if (dlg.exec() != QDialog::Accepted) return;
  m_pPrinter->ReadFrom(*printer);
  StorePrinter();
  if (m_pd.Flags & PD_PRINTSETUP) {
    m_bFilling = TRUE;
    FillPaperList();
    m_bFilling = FALSE;
  }
}

LRESULT CPrintDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND || m_bFilling || !m_hWnd) return CDialog::DefWindowProc(message, wParam, lParam);
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  const bool setup = (m_pd.Flags & PD_PRINTSETUP) != 0;
  if (id == PrinterComboId() && code == CBN_SELCHANGE) {
    OnPrinterSelChange();
    return 0;
  }
  if (id == psh2 && code == BN_CLICKED && IsPushButton(GetDlgItem(psh2))) {
    OnPrinterProperties();
    return 0;
  }
  if (id == pshHelp && code == BN_CLICKED && IsPushButton(GetDlgItem(pshHelp))) {
    OnHelp();
    return 0;
  }
  if (setup) {
    if (id == cmb2 && code == CBN_SELCHANGE) {
      const LRESULT sel = SendDlgItemMessage(cmb2, CB_GETCURSEL);
      if (sel >= 0) {
        m_pPrinter->SetPaper(static_cast<short>(SendDlgItemMessage(cmb2, CB_GETITEMDATA, static_cast<WPARAM>(sel))));
        StorePrinter();
      }
      return 0;
    }
    if ((id == rad1 || id == rad2) && code == BN_CLICKED) {
      m_pPrinter->m_nOrientation = IsDlgButtonChecked(rad2) == BST_CHECKED ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
      StorePrinter();
      return 0;
    }
  } else {
    // Typing a page number chooses the page range.
    if ((id == edt1 || id == edt2) && code == EN_CHANGE) {
      if (!(m_pd.Flags & PD_NOPAGENUMS)) CheckRadioButton(rad1, rad3, rad3);
      return 0;
    }
    if (id == edt3 && code == EN_CHANGE && (m_pd.Flags & PD_USEDEVMODECOPIES)) {
      BOOL ok = FALSE;
      const UINT n = GetDlgItemInt(edt3, &ok, FALSE);
      if (ok && n >= 1 && n <= 9999) {
        m_pPrinter->m_nCopies = static_cast<short>(n);
        StorePrinter();
      }
      return 0;
    }
    if (id == chx2 && code == BN_CLICKED && (m_pd.Flags & PD_USEDEVMODECOPIES)) {
      m_pPrinter->m_bCollate = IsDlgButtonChecked(chx2) == BST_CHECKED;
      StorePrinter();
      return 0;
    }
  }
  return CDialog::DefWindowProc(message, wParam, lParam);
}

BOOL CPrintDialog::ReadNumber(int nID, int nMin, int nMax, int& value) {
  CWnd* edit = GetDlgItem(nID);
  if (!edit) return TRUE;
  BOOL ok = FALSE;
  const UINT n = GetDlgItemInt(nID, &ok, FALSE);
  if (ok && static_cast<long long>(n) >= nMin && static_cast<long long>(n) <= nMax) {
    value = static_cast<int>(n);
    return TRUE;
  }
  CString text = AfxLoadFrameworkText(AFX_IDP_PRINT_NUMBER_RANGE, u"Enter a number from %1 to %2.");
  text.Replace(u"%1", CString::FromQString(QString::number(nMin)));
  text.Replace(u"%2", CString::FromQString(QString::number(nMax)));
  AfxMessageBox(text.GetString(), MB_OK | MB_ICONEXCLAMATION);
  GotoDlgCtrl(edit);
  return FALSE;
}

void CPrintDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (!(m_pd.Flags & PD_PRINTSETUP)) {
    int copies = std::max<int>(1, (m_pd.Flags & PD_USEDEVMODECOPIES) ? m_pPrinter->m_nCopies : m_pd.nCopies);
    if (GetDlgItem(edt3) && !ReadNumber(edt3, 1, 9999, copies)) return;
    DWORD range = 0;
    int from = m_pd.nFromPage, to = m_pd.nToPage;
    if (GetDlgItem(rad3) && IsDlgButtonChecked(rad3) == BST_CHECKED && !(m_pd.Flags & PD_NOPAGENUMS)) {
      const int lo = m_pd.nMinPage, hi = std::max<int>(m_pd.nMinPage, m_pd.nMaxPage);
      if (!ReadNumber(edt1, lo, hi, from)) return;
      to = from;
      if (CWnd* e = GetDlgItem(edt2)) {
        CString t;
        e->GetWindowText(t);
        if (!t.IsEmpty() && !ReadNumber(edt2, from, hi, to)) return;
      }
      range = PD_PAGENUMS;
    } else if (GetDlgItem(rad2) && IsDlgButtonChecked(rad2) == BST_CHECKED && !(m_pd.Flags & PD_NOSELECTION)) {
      range = PD_SELECTION;
    }
    const bool collate = GetDlgItem(chx2) ? IsDlgButtonChecked(chx2) == BST_CHECKED
                                          : ((m_pd.Flags & PD_USEDEVMODECOPIES) ? m_pPrinter->m_bCollate != FALSE
                                                                                : (m_pd.Flags & PD_COLLATE) != 0);
    m_pd.Flags &= ~static_cast<DWORD>(PD_PAGENUMS | PD_SELECTION | PD_COLLATE | PD_PRINTTOFILE);
    m_pd.Flags |= range;
    if (collate) m_pd.Flags |= PD_COLLATE;
    if (GetDlgItem(chx1) && IsDlgButtonChecked(chx1) == BST_CHECKED) m_pd.Flags |= PD_PRINTTOFILE;
    if (range == PD_PAGENUMS) {
      m_pd.nFromPage = static_cast<WORD>(from);
      m_pd.nToPage = static_cast<WORD>(to);
    }
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
      // The printer makes the copies.
      m_pPrinter->m_nCopies = static_cast<short>(copies);
      m_pPrinter->m_bCollate = collate;
      m_pd.nCopies = 1;
    } else {
      m_pPrinter->m_nCopies = 1;
      m_pd.nCopies = static_cast<WORD>(copies);
    }
  }
  StorePrinter();
  if (m_pd.Flags & (PD_RETURNDC | PD_RETURNIC)) m_pd.hDC = m_pPrinter->CreateDC();
  EndDialog(IDOK);
}

void CPrintDialog::OnCancel() {
  AfxPrinterData::RestoreBlock(m_pd.hDevMode, m_bHadDevMode, m_savedDevMode);
  AfxPrinterData::RestoreBlock(m_pd.hDevNames, m_bHadDevNames, m_savedDevNames);
  AfxSetPrintDlgError(0);
  CDialog::OnCancel();
}

HDC CPrintDialog::CreatePrinterDC() {
  if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
  m_pd.hDC = AfxCreateDC(m_pd.hDevNames, m_pd.hDevMode);
  return m_pd.hDC;
}

int CPrintDialog::GetCopies() const {
  if (m_pd.Flags & PD_USEDEVMODECOPIES) {
    AfxPrinterData d;
    if (m_pd.hDevNames && d.Read(m_pd.hDevNames, m_pd.hDevMode) == 0) return d.m_nCopies;
  }
  return m_pd.nCopies;
}

BOOL CPrintDialog::PrintCollate() const {
  if (m_pd.Flags & PD_USEDEVMODECOPIES) {
    AfxPrinterData d;
    if (m_pd.hDevNames && d.Read(m_pd.hDevNames, m_pd.hDevMode) == 0) return d.m_bCollate;
  }
  return (m_pd.Flags & PD_COLLATE) != 0;
}

int CPrintDialog::GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
int CPrintDialog::GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

LPDEVMODE CPrintDialog::GetDevMode() const {
  if (!m_pd.hDevMode || GlobalSize(m_pd.hDevMode) < sizeof(DEVMODE)) return nullptr;
  return static_cast<LPDEVMODE>(GlobalLock(m_pd.hDevMode));
}

CString CPrintDialog::GetDeviceName() const {
  CString driver, device, port;
  AfxPrinterData::ReadDevNames(m_pd.hDevNames, driver, device, port);
  return device;
}

CString CPrintDialog::GetDriverName() const {
  CString driver, device, port;
  AfxPrinterData::ReadDevNames(m_pd.hDevNames, driver, device, port);
  return driver;
}

CString CPrintDialog::GetPortName() const {
  CString driver, device, port;
  AfxPrinterData::ReadDevNames(m_pd.hDevNames, driver, device, port);
  return port;
}
