#pragma once
// The printf-style formatter behind CString::Format.

#include <string>

#include "platform/afx/AfxTypes.h"

struct AfxFormatArg;

// Appends pszFormat to out with its conversions filled from args[0 .. nArgs).
// A conversion without an argument left formats as nothing; an argument of
// another type than its conversion expects is shown as well as it can be.
void AfxFormatTo(std::u16string& out, LPCTSTR pszFormat, const AfxFormatArg* args, int nArgs);
