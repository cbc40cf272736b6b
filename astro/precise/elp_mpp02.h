// ELP/MPP02: the geocentric Moon of Chapront & Francou (2003), with the
// constants fitted to JPL's DE405, from the truncated tables of
// elp_mpp02_data.cpp.
#pragma once

#include "astro/precise/vector.h"

namespace astro::precise {

// One term A sin(p0 + p1 T + p2 T^2 + p3 T^3 + p4 T^4) of a series; T in
// Julian centuries from J2000 TDB, A in arcseconds (longitude, latitude) or
// kilometres (distance). The main problem and the perturbations are summed
// alike: a cosine term of the theory is a sine with pi/2 added to p0, the
// constant of the distance a sine of pi/2.
struct ElpTerm {
  double a;
  double p[5];
};

// The Moon's series: the mean longitude W1 (radians, powers 0 to 4 of T),
// then the terms of the longitude, the latitude and the distance, each by
// power of T (0 to 3); counts[v][k] terms for variable v and power k.
struct ElpSeries {
  double w1[5];
  const ElpTerm* terms;
  int counts[3][4];
};

namespace elp_data {
extern const ElpSeries kMoon;
}  // namespace elp_data

// Geocentric position and velocity of the Moon in kilometres and kilometres
// per day, rectangular coordinates referred to the inertial mean ecliptic
// and equinox of J2000 (ELP/MPP02's frame: the theory's mean ecliptic of
// date turned by Laskar's precession P, Q series, as Chapront & Francou
// give it), at tdb (Julian Date, TDB; TT serves within 2 ms). The
// truncated table holds the Moon within 0.1" and 100 m of the complete
// theory over 1800-2200, which is itself within about 0.06" of JPL's DE405.
State elpMoonGeocentric(double tdb);

}  // namespace astro::precise
