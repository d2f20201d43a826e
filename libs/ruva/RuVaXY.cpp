#include "libs/ruva/RuVaXY.h"

#include "platform/afx/CArchive.h"

CArchive& operator<<(CArchive& ar, const RuVaXY& v)
{
  return ar << v.X() << v.Y();
}

CArchive& operator>>(CArchive& ar, RuVaXY& v)
{
  double x = 0.0, y = 0.0;
  ar >> x >> y;
  v.SetCoord(x, y);
  return ar;
}
