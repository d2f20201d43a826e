#include "platform/win/CDocTemplate.h"

#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinDocConstants.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  rString.Empty();
  int start = 0;
  for (int i = 0; i < index; ++i) {
    const int nl = m_strDocStrings.Find(u'\n', start);
    if (nl < 0) return FALSE;
    start = nl + 1;
  }
  const int end = m_strDocStrings.Find(u'\n', start);
  rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (pDoc->m_pDocTemplate == this) pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (!m_pDocClass) return nullptr;
  CObject* pObject = m_pDocClass->CreateObject();
  if (!pObject) return nullptr;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
    delete pObject;
    return nullptr;
  }
  auto* pDocument = static_cast<CDocument*>(pObject);
  AddDocument(pDocument);
  return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  if (!m_pFrameClass) return nullptr;
  CObject* pObject = m_pFrameClass->CreateObject();
  if (!pObject) return nullptr;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete pObject;
    return nullptr;
  }
  auto* pFrame = static_cast<CFrameWnd*>(pObject);
  // A frame that fails to load has deleted itself.
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  POSITION pos = GetFirstDocPosition();
  while (pos) {
    CDocument* pDoc = GetNextDoc(pos);
    if (!pDoc->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  POSITION pos = GetFirstDocPosition();
  while (pos) {
    CDocument* pDoc = GetNextDoc(pos);
    pDoc->OnCloseDocument();
    // Closing may have taken other documents with it: start over.
    pos = GetFirstDocPosition();
  }
}

CDocument* CDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  return OpenDocumentFile(lpszPathName, TRUE, bMakeVisible);
}

BOOL CDocTemplate::HasFilterExtension(LPCTSTR lpszPathName) const {
  CString exts;
  if (!GetDocString(exts, filterExt) || exts.IsEmpty()) return FALSE;
  const CString path = lpszPathName;
  int pos = 0;
  for (;;) {
    CString ext = exts.Tokenize(u";", pos);
    if (pos < 0) break;
    ext.Trim();
    if (ext.Left(1) == u"*") ext = ext.Mid(1);
    if (ext.IsEmpty()) continue;
    if (ext[0] != u'.') ext = u'.' + ext;
    if (path.GetLength() > ext.GetLength() && path.Right(ext.GetLength()).CompareNoCase(ext) == 0) return TRUE;
  }
  return FALSE;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = nullptr;
  const CString path = lpszPathName;
  POSITION pos = GetFirstDocPosition();
  while (pos) {
    CDocument* pDoc = GetNextDoc(pos);
    if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName() == path) {
      rpDocMatch = pDoc;
      return yesAlreadyOpen;
    }
  }
  return HasFilterExtension(lpszPathName) ? yesAttemptNative : yesAttemptForeign;
}

void CDocTemplate::SetContainerInfo(UINT nIDOleInPlaceContainer) { m_nIDContainerResource = nIDOleInPlaceContainer; }

void CDocTemplate::SetServerInfo(UINT nIDOleEmbedding, UINT nIDOleInPlaceServer, CRuntimeClass* pOleFrameClass,
                                 CRuntimeClass* pOleViewClass) {
  m_nIDEmbeddingResource = nIDOleEmbedding;
  m_nIDServerResource = nIDOleInPlaceServer;
  m_pOleFrameClass = pOleFrameClass;
  m_pOleViewClass = pOleViewClass;
}
