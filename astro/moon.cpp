// moonSteps, moonPosition: geocentric position and phase of the Moon.
//
//   prelude  T, the obliquity eps and the Sun's true longitude
//
//  1. L', M, M', D, F, Omega: cubic polynomials in T, degrees.
//  2. Each reduced by whole turns with its sign kept; Omega to radians.
//  3. A1 = sin(51.2 + 20.2 T), A2 = 0.003964 sin(346.56 + 132.87 T
//     - 0.0091731 T^2), A3 = sin Omega, A4 = sin(Omega + g) with
//     g = 275.05 - 2.3 T (arguments in degrees turned to radians), added to
//     the arguments in degrees.
//  4. M, M', D, F to radians; L' stays in degrees.
//  5. E = 1 - 0.002495 T - 0.00000752 T^2.
//  6. lambda = L' + 50 sine terms; B = 45 sine terms; p = 0.950724 + 30
//     cosine terms; a term with k M in its argument is multiplied by E |k|
//     times.
//  7. beta = B (1 - omega1 - omega2), omega1 = 0.0004664 cos Omega,
//     omega2 = 0.0000754 cos(Omega + g).
//  8. lambda, beta, p to radians (lambda not reduced).
//  9. distance = 0.001 (6378.14 / sin p), thousands of km; in kilometres,
//     that times 1000, and in astronomical units the kilometres over
//     kAstronomicalUnitKm.
// 10. Equatorial coordinates with eps.
// 11. d = acos(cos beta cos(lambda - lambdaSun)) 180 / PI, degrees.
// 12. i = 180 - d - 0.1468 sin d (1 - 0.0549 sin M') / (1 - 0.0167 sin M).
// 13. k = (1 + cos i) 0.5.
#include "astro/moon.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/polynomial.h"

namespace astro {

// clang-format off
constexpr MoonTerm kMoonLongitudeSeries[] = {
    // coefficient   D   M  M'   F     No.
    {   6.28875,  0,  0,  1,  0},  //  1
    {  1.274018,  2,  0, -1,  0},  //  2
    {  0.658309,  2,  0,  0,  0},  //  3
    {  0.213616,  0,  0,  2,  0},  //  4
    { -0.185596,  0,  1,  0,  0},  //  5
    { -0.114336,  0,  0,  0,  2},  //  6
    {  0.058793,  2,  0, -2,  0},  //  7
    {  0.057212,  2, -1, -1,  0},  //  8
    {   0.05332,  2,  0,  1,  0},  //  9
    {  0.045874,  2, -1,  0,  0},  // 10
    {  0.041024,  0, -1,  1,  0},  // 11
    { -0.034718,  1,  0,  0,  0},  // 12
    { -0.030465,  0,  1,  1,  0},  // 13
    {  0.015326,  2,  0,  0, -2},  // 14
    { -0.012528,  0,  0,  1,  2},  // 15
    {  -0.01098,  0,  0, -1,  2},  // 16
    {  0.010674,  4,  0, -1,  0},  // 17
    {  0.010034,  0,  0,  3,  0},  // 18
    {  0.008548,  4,  0, -2,  0},  // 19
    {  -0.00791,  2,  1, -1,  0},  // 20
    { -0.006783,  2,  1,  0,  0},  // 21
    {  0.005162, -1,  0,  1,  0},  // 22
    {     0.005,  1,  1,  0,  0},  // 23
    {  0.004049,  2, -1,  1,  0},  // 24
    {  0.003996,  2,  0,  2,  0},  // 25
    {  0.003862,  4,  0,  0,  0},  // 26
    {  0.003665,  2,  0, -3,  0},  // 27
    {  0.002695,  0, -1,  2,  0},  // 28
    {  0.002602, -2,  0,  1, -2},  // 29
    {  0.002396,  2, -1, -2,  0},  // 30
    { -0.002349,  1,  0,  1,  0},  // 31
    {  0.002249,  2, -2,  0,  0},  // 32
    { -0.002125,  0,  1,  2,  0},  // 33
    { -0.002079,  0,  2,  0,  0},  // 34
    {  0.002059,  2, -2, -1,  0},  // 35
    { -0.001773,  2,  0,  1, -2},  // 36
    { -0.001595,  2,  0,  0,  2},  // 37
    {   0.00122,  4, -1, -1,  0},  // 38
    {  -0.00111,  0,  0,  2,  2},  // 39
    {  0.000892, -3,  0,  1,  0},  // 40
    { -0.000811,  2,  1,  1,  0},  // 41
    {  0.000761,  4, -1, -2,  0},  // 42
    {  0.000717,  0, -2,  1,  0},  // 43
    {  0.000704, -2, -2,  1,  0},  // 44
    {  0.000693,  2,  1, -2,  0},  // 45
    {  0.000598,  2, -1,  0, -2},  // 46
    {   0.00055,  4,  0,  1,  0},  // 47
    {  0.000538,  0,  0,  4,  0},  // 48
    {  0.000521,  4, -1,  0,  0},  // 49
    {  0.000486, -1,  0,  2,  0},  // 50
};
// clang-format on
static_assert(std::size(kMoonLongitudeSeries) == 50);

// clang-format off
constexpr MoonTerm kMoonLatitudeSeries[] = {
    // coefficient   D   M  M'   F     No.
    {  5.128189,  0,  0,  0,  1},  //  1
    {  0.280606,  0,  0,  1,  1},  //  2
    {  0.277693,  0,  0,  1, -1},  //  3
    {  0.173238,  2,  0,  0, -1},  //  4
    {  0.055413,  2,  0, -1,  1},  //  5
    {  0.046272,  2,  0, -1, -1},  //  6
    {  0.032573,  2,  0,  0,  1},  //  7
    {  0.017198,  0,  0,  2,  1},  //  8
    {  0.009267,  2,  0,  1, -1},  //  9
    {  0.008823,  0,  0,  2, -1},  // 10
    {  0.008247,  2, -1,  0, -1},  // 11
    {  0.004323,  2,  0, -2, -1},  // 12
    {    0.0042,  2,  0,  1,  1},  // 13
    {  0.003372, -2, -1,  0,  1},  // 14
    {  0.002472,  2, -1, -1,  1},  // 15
    {  0.002222,  2, -1,  0,  1},  // 16
    {  0.002072,  2, -1, -1, -1},  // 17
    {  0.001877,  0, -1,  1,  1},  // 18
    {  0.001828,  4,  0, -1, -1},  // 19
    { -0.001803,  0,  1,  0,  1},  // 20
    {  -0.00175,  0,  0,  0,  3},  // 21
    {   0.00157,  0, -1,  1, -1},  // 22
    { -0.001487,  1,  0,  0,  1},  // 23
    { -0.001481,  0,  1,  1,  1},  // 24
    {  0.001417,  0, -1, -1,  1},  // 25
    {   0.00135,  0, -1,  0,  1},  // 26
    {   0.00133, -1,  0,  0,  1},  // 27
    {  0.001106,  0,  0,  3,  1},  // 28
    {   0.00102,  4,  0,  0, -1},  // 29
    {  0.000833,  4,  0, -1,  1},  // 30
    {  0.000781,  0,  0,  1, -3},  // 31
    {   0.00067,  4,  0, -2,  1},  // 32
    {  0.000606,  2,  0,  0, -3},  // 33
    {  0.000597,  2,  0,  2, -1},  // 34
    {  0.000492,  2, -1,  1, -1},  // 35
    {   0.00045, -2,  0,  2, -1},  // 36
    {  0.000439,  0,  0,  3, -1},  // 37
    {  0.000423,  2,  0,  2,  1},  // 38
    {  0.000422,  2,  0, -3, -1},  // 39
    { -0.000367,  2,  1, -1,  1},  // 40
    { -0.000353,  2,  1,  0,  1},  // 41
    {  0.000331,  4,  0,  0,  1},  // 42
    {  0.000317,  2, -1,  1,  1},  // 43
    {  0.000306,  2, -2,  0, -1},  // 44
    { -0.000283,  0,  0,  1,  3},  // 45
};
// clang-format on
static_assert(std::size(kMoonLatitudeSeries) == 45);

// clang-format off
constexpr MoonTerm kMoonParallaxSeries[] = {
    // coefficient   D   M  M'   F     No.
    {  0.051818,  0,  0,  1,  0},  //  1
    {  0.009531,  2,  0, -1,  0},  //  2
    {  0.007843,  2,  0,  0,  0},  //  3
    {  0.002824,  0,  0,  2,  0},  //  4
    {  0.000857,  2,  0,  1,  0},  //  5
    {  0.000533,  2, -1,  0,  0},  //  6
    {  0.000401,  2, -1, -1,  0},  //  7
    {   0.00032,  0, -1,  1,  0},  //  8
    { -0.000271,  1,  0,  0,  0},  //  9
    { -0.000264,  0,  1,  1,  0},  // 10
    { -0.000198,  0,  0, -1,  2},  // 11
    {  0.000173,  0,  0,  3,  0},  // 12
    {  0.000167,  4,  0, -1,  0},  // 13
    { -0.000111,  0,  1,  0,  0},  // 14
    {  0.000103,  4,  0, -2,  0},  // 15
    { -0.000084, -2,  0,  2,  0},  // 16
    { -0.000083,  2,  1,  0,  0},  // 17
    {  0.000079,  2,  0,  2,  0},  // 18
    {  0.000072,  4,  0,  0,  0},  // 19
    {  0.000064,  2, -1,  1,  0},  // 20
    { -0.000063,  2,  1, -1,  0},  // 21
    {  0.000041,  1,  1,  0,  0},  // 22
    {  0.000035,  0, -1,  2,  0},  // 23
    { -0.000033, -2,  0,  3,  0},  // 24
    {  -0.00003,  1,  0,  1,  0},  // 25
    { -0.000029, -2,  0,  0,  2},  // 26
    { -0.000029,  0,  1,  2,  0},  // 27
    {  0.000026,  2, -2,  0,  0},  // 28
    { -0.000023, -2,  0,  1,  2},  // 29
    {  0.000019,  4, -1, -1,  0},  // 30
};
// clang-format on
static_assert(std::size(kMoonParallaxSeries) == 30);

int eccentricityPower(const MoonTerm& term) {
  return std::abs(term.m);
}

namespace {
constexpr double kEarthRadiusKm = 6378.14;

// The fundamental arguments: coefficients of 1, T, T^2, T^3, degrees.
constexpr std::array<double, 4> kMeanLongitude = {270.434164, 481267.8831, -0.001133, 0.0000019};
constexpr std::array<double, 4> kSunAnomaly = {358.475833, 35999.0498, -0.00015, -0.0000033};
constexpr std::array<double, 4> kMoonAnomaly = {296.104608, 477198.8491, 0.009192, 0.0000144};
constexpr std::array<double, 4> kMeanElongation = {350.737486, 445267.1142, -0.001436, 0.0000019};
constexpr std::array<double, 4> kLatitudeArg = {11.250889, 483202.0251, -0.003211, -0.0000003};
constexpr std::array<double, 4> kNode = {259.183275, -1934.142, 0.002078, 0.0000022};

// The arguments D, M, M', F in radians.
struct Arguments {
  double d;
  double m;
  double mp;
  double f;
};

double argument(const MoonTerm& term, const Arguments& x) {
  return term.d * x.d + term.m * x.m + term.mp * x.mp + term.f * x.f;
}

// The coefficient times E once per unit of the multiple of M.
double coefficient(const MoonTerm& term, double eFactor) {
  double c = term.coefficient;
  for (int k = 0; k < eccentricityPower(term); ++k) {
    c = c * eFactor;
  }
  return c;
}

// Most parallax terms share their argument with a longitude term: for each
// parallax term, that longitude term's row, or -1. Where there is one, the
// cosine is taken beside the sine of the longitude term (one sincos).
constexpr int kNoTwin = -1;
constexpr std::array<int, std::size(kMoonParallaxSeries)> parallaxTwins() {
  std::array<int, std::size(kMoonParallaxSeries)> twins{};
  for (std::size_t p = 0; p < twins.size(); ++p) {
    twins[p] = kNoTwin;
    const MoonTerm& a = kMoonParallaxSeries[p];
    for (std::size_t l = 0; l < std::size(kMoonLongitudeSeries); ++l) {
      const MoonTerm& b = kMoonLongitudeSeries[l];
      if (a.d == b.d && a.m == b.m && a.mp == b.mp && a.f == b.f) {
        twins[p] = static_cast<int>(l);
      }
    }
  }
  return twins;
}
constexpr auto kParallaxTwins = parallaxTwins();

constexpr std::array<bool, std::size(kMoonLongitudeSeries)> longitudeHasTwin() {
  std::array<bool, std::size(kMoonLongitudeSeries)> has{};
  for (const int twin : kParallaxTwins) {
    if (twin != kNoTwin) {
      has[static_cast<std::size_t>(twin)] = true;
    }
  }
  return has;
}
constexpr auto kLongitudeHasTwin = longitudeHasTwin();

struct SeriesSums {
  double longitude;  // lambda, degrees
  double latitude;   // B, degrees
  double parallax;   // p, degrees
};

// The three series, each summed in the order listed.
SeriesSums sumSeries(double meanLongitude, const Arguments& x, double eFactor) {
  std::array<double, std::size(kMoonLongitudeSeries)> twinCosine{};
  SeriesSums sums{meanLongitude, 0.0, 0.950724};
  for (std::size_t row = 0; row < std::size(kMoonLongitudeSeries); ++row) {
    const MoonTerm& term = kMoonLongitudeSeries[row];
    const double angle = argument(term, x);
    double sine = 0.0;
    if (kLongitudeHasTwin[row]) {
      sine = std::sin(angle);
      twinCosine[row] = std::cos(angle);
    } else {
      sine = std::sin(angle);
    }
    sums.longitude = sums.longitude + coefficient(term, eFactor) * sine;
  }
  for (const MoonTerm& term : kMoonLatitudeSeries) {
    sums.latitude = sums.latitude + coefficient(term, eFactor) * std::sin(argument(term, x));
  }
  for (std::size_t row = 0; row < std::size(kMoonParallaxSeries); ++row) {
    const MoonTerm& term = kMoonParallaxSeries[row];
    const int twin = kParallaxTwins[row];
    const double cosine =
        twin != kNoTwin ? twinCosine[static_cast<std::size_t>(twin)] : std::cos(argument(term, x));
    sums.parallax = sums.parallax + coefficient(term, eFactor) * cosine;
  }
  return sums;
}
}  // namespace

MoonSteps moonSteps(const Prelude& prelude) {
  const double t = prelude.t;
  MoonSteps s{};

  // 1-2. Fundamental arguments, reduced by whole turns.
  MoonArguments& a = s.reduced;
  a.meanLongitude = remainderOfTurns(polynomial(kMeanLongitude, t));
  a.sunAnomaly = remainderOfTurns(polynomial(kSunAnomaly, t));
  a.moonAnomaly = remainderOfTurns(polynomial(kMoonAnomaly, t));
  a.meanElongation = remainderOfTurns(polynomial(kMeanElongation, t));
  a.latitudeArg = remainderOfTurns(polynomial(kLatitudeArg, t));
  a.node = remainderOfTurns(polynomial(kNode, t));
  const double node = toRadians(a.node);
  s.nodeRadians = node;

  // 3. Periodic corrections, degrees.
  const double a1 = std::sin(toRadians(51.2 + 20.2 * t));
  const double a2 = 0.003964 * std::sin(toRadians(346.56 + 132.87 * t - 0.0091731 * t * t));
  const double a3 = std::sin(node);
  const double g = toRadians(275.05 - 2.3 * t);
  const double a4 = std::sin(node + g);
  MoonArguments& c = s.corrected;
  c.meanLongitude = a.meanLongitude + 0.000233 * a1 + a2 + 0.001964 * a3;
  c.sunAnomaly = a.sunAnomaly - 0.001778 * a1;
  c.moonAnomaly = a.moonAnomaly + 0.000817 * a1 + a2 + 0.002541 * a3;
  c.meanElongation = a.meanElongation + 0.002011 * a1 + a2 + 0.001964 * a3;
  c.latitudeArg = a.latitudeArg + a2 - 0.024691 * a3 - 0.004328 * a4;
  c.node = a.node;

  // 4. To radians, L' aside.
  const double m = toRadians(c.sunAnomaly);
  const double mp = toRadians(c.moonAnomaly);
  const double d = toRadians(c.meanElongation);
  const double f = toRadians(c.latitudeArg);

  // 5-7. Eccentricity factor and the three series.
  s.eccentricityFactor = 1.0 - 0.002495 * t - 0.00000752 * t * t;
  const double eFactor = s.eccentricityFactor;
  const SeriesSums sums = sumSeries(c.meanLongitude, Arguments{d, m, mp, f}, eFactor);
  s.longitude = sums.longitude;
  s.latitudeSum = sums.latitude;
  s.parallax = sums.parallax;
  s.omega1 = 0.0004664 * std::cos(node);
  s.omega2 = 0.0000754 * std::cos(node + g);
  s.latitude = s.latitudeSum * (1.0 - s.omega1 - s.omega2);

  // 8-10. Radians, distance, equatorial coordinates.
  const double lambda = toRadians(s.longitude);
  const double beta = toRadians(s.latitude);
  const double p = toRadians(s.parallax);
  s.distance = 0.001 * (kEarthRadiusKm / std::sin(p));
  s.equatorial = toEquatorial(lambda, beta, prelude.obliquityTerms);

  // 11-13. Elongation, phase angle, illuminated fraction.
  s.elongationFromSun =
      std::acos(std::cos(beta) * std::cos(lambda - prelude.sunLongitude)) * 180.0 / PI;
  s.phaseAngle = 180.0 - s.elongationFromSun -
                 0.1468 * std::sin(toRadians(s.elongationFromSun)) * (1.0 - 0.0549 * std::sin(mp)) /
                     (1.0 - 0.0167 * std::sin(m));
  s.illumination = (1.0 + std::cos(toRadians(s.phaseAngle))) * 0.5;
  return s;
}

SkyPosition moonPosition(const Prelude& prelude) {
  const MoonSteps s = moonSteps(prelude);
  const double km = s.distance * 1000;
  return SkyPosition{s.equatorial.rightAscension,
                     s.equatorial.declination,
                     toRadians(s.longitude),
                     toRadians(s.latitude),
                     km / kAstronomicalUnitKm,
                     km,
                     s.illumination,
                     true};
}

}  // namespace astro
