#pragma once
// A semi-infinite line from its start point in its direction; parameters run from 0.

#include "libs/ruva/RuVaLine2d.h"

class RuVaHalfLine2d : public RuVaCurveEnt2d {
public:
  RuVaHalfLine2d() = default;
  RuVaHalfLine2d(const RuVaPnt2d& start, const RuVaDir2d& direction) : m_line(start, direction) {}

  // FALSE, and unchanged, when the vector has no direction.
  BOOL Set(const RuVaPnt2d& start, const RuVaVec2d& direction) { return m_line.Set(start, direction); }
  // From a start point through a second point.
  BOOL Set(const RuVaPnt2d& start, const RuVaPnt2d& through) { return m_line.Set(start, through); }

  const RuVaPnt2d& Location() const { return m_line.Location(); }
  const RuVaDir2d& Direction() const { return m_line.Direction(); }
  const RuVaLine2d& Line() const { return m_line; }

  int GetEntityType() const override { return kHalfLine; }
  RuVaHalfLine2d* Clone() const override { return new RuVaHalfLine2d(*this); }
  BOOL IsDone() const override { return m_line.IsDone(); }
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  BOOL Transform(const RuVaGTrsf2d& t) override { return m_line.Transform(t); }
  RuVaBndBox2d GetBndBox() const override;
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override { return 0.0; }
  double LastParameter() const override { return RuVa::Infinite(); }
  BOOL IsClosed(double = RuVaTol::kDefaultLinear) const override { return FALSE; }
  BOOL D0(double u, RuVaPnt2d& p) const override { return m_line.D0(u, p); }
  BOOL D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const override { return m_line.D1(u, p, d1); }
  RuVaCurveEnt2d* CreateBasisCurve() const override { return m_line.Clone(); }

private:
  RuVaLine2d m_line;
};
