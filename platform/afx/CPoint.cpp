#include "platform/afx/CPoint.h"

static_assert(sizeof(CPoint) == sizeof(POINT), "a CPoint is a POINT");
