#pragma once
// An area in world units (possibly infinite), used for clipping and fills.

#include <memory>

#include "platform/gdiplus/GdiplusTypes.h"

class QPainterPath;

namespace Gdiplus {

class Graphics;
class GraphicsPath;
class Matrix;

class Region {
public:
  Region();  // infinite
  explicit Region(const RectF& rect);
  explicit Region(const Rect& rect);
  explicit Region(const GraphicsPath* path);
  // A GDI region (device units taken as world units).
  explicit Region(HRGN hRgn);
  static Region* FromHRGN(HRGN hRgn) { return new Region(hRgn); }
  Region(const Region& other);
  Region& operator=(const Region&) = delete;
  ~Region();
  Region* Clone() const { return new Region(*this); }

  Status MakeInfinite();
  Status MakeEmpty();
  Status Intersect(const RectF& rect);
  Status Intersect(const Region* region);
  Status Intersect(const GraphicsPath* path);
  Status Union(const RectF& rect);
  Status Union(const Region* region);
  Status Union(const GraphicsPath* path);
  Status Xor(const RectF& rect);
  Status Xor(const Region* region);
  Status Exclude(const RectF& rect);
  Status Exclude(const Region* region);
  Status Exclude(const GraphicsPath* path);
  Status Complement(const Region* region);
  Status Translate(REAL dx, REAL dy);
  Status Transform(const Matrix* matrix);
  Status GetBounds(RectF* rect, const Graphics* g = nullptr) const;
  Status GetBounds(Rect* rect, const Graphics* g = nullptr) const;
  BOOL IsEmpty(const Graphics* g = nullptr) const;
  // A new GDI region of the area in the graphics' device pixels (the caller deletes it).
  HRGN GetHRGN(const Graphics* g) const;
  BOOL IsInfinite(const Graphics* g = nullptr) const { return m_infinite; }
  BOOL IsVisible(const PointF& point, const Graphics* g = nullptr) const;
  BOOL IsVisible(REAL x, REAL y, const Graphics* g = nullptr) const { return IsVisible(PointF(x, y), g); }
  BOOL Equals(const Region* region, const Graphics* g = nullptr) const;
  Status GetLastStatus() const { return m_status; }

  // The area as a path; an infinite region gives a very large rectangle.
  QPainterPath Native() const;
  Status Combine(const QPainterPath& other, bool otherInfinite, CombineMode mode);

private:
  std::unique_ptr<QPainterPath> m_path;
  bool m_infinite = false;
  Status m_status = Ok;
};

}  // namespace Gdiplus
