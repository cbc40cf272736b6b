// reduceToRadians: an angle in degrees, less whole turns, in radians.
//
//   x  angle in degrees, any size and sign
//
// Returns fmod(x, 360) * PI * (1/180). fmod keeps the sign of x, so the
// result lies strictly between -2 PI and 2 PI; it is never brought into
// [0, 2 PI): every user takes sines, cosines or differences of it.
//
// toRadians is the same conversion without the reduction.
#include <cmath>

#include "astro/constants.h"
#include "astro/prelude.h"

namespace astro {

double toRadians(double degrees) {
  const double timesPi = degrees * PI;
  return static_cast<double>(timesPi * kReciprocal180);
}

double reduceToRadians(double degrees) {
  return toRadians(std::fmod(degrees, 360.0));
}

}  // namespace astro
