#include "platform/afx/CNotSupportedException.h"

#include "platform/afx/FrameworkText.h"

IMPLEMENT_DYNAMIC(CNotSupportedException, CException)

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    AfxCopyErrorMessage(AfxLoadFrameworkText(AFX_IDP_NOT_SUPPORTED, _T("The requested operation is not supported.")), lpszError, nMaxError);
    return TRUE;
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}
