#include "platform/afx/CStringArray.h"

IMPLEMENT_SERIAL(CStringArray, CObject, 0)
