#pragma once
// The whole program for the benchmarks: the application object started offscreen over a home of its
// own (settings, data, cache and the runtime folder of its sockets), with one new drawing open.

#include <QtCore/QString>

#include <memory>

class CMainFrame;
class CQZ2App;
class CQZ2Doc;

namespace BenchProgram {

// Points this process, and the programs it starts, at a temporary home; before the first Shared().
void UseOwnHome();
QString HomePath();

struct Program {
    std::unique_ptr<CQZ2App> app;
    CMainFrame* frame = nullptr;
    CQZ2Doc* doc = nullptr;  // the drawing opened at the start
};

// The body of main(): an offscreen Qt application and every benchmark the command line asks for.
int RunBenchmarks(int argc, char** argv);

// Started on first use (the home is taken then if not before); never ended.
Program& Shared();
// The same program with its drawing filled once with the benchmarks' mixed shapes (bench/MixedDrawing).
Program& SharedWithShapes(int nShapes);

}  // namespace BenchProgram
