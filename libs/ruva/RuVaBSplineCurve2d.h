#pragma once
// A (possibly rational, possibly periodic) B-spline curve given by its poles, weights, distinct
// knots with multiplicities and degree, in the curve kernel's convention, so that both evaluate
// the same points at the same parameters. Periodic curves evaluate at any parameter; others only
// within their range.

#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaCurveEnt2d.h"

class RuVaBSplineCurve2d : public RuVaCurveEnt2d {
public:
  static constexpr int kMaxDegree = 25;

  RuVaBSplineCurve2d() = default;
  // Weights may be empty (a polynomial curve); otherwise one per pole.
  RuVaBSplineCurve2d(const KcArrayOfGePnt2d& poles, const std::vector<double>& weights,
                     const std::vector<double>& knots, const std::vector<int>& multiplicities, int degree,
                     BOOL periodic = FALSE);

  const KcArrayOfGePnt2d& GetPoles() const { return m_poles; }
  const std::vector<double>& GetWeights() const { return m_weights; }
  const std::vector<double>& GetKnots() const { return m_knots; }
  const std::vector<int>& GetMultiplicities() const { return m_mults; }
  int GetDegree() const { return m_degree; }
  BOOL IsPeriodic() const { return m_periodic; }
  BOOL IsRational() const { return !m_weights.empty(); }

  int GetEntityType() const override { return kBSplineCurve; }
  RuVaBSplineCurve2d* Clone() const override { return new RuVaBSplineCurve2d(*this); }
  // The data describe a valid curve: degree 1..25, strictly increasing knots, multiplicities that
  // add up to the number of poles, more poles than the degree, positive weights, finite values.
  BOOL IsDone() const override;
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  // Affine maps act on the poles.
  BOOL Transform(const RuVaGTrsf2d& t) override;
  // The box of the poles, which holds the curve.
  RuVaBndBox2d GetBndBox() const override { return m_poles.GetBndBox(); }
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override;
  double LastParameter() const override;
  BOOL IsClosed(double tolerance = RuVaTol::kDefaultLinear) const override;
  BOOL D0(double u, RuVaPnt2d& p) const override { return Evaluate(u, &p, nullptr); }
  BOOL D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const override { return Evaluate(u, &p, &d1); }

private:
  BOOL Evaluate(double u, RuVaPnt2d* p, RuVaVec2d* d1) const;

  KcArrayOfGePnt2d m_poles;
  std::vector<double> m_weights;
  std::vector<double> m_knots;
  std::vector<int> m_mults;
  int m_degree = 0;
  BOOL m_periodic = FALSE;
};
