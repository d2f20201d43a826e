// The main() of every test program: each run gets a home, a settings store and a machine-wide store
// of its own in a fresh temporary folder, so tests never read or change the user's or the machine's
// settings, and Qt draws offscreen.

#include <gtest/gtest.h>

#include <QtCore/QByteArray>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <cstdlib>

// Leaks inside system libraries that our code cannot free; everything else is reported.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n"
           "leak:libdbus-1\n"
           "leak:libglib-2.0\n";
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/kc-test-XXXXXX"));
    if (home.isValid()) {
        const QByteArray root = home.path().toUtf8();
        setenv("HOME", root.constData(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
        setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
        setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
        setenv("KC_MACHINE_CONFIG_DIR", (root + "/machine").constData(), 1);
        // The folders exist, as they do on a desktop: tests may write into them before the program does.
        for (const char* folder : {"/config", "/data", "/cache", "/runtime"})
            QDir().mkpath(home.path() + QLatin1String(folder));
        // Qt refuses a runtime folder others can read.
        QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
