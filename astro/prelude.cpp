// computePrelude: obliquity of the ecliptic and the Sun's orbit at T.
//
//   t  Julian centuries from JD 2415020.0, time of day included
//
// Polynomials in T, degrees, summed term by term:
//   eps = 23.452294 - 0.0130125 T - 0.00000164 T^2 + 0.000000503 T^3
//   L   = 279.69668 + 36000.76892 T + 0.0003025 T^2
//   M   = 358.47583 + 35999.04975 T - 0.00015 T^2 - 0.0000033 T^3
//   e   = 0.01675104 - 0.0000418 T - 0.000000126 T^2
// then E from Kepler's equation, the true anomaly
//   nu = 2 atan(sqrt((1 + e) / (1 - e)) tan(E / 2)),
// the radius vector R = 1.0000002 (1 - e cos E) in AU, and the true
// longitude L + nu - M, left unreduced.
#include "astro/prelude.h"

#include <cmath>

#include "astro/body.h"

namespace {
constexpr double kSunSemiMajorAxis = 1.0000002;
}

Prelude computePrelude(double t) {
  Prelude p{};
  p.t = t;
  p.obliquity =
      reduceToRadians(23.452294 - 0.0130125 * t - 0.00000164 * t * t + 0.000000503 * t * t * t);
  p.sunMeanLongitude = reduceToRadians(279.69668 + 36000.76892 * t + 0.0003025 * t * t);
  p.sunMeanAnomaly =
      reduceToRadians(358.47583 + 35999.04975 * t - 0.00015 * t * t - 0.0000033 * t * t * t);
  p.sunEccentricity = 0.01675104 - 0.0000418 * t - 0.000000126 * t * t;
  p.sunEccentricAnomaly = solveKepler(p.sunMeanAnomaly, p.sunEccentricity);
  p.sunTrueAnomaly =
      2.0 * std::atan(std::sqrt((1.0 + p.sunEccentricity) / (1.0 - p.sunEccentricity)) *
                      std::tan(p.sunEccentricAnomaly / 2.0));
  p.sunRadius = kSunSemiMajorAxis * (1.0 - p.sunEccentricity * std::cos(p.sunEccentricAnomaly));
  p.sunLongitude = p.sunMeanLongitude + p.sunTrueAnomaly - p.sunMeanAnomaly;
  return p;
}
