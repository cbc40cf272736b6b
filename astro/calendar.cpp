// julianDay: Julian Day of a calendar date; calendarDay, calendarDate:
// the other way; daysInMonth.
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
//
// The way back is the usual integer algorithm of either calendar, on the
// Julian Day Number (Gregorian from kFirstGregorianDayNumber on), with
// divisions rounded down so that it holds for negative years too.
#include <cmath>
#include <cstdint>

#include "astro/astro.h"

namespace astro {

namespace {
constexpr double kCalendarSwitch = 15821015.0;
constexpr double kDaysPerYear = 365.25;
constexpr double kMonthFactor = 30.6001;
constexpr double kDayOffset = 1720994.5;
// Day numbers whose year fits in 32 bits, with room to spare.
constexpr double kLargestDayNumber = 7.8e11;
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

CalendarDay calendarDay(std::int64_t dayNumber) {
  std::int64_t b = 0;
  std::int64_t c = 0;
  if (dayNumber >= kFirstGregorianDayNumber) {
    const std::int64_t a = dayNumber + 32044;
    b = floorDiv(4 * a + 3, 146097);
    c = a - floorDiv(146097 * b, 4);
  } else {
    c = dayNumber + 32082;
  }
  const std::int64_t d = floorDiv(4 * c + 3, 1461);
  const std::int64_t e = c - floorDiv(1461 * d, 4);
  const std::int64_t m = floorDiv(5 * e + 2, 153);
  return CalendarDay{static_cast<std::int32_t>(100 * b + d - 4800 + floorDiv(m, 10)),
                     static_cast<std::int32_t>(m + 3 - 12 * floorDiv(m, 10)),
                     static_cast<std::int32_t>(e - floorDiv(153 * m + 2, 5) + 1)};
}

CalendarDate calendarDate(JulianDate date) {
  const double start = std::floor(date.jd + 0.5);
  if (!(std::fabs(start) < kLargestDayNumber)) {
    return CalendarDate{0, 0, std::nan("")};
  }
  const CalendarDay day = calendarDay(static_cast<std::int64_t>(start));
  return CalendarDate{day.year, day.month, day.day + ((date.jd + 0.5) - start)};
}

int daysInMonth(std::int32_t year, std::int32_t month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) {
    return 0;
  }
  if (month != 2) {
    return kDays[month - 1];
  }
  const std::int64_t y = year;
  const bool julianLeap = floorDiv(y, 4) * 4 == y;
  const bool leap = year <= 1582 ? julianLeap : (julianLeap && (y % 100 != 0 || y % 400 == 0));
  return leap ? 29 : 28;
}

}  // namespace astro
