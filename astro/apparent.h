// The apparent place of a body: the direction in which it is seen from the
// Earth's centre, light-time, aberration and nutation in longitude included.
#pragma once

#include "astro/astro.h"

namespace astro {

// Days that light takes to cross one astronomical unit (499.004784 s).
inline constexpr double kLightDaysPerAu = 499.004783836 / 86400.0;

// The nutation in longitude at a Julian Day (TT), radians: its four largest
// terms, good to 0.5".
double nutationInLongitude(double jd);

// An apparent place. Longitude and latitude are ecliptic, referred to the
// mean ecliptic and the true equinox of the date.
struct ApparentPlace {
  double longitude;   // radians, [0, kTurn)
  double latitude;    // radians
  double distanceAu;  // the geometric distance when the light left the body
  double distanceKm;
  Status status;  // of the position computed
};

// The body where it was lightTime days before jd (TT), seen from where the
// Earth's centre was then, with the nutation in longitude at jd added.
ApparentPlace apparentPlaceAt(Body body, double jd, double lightTime);

// The same with the light-time found from the body's distance: one
// computation at jd for the distance, a second at jd minus its light-time.
ApparentPlace apparentPlace(Body body, double jd);

}  // namespace astro
