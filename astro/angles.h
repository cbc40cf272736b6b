// Angles in degrees turned into radians, with or without their whole turns.
#pragma once

namespace astro {

// The remainder of degrees / 360 with the quotient truncated toward zero:
// the same double as std::fmod(degrees, 360.0), sign of zero included,
// for every argument.
double remainderOfTurns(double degrees);

// Degrees to radians without removing whole turns: x * PI * (1/180), the
// product with 1/180 rounded as in extended precision (extendedProduct).
double toRadians(double degrees);

// Degrees to radians after removing whole turns: fmod(x, 360) * PI * (1/180).
// The remainder keeps the sign of x, so the result lies in (-2 PI, 2 PI).
double reduceToRadians(double degrees);

}  // namespace astro
