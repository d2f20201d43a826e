// One Qt application for the whole test program (offscreen), over a settings store of its own in a
// temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QtCore/QByteArray>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

namespace {
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static QTemporaryDir home;
        const QByteArray root = home.path().toUtf8();
        setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
        setenv("KC_MACHINE_CONFIG_DIR", (root + "/machine").constData(), 1);
        static int argc = 1;
        static char name[] = "test_app_steering";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QApplication(argc, argv);
    }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace
