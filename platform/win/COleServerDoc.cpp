#include "platform/win/COleServerDoc.h"

IMPLEMENT_DYNAMIC(COleServerDoc, COleLinkingDoc)

COleServerDoc::COleServerDoc() = default;
COleServerDoc::~COleServerDoc() = default;

COleServerItem* COleServerDoc::GetEmbeddedItem() {
  if (!m_pEmbeddedItem) m_pEmbeddedItem = OnGetEmbeddedItem();
  return m_pEmbeddedItem;
}

COleServerItem* COleServerDoc::OnGetEmbeddedItem() { return nullptr; }

void COleServerDoc::NotifyChanged() {}
void COleServerDoc::NotifySaved() {}
void COleServerDoc::NotifyClosed() {}
void COleServerDoc::UpdateModifiedFlag() {}
void COleServerDoc::SaveEmbedding() {
  if (IsEmbedded()) SetModifiedFlag(FALSE);
}

BOOL COleServerDoc::OnNewEmbedding(LPSTORAGE) {
  m_bEmbedded = TRUE;
  return OnNewDocument();
}

BOOL COleServerDoc::OnOpenEmbedding(LPSTORAGE) {
  m_bEmbedded = TRUE;
  return TRUE;
}

BOOL COleServerDoc::OnSaveEmbedding(LPSTORAGE) { return TRUE; }

void COleServerDoc::OnSetItemRects(const tagRECT*, const tagRECT*) {}

BOOL COleServerDoc::SaveModified() {
  // An embedded document is saved into its container, not asked about.
  if (IsEmbedded()) {
    UpdateModifiedFlag();
    SaveEmbedding();
    return TRUE;
  }
  return COleLinkingDoc::SaveModified();
}

void COleServerDoc::OnCloseDocument() {
  if (m_bClosing) return;
  m_bClosing = TRUE;
  NotifyClosed();
  m_pEmbeddedItem = nullptr;  // the item belongs to the document class's own bookkeeping
  m_bClosing = FALSE;
  COleLinkingDoc::OnCloseDocument();
}
