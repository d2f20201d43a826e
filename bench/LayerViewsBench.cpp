// The layer bar over large layer tables in an offscreen window: a tree of 100 groups of 100 layers (every
// tenth group nested in the one before it) and one flat group of 10,000 layers, each document holding
// 100,000 shapes spread over its layers. Measured: the bar's tree filled from the document, and the tree
// following a reorder of one layer (one undo step, its notification handled by the bar); the layer table's
// list filled with the largest group, a page of the table scrolled and painted with shape counts taken anew
// (many shapes changed) or kept in step with one changed shape, and
// the table following a dropped row (the move of one row as one undo step, then the group shown again, as
// the table view does on that notification).

#include <benchmark/benchmark.h>

#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <memory>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "structure/CLayerBar.h"
#include "structure/CLayerListCtrl.h"

namespace {

struct Layers {
    std::unique_ptr<Draw2dDocument> doc = std::make_unique<Draw2dDocument>();
    std::vector<long> layers;
    long largest = -1;
    CWnd host;
    CLayerBar bar;
    CWnd tableHost;
    CLayerListCtrl table;

    explicit Layers(bool bFlat)
    {
        doc->BeginUndoOperation(nullptr);
        if (bFlat) {
            const long group = doc->AddLayerGroup(u"flat", -1);
            largest = group;
            for (int i = 0; i < 10000; ++i)
                layers.push_back(doc->AddLayer(CString::FromQString(QString::number(i)), group));
        } else {
            long previous = -1;
            for (int g = 0; g < 100; ++g) {
                const long parent = (g % 10 == 9) ? previous : -1;
                const long group = doc->AddLayerGroup(CString::FromQString(QStringLiteral("G%1").arg(g)), parent);
                if (largest == -1 || parent != -1)
                    largest = group;  // a nested group: 100 layers and a sub-group
                for (int i = 0; i < 100; ++i)
                    layers.push_back(doc->AddLayer(CString::FromQString(QStringLiteral("L%1").arg(i)), group));
                previous = group;
            }
        }
        for (int i = 0; i < 100000; ++i) {
            Line2dFeature line(RuVaPnt2d(i % 1000, i / 1000), RuVaPnt2d(i % 1000 + 0.5, i / 1000));
            line.SetLayerID(layers[static_cast<size_t>(i) % layers.size()]);
            doc->AddFeature(&line, nullptr, 0);
        }
        doc->EndUndoOperation();
        doc->ClearUndoRedoHistory();
        host.CreateEx(0, AfxRegisterWndClass(0), u"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 700, nullptr,
                      nullptr);
        bar.Create(u"Layers", &host, CRect(0, 0, 300, 680), FALSE, 59427, WS_CHILD | WS_VISIBLE);
        doc->SetNotifyFunction(&Layers::Relay, this);
        tableHost.CreateEx(0, AfxRegisterWndClass(0), u"table", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 800,
                           nullptr, nullptr);
        table.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 880, 780), &tableHost, 1070);
        table.SetDocument(doc.get());
    }
    static int Relay(NotifyInfoBase* pInfo, void* pUser)
    {
        static_cast<Layers*>(pUser)->bar.OnDocumentNotify(pInfo);
        return 0;
    }
    void Activate(Draw2dDocument* pDocument)
    {
        NotifyInfoBase info(pDocument, NotifyInfoBase::kindDocument, 1);
        bar.OnDocumentNotify(&info);
    }
};

Layers& Shared(bool bFlat)
{
    static Layers* tree = nullptr;
    static Layers* flat = nullptr;
    Layers*& p = bFlat ? flat : tree;
    if (p == nullptr)
        p = new Layers(bFlat);
    return *p;
}

void BM_LayerBarFillsItsTree(benchmark::State& state)
{
    Layers& l = Shared(state.range(0) != 0);
    for (auto _ : state) {
        l.Activate(nullptr);
        l.Activate(l.doc.get());
    }
    state.counters["items"] = static_cast<double>(l.bar.GetTree().GetCount());
}
BENCHMARK(BM_LayerBarFillsItsTree)->Arg(0)->Arg(1)->ArgName("flat")->Unit(benchmark::kMillisecond);

void BM_LayerBarFollowsAReorder(benchmark::State& state)
{
    Layers& l = Shared(state.range(0) != 0);
    l.Activate(l.doc.get());
    const long first = l.layers.front();
    const long last = l.layers.back();
    const int before = l.doc->GetUndoCount();
    int moves = 0;
    for (auto _ : state) {
        // To the end and back, as a drop of one row does.
        l.doc->BeginUndoOperation(nullptr);
        l.doc->MoveAfterLayer((moves % 2) ? last : first, (moves % 2) ? first : last, 1);
        l.doc->EndUndoOperation();
        ++moves;
    }
    state.counters["undo_steps_per_move"] = static_cast<double>(l.doc->GetUndoCount() - before) / moves;
}
BENCHMARK(BM_LayerBarFollowsAReorder)->Arg(0)->Arg(1)->ArgName("flat")->Unit(benchmark::kMillisecond);

void BM_LayerTableFillsTheLargestGroup(benchmark::State& state)
{
    Layers& l = Shared(state.range(0) != 0);
    for (auto _ : state)
        l.table.ShowGroup(l.largest);
    state.counters["rows"] = static_cast<double>(l.table.GetItemCount());
}
BENCHMARK(BM_LayerTableFillsTheLargestGroup)->Arg(0)->Arg(1)->ArgName("flat")->Unit(benchmark::kMillisecond);

void BM_LayerTablePaintsAPage(benchmark::State& state)
{
    Layers& l = Shared(state.range(0) != 0);
    l.table.ShowGroup(l.largest);
    QWidget* pWidget = l.table.GetQWidget();
    const int page = std::max(1, l.table.GetCountPerPage());
    int top = 0;
    for (auto _ : state) {
        // Many shapes changed at once: counts are taken anew, then one page further down is painted.
        l.table.InvalidateFeatureCounts();
        top = (top + page) % std::max(1, l.table.GetItemCount() - page);
        l.table.EnsureVisible(std::min(l.table.GetItemCount() - 1, top + page - 1), FALSE);
        benchmark::DoNotOptimize(pWidget->grab());
    }
    state.counters["rows_per_page"] = page;
}
BENCHMARK(BM_LayerTablePaintsAPage)->Arg(0)->Arg(1)->ArgName("flat")->Unit(benchmark::kMillisecond);

void BM_LayerTablePaintsAPageAfterAShapeChange(benchmark::State& state)
{
    Layers& l = Shared(state.range(0) != 0);
    l.table.ShowGroup(l.largest);
    QWidget* pWidget = l.table.GetQWidget();
    const int page = std::max(1, l.table.GetCountPerPage());
    // Counted once; from then on the changed record alone is followed, as the table view does on the
    // notification of one shape.
    benchmark::DoNotOptimize(pWidget->grab());
    const long record = l.doc->GetNextFeatureRecordID(-1);
    std::unique_ptr<Feature2dBase> shape(l.doc->GetFeature(record)->CopyObject());
    int top = 0;
    for (auto _ : state) {
        top = (top + page) % std::max(1, l.table.GetItemCount() - page);
        shape->SetLayerID(l.table.GetLayerID(top));
        l.doc->UpdateFeature(record, shape.get(), 0, Feature2dBase::copyAll);
        l.table.FollowFeatureRecord(record);
        l.table.EnsureVisible(std::min(l.table.GetItemCount() - 1, top + page - 1), FALSE);
        benchmark::DoNotOptimize(pWidget->grab());
    }
    state.counters["rows_per_page"] = page;
}
BENCHMARK(BM_LayerTablePaintsAPageAfterAShapeChange)->Arg(0)->Arg(1)->ArgName("flat")->Unit(benchmark::kMillisecond);

void BM_LayerTableFollowsADroppedRow(benchmark::State& state)
{
    Layers& l = Shared(state.range(0) != 0);
    const LayerFeatureTable* pTable = l.doc->GetLayerTable();
    const long group = l.largest;
    l.table.ShowGroup(group);
    const long first = pTable->GetChildLayerID(group, 0);
    const long last = pTable->GetChildLayerID(group, pTable->GetChildLayerFeatureCount(group) - 1);
    int moves = 0;
    auto move = [&] {
        l.doc->BeginUndoOperation(nullptr);
        l.doc->MoveAfterLayer((moves % 2) ? last : first, (moves % 2) ? first : last, 1);
        l.doc->EndUndoOperation();
        ++moves;
    };
    // The steps of one move, counted on an empty history (a full one no longer grows).
    l.doc->ClearUndoRedoHistory();
    move();
    state.counters["undo_steps_per_move"] = static_cast<double>(l.doc->GetUndoCount());
    move();
    for (auto _ : state) {
        move();
        l.table.ShowGroup(group);
    }
}
BENCHMARK(BM_LayerTableFollowsADroppedRow)->Arg(0)->Arg(1)->ArgName("flat")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
