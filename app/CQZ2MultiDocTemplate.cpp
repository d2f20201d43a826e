#include "app/CQZ2MultiDocTemplate.h"

#include "platform/win/CDocument.h"

IMPLEMENT_DYNAMIC(CQZ2MultiDocTemplate, CMultiDocTemplate)

CQZ2MultiDocTemplate::CQZ2MultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                           CRuntimeClass* pViewClass)
    : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CQZ2MultiDocTemplate::~CQZ2MultiDocTemplate() = default;

CDocument* CQZ2MultiDocTemplate::OpenDocumentFromTemplate(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = OpenDocumentFile(lpszPathName, FALSE, bMakeVisible);
    if (pDocument != nullptr) {
        // The template file itself is never saved over.
        pDocument->ClearPathName();
        SetDefaultTitle(pDocument);
    }
    return pDocument;
}

CDocument* CQZ2MultiDocTemplate::OpenDocumentFileNoMRU(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    return OpenDocumentFile(lpszPathName, FALSE, bMakeVisible);
}
