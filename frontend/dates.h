// Dates given on the command line, and ranges of dates.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "astro/astro.h"
#include "frontend/answers.h"

namespace frontend {

// A date to report, with the text it was given as (or that stands for it).
struct DateEntry {
  astro::CalendarDate date;
  std::string label;
};

// Which time the dates are in.
struct TimeScale {
  // false: the date is taken as TT for the positions and as UT for the
  // sidereal time, as the dialogue always did. true: the date is UT; the
  // positions are computed at TT = UT + deltaT.
  bool universal = false;
  // deltaT in seconds; none: from astro::deltaT at the date.
  std::optional<double> deltaT;

  astro::Instant compute(const astro::CalendarDate& date) const;
};

// A date word: DAY/MONTH/YEAR as the report's header writes it (1.5/1/2000,
// 1/1/-500; read as the dialogue reads its three answers), or ISO
// YYYY-MM-DD with an optional THH:MM or THH:MM:SS (a real calendar date and
// time of day). Either way the calendar is the program's: Julian before 15
// October 1582, Gregorian from then on.
Parsed<DateEntry> parseDateWord(std::string_view word);

// A moment on the program's calendar counted exactly: the Julian Day
// Number of the date (the day that begins at its 0h) and the milliseconds
// since 0h.
struct Moment {
  std::int64_t dayNumber;
  std::int64_t millisecond;
};

// The calendar date of a moment; the inverse of momentOf for dates whose
// day lies within its month.
astro::CalendarDate calendarDateOf(const Moment& moment);
// The moment of a calendar date, its day's fraction rounded to the
// millisecond.
Moment momentOf(const astro::CalendarDate& date);

// A step of a range: a positive whole number and a unit, d, h, min or s.
Parsed<std::int64_t> parseStepMilliseconds(std::string_view word);

// The dates from `from` to `to` inclusive, `step` apart, produced one at a
// time.
class DateRange {
 public:
  static constexpr std::int64_t kMostDates = 100'000'000;

  // A refusal when `to` comes before `from` or the range holds more than
  // kMostDates dates.
  static Parsed<DateRange> make(const astro::CalendarDate& from, const astro::CalendarDate& to,
                                std::int64_t stepMilliseconds);

  std::int64_t size() const { return count_; }
  // The k-th date, 0 <= k < size(), into `entry` (whose label's storage is
  // reused).
  void at(std::int64_t k, DateEntry& entry) const;

 private:
  Moment first_{};
  std::int64_t step_ = 0;
  std::int64_t count_ = 0;
};

// DAY/MONTH/YEAR with the shortest text of the day that reads back the same.
std::string labelOf(const astro::CalendarDate& date);
void appendLabel(std::string& out, const astro::CalendarDate& date);

}  // namespace frontend
