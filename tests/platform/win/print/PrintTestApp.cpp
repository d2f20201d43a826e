// One Qt application and one application object for the whole test program (offscreen). The
// print system is pointed at a server that does not exist, so the machine's own printers never
// show: the PDF printer is the only one and there is no default printer.

#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

#include "PrintTestApp.h"

CPrintTestApp& ThePrintTestApp() {
  static CPrintTestApp app;
  return app;
}

int CPrintTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) {
  prompts.push_back(CString(lpszPrompt ? lpszPrompt : u""));
  return IDOK;
}

namespace {
class QtEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    qputenv("CUPS_SERVER", "/nonexistent/kc-test/cups.sock");
    static int argc = 1;
    static char name[] = "test_win_print";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
    ThePrintTestApp();
  }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace
