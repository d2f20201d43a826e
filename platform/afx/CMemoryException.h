#pragma once
// Memory could not be allocated. AfxThrowMemoryException throws one static instance that Delete does not free.

#include "platform/afx/CException.h"

class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowMemoryException();
