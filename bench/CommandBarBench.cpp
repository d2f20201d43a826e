// The command bar in an offscreen window with a command of 12 parameters of mixed types (lengths,
// angles, points, a point list, texts, a list, a scale, integers): showing the command with its paint,
// and one input as the manager refreshes after it (the row updated, the next row selected, the paint).
//
// Run: scripts/build.sh bench bench_command_bar && build/bench/bin/bench_command_bar

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <cstdlib>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CCommandBar.h"
#include "command/CommandBase.h"
#include "command/CommandParameter.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

using namespace QZ2Command;

namespace {

constexpr int kParameters = 12;

class TwelveParameters : public CommandBase
{
public:
    TwelveParameters()
    {
        // Item ids are unique in a command.
        int id = 0;
        for (int i = 0; i < kParameters; ++i) {
            auto* pParameter = new CommandParameter;
            switch (i % 6) {
            case 0: {
                LengthParameterItem item;
                item.m_strCaption = u"Length";
                item.SetId(++id);
                pParameter->AddItem(item);
                break;
            }
            case 1: {
                AngleParameterItem item;
                item.m_strCaption = u"Angle";
                item.SetId(++id);
                pParameter->AddItem(item);
                break;
            }
            case 2: {
                PointParameterItem item;
                item.m_strCaption = u"Point";
                item.SetId(++id);
                pParameter->AddItem(item);
                LengthParameterItem other;
                other.m_strCaption = u"Distance";
                other.SetId(++id);
                pParameter->AddItem(other);
                break;
            }
            case 3: {
                TextParameterItem item;
                item.m_strCaption = u"Text";
                item.m_bHistory = TRUE;
                item.SetId(++id);
                pParameter->AddItem(item);
                break;
            }
            case 4: {
                ListParameterItem item;
                item.m_strCaption = u"Kind";
                item.SetItemsFromText(u"One|Two|Three");
                item.SetId(++id);
                pParameter->AddItem(item);
                break;
            }
            default: {
                if (i == 5) {
                    ScaleParameterItem item;
                    item.m_strCaption = u"Scale";
                    item.SetId(++id);
                pParameter->AddItem(item);
                } else {
                    PointArrayParameterItem item;
                    item.m_strCaption = u"Points";
                    item.SetId(++id);
                pParameter->AddItem(item);
                }
                break;
            }
            }
            pParameter->SetCurrentIndex(0);
            AddParameter(pParameter);
        }
        SetCurrentParameterIndex(0);
    }
};

struct Scene {
    CWnd host;
    CCommandBar bar;
    TwelveParameters command;
    Scene()
    {
        host.CreateEx(0, AfxRegisterWndClass(0), u"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 260, 620, nullptr,
                      nullptr);
        bar.Create(u"Command", &host, CRect(0, 0, 240, 600), TRUE, 1, WS_CHILD | WS_VISIBLE);
        bar.MoveWindow(0, 0, 240, 600, TRUE);
    }
    ~Scene()
    {
        bar.DestroyWindow();
        host.DestroyWindow();
    }
};

std::unique_ptr<Scene> g_scene;

Scene& TheScene()
{
    if (!g_scene)
        g_scene = std::make_unique<Scene>();
    return *g_scene;
}

void BM_CommandBarSetCommand(benchmark::State& state)
{
    Scene& scene = TheScene();
    QWidget* pWidget = scene.bar.GetQWidget();
    for (auto _ : state) {
        scene.bar.SetCommand(&scene.command);
        QImage image = pWidget->grab().toImage();
        benchmark::DoNotOptimize(image.constBits());
        // What the event loop would do next: the toolbar's retired buttons go (deleteLater), layouts settle.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["rows"] = scene.bar.GetRowCount();
    state.counters["widgets"] = static_cast<double>(pWidget->findChildren<QWidget*>().size());
}

void BM_CommandBarInput(benchmark::State& state)
{
    Scene& scene = TheScene();
    scene.bar.SetCommand(&scene.command);
    QWidget* pWidget = scene.bar.GetQWidget();
    int n = 0;
    for (auto _ : state) {
        // One input as the manager answers it: the value shown, the next parameter selected, painted.
        const int index = n % kParameters;
        auto* pLength = dynamic_cast<LengthParameterItem*>(scene.command.GetParameter(index)->GetCurrentItem());
        if (pLength != nullptr) {
            pLength->SetValue(10.0 + n);
            pLength->m_bEmpty = FALSE;
        }
        scene.bar.UpdateParameterRow(index, 0);
        scene.bar.SelectParameterRow((index + 1) % kParameters);
        QImage image = pWidget->grab().toImage();
        benchmark::DoNotOptimize(image.constBits());
        // What the event loop would do next: the toolbar's retired buttons go (deleteLater), layouts settle.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ++n;
    }
    state.counters["widgets"] = static_cast<double>(pWidget->findChildren<QWidget*>().size());
}

}  // namespace

BENCHMARK(BM_CommandBarSetCommand)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_CommandBarInput)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv)
{
    // Offscreen, with a settings store of its own so that the run leaves the user's settings alone.
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
    g_scene.reset();
    return 0;
}
