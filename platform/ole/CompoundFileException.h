#pragma once
// A compound file or property set that cannot be read or written: not a compound file, damaged, or a
// storage operation refused. Caught as a COleException (m_sc holds the storage status code); the message
// names the file and what was wrong with it.

#include "platform/afx/COleException.h"
#include "platform/afx/CString.h"

class CompoundFileException : public COleException
{
    DECLARE_DYNAMIC(CompoundFileException)
public:
    CompoundFileException(SCODE sc, LPCTSTR lpszFileName, LPCTSTR lpszDetail);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    // What was wrong, in the interface's language (what GetErrorMessage writes).
    CString GetUserText() const;
    // The same followed by the detail, for logs and diagnostics.
    CString GetErrorText() const;

    CString m_strFileName;
    CString m_strDetail;
};

[[noreturn]] void AfxThrowCompoundFileException(SCODE sc, LPCTSTR lpszFileName, LPCTSTR lpszDetail);
