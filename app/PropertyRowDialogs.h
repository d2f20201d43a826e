#pragma once
// The dialogs behind the property list's "..." rows: texts in the text dialog, tolerance frames in the
// tolerance editor, shape styles in the style dialog, image styles in the image colour dialog and
// embedded-object styles in the object display dialog. The program installs them at start-up.

#include "platform/afx/AfxTypes.h"

class CWnd;
class PropertyListItem;

namespace PropertyRowDialogs {

void Install();
// Runs the row's dialog on the clone's value; TRUE when the clone now holds a new value.
BOOL EditByDialog(PropertyListItem& clone, CWnd* pList);

}  // namespace PropertyRowDialogs
