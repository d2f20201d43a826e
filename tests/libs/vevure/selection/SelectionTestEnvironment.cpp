// Text extents and rendered pictures need a GUI application; tests run on the offscreen platform.
#include <gtest/gtest.h>

#include <QtGui/QGuiApplication>

namespace {

class GuiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (QGuiApplication::instance())
            return;
        if (qgetenv("QT_QPA_PLATFORM").isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_vevure_selection";
        static char* argv[] = {name, nullptr};
        m_app = new QGuiApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QGuiApplication* m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
