#pragma once
// What the settings dialogs share: the picture on their help button (57670) and the row height of their
// owner-drawn lists and combos (the dialog font's absolute height × 5 / 4).

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CBitmap;
class CWnd;

// Puts the help picture on the window's button 57670, keeping the picture in bitmap. FALSE when the
// window has no such button or the language library no picture.
BOOL SetHelpButtonImage(CWnd* pDialog, CBitmap& bitmap);
// The row height of the window's font; 0 when it has none.
int DialogRowHeight(CWnd* pDialog);
// The text of a string number (empty when missing).
CString LoadSettingsString(UINT nStringId);
