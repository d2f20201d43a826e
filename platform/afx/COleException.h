#pragma once
// A failed OLE operation with its status code.

#include "platform/afx/CException.h"

typedef LONG SCODE;
typedef LONG HRESULT;

class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = 0) : m_sc(sc) {}

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    // The status code of an OLE exception; a general failure code for any other exception.
    static SCODE Process(const CException* pAnyException);

    SCODE m_sc;
};

[[noreturn]] void AfxThrowOleException(SCODE sc);
