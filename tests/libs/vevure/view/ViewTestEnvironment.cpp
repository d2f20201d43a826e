// Fonts and screens need a GUI application; tests run on the offscreen platform.
#include <gtest/gtest.h>

#include <QtGui/QGuiApplication>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    static int argc = 1;
    static char name[] = "test_vevure_view";
    static char* argv[] = {name, nullptr};
    m_app = new QGuiApplication(argc, argv);
  }
  void TearDown() override {
    delete m_app;
    m_app = nullptr;
  }

private:
  QGuiApplication* m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
