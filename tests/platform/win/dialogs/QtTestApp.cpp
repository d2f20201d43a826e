// One Qt application and one application object for the whole test program (offscreen).
// The application object answers message boxes itself and remembers their texts.
#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "TestApp.h"
#include "platform/win/CDialog.h"

CTestApp& TheTestApp() {
  static CTestApp app;
  return app;
}

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  prompts.push_back(CString(lpszPrompt ? lpszPrompt : u""));
  types.push_back(nType);
  return answer;
}

void WhenActive(CDialog& dlg, std::function<void()> act) {
  QTimer::singleShot(0, [&dlg, act = std::move(act)] {
    const bool active = QTest::qWaitFor(
        [&dlg] {
          QWidget* w = dlg.GetSafeHwnd() ? dlg.GetQWidget() : nullptr;
          return w && w->isActiveWindow() && QApplication::focusWidget() != nullptr;
        },
        30000);
    if (!active) {
      ADD_FAILURE() << "the dialog did not become active";
      if (dlg.GetSafeHwnd()) dlg.EndDialog(IDABORT);
      return;
    }
    act();
  });
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
