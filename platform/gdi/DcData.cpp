#include "platform/gdi/DcData.h"

#include <cmath>
#include <mutex>
#include <unordered_set>

#include <QtGui/QGuiApplication>
#include <QtGui/QPaintDevice>
#include <QtGui/QPainterPath>
#include <QtGui/QScreen>

#include "platform/gdi/CDC.h"

namespace {

std::mutex& DcMutex() {
  static std::mutex m;
  return m;
}
std::unordered_set<DcData*>& DcRegistry() {
  static auto* s = new std::unordered_set<DcData*>;
  return *s;
}

// Dash and gap lengths of the cosmetic pen styles, in pixels.
std::vector<int> CosmeticPattern(const GdiObjectData* pen) {
  switch (pen->penStyle & PS_STYLE_MASK) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    case PS_USERSTYLE: {
      std::vector<int> v;
      long total = 0;
      for (DWORD e : pen->userStyle) {
        v.push_back(static_cast<int>(std::min<DWORD>(e, 1u << 20)));
        total += v.back();
      }
      if (v.size() % 2) v.push_back(0);
      if (total <= 0) v.clear();
      return v;
    }
    default: return {};
  }
}

}  // namespace

DcData::DcData(DcKind k) : kind(k) {}

DcData::~DcData() {
  flush();
  if (extPainter) extPainter->restore();
  if (st.bitmap && st.bitmap->selectedIn == this) st.bitmap->selectedIn = nullptr;
  if (owner) owner->m_hDC = owner->m_hAttribDC = nullptr;
  if (tempWrapper) tempWrapper->m_hDC = tempWrapper->m_hAttribDC = nullptr;
}

DcData* DcData::New(DcKind kind) {
  auto* d = new DcData(kind);
  d->st.pen = gdi::Ref(gdi::Stock(BLACK_PEN));
  d->st.brush = gdi::Ref(gdi::Stock(WHITE_BRUSH));
  d->st.font = gdi::Ref(gdi::Stock(SYSTEM_FONT));
  std::lock_guard<std::mutex> lock(DcMutex());
  DcRegistry().insert(d);
  return d;
}

DcData* DcData::Lookup(HDC h) {
  if (!h) return nullptr;
  auto* d = reinterpret_cast<DcData*>(h);
  std::lock_guard<std::mutex> lock(DcMutex());
  return DcRegistry().count(d) ? d : nullptr;
}

void DcData::Delete(DcData* d) {
  if (!d) return;
  {
    std::lock_guard<std::mutex> lock(DcMutex());
    DcRegistry().erase(d);
  }
  delete d;
}

// ---- surface ---------------------------------------------------------------------------

QImage* DcData::surface() const {
  switch (kind) {
    case DcKind::Memory:
      return st.bitmap ? &st.bitmap->image : nullptr;
    case DcKind::Device:
      return device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
    default:
      return nullptr;
  }
}

bool DcData::mono() const { return kind == DcKind::Memory && st.bitmap && st.bitmap->bitsPixel == 1; }

QRect DcData::deviceBounds() const {
  switch (kind) {
    case DcKind::Memory:
      return st.bitmap ? st.bitmap->image.rect() : QRect();
    case DcKind::Device:
      return device ? QRect(0, 0, device->width(), device->height()) : QRect();
    case DcKind::Painter: {
      QPaintDevice* dev = extPainter ? extPainter->device() : nullptr;
      return dev ? QRect(0, 0, dev->width(), dev->height()) : QRect();
    }
    case DcKind::Info: {
      QScreen* s = QGuiApplication::primaryScreen();
      return s ? QRect(QPoint(0, 0), s->geometry().size()) : QRect(0, 0, 1920, 1080);
    }
  }
  return QRect();
}

void DcData::applyClip(QPainter& p) const {
  if (st.hasClip) p.setClipRegion(st.clip);
  else p.setClipping(false);
}

QRegion DcData::effectiveClip() const {
  QRegion r(deviceBounds());
  if (kind == DcKind::Painter && paintRect.isValid()) r &= paintRect;
  if (st.hasClip) r &= st.clip;
  return r;
}

QPainter* DcData::painter() {
  switch (kind) {
    case DcKind::Info:
      return nullptr;
    case DcKind::Painter:
      return extPainter;
    case DcKind::Memory:
    case DcKind::Device:
      if (!own) {
        if (kind == DcKind::Memory) {
          QImage* img = surface();
          if (!img || img->isNull()) return nullptr;
          if (st.bitmap->dib) {
            gdi::DibSyncIn(st.bitmap.get());
            st.bitmap->dib->imageDirty = true;
          }
          img->bits();  // detach before the painter takes the pixels
          own = std::make_unique<QPainter>(img);
        } else {
          if (!device) return nullptr;
          if (QImage* img = surface()) img->bits();
          own = std::make_unique<QPainter>();
          if (!own->begin(device)) {
            own.reset();
            return nullptr;
          }
        }
        applyClip(*own);
        ++painterGeneration;
      }
      return own.get();
  }
  return nullptr;
}

void DcData::flush() {
  if (!own) return;
  // A printer's painter stays open for the whole document.
  if (kind == DcKind::Device && !surface()) return;
  own->end();
  own.reset();
  if (kind == DcKind::Memory && st.bitmap && st.bitmap->dib) gdi::DibSyncOut(st.bitmap.get());
}

QImage* DcData::pixels(bool write) {
  QImage* img = surface();
  if (!img || img->isNull()) return nullptr;
  flush();
  if (kind == DcKind::Memory && st.bitmap && st.bitmap->dib) {
    gdi::DibSyncIn(st.bitmap.get());
    if (write) st.bitmap->dib->imageDirty = true;
  }
  img->bits();
  return img;
}

// ---- mapping ---------------------------------------------------------------------------

QPointF DcData::toDevF(double x, double y) const {
  if (st.mapMode == MM_TEXT)
    return QPointF(x - st.windowOrg.x() + st.viewportOrg.x(), y - st.windowOrg.y() + st.viewportOrg.y());
  return QPointF((x - st.windowOrg.x()) * sx() + st.viewportOrg.x(), (y - st.windowOrg.y()) * sy() + st.viewportOrg.y());
}

QPoint DcData::toDev(int x, int y) const {
  if (st.mapMode == MM_TEXT)
    return QPoint(x - st.windowOrg.x() + st.viewportOrg.x(), y - st.windowOrg.y() + st.viewportOrg.y());
  QPointF p = toDevF(x, y);
  return QPoint(static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y())));
}

QPoint DcData::toLog(int x, int y) const {
  if (st.mapMode == MM_TEXT)
    return QPoint(x - st.viewportOrg.x() + st.windowOrg.x(), y - st.viewportOrg.y() + st.windowOrg.y());
  const double lx = (x - st.viewportOrg.x()) / sx() + st.windowOrg.x();
  const double ly = (y - st.viewportOrg.y()) / sy() + st.windowOrg.y();
  return QPoint(static_cast<int>(std::lround(lx)), static_cast<int>(std::lround(ly)));
}

QRect DcData::rectToDev(int l, int t, int r, int b) const {
  QPoint a = toDev(l, t), c = toDev(r, b);
  return QRect(QPoint(std::min(a.x(), c.x()), std::min(a.y(), c.y())),
               QPoint(std::max(a.x(), c.x()) - 1, std::max(a.y(), c.y()) - 1));
}

void DcData::setMapMode(int mode) {
  auto metric = [&](int units) {
    st.windowExt = QSize(units, units);
    st.viewportExt = QSize(dpiX, -dpiY);
  };
  switch (mode) {
    case MM_TEXT: st.windowExt = st.viewportExt = QSize(1, 1); break;
    case MM_LOMETRIC: metric(254); break;
    case MM_HIMETRIC: metric(2540); break;
    case MM_LOENGLISH: metric(100); break;
    case MM_HIENGLISH: metric(1000); break;
    case MM_TWIPS: metric(1440); break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
      break;
    default:
      return;
  }
  st.mapMode = mode;
  if (mode == MM_ISOTROPIC) fixIsotropic();
}

void DcData::fixIsotropic() {
  if (st.mapMode != MM_ISOTROPIC) return;
  const double ax = std::abs(double(st.viewportExt.width()) / st.windowExt.width());
  const double ay = std::abs(double(st.viewportExt.height()) / st.windowExt.height());
  if (ax == ay) return;
  const double a = std::min(ax, ay);
  auto sgn = [](int v) { return v < 0 ? -1 : 1; };
  if (ax > a) st.viewportExt.setWidth(sgn(st.viewportExt.width()) * std::max(1, int(std::lround(a * std::abs(st.windowExt.width())))));
  else st.viewportExt.setHeight(sgn(st.viewportExt.height()) * std::max(1, int(std::lround(a * std::abs(st.windowExt.height())))));
}

// ---- objects ---------------------------------------------------------------------------

COLORREF DcData::penColor() const {
  if (!pen()) return 0;
  return pen() == gdi::Stock(DC_PEN) ? st.dcPenColor : pen()->color;
}

COLORREF DcData::brushColor() const {
  if (!brush()) return 0;
  return brush() == gdi::Stock(DC_BRUSH) ? st.dcBrushColor : brush()->color;
}

QRgb DcData::outColor(COLORREF c) const {
  QRgb q = gdi::ToQRgb(gdi::PlainColor(c));
  return mono() ? gdi::MonoOf(q) : q;
}

bool DcData::hasPen() const { return pen() && (pen()->penStyle & PS_STYLE_MASK) != PS_NULL; }

bool DcData::hasBrush() const { return brush() && brush()->brushStyle != BS_NULL; }

int DcData::penDeviceWidth() const {
  const GdiObjectData* p = pen();
  if (!p || p->penWidth <= 0) return 1;
  if (p->extPen && (p->penStyle & PS_TYPE_MASK) == PS_COSMETIC) return 1;
  const double w = p->penWidth * std::abs(sx());
  return std::max(1, static_cast<int>(std::lround(std::min(w, 100000.0))));
}

QBrush DcData::qbrush(GdiObjectData* b, COLORREF solid) const {
  if (!b || b->brushStyle == BS_NULL) return QBrush(Qt::NoBrush);
  if (b->brushStyle == BS_HATCHED) {
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    const QRgb fg = outColor(b->color);
    const QRgb bg = st.bkMode == OPAQUE ? outColor(st.bkColor) : 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) tile.setPixel(x, y, gdi::HatchBit(b->hatch, x, y) ? fg : bg);
    return QBrush(tile);
  }
  if (b->brushStyle == BS_PATTERN || b->brushStyle == BS_DIBPATTERN || b->brushStyle == BS_DIBPATTERNPT) {
    if (b->pattern.isNull()) return QBrush(QColor::fromRgb(outColor(solid)));
    QImage tile = b->pattern.convertToFormat(QImage::Format_RGB32);
    if (b->patternMono) {
      // A monochrome pattern paints its black bits in the text colour and white in the background colour.
      const QRgb fg = outColor(st.textColor), bg = outColor(st.bkColor);
      for (int y = 0; y < tile.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < tile.width(); ++x) line[x] = (line[x] & 0xFFFFFF) ? bg : fg;
      }
    } else if (mono()) {
      for (int y = 0; y < tile.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < tile.width(); ++x) line[x] = gdi::MonoOf(line[x]);
      }
    }
    return QBrush(tile);
  }
  return QBrush(QColor::fromRgb(outColor(solid)));
}

QPen DcData::wideQPen() const {
  const GdiObjectData* p = pen();
  const int w = penDeviceWidth();
  QPen qp(QColor::fromRgb(outColor(penColor())), w);
  qp.setCapStyle(Qt::RoundCap);
  qp.setJoinStyle(Qt::RoundJoin);
  if (!p) return qp;
  if ((p->penStyle & PS_TYPE_MASK) == PS_GEOMETRIC) {
    switch (p->penStyle & PS_ENDCAP_MASK) {
      case PS_ENDCAP_SQUARE: qp.setCapStyle(Qt::SquareCap); break;
      case PS_ENDCAP_FLAT: qp.setCapStyle(Qt::FlatCap); break;
      default: qp.setCapStyle(Qt::RoundCap); break;
    }
    switch (p->penStyle & PS_JOIN_MASK) {
      case PS_JOIN_BEVEL: qp.setJoinStyle(Qt::BevelJoin); break;
      case PS_JOIN_MITER: qp.setJoinStyle(Qt::MiterJoin); qp.setMiterLimit(10); break;
      default: qp.setJoinStyle(Qt::RoundJoin); break;
    }
    QList<qreal> dashes;
    switch (p->penStyle & PS_STYLE_MASK) {
      case PS_DASH: dashes = {3, 1}; break;
      case PS_DOT: dashes = {1, 1}; break;
      case PS_DASHDOT: dashes = {3, 1, 1, 1}; break;
      case PS_DASHDOTDOT: dashes = {3, 1, 1, 1, 1, 1}; break;
      case PS_USERSTYLE: {
        double total = 0;
        for (DWORD e : p->userStyle) {
          // User dash lengths are logical units; Qt counts in pen widths.
          const double len = std::min<double>(e, 1e6) * std::abs(sx()) / w;
          dashes.push_back(std::max(len, 1e-3));
          total += e;
        }
        if (dashes.size() % 2) dashes.push_back(1e-3);
        if (total <= 0) dashes.clear();
        break;
      }
      default: break;
    }
    if (!dashes.isEmpty()) qp.setDashPattern(dashes);
  }
  return qp;
}

QFont DcData::qfont() const {
  const GdiObjectData* f = font();
  LOGFONTW lf = f ? f->logFont : LOGFONTW{};
  if (mono()) lf.lfQuality = NONANTIALIASED_QUALITY;
  return gdi::MakeFont(lf, std::abs(sy()));
}

// ---- rendering -------------------------------------------------------------------------

void DcData::render(const QRect& bounds, const std::function<void(QPainter&)>& draw) {
  if (st.rop2 == R2_NOP) return;
  QPainter* p = painter();
  if (!p) return;
  if (st.rop2 == R2_COPYPEN) {
    draw(*p);
    return;
  }
  if (!surface()) {
    // No access to the pixels (widget, printer): Qt's raster operations stand in.
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (st.rop2) {
      case R2_XORPEN: mode = QPainter::RasterOp_SourceXorDestination; break;
      case R2_NOT: mode = QPainter::RasterOp_NotDestination; break;
      case R2_NOTXORPEN: mode = QPainter::RasterOp_NotSourceXorDestination; break;
      case R2_MASKPEN: mode = QPainter::RasterOp_SourceAndDestination; break;
      case R2_MERGEPEN: mode = QPainter::RasterOp_SourceOrDestination; break;
      case R2_NOTCOPYPEN: mode = QPainter::RasterOp_NotSource; break;
      default: break;
    }
    p->setCompositionMode(mode);
    draw(*p);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  const QRegion clip = effectiveClip();
  const QRect area = bounds.intersected(clip.boundingRect());
  if (area.isEmpty()) return;
  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(0);
  {
    QPainter lp(&layer);
    lp.translate(-area.topLeft());
    lp.setClipRegion(clip);
    draw(lp);
  }
  QImage* img = pixels();
  if (!img) return;
  const bool keepAlpha = img->format() == QImage::Format_ARGB32;
  for (int y = 0; y < area.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(img->scanLine(area.y() + y)) + area.x();
    for (int x = 0; x < area.width(); ++x) {
      if (qAlpha(src[x]) < 128) continue;
      const DWORD r = Rop2(st.rop2, src[x] & 0xFFFFFF, dst[x] & 0xFFFFFF) & 0xFFFFFF;
      dst[x] = r | (keepAlpha ? (dst[x] & 0xFF000000u) : 0xFF000000u);
    }
  }
}

void DcData::rasterizeThin(const std::vector<QPoint>& pts, bool closed, QPolygon& on, QPolygon& gaps) const {
  const std::vector<int> pattern = pen() ? CosmeticPattern(pen()) : std::vector<int>{};
  long total = 0;
  for (int v : pattern) total += v;
  long long pos = 0;
  auto put = [&](int x, int y) {
    if (total <= 0) {
      on << QPoint(x, y);
      return;
    }
    long long m = pos++ % total;
    size_t i = 0;
    while (i < pattern.size() && m >= pattern[i]) m -= pattern[i++];
    ((i % 2) == 0 ? on : gaps) << QPoint(x, y);
  };
  // Only the part of a segment near the device is walked; the style pattern still advances
  // over the rest, so dashes stay in step when a long line is mostly off-screen.
  const QRect view = deviceBounds().adjusted(-2, -2, 2, 2);
  auto segment = [&](QPoint a, QPoint b) {
    const long long dx = std::llabs(static_cast<long long>(b.x()) - a.x());
    const long long dy = std::llabs(static_cast<long long>(b.y()) - a.y());
    const int stepX = b.x() >= a.x() ? 1 : -1, stepY = b.y() >= a.y() ? 1 : -1;
    const long long n = std::max(dx, dy);
    if (n == 0) return;
    // Visible parameter range [t0, t1] of the segment inside view (Liang-Barsky).
    double t0 = 0, t1 = 1;
    const double fx = b.x() - double(a.x()), fy = b.y() - double(a.y());
    auto clipEdge = [&](double p, double q) {
      if (p == 0) return q >= 0;
      const double r = q / p;
      if (p < 0) {
        if (r > t1) return false;
        t0 = std::max(t0, r);
      } else {
        if (r < t0) return false;
        t1 = std::min(t1, r);
      }
      return true;
    };
    const bool visible = view.isValid() && clipEdge(-fx, a.x() - double(view.left())) &&
                         clipEdge(fx, double(view.right()) - a.x()) && clipEdge(-fy, a.y() - double(view.top())) &&
                         clipEdge(fy, double(view.bottom()) - a.y());
    const long long i0 = visible ? std::clamp<long long>((long long)std::floor(t0 * n) - 1, 0, n) : n;
    const long long i1 = visible ? std::clamp<long long>((long long)std::ceil(t1 * n) + 1, 0, n) : n;
    pos += i0;
    // Bresenham from step i0 on, in the state the walk from the start would have reached.
    const long long major = dx >= dy ? dx : dy, minor = dx >= dy ? dy : dx;
    const long long before = i0 * minor - major / 2;
    const long long k0 = before <= 0 ? 0 : (before + major - 1) / major;
    long long err = major / 2 - i0 * minor + k0 * major;
    long long x = a.x(), y = a.y();
    if (dx >= dy) {
      x += stepX * i0;
      y += stepY * k0;
    } else {
      y += stepY * i0;
      x += stepX * k0;
    }
    for (long long i = i0; i < i1; ++i) {
      put(int(x), int(y));
      if (dx >= dy) {
        x += stepX;
        err -= dy;
        if (err < 0) { y += stepY; err += dx; }
      } else {
        y += stepY;
        err -= dx;
        if (err < 0) { x += stepX; err += dy; }
      }
    }
    pos += n - i1;
  };
  for (size_t i = 1; i < pts.size(); ++i) segment(pts[i - 1], pts[i]);
  if (closed && pts.size() > 1) segment(pts.back(), pts.front());
}

void DcData::recordPath(const QPainterPath& p, bool connect) {
  if (p.isEmpty()) return;
  if (connect && !gdiPath.isEmpty() && gdiPath.currentPosition() == p.pointAtPercent(0)) gdiPath.connectPath(p);
  else gdiPath.addPath(p);
}

void DcData::strokePolyline(const std::vector<QPoint>& pts, bool closed) {
  if (pathOpen) {
    if (pts.size() < 2) return;
    QPainterPath p;
    p.moveTo(pts[0]);
    for (size_t i = 1; i < pts.size(); ++i) p.lineTo(pts[i]);
    if (closed) p.closeSubpath();
    recordPath(p, !closed);
    return;
  }
  if (!hasPen() || pts.size() < 2) return;
  if (thinPen()) {
    QPolygon on, gaps;
    rasterizeThin(pts, closed, on, gaps);
    const bool drawGaps = !gaps.isEmpty() && st.bkMode == OPAQUE;
    QRect bounds = on.boundingRect();
    if (drawGaps) bounds |= gaps.boundingRect();
    const QRgb fg = outColor(penColor()), bg = outColor(st.bkColor);
    render(bounds.adjusted(-1, -1, 1, 1), [&](QPainter& p) {
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(QPen(QColor::fromRgb(fg), 1));
      p.drawPoints(on);
      if (drawGaps) {
        p.setPen(QPen(QColor::fromRgb(bg), 1));
        p.drawPoints(gaps);
      }
    });
    return;
  }
  QPainterPath path;
  path.moveTo(pts[0]);
  for (size_t i = 1; i < pts.size(); ++i) path.lineTo(pts[i]);
  if (closed) path.closeSubpath();
  strokePath(path);
}

void DcData::strokePath(const QPainterPath& path) {
  if (pathOpen) {
    recordPath(path, true);
    return;
  }
  if (!hasPen() || path.isEmpty()) return;
  QPen qp;
  if (thinPen()) {
    qp = QPen(QColor::fromRgb(outColor(penColor())), 1);
    qp.setCosmetic(true);
    const std::vector<int> pattern = CosmeticPattern(pen());
    if (!pattern.empty()) {
      QList<qreal> d;
      for (int v : pattern) d.push_back(std::max(v, 1));
      qp.setDashPattern(d);
    }
  } else {
    qp = wideQPen();
  }
  const int w = qp.width() + 2;
  // Path coordinates name pixels; the stroke runs through their centres.
  const QPainterPath centred = path.translated(0.5, 0.5);
  render(centred.boundingRect().toAlignedRect().adjusted(-w, -w, w, w), [&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(qp);
    p.drawPath(centred);
  });
}

void DcData::fillPath(const QPainterPath& path) {
  if (pathOpen) return;  // the figure's outline is what a path records
  if (!hasBrush() || path.isEmpty()) return;
  const QBrush b = qbrush();
  render(path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1), [&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(b);
    p.setBrushOrigin(st.brushOrg);
    p.drawPath(path);
  });
}

// ---- pixels ----------------------------------------------------------------------------

DWORD DcData::Rop2(int rop, DWORD pen, DWORD dst) {
  const unsigned t = static_cast<unsigned>(rop - 1) & 0xF;
  DWORD r = 0;
  if (t & 1) r |= ~pen & ~dst;
  if (t & 2) r |= ~pen & dst;
  if (t & 4) r |= pen & ~dst;
  if (t & 8) r |= pen & dst;
  return r;
}

DWORD DcData::Rop3(DWORD rop, DWORD pat, DWORD src, DWORD dst) {
  const unsigned code = (rop >> 16) & 0xFF;
  switch (code) {  // the common ones directly
    case 0xCC: return src;
    case 0xF0: return pat;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFF;
    case 0x66: return src ^ dst;
    case 0x88: return src & dst;
    case 0xEE: return src | dst;
    case 0x55: return ~dst;
    case 0x5A: return pat ^ dst;
    default: break;
  }
  DWORD r = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if (!(code & (1u << i))) continue;
    const DWORD p = (i & 4) ? pat : ~pat;
    const DWORD s = (i & 2) ? src : ~src;
    const DWORD d = (i & 1) ? dst : ~dst;
    r |= p & s & d;
  }
  return r;
}

QImage DcData::patternImage(const QRect& r) const {
  QImage img(r.size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(0);
  if (!hasBrush() || r.isEmpty()) return img;
  QPainter p(&img);
  p.translate(-r.topLeft());
  p.setBrushOrigin(st.brushOrg);
  p.fillRect(r, qbrush());
  return img;
}
