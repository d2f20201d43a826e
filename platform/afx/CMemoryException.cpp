#include "platform/afx/CMemoryException.h"

#include "platform/afx/FrameworkText.h"

IMPLEMENT_DYNAMIC(CMemoryException, CException)

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    AfxCopyErrorMessage(AfxLoadFrameworkText(AFX_IDP_OUT_OF_MEMORY, _T("Out of memory.")), lpszError, nMaxError);
    return TRUE;
}

void AfxThrowMemoryException()
{
    // Thrown when allocating may fail, so nothing is allocated for it.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}
