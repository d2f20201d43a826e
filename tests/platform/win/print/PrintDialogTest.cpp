// The print, print setup and page setup dialogs run modally and driven from a timer through
// their controls' messages: what they show, what their records say afterwards, Cancel
// putting the printer handles back, a program's own template that extends the standard one
// with a derived dialog's handlers, and damaged input refused before anything shows.

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QRadioButton>

#include <cstring>
#include <functional>
#include <string>

#include "PrintTestApp.h"
#include "platform/afx/FrameworkText.h"
#include "platform/afx/ResourceModule.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/AfxPrinterData.h"
#include "platform/win/CPageSetupDialog.h"
#include "platform/win/CPrintDialog.h"
#include "platform/win/DialogTemplate.h"

namespace {

std::string S(const CString& s) { return s.ToQString().toStdString(); }

// Ends every modal window that runs, so that a test whose dialog never came up goes on to its end instead
// of waiting in a modal loop for CTest's timeout. The loops leave, innermost first, once the caller returns.
void EndModalWindows() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible() || !w->isModal()) continue;
    if (auto* dlg = dynamic_cast<CDialog*>(CWnd::FromQWidget(w)))
      dlg->EndDialog(IDABORT);
    else if (auto* box = qobject_cast<QDialog*>(w))
      box->reject();
    else
      w->close();
  }
}

// Looks for a window every 5 ms and runs act on it once found. After 400 looks (two seconds or more) the
// test fails at once, naming what it waited for, and giveUp ends the dialogs.
template <class T>
void WhenFound(const char* what, std::function<T*()> find, std::function<void(T*)> act,
               std::function<void()> giveUp = EndModalWindows) {
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, what, find, act, giveUp, tries = 0]() mutable {
    T* found = find();
    if (!found && ++tries < 400) return;
    timer->stop();
    timer->deleteLater();
    if (found) {
      act(found);
    } else {
      ADD_FAILURE() << what << " did not come up";
      giveUp();
    }
  });
  timer->start();
}

// Runs f once the modal dialog is up and active.
void WhenShown(CDialog& dlg, std::function<void()> f) {
  WhenFound<CDialog>(
      "the dialog",
      [&dlg]() -> CDialog* {
        const bool up = dlg.GetSafeHwnd() && dlg.IsWindowVisible() && QApplication::activeWindow() == dlg.GetQWidget();
        return up ? &dlg : nullptr;
      },
      [f](CDialog*) { f(); },
      [&dlg] {
        if (dlg.GetSafeHwnd()) dlg.EndDialog(IDABORT);
        EndModalWindows();
      });
}

// Runs f on the modal dialog of ours that comes up over (not as) the one given, or over nothing.
void WhenModalOver(const CWnd* under, const char* what, std::function<void(CWnd*)> f) {
  WhenFound<CWnd>(
      what,
      [under]() -> CWnd* {
        QWidget* modal = QApplication::activeModalWidget();
        CWnd* w = modal ? CWnd::FromQWidget(modal) : nullptr;
        return w != under ? w : nullptr;
      },
      std::move(f));
}

// What a control sends its dialog when the user works it.
void Notify(CWnd& dlg, int id, UINT code) {
  CWnd* c = dlg.GetDlgItem(id);
  ASSERT_NE(c, nullptr) << id;
  dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(c->GetSafeHwnd()));
}

// Picks the item with that data in a combo box as the user would.
void PickData(CWnd& dlg, int id, LPARAM data) {
  const int n = static_cast<int>(dlg.SendDlgItemMessage(id, CB_GETCOUNT));
  for (int i = 0; i < n; ++i)
    if (dlg.SendDlgItemMessage(id, CB_GETITEMDATA, static_cast<WPARAM>(i)) == data) {
      dlg.SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(i));
      Notify(dlg, id, CBN_SELCHANGE);
      return;
    }
  ADD_FAILURE() << "no item " << data << " in " << id;
}

void Click(CWnd& dlg, int id) {
  CWnd* c = dlg.GetDlgItem(id);
  ASSERT_NE(c, nullptr) << id;
  c->SendMessage(BM_CLICK);
}

CString Text(CWnd& dlg, int id) {
  CString s;
  dlg.GetDlgItemText(id, s);
  return s;
}

DEVMODE ModeOf(HGLOBAL h) {
  DEVMODE dm{};
  EXPECT_NE(h, nullptr);
  if (!h) return dm;
  std::memcpy(&dm, GlobalLock(h), sizeof dm);
  GlobalUnlock(h);
  return dm;
}

class PrintDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    ThePrintTestApp().prompts.clear();
  }
  // The PDF printer writing into the test's folder.
  AfxPrinterData Pdf(short paper = DMPAPER_A4) const {
    AfxPrinterData d;
    EXPECT_TRUE(d.LoadPrinter(AfxPrinterData::GetPdfPrinterName()));
    d.m_strPort = CString::FromQString(tmp.filePath(QStringLiteral("out.pdf")));
    d.SetPaper(paper);
    return d;
  }
  QTemporaryDir tmp;
};

TEST_F(PrintDialogTest, PrintDialogShowsThePdfPrinterAndReturnsRangeCopiesAndContext) {
  CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_RETURNDC | PD_HIDEPRINTTOFILE);
  dlg.m_pd.nMinPage = 1;
  dlg.m_pd.nMaxPage = 9;
  CString printer, type, status;
  BOOL selectionEnabled = TRUE, fileShown = TRUE, helpShown = TRUE;
  WhenShown(dlg, [&] {
    printer = Text(dlg, cmb4);
    type = Text(dlg, stc11);
    status = Text(dlg, stc12);
    selectionEnabled = dlg.GetDlgItem(rad2)->IsWindowEnabled();
    fileShown = dlg.GetDlgItem(chx1)->IsWindowVisible();
    helpShown = dlg.GetDlgItem(pshHelp)->IsWindowVisible();
    EXPECT_EQ(dlg.IsDlgButtonChecked(rad1), static_cast<UINT>(BST_CHECKED));
    // Typing page numbers chooses the page range.
    dlg.SetDlgItemText(edt1, u"2");
    dlg.SetDlgItemText(edt2, u"5");
    EXPECT_EQ(dlg.IsDlgButtonChecked(rad3), static_cast<UINT>(BST_CHECKED));
    dlg.SetDlgItemText(edt3, u"3");
    Click(dlg, chx2);
    // The handles follow the dialog while it runs.
    EXPECT_EQ(ModeOf(dlg.m_pd.hDevMode).dmCopies, 3);
    EXPECT_EQ(ModeOf(dlg.m_pd.hDevMode).dmCollate, DMCOLLATE_TRUE);
    Click(dlg, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(S(printer), "PDF");
  EXPECT_EQ(S(type), "PDF");
  EXPECT_FALSE(status.IsEmpty());
  EXPECT_FALSE(selectionEnabled);
  EXPECT_FALSE(fileShown);
  EXPECT_FALSE(helpShown);
  EXPECT_TRUE(dlg.PrintRange());
  EXPECT_FALSE(dlg.PrintAll());
  EXPECT_EQ(dlg.GetFromPage(), 2);
  EXPECT_EQ(dlg.GetToPage(), 5);
  EXPECT_EQ(dlg.GetCopies(), 3);
  EXPECT_TRUE(dlg.PrintCollate());
  EXPECT_EQ(dlg.m_pd.nCopies, 1);
  EXPECT_EQ(S(dlg.GetDeviceName()), "PDF");
  EXPECT_EQ(AfxGetPrintDlgError(), 0u);
  ASSERT_NE(dlg.GetPrinterDC(), nullptr);
  ::DeleteDC(dlg.m_pd.hDC);
  GlobalFree(dlg.m_pd.hDevMode);
  GlobalFree(dlg.m_pd.hDevNames);
}

TEST_F(PrintDialogTest, PageNumbersOutsideTheDocumentKeepTheDialogOpen) {
  CPrintDialog dlg(FALSE, PD_PAGENUMS);
  dlg.m_pd.nMinPage = 1;
  dlg.m_pd.nMaxPage = 4;
  dlg.m_pd.nFromPage = 1;
  dlg.m_pd.nToPage = 2;
  bool stillOpen = false, focusOnFrom = false;
  WhenShown(dlg, [&] {
    dlg.SetDlgItemText(edt1, u"7");
    Click(dlg, IDOK);
    stillOpen = dlg.IsWindowVisible() != FALSE;
    focusOnFrom = CWnd::GetFocus() == dlg.GetDlgItem(edt1);
    dlg.SetDlgItemText(edt1, u"3");
    dlg.SetDlgItemText(edt2, u"4");
    Click(dlg, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(focusOnFrom);
  ASSERT_EQ(ThePrintTestApp().prompts.size(), 1u);
  EXPECT_EQ(dlg.GetFromPage(), 3);
  EXPECT_EQ(dlg.GetToPage(), 4);
  EXPECT_EQ(dlg.GetCopies(), 1);
  GlobalFree(dlg.m_pd.hDevMode);
  GlobalFree(dlg.m_pd.hDevNames);
}

TEST_F(PrintDialogTest, SetupChangesFollowTheHandlesAndCancelPutsThemBack) {
  const AfxPrinterData pdf = Pdf(DMPAPER_A4);
  CPrintDialog dlg(TRUE);
  dlg.m_pd.hDevMode = pdf.CreateDevMode();
  dlg.m_pd.hDevNames = pdf.CreateDevNames();
  DEVMODE during{};
  WhenShown(dlg, [&] {
    EXPECT_EQ(S(Text(dlg, cmb1)), "PDF");
    EXPECT_EQ(dlg.IsDlgButtonChecked(rad1), static_cast<UINT>(BST_CHECKED));
    PickData(dlg, cmb2, DMPAPER_A3);
    Click(dlg, rad2);
    during = ModeOf(dlg.m_pd.hDevMode);
    Click(dlg, IDCANCEL);
  });
  ASSERT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(AfxGetPrintDlgError(), 0u);
  EXPECT_EQ(during.dmPaperSize, DMPAPER_A3);
  EXPECT_EQ(during.dmOrientation, DMORIENT_LANDSCAPE);
  DEVMODE after = ModeOf(dlg.m_pd.hDevMode);
  EXPECT_EQ(after.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(after.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(dlg.GetPortName().ToQString(), tmp.filePath(QStringLiteral("out.pdf")));

  // The same changes confirmed.
  WhenShown(dlg, [&] {
    PickData(dlg, cmb2, DMPAPER_A3);
    Click(dlg, rad2);
    Click(dlg, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  after = ModeOf(dlg.m_pd.hDevMode);
  EXPECT_EQ(after.dmPaperSize, DMPAPER_A3);
  EXPECT_EQ(after.dmOrientation, DMORIENT_LANDSCAPE);
  GlobalFree(dlg.m_pd.hDevMode);
  GlobalFree(dlg.m_pd.hDevNames);
}

TEST_F(PrintDialogTest, PropertiesButtonEditsThePrinterSettings) {
  const AfxPrinterData pdf = Pdf(DMPAPER_A4);
  CPrintDialog dlg(TRUE);
  dlg.m_pd.hDevMode = pdf.CreateDevMode();
  dlg.m_pd.hDevNames = pdf.CreateDevNames();
  QStringList buttons;
  WhenShown(dlg, [&] {
    WhenFound<QDialog>(
        "the printer's properties",
        [&]() -> QDialog* {
          auto* props = qobject_cast<QDialog*>(QApplication::activeModalWidget());
          return props != dlg.GetQWidget() ? props : nullptr;
        },
        [&](QDialog* props) {
          for (QRadioButton* b : props->findChildren<QRadioButton*>()) {
            buttons << b->objectName();
            if (b->objectName() == QStringLiteral("landscape")) b->click();
          }
          props->accept();
        });
    Click(dlg, psh2);
    EXPECT_EQ(dlg.IsDlgButtonChecked(rad2), static_cast<UINT>(BST_CHECKED));
    Click(dlg, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(buttons.contains(QStringLiteral("landscape"))) << buttons.join(QLatin1Char(' ')).toStdString();
  const DEVMODE dm = ModeOf(dlg.m_pd.hDevMode);
  EXPECT_EQ(dm.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(dm.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(dlg.GetPortName().ToQString(), tmp.filePath(QStringLiteral("out.pdf")));
  GlobalFree(dlg.m_pd.hDevMode);
  GlobalFree(dlg.m_pd.hDevNames);
}

TEST_F(PrintDialogTest, BadHandlesOrMissingTemplatesFailBeforeShowing) {
  // Names of a printer that is not there.
  AfxPrinterData gone = Pdf();
  gone.m_strDevice = CString(u"Gone");
  {
    CPrintDialog dlg(FALSE);
    dlg.m_pd.hDevNames = gone.CreateDevNames();
    HGLOBAL before = dlg.m_pd.hDevNames;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(PDERR_PRINTERNOTFOUND));
    EXPECT_EQ(dlg.m_pd.hDevNames, before);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    GlobalFree(dlg.m_pd.hDevNames);
  }
  // A DEVMODE of another printer with the PDF printer's names.
  {
    CPageSetupDialog dlg;
    dlg.m_psd.hDevNames = Pdf().CreateDevNames();
    dlg.m_psd.hDevMode = gone.CreateDevMode();
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(PDERR_DNDMMISMATCH));
    GlobalFree(dlg.m_psd.hDevNames);
    GlobalFree(dlg.m_psd.hDevMode);
  }
  // A template number that no language library has.
  {
    CPrintDialog dlg(FALSE, PD_ENABLEPRINTTEMPLATE);
    dlg.m_pd.lpPrintTemplateName = MAKEINTRESOURCE(PRINTDLGORD);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(CDERR_FINDRESFAILURE));
    EXPECT_EQ(dlg.m_pd.hDevMode, nullptr);
    EXPECT_EQ(dlg.m_pd.hDevNames, nullptr);
  }
  // A damaged template handed over in a block.
  {
    const char bad[] = "DIALOG 0 0 nonsense\n";
    CPageSetupDialog dlg(PSD_ENABLEPAGESETUPTEMPLATEHANDLE);
    dlg.m_psd.hPageSetupTemplate = GlobalAlloc(GMEM_MOVEABLE, sizeof bad - 1);
    std::memcpy(GlobalLock(dlg.m_psd.hPageSetupTemplate), bad, sizeof bad - 1);
    GlobalUnlock(dlg.m_psd.hPageSetupTemplate);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(CDERR_LOADRESFAILURE));
    GlobalFree(dlg.m_psd.hPageSetupTemplate);
  }
}

TEST_F(PrintDialogTest, PageSetupReturnsPaperOrientationAndMargins) {
  CPageSetupDialog dlg(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | PSD_SHOWHELP);
  dlg.m_psd.rtMargin = {1000, 1000, 1000, 1000};
  CString left;
  BOOL helpShown = FALSE;
  CRect portrait, landscape;
  WhenShown(dlg, [&] {
    left = Text(dlg, edt4);
    helpShown = dlg.GetDlgItem(pshHelp)->IsWindowVisible();
    PickData(dlg, cmb2, DMPAPER_A3);
    dlg.GetDlgItem(rct1)->GetWindowRect(&portrait);
    Click(dlg, rad2);
    dlg.GetDlgItem(rct1)->GetWindowRect(&landscape);
    EXPECT_EQ(dlg.m_psd.ptPaperSize.x, 42000);
    // A margin that is not a number keeps the dialog open with the focus on it.
    dlg.SetDlgItemText(edt4, u"wide");
    Click(dlg, IDOK);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(edt4));
    // Margins that leave no paper neither.
    dlg.SetDlgItemText(edt4, u"300");
    dlg.SetDlgItemText(edt5, u"300");
    Click(dlg, IDOK);
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.SetDlgItemText(edt4, QLocale().toString(15.5, 'f', 1).toStdU16String().c_str());
    dlg.SetDlgItemText(edt5, u"10");
    Click(dlg, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(left.ToQString(), QLocale().toString(10.0, 'f', 2));
  // The sample page takes the sheet's shape: 297 x 420, then 420 x 297.
  ASSERT_GT(portrait.Width(), 0);
  EXPECT_NEAR(static_cast<double>(portrait.Height()) / portrait.Width(), 420.0 / 297.0, 0.05);
  EXPECT_NEAR(static_cast<double>(landscape.Width()) / landscape.Height(), 420.0 / 297.0, 0.05);
  EXPECT_TRUE(helpShown);
  EXPECT_EQ(ThePrintTestApp().prompts.size(), 2u);
  EXPECT_EQ(dlg.GetPaperSize(), CSize(42000, 29700));
  RECT margins{}, minMargins{};
  dlg.GetMargins(&margins, &minMargins);
  EXPECT_EQ(margins.left, 1550);
  EXPECT_EQ(margins.right, 1000);
  EXPECT_EQ(margins.top, 1000);
  EXPECT_EQ(minMargins.left, 0);  // the PDF printer prints up to the edge
  const DEVMODE dm = ModeOf(dlg.m_psd.hDevMode);
  EXPECT_EQ(dm.dmPaperSize, DMPAPER_A3);
  EXPECT_EQ(dm.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(S(dlg.GetDeviceName()), "PDF");
  GlobalFree(dlg.m_psd.hDevMode);
  GlobalFree(dlg.m_psd.hDevNames);
}

TEST_F(PrintDialogTest, PageSetupPrinterButtonRunsPrintSetup) {
  CPageSetupDialog dlg(PSD_INHUNDREDTHSOFMILLIMETERS);
  dlg.m_psd.hDevNames = Pdf(DMPAPER_A4).CreateDevNames();
  dlg.m_psd.hDevMode = Pdf(DMPAPER_A4).CreateDevMode();
  CString setupPrinter;
  LRESULT paperAfter = -1;
  WhenShown(dlg, [&] {
    // The nested setup dialog chooses A5 across and is confirmed.
    WhenModalOver(&dlg, "the print setup dialog", [&](CWnd* setup) {
      setupPrinter = Text(*setup, cmb1);
      PickData(*setup, cmb2, DMPAPER_A5);
      Click(*setup, rad2);
      Click(*setup, IDOK);
    });
    Click(dlg, psh3);
    // Back in page setup, its own controls show the printer's new paper.
    const LRESULT sel = dlg.SendDlgItemMessage(cmb2, CB_GETCURSEL);
    paperAfter = dlg.SendDlgItemMessage(cmb2, CB_GETITEMDATA, static_cast<WPARAM>(sel));
    EXPECT_EQ(dlg.IsDlgButtonChecked(rad2), static_cast<UINT>(BST_CHECKED));
    Click(dlg, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(S(setupPrinter), "PDF");
  EXPECT_EQ(paperAfter, DMPAPER_A5);
  EXPECT_EQ(dlg.GetPaperSize(), CSize(21000, 14800));
  EXPECT_EQ(ModeOf(dlg.m_psd.hDevMode).dmPaperSize, DMPAPER_A5);
  GlobalFree(dlg.m_psd.hDevMode);
  GlobalFree(dlg.m_psd.hDevNames);
}

// ---- a program's own template and dialog ------------------------------------------------------

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

// A language library holding the given files.
QString BuildModule(const QTemporaryDir& dir, const std::vector<std::pair<QString, QByteArray>>& files) {
  const QString src = dir.filePath(QStringLiteral("src"));
  QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\"><qresource prefix=\"/\">\n";
  for (const auto& [file, content] : files) {
    WriteFile(src + QLatin1Char('/') + file, content);
    qrc += "<file alias=\"" + file.toUtf8() + "\">" + (src + QLatin1Char('/') + file).toUtf8() + "</file>\n";
  }
  qrc += "</qresource></RCC>\n";
  WriteFile(src + QStringLiteral("/module.qrc"), qrc);
  const QString out = dir.filePath(QStringLiteral("KcResourceTST.rcc"));
  QProcess rcc;
  rcc.start(QStringLiteral(KC_TEST_RCC), {QStringLiteral("--binary"), QStringLiteral("--no-compress"), QStringLiteral("-o"),
                                          out, src + QStringLiteral("/module.qrc")});
  EXPECT_TRUE(rcc.waitForFinished(60000));
  EXPECT_EQ(rcc.exitCode(), 0) << rcc.readAllStandardError().toStdString();
  return out;
}

constexpr int kPreviewButton = 2284;

// A print dialog of a program: hides the range, adds a preview button, and notes printer
// changes after the standard handling.
class CProgramPrintDialog : public CPrintDialog {
public:
  CProgramPrintDialog() : CPrintDialog(FALSE, PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_NOPAGENUMS | PD_ENABLEPRINTTEMPLATE) {
    m_pd.lpPrintTemplateName = MAKEINTRESOURCE(PRINTDLGORD);
  }
  int m_nExitCode = 1;
  BOOL m_bPrinterChanged = FALSE;
  CString m_strDeviceAtPreview;

protected:
  BOOL OnInitDialog() override {
    CPrintDialog::OnInitDialog();
    for (int id : {grp1, rad1, rad2, rad3, edt1, edt2, stc2, stc3})
      if (CWnd* w = GetDlgItem(id)) w->ShowWindow(SW_HIDE);
    return TRUE;
  }
  afx_msg void OnPrinterChange() {
    Default();
    m_bPrinterChanged = TRUE;
    SetDlgItemText(IDCANCEL, u"Close");
  }
  afx_msg void OnPreview() {
    m_strDeviceAtPreview = GetDeviceName();
    m_nExitCode = 100;
    EndDialog(IDOK);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProgramPrintDialog, CPrintDialog)
  ON_CBN_SELCHANGE(cmb4, &CProgramPrintDialog::OnPrinterChange)
  ON_BN_CLICKED(kPreviewButton, &CProgramPrintDialog::OnPreview)
END_MESSAGE_MAP()

TEST_F(PrintDialogTest, ProgramTemplateFromTheLanguageLibraryExtendsTheStandardOne) {
  // The standard template with the program's preview button added.
  QByteArray text = CPrintDialog::GetStandardTemplateText(FALSE).ToQString().toUtf8();
  text.replace("CAPTION \"Print\"", "CAPTION @6000");
  text += "CONTROL BUTTON 2284 \"Pre&view\" 7 166 50 14 WS_TABSTOP\n";
  const QString path = BuildModule(tmp, {{QStringLiteral("strings.txt"), "6000\tPrint the drawing\n"},
                                         {QStringLiteral("DIALOG/1538"), text}});
  std::u16string reason;
  ResourceModule* module = AfxLoadResourceModule(path.toStdU16String(), &reason);
  ASSERT_NE(module, nullptr) << QString::fromStdU16String(reason).toStdString();
  ResourceModule* old = AfxGetResourceHandle();
  AfxSetResourceHandle(module);

  CProgramPrintDialog dlg;
  dlg.m_pd.hDevNames = Pdf(DMPAPER_A4).CreateDevNames();
  CString caption;
  BOOL rangeShown = TRUE;
  WhenShown(dlg, [&] {
    dlg.GetWindowText(caption);
    rangeShown = dlg.GetDlgItem(grp1)->IsWindowVisible();
    // Choosing the printer again runs the standard handling and then the program's.
    dlg.SendDlgItemMessage(cmb4, CB_SETCURSEL, 0);
    Notify(dlg, cmb4, CBN_SELCHANGE);
    EXPECT_EQ(S(Text(dlg, IDCANCEL)), "Close");
    Click(dlg, kPreviewButton);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(S(caption), "Print the drawing");
  EXPECT_FALSE(rangeShown);
  EXPECT_TRUE(dlg.m_bPrinterChanged);
  EXPECT_EQ(dlg.m_nExitCode, 100);
  EXPECT_EQ(S(dlg.m_strDeviceAtPreview), "PDF");
  EXPECT_EQ(dlg.m_nIDHelp, static_cast<UINT>(PRINTDLGORD));
  EXPECT_NE(dlg.m_pd.hDevMode, nullptr);
  GlobalFree(dlg.m_pd.hDevMode);
  GlobalFree(dlg.m_pd.hDevNames);

  AfxSetResourceHandle(old);
  AfxFreeResourceModule(module);
}

TEST_F(PrintDialogTest, FunctionsRunTheDialogsOnARecord) {
  PRINTDLG pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_NOPAGENUMS | PD_NOSELECTION;
  pd.nCopies = 2;
  pd.nMinPage = pd.nMaxPage = 1;
  // The dialog is found among the application's windows.
  WhenModalOver(nullptr, "the print dialog", [](CWnd* w) {
    EXPECT_EQ(S(Text(*w, edt3)), "2");
    w->SetDlgItemText(edt3, u"4");
    Click(*w, IDOK);
  });
  ASSERT_TRUE(PrintDlg(&pd));
  EXPECT_EQ(pd.nCopies, 4);
  EXPECT_NE(pd.hDevNames, nullptr);
  GlobalFree(pd.hDevMode);
  GlobalFree(pd.hDevNames);

  PAGESETUPDLG ps{};
  ps.lStructSize = sizeof ps;
  ps.Flags = PSD_INTHOUSANDTHSOFINCHES | PSD_MARGINS;
  ps.rtMargin = {500, 500, 500, 500};
  WhenModalOver(nullptr, "the page setup dialog", [](CWnd* w) {
    EXPECT_EQ(Text(*w, edt4).ToQString(), QLocale().toString(0.5, 'f', 2));
    PickData(*w, cmb2, DMPAPER_LETTER);
    Click(*w, IDCANCEL);
  });
  EXPECT_FALSE(PageSetupDlg(&ps));
  EXPECT_EQ(AfxGetPrintDlgError(), 0u);
  EXPECT_EQ(ps.hDevMode, nullptr);  // none came in, none go out after Cancel
  EXPECT_EQ(ps.hDevNames, nullptr);
  EXPECT_EQ(ps.rtMargin.left, 500);
}

}  // namespace

namespace {

// Every control inside the dialog (a combo box's rectangle includes its drop-down list, so only its
// top counts) and every label wide enough for its text.
void ExpectControlsAndTextsFit(const DialogTemplate& dt, const char* font);

// The built-in standard templates in a narrow and a wide font.
TEST(StandardPrintTemplates, FitTheirControlsAndTextsInEitherFont) {
  const CString texts[] = {CPrintDialog::GetStandardTemplateText(FALSE), CPrintDialog::GetStandardTemplateText(TRUE),
                           CPageSetupDialog::GetStandardTemplateText()};
  for (const CString& text : texts) {
    for (const char* font : {"FONT 9 \"DejaVu Sans\"", "FONT 10 \"DejaVu Sans Mono\""}) {
      QByteArray t = text.ToQString().toUtf8();
      t.insert(t.indexOf('\n') + 1, QByteArray(font) + '\n');
      DialogTemplate dt;
      CString why;
      ASSERT_TRUE(dt.Parse(t.constData() ? reinterpret_cast<const BYTE*>(t.constData()) : nullptr, static_cast<size_t>(t.size()), &why))
          << S(why);
      ExpectControlsAndTextsFit(dt, font);
    }
  }
}

// The program's language libraries carry the standard templates in their language: the dialogs
// show those texts, and every Japanese label still fits.
TEST(StandardPrintTemplates, ComeFromTheLanguageLibraryInItsLanguage) {
  struct Case {
    const char* language;
    const char* printCaption;
    const char* autoSource;
  } cases[] = {{"ENG", "Print", "Automatically select"}, {"JPN", "印刷", "自動選択"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    std::u16string reason;
    ResourceModule* module = AfxLoadResourceModule(
        QStringLiteral(KC_TEST_RESOURCE_DIR "/KcResource%1.rcc").arg(QLatin1String(c.language)).toStdU16String(), &reason);
    ASSERT_NE(module, nullptr) << QString::fromStdU16String(reason).toStdString();
    ResourceModule* old = AfxGetResourceHandle();
    AfxSetResourceHandle(module);
    for (UINT id : {AFX_IDD_STANDARD_PRINT, AFX_IDD_STANDARD_PRINT_SETUP, AFX_IDD_STANDARD_PAGE_SETUP}) {
      DialogTemplate dt;
      CString why;
      ASSERT_TRUE(dt.LoadOrParse(id, "", &why)) << S(why);
      if (id == AFX_IDD_STANDARD_PRINT) EXPECT_EQ(S(dt.GetCaption()), c.printCaption);
      ExpectControlsAndTextsFit(dt, "");
    }
    EXPECT_EQ(S(AfxLoadFrameworkText(AFX_IDS_PRINT_SOURCE_AUTO, u"")), c.autoSource);
    AfxSetResourceHandle(old);
    AfxFreeResourceModule(module);
  }
}

void ExpectControlsAndTextsFit(const DialogTemplate& dt, const char* font) {
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(dt));
  CRect client;
  dlg.GetClientRect(&client);
  for (CWnd* c = dlg.GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT)) {
    SCOPED_TRACE(testing::Message() << S(dt.GetCaption()) << " " << font << " control " << c->GetDlgCtrlID());
    CRect r;
    c->GetWindowRect(&r);
    dlg.ScreenToClient(&r);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, client.right);
    bool combo = false;
    for (const DialogItemTemplate& item : dt.items)
      if (item.id == c->GetDlgCtrlID()) combo = item.className.CompareNoCase(u"COMBOBOX") == 0;
    EXPECT_LE(combo ? r.top : r.bottom, client.bottom);
    CString label;
    c->GetWindowText(label);
    const bool isStatic = c->SendMessage(WM_GETDLGCODE) & DLGC_STATIC;
    if (isStatic && !label.IsEmpty()) {
      const QString plain = label.ToQString().remove(QLatin1Char('&'));
      EXPECT_GE(r.Width(), c->GetQWidget()->fontMetrics().horizontalAdvance(plain)) << plain.toStdString();
    }
  }
  dlg.DestroyWindow();
}

}  // namespace
