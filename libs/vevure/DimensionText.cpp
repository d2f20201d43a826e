#include "libs/vevure/DimensionText.h"

#include <algorithm>
#include <cmath>

#include "libs/vevure/NumericCharConverter.h"

CString DimensionText::ConvertDimValueToText(double value, double scale, int format, int precision, int flag,
                                             int separatorType, double roundValue, int zeroFlag)
{
    double v = value * scale;
    if (roundValue > 0.0 && std::isfinite(roundValue))
        v = std::round(v / roundValue) * roundValue;
    CString text;
    if (!std::isfinite(v) || !NumericCharConverter::DoubleToString(v, text, format, std::clamp(precision, 0, 8), flag))
        return CString();
    if (zeroFlag == 0) {
        if (text.Left(2) == _T("0."))
            text = text.Mid(1);
        else if (text.Left(3) == _T("-0."))
            text = _T("-") + text.Mid(2);
    }
    if (separatorType == 1)
        text.Replace(_T("."), _T(","));
    return text;
}
