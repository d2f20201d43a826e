#include "platform/afx/CSize.h"

#include <ostream>

static_assert(sizeof(CSize) == sizeof(SIZE), "a CSize is a SIZE");

std::ostream& operator<<(std::ostream& os, const SIZE& s) { return os << "(" << s.cx << " x " << s.cy << ")"; }
