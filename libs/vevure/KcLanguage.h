#pragma once
// The interface language of the data model's own texts (names of standard colours, line types and
// hatch patterns): a language code such as "ENG" or "JPN". Clear forgets the chosen language and
// returns to English; the program calls it at exit.

#include "platform/afx/AfxTypes.h"

class CString;

class KcLanguage
{
public:
    static void SetLanguageCode(const CString& code);
    static CString GetLanguageCode();
    static BOOL IsJapanese();
    static void Clear();
};
