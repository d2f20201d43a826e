#include "platform/afx/CByteArray.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
