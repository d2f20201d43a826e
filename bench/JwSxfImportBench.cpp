// Reading a JWW and an SFC of the same 100,000 seeded shapes (lines, arcs, circles and texts, written by
// the test writers), and the DXF of those shapes in the same run for comparison; and the peak memory of
// each import in a fresh process beside the imported drawing's own heap size; and a JWS import of 1,000
// small symbol files into one drawing.
//
// Counters: shapes_per_second; for the fresh process peak_rss_mb, drawing_heap_mb and their ratio.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/AcadConvert.h"
#include "libs/conv/JWConvert.h"
#include "libs/conv/JWSetting.h"
#include "platform/afx/CStringArray.h"
#include "libs/conv/SXFSetting.h"
#include "libs/conv/SxfFileConverter.h"
#include "libs/vevure/Draw2dDocument.h"
#include "tests/support/conv/JwwWriter.h"
#include "tests/support/conv/SfcWriter.h"

namespace {

constexpr int kShapes = 100000;
constexpr double kPi = 3.14159265358979323846;

std::string Folder()
{
    static const std::string dir = [] {
        char tmpl[] = "/tmp/kc-jw-bench-XXXXXX";
        const char* d = mkdtemp(tmpl);
        return std::string(d != nullptr ? d : "/tmp");
    }();
    return dir;
}

void WriteFiles()
{
    static bool written = false;
    if (written)
        return;
    written = true;
    JwwWriter jww;
    SfcWriter sfc;
    sfc.Layer("0");
    DL_Dxf dxf;
    DL_WriterA* dw = dxf.out((Folder() + "/plan.dxf").c_str(), DL_Codes::AC1015);
    if (dw == nullptr)
        std::abort();
    dxf.writeHeader(*dw);
    dw->sectionEnd();
    dw->sectionEntities();
    DL_Attributes attr("0", 256, -1, -1, "BYLAYER");
    const std::string font = JwwWriter::Sjis(u"ＭＳ ゴシック");
    std::mt19937 rng(20261211);
    std::uniform_real_distribution<double> pos(0.0, 10000.0), len(1.0, 200.0), ang(0.0, 360.0);
    for (int i = 0; i < kShapes; ++i) {
        const double x = pos(rng), y = pos(rng), a = len(rng), b = len(rng);
        switch (i % 4) {
        case 0:
            jww.Line(JwwWriter::Base{}, x, y, x + a, y + b);
            sfc.Line(1, 1, x, y, x + a, y + b);
            dxf.writeLine(*dw, DL_LineData(x, y, 0, x + a, y + b, 0), attr);
            break;
        case 1: {
            const double s = ang(rng), e = ang(rng);
            double sweep = std::fmod(e - s + 360.0, 360.0);
            if (sweep < 1e-6)
                sweep = 1;
            jww.Arc(JwwWriter::Base{}, x, y, a, s * kPi / 180, sweep * kPi / 180, 0, 1, false);
            sfc.Arc(1, 1, x, y, a, 0, s, s + sweep);
            dxf.writeArc(*dw, DL_ArcData(x, y, 0, a, s, s + sweep), attr);
            break;
        }
        case 2:
            jww.Arc(JwwWriter::Base{}, x, y, a, 0, 2 * kPi, 0, 1, true);
            sfc.Circle(1, 1, x, y, a);
            dxf.writeCircle(*dw, DL_CircleData(x, y, 0, a), attr);
            break;
        default:
            jww.Text(JwwWriter::Base{}, x, y, 3, 3, 0, 0, font, "Room " + std::to_string(i));
            sfc.Text(1, 1, 0, u"Room " + std::u16string(CString::FromUtf8(std::to_string(i)).str()), x, y, 3);
            dxf.writeText(*dw, DL_TextData(x, y, 0, x, y, 0, 3, 1, 0, 0, 0, "Room " + std::to_string(i), "STANDARD", 0),
                          attr);
            break;
        }
    }
    dw->sectionEnd();
    dw->dxfEOF();
    dw->close();
    delete dw;
    const std::string j = jww.Bytes(), s = sfc.Contents();
    std::ofstream(Folder() + "/plan.jww", std::ios::binary).write(j.data(), static_cast<std::streamsize>(j.size()));
    std::ofstream(Folder() + "/plan.sfc", std::ios::binary).write(s.data(), static_cast<std::streamsize>(s.size()));
}

int ImportOnce(const std::string& path, Draw2dDocument* doc)
{
    const std::string ext = path.substr(path.rfind('.'));
    if (ext == ".jww") {
        JWConvert convert;
        CString message;
        return convert.ReadJWWFile(CString(path.c_str()), doc, message, 0);
    }
    if (ext == ".sfc") {
        SXFSetting setting;
        SxfFileConverter convert;
        CString detail;
        return convert.ReadFile(CString(path.c_str()), doc, &setting, detail);
    }
    ACadConvSetting setting;
    AcadConvert convert;
    return convert.ReadFile(CString(path.c_str()), doc, &setting);
}

void Import(benchmark::State& state, const char* name)
{
    WriteFiles();
    const std::string path = Folder() + "/" + name;
    for (auto _ : state) {
        Draw2dDocument doc;
        doc.InitDocument();
        const int n = ImportOnce(path, &doc);
        if (n != kShapes)
            state.SkipWithError(("the import read " + std::to_string(n) + " shapes").c_str());
    }
    state.counters["shapes_per_second"] =
        benchmark::Counter(double(kShapes) * state.iterations(), benchmark::Counter::kIsRate);
}
void BM_JwwImport(benchmark::State& state) { Import(state, "plan.jww"); }
void BM_SfcImport(benchmark::State& state) { Import(state, "plan.sfc"); }
void BM_DxfImportOfTheSameShapes(benchmark::State& state) { Import(state, "plan.dxf"); }
BENCHMARK(BM_JwwImport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SfcImport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DxfImportOfTheSameShapes)->Unit(benchmark::kMillisecond)->UseRealTime();

// The import alone in a fresh process (this program started again with --import-once).
void FreshProcess(benchmark::State& state, const char* name)
{
    WriteFiles();
    double peak = 0, heap = 0;
    for (auto _ : state) {
        const std::string cmd = "/proc/" + std::to_string(getpid()) + "/exe --import-once " + Folder() + "/" + name;
        FILE* p = popen(cmd.c_str(), "r");
        if (p == nullptr || std::fscanf(p, "%lf %lf", &peak, &heap) != 2)
            state.SkipWithError("the fresh process gave no figures");
        if (p != nullptr)
            pclose(p);
    }
    state.counters["peak_rss_mb"] = peak;
    state.counters["drawing_heap_mb"] = heap;
    state.counters["peak_over_drawing"] = heap > 0 ? peak / heap : 0;
}
void BM_JwwFreshProcessPeakMemory(benchmark::State& state) { FreshProcess(state, "plan.jww"); }
void BM_SfcFreshProcessPeakMemory(benchmark::State& state) { FreshProcess(state, "plan.sfc"); }
BENCHMARK(BM_JwwFreshProcessPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_SfcFreshProcessPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

constexpr int kSymbols = 1000;

void WriteSymbols()
{
    static bool written = false;
    if (written)
        return;
    written = true;
    for (int i = 0; i < kSymbols; ++i) {
        JwwWriter w;
        w.Line(JwwWriter::Base{}, 0, 0, 900, 0);
        w.Arc(JwwWriter::Base{}, 0, 0, 900, 0, kPi / 2, 0, 1, false);
        w.Text(JwwWriter::Base{}, 0, 0, 3, 3, 0, 0, "", "S" + std::to_string(i));
        const std::string b = w.Bytes();
        std::ofstream(Folder() + "/s" + std::to_string(i) + ".jws", std::ios::binary)
            .write(b.data(), static_cast<std::streamsize>(b.size()));
    }
}

void BM_JwsImportOf1000Symbols(benchmark::State& state)
{
    WriteSymbols();
    CStringArray names;
    for (int i = 0; i < kSymbols; ++i)
        names.Add(CString(("s" + std::to_string(i) + ".jws").c_str()));
    for (auto _ : state) {
        Draw2dDocument doc;
        doc.InitDocument();
        JWSetting setting;
        JWConvert convert;
        doc.BeginUndoOperation(nullptr);
        const int n = convert.ReadJWSFile(CString(Folder().c_str()), names, &doc, &setting);
        doc.EndUndoOperation();
        if (n != 3 * kSymbols)
            state.SkipWithError("the import did not read every symbol");
    }
}
BENCHMARK(BM_JwsImportOf1000Symbols)->Unit(benchmark::kMillisecond)->UseRealTime();

double PeakRssMb()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr)
        return 0;
    char line[256];
    double kb = 0;
    while (std::fgets(line, sizeof line, f) != nullptr)
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kb = std::atof(line + 6);
    std::fclose(f);
    return kb / 1024.0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--import-once") == 0) {
        const size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
        auto* doc = new Draw2dDocument;
        doc->InitDocument();
        if (ImportOnce(argv[2], doc) < 0)
            return 1;
        const size_t after = mallinfo2().uordblks + mallinfo2().hblkhd;
        std::printf("%f %f\n", PeakRssMb(), double(after - before) / (1024.0 * 1024.0));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const char* name : {"plan.jww", "plan.sfc", "plan.dxf"})
        std::remove((Folder() + "/" + name).c_str());
    for (int i = 0; i < kSymbols; ++i)
        std::remove((Folder() + "/s" + std::to_string(i) + ".jws").c_str());
    rmdir(Folder().c_str());
    return 0;
}
