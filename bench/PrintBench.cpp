// Printing the shared mixed drawing (10,000 and 100,000 shapes) as one A3 landscape page fitted to the
// sheet: into a PDF file through the printing library, as File > Print does (time, file size, pages and
// the process's peak resident memory as counters), and the first paint of the print preview's page at
// whole page in a 1600 x 1000 window. With --dxf-dir=<folder> it only writes the drawings as DXF files
// (mixed-<n>.dxf) for programs that read DXF.

#include <benchmark/benchmark.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "MixedDrawing.h"
#include "libs/kcplot/PlotManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/PlotSetting.h"
#include "platform/gdi/CDC.h"
#include "platform/gdiplus/Graphics.h"

namespace {

Draw2dDocument& Get(int nShapes)
{
    static std::map<int, std::unique_ptr<Draw2dDocument>> cache;
    auto& d = cache[nShapes];
    if (!d) {
        d = MixedDrawing::Make(nShapes);
        PlotSetting s = d->GetPlotSetting();
        s.SetPaperType(8);  // A3
        s.SetOrientType(PlotSetting::orientLandscape);
        s.SetScaleMode(PlotSetting::scaleFit);
        s.SetRangeMode(PlotSetting::rangeExtents);
        d->SetPlotSetting(s);
    }
    return *d;
}

double PeakResidentMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_PrintToPdf(benchmark::State& state)
{
    Draw2dDocument& doc = Get(static_cast<int>(state.range(0)));
    const QString path = QDir::temp().filePath(QStringLiteral("kc-print-bench.pdf"));
    for (auto _ : state) {
        QPdfWriter writer(path);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Landscape, QMarginsF()));
        CDC dc;
        dc.CreateFromPaintDevice(&writer);
        dc.StartDoc(u"bench");
        dc.StartPage();
        {
            Gdiplus::Graphics graphics(dc.GetSafeHdc());
            graphics.SetPageUnit(Gdiplus::UnitMillimeter);
            PlotManager::PlotOut(&doc, doc.GetActiveDrawingFeature(), &graphics, dc.GetSafeHdc());
        }
        dc.EndPage();
        dc.EndDoc();
    }
    state.counters["shapes"] = doc.GetFeatureCount();
    state.counters["pdf_MB"] = QFileInfo(path).size() / 1048576.0;
    state.counters["pages"] = 1;
    state.counters["peak_RSS_MB"] = PeakResidentMB();
    QFile::remove(path);
}

// The preview's page picture at whole page in a 1600 x 1000 window (the tool strip takes 28 pixels): the
// sheet at 96 dpi scaled to fit, drawn through the same call as the printed page.
void BM_PreviewFirstPaint(benchmark::State& state)
{
    Draw2dDocument& doc = Get(static_cast<int>(state.range(0)));
    const double sheetW = 420.0, sheetH = 297.0;
    const double fullW = sheetW * 96 / 25.4, fullH = sheetH * 96 / 25.4;
    const double f = std::min(1600.0 / (fullW + 16), (1000.0 - 28) / (fullH + 16));
    const int w = static_cast<int>(fullW * f), h = static_cast<int>(fullH * f);
    for (auto _ : state) {
        QImage page(w, h, QImage::Format_ARGB32_Premultiplied);
        page.fill(Qt::white);
        QPainter painter(&page);
        Gdiplus::Graphics graphics(&painter);
        graphics.SetPageUnit(Gdiplus::UnitMillimeter);
        graphics.ScaleTransform(static_cast<Gdiplus::REAL>(w / sheetW / (graphics.GetDpiX() / 25.4)),
                                static_cast<Gdiplus::REAL>(h / sheetH / (graphics.GetDpiY() / 25.4)));
        PlotManager::PlotOut(&doc, doc.GetActiveDrawingFeature(), &graphics, nullptr);
        painter.end();
        benchmark::DoNotOptimize(page.constBits());
    }
    state.counters["page_px"] = static_cast<double>(w) * h;
}

}  // namespace

BENCHMARK(BM_PrintToPdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PreviewFirstPaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--dxf-dir=", 10) == 0) {
            const std::string dir = argv[i] + 10;
            for (int n : {10000, 100000})
                if (!MixedDrawing::WriteDxf(n, dir + "/mixed-" + std::to_string(n) + ".dxf"))
                    return 1;
            return 0;
        }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
