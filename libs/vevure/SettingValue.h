#pragma once
// The rules shared by every setting record: the "undefined" form of each kind of value (a value in
// which the shapes of a multiple selection differ) and the accepted ranges of table numbers.

#include <cfloat>

#include "platform/afx/AfxTypes.h"

class CString;

class SettingValue
{
public:
    static constexpr short kUndefinedNo = 32767;    // colour, line-type and line-width numbers
    static constexpr double kUndefinedDouble = DBL_MAX;
    static constexpr float kUndefinedFloat = FLT_MAX;
    static constexpr int kUndefinedIndex = -1;      // list choices (enumerations)
    static constexpr int kUndefinedFlag = 2;        // on/off values
    static constexpr long kUndefinedId = -1;        // record ids
    // The undefined text: a backslash and the letter n.
    static const TCHAR kUndefinedText[3];

    static BOOL IsUndefinedText(const CString& s);

    // Colour numbers: 0 by layer, 1-256 the table, -1 an own RGB value, 32767 undefined.
    static BOOL IsValidColorNo(short no) { return (no >= -1 && no <= 256) || no == kUndefinedNo; }
    // Line types: 0 by layer, 1-32766 the table, 32767 undefined.
    static BOOL IsValidLineTypeNo(short no) { return no >= 0; }
    // Line widths: 0 by layer, 1-15 the table, 32767 undefined.
    static BOOL IsValidLineWidthNo(short no) { return (no >= 0 && no <= 15) || no == kUndefinedNo; }
    // An on/off value: 0, 1 or undefined.
    static BOOL IsValidFlag(int v) { return v >= 0 && v <= kUndefinedFlag; }
    // A list choice 0..count-1 or undefined.
    static BOOL IsValidIndex(int v, int count) { return v >= kUndefinedIndex && v < count; }

    // Range tests that always let the undefined value through. NaN is never in range.
    static BOOL InOpen(double v, double lo, double hi) { return v == kUndefinedDouble || (v > lo && v < hi); }
    static BOOL InClosed(double v, double lo, double hi) { return v == kUndefinedDouble || (v >= lo && v <= hi); }
    static BOOL InHalfOpen(double v, double lo, double hi) { return v == kUndefinedDouble || (v >= lo && v < hi); }
    static BOOL InClosedF(float v, float lo, float hi) { return v == kUndefinedFloat || (v >= lo && v <= hi); }

    // Sizes (lengths that must be positive): 0 < v < 2.5e15.
    static BOOL IsValidSize(double v) { return InOpen(v, 0.0, 2.5e15); }
    // Distances that may be zero: 0 <= v < 1e15.
    static BOOL IsValidDistance(double v) { return InHalfOpen(v, 0.0, 1e15); }
    // Angles of a direction: 0 <= v < 360.
    static BOOL IsValidDirectionAngle(double v) { return InHalfOpen(v, 0.0, 360.0); }

    // Multiplies a defined length by factor; an undefined length stays undefined. FALSE for a factor
    // that is not finite and above 0, or a result that is not finite.
    static BOOL ScaleLength(double& v, double factor);
};
