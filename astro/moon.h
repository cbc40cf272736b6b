// The Moon: fundamental arguments, the three series of longitude, latitude
// and parallax, and the illuminated fraction, with every step kept for
// inspection.
#pragma once

#include <cstdint>

#include "astro/prelude.h"

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

struct MoonArguments {
  double meanLongitude;  // L', degrees
  double sunAnomaly;     // M, degrees
  double moonAnomaly;    // M', degrees
  double elongation;     // D, degrees
  double latitudeArg;    // F, degrees
  double node;           // Omega, degrees after the reduction, radians once converted
};

struct MoonSteps {
  MoonArguments reduced;      // after the reduction by whole turns (node in degrees)
  double nodeRadians;         // Omega in radians
  MoonArguments corrected;    // after the periodic corrections, degrees (node unchanged)
  double eccentricityFactor;  // E
  double longitude;           // lambda, degrees
  double latitudeSum;         // B, degrees
  double omega1;
  double omega2;
  double latitude;  // beta, degrees
  double parallax;  // p, degrees
  double distance;  // thousands of km
  Equatorial equatorial;
  double elongation;    // d, degrees, 0..180
  double phaseAngle;    // i, degrees
  double illumination;  // k, 0..1
};

MoonSteps moonSteps(const Prelude& prelude);
