#pragma once
// The template of a multiple-document program: any number of documents, each in MDI child
// frames, untitled ones numbered ("Drawing1", "Drawing2"), all sharing one menu and one
// accelerator table loaded from the template's resource number.

#include "platform/afx/CPtrList.h"
#include "platform/win/CDocTemplate.h"

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
public:
  CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                    CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;

  void LoadTemplate() override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  using CDocTemplate::OpenDocumentFile;
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bAddToMRU, BOOL bMakeVisible) override;
  void SetDefaultTitle(CDocument* pDocument) override;

  HMENU m_hMenuShared = nullptr;
  HACCEL m_hAccelTable = nullptr;
  CPtrList m_docList;
  UINT m_nUntitledCount = 0;  // untitled documents made so far
};
