// sunPosition: the Sun's place from the prelude of its date.
//
//   lambda  the Sun's true longitude (unreduced), radians
//   R       its radius vector, AU, which is also its distance from the Earth
//
//   alpha = atan2(sin lambda cos eps, cos lambda)
//   delta = asin(sin eps sin lambda)
// The Sun stays on the ecliptic: its latitude is 0.
#include "astro/sun.h"

#include <cmath>

#include "astro/astro.h"

namespace astro {

SkyPosition sunPosition(const Prelude& prelude) {
  const double lambda = prelude.sunLongitude;
  const Obliquity& eps = prelude.obliquityTerms;
  return SkyPosition{std::atan2(std::sin(lambda) * eps.cosine, std::cos(lambda)),
                     std::asin(eps.sine * std::sin(lambda)),
                     lambda,
                     0.0,
                     prelude.sunRadius,
                     prelude.sunRadius * kAstronomicalUnitKm,
                     0.0,
                     prelude.sunKepler.converged()};
}

}  // namespace astro
