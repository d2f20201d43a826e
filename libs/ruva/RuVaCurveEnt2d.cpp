#include "libs/ruva/RuVaCurveEnt2d.h"

#include <cmath>

#include "libs/ruva/RuVa.h"

BOOL RuVaCurveEnt2d::IsBounded() const
{
  return std::fabs(FirstParameter()) < RuVa::Infinite() && std::fabs(LastParameter()) < RuVa::Infinite();
}

BOOL RuVaCurveEnt2d::IsClosed(double tolerance) const
{
  RuVaPnt2d a, b;
  if (!GetStartPoint(a) || !GetEndPoint(b))
    return FALSE;
  return a.IsEqual(b, tolerance);
}

BOOL RuVaCurveEnt2d::GetStartPoint(RuVaPnt2d& p) const
{
  const double u = FirstParameter();
  if (!(std::fabs(u) < RuVa::Infinite()))
    return FALSE;
  return D0(u, p);
}

BOOL RuVaCurveEnt2d::GetEndPoint(RuVaPnt2d& p) const
{
  const double u = LastParameter();
  if (!(std::fabs(u) < RuVa::Infinite()))
    return FALSE;
  return D0(u, p);
}
