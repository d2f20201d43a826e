#include "platform/afx/COleException.h"

#include "platform/afx/CMemoryException.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/CString.h"
#include "platform/afx/FrameworkText.h"

IMPLEMENT_DYNAMIC(COleException, CException)

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    CString text;
    text.Format(AfxLoadFrameworkText(AFX_IDP_OLE_FAILED, _T("An OLE operation failed (status 0x%08X).")), static_cast<DWORD>(m_sc));
    AfxCopyErrorMessage(text, lpszError, nMaxError);
    return TRUE;
}

SCODE COleException::Process(const CException* pAnyException)
{
    if (pAnyException == nullptr)
        return 0;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return static_cast<SCODE>(0x8007000E);  // out of memory
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return static_cast<SCODE>(0x80004001);  // not implemented
    return static_cast<SCODE>(0x80004005);  // unspecified failure
}

void AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}
