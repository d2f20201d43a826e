#pragma once
// Dialog data exchange of numeric edits (CQZ2DoubleEdit) and editable combos, with the "unchanged" state
// of pages that edit several objects at once: an empty field reads back as the member's marker
// (DBL_MAX, FLT_MAX, 0xFFFFFFFF, or the text "\n") and a marker shows as an empty field.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CDataExchange;
class CQZ2DoubleEdit;

void DDX_DoubleEditDouble(CDataExchange* pDX, int nIDC, double& value, double minValue, double maxValue,
                          BOOL bMinInclusive, BOOL bMaxInclusive, BOOL bAllowUnchanged);
void DDX_DoubleEditFloat(CDataExchange* pDX, int nIDC, float& value, float minValue, float maxValue,
                         BOOL bMinInclusive, BOOL bMaxInclusive, BOOL bAllowUnchanged);
// Values outside 0..4294967295 are refused with the unsigned prompt; -1 typed is the marker when
// bAllowUnchanged is set.
void DDX_DoubleEditUInt(CDataExchange* pDX, int nIDC, UINT& value, UINT minValue, UINT maxValue,
                        BOOL bAllowUnchanged);
void DDX_CBStringDefault(CDataExchange* pDX, int nIDC, CString& value, int nMaxChars, BOOL bAllowUnchanged,
                         BOOL bMarkerOff);
// Loading shows the value; saving reads a typed text back (FALSE when it does not parse) and returns the
// edit's value in result.
BOOL ExchangeDoubleEditValue(BOOL bSave, CQZ2DoubleEdit* pEdit, double* pResult, double value);
// The range message for the limits and their inclusivity (strings 10124-10127 with both limit texts).
CString DoubleEditRangeMessage(const CString& minText, const CString& maxText, BOOL bMinInclusive,
                               BOOL bMaxInclusive);
