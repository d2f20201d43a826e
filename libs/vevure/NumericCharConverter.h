#pragma once
// Numbers, points and angles to text and back, in the unit formats of a document.
//
// Length formats (LengthUnitFormatType; lengths are drawing units, millimetres for the foot formats):
//   0 decimal "12.5", 1 feet and fractional inches "1'-2 1/2\"" (steps of 1/2^precision inch),
//   2 feet and decimal inches "1'-2.5\"", 3 exponent "1.25E+01", 4 fraction "12 1/2" (steps of
//   1/2^precision). Precision 0-8.
// Angle formats (AngleUnitFormatType; angles are degrees): 0 decimal degrees followed by the unit
//   text, 1 degrees, minutes and seconds "45°30'15\"" (precision 0 degrees, 1-2 minutes, 3-4 seconds,
//   5-6 seconds with 1-2 decimals), 2 radians "0.7854r", 3 grads "50g". Precision 0-8 (0-6 for 1).
// Flag 1 writes every digit of the precision; flag 0 drops trailing zeros.
//
// Typed text: + - * / and parentheses over numbers, mixed numbers "12 1/2" and named constants
// (InputConstValue; a constant right after a number multiplies it); with the feet-and-inch flag a
// length may also be written 1'-2 1/2" (feet ' and inches ", read as millimetres). A point is "x,y";
// "@x,y" is relative to the last point and "d<a" is polar (distance, angle in degrees); "@d<a" both.
// With the input mode 1 points are relative unless they start with '#'. Full-width characters read as
// their plain forms. Results that are not finite are refused.

#include "libs/vevure/VeVureEnums.h"
#include "platform/afx/AfxTypes.h"

class CString;
class InputConstValue;
class RuVaPnt2d;

class NumericCharConverter
{
public:
    static BOOL DoubleToString(double value, CString& text, int format, int precision, int flag);
    // "x, y" with both coordinates in the length format.
    static BOOL PointToString(const RuVaPnt2d& point, CString& text, int format, int precision, int flag);
    static BOOL AngleToString(double degrees, CString& text, int format, int precision, const CString& unitText,
                              int flag);

    static BOOL StringToDouble(const CString& text, double& value, const InputConstValue* constants = nullptr,
                               int lengthFormatFlag = 0);
    // A number that is a whole value within the range of int.
    static BOOL StringToInteger(const CString& text, int& value, const InputConstValue* constants = nullptr,
                                int lengthFormatFlag = 0);
    // relative and polar receive the notation of the text (1 or 0); for a polar point x is the distance
    // and y the angle in degrees.
    static BOOL StringToPoint(const CString& text, RuVaPnt2d& point, int& relative, int& polar,
                              const InputConstValue* constants = nullptr, int lengthFormatFlag = 0,
                              PointParameterInputMode mode = PointInputAbsolute);
    // Degrees from "45", "45.5", "45d30'15\"", "45°30'", "0.5r" (radians) or "50g" (grads).
    static BOOL StringToAngle(const CString& text, double& degrees);
    // "2" gives (2, 2); "2,3" gives (2, 3); each part may be a ratio "1:50".
    static BOOL StringToScale(const CString& text, double& x, double& y);

    // 2 for a point ("x,y" or "d<a", with its prefixes), 1 for a number, 0 for anything else.
    static NumericTextFormatType GetFormatType(const CString& text, const InputConstValue* constants = nullptr);
    // A lone first coordinate of a point still being typed ("12" or "@12").
    static BOOL IsXCoordinatesFormat(const CString& text, const InputConstValue* constants = nullptr);
};
