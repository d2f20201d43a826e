#pragma once
// A chain of points taken as one curve (the geometry of a polyline): point i lies at parameter
// i and the curve runs straight between neighbours.

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaCurveEnt2d.h"

class RuVaArrayPnt2d : public RuVaCurveEnt2d {
public:
  RuVaArrayPnt2d() = default;
  explicit RuVaArrayPnt2d(const KcArrayOfGePnt2d& points) : m_points(points) {}

  const KcArrayOfGePnt2d& Sequence() const { return m_points; }
  KcArrayOfGePnt2d& Sequence() { return m_points; }
  void SetSequence(const KcArrayOfGePnt2d& points) { m_points = points; }
  INT_PTR GetPointCount() const { return m_points.GetSize(); }

  int GetEntityType() const override { return kPointSequence; }
  RuVaArrayPnt2d* Clone() const override { return new RuVaArrayPnt2d(*this); }
  // At least two finite points.
  BOOL IsDone() const override;
  // The same points in the same or the reverse order.
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  BOOL Transform(const RuVaGTrsf2d& t) override;
  RuVaBndBox2d GetBndBox() const override { return m_points.GetBndBox(); }
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override { return 0.0; }
  double LastParameter() const override { return m_points.GetSize() > 0 ? static_cast<double>(m_points.GetSize() - 1) : 0.0; }
  // Parameters outside the chain are refused.
  BOOL D0(double u, RuVaPnt2d& p) const override;
  // The derivative is that of the segment that starts at floor(u) (the last segment at the end).
  BOOL D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const override;

private:
  // Segment index and local fraction of a parameter; FALSE outside the chain.
  BOOL Locate(double u, INT_PTR& index, double& fraction) const;

  KcArrayOfGePnt2d m_points;
};
