// The menus and toolbars of the whole program, started offscreen over a settings store of its own: the
// start-up work of the special buttons (restoring them, the toolbar combos, loading the stored layout),
// opening the customisation sheet, opening a group button's drop-down, and one document change reaching
// every toolbar combo.

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>

#include <cstdlib>
#include <memory>

#include "BenchProgram.h"
#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2ToolbarCustomizeDialog.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPWorkspace.h"
#include "platform/win/WinConstants.h"

namespace {

using BenchProgram::Program;
using BenchProgram::Shared;

void BM_RestoreSpecialButtonsAndCombos(benchmark::State& state)
{
    Program& p = Shared();
    for (auto _ : state) {
        p.frame->RestoreSpecialButtons();
        p.frame->UpdateToolbarCombos();
    }
}
BENCHMARK(BM_RestoreSpecialButtonsAndCombos)->Unit(benchmark::kMillisecond);

void BM_RestoreSpecialButtonsOnly(benchmark::State& state)
{
    Program& p = Shared();
    for (auto _ : state)
        p.frame->RestoreSpecialButtons();
}
BENCHMARK(BM_RestoreSpecialButtonsOnly)->Unit(benchmark::kMillisecond);

void BM_UpdateToolbarCombosOnly(benchmark::State& state)
{
    Program& p = Shared();
    for (auto _ : state)
        p.frame->UpdateToolbarCombos();
}
BENCHMARK(BM_UpdateToolbarCombosOnly)->Unit(benchmark::kMillisecond);

void BM_StartUpWorkOfTheToolbars(benchmark::State& state)
{
    Program& p = Shared();
    CBCGPWorkspace* pWorkspace = CBCGPWorkspace::GetInstance();
    pWorkspace->SaveState(p.frame);
    for (auto _ : state) {
        pWorkspace->LoadState(p.frame);
        p.frame->RestoreSpecialButtons();
        p.frame->UpdateToolbarCombos();
    }
    // The toolbars shown anew after the loop, not measured.
    QCoreApplication::processEvents();
}
BENCHMARK(BM_StartUpWorkOfTheToolbars)->Unit(benchmark::kMillisecond);

void BM_OpenTheCustomisationSheet(benchmark::State& state)
{
    Program& p = Shared();
    for (auto _ : state) {
        p.frame->SendMessage(WM_COMMAND, MAKEWPARAM(34664, 0), 0);
        CQZ2ToolbarCustomizeDialog* pSheet = CQZ2ToolbarCustomizeDialog::GetOpenSheet();
        if (pSheet == nullptr)
            std::abort();
        QCoreApplication::processEvents();
        state.PauseTiming();
        pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenTheCustomisationSheet)->Unit(benchmark::kMillisecond);

void BM_OpenAGroupDropDown(benchmark::State& state)
{
    Program& p = Shared();
    CBCGPToolBar* pShape = p.frame->GetToolBarById(59473);
    auto* tb = qobject_cast<QToolBar*>(pShape->GetLayoutWidget());
    QMenu* menu = tb->actions().at(pShape->CommandToIndex(33924))->menu();
    for (auto _ : state) {
        Q_EMIT menu->aboutToShow();
        benchmark::DoNotOptimize(menu->sizeHint());
    }
}
BENCHMARK(BM_OpenAGroupDropDown)->Unit(benchmark::kMillisecond);

void BM_OneChangeToEveryToolbarCombo(benchmark::State& state)
{
    Program& p = Shared();
    Draw2dDocument* pModel = p.app->GetCommandManager()->GetDraw2dDocument();
    // A change of the current colour: the record the colour combos answer to.
    NotifyInfoBase info(pModel, NotifyInfoBase::kindCurrentAttribute, 1);
    for (auto _ : state)
        p.frame->BroadcastDocumentNotify(&info);
}
BENCHMARK(BM_OneChangeToEveryToolbarCombo)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    return BenchProgram::RunBenchmarks(argc, argv);
}
