#include "platform/win/WinClipboard.h"

#include <QtCore/QBuffer>
#include <QtCore/QByteArray>
#include <QtCore/QCoreApplication>
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct GlobalBlock {
  std::vector<BYTE> data;
  int locks = 0;
};

std::set<GlobalBlock*>& LiveBlocks() {
  static auto* live = new std::set<GlobalBlock*>;  // never destroyed: blocks stay reachable at exit
  return *live;
}

GlobalBlock* Block(HGLOBAL h) {
  auto* b = static_cast<GlobalBlock*>(h);
  return b && LiveBlocks().count(b) ? b : nullptr;
}

constexpr SIZE_T kMaxGlobal = SIZE_T(1) << 30;

HGLOBAL FromBytes(const QByteArray& bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes.size()));
  if (!h) return nullptr;
  if (!bytes.isEmpty()) std::memcpy(Block(h)->data.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
  return h;
}

QByteArray ToBytes(HGLOBAL h) {
  GlobalBlock* b = Block(h);
  if (!b) return {};
  return QByteArray(reinterpret_cast<const char*>(b->data.data()), static_cast<qsizetype>(b->data.size()));
}

// ---- state of the open clipboard ----
HWND g_openBy = nullptr;
bool g_open = false;
HWND g_owner = nullptr;
QMimeData* g_pending = nullptr;    // what this program is putting on the clipboard
std::vector<HGLOBAL>& g_handedOut = *new std::vector<HGLOBAL>;  // handles given by GetClipboardData
std::vector<std::u16string> g_formatNames;

const char* const kMimePrefix = "application/x-korvancad-";

QClipboard* Clip() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

void FreeHandedOut() {
  for (HGLOBAL h : g_handedOut) GlobalFree(h);
  g_handedOut.clear();
}

QString MimeOfRegistered(UINT format) {
  const size_t i = format - KC_FIRST_REGISTERED_MESSAGE;
  if (format < KC_FIRST_REGISTERED_MESSAGE || i >= g_formatNames.size()) return {};
  const QByteArray enc = QUrl::toPercentEncoding(QString::fromStdU16String(g_formatNames[i]));
  return QString::fromLatin1(kMimePrefix) + QString::fromLatin1(enc);
}

const QMimeData* Current() {
  if (g_pending) return g_pending;
  QClipboard* c = Clip();
  return c ? c->mimeData() : nullptr;
}

bool Has(const QMimeData* m, UINT format) {
  if (!m) return false;
  switch (format) {
    case CF_UNICODETEXT: case CF_TEXT: case CF_OEMTEXT: return m->hasText();
    case CF_DIB: case CF_BITMAP: case CF_DIBV5: return m->hasImage();
    default: {
      const QString mime = MimeOfRegistered(format);
      return !mime.isEmpty() && m->hasFormat(mime);
    }
  }
}

// A device-independent bitmap (header and bits, no file header) and the image it holds.
QByteArray DibOfImage(const QImage& img) {
  QByteArray bmp;
  QBuffer buf(&bmp);
  buf.open(QIODevice::WriteOnly);
  if (!img.convertToFormat(QImage::Format_RGB32).save(&buf, "BMP")) return {};
  return bmp.size() > 14 ? bmp.mid(14) : QByteArray();
}

QImage ImageOfDib(const QByteArray& dib) {
  if (dib.size() < 40) return {};
  const auto* p = reinterpret_cast<const unsigned char*>(dib.constData());
  auto u32 = [p](int o) { return quint32(p[o]) | quint32(p[o + 1]) << 8 | quint32(p[o + 2]) << 16 | quint32(p[o + 3]) << 24; };
  auto u16 = [p](int o) { return quint16(p[o] | p[o + 1] << 8); };
  const quint32 headerSize = u32(0);
  if (headerSize < 40 || headerSize > static_cast<quint32>(dib.size())) return {};
  const quint16 bits = u16(14);
  const quint32 compression = u32(16);
  quint32 colours = u32(32);
  if (bits > 32 || bits == 0) return {};
  if (colours == 0 && bits <= 8) colours = 1u << bits;
  if (colours > 256) return {};
  quint32 offset = 14 + headerSize + colours * 4;
  if (compression == 3 && headerSize == 40) offset += 12;  // colour masks after the header
  if (offset > static_cast<quint32>(dib.size()) + 14) return {};
  QByteArray file;
  file.reserve(dib.size() + 14);
  file.append("BM", 2);
  const quint32 total = static_cast<quint32>(dib.size()) + 14;
  for (quint32 v : {total, quint32(0), offset})
    for (int i = 0; i < 4; ++i) file.append(static_cast<char>((v >> (8 * i)) & 0xFF));
  file.append(dib);
  QImage img;
  img.loadFromData(file, "BMP");
  return img;
}

}  // namespace

// ---- global memory --------------------------------------------------------------------------

HGLOBAL GlobalAlloc(UINT, SIZE_T dwBytes) {
  if (dwBytes > kMaxGlobal) return nullptr;
  auto* b = new GlobalBlock;
  b->data.assign(dwBytes, 0);
  LiveBlocks().insert(b);
  return b;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT) {
  GlobalBlock* b = Block(hMem);
  if (!b || dwBytes > kMaxGlobal || b->locks > 0) return nullptr;
  b->data.resize(dwBytes, 0);
  return hMem;
}

LPVOID GlobalLock(HGLOBAL hMem) {
  GlobalBlock* b = Block(hMem);
  if (!b) return nullptr;
  ++b->locks;
  static BYTE empty = 0;
  return b->data.empty() ? &empty : b->data.data();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
  GlobalBlock* b = Block(hMem);
  if (!b || b->locks == 0) return FALSE;
  return --b->locks > 0;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
  GlobalBlock* b = Block(hMem);
  return b ? b->data.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
  GlobalBlock* b = Block(hMem);
  if (!b) return hMem;
  LiveBlocks().erase(b);
  delete b;
  return nullptr;
}

// ---- clipboard ------------------------------------------------------------------------------

BOOL OpenClipboard(HWND hWndNewOwner) {
  if (g_open) return FALSE;
  g_open = true;
  g_openBy = hWndNewOwner;
  FreeHandedOut();
  return TRUE;
}

BOOL CloseClipboard() {
  if (!g_open) return FALSE;
  g_open = false;
  g_openBy = nullptr;
  if (g_pending) {
    QMimeData* m = g_pending;
    g_pending = nullptr;
    if (QClipboard* c = Clip())
      c->setMimeData(m);
    else
      delete m;
  }
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!g_open) return FALSE;
  FreeHandedOut();
  delete g_pending;
  g_pending = new QMimeData;
  g_owner = g_openBy;
  return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
  if (!g_open || !hMem || !Block(hMem)) return nullptr;  // delayed rendering is not offered
  if (!g_pending) {
    // Adding to what is there: start from a copy of it.
    g_pending = new QMimeData;
    if (const QMimeData* cur = Clip() ? Clip()->mimeData() : nullptr)
      for (const QString& f : cur->formats()) g_pending->setData(f, cur->data(f));
  }
  const QByteArray bytes = ToBytes(hMem);
  bool ok = true;
  switch (uFormat) {
    case CF_UNICODETEXT: {
      const auto* s = reinterpret_cast<const char16_t*>(bytes.constData());
      qsizetype n = 0;
      const qsizetype max = bytes.size() / 2;
      while (n < max && s[n] != 0) ++n;
      g_pending->setText(QString::fromUtf16(s, n));
      break;
    }
    case CF_TEXT: case CF_OEMTEXT: {
      const qsizetype n = bytes.indexOf('\0');
      g_pending->setText(QString::fromLocal8Bit(n < 0 ? bytes : bytes.left(n)));
      break;
    }
    case CF_DIB: case CF_DIBV5: {
      const QImage img = ImageOfDib(bytes);
      if (img.isNull()) ok = false; else g_pending->setImageData(img);
      break;
    }
    default: {
      const QString mime = MimeOfRegistered(uFormat);
      if (mime.isEmpty()) ok = false; else g_pending->setData(mime, bytes);
      break;
    }
  }
  if (!ok) return nullptr;
  GlobalFree(hMem);  // the clipboard owns the data now
  // The handle stays a valid-looking value for callers that test it.
  return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
  if (!g_open) return nullptr;
  const QMimeData* m = Current();
  if (!Has(m, uFormat)) return nullptr;
  QByteArray bytes;
  switch (uFormat) {
    case CF_UNICODETEXT: {
      const QString t = m->text();
      bytes = QByteArray(reinterpret_cast<const char*>(t.utf16()), (t.size() + 1) * 2);
      break;
    }
    case CF_TEXT: case CF_OEMTEXT:
      bytes = m->text().toLocal8Bit();
      bytes.append('\0');
      break;
    case CF_DIB: case CF_DIBV5:
      bytes = DibOfImage(qvariant_cast<QImage>(m->imageData()));
      if (bytes.isEmpty()) return nullptr;
      break;
    case CF_BITMAP:
      return nullptr;  // bitmaps are read as CF_DIB
    default:
      bytes = m->data(MimeOfRegistered(uFormat));
      break;
  }
  HGLOBAL h = FromBytes(bytes);
  if (h) g_handedOut.push_back(h);
  return h;
}

UINT RegisterClipboardFormat(LPCTSTR lpszFormat) {
  if (!lpszFormat || !*lpszFormat) return 0;
  const std::u16string name(lpszFormat);
  for (size_t i = 0; i < g_formatNames.size(); ++i)
    if (g_formatNames[i] == name) return static_cast<UINT>(KC_FIRST_REGISTERED_MESSAGE + i);
  if (g_formatNames.size() >= 0x3FFF) return 0;
  g_formatNames.push_back(name);
  return static_cast<UINT>(KC_FIRST_REGISTERED_MESSAGE + g_formatNames.size() - 1);
}

int GetClipboardFormatName(UINT format, LPTSTR lpszFormatName, int cchMaxCount) {
  const size_t i = format - KC_FIRST_REGISTERED_MESSAGE;
  if (format < KC_FIRST_REGISTERED_MESSAGE || i >= g_formatNames.size() || !lpszFormatName || cchMaxCount <= 0) return 0;
  const std::u16string& n = g_formatNames[i];
  const int len = std::min<int>(static_cast<int>(n.size()), cchMaxCount - 1);
  std::copy(n.begin(), n.begin() + len, lpszFormatName);
  lpszFormatName[len] = 0;
  return len;
}

BOOL IsClipboardFormatAvailable(UINT format) { return Has(Current(), format) ? TRUE : FALSE; }

namespace {
std::vector<UINT> FormatsNow() {
  std::vector<UINT> out;
  const QMimeData* m = Current();
  if (!m) return out;
  if (m->hasText()) {
    out.push_back(CF_UNICODETEXT);
    out.push_back(CF_TEXT);
  }
  if (m->hasImage()) {
    out.push_back(CF_DIB);
    out.push_back(CF_BITMAP);
  }
  const QString prefix = QString::fromLatin1(kMimePrefix);
  for (const QString& f : m->formats()) {
    if (!f.startsWith(prefix)) continue;
    const std::u16string name = QUrl::fromPercentEncoding(f.mid(prefix.size()).toLatin1()).toStdU16String();
    out.push_back(RegisterClipboardFormat(name.c_str()));
  }
  return out;
}
}  // namespace

UINT EnumClipboardFormats(UINT format) {
  const std::vector<UINT> all = FormatsNow();
  if (format == 0) return all.empty() ? 0 : all.front();
  for (size_t i = 0; i + 1 < all.size(); ++i)
    if (all[i] == format) return all[i + 1];
  return 0;
}

int CountClipboardFormats() { return static_cast<int>(FormatsNow().size()); }
HWND GetClipboardOwner() { return g_owner; }
HWND GetOpenClipboardWindow() { return g_open ? g_openBy : nullptr; }
BOOL AfxFlushClipboard() { return TRUE; }
