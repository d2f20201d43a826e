#pragma once
// The most-recently-used file list: the newest first, kept in the settings store under
//   HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>
// as the string values "File1", "File2", ... (the entry format with the number). Each Add and
// Remove writes the list at once, so it survives the program ending any way it does.

#include <vector>

#include "platform/afx/CString.h"

class CCmdUI;

class CRecentFileList {
public:
  CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
  virtual ~CRecentFileList();

  int GetSize() const { return static_cast<int>(m_arrNames.size()); }
  // Entry nIndex (empty for an unused one).
  CString& operator[](int nIndex);
  virtual void Add(LPCTSTR lpszPathName);
  virtual void Remove(int nIndex);
  // The entry's menu text: its file name when it lies in lpszCurDir, else its path, shortened to
  // the display length. FALSE for an unused entry.
  virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                              BOOL bAtLeastName = TRUE) const;
  // Replaces the menu item of the first entry by one item per entry ("&1 name"), or shows it
  // disabled when the list is empty.
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  virtual void ReadList();
  virtual void WriteList();

  // The settings key the list lives under (relative to HKEY_CURRENT_USER).
  CString GetKeyPath() const;

  UINT m_nStart;
  CString m_strSectionName;
  CString m_strEntryFormat;  // "File%d"
  int m_nMaxDisplayLength;
  CString m_strOriginal;     // the menu text shown while the list is empty

private:
  std::vector<CString> m_arrNames;
};
