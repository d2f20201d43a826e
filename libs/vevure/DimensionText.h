#pragma once
// The texts of dimension values: a measured value scaled, rounded and written in a length format.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class DimensionText
{
public:
    // The value times the scale, rounded to a multiple of the round value when it is positive, written
    // in the length format (0 to 4) with the precision (clamped to 0 to 8); flag 1 keeps every digit, 0
    // drops trailing zeros. Separator type 1 writes a comma for the decimal point. Zero flag 0 drops the
    // zero in front of a decimal point ("0.5" becomes ".5"). A value that is not finite or a format out of
    // range gives an empty text.
    static CString ConvertDimValueToText(double value, double scale, int format, int precision, int flag,
                                         int separatorType, double roundValue, int zeroFlag);
};
