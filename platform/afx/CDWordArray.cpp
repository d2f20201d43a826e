#include "platform/afx/CDWordArray.h"

IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
