// Delta T against published values, and what a date in Universal Time
// changes: the positions move by Delta T, the header's Julian Day and
// sidereal time stay those of the date as given.
#include <cmath>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

constexpr double kSecond = 1.0;

struct DeltaTCase {
  double year;
  double published;  // seconds
  double tolerance;  // seconds
  const char* source;
};

TEST(DeltaT, PublishedValues) {
  // Observed values (Astronomical Almanac) since 1900; before, the
  // reconstruction of Morrison and Stephenson (2004), uncertain by seconds
  // around 1700 and by tens of seconds before 1000.
  const DeltaTCase cases[] = {
      {2020.0, 69.36, 2.5 * kSecond, "observed; the model's extrapolation runs ahead"},
      {2010.0, 66.07, 1.0 * kSecond, "observed"},
      {2000.0, 63.83, 0.3 * kSecond, "observed"},
      {1975.0, 45.48, 0.3 * kSecond, "observed"},
      {1950.0, 29.15, 0.3 * kSecond, "observed"},
      {1900.0, -2.72, 0.3 * kSecond, "observed"},
      {1800.0, 14.0, 1.0 * kSecond, "Morrison and Stephenson"},
      {1700.0, 9.0, 1.0 * kSecond, "Morrison and Stephenson"},
      {1600.0, 120.0, 5.0 * kSecond, "Morrison and Stephenson"},
      {1000.0, 1570.0, 20.0 * kSecond, "Morrison and Stephenson"},
      {0.0, 10580.0, 30.0 * kSecond, "Morrison and Stephenson"},
      {-500.0, 17190.0, 30.0 * kSecond, "Morrison and Stephenson"},
  };
  for (const DeltaTCase& c : cases) {
    EXPECT_NEAR(deltaT(c.year), c.published, c.tolerance) << c.year << ", " << c.source;
  }
  // Beyond the expressions, their parabola: -20 + 32 ((y - 1820) / 100)^2.
  EXPECT_NEAR(deltaT(3500.0), -20 + 32 * 16.8 * 16.8, 1e-9 * kSecond);
  EXPECT_NEAR(decimalYear(JulianDate{2451544.5}), 2000.0, 1e-12);
}

// Caught: the header once claimed an uncertainty under a second since 1900.
// The observed values (IERS, Astronomical Almanac) show the model's
// extrapolation ahead of the Earth after 2005, more each year.
TEST(DeltaT, RunsAheadOfObservationAfter2005AsTheHeaderSays) {
  const struct {
    double year;
    double observed;  // seconds
    double lead;      // the model minus the observed value, as the header states it
  } cases[] = {
      {2015.0, 67.64, 1.4},
      {2020.0, 69.36, 2.2},
      {2024.0, 69.2, 4.7},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(deltaT(c.year) - c.observed, c.lead, 0.15 * kSecond) << c.year;
  }
}

TEST(UniversalTime, PositionsMoveByDeltaTAndTheHeaderStays) {
  const CalendarDate date{2000, 1, 1.5};
  const double dt = 63.8;
  const Instant tt = computeInstant(date);
  const Instant ut = computeInstantUt(date, TimeScale::fixed(dt));
  EXPECT_EQ(ut.ut.jd, tt.ut.jd);
  EXPECT_EQ(ut.tt.jd, tt.tt.jd + dt / 86400);
  EXPECT_EQ(ut.siderealTime, tt.siderealTime);
  EXPECT_EQ(ut.deltaT, dt);
  // The positions are those of the Julian Day plus Delta T, exactly.
  const Instant later = computeInstant(TT{tt.tt.jd + dt / 86400});
  for (const Body body : kBodies) {
    EXPECT_EQ(ut[body].rightAscension, later[body].rightAscension) << static_cast<int>(body);
    EXPECT_EQ(ut[body].declination, later[body].declination) << static_cast<int>(body);
  }
  // The Moon, about 0.55" per second of time, moves some 35" along its
  // path; the Sun, 0.04" per second, hardly at all.
  const auto moved = [&](Body body) {
    const double dra =
        (ut[body].rightAscension - tt[body].rightAscension) * std::cos(tt[body].declination);
    const double ddec = ut[body].declination - tt[body].declination;
    return std::hypot(dra, ddec);
  };
  EXPECT_NEAR(moved(Body::Moon), 0.55 * dt * kArcsec, 6 * kArcsec);
  EXPECT_NEAR(moved(Body::Sun), 0.041 * dt * kArcsec, 0.5 * kArcsec);
  // Delta T 0 is the date as TT, to the bit.
  EXPECT_EQ(computeInstantUt(date, TimeScale::fixed(0.0))[Body::Moon].rightAscension,
            tt[Body::Moon].rightAscension);
}

}  // namespace
