#pragma once
// A path of figures (lines, arcs, curves, closed shapes) in world units.

#include <memory>

#include "platform/gdiplus/GdiplusTypes.h"

class QPainterPath;

namespace Gdiplus {

class FontFamily;
class Matrix;
class Pen;
class StringFormat;

class GraphicsPath {
public:
  explicit GraphicsPath(FillMode fillMode = FillModeAlternate);
  GraphicsPath(const GraphicsPath& other);
  GraphicsPath& operator=(const GraphicsPath&) = delete;
  ~GraphicsPath();
  GraphicsPath* Clone() const { return new GraphicsPath(*this); }

  Status Reset();
  FillMode GetFillMode() const;
  Status SetFillMode(FillMode fillMode);
  Status StartFigure();
  Status CloseFigure();
  Status CloseAllFigures();

  Status AddLine(const PointF& pt1, const PointF& pt2);
  Status AddLine(REAL x1, REAL y1, REAL x2, REAL y2);
  Status AddLine(INT x1, INT y1, INT x2, INT y2);
  Status AddLines(const PointF* points, INT count);
  Status AddLines(const Point* points, INT count);
  // Angles in degrees, clockwise from the x axis.
  Status AddArc(const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  Status AddBezier(const PointF& pt1, const PointF& pt2, const PointF& pt3, const PointF& pt4);
  Status AddBeziers(const PointF* points, INT count);
  // A cardinal spline through the points (tension 0 draws straight lines).
  Status AddCurve(const PointF* points, INT count, REAL tension = 0.5f);
  Status AddCurve(const Point* points, INT count, REAL tension = 0.5f);
  Status AddClosedCurve(const PointF* points, INT count, REAL tension = 0.5f);
  Status AddRectangle(const RectF& rect);
  Status AddRectangle(const Rect& rect);
  Status AddRectangles(const RectF* rects, INT count);
  Status AddEllipse(const RectF& rect);
  Status AddEllipse(REAL x, REAL y, REAL width, REAL height);
  Status AddPie(const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status AddPolygon(const PointF* points, INT count);
  Status AddPolygon(const Point* points, INT count);
  Status AddPath(const GraphicsPath* addingPath, BOOL connect);
  // The outlines of a text's glyphs, emSize in world units, laid out from origin.
  Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                   const PointF& origin, const StringFormat* format);

  Status Transform(const Matrix* matrix);
  Status GetBounds(RectF* bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
  Status GetBounds(Rect* bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
  INT GetPointCount() const;
  Status GetLastPoint(PointF* lastPoint) const;
  BOOL IsVisible(const PointF& point) const;
  BOOL IsVisible(REAL x, REAL y) const { return IsVisible(PointF(x, y)); }
  BOOL IsOutlineVisible(const PointF& point, const Pen* pen) const;
  Status Flatten(const Matrix* matrix = nullptr, REAL flatness = 0.25f);
  Status Widen(const Pen* pen, const Matrix* matrix = nullptr, REAL flatness = 0.25f);
  Status GetLastStatus() const { return m_status; }

  const QPainterPath& Native() const;

private:
  // Starts a segment at p: joined to the figure so far unless a new figure begins.
  void Begin(double x, double y);
  std::unique_ptr<QPainterPath> m_path;
  bool m_newFigure = true;
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
