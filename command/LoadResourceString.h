#pragma once
// The program's text loader: the text of a string number from the language libraries, empty when no
// module of the resource chain holds it.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

CString LoadResourceString(UINT nStringId);
