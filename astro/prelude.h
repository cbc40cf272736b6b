// What every body computation of one date shares: the obliquity of the
// ecliptic and the Sun's orbit. The branches for the Sun, the Moon and the
// planets start from it.
#pragma once

#include "astro/equatorial.h"
#include "astro/kepler.h"

namespace astro {

// Angles in radians; the Sun's mean longitude and mean anomaly reduced by
// whole turns with the sign kept; the true longitude is not reduced.
struct Prelude {
  double t;                  // Julian centuries from JD 2415020.0
  double obliquity;          // epsilon
  Obliquity obliquityTerms;  // sin epsilon, cos epsilon
  double sunMeanLongitude;   // L
  double sunMeanAnomaly;     // M
  double sunEccentricity;    // e
  KeplerSolution sunKepler;  // E
  double sunTrueAnomaly;     // nu
  double sunRadius;          // R, AU
  double sunLongitude;       // true longitude L + nu - M
};

Prelude computePrelude(double t);

}  // namespace astro
