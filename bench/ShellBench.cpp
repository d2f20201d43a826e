// The application shell, started offscreen over a home of its own: one automatic recovery copy of a
// drawing of 100,000 mixed shapes (the interface waits for it), and one hand-over query and answer
// between this process and a running instance of the real program binary.

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtWidgets/QApplication>

#include <cstdlib>
#include <memory>

#include "BenchProgram.h"
#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/SystemEnvironment.h"
#include "platform/win/RemoteWindow.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr int kShapes = 100000;

BenchProgram::Program& Shared()
{
    return BenchProgram::SharedWithShapes(kShapes);
}

// One pass of the auto-save timer over a changed drawing of 100,000 shapes: its copy written whole
// beside the previous one and put in its place.
void BM_AutoSaveOf100000Shapes(benchmark::State& state)
{
    BenchProgram::Program& p = Shared();
    p.app->GetSystemEnvironment()->m_AutoRecoverEnabled = TRUE;
    for (auto _ : state) {
        state.PauseTiming();
        p.doc->SetModifiedFlag(TRUE);
        state.ResumeTiming();
        p.app->AutoSaveAll();
        if (p.doc->IsAutoSaveDirty()) {
            state.SkipWithError("no copy was written");
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(p.doc->GetRecoveryFilePath().ToQString()).size());
}
BENCHMARK(BM_AutoSaveOf100000Shapes)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The real program running in a process of its own, with no drawing.
struct OtherInstance {
    QProcess process;

    OtherInstance()
    {
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(QStringLiteral(KC_PROGRAM_PATH), {});
        QElapsedTimer clock;
        clock.start();
        while (RemoteWindow::FindAll(CMainFrame::kWindowClassName).empty() && clock.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ~OtherInstance()
    {
        process.kill();
        process.waitForFinished(5000);
    }
};

// What a second start does before it hands a file over: find the running instances and ask the
// first whether it has the file open (it has not: the answer is 0).
void BM_HandOverQueryAndAnswer(benchmark::State& state)
{
    OtherInstance other;
    const CString path = CString::FromQString(BenchProgram::HomePath() + QStringLiteral("/not-open.kvcd"));
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>((path.GetLength() + 1) * sizeof(TCHAR));
    data.lpData = const_cast<TCHAR*>(path.GetString());
    for (auto _ : state) {
        const std::vector<RemoteWindow> windows = RemoteWindow::FindAll(CMainFrame::kWindowClassName);
        LRESULT result = -1;
        if (windows.empty() || !windows.front().SendCopyData(data, CQZ2App::kHandOverTimeoutMs, &result) ||
            result != 0) {
            state.SkipWithError("the running instance did not answer");
            return;
        }
    }
}
BENCHMARK(BM_HandOverQueryAndAnswer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    BenchProgram::UseOwnHome();
    return BenchProgram::RunBenchmarks(argc, argv);
}
