// computePrelude: obliquity of the ecliptic and the Sun's orbit at T.
//
//   t  Julian centuries from JD 2415020.0, time of day included
//
// Polynomials in T, degrees, summed term by term:
//   eps = 23.452294 - 0.0130125 T - 0.00000164 T^2 + 0.000000503 T^3
//   L   = 279.69668 + 36000.76892 T + 0.0003025 T^2
//   M   = 358.47583 + 35999.04975 T - 0.00015 T^2 - 0.0000033 T^3
//   e   = 0.01675104 - 0.0000418 T - 0.000000126 T^2
// then E from Kepler's equation, the true anomaly nu, the radius vector
// R = 1.0000002 (1 - e cos E) in AU, and the true longitude L + nu - M,
// left unreduced.
#include "astro/prelude.h"

#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/polynomial.h"

namespace astro {
namespace {
constexpr std::array<double, 4> kObliquity = {23.452294, -0.0130125, -0.00000164, 0.000000503};
constexpr std::array<double, 3> kSunMeanLongitude = {279.69668, 36000.76892, 0.0003025};
constexpr std::array<double, 4> kSunMeanAnomaly = {358.47583, 35999.04975, -0.00015, -0.0000033};
constexpr std::array<double, 3> kSunEccentricity = {0.01675104, -0.0000418, -0.000000126};
constexpr double kSunSemiMajorAxis = 1.0000002;
}  // namespace

Prelude computePrelude(double t) {
  Prelude p{};
  p.t = t;
  p.obliquity = reduceToRadians(polynomial(kObliquity, t));
  p.obliquityTerms = Obliquity{std::sin(p.obliquity), std::cos(p.obliquity)};
  p.sunMeanLongitude = reduceToRadians(polynomial(kSunMeanLongitude, t));
  p.sunMeanAnomaly = reduceToRadians(polynomial(kSunMeanAnomaly, t));
  p.sunEccentricity = polynomial(kSunEccentricity, t);
  p.sunKepler = solveKepler(p.sunMeanAnomaly, p.sunEccentricity);
  const double anomaly = p.sunKepler.eccentricAnomaly;
  p.sunTrueAnomaly = trueAnomaly(anomaly, p.sunEccentricity);
  p.sunRadius = kSunSemiMajorAxis * (1.0 - p.sunEccentricity * std::cos(anomaly));
  p.sunLongitude = p.sunMeanLongitude + p.sunTrueAnomaly - p.sunMeanAnomaly;
  return p;
}

}  // namespace astro
