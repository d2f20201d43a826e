#include "app/CQZ2App.h"
#include "app/CQZ2SrvrItem.h"
#include "app/PropertyRowDialogs.h"

#include <QtCore/QByteArray>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLockFile>
#include <QtCore/QProcess>
#include <QtCore/QSaveFile>
#include <QtCore/QStandardPaths>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "structure/CDrawComponentBar.h"
#include "structure/CSkyViewBar.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2FileDialog.h"
#include "app/CQZ2MultiDocTemplate.h"
#include "app/CQZ2TabView.h"
#include "app/CSplashWnd.h"
#include "app/ConverterDialogFlags.h"
#include "app/DrawEnvironment.h"
#include "app/RegistrySection.h"
#include "app/SystemEnvironment.h"
#include "app/UpdateChecker.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "command/NumericFormat.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FileTool.h"
#include "libs/vevure/GraphicManager.h"
#include "libs/vevure/KcLanguage.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CException.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/ResourceModule.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/gdiplus/GdiplusApi.h"
#include "platform/win/CCommandLineInfo.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CView.h"
#include "platform/win/Registry.h"
#include "platform/win/RemoteWindow.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinAccelerator.h"
#include "platform/win/CFrameWnd.h"
#include "structure/LayerTableViewSetting.h"
#include "settings/CFeatureSettingTreeDialog.h"

IMPLEMENT_DYNAMIC(CQZ2App, CWinApp)

BEGIN_MESSAGE_MAP(CQZ2App, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CQZ2App::OnFileOpen)
    ON_COMMAND(33203, &CQZ2App::OnFileNewFromTemplate)
    ON_COMMAND(33205, &CQZ2App::OnImportDwgDxf)
    ON_COMMAND(33206, &CQZ2App::OnImportSxf)
    ON_COMMAND(33207, &CQZ2App::OnImportJw)
    ON_COMMAND(33213, &CQZ2App::OnAcadConvSetting)
    ON_COMMAND(33214, &CQZ2App::OnSxfSetting)
    ON_COMMAND(33218, &CQZ2App::OnPdfSetting)
    ON_COMMAND(39582, &CQZ2App::AutoSaveAll)
    ON_COMMAND(57664, &CQZ2App::OnAppAbout)
    ON_COMMAND(34946, &CQZ2App::OnWebHomePage)
    ON_COMMAND(34948, &CQZ2App::OnWebFaq)
    ON_COMMAND(34949, &CQZ2App::OnWebOrder)
    ON_COMMAND(34950, &CQZ2App::OnWebAddIns)
    ON_COMMAND(34947, &CQZ2App::OnHelpSdk)
    ON_COMMAND(34951, &CQZ2App::OnCheckForUpdate)
    ON_UPDATE_COMMAND_UI(34946, &CQZ2App::OnUpdateWebPage)
    ON_UPDATE_COMMAND_UI_RANGE(34948, 34951, &CQZ2App::OnUpdateWebPage)
END_MESSAGE_MAP()

const TCHAR CQZ2App::kRegistryKey[] = _T("Korvan");
const TCHAR CQZ2App::kProfileName[] = _T("Rivedi VEZ Dadazizo\\4.0");
const TCHAR CQZ2App::kLayerTableViewTag[] = _T("LayerTableView");

namespace {

// String numbers of the messages shown at start-up.
constexpr UINT IDP_SETTINGS_RESET_QUESTION = 10044;
constexpr UINT IDP_SETTINGS_RESET_OPEN_FAILED = 10045;
constexpr UINT IDP_SETTINGS_RESET_DELETE_FAILED = 10046;

// Resource numbers of the document template and the main frame.
constexpr UINT IDR_DRAWINGTYPE = 111;
constexpr UINT IDR_MAINFRAME = 110;
constexpr UINT IDR_DRAWINGTYPE_CNTR_IP = 470;
constexpr UINT IDR_DRAWINGTYPE_SRVR_EMB = 471;
constexpr DWORD kMainFrameStyle = 0xCF8000;  // WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE

constexpr WORD kLanguageJapanese = 0x0411;
constexpr WORD kLanguageEnglishUS = 0x0409;

const TCHAR kLanguageOverrideKey[] = _T("Software\\Korvan\\Rivedi VEZ %s 4\\Language");
const TCHAR kLanguageOverrideProduct[] = _T("Dadazizo");
const TCHAR kSettingsSection[] = _T("Settings");
const TCHAR kVersionSection[] = _T("Version");
const TCHAR kLayerTableViewSection[] = _T("LayerTableView");

constexpr UINT_PTR kAutoSaveTimerId = 1;

// The user's interface language, as the locale variables that pick message languages say.
WORD UserDefaultUILanguage()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == 0)
            continue;
        const QByteArray locale(value);
        if (locale.startsWith("ja"))
            return kLanguageJapanese;
        return kLanguageEnglishUS;
    }
    return 0;
}

// A language code from the machine-wide settings ends up in a file name: only a short plain word
// is taken.
bool IsPlainLanguageCode(const CString& code)
{
    if (code.IsEmpty() || code.GetLength() > 16)
        return false;
    for (int i = 0; i < code.GetLength(); ++i) {
        const TCHAR c = code[i];
        const bool ok = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
                        c == u'_' || c == u'-';
        if (!ok)
            return false;
    }
    return true;
}

// The path as the shell hands it over: one leading quote skipped, cut at the last quote, made
// absolute, and a link replaced by what it leads to.
bool NormaliseShellPath(LPCTSTR lpszPathName, QString& path)
{
    if (lpszPathName == nullptr)
        return false;
    QString text = QString::fromUtf16(lpszPathName);
    if (text.startsWith(QLatin1Char('"')))
        text.remove(0, 1);
    const qsizetype quote = text.lastIndexOf(QLatin1Char('"'));
    if (quote >= 0)
        text.truncate(quote);
    if (text.isEmpty())
        return false;
    QFileInfo info(text);
    path = QDir::cleanPath(info.absoluteFilePath());
    if (info.isSymLink()) {
        const QString target = info.symLinkTarget();
        if (!target.isEmpty())
            path = target;
    }
    return true;
}

CQZ2MultiDocTemplate* FirstTemplate()
{
    CDocManager* pManager = AfxGetDocManager();
    POSITION pos = pManager->GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = pManager->GetNextDocTemplate(pos);
        if (pTemplate != nullptr && pTemplate->IsKindOf(RUNTIME_CLASS(CQZ2MultiDocTemplate)))
            return static_cast<CQZ2MultiDocTemplate*>(pTemplate);
    }
    return nullptr;
}

}  // namespace

// ---- construction -------------------------------------------------------------------------------

CQZ2App::CQZ2App()
    : m_pCommandManager(new QZ2Command::CommandManager),
      m_pSystemEnvironment(new SystemEnvironment),
      m_pDrawEnvironment(new DrawEnvironment),
      m_pLayerTableViewSetting(new LayerTableViewSetting),
      m_productVersion(QZ2ProductVersion::GetCurrentVersion()),
      m_pUpdateChecker(new UpdateChecker)
{
}

CQZ2App::~CQZ2App()
{
    // The static application object dies after main has returned, when the Qt application and the
    // libraries' own statics may be gone: ExitInstance has released everything that touches them.
    // What is left here is plain memory, and, for an object whose exit never ran, the rest.
    if (!m_bExited)
        ReleaseRunState();
    delete m_pAutoSaveTimer;
    m_pAutoSaveTimer = nullptr;
    DeleteConverterSettings();
    delete m_pCommandManager;
    m_pCommandManager = nullptr;
    delete m_pSystemEnvironment;
    m_pSystemEnvironment = nullptr;
    delete m_pDrawEnvironment;
    m_pDrawEnvironment = nullptr;
    delete m_pLayerTableViewSetting;
    m_pLayerTableViewSetting = nullptr;
    delete m_pUpdateChecker;
    m_pUpdateChecker = nullptr;
    if (m_pszRegistryKey == m_strRegistryKey.GetString())
        m_pszRegistryKey = nullptr;
    if (m_pszProfileName == m_strProfileName.GetString())
        m_pszProfileName = nullptr;
    if (m_pszHelpFilePath == m_strHelpFilePath.GetString())
        m_pszHelpFilePath = nullptr;
}

void CQZ2App::ReleaseRunState()
{
    if (m_pSystemEnvironment != nullptr &&
        NumericFormat::GetInputConstValue() == m_pSystemEnvironment->GetInputConstValue())
        NumericFormat::SetInputConstValue(nullptr);
    if (m_pResourceModule != nullptr) {
        AfxFreeResourceModule(m_pResourceModule);
        m_pResourceModule = nullptr;
    }
    KcLanguage::Clear();
    ReleaseInstanceLock();
}

CQZ2App* CQZ2App::GetApp()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !pApp->IsKindOf(RUNTIME_CLASS(CQZ2App)))
        return nullptr;
    return static_cast<CQZ2App*>(pApp);
}

// ---- start-up -----------------------------------------------------------------------------------

BOOL CQZ2App::InitInstance()
{
    // Until a language library joins, only these texts exist.
    AfxSetProgramString(AFX_IDS_APP_TITLE, u"Rivedi VEZ");
    AfxSetProgramString(57346, u"For Help, press F1");

    CWinApp::InitInstance();

    // The style dialog reopens the dimension page shown last, which the application keeps for the run.
    CFeatureSettingTreeDialog::AppServices styleServices;
    styleServices.pfnGetLastStylePage = [] {
        auto* pApp = dynamic_cast<CQZ2App*>(AfxGetApp());
        return pApp != nullptr ? pApp->m_nLastStylePage : 0;
    };
    styleServices.pfnSetLastStylePage = [](int nPage) {
        if (auto* pApp = dynamic_cast<CQZ2App*>(AfxGetApp()))
            pApp->m_nLastStylePage = nPage;
    };
    CFeatureSettingTreeDialog::SetAppServices(styleServices);

    // Object linking and embedding have no counterpart here: nothing to start, nothing that fails.
    // Copies reach the clipboard through the documents' clipboard renderers.
    CQZ2SrvrItem::InstallServices();
    PropertyRowDialogs::Install();

    CCommandLineInfo cmdInfo;
    if (m_bArgumentsSet) {
        std::vector<LPCTSTR> argv;
        for (INT_PTR i = 0; i < m_arguments.GetSize(); ++i)
            argv.push_back(m_arguments[i].GetString());
        cmdInfo.ParseArguments(static_cast<int>(argv.size()), argv.data());
    } else {
        AfxParseCommandLine(cmdInfo);
        m_strRawCommandLine.Empty();
        const QStringList args = QCoreApplication::arguments();
        for (qsizetype i = 1; i < args.size(); ++i) {
            if (i > 1)
                m_strRawCommandLine += _T(" ");
            m_strRawCommandLine += CString::FromQString(args[i]);
        }
    }
    ParseSwitches();
    // Embedded and automated starts serve other programs through OLE, which does not exist here:
    // such a start runs as an ordinary one.
    cmdInfo.m_bRunEmbedded = FALSE;
    cmdInfo.m_bRunAutomated = FALSE;

    // Another instance runs: every file named goes to it, in order, and this process ends. A file
    // none takes (no window up yet, none answering) is opened here rather than dropped.
    CreateInstanceLock();
    CStringArray extraFiles;
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen && !cmdInfo.m_strFileName.IsEmpty()) {
        CStringArray files;
        files.Add(cmdInfo.m_strFileName);
        CollectFurtherFiles(cmdInfo.m_strFileName, files);
        CStringArray left;
        for (INT_PTR i = 0; i < files.GetSize(); ++i) {
            if (!HandOffToRunningInstance(files[i]))
                left.Add(files[i]);
        }
        if (left.IsEmpty())
            return FALSE;
        cmdInfo.m_strFileName = left[0];
        for (INT_PTR i = 1; i < left.GetSize(); ++i)
            extraFiles.Add(left[i]);
    }

    m_strRegistryKey = kRegistryKey;
    m_pszRegistryKey = m_strRegistryKey.GetString();
    m_strProfileName = kProfileName;
    m_pszProfileName = m_strProfileName.GetString();
    SetRegistryBase(_T("Settings"));

    GetInterfaceLanguage();
    KcLanguage::SetLanguageCode(m_strLanguageCode);

    InitControlBarManagers();

    AfxLoadStdProfileSettings(8);

    if (!LoadResourceDll())
        return FALSE;
    const CString title = LoadResourceString(AFX_IDS_APP_TITLE);
    if (!title.IsEmpty())
        SetAppName(title);

    OfferSettingsReset();

    m_strHelpFilePath = CString(AfxGetProgramFolder().c_str()) + _T("korvancad.chm");
    m_pszHelpFilePath = m_strHelpFilePath.GetString();

    if (!StartGdiplus())
        return FALSE;

    if (m_nCmdShow == SW_HIDE || m_nCmdShow == SW_SHOWMINIMIZED || m_nCmdShow == SW_MINIMIZE ||
        m_nCmdShow == SW_SHOWMINNOACTIVE)
        CSplashWnd::EnableSplashScreen(FALSE);
    else
        CSplashWnd::EnableSplashScreen(cmdInfo.m_bShowSplash);

    LoadSettings();
    RegisterOptionsServices(TRUE);

    m_pDrawEnvironment->Initialize();
    GraphicManager::Init();

    CQZ2MultiDocTemplate* pTemplate = new CQZ2MultiDocTemplate(
        IDR_DRAWINGTYPE, RUNTIME_CLASS(CQZ2Doc), RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CQZ2TabView));
    pTemplate->SetContainerInfo(IDR_DRAWINGTYPE_CNTR_IP);
    pTemplate->SetServerInfo(IDR_DRAWINGTYPE_SRVR_EMB);
    AfxAddDocTemplate(pTemplate);

    CMainFrame* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, kMainFrameStyle)) {
        delete pMainFrame;
        return FALSE;
    }
    m_pMainWnd = pMainFrame;

    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    for (INT_PTR i = 0; i < extraFiles.GetSize(); ++i)
        OpenDocumentFile(extraFiles[i]);

    MergeDefaultAccelerators();

    if (m_pMainWnd == nullptr || m_pMainWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    pMainFrame->DragAcceptFiles(TRUE);
    pMainFrame->ShowWindow(m_nCmdShow);

    if (CMDIChildWnd* pChild = pMainFrame->MDIGetActive()) {
        CView* pView = pChild->GetActiveView();
        if (pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CQZ2TabView)))
            static_cast<CQZ2TabView*>(pView)->ZoomAllViews();
    }
    pMainFrame->UpdateWindow();

    RecoverDocuments();

    if (m_pSystemEnvironment->m_AutoRecoverEnabled)
        RestartAutoSaveTimer();

    m_bStartCompleted = TRUE;

    if (m_strLanguageCode.CompareNoCase(_T("JPN")) == 0)
        m_pUpdateChecker->CheckForUpdate(m_pSystemEnvironment->m_ApplicationUpdatePeriod);
    return TRUE;
}

void CQZ2App::SetCommandLineArguments(const CStringArray& args)
{
    m_arguments.RemoveAll();
    m_strRawCommandLine.Empty();
    for (INT_PTR i = 0; i < args.GetSize(); ++i) {
        m_arguments.Add(args[i]);
        if (i > 0)
            m_strRawCommandLine += _T(" ");
        m_strRawCommandLine += args[i];
    }
    m_bArgumentsSet = TRUE;
}

void CQZ2App::ParseSwitches()
{
    m_bSafeMode = m_strRawCommandLine.Find(_T("/safemode")) >= 0 ? TRUE : FALSE;
    m_bAddInIde = m_strRawCommandLine.Find(_T("/vstaide")) >= 0 ? TRUE : FALSE;
}

BOOL CQZ2App::CreateInstanceLock()
{
    if (m_pInstanceLock != nullptr)
        return TRUE;
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    auto* pLock = new QLockFile(folder + QStringLiteral("/KorvanCAD-Ver4-%1.lock").arg(QString::number(getuid())));
    pLock->setStaleLockTime(0);
    if (!pLock->tryLock(0)) {
        delete pLock;
        return FALSE;
    }
    m_pInstanceLock = pLock;
    return TRUE;
}

void CQZ2App::ReleaseInstanceLock()
{
    delete m_pInstanceLock;
    m_pInstanceLock = nullptr;
}

BOOL CQZ2App::NormalisePath(LPCTSTR lpszPathName, CString& strPath)
{
    QString path;
    if (!NormaliseShellPath(lpszPathName, path))
        return FALSE;
    strPath = CString::FromQString(path);
    return TRUE;
}

void CQZ2App::CollectFurtherFiles(const CString& strFirst, CStringArray& files) const
{
    // The shell command keeps one file; the desktop passes several: the rest are the plain
    // arguments after the first file.
    QStringList args;
    if (m_bArgumentsSet) {
        for (INT_PTR i = 0; i < m_arguments.GetSize(); ++i)
            args.append(m_arguments[i].ToQString());
    } else {
        args = QCoreApplication::arguments().mid(1);
    }
    bool bFirstSeen = false;
    for (const QString& arg : args) {
        const std::u16string text = arg.toStdU16String();
        if (CCommandLineInfo::IsFlagParam(text.c_str()))
            continue;
        if (!bFirstSeen) {
            bFirstSeen = CString::FromQString(arg) == strFirst;
            continue;
        }
        files.Add(CString::FromQString(arg));
    }
}

BOOL CQZ2App::HandOffToRunningInstance(LPCTSTR lpszPathName)
{
    CString path;
    if (!NormalisePath(lpszPathName, path))
        return FALSE;
    const std::vector<RemoteWindow> windows = RemoteWindow::FindAll(CMainFrame::kWindowClassName);
    if (windows.empty())
        return FALSE;

    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>((path.GetLength() + 1) * sizeof(TCHAR));
    data.lpData = const_cast<TCHAR*>(path.GetString());

    // The instance that has the file open takes it; else the first one that answers. One that does
    // not answer in time is passed over.
    const RemoteWindow* pTarget = nullptr;
    const RemoteWindow* pFirstAnswering = nullptr;
    for (const RemoteWindow& window : windows) {
        LRESULT result = 0;
        if (!window.SendCopyData(data, kHandOverTimeoutMs, &result))
            continue;
        if (pFirstAnswering == nullptr)
            pFirstAnswering = &window;
        if (result != 0) {
            pTarget = &window;
            break;
        }
    }
    if (pTarget == nullptr)
        pTarget = pFirstAnswering;
    if (pTarget == nullptr)
        return FALSE;

    data.dwData = 1;
    LRESULT result = 0;
    // Refused or not answered: the file is opened here, where any error is shown.
    if (!pTarget->SendCopyData(data, kHandOverTimeoutMs, &result) || result == 0)
        return FALSE;
    pTarget->BringToFront(kHandOverTimeoutMs);
    return TRUE;
}

BOOL CQZ2App::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    if (rCmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen) {
        const int type = FileTool::GetFileType(rCmdInfo.m_strFileName);
        if (type == 1 || type == 5)
            return OpenDocumentFromTemplate(rCmdInfo.m_strFileName);
    }
    return AfxProcessShellCommand(rCmdInfo);
}

BOOL CQZ2App::OpenDocumentFromTemplate(LPCTSTR lpszPathName)
{
    QString path;
    if (!NormaliseShellPath(lpszPathName, path))
        return FALSE;
    CQZ2MultiDocTemplate* pTemplate = FirstTemplate();
    if (pTemplate == nullptr)
        return FALSE;
    const std::u16string text = path.toStdU16String();
    return pTemplate->OpenDocumentFromTemplate(text.c_str(), TRUE) != nullptr ? TRUE : FALSE;
}

BOOL CQZ2App::OpenRecoveryFile(LPCTSTR lpszPathName)
{
    QString path;
    if (!NormaliseShellPath(lpszPathName, path))
        return FALSE;
    CQZ2MultiDocTemplate* pTemplate = FirstTemplate();
    if (pTemplate == nullptr)
        return FALSE;
    const std::u16string text = path.toStdU16String();
    return pTemplate->OpenDocumentFileNoMRU(text.c_str(), TRUE) != nullptr ? TRUE : FALSE;
}

CDocument* CQZ2App::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return AfxOpenDocumentFile(lpszFileName);
}

BOOL CQZ2App::OfferSettingsReset()
{
    const bool keysHeld = (GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) < 0) ||
                          (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr &&
                           (QGuiApplication::queryKeyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier)) ==
                               (Qt::ControlModifier | Qt::AltModifier));
    if (!keysHeld)
        return FALSE;
    if (AfxMessageBox(LoadResourceString(IDP_SETTINGS_RESET_QUESTION), MB_OKCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL,
                      0) != IDOK)
        return FALSE;
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, GetSectionKeyPath(kSettingsSection), 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS) {
        AfxMessageBox(LoadResourceString(IDP_SETTINGS_RESET_OPEN_FAILED), MB_OK | MB_ICONEXCLAMATION, 0);
        return FALSE;
    }
    std::vector<CString> names;
    for (DWORD index = 0;; ++index) {
        TCHAR name[261] = {};
        DWORD length = 260;
        if (RegEnumKeyEx(hKey, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name);
    }
    // Each subkey goes with everything below it.
    BOOL bFailed = FALSE;
    for (const CString& name : names)
        if (RegDeleteTree(hKey, name) != ERROR_SUCCESS)
            bFailed = TRUE;
    RegCloseKey(hKey);
    if (bFailed)
        AfxMessageBox(LoadResourceString(IDP_SETTINGS_RESET_DELETE_FAILED), MB_OK | MB_ICONEXCLAMATION, 0);
    return bFailed ? FALSE : TRUE;
}

void CQZ2App::InitControlBarManagers()
{
    InitKeyboardManager();
    InitContextMenuManager();
    InitTooltipManager();
    m_fontApplication.DeleteObject();
    CFont gui;
    LOGFONT lf{};
    if (gui.CreateStockObject(DEFAULT_GUI_FONT) && gui.GetLogFont(&lf) != 0)
        m_fontApplication.CreateFontIndirect(&lf);
}

BOOL CQZ2App::StartGdiplus()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return FALSE;
    m_gdiplusToken = token;
    return TRUE;
}

BOOL CQZ2App::MergeDefaultAccelerators()
{
    if (GetSettingsVersion() >= 0x30032)
        return FALSE;
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd);
    CBCGPKeyboardManager* pKeys = GetKeyboardManager();
    if (pFrame == nullptr || pFrame->m_hAccelTable == nullptr || pKeys == nullptr)
        return FALSE;
    HACCEL hDefault = LoadAccelerators(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    if (hDefault == nullptr)
        return FALSE;
    std::vector<ACCEL> defaults(static_cast<size_t>(std::max(0, CopyAcceleratorTable(hDefault, nullptr, 0))));
    if (!defaults.empty())
        CopyAcceleratorTable(hDefault, defaults.data(), static_cast<int>(defaults.size()));
    DestroyAcceleratorTable(hDefault);

    CFrameWnd* pActive = pFrame->GetActiveFrame();
    std::vector<ACCEL> added;
    for (const ACCEL& accel : defaults) {
        if (accel.cmd < 37101 || accel.cmd > 37202)
            continue;
        if (CBCGPKeyboardManager::IsKeyHandled(accel.key, accel.fVirt, pFrame, TRUE))
            continue;
        if (pActive != nullptr && pActive != pFrame && pActive->m_hAccelTable != nullptr &&
            CBCGPKeyboardManager::IsKeyHandled(accel.key, accel.fVirt, pActive, FALSE))
            continue;
        added.push_back(accel);
    }
    if (added.empty())
        return FALSE;
    std::vector<ACCEL> table(static_cast<size_t>(std::max(0, CopyAcceleratorTable(pFrame->m_hAccelTable, nullptr, 0))));
    if (!table.empty())
        CopyAcceleratorTable(pFrame->m_hAccelTable, table.data(), static_cast<int>(table.size()));
    table.insert(table.end(), added.begin(), added.end());
    return pKeys->UpdateAcellTable(nullptr, table.data(), static_cast<int>(table.size()), pFrame);
}

void CQZ2App::EnableShellOpen()
{
    // Files reach a running instance through the instance lock, not through a DDE conversation.
}

// ---- desktop integration -----------------------------------------------------------------------

namespace {

struct MimeKind {
    const char* type;
    const char* comment;
    std::initializer_list<const char*> patterns;
};

const MimeKind kMimeKinds[] = {
    {"application/x-korvan-drawing", "Rivedi VEZ drawing", {"*.kvcd"}},
    {"application/x-korvan-template", "Rivedi VEZ drawing template", {"*.kvct"}},
    {"application/x-korvan-backup", "Rivedi VEZ drawing backup", {"*.kvcb"}},
    {"application/x-korvan-recovery", "Rivedi VEZ recovered drawing", {"*.kvcr"}},
    {"application/x-korvan-drawing-v3", "Rivedi VEZ drawing (older version)", {"*.qz2", "*.qzc"}},
    {"application/x-korvan-template-v3", "Rivedi VEZ drawing template (older version)", {"*.qzt"}},
    {"application/x-korvan-backup-v3", "Rivedi VEZ drawing backup (older version)", {"*.qzb"}},
};

QString XdgDataHome()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.local/share");
    return home;
}

// The program path as the Exec key wants it: quoted, with the characters that quoting keeps
// special escaped, then backslashes doubled for the desktop file itself.
QString DesktopExecPath(const QString& program)
{
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Writes the file unless it already holds exactly this text. -1 failed, 0 unchanged, 1 written.
int WriteIfChanged(const QString& path, const QByteArray& content)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return 0;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return -1;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return -1;
    return 1;
}

}  // namespace

BOOL CQZ2App::RegisterShellFileTypes(BOOL /*bCompat*/)
{
    const QString dataHome = XdgDataHome();

    QByteArray mime = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    QStringList types;
    for (const MimeKind& kind : kMimeKinds) {
        types << QString::fromLatin1(kind.type);
        mime += QByteArray("  <mime-type type=\"") + kind.type + "\">\n";
        mime += QByteArray("    <comment>") + kind.comment + "</comment>\n";
        for (const char* pattern : kind.patterns)
            mime += QByteArray("    <glob pattern=\"") + pattern + "\"/>\n";
        mime += "  </mime-type>\n";
    }
    mime += "</mime-info>\n";

    const QString program = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    QByteArray desktop = "[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=Rivedi VEZ\n"
                         "GenericName=2D CAD\n"
                         "Comment=Create and edit 2D drawings\n";
    desktop += "Exec=" + DesktopExecPath(program).toUtf8() + " %F\n";
    desktop += "Terminal=false\n"
               "Categories=Graphics;Engineering;\n";
    desktop += "MimeType=" + types.join(QLatin1Char(';')).toUtf8() + ";\n";

    const QString mimeFolder = dataHome + QStringLiteral("/mime");
    const QString appFolder = dataHome + QStringLiteral("/applications");
    const int mimeResult = WriteIfChanged(mimeFolder + QStringLiteral("/packages/korvancad.xml"), mime);
    const int desktopResult = WriteIfChanged(appFolder + QStringLiteral("/korvancad.desktop"), desktop);
    // File managers ask the program itself for the pictures that drawings carry.
    QByteArray thumbnailer = "[Thumbnailer Entry]\n";
    thumbnailer += "TryExec=" + program.toUtf8() + "\n";
    thumbnailer += "Exec=" + DesktopExecPath(program).toUtf8() + " --thumbnail %i %o %s\n";
    thumbnailer += "MimeType=" + types.join(QLatin1Char(';')).toUtf8() + ";\n";
    const int thumbnailerResult =
        WriteIfChanged(dataHome + QStringLiteral("/thumbnailers/korvancad.thumbnailer"), thumbnailer);

    // The desktop's caches learn of a change through their own tools, where they are installed.
    if (mimeResult == 1) {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (!tool.isEmpty())
            QProcess::startDetached(tool, {mimeFolder});
    }
    if (desktopResult == 1) {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
        if (!tool.isEmpty())
            QProcess::startDetached(tool, {appFolder});
    }
    return (mimeResult >= 0 && desktopResult >= 0 && thumbnailerResult >= 0) ? TRUE : FALSE;
}

// ---- language -----------------------------------------------------------------------------------

CString CQZ2App::GetInterfaceLanguage()
{
    CString code = _T("ENG");
    if (UserDefaultUILanguage() == kLanguageJapanese)
        code = _T("JPN");

    CString keyPath;
    keyPath.Format(kLanguageOverrideKey, kLanguageOverrideProduct);
    RegistrySection machine(HKEY_LOCAL_MACHINE);
    if (machine.Open(keyPath)) {
        CString stored;
        if (machine.Read(_T("LANG"), stored) && IsPlainLanguageCode(stored))
            code = stored;
    }
    m_strLanguageCode = code;
    return code;
}

CString CQZ2App::GetResourceFolder() const
{
    if (!m_strResourceFolder.IsEmpty())
        return m_strResourceFolder;
    return CString(AfxGetResourceFolder().c_str());
}

BOOL CQZ2App::LoadResourceDll()
{
    const CString folder = GetResourceFolder();
    LanguageModuleResult result;
    if (!folder.IsEmpty())
        result = AfxLoadLanguageModule(std::u16string(folder.GetString()), std::u16string(m_strLanguageCode.GetString()));
    if (result.pModule != nullptr) {
        if (m_pResourceModule != nullptr)
            AfxFreeResourceModule(m_pResourceModule);
        m_pResourceModule = result.pModule;
        AfxAddResourceModule(m_pResourceModule);
        return TRUE;
    }
    // No language texts exist: this message is the program's own.
    CString message;
    message.Format(_T("Failed to load resource file.\n\nLANG = %s"), m_strLanguageCode.GetString());
    if (!result.tried.empty()) {
        for (const std::u16string& name : result.tried) {
            message += _T("\n");
            message += CString(name.c_str());
        }
    }
    AfxMessageBox(message, MB_OK, 0);
    return FALSE;
}

CString CQZ2App::GetHatchFolderPath() const
{
    const std::u16string folder = AfxGetProgramFolder();
    if (folder.empty())
        return CString();
    return CString(folder.c_str()) + _T("Hatch");
}

int CQZ2App::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
}

// ---- settings -----------------------------------------------------------------------------------

CString CQZ2App::GetSectionKeyPath(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pszRegistryKey == nullptr || pApp->m_pszProfileName == nullptr)
        return CString();
    CString path = _T("SOFTWARE\\");
    if (pApp->m_pszRegistryKey[0] != 0) {
        path += pApp->m_pszRegistryKey;
        path += _T("\\");
    }
    path += pApp->m_pszProfileName;
    path += _T("\\");
    if (lpszSection != nullptr)
        path += lpszSection;
    path += _T("\\");
    return path;
}

void CQZ2App::LoadSettings()
{
    RegistrySection version(HKEY_CURRENT_USER);
    if (version.Open(GetSectionKeyPath(kVersionSection))) {
        DWORD value = 0;
        if (version.Read(_T("Major"), value))
            m_wSettingsMajor = static_cast<WORD>(value);
        if (version.Read(_T("Minor"), value))
            m_wSettingsMinor = static_cast<WORD>(value);
    }
    version.Close();

    m_pSystemEnvironment->Load(GetSettingsVersion());
    NumericFormat::SetInputConstValue(m_pSystemEnvironment->GetInputConstValue());
    NumericFormat::SetPointParameterInputMode(
        static_cast<PointParameterInputMode>(m_pSystemEnvironment->m_PointParameterInputMode));
    LoadLayerTableViewSetting();
    CQZ2FileDialog::SetViewMode(m_pSystemEnvironment->m_FileDialogViewMode);
    DrawComponent2dFeatureDefineTable::SetThumbnailBackColor(m_pSystemEnvironment->m_TableViewThumbnailBackColor);
    LoadConverterDialogFlags(m_bDxfConverterDialog, m_bSxfConverterDialog, m_bPdfConverterDialog);
    ApplyOptionsToCommandManager();
}

void CQZ2App::ApplyOptionsToCommandManager()
{
    if (m_pCommandManager == nullptr)
        return;
    const SystemEnvironment& options = *m_pSystemEnvironment;
    m_pCommandManager->SetSelectionOptions(options.m_SelectionShapeMode, options.m_SelectionPartMode,
                                           options.m_SelectionSideMode,
                                           options.m_SelectionDisplayStateMode ? TRUE : FALSE);
    m_pCommandManager->SetCommandParameterSaveEnabled(options.m_CommandParameterSaveEnabled);
    m_pCommandManager->SetNudgeOptions(options.m_NudgeEnabled ? TRUE : FALSE, options.m_NudgeMode, options.m_NudgeSteps);

    QZ2Command::CommandManager::SnapOptions snap;
    snap.bEnabled = options.m_SnapEnabled ? TRUE : FALSE;
    snap.dwType = options.m_SnapType;
    snap.nDivisionCount = options.m_SnapDivisionCount;
    snap.bGrid = options.m_GridSnapMode != 0 ? TRUE : FALSE;
    snap.nBoxSize = options.m_SnapBoxSize;
    snap.bBoxVisible = options.m_SnapBoxVisible ? TRUE : FALSE;
    snap.bMarkerVisible = options.m_SnapMarkerVisible ? TRUE : FALSE;
    snap.nMarkerSize = options.m_SnapMarkerSize;
    snap.markerColor = options.m_SnapMarkerColor;
    snap.bToolTipVisible = options.m_SnapToolTipVisible ? TRUE : FALSE;
    snap.bAngularEnabled = options.m_SnapAngularEnabled ? TRUE : FALSE;
    snap.dAngle = options.m_SnapAngle;
    snap.nAngularMode = options.m_SnapAngularMode;
    snap.bDisplayStateMode = options.m_SnapDisplayStateMode ? TRUE : FALSE;
    snap.cursorColor = options.m_CursorColor;
    m_pCommandManager->SetSnapOptions(snap);
}

void CQZ2App::SaveSettings()
{
    if (!m_bStartCompleted)
        return;
    m_pSystemEnvironment->SetFileDialogViewMode(CQZ2FileDialog::GetViewMode());
    {
        RegistrySection version(HKEY_CURRENT_USER);
        if (version.Create(GetSectionKeyPath(kVersionSection))) {
            version.Write(_T("Major"), static_cast<DWORD>(m_productVersion.GetMajorVersion()));
            version.Write(_T("Minor"), static_cast<DWORD>(m_productVersion.GetMinorVersion()));
        }
    }
    m_pSystemEnvironment->Save();
    SaveLayerTableViewSetting();
    ExchangeConverterDialogFlag(kDxfConverterDialogFlag, m_bDxfConverterDialog, 1);
    ExchangeConverterDialogFlag(kSxfConverterDialogFlag, m_bSxfConverterDialog, 1);
    ExchangeConverterDialogFlag(kPdfConverterDialogFlag, m_bPdfConverterDialog, 1);
    SaveConverterSettings();
}

BOOL CQZ2App::SaveLayerTableViewSetting()
{
    CMemFile file(1024);
    try {
        CArchive ar(&file, CArchive::store, 4096);
        ar << CString(kLayerTableViewTag);
        ar << static_cast<int>(m_productVersion.GetMajorVersion());
        ar << static_cast<int>(m_productVersion.GetMinorVersion());
        m_pLayerTableViewSetting->Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    const ULONGLONG length = file.GetLength();
    if (length == 0 || length > RegistrySection::kMaxValueBytes)
        return FALSE;
    BYTE* pData = file.Detach();
    RegistrySection reg(HKEY_CURRENT_USER);
    BOOL bWritten = FALSE;
    if (reg.Create(GetSectionKeyPath(kLayerTableViewSection)))
        bWritten = reg.WriteBinary(kLayerTableViewTag, pData, static_cast<DWORD>(length));
    std::free(pData);
    return bWritten;
}

BOOL CQZ2App::LoadLayerTableViewSetting()
{
    RegistrySection reg(HKEY_CURRENT_USER);
    if (!reg.Open(GetSectionKeyPath(kLayerTableViewSection)))
        return FALSE;
    std::vector<BYTE> data;
    if (!reg.ReadBinary(kLayerTableViewTag, data) || data.empty())
        return FALSE;
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    // A damaged or cut block is ignored as a whole: the state changes only when all of it reads.
    CArchive ar(&file, CArchive::load, 4096);
    try {
        CString tag;
        int major = 0;
        int minor = 0;
        ar >> tag >> major >> minor;
        const DWORD stored = ((static_cast<DWORD>(major) & 0xFFFF) << 16) | (static_cast<DWORD>(minor) & 0xFFFF);
        const DWORD current = (static_cast<DWORD>(m_productVersion.GetMajorVersion()) << 16) |
                              static_cast<DWORD>(m_productVersion.GetMinorVersion());
        if (tag != kLayerTableViewTag || stored > current) {
            ar.Abort();
            return FALSE;
        }
        LayerTableViewSetting setting(*m_pLayerTableViewSetting);
        setting.Serialize(ar);
        *m_pLayerTableViewSetting = setting;
        ar.Abort();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        ar.Abort();
        return FALSE;
    }
}

// ---- options ------------------------------------------------------------------------------------

void CQZ2App::GetOpenDocuments(CTypedPtrArray<CPtrArray, CQZ2Doc*>& documents) const
{
    documents.RemoveAll();
    CDocManager* pManager = AfxGetDocManager();
    POSITION pos = pManager->GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = pManager->GetNextDocTemplate(pos);
        POSITION docPos = pTemplate->GetFirstDocPosition();
        while (docPos != nullptr) {
            CDocument* pDoc = pTemplate->GetNextDoc(docPos);
            if (pDoc != nullptr && pDoc->IsKindOf(RUNTIME_CLASS(CQZ2Doc)))
                documents.Add(static_cast<CQZ2Doc*>(pDoc));
        }
    }
}

BOOL CQZ2App::SetSystemEnvironment(const SystemEnvironment& environment)
{
    const SystemEnvironment old(*m_pSystemEnvironment);
    *m_pSystemEnvironment = environment;
    const SystemEnvironment& now = *m_pSystemEnvironment;

    if (old.m_SelectionShapeMode != now.m_SelectionShapeMode && m_pCommandManager != nullptr)
        m_pCommandManager->ClearFenceIfActive();

    CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
    GetOpenDocuments(documents);

    ApplyOptionsToViews(old, now);
    // Component thumbnails are drawn again with a new back colour: every drawing lets its pictures go,
    // and the component bar draws the ones it shows again.
    if (old.m_TableViewThumbnailBackColor != now.m_TableViewThumbnailBackColor) {
        for (INT_PTR i = 0; i < documents.GetSize(); ++i) {
            const Draw2dDocument* pModel = documents[i]->GetDraw2dDocument();
            const DrawComponent2dFeatureDefineTable* pTable = pModel != nullptr ? pModel->GetComponentDefineTable() : nullptr;
            for (int k = 0; pTable != nullptr && k < pTable->GetComponentDefineCount(); ++k)
                pTable->InvalidateThumbnail(pTable->GetComponentDefineByIndex(k)->GetComponentId());
        }
        DrawComponent2dFeatureDefineTable::SetThumbnailBackColor(now.m_TableViewThumbnailBackColor);
        if (auto* pFrame = DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd); pFrame != nullptr && pFrame->GetComponentBar() != nullptr)
            pFrame->GetComponentBar()->InvalidateThumbnails();
    }

    if (old.m_AutoRecoverEnabled != now.m_AutoRecoverEnabled || old.m_AutoRecoverTime != now.m_AutoRecoverTime) {
        KillAutoSaveTimer();
        if (now.m_AutoRecoverEnabled)
            RestartAutoSaveTimer();
    }

    ApplyOptionsToMainFrame(old, now);

    ApplyOptionsToCommandManager();
    // The cursor, snap box and marker are drawn over the view's kept picture, which a paint only shows
    // again as it was: take the old ones off and draw them anew, so that they take their new look
    // without a mouse move.
    if (m_pCommandManager != nullptr && m_pCommandManager->GetActiveView() != nullptr) {
        if (CWnd* pView = CWnd::FromHandle(m_pCommandManager->GetActiveView()->GetHWnd())) {
            m_pCommandManager->RestoreActiveView();
            m_pCommandManager->RedrawOverlay(pView, nullptr);
            pView->Invalidate(FALSE);
        }
    }
    NumericFormat::SetInputConstValue(now.GetInputConstValue());
    if (old.m_PointParameterInputMode != now.m_PointParameterInputMode)
        NumericFormat::SetPointParameterInputMode(static_cast<PointParameterInputMode>(now.m_PointParameterInputMode));
    return TRUE;
}

void CQZ2App::ApplyOptionsToMainFrame(const SystemEnvironment& old, const SystemEnvironment& now)
{
    auto* pFrame = DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd);
    if (pFrame == nullptr)
        return;
    // The overview shows the paper and back colours, the selection, layout regions and greeked text.
    const bool overviewChanged =
        old.m_PaperColor != now.m_PaperColor || old.m_PaperBackColor1 != now.m_PaperBackColor1 ||
        old.m_PaperBackColor2 != now.m_PaperBackColor2 || old.m_PartBackColor != now.m_PartBackColor ||
        old.m_ComponentEditerBackColor != now.m_ComponentEditerBackColor || old.m_SelectionColor != now.m_SelectionColor ||
        old.m_LayoutRegionVisible != now.m_LayoutRegionVisible || old.m_GreekTextSize != now.m_GreekTextSize;
    if (overviewChanged && pFrame->GetSkyViewBar() != nullptr)
        pFrame->GetSkyViewBar()->UpdateView(0, nullptr);
    // The palette's thumbnails are drawn on the thumbnail back colour.
    if ((overviewChanged || old.m_TableViewThumbnailBackColor != now.m_TableViewThumbnailBackColor) &&
        pFrame->GetComponentBar() != nullptr)
        pFrame->GetComponentBar()->InvalidateThumbnails();
    CMainFrame::ShowSnapAngle(now.m_SnapAngle);
    if (old.m_VisualStyle != now.m_VisualStyle)
        pFrame->ChangeVisualStyle(now.m_VisualStyle);
}

BOOL CQZ2App::SetSelectionShapeMode(int nMode)
{
    return m_pSystemEnvironment->SetSelectionShapeMode(nMode);
}

BOOL CQZ2App::SetSnapEnabled(BOOL bEnabled)
{
    const BOOL bSet = m_pSystemEnvironment->SetSnapEnabled(bEnabled);
    if (bSet)
        ApplyOptionsToCommandManager();
    return bSet;
}

BOOL CQZ2App::SetSnapType(DWORD dwType)
{
    const BOOL bSet = m_pSystemEnvironment->SetSnapType(dwType);
    if (bSet)
        ApplyOptionsToCommandManager();
    return bSet;
}

BOOL CQZ2App::SetSnapAngularEnabled(BOOL bEnabled)
{
    const BOOL bSet = m_pSystemEnvironment->SetSnapAngularEnabled(bEnabled);
    if (bSet)
        ApplyOptionsToCommandManager();
    return bSet;
}

BOOL CQZ2App::SetSnapAngle(double dAngle)
{
    const BOOL bSet = m_pSystemEnvironment->SetSnapAngle(dAngle);
    if (bSet) {
        ApplyOptionsToCommandManager();
        CMainFrame::ShowSnapAngle(m_pSystemEnvironment->m_SnapAngle);
    }
    return bSet;
}

// ---- auto-save ----------------------------------------------------------------------------------

void CQZ2App::RestartAutoSaveTimer()
{
    KillAutoSaveTimer();
    const long long milliseconds = static_cast<long long>(m_pSystemEnvironment->m_AutoRecoverTime) * 60000LL;
    if (!m_pSystemEnvironment->m_AutoRecoverEnabled || milliseconds <= 0 || milliseconds > 0x7FFFFFFFLL)
        return;
    ArmAutoSaveTimer(static_cast<int>(milliseconds));
}

void CQZ2App::ArmAutoSaveTimer(int nMilliseconds)
{
    KillAutoSaveTimer();
    if (m_pAutoSaveTimer == nullptr) {
        m_pAutoSaveTimer = new QTimer;
        QObject::connect(m_pAutoSaveTimer, &QTimer::timeout,
                         [] { AutoSaveTimerProc(nullptr, WM_TIMER, kAutoSaveTimerId, 0); });
    }
    m_pAutoSaveTimer->setSingleShot(true);
    m_pAutoSaveTimer->start(nMilliseconds);
    m_nAutoSaveTimerId = kAutoSaveTimerId;
}

void CQZ2App::KillAutoSaveTimer()
{
    if (m_pAutoSaveTimer != nullptr)
        m_pAutoSaveTimer->stop();
    m_nAutoSaveTimerId = 0;
}

void AutoSaveTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (CQZ2App* pApp = CQZ2App::GetApp())
        pApp->AutoSaveAll();
}

// ---- running and shut-down ----------------------------------------------------------------------

BOOL CQZ2App::OnIdle(LONG lCount)
{
    if (m_pSystemEnvironment != nullptr)
        GraphicManager::OnIdle(m_pSystemEnvironment->m_GraphicsMode);
    return CWinApp::OnIdle(lCount);
}

BOOL CQZ2App::PreTranslateMessage(MSG* pMsg)
{
    // A key or click while the splash shows only ends the splash.
    if (CSplashWnd::PreTranslateAppMessage(pMsg))
        return TRUE;
    // The wheel scrolls what lies under the cursor, not what has the focus. The point is the one the
    // message carries (screen coordinates), which stays right when the message is posted on.
    if (pMsg != nullptr && pMsg->message == WM_MOUSEWHEEL) {
        POINT point;
        point.x = static_cast<short>(LOWORD(pMsg->lParam));
        point.y = static_cast<short>(HIWORD(pMsg->lParam));
        HWND hTarget = ::WindowFromPoint(point);
        if (hTarget != nullptr && hTarget != pMsg->hwnd &&
            ::PostMessage(hTarget, pMsg->message, pMsg->wParam, pMsg->lParam))
            return TRUE;
    }
    return CWinApp::PreTranslateMessage(pMsg);
}

int CQZ2App::ExitInstance()
{
    CFeatureSettingTreeDialog::SetAppServices(CFeatureSettingTreeDialog::AppServices());
    CQZ2SrvrItem::RemoveServices();
    RegisterOptionsServices(FALSE);
    // A check still reading its feed ends here, before the Qt application does.
    if (m_pUpdateChecker != nullptr)
        m_pUpdateChecker->Cancel();
    KillAutoSaveTimer();
    delete m_pAutoSaveTimer;
    m_pAutoSaveTimer = nullptr;

    SaveSettings();
    if (m_bStartCompleted)
        AfxGetDocManager()->SaveStdProfileSettings();

    // Windows, documents and commands hold graphics objects: they all go before the graphics
    // libraries are shut down, and before the Qt application that the static object outlives.
    if (m_pMainWnd != nullptr && m_pMainWnd->GetSafeHwnd() != nullptr)
        m_pMainWnd->DestroyWindow();
    if (m_pCommandManager != nullptr) {
        m_pCommandManager->Shutdown();
        delete m_pCommandManager;
        m_pCommandManager = nullptr;
    }
    AfxSetDocManager(nullptr);
    m_fontApplication.DeleteObject();

    GraphicManager::Dispose();
    if (m_gdiplusToken != 0) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    ReleaseRunState();
    m_bExited = TRUE;
    return CWinApp::ExitInstance();
}
