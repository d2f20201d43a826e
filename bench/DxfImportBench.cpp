// Reading a DXF of 100,000 seeded lines, arcs and circles (about 16 MB, written with dxflib's writer):
// dxflib's own parse with a creation interface that only counts, our import into a new document, the same
// file through another program's DXF-to-PDF conversion when it is installed (bench/dxf_compare.sh installs
// it), and the peak memory of an import in a fresh process beside the imported drawing's own heap size.
//
// Counters: entities_per_second; for the fresh process peak_rss_mb, drawing_heap_mb and their ratio, and
// the ratio without the process's own start (start_rss_mb: libraries loaded, nothing read); for the other
// program pdf_pages.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/AcadConvert.h"
#include "libs/vevure/Draw2dDocument.h"

namespace {

constexpr int kEntities = 100000;

std::string FilePath()
{
    static const std::string path = [] {
        char tmpl[] = "/tmp/kc-dxf-bench-XXXXXX";
        const char* dir = mkdtemp(tmpl);
        return std::string(dir != nullptr ? dir : "/tmp") + "/plan.dxf";
    }();
    return path;
}

void WriteFile()
{
    static bool written = false;
    if (written)
        return;
    written = true;
    DL_Dxf dxf;
    DL_WriterA* dw = dxf.out(FilePath().c_str(), DL_Codes::AC1015);
    if (dw == nullptr)
        std::abort();
    dxf.writeHeader(*dw);
    dw->sectionEnd();
    dw->sectionEntities();
    std::mt19937 rng(20261211);
    std::uniform_real_distribution<double> pos(0.0, 10000.0), len(1.0, 200.0), ang(0.0, 360.0);
    DL_Attributes attr("0", 256, -1, -1, "BYLAYER");
    for (int i = 0; i < kEntities; ++i) {
        const double x = pos(rng), y = pos(rng);
        switch (i % 3) {
        case 0: dxf.writeLine(*dw, DL_LineData(x, y, 0, x + len(rng), y + len(rng), 0), attr); break;
        case 1: dxf.writeArc(*dw, DL_ArcData(x, y, 0, len(rng), ang(rng), ang(rng)), attr); break;
        default: dxf.writeCircle(*dw, DL_CircleData(x, y, 0, len(rng)), attr); break;
        }
    }
    dw->sectionEnd();
    dw->dxfEOF();
    dw->close();
    delete dw;
}

struct Counter : DL_CreationAdapter {
    long n = 0;
    void addLine(const DL_LineData&) override { ++n; }
    void addArc(const DL_ArcData&) override { ++n; }
    void addCircle(const DL_CircleData&) override { ++n; }
};

void BM_DxflibParse(benchmark::State& state)
{
    WriteFile();
    for (auto _ : state) {
        DL_Dxf dxf;
        Counter counter;
        dxf.in(FilePath(), &counter);
        if (counter.n != kEntities)
            state.SkipWithError("dxflib did not count every entity");
        benchmark::DoNotOptimize(counter.n);
    }
    state.counters["entities_per_second"] =
        benchmark::Counter(double(kEntities) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DxflibParse)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OurImport(benchmark::State& state)
{
    WriteFile();
    for (auto _ : state) {
        Draw2dDocument doc;
        doc.InitDocument();
        ACadConvSetting setting;
        AcadConvert convert;
        const int n = convert.ReadFile(CString(FilePath().c_str()), &doc, &setting);
        if (n != kEntities)
            state.SkipWithError("the import did not read every entity");
    }
    state.counters["entities_per_second"] =
        benchmark::Counter(double(kEntities) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OurImport)->Unit(benchmark::kMillisecond)->UseRealTime();

// The import alone in a fresh process (this program started again with --import-once).
void BM_FreshProcessPeakMemory(benchmark::State& state)
{
    WriteFile();
    double peak = 0, heap = 0, start = 0;
    for (auto _ : state) {
        const std::string cmd = "/proc/" + std::to_string(getpid()) + "/exe --import-once " + FilePath();
        FILE* p = popen(cmd.c_str(), "r");
        if (p == nullptr || std::fscanf(p, "%lf %lf %lf", &peak, &heap, &start) != 3)
            state.SkipWithError("the fresh process gave no figures");
        if (p != nullptr)
            pclose(p);
    }
    state.counters["peak_rss_mb"] = peak;
    state.counters["drawing_heap_mb"] = heap;
    state.counters["peak_over_drawing"] = heap > 0 ? peak / heap : 0;
    // What the import itself adds to the process's libraries and start-up.
    state.counters["start_rss_mb"] = start;
    state.counters["import_growth_over_drawing"] = heap > 0 ? (peak - start) / heap : 0;
}
BENCHMARK(BM_FreshProcessPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Another program's conversion of the same file, when it is installed.
void BM_OtherProgramDxfToPdf(benchmark::State& state)
{
    WriteFile();
    if (std::system("command -v librecad >/dev/null 2>&1") != 0) {
        state.SkipWithError("librecad is not installed (bench/dxf_compare.sh installs it)");
        return;
    }
    const std::string pdf = FilePath() + ".pdf";
    double pages = 0;
    for (auto _ : state) {
        std::remove(pdf.c_str());
        const std::string cmd = "QT_QPA_PLATFORM=offscreen timeout 1200 librecad dxf2pdf -o " + pdf + " " +
                                FilePath() + " >/dev/null 2>&1";
        if (std::system(cmd.c_str()) != 0)
            state.SkipWithError("the conversion failed");
    }
    // Pages of the PDF it wrote (it has been seen to write empty ones at this size).
    if (FILE* f = std::fopen(pdf.c_str(), "rb")) {
        std::string text;
        char buf[65536];
        size_t got;
        while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
            text.append(buf, got);
        std::fclose(f);
        for (size_t at = text.find("/Type /Page"); at != std::string::npos; at = text.find("/Type /Page", at + 1))
            if (text.compare(at, 12, "/Type /Pages") != 0)
                ++pages;
    }
    state.counters["pdf_pages"] = pages;
}
BENCHMARK(BM_OtherProgramDxfToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// A file of n empty block definitions "B1" ... "Bn" and nothing else.
std::string BlocksFile(long n)
{
    const std::string path = FilePath() + ".blocks-" + std::to_string(n) + ".dxf";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        std::abort();
    std::fputs("0\nSECTION\n2\nBLOCKS\n", f);
    for (long i = 1; i <= n; ++i)
        std::fprintf(f, "0\nBLOCK\n8\n0\n2\nB%ld\n70\n0\n10\n0\n20\n0\n30\n0\n3\nB%ld\n0\nENDBLK\n8\n0\n", i, i);
    std::fputs("0\nENDSEC\n0\nEOF\n", f);
    std::fclose(f);
    return path;
}

// Block definitions by the number: the import's time per definition, and with one more than the limit the
// refusal (-4) with its time and the peak memory of a fresh process that reads the file.
void BM_BlockDefinitions(benchmark::State& state)
{
    const long n = state.range(0);
    const std::string path = BlocksFile(n);
    const int expected = n > 1000000 ? -4 : 0;
    int result = 0;
    for (auto _ : state) {
        Draw2dDocument doc;
        doc.InitDocument();
        ACadConvSetting setting;
        AcadConvert convert;
        result = convert.ReadFile(CString(path.c_str()), &doc, &setting);
        if ((expected < 0) != (result < 0) || (expected < 0 && result != expected))
            state.SkipWithError("the import did not answer as the limit says");
    }
    double peak = 0, heap = 0;
    const std::string cmd = "/proc/" + std::to_string(getpid()) + "/exe --import-once " + path;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        double start = 0;
        if (std::fscanf(p, "%lf %lf %lf", &peak, &heap, &start) != 3)
            peak = heap = 0;
        pclose(p);
    }
    struct stat st {};
    const double fileMb = stat(path.c_str(), &st) == 0 ? double(st.st_size) / (1024.0 * 1024.0) : 0.0;
    std::remove(path.c_str());
    state.counters["result"] = result;
    state.counters["blocks"] = double(n);
    state.counters["peak_rss_mb"] = peak;
    state.counters["file_mb"] = fileMb;
}
BENCHMARK(BM_BlockDefinitions)->Arg(5000)->Arg(10000)->Arg(20000)->Arg(1000001)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->UseRealTime();

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
        const double start = PeakRssMb();
        const size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
        auto* doc = new Draw2dDocument;
        doc->InitDocument();
        ACadConvSetting setting;
        AcadConvert convert;
        // A refused file still gives its figures: the limits are measured that way.
        convert.ReadFile(CString(argv[2]), doc, &setting);
        const size_t after = mallinfo2().uordblks + mallinfo2().hblkhd;
        std::printf("%f %f %f\n", PeakRssMb(), double(after - before) / (1024.0 * 1024.0), start);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The generated file and its folder go with the run.
    const std::string path = FilePath();
    std::remove((path + ".pdf").c_str());
    std::remove(path.c_str());
    rmdir(path.substr(0, path.rfind('/')).c_str());
    return 0;
}
