#include "libs/ruva/RuVaDir2d.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"

CArchive& operator<<(CArchive& ar, const RuVaDir2d& v)
{
  return ar << v.X() << v.Y();
}

CArchive& operator>>(CArchive& ar, RuVaDir2d& v)
{
  double x = 0.0, y = 0.0;
  ar >> x >> y;
  if (!v.Set(x, y))
    ar.ThrowArchiveException(CArchiveException::generic);
  return ar;
}
