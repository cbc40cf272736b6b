// Julian Days, the time argument and the sidereal time.
#include "astro/time_base.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "frontend/write/sexagesimal.h"
#include "units.h"

namespace {
using namespace astro;

struct CalendarCase {
  std::int32_t year;
  std::int32_t month;
  double day;
  double jd;
  const char* why;
};

TEST(JulianDay, WorkedDates) {
  const CalendarCase cases[] = {
      {1987, 4, 10.0, 2446895.5, "10 April 1987"},
      {2000, 1, 1.0, 2451544.5, "1 January 2000"},
      {2000, 1, 1.5, 2451545.0, "noon, 1 January 2000"},
      {1582, 10, 4.0, 2299159.5, "last day of the Julian calendar"},
      {1582, 10, 15.0, 2299160.5, "first day of the Gregorian calendar"},
      {1582, 10, 5.0, 2299160.5, "5 October 1582 counts by the Julian rule"},
      {1582, 10, 14.9, 2299170.4, "14.9 October 1582 is still under the Julian rule"},
      {-4712, 1, 1.5, 0.0, "origin of the Julian Day"},
      {2000, 3, 0.0, 2451603.5, "day 0 of March 2000"},
      {2000, 2, 29.0, 2451603.5, "29 February 2000"},
      {2000, 13, 1.0, 2451910.5, "month 13 of 2000"},
      {2001, 1, 1.0, 2451910.5, "1 January 2001"},
      {2000, 3, 15.75, 2451619.25, "18h on 15 March 2000"},
      {1899, 12, 31.5, 2415020.0, "epoch of T"},
  };
  for (const CalendarCase& c : cases) {
    EXPECT_NEAR(julianDay({c.year, c.month, c.day}), c.jd, 1e-9 * kDay) << c.why;
  }
}

TEST(JulianDay, ExtremeYearsAndMonthsStayDefined) {
  // The calendar key of these overflows 32 bits; under the sanitizers an
  // overflow in the arithmetic fails this test.
  const std::int32_t extremes[] = {INT32_MIN, -1, 0, 1, INT32_MAX};
  for (const std::int32_t year : extremes) {
    for (const std::int32_t month : {1, 2, 3, 12, 13, INT32_MAX}) {
      EXPECT_TRUE(std::isfinite(julianDay({year, month, 1.0}))) << year << " " << month;
    }
  }
}

TEST(TimeBase, FullDayAndTimeOfDay) {
  const TimeBase noon = timeBaseOf(2000, 1, 1.5);
  EXPECT_EQ(noon.jd, 2451545.0);
  EXPECT_NEAR(noon.t, 1.0, 1e-15);

  const TimeBase evening = timeBaseOf(2000, 3, 15.75);
  const TimeBase midnight = timeBaseOf(2000, 3, 15.0);
  EXPECT_EQ(evening.jd, 2451619.25);
  EXPECT_NEAR(evening.t - midnight.t, 0.75 * kDay / kCentury, 1e-15);

  EXPECT_EQ(timeBaseOf(1899, 12, 31.5).t, 0.0);
}

struct SiderealCase {
  std::int32_t year;
  std::int32_t month;
  double day;
  const char* printed;
};

TEST(TimeBase, SiderealTimeAsPrinted) {
  const SiderealCase cases[] = {
      {1987, 4, 10.0, "13h 10m 46s"},
      {2000, 1, 1.0, " 6h 39m 52s"},
      {2000, 1, 1.5, "18h 41m 50s"},
      {1800, 1, 1.0, " 6h 41m 36s"},
  };
  for (const SiderealCase& c : cases) {
    const TimeBase time = timeBaseOf(c.year, c.month, c.day);
    std::string printed;
    frontend::appendRightAscension(printed, time.siderealTime);
    EXPECT_EQ(printed, c.printed) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(TimeBase, SiderealTimeKeepsItsSignBeforeTheEpoch) {
  const double theta = timeBaseOf(1800, 1, 1.0).siderealTime;
  EXPECT_NEAR(theta, -4.5309 * kRadian, 0.0001 * kRadian);
  // At every time of day up to 20 September 1898 the sum is negative.
  for (double day = 1.0; day < 2.0; day += 0.125) {
    EXPECT_LT(timeBaseOf(1898, 9, day).siderealTime, 0.0) << day;
  }
  EXPECT_GT(timeBaseOf(1950, 1, 1.0).siderealTime, 0.0);
}

}  // namespace
