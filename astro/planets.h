// The planets Mercury to Neptune, from mean elements to right ascension,
// declination and distance, with every step kept for inspection.
#pragma once

#include "astro/body.h"
#include "astro/prelude.h"

struct PlanetSteps {
  double meanAnomalyDegrees;   // M = L - omega - Omega (+ corrections), before reduction
  double eccentricity;         // e, corrected for Jupiter to Neptune
  double semiMajorAxis;        // a, AU, likewise
  KeplerSolution kepler;       // eccentric anomaly E, radians
  double trueAnomaly;          // nu, radians
  double radius;               // r, AU (corrected for Uranus and Neptune)
  double argumentOfLatitude;   // u, radians
  double longitude;            // heliocentric l, radians (corrected for Uranus, Neptune)
  double latitude;             // heliocentric b, radians
  double geocentricLongitude;  // lambda, radians, not reduced
  double geocentricLatitude;   // beta, radians
  double distance;             // Delta, AU
  Equatorial equatorial;       // alpha, delta
};

PlanetSteps planetSteps(BodyIndex planet, const Prelude& prelude);
