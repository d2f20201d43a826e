#include "libs/ruva/RuVa.h"

#include <cmath>

namespace {

// fmod is exact, so a whole number of turns is removed without rounding; only the final
// addition of one turn can round up to a full turn, which is then folded back to zero.
double WrapInto(double value, double turn)
{
  if (!std::isfinite(value))
    return 0.0;
  double r = std::fmod(value, turn);
  if (r < 0.0)
    r += turn;
  if (r >= turn || r == 0.0)
    r = 0.0;  // also turns -0.0 into +0.0
  return r;
}

}  // namespace

double RuVa::CorrectAngle(double degrees)
{
  return WrapInto(degrees, 360.0);
}

double RuVa::CorrectRadian(double radians)
{
  return WrapInto(radians, TwoPi);
}

double RuVa::SweepAngle(double fromRadians, double toRadians, int direction)
{
  double sweep = CorrectRadian(NormalizeDirection(direction) * (toRadians - fromRadians));
  if (sweep == 0.0)
    sweep = TwoPi;
  return sweep;
}

BOOL RuVa::IsAngleInRange(double radians, double fromRadians, double sweep, double angularTolerance)
{
  if (sweep >= TwoPi - angularTolerance)
    return TRUE;
  const double d = CorrectRadian(radians - fromRadians);
  return d <= sweep + angularTolerance || d >= TwoPi - angularTolerance;
}
