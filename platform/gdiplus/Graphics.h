#pragma once
// A drawing surface of the GDI+ layer over a QPainter: on a device context, on an image or
// on a painter of our own. Coordinates pass through the world transform, then the page
// unit and scale; by default integer coordinates name pixel centres, as the original's.

#include <memory>

#include "platform/gdiplus/GdiplusTypes.h"

class QPainter;
class QTransform;

namespace Gdiplus {

class Brush;
class Font;
class GraphicsPath;
class Image;
class ImageAttributes;
class Matrix;
class Pen;
class Region;
class StringFormat;

class Graphics {
public:
  explicit Graphics(HDC hdc);
  Graphics(HDC hdc, HANDLE hdevice);
  explicit Graphics(Image* image);
  // Draws through a painter someone else began; the painter must outlive the graphics.
  explicit Graphics(QPainter* painter);
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;
  ~Graphics();

  static Graphics* FromHDC(HDC hdc);
  static Graphics* FromHDC(HDC hdc, HANDLE hdevice);
  static Graphics* FromImage(Image* image);

  Status Flush(FlushIntention intention = FlushIntentionFlush);
  // The painter under the graphics (null when there is none) and the transform from world
  // coordinates to its device pixels (page unit, scale and the painter's own transform
  // included), for code that draws with Qt directly; the painter's state is the caller's to
  // save and restore.
  QPainter* GetNativePainter(QTransform* worldToDevice = nullptr);
  // A device context on the same surface, to be given back with ReleaseHDC before the
  // graphics draws again.
  HDC GetHDC();
  void ReleaseHDC(HDC hdc);

  // ---- quality ----
  Status SetSmoothingMode(SmoothingMode smoothingMode);
  SmoothingMode GetSmoothingMode() const;
  Status SetTextRenderingHint(TextRenderingHint newMode);
  TextRenderingHint GetTextRenderingHint() const;
  Status SetTextContrast(UINT contrast);
  Status SetInterpolationMode(InterpolationMode interpolationMode);
  InterpolationMode GetInterpolationMode() const;
  Status SetPixelOffsetMode(PixelOffsetMode pixelOffsetMode);
  PixelOffsetMode GetPixelOffsetMode() const;
  Status SetCompositingMode(CompositingMode compositingMode);
  CompositingMode GetCompositingMode() const;
  Status SetCompositingQuality(CompositingQuality compositingQuality);
  CompositingQuality GetCompositingQuality() const;

  // ---- units and transforms ----
  Status SetPageUnit(Unit unit);
  Unit GetPageUnit() const;
  Status SetPageScale(REAL scale);
  REAL GetPageScale() const;
  REAL GetDpiX() const;
  REAL GetDpiY() const;
  // Device pixels per page unit (page unit and scale together).
  double PixelsPerPageUnit() const;
  Status SetTransform(const Matrix* matrix);
  Status GetTransform(Matrix* matrix) const;
  Status ResetTransform();
  Status MultiplyTransform(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
  Status TranslateTransform(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
  Status ScaleTransform(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);
  Status RotateTransform(REAL angle, MatrixOrder order = MatrixOrderPrepend);
  Status TransformPoints(CoordinateSpace destSpace, CoordinateSpace srcSpace, PointF* pts, INT count) const;

  // ---- clipping (kept in device space: later transforms do not move it) ----
  Status SetClip(const Graphics* g, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const RectF& rect, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const Rect& rect, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const GraphicsPath* path, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const Region* region, CombineMode combineMode = CombineModeReplace);
  Status IntersectClip(const RectF& rect);
  Status IntersectClip(const Rect& rect);
  Status IntersectClip(const Region* region);
  Status ExcludeClip(const RectF& rect);
  Status ExcludeClip(const Rect& rect);
  Status ExcludeClip(const Region* region);
  Status ResetClip();
  Status TranslateClip(REAL dx, REAL dy);
  Status GetClip(Region* region) const;
  Status GetClipBounds(RectF* rect) const;
  Status GetClipBounds(Rect* rect) const;
  Status GetVisibleClipBounds(RectF* rect) const;
  BOOL IsClipEmpty() const;
  BOOL IsVisible(const PointF& point) const;
  BOOL IsVisible(REAL x, REAL y) const { return IsVisible(PointF(x, y)); }
  BOOL IsVisible(const RectF& rect) const;

  GraphicsState Save();
  Status Restore(GraphicsState state);
  GraphicsContainer BeginContainer() { return Save(); }
  Status EndContainer(GraphicsContainer state) { return Restore(state); }

  // ---- drawing ----
  Status Clear(const Color& color);
  Status DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
  Status DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2);
  Status DrawLine(const Pen* pen, const PointF& pt1, const PointF& pt2);
  Status DrawLine(const Pen* pen, const Point& pt1, const Point& pt2);
  Status DrawLines(const Pen* pen, const PointF* points, INT count);
  Status DrawLines(const Pen* pen, const Point* points, INT count);
  Status DrawArc(const Pen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  Status DrawArc(const Pen* pen, const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status DrawArc(const Pen* pen, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);
  Status DrawBezier(const Pen* pen, const PointF& pt1, const PointF& pt2, const PointF& pt3, const PointF& pt4);
  Status DrawBeziers(const Pen* pen, const PointF* points, INT count);
  Status DrawRectangle(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
  Status DrawRectangle(const Pen* pen, INT x, INT y, INT width, INT height);
  Status DrawRectangle(const Pen* pen, const RectF& rect);
  Status DrawRectangle(const Pen* pen, const Rect& rect);
  Status DrawRectangles(const Pen* pen, const RectF* rects, INT count);
  Status DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
  Status DrawEllipse(const Pen* pen, INT x, INT y, INT width, INT height);
  Status DrawEllipse(const Pen* pen, const RectF& rect);
  Status DrawEllipse(const Pen* pen, const Rect& rect);
  Status DrawPie(const Pen* pen, const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status DrawPie(const Pen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  Status DrawPolygon(const Pen* pen, const PointF* points, INT count);
  Status DrawPolygon(const Pen* pen, const Point* points, INT count);
  Status DrawCurve(const Pen* pen, const PointF* points, INT count, REAL tension = 0.5f);
  Status DrawCurve(const Pen* pen, const Point* points, INT count, REAL tension = 0.5f);
  Status DrawClosedCurve(const Pen* pen, const PointF* points, INT count, REAL tension = 0.5f);
  Status DrawPath(const Pen* pen, const GraphicsPath* path);

  Status FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
  Status FillRectangle(const Brush* brush, INT x, INT y, INT width, INT height);
  Status FillRectangle(const Brush* brush, const RectF& rect);
  Status FillRectangle(const Brush* brush, const Rect& rect);
  Status FillRectangles(const Brush* brush, const RectF* rects, INT count);
  Status FillEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
  Status FillEllipse(const Brush* brush, INT x, INT y, INT width, INT height);
  Status FillEllipse(const Brush* brush, const RectF& rect);
  Status FillEllipse(const Brush* brush, const Rect& rect);
  Status FillPie(const Brush* brush, const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status FillPie(const Brush* brush, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  Status FillPolygon(const Brush* brush, const PointF* points, INT count, FillMode fillMode = FillModeAlternate);
  Status FillPolygon(const Brush* brush, const Point* points, INT count, FillMode fillMode = FillModeAlternate);
  Status FillClosedCurve(const Brush* brush, const PointF* points, INT count, FillMode fillMode = FillModeAlternate,
                         REAL tension = 0.5f);
  Status FillPath(const Brush* brush, const GraphicsPath* path);
  Status FillRegion(const Brush* brush, const Region* region);

  // ---- text ----
  Status DrawString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                    const StringFormat* stringFormat, const Brush* brush);
  Status DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin, const Brush* brush);
  Status DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                    const StringFormat* stringFormat, const Brush* brush);
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                       const StringFormat* stringFormat, RectF* boundingBox, INT* codepointsFitted = nullptr,
                       INT* linesFilled = nullptr) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                       RectF* boundingBox) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                       RectF* boundingBox) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                       const StringFormat* stringFormat, RectF* boundingBox) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const SizeF& layoutRectSize,
                       const StringFormat* stringFormat, SizeF* size, INT* codepointsFitted = nullptr,
                       INT* linesFilled = nullptr) const;

  // ---- images ----
  // Without a size the image is drawn at its physical size (its resolution against the device's).
  Status DrawImage(Image* image, REAL x, REAL y);
  Status DrawImage(Image* image, INT x, INT y);
  Status DrawImage(Image* image, const PointF& point);
  Status DrawImage(Image* image, const Point& point);
  Status DrawImage(Image* image, REAL x, REAL y, REAL width, REAL height);
  Status DrawImage(Image* image, INT x, INT y, INT width, INT height);
  Status DrawImage(Image* image, const RectF& rect);
  Status DrawImage(Image* image, const Rect& rect);
  Status DrawImage(Image* image, const PointF* destPoints, INT count);
  Status DrawImage(Image* image, REAL x, REAL y, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, Unit srcUnit);
  Status DrawImage(Image* image, const RectF& destRect, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight,
                   Unit srcUnit, const ImageAttributes* imageAttributes = nullptr, void* callback = nullptr,
                   void* callbackData = nullptr);
  Status DrawImage(Image* image, const Rect& destRect, INT srcx, INT srcy, INT srcwidth, INT srcheight, Unit srcUnit,
                   const ImageAttributes* imageAttributes = nullptr, void* callback = nullptr,
                   void* callbackData = nullptr);

  Status GetLastStatus() const;

private:
  struct Impl;
  std::unique_ptr<Impl> d;
};

}  // namespace Gdiplus
