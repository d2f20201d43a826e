#include "platform/gdi/GdiObjectData.h"

#include <array>
#include <cmath>
#include <mutex>
#include <unordered_set>

#include <QtGui/QFontMetricsF>

#include "platform/gdi/CGdiObject.h"

namespace {

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::unordered_set<GdiObjectData*>& Registry() {
  static auto* s = new std::unordered_set<GdiObjectData*>;  // outlives every static object
  return *s;
}

void FreeIfUnused(GdiObjectData* d) {
  if (d->retired && d->holders <= 0 && !d->stock) delete d;
}

}  // namespace

GdiObjectData::GdiObjectData(GdiKind k) : kind(k) {}

GdiObjectData::~GdiObjectData() {
  if (dib) gdi::ForgetDib(this);
  if (owner) owner->m_hObject = nullptr;
  if (tempWrapper) tempWrapper->m_hObject = nullptr;
}

namespace gdi {

GdiObjectData* NewObject(GdiKind kind) {
  auto* d = new GdiObjectData(kind);
  std::lock_guard<std::mutex> lock(RegistryMutex());
  Registry().insert(d);
  return d;
}

GdiObjectData* Lookup(HGDIOBJ h) {
  if (!h) return nullptr;
  auto* d = static_cast<GdiObjectData*>(h);
  std::lock_guard<std::mutex> lock(RegistryMutex());
  return Registry().count(d) ? d : nullptr;
}

GdiObjectData* Lookup(HGDIOBJ h, GdiKind kind) {
  GdiObjectData* d = Lookup(h);
  return d && d->kind == kind ? d : nullptr;
}

bool Retire(HGDIOBJ h) {
  GdiObjectData* d = Lookup(h);
  if (!d) return false;
  if (d->stock) return true;
  {
    std::lock_guard<std::mutex> lock(RegistryMutex());
    Registry().erase(d);
  }
  d->retired = true;
  if (d->owner) {
    d->owner->m_hObject = nullptr;
    d->owner = nullptr;
  }
  FreeIfUnused(d);
  return true;
}

void Hold(GdiObjectData* d) { ++d->holders; }

void Release(GdiObjectData* d) {
  --d->holders;
  FreeIfUnused(d);
}

GdiObjectData* Stock(int index) {
  static std::array<GdiObjectData*, 20> objects{};
  static std::once_flag once;
  std::call_once(once, [] {
    auto brush = [](COLORREF c, UINT style = BS_SOLID) {
      GdiObjectData* d = NewObject(GdiKind::Brush);
      d->brushStyle = style;
      d->color = c;
      return d;
    };
    auto pen = [](COLORREF c, DWORD style = PS_SOLID) {
      GdiObjectData* d = NewObject(GdiKind::Pen);
      d->penStyle = style;
      d->color = c;
      return d;
    };
    auto font = [](const char16_t* face, LONG height, BYTE pitch) {
      GdiObjectData* d = NewObject(GdiKind::Font);
      d->logFont.lfHeight = height;
      d->logFont.lfWeight = FW_NORMAL;
      d->logFont.lfCharSet = DEFAULT_CHARSET;
      d->logFont.lfPitchAndFamily = pitch;
      for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) d->logFont.lfFaceName[i] = face[i];
      return d;
    };
    objects[WHITE_BRUSH] = brush(RGB(255, 255, 255));
    objects[LTGRAY_BRUSH] = brush(RGB(192, 192, 192));
    objects[GRAY_BRUSH] = brush(RGB(128, 128, 128));
    objects[DKGRAY_BRUSH] = brush(RGB(64, 64, 64));
    objects[BLACK_BRUSH] = brush(RGB(0, 0, 0));
    objects[NULL_BRUSH] = brush(0, BS_NULL);
    objects[WHITE_PEN] = pen(RGB(255, 255, 255));
    objects[BLACK_PEN] = pen(RGB(0, 0, 0));
    objects[NULL_PEN] = pen(0, PS_NULL);
    objects[OEM_FIXED_FONT] = font(u"", 12, FIXED_PITCH | FF_MODERN);
    objects[ANSI_FIXED_FONT] = font(u"", 13, FIXED_PITCH | FF_MODERN);
    objects[ANSI_VAR_FONT] = font(u"", 13, VARIABLE_PITCH | FF_SWISS);
    objects[SYSTEM_FONT] = font(u"", 16, VARIABLE_PITCH | FF_SWISS);
    objects[DEVICE_DEFAULT_FONT] = font(u"", 16, VARIABLE_PITCH | FF_SWISS);
    objects[SYSTEM_FIXED_FONT] = font(u"", 15, FIXED_PITCH | FF_MODERN);
    objects[DEFAULT_GUI_FONT] = font(u"", -12, VARIABLE_PITCH | FF_SWISS);
    objects[DEFAULT_PALETTE] = NewObject(GdiKind::Palette);
    objects[DC_BRUSH] = brush(RGB(255, 255, 255));
    objects[DC_PEN] = pen(RGB(0, 0, 0));
    for (GdiObjectData* d : objects)
      if (d) d->stock = true;
  });
  if (index < 0 || index >= static_cast<int>(objects.size())) return nullptr;
  return objects[static_cast<size_t>(index)];
}

COLORREF PlainColor(COLORREF c) {
  if ((c & 0xFF000000u) == 0x01000000u) {  // PALETTEINDEX into the 16 standard colours
    static const COLORREF vga[16] = {
        RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),   RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    return vga[c & 0xF];
  }
  return c & 0x00FFFFFFu;
}

QFont MakeFont(const LOGFONTW& lf, double scale) {
  QFont f;
  int len = 0;
  while (len < LF_FACESIZE && lf.lfFaceName[len]) ++len;
  QString face = QString::fromUtf16(lf.lfFaceName, len);
  const int family = lf.lfPitchAndFamily & 0xF0;
  const bool fixed = (lf.lfPitchAndFamily & 0x3) == FIXED_PITCH || family == FF_MODERN;
  QFont::StyleHint hint = QFont::SansSerif;
  if (fixed) hint = QFont::TypeWriter;
  else if (family == FF_ROMAN) hint = QFont::Serif;
  else if (family == FF_SCRIPT) hint = QFont::Cursive;
  else if (family == FF_DECORATIVE) hint = QFont::Decorative;
  if (face.isEmpty()) face = fixed ? QStringLiteral("monospace")
                                   : (hint == QFont::Serif ? QStringLiteral("serif") : QStringLiteral("sans-serif"));
  f.setFamily(face);
  int strategy = QFont::NoSubpixelAntialias;
  strategy |= lf.lfQuality == NONANTIALIASED_QUALITY ? QFont::NoAntialias : QFont::PreferAntialias;
  f.setStyleHint(hint, QFont::StyleStrategy(strategy));
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setKerning(false);
  int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
  f.setWeight(QFont::Weight(weight));
  f.setItalic(lf.lfItalic != 0);
  f.setUnderline(lf.lfUnderline != 0);
  f.setStrikeOut(lf.lfStrikeOut != 0);

  if (!(scale > 0) || !std::isfinite(scale)) scale = 1.0;
  double em;
  const double h = lf.lfHeight;
  if (h < 0) {
    em = -h * scale;
  } else {
    // A positive height is the cell height (ascent + descent): find the em size giving it.
    const double cell = (h == 0 ? 16.0 : h) * scale;
    QFont probe = f;
    probe.setPixelSize(100);
    QFontMetricsF fm(probe);
    const double probeCell = fm.ascent() + fm.descent();
    em = probeCell > 0 ? cell * 100.0 / probeCell : cell;
  }
  em = std::clamp(em, 1.0, 16384.0);
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
  if (lf.lfWidth > 0) {
    QFontMetricsF fm(f);
    const double avg = fm.averageCharWidth();
    if (avg > 0) {
      const int stretch = static_cast<int>(std::lround(lf.lfWidth * scale / avg * 100.0));
      f.setStretch(std::clamp(stretch, 1, 4000));
    }
  }
  return f;
}

bool HatchBit(int style, int x, int y) {
  x &= 7;
  y &= 7;
  switch (style) {
    case HS_HORIZONTAL: return y == 0;
    case HS_VERTICAL: return x == 0;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 0 || y == 0;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
  }
}

}  // namespace gdi
