#pragma once
// A document that can hold OLE items and be kept in a compound file. This layer keeps the
// flags and the item-command hooks; the compound-file reading and writing are done by the
// document class over the storage layer (LoadFromStorage/SaveToStorage).

#include "platform/afx/CObList.h"
#include "platform/win/CDocument.h"

class CCmdUI;
class CWnd;

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

  // ---- the document's items (OLE objects and the like, made by the storage layer) ----
  // The document owns its items: they are deleted with it (and by DeleteContents).
  void AddItem(CObject* pItem);
  void RemoveItem(CObject* pItem);
  POSITION GetStartPosition() const { return m_docItemList.GetHeadPosition(); }
  CObject* GetNextItem(POSITION& pos) const { return m_docItemList.GetNext(pos); }
  INT_PTR GetItemCount() const { return m_docItemList.GetCount(); }
  // The item active in place in that view: none in this layer.
  virtual CObject* GetInPlaceActiveItem(CWnd* pWnd);
  // The items: their number (DWORD), then each item as an object of its run-time class.
  void Serialize(CArchive& ar) override;
  void DeleteContents() override;

  afx_msg void OnEditLinks();
  // Disabled: no item of this document has links.
  afx_msg void OnUpdateEditLinksMenu(CCmdUI* pCmdUI);
  afx_msg void OnUpdateObjectVerbMenu(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePasteMenu(CCmdUI* pCmdUI);

  BOOL m_bCompoundFile = FALSE;
  BOOL m_bRemember = TRUE;   // a save makes the saved file the document's own
  BOOL m_bSameAsLoad = TRUE;
  CObList m_docItemList;

protected:
  DECLARE_MESSAGE_MAP()
};
