// The discs of searchTransit, localTransit and searchOccultations, open to
// the tests.
#pragma once

#include "astro/astro.h"
#include "astro/numeric.h"

namespace astro {

// The Sun's radius, kilometres: 959.63" at one astronomical unit.
inline constexpr double kTransitSunRadiusKm = 959.63 * kRadiansPerArcsecond * kAstronomicalUnitKm;
// The Moon's radius, kilometres: 0.2725076 equatorial radii of the Earth.
inline constexpr double kOccultationMoonRadiusKm = 0.2725076 * 6378.1366;

}  // namespace astro
