#pragma once
// The docking library's part of the application object (a second base of the application
// class): where the library keeps its state in the settings store, the managers it makes at
// start-up, and loading and saving the main frame's bars, toolbars and keys.
//
// The state lies below "Software\<registry key>\<profile name>\<registry base>" of the
// application (SetRegistryBase, default "Settings"); without a registry key the program's name
// stands for "<registry key>\<profile name>".

#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

class CFrameWnd;
class CBCGPMDIFrameWnd;
class CBCGPTooltipManager;
class CBCGPKeyboardManager;
class CBCGPContextMenuManager;

class CBCGPWorkspace {
public:
  explicit CBCGPWorkspace(BOOL bResourceSmartUpdate = FALSE);
  virtual ~CBCGPWorkspace();
  CBCGPWorkspace(const CBCGPWorkspace&) = delete;
  CBCGPWorkspace& operator=(const CBCGPWorkspace&) = delete;

  // The workspace of the program (the last one made), or null.
  static CBCGPWorkspace* GetInstance();

  // The key below the application's key that holds the library's state.
  LPCTSTR SetRegistryBase(LPCTSTR lpszSectionName = nullptr);
  LPCTSTR GetRegistryBase() const { return m_strRegSection; }
  // "Software\...\<base>\<section>\" (with a trailing backslash), relative to the user's root.
  CString GetRegSectionPath(LPCTSTR szSectionAdd = u"") const;

  // Managers used by the bars; each returns FALSE when it exists already.
  BOOL InitKeyboardManager();
  BOOL InitContextMenuManager();
  BOOL InitMouseManager();
  BOOL InitTooltipManager();
  BOOL InitShellManager() { return TRUE; }
  // The tool tip manager (null before InitTooltipManager).
  CBCGPTooltipManager* GetTooltipManager() const;
  // The keyboard and context-menu managers (null before their Init calls).
  CBCGPKeyboardManager* GetKeyboardManager() const;
  CBCGPContextMenuManager* GetContextMenuManager() const;

  // Loads / saves the frame's layout, toolbars and keys. LoadState without stored state
  // leaves the first layout as the frame made it and returns FALSE.
  virtual BOOL LoadState(CBCGPMDIFrameWnd* pFrame, LPCTSTR lpszSectionName = nullptr);
  virtual BOOL SaveState(CBCGPMDIFrameWnd* pFrame, LPCTSTR lpszSectionName = nullptr);
  // Deletes the stored state (the next start shows the first layout).
  BOOL CleanState(LPCTSTR lpszSectionName = nullptr);
  BOOL IsStateExists(LPCTSTR lpszSectionName = nullptr);

  // Values of the library's own section.
  int GetInt(LPCTSTR lpszEntry, int nDefault = 0);
  CString GetString(LPCTSTR lpszEntry, LPCTSTR lpszDefault = u"");
  BOOL WriteInt(LPCTSTR lpszEntry, int nValue);
  BOOL WriteString(LPCTSTR lpszEntry, LPCTSTR lpszValue);

  // Hooks around loading and saving.
  virtual void PreLoadState() {}
  virtual void LoadCustomState() {}
  virtual void PreSaveState() {}
  virtual void SaveCustomState() {}

protected:
  CString m_strRegSection;
  BOOL m_bKeyboardManagerAutocreated = FALSE;
  BOOL m_bContextMenuManagerAutocreated = FALSE;
  BOOL m_bTooltipManagerAutocreated = FALSE;
};
