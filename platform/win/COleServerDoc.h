#pragma once
// A document that can also serve as an item embedded in another program's document. This
// layer keeps the embedding state and the hooks the document class overrides; the item itself
// (OnGetEmbeddedItem) is made by the document class.

#include "platform/win/COleLinkingDoc.h"

class COleServerItem;
struct IStorage;
typedef IStorage* LPSTORAGE;
struct tagRECT;

class COleServerDoc : public COleLinkingDoc {
  DECLARE_DYNAMIC(COleServerDoc)
public:
  COleServerDoc();
  ~COleServerDoc() override;

  // The item standing for the whole document, made on first use by OnGetEmbeddedItem.
  COleServerItem* GetEmbeddedItem();
  BOOL IsInPlaceActive() const { return FALSE; }
  // Tells the container the document changed or was saved (no container here: nothing to do).
  void NotifyChanged();
  void NotifySaved();
  void NotifyClosed();
  // Takes the modified state of the embedded items into the document's flag.
  virtual void UpdateModifiedFlag();
  void SaveEmbedding();

  virtual BOOL OnNewEmbedding(LPSTORAGE lpStorage);
  virtual BOOL OnOpenEmbedding(LPSTORAGE lpStorage);
  virtual BOOL OnSaveEmbedding(LPSTORAGE lpStorage);
  virtual COleServerItem* OnGetEmbeddedItem();
  virtual void OnSetItemRects(const tagRECT* lpPosRect, const tagRECT* lpClipRect);

  BOOL SaveModified() override;
  void OnCloseDocument() override;

protected:
  COleServerItem* m_pEmbeddedItem = nullptr;
  BOOL m_bClosing = FALSE;
};
