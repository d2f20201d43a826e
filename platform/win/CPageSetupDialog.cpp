#include "platform/win/CPageSetupDialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QtCore/QCoreApplication>
#include <QtCore/QLocale>
#include <QtWidgets/QApplication>

#include "platform/afx/FrameworkText.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/AfxPrinterData.h"
#include "platform/win/CPrintDialog.h"
#include "platform/win/CWinApp.h"
#include "platform/win/DialogTemplate.h"

IMPLEMENT_DYNAMIC(CPageSetupDialog, CDialog)

namespace {

const char kPageSetupTemplate[] = R"(DIALOG 0 0 260 226
CAPTION "Page Setup"
CONTROL STATIC 1080 "" 100 10 58 72 SS_WHITERECT | WS_BORDER
CONTROL STATIC 1081 "" 158 14 4 72 SS_GRAYRECT
CONTROL STATIC 1082 "" 104 82 58 4 SS_GRAYRECT
CONTROL BUTTON 1073 "Paper" 7 94 246 48 BS_GROUPBOX
CONTROL STATIC 1089 "Si&ze:" 16 108 30 8
CONTROL COMBOBOX 1137 "" 50 106 194 120 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP
CONTROL STATIC 1090 "&Source:" 16 124 30 8
CONTROL COMBOBOX 1138 "" 50 122 194 80 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP
CONTROL BUTTON 1072 "Orientation" 7 146 80 48 BS_GROUPBOX
CONTROL BUTTON 1056 "P&ortrait" 16 160 64 12 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP
CONTROL BUTTON 1057 "L&andscape" 16 176 64 12 BS_AUTORADIOBUTTON
CONTROL BUTTON 1075 "Margins" 93 146 160 48 BS_GROUPBOX
CONTROL STATIC 1102 "&Left:" 101 160 24 8
CONTROL EDIT 1155 "" 127 158 36 12 WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL
CONTROL STATIC 1103 "&Right:" 169 160 30 8
CONTROL EDIT 1156 "" 201 158 34 12 WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL
CONTROL STATIC 1104 "&Top:" 101 176 24 8
CONTROL EDIT 1157 "" 127 174 36 12 WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL
CONTROL STATIC 1105 "&Bottom:" 169 176 30 8
CONTROL EDIT 1158 "" 201 174 34 12 WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL
CONTROL BUTTON IDOK "OK" 37 204 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP
CONTROL BUTTON IDCANCEL "Cancel" 92 204 50 14 WS_TABSTOP
CONTROL BUTTON 1026 "&Printer..." 147 204 50 14 WS_TABSTOP
CONTROL BUTTON 1038 "&Help" 202 204 50 14 WS_TABSTOP
)";

// Margin edit boxes in the order left, top, right, bottom.
const int kMarginEdits[4] = {edt4, edt6, edt5, edt7};

bool IsPushButton(CWnd* p) {
  if (!p) return false;
  const DWORD type = p->GetStyle() & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace

BOOL PageSetupDlg(LPPAGESETUPDLG lppsd) {
  AfxSetPrintDlgError(0);
  if (!lppsd) {
    AfxSetPrintDlgError(PDERR_INITFAILURE);
    return FALSE;
  }
  if (lppsd->lStructSize != 0 && lppsd->lStructSize != sizeof(PAGESETUPDLG)) {
    AfxSetPrintDlgError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  CPageSetupDialog dlg(lppsd->Flags, CWnd::FromHandle(lppsd->hwndOwner));
  dlg.m_psd = *lppsd;
  const BOOL ok = dlg.DoModal() == IDOK;
  *lppsd = dlg.m_psd;
  return ok;
}

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : m_pPrinter(std::make_unique<AfxPrinterData>()) {
  m_pParentWnd = pParentWnd;
  m_psd.lStructSize = sizeof(PAGESETUPDLG);
  m_psd.Flags = dwFlags;
}

CPageSetupDialog::~CPageSetupDialog() = default;

CString CPageSetupDialog::GetStandardTemplateText() { return CString::FromQString(QString::fromUtf8(kPageSetupTemplate)); }

BOOL CPageSetupDialog::IsMetric() const {
  if (m_psd.Flags & PSD_INHUNDREDTHSOFMILLIMETERS) return TRUE;
  if (m_psd.Flags & PSD_INTHOUSANDTHSOFINCHES) return FALSE;
  return QLocale().measurementSystem() == QLocale::MetricSystem;
}

LONG CPageSetupDialog::ToUnits(double mm) const {
  return static_cast<LONG>(std::lround(IsMetric() ? mm * 100.0 : mm / 25.4 * 1000.0));
}

double CPageSetupDialog::FromUnits(LONG units) const { return IsMetric() ? units / 100.0 : units * 25.4 / 1000.0; }

BOOL CPageSetupDialog::LoadDialogTemplate(DialogTemplate& t) {
  CString why;
  if (m_psd.Flags & PSD_ENABLEPAGESETUPTEMPLATEHANDLE) {
    if (!m_psd.hPageSetupTemplate) {
      AfxSetPrintDlgError(CDERR_FINDRESFAILURE);
      return FALSE;
    }
    const bool ok = t.Parse(static_cast<const BYTE*>(GlobalLock(m_psd.hPageSetupTemplate)), GlobalSize(m_psd.hPageSetupTemplate), &why);
    GlobalUnlock(m_psd.hPageSetupTemplate);
    if (!ok) {
      m_strCreateError = why;
      AfxSetPrintDlgError(CDERR_LOADRESFAILURE);
    }
    return ok ? TRUE : FALSE;
  }
  if (m_psd.Flags & PSD_ENABLEPAGESETUPTEMPLATE) {
    LPCTSTR name = m_psd.lpPageSetupTemplateName;
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
  if (!t.LoadOrParse(AFX_IDD_STANDARD_PAGE_SETUP, kPageSetupTemplate, &why)) {
    m_strCreateError = why;
    AfxSetPrintDlgError(CDERR_LOADRESFAILURE);
    return FALSE;
  }
  if (!m_nIDHelp) m_nIDHelp = PAGESETUPDLGORD;
  return TRUE;
}

void CPageSetupDialog::StorePrinter() {
  m_pPrinter->WriteDevMode(m_psd.hDevMode);
  m_pPrinter->WriteDevNames(m_psd.hDevNames);
  m_psd.ptPaperSize.x = ToUnits(m_pPrinter->GetSheetWidthMM());
  m_psd.ptPaperSize.y = ToUnits(m_pPrinter->GetSheetHeightMM());
  if (!(m_psd.Flags & PSD_MINMARGINS)) {
    m_pPrinter->GetMinMarginsMM(m_minMargin[0], m_minMargin[1], m_minMargin[2], m_minMargin[3]);
    m_psd.rtMinMargin = {ToUnits(m_minMargin[0]), ToUnits(m_minMargin[1]), ToUnits(m_minMargin[2]), ToUnits(m_minMargin[3])};
  }
}

INT_PTR CPageSetupDialog::DoModal() {
  AfxSetPrintDlgError(0);
  if (!(m_psd.Flags & (PSD_INHUNDREDTHSOFMILLIMETERS | PSD_INTHOUSANDTHSOFINCHES)))
    m_psd.Flags |= IsMetric() ? PSD_INHUNDREDTHSOFMILLIMETERS : PSD_INTHOUSANDTHSOFINCHES;
  if (m_psd.Flags & PSD_MINMARGINS) {
    const RECT& r = m_psd.rtMinMargin;
    m_minMargin[0] = FromUnits(r.left);
    m_minMargin[1] = FromUnits(r.top);
    m_minMargin[2] = FromUnits(r.right);
    m_minMargin[3] = FromUnits(r.bottom);
  }
  if (m_psd.Flags & PSD_RETURNDEFAULT) {
    if (m_psd.hDevMode || m_psd.hDevNames) {
      AfxSetPrintDlgError(PDERR_RETDEFFAILURE);
      return -1;
    }
    if (!m_pPrinter->LoadDefault()) {
      AfxSetPrintDlgError(PDERR_NODEFAULTPRN);
      return -1;
    }
    StorePrinter();
    return IDOK;
  }
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    AfxSetPrintDlgError(PDERR_INITFAILURE);
    return -1;
  }
  AfxPrinterData d;
  CString why;
  DWORD e = d.Read(m_psd.hDevNames, m_psd.hDevMode, &why);
  if (e == PDERR_NODEFAULTPRN) e = d.LoadPrinter(AfxPrinterData::GetPdfPrinterName()) ? 0 : PDERR_NODEVICES;
  if (e) {
    m_strCreateError = why;
    AfxSetPrintDlgError(e);
    return -1;
  }
  *m_pPrinter = d;
  DialogTemplate t;
  if (!LoadDialogTemplate(t)) return -1;
  if (m_psd.Flags & PSD_MARGINS) {
    const RECT& r = m_psd.rtMargin;
    m_margin[0] = FromUnits(r.left);
    m_margin[1] = FromUnits(r.top);
    m_margin[2] = FromUnits(r.right);
    m_margin[3] = FromUnits(r.bottom);
  } else {
    for (double& m : m_margin) m = IsMetric() ? 25.0 : 25.4;
  }
  if (!m_psd.hwndOwner) {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_psd.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
  }
  if (!m_pParentWnd) m_pParentWnd = CWnd::FromHandle(m_psd.hwndOwner);
  m_bHadDevMode = m_psd.hDevMode != nullptr;
  m_bHadDevNames = m_psd.hDevNames != nullptr;
  m_savedDevMode = AfxPrinterData::SnapshotBlock(m_psd.hDevMode);
  m_savedDevNames = AfxPrinterData::SnapshotBlock(m_psd.hDevNames);
  StorePrinter();
  InitModalIndirect(t, m_pParentWnd);
  const INT_PTR r = CDialog::DoModal();
  if (r == -1) {
    AfxPrinterData::RestoreBlock(m_psd.hDevMode, m_bHadDevMode, m_savedDevMode);
    AfxPrinterData::RestoreBlock(m_psd.hDevNames, m_bHadDevNames, m_savedDevNames);
    AfxSetPrintDlgError(CDERR_LOADRESFAILURE);
  }
  return r;
}

BOOL CPageSetupDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bFilling = TRUE;
  if (CWnd* page = GetDlgItem(rct1)) {
    page->GetWindowRect(&m_rcSampleBox);
    ScreenToClient(&m_rcSampleBox);
  }
  FillPaperList();
  ShowMargins();
  ShowSample();
  auto enable = [this](std::initializer_list<int> ids, BOOL on) {
    for (int id : ids)
      if (CWnd* w = GetDlgItem(id)) w->EnableWindow(on);
  };
  if (m_psd.Flags & PSD_DISABLEPAPER) enable({cmb2, cmb3, stc2, stc3}, FALSE);
  if (m_psd.Flags & PSD_DISABLEORIENTATION) enable({rad1, rad2}, FALSE);
  if (m_psd.Flags & PSD_DISABLEMARGINS) enable({edt4, edt5, edt6, edt7, stc15, stc16, stc17, stc18}, FALSE);
  if ((m_psd.Flags & PSD_DISABLEPRINTER) && IsPushButton(GetDlgItem(psh3))) enable({psh3}, FALSE);
  if (CWnd* help = GetDlgItem(pshHelp); help && IsPushButton(help) && !(m_psd.Flags & PSD_SHOWHELP)) help->ShowWindow(SW_HIDE);
  m_bFilling = FALSE;
  if ((m_psd.Flags & PSD_ENABLEPAGESETUPHOOK) && m_psd.lpfnPageSetupHook)
    m_psd.lpfnPageSetupHook(m_hWnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&m_psd));
  return TRUE;
}

void CPageSetupDialog::FillPaperList() { CPrintDialog::FillPaperControls(*this, *m_pPrinter); }

void CPageSetupDialog::ShowSample() {
  CWnd* page = GetDlgItem(rct1);
  if (!page || m_rcSampleBox.IsRectEmpty() || (m_psd.Flags & PSD_DISABLEPAGEPAINTING)) return;
  const double w = m_pPrinter->GetSheetWidthMM(), h = m_pPrinter->GetSheetHeightMM();
  if (!(w > 0) || !(h > 0)) return;
  const double k = std::min(m_rcSampleBox.Width() / w, m_rcSampleBox.Height() / h);
  const int pw = std::max(2, static_cast<int>(std::lround(w * k)));
  const int ph = std::max(2, static_cast<int>(std::lround(h * k)));
  CRect r(CPoint(m_rcSampleBox.left + (m_rcSampleBox.Width() - pw) / 2, m_rcSampleBox.top + (m_rcSampleBox.Height() - ph) / 2),
          CSize(pw, ph));
  page->MoveWindow(&r);
  const int shadow = std::max(2, GetBaseUnits().cx);
  if (CWnd* right = GetDlgItem(rct2)) right->MoveWindow(CRect(r.right, r.top + shadow, r.right + shadow, r.bottom + shadow));
  if (CWnd* bottom = GetDlgItem(rct3)) bottom->MoveWindow(CRect(r.left + shadow, r.bottom, r.right, r.bottom + shadow));
}

void CPageSetupDialog::ShowMargins() {
  for (int i = 0; i < 4; ++i) {
    const double v = IsMetric() ? m_margin[i] : m_margin[i] / 25.4;
    const CString text = CString::FromQString(QLocale().toString(v, 'f', 2));
    SetDlgItemText(kMarginEdits[i], text.GetString());
  }
}

void CPageSetupDialog::OnPrinterButton() {
  CPrintDialog setup(TRUE, PD_PRINTSETUP | (m_psd.Flags & PSD_SHOWHELP ? PD_SHOWHELP : 0), this);
  setup.m_pd.hDevMode = m_pPrinter->CreateDevMode();
  setup.m_pd.hDevNames = m_pPrinter->CreateDevNames();
  if (setup.DoModal() == IDOK) {
    AfxPrinterData d;
    if (d.Read(setup.m_pd.hDevNames, setup.m_pd.hDevMode) == 0) {
      *m_pPrinter = d;
      StorePrinter();
      m_bFilling = TRUE;
      FillPaperList();
      m_bFilling = FALSE;
      ShowSample();
    }
  }
  if (setup.m_pd.hDevMode) GlobalFree(setup.m_pd.hDevMode);
  if (setup.m_pd.hDevNames) GlobalFree(setup.m_pd.hDevNames);
  if (setup.m_pd.hDC) ::DeleteDC(setup.m_pd.hDC);
}

LRESULT CPageSetupDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND || m_bFilling || !m_hWnd) return CDialog::DefWindowProc(message, wParam, lParam);
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (id == cmb2 && code == CBN_SELCHANGE) {
    const LRESULT sel = SendDlgItemMessage(cmb2, CB_GETCURSEL);
    if (sel >= 0) {
      m_pPrinter->SetPaper(static_cast<short>(SendDlgItemMessage(cmb2, CB_GETITEMDATA, static_cast<WPARAM>(sel))));
      StorePrinter();
      ShowSample();
    }
    return 0;
  }
  if ((id == rad1 || id == rad2) && code == BN_CLICKED && GetDlgItem(rad2)) {
    m_pPrinter->m_nOrientation = IsDlgButtonChecked(rad2) == BST_CHECKED ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    StorePrinter();
    ShowSample();
    return 0;
  }
  if (id == psh3 && code == BN_CLICKED && IsPushButton(GetDlgItem(psh3))) {
    OnPrinterButton();
    return 0;
  }
  if (id == pshHelp && code == BN_CLICKED && IsPushButton(GetDlgItem(pshHelp))) {
    OnHelp();
    return 0;
  }
  return CDialog::DefWindowProc(message, wParam, lParam);
}

BOOL CPageSetupDialog::ReadMargin(int nID, double lo, double hi, double& mm) {
  CWnd* edit = GetDlgItem(nID);
  if (!edit) return TRUE;
  CString text;
  edit->GetWindowText(text);
  const QString t = text.ToQString().trimmed();
  bool ok = false;
  double v = QLocale().toDouble(t, &ok);
  if (!ok) v = QLocale::c().toDouble(t, &ok);
  const double k = IsMetric() ? 1.0 : 25.4;
  const double value = v * k;
  // Rounding of the shown text must not refuse the printer's own minimum.
  const double slack = IsMetric() ? 0.005 : 0.005 * 25.4;
  if (ok && std::isfinite(value) && value >= lo - slack && value <= hi + slack) {
    mm = std::max(lo, std::min(hi, value));
    return TRUE;
  }
  const QString msg = AfxLoadFrameworkText(AFX_IDP_PRINT_MARGIN_RANGE, u"Enter a margin from %1 to %2.")
                          .ToQString()
                          .arg(QLocale().toString(lo / k, 'f', 2), QLocale().toString(std::max(lo, hi) / k, 'f', 2));
  AfxMessageBox(CString::FromQString(msg).GetString(), MB_OK | MB_ICONEXCLAMATION);
  GotoDlgCtrl(edit);
  return FALSE;
}

void CPageSetupDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  const double width = m_pPrinter->GetSheetWidthMM();
  const double height = m_pPrinter->GetSheetHeightMM();
  double m[4] = {m_margin[0], m_margin[1], m_margin[2], m_margin[3]};
  // Each margin leaves room for the one opposite it and some paper between.
  const double across[4] = {width, height, width, height};
  for (int i = 0; i < 4; ++i) {
    CWnd* edit = GetDlgItem(kMarginEdits[i]);
    if (!edit || !edit->IsWindowEnabled() || !(edit->GetStyle() & WS_VISIBLE)) continue;
    const double room = across[i] - m_minMargin[(i + 2) % 4] - 1.0;
    if (!ReadMargin(kMarginEdits[i], m_minMargin[i], room, m[i])) return;
  }
  for (int i = 0; i < 2; ++i) {
    if (m[i] + m[i + 2] >= across[i]) {
      CWnd* edit = GetDlgItem(kMarginEdits[i + 2]);
      AfxMessageBox(AfxLoadFrameworkText(AFX_IDP_PRINT_MARGINS_NO_ROOM, u"The margins leave no room on the paper.").GetString(),
                    MB_OK | MB_ICONEXCLAMATION);
      if (edit) GotoDlgCtrl(edit);
      return;
    }
  }
  for (int i = 0; i < 4; ++i) m_margin[i] = m[i];
  m_psd.rtMargin = {ToUnits(m[0]), ToUnits(m[1]), ToUnits(m[2]), ToUnits(m[3])};
  m_psd.Flags |= PSD_MARGINS;
  StorePrinter();
  EndDialog(IDOK);
}

void CPageSetupDialog::OnCancel() {
  AfxPrinterData::RestoreBlock(m_psd.hDevMode, m_bHadDevMode, m_savedDevMode);
  AfxPrinterData::RestoreBlock(m_psd.hDevNames, m_bHadDevNames, m_savedDevNames);
  AfxSetPrintDlgError(0);
  CDialog::OnCancel();
}

HDC CPageSetupDialog::CreatePrinterDC() { return AfxCreateDC(m_psd.hDevNames, m_psd.hDevMode); }

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const {
  if (lpRectMargins) *lpRectMargins = m_psd.rtMargin;
  if (lpRectMinMargins) *lpRectMinMargins = m_psd.rtMinMargin;
}

LPDEVMODE CPageSetupDialog::GetDevMode() const {
  if (!m_psd.hDevMode || GlobalSize(m_psd.hDevMode) < sizeof(DEVMODE)) return nullptr;
  return static_cast<LPDEVMODE>(GlobalLock(m_psd.hDevMode));
}

CString CPageSetupDialog::GetDeviceName() const {
  CString driver, device, port;
  AfxPrinterData::ReadDevNames(m_psd.hDevNames, driver, device, port);
  return device;
}

CString CPageSetupDialog::GetDriverName() const {
  CString driver, device, port;
  AfxPrinterData::ReadDevNames(m_psd.hDevNames, driver, device, port);
  return driver;
}

CString CPageSetupDialog::GetPortName() const {
  CString driver, device, port;
  AfxPrinterData::ReadDevNames(m_psd.hDevNames, driver, device, port);
  return port;
}
