#pragma once
// The open and save dialog, over Qt's own (not the desktop's) file dialog so that it behaves
// the same everywhere and can be extended. Filters are "Text|*.txt;*.log|All files|*.*||".
// GetOpenFileName and GetSaveFileName (CommDlgTypes.h) run the same dialog from an
// OPENFILENAME record, with its hook told of the dialog's events (CDN_ notifications).

#include <string>

#include "platform/afx/CString.h"
#include "platform/win/CDialog.h"
#include "platform/win/CommDlgTypes.h"

class CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)
public:
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);
  ~CFileDialog() override;

  OPENFILENAME m_ofn{};

  INT_PTR DoModal() override;

  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  CString GetFolderPath() const;
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;
  BOOL GetReadOnlyPref() const;
  BOOL IsOpenDialog() const { return m_bOpenFileDialog; }

  // While the dialog runs: TRUE from OnFileNameOK keeps it open.
  virtual BOOL OnFileNameOK();
  virtual void OnInitDone();
  virtual void OnFileNameChange();
  virtual void OnFolderChange();
  virtual void OnTypeChange();

  // The Qt dialog while DoModal runs (null otherwise), for extensions.
  class QFileDialog* GetQFileDialog() const { return m_pDialog; }

protected:
  friend struct AfxFileDialogRunner;
  BOOL m_bOpenFileDialog;
  std::u16string m_strFilter;
  std::u16string m_fileBuffer;
  std::u16string m_strDefExt;
  QFileDialog* m_pDialog = nullptr;
};
