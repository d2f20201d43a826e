#include "platform/afx/AfxTypes.h"

static_assert(sizeof(TCHAR) == 2, "text is UTF-16");
static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4, "Win32 sizes");
