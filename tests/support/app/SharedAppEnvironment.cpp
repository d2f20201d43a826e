#include "SharedAppEnvironment.h"

#include <QtCore/QByteArray>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <cstdlib>

#include "platform/afx/CStringArray.h"

namespace {

RecordingTestApp* g_app = nullptr;
QTemporaryDir* g_home = nullptr;

}  // namespace

void SharedAppEnvironment::SetUp()
{
    static int argc = 1;
    static char name[] = "kc_test";
    static char* argv[] = {name, nullptr};
    g_home = new QTemporaryDir;
    const QByteArray root = g_home->path().toUtf8();
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
    setenv("KC_MACHINE_CONFIG_DIR", (root + "/machine").constData(), 1);
    setenv("LC_ALL", "en_US.UTF-8", 1);
    // The folders exist, as they do on a desktop: tests may write into them before the program does.
    for (const char* folder : {"/config", "/data", "/cache", "/runtime"})
        QDir().mkpath(g_home->path() + QLatin1String(folder));
    QFile::setPermissions(g_home->path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
    g_app = new RecordingTestApp;
    g_app->SetResourceFolder(CString::FromQString(QStringLiteral(KC_TEST_RESOURCE_DIR)));
    g_app->SetCommandLineArguments(CStringArray());
    ASSERT_TRUE(g_app->InitInstance());
}

void SharedAppEnvironment::TearDown()
{
    g_app->ExitInstance();
    delete g_app;
    g_app = nullptr;
    delete g_home;
}

RecordingTestApp* SharedAppEnvironment::App()
{
    return g_app;
}

namespace {
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new SharedAppEnvironment);
}  // namespace
