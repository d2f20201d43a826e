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
#include <map>
#include <set>
#include <string>
#include <vector>

#ifdef KC_WIN_HAVE_GDI
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/GdiApi.h"
#endif
#include "platform/win/CWnd.h"

namespace {

HGLOBAL FromBytes(const QByteArray& bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes.size()));
  if (!h) return nullptr;
  if (!bytes.isEmpty()) {
    std::memcpy(GlobalLock(h), bytes.constData(), static_cast<size_t>(bytes.size()));
    GlobalUnlock(h);
  }
  return h;
}

QByteArray ToBytes(HGLOBAL h) {
  if (!AfxIsGlobalMemoryHandle(h)) return {};
  const SIZE_T size = GlobalSize(h);
  const QByteArray bytes(static_cast<const char*>(GlobalLock(h)), static_cast<qsizetype>(size));
  GlobalUnlock(h);
  return bytes;
}

// ---- state of the open clipboard ----
HWND g_openBy = nullptr;
bool g_open = false;
HWND g_owner = nullptr;
class ClipMime;
ClipMime* g_pending = nullptr;     // what this program is putting on the clipboard
std::vector<HGLOBAL>& g_handedOut = *new std::vector<HGLOBAL>;  // handles given by GetClipboardData
std::vector<std::u16string> g_formatNames;

const char* const kMimePrefix = "application/x-korvancad-";

QClipboard* Clip() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

std::vector<HANDLE>& g_handedOutBitmaps = *new std::vector<HANDLE>;

void FreeHandedOut() {
  for (HGLOBAL h : g_handedOut) GlobalFree(h);
  g_handedOut.clear();
#ifdef KC_WIN_HAVE_GDI
  for (HANDLE h : g_handedOutBitmaps) ::DeleteObject(static_cast<HGDIOBJ>(h));
#endif
  g_handedOutBitmaps.clear();
}

QString MimeOfRegistered(UINT format) {
  const size_t i = format - KC_FIRST_REGISTERED_MESSAGE;
  if (format < KC_FIRST_REGISTERED_MESSAGE || i >= g_formatNames.size()) return {};
  const QByteArray enc = QUrl::toPercentEncoding(QString::fromStdU16String(g_formatNames[i]));
  return QString::fromLatin1(kMimePrefix) + QString::fromLatin1(enc);
}

// The MIME type a format travels under.
QString MimeOf(UINT format) {
  switch (format) {
    case CF_UNICODETEXT: case CF_TEXT: case CF_OEMTEXT: return QStringLiteral("text/plain");
    case CF_DIB: case CF_DIBV5: case CF_BITMAP: return QStringLiteral("application/x-qt-image");
    // Vector pictures travel as SVG, which other programs here read.
    case CF_ENHMETAFILE: return QStringLiteral("image/svg+xml");
    // File lists as file managers offer them: one URL a line.
    case CF_HDROP: return QStringLiteral("text/uri-list");
    default: return MimeOfRegistered(format);
  }
}

// What this program puts on the clipboard: data set now, and formats its owner renders when a
// reader asks for them.
class ClipMime : public QMimeData {
public:
  HWND owner = nullptr;
  std::map<QString, UINT> delayed;  // MIME type -> format, until rendered
  bool toldOwner = false;           // WM_DESTROYCLIPBOARD went out

  ~ClipMime() override;
  QStringList formats() const override {
    QStringList f = QMimeData::formats();
    for (const auto& [mime, format] : delayed)
      if (!f.contains(mime)) f << mime;
    return f;
  }
  bool hasFormat(const QString& mime) const override { return formats().contains(mime); }
  // Renders the format now when it is still delayed.
  void Render(const QString& mime) const;

protected:
  QVariant retrieveData(const QString& mime, QMetaType type) const override {
    Render(mime);
    return QMimeData::retrieveData(mime, type);
  }
};

ClipMime* g_rendering = nullptr;  // the data being rendered (SetClipboardData fills it)

void ClipMime::Render(const QString& mime) const {
  auto it = delayed.find(mime);
  if (it == delayed.end() || g_rendering) return;
  auto* self = const_cast<ClipMime*>(this);
  const UINT format = it->second;
  self->delayed.erase(it);  // asked once: an owner that renders nothing offers nothing
  if (!IsWindow(owner)) return;
  g_rendering = self;
  ::SendMessage(owner, WM_RENDERFORMAT, format, 0);
  g_rendering = nullptr;
}

ClipMime::~ClipMime() {
  // Replaced by other data: the owner hears that its data is gone.
  if (!toldOwner && owner && IsWindow(owner)) ::PostMessage(owner, WM_DESTROYCLIPBOARD, 0, 0);
}

// Ours on the clipboard now, or null.
ClipMime* OursOnClipboard(QClipboard* c) {
  return c ? dynamic_cast<ClipMime*>(const_cast<QMimeData*>(c->mimeData())) : nullptr;
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
      const QString mime = MimeOf(format);
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
    if (QClipboard* c = Clip()) {
      c->setMimeData(m);
    } else {
      static_cast<ClipMime*>(m)->toldOwner = true;
      delete m;
    }
  }
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!g_open) return FALSE;
  FreeHandedOut();
  // The owner of what was there hears that it is gone.
  if (ClipMime* old = OursOnClipboard(Clip()); old && !old->toldOwner) {
    old->toldOwner = true;
    if (IsWindow(old->owner)) ::SendMessage(old->owner, WM_DESTROYCLIPBOARD, 0, 0);
  }
  if (g_pending) g_pending->toldOwner = true;  // never on the clipboard: nobody to tell
  delete g_pending;
  g_pending = new ClipMime;
  g_owner = g_openBy;
  g_pending->owner = g_owner;
  return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
  // While a format is rendered the owner sets it without opening the clipboard.
  ClipMime* target = g_rendering ? g_rendering : nullptr;
  if (!target && !g_open) return nullptr;
  const QString mime = MimeOf(uFormat);
  if (mime.isEmpty()) return nullptr;
  if (!target) {
    if (!g_pending) {
      // Adding to what is there: start from a copy of it.
      g_pending = new ClipMime;
      g_pending->owner = g_owner;
      ClipMime* ours = OursOnClipboard(Clip());
      if (ours) ours->toldOwner = true;  // its data lives on in the copy
      if (const QMimeData* cur = Clip() ? Clip()->mimeData() : nullptr) {
        for (const QString& f : cur->formats()) {
          if (ours && ours->delayed.count(f))
            g_pending->delayed[f] = ours->delayed[f];
          else if (f == QLatin1String("application/x-qt-image"))
            g_pending->setImageData(cur->imageData());
          else
            g_pending->setData(f, cur->data(f));
        }
      }
    }
    target = g_pending;
    if (!hMem) {
      // Offered now, rendered by the owner when asked for.
      target->delayed[mime] = uFormat;
      return nullptr;
    }
  }
  target->delayed.erase(mime);
#ifdef KC_WIN_HAVE_GDI
  if (uFormat == CF_BITMAP) {
    CBitmap* bmp = hMem ? CBitmap::FromHandle(static_cast<HBITMAP>(hMem)) : nullptr;
    const QImage img = bmp ? bmp->GetImage() : QImage();
    if (img.isNull()) return nullptr;
    target->setImageData(img);
    ::DeleteObject(static_cast<HGDIOBJ>(hMem));  // the clipboard owns the bitmap now
    return hMem;
  }
#endif
  if (!hMem || !AfxIsGlobalMemoryHandle(hMem)) return nullptr;
  const QByteArray bytes = ToBytes(hMem);
  bool ok = true;
  switch (uFormat) {
    case CF_UNICODETEXT: {
      const auto* s = reinterpret_cast<const char16_t*>(bytes.constData());
      qsizetype n = 0;
      const qsizetype max = bytes.size() / 2;
      while (n < max && s[n] != 0) ++n;
      target->setText(QString::fromUtf16(s, n));
      break;
    }
    case CF_TEXT: case CF_OEMTEXT: {
      const qsizetype n = bytes.indexOf('\0');
      target->setText(QString::fromLocal8Bit(n < 0 ? bytes : bytes.left(n)));
      break;
    }
    case CF_DIB: case CF_DIBV5: {
      const QImage img = ImageOfDib(bytes);
      if (img.isNull()) ok = false; else target->setImageData(img);
      break;
    }
    default:
      target->setData(mime, bytes);
      break;
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
    case CF_BITMAP: {
#ifdef KC_WIN_HAVE_GDI
      // A bitmap the clipboard owns until it is opened again.
      const QImage img = qvariant_cast<QImage>(m->imageData());
      auto* bmp = new CBitmap;
      HBITMAP h = nullptr;
      if (!img.isNull() && bmp->CreateFromImage(img)) h = static_cast<HBITMAP>(bmp->Detach());
      delete bmp;
      if (h) g_handedOutBitmaps.push_back(h);
      return h;
#else
      return nullptr;
#endif
    }
    default:
      bytes = m->data(MimeOf(uFormat));
      break;
  }
  // An offered format its owner did not render when asked is not there.
  if (!Has(m, uFormat)) return nullptr;
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
  if (m->hasFormat(MimeOf(CF_ENHMETAFILE))) out.push_back(CF_ENHMETAFILE);
  if (m->hasFormat(MimeOf(CF_HDROP))) out.push_back(CF_HDROP);
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
namespace {
// Renders every delayed format of our data on the clipboard (of one owner, or any).
void RenderAll(HWND onlyOwner) {
  for (ClipMime* m : {g_pending, OursOnClipboard(Clip())}) {
    if (!m || (onlyOwner && m->owner != onlyOwner)) continue;
    std::vector<QString> mimes;
    for (const auto& [mime, format] : m->delayed) mimes.push_back(mime);
    for (const QString& mime : mimes) m->Render(mime);
    m->delayed.clear();
  }
}
}  // namespace

BOOL AfxFlushClipboard() {
  RenderAll(nullptr);
  return TRUE;
}

void AfxClipboardOwnerDestroying(HWND hWnd) {
  if (!hWnd) return;
  RenderAll(hWnd);
  if (g_owner == hWnd) g_owner = nullptr;
  for (ClipMime* m : {g_pending, OursOnClipboard(Clip())})
    if (m && m->owner == hWnd) {
      m->owner = nullptr;
      m->toldOwner = true;
    }
}
