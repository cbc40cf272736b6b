// The prelude of every body computation and the Sun, against the worked
// values at T = 0 (JD 2415020.0) and T = 1 (JD 2451545.0).
#include <cmath>

#include "astro/body.h"
#include "astro/prelude.h"
#include "astro/time_base.h"
#include "units.h"

namespace {

TEST(Sun, AtTheEpoch) {
  const Prelude p = computePrelude(timeBase(1899, 12, 31.5).t);
  const BodyPosition sun = computeBody(kSun, 1899, 12, 31.5);
  expectAll({
      {"obliquity", p.obliquity, 23.452294 * kDegree, 0.001 * kArcsec},
      {"obliquity in radians", p.obliquity, 0.4093197 * kRadian, 1e-7 * kRadian},
      {"mean anomaly", p.sunMeanAnomaly, 358.47583 * kDegree, 0.001 * kArcsec},
      {"true anomaly", p.sunTrueAnomaly, -1.576317 * kDegree, 0.005 * kArcsec},
      {"radius vector", p.sunRadius, 0.983255 * kAstronomicalUnit, 1e-6 * kAstronomicalUnit},
      {"true longitude, not reduced", p.sunLongitude, -80.355467 * kDegree, 0.005 * kArcsec},
      {"right ascension, negative", sun.rightAscension, -79.505531 * kDegree, 0.005 * kArcsec},
      {"declination", sun.declination, -23.101443 * kDegree, 0.005 * kArcsec},
      {"distance", sun.distance, p.sunRadius, 0.0},
  });
}

TEST(Sun, AtNoonFirstJanuary2000) {
  const Prelude p = computePrelude(timeBase(2000, 1, 1.5).t);
  const BodyPosition sun = computeBody(kSun, 2000, 1, 1.5);
  expectAll({
      {"T", p.t, 1.0, 1e-15},
      {"obliquity", p.obliquity, 0.4090926166 * kRadian, 1e-10 * kRadian},
      {"obliquity in degrees", p.obliquity, 23.439280 * kDegree, 0.005 * kArcsec},
      {"mean anomaly", p.sunMeanAnomaly, 357.525427 * kDegree, 0.005 * kArcsec},
      {"true anomaly", p.sunTrueAnomaly, -2.559004 * kDegree, 0.005 * kArcsec},
      {"true longitude", p.sunLongitude, -1.3896054576 * kRadian, 1e-10 * kRadian},
      {"radius vector", p.sunRadius, 0.9833072 * kAstronomicalUnit, 1e-7 * kAstronomicalUnit},
      {"right ascension", sun.rightAscension, -1.3737113442 * kRadian, 1e-10 * kRadian},
      {"declination", sun.declination, -0.4020060944 * kRadian, 1e-10 * kRadian},
  });
  EXPECT_EQ(sun.jd, 2451545.0);
}

struct KeplerCase {
  const char* orbit;
  double meanAnomaly;
  double eccentricity;
  int corrections;
  double lastCorrection;
  double tolerance;
};

TEST(Kepler, CorrectionsOfTheWorkedOrbits) {
  const Prelude sun2000 = computePrelude(1.0);
  const Prelude sun1900 = computePrelude(0.0);
  const KeplerCase cases[] = {
      {"Sun at T = 1", sun2000.sunMeanAnomaly, sun2000.sunEccentricity, 2, 2e-10, 1e-10},
      {"Sun at T = 0", sun1900.sunMeanAnomaly, sun1900.sunEccentricity, 2, 0.0, 1e-9},
      {"Mars at T = 0", reduceToRadians(-40.480869), 0.0933129, 3, 7e-10, 3e-10},
  };
  for (const KeplerCase& c : cases) {
    const KeplerSolution solution = iterateKepler(c.meanAnomaly, c.eccentricity);
    EXPECT_EQ(solution.corrections, c.corrections) << c.orbit;
    EXPECT_NEAR(solution.lastCorrection, c.lastCorrection, c.tolerance) << c.orbit;
    EXPECT_EQ(solveKepler(c.meanAnomaly, c.eccentricity), solution.eccentricAnomaly) << c.orbit;
    // E solves Kepler's equation.
    EXPECT_NEAR(solution.eccentricAnomaly - c.eccentricity * std::sin(solution.eccentricAnomaly),
                c.meanAnomaly, 1e-9 * kRadian)
        << c.orbit;
  }
}

TEST(Kepler, EveryArgumentEndsTheLoop) {
  // Eccentricities far outside any orbit of this program, and arguments
  // that are not numbers, must still end the iteration.
  const double nan = std::nan("");
  const double cases[][2] = {{1.0, 0.9999}, {3.0, 1.0}, {2.0, 50.0},    {1e300, 0.2},
                             {nan, 0.1},    {1.0, nan}, {1.0, INFINITY}};
  for (const auto& c : cases) {
    const KeplerSolution s = iterateKepler(c[0], c[1]);
    EXPECT_LE(s.corrections, kKeplerMaxCorrections) << c[0] << " " << c[1];
  }
}

TEST(ReduceToRadians, KeepsTheSignOfTheAngle) {
  const Expectation rows[] = {
      {"-40.480869", reduceToRadians(-40.480869), -40.480869 * kDegree, 1e-9 * kArcsec},
      {"-1784.3512", reduceToRadians(-1784.3512), -344.3512 * kDegree, 1e-6 * kArcsec},
      {"-1.049", reduceToRadians(-1.049), -1.049 * kDegree, 1e-9 * kArcsec},
      {"718", reduceToRadians(718.0), 358.0 * kDegree, 1e-6 * kArcsec},
      {"360", reduceToRadians(360.0), 0.0, 0.0},
  };
  for (const Expectation& row : rows) {
    EXPECT_NEAR(row.actual, row.expected, row.tolerance) << row.quantity;
  }
  EXPECT_LT(reduceToRadians(-40.480869), 0.0);
}

TEST(ComputeBody, SharedFieldsAndIllumination) {
  const TimeBase time = timeBase(2000, 1, 1.5);
  for (BodyIndex i = 0; i < kBodyCount; ++i) {
    const BodyPosition p = computeBody(i, 2000, 1, 1.5);
    EXPECT_EQ(p.jd, time.jd) << int{i};
    EXPECT_EQ(p.siderealTime, time.siderealTime) << int{i};
    if (i != kMoon) {
      EXPECT_EQ(p.illumination, 0.0) << int{i};
    }
  }
}

TEST(ComputeBody, IndexOutsideTheBodiesGivesNoPosition) {
  for (const BodyIndex i : {BodyIndex{-1}, BodyIndex{9}, BodyIndex{127}}) {
    const BodyPosition p = computeBody(i, 2000, 1, 1.5);
    EXPECT_EQ(p.jd, 2451545.0);
    EXPECT_TRUE(std::isnan(p.rightAscension) && std::isnan(p.declination) &&
                std::isnan(p.distance));
  }
}

}  // namespace
