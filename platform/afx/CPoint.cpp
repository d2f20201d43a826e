#include "platform/afx/CPoint.h"

#include <ostream>

static_assert(sizeof(CPoint) == sizeof(POINT), "a CPoint is a POINT");

std::ostream& operator<<(std::ostream& os, const POINT& p) { return os << "(" << p.x << ", " << p.y << ")"; }
