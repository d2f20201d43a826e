#pragma once
// Constants and angle helpers shared by the geometry values.

#include <cmath>

#include "platform/afx/AfxTypes.h"

class RuVa {
public:
  static constexpr double Pi = 3.14159265358979323846;
  static constexpr double TwoPi = 6.28318530717958647692;
  static constexpr double HalfPi = 1.57079632679489661923;
  // Degrees to radians and back; the same factor that the drawing code multiplies by.
  static constexpr double DegToRad = 0.017453292519943295;
  static constexpr double RadToDeg = 57.295779513082320876;

  // Below this a length counts as zero: a vector this short has no direction.
  static constexpr double Resolution() { return 1e-12; }
  // The parameter bound of unbounded curves, the same value the curve kernel uses.
  static constexpr double Infinite() { return 2e100; }

  // An angle in degrees brought into [0, 360); a value that is not finite gives 0.
  static double CorrectAngle(double degrees);
  // An angle in radians brought into [0, 2 pi); a value that is not finite gives 0.
  static double CorrectRadian(double radians);

  // sqrt(x^2 + y^2) without overflow or underflow on the way, fast for ordinary values.
  static double Hypot(double x, double y)
  {
    const double s = x * x + y * y;
    if (s < 1e300 && s > 1e-300)
      return __builtin_sqrt(s);
    return std::hypot(x, y);
  }

  static double ToRadian(double degrees) { return degrees * DegToRad; }
  static double ToDegree(double radians) { return radians * RadToDeg; }

  // Running direction of circles, arcs and ellipses. Any negative value reads as clockwise,
  // every other value as counter-clockwise.
  static constexpr int kCounterClockwise = 1;
  static constexpr int kClockwise = -1;
  static constexpr int NormalizeDirection(int direction) { return direction < 0 ? kClockwise : kCounterClockwise; }

  // The sweep in (0, 2 pi] from one angle to another in a running direction; equal angles
  // make a full turn.
  static double SweepAngle(double fromRadians, double toRadians, int direction);
  // TRUE when an angle lies on the counter-clockwise range [from, from + sweep], allowing the
  // angular tolerance at both ends.
  static BOOL IsAngleInRange(double radians, double fromRadians, double sweep, double angularTolerance);
};
