// One Qt application for the whole test program (offscreen).
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

namespace {
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QApplication(argc, argv);
    }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace
