#include "platform/afx/CInvalidArgException.h"

#include "platform/afx/FrameworkText.h"

IMPLEMENT_DYNAMIC(CInvalidArgException, CException)

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    AfxCopyErrorMessage(AfxLoadFrameworkText(AFX_IDP_INVALID_ARGUMENT, _T("An argument was out of its valid range.")), lpszError, nMaxError);
    return TRUE;
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}
