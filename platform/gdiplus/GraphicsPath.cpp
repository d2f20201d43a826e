#include "platform/gdiplus/GraphicsPath.h"

#include <cmath>

#include <QtGui/QPainterPath>
#include <QtGui/QPainterPathStroker>
#include <QtGui/QTransform>

#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/FontFamily.h"
#include "platform/gdiplus/GdiplusPrivate.h"
#include "platform/gdiplus/Matrix.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/StringFormat.h"

namespace Gdiplus {

namespace {
constexpr INT kMaxPoints = 1 << 24;
}

GraphicsPath::GraphicsPath(FillMode fillMode) : m_path(std::make_unique<QPainterPath>()) {
  m_path->setFillRule(fillMode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
}

GraphicsPath::GraphicsPath(const GraphicsPath& other)
    : m_path(std::make_unique<QPainterPath>(*other.m_path)), m_newFigure(other.m_newFigure) {}

GraphicsPath::~GraphicsPath() = default;

const QPainterPath& GraphicsPath::Native() const { return *m_path; }

Status GraphicsPath::Reset() {
  const Qt::FillRule rule = m_path->fillRule();
  *m_path = QPainterPath();
  m_path->setFillRule(rule);
  m_newFigure = true;
  return Ok;
}

FillMode GraphicsPath::GetFillMode() const {
  return m_path->fillRule() == Qt::WindingFill ? FillModeWinding : FillModeAlternate;
}

Status GraphicsPath::SetFillMode(FillMode fillMode) {
  m_path->setFillRule(fillMode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
  return Ok;
}

Status GraphicsPath::StartFigure() {
  m_newFigure = true;
  return Ok;
}

Status GraphicsPath::CloseFigure() {
  if (!m_path->isEmpty()) m_path->closeSubpath();
  m_newFigure = true;
  return Ok;
}

Status GraphicsPath::CloseAllFigures() {
  // Qt closes figures as they end; closing the last one covers what is still open.
  return CloseFigure();
}

void GraphicsPath::Begin(double x, double y) {
  if (m_newFigure || m_path->isEmpty()) m_path->moveTo(x, y);
  else m_path->lineTo(x, y);
  m_newFigure = false;
}

Status GraphicsPath::AddLine(const PointF& a, const PointF& b) {
  Begin(a.X, a.Y);
  m_path->lineTo(b.X, b.Y);
  return Ok;
}
Status GraphicsPath::AddLine(REAL x1, REAL y1, REAL x2, REAL y2) { return AddLine(PointF(x1, y1), PointF(x2, y2)); }
Status GraphicsPath::AddLine(INT x1, INT y1, INT x2, INT y2) {
  return AddLine(PointF(REAL(x1), REAL(y1)), PointF(REAL(x2), REAL(y2)));
}

Status GraphicsPath::AddLines(const PointF* points, INT count) {
  if (!points || count < 1 || count > kMaxPoints) return m_status = InvalidParameter;
  Begin(points[0].X, points[0].Y);
  for (INT i = 1; i < count; ++i) m_path->lineTo(points[i].X, points[i].Y);
  return Ok;
}

Status GraphicsPath::AddLines(const Point* points, INT count) {
  if (!points || count < 1 || count > kMaxPoints) return m_status = InvalidParameter;
  std::vector<PointF> f(points, points + count);
  return AddLines(f.data(), count);
}

Status GraphicsPath::AddArc(const RectF& rect, REAL startAngle, REAL sweepAngle) {
  if (rect.Width <= 0 || rect.Height <= 0) return m_status = InvalidParameter;
  const QRectF box(rect.X, rect.Y, rect.Width, rect.Height);
  double a0, sweep;
  gdip::QtArcAngles(box, startAngle, sweepAngle, a0, sweep);
  QPainterPath arc;
  arc.arcMoveTo(box, a0);
  const QPointF start = arc.currentPosition();
  Begin(start.x(), start.y());
  m_path->arcTo(box, a0, sweep);
  return Ok;
}
Status GraphicsPath::AddArc(REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep) {
  return AddArc(RectF(x, y, w, h), start, sweep);
}

Status GraphicsPath::AddBezier(const PointF& p1, const PointF& p2, const PointF& p3, const PointF& p4) {
  Begin(p1.X, p1.Y);
  m_path->cubicTo(p2.X, p2.Y, p3.X, p3.Y, p4.X, p4.Y);
  return Ok;
}

Status GraphicsPath::AddBeziers(const PointF* points, INT count) {
  if (!points || count < 4 || (count - 1) % 3 != 0 || count > kMaxPoints) return m_status = InvalidParameter;
  Begin(points[0].X, points[0].Y);
  for (INT i = 1; i + 2 < count; i += 3)
    m_path->cubicTo(points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y, points[i + 2].X, points[i + 2].Y);
  return Ok;
}

Status GraphicsPath::AddCurve(const PointF* points, INT count, REAL tension) {
  if (!points || count < 2 || count > kMaxPoints) return m_status = InvalidParameter;
  Begin(points[0].X, points[0].Y);
  gdip::AppendCardinal(*m_path, points, count, tension, false);
  return Ok;
}

Status GraphicsPath::AddCurve(const Point* points, INT count, REAL tension) {
  if (!points || count < 2 || count > kMaxPoints) return m_status = InvalidParameter;
  std::vector<PointF> f(points, points + count);
  return AddCurve(f.data(), count, tension);
}

Status GraphicsPath::AddClosedCurve(const PointF* points, INT count, REAL tension) {
  if (!points || count < 3 || count > kMaxPoints) return m_status = InvalidParameter;
  m_path->moveTo(points[0].X, points[0].Y);
  gdip::AppendCardinal(*m_path, points, count, tension, true);
  m_path->closeSubpath();
  m_newFigure = true;
  return Ok;
}

Status GraphicsPath::AddRectangle(const RectF& r) {
  m_path->addRect(QRectF(r.X, r.Y, r.Width, r.Height));
  m_newFigure = true;
  return Ok;
}
Status GraphicsPath::AddRectangle(const Rect& r) { return AddRectangle(RectF(r)); }

Status GraphicsPath::AddRectangles(const RectF* rects, INT count) {
  if (!rects || count < 0 || count > kMaxPoints) return m_status = InvalidParameter;
  for (INT i = 0; i < count; ++i) AddRectangle(rects[i]);
  return Ok;
}

Status GraphicsPath::AddEllipse(const RectF& r) {
  m_path->addEllipse(QRectF(r.X, r.Y, r.Width, r.Height));
  m_newFigure = true;
  return Ok;
}
Status GraphicsPath::AddEllipse(REAL x, REAL y, REAL w, REAL h) { return AddEllipse(RectF(x, y, w, h)); }

Status GraphicsPath::AddPie(const RectF& rect, REAL startAngle, REAL sweepAngle) {
  if (rect.Width <= 0 || rect.Height <= 0) return m_status = InvalidParameter;
  const QRectF box(rect.X, rect.Y, rect.Width, rect.Height);
  double a0, sweep;
  gdip::QtArcAngles(box, startAngle, sweepAngle, a0, sweep);
  m_path->moveTo(box.center());
  m_path->arcTo(box, a0, sweep);
  m_path->closeSubpath();
  m_newFigure = true;
  return Ok;
}

Status GraphicsPath::AddPolygon(const PointF* points, INT count) {
  if (!points || count < 2 || count > kMaxPoints) return m_status = InvalidParameter;
  m_path->moveTo(points[0].X, points[0].Y);
  for (INT i = 1; i < count; ++i) m_path->lineTo(points[i].X, points[i].Y);
  m_path->closeSubpath();
  m_newFigure = true;
  return Ok;
}

Status GraphicsPath::AddPolygon(const Point* points, INT count) {
  if (!points || count < 2 || count > kMaxPoints) return m_status = InvalidParameter;
  std::vector<PointF> f(points, points + count);
  return AddPolygon(f.data(), count);
}

Status GraphicsPath::AddPath(const GraphicsPath* adding, BOOL connect) {
  if (!adding) return m_status = InvalidParameter;
  if (connect && !m_newFigure && !m_path->isEmpty()) m_path->connectPath(adding->Native());
  else m_path->addPath(adding->Native());
  m_newFigure = true;
  return Ok;
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                               const PointF& origin, const StringFormat*) {
  if (!string || !family || emSize <= 0) return m_status = InvalidParameter;
  if (length < 0) {
    length = 0;
    while (string[length]) ++length;
  }
  Font font(family, emSize, style, UnitPixel);
  QFont qf = gdip::MakeQFont(font, emSize);
  QPainterPath text;
  text.addText(QPointF(origin.X, origin.Y + QFontMetricsF(qf).ascent()), qf, QString::fromUtf16(string, length));
  m_path->addPath(text);
  m_newFigure = true;
  return Ok;
}

Status GraphicsPath::Transform(const Matrix* matrix) {
  if (!matrix) return m_status = InvalidParameter;
  const Qt::FillRule rule = m_path->fillRule();
  *m_path = matrix->ToQTransform().map(*m_path);
  m_path->setFillRule(rule);
  return Ok;
}

Status GraphicsPath::GetBounds(RectF* bounds, const Matrix* matrix, const Pen* pen) const {
  if (!bounds) return m_status = InvalidParameter;
  QPainterPath p = matrix ? matrix->ToQTransform().map(*m_path) : *m_path;
  QRectF r = p.boundingRect();
  if (pen) {
    const double w = pen->GetWidth() / 2.0;
    r.adjust(-w, -w, w, w);
  }
  *bounds = RectF(REAL(r.x()), REAL(r.y()), REAL(r.width()), REAL(r.height()));
  return Ok;
}

Status GraphicsPath::GetBounds(Rect* bounds, const Matrix* matrix, const Pen* pen) const {
  if (!bounds) return m_status = InvalidParameter;
  RectF f;
  GetBounds(&f, matrix, pen);
  const int l = int(std::floor(f.X)), t = int(std::floor(f.Y));
  *bounds = Rect(l, t, int(std::ceil(f.GetRight())) - l, int(std::ceil(f.GetBottom())) - t);
  return Ok;
}

INT GraphicsPath::GetPointCount() const { return INT(m_path->elementCount()); }

Status GraphicsPath::GetLastPoint(PointF* lastPoint) const {
  if (!lastPoint || m_path->isEmpty()) return m_status = InvalidParameter;
  const QPointF p = m_path->currentPosition();
  *lastPoint = PointF(REAL(p.x()), REAL(p.y()));
  return Ok;
}

BOOL GraphicsPath::IsVisible(const PointF& point) const { return m_path->contains(QPointF(point.X, point.Y)); }

BOOL GraphicsPath::IsOutlineVisible(const PointF& point, const Pen* pen) const {
  if (!pen) return FALSE;
  QPainterPathStroker stroker;
  stroker.setWidth(std::max<double>(pen->GetWidth(), 1.0));
  return stroker.createStroke(*m_path).contains(QPointF(point.X, point.Y));
}

Status GraphicsPath::Flatten(const Matrix* matrix, REAL) {
  QPainterPath p = matrix ? matrix->ToQTransform().map(*m_path) : *m_path;
  QPainterPath flat;
  flat.setFillRule(m_path->fillRule());
  for (const QPolygonF& poly : p.toSubpathPolygons()) flat.addPolygon(poly);
  *m_path = flat;
  return Ok;
}

Status GraphicsPath::Widen(const Pen* pen, const Matrix* matrix, REAL) {
  if (!pen) return m_status = InvalidParameter;
  QPainterPathStroker stroker;
  stroker.setWidth(std::max<double>(pen->GetWidth(), 1.0));
  QPainterPath p = stroker.createStroke(matrix ? matrix->ToQTransform().map(*m_path) : *m_path);
  p.setFillRule(Qt::WindingFill);
  *m_path = p;
  return Ok;
}

}  // namespace Gdiplus
