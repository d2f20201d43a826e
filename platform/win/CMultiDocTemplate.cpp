#include "platform/win/CMultiDocTemplate.h"

#include <vector>

#include "platform/afx/ResourceModule.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWaitCursor.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinAccelerator.h"
#include "platform/win/WinDocConstants.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {
  LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate() {
  // Documents still open lose their template, not their life.
  POSITION pos = m_docList.GetHeadPosition();
  while (pos) static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = nullptr;
  m_docList.RemoveAll();
  if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
  if (m_hAccelTable) DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate() {
  CDocTemplate::LoadTemplate();
  std::vector<BYTE> data;
  if (!m_hMenuShared && AfxFindResourceData("MENU", m_nIDResource, data)) {
    CMenu menu;
    if (menu.LoadMenu(m_nIDResource)) m_hMenuShared = menu.Detach();
  }
  if (!m_hAccelTable) m_hAccelTable = LoadAccelerators(AfxGetInstanceHandle(), MAKEINTRESOURCE(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  if (!m_docList.Find(pDoc)) m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (POSITION pos = m_docList.Find(pDoc)) m_docList.RemoveAt(pos);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const { return static_cast<CDocument*>(m_docList.GetNext(rPos)); }

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString title;
  if (!GetDocString(title, docName) || title.IsEmpty()) title = AfxLoadFrameworkString(AFX_IDS_UNTITLED);
  CString numbered;
  numbered.Format(u"%s%u", static_cast<LPCTSTR>(title), m_nUntitledCount + 1);
  pDocument->SetTitle(numbered);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bAddToMRU, BOOL bMakeVisible) {
  CDocument* pDocument = CreateNewDocument();
  if (!pDocument) {
    AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
    return nullptr;
  }
  // The document must not close itself while its frame is being made.
  const BOOL bAutoDelete = pDocument->m_bAutoDelete;
  pDocument->m_bAutoDelete = FALSE;
  CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
  pDocument->m_bAutoDelete = bAutoDelete;
  if (!pFrame) {
    AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
    delete pDocument;
    return nullptr;
  }
  if (!lpszPathName || !*lpszPathName) {
    SetDefaultTitle(pDocument);
    if (!bMakeVisible) pDocument->m_bEmbedded = TRUE;
    if (!pDocument->OnNewDocument()) {
      pFrame->DestroyWindow();  // takes the document with it
      return nullptr;
    }
    ++m_nUntitledCount;
  } else {
    CWaitCursor wait;
    if (!pDocument->OnOpenDocument(lpszPathName)) {
      pFrame->DestroyWindow();
      return nullptr;
    }
    pDocument->SetPathName(lpszPathName, bAddToMRU);
  }
  InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
  return pDocument;
}
