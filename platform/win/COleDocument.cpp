#include "platform/win/COleDocument.h"

#include "platform/win/CCmdUI.h"

IMPLEMENT_DYNAMIC(COleDocument, CDocument)

BEGIN_MESSAGE_MAP(COleDocument, CDocument)
END_MESSAGE_MAP()

COleDocument::COleDocument() = default;
COleDocument::~COleDocument() = default;

void COleDocument::CommitItems(BOOL) {}

void COleDocument::OnEditLinks() {}

void COleDocument::OnUpdateEditLinksMenu(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void COleDocument::OnUpdateObjectVerbMenu(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void COleDocument::OnUpdatePasteMenu(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
