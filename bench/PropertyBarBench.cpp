// The property bar over a large selection: from the selected records to the rows shown (factory, merge,
// list), and a colour for all of them through the bar's value path as one undo step. The counters give
// the objects held, the rows, the undo steps the colour made and the bytes per held object.
#include <benchmark/benchmark.h>

#include <memory>

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include "bench/MixedDrawing.h"
#include "command/ColorParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "property/CPropertyBar.h"
#include "property/Circle2dFeatureProperty.h"
#include "property/ShapeFeaturePropertyBase.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

constexpr int kShapes = 100000;

// Exposes the bar's value path, as the list's value-changed notification reaches it.
class BenchBar : public CPropertyBar
{
public:
    LRESULT ApplyValue(QZ2Command::ParameterItemBase* pItem) { return ApplyRowValue(pItem, TRUE); }
};

std::unique_ptr<Draw2dDocument>& Document()
{
    static std::unique_ptr<Draw2dDocument> s_pDocument = MixedDrawing::Make(kShapes);
    return s_pDocument;
}

std::vector<long> Records()
{
    std::vector<long> ids;
    Draw2dDocument* pDocument = Document().get();
    for (long id = 1; static_cast<int>(ids.size()) < kShapes && id < kShapes * 4; ++id)
        if (pDocument->GetFeature(id) != nullptr)
            ids.push_back(id);
    return ids;
}

void Show(BenchBar& bar, const std::vector<long>& ids)
{
    CArray<FeaturePropertyBase*> objects;
    objects.SetSize(0, static_cast<INT_PTR>(ids.size()));
    for (long id : ids)
        if (FeaturePropertyBase* p = ShapeFeaturePropertyBase::CreateFeatureProperty(Document().get(), id, -1))
            objects.Add(p);
    bar.SetFeatureProperties(objects, FALSE, FALSE);
}

void BM_SelectionToRows(benchmark::State& state)
{
    const std::vector<long> ids = Records();
    BenchBar bar;
    for (auto _ : state)
        Show(bar, ids);
    state.counters["objects"] = bar.GetFeaturePropertyCount();
    state.counters["rows"] = bar.GetRowCount();
    state.counters["bytes_per_object"] = sizeof(QZ2Command::Circle2dFeatureProperty) + sizeof(void*) * 3;
}

void BM_ColourOfAll(benchmark::State& state)
{
    const std::vector<long> ids = Records();
    BenchBar bar;
    Show(bar, ids);
    Draw2dDocument* pDocument = Document().get();
    short nColour = 2;
    int nSteps = 0;
    for (auto _ : state) {
        QZ2Command::ColorParameterItem colour;
        colour.SetId(5);
        colour.m_wNumber = static_cast<WORD>(nColour);
        colour.m_bEmpty = FALSE;
        const int nBefore = pDocument->GetUndoCount();
        bar.ApplyValue(&colour);
        nSteps = pDocument->GetUndoCount() - nBefore;
        nColour = nColour == 2 ? 3 : 2;
    }
    state.counters["undo_steps"] = nSteps;
    state.counters["objects"] = bar.GetFeaturePropertyCount();
}

}  // namespace

BENCHMARK(BM_SelectionToRows)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ColourOfAll)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Document().reset();
    return 0;
}
