#pragma once
// The drop-down lists in which the user picks how many decimals a length or an angle shows: each entry is
// a zero written in the unit format at that precision ("0.00", "0'-0 1/4\""), the list index being the
// precision. Both keep the list's selection across a change of format and return the result of the final
// selection (the selected index, or CB_ERR when nothing is selected). A format the list does not know (a
// damaged file's) leaves it empty, as -1 does.

#include "platform/afx/AfxTypes.h"

class CComboBox;
class CString;

int FillLengthPrecisionComboBox(int nLengthFormat, CComboBox& combo);
// Decimal degrees (format 0) end with the degree sign; degrees-minutes-seconds (format 1) offer 0 to 6.
int FillAnglePrecisionComboBox(int nAngleFormat, CComboBox& combo);
// The same with the suffix in place of the degree sign (the measuring dialog passes an empty one).
int FillAnglePrecisionComboBox(int nAngleFormat, CComboBox& combo, const CString& suffix);
