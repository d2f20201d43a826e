// Start-up and exit of the application object: first start, language choice, language library
// fallback, options and version kept across runs, stored values out of range, the layer table view
// block, the settings reset offer, the desktop files and the auto-save timer.

#include <QtCore/QCoreApplication>
#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLockFile>

#include <cmath>
#include <limits>
#include <unistd.h>

#include "AppFixture.h"
#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2FileDialog.h"
#include "app/DrawEnvironment.h"
#include "app/LastUpdateCheckTime.h"
#include "app/SystemEnvironment.h"
#include "app/UpdateChecker.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/GraphicManager.h"
#include "libs/vevure/InputConstValue.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CDocManager.h"
#include "platform/win/SettingsStore.h"
#include "platform/win/WinInput.h"
#include "structure/LayerTableViewSetting.h"

namespace {

QString LoadedLibraryName(const CQZ2App& app)
{
    if (app.GetResourceModule() == nullptr)
        return QString();
    return QFileInfo(QString::fromStdU16String(app.GetResourceModule()->GetPath())).fileName();
}

// The block as the layer table view state is stored: tag, writer's version, state.
QByteArray LayerBlock(const QString& tag, int major, int minor, const std::vector<int>& state)
{
    QByteArray b;
    b.append(char(0xFF));
    b.append(char(0xFE));
    b.append(char(0xFF));
    b.append(char(tag.size()));
    for (QChar c : tag) {
        b.append(char(c.unicode() & 0xFF));
        b.append(char(c.unicode() >> 8));
    }
    auto put = [&b](int v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((static_cast<unsigned>(v) >> (8 * i)) & 0xFF));
    };
    put(major);
    put(minor);
    for (int v : state)
        put(v);
    return b;
}

}  // namespace

TEST_F(AppFixture, FirstStartUsesDefaultsShowsTheMainWindowAndStoresTheSettingsAtExit)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_app->IsStartCompleted());
    EXPECT_EQ(m_app->GetSettingsVersion(), 0u);
    EXPECT_EQ(m_app->GetLanguageCode(), CString(u"ENG"));
    EXPECT_NE(m_app->GetApplicationFont().GetSafeHandle(), nullptr);

    CWnd* pMain = m_app->m_pMainWnd;
    ASSERT_NE(pMain, nullptr);
    EXPECT_TRUE(pMain->IsKindOf(RUNTIME_CLASS(CMainFrame)));
    EXPECT_TRUE(pMain->IsWindowVisible());
    CString title;
    pMain->GetWindowText(title);
    EXPECT_GE(title.Find(LoadResourceString(AFX_IDS_APP_TITLE)), 0) << title.ToQString().toStdString();

    const SystemEnvironment defaults;
    const SystemEnvironment& options = *m_app->GetSystemEnvironment();
    EXPECT_EQ(options.m_SnapType, defaults.m_SnapType);
    EXPECT_EQ(options.m_AutoRecoverTime, 10);
    EXPECT_EQ(options.GetInputConstValue()->GetSize(), 4);

    // The new drawing of the first start has the standard tables.
    CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
    m_app->GetOpenDocuments(documents);
    ASSERT_EQ(documents.GetSize(), 1);
    Draw2dDocument* pModel = documents[0]->GetDraw2dDocument();
    ASSERT_NE(pModel, nullptr);
    const DrawEnvironment* pEnvironment = m_app->GetDrawEnvironment();
    EXPECT_GT(pEnvironment->GetColorFeatureTable()->GetColorSize(), 0);
    EXPECT_EQ(pModel->GetColorFeatureTable()->GetColorSize(), pEnvironment->GetColorFeatureTable()->GetColorSize());
    EXPECT_EQ(pModel->GetLineTypeFeatureTable()->GetLineTypeSize(),
              pEnvironment->GetLineTypeFeatureTable()->GetLineTypeSize());
    EXPECT_EQ(pModel->GetLineWidthFeatureTable()->GetLineWidthSize(),
              pEnvironment->GetLineWidthFeatureTable()->GetLineWidthSize());

    Stop();
    EXPECT_TRUE(UserKeyExists(QStringLiteral("Options")));
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetSettingsVersion(), (4u << 16) | 21u);
}

TEST_F(AppFixture, InterfaceLanguageComesFromTheUserLocaleAndTheMachineOverride)
{
    struct Case {
        const char* locale;
        const char* machine;  // nullptr: no override
        const char* code;
        const char* library;
    };
    const Case cases[] = {
        {"en_GB.UTF-8", nullptr, "ENG", "KcResourceENG.rcc"},
        {"ja_JP.UTF-8", nullptr, "JPN", "KcResourceJPN.rcc"},
        {"zh_CN.UTF-8", nullptr, "ENG", "KcResourceENG.rcc"},
        {"ja_JP.UTF-8", "ENG", "ENG", "KcResourceENG.rcc"},
        {"en_US.UTF-8", "JPN", "JPN", "KcResourceJPN.rcc"},
        // A code that would lead out of the resource folder is not taken.
        {"ja_JP.UTF-8", "../../tmp/x", "JPN", "KcResourceJPN.rcc"},
        {"en_US.UTF-8", "", "ENG", "KcResourceENG.rcc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " / " + (c.machine ? c.machine : "none"));
        setenv("LC_ALL", c.locale, 1);
        QFile::remove(QString::fromStdU16String(SettingsStore::MachineFilePath()));
        if (c.machine)
            SetMachineLanguage(QString::fromLatin1(c.machine));
        ASSERT_TRUE(Start());
        EXPECT_EQ(m_app->GetLanguageCode().ToQString(), QString::fromLatin1(c.code));
        EXPECT_EQ(LoadedLibraryName(*m_app), QString::fromLatin1(c.library));
        EXPECT_TRUE(m_app->boxes.empty());
        Stop();
    }
}

TEST_F(AppFixture, BothLanguagesStartWithTheirOwnTexts)
{
    setenv("LC_ALL", "en_US.UTF-8", 1);
    ASSERT_TRUE(Start());
    const CString english = LoadResourceString(57346);
    Stop();
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    ASSERT_TRUE(Start());
    const CString japanese = LoadResourceString(57346);
    ASSERT_NE(m_app->m_pMainWnd, nullptr);
    EXPECT_TRUE(m_app->m_pMainWnd->IsWindowVisible());
    EXPECT_FALSE(english.IsEmpty());
    EXPECT_FALSE(japanese.IsEmpty());
    EXPECT_NE(english, japanese);
}

TEST_F(AppFixture, AMissingLanguageLibraryFallsBackToAnotherAndNoneStopsTheStart)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::copy(ResourceDir() + QStringLiteral("/KcResourceJPN.rcc"),
                            folder.path() + QStringLiteral("/KcResourceJPN.rcc")));
    ASSERT_TRUE(Start({}, folder.path()));
    EXPECT_EQ(m_app->GetLanguageCode(), CString(u"ENG"));
    EXPECT_EQ(LoadedLibraryName(*m_app), QStringLiteral("KcResourceJPN.rcc"));
    Stop();

    // Nothing loadable: the message names the language and every file tried, one a line.
    SettingsStore::Get(SettingsStore::CurrentUser)->DeleteKey(kAppKey.toStdU16String(), false);
    QFile::remove(folder.path() + QStringLiteral("/KcResourceJPN.rcc"));
    QFile broken(folder.path() + QStringLiteral("/KcResourceXYZ.rcc"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a language library");
    broken.close();
    EXPECT_FALSE(Start({}, folder.path()));
    ASSERT_EQ(m_app->boxes.size(), 1u);
    const QString expected = QStringLiteral("Failed to load resource file.\n\nLANG = ENG\n") + folder.path() +
                             QStringLiteral("/KcResourceENG.rcc\n") + folder.path() +
                             QStringLiteral("/KcResourceXYZ.rcc");
    EXPECT_EQ(m_app->boxes[0].text, expected);
    EXPECT_EQ(m_app->boxes[0].type & MB_TYPEMASK, UINT(MB_OK));
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    // Without a language library only the program's own title and help prompt exist.
    EXPECT_EQ(LoadResourceString(AFX_IDS_APP_TITLE), CString(u"Rivedi VEZ"));
    EXPECT_TRUE(LoadResourceString(10044).IsEmpty());
    Stop();
    // A start that failed stores nothing.
    EXPECT_FALSE(UserKeyExists(QStringLiteral("Version")));
    EXPECT_FALSE(UserKeyExists(QStringLiteral("Options")));
}

TEST_F(AppFixture, OptionsChangedDuringARunAreThereAtTheNextStart)
{
    ASSERT_TRUE(Start());
    SystemEnvironment options(*m_app->GetSystemEnvironment());
    ASSERT_TRUE(options.SetSnapDivisionCount(50));
    ASSERT_TRUE(options.SetNudgeMode(1));
    ASSERT_TRUE(options.SetNudgeSteps(0.25));
    ASSERT_TRUE(options.SetSnapAngle(22.5));
    ASSERT_TRUE(options.SetSelectionShapeMode(16));
    ASSERT_TRUE(options.SetNudgeEnabled(FALSE));
    ASSERT_TRUE(options.SetPaperColor(RGB(1, 2, 3)));
    ASSERT_TRUE(options.SetImeState(TRUE));
    InputConstValue constants;
    constants.Add(u'p', 3.25);
    constants.Add(u'q', -0.125);
    options.SetInputConstValue(constants);
    EXPECT_TRUE(m_app->SetSystemEnvironment(options));
    Stop();

    ASSERT_TRUE(Start());
    const SystemEnvironment& loaded = *m_app->GetSystemEnvironment();
    EXPECT_EQ(loaded.m_SnapDivisionCount, 50);
    EXPECT_EQ(loaded.m_NudgeMode, 1);
    EXPECT_EQ(loaded.m_NudgeSteps, 0.25);
    EXPECT_EQ(loaded.m_SnapAngle, 22.5);
    EXPECT_EQ(loaded.m_SelectionShapeMode, 16);
    EXPECT_EQ(loaded.m_NudgeEnabled, FALSE);
    EXPECT_EQ(loaded.m_PaperColor, RGB(1, 2, 3));
    EXPECT_EQ(loaded.m_ImeState, TRUE);
    EXPECT_TRUE(m_app->GetCommandManager()->IsParameterSaveEnabled());
    SystemEnvironment noMemory(loaded);
    noMemory.SetCommandParameterSaveEnabled(FALSE);
    m_app->SetSystemEnvironment(noMemory);
    EXPECT_FALSE(m_app->GetCommandManager()->IsParameterSaveEnabled());
    EXPECT_TRUE(*loaded.GetInputConstValue() == constants);
}

TEST_F(AppFixture, StoredOptionsOutOfRangeAreReplaced)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    WriteUserInt(QStringLiteral("Version"), QStringLiteral("Major"), 3);
    WriteUserInt(QStringLiteral("Version"), QStringLiteral("Minor"), 0);
    const QString o = QStringLiteral("Options");
    WriteUserInt(o, QStringLiteral("GraphicsMode"), 1);
    WriteUserInt(o, QStringLiteral("LineSmoothMode"), 1);
    WriteUserInt(o, QStringLiteral("GreekTextSize"), 31);
    WriteUserInt(o, QStringLiteral("VisualStyle"), DWORD(-1));
    WriteUserInt(o, QStringLiteral("SnapType"), 0x3);
    WriteUserInt(o, QStringLiteral("SnapDivisionCount"), 70000);
    WriteUserInt(o, QStringLiteral("SnapBoxSize"), 99);
    WriteUserInt(o, QStringLiteral("SnapMarkerSize"), DWORD(-4));
    WriteUserInt(o, QStringLiteral("SelectionSideMode"), 3);
    WriteUserInt(o, QStringLiteral("SelectionPartMode"), 2);
    WriteUserInt(o, QStringLiteral("SelectionShapeMode"), 4);
    WriteUserInt(o, QStringLiteral("NudgeMode"), 0);
    WriteUserBinary(o, QStringLiteral("NudgeSteps"), QByteArray(reinterpret_cast<const char*>(&nan), 8));
    WriteUserBinary(o, QStringLiteral("SnapAngle"), QByteArray(12, '\0'));
    WriteUserInt(o, QStringLiteral("AutoRecoverTime"), 40000);
    WriteUserInt(o, QStringLiteral("PointParameterInputMode"), 7);
    WriteUserInt(o, QStringLiteral("ApplicationUpdatePeriod"), DWORD(-1));
    WriteUserString(o, QStringLiteral("InputConstValue"), QStringLiteral("c=1,,ab=2,X=3,k=4,z=oops"));

    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetSettingsVersion(), 3u << 16);
    const SystemEnvironment& s = *m_app->GetSystemEnvironment();
    EXPECT_EQ(s.m_GraphicsMode, 0);
    EXPECT_EQ(s.m_LineSmoothMode, 0);
    EXPECT_EQ(s.m_GreekTextSize, 6u);
    EXPECT_EQ(s.m_VisualStyle, 0);
    EXPECT_EQ(s.m_SnapType, DWORD(0x1C03));  // stored before 3.10: the recent-entity snaps join
    EXPECT_EQ(s.m_SnapDivisionCount, 100);
    EXPECT_EQ(s.m_SnapBoxSize, 7);
    EXPECT_EQ(s.m_SnapMarkerSize, 5);
    EXPECT_EQ(s.m_SelectionSideMode, 1);
    EXPECT_EQ(s.m_SelectionPartMode, 2);
    EXPECT_EQ(s.m_SelectionShapeMode, 1);
    EXPECT_EQ(s.m_NudgeSteps, 1.0);
    EXPECT_EQ(s.m_SnapAngle, 45.0);
    EXPECT_EQ(s.m_AutoRecoverTime, 10);
    EXPECT_EQ(s.m_PointParameterInputMode, 0);
    EXPECT_EQ(s.m_ApplicationUpdatePeriod, 3);
    // Empty and bad pieces are skipped; the pieces after them still count.
    const InputConstValue& constants = *s.GetInputConstValue();
    ASSERT_EQ(constants.GetSize(), 2);
    EXPECT_EQ(constants.GetNameAt(0), CString(u"c"));
    EXPECT_EQ(constants.GetValueAt(0), 1.0);
    EXPECT_EQ(constants.GetNameAt(1), CString(u"k"));
    EXPECT_EQ(constants.GetValueAt(1), 4.0);
}

TEST_F(AppFixture, AutoSaveTimerFollowsTheOptions)
{
    ASSERT_TRUE(Start());
    EXPECT_NE(m_app->GetAutoSaveTimerId(), 0u);
    SystemEnvironment options(*m_app->GetSystemEnvironment());
    options.SetAutoRecoverEnabled(FALSE);
    m_app->SetSystemEnvironment(options);
    EXPECT_EQ(m_app->GetAutoSaveTimerId(), 0u);
    options.SetAutoRecoverEnabled(TRUE);
    m_app->SetSystemEnvironment(options);
    EXPECT_NE(m_app->GetAutoSaveTimerId(), 0u);
    Stop();

    // A stored period of 0 keeps the timer off.
    WriteUserInt(QStringLiteral("Options"), QStringLiteral("AutoRecoverTime"), 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetSystemEnvironment()->m_AutoRecoverTime, 0);
    EXPECT_EQ(m_app->GetAutoSaveTimerId(), 0u);
}

TEST_F(AppFixture, LayerTableViewBlockIsStoredByteForByteAndReadBack)
{
    ASSERT_TRUE(Start());
    LayerTableViewSetting* pState = m_app->GetLayerTableViewSetting();
    pState->SetListMode(1);
    pState->SetPreviewOption(1);
    CDWordArray widths;
    widths.Add(120);
    widths.Add(64);
    widths.Add(300);
    pState->SetColumnWidths(widths);
    Stop();

    const QByteArray expected = LayerBlock(QStringLiteral("LayerTableView"), 4, 21, {1, 1, 3, 120, 64, 300});
    EXPECT_EQ(ReadUserBinary(QStringLiteral("LayerTableView"), QStringLiteral("LayerTableView")).toHex(' '),
              expected.toHex(' '));

    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetLayerTableViewSetting()->GetListMode(), 1);
    EXPECT_EQ(m_app->GetLayerTableViewSetting()->GetPreviewOption(), 1);
    ASSERT_EQ(m_app->GetLayerTableViewSetting()->GetColumnWidths().GetSize(), 3);
    EXPECT_EQ(m_app->GetLayerTableViewSetting()->GetColumnWidths()[2], 300u);
}

TEST_F(AppFixture, LayerTableViewBlockOfAnotherTagANewerVersionOrDamagedIsIgnored)
{
    struct Case {
        const char* what;
        QByteArray block;
        bool loads;
    };
    const QByteArray good = LayerBlock(QStringLiteral("LayerTableView"), 4, 21, {2, 1, 1, 77});
    const Case cases[] = {
        {"this version", good, true},
        {"older version", LayerBlock(QStringLiteral("LayerTableView"), 3, 50, {2, 1, 1, 77}), true},
        {"newer version", LayerBlock(QStringLiteral("LayerTableView"), 4, 30, {2, 1, 1, 77}), false},
        {"other tag", LayerBlock(QStringLiteral("LayerTableVieW"), 4, 21, {2, 1, 1, 77}), false},
        {"cut short", good.left(good.size() - 3), false},
        {"tag only", good.left(10), false},
        {"huge count", LayerBlock(QStringLiteral("LayerTableView"), 4, 21, {2, 1, 0x7FFFFFFF, 5}), false},
        {"out-of-range modes", LayerBlock(QStringLiteral("LayerTableView"), 4, 21, {9, 7, 0}), true},
    };
    ASSERT_TRUE(Start());
    LayerTableViewSetting* pState = m_app->GetLayerTableViewSetting();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteUserBinary(QStringLiteral("LayerTableView"), QStringLiteral("LayerTableView"), c.block);
        *pState = LayerTableViewSetting();
        EXPECT_EQ(m_app->LoadLayerTableViewSetting() != FALSE, c.loads);
        if (!c.loads) {
            EXPECT_TRUE(*pState == LayerTableViewSetting());
        } else if (std::string(c.what) == "out-of-range modes") {
            EXPECT_EQ(pState->GetListMode(), 0);
            EXPECT_EQ(pState->GetPreviewOption(), 2);
        } else {
            EXPECT_EQ(pState->GetListMode(), 2);
            ASSERT_EQ(pState->GetColumnWidths().GetSize(), 1);
            EXPECT_EQ(pState->GetColumnWidths()[0], 77u);
        }
    }
}

class SettingsResetTest : public AppFixture
{
protected:
    void TearDown() override
    {
        AfxNoteKeyState(VK_CONTROL, false);
        AfxNoteKeyState(VK_MENU, false);
        AppFixture::TearDown();
    }
    void HoldControlAndAlt()
    {
        AfxNoteKeyState(VK_CONTROL, true);
        AfxNoteKeyState(VK_MENU, true);
    }
    void WriteLayout()
    {
        WriteUserInt(QStringLiteral("Settings\\Workspace\\Bars\\Bar-59393"), QStringLiteral("Visible"), 1);
        WriteUserInt(QStringLiteral("Settings\\Keyboard"), QStringLiteral("Count"), 2);
        WriteUserInt(QStringLiteral("Settings"), QStringLiteral("Own"), 5);
        WriteUserInt(QStringLiteral("Options"), QStringLiteral("SnapBoxSize"), 12);
    }
};

TEST_F(SettingsResetTest, ConfirmedResetDeletesOnlyTheSubkeysOfSettings)
{
    WriteLayout();
    HoldControlAndAlt();
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text, LoadResourceString(10044).ToQString());
    EXPECT_EQ(m_app->boxes[0].type & (MB_TYPEMASK | MB_ICONMASK), UINT(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_FALSE(UserKeyExists(QStringLiteral("Settings\\Workspace")));
    EXPECT_FALSE(UserKeyExists(QStringLiteral("Settings\\Keyboard")));
    EXPECT_TRUE(UserKeyExists(QStringLiteral("Settings")));
    EXPECT_EQ(m_app->GetSystemEnvironment()->m_SnapBoxSize, 12);
}

TEST_F(SettingsResetTest, CancelKeepsEverythingAndAMissingSectionIsReported)
{
    WriteLayout();
    HoldControlAndAlt();
    m_answer = IDCANCEL;
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->boxes.size(), 1u);
    EXPECT_TRUE(UserKeyExists(QStringLiteral("Settings\\Workspace\\Bars\\Bar-59393")));
    Stop();

    // Without the keys held nothing is offered.
    AfxNoteKeyState(VK_CONTROL, false);
    AfxNoteKeyState(VK_MENU, false);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_app->boxes.empty());
    Stop();

    SettingsStore::Get(SettingsStore::CurrentUser)
        ->DeleteKey((kAppKey + QStringLiteral("\\Settings")).toStdU16String(), false);
    HoldControlAndAlt();
    m_answer = IDOK;
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_app->boxes.size(), 2u);
    EXPECT_EQ(m_app->boxes[1].text, LoadResourceString(10045).ToQString());
}

TEST_F(AppFixture, DesktopEntryAndFileTypesAreInstalledOnce)
{
    ASSERT_TRUE(Start());
    const QString data = m_home.path() + QStringLiteral("/data");
    QFile desktop(data + QStringLiteral("/applications/korvancad.desktop"));
    QFile mime(data + QStringLiteral("/mime/packages/korvancad.xml"));
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    const QByteArray entry = desktop.readAll();
    const QByteArray types = mime.readAll();
    desktop.close();
    mime.close();
    EXPECT_TRUE(entry.contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" %F"));
    for (const char* pattern : {"*.kvcd", "*.kvct", "*.kvcb", "*.kvcr", "*.qz2", "*.qzc", "*.qzt", "*.qzb"})
        EXPECT_TRUE(types.contains(QByteArray("<glob pattern=\"") + pattern + "\"/>")) << pattern;
    EXPECT_TRUE(entry.contains("MimeType=application/x-korvan-drawing;"));
    Stop();

    const QDateTime written = QFileInfo(desktop).lastModified();
    const QDateTime writtenMime = QFileInfo(mime).lastModified();
    usleep(20000);
    ASSERT_TRUE(Start());
    EXPECT_EQ(QFileInfo(desktop).lastModified(), written);
    EXPECT_EQ(QFileInfo(mime).lastModified(), writtenMime);
}

TEST_F(AppFixture, AFileGivenWhileAnotherInstanceStartsIsOpenedHereRatherThanDropped)
{
    // A drawing saved by an earlier run.
    const QString file = m_home.path() + QStringLiteral("/drawing.kvcd");
    ASSERT_TRUE(Start());
    {
        CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
        m_app->GetOpenDocuments(documents);
        ASSERT_EQ(documents.GetSize(), 1);
        ASSERT_TRUE(documents[0]->OnSaveDocument(CString::FromQString(file)));
    }
    Stop();

    const QString runtime = m_home.path() + QStringLiteral("/runtime");
    QLockFile other(runtime + QStringLiteral("/KorvanCAD-Ver4-%1.lock").arg(getuid()));
    ASSERT_TRUE(other.tryLock(0));
    ASSERT_TRUE(Start({file}));
    CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
    m_app->GetOpenDocuments(documents);
    ASSERT_EQ(documents.GetSize(), 1);
    EXPECT_EQ(documents[0]->GetPathName().ToQString(), file);
}

TEST_F(AppFixture, SwitchesAreFoundAnywhereInTheCommandLine)
{
    ASSERT_TRUE(Start({QStringLiteral("/safemode")}));
    EXPECT_TRUE(m_app->IsSafeMode());
    EXPECT_FALSE(m_app->IsAddInIde());
}

TEST_F(AppFixture, ExitEndsWindowsAndCommandsBeforeTheGraphicsLibraries)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(GraphicManager::IsInitialized());
    ASSERT_NE(m_app->GetCommandManager(), nullptr);
    m_app->ExitInstance();
    m_started = false;
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_EQ(m_app->GetCommandManager(), nullptr);
    EXPECT_FALSE(GraphicManager::IsInitialized());
    EXPECT_EQ(AfxGetDocManager()->GetFirstDocTemplatePosition(), nullptr);
    EXPECT_EQ(m_app->GetAutoSaveTimerId(), 0u);
}

TEST_F(AppFixture, UpdateCheckRunsAtStartOnlyWithTheJapaneseInterface)
{
    setenv("LC_ALL", "en_US.UTF-8", 1);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetUpdateChecker()->GetRequestCount(), 0);
    Stop();
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetUpdateChecker()->GetRequestCount(), 1);
}

TEST_F(AppFixture, SectionPathsAndTheSettingsVersion)
{
    WriteUserInt(QStringLiteral("Version"), QStringLiteral("Major"), 3);
    WriteUserInt(QStringLiteral("Version"), QStringLiteral("Minor"), 50);
    ASSERT_TRUE(Start());
    EXPECT_EQ(CQZ2App::GetSectionKeyPath(u"Options"), CString(u"SOFTWARE\\Korvan\\Rivedi VEZ Dadazizo\\4.0\\Options\\"));
    EXPECT_EQ(m_app->GetSettingsVersion(), 3u * 65536u + 50u);
    EXPECT_EQ(m_app->GetHatchFolderPath().Right(5), CString(u"Hatch"));
}

TEST_F(AppFixture, FileDialogViewModeAndConverterDialogFlagsOutliveTheRun)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_app->m_bSxfConverterDialog);
    CQZ2FileDialog::SetViewMode(28750);
    m_app->m_bSxfConverterDialog = FALSE;
    Stop();
    CQZ2FileDialog::SetViewMode(0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetSystemEnvironment()->m_FileDialogViewMode, 28750u);
    EXPECT_EQ(CQZ2FileDialog::GetViewMode(), 28750u);
    EXPECT_FALSE(m_app->m_bSxfConverterDialog);
    EXPECT_TRUE(m_app->m_bDxfConverterDialog);
    EXPECT_TRUE(m_app->m_bPdfConverterDialog);
}

TEST_F(AppFixture, IdleTimeHandsTheGraphicsModeToTheDataModel)
{
    ASSERT_TRUE(Start());
    SystemEnvironment options(*m_app->GetSystemEnvironment());
    options.SetGraphicsMode(1);
    m_app->SetSystemEnvironment(options);
    m_app->OnIdle(0);
    EXPECT_EQ(GraphicManager::GetGraphicsMode(), 1);
}

TEST_F(AppFixture, LastUpdateCheckTimeIsTheStoredEightBytesOrNow)
{
    ASSERT_TRUE(Start());
    const std::time_t before = std::time(nullptr);
    EXPECT_GE(GetLastUpdateCheckTime().GetTime(), before);  // nothing stored

    const qint64 stored = 1000000000;  // 2001-09-09
    WriteUserBinary(QStringLiteral("Options"), QStringLiteral("LastUpdateCheckTime"),
                    QByteArray(reinterpret_cast<const char*>(&stored), 8));
    EXPECT_EQ(GetLastUpdateCheckTime().GetTime(), std::time_t(stored));

    WriteUserBinary(QStringLiteral("Options"), QStringLiteral("LastUpdateCheckTime"), QByteArray(4, '\x01'));
    EXPECT_GE(GetLastUpdateCheckTime().GetTime(), before);

    SetLastUpdateCheckTime();
    EXPECT_EQ(ReadUserBinary(QStringLiteral("Options"), QStringLiteral("LastUpdateCheckTime")).size(), 8);
    const std::time_t after = GetLastUpdateCheckTime().GetTime();
    EXPECT_GE(after, before);
    EXPECT_LE(after, std::time(nullptr));
}

TEST_F(AppFixture, ASecondStartWithoutAFileAndAnEmbeddedStartRunAsOrdinaryStarts)
{
    const QString runtime = m_home.path() + QStringLiteral("/runtime");
    QLockFile other(runtime + QStringLiteral("/KorvanCAD-Ver4-%1.lock").arg(getuid()));
    ASSERT_TRUE(other.tryLock(0));
    ASSERT_TRUE(Start());
    ASSERT_NE(m_app->m_pMainWnd, nullptr);
    EXPECT_TRUE(m_app->IsStartCompleted());
    Stop();
    other.unlock();

    ASSERT_TRUE(Start({QStringLiteral("/Embedding")}));
    ASSERT_NE(m_app->m_pMainWnd, nullptr);
    EXPECT_TRUE(m_app->m_pMainWnd->IsWindowVisible());
    EXPECT_TRUE(m_app->IsStartCompleted());
}
