#pragma once
// An argument out of its range, e.g. an index outside a collection.

#include "platform/afx/CException.h"

class CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowInvalidArgException();
