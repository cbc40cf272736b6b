// The Moon: fundamental arguments, the three series of longitude, latitude
// and parallax, and the illuminated fraction, with every step kept for
// inspection.
#pragma once

#include <cstdint>

#include "astro/equatorial.h"
#include "astro/prelude.h"
#include "astro/sky_position.h"

namespace astro {

// One term: coefficient (degrees) times the sine (longitude, latitude) or
// cosine (parallax) of d D + m M + mp M' + f F. The eccentricity factor is
// E^|m|.
struct MoonTerm {
  double coefficient;
  std::int8_t d;
  std::int8_t m;
  std::int8_t mp;
  std::int8_t f;
};

extern const MoonTerm kMoonLongitudeSeries[50];
extern const MoonTerm kMoonLatitudeSeries[45];
extern const MoonTerm kMoonParallaxSeries[30];

// How many times a term is multiplied by the eccentricity factor E.
int eccentricityPower(const MoonTerm& term);

// The fundamental arguments, all in degrees.
struct MoonArguments {
  double meanLongitude;   // L', the Moon's mean longitude
  double sunAnomaly;      // M, the Sun's mean anomaly (this theory's own polynomial)
  double moonAnomaly;     // M', the Moon's mean anomaly
  double meanElongation;  // D, the Moon's mean elongation from the Sun
  double latitudeArg;     // F, the Moon's mean argument of latitude
  double node;            // Omega, longitude of the mean ascending node
};

struct MoonSteps {
  MoonArguments reduced;      // after the reduction by whole turns
  double nodeRadians;         // Omega converted to radians
  MoonArguments corrected;    // after the periodic corrections (node unchanged)
  double eccentricityFactor;  // E, dimensionless (not an eccentric anomaly)
  double longitude;           // lambda, degrees, not reduced
  double latitudeSum;         // B, degrees: the latitude series before its final factor
  // The latitude's final factor is (1 - omega1 - omega2); both terms are
  // dimensionless: omega1 = 0.0004664 cos Omega, omega2 = 0.0000754
  // cos(Omega + g).
  double omega1;
  double omega2;
  double latitude;  // beta, degrees
  double parallax;  // p, horizontal parallax, degrees
  double distance;  // thousands of km
  Equatorial equatorial;
  double elongationFromSun;  // d, degrees, 0..180, from the true longitudes
  double phaseAngle;         // i, degrees
  double illumination;       // k, 0..1
};

MoonSteps moonSteps(const Prelude& prelude);
SkyPosition moonPosition(const Prelude& prelude);

}  // namespace astro
