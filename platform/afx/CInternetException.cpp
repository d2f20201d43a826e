#include "platform/afx/CInternetException.h"

#include "platform/afx/CString.h"

IMPLEMENT_DYNAMIC(CInternetException, CException)

BOOL CInternetException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    CString text;
    text.Format(_T("A network operation failed (error %u)."), m_dwError);
    AfxCopyErrorMessage(text, lpszError, nMaxError);
    return TRUE;
}

void AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError)
{
    CInternetException* e = new CInternetException(dwError);
    e->m_dwContext = dwContext;
    throw e;
}
