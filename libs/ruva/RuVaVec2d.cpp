#include "libs/ruva/RuVaVec2d.h"

#include "platform/afx/CArchive.h"

CArchive& operator<<(CArchive& ar, const RuVaVec2d& v)
{
  return ar << v.X() << v.Y();
}

CArchive& operator>>(CArchive& ar, RuVaVec2d& v)
{
  double x = 0.0, y = 0.0;
  ar >> x >> y;
  v.SetCoord(x, y);
  return ar;
}
