// The turn from ecliptic to equatorial coordinates with the obliquity of the
// date.
#pragma once

namespace astro {

// The obliquity of the ecliptic as every conversion to equatorial
// coordinates uses it.
struct Obliquity {
  double sine;
  double cosine;
};

struct Equatorial {
  double rightAscension;  // radians, -PI..PI
  double declination;     // radians
};

// Ecliptic longitude and latitude (radians) to right ascension and
// declination with the obliquity epsilon:
//   alpha = atan2(sin lambda cos eps - tan beta sin eps, cos lambda)
//   delta = asin(sin beta cos eps + cos beta sin eps sin lambda)
Equatorial toEquatorial(double longitude, double latitude, const Obliquity& obliquity);

}  // namespace astro
