// planetSteps, planetPosition: geocentric position of a planet.
//
//   planet     Mercury .. Neptune
//   prelude    T, obliquity eps, the Sun's true longitude and radius vector R
//   arguments  the outer planets' series arguments at T (not read for
//              Mercury, Venus and Mars)
//
//  1. Mean elements at T: L, e, i, omega, Omega (degrees, polynomials in T
//     summed term by term) and a (AU).
//  2. M = L - omega - Omega, degrees.
//  3. Jupiter to Neptune: L += dL; M += dL - dH / e (e uncorrected);
//     e += 1e-6 de; a += 1e-6 da.
//  4. L, i, Omega, M reduced to radians.
//  5. E from Kepler's equation.  6. nu = 2 atan(sqrt((1+e)/(1-e)) tan(E/2)).
//  7. r = a (1 - e cos E).        8. u = L + nu - M - Omega.
//  9. l = atan2(cos i sin u, cos u) + Omega;  b = asin(sin u sin i).
// 10. Uranus and Neptune: l += dl * ((1/180) PI); r += dr.
// 11. With D = l - lambdaSun:
//       lambda = atan2(r cos b sin D, r cos b cos D + R) + lambdaSun
//       Delta  = sqrt(R^2 + r^2 + 2 r R cos b cos D)
//       beta   = asin((r / Delta) sin b)
// 12. Equatorial coordinates with eps.
#include "astro/planets.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/perturbations.h"
#include "astro/polynomial.h"

namespace astro {
namespace {
enum class Element : std::uint8_t { L, e, i, omega, node };
inline constexpr std::size_t kElementCount = 5;

struct ElementRow {
  Body planet;
  Element element;
  std::array<double, 4> c;  // coefficients of 1, T, T^2, T^3
};

using enum Element;
using enum Body;

// Mean longitude L, eccentricity e, inclination i, argument of perihelion
// omega and longitude of the ascending node (Omega); angles in degrees.
// clang-format off
constexpr ElementRow kMeanElements[] = {
    {Mercury,  L,     {178.179078, 149474.07078, 0.0003011, 0}},
    {Mercury,  e,     {0.20561421, 2.046e-05, -3e-08, 0}},
    {Mercury,  i,     {7.002881, 0.0018608, -1.83e-05, 0}},
    {Mercury,  omega, {28.753753, 0.3702806, 0.0001208, 0}},
    {Mercury,  node,  {47.145944, 1.1852083, 0.0001739, 0}},
    {Venus,    L,     {342.767053, 58519.21191, 0.0003097, 0}},
    {Venus,    e,     {0.00682069, -4.774e-05, 9.1e-08, 0}},
    {Venus,    i,     {3.393631, 0.0010058, -1e-06, 0}},
    {Venus,    omega, {54.384186, 0.5081861, -0.0013864, 0}},
    {Venus,    node,  {75.779647, 0.89985, 0.00041, 0}},
    {Mars,     L,     {293.737334, 19141.69551, 0.0003107, 0}},
    {Mars,     e,     {0.0933129, 9.2064e-05, -7.7e-08, 0}},
    {Mars,     i,     {1.850333, -0.000675, 1.26e-05, 0}},
    {Mars,     omega, {285.431761, 1.0697667, 0.0001313, 4.14e-06}},
    {Mars,     node,  {48.786442, 0.7709917, -1.4e-06, -5.33e-06}},
    {Jupiter,  L,     {238.049257, 3036.301986, 0.0003347, -1.65e-06}},
    {Jupiter,  e,     {0.04833475, 0.00016418, -4.676e-07, -1.7e-09}},
    {Jupiter,  i,     {1.308736, -0.0056961, 3.9e-06, 0}},
    {Jupiter,  omega, {273.277558, 0.5994317, 0.00070405, 5.08e-06}},
    {Jupiter,  node,  {99.443414, 1.01053, 0.00035222, -8.51e-06}},
    {Saturn,   L,     {266.564377, 1223.509884, 0.0003245, -5.8e-06}},
    {Saturn,   e,     {0.05589232, -0.0003455, -7.28e-07, 7.4e-10}},
    {Saturn,   i,     {2.492519, -0.0039189, -1.549e-05, 4e-08}},
    {Saturn,   omega, {338.3078, 1.0852207, 0.00097854, 9.92e-06}},
    {Saturn,   node,  {112.790414, 0.8731951, -0.00015218, -5.31e-06}},
    {Uranus,   L,     {244.19747, 429.863546, 0.000316, -6e-07}},
    {Uranus,   e,     {0.0463444, -2.658e-05, 7.7e-08, 0}},
    {Uranus,   i,     {0.772464, 0.0006253, 3.95e-05, 0}},
    {Uranus,   omega, {98.071581, 0.985765, -0.0010745, -6.1e-07}},
    {Uranus,   node,  {73.477111, 0.4986678, 0.0013117, 0}},
    {Neptune,  L,     {84.457994, 219.885914, 0.0003205, -6e-07}},
    {Neptune,  e,     {0.00899704, 6.33e-06, -2e-09, 0}},
    {Neptune,  i,     {1.779242, -0.0095436, -9.1e-06, 0}},
    {Neptune,  omega, {276.045975, 0.3256394, 0.00014095, 4.113e-06}},
    {Neptune,  node,  {130.681389, 1.098935, 0.00024987, -4.718e-06}},
};
// clang-format on
static_assert(std::size(kMeanElements) == 7 * kElementCount);

struct AxisRow {
  Body planet;
  double a;  // AU
};

constexpr AxisRow kSemiMajorAxes[] = {
    {Mercury, 0.3870986}, {Venus, 0.7233316}, {Mars, 1.5236883},   {Jupiter, 5.202561},
    {Saturn, 9.554747},   {Uranus, 19.21814}, {Neptune, 30.10957},
};
static_assert(std::size(kSemiMajorAxes) == 7);

// Rows of a planet counted from Mercury, the first planet.
constexpr std::size_t planetNumber(Body planet) {
  return static_cast<std::size_t>(planet) - static_cast<std::size_t>(Mercury);
}

// The lookups below index the tables directly; hold them to that order.
constexpr bool tablesInBodyOrder() {
  for (std::size_t r = 0; r < std::size(kMeanElements); ++r) {
    if (planetNumber(kMeanElements[r].planet) != r / kElementCount ||
        kMeanElements[r].element != static_cast<Element>(r % kElementCount)) {
      return false;
    }
  }
  for (std::size_t r = 0; r < std::size(kSemiMajorAxes); ++r) {
    if (planetNumber(kSemiMajorAxes[r].planet) != r) {
      return false;
    }
  }
  return true;
}
static_assert(tablesInBodyOrder());

double meanElement(Body planet, Element element, double t) {
  return polynomial(
      kMeanElements[planetNumber(planet) * kElementCount + static_cast<std::size_t>(element)].c, t);
}
}  // namespace

PlanetSteps planetSteps(Body planet, const Prelude& prelude, const SeriesArguments& arguments) {
  const double t = prelude.t;
  PlanetSteps s{};

  // 1-2. Mean elements and mean anomaly, degrees.
  double meanLongitude = meanElement(planet, L, t);
  double eccentricity = meanElement(planet, e, t);
  const double inclination = meanElement(planet, i, t);
  const double perihelion = meanElement(planet, omega, t);
  const double ascendingNode = meanElement(planet, node, t);
  double semiMajorAxis = kSemiMajorAxes[planetNumber(planet)].a;
  double meanAnomaly = meanLongitude - perihelion - ascendingNode;

  // 3. Element corrections, the eccentricity of the table dividing dH.
  if (hasElementCorrections(planet)) {
    const ElementCorrections k = elementCorrections(planet, arguments);
    meanLongitude = meanLongitude + k.dL;
    meanAnomaly = meanAnomaly + (k.dL - k.dH / eccentricity);
    eccentricity = eccentricity + extendedProduct(k.de, kMillionth);
    semiMajorAxis = semiMajorAxis + extendedProduct(k.da, kMillionth);
  }
  s.meanAnomalyDegrees = meanAnomaly;
  s.eccentricity = eccentricity;
  s.semiMajorAxis = semiMajorAxis;

  // 4. Reduced to radians.
  const double lRad = reduceToRadians(meanLongitude);
  const double iRad = reduceToRadians(inclination);
  const double nodeRad = reduceToRadians(ascendingNode);
  const double mRad = reduceToRadians(meanAnomaly);

  // 5-8. Kepler's equation, true anomaly, radius vector, argument of latitude.
  s.kepler = solveKepler(mRad, eccentricity);
  const double ecc = s.kepler.eccentricAnomaly;
  s.trueAnomaly = trueAnomaly(ecc, eccentricity);
  s.radius = semiMajorAxis * (1.0 - eccentricity * std::cos(ecc));
  const double u = lRad + s.trueAnomaly - mRad - nodeRad;
  s.argumentOfLatitude = u;

  // 9-10. Heliocentric ecliptic coordinates.
  s.longitude = std::atan2(std::cos(iRad) * std::sin(u), std::cos(u)) + nodeRad;
  s.latitude = std::asin(std::sin(u) * std::sin(iRad));
  if (hasHeliocentricCorrections(planet)) {
    const HeliocentricCorrections k = heliocentricCorrections(planet, arguments);
    const double degreeFactor = extendedProduct(PI, kReciprocal180);
    s.longitude = s.longitude + k.dl * degreeFactor;
    s.radius = s.radius + k.dr;
  }

  // 11. Geocentric ecliptic coordinates.
  const double r = s.radius;
  const double b = s.latitude;
  const double sunR = prelude.sunRadius;
  const double d = s.longitude - prelude.sunLongitude;
  s.geocentricLongitude =
      std::atan2(r * std::cos(b) * std::sin(d), r * std::cos(b) * std::cos(d) + sunR) +
      prelude.sunLongitude;
  s.distance = std::sqrt(sunR * sunR + r * r + 2.0 * r * sunR * std::cos(b) * std::cos(d));
  s.geocentricLatitude = std::asin((r / s.distance) * std::sin(b));

  // 12. Equatorial coordinates.
  s.equatorial = toEquatorial(s.geocentricLongitude, s.geocentricLatitude, prelude.obliquityTerms);
  return s;
}

SkyPosition planetPosition(Body planet, const Prelude& prelude, const SeriesArguments& arguments) {
  const PlanetSteps s = planetSteps(planet, prelude, arguments);
  return SkyPosition{s.equatorial.rightAscension,
                     s.equatorial.declination,
                     s.geocentricLongitude,
                     s.geocentricLatitude,
                     s.distance,
                     s.distance * kAstronomicalUnitKm,
                     0.0,
                     s.kepler.converged()};
}

}  // namespace astro
