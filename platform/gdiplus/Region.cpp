#include "platform/gdiplus/Region.h"

#include <QtGui/QPainterPath>
#include <QtGui/QTransform>

#include "platform/gdi/CRgn.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/GdiObjectData.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/Matrix.h"

namespace Gdiplus {

namespace {

// Stands for "everywhere" when an infinite region takes part in path arithmetic.
QPainterPath Huge() {
  QPainterPath p;
  p.addRect(QRectF(-4194304.0, -4194304.0, 8388608.0, 8388608.0));
  return p;
}

QPainterPath RectPath(const RectF& r) {
  QPainterPath p;
  p.addRect(QRectF(r.X, r.Y, r.Width, r.Height));
  return p;
}

}  // namespace

Region::Region() : m_path(std::make_unique<QPainterPath>()), m_infinite(true) {}
Region::Region(const RectF& rect) : m_path(std::make_unique<QPainterPath>(RectPath(rect))) {}
Region::Region(const Rect& rect) : Region(RectF(rect)) {}
Region::Region(const GraphicsPath* path) : m_path(std::make_unique<QPainterPath>()) {
  if (path) *m_path = path->Native();
  else m_status = InvalidParameter;
}
Region::Region(HRGN hRgn) : m_path(std::make_unique<QPainterPath>()) {
  GdiObjectData* d = gdi::Lookup(hRgn, GdiKind::Region);
  if (!d) {
    m_status = InvalidParameter;
    return;
  }
  for (const QRect& r : d->region) m_path->addRect(QRectF(r));
  *m_path = m_path->simplified();
}

Region::Region(const Region& other)
    : m_path(std::make_unique<QPainterPath>(*other.m_path)), m_infinite(other.m_infinite) {}
Region::~Region() = default;

QPainterPath Region::Native() const { return m_infinite ? Huge() : *m_path; }

Status Region::MakeInfinite() {
  *m_path = QPainterPath();
  m_infinite = true;
  return Ok;
}

Status Region::MakeEmpty() {
  *m_path = QPainterPath();
  m_infinite = false;
  return Ok;
}

Status Region::Combine(const QPainterPath& other, bool otherInfinite, CombineMode mode) {
  const QPainterPath a = Native(), b = otherInfinite ? Huge() : other;
  switch (mode) {
    case CombineModeReplace:
      *m_path = other;
      m_infinite = otherInfinite;
      return Ok;
    case CombineModeIntersect:
      if (m_infinite) {
        *m_path = other;
        m_infinite = otherInfinite;
      } else if (!otherInfinite) {
        *m_path = a.intersected(b);
      }
      return Ok;
    case CombineModeUnion:
      if (m_infinite || otherInfinite) return MakeInfinite();
      *m_path = a.united(b);
      return Ok;
    case CombineModeXor:
      *m_path = a.united(b).subtracted(a.intersected(b));
      m_infinite = false;
      return Ok;
    case CombineModeExclude:
      *m_path = a.subtracted(b);
      m_infinite = false;
      return Ok;
    case CombineModeComplement:
      *m_path = b.subtracted(a);
      m_infinite = false;
      return Ok;
  }
  return m_status = InvalidParameter;
}

Status Region::Intersect(const RectF& r) { return Combine(RectPath(r), false, CombineModeIntersect); }
Status Region::Intersect(const Region* r) { return r ? Combine(*r->m_path, r->m_infinite, CombineModeIntersect) : InvalidParameter; }
Status Region::Intersect(const GraphicsPath* p) { return p ? Combine(p->Native(), false, CombineModeIntersect) : InvalidParameter; }
Status Region::Union(const RectF& r) { return Combine(RectPath(r), false, CombineModeUnion); }
Status Region::Union(const Region* r) { return r ? Combine(*r->m_path, r->m_infinite, CombineModeUnion) : InvalidParameter; }
Status Region::Union(const GraphicsPath* p) { return p ? Combine(p->Native(), false, CombineModeUnion) : InvalidParameter; }
Status Region::Xor(const RectF& r) { return Combine(RectPath(r), false, CombineModeXor); }
Status Region::Xor(const Region* r) { return r ? Combine(*r->m_path, r->m_infinite, CombineModeXor) : InvalidParameter; }
Status Region::Exclude(const RectF& r) { return Combine(RectPath(r), false, CombineModeExclude); }
Status Region::Exclude(const Region* r) { return r ? Combine(*r->m_path, r->m_infinite, CombineModeExclude) : InvalidParameter; }
Status Region::Exclude(const GraphicsPath* p) { return p ? Combine(p->Native(), false, CombineModeExclude) : InvalidParameter; }
Status Region::Complement(const Region* r) { return r ? Combine(*r->m_path, r->m_infinite, CombineModeComplement) : InvalidParameter; }

Status Region::Translate(REAL dx, REAL dy) {
  if (!m_infinite) m_path->translate(dx, dy);
  return Ok;
}

Status Region::Transform(const Matrix* matrix) {
  if (!matrix) return m_status = InvalidParameter;
  if (!m_infinite) *m_path = matrix->ToQTransform().map(*m_path);
  return Ok;
}

Status Region::GetBounds(RectF* rect, const Graphics*) const {
  if (!rect) return InvalidParameter;
  const QRectF r = Native().boundingRect();
  *rect = RectF(REAL(r.x()), REAL(r.y()), REAL(r.width()), REAL(r.height()));
  return Ok;
}

Status Region::GetBounds(Rect* rect, const Graphics*) const {
  if (!rect) return InvalidParameter;
  const QRect r = Native().boundingRect().toAlignedRect();
  *rect = Rect(r.x(), r.y(), r.width(), r.height());
  return Ok;
}

BOOL Region::IsEmpty(const Graphics*) const { return !m_infinite && m_path->boundingRect().isEmpty(); }

HRGN Region::GetHRGN(const Graphics* g) const {
  if (m_infinite) return nullptr;  // as the original: null stands for everywhere
  QPainterPath p = *m_path;
  if (g) {
    // World to device pixels through the graphics' transform and page unit.
    Matrix m;
    g->GetTransform(&m);
    const double ppu = g->PixelsPerPageUnit();
    p = (m.ToQTransform() * QTransform::fromScale(ppu, ppu)).map(p);
  }
  HRGN h = ::CreateRectRgn(0, 0, 0, 0);
  QRegion region;
  for (const QPolygonF& poly : p.toFillPolygons()) region = region.xored(QRegion(poly.toPolygon(), p.fillRule()));
  gdi::Lookup(h, GdiKind::Region)->region = region;
  return h;
}

BOOL Region::IsVisible(const PointF& p, const Graphics*) const {
  return m_infinite || m_path->contains(QPointF(p.X, p.Y));
}

BOOL Region::Equals(const Region* region, const Graphics*) const {
  if (!region) return FALSE;
  if (m_infinite || region->m_infinite) return m_infinite == region->m_infinite;
  const QPainterPath x = m_path->united(*region->m_path).subtracted(m_path->intersected(*region->m_path));
  return x.boundingRect().width() * x.boundingRect().height() < 1e-6;
}

}  // namespace Gdiplus
