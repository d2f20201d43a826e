#include "platform/ole/CompoundFileException.h"

#include "platform/ole/OleTypes.h"

IMPLEMENT_DYNAMIC(CompoundFileException, COleException)

CompoundFileException::CompoundFileException(SCODE sc, LPCTSTR lpszFileName, LPCTSTR lpszDetail)
    : COleException(sc), m_strFileName(lpszFileName), m_strDetail(lpszDetail)
{
}

CString CompoundFileException::GetErrorText() const
{
    CString file = m_strFileName.IsEmpty() ? CString(_T("The compound file"))
                                           : CString(_T("The file \"")) + m_strFileName + _T("\"");
    CString text;
    switch (m_sc) {
    case STG_E_INVALIDHEADER: text = file + _T(" is not a compound file"); break;
    case STG_E_DOCFILECORRUPT: text = file + _T(" is damaged"); break;
    case STG_E_ACCESSDENIED: text = file + _T(" cannot be changed"); break;
    case STG_E_FILENOTFOUND: text = file + _T(" lacks an element"); break;
    case STG_E_FILEALREADYEXISTS: text = file + _T(" already has an element of that name"); break;
    case STG_E_INVALIDNAME: text = file + _T(" cannot hold an element of that name"); break;
    default: text = file + _T(" could not be used"); break;
    }
    if (!m_strDetail.IsEmpty())
        text += _T(": ") + m_strDetail;
    text += _T(".");
    return text;
}

BOOL CompoundFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    AfxCopyErrorMessage(GetErrorText(), lpszError, nMaxError);
    return TRUE;
}

void AfxThrowCompoundFileException(SCODE sc, LPCTSTR lpszFileName, LPCTSTR lpszDetail)
{
    throw new CompoundFileException(sc, lpszFileName, lpszDetail);
}
