#include "platform/afx/CException.h"

#include <cstdio>
#include <string>

#include "platform/afx/CString.h"
#include "platform/afx/FrameworkText.h"

IMPLEMENT_DYNAMIC(CException, CObject)

namespace {
CException::ReportErrorProc g_pfnReportError = nullptr;
thread_local AFX_EXCEPTION_LINK* t_pLinkTop = nullptr;
}  // namespace

AFX_EXCEPTION_LINK::AFX_EXCEPTION_LINK() : m_pLinkPrev(t_pLinkTop)
{
    t_pLinkTop = this;
}

AFX_EXCEPTION_LINK::~AFX_EXCEPTION_LINK()
{
    t_pLinkTop = m_pLinkPrev;
    if (m_pException != nullptr)
        m_pException->Delete();
}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

void CException::Delete()
{
    // A handler inside CATCH may delete the exception itself: the TRY block must then not free it again.
    for (AFX_EXCEPTION_LINK* p = t_pLinkTop; p != nullptr; p = p->m_pLinkPrev) {
        if (p->m_pException == this)
            p->m_pException = nullptr;
    }
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        lpszError[0] = 0;
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    TCHAR szMessage[1024];
    CString text;
    if (GetErrorMessage(szMessage, _countof(szMessage)))
        text = szMessage;
    else if (nMessageID != 0)
        text.LoadString(nMessageID);
    if (text.IsEmpty())
        text = AfxLoadFrameworkText(AFX_IDP_UNEXPECTED_ERROR, _T("An unexpected error occurred."));
    if (g_pfnReportError != nullptr)
        return g_pfnReportError(text, nType, nMessageID);
    std::fprintf(stderr, "%s\n", text.ToUtf8().c_str());
    return 1;  // as if OK was chosen
}

CException::ReportErrorProc CException::SetReportErrorProc(ReportErrorProc pfn)
{
    ReportErrorProc old = g_pfnReportError;
    g_pfnReportError = pfn;
    return old;
}

void AfxCopyErrorMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return;
    UINT i = 0;
    if (lpszText != nullptr) {
        for (; i + 1 < nMaxError && lpszText[i] != 0; ++i)
            lpszError[i] = lpszText[i];
    }
    lpszError[i] = 0;
}
