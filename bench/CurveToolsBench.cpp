// Throughput of the curve tools' closed-form intersection and projection against the kernel's
// general algorithms on the same inputs. Each benchmark runs over a fixed set of random pairs so
// that branches are not all alike; items per second counts pairs (or points) handled.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include <Geom2dAPI_InterCurveCurve.hxx>
#include <Geom2dAPI_ProjectPointOnCurve.hxx>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"
#include "libs/zuruda/KcOcConv.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"

namespace {

constexpr int kPairs = 512;

struct Pair {
  std::unique_ptr<RuVaCurveEnt2d> a, b;
  Handle(Geom2d_Curve) oa, ob;
};

std::unique_ptr<RuVaCurveEnt2d> RandomSegment(std::mt19937& rng)
{
  std::uniform_real_distribution<double> u(-100.0, 100.0);
  return std::make_unique<RuVaLineSeg2d>(RuVaPnt2d(u(rng), u(rng)), RuVaPnt2d(u(rng), u(rng)));
}

std::unique_ptr<RuVaCurveEnt2d> RandomArc(std::mt19937& rng)
{
  std::uniform_real_distribution<double> c(-50.0, 50.0), r(10.0, 80.0), a(0.0, RuVa::TwoPi);
  return std::make_unique<RuVaArc2d>(RuVaPnt2d(c(rng), c(rng)), r(rng), a(rng), a(rng), rng() % 2 ? 1 : -1);
}

// Pairs of the given kinds: 0 segment, 1 arc.
const std::vector<Pair>& Pairs(int kindA, int kindB)
{
  static std::vector<Pair> cache[2][2];
  std::vector<Pair>& pairs = cache[kindA][kindB];
  if (pairs.empty()) {
    std::mt19937 rng(12345 + kindA * 2 + kindB);
    for (int i = 0; i < kPairs; ++i) {
      Pair p;
      p.a = kindA ? RandomArc(rng) : RandomSegment(rng);
      p.b = kindB ? RandomArc(rng) : RandomSegment(rng);
      p.oa = KcOcConv::ConvertToOcCurve(*p.a);
      p.ob = KcOcConv::ConvertToOcCurve(*p.b);
      pairs.push_back(std::move(p));
    }
  }
  return pairs;
}

void ClosedForm(benchmark::State& state, int kindA, int kindB)
{
  const std::vector<Pair>& pairs = Pairs(kindA, kindB);
  long found = 0;
  for (auto _ : state) {
    for (const Pair& p : pairs) {
      KcInterCurveCurve2d inter(*p.a, *p.b);
      found += inter.NbPoints();
    }
  }
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pairs.size()));
}

void Kernel(benchmark::State& state, int kindA, int kindB)
{
  const std::vector<Pair>& pairs = Pairs(kindA, kindB);
  long found = 0;
  Geom2dAPI_InterCurveCurve inter;
  for (auto _ : state) {
    for (const Pair& p : pairs) {
      inter.Init(p.oa, p.ob, 1e-7);
      found += inter.NbPoints();
    }
  }
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pairs.size()));
}

void BM_LineLine_ClosedForm(benchmark::State& s) { ClosedForm(s, 0, 0); }
void BM_LineLine_Kernel(benchmark::State& s) { Kernel(s, 0, 0); }
void BM_LineArc_ClosedForm(benchmark::State& s) { ClosedForm(s, 0, 1); }
void BM_LineArc_Kernel(benchmark::State& s) { Kernel(s, 0, 1); }
void BM_ArcArc_ClosedForm(benchmark::State& s) { ClosedForm(s, 1, 1); }
void BM_ArcArc_Kernel(benchmark::State& s) { Kernel(s, 1, 1); }

// Projection of random points on the first curve of each pair.
void Project(benchmark::State& state, int kind, bool kernel)
{
  const std::vector<Pair>& pairs = Pairs(kind, kind);
  std::mt19937 rng(99);
  std::uniform_real_distribution<double> u(-120.0, 120.0);
  std::vector<RuVaPnt2d> points;
  for (int i = 0; i < kPairs; ++i)
    points.emplace_back(u(rng), u(rng));
  double sum = 0.0;
  Geom2dAPI_ProjectPointOnCurve proj;
  for (auto _ : state) {
    for (size_t i = 0; i < pairs.size(); ++i) {
      if (kernel) {
        proj.Init(KcOcConv::KcToOcPnt2d(points[i]), pairs[i].oa);
        if (proj.NbPoints() > 0)
          sum += proj.LowerDistanceParameter();
      } else {
        KcProjectPointOnCurve2d p(points[i], *pairs[i].a);
        if (p.NbPoints() > 0)
          sum += p.LowerDistanceParameter();
      }
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pairs.size()));
}

void BM_ProjectOnSegment_ClosedForm(benchmark::State& s) { Project(s, 0, false); }
void BM_ProjectOnSegment_Kernel(benchmark::State& s) { Project(s, 0, true); }
void BM_ProjectOnArc_ClosedForm(benchmark::State& s) { Project(s, 1, false); }
void BM_ProjectOnArc_Kernel(benchmark::State& s) { Project(s, 1, true); }

}  // namespace

BENCHMARK(BM_LineLine_ClosedForm);
BENCHMARK(BM_LineLine_Kernel);
BENCHMARK(BM_LineArc_ClosedForm);
BENCHMARK(BM_LineArc_Kernel);
BENCHMARK(BM_ArcArc_ClosedForm);
BENCHMARK(BM_ArcArc_Kernel);
BENCHMARK(BM_ProjectOnSegment_ClosedForm);
BENCHMARK(BM_ProjectOnSegment_Kernel);
BENCHMARK(BM_ProjectOnArc_ClosedForm);
BENCHMARK(BM_ProjectOnArc_Kernel);

BENCHMARK_MAIN();
