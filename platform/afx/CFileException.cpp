#include "platform/afx/CFileException.h"

#include "platform/afx/FrameworkText.h"

#include <cerrno>
#include <cstring>

IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

// "%1" stands for the file: `the file "name"`, or `the file` when there is no name.
LPCTSTR CauseText(int cause)
{
    switch (cause) {
    case CFileException::none: return _T("No error occurred with %1.");
    case CFileException::fileNotFound: return _T("%1 could not be found.");
    case CFileException::badPath: return _T("The path of %1 is not valid.");
    case CFileException::tooManyOpenFiles: return _T("%1 could not be opened because too many files are open.");
    case CFileException::accessDenied: return _T("Access to %1 was denied.");
    case CFileException::invalidFile: return _T("%1 is not open, or its handle is not valid.");
    case CFileException::removeCurrentDir: return _T("%1 could not be removed because it is the current folder.");
    case CFileException::directoryFull: return _T("%1 could not be created because its folder is full.");
    case CFileException::badSeek: return _T("The position in %1 could not be set.");
    case CFileException::hardIO: return _T("A device error occurred while accessing %1.");
    case CFileException::sharingViolation: return _T("%1 is in use by another program or window.");
    case CFileException::lockViolation: return _T("A locked region of %1 could not be accessed.");
    case CFileException::diskFull: return _T("The disk is full; %1 could not be written.");
    case CFileException::endOfFile: return _T("An attempt was made to read past the end of %1.");
    default: return _T("An unexpected error occurred while accessing %1.");
    }
}

}  // namespace

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

namespace {

// The message in the interface's language.
CString UserText(int cause, const CString& strFileName)
{
    if (cause < CFileException::none || cause > CFileException::endOfFile)
        cause = CFileException::genericException;
    return AfxFormatFileMessage(AFX_IDP_FILE_NONE + static_cast<UINT>(cause), CauseText(cause), strFileName);
}

}  // namespace

CString CFileException::GetErrorText() const
{
    CString text = UserText(m_cause, m_strFileName);
    // The system's own words are in no language of the interface; they are given only for an error of no
    // known cause, as its one clue.
    if (m_cause == genericException && m_lOsError > 0) {
        text += _T(" (");
        text += CString(std::strerror(static_cast<int>(m_lOsError)));
        text += _T(")");
    }
    return text;
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    AfxCopyErrorMessage(GetErrorText(), lpszError, nMaxError);
    return TRUE;
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
    case ENOTEMPTY: return accessDenied;
    case EBADF: return invalidFile;
    case ESPIPE:
    case EOVERFLOW: return badSeek;
    case EIO:
    case ENXIO:
    case ENODEV: return hardIO;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK: return sharingViolation;
    case EDEADLK:
    case ENOLCK: return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    ThrowOsError(nErrno, lpszFileName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
