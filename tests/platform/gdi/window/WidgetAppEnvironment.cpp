// One widget application for the test program (offscreen).
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

namespace {

class WidgetEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_gdi_window";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) m_app = new QApplication(argc, argv);
  }

private:
  QApplication* m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new WidgetEnvironment);

}  // namespace
