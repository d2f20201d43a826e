#include "platform/afx/CStringList.h"

IMPLEMENT_SERIAL(CStringList, CObject, 0)
