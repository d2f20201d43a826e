#include "platform/win/COleLinkingDoc.h"

IMPLEMENT_DYNAMIC(COleLinkingDoc, COleDocument)

COleLinkingDoc::COleLinkingDoc() = default;
COleLinkingDoc::~COleLinkingDoc() = default;

BOOL COleLinkingDoc::Register(void*, LPCTSTR lpszPathName) {
  m_strMoniker = lpszPathName;
  m_bRegistered = TRUE;
  return TRUE;
}

void COleLinkingDoc::Revoke() {
  m_strMoniker.Empty();
  m_bRegistered = FALSE;
}

BOOL COleLinkingDoc::OnNewDocument() {
  Revoke();
  return COleDocument::OnNewDocument();
}

BOOL COleLinkingDoc::OnOpenDocument(LPCTSTR lpszPathName) {
  Revoke();
  if (!COleDocument::OnOpenDocument(lpszPathName)) return FALSE;
  Register(nullptr, lpszPathName);
  return TRUE;
}

BOOL COleLinkingDoc::OnSaveDocument(LPCTSTR lpszPathName) {
  if (!COleDocument::OnSaveDocument(lpszPathName)) return FALSE;
  // The document now answers to the name it was saved under (unless it was a copy).
  if (m_bRemember) Register(nullptr, lpszPathName);
  return TRUE;
}

void COleLinkingDoc::OnCloseDocument() {
  Revoke();
  COleDocument::OnCloseDocument();
}
