#include "platform/gdiplus/Matrix.h"

#include <cmath>

#include <QtGui/QTransform>

namespace Gdiplus {

Matrix::Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) : m_{m11, m12, m21, m22, dx, dy} {}

Matrix::Matrix(const RectF& rect, const PointF* dstplg) {
  if (!dstplg || rect.Width == 0 || rect.Height == 0) {
    m_status = InvalidParameter;
    return;
  }
  const double sx = 1.0 / rect.Width, sy = 1.0 / rect.Height;
  m_[0] = (dstplg[1].X - dstplg[0].X) * sx;
  m_[1] = (dstplg[1].Y - dstplg[0].Y) * sx;
  m_[2] = (dstplg[2].X - dstplg[0].X) * sy;
  m_[3] = (dstplg[2].Y - dstplg[0].Y) * sy;
  m_[4] = dstplg[0].X - rect.X * m_[0] - rect.Y * m_[2];
  m_[5] = dstplg[0].Y - rect.X * m_[1] - rect.Y * m_[3];
}

Status Matrix::GetElements(REAL* m) const {
  if (!m) return m_status = InvalidParameter;
  for (int i = 0; i < 6; ++i) m[i] = REAL(m_[i]);
  return Ok;
}

Status Matrix::SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  m_[0] = m11, m_[1] = m12, m_[2] = m21, m_[3] = m22, m_[4] = dx, m_[5] = dy;
  return Ok;
}

Status Matrix::Reset() { return SetElements(1, 0, 0, 1, 0, 0); }

// a * b with row vectors (a applied first).
static void Mul(const double* a, const double* b, double* out) {
  double r[6];
  r[0] = a[0] * b[0] + a[1] * b[2];
  r[1] = a[0] * b[1] + a[1] * b[3];
  r[2] = a[2] * b[0] + a[3] * b[2];
  r[3] = a[2] * b[1] + a[3] * b[3];
  r[4] = a[4] * b[0] + a[5] * b[2] + b[4];
  r[5] = a[4] * b[1] + a[5] * b[3] + b[5];
  for (int i = 0; i < 6; ++i) out[i] = r[i];
}

Status Matrix::Combine(const double* o, MatrixOrder order) {
  if (order == MatrixOrderPrepend) Mul(o, m_, m_);
  else Mul(m_, o, m_);
  return Ok;
}

Status Matrix::Multiply(const Matrix* matrix, MatrixOrder order) {
  if (!matrix) return m_status = InvalidParameter;
  return Combine(matrix->m_, order);
}

Status Matrix::Translate(REAL x, REAL y, MatrixOrder order) {
  const double t[6] = {1, 0, 0, 1, x, y};
  return Combine(t, order);
}

Status Matrix::Scale(REAL x, REAL y, MatrixOrder order) {
  const double t[6] = {x, 0, 0, y, 0, 0};
  return Combine(t, order);
}

Status Matrix::Rotate(REAL angle, MatrixOrder order) {
  const double a = angle * M_PI / 180.0, c = std::cos(a), s = std::sin(a);
  const double t[6] = {c, s, -s, c, 0, 0};
  return Combine(t, order);
}

Status Matrix::RotateAt(REAL angle, const PointF& center, MatrixOrder order) {
  if (order == MatrixOrderPrepend) {
    Translate(center.X, center.Y, order);
    Rotate(angle, order);
    return Translate(-center.X, -center.Y, order);
  }
  Translate(-center.X, -center.Y, order);
  Rotate(angle, order);
  return Translate(center.X, center.Y, order);
}

Status Matrix::Shear(REAL x, REAL y, MatrixOrder order) {
  const double t[6] = {1, y, x, 1, 0, 0};
  return Combine(t, order);
}

Status Matrix::Invert() {
  const double det = m_[0] * m_[3] - m_[1] * m_[2];
  if (det == 0 || !std::isfinite(det)) return m_status = InvalidParameter;
  double r[6];
  r[0] = m_[3] / det;
  r[1] = -m_[1] / det;
  r[2] = -m_[2] / det;
  r[3] = m_[0] / det;
  r[4] = -(m_[4] * r[0] + m_[5] * r[2]);
  r[5] = -(m_[4] * r[1] + m_[5] * r[3]);
  for (int i = 0; i < 6; ++i) m_[i] = r[i];
  return Ok;
}

Status Matrix::TransformPoints(PointF* pts, INT count) const {
  if (!pts || count < 0) return m_status = InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    const double x = pts[i].X, y = pts[i].Y;
    pts[i].X = REAL(x * m_[0] + y * m_[2] + m_[4]);
    pts[i].Y = REAL(x * m_[1] + y * m_[3] + m_[5]);
  }
  return Ok;
}

Status Matrix::TransformPoints(Point* pts, INT count) const {
  if (!pts || count < 0) return m_status = InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    const double x = pts[i].X, y = pts[i].Y;
    pts[i].X = INT(std::lround(x * m_[0] + y * m_[2] + m_[4]));
    pts[i].Y = INT(std::lround(x * m_[1] + y * m_[3] + m_[5]));
  }
  return Ok;
}

Status Matrix::TransformVectors(PointF* pts, INT count) const {
  if (!pts || count < 0) return m_status = InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    const double x = pts[i].X, y = pts[i].Y;
    pts[i].X = REAL(x * m_[0] + y * m_[2]);
    pts[i].Y = REAL(x * m_[1] + y * m_[3]);
  }
  return Ok;
}

BOOL Matrix::IsInvertible() const {
  const double det = m_[0] * m_[3] - m_[1] * m_[2];
  return det != 0 && std::isfinite(det);
}

BOOL Matrix::IsIdentity() const {
  return m_[0] == 1 && m_[1] == 0 && m_[2] == 0 && m_[3] == 1 && m_[4] == 0 && m_[5] == 0;
}

BOOL Matrix::Equals(const Matrix* matrix) const {
  if (!matrix) return FALSE;
  for (int i = 0; i < 6; ++i)
    if (std::abs(m_[i] - matrix->m_[i]) > 1e-6) return FALSE;
  return TRUE;
}

QTransform Matrix::ToQTransform() const { return QTransform(m_[0], m_[1], m_[2], m_[3], m_[4], m_[5]); }

Matrix Matrix::FromQTransform(const QTransform& t) {
  return Matrix(REAL(t.m11()), REAL(t.m12()), REAL(t.m21()), REAL(t.m22()), REAL(t.dx()), REAL(t.dy()));
}

}  // namespace Gdiplus
