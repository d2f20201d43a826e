#pragma once
// A failed network operation with its error number and the caller's context value.

#include "platform/afx/CException.h"

class CInternetException : public CException
{
    DECLARE_DYNAMIC(CInternetException)
public:
    explicit CInternetException(DWORD dwError = 0) : m_dwError(dwError) {}

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    DWORD m_dwError;
    DWORD_PTR m_dwContext = 0;
};

[[noreturn]] void AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError = 0);
