// The apparent place of a body (apparentPosition, astro.h) and its parts,
// for the search of the year's events, which follows them on tracks.
#pragma once

#include "astro/astro.h"
#include "astro/numeric.h"

namespace astro {

// Days that light takes to cross one astronomical unit (499.004784 s).
inline constexpr double kLightDaysPerAu = 499.004783836 / kSecondsPerDay;

// The nutation in longitude at a Julian Day (TT), radians: its four largest
// terms, good to 0.5".
double nutationInLongitude(double jd);

// The body by `theory` where it was lightTime days before jd (TT), seen
// from where the Earth's centre was then, with the nutation in longitude at
// jd added: apparentPosition with a light-time of the caller's.
// The Precise theory computes its own apparent place (light-time from the
// barycentre, deflection, aberration, true ecliptic and equinox of date:
// precise::apparentPosition) and ignores lightTime, which it returns.
ApparentPosition apparentPlaceAt(Body body, double jd, double lightTime, Theory theory);

// The body's geometric place at jd (TT) whose distance the events'
// perihelion, aphelion, perigee and apogee follow: computeBody's, except
// for the Precise theory's Sun, whose distance is that of ERFA's eraEpv00
// Earth (within 10 km of DE405: the perihelion within 17 s, where
// VSOP87B's Earth leaves 90 s).
BodyPosition distancePlaceAt(Body body, double jd, Theory theory);

}  // namespace astro
