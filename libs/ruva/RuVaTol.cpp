#include "libs/ruva/RuVaTol.h"

#include "platform/afx/CArchive.h"

CArchive& operator<<(CArchive& ar, const RuVaTol& v)
{
  return ar << v.Linear() << v.Angular();
}

CArchive& operator>>(CArchive& ar, RuVaTol& v)
{
  double linear = 0.0, angular = 0.0;
  ar >> linear >> angular;
  v.SetLinear(linear);
  v.SetAngular(angular);
  return ar;
}
