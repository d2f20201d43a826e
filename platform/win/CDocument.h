#pragma once
// A document: the data behind one or more views, with its title, path and modified flag. It
// reads and writes itself through Serialize on a CArchive over a CFile. Saving writes a
// temporary file beside the target and renames it into place, so a failed save leaves the
// existing file as it was.

#include "platform/afx/CPtrList.h"
#include "platform/afx/CString.h"
#include "platform/win/CCmdTarget.h"

class CArchive;
class CException;
class CFile;
class CFileException;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // Makes the path full, takes its file name as the title and, with bAddToMRU, enters it in
  // the recent-file list.
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  virtual void ClearPathName();
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  virtual BOOL IsModified();
  virtual void SetModifiedFlag(BOOL bModified = TRUE);
  BOOL IsEmbedded() const { return m_bEmbedded; }

  // ---- views ----
  virtual POSITION GetFirstViewPosition() const;
  virtual CView* GetNextView(POSITION& rPosition) const;
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  // Tells every view but pSender that the document changed (CView::OnUpdate).
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
  // Numbers the frames showing the document ("Title:1", "Title:2") and updates their titles.
  virtual void UpdateFrameCounts();
  // Called when a view came or went; the document closes itself when its last view went.
  virtual void OnChangedViewList();

  // ---- life ----
  virtual void DeleteContents();
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  // Destroys the frames showing the document, empties it and (auto-delete) deletes it.
  virtual void OnCloseDocument();
  virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
  virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
  virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

  // ---- closing and saving ----
  // Whether the frame may close: closing the last frame of a document asks to save it.
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  // Asks "Save changes to ...?" for a modified document; FALSE when the user cancelled or the
  // save failed.
  virtual BOOL SaveModified();
  virtual void PreCloseFrame(CFrameWnd* pFrame);
  // Saves under lpszPathName, or asks for a name when it is null. With bReplace the document
  // takes the new name.
  virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
  // File > Save: the own path when it can be written, else Save As.
  virtual BOOL DoFileSave();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  afx_msg void OnFileClose();
  afx_msg void OnFileSave();
  afx_msg void OnFileSaveAs();

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;
  BOOL m_bAutoDelete = TRUE;  // deleted when its last view goes
  BOOL m_bEmbedded = FALSE;

protected:
  DECLARE_MESSAGE_MAP()
  friend class CDocTemplate;
};
