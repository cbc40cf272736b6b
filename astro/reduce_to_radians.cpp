// reduceToRadians: an angle in degrees, less whole turns, in radians.
//
//   x  angle in degrees, any size and sign
//
// Returns fmod(x, 360) * PI * (1/180). fmod keeps the sign of x, so the
// result lies strictly between -2 PI and 2 PI; it is never brought into
// [0, 2 PI): every user takes sines, cosines or differences of it.
//
// toRadians is the same conversion without the reduction; withinOneTurn
// brings an angle in radians into [0, 2 PI).
//
// remainderOfTurns is fmod(x, 360), computed directly for the angles of
// real dates: with q the quotient x / 360 truncated, x - 360 q is exact
// (360 q is an integer below 2^52 and the difference is a multiple of x's
// last place below 720), and the one step that a rounded quotient can be
// off is put right. Beyond 2^52 degrees std::fmod does it.
#include <cmath>

#include "astro/constants.h"
#include "astro/prelude.h"

namespace astro {

double toRadians(double degrees) {
  const double timesPi = degrees * PI;
  return static_cast<double>(timesPi * kReciprocal180);
}

double withinOneTurn(double angle) {
  if (!std::isfinite(angle)) {
    return angle;
  }
  while (angle < 0) {
    angle = angle + kTurn;
  }
  while (angle >= kTurn) {
    angle = angle - kTurn;
  }
  return angle;
}

double remainderOfTurns(double degrees) {
  constexpr double kTurnDegrees = 360.0;
  constexpr double kExactBelow = 4503599627370496.0;  // 2^52
  if (!(std::fabs(degrees) < kExactBelow)) {
    return std::fmod(degrees, kTurnDegrees);
  }
  double r = degrees - std::trunc(degrees / kTurnDegrees) * kTurnDegrees;
  if (degrees >= 0) {
    if (r < 0) {
      r = r + kTurnDegrees;
    } else if (r >= kTurnDegrees) {
      r = r - kTurnDegrees;
    }
  } else {
    if (r > 0) {
      r = r - kTurnDegrees;
    } else if (r <= -kTurnDegrees) {
      r = r + kTurnDegrees;
    }
  }
  return r == 0 ? std::copysign(0.0, degrees) : r;
}

double reduceToRadians(double degrees) {
  return toRadians(remainderOfTurns(degrees));
}

}  // namespace astro
