// The tangent-circle and tangent-arc constructions that the circle and arc commands run on every mouse
// move: each FindConstrainedCircle and FindConstrainedArc overload against each kind of shape (line,
// circle, arc, ellipse, B-spline), the other conditions being a line, a circle, points and a radius. One
// iteration is one construction with its solutions (the object made, solved and destroyed), as a preview
// does it. The aim is 50 us per construction.
//
// Run: scripts/build.sh bench bench_dimension_commands && build/bench/bin/bench_dimension_commands
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/FeatureConstrainedCircle.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"

namespace {

using FeaturePtr = std::unique_ptr<Feature2dBase>;

FeaturePtr MakeKind(int kind)
{
    switch (kind) {
    case 0:
        return FeaturePtr(FeatureCreator::CreateLineFeature(RuVaPnt2d(-60, -20), RuVaPnt2d(60, -20)));
    case 1:
        return FeaturePtr(FeatureCreator::CreateCircleFeature(RuVaPnt2d(0, -30), 8.0));
    case 2:
        return FeaturePtr(FeatureCreator::CreateArcFeature(RuVaPnt2d(-8, -30), RuVaPnt2d(0, -22), RuVaPnt2d(8, -30)));
    case 3:
        return FeaturePtr(FeatureCreator::CreateEllipseFeature(RuVaPnt2d(0, -30), 12.0, 6.0, 0.0));
    default: {
        KcArrayOfGePnt2d points;
        for (const RuVaPnt2d& p : {RuVaPnt2d(-30, 10), RuVaPnt2d(-10, 25), RuVaPnt2d(10, 15), RuVaPnt2d(30, 30)})
            points.Add(p);
        return FeaturePtr(FeatureCreator::CreateBSplineCurveFeatureByInterpolatePoints(points, FALSE));
    }
    }
}

const char* const kKindNames[] = {"line", "circle", "arc", "ellipse", "bspline"};

struct Overload {
    const char* name;
    std::function<BOOL(FeatureConstrainedCircle&, const Feature2dBase*)> solve;
};

const Feature2dBase* Left()
{
    static FeaturePtr line(FeatureCreator::CreateLineFeature(RuVaPnt2d(-20, -60), RuVaPnt2d(-20, 60)));
    return line.get();
}
const Feature2dBase* Right()
{
    static FeaturePtr circle(FeatureCreator::CreateCircleFeature(RuVaPnt2d(25, 0), 5.0));
    return circle.get();
}

const std::vector<Overload>& Overloads()
{
    static const RuVaPnt2d p1(-5, 0), p2(5, 2);
    static const std::vector<Overload> list = {
        {"circle_centre", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, RuVaPnt2d(0, 5)); }},
        {"circle_two_points", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, p1, p2); }},
        {"circle_point_radius", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, p1, 30.0); }},
        {"circle_two_shapes_radius", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, Left(), 15.0); }},
        {"circle_two_shapes_point", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, Left(), p1); }},
        {"circle_three_shapes", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, Left(), Right()); }},
        {"arc_two_points", [](auto& s, auto* f) { return s.FindConstrainedArc(f, p1, p2); }},
        {"arc_point_radius", [](auto& s, auto* f) { return s.FindConstrainedArc(f, p1, 30.0); }},
        {"arc_two_shapes_radius", [](auto& s, auto* f) { return s.FindConstrainedArc(f, Left(), 15.0); }},
        {"arc_two_shapes_point", [](auto& s, auto* f) { return s.FindConstrainedArc(f, Left(), p1); }},
        {"arc_three_shapes", [](auto& s, auto* f) { return s.FindConstrainedArc(f, Left(), Right()); }},
    };
    return list;
}

void BM_Construction(benchmark::State& state)
{
    const FeaturePtr shape = MakeKind(static_cast<int>(state.range(1)));
    const Overload& overload = Overloads()[static_cast<size_t>(state.range(0))];
    int solutions = 0;
    for (auto _ : state) {
        FeatureConstrainedCircle solver;
        benchmark::DoNotOptimize(overload.solve(solver, shape.get()));
        solutions = solver.GetConstrainedCount();
        benchmark::DoNotOptimize(solver.GetNearestConstrained(RuVaPnt2d(1, 1)));
    }
    state.counters["solutions"] = solutions;
    state.SetLabel(std::string(overload.name) + "/" + kKindNames[state.range(1)]);
}

void Arguments(benchmark::internal::Benchmark* b)
{
    for (int o = 0; o < static_cast<int>(Overloads().size()); ++o)
        for (int k = 0; k < 5; ++k)
            b->Args({o, k});
}

// Two points with a radius: no shape at all.
void BM_TwoPointsRadius(benchmark::State& state)
{
    for (auto _ : state) {
        FeatureConstrainedCircle solver;
        benchmark::DoNotOptimize(solver.FindConstrainedArc(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 13.0));
    }
}

}  // namespace

BENCHMARK(BM_Construction)->Apply(Arguments)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TwoPointsRadius)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
