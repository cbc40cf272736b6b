// Angles: degrees to radians with and without whole turns, and radians
// brought within a turn.
//
// reduceToRadians(x) = fmod(x, 360) * PI * (1/180). fmod keeps the sign of
// x, so the result lies strictly between -2 PI and 2 PI; it is never
// brought into [0, 2 PI): every user takes sines, cosines or differences of
// it. toRadians is the same conversion without the reduction.
//
// remainderOfTurns is fmod(x, 360), computed directly for the angles of
// real dates: with q the quotient x / 360 truncated, x - 360 q is exact
// (360 q is an integer below 2^52 and the difference is a multiple of x's
// last place below 720), and the one step that a rounded quotient can be
// off is put right. Beyond 2^52 degrees std::fmod does it.
//
// wrapAngle adds and removes whole turns of 2 PI one at a time, as the
// report's printers always have, so that an angle already in range comes
// back with every bit; withinOneTurn is it for [0, 2 PI).
#include "astro/angles.h"

#include <cmath>

#include "astro/constants.h"

namespace astro {
namespace {
// Beyond this many turns single steps are slow or change nothing.
constexpr double kLoopTurns = 64.0;
// The largest double below a turn: removing turns while above it leaves
// [0, kTurn).
const double kBelowTurn = std::nextafter(kTurn, 0.0);
}  // namespace

double toRadians(double degrees) {
  const double timesPi = degrees * PI;
  return extendedProduct(timesPi, kReciprocal180);
}

double wrapAngle(double radians, double high) {
  if (!std::isfinite(radians)) {
    return radians;
  }
  if (std::fabs(radians) > kLoopTurns * kTurn) {
    radians = std::fmod(radians, kTurn);
  }
  while (radians < 0) {
    radians = radians + kTurn;
  }
  while (radians > high) {
    radians = radians - kTurn;
  }
  return radians;
}

double withinOneTurn(double radians) {
  return wrapAngle(radians, kBelowTurn);
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
