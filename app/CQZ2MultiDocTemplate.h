#pragma once
// The template of the program's drawings: documents in MDI child frames with tab views.

#include "platform/win/CMultiDocTemplate.h"

class CQZ2MultiDocTemplate : public CMultiDocTemplate
{
    DECLARE_DYNAMIC(CQZ2MultiDocTemplate)
public:
    CQZ2MultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                         CRuntimeClass* pViewClass);
    ~CQZ2MultiDocTemplate() override;

    // A new untitled document with the contents of the template file.
    CDocument* OpenDocumentFromTemplate(LPCTSTR lpszPathName, BOOL bMakeVisible);
    // Opens the file without adding it to the recent-file list.
    CDocument* OpenDocumentFileNoMRU(LPCTSTR lpszPathName, BOOL bMakeVisible);
};
