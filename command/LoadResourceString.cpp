#include "command/LoadResourceString.h"

#include <string>

#include "platform/afx/ResourceModule.h"

CString LoadResourceString(UINT nStringId)
{
    std::u16string text;
    if (!AfxLoadStringResource(nStringId, text))
        return CString();
    return CString(text.c_str());
}
