#pragma once
// An operation the object does not support (e.g. storing a class that is not serialisable).

#include "platform/afx/CException.h"

class CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowNotSupportedException();
