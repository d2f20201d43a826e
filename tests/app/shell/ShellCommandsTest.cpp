// The application shell's own windows and commands: the splash at start, the add-in manager, the
// about box and the product's web pages.

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtWidgets/QWidget>

#include "ProgramFixture.h"
#include "app/CAddInManagerDialog.h"
#include "app/CMainFrame.h"
#include "app/CQZ2AboutDlg.h"
#include "app/CSplashWnd.h"
#include "command/CommandManager.h"
#include "controls/GridColumnItem.h"
#include "platform/win/CDocManager.h"
#include "platform/win/Registry.h"
#include "platform/win/SettingsStore.h"
#include "platform/win/WinConstants.h"

namespace {

class ShellCommandsTest : public ProgramFixture
{
protected:
    static void Press(CWnd& wnd, int nID)
    {
        CWnd* pButton = wnd.GetDlgItem(nID);
        ASSERT_NE(pButton, nullptr) << nID;
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->m_hWnd));
    }
    static CString Text(CWnd& wnd, int nID)
    {
        CString text;
        wnd.GetDlgItemText(nID, text);
        return text;
    }
    static void Screenshot(CWnd& wnd, const char* name)
    {
        if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR"))
            wnd.GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QLatin1Char('/') +
                                          QString::fromLatin1(name));
    }
    // The product site as whoever installs the program sets it.
    static void SetMachineSite(const QString& site)
    {
        const std::u16string path = SettingsStore::MachineFilePath();
        QDir().mkpath(QFileInfo(QString::fromStdU16String(path)).absolutePath());
        SettingsStore store(path, SettingsStore::RootName(SettingsStore::LocalMachine), false);
        const std::u16string key = u"Software\\Korvan\\Rivedi VEZ Dadazizo 4\\Web";
        ASSERT_EQ(store.CreateKey(key, nullptr), ERROR_SUCCESS);
        const std::u16string value = site.toStdU16String();
        ASSERT_EQ(store.SetValue(key, u"Site", REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))),
                  ERROR_SUCCESS);
    }
    static QStringList& Opened()
    {
        static QStringList opened;
        return opened;
    }
    static BOOL RecordOpen(const CString& url)
    {
        Opened().append(url.ToQString());
        return TRUE;
    }
};

TEST(SplashWnd, PicturesWiderThan500AreShownAt500InProportion)
{
    struct Case {
        int cx, cy, wx, wy;
    } cases[] = {{1000, 600, 500, 300}, {400, 300, 400, 300}, {500, 80, 500, 80}, {501, 100, 500, 99}, {3000, 1, 500, 0}};
    for (const Case& c : cases) {
        const CSize size = CSplashWnd::FitSize(c.cx, c.cy);
        EXPECT_EQ(size.cx, c.wx) << c.cx << "x" << c.cy;
        EXPECT_EQ(size.cy, c.wy) << c.cx << "x" << c.cy;
    }
}

TEST_F(ShellCommandsTest, TheSplashShowsItsPictureUntilAClickWhichGoesNowhereElse)
{
    // The picture lies beside the program, as installed.
    Stop();
    m_bSplash = true;
    ASSERT_TRUE(Start());
    CSplashWnd* pSplash = CSplashWnd::GetSplashWnd();
    ASSERT_NE(pSplash, nullptr);
    CRect rect;
    pSplash->GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 500);  // the 600 x 360 picture
    EXPECT_EQ(rect.Height(), 300);
    Screenshot(*pSplash, "splash.png");

    // A click anywhere while it shows only ends it.
    MSG click{};
    click.hwnd = m_app->m_pMainWnd->GetSafeHwnd();
    click.message = WM_LBUTTONDOWN;
    EXPECT_TRUE(m_app->PreTranslateMessage(&click));
    EXPECT_EQ(CSplashWnd::GetSplashWnd(), nullptr);
    EXPECT_FALSE(m_app->PreTranslateMessage(&click) && CSplashWnd::GetSplashWnd() != nullptr);

    // Shown again, its timer ends it.
    ASSERT_TRUE(CSplashWnd::ShowSplashScreen(m_app->m_pMainWnd));
    ASSERT_FALSE(CSplashWnd::ShowSplashScreen(m_app->m_pMainWnd));  // one at a time
    CSplashWnd::GetSplashWnd()->SendMessage(WM_TIMER, CSplashWnd::kTimerId, 0);
    EXPECT_EQ(CSplashWnd::GetSplashWnd(), nullptr);

    // Without its picture there is none, and the start goes on.
    CSplashWnd::SetPicturePath(CString::FromQString(m_home.path() + QStringLiteral("/gone.jpg")));
    EXPECT_FALSE(CSplashWnd::ShowSplashScreen(m_app->m_pMainWnd));
    EXPECT_EQ(CSplashWnd::GetSplashWnd(), nullptr);
    Stop();
    m_bSplash = false;  // the fixture's start without a picture
    ASSERT_TRUE(Start());
    EXPECT_EQ(CSplashWnd::GetSplashWnd(), nullptr);
    EXPECT_NE(m_app->m_pMainWnd, nullptr);
}

TEST(AddInManagerDialog, ColumnWidthsFollowThePlaceholder)
{
    struct Case {
        int w;
        int widths[4];
    } cases[] = {
        {400, {50, 100, 185, 45}},
        {40, {5, 10, 5, 0}},
        {39, {4, 9, 4, 4}},   // column 3 below 0: column 2's width
        {29, {3, 7, 7, 7}},   // and column 2 too: column 1's
        {0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        int widths[4] = {};
        CAddInManagerDialog::ColumnWidths(c.w, widths);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(widths[i], c.widths[i]) << "W " << c.w << " column " << i;
    }
}

TEST_F(ShellCommandsTest, TheAddInManagerOpensWithoutADrawingAndListsNothing)
{
    AfxGetDocManager()->CloseAllDocuments(FALSE);
    Pump();
    ASSERT_EQ(ActiveDocument(), nullptr);
    bool seen = false;
    WhenModal<CAddInManagerDialog>([&](CAddInManagerDialog& dialog) {
        seen = true;
        CGridCtrl& grid = dialog.GetGrid();
        ASSERT_NE(grid.GetSafeHwnd(), nullptr);
        ASSERT_EQ(grid.GetColumnCount(), 4);
        EXPECT_EQ(grid.GetRowCount(), 0);
        EXPECT_EQ(grid.GetColumn(0)->m_nKind, GridColumnItem::kindCheck);
        EXPECT_EQ(grid.GetColumn(3)->m_nKind, GridColumnItem::kindCheck);
        EXPECT_EQ(grid.GetColumn(1)->m_strTitle, CString(u"Name"));
        for (const int id : {1072, 1073, 1074, 1075, 1077, 1078})
            EXPECT_TRUE(Text(dialog, id).IsEmpty()) << id;
        // The button does nothing.
        Press(dialog, CAddInManagerDialog::IDC_BUTTON);
        EXPECT_EQ(grid.GetRowCount(), 0);
        Screenshot(dialog, "add-in-manager.png");
        Press(dialog, IDOK);
    });
    Command(34998);
    EXPECT_TRUE(seen);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(m_manager->GetActiveCommand(), nullptr);
}

TEST_F(ShellCommandsTest, AboutAndTheWebPagesFollowTheInstalledSite)
{
    CQZ2App::SetOpenUrlFunction(&ShellCommandsTest::RecordOpen);
    Opened().clear();
    // No site: nothing is opened, and the link is hidden.
    Command(34948);
    EXPECT_TRUE(Opened().isEmpty());
    WhenModal<CQZ2AboutDlg>([](CQZ2AboutDlg& dialog) {
        EXPECT_TRUE(Text(dialog, CQZ2AboutDlg::IDC_PRODUCT).ToQString().endsWith(QStringLiteral("Version 4.21.0")));
        EXPECT_TRUE(Text(dialog, CQZ2AboutDlg::IDC_COPYRIGHT).ToQString().contains(QString::fromLatin1(qVersion())));
        EXPECT_FALSE(dialog.GetDlgItem(CQZ2AboutDlg::IDC_SITE)->IsWindowVisible());
        Press(dialog, IDOK);
    });
    Command(57664);

    // An address that is no web page is no site.
    SetMachineSite(QStringLiteral("file:///etc/passwd"));
    EXPECT_TRUE(CQZ2App::GetProductSite().IsEmpty());
    SetMachineSite(QStringLiteral("https://example.test/kc"));
    EXPECT_EQ(CQZ2App::GetProductSite(), CString(u"https://example.test/kc/"));
    for (const UINT id : {34946u, 34948u, 34949u, 34950u})
        Command(id);
    EXPECT_EQ(Opened(), (QStringList{QStringLiteral("https://example.test/kc/"), QStringLiteral("https://example.test/kc/rd/faq/"),
                                     QStringLiteral("https://example.test/kc/rd/order/"),
                                     QStringLiteral("https://example.test/kc/rd/addins/")}));
    WhenModal<CQZ2AboutDlg>([](CQZ2AboutDlg& dialog) {
        EXPECT_TRUE(dialog.GetDlgItem(CQZ2AboutDlg::IDC_SITE)->IsWindowVisible());
        EXPECT_EQ(Text(dialog, CQZ2AboutDlg::IDC_SITE), CString(u"https://example.test/kc/"));
        Screenshot(dialog, "about.png");
        Press(dialog, IDOK);
    });
    Command(57664);
    EXPECT_EQ(PendingModalActions(), 0u);
    CQZ2App::SetOpenUrlFunction(nullptr);

    // The SDK help leaves the help path on the main help.
    Command(34947);
    EXPECT_TRUE(CString(m_app->m_pszHelpFilePath).ToQString().endsWith(QStringLiteral("/korvancad.chm")));
}

}  // namespace
