// toEquatorial: geocentric ecliptic to equatorial coordinates.
//
//   longitude  lambda, radians (any multiple of a turn)
//   latitude   beta, radians
//   obliquity  epsilon, as its sine and cosine (taken once per date)
//
//   alpha = atan2(sin lambda cos eps - tan beta sin eps, cos lambda)
//   delta = asin(sin beta cos eps + cos beta sin eps sin lambda)
//
// alpha comes straight from atan2, between -PI and PI.
#include "astro/equatorial.h"

#include <cmath>

namespace astro {

Equatorial toEquatorial(double longitude, double latitude, const Obliquity& obliquity) {
  const double y = std::sin(longitude) * obliquity.cosine - std::tan(latitude) * obliquity.sine;
  const double x = std::cos(longitude);
  const double sinDelta = std::sin(latitude) * obliquity.cosine +
                          std::cos(latitude) * obliquity.sine * std::sin(longitude);
  return Equatorial{std::atan2(y, x), std::asin(sinDelta)};
}

}  // namespace astro
