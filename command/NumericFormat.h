#pragma once
// The program-wide format of numbers, points and angles: the active document's length and angle
// formats and precisions, the user's input constants and the point input mode. Typed text is read
// and values are shown through these functions.

#include "libs/vevure/VeVureEnums.h"
#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class Draw2dDocument;
class InputConstValue;
class RuVaPnt2d;

namespace NumericFormat {

BOOL StringToInteger(const CString& text, int& result);
BOOL StringToDouble(const CString& text, double& result);
BOOL StringToPoint(const CString& text, RuVaPnt2d& result, int& first, int& second);
NumericTextFormatType GetFormatType(const CString& text);
BOOL IsXCoordinatesFormat(const CString& text);

// Format -1 is the current format; a negative precision the current precision; a positive flag
// writes every digit, zero or a negative flag drops trailing zeros.
BOOL DoubleToString(double value, CString& text, int format = -1, int precision = -1, int flag = -1);
BOOL PointToString(const RuVaPnt2d& point, CString& text, int format = -1, int precision = -1, int flag = -1);
BOOL AngleToString(double degrees, CString& text, int format = -1, int precision = -1,
                   const CString& unitText = CString(), int flag = -1);

// Takes the document's formats and precisions that lie in range; TRUE only when all four were taken.
BOOL UpdateFromDocument(const Draw2dDocument* pDocument);
void SetInputConstValue(const InputConstValue* pConstants);
BOOL SetPointParameterInputMode(PointParameterInputMode mode);

LengthUnitFormatType GetLengthUnitFormatType();
int GetDistPrecision();
AngleUnitFormatType GetAngleUnitFormatType();
int GetAnglePrecision();
const InputConstValue* GetInputConstValue();
PointParameterInputMode GetPointParameterInputMode();
// 1 while the length format is one of the feet-and-inch formats (1, 2).
int GetLengthFormatFlag();
// Back to the state at program start (length 0/2, angle 0/0, no constants, absolute points).
void ResetState();

}  // namespace NumericFormat
