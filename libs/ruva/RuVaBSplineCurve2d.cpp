#include "libs/ruva/RuVaBSplineCurve2d.h"

#include "platform/afx/CArchive.h"
#include <algorithm>
#include <array>
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

namespace {

struct Homogeneous {
  double x, y, w;
};

// de Boor's algorithm on the p + 1 control points of one span; knots[i] holds the flat knot
// k - p + 1 + i (2p of them) for the span [knots[p - 1], knots[p]).
Homogeneous DeBoor(std::array<Homogeneous, RuVaBSplineCurve2d::kMaxDegree + 1> d, const double* knots, int p, double u)
{
  for (int r = 1; r <= p; ++r) {
    for (int j = p; j >= r; --j) {
      const double lo = knots[j - 1], hi = knots[j - r + p];
      const double a = hi > lo ? (u - lo) / (hi - lo) : 0.0;
      d[j].x = (1.0 - a) * d[j - 1].x + a * d[j].x;
      d[j].y = (1.0 - a) * d[j - 1].y + a * d[j].y;
      d[j].w = (1.0 - a) * d[j - 1].w + a * d[j].w;
    }
  }
  return d[p];
}

}  // namespace

BOOL RuVaBSplineCurve2d::Evaluate(double u, RuVaPnt2d* out, RuVaVec2d* d1) const
{
  if (!std::isfinite(u) || !IsDone())
    return FALSE;
  const int p = m_degree;
  const long long n = m_poles.GetSize();
  // One period (periodic) or the whole (open) expanded knot sequence.
  std::vector<double> flat;
  for (size_t i = 0; i + (m_periodic ? 1 : 0) < m_knots.size(); ++i)
    flat.insert(flat.end(), static_cast<size_t>(m_mults[i]), m_knots[i]);
  const double period = m_knots.back() - m_knots.front();
  // The flat knot j of the (periodically extended) sequence.
  auto knot = [&](long long j) -> double {
    if (!m_periodic)
      return flat[static_cast<size_t>(std::clamp<long long>(j, 0, static_cast<long long>(flat.size()) - 1))];
    const long long q = ((j % n) + n) % n;
    return flat[static_cast<size_t>(q)] + static_cast<double>((j - q) / n) * period;
  };
  // The pole that goes with the basis function starting at flat knot j.
  const long long shift = m_periodic ? p + 1 - m_mults.front() : 0;
  auto pole = [&](long long j) -> Homogeneous {
    const long long q = m_periodic ? (((j + shift) % n) + n) % n : j;
    const double w = m_weights.empty() ? 1.0 : m_weights[static_cast<size_t>(q)];
    const RuVaPnt2d& pt = m_poles[static_cast<INT_PTR>(q)];
    return Homogeneous{pt.X() * w, pt.Y() * w, w};
  };

  // The span k with knot(k) <= u < knot(k + 1).
  long long k = 0;
  if (m_periodic) {
    u = m_knots.front() + std::fmod(u - m_knots.front(), period);
    if (u < m_knots.front())
      u += period;
    k = static_cast<long long>(std::upper_bound(flat.begin(), flat.end(), u) - flat.begin()) - 1;
  } else {
    const double first = FirstParameter(), last = LastParameter();
    const double slack = 1e-12 * std::max(1.0, last - first);
    if (u < first - slack || u > last + slack)
      return FALSE;
    u = std::clamp(u, first, last);
    k = static_cast<long long>(std::upper_bound(flat.begin(), flat.end(), u) - flat.begin()) - 1;
    k = std::clamp<long long>(k, p, n - 1);
    while (k > p && !(knot(k) < knot(k + 1)))
      --k;  // at the very end: the last span of non-zero length
  }

  std::array<Homogeneous, kMaxDegree + 1> ctrl{};
  std::array<double, 2 * kMaxDegree> local{};
  for (int j = 0; j <= p; ++j)
    ctrl[j] = pole(k - p + j);
  for (int i = 0; i < 2 * p; ++i)
    local[i] = knot(k - p + 1 + i);
  const Homogeneous h = DeBoor(ctrl, local.data(), p, u);
  if (!(h.w != 0.0))
    return FALSE;
  const RuVaPnt2d point(h.x / h.w, h.y / h.w);
  if (out)
    *out = point;
  if (d1) {
    // The derivative curve: degree p - 1 over Q_j = p (H_(j+1) - H_j) / (t_(j+p+1) - t_(j+1)).
    std::array<Homogeneous, kMaxDegree + 1> q{};
    for (int j = 0; j < p; ++j) {
      const long long g = k - p + j;
      const double span = knot(g + p + 1) - knot(g + 1);
      const Homogeneous a = ctrl[j], b = ctrl[j + 1];
      const double f = span > 0.0 ? p / span : 0.0;
      q[j] = Homogeneous{(b.x - a.x) * f, (b.y - a.y) * f, (b.w - a.w) * f};
    }
    const Homogeneous dh = DeBoor(q, local.data() + 1, p - 1, u);
    // (A / w)' = (A' - w' C) / w
    d1->SetCoord((dh.x - dh.w * point.X()) / h.w, (dh.y - dh.w * point.Y()) / h.w);
  }
  return TRUE;
}
