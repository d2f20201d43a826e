#include "platform/win/AfxPrinterData.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QStandardPaths>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtPrintSupport/QPrinter>
#include <QtPrintSupport/QPrinterInfo>

#include "platform/afx/FrameworkText.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcData.h"
#include "platform/win/PrintJobStatus.h"

namespace {

const char16_t kPdfName[] = u"PDF";
const char16_t kPdfDriver[] = u"PDF";
const char16_t kQueueDriver[] = u"CUPS";

// Paper numbers with a size of their own.
struct PaperRow {
  short paper;
  QPageSize::PageSizeId id;
};
const PaperRow kPapers[] = {
    {DMPAPER_LETTER, QPageSize::Letter},
    {DMPAPER_LETTERSMALL, QPageSize::LetterSmall},
    {DMPAPER_TABLOID, QPageSize::Tabloid},
    {DMPAPER_LEDGER, QPageSize::Ledger},
    {DMPAPER_LEGAL, QPageSize::Legal},
    {DMPAPER_STATEMENT, QPageSize::Statement},
    {DMPAPER_EXECUTIVE, QPageSize::Executive},
    {DMPAPER_A3, QPageSize::A3},
    {DMPAPER_A4, QPageSize::A4},
    {DMPAPER_A4SMALL, QPageSize::A4Small},
    {DMPAPER_A5, QPageSize::A5},
    {DMPAPER_B4, QPageSize::JisB4},
    {DMPAPER_B5, QPageSize::JisB5},
    {DMPAPER_FOLIO, QPageSize::Folio},
    {DMPAPER_QUARTO, QPageSize::Quarto},
    {DMPAPER_10X14, QPageSize::Imperial10x14},
    {DMPAPER_NOTE, QPageSize::Note},
    {DMPAPER_ENV_9, QPageSize::Envelope9},
    {DMPAPER_ENV_10, QPageSize::Comm10E},
    {DMPAPER_ENV_11, QPageSize::Envelope11},
    {DMPAPER_ENV_12, QPageSize::Envelope12},
    {DMPAPER_ENV_14, QPageSize::Envelope14},
    {DMPAPER_CSHEET, QPageSize::AnsiC},
    {DMPAPER_DSHEET, QPageSize::AnsiD},
    {DMPAPER_ESHEET, QPageSize::AnsiE},
    {DMPAPER_ENV_DL, QPageSize::DLE},
    {DMPAPER_ENV_C5, QPageSize::C5E},
    {DMPAPER_ENV_C3, QPageSize::EnvelopeC3},
    {DMPAPER_ENV_C4, QPageSize::EnvelopeC4},
    {DMPAPER_ENV_C6, QPageSize::EnvelopeC6},
    {DMPAPER_ENV_C65, QPageSize::EnvelopeC65},
    {DMPAPER_ENV_B4, QPageSize::EnvelopeB4},
    {DMPAPER_ENV_B5, QPageSize::EnvelopeB5},
    {DMPAPER_ENV_B6, QPageSize::EnvelopeB6},
    {DMPAPER_ENV_ITALY, QPageSize::EnvelopeItalian},
    {DMPAPER_ENV_MONARCH, QPageSize::EnvelopeMonarch},
    {DMPAPER_ENV_PERSONAL, QPageSize::EnvelopePersonal},
    {DMPAPER_FANFOLD_US, QPageSize::FanFoldUS},
    {DMPAPER_FANFOLD_STD_GERMAN, QPageSize::FanFoldGerman},
    {DMPAPER_FANFOLD_LGL_GERMAN, QPageSize::FanFoldGermanLegal},
    {DMPAPER_ISO_B4, QPageSize::B4},
    {DMPAPER_JAPANESE_POSTCARD, QPageSize::Postcard},
    {DMPAPER_A2, QPageSize::A2},
    {DMPAPER_A6, QPageSize::A6},
    {DMPAPER_B6_JIS, QPageSize::JisB6},
};

// Sizes without a number of their own are numbered after DMPAPER_USER by their Qt id.
short PaperOf(QPageSize::PageSizeId id) {
  for (const PaperRow& r : kPapers)
    if (r.id == id) return r.paper;
  if (id == QPageSize::Custom) return DMPAPER_USER;
  return static_cast<short>(DMPAPER_USER + 1 + static_cast<int>(id));
}

bool IdOf(short paper, QPageSize::PageSizeId& id) {
  for (const PaperRow& r : kPapers)
    if (r.paper == paper) {
      id = r.id;
      return true;
    }
  const int q = paper - DMPAPER_USER - 1;
  if (q < 0 || q > static_cast<int>(QPageSize::LastPageSize) || q == static_cast<int>(QPageSize::Custom)) return false;
  id = static_cast<QPageSize::PageSizeId>(q);
  return true;
}

// The sizes the PDF printer offers.
const QPageSize::PageSizeId kPdfPapers[] = {QPageSize::A0,    QPageSize::A1,     QPageSize::A2,        QPageSize::A3,
                                            QPageSize::A4,    QPageSize::A5,     QPageSize::A6,        QPageSize::JisB4,
                                            QPageSize::JisB5, QPageSize::Letter, QPageSize::Legal,     QPageSize::Executive,
                                            QPageSize::Tabloid, QPageSize::AnsiC, QPageSize::AnsiD,    QPageSize::AnsiE};

QString Q(const CString& s) { return s.ToQString(); }

// A text of at most max characters from a fixed field, which must end in NUL.
bool FixedText(const TCHAR* field, size_t max, CString& out) {
  for (size_t i = 0; i < max; ++i)
    if (field[i] == 0) {
      out = CString(std::u16string(field, i));
      return true;
    }
  return false;
}

void PutFixed(TCHAR* field, size_t max, const CString& text) {
  const std::u16string s = text.ToQString().left(static_cast<qsizetype>(max - 1)).toStdU16String();
  std::fill(field, field + max, u'\0');
  std::copy(s.begin(), s.end(), field);
}

// ---- printer device contexts ----------------------------------------------------------------

// Printers made for device contexts, kept until their context is gone. The drawing layer
// does not own devices, so each one is freed once its context no longer draws on it.
struct PrinterDc {
  HDC hdc;
  QPrinter* printer;
};
struct LiveList {
  std::vector<PrinterDc> items;
  // At exit no context draws any more: every printer left is freed.
  ~LiveList() {
    for (PrinterDc& p : items) delete p.printer;
  }
};
std::vector<PrinterDc>& LiveDcs() {
  static LiveList live;
  return live.items;
}

bool DcAlive(const PrinterDc& p) {
  DcData* d = DcData::Lookup(p.hdc);
  return d && d->device == p.printer;
}

void ReapDcs() {
  auto& live = LiveDcs();
  for (auto it = live.begin(); it != live.end();) {
    if (DcAlive(*it)) {
      ++it;
      continue;
    }
    delete it->printer;
    it = live.erase(it);
  }
}

// When the application goes, printers of contexts still open stay until the end of the
// program: freeing them now would leave those contexts drawing on freed memory.
void ReapAtExit() { ReapDcs(); }

}  // namespace

// ---- printers -------------------------------------------------------------------------------

CString AfxPrinterData::GetPdfPrinterName() { return CString(kPdfName); }

std::vector<CString> AfxPrinterData::GetPrinterNames() {
  std::vector<CString> out;
  for (const QString& n : QPrinterInfo::availablePrinterNames())
    if (n != QString::fromUtf16(kPdfName)) out.push_back(CString::FromQString(n));
  out.push_back(GetPdfPrinterName());
  return out;
}

BOOL AfxPrinterData::GetDefaultPrinterName(CString& name) {
  const QString n = QPrinterInfo::defaultPrinterName();
  if (n.isEmpty() || QPrinterInfo::printerInfo(n).isNull()) {
    name.Empty();
    return FALSE;
  }
  name = CString::FromQString(n);
  return TRUE;
}

BOOL AfxPrinterData::ReadDevNames(HGLOBAL hDevNames, CString& driver, CString& device, CString& port, WORD* pDefault) {
  if (!hDevNames) return FALSE;
  const SIZE_T size = GlobalSize(hDevNames);
  if (size < sizeof(DEVNAMES)) return FALSE;
  const auto* p = static_cast<const BYTE*>(GlobalLock(hDevNames));
  DEVNAMES dn;
  std::memcpy(&dn, p, sizeof dn);
  const size_t chars = size / sizeof(TCHAR);
  auto text = [&](WORD offset, CString& out) {
    if (offset < sizeof(DEVNAMES) / sizeof(TCHAR) || offset >= chars) return false;
    std::u16string s;
    for (size_t i = offset; i < chars; ++i) {
      TCHAR c;
      std::memcpy(&c, p + i * sizeof(TCHAR), sizeof c);
      if (c == 0) {
        out = CString(s);
        return true;
      }
      s.push_back(c);
    }
    return false;
  };
  const bool ok = text(dn.wDeviceOffset, device) && text(dn.wDriverOffset, driver) && text(dn.wOutputOffset, port);
  GlobalUnlock(hDevNames);
  if (ok && pDefault) *pDefault = dn.wDefault;
  return ok ? TRUE : FALSE;
}

BOOL AfxPrinterData::PrinterExists(const CString& name) {
  if (name == GetPdfPrinterName()) return TRUE;
  return !name.IsEmpty() && !QPrinterInfo::printerInfo(Q(name)).isNull();
}

BOOL AfxPrinterData::IsPdf() const { return m_strDevice == GetPdfPrinterName(); }

BOOL AfxPrinterData::LoadPrinter(const CString& name) {
  if (!PrinterExists(name)) return FALSE;
  AfxPrinterData d;
  d.m_strDevice = name;
  if (d.IsPdf()) {
    d.m_strDriver = kPdfDriver;
    d.m_strPort = GetDefaultPdfFile();
    d.SetPaper(QLocale().measurementSystem() == QLocale::MetricSystem ? DMPAPER_A4 : DMPAPER_LETTER);
  } else {
    const QPrinterInfo info = QPrinterInfo::printerInfo(Q(name));
    CString def;
    d.m_bDefault = GetDefaultPrinterName(def) && def == name;
    d.m_strDriver = kQueueDriver;
    d.m_strPort = CString::FromQString(info.location());
    const QPageSize size = info.defaultPageSize();
    if (size.isValid()) {
      const QSizeF mm = size.size(QPageSize::Millimeter);
      d.SetPaper(size.id() == QPageSize::Custom ? FindPaper(mm.width(), mm.height()) : PaperOf(size.id()));
      if (d.m_nPaper == DMPAPER_USER) {
        d.m_nPaperWidth = static_cast<short>(std::lround(mm.width() * 10));
        d.m_nPaperLength = static_cast<short>(std::lround(mm.height() * 10));
      }
    }
    d.m_nColor = info.defaultColorMode() == QPrinter::GrayScale ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
    switch (info.defaultDuplexMode()) {
      case QPrinter::DuplexLongSide: d.m_nDuplex = DMDUP_VERTICAL; break;
      case QPrinter::DuplexShortSide: d.m_nDuplex = DMDUP_HORIZONTAL; break;
      default: d.m_nDuplex = DMDUP_SIMPLEX; break;
    }
  }
  *this = d;
  return TRUE;
}

BOOL AfxPrinterData::LoadDefault() {
  CString name;
  return GetDefaultPrinterName(name) && LoadPrinter(name);
}

BOOL AfxPrinterData::ChangePrinter(const CString& name) {
  AfxPrinterData d;
  if (!d.LoadPrinter(name)) return FALSE;
  const std::vector<short> papers = d.GetPaperList();
  if (m_nPaper == DMPAPER_USER || std::find(papers.begin(), papers.end(), m_nPaper) != papers.end()) {
    d.m_nPaper = m_nPaper;
    d.m_nPaperWidth = m_nPaperWidth;
    d.m_nPaperLength = m_nPaperLength;
  }
  d.m_nOrientation = m_nOrientation;
  d.m_nCopies = m_nCopies;
  d.m_bCollate = m_bCollate;
  *this = d;
  return TRUE;
}

CString AfxPrinterData::GetPrinterType() const {
  if (IsPdf()) return CString(u"PDF");
  return CString::FromQString(QPrinterInfo::printerInfo(Q(m_strDevice)).makeAndModel());
}

CString AfxPrinterData::GetPrinterLocation() const {
  if (IsPdf()) return m_strPort;
  return CString::FromQString(QPrinterInfo::printerInfo(Q(m_strDevice)).location());
}

CString AfxPrinterData::GetPrinterComment() const {
  if (IsPdf()) return CString();
  return CString::FromQString(QPrinterInfo::printerInfo(Q(m_strDevice)).description());
}

CString AfxPrinterData::GetDefaultPdfFile() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (dir.isEmpty()) dir = QDir::homePath();
  return CString::FromQString(QDir(dir).filePath(QStringLiteral("output.pdf")));
}

// ---- handles ----------------------------------------------------------------------------------

DWORD AfxPrinterData::Read(HGLOBAL hDevNames, HGLOBAL hDevMode, CString* why) {
  auto fail = [why](DWORD code, const char16_t* text) {
    if (why) *why = CString(text);
    return code;
  };
  AfxPrinterData d;
  if (hDevNames) {
    CString device, driver, port;
    WORD wDefault = 0;
    const bool ok = ReadDevNames(hDevNames, driver, device, port, &wDefault) != FALSE;
    if (!ok) return fail(PDERR_PARSEFAILURE, u"the printer names are damaged");
    if (device.IsEmpty()) return fail(PDERR_PRINTERNOTFOUND, u"no printer is named");
    if (!d.LoadPrinter(device)) return fail(PDERR_PRINTERNOTFOUND, u"the printer does not exist");
    if (d.IsPdf() && !port.IsEmpty()) d.m_strPort = port;
    // Names saved as the default printer's must still be the default printer's.
    CString def;
    if ((wDefault & DN_DEFAULTPRN) && (!GetDefaultPrinterName(def) || def != device))
      return fail(PDERR_DEFAULTDIFFERENT, u"the default printer has changed");
  } else if (hDevMode) {
    // Settings without names belong to the printer the settings name.
    const SIZE_T size = GlobalSize(hDevMode);
    if (size < offsetof(DEVMODE, dmSpecVersion)) return fail(PDERR_PARSEFAILURE, u"the printer settings are too short");
    DEVMODE dm{};
    std::memcpy(&dm, GlobalLock(hDevMode), std::min<SIZE_T>(size, sizeof dm));
    GlobalUnlock(hDevMode);
    CString device;
    if (!FixedText(dm.dmDeviceName, CCHDEVICENAME, device)) return fail(PDERR_PARSEFAILURE, u"the printer name is damaged");
    if (device.IsEmpty()) {
      if (!d.LoadDefault()) return fail(PDERR_NODEFAULTPRN, u"there is no default printer");
    } else if (!d.LoadPrinter(device)) {
      return fail(PDERR_PRINTERNOTFOUND, u"the printer does not exist");
    }
  } else if (!d.LoadDefault()) {
    return fail(PDERR_NODEFAULTPRN, u"there is no default printer");
  }
  if (hDevMode) {
    const DWORD e = d.ReadDevMode(hDevMode, why);
    if (e) return e;
  }
  *this = d;
  return 0;
}

DWORD AfxPrinterData::ReadDevMode(HGLOBAL hDevMode, CString* why) {
  auto fail = [why](DWORD code, const char16_t* text) {
    if (why) *why = CString(text);
    return code;
  };
  if (!hDevMode) return 0;
  const SIZE_T size = GlobalSize(hDevMode);
  constexpr size_t kLeast = offsetof(DEVMODE, dmFormName);
  if (size < kLeast) return fail(PDERR_PARSEFAILURE, u"the printer settings are too short");
  DEVMODE dm{};
  std::memcpy(&dm, GlobalLock(hDevMode), std::min<SIZE_T>(size, sizeof dm));
  GlobalUnlock(hDevMode);
  if (dm.dmSize < kLeast || static_cast<SIZE_T>(dm.dmSize) + dm.dmDriverExtra > size)
    return fail(PDERR_PARSEFAILURE, u"the printer settings give a wrong size");
  CString device;
  if (!FixedText(dm.dmDeviceName, CCHDEVICENAME, device)) return fail(PDERR_PARSEFAILURE, u"the printer name is damaged");
  // The settings' name is cut to the field; it must begin the printer's name.
  if (!device.IsEmpty() && !Q(m_strDevice).startsWith(Q(device)))
    return fail(PDERR_DNDMMISMATCH, u"the settings belong to another printer");

  AfxPrinterData d = *this;
  if (dm.dmFields & DM_PAPERSIZE) {
    if (dm.dmPaperSize == DMPAPER_USER) {
      if (dm.dmPaperWidth > 0 && dm.dmPaperLength > 0) {
        d.m_nPaper = DMPAPER_USER;
        d.m_nPaperWidth = dm.dmPaperWidth;
        d.m_nPaperLength = dm.dmPaperLength;
      }
    } else {
      short w = 0, l = 0;
      if (GetPaperSize(dm.dmPaperSize, w, l)) d.SetPaper(dm.dmPaperSize);
    }
  } else if ((dm.dmFields & DM_PAPERWIDTH) && (dm.dmFields & DM_PAPERLENGTH) && dm.dmPaperWidth > 0 && dm.dmPaperLength > 0) {
    d.SetPaper(FindPaper(dm.dmPaperWidth / 10.0, dm.dmPaperLength / 10.0));
    if (d.m_nPaper == DMPAPER_USER) {
      d.m_nPaperWidth = dm.dmPaperWidth;
      d.m_nPaperLength = dm.dmPaperLength;
    }
  }
  if ((dm.dmFields & DM_ORIENTATION) && (dm.dmOrientation == DMORIENT_PORTRAIT || dm.dmOrientation == DMORIENT_LANDSCAPE))
    d.m_nOrientation = dm.dmOrientation;
  if (dm.dmFields & DM_COPIES) d.m_nCopies = static_cast<short>(std::clamp<int>(dm.dmCopies, 1, 9999));
  if (dm.dmFields & DM_COLLATE) d.m_bCollate = dm.dmCollate == DMCOLLATE_TRUE;
  if ((dm.dmFields & DM_COLOR) && (dm.dmColor == DMCOLOR_COLOR || dm.dmColor == DMCOLOR_MONOCHROME)) d.m_nColor = dm.dmColor;
  if ((dm.dmFields & DM_DUPLEX) && dm.dmDuplex >= DMDUP_SIMPLEX && dm.dmDuplex <= DMDUP_HORIZONTAL) d.m_nDuplex = dm.dmDuplex;
  if ((dm.dmFields & DM_PRINTQUALITY) && dm.dmPrintQuality >= 72 && dm.dmPrintQuality <= 4800) d.m_nResolution = dm.dmPrintQuality;
  *this = d;
  return 0;
}

HGLOBAL AfxPrinterData::CreateDevMode() const {
  HGLOBAL h = nullptr;
  return WriteDevMode(h) ? h : nullptr;
}

HGLOBAL AfxPrinterData::CreateDevNames() const {
  HGLOBAL h = nullptr;
  return WriteDevNames(h) ? h : nullptr;
}

BOOL AfxPrinterData::WriteDevMode(HGLOBAL& h) const {
  DEVMODE dm{};
  PutFixed(dm.dmDeviceName, CCHDEVICENAME, m_strDevice);
  dm.dmSpecVersion = DM_SPECVERSION;
  dm.dmSize = sizeof(DEVMODE);
  dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES | DM_COLLATE | DM_COLOR |
                DM_DUPLEX | DM_PRINTQUALITY | DM_YRESOLUTION | DM_DEFAULTSOURCE | DM_FORMNAME;
  dm.dmOrientation = m_nOrientation;
  dm.dmPaperSize = m_nPaper;
  dm.dmPaperWidth = m_nPaperWidth;
  dm.dmPaperLength = m_nPaperLength;
  dm.dmScale = 100;
  dm.dmCopies = m_nCopies;
  dm.dmDefaultSource = DMBIN_AUTO;
  dm.dmPrintQuality = m_nResolution;
  dm.dmYResolution = m_nResolution;
  dm.dmColor = m_nColor;
  dm.dmDuplex = m_nDuplex;
  dm.dmCollate = m_bCollate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
  PutFixed(dm.dmFormName, CCHFORMNAME, GetPaperName(m_nPaper));
  if (!h || GlobalSize(h) < sizeof dm) {
    HGLOBAL n = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof dm);
    if (!n) return FALSE;
    if (h) GlobalFree(h);
    h = n;
  }
  std::memcpy(GlobalLock(h), &dm, sizeof dm);
  GlobalUnlock(h);
  return TRUE;
}

BOOL AfxPrinterData::WriteDevNames(HGLOBAL& h) const {
  const std::u16string driver = Q(m_strDriver).left(1000).toStdU16String();
  const std::u16string device = Q(m_strDevice).left(1000).toStdU16String();
  const std::u16string port = Q(m_strPort).left(4000).toStdU16String();
  const size_t head = sizeof(DEVNAMES) / sizeof(TCHAR);
  DEVNAMES dn{};
  dn.wDriverOffset = static_cast<WORD>(head);
  dn.wDeviceOffset = static_cast<WORD>(head + driver.size() + 1);
  dn.wOutputOffset = static_cast<WORD>(dn.wDeviceOffset + device.size() + 1);
  dn.wDefault = m_bDefault ? DN_DEFAULTPRN : 0;
  const size_t bytes = (dn.wOutputOffset + port.size() + 1) * sizeof(TCHAR);
  if (!h || GlobalSize(h) != bytes) {
    HGLOBAL n = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!n) return FALSE;
    if (h) GlobalFree(h);
    h = n;
  }
  auto* p = static_cast<BYTE*>(GlobalLock(h));
  std::memset(p, 0, bytes);
  std::memcpy(p, &dn, sizeof dn);
  auto put = [p](WORD offset, const std::u16string& s) { std::memcpy(p + offset * sizeof(TCHAR), s.data(), s.size() * sizeof(TCHAR)); };
  put(dn.wDriverOffset, driver);
  put(dn.wDeviceOffset, device);
  put(dn.wOutputOffset, port);
  GlobalUnlock(h);
  return TRUE;
}

std::vector<BYTE> AfxPrinterData::SnapshotBlock(HGLOBAL h) {
  std::vector<BYTE> out;
  if (!h) return out;
  out.resize(GlobalSize(h));
  if (!out.empty()) std::memcpy(out.data(), GlobalLock(h), out.size());
  GlobalUnlock(h);
  return out;
}

void AfxPrinterData::RestoreBlock(HGLOBAL& h, bool had, const std::vector<BYTE>& bytes) {
  if (!had) {
    if (h) GlobalFree(h);
    h = nullptr;
    return;
  }
  if (!h || GlobalSize(h) != bytes.size()) {
    HGLOBAL n = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!n) return;
    if (h) GlobalFree(h);
    h = n;
  }
  if (!bytes.empty()) std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
  GlobalUnlock(h);
}

// ---- paper ----------------------------------------------------------------------------------

std::vector<short> AfxPrinterData::GetPaperList() const {
  std::vector<short> out;
  if (!IsPdf()) {
    for (const QPageSize& s : QPrinterInfo::printerInfo(Q(m_strDevice)).supportedPageSizes())
      if (s.isValid() && s.id() != QPageSize::Custom) out.push_back(PaperOf(s.id()));
  }
  if (out.empty())
    for (QPageSize::PageSizeId id : kPdfPapers) out.push_back(PaperOf(id));
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

CString AfxPrinterData::GetPaperName(short nPaper) {
  QPageSize::PageSizeId id;
  if (!IdOf(nPaper, id)) return AfxLoadFrameworkText(AFX_IDS_PAPER_CUSTOM, u"Custom");
  return CString::FromQString(QPageSize(id).name());
}

BOOL AfxPrinterData::GetPaperSize(short nPaper, short& nWidth, short& nLength) {
  QPageSize::PageSizeId id;
  if (!IdOf(nPaper, id)) return FALSE;
  const QSizeF mm = QPageSize::size(id, QPageSize::Millimeter);
  if (mm.isEmpty()) return FALSE;
  nWidth = static_cast<short>(std::lround(mm.width() * 10));
  nLength = static_cast<short>(std::lround(mm.height() * 10));
  return TRUE;
}

short AfxPrinterData::FindPaper(double widthMM, double lengthMM) {
  if (!(widthMM > 0) || !(lengthMM > 0) || widthMM > 10000 || lengthMM > 10000) return DMPAPER_USER;
  const QPageSize::PageSizeId id = QPageSize::id(QSizeF(widthMM, lengthMM), QPageSize::Millimeter, QPageSize::FuzzyMatch);
  return id == QPageSize::Custom ? static_cast<short>(DMPAPER_USER) : PaperOf(id);
}

void AfxPrinterData::SetPaper(short nPaper) {
  short w = 0, l = 0;
  if (!GetPaperSize(nPaper, w, l)) return;
  m_nPaper = nPaper;
  m_nPaperWidth = w;
  m_nPaperLength = l;
}

double AfxPrinterData::GetSheetWidthMM() const {
  return (m_nOrientation == DMORIENT_LANDSCAPE ? m_nPaperLength : m_nPaperWidth) / 10.0;
}

double AfxPrinterData::GetSheetHeightMM() const {
  return (m_nOrientation == DMORIENT_LANDSCAPE ? m_nPaperWidth : m_nPaperLength) / 10.0;
}

void AfxPrinterData::GetMinMarginsMM(double& left, double& top, double& right, double& bottom) const {
  left = top = right = bottom = 0;
  if (IsPdf()) return;
  std::unique_ptr<QPrinter> p(CreatePrinter());
  if (!p) return;
  const QMarginsF m = p->pageLayout().minimumMargins();
  const double k = p->pageLayout().units() == QPageLayout::Millimeter ? 1.0 : 25.4 / 72.0;
  left = m.left() * k;
  top = m.top() * k;
  right = m.right() * k;
  bottom = m.bottom() * k;
}

// ---- devices --------------------------------------------------------------------------------

QPrinter* AfxPrinterData::CreatePrinter() const {
  if (!PrinterExists(m_strDevice)) return nullptr;
  auto* p = IsPdf() ? new QPrinter(QPrinter::HighResolution) : new QPrinter(QPrinterInfo::printerInfo(Q(m_strDevice)), QPrinter::HighResolution);
  ApplyTo(*p);
  return p;
}

void AfxPrinterData::ApplyTo(QPrinter& printer) const {
  if (IsPdf()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Q(m_strPort.IsEmpty() ? GetDefaultPdfFile() : m_strPort));
  } else {
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(Q(m_strDevice));
  }
  printer.setResolution(m_nResolution);
  QPageSize::PageSizeId id;
  QPageSize size = m_nPaper != DMPAPER_USER && IdOf(m_nPaper, id)
                       ? QPageSize(id)
                       : QPageSize(QSizeF(m_nPaperWidth / 10.0, m_nPaperLength / 10.0), QPageSize::Millimeter);
  QPageLayout layout = printer.pageLayout();
  layout.setPageSize(size);
  layout.setOrientation(m_nOrientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape : QPageLayout::Portrait);
  if (IsPdf()) {
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF());
  } else {
    layout.setMargins(layout.minimumMargins());
  }
  printer.setPageLayout(layout);
  printer.setCopyCount(m_nCopies);
  printer.setCollateCopies(m_bCollate != FALSE);
  printer.setColorMode(m_nColor == DMCOLOR_MONOCHROME ? QPrinter::GrayScale : QPrinter::Color);
  printer.setDuplex(m_nDuplex == DMDUP_VERTICAL     ? QPrinter::DuplexLongSide
                    : m_nDuplex == DMDUP_HORIZONTAL ? QPrinter::DuplexShortSide
                                                    : QPrinter::DuplexNone);
}

void AfxPrinterData::ReadFrom(const QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  const QPageSize size = layout.pageSize();
  const QSizeF mm = size.size(QPageSize::Millimeter);
  const short paper = size.id() == QPageSize::Custom ? FindPaper(mm.width(), mm.height()) : PaperOf(size.id());
  if (paper == DMPAPER_USER) {
    m_nPaper = DMPAPER_USER;
    m_nPaperWidth = static_cast<short>(std::lround(mm.width() * 10));
    m_nPaperLength = static_cast<short>(std::lround(mm.height() * 10));
  } else {
    SetPaper(paper);
  }
  m_nOrientation = layout.orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  m_nCopies = static_cast<short>(std::clamp(printer.copyCount(), 1, 9999));
  m_bCollate = printer.collateCopies();
  m_nColor = printer.colorMode() == QPrinter::GrayScale ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
  if (IsPdf() && !printer.outputFileName().isEmpty()) m_strPort = CString::FromQString(printer.outputFileName());
}

HDC AfxPrinterData::CreateDC() const {
  static const bool registered = [] {
    qAddPostRoutine(&ReapAtExit);
    return true;
  }();
  (void)registered;
  ReapDcs();
  QPrinter* printer = CreatePrinter();
  if (!printer) return nullptr;
  CDC dc;
  if (!dc.CreateFromPaintDevice(printer)) {
    delete printer;
    return nullptr;
  }
  HDC h = dc.Detach();
  LiveDcs().push_back({h, printer});
  return h;
}

BOOL AfxPrintJobTaken(HDC hDC) {
  for (const PrinterDc& p : LiveDcs())
    if (p.hdc == hDC && DcAlive(p)) {
      // A queue's job is handed to the print system when the document ends, on this thread.
      if (p.printer->outputFormat() != QPrinter::NativeFormat || !p.printer->outputFileName().isEmpty()) return TRUE;
      return PrintSystemTookLastJob() ? TRUE : FALSE;
    }
  return TRUE;
}

HDC AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode) {
  if (!hDevNames) return nullptr;
  AfxPrinterData d;
  if (d.Read(hDevNames, hDevMode) != 0) return nullptr;
  return d.CreateDC();
}

// ---- printers by name -------------------------------------------------------------------------

namespace {
struct OpenPrinterHandle {
  CString name;
};
std::vector<std::unique_ptr<OpenPrinterHandle>>& OpenPrinters() {
  static std::vector<std::unique_ptr<OpenPrinterHandle>> open;
  return open;
}
}  // namespace

BOOL OpenPrinter(LPCTSTR pPrinterName, HANDLE* phPrinter, PRINTER_DEFAULTS*) {
  if (phPrinter) *phPrinter = nullptr;
  if (!pPrinterName || !phPrinter) return FALSE;
  const CString name(pPrinterName);
  if (!AfxPrinterData::PrinterExists(name)) return FALSE;
  auto h = std::make_unique<OpenPrinterHandle>();
  h->name = name;
  *phPrinter = h.get();
  OpenPrinters().push_back(std::move(h));
  return TRUE;
}

BOOL ClosePrinter(HANDLE hPrinter) {
  auto& open = OpenPrinters();
  for (auto it = open.begin(); it != open.end(); ++it)
    if (it->get() == hPrinter) {
      open.erase(it);
      return TRUE;
    }
  return FALSE;
}

CString AfxGetPrinterHandleName(HANDLE hPrinter) {
  for (const auto& h : OpenPrinters())
    if (h.get() == hPrinter) return h->name;
  return CString();
}
