#include "platform/afx/CWordArray.h"

IMPLEMENT_SERIAL(CWordArray, CObject, 0)
