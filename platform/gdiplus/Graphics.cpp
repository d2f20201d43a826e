#include "platform/gdiplus/Graphics.h"

#include <cmath>

#include <QtGui/QPaintDevice>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QTransform>

#include "platform/gdi/CDC.h"
#include "platform/gdi/DcData.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/CustomLineCap.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/GdiplusPrivate.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/Image.h"
#include "platform/gdiplus/ImageAttributes.h"
#include "platform/gdiplus/Matrix.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/Region.h"
#include "platform/gdiplus/SolidBrush.h"
#include "platform/gdiplus/StringFormat.h"

namespace Gdiplus {

namespace {

constexpr INT kMaxPoints = 1 << 24;

struct State {
  QTransform world;
  Unit pageUnit = UnitDisplay;
  REAL pageScale = 1;
  SmoothingMode smoothing = SmoothingModeNone;
  TextRenderingHint textHint = TextRenderingHintSystemDefault;
  InterpolationMode interpolation = InterpolationModeBilinear;
  PixelOffsetMode pixelOffset = PixelOffsetModeDefault;
  CompositingMode compositing = CompositingModeSourceOver;
  CompositingQuality compositingQuality = CompositingQualityDefault;
  bool clipInfinite = true;
  QPainterPath clip;  // device pixels of the surface (before the painter's own transform)
};

QPainterPath RectPath(const RectF& r) {
  QPainterPath p;
  p.addRect(QRectF(r.X, r.Y, r.Width, r.Height));
  return p;
}

int LengthOf(const WCHAR* s, INT length) {
  if (!s) return 0;
  if (length >= 0) return length;
  int n = 0;
  while (s[n] && n < (1 << 24)) ++n;
  return n;
}

bool IsBreakableCjk(QChar c) {
  const ushort u = c.unicode();
  return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) || (u >= 0xF900 && u <= 0xFAFF) ||
         (u >= 0xFF00 && u <= 0xFFEF);
}

struct TextLine {
  QString text;
  std::vector<int> underline;
  double width = 0;
};

struct TextLayout {
  std::vector<TextLine> lines;
  double lineHeight = 0, ascent = 0;
  int fitted = 0;
};

// Lays text out in device pixels: paragraphs, prefixes, wrapping at width (0: none),
// line limit at height (0: none) and trimming of what does not fit.
TextLayout Layout(const QString& text, const QFontMetricsF& fm, double width, double height, const StringFormat& f) {
  TextLayout out;
  out.lineHeight = fm.lineSpacing();
  out.ascent = fm.ascent();
  const INT flags = f.GetFormatFlags();
  const bool wrap = width > 0 && !(flags & StringFormatFlagsNoWrap);
  QString s = text;
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  s.replace(QLatin1Char('\t'), QStringLiteral("    "));
  auto measure = [&](const QString& t) { return fm.horizontalAdvance(t); };
  for (const QString& para : s.split(QLatin1Char('\n'))) {
    TextLine stripped;
    if (f.GetHotkeyPrefix() != HotkeyPrefixNone) {
      for (int i = 0; i < para.size(); ++i) {
        if (para[i] == QLatin1Char('&') && i + 1 < para.size()) {
          if (para[i + 1] != QLatin1Char('&') && f.GetHotkeyPrefix() == HotkeyPrefixShow)
            stripped.underline.push_back(int(stripped.text.size()));
          ++i;
        }
        stripped.text += para[i];
      }
    } else {
      stripped.text = para;
    }
    if (!wrap) {
      stripped.width = measure(stripped.text);
      out.lines.push_back(stripped);
      continue;
    }
    // Greedy breaking at spaces and between ideographs; words wider than the line break anywhere.
    QString cur;
    int curStart = 0, i = 0;
    const QString& t = stripped.text;
    auto push = [&](QString line, int start) {
      TextLine l;
      while (!line.isEmpty() && line.back().isSpace()) line.chop(1);
      l.text = line;
      for (int u : stripped.underline)
        if (u >= start && u < start + line.size()) l.underline.push_back(u - start);
      l.width = measure(line);
      out.lines.push_back(l);
    };
    while (i < t.size()) {
      int j = i;
      if (t[i].isSpace()) while (j < t.size() && t[j].isSpace()) ++j;
      else if (IsBreakableCjk(t[i])) j = i + 1;
      else while (j < t.size() && !t[j].isSpace() && !IsBreakableCjk(t[j])) ++j;
      const QString token = t.mid(i, j - i);
      if (measure(cur + token) <= width || t[i].isSpace()) {
        if (!(cur.isEmpty() && t[i].isSpace() && !out.lines.empty())) cur += token;
        else curStart = j;
      } else if (!cur.isEmpty() && measure(token) <= width) {
        push(cur, curStart);
        cur = token;
        curStart = i;
      } else {
        // Break the token by characters.
        if (!cur.isEmpty() && measure(cur + token.left(1)) > width) {
          push(cur, curStart);
          cur.clear();
          curStart = i;
        }
        for (int k = 0; k < token.size(); ++k) {
          if (!cur.isEmpty() && measure(cur + token[k]) > width) {
            push(cur, curStart);
            cur.clear();
            curStart = i + k;
          }
          cur += token[k];
        }
      }
      i = j;
    }
    push(cur, curStart);
  }
  if (out.lines.empty()) out.lines.push_back(TextLine());

  // Lines beyond the height: with a line limit only whole lines stay.
  size_t visible = out.lines.size();
  if (height > 0) {
    const double n = height / out.lineHeight;
    size_t fit = size_t(std::max(0.0, (flags & StringFormatFlagsLineLimit) ? std::floor(n + 1e-6) : std::ceil(n - 1e-6)));
    if (fit == 0 && !(flags & StringFormatFlagsLineLimit)) fit = 1;
    visible = std::min(visible, fit);
  }
  const bool cut = visible < out.lines.size();
  out.lines.resize(visible);
  int fitted = 0;
  for (const TextLine& l : out.lines) fitted += int(l.text.size());
  // Trimming of the last line when text was cut or runs past the width.
  const StringTrimming trim = f.GetTrimming();
  if (!out.lines.empty() && width > 0 && trim != StringTrimmingNone) {
    for (size_t k = 0; k < out.lines.size(); ++k) {
      TextLine& l = out.lines[k];
      const bool last = k + 1 == out.lines.size();
      if (!(l.width > width + 1e-6 || (last && cut))) continue;
      const bool ellipsis = trim == StringTrimmingEllipsisCharacter || trim == StringTrimmingEllipsisWord ||
                            trim == StringTrimmingEllipsisPath;
      const QString dots = ellipsis ? QStringLiteral("...") : QString();
      QString base = l.text;
      if (trim == StringTrimmingEllipsisPath) {
        const int slash = std::max(base.lastIndexOf(QLatin1Char('\\')), base.lastIndexOf(QLatin1Char('/')));
        if (slash > 0) {
          const QString tail = base.mid(slash);
          int keep = slash;
          while (keep > 0 && measure(base.left(keep) + dots + tail) > width) --keep;
          l.text = base.left(keep) + dots + tail;
          l.width = measure(l.text);
          continue;
        }
      }
      int keep = int(base.size());
      if (!(cut && last && l.width <= width && !ellipsis)) {
        while (keep > 0 && measure(base.left(keep) + dots) > width) --keep;
        if (trim == StringTrimmingWord || trim == StringTrimmingEllipsisWord) {
          int w = keep;
          while (w > 0 && !base[w - 1].isSpace()) --w;
          if (w > 0) keep = w;
          while (keep > 0 && base[keep - 1].isSpace()) --keep;
        }
      }
      l.text = base.left(keep) + ((cut && last) || keep < base.size() ? dots : QString());
      l.width = measure(l.text);
    }
  }
  out.fitted = fitted;
  return out;
}

}  // namespace

struct Graphics::Impl {
  QPainter* external = nullptr;        // a painter handed to us
  std::unique_ptr<QPainter> own;        // our painter on an image
  Image* image = nullptr;
  HDC hdc = nullptr;                    // the context we draw through
  std::unique_ptr<CDC> hdcForImage;     // GetHDC on an image
  double dpiX = 96, dpiY = 96;
  bool printer = false;
  State st;
  std::vector<State> saved;
  mutable Status last = Ok;
  QTransform lastBase;  // the painter's own transform under the current operation

  QPainter* painter() {
    if (hdc) {
      CDC* dc = CDC::FromHandle(hdc);
      return dc ? dc->GetQPainter() : nullptr;
    }
    if (image) {
      if (hdcForImage) return nullptr;
      if (!own) {
        QImage& img = image->Native();
        if (img.isNull()) return nullptr;
        own = std::make_unique<QPainter>(&img);
      }
      return own.get();
    }
    return external;
  }

  double pixelsPerUnit() const {
    double ppu = 1;
    switch (st.pageUnit) {
      case UnitDisplay: ppu = printer ? dpiX / 100.0 : 1.0; break;
      case UnitPoint: ppu = dpiX / 72.0; break;
      case UnitInch: ppu = dpiX; break;
      case UnitDocument: ppu = dpiX / 300.0; break;
      case UnitMillimeter: ppu = dpiX / 25.4; break;
      default: ppu = 1; break;
    }
    return ppu * st.pageScale;
  }

  // World to device pixels of the surface (before the painter's own transform).
  QTransform worldToPixels() const {
    const double ppu = pixelsPerUnit();
    return st.world * QTransform::fromScale(ppu, ppu * (dpiY / dpiX));
  }

  bool centred() const {
    return st.pixelOffset != PixelOffsetModeHalf && st.pixelOffset != PixelOffsetModeHighQuality;
  }

  // Opens a painter state for one operation; false when there is nothing to draw on.
  QPainter* begin(bool forImage = false) {
    QPainter* p = painter();
    if (!p) {
      last = WrongState;
      return nullptr;
    }
    p->save();
    const QTransform base = p->transform();
    lastBase = base;
    if (!st.clipInfinite) {
      p->setTransform(base);
      p->setClipPath(st.clip, p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    QTransform t = worldToPixels();
    const bool aa = st.smoothing == SmoothingModeAntiAlias || st.smoothing == SmoothingModeAntiAlias8x8 ||
                    st.smoothing == SmoothingModeHighQuality;
    // Integer coordinates name pixel centres unless the half-pixel offset is asked for. Qt
    // samples aliased drawing at integer points and smooth drawing at pixel centres.
    if (!forImage) {
      if (aa && centred()) t *= QTransform::fromTranslate(0.5, 0.5);
      else if (!aa && !centred()) t *= QTransform::fromTranslate(-0.5, -0.5);
    }
    p->setTransform(t * base);
    p->setRenderHint(QPainter::Antialiasing, aa);
    p->setRenderHint(QPainter::SmoothPixmapTransform, st.interpolation != InterpolationModeNearestNeighbor);
    p->setRenderHint(QPainter::TextAntialiasing, st.textHint != TextRenderingHintSingleBitPerPixel &&
                                                   st.textHint != TextRenderingHintSingleBitPerPixelGridFit);
    p->setCompositionMode(st.compositing == CompositingModeSourceCopy ? QPainter::CompositionMode_Source
                                                                       : QPainter::CompositionMode_SourceOver);
    return p;
  }

  void end(QPainter* p) { p->restore(); }

  Status fail(Status s) const { return last = s; }

  // The scale of world units to device pixels (for pen widths and text).
  double scale() const {
    const QTransform t = worldToPixels();
    return std::sqrt(std::abs(t.determinant()));
  }

  QPen makePen(const Pen& pen, const QTransform& worldToDevice) const;
  void strokePath(QPainter* p, const Pen& pen, const QPainterPath& path);
  void drawCaps(QPainter* p, const Pen& pen, const QPainterPath& path);
  void fillPath(QPainter* p, const Brush& brush, const QPainterPath& path);
  Status stroke(const Pen* pen, const QPainterPath& path);
  Status fill(const Brush* brush, const QPainterPath& path);
  Status drawText(const WCHAR* s, INT length, const Font* font, const RectF& rect, bool atPoint,
                  const StringFormat* format, const Brush* brush);
  Status measure(const WCHAR* s, INT length, const Font* font, const RectF& rect, bool atPoint,
                 const StringFormat* format, RectF* box, INT* fitted, INT* lines) const;
  Status drawImage(Image* img, const QPolygonF& dest, const QRectF& src, const ImageAttributes* attrs);
  double emInWorld(const Font& font) const;
};

QPen Graphics::Impl::makePen(const Pen& pen, const QTransform& worldToDevice) const {
  QPen qp;
  if (const Brush* b = pen.GetBrushPtr()) qp.setBrush(b->ToQBrush(worldToDevice));
  else {
    Color c;
    pen.GetColor(&c);
    qp.setColor(gdip::ToQColor(c));
  }
  const double w = pen.GetWidth();
  if (w * scale() <= 1.0) {
    qp.setWidthF(1.0);
    qp.setCosmetic(true);
  } else {
    qp.setWidthF(w);
  }
  // One cap for both ends when they agree; other ends are drawn as shapes of their own.
  auto capOf = [](LineCap c) {
    switch (c) {
      case LineCapSquare:
      case LineCapSquareAnchor: return Qt::SquareCap;
      case LineCapRound:
      case LineCapRoundAnchor: return Qt::RoundCap;
      default: return Qt::FlatCap;
    }
  };
  const Qt::PenCapStyle start = capOf(pen.GetStartCap()), endCap = capOf(pen.GetEndCap());
  qp.setCapStyle(start == endCap ? start : Qt::FlatCap);
  switch (pen.GetLineJoin()) {
    case LineJoinBevel: qp.setJoinStyle(Qt::BevelJoin); break;
    case LineJoinRound: qp.setJoinStyle(Qt::RoundJoin); break;
    default: qp.setJoinStyle(Qt::MiterJoin); qp.setMiterLimit(pen.GetMiterLimit()); break;
  }
  const std::vector<REAL> dashes = pen.DashLengths();
  if (!dashes.empty()) {
    QList<qreal> d;
    for (REAL v : dashes) d.push_back(std::max<qreal>(v, 1e-3));
    qp.setDashPattern(d);
    qp.setDashOffset(pen.GetDashOffset());
  }
  return qp;
}

void Graphics::Impl::strokePath(QPainter* p, const Pen& pen, const QPainterPath& path) {
  p->setBrush(Qt::NoBrush);
  p->setPen(makePen(pen, p->transform()));
  p->drawPath(path);
  drawCaps(p, pen, path);
}

void Graphics::Impl::drawCaps(QPainter* p, const Pen& pen, const QPainterPath& path) {
  const LineCap start = pen.GetStartCap(), endCap = pen.GetEndCap();
  auto needs = [&](LineCap c) {
    return c == LineCapCustom || c == LineCapTriangle || (c & LineCapAnchorMask) || start != endCap;
  };
  if (!needs(start) && !needs(endCap)) return;
  const double w = std::max<double>(pen.GetWidth(), 1.0 / std::max(scale(), 1e-9));
  QBrush brush;
  if (const Brush* b = pen.GetBrushPtr()) brush = b->ToQBrush(p->transform());
  else {
    Color c;
    pen.GetColor(&c);
    brush = QBrush(gdip::ToQColor(c));
  }
  auto drawCap = [&](LineCap cap, const CustomLineCap* custom, QPointF at, QPointF dir) {
    const double len = std::hypot(dir.x(), dir.y());
    if (len <= 0) return;
    dir /= len;
    // Maps cap space (pen widths, +y beyond the end) onto the line's end.
    auto place = [&](double size) {
      return QTransform(dir.y() * size, -dir.x() * size, dir.x() * size, dir.y() * size, at.x(), at.y());
    };
    QPainterPath shape;
    QTransform t = place(w);
    switch (cap) {
      case LineCapSquare: shape.addRect(QRectF(-0.5, 0, 1, 0.5)); break;
      case LineCapRound: shape.addEllipse(QPointF(0, 0), 0.5, 0.5); break;
      case LineCapTriangle:
        shape.moveTo(-0.5, 0);
        shape.lineTo(0, 0.5);
        shape.lineTo(0.5, 0);
        shape.closeSubpath();
        break;
      case LineCapSquareAnchor: shape.addRect(QRectF(-0.75, -0.75, 1.5, 1.5)); break;
      case LineCapRoundAnchor: shape.addEllipse(QPointF(0, 0), 1.0, 1.0); break;
      case LineCapDiamondAnchor:
        shape.moveTo(0, -1);
        shape.lineTo(1, 0);
        shape.lineTo(0, 1);
        shape.lineTo(-1, 0);
        shape.closeSubpath();
        break;
      case LineCapArrowAnchor:
        // An arrow head two pen widths long and wide, its tip at the line's end.
        shape.moveTo(0, 0);
        shape.lineTo(-1, -2);
        shape.lineTo(1, -2);
        shape.closeSubpath();
        break;
      case LineCapCustom:
        if (custom) {
          t = place(w * custom->GetWidthScale());
          const QPainterPath fillShape = custom->FillShape(), strokeShape = custom->StrokeShape();
          if (!fillShape.isEmpty()) {
            p->setPen(Qt::NoPen);
            p->setBrush(brush);
            p->drawPath(t.map(fillShape));
          }
          if (!strokeShape.isEmpty()) {
            p->setBrush(Qt::NoBrush);
            QPen qp = makePen(pen, p->transform());
            qp.setCapStyle(Qt::FlatCap);
            qp.setDashPattern(QList<qreal>());
            p->setPen(qp);
            p->drawPath(t.map(strokeShape));
          }
        }
        return;
      default:
        return;
    }
    p->setPen(Qt::NoPen);
    p->setBrush(brush);
    p->drawPath(t.map(shape));
  };
  for (const QPolygonF& poly : path.toSubpathPolygons()) {
    if (poly.size() < 2) continue;
    if (poly.isClosed() && poly.size() > 2) continue;
    // Directions from the nearest distinct points.
    int i = 1;
    while (i < poly.size() - 1 && poly[i] == poly[0]) ++i;
    int k = int(poly.size()) - 2;
    while (k > 0 && poly[k] == poly.back()) --k;
    if (needs(start)) drawCap(start, pen.GetCustomStartCapPtr(), poly[0], poly[0] - poly[i]);
    if (needs(endCap)) drawCap(endCap, pen.GetCustomEndCapPtr(), poly.back(), poly.back() - poly[k]);
  }
}

void Graphics::Impl::fillPath(QPainter* p, const Brush& brush, const QPainterPath& path) {
  p->setPen(Qt::NoPen);
  p->setBrush(brush.ToQBrush(p->transform()));
  p->drawPath(path);
}

Status Graphics::Impl::stroke(const Pen* pen, const QPainterPath& path) {
  if (!pen) return fail(InvalidParameter);
  QPainter* p = begin();
  if (!p) return last;
  strokePath(p, *pen, path);
  end(p);
  return Ok;
}

Status Graphics::Impl::fill(const Brush* brush, const QPainterPath& path) {
  if (!brush) return fail(InvalidParameter);
  QPainter* p = begin();
  if (!p) return last;
  fillPath(p, *brush, path);
  end(p);
  return Ok;
}

double Graphics::Impl::emInWorld(const Font& font) const {
  if (font.GetUnit() == UnitWorld) return font.GetSize();
  // The size in pixels of the device, carried into page units (the world transform then
  // scales text like everything else).
  return font.SizeInPixels(dpiY) / pixelsPerUnit();
}

Status Graphics::Impl::measure(const WCHAR* s, INT length, const Font* font, const RectF& rect, bool atPoint,
                               const StringFormat* format, RectF* box, INT* fitted, INT* lines) const {
  if (!s || !font || !box) return fail(InvalidParameter);
  const StringFormat& f = format ? *format : *StringFormat::GenericDefault();
  const double S = std::max(scale(), 1e-6);
  const double em = emInWorld(*font) * S;
  const QFont qf = gdip::MakeQFont(*font, em);
  const QFontMetricsF fm(qf);
  const double pad = f.Typographic() ? 0 : em / 6.0;
  const QString text = QString::fromUtf16(s, LengthOf(s, length));
  const double width = atPoint ? 0 : std::max(0.0, rect.Width * S - 2 * pad);
  const TextLayout lay = Layout(text, fm, rect.Width > 0 && !atPoint ? std::max(width, 1e-3) : 0,
                                atPoint ? 0 : rect.Height * S, f);
  double w = 0;
  for (const TextLine& l : lay.lines) w = std::max(w, l.width);
  const double h = lay.lineHeight * double(lay.lines.size());
  *box = RectF(rect.X, rect.Y, REAL((w + 2 * pad) / S), REAL(h / S));
  if (!atPoint && rect.Width > 0) box->Width = std::min(box->Width, rect.Width);
  if (fitted) *fitted = lay.fitted;
  if (lines) *lines = INT(lay.lines.size());
  return Ok;
}

Status Graphics::Impl::drawText(const WCHAR* s, INT length, const Font* font, const RectF& rect, bool atPoint,
                                const StringFormat* format, const Brush* brush) {
  if (!s || !font || !brush) return fail(InvalidParameter);
  const StringFormat& f = format ? *format : *StringFormat::GenericDefault();
  const double S = std::max(scale(), 1e-6);
  const double em = emInWorld(*font) * S;
  QFont qf = gdip::MakeQFont(*font, em);
  if (st.textHint == TextRenderingHintSingleBitPerPixel || st.textHint == TextRenderingHintSingleBitPerPixelGridFit)
    qf.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  const QFontMetricsF fm(qf);
  const double pad = f.Typographic() ? 0 : em / 6.0;
  const QString text = QString::fromUtf16(s, LengthOf(s, length));
  const double boxW = rect.Width * S, boxH = rect.Height * S;
  const double width = atPoint || rect.Width <= 0 ? 0 : std::max(boxW - 2 * pad, 1e-3);
  const TextLayout lay = Layout(text, fm, width, atPoint ? 0 : std::max(0.0, boxH), f);
  const double totalH = lay.lineHeight * double(lay.lines.size());

  QPainter* p = begin();
  if (!p) return last;
  // Text is laid out in device pixels from the layout origin.
  const QTransform toWorld = p->transform();
  p->setTransform(QTransform::fromScale(1 / S, 1 / S) * QTransform::fromTranslate(rect.X, rect.Y) * toWorld);
  if (!atPoint && rect.Width > 0 && rect.Height > 0 && !(f.GetFormatFlags() & StringFormatFlagsNoClip))
    p->setClipRect(QRectF(0, 0, boxW, boxH), Qt::IntersectClip);
  double y = 0;
  const StringAlignment va = f.GetLineAlignment();
  if (atPoint) {
    if (va == StringAlignmentCenter) y = -totalH / 2;
    else if (va == StringAlignmentFar) y = -totalH;
  } else if (rect.Height > 0) {
    if (va == StringAlignmentCenter) y = (boxH - totalH) / 2;
    else if (va == StringAlignmentFar) y = boxH - totalH;
  }
  const auto* solid = dynamic_cast<const SolidBrush*>(brush);
  QColor color;
  if (solid) {
    Color c;
    solid->GetColor(&c);
    color = gdip::ToQColor(c);
  }
  const QBrush fillBrush = solid ? QBrush(color) : brush->ToQBrush(p->transform());
  p->setFont(qf);
  // On bitmaps the glyph outlines are filled, so the pixels do not depend on the platform's
  // glyph rendering; screens and printers get real text.
  DcData* dc = hdc ? DcData::Lookup(hdc) : nullptr;
  const bool outlines = image || (dc && dc->surface());
  if (outlines) p->setRenderHint(QPainter::Antialiasing, !(qf.styleStrategy() & QFont::NoAntialias));
  for (const TextLine& l : lay.lines) {
    double x = pad;
    const StringAlignment ha = f.GetAlignment();
    if (atPoint) {
      if (ha == StringAlignmentCenter) x = -l.width / 2;
      else if (ha == StringAlignmentFar) x = -l.width - pad;
    } else if (rect.Width > 0) {
      if (ha == StringAlignmentCenter) x = (boxW - l.width) / 2;
      else if (ha == StringAlignmentFar) x = boxW - pad - l.width;
    }
    const QPointF base(x, y + lay.ascent);
    if (solid && !outlines) {
      p->setPen(color);
      p->drawText(base, l.text);
    } else {
      QPainterPath glyphs;
      glyphs.addText(base, qf, l.text);
      p->fillPath(glyphs, fillBrush);
    }
    for (int u : l.underline) {
      if (u >= l.text.size()) continue;
      const double ux = x + fm.horizontalAdvance(l.text.left(u));
      p->fillRect(QRectF(ux, base.y() + fm.underlinePos(), fm.horizontalAdvance(l.text[u]), std::max(1.0, fm.lineWidth())),
                  fillBrush);
    }
    y += lay.lineHeight;
  }
  end(p);
  return Ok;
}

Status Graphics::Impl::drawImage(Image* img, const QPolygonF& dest, const QRectF& src, const ImageAttributes* attrs) {
  if (!img || img->Native().isNull() || dest.size() < 3) return fail(InvalidParameter);
  const QImage& native = img->Native();
  const QRect srcRect = src.toAlignedRect().intersected(native.rect());
  if (srcRect.isEmpty()) return fail(InvalidParameter);
  QImage part = native.copy(srcRect);
  if (attrs && (attrs->HasKey() || attrs->HasMatrix())) {
    part = part.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < part.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
      for (int x = 0; x < part.width(); ++x) {
        if (attrs->IsKeyed(line[x])) line[x] = 0;
        else line[x] = attrs->Transform(line[x]);
      }
    }
  }
  QPainter* p = begin(true);
  if (!p) return last;
  // The source rectangle onto the parallelogram dest[0] (top-left), dest[1] (top-right), dest[2] (bottom-left).
  const QPointF a = dest[0], b = dest[1], c = dest[2];
  const QTransform toDest((b.x() - a.x()) / part.width(), (b.y() - a.y()) / part.width(), (c.x() - a.x()) / part.height(),
                          (c.y() - a.y()) / part.height(), a.x(), a.y());
  p->setTransform(toDest * p->transform());
  p->drawImage(QPointF(0, 0), part);
  end(p);
  return Ok;
}

// ---- construction -------------------------------------------------------------------------

Graphics::Graphics(HDC hdc) : d(std::make_unique<Impl>()) {
  CDC* dc = CDC::FromHandle(hdc);
  if (!dc) {
    d->last = InvalidParameter;
    return;
  }
  d->hdc = hdc;
  d->dpiX = dc->GetDeviceCaps(LOGPIXELSX);
  d->dpiY = dc->GetDeviceCaps(LOGPIXELSY);
  d->printer = dc->IsPrinting();
}

Graphics::Graphics(HDC hdc, HANDLE) : Graphics(hdc) {}

Graphics::Graphics(Image* image) : d(std::make_unique<Impl>()) {
  if (!image || image->Native().isNull()) {
    d->last = InvalidParameter;
    return;
  }
  d->image = image;
  d->dpiX = image->GetHorizontalResolution();
  d->dpiY = image->GetVerticalResolution();
}

Graphics::Graphics(QPainter* painter) : d(std::make_unique<Impl>()) {
  if (!painter || !painter->isActive()) {
    d->last = InvalidParameter;
    return;
  }
  d->external = painter;
  if (QPaintDevice* dev = painter->device()) {
    if (dev->devType() != QInternal::Image && dev->devType() != QInternal::Widget) {
      d->dpiX = dev->logicalDpiX();
      d->dpiY = dev->logicalDpiY();
    }
  }
}

Graphics::~Graphics() {
  if (d->own) d->own->end();
}

Graphics* Graphics::FromHDC(HDC hdc) { return new Graphics(hdc); }
Graphics* Graphics::FromHDC(HDC hdc, HANDLE hdevice) { return new Graphics(hdc, hdevice); }
Graphics* Graphics::FromImage(Image* image) { return new Graphics(image); }

Status Graphics::Flush(FlushIntention) { return Ok; }

QPainter* Graphics::GetNativePainter(QTransform* worldToDevice) {
  QPainter* p = d->painter();
  if (p && worldToDevice) *worldToDevice = d->worldToPixels() * p->transform();
  return p;
}

HDC Graphics::GetHDC() {
  if (d->hdc) return d->hdc;
  if (d->image) {
    if (d->own) {
      d->own->end();
      d->own.reset();
    }
    d->hdcForImage = std::make_unique<CDC>();
    if (!d->hdcForImage->CreateFromPaintDevice(&d->image->Native())) {
      d->hdcForImage.reset();
      return nullptr;
    }
    return d->hdcForImage->GetSafeHdc();
  }
  return nullptr;
}

void Graphics::ReleaseHDC(HDC hdc) {
  if (d->hdcForImage && d->hdcForImage->GetSafeHdc() == hdc) d->hdcForImage.reset();
}

Status Graphics::GetLastStatus() const {
  const Status s = d->last;
  d->last = Ok;
  return s;
}

// ---- quality ------------------------------------------------------------------------------

Status Graphics::SetSmoothingMode(SmoothingMode m) {
  if (m == SmoothingModeInvalid) return d->fail(InvalidParameter);
  d->st.smoothing = m == SmoothingModeDefault || m == SmoothingModeHighSpeed ? SmoothingModeNone : m;
  return Ok;
}
SmoothingMode Graphics::GetSmoothingMode() const { return d->st.smoothing; }
Status Graphics::SetTextRenderingHint(TextRenderingHint m) { d->st.textHint = m; return Ok; }
TextRenderingHint Graphics::GetTextRenderingHint() const { return d->st.textHint; }
Status Graphics::SetTextContrast(UINT contrast) { return contrast <= 12 ? Ok : d->fail(InvalidParameter); }
Status Graphics::SetInterpolationMode(InterpolationMode m) {
  if (m == InterpolationModeInvalid) return d->fail(InvalidParameter);
  d->st.interpolation = m;
  return Ok;
}
InterpolationMode Graphics::GetInterpolationMode() const { return d->st.interpolation; }
Status Graphics::SetPixelOffsetMode(PixelOffsetMode m) {
  if (m == PixelOffsetModeInvalid) return d->fail(InvalidParameter);
  d->st.pixelOffset = m;
  return Ok;
}
PixelOffsetMode Graphics::GetPixelOffsetMode() const { return d->st.pixelOffset; }
Status Graphics::SetCompositingMode(CompositingMode m) { d->st.compositing = m; return Ok; }
CompositingMode Graphics::GetCompositingMode() const { return d->st.compositing; }
Status Graphics::SetCompositingQuality(CompositingQuality q) { d->st.compositingQuality = q; return Ok; }
CompositingQuality Graphics::GetCompositingQuality() const { return d->st.compositingQuality; }

// ---- units and transforms -----------------------------------------------------------------

Status Graphics::SetPageUnit(Unit unit) {
  if (unit == UnitWorld || unit < UnitWorld || unit > UnitMillimeter) return d->fail(InvalidParameter);
  d->st.pageUnit = unit;
  return Ok;
}
Unit Graphics::GetPageUnit() const { return d->st.pageUnit; }
Status Graphics::SetPageScale(REAL scale) {
  if (!(scale > 0) || !std::isfinite(scale)) return d->fail(InvalidParameter);
  d->st.pageScale = scale;
  return Ok;
}
REAL Graphics::GetPageScale() const { return d->st.pageScale; }
REAL Graphics::GetDpiX() const { return REAL(d->dpiX); }
REAL Graphics::GetDpiY() const { return REAL(d->dpiY); }
double Graphics::PixelsPerPageUnit() const { return d->pixelsPerUnit(); }

Status Graphics::SetTransform(const Matrix* m) {
  if (!m) return d->fail(InvalidParameter);
  d->st.world = m->ToQTransform();
  return Ok;
}
Status Graphics::GetTransform(Matrix* m) const {
  if (!m) return d->fail(InvalidParameter);
  *m = Matrix::FromQTransform(d->st.world);
  return Ok;
}
Status Graphics::ResetTransform() {
  d->st.world = QTransform();
  return Ok;
}
Status Graphics::MultiplyTransform(const Matrix* m, MatrixOrder order) {
  if (!m) return d->fail(InvalidParameter);
  d->st.world = order == MatrixOrderPrepend ? m->ToQTransform() * d->st.world : d->st.world * m->ToQTransform();
  return Ok;
}
Status Graphics::TranslateTransform(REAL dx, REAL dy, MatrixOrder order) {
  Matrix m;
  m.Translate(dx, dy);
  return MultiplyTransform(&m, order);
}
Status Graphics::ScaleTransform(REAL sx, REAL sy, MatrixOrder order) {
  Matrix m;
  m.Scale(sx, sy);
  return MultiplyTransform(&m, order);
}
Status Graphics::RotateTransform(REAL angle, MatrixOrder order) {
  Matrix m;
  m.Rotate(angle);
  return MultiplyTransform(&m, order);
}

Status Graphics::TransformPoints(CoordinateSpace dst, CoordinateSpace src, PointF* pts, INT count) const {
  if (!pts || count < 0) return d->fail(InvalidParameter);
  const double ppu = d->pixelsPerUnit();
  const QTransform page = QTransform::fromScale(ppu, ppu * d->dpiY / d->dpiX);
  auto toDevice = [&](CoordinateSpace s) {
    if (s == CoordinateSpaceWorld) return d->st.world * page;
    if (s == CoordinateSpacePage) return page;
    return QTransform();
  };
  const QTransform t = toDevice(src) * toDevice(dst).inverted();
  for (INT i = 0; i < count; ++i) {
    const QPointF q = t.map(QPointF(pts[i].X, pts[i].Y));
    pts[i] = PointF(REAL(q.x()), REAL(q.y()));
  }
  return Ok;
}

// ---- clipping -----------------------------------------------------------------------------

namespace {
Status CombineClip(State& st, const QPainterPath& worldPath, bool infinite, const QTransform& toPixels,
                   CombineMode mode) {
  Region current;
  if (!st.clipInfinite) {
    current.MakeEmpty();
    current.Combine(st.clip, false, CombineModeReplace);
  }
  const Status s = current.Combine(infinite ? QPainterPath() : toPixels.map(worldPath), infinite, mode);
  st.clipInfinite = current.IsInfinite();
  st.clip = st.clipInfinite ? QPainterPath() : current.Native();
  return s;
}
}  // namespace

Status Graphics::SetClip(const Graphics* g, CombineMode mode) {
  if (!g) return d->fail(InvalidParameter);
  return CombineClip(d->st, g->d->st.clip, g->d->st.clipInfinite, QTransform(), mode);
}
Status Graphics::SetClip(const RectF& rect, CombineMode mode) {
  return CombineClip(d->st, RectPath(rect), false, d->worldToPixels(), mode);
}
Status Graphics::SetClip(const Rect& rect, CombineMode mode) { return SetClip(RectF(rect), mode); }
Status Graphics::SetClip(const GraphicsPath* path, CombineMode mode) {
  if (!path) return d->fail(InvalidParameter);
  return CombineClip(d->st, path->Native(), false, d->worldToPixels(), mode);
}
Status Graphics::SetClip(const Region* region, CombineMode mode) {
  if (!region) return d->fail(InvalidParameter);
  return CombineClip(d->st, region->Native(), region->IsInfinite(), d->worldToPixels(), mode);
}
Status Graphics::IntersectClip(const RectF& rect) { return SetClip(rect, CombineModeIntersect); }
Status Graphics::IntersectClip(const Rect& rect) { return SetClip(rect, CombineModeIntersect); }
Status Graphics::IntersectClip(const Region* region) { return SetClip(region, CombineModeIntersect); }
Status Graphics::ExcludeClip(const RectF& rect) { return SetClip(rect, CombineModeExclude); }
Status Graphics::ExcludeClip(const Rect& rect) { return SetClip(rect, CombineModeExclude); }
Status Graphics::ExcludeClip(const Region* region) { return SetClip(region, CombineModeExclude); }
Status Graphics::ResetClip() {
  d->st.clipInfinite = true;
  d->st.clip = QPainterPath();
  return Ok;
}
Status Graphics::TranslateClip(REAL dx, REAL dy) {
  if (!d->st.clipInfinite) {
    const QPointF v = d->worldToPixels().map(QPointF(dx, dy)) - d->worldToPixels().map(QPointF(0, 0));
    d->st.clip.translate(v);
  }
  return Ok;
}
Status Graphics::GetClip(Region* region) const {
  if (!region) return d->fail(InvalidParameter);
  if (d->st.clipInfinite) return region->MakeInfinite();
  bool invertible = false;
  const QTransform back = d->worldToPixels().inverted(&invertible);
  region->MakeEmpty();
  return region->Combine(back.map(d->st.clip), false, CombineModeReplace);
}
Status Graphics::GetClipBounds(RectF* rect) const {
  if (!rect) return d->fail(InvalidParameter);
  Region r;
  GetClip(&r);
  return r.GetBounds(rect);
}
Status Graphics::GetClipBounds(Rect* rect) const {
  if (!rect) return d->fail(InvalidParameter);
  RectF f;
  GetClipBounds(&f);
  *rect = Rect(INT(std::floor(f.X)), INT(std::floor(f.Y)), INT(std::ceil(f.Width)), INT(std::ceil(f.Height)));
  return Ok;
}
Status Graphics::GetVisibleClipBounds(RectF* rect) const {
  if (!rect) return d->fail(InvalidParameter);
  QRectF device;
  if (d->image) device = QRectF(d->image->Native().rect());
  else if (d->hdc) {
    CDC* dc = CDC::FromHandle(d->hdc);
    CRect box;
    if (dc) dc->GetClipBox(&box);
    device = QRectF(box.left, box.top, box.Width(), box.Height());
  } else if (d->external && d->external->device()) {
    device = QRectF(0, 0, d->external->device()->width(), d->external->device()->height());
  }
  QPainterPath visible;
  visible.addRect(device);
  if (!d->st.clipInfinite) visible = visible.intersected(d->st.clip);
  const QRectF r = d->worldToPixels().inverted().map(visible).boundingRect();
  *rect = RectF(REAL(r.x()), REAL(r.y()), REAL(r.width()), REAL(r.height()));
  return Ok;
}
BOOL Graphics::IsClipEmpty() const { return !d->st.clipInfinite && d->st.clip.boundingRect().isEmpty(); }
BOOL Graphics::IsVisible(const PointF& point) const {
  if (d->st.clipInfinite) return TRUE;
  return d->st.clip.contains(d->worldToPixels().map(QPointF(point.X, point.Y)));
}
BOOL Graphics::IsVisible(const RectF& rect) const {
  if (d->st.clipInfinite) return TRUE;
  return d->st.clip.intersects(d->worldToPixels().map(RectPath(rect)).boundingRect());
}

GraphicsState Graphics::Save() {
  d->saved.push_back(d->st);
  return GraphicsState(d->saved.size());
}

Status Graphics::Restore(GraphicsState state) {
  if (state == 0 || state > d->saved.size()) return d->fail(InvalidParameter);
  d->st = d->saved[state - 1];
  d->saved.resize(state - 1);
  return Ok;
}

// ---- drawing ------------------------------------------------------------------------------

Status Graphics::Clear(const Color& color) {
  QPainter* p = d->begin();
  if (!p) return d->last;
  p->setCompositionMode(QPainter::CompositionMode_Source);
  p->setTransform(d->lastBase);
  // Everything the painter can reach, in its own coordinates.
  const QRectF all = d->lastBase.inverted().mapRect(QRectF(0, 0, p->device()->width(), p->device()->height()));
  p->fillRect(all, gdip::ToQColor(color));
  d->end(p);
  return Ok;
}

Status Graphics::DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
  QPainterPath path;
  path.moveTo(x1, y1);
  path.lineTo(x2, y2);
  return d->stroke(pen, path);
}
Status Graphics::DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2) {
  return DrawLine(pen, REAL(x1), REAL(y1), REAL(x2), REAL(y2));
}
Status Graphics::DrawLine(const Pen* pen, const PointF& a, const PointF& b) { return DrawLine(pen, a.X, a.Y, b.X, b.Y); }
Status Graphics::DrawLine(const Pen* pen, const Point& a, const Point& b) { return DrawLine(pen, a.X, a.Y, b.X, b.Y); }

Status Graphics::DrawLines(const Pen* pen, const PointF* points, INT count) {
  if (!points || count < 2 || count > kMaxPoints) return d->fail(InvalidParameter);
  QPainterPath path;
  path.moveTo(points[0].X, points[0].Y);
  for (INT i = 1; i < count; ++i) path.lineTo(points[i].X, points[i].Y);
  return d->stroke(pen, path);
}
Status Graphics::DrawLines(const Pen* pen, const Point* points, INT count) {
  if (!points || count < 2 || count > kMaxPoints) return d->fail(InvalidParameter);
  std::vector<PointF> f(points, points + count);
  return DrawLines(pen, f.data(), count);
}

Status Graphics::DrawArc(const Pen* pen, const RectF& rect, REAL startAngle, REAL sweepAngle) {
  GraphicsPath path;
  if (path.AddArc(rect, startAngle, sweepAngle) != Ok) return d->fail(InvalidParameter);
  return d->stroke(pen, path.Native());
}
Status Graphics::DrawArc(const Pen* pen, REAL x, REAL y, REAL w, REAL h, REAL a, REAL s) {
  return DrawArc(pen, RectF(x, y, w, h), a, s);
}
Status Graphics::DrawArc(const Pen* pen, INT x, INT y, INT w, INT h, REAL a, REAL s) {
  return DrawArc(pen, RectF(REAL(x), REAL(y), REAL(w), REAL(h)), a, s);
}

Status Graphics::DrawBezier(const Pen* pen, const PointF& a, const PointF& b, const PointF& c, const PointF& e) {
  QPainterPath path;
  path.moveTo(a.X, a.Y);
  path.cubicTo(b.X, b.Y, c.X, c.Y, e.X, e.Y);
  return d->stroke(pen, path);
}
Status Graphics::DrawBeziers(const Pen* pen, const PointF* points, INT count) {
  GraphicsPath path;
  if (path.AddBeziers(points, count) != Ok) return d->fail(InvalidParameter);
  return d->stroke(pen, path.Native());
}

Status Graphics::DrawRectangle(const Pen* pen, const RectF& r) {
  if (!pen) return d->fail(InvalidParameter);
  RectF box = r;
  if (pen->GetAlignment() == PenAlignmentInset) box.Inflate(-pen->GetWidth() / 2, -pen->GetWidth() / 2);
  return d->stroke(pen, RectPath(box));
}
Status Graphics::DrawRectangle(const Pen* pen, REAL x, REAL y, REAL w, REAL h) { return DrawRectangle(pen, RectF(x, y, w, h)); }
Status Graphics::DrawRectangle(const Pen* pen, INT x, INT y, INT w, INT h) {
  return DrawRectangle(pen, RectF(REAL(x), REAL(y), REAL(w), REAL(h)));
}
Status Graphics::DrawRectangle(const Pen* pen, const Rect& r) { return DrawRectangle(pen, RectF(r)); }
Status Graphics::DrawRectangles(const Pen* pen, const RectF* rects, INT count) {
  if (!rects || count < 0 || count > kMaxPoints) return d->fail(InvalidParameter);
  for (INT i = 0; i < count; ++i)
    if (Status s = DrawRectangle(pen, rects[i]); s != Ok) return s;
  return Ok;
}

Status Graphics::DrawEllipse(const Pen* pen, const RectF& r) {
  if (!pen) return d->fail(InvalidParameter);
  RectF box = r;
  if (pen->GetAlignment() == PenAlignmentInset) box.Inflate(-pen->GetWidth() / 2, -pen->GetWidth() / 2);
  QPainterPath path;
  path.addEllipse(QRectF(box.X, box.Y, box.Width, box.Height));
  return d->stroke(pen, path);
}
Status Graphics::DrawEllipse(const Pen* pen, REAL x, REAL y, REAL w, REAL h) { return DrawEllipse(pen, RectF(x, y, w, h)); }
Status Graphics::DrawEllipse(const Pen* pen, INT x, INT y, INT w, INT h) {
  return DrawEllipse(pen, RectF(REAL(x), REAL(y), REAL(w), REAL(h)));
}
Status Graphics::DrawEllipse(const Pen* pen, const Rect& r) { return DrawEllipse(pen, RectF(r)); }

Status Graphics::DrawPie(const Pen* pen, const RectF& rect, REAL a, REAL s) {
  GraphicsPath path;
  if (path.AddPie(rect, a, s) != Ok) return d->fail(InvalidParameter);
  return d->stroke(pen, path.Native());
}
Status Graphics::DrawPie(const Pen* pen, REAL x, REAL y, REAL w, REAL h, REAL a, REAL s) {
  return DrawPie(pen, RectF(x, y, w, h), a, s);
}

Status Graphics::DrawPolygon(const Pen* pen, const PointF* points, INT count) {
  GraphicsPath path;
  if (path.AddPolygon(points, count) != Ok) return d->fail(InvalidParameter);
  return d->stroke(pen, path.Native());
}
Status Graphics::DrawPolygon(const Pen* pen, const Point* points, INT count) {
  GraphicsPath path;
  if (path.AddPolygon(points, count) != Ok) return d->fail(InvalidParameter);
  return d->stroke(pen, path.Native());
}

Status Graphics::DrawCurve(const Pen* pen, const PointF* points, INT count, REAL tension) {
  GraphicsPath path;
  if (path.AddCurve(points, count, tension) != Ok) return d->fail(InvalidParameter);
  return d->stroke(pen, path.Native());
}
Status Graphics::DrawCurve(const Pen* pen, const Point* points, INT count, REAL tension) {
  GraphicsPath path;
  if (path.AddCurve(points, count, tension) != Ok) return d->fail(InvalidParameter);
  return d->stroke(pen, path.Native());
}
Status Graphics::DrawClosedCurve(const Pen* pen, const PointF* points, INT count, REAL tension) {
  GraphicsPath path;
  if (path.AddClosedCurve(points, count, tension) != Ok) return d->fail(InvalidParameter);
  return d->stroke(pen, path.Native());
}
Status Graphics::DrawPath(const Pen* pen, const GraphicsPath* path) {
  if (!path) return d->fail(InvalidParameter);
  return d->stroke(pen, path->Native());
}

Status Graphics::FillRectangle(const Brush* brush, const RectF& r) { return d->fill(brush, RectPath(r)); }
Status Graphics::FillRectangle(const Brush* brush, REAL x, REAL y, REAL w, REAL h) {
  return FillRectangle(brush, RectF(x, y, w, h));
}
Status Graphics::FillRectangle(const Brush* brush, INT x, INT y, INT w, INT h) {
  return FillRectangle(brush, RectF(REAL(x), REAL(y), REAL(w), REAL(h)));
}
Status Graphics::FillRectangle(const Brush* brush, const Rect& r) { return FillRectangle(brush, RectF(r)); }
Status Graphics::FillRectangles(const Brush* brush, const RectF* rects, INT count) {
  if (!rects || count < 0 || count > kMaxPoints) return d->fail(InvalidParameter);
  QPainterPath path;
  for (INT i = 0; i < count; ++i) path.addRect(QRectF(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height));
  path.setFillRule(Qt::WindingFill);
  return d->fill(brush, path);
}
Status Graphics::FillEllipse(const Brush* brush, const RectF& r) {
  QPainterPath path;
  path.addEllipse(QRectF(r.X, r.Y, r.Width, r.Height));
  return d->fill(brush, path);
}
Status Graphics::FillEllipse(const Brush* brush, REAL x, REAL y, REAL w, REAL h) {
  return FillEllipse(brush, RectF(x, y, w, h));
}
Status Graphics::FillEllipse(const Brush* brush, INT x, INT y, INT w, INT h) {
  return FillEllipse(brush, RectF(REAL(x), REAL(y), REAL(w), REAL(h)));
}
Status Graphics::FillEllipse(const Brush* brush, const Rect& r) { return FillEllipse(brush, RectF(r)); }
Status Graphics::FillPie(const Brush* brush, const RectF& rect, REAL a, REAL s) {
  GraphicsPath path;
  if (path.AddPie(rect, a, s) != Ok) return d->fail(InvalidParameter);
  return d->fill(brush, path.Native());
}
Status Graphics::FillPie(const Brush* brush, REAL x, REAL y, REAL w, REAL h, REAL a, REAL s) {
  return FillPie(brush, RectF(x, y, w, h), a, s);
}
Status Graphics::FillPolygon(const Brush* brush, const PointF* points, INT count, FillMode mode) {
  GraphicsPath path(mode);
  if (path.AddPolygon(points, count) != Ok) return d->fail(InvalidParameter);
  return d->fill(brush, path.Native());
}
Status Graphics::FillPolygon(const Brush* brush, const Point* points, INT count, FillMode mode) {
  GraphicsPath path(mode);
  if (path.AddPolygon(points, count) != Ok) return d->fail(InvalidParameter);
  return d->fill(brush, path.Native());
}
Status Graphics::FillClosedCurve(const Brush* brush, const PointF* points, INT count, FillMode mode, REAL tension) {
  GraphicsPath path(mode);
  if (path.AddClosedCurve(points, count, tension) != Ok) return d->fail(InvalidParameter);
  return d->fill(brush, path.Native());
}
Status Graphics::FillPath(const Brush* brush, const GraphicsPath* path) {
  if (!path) return d->fail(InvalidParameter);
  return d->fill(brush, path->Native());
}
Status Graphics::FillRegion(const Brush* brush, const Region* region) {
  if (!region) return d->fail(InvalidParameter);
  return d->fill(brush, region->Native());
}

// ---- text ---------------------------------------------------------------------------------

Status Graphics::DrawString(const WCHAR* s, INT length, const Font* font, const RectF& rect, const StringFormat* format,
                            const Brush* brush) {
  return d->drawText(s, length, font, rect, false, format, brush);
}
Status Graphics::DrawString(const WCHAR* s, INT length, const Font* font, const PointF& origin, const Brush* brush) {
  return d->drawText(s, length, font, RectF(origin.X, origin.Y, 0, 0), true, nullptr, brush);
}
Status Graphics::DrawString(const WCHAR* s, INT length, const Font* font, const PointF& origin,
                            const StringFormat* format, const Brush* brush) {
  return d->drawText(s, length, font, RectF(origin.X, origin.Y, 0, 0), true, format, brush);
}
Status Graphics::MeasureString(const WCHAR* s, INT length, const Font* font, const RectF& rect,
                               const StringFormat* format, RectF* box, INT* fitted, INT* lines) const {
  return d->measure(s, length, font, rect, false, format, box, fitted, lines);
}
Status Graphics::MeasureString(const WCHAR* s, INT length, const Font* font, const RectF& rect, RectF* box) const {
  return d->measure(s, length, font, rect, false, nullptr, box, nullptr, nullptr);
}
Status Graphics::MeasureString(const WCHAR* s, INT length, const Font* font, const PointF& origin, RectF* box) const {
  return d->measure(s, length, font, RectF(origin.X, origin.Y, 0, 0), true, nullptr, box, nullptr, nullptr);
}
Status Graphics::MeasureString(const WCHAR* s, INT length, const Font* font, const PointF& origin,
                               const StringFormat* format, RectF* box) const {
  return d->measure(s, length, font, RectF(origin.X, origin.Y, 0, 0), true, format, box, nullptr, nullptr);
}
Status Graphics::MeasureString(const WCHAR* s, INT length, const Font* font, const SizeF& area,
                               const StringFormat* format, SizeF* size, INT* fitted, INT* lines) const {
  if (!size) return d->fail(InvalidParameter);
  RectF box;
  const Status st = d->measure(s, length, font, RectF(0, 0, area.Width, area.Height), false, format, &box, fitted, lines);
  *size = SizeF(box.Width, box.Height);
  return st;
}

// ---- images -------------------------------------------------------------------------------

Status Graphics::DrawImage(Image* image, REAL x, REAL y) {
  if (!image) return d->fail(InvalidParameter);
  // The physical size: the image's resolution against the device's, in page units.
  const double w = image->GetWidth() * d->dpiX / std::max<double>(image->GetHorizontalResolution(), 1) / d->pixelsPerUnit();
  const double h = image->GetHeight() * d->dpiY / std::max<double>(image->GetVerticalResolution(), 1) / d->pixelsPerUnit();
  return DrawImage(image, RectF(x, y, REAL(w), REAL(h)));
}
Status Graphics::DrawImage(Image* image, INT x, INT y) { return DrawImage(image, REAL(x), REAL(y)); }
Status Graphics::DrawImage(Image* image, const PointF& p) { return DrawImage(image, p.X, p.Y); }
Status Graphics::DrawImage(Image* image, const Point& p) { return DrawImage(image, REAL(p.X), REAL(p.Y)); }
Status Graphics::DrawImage(Image* image, const RectF& r) {
  if (!image) return d->fail(InvalidParameter);
  return DrawImage(image, r, 0, 0, REAL(image->GetWidth()), REAL(image->GetHeight()), UnitPixel);
}
Status Graphics::DrawImage(Image* image, REAL x, REAL y, REAL w, REAL h) { return DrawImage(image, RectF(x, y, w, h)); }
Status Graphics::DrawImage(Image* image, INT x, INT y, INT w, INT h) {
  return DrawImage(image, RectF(REAL(x), REAL(y), REAL(w), REAL(h)));
}
Status Graphics::DrawImage(Image* image, const Rect& r) { return DrawImage(image, RectF(r)); }
Status Graphics::DrawImage(Image* image, const PointF* pts, INT count) {
  if (!image || !pts || count != 3) return d->fail(InvalidParameter);
  QPolygonF dest;
  for (INT i = 0; i < 3; ++i) dest << QPointF(pts[i].X, pts[i].Y);
  return d->drawImage(image, dest, QRectF(0, 0, image->GetWidth(), image->GetHeight()), nullptr);
}
Status Graphics::DrawImage(Image* image, REAL x, REAL y, REAL sx, REAL sy, REAL sw, REAL sh, Unit unit) {
  if (!image) return d->fail(InvalidParameter);
  const double ppu = d->pixelsPerUnit();
  return DrawImage(image, RectF(x, y, REAL(sw / ppu), REAL(sh / ppu)), sx, sy, sw, sh, unit);
}
Status Graphics::DrawImage(Image* image, const RectF& r, REAL sx, REAL sy, REAL sw, REAL sh, Unit unit,
                           const ImageAttributes* attrs, void*, void*) {
  if (!image || (unit != UnitPixel && unit != UnitWorld) || sw <= 0 || sh <= 0) return d->fail(InvalidParameter);
  QPolygonF dest;
  dest << QPointF(r.X, r.Y) << QPointF(r.GetRight(), r.Y) << QPointF(r.X, r.GetBottom());
  return d->drawImage(image, dest, QRectF(sx, sy, sw, sh), attrs);
}
Status Graphics::DrawImage(Image* image, const Rect& r, INT sx, INT sy, INT sw, INT sh, Unit unit,
                           const ImageAttributes* attrs, void* cb, void* cbData) {
  return DrawImage(image, RectF(r), REAL(sx), REAL(sy), REAL(sw), REAL(sh), unit, attrs, cb, cbData);
}

}  // namespace Gdiplus
