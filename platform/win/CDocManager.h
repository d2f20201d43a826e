#pragma once
// The program's document manager: its templates, opening files (an already open one is
// activated), File New and File Open, saving and closing every document, and the recent-file
// list with its commands. One manager per program (AfxGetDocManager); the application's File
// commands and shell commands go through it.

#include "platform/afx/CPtrList.h"
#include "platform/afx/CString.h"
#include "platform/win/CCmdTarget.h"

class CDocTemplate;
class CDocument;
class CRecentFileList;
class CCommandLineInfo;
class CCmdUI;

class CDocManager : public CCmdTarget {
  DECLARE_DYNAMIC(CDocManager)
public:
  CDocManager();
  ~CDocManager() override;

  // Takes the template (it is deleted with the manager when its auto-delete flag is set).
  virtual void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  int GetDocumentCount() const;

  // Opens the file with the template that fits it best; an open document of that path is
  // activated instead. Null when it cannot be opened (the user has been told why).
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU = TRUE);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual void OnFileNew();
  virtual void OnFileOpen();
  // Asks for a file name (open or save dialog with the templates' filters).
  virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate);

  // ---- recent files ----
  // Makes the list of nMaxMRU entries (0: none) and reads it from the settings store.
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();
  void AddToRecentFileList(LPCTSTR lpszPathName);
  CRecentFileList* GetRecentFileList() const { return m_pRecentFileList; }
  afx_msg BOOL OnOpenRecentFile(UINT nID);
  afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

  CPtrList m_templateList;
  CRecentFileList* m_pRecentFileList = nullptr;

protected:
  DECLARE_MESSAGE_MAP()
};

// The program's manager, made on first use.
CDocManager* AfxGetDocManager();
// Replaces the program's manager (the old one is deleted); null just deletes it.
void AfxSetDocManager(CDocManager* pManager);

// The application's document calls, for an application object that forwards them.
void AfxAddDocTemplate(CDocTemplate* pTemplate);
CDocument* AfxOpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU = TRUE);
void AfxAddToRecentFileList(LPCTSTR lpszPathName);
void AfxLoadStdProfileSettings(UINT nMaxMRU = 4);
BOOL AfxSaveAllModified();
void AfxCloseAllDocuments(BOOL bEndSession);
// The program's command line (without the program name) parsed into rCmdInfo.
void AfxParseCommandLine(CCommandLineInfo& rCmdInfo);
// Runs the shell command: FALSE when the program should end now (printing done, registration
// done, or the command failed).
BOOL AfxProcessShellCommand(CCommandLineInfo& rCmdInfo);
// The settings key of the application (relative to HKEY_CURRENT_USER):
//   Software\<registry key>\<profile name>   (profile name: else the application name)
CString AfxGetAppRegistryKeyPath();
