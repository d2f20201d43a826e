#pragma once

#include "platform/afx/AfxTypes.h"

// The version of the region search library, major in the high word and minor in the low word,
// so that the program can check at start that it loaded a library it understands.
extern "C" DWORD KcOCToolVersion();
