#include "platform/afx/CSize.h"

static_assert(sizeof(CSize) == sizeof(SIZE), "a CSize is a SIZE");
