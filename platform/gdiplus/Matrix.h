#pragma once
// An affine transform: points are row vectors, p' = p * M, as GDI+ multiplies.

#include "platform/gdiplus/GdiplusTypes.h"

class QTransform;

namespace Gdiplus {

class Matrix {
public:
  Matrix() = default;
  Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
  // The transform taking rect onto the parallelogram with corners dstplg[0..2] (top-left,
  // top-right, bottom-left).
  Matrix(const RectF& rect, const PointF* dstplg);

  Matrix* Clone() const { return new Matrix(*this); }
  Status GetElements(REAL* m) const;
  Status SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
  REAL OffsetX() const { return REAL(m_[4]); }
  REAL OffsetY() const { return REAL(m_[5]); }
  Status Reset();
  Status Multiply(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
  Status Translate(REAL offsetX, REAL offsetY, MatrixOrder order = MatrixOrderPrepend);
  Status Scale(REAL scaleX, REAL scaleY, MatrixOrder order = MatrixOrderPrepend);
  // Degrees, clockwise on the screen (y down).
  Status Rotate(REAL angle, MatrixOrder order = MatrixOrderPrepend);
  Status RotateAt(REAL angle, const PointF& center, MatrixOrder order = MatrixOrderPrepend);
  Status Shear(REAL shearX, REAL shearY, MatrixOrder order = MatrixOrderPrepend);
  Status Invert();
  Status TransformPoints(PointF* pts, INT count = 1) const;
  Status TransformPoints(Point* pts, INT count = 1) const;
  Status TransformVectors(PointF* pts, INT count = 1) const;
  BOOL IsInvertible() const;
  BOOL IsIdentity() const;
  BOOL Equals(const Matrix* matrix) const;
  Status GetLastStatus() const { return m_status; }

  QTransform ToQTransform() const;
  static Matrix FromQTransform(const QTransform& t);

private:
  Status Combine(const double* o, MatrixOrder order);
  double m_[6] = {1, 0, 0, 1, 0, 0};
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
