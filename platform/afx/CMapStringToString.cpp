#include "platform/afx/CMapStringToString.h"

IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
