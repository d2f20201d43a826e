// Printer settings in DEVMODE and DEVNAMES blocks: round trips, damaged blocks, the machine
// without a default printer, and printer contexts that write real PDF files.

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtPrintSupport/QPrinter>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/AfxPrinterData.h"
#include "platform/win/CPageSetupDialog.h"
#include "platform/win/CPrintDialog.h"
#include "platform/win/PrintDlgTypes.h"
#include "PrintTestApp.h"

namespace {

std::string S(const CString& s) { return s.ToQString().toStdString(); }

// Frees a block at the end of a scope.
struct Block {
  HGLOBAL h = nullptr;
  explicit Block(HGLOBAL b = nullptr) : h(b) {}
  ~Block() {
    if (h) GlobalFree(h);
  }
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;
};

AfxPrinterData Pdf(const QString& file) {
  AfxPrinterData d;
  EXPECT_TRUE(d.LoadPrinter(AfxPrinterData::GetPdfPrinterName()));
  d.m_strPort = CString::FromQString(file);
  return d;
}

// The number of pages of a PDF file: its page objects.
int PdfPages(const QByteArray& pdf) {
  int n = 0;
  for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
    if (pdf.mid(at + 11, 1) != "s") ++n;
  return n;
}

TEST(PrinterData, WithoutPrintQueuesOnlyThePdfPrinterAndNoDefault) {
  const std::vector<CString> names = AfxPrinterData::GetPrinterNames();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(S(names[0]), "PDF");
  CString def;
  EXPECT_FALSE(AfxPrinterData::GetDefaultPrinterName(def));
  EXPECT_TRUE(def.IsEmpty());

  CPrintDialog pd(TRUE);
  EXPECT_FALSE(pd.GetDefaults());
  EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(PDERR_NODEFAULTPRN));
  EXPECT_EQ(pd.m_pd.hDevMode, nullptr);
  EXPECT_EQ(pd.m_pd.hDevNames, nullptr);

  PRINTDLG rec{};
  rec.lStructSize = sizeof rec;
  rec.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  EXPECT_FALSE(PrintDlg(&rec));
  EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(PDERR_NODEFAULTPRN));
  EXPECT_EQ(rec.hDC, nullptr);

  CPageSetupDialog ps(PSD_RETURNDEFAULT);
  EXPECT_EQ(ps.DoModal(), -1);
  EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(PDERR_NODEFAULTPRN));

  // No names and no default: nothing to read.
  AfxPrinterData d;
  EXPECT_EQ(d.Read(nullptr, nullptr), static_cast<DWORD>(PDERR_NODEFAULTPRN));
}

// The application's printer: the default queue, else the PDF printer; kept by the application and handed
// out as its own handles; a kept printer that has gone is replaced by the defaults.
TEST(PrinterData, ApplicationPrinterDefaultsToTheDefaultQueueElseThePdfPrinter) {
  CPrintTestApp& app = ThePrintTestApp();
  CString expected;
  if (!AfxPrinterData::GetDefaultPrinterName(expected)) expected = AfxPrinterData::GetPdfPrinterName();
  PRINTDLG pd{};
  pd.lStructSize = sizeof(pd);
  ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
  ASSERT_NE(pd.hDevNames, nullptr);
  ASSERT_NE(pd.hDevMode, nullptr);
  CString driver, device, port;
  ASSERT_TRUE(AfxPrinterData::ReadDevNames(pd.hDevNames, driver, device, port));
  EXPECT_EQ(device, expected);
  // The same handles again: they belong to the application.
  PRINTDLG again{};
  ASSERT_TRUE(app.GetPrinterDeviceDefaults(&again));
  EXPECT_EQ(again.hDevNames, pd.hDevNames);
  EXPECT_EQ(again.hDevMode, pd.hDevMode);
  // A kept printer that is no longer there gives way to the defaults.
  AfxPrinterData gone;
  ASSERT_TRUE(gone.LoadPrinter(AfxPrinterData::GetPdfPrinterName()));
  gone.m_strDevice = CString(u"Gone");
  GlobalFree(app.StoredDevNames());
  app.StoredDevNames() = gone.CreateDevNames();
  PRINTDLG replaced{};
  ASSERT_TRUE(app.GetPrinterDeviceDefaults(&replaced));
  ASSERT_TRUE(AfxPrinterData::ReadDevNames(replaced.hDevNames, driver, device, port));
  EXPECT_EQ(device, expected);
  EXPECT_EQ(app.GetPrinterDeviceDefaults(nullptr), FALSE);
}

TEST(PrinterData, SettingsSurviveTheBlocksAndQtPrinters) {
  struct Case {
    short paper, width, length;  // width and length only for DMPAPER_USER
    short orientation, copies;
    BOOL collate;
    const char* name;
  };
  const short a0 = AfxPrinterData::FindPaper(841, 1189);
  const Case cases[] = {
      {DMPAPER_A4, 0, 0, DMORIENT_PORTRAIT, 1, FALSE, "A4"},
      {DMPAPER_A3, 0, 0, DMORIENT_LANDSCAPE, 3, TRUE, "A3"},
      {DMPAPER_LETTER, 0, 0, DMORIENT_PORTRAIT, 12, TRUE, nullptr},
      {DMPAPER_B4, 0, 0, DMORIENT_LANDSCAPE, 2, FALSE, "JIS B4"},
      {a0, 0, 0, DMORIENT_LANDSCAPE, 1, FALSE, "A0"},
      {DMPAPER_USER, 5000, 7000, DMORIENT_PORTRAIT, 4, FALSE, nullptr},
  };
  EXPECT_GT(a0, DMPAPER_USER);  // A0 has no number of its own
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paper);
    AfxPrinterData d = Pdf(QStringLiteral("/tmp/never-written.pdf"));
    if (c.paper == DMPAPER_USER) {
      d.m_nPaper = DMPAPER_USER;
      d.m_nPaperWidth = c.width;
      d.m_nPaperLength = c.length;
    } else {
      d.SetPaper(c.paper);
      ASSERT_EQ(d.m_nPaper, c.paper);
      if (c.name) {
        EXPECT_EQ(S(AfxPrinterData::GetPaperName(c.paper)), c.name);
      }
    }
    d.m_nOrientation = c.orientation;
    d.m_nCopies = c.copies;
    d.m_bCollate = c.collate;

    Block mode(d.CreateDevMode()), names(d.CreateDevNames());
    ASSERT_NE(mode.h, nullptr);
    ASSERT_NE(names.h, nullptr);
    const auto* dm = static_cast<const DEVMODE*>(GlobalLock(mode.h));
    EXPECT_EQ(dm->dmSize, sizeof(DEVMODE));
    EXPECT_EQ(dm->dmPaperSize, c.paper);
    EXPECT_EQ(dm->dmOrientation, c.orientation);
    EXPECT_EQ(dm->dmCopies, c.copies);
    EXPECT_EQ(std::u16string(dm->dmDeviceName), u"PDF");
    GlobalUnlock(mode.h);

    AfxPrinterData back;
    ASSERT_EQ(back.Read(names.h, mode.h), 0u);
    EXPECT_EQ(S(back.m_strDevice), "PDF");
    EXPECT_EQ(S(back.m_strPort), "/tmp/never-written.pdf");
    EXPECT_EQ(back.m_nPaper, d.m_nPaper);
    EXPECT_EQ(back.m_nPaperWidth, d.m_nPaperWidth);
    EXPECT_EQ(back.m_nPaperLength, d.m_nPaperLength);
    EXPECT_EQ(back.m_nOrientation, c.orientation);
    EXPECT_EQ(back.m_nCopies, c.copies);
    EXPECT_EQ(back.m_bCollate, c.collate);

    // Through a Qt printer and back.
    std::unique_ptr<QPrinter> printer(back.CreatePrinter());
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->outputFormat(), QPrinter::PdfFormat);
    AfxPrinterData q = Pdf(QString());
    q.ReadFrom(*printer);
    EXPECT_EQ(q.m_nPaper, d.m_nPaper);
    EXPECT_NEAR(q.m_nPaperWidth, d.m_nPaperWidth, 1);
    EXPECT_NEAR(q.m_nPaperLength, d.m_nPaperLength, 1);
    EXPECT_EQ(q.m_nOrientation, c.orientation);
    EXPECT_EQ(q.m_nCopies, c.copies);
    EXPECT_EQ(S(q.m_strPort), "/tmp/never-written.pdf");
  }
}

TEST(PrinterData, WritingIntoABlockKeepsItWhenItFits) {
  AfxPrinterData d = Pdf(QStringLiteral("/tmp/a.pdf"));
  HGLOBAL mode = d.CreateDevMode();
  HGLOBAL before = mode;
  d.SetPaper(DMPAPER_A3);
  ASSERT_TRUE(d.WriteDevMode(mode));
  EXPECT_EQ(mode, before);
  EXPECT_EQ(static_cast<DEVMODE*>(GlobalLock(mode))->dmPaperSize, DMPAPER_A3);
  GlobalUnlock(mode);
  GlobalFree(mode);

  // Names grow with a longer port: a new block replaces the old one.
  HGLOBAL names = d.CreateDevNames();
  d.m_strPort = CString::FromQString(QStringLiteral("/tmp/a/much/longer/path/to/the/output.pdf"));
  ASSERT_TRUE(d.WriteDevNames(names));
  CString driver, device, port;
  ASSERT_TRUE(AfxPrinterData::ReadDevNames(names, driver, device, port));
  EXPECT_EQ(S(port), "/tmp/a/much/longer/path/to/the/output.pdf");
  EXPECT_EQ(S(device), "PDF");
  GlobalFree(names);
}

// A DEVNAMES block written by hand.
HGLOBAL RawNames(WORD driverOff, WORD deviceOff, WORD portOff, WORD def, const std::u16string& tail, size_t extraBytes = 0) {
  const size_t bytes = sizeof(DEVNAMES) + tail.size() * sizeof(TCHAR) + extraBytes;
  HGLOBAL h = GlobalAlloc(GMEM_ZEROINIT, bytes);
  auto* p = static_cast<BYTE*>(GlobalLock(h));
  const DEVNAMES dn{driverOff, deviceOff, portOff, def};
  std::memcpy(p, &dn, sizeof dn);
  std::memcpy(p + sizeof dn, tail.data(), tail.size() * sizeof(TCHAR));
  GlobalUnlock(h);
  return h;
}

TEST(PrinterData, DamagedOrForeignBlocksAreRefusedWithTheirReason) {
  const std::u16string good = std::u16string(u"PDF\0PDF\0/tmp/x.pdf\0", 20);
  struct Case {
    const char* what;
    HGLOBAL names;
    DWORD error;
  };
  const Case cases[] = {
      {"too short", GlobalAlloc(GMEM_ZEROINIT, 4), PDERR_PARSEFAILURE},
      {"offset past the end", RawNames(4, 400, 12, 0, good), PDERR_PARSEFAILURE},
      {"offset inside the header", RawNames(4, 1, 12, 0, good), PDERR_PARSEFAILURE},
      {"text without its end", RawNames(4, 8, 12, 0, std::u16string(u"PDF\0PDF\0/tmp/x.pdf", 18)), PDERR_PARSEFAILURE},
      {"unknown printer", RawNames(4, 8, 12, 0, std::u16string(u"PDF\0Nope\0\0", 10)), PDERR_PRINTERNOTFOUND},
      {"no printer named", RawNames(4, 8, 8, 0, std::u16string(u"PDF\0\0", 5)), PDERR_PRINTERNOTFOUND},
      {"default that is not the default", RawNames(4, 8, 12, DN_DEFAULTPRN, good), PDERR_DEFAULTDIFFERENT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Block names(c.names);
    AfxPrinterData d = Pdf(QStringLiteral("/tmp/keep.pdf"));
    d.SetPaper(DMPAPER_A5);
    CString why;
    EXPECT_EQ(d.Read(names.h, nullptr, &why), c.error);
    EXPECT_FALSE(why.IsEmpty());
    // Nothing was taken over.
    EXPECT_EQ(d.m_nPaper, DMPAPER_A5);
    EXPECT_EQ(S(d.m_strPort), "/tmp/keep.pdf");
    EXPECT_EQ(AfxCreateDC(names.h, nullptr), nullptr);
  }
  {
    Block names(RawNames(4, 8, 12, 0, good));
    AfxPrinterData d;
    ASSERT_EQ(d.Read(names.h, nullptr), 0u);
    EXPECT_EQ(S(d.m_strPort), "/tmp/x.pdf");
  }

  // Settings blocks: a size that lies, a name without its end, another printer's settings.
  AfxPrinterData pdf = Pdf(QStringLiteral("/tmp/x.pdf"));
  Block names(pdf.CreateDevNames());
  auto withMode = [&](const std::function<void(DEVMODE&)>& spoil) {
    HGLOBAL h = pdf.CreateDevMode();
    spoil(*static_cast<DEVMODE*>(GlobalLock(h)));
    GlobalUnlock(h);
    return h;
  };
  {
    Block mode(withMode([](DEVMODE& dm) { dm.dmSize = 4000; }));
    EXPECT_EQ(AfxPrinterData().Read(names.h, mode.h), static_cast<DWORD>(PDERR_PARSEFAILURE));
  }
  {
    Block mode(withMode([](DEVMODE& dm) { std::fill(std::begin(dm.dmDeviceName), std::end(dm.dmDeviceName), u'x'); }));
    EXPECT_EQ(AfxPrinterData().Read(names.h, mode.h), static_cast<DWORD>(PDERR_PARSEFAILURE));
  }
  {
    Block mode(withMode([](DEVMODE& dm) { std::memcpy(dm.dmDeviceName, u"Other", 12); }));
    EXPECT_EQ(AfxPrinterData().Read(names.h, mode.h), static_cast<DWORD>(PDERR_DNDMMISMATCH));
  }
  {
    Block shortMode(GlobalAlloc(GMEM_ZEROINIT, 20));
    EXPECT_EQ(AfxPrinterData().Read(names.h, shortMode.h), static_cast<DWORD>(PDERR_PARSEFAILURE));
  }
  {
    // Values out of range are ignored or brought into range, not taken.
    Block mode(withMode([](DEVMODE& dm) {
      dm.dmCopies = -5;
      dm.dmOrientation = 7;
      dm.dmPaperSize = 31000;
    }));
    AfxPrinterData d;
    ASSERT_EQ(d.Read(names.h, mode.h), 0u);
    EXPECT_EQ(d.m_nCopies, 1);
    EXPECT_EQ(d.m_nOrientation, pdf.m_nOrientation);
    EXPECT_EQ(d.m_nPaper, pdf.m_nPaper);
  }
}

TEST(PrinterData, PrinterContextWritesAPdfFileOfItsPages) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString file = tmp.filePath(QStringLiteral("out.pdf"));
  AfxPrinterData d = Pdf(file);
  d.SetPaper(DMPAPER_A5);
  d.m_nOrientation = DMORIENT_LANDSCAPE;

  CPrintDialog dlg(FALSE);
  dlg.m_pd.hDevNames = d.CreateDevNames();
  dlg.m_pd.hDevMode = d.CreateDevMode();
  EXPECT_EQ(S(dlg.GetDeviceName()), "PDF");
  EXPECT_EQ(S(dlg.GetDriverName()), "PDF");
  EXPECT_EQ(dlg.GetPortName().ToQString(), file);
  ASSERT_NE(dlg.GetDevMode(), nullptr);
  EXPECT_EQ(dlg.GetDevMode()->dmPaperSize, DMPAPER_A5);
  GlobalUnlock(dlg.m_pd.hDevMode);

  HDC h = dlg.CreatePrinterDC();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(dlg.GetPrinterDC(), h);
  {
    CDC dc;
    ASSERT_TRUE(dc.Attach(h));
    EXPECT_TRUE(dc.IsPrinting());
    // A5 across: 210 x 148 mm at 600 dots per inch, all of it printable.
    EXPECT_NEAR(dc.GetDeviceCaps(PHYSICALWIDTH), 4961, 6);
    EXPECT_NEAR(dc.GetDeviceCaps(PHYSICALHEIGHT), 3496, 6);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 600);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETX), 0);
    EXPECT_GT(dc.StartDoc(u"test"), 0);
    for (int page = 0; page < 3; ++page) {
      EXPECT_GT(dc.StartPage(), 0);
      dc.Rectangle(100, 100, 2000 + page * 100, 1500);
      dc.TextOut(200, 200, CString(u"page"));
      EXPECT_GT(dc.EndPage(), 0);
    }
    EXPECT_GT(dc.EndDoc(), 0);
    dc.Detach();
  }
  // Replacing the context deletes the first one.
  HDC second = dlg.CreatePrinterDC();
  ASSERT_NE(second, nullptr);
  if (second != h) {
    EXPECT_EQ(CDC::FromHandle(h), nullptr);
  }
  ::DeleteDC(second);
  dlg.m_pd.hDC = nullptr;
  GlobalFree(dlg.m_pd.hDevNames);
  GlobalFree(dlg.m_pd.hDevMode);

  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray pdf = f.readAll();
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_EQ(PdfPages(pdf), 3);
}

TEST(PrinterData, PageSetupContextFollowsTheChosenPaper) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString file = tmp.filePath(QStringLiteral("setup.pdf"));
  AfxPrinterData d = Pdf(file);
  d.SetPaper(DMPAPER_A3);
  CPageSetupDialog ps;
  ps.m_psd.hDevNames = d.CreateDevNames();
  ps.m_psd.hDevMode = d.CreateDevMode();
  HDC h = ps.CreatePrinterDC();
  ASSERT_NE(h, nullptr);
  CDC* dc = CDC::FromHandle(h);
  ASSERT_NE(dc, nullptr);
  EXPECT_NEAR(dc->GetDeviceCaps(PHYSICALWIDTH), 7016, 6);  // 297 mm
  dc->StartDoc(u"x");
  dc->StartPage();
  dc->MoveTo(0, 0);
  dc->LineTo(500, 500);
  dc->EndPage();
  dc->EndDoc();
  ::DeleteDC(h);
  GlobalFree(ps.m_psd.hDevNames);
  GlobalFree(ps.m_psd.hDevMode);
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(PdfPages(f.readAll()), 1);
}

// Blocks from elsewhere (saved settings, other programs) are read within their bounds whatever
// their bytes: mutated and cut copies of good blocks either read or give a reason.
TEST(PrinterData, MutatedBlocksNeverReadPastTheirEnd) {
  AfxPrinterData pdf;
  ASSERT_TRUE(pdf.LoadPrinter(AfxPrinterData::GetPdfPrinterName()));
  pdf.m_strPort = CString(u"/tmp/m.pdf");
  Block goodMode(pdf.CreateDevMode()), goodNames(pdf.CreateDevNames());
  auto bytesOf = [](HGLOBAL h) {
    QByteArray b(static_cast<const char*>(GlobalLock(h)), static_cast<qsizetype>(GlobalSize(h)));
    GlobalUnlock(h);
    return b;
  };
  const QByteArray mode = bytesOf(goodMode.h), names = bytesOf(goodNames.h);
  auto blockOf = [](const QByteArray& b) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(b.size()));
    if (b.size()) std::memcpy(GlobalLock(h), b.constData(), static_cast<size_t>(b.size()));
    GlobalUnlock(h);
    return h;
  };
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFF;
  };
  int read = 0;
  for (int round = 0; round < 400; ++round) {
    QByteArray m = mode, n = names;
    for (int k = 0, flips = 1 + static_cast<int>(next() % 6); k < flips; ++k) {
      QByteArray& target = next() % 2 ? m : n;
      if (!target.isEmpty()) target[static_cast<qsizetype>(next() % target.size())] = static_cast<char>(next());
    }
    if (next() % 4 == 0) m.truncate(static_cast<qsizetype>(next() % (m.size() + 1)));
    if (next() % 4 == 0) n.truncate(static_cast<qsizetype>(next() % (n.size() + 1)));
    Block hm(blockOf(m)), hn(blockOf(n));
    AfxPrinterData d;
    CString why;
    const DWORD e = d.Read(hn.h, hm.h, &why);
    if (e == 0) {
      ++read;
      EXPECT_GE(d.m_nCopies, 1);
      EXPECT_TRUE(d.m_nOrientation == DMORIENT_PORTRAIT || d.m_nOrientation == DMORIENT_LANDSCAPE);
    } else {
      EXPECT_FALSE(why.IsEmpty());
    }
    CString driver, device, port;
    AfxPrinterData::ReadDevNames(hn.h, driver, device, port);
  }
  EXPECT_GT(read, 0);
}

TEST(PrinterData, PrintersOpenByNameAndCloseOnce) {
  HANDLE h = reinterpret_cast<HANDLE>(1);
  PRINTER_DEFAULTS defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  EXPECT_FALSE(OpenPrinter(u"Nope", &h, &defaults));
  EXPECT_EQ(h, nullptr);
  EXPECT_FALSE(OpenPrinter(nullptr, &h, nullptr));
  ASSERT_TRUE(OpenPrinter(u"PDF", &h, &defaults));
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(S(AfxGetPrinterHandleName(h)), "PDF");
  EXPECT_TRUE(ClosePrinter(h));
  EXPECT_FALSE(ClosePrinter(h));
  EXPECT_TRUE(AfxGetPrinterHandleName(h).IsEmpty());
  EXPECT_FALSE(ClosePrinter(nullptr));
}

}  // namespace
