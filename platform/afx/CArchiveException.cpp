#include "platform/afx/CArchiveException.h"

#include "platform/afx/FrameworkText.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)


namespace {

LPCTSTR CauseText(int cause)
{
    switch (cause) {
    case CArchiveException::none: return _T("No error occurred with %1.");
    case CArchiveException::readOnly: return _T("An attempt was made to write to %1 while it was being loaded.");
    case CArchiveException::endOfFile: return _T("%1 ended unexpectedly; it is truncated or damaged.");
    case CArchiveException::writeOnly: return _T("An attempt was made to read from %1 while it was being stored.");
    case CArchiveException::badIndex: return _T("%1 is damaged: it refers to an object or class that it does not contain.");
    case CArchiveException::badClass: return _T("%1 contains an object of an unknown or unexpected kind.");
    case CArchiveException::badSchema: return _T("%1 contains data of a version that this program cannot read.");
    case CArchiveException::bufferFull: return _T("The archive buffer of %1 is full.");
    default: return _T("An unexpected error occurred while reading or writing %1.");
    }
}

}  // namespace

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

CString CArchiveException::GetErrorText() const
{
    const int cause = m_cause >= none && m_cause <= bufferFull ? m_cause : genericException;
    return AfxFormatFileMessage(AFX_IDP_ARCH_NONE + static_cast<UINT>(cause), CauseText(cause), m_strFileName);
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    AfxCopyErrorMessage(GetErrorText(), lpszError, nMaxError);
    return TRUE;
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
