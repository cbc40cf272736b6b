// The planet pipeline against the worked values at T = 0 and T = 1.
#include "astro/planets.h"

#include <cmath>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

constexpr double kDegreeDigits = 0.005 * kArcsec;  // values quoted to 1e-6 degree
constexpr double kRadianDigits = 1e-10 * kRadian;  // values quoted to 1e-10 radian
constexpr double kAuDigits = 1e-7 * kAstronomicalUnit;

Prelude preludeAt(std::int32_t year, std::int32_t month, double day) {
  return computePrelude(timeBaseOf(year, month, day).t);
}

PlanetSteps stepsOf(Body planet, std::int32_t year, std::int32_t month, double day) {
  const Prelude prelude = preludeAt(year, month, day);
  return planetSteps(planet, prelude, seriesArguments(prelude.t));
}

double reducedDegrees(double degrees) {
  return std::fmod(degrees, 360.0) * kDegree;
}

TEST(Planets, MarsAtTheEpochStepByStep) {
  const PlanetSteps s = stepsOf(Body::Mars, 1899, 12, 31.5);
  expectAll({
      {"M", s.meanAnomalyDegrees * kDegree, -40.480869 * kDegree, kDegreeDigits},
      {"E", s.kepler.eccentricAnomaly, -44.208806 * kDegree, kDegreeDigits},
      {"nu", s.trueAnomaly, -48.072992 * kDegree, kDegreeDigits},
      {"r", s.radius, 1.4217733, kAuDigits},
      {"u", s.argumentOfLatitude, 237.358769 * kDegree, kDegreeDigits},
      {"l", s.longitude, -73.868363 * kDegree, kDegreeDigits},
      {"b", s.latitude, -1.558021 * kDegree, kDegreeDigits},
      {"lambda", s.geocentricLongitude, -76.520475 * kDegree, kDegreeDigits},
      {"Delta", s.distance, 2.4010902, kAuDigits},
      {"beta", s.geocentricLatitude, -0.922487 * kDegree, kDegreeDigits},
      {"alpha", s.equatorial.rightAscension, -75.255489 * kDegree, kDegreeDigits},
      {"delta", s.equatorial.declination, -23.687111 * kDegree, kDegreeDigits},
  });
  EXPECT_EQ(s.kepler.corrections, 3);
}

TEST(Planets, MercuryAtTheEpoch) {
  const PlanetSteps s = stepsOf(Body::Mercury, 1899, 12, 31.5);
  expectAll({
      {"M", s.meanAnomalyDegrees * kDegree, 102.279381 * kDegree, kDegreeDigits},
      {"E", s.kepler.eccentricAnomaly, 113.114471 * kDegree, kDegreeDigits},
      {"r", s.radius, 0.4183444, kAuDigits},
      {"Delta", s.distance, 1.1335700, kAuDigits},
      {"alpha", s.equatorial.rightAscension, -102.536693 * kDegree, kDegreeDigits},
      {"delta", s.equatorial.declination, -21.751168 * kDegree, kDegreeDigits},
  });
  EXPECT_EQ(s.kepler.corrections, 4);
  EXPECT_LT(std::fabs(s.kepler.lastCorrection), 1e-12);
}

TEST(Planets, MarsAtNoonFirstJanuary2000StepByStep) {
  const PlanetSteps s = stepsOf(Body::Mars, 2000, 1, 1.5);
  expectAll({
      {"M, reduced", reducedDegrees(s.meanAnomalyDegrees), 19.374065 * kDegree, kDegreeDigits},
      {"r", s.radius, 1.3911079, kAuDigits},
      {"l", s.longitude, -0.567733 * kDegree, kDegreeDigits},
      {"b", s.latitude, -1.419726 * kDegree, kDegreeDigits},
  });
}

struct PlanetCase {
  Body planet;
  double rightAscension;  // radians
  double declination;     // radians
  double distance;        // AU
};

TEST(Planets, AllSevenAtNoonFirstJanuary2000) {
  const PlanetCase cases[] = {
      {.planet = Body::Mercury,
       .rightAscension = -1.5342456816,
       .declination = -0.4262281870,
       .distance = 1.4154973},
      {.planet = Body::Venus,
       .rightAscension = -2.0960308124,
       .declination = -0.3220706525,
       .distance = 1.1376876},
      {.planet = Body::Mars,
       .rightAscension = -0.5145382205,
       .declination = -0.2300767552,
       .distance = 1.8497416},
      {.planet = Body::Jupiter,
       .rightAscension = 0.4168066785,
       .declination = 0.1501405555,
       .distance = 4.6213899},
      {.planet = Body::Saturn,
       .rightAscension = 0.6763460013,
       .declination = 0.2200457665,
       .distance = 8.6535573},
      {.planet = Body::Uranus,
       .rightAscension = -0.7420873231,
       .declination = -0.2970562401,
       .distance = 20.7278627},
      {.planet = Body::Neptune,
       .rightAscension = -0.9521122826,
       .declination = -0.3352973694,
       .distance = 31.0243774},
  };
  for (const PlanetCase& c : cases) {
    // Right ascensions as quoted, from atan2; the library adds a turn to
    // the negative ones.
    const BodyPosition p = computeBody(c.planet, CalendarDate{2000, 1, 1.5});
    const double raw = p.rightAscension > kPi ? p.rightAscension - 2 * kPi : p.rightAscension;
    const int body = static_cast<int>(c.planet);
    EXPECT_NEAR(raw, c.rightAscension, kRadianDigits) << body;
    EXPECT_NEAR(p.declination, c.declination, kRadianDigits) << body;
    EXPECT_NEAR(p.distanceAu, c.distance, kAuDigits) << body;
    EXPECT_EQ(p.illumination, 0.0) << body;
  }
}

}  // namespace
