#include "libs/ruva/RuVaBSplineCurve2d.h"

#include "platform/afx/CArchive.h"
#include <cmath>

RuVaBSplineCurve2d::RuVaBSplineCurve2d(const KcArrayOfGePnt2d& poles, const std::vector<double>& weights,
                                       const std::vector<double>& knots, const std::vector<int>& multiplicities,
                                       int degree, BOOL periodic)
    : m_poles(poles), m_weights(weights), m_knots(knots), m_mults(multiplicities), m_degree(degree),
      m_periodic(periodic ? TRUE : FALSE)
{
}

BOOL RuVaBSplineCurve2d::IsDone() const
{
  const size_t nPoles = static_cast<size_t>(m_poles.GetSize());
  if (m_degree < 1 || m_degree > kMaxDegree || nPoles < 2 || m_knots.size() < 2 || m_knots.size() != m_mults.size())
    return FALSE;
  if (!m_weights.empty() && m_weights.size() != nPoles)
    return FALSE;
  for (const RuVaPnt2d& p : m_poles)
    if (!p.IsFinite())
      return FALSE;
  for (double w : m_weights)
    if (!std::isfinite(w) || !(w > 0.0))
      return FALSE;
  for (size_t i = 0; i < m_knots.size(); ++i) {
    if (!std::isfinite(m_knots[i]) || (i > 0 && !(m_knots[i] > m_knots[i - 1])))
      return FALSE;
  }
  long long sum = 0;
  const size_t last = m_mults.size() - 1;
  for (size_t i = 0; i < m_mults.size(); ++i) {
    const int m = m_mults[i];
    const bool end = i == 0 || i == last;
    if (m < 1 || m > m_degree + ((end && !m_periodic) ? 1 : 0))
      return FALSE;
    sum += m;
  }
  if (m_periodic) {
    // The first and last multiplicities describe the same knot and must agree.
    if (m_mults.front() != m_mults.back())
      return FALSE;
    return sum - m_mults.back() == static_cast<long long>(nPoles) && nPoles > static_cast<size_t>(m_degree);
  }
  return sum == static_cast<long long>(nPoles) + m_degree + 1 && nPoles > static_cast<size_t>(m_degree);
}

BOOL RuVaBSplineCurve2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kBSplineCurve)
    return FALSE;
  const RuVaBSplineCurve2d& o = static_cast<const RuVaBSplineCurve2d&>(other);
  if (m_degree != o.m_degree || m_periodic != o.m_periodic || m_mults != o.m_mults ||
      m_knots.size() != o.m_knots.size() || m_weights.size() != o.m_weights.size() ||
      !m_poles.IsEqual(o.m_poles, tol.Linear()))
    return FALSE;
  for (size_t i = 0; i < m_knots.size(); ++i)
    if (std::fabs(m_knots[i] - o.m_knots[i]) > tol.Linear())
      return FALSE;
  for (size_t i = 0; i < m_weights.size(); ++i)
    if (std::fabs(m_weights[i] - o.m_weights[i]) > tol.Linear())
      return FALSE;
  return TRUE;
}

BOOL RuVaBSplineCurve2d::Transform(const RuVaGTrsf2d& t)
{
  m_poles.Transform(t);
  return TRUE;
}

namespace {

// The flat knot at a 0-based position of the expanded knot sequence.
double FlatKnot(const std::vector<double>& knots, const std::vector<int>& mults, long long position)
{
  long long seen = 0;
  for (size_t i = 0; i < knots.size(); ++i) {
    seen += mults[i];
    if (position < seen)
      return knots[i];
  }
  return knots.empty() ? 0.0 : knots.back();
}

}  // namespace

double RuVaBSplineCurve2d::FirstParameter() const
{
  if (m_knots.empty())
    return 0.0;
  if (m_periodic || !IsDone())
    return m_knots.front();
  return FlatKnot(m_knots, m_mults, m_degree);
}

double RuVaBSplineCurve2d::LastParameter() const
{
  if (m_knots.empty())
    return 0.0;
  if (m_periodic || !IsDone())
    return m_knots.back();
  return FlatKnot(m_knots, m_mults, m_poles.GetSize());
}

BOOL RuVaBSplineCurve2d::IsClosed(double tolerance) const
{
  if (!IsDone())
    return FALSE;
  if (m_periodic)
    return TRUE;
  // With full end multiplicities the curve starts and ends on its end poles.
  if (m_mults.front() == m_degree + 1 && m_mults.back() == m_degree + 1)
    return m_poles[0].IsEqual(m_poles[m_poles.GetSize() - 1], tolerance);
  return FALSE;
}

void RuVaBSplineCurve2d::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar << m_poles;
    ar.WriteCount(m_weights.size());
    for (double w : m_weights)
      ar << w;
    ar.WriteCount(m_knots.size());
    for (size_t i = 0; i < m_knots.size(); ++i)
      ar << m_knots[i] << (i < m_mults.size() ? m_mults[i] : 0);
    ar << m_degree << static_cast<BYTE>(m_periodic ? 1 : 0);
    return;
  }
  KcArrayOfGePnt2d poles;
  ar >> poles;
  const DWORD_PTR nWeights = ar.ReadCount();
  ar.EnsureReadable(static_cast<ULONGLONG>(nWeights) * sizeof(double));
  std::vector<double> weights(nWeights);
  for (double& w : weights)
    ar >> w;
  const DWORD_PTR nKnots = ar.ReadCount();
  ar.EnsureReadable(static_cast<ULONGLONG>(nKnots) * (sizeof(double) + sizeof(int)));
  std::vector<double> knots(nKnots);
  std::vector<int> mults(nKnots);
  for (size_t i = 0; i < nKnots; ++i)
    ar >> knots[i] >> mults[i];
  int degree = 0;
  BYTE periodic = 0;
  ar >> degree >> periodic;
  *this = RuVaBSplineCurve2d(poles, weights, knots, mults, degree, periodic != 0);
}
