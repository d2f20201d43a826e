#pragma once
// Stops an operation after the user has already been told why (or cancelled it): it carries no message.

#include "platform/afx/CException.h"

class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    explicit CUserException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
};

[[noreturn]] void AfxThrowUserException();
