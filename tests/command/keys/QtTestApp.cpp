// One Qt application for the whole test program (offscreen): cursors need one.
#include <gtest/gtest.h>

#include <QtGui/QGuiApplication>

namespace {
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_command_keys";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QGuiApplication(argc, argv);
    }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace
