#pragma once
// A failed archive operation: a truncated or corrupt archive, or a wrong use of the archive.

#include "platform/afx/CException.h"
#include "platform/afx/CString.h"

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,   // written to while loading
        endOfFile,  // read past the end
        writeOnly,  // read from while storing
        badIndex,   // a class or object reference out of range
        badClass,   // an unknown class, or an object of a class other than expected
        badSchema,  // a class stored with a schema its class cannot load
        bufferFull,
        generic = genericException
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    CString GetErrorText() const;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
