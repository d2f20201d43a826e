#pragma once
// The application object. It owns what lives for the whole run (command manager, options, drawing
// environment, layer table view state, update checker), starts the program (language library,
// settings, document template, main frame, shell command) and at a normal exit stores the settings
// and shuts the libraries down in the right order.

#include "libs/vevure/QZ2ProductVersion.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CTypedPtrArray.h"
#include "platform/afx/CPtrArray.h"
#include "platform/gdi/CFont.h"
#include "platform/bcg/CBCGPWorkspace.h"
#include "platform/win/CWinApp.h"

class ACadConvSetting;
class PdfSetting;
class SXFSetting;
class CCmdUI;
class CCommandLineInfo;
class CDocument;
class CQZ2Doc;
class DrawEnvironment;
class LayerTableViewSetting;
class QLockFile;
class QTimer;
class ResourceModule;
class SystemEnvironment;
class UpdateChecker;
namespace QZ2Command {
class CommandManager;
}

// Also the docking library's workspace: the bars' layout, the toolbars and the keys are stored below
// "Settings" and restored with the main frame.
class CQZ2App : public CWinApp, public CBCGPWorkspace
{
    DECLARE_DYNAMIC(CQZ2App)
public:
    // The settings key and profile below HKEY_CURRENT_USER\Software.
    static const TCHAR kRegistryKey[];
    static const TCHAR kProfileName[];
    // The tag of the stored layer table view state.
    static const TCHAR kLayerTableViewTag[];

    CQZ2App();
    ~CQZ2App() override;

    // The running application object, or NULL when there is none of this class.
    static CQZ2App* GetApp();

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle(LONG lCount) override;
    int ExitInstance() override;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // Every message box of the program passes here.
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    // ---- start-up steps ----
    // The arguments to parse instead of the process's own (without the program name).
    void SetCommandLineArguments(const CStringArray& args);
    void ParseSwitches();
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    BOOL OpenDocumentFromTemplate(LPCTSTR lpszPathName);
    BOOL OpenRecoveryFile(LPCTSTR lpszPathName);
    // Offers to delete the saved window and bar layout (the subkeys of "Settings") when Ctrl and Alt
    // are held. TRUE when the reset was done.
    BOOL OfferSettingsReset();
    // The managers of the bars and the application font.
    void InitControlBarManagers();
    BOOL StartGdiplus();
    void LoadSettings();
    void SaveSettings();
    BOOL LoadLayerTableViewSetting();
    BOOL SaveLayerTableViewSetting();
    // Settings stored before 3.50 know nothing of the command bar's keys (37101-37202): the default keys
    // of those commands that no command of the frame has taken yet are added. TRUE when keys were added.
    BOOL MergeDefaultAccelerators();
    // Installs the desktop entry and the MIME types of the program's files for the user; files that
    // already say the same are left alone. TRUE when both are in place.
    BOOL RegisterShellFileTypes(BOOL bCompat = FALSE);
    void EnableShellOpen();
    // Gives the file to another running instance; FALSE when none took it.
    BOOL HandOffToRunningInstance(LPCTSTR lpszPathName);
    // How long one running instance may take to answer a hand-over request.
    static constexpr UINT kHandOverTimeoutMs = 2000;
    // The program's own form of a path from the shell or another instance: quotes dropped, absolute,
    // cleaned, a link replaced by its target. FALSE for an empty one.
    static BOOL NormalisePath(LPCTSTR lpszPathName, CString& strPath);
    void RecoverDocuments();
    void AutoSaveAll();

    // ---- application commands (CQZ2AppCommands.cpp) ----
    // The product's web site as whoever installed the program set it in the machine-wide store,
    // ending in "/"; empty when none (or not an http(s) address) is set.
    static CString GetProductSite();
    // Opens the site's page at the path; FALSE without a site. Tests replace the opening.
    typedef BOOL (*OpenUrlFn)(const CString& strUrl);
    static void SetOpenUrlFunction(OpenUrlFn pfn);
    BOOL OpenWebPage(LPCTSTR lpszPath);
    // Opens an http(s) address in the desktop's browser (or the tests' opener); FALSE for any other.
    static BOOL OpenUrl(const CString& strUrl);
    void OnAppAbout();
    void OnWebHomePage();
    void OnWebFaq();
    void OnWebOrder();
    void OnWebAddIns();
    void OnUpdateWebPage(CCmdUI* pCmdUI);
    void OnHelpSdk();
    void OnCheckForUpdate();

    // ---- language ----
    // Chooses the interface language code, keeps it and returns it.
    CString GetInterfaceLanguage();
    // Loads the language library of the code (or any other one) and joins it to the resource chain;
    // FALSE after telling the user.
    BOOL LoadResourceDll();
    CString GetLanguageCode() const { return m_strLanguageCode; }
    CString GetHatchFolderPath() const;
    // Where the language libraries are looked for: the program's resource folder unless set.
    void SetResourceFolder(const CString& strFolder) { m_strResourceFolder = strFolder; }
    CString GetResourceFolder() const;
    ResourceModule* GetResourceModule() const { return m_pResourceModule; }

    // ---- settings ----
    // "SOFTWARE\<key>\<profile>\<section>\", relative to HKEY_CURRENT_USER; empty without a key.
    static CString GetSectionKeyPath(LPCTSTR lpszSection);
    // The version of the program that last stored the settings: major << 16 | minor; 0 for none.
    DWORD GetSettingsVersion() const { return (static_cast<DWORD>(m_wSettingsMajor) << 16) | m_wSettingsMinor; }

    // ---- options ----
    BOOL SetSystemEnvironment(const SystemEnvironment& environment);
    // Gives settings/ (the options dialog) its hooks into the application, or takes them back.
    static void RegisterOptionsServices(BOOL bRegister);
    // The rendering mode, colours, smoothing, layout regions and greek size that changed, to every drawing
    // view of every open document.
    void ApplyOptionsToViews(const SystemEnvironment& old, const SystemEnvironment& now);
    // The main frame's share of new options: the overview redrawn, the snap-angle combos, the visual style.
    void ApplyOptionsToMainFrame(const SystemEnvironment& old, const SystemEnvironment& now);
    BOOL SetSelectionShapeMode(int nMode);
    BOOL SetSnapEnabled(BOOL bEnabled);
    BOOL SetSnapType(DWORD dwType);
    BOOL SetSnapAngularEnabled(BOOL bEnabled);
    BOOL SetSnapAngle(double dAngle);
    void GetOpenDocuments(CTypedPtrArray<CPtrArray, CQZ2Doc*>& documents) const;

    QZ2Command::CommandManager* GetCommandManager() const { return m_pCommandManager; }
    SystemEnvironment* GetSystemEnvironment() const { return m_pSystemEnvironment; }
    DrawEnvironment* GetDrawEnvironment() const { return m_pDrawEnvironment; }
    LayerTableViewSetting* GetLayerTableViewSetting() const { return m_pLayerTableViewSetting; }
    UpdateChecker* GetUpdateChecker() const { return m_pUpdateChecker; }
    const QZ2ProductVersion& GetProductVersion() const { return m_productVersion; }
    BOOL IsSafeMode() const { return m_bSafeMode; }
    BOOL IsAddInIde() const { return m_bAddInIde; }
    BOOL IsStartCompleted() const { return m_bStartCompleted; }
    UINT_PTR GetAutoSaveTimerId() const { return m_nAutoSaveTimerId; }
    // The font of the command bar's controls: the desktop's font for ordinary text.
    CFont& GetApplicationFont() { return m_fontApplication; }

    DWORD m_dwLastFileOpenFilter = 0x40;
    int m_nLastStylePage = 0;
    BOOL m_bDxfConverterDialog = TRUE;
    BOOL m_bSxfConverterDialog = TRUE;
    BOOL m_bPdfConverterDialog = TRUE;

    // ---- converters ----
    // The converters' settings, made and loaded from the settings store on first use, stored at exit.
    ACadConvSetting* GetAcadConvSetting();
    SXFSetting* GetSxfSetting();
    PdfSetting* GetPdfSetting();
    // Run a converter's settings sheet titled with the file name (empty from the menu); TRUE when confirmed
    // with OK, which also takes over the sheet's "show when importing" flag. A null setting is the
    // application's own. The DXF/DWG sheet opens on its save page for mode 2, else on its open page.
    BOOL ShowAcadConvSettingDialog(LPCTSTR lpszFileName, int nMode, ACadConvSetting* pSetting);
    BOOL ShowSxfSettingDialog(LPCTSTR lpszFileName, int nMode, SXFSetting* pSetting);
    BOOL ShowPdfSettingDialog(LPCTSTR lpszFileName, int nMode, PdfSetting* pSetting);
    // File > Converter Settings > DXF/DWG, SXF, PDF.
    void OnAcadConvSetting();
    void OnSxfSetting();
    void OnPdfSetting();
    void SaveConverterSettings();
    // File > Import > DXF/DWG: an open dialog for DXF and DWG files; each chosen file is opened (imported).
    void OnImportDwgDxf();
    // The file commands over the program's file dialog. File Open: drawings and the importable kinds,
    // several at once, the filter used last preselected; each chosen file is opened in order. An import
    // offers its one kind and remembers it for the next File Open. New from Template opens a template
    // as a new untitled drawing.
    void OnFileOpen();
    void OnFileImport(DWORD dwFilterFlag);
    void OnImportSxf();
    void OnImportJw();
    void OnFileNewFromTemplate();

protected:
    // Runs the auto-save timer while the options ask for it (or stops it).
    void RestartAutoSaveTimer();
    void KillAutoSaveTimer();
    // Runs the auto-save pass once after the time given.
    void ArmAutoSaveTimer(int nMilliseconds);
    // Hands the selection, snap and parameter-memory options to the command manager.
    void ApplyOptionsToCommandManager();

    // File New and File Open from the menus and toolbars, once no view, document or frame took them.
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateInstanceLock();
    // The files named on the command line after the first one.
    void CollectFurtherFiles(const CString& strFirst, CStringArray& files) const;
    void ReleaseInstanceLock();
    // Gives back the language library, the data model's language, the numeric format's constants
    // and the instance lock.
    void ReleaseRunState();
    void DeleteConverterSettings();

    QZ2Command::CommandManager* m_pCommandManager = nullptr;
    SystemEnvironment* m_pSystemEnvironment = nullptr;
    DrawEnvironment* m_pDrawEnvironment = nullptr;
    LayerTableViewSetting* m_pLayerTableViewSetting = nullptr;
    QZ2ProductVersion m_productVersion;
    BOOL m_bSafeMode = FALSE;
    BOOL m_bAddInIde = FALSE;
    UpdateChecker* m_pUpdateChecker = nullptr;
    ULONG_PTR m_gdiplusToken = 0;
    UINT_PTR m_nAutoSaveTimerId = 0;
    CFont m_fontApplication;
    CString m_strLanguageCode;
    WORD m_wSettingsMajor = 0;
    WORD m_wSettingsMinor = 0;
    BOOL m_bStartCompleted = FALSE;
    BOOL m_bExited = FALSE;
    ResourceModule* m_pResourceModule = nullptr;
    ACadConvSetting* m_pAcadConvSetting = nullptr;
    SXFSetting* m_pSxfSetting = nullptr;
    PdfSetting* m_pPdfSetting = nullptr;

    CString m_strRegistryKey;
    CString m_strProfileName;
    CString m_strHelpFilePath;
    CString m_strResourceFolder;
    CString m_strRawCommandLine;
    CStringArray m_arguments;
    BOOL m_bArgumentsSet = FALSE;
    QLockFile* m_pInstanceLock = nullptr;
    QTimer* m_pAutoSaveTimer = nullptr;
    // A recovery copy failed and the status bar said so; cleared by a pass where all succeed.
    BOOL m_bRecoveryFailureShown = FALSE;
};

// The thread timer's procedure of the periodic auto-save.
void AutoSaveTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);
