#include "platform/win/COleDocument.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CFile.h"
#include "platform/win/CCmdUI.h"

IMPLEMENT_DYNAMIC(COleDocument, CDocument)

BEGIN_MESSAGE_MAP(COleDocument, CDocument)
END_MESSAGE_MAP()

COleDocument::COleDocument() = default;
COleDocument::~COleDocument() { COleDocument::DeleteContents(); }

void COleDocument::AddItem(CObject* pItem) {
  if (pItem && !m_docItemList.Find(pItem)) m_docItemList.AddTail(pItem);
}

void COleDocument::RemoveItem(CObject* pItem) {
  if (POSITION pos = m_docItemList.Find(pItem)) m_docItemList.RemoveAt(pos);
}

CObject* COleDocument::GetInPlaceActiveItem(CWnd*) { return nullptr; }

void COleDocument::DeleteContents() {
  while (!m_docItemList.IsEmpty()) delete m_docItemList.RemoveHead();
  CDocument::DeleteContents();
}

void COleDocument::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(m_docItemList.GetCount());
    POSITION pos = GetStartPosition();
    while (pos) ar << GetNextItem(pos);
    return;
  }
  DWORD count = 0;
  ar >> count;
  // Every item takes bytes of the file: a count beyond what is left is damage.
  if (ar.GetFile() && count > ar.GetFile()->GetLength()) AfxThrowArchiveException(CArchiveException::badIndex);
  for (DWORD i = 0; i < count; ++i) {
    CObject* pItem = ar.ReadObject(nullptr);
    if (pItem) AddItem(pItem);
  }
}

void COleDocument::CommitItems(BOOL) {}

void COleDocument::OnEditLinks() {}

void COleDocument::OnUpdateEditLinksMenu(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void COleDocument::OnUpdateObjectVerbMenu(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void COleDocument::OnUpdatePasteMenu(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
