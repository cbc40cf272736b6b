// VSOP87B: heliocentric spherical coordinates of the planets referred to the
// dynamical ecliptic and equinox J2000 (Bretagnon & Francou 1988), from the
// truncated tables of vsop87b_*.cpp.
#pragma once

#include "astro/precise/vector.h"

namespace astro::precise {

// One term A cos(B + C t) of a series; t in Julian millennia from J2000 TDB,
// A in radians (longitude, latitude) or astronomical units (radius).
struct VsopTerm {
  double a;
  double b;
  double c;
};

// A body's series: its terms, longitude's first, then latitude's and the
// radius's, each by power of t (0 to 5), largest amplitude first within a
// power; counts[v][k] terms for variable v and power k, in that order.
struct VsopSeries {
  const VsopTerm* terms;
  int counts[3][6];
};

namespace vsop87_data {
extern const VsopSeries kMercury;
extern const VsopSeries kVenus;
extern const VsopSeries kEarth;
extern const VsopSeries kMars;
extern const VsopSeries kJupiter;
extern const VsopSeries kSaturn;
extern const VsopSeries kUranus;
extern const VsopSeries kNeptune;
}  // namespace vsop87_data

// Heliocentric position (AU) and velocity (AU/day) of the body whose series
// is given, in rectangular coordinates of the dynamical ecliptic and equinox
// J2000 (VSOP87's frame), at tdb (Julian Date, TDB; TT serves within 2 ms).
// The truncated tables hold each planet within 0.03" (Mercury, Venus, the
// Earth) to 0.27" (Uranus) of the complete series over 1800-2200, seen
// from the Earth (tools/theory/generate.mjs --study); the complete series
// are themselves within 0.1" (Mercury) to 3.6" (Neptune) of JPL's there.
//
// With smallest above zero, each sum stops at its first term with
// |A| 0.2^k below smallest (radians; AU for the radius): a coarser and
// faster evaluation, for the Sun's motion about the barycentre.
State vsop87Heliocentric(const VsopSeries& series, double tdb, double smallest = 0.0);

}  // namespace astro::precise
