#include "platform/ole/CompoundFileException.h"

#include "platform/afx/FrameworkText.h"
#include "platform/ole/OleTypes.h"

IMPLEMENT_DYNAMIC(CompoundFileException, COleException)

CompoundFileException::CompoundFileException(SCODE sc, LPCTSTR lpszFileName, LPCTSTR lpszDetail)
    : COleException(sc), m_strFileName(lpszFileName), m_strDetail(lpszDetail)
{
}

CString CompoundFileException::GetUserText() const
{
    UINT nID = AFX_IDP_STORAGE_FAILED;
    LPCTSTR lpszDefault = _T("%1 could not be used.");
    switch (m_sc) {
    case STG_E_INVALIDHEADER: nID = AFX_IDP_STORAGE_NOT_COMPOUND; lpszDefault = _T("%1 is not a compound file."); break;
    case STG_E_DOCFILECORRUPT: nID = AFX_IDP_STORAGE_DAMAGED; lpszDefault = _T("%1 is damaged."); break;
    case STG_E_ACCESSDENIED: nID = AFX_IDP_STORAGE_ACCESS_DENIED; lpszDefault = _T("%1 cannot be changed."); break;
    case STG_E_FILENOTFOUND: nID = AFX_IDP_STORAGE_ELEMENT_MISSING; lpszDefault = _T("%1 lacks an element."); break;
    case STG_E_FILEALREADYEXISTS:
        nID = AFX_IDP_STORAGE_ELEMENT_EXISTS;
        lpszDefault = _T("%1 already has an element of that name.");
        break;
    case STG_E_INVALIDNAME:
        nID = AFX_IDP_STORAGE_BAD_NAME;
        lpszDefault = _T("%1 cannot hold an element of that name.");
        break;
    default: break;
    }
    return AfxFormatFileMessage(nID, lpszDefault, m_strFileName);
}

CString CompoundFileException::GetErrorText() const
{
    CString text = GetUserText();
    if (!m_strDetail.IsEmpty()) {
        // The detail is for diagnostics: "The file "x" is damaged. (the directory loops)"
        text += _T(" (") + m_strDetail + _T(")");
    }
    return text;
}

BOOL CompoundFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    AfxCopyErrorMessage(GetUserText(), lpszError, nMaxError);
    return TRUE;
}

void AfxThrowCompoundFileException(SCODE sc, LPCTSTR lpszFileName, LPCTSTR lpszDetail)
{
    throw new CompoundFileException(sc, lpszFileName, lpszDetail);
}
