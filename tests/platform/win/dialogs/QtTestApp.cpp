// One Qt application and one application object for the whole test program (offscreen).
// The application object answers message boxes itself and remembers their texts.
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

#include "TestApp.h"

CTestApp& TheTestApp() {
  static CTestApp app;
  return app;
}

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  prompts.push_back(CString(lpszPrompt ? lpszPrompt : u""));
  types.push_back(nType);
  return answer;
}

namespace {
class QtEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_win_dialogs";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
    TheTestApp();
  }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace
