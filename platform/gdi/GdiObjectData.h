#pragma once
// The object behind every GDI handle (pens, brushes, fonts, bitmaps, regions, palettes).
// Internal to the drawing layer: only its .cpp files include this header.
//
// Lifetime: DeleteObject retires a handle at once (it stops being valid), but the data
// lives on while a device context still holds it selected or saved, so a caller that
// deletes a selected object never leaves a context pointing at freed memory.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QRegion>

#include "platform/gdi/GdiTypes.h"

class CGdiObject;
struct DcData;

enum class GdiKind { Pen, Brush, Font, Bitmap, Region, Palette };

struct GdiObjectData {
  explicit GdiObjectData(GdiKind k);
  ~GdiObjectData();
  GdiObjectData(const GdiObjectData&) = delete;
  GdiObjectData& operator=(const GdiObjectData&) = delete;

  GdiKind kind;
  bool stock = false;
  bool retired = false;  // DeleteObject was called; freed when the last holder lets go
  int holders = 0;       // selections and saved states referring to this object

  // Pen: style bits (PS_*), width in logical units, colour; user dash lengths.
  DWORD penStyle = PS_SOLID;
  int penWidth = 0;
  bool extPen = false;
  std::vector<DWORD> userStyle;

  // Brush (and the colour of a pen).
  UINT brushStyle = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
  QImage pattern;        // BS_PATTERN: the pattern bitmap (8x8 or any size)
  bool patternMono = false;

  // Font.
  LOGFONTW logFont{};

  // Bitmap: pixels as RGB32 (ARGB32 for 32-bit bitmaps made with alpha); mono bitmaps
  // hold only black and white.
  QImage image;
  int bitsPixel = 32;
  DcData* selectedIn = nullptr;

  // Region, in device units.
  QRegion region;

  // A DIB section: the bits the caller sees, in the layout of the header. The image is the
  // drawing side; GdiFlush and selection bring the two together (see gdi::DibSyncIn/Out).
  struct Dib {
    std::vector<BYTE> info;  // BITMAPINFOHEADER and colour table
    std::vector<BYTE> bits;
    bool imageDirty = false;  // drawn on since the bits were last written
  };
  std::unique_ptr<Dib> dib;

  // Palette entries as COLORREFs.
  std::vector<COLORREF> palette;

  // The C++ object that owns the handle (Attach), or a wrapper made by FromHandle.
  CGdiObject* owner = nullptr;
  std::unique_ptr<CGdiObject> tempWrapper;

  HGDIOBJ handle() { return static_cast<HGDIOBJ>(this); }
};

namespace gdi {

// Handle registry: a handle is valid while its object is registered.
GdiObjectData* NewObject(GdiKind kind);
GdiObjectData* Lookup(HGDIOBJ h);
GdiObjectData* Lookup(HGDIOBJ h, GdiKind kind);
bool Retire(HGDIOBJ h);  // DeleteObject
void Hold(GdiObjectData* d);
void Release(GdiObjectData* d);

// A counted reference held by device contexts (selection and SaveDC states).
class Ref {
public:
  Ref() = default;
  explicit Ref(GdiObjectData* d) : m_d(d) { if (m_d) Hold(m_d); }
  Ref(const Ref& o) : m_d(o.m_d) { if (m_d) Hold(m_d); }
  Ref& operator=(const Ref& o) {
    if (o.m_d) Hold(o.m_d);
    if (m_d) Release(m_d);
    m_d = o.m_d;
    return *this;
  }
  ~Ref() { if (m_d) Release(m_d); }
  GdiObjectData* get() const { return m_d; }
  GdiObjectData* operator->() const { return m_d; }
  explicit operator bool() const { return m_d != nullptr; }

private:
  GdiObjectData* m_d = nullptr;
};

GdiObjectData* Stock(int index);  // null for an unknown index

inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline QRgb ToQRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF FromQRgb(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }
// Resolves PALETTERGB/PALETTEINDEX forms to a plain colour.
COLORREF PlainColor(COLORREF c);

// The Qt font of a LOGFONT with its height turned into pixels of the device (scale is the
// device pixels per logical unit in y).
QFont MakeFont(const LOGFONTW& lf, double scale);
// The 8x8 pattern (1 = hatch line) of a hatch style.
bool HatchBit(int style, int x, int y);

// DIB sections: bits into the image unless the image has news, and the image into the bits.
void DibSyncIn(GdiObjectData* d);
void DibSyncOut(GdiObjectData* d);
// Every DIB section, for GdiFlush.
void ForEachDib(const std::function<void(GdiObjectData*)>& f);
void ForgetDib(GdiObjectData* d);

// Mono bitmaps keep exact black and white.
inline QRgb MonoOf(QRgb c) { return qGray(c) >= 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }

}  // namespace gdi
