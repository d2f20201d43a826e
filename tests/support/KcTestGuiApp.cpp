// One Qt application for a whole test program whose tests make windows (offscreen). Linked as object
// code so that its registration runs without anything referring to it.
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

namespace {
class QtEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "kc_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QApplication(argc, argv);
    }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace
