#include "libs/vevure/SettingValue.h"

#include <cmath>

#include "platform/afx/CString.h"

const TCHAR SettingValue::kUndefinedText[3] = {u'\\', u'n', 0};

BOOL SettingValue::IsUndefinedText(const CString& s)
{
    return s == kUndefinedText;
}

BOOL SettingValue::ScaleLength(double& v, double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0)
        return FALSE;
    if (v == kUndefinedDouble)
        return TRUE;
    const double scaled = v * factor;
    if (!std::isfinite(scaled))
        return FALSE;
    v = scaled;
    return TRUE;
}
