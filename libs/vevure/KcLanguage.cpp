#include "libs/vevure/KcLanguage.h"

#include "platform/afx/CString.h"

namespace {

CString& LanguageCode()
{
    static CString code(u"ENG");
    return code;
}

}  // namespace

void KcLanguage::SetLanguageCode(const CString& code)
{
    LanguageCode() = code.IsEmpty() ? CString(u"ENG") : code;
}

CString KcLanguage::GetLanguageCode()
{
    return LanguageCode();
}

BOOL KcLanguage::IsJapanese()
{
    return LanguageCode().CompareNoCase(u"JPN") == 0 ? TRUE : FALSE;
}

void KcLanguage::Clear()
{
    LanguageCode() = CString(u"ENG");
}
