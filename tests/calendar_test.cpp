// The calendar both ways: Julian Day Numbers to calendar days and back,
// across the change of calendar in 1582, year 0 and negative years.
#include <cmath>
#include <cstdint>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

struct DayCase {
  std::int64_t dayNumber;
  CalendarDay day;
  const char* why;
};

// Gregorian day numbers from Python's proleptic ordinals (ordinal +
// 1721425), Julian ones from the worked examples of Meeus' Astronomical
// Algorithms, chapter 7 (333 January 27.5 is JD 1842713.0, -584 May 28.63
// is JD 1507900.13).
TEST(CalendarDay, KnownDayNumbers) {
  const DayCase cases[] = {
      {2451545, {2000, 1, 1}, "J2000"},
      {2299160, {1582, 10, 4}, "last day of the Julian calendar"},
      {2299161, {1582, 10, 15}, "first day of the Gregorian calendar"},
      {0, {-4712, 1, 1}, "origin of the Julian Day"},
      {1721424, {1, 1, 1}, "1 January of year 1 (Julian)"},
      {1721423, {0, 12, 31}, "31 December of year 0 (1 BC)"},
      {1721058, {0, 1, 1}, "1 January of year 0, a Julian leap year"},
      {1842713, {333, 1, 27}, "Meeus: 333 January 27.5 is JD 1842713.0"},
      {1507900, {-584, 5, 28}, "Meeus: -584 May 28.63 is JD 1507900.13"},
      {2460777, {2025, 4, 11}, "a recent date"},
      {2305507, {1600, 2, 29}, "1600 is a Gregorian leap year"},
      {2415080, {1900, 3, 1}, "1900 is not: 28 February is followed by 1 March"},
      {-1, {-4713, 12, 31}, "the day before the origin"},
  };
  for (const DayCase& c : cases) {
    const CalendarDay d = calendarDay(c.dayNumber);
    EXPECT_EQ(d.year, c.day.year) << c.why;
    EXPECT_EQ(d.month, c.day.month) << c.why;
    EXPECT_EQ(d.day, c.day.day) << c.why;
    EXPECT_EQ(julianDay({c.day.year, c.day.month, static_cast<double>(c.day.day)}),
              static_cast<double>(c.dayNumber) - 0.5)
        << c.why;
  }
}

TEST(CalendarDay, EveryDayBackAndForthAcrossTheCentury) {
  // Consecutive day numbers give consecutive days of the calendar, each
  // within its month, and julianDay gives each back, from 1000 BC to AD 2100
  // by steps of 7 days, and day by day around the change of calendar.
  const auto check = [](std::int64_t n) {
    const CalendarDay d = calendarDay(n);
    ASSERT_GE(d.day, 1) << n;
    ASSERT_LE(d.day, daysInMonth(d.year, d.month)) << n;
    ASSERT_EQ(julianDay({d.year, d.month, static_cast<double>(d.day)}),
              static_cast<double>(n) - 0.5)
        << n;
  };
  for (std::int64_t n = 1355818; n < 2488070; n += 7) {
    check(n);
  }
  for (std::int64_t n = 2299100; n < 2299200; ++n) {
    check(n);
  }
}

TEST(CalendarDate, TimeOfDayComesBackAsTheFraction) {
  const struct {
    double jd;
    CalendarDate date;
  } cases[] = {
      {2451545.0, {2000, 1, 1.5}},
      {2451544.5, {2000, 1, 1.0}},
      {2299160.75, {1582, 10, 15.25}},
      {1721057.5 + 0.125, {0, 1, 1.125}},
  };
  for (const auto& c : cases) {
    const CalendarDate d = calendarDate(JulianDate{c.jd});
    EXPECT_EQ(d.year, c.date.year) << c.jd;
    EXPECT_EQ(d.month, c.date.month) << c.jd;
    EXPECT_NEAR(d.day, c.date.day, 1e-9 * kDay) << c.jd;
  }
  EXPECT_TRUE(std::isnan(calendarDate(JulianDate{1e300}).day));
}

TEST(DaysInMonth, LeapYearsOfBothCalendars) {
  EXPECT_EQ(daysInMonth(1500, 2), 29);  // Julian: every fourth year
  EXPECT_EQ(daysInMonth(1700, 2), 28);  // Gregorian: not the centuries...
  EXPECT_EQ(daysInMonth(2000, 2), 29);  // ...but every fourth of them
  EXPECT_EQ(daysInMonth(-1, 2), 28);
  EXPECT_EQ(daysInMonth(-4, 2), 29);
  EXPECT_EQ(daysInMonth(2024, 13), 0);
}

}  // namespace
