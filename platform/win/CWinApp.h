#pragma once
// The application object: one static instance per program, found with AfxGetApp. Its loop
// runs over the Qt application; the object may outlive the Qt application (it is static) and
// then touches no Qt object when it is destroyed.

#include "platform/afx/CString.h"
#include "platform/win/CWinThread.h"
#include "platform/win/WinTypes.h"
#include "platform/win/WinConstants.h"

struct PRINTDLG;

class CDocTemplate;
class CDocument;
class CCommandLineInfo;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
public:
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  LPCTSTR m_pszAppName = nullptr;
  LPCTSTR m_pszExeName = nullptr;
  LPCTSTR m_pszHelpFilePath = nullptr;
  LPCTSTR m_pszProfileName = nullptr;
  LPCTSTR m_pszRegistryKey = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPTSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  int m_nWaitCursorCount = 0;

  BOOL InitInstance() override;
  int ExitInstance() override;
  int Run() override;
  BOOL OnIdle(LONG lCount) override;

  // Shows a message box with the MB_ flags and returns the ID of the button pressed.
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  // 1 begins, -1 ends, 0 restores the wait cursor.
  virtual void DoWaitCursor(int nCode);

  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
  HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
  HCURSOR LoadOEMCursor(UINT nIDCursor) const;
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

  void SetAppName(LPCTSTR lpszAppName);

  // ---- documents: forwarded to the program's document manager ----
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  CDocument* OpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU);
  virtual void AddToRecentFileList(LPCTSTR lpszPathName);
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  virtual BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);
  void OnFileNew();
  void OnFileOpen();

  // ---- settings: HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section> ----
  // Sets the registry key name; the profile name becomes the application name.
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  // Replaces the profile name (it may hold several key levels separated by backslashes).
  void SetProfileName(LPCTSTR lpszProfileName);
  // The application key and a section key below it, created when missing; the caller closes
  // them. Null when there is no registry key name or a key cannot be made.
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCTSTR lpszSection);
  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
  // A null entry deletes the section, a null value deletes the entry.
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  // The stored bytes in a new[] block the caller deletes; FALSE when the value is missing.
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

  // ---- printing ----
  // The printer the program prints on unless a dialog chose another: the handles of the system's default
  // print queue, else of the PDF printer (always there). pPrintDlg's hDevMode and hDevNames become the
  // application's own handles (the caller does not free them). FALSE only when no printer can be made.
  BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
  // Takes the defaults again when there are none yet or bForceDefaults is set (a queue came or went).
  void UpdatePrinterSelection(BOOL bForceDefaults);

protected:
  HGLOBAL m_hDevMode = nullptr;
  HGLOBAL m_hDevNames = nullptr;

private:
  std::u16string m_appName;
  std::u16string m_exeName;
  std::u16string m_registryKey;
  std::u16string m_profileName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
LPCTSTR AfxGetAppName();
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// The program's entry: makes the Qt application (unless one exists), runs InitInstance and
// the loop of the application object, and ends every window before the Qt application goes.
int AfxWinMain(int argc, char** argv);
// Ends every window still open (before the Qt application goes away).
void AfxWinTerm();
