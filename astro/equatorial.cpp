// toEquatorial: geocentric ecliptic to equatorial coordinates.
//
//   longitude  lambda, radians (any multiple of a turn)
//   latitude   beta, radians
//   obliquity  epsilon, radians
//
//   alpha = atan2(sin lambda cos eps - tan beta sin eps, cos lambda)
//   delta = asin(sin beta cos eps + cos beta sin eps sin lambda)
//
// alpha comes straight from atan2, between -PI and PI.
#include <cmath>

#include "astro/prelude.h"

Equatorial toEquatorial(double longitude, double latitude, double obliquity) {
  const double y =
      std::sin(longitude) * std::cos(obliquity) - std::tan(latitude) * std::sin(obliquity);
  const double x = std::cos(longitude);
  const double sinDelta = std::sin(latitude) * std::cos(obliquity) +
                          std::cos(latitude) * std::sin(obliquity) * std::sin(longitude);
  return Equatorial{std::atan2(y, x), std::asin(sinDelta)};
}
