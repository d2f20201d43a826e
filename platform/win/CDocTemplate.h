#pragma once
// A document template: ties a document class, its frame class and its view class to one
// resource number (title and file-type texts, menu, accelerators, icon) and makes documents
// with their frames and views.
//
// The document string (string nIDResource) has seven parts separated by line breaks:
//   window title \n document name \n File New name \n filter name \n filter extension(s)
//   \n file type id \n file type name
// The filter extension may list several extensions separated by ';' (".kvcd;.kvct").

#include "platform/afx/CString.h"
#include "platform/win/CCmdTarget.h"
#include "platform/win/WinTypes.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
  enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative, yesAlreadyOpen };

  ~CDocTemplate() override;

  // Loads the document string (and, in derived templates, the shared menu and accelerators).
  virtual void LoadTemplate();
  UINT GetResourceID() const { return m_nIDResource; }
  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

  // ---- documents ----
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual CDocument* CreateNewDocument();
  // Makes a frame with its view for pDoc (pOther: a frame of the same document to copy).
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  // A new untitled document (null path) or the document of a file, in a new frame.
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bAddToMRU, BOOL bMakeVisible) = 0;
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;
  // How well the template takes the file: already open, its own extension, or foreign.
  virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
  // Whether the path ends with one of the filter extensions (without regard to case).
  BOOL HasFilterExtension(LPCTSTR lpszPathName) const;

  // OLE registration data (kept for the server layer).
  void SetContainerInfo(UINT nIDOleInPlaceContainer);
  void SetServerInfo(UINT nIDOleEmbedding, UINT nIDOleInPlaceServer = 0, CRuntimeClass* pOleFrameClass = nullptr,
                     CRuntimeClass* pOleViewClass = nullptr);

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
  BOOL m_bAutoDelete = TRUE;  // the document manager deletes it
  UINT m_nIDServerResource = 0;
  UINT m_nIDContainerResource = 0;
  UINT m_nIDEmbeddingResource = 0;
  CRuntimeClass* m_pOleFrameClass = nullptr;
  CRuntimeClass* m_pOleViewClass = nullptr;

protected:
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
};
