// A document of a million simple shapes (lines, arcs, circles and texts in equal parts): how long it takes
// to build, save and load, and how much memory each shape costs. Heap figures come from the allocator
// (bytes in use before and after); the peak resident size of the whole run is reported as well.
//
// Counters: shapes_per_second (build, save, load), heap_bytes_per_shape, file_bytes_per_shape,
// peak_rss_mb; for window queries the index build time, its bytes per shape and the shapes per query.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Text2dFeature.h"

namespace {

constexpr long kShapes = 1000000;
constexpr long kShapesPerStep = 1000;

size_t HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

double PeakRssMb()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr)
        return 0.0;
    char line[256];
    double kb = 0.0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kb = std::atof(line + 6);
    std::fclose(f);
    return kb / 1024.0;
}

// kind 0: lines only; kind 1: lines, arcs, circles and texts in turn.
void Fill(Draw2dDocument& doc, int kind)
{
    const long layer = doc.AddLayer(-1, nullptr, 0);
    Line2dFeature line;
    Arc2dFeature arc;
    Circle2dFeature circle;
    Text2dFeature text;
    text.SetText(_T("A1"));
    for (long i = 0; i < kShapes; ++i) {
        if (i % kShapesPerStep == 0)
            doc.BeginUndoOperation(nullptr);
        const double x = static_cast<double>(i % 1000) * 10.0, y = static_cast<double>(i / 1000) * 10.0;
        Feature2dBase* f = nullptr;
        switch (kind == 0 ? 0 : i % 4) {
        case 0:
            line.SetPoint(RuVaPnt2d(x, y), RuVaPnt2d(x + 8, y + 3));
            f = &line;
            break;
        case 1:
            arc.SetCenterPoint(RuVaPnt2d(x, y));
            arc.SetRadius(4);
            arc.SetStartAngle(static_cast<double>(i % 360));
            arc.SetEndAngle(static_cast<double>((i + 90) % 360));
            f = &arc;
            break;
        case 2:
            circle.SetCenterPoint(RuVaPnt2d(x, y));
            circle.SetRadius(3);
            f = &circle;
            break;
        default:
            text.SetPoint(RuVaPnt2d(x, y));
            f = &text;
            break;
        }
        f->SetLayerID(layer);
        doc.AddFeature(f, nullptr, 0);
        if (i % kShapesPerStep == kShapesPerStep - 1)
            doc.EndUndoOperation();
    }
    doc.ClearUndoRedoHistory();
}

void Build(benchmark::State& state)
{
    const int kind = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const size_t before = HeapInUse();
        auto doc = std::make_unique<Draw2dDocument>();
        Fill(*doc, kind);
        if (doc->GetFeatureCount() != kShapes)
            state.SkipWithError("the document lacks shapes");
        state.counters["heap_bytes_per_shape"] =
            static_cast<double>(HeapInUse() - before) / static_cast<double>(kShapes);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["shapes_per_second"] =
        benchmark::Counter(static_cast<double>(kShapes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["peak_rss_mb"] = PeakRssMb();
}

void SaveAndLoad(benchmark::State& state, bool load)
{
    const int kind = static_cast<int>(state.range(0));
    auto doc = std::make_unique<Draw2dDocument>();
    Fill(*doc, kind);
    DrawViewInfo views;
    CMemFile file(1 << 20);
    for (auto _ : state) {
        if (!load) {
            file.SetLength(0);
            CArchive ar(&file, CArchive::store);
            doc->SaveToArchive(ar, views, 0);
            ar.Close();
        } else {
            state.PauseTiming();
            if (file.GetLength() == 0) {
                CArchive ar(&file, CArchive::store);
                doc->SaveToArchive(ar, views, 0);
                ar.Close();
                doc.reset();  // only the loaded copy in memory
            }
            file.SeekToBegin();
            const size_t before = HeapInUse();
            state.ResumeTiming();
            auto loaded = std::make_unique<Draw2dDocument>();
            CArchive ar(&file, CArchive::load);
            CString msg;
            loaded->LoadFromArchive(ar, views, msg);
            ar.Close();
            state.PauseTiming();
            if (loaded->GetFeatureCount() != kShapes)
                state.SkipWithError("the loaded document lacks shapes");
            state.counters["heap_bytes_per_shape"] =
                static_cast<double>(HeapInUse() - before) / static_cast<double>(kShapes);
            loaded.reset();
            state.ResumeTiming();
        }
    }
    state.counters["shapes_per_second"] =
        benchmark::Counter(static_cast<double>(kShapes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["file_bytes_per_shape"] =
        static_cast<double>(file.GetLength()) / static_cast<double>(kShapes);
    state.counters["peak_rss_mb"] = PeakRssMb();
}

// Culling and picking: the first query builds the drawing's spatial index; then windows of about a
// hundred shapes each are asked for.
void Query(benchmark::State& state)
{
    auto doc = std::make_unique<Draw2dDocument>();
    Fill(*doc, 1);
    const DrawingFeatureBase* paper = doc->GetActiveDrawingFeature();
    std::vector<long> ids;
    const size_t before = HeapInUse();
    const auto start = std::chrono::steady_clock::now();
    doc->GetFeaturesInBox(paper, RuVaBndBox2d(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)), ids);
    const double buildMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double indexBytes = static_cast<double>(HeapInUse() - before) / static_cast<double>(kShapes);
    size_t found = 0;
    long i = 0;
    for (auto _ : state) {
        const double x = static_cast<double>((i * 37) % 990) * 10.0, y = static_cast<double>((i * 53) % 990) * 10.0;
        ++i;
        found += static_cast<size_t>(doc->GetFeaturesInBox(paper, RuVaBndBox2d(RuVaPnt2d(x, y), RuVaPnt2d(x + 100, y + 100)), ids));
    }
    state.counters["index_build_ms"] = buildMs;
    state.counters["index_bytes_per_shape"] = indexBytes;
    state.counters["shapes_per_query"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void Save(benchmark::State& state) { SaveAndLoad(state, false); }
void Load(benchmark::State& state) { SaveAndLoad(state, true); }

// Argument 0: a million lines; 1: a million lines, arcs, circles and texts.
BENCHMARK(Build)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(Load)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(Query)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
