// The prelude of every body computation and the Sun, against the worked
// values at T = 0 (JD 2415020.0) and T = 1 (JD 2451545.0).
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "astro/angles.h"
#include "astro/astro.h"
#include "astro/kepler.h"
#include "astro/prelude.h"
#include "units.h"

namespace {
using namespace astro;

TEST(Sun, AtTheEpoch) {
  const Prelude p = computePrelude(timeBaseOf(1899, 12, 31.5).t);
  const BodyPosition sun = computeBody(Body::Sun, CalendarDate{1899, 12, 31.5});
  expectAll({
      {"obliquity", p.obliquity, 23.452294 * kDegree, 0.001 * kArcsec},
      {"obliquity in radians", p.obliquity, 0.4093197 * kRadian, 1e-7 * kRadian},
      {"mean anomaly", p.sunMeanAnomaly, 358.47583 * kDegree, 0.001 * kArcsec},
      {"true anomaly", p.sunTrueAnomaly, -1.576317 * kDegree, 0.005 * kArcsec},
      {"radius vector", p.sunRadius, 0.983255 * kAstronomicalUnit, 1e-6 * kAstronomicalUnit},
      {"true longitude, not reduced", p.sunLongitude, -80.355467 * kDegree, 0.005 * kArcsec},
      {"right ascension, normalised", sun.rightAscension, (360 - 79.505531) * kDegree,
       0.005 * kArcsec},
      {"declination", sun.declination, -23.101443 * kDegree, 0.005 * kArcsec},
      {"distance", sun.distanceAu, p.sunRadius, 0.0},
  });
}

TEST(Sun, AtNoonFirstJanuary2000) {
  const Prelude p = computePrelude(timeBaseOf(2000, 1, 1.5).t);
  const BodyPosition sun = computeBody(Body::Sun, CalendarDate{2000, 1, 1.5});
  expectAll({
      {"T", p.t, 1.0, 1e-15},
      {"obliquity", p.obliquity, 0.4090926166 * kRadian, 1e-10 * kRadian},
      {"obliquity in degrees", p.obliquity, 23.439280 * kDegree, 0.005 * kArcsec},
      {"mean anomaly", p.sunMeanAnomaly, 357.525427 * kDegree, 0.005 * kArcsec},
      {"true anomaly", p.sunTrueAnomaly, -2.559004 * kDegree, 0.005 * kArcsec},
      {"true longitude", p.sunLongitude, -1.3896054576 * kRadian, 1e-10 * kRadian},
      {"radius vector", p.sunRadius, 0.9833072 * kAstronomicalUnit, 1e-7 * kAstronomicalUnit},
      {"right ascension", sun.rightAscension, 2 * kPi - 1.3737113442 * kRadian, 1e-10 * kRadian},
      {"declination", sun.declination, -0.4020060944 * kRadian, 1e-10 * kRadian},
  });
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
      {.orbit = "Sun at T = 1",
       .meanAnomaly = sun2000.sunMeanAnomaly,
       .eccentricity = sun2000.sunEccentricity,
       .corrections = 2,
       .lastCorrection = 2e-10,
       .tolerance = 1e-10},
      {.orbit = "Sun at T = 0",
       .meanAnomaly = sun1900.sunMeanAnomaly,
       .eccentricity = sun1900.sunEccentricity,
       .corrections = 2,
       .lastCorrection = 0.0,
       .tolerance = 1e-9},
      {.orbit = "Mars at T = 0",
       .meanAnomaly = reduceToRadians(-40.480869),
       .eccentricity = 0.0933129,
       .corrections = 3,
       .lastCorrection = 7e-10,
       .tolerance = 3e-10},
  };
  for (const KeplerCase& c : cases) {
    const KeplerSolution solution = solveKepler(c.meanAnomaly, c.eccentricity);
    EXPECT_EQ(solution.corrections, c.corrections) << c.orbit;
    EXPECT_NEAR(solution.lastCorrection, c.lastCorrection, c.tolerance) << c.orbit;
    EXPECT_TRUE(solution.converged()) << c.orbit;
    // E solves Kepler's equation.
    EXPECT_NEAR(solution.eccentricAnomaly - c.eccentricity * std::sin(solution.eccentricAnomaly),
                c.meanAnomaly, 1e-9 * kRadian)
        << c.orbit;
  }
}

// How far E misses Kepler's equation E - e sin E = M, in radians of M.
double keplerResidual(const KeplerSolution& s, double meanAnomaly, double eccentricity) {
  return s.eccentricAnomaly - eccentricity * std::sin(s.eccentricAnomaly) - meanAnomaly;
}

// Once a Newton correction is 1e-9 or less, the error left is of the order
// of its square: only rounding remains. 1e-12 radian (0.2 microarcsecond)
// is far above rounding and far below anything printed, so a loop that
// stops early, or a flag that calls an unfinished loop converged, shows.
constexpr double kKeplerResidual = 1e-12 * kRadian;

// Newton's method started at E = M converges on every ellipse up to
// e = 0.97 (the planets stay below 0.21), for mean anomalies over two
// turns both ways, the multiples of pi among them.
TEST(Kepler, ConvergesOnEveryEllipseUpToEccentricity097) {
  const double eccentricities[] = {0.0, 0.0167, 0.0934, 0.2056, 0.25, 0.5, 0.75, 0.9, 0.95, 0.97};
  for (const double e : eccentricities) {
    for (int step = -720; step <= 720; ++step) {
      const double m = step * kPi / 360;
      const KeplerSolution s = solveKepler(m, e);
      ASSERT_TRUE(s.converged()) << "e " << e << ", M " << m << ", last correction "
                                 << s.lastCorrection;
      ASSERT_LT(s.corrections, kKeplerMaxCorrections) << "e " << e << ", M " << m;
      ASSERT_LE(std::fabs(keplerResidual(s, m, e)), kKeplerResidual) << "e " << e << ", M " << m;
    }
  }
}

// Nearer the parabola, Newton's method from E = M may wander: the solution
// must then say it has not converged (and gives no position). Whenever it
// says it has, E solves the equation.
TEST(Kepler, NearlyParabolicOrbitsConvergedOrSaySo) {
  const double eccentricities[] = {0.98, 0.99, 0.999, 0.9999, 0.999999, 1.0};
  for (const double e : eccentricities) {
    for (int step = -720; step <= 720; ++step) {
      const double m = step * kPi / 360;
      const KeplerSolution s = solveKepler(m, e);
      if (s.converged()) {
        ASSERT_LE(std::fabs(keplerResidual(s, m, e)), kKeplerResidual) << "e " << e << ", M " << m;
      }
    }
  }
}

TEST(Kepler, ArgumentsOutsideAnyOrbitEndTheLoopWithAnHonestFlag) {
  // Eccentricities far outside any orbit of this program, and arguments
  // that are not numbers, must still end the iteration; a solution said to
  // have converged solves the equation, and one from an argument that is
  // not a number never says so.
  const double nan = std::nan("");
  const struct {
    double meanAnomaly;
    double eccentricity;
    bool numbers;  // both arguments are finite
  } cases[] = {
      {.meanAnomaly = 1.0, .eccentricity = 0.9999, .numbers = true},
      {.meanAnomaly = 3.0, .eccentricity = 1.0, .numbers = true},
      {.meanAnomaly = 2.0, .eccentricity = 50.0, .numbers = true},
      {.meanAnomaly = 1e300, .eccentricity = 0.2, .numbers = true},
      {.meanAnomaly = nan, .eccentricity = 0.1, .numbers = false},
      {.meanAnomaly = 1.0, .eccentricity = nan, .numbers = false},
      {.meanAnomaly = 1.0, .eccentricity = INFINITY, .numbers = false},
  };
  for (const auto& c : cases) {
    const KeplerSolution s = solveKepler(c.meanAnomaly, c.eccentricity);
    EXPECT_LE(s.corrections, kKeplerMaxCorrections) << c.meanAnomaly << " " << c.eccentricity;
    if (!c.numbers) {
      EXPECT_FALSE(s.converged()) << c.meanAnomaly << " " << c.eccentricity;
    } else if (s.converged()) {
      EXPECT_LE(std::fabs(keplerResidual(s, c.meanAnomaly, c.eccentricity)), kKeplerResidual)
          << c.meanAnomaly << " " << c.eccentricity;
    }
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

TEST(RemainderOfTurns, SameDoubleAsFmod) {
  // The direct remainder must be std::fmod(x, 360) to the bit, sign of zero
  // included: near every multiple of 360 (where a rounded quotient is one
  // off), over all magnitudes, and beyond 2^52, where fmod itself is used.
  std::vector<double> values = {0.0,
                                -0.0,
                                360.0,
                                -360.0,
                                720.0,
                                359.99999999999994,
                                1e-300,
                                -5e-324,
                                4503599627370495.5,
                                4503599627370496.0,
                                1e300,
                                std::numeric_limits<double>::infinity(),
                                std::nan("")};
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  for (int i = 0; i < 200000; ++i) {
    values.push_back(std::ldexp(unit(random), static_cast<int>(random() % 64) - 10));
    double multiple = std::trunc(std::ldexp(unit(random), static_cast<int>(random() % 44))) * 360;
    for (int step = static_cast<int>(random() % 4); step > 0; --step) {
      multiple = std::nextafter(multiple, unit(random) > 0 ? 1e300 : -1e300);
    }
    values.push_back(multiple);
  }
  for (const double x : values) {
    const double expected = std::fmod(x, 360.0);
    const double actual = remainderOfTurns(x);
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(actual)) << x;
    } else {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(actual), std::bit_cast<std::uint64_t>(expected))
          << std::hexfloat << x;
    }
  }
}

TEST(ComputeBody, OneBodyAsInTheWholeInstant) {
  // The per-body call and the instant's shared computation give the same
  // bits; only the Moon has an illuminated fraction.
  for (const CalendarDate date : {CalendarDate{2000, 1, 1.5}, CalendarDate{1850, 6, 15.0}}) {
    const Instant instant = computeInstant(date);
    EXPECT_EQ(instant.ut.jd, julianDay(date));
    EXPECT_EQ(instant.tt.jd, julianDay(date));
    for (const Body body : kBodies) {
      const BodyPosition one = computeBody(body, date);
      const BodyPosition& all = instant[body];
      EXPECT_EQ(one.rightAscension, all.rightAscension) << static_cast<int>(body);
      EXPECT_EQ(one.declination, all.declination) << static_cast<int>(body);
      EXPECT_EQ(one.distanceAu, all.distanceAu) << static_cast<int>(body);
      EXPECT_EQ(one.distanceKm, all.distanceKm) << static_cast<int>(body);
      EXPECT_EQ(one.eclipticLongitude, all.eclipticLongitude) << static_cast<int>(body);
      EXPECT_EQ(one.illumination, all.illumination) << static_cast<int>(body);
      if (body != Body::Moon) {
        EXPECT_EQ(one.illumination, 0.0) << static_cast<int>(body);
      }
    }
    EXPECT_EQ(computeInstant(TT{julianDay(date)}).bodies[4].rightAscension,
              instant[Body::Mars].rightAscension);
  }
}

TEST(ComputeBody, AnglesWithinOneTurn) {
  // Right ascensions and sidereal times come in [0, 2 PI), here over dates
  // whose raw values are negative (before 1898, and bodies between 12h and
  // 24h).
  for (double day = 1.0; day < 3000.0; day += 37.3) {
    const Instant instant = computeInstant(CalendarDate{1897, 1, day});
    EXPECT_GE(instant.siderealTime, 0.0) << day;
    EXPECT_LT(instant.siderealTime, 2 * kPi) << day;
    for (const BodyPosition& p : instant.bodies) {
      EXPECT_GE(p.rightAscension, 0.0) << day;
      EXPECT_LT(p.rightAscension, 2 * kPi) << day;
    }
  }
}

struct StatusCase {
  CalendarDate date;
  Status date_status;
  const char* why;
};

TEST(ComputeBody, StatusOfTheMeasuredSpan) {
  const StatusCase cases[] = {
      {{1000, 1, 1.0}, Status::Computed, "first instant of the span"},
      {{999, 12, 31.999}, Status::OutsideMeasuredSpan, "just before it"},
      {{3000, 12, 31.999}, Status::Computed, "last day of the span"},
      {{3001, 1, 1.0}, Status::OutsideMeasuredSpan, "the span's end is excluded"},
      {{2000, 1, 1.5}, Status::Computed, "J2000"},
      {{-4712, 1, 1.5}, Status::OutsideMeasuredSpan, "JD 0"},
  };
  for (const StatusCase& c : cases) {
    const Instant instant = computeInstant(c.date);
    EXPECT_EQ(instant.status, c.date_status) << c.why;
    for (const BodyPosition& p : instant.bodies) {
      EXPECT_EQ(p.status, c.date_status) << c.why;
    }
  }
  EXPECT_EQ(julianDay({1000, 1, 1.0}), kMeasuredSpanStart);
  EXPECT_EQ(julianDay({3001, 1, 1.0}), kMeasuredSpanEnd);
}

TEST(ComputeBody, NotComputableWhenKeplersEquationDoesNotConverge) {
  // Jupiter's eccentricity polynomial reaches -0.999 in 81910 and Saturn's
  // 0.986 in 169454: Newton's method runs out of corrections, and the
  // position it leaves, though finite, is not one.
  EXPECT_EQ(computeBody(Body::Jupiter, CalendarDate{81910, 1, 1.0}).status, Status::NotComputable);
  EXPECT_EQ(computeBody(Body::Saturn, CalendarDate{169454, 1, 1.0}).status, Status::NotComputable);
  EXPECT_EQ(computeBody(Body::Mars, CalendarDate{81910, 1, 1.0}).status,
            Status::OutsideMeasuredSpan);
}

TEST(ComputeBody, NotComputableWhenNoNumberComesOut) {
  const Instant far = computeInstant(CalendarDate{2000, 1, 1e300});
  EXPECT_EQ(far.status, Status::NotComputable);
  for (const BodyPosition& p : far.bodies) {
    EXPECT_EQ(p.status, Status::NotComputable);
  }
}

TEST(ComputeBody, AValueThatIsNoBodyHasItsOwnStatus) {
  const BodyPosition none = computeBody(static_cast<Body>(kBodyCount), CalendarDate{2000, 1, 1.5});
  EXPECT_EQ(none.status, Status::UnknownBody);
  EXPECT_TRUE(std::isnan(none.rightAscension) && std::isnan(none.distanceAu));
  EXPECT_EQ(bodyId(static_cast<Body>(kBodyCount)), "");
}

}  // namespace
