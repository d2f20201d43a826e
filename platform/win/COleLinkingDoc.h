#pragma once
// A document that other programs could link to. Registration with a running-object table has
// no counterpart here: Register and Revoke only note the name.

#include "platform/win/COleDocument.h"

class COleTemplateServer;

class COleLinkingDoc : public COleDocument {
  DECLARE_DYNAMIC(COleLinkingDoc)
public:
  COleLinkingDoc();
  ~COleLinkingDoc() override;

  BOOL Register(void* pFactory, LPCTSTR lpszPathName);
  void Revoke();
  BOOL IsRegistered() const { return m_bRegistered; }

  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
  void OnCloseDocument() override;

protected:
  BOOL m_bRegistered = FALSE;
  CString m_strMoniker;
};
