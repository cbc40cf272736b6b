// julianDay: Julian Day of a calendar date.
//
//   year   calendar year (astronomical numbering: year 0 exists)
//   month  1 for January; months above 12 carry into the following years
//   day    day of the month, fraction = time of day from 0h
//
// Returns the Julian Day, a double. January and February count as months 13
// and 14 of the year before. From the calendar key 15821015 (15 October 1582)
// on, the Gregorian correction B = 2 - A + A / 4, A = y / 100, applies.
//
// The calendar key and the year arithmetic are formed in 64 bits so that no
// year or month overflows; wherever the key fits in 32 bits this gives the
// same value as 32-bit arithmetic.
#include <cmath>
#include <cstdint>

#include "astro/astro.h"

namespace astro {

namespace {
constexpr double kCalendarSwitch = 15821015.0;
constexpr double kDaysPerYear = 365.25;
constexpr double kMonthFactor = 30.6001;
constexpr double kDayOffset = 1720994.5;
}  // namespace

double julianDay(const CalendarDate& date) {
  const std::int32_t year = date.year;
  const std::int32_t month = date.month;
  const double day = date.day;
  std::int64_t y = year;
  std::int64_t m = month;
  if (month <= 2) {
    y = y - 1;
    m = m + 12;
  }

  const std::int64_t key = std::int64_t{year} * 10000 + std::int64_t{month} * 100;
  std::int64_t b = 0;
  if (static_cast<double>(key) + day >= kCalendarSwitch) {
    const std::int64_t a = y / 100;
    b = 2 - a + a / 4;
  }

  return std::floor(kDaysPerYear * static_cast<double>(y)) +
         std::floor(kMonthFactor * static_cast<double>(m + 1)) + day + kDayOffset +
         static_cast<double>(b);
}

}  // namespace astro
