#include "platform/afx/CUIntArray.h"

IMPLEMENT_SERIAL(CUIntArray, CObject, 0)
