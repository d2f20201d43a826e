// Copy and paste of a whole 100,000-shape drawing of mixed shapes (MixedDrawing: lines, polylines, circles,
// arcs and texts):
// - copy: the picked shapes into the clip, then its native data as a reader asks for it;
// - paste: the native data read back into a clip, then placed in another drawing with one click (one undo
//   step);
// - the preview frame of the paste: the drag image built from the clip and drawn once at the cursor.
//
// Run: scripts/build.sh bench bench_clipboard && build/bench/bin/bench_clipboard
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "MixedDrawing.h"
#include "commands/edit/ClipDocument.h"
#include "commands/edit/ClipboardCopy2dCommand.h"
#include "commands/edit/ClipboardPaste2dCommand.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/PartDrawingLayout.h"

using namespace QZ2Command;

namespace {

constexpr int kShapes = 100000;

struct Scene {
    std::unique_ptr<Draw2dDocument> source;
    std::unique_ptr<Draw2dView> sourceView;
    CArray<FeatureLayout> all;
    CByteArray native;

    Scene()
    {
        source = MixedDrawing::Make(kShapes);
        sourceView = std::make_unique<Draw2dView>(source.get());
        sourceView->SetDrawingID(source->GetActiveDrawingID());
        sourceView->ResizeView(1600, 1000);
        for (long id = source->GetNextFeatureRecordID(-1); id != -1; id = source->GetNextFeatureRecordID(id))
            all.Add(FeatureLayout(id, -1, -1));
        std::unique_ptr<ClipDocument> clip(ClipboardCopy2dCommand::BuildClip(
            nullptr, source.get(), sourceView.get(), nullptr, all, RuVaPnt2d(0, 0), FALSE, nullptr));
        clip->WriteNativeData(native);
    }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void BM_CopyAll(benchmark::State& state)
{
    Scene& s = TheScene();
    for (auto _ : state) {
        std::unique_ptr<ClipDocument> clip(ClipboardCopy2dCommand::BuildClip(
            nullptr, s.source.get(), s.sourceView.get(), nullptr, s.all, RuVaPnt2d(0, 0), FALSE, nullptr));
        CByteArray bytes;
        clip->WriteNativeData(bytes);
        benchmark::DoNotOptimize(bytes.GetSize());
        state.counters["shapes"] = static_cast<double>(clip->GetFeatureCount());
        state.counters["MB"] = bytes.GetSize() / 1.0e6;
    }
}

void BM_PasteAll(benchmark::State& state)
{
    Scene& s = TheScene();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<Draw2dDocument>();
        target->InitDocument();
        Draw2dView view(target.get());
        view.SetDrawingID(target->GetActiveDrawingID());
        view.ResizeView(1600, 1000);
        state.ResumeTiming();
        std::unique_ptr<ClipDocument> clip(ClipDocument::ReadNativeData(s.native.GetData(), s.native.GetSize()));
        int failed = 0;
        const int added = ClipboardPaste2dCommand::PasteNative(*clip, target.get(), &view, 1.0, 1.0, 0.0,
                                                               RuVaPnt2d(50, 50), &failed);
        state.counters["added"] = added;
        state.PauseTiming();
        target.reset();
        clip.reset();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_CopyAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PasteAll)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
