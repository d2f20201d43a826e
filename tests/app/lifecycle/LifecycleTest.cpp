// The whole life of the program as its entry runs it: a static application object, the framework
// making the Qt application, start-up, the message loop, the user closing the main window, exit,
// and the static object going after the Qt application (the sanitizers watch that last step).

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include <cstdlib>

#include "app/CQZ2App.h"
#include "platform/afx/CStringArray.h"
#include "platform/win/CWnd.h"
#include "platform/win/SettingsStore.h"
#include "platform/win/WinMessages.h"

namespace {

class ClosingApp : public CQZ2App
{
public:
    BOOL OnIdle(LONG lCount) override
    {
        // The user closes the main window as soon as the program waits for input.
        if (!m_bClosed && m_pMainWnd != nullptr) {
            m_bClosed = TRUE;
            m_bStartedBeforeClose = IsStartCompleted();
            m_pMainWnd->PostMessage(WM_CLOSE);
        }
        return CQZ2App::OnIdle(lCount);
    }
    BOOL m_bClosed = FALSE;
    BOOL m_bStartedBeforeClose = FALSE;
};

ClosingApp theApp;

}  // namespace

TEST(LifecycleTest, TheProgramStartsRunsClosesAndStoresItsSettings)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    setenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8().constData(), 1);
    setenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8().constData(), 1);
    setenv("LC_ALL", "en_US.UTF-8", 1);
    theApp.SetResourceFolder(CString(KC_TEST_RESOURCE_DIR));
    theApp.SetCommandLineArguments(CStringArray());

    static char name[] = "test_app_lifecycle";
    static char* argv[] = {name, nullptr};
    const int code = AfxWinMain(1, argv);

    EXPECT_EQ(code, 0);
    EXPECT_TRUE(theApp.m_bClosed);
    EXPECT_TRUE(theApp.m_bStartedBeforeClose);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(SettingsStore::Get(SettingsStore::CurrentUser)
                  ->KeyExists(u"Software\\Korvan\\Rivedi VEZ Dadazizo\\4.0\\Version"),
              0);
}
