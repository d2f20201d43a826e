#pragma once
// The picture that dialogs put on their help button (57670): the first 16-pixel image of bitmap 404,
// its green mask colour made transparent.

#include "platform/afx/AfxTypes.h"

class CBitmap;

// FALSE, bitmap untouched, when the language library has no bitmap 404.
BOOL LoadHelpButtonImage(CBitmap& bitmap);
