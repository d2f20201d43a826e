#pragma once
// A document that can hold OLE items and be kept in a compound file. This layer keeps the
// flags and the item-command hooks; the compound-file reading and writing are done by the
// document class over the storage layer (LoadFromStorage/SaveToStorage).

#include "platform/win/CDocument.h"

class CCmdUI;

class COleDocument : public CDocument {
  DECLARE_DYNAMIC(COleDocument)
public:
  COleDocument();
  ~COleDocument() override;

  void EnableCompoundFile(BOOL bEnable = TRUE) { m_bCompoundFile = bEnable; }
  BOOL IsCompoundFileEnabled() const { return m_bCompoundFile; }
  // Commits the storages of the items; without items there is nothing to do.
  virtual void CommitItems(BOOL bSuccess);
  virtual BOOL HasBlankItems() const { return FALSE; }

  afx_msg void OnEditLinks();
  // Disabled: no item of this document has links.
  afx_msg void OnUpdateEditLinksMenu(CCmdUI* pCmdUI);
  afx_msg void OnUpdateObjectVerbMenu(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePasteMenu(CCmdUI* pCmdUI);

  BOOL m_bCompoundFile = FALSE;
  BOOL m_bRemember = TRUE;   // a save makes the saved file the document's own
  BOOL m_bSameAsLoad = TRUE;

protected:
  DECLARE_MESSAGE_MAP()
};
