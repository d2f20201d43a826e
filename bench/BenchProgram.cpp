#include "BenchProgram.h"

#include "MixedDrawing.h"

#include <QtCore/QByteArray>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

namespace BenchProgram {

namespace {

QTemporaryDir& Home()
{
    static QTemporaryDir* home = new QTemporaryDir;
    return *home;
}

bool g_bHomeTaken = false;

}  // namespace

void UseOwnHome()
{
    if (g_bHomeTaken)
        return;
    g_bHomeTaken = true;
    const QByteArray root = Home().path().toUtf8();
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
    setenv("KC_MACHINE_CONFIG_DIR", (root + "/machine").constData(), 1);
    QDir().mkpath(Home().path() + QStringLiteral("/runtime"));
    // Qt refuses a runtime folder others can read.
    QFile::setPermissions(Home().path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
    setenv("LC_ALL", "en_US.UTF-8", 1);
}

QString HomePath()
{
    return Home().path();
}

int RunBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The program's windows and objects are left to the process's end.
    std::_Exit(0);
}

Program& Shared()
{
    static Program* program = [] {
        UseOwnHome();
        auto* p = new Program;
        p->app = std::make_unique<CQZ2App>();
        p->app->SetResourceFolder(
            CString::FromQString(QCoreApplication::applicationDirPath() + QStringLiteral("/resource")));
        p->app->SetCommandLineArguments(CStringArray());
        if (!p->app->InitInstance())
            std::abort();
        p->frame = dynamic_cast<CMainFrame*>(p->app->m_pMainWnd);
        p->frame->SendMessage(WM_COMMAND, MAKEWPARAM(57600, 0), 0);
        QCoreApplication::processEvents();
        CMDIChildWnd* pChild = p->frame->MDIGetActive();
        p->doc = pChild != nullptr ? dynamic_cast<CQZ2Doc*>(pChild->GetActiveDocument()) : nullptr;
        if (p->doc == nullptr)
            std::abort();
        return p;
    }();
    return *program;
}

Program& SharedWithShapes(int nShapes)
{
    static Program* program = [nShapes] {
        Program* p = &Shared();
        MixedDrawing::Fill(p->doc->GetDraw2dDocument(), nShapes);
        QCoreApplication::processEvents();
        return p;
    }();
    return *program;
}

}  // namespace BenchProgram
