// The planets Mercury to Neptune, from mean elements to right ascension,
// declination and distance, with every step kept for inspection.
#pragma once

#include "astro/astro.h"
#include "astro/equatorial.h"
#include "astro/kepler.h"
#include "astro/prelude.h"
#include "astro/series.h"
#include "astro/sky_position.h"

namespace astro {

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

// planet is one of Mercury to Neptune; arguments are read for Jupiter to
// Neptune only.
PlanetSteps planetSteps(Body planet, const Prelude& prelude, const SeriesArguments& arguments);
SkyPosition planetPosition(Body planet, const Prelude& prelude, const SeriesArguments& arguments);

}  // namespace astro
