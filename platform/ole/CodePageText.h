#pragma once
// Text in the code pages of property sets: 1200 (UTF-16LE), 65001 (UTF-8) and the single- and multi-byte
// Windows code pages (1252, 932, ...). A character that the code page cannot hold is written as '?';
// bytes that do not decode become U+FFFD.

#include <string>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CodePageText
{
public:
    // Bytes without a terminating NUL.
    static std::string Encode(const CString& text, UINT nCodePage);
    static CString Decode(const BYTE* lpData, SIZE_T nCount, UINT nCodePage);
    // TRUE when text can be encoded and decoded in the code page.
    static BOOL IsSupported(UINT nCodePage);

    // The code page of "ANSI" strings: set by the program, else chosen from the user's locale as the
    // original platform would (932 for Japanese, 1252 for Western European languages, ...).
    static UINT GetAnsiCodePage();
    static void SetAnsiCodePage(UINT nCodePage);
};
