// Dates to report, one by one or as a range counted exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "astro/astro.h"
#include "frontend/app/dates.h"
#include "frontend/read/refusal.h"

namespace frontend {

// The calendar date of a moment; the inverse of momentOf for dates whose
// day lies within its month.
astro::CalendarDate calendarDateOf(const Moment& moment);
// The moment of a calendar date, its day's fraction rounded to the
// millisecond.
Moment momentOf(const astro::CalendarDate& date);

// The dates from `from` to `to` inclusive, `step` apart, produced one at a
// time.
class DateRange {
 public:
  static constexpr std::int64_t kMostDates = 100'000'000;

  // A refusal (subject Range) when a limit's day is beyond a billion, `to`
  // comes before `from` or the range holds more than kMostDates dates.
  // With `universal` every date is in UT (DateEntry::universal).
  static Parsed<DateRange> make(const astro::CalendarDate& from, const astro::CalendarDate& to,
                                std::int64_t stepMilliseconds, bool universal = false);

  std::int64_t size() const { return count_; }
  // The k-th date, 0 <= k < size(), into `entry` (whose label's storage is
  // reused). Its label is the date in ISO 8601, YYYY-MM-DD when the range
  // goes by whole days from a midnight, else with its time to the minute,
  // the second or the millisecond, as finely as the first date and the
  // step need (the same for every date of the range).
  void at(std::int64_t k, DateEntry& entry) const;
  // A moment written as the labels of this range are.
  void appendLabel(std::string& out, const Moment& moment) const;

 private:
  // How finely the labels are written: the day, then hours and minutes,
  // seconds, milliseconds.
  enum class Precision : std::uint8_t { Day, Minute, Second, Millisecond };
  Precision precision_ = Precision::Day;
  Moment first_{};
  std::int64_t step_ = 0;
  std::int64_t count_ = 0;
  bool universal_ = false;
};

// The date as ISO 8601 reads it, YYYY-MM-DDTHH:MM:SS.sss, to the
// millisecond, in the program's calendar (Julian before 15 October 1582, as
// the dates are given, though ISO 8601 itself is Gregorian); years before 0
// or after 9999 with their sign (-0500, +10000). Nothing for a date whose
// day runs beyond a billion days.
void appendDateTime(std::string& out, const astro::CalendarDate& date);

// YYYY-MM-DD, the day of appendDateTime: years before 0 or after 9999 with
// their sign.
void appendIsoDay(std::string& out, const astro::CalendarDay& day);

// DAY/MONTH/YEAR with the shortest text of the day that reads back the same.
std::string labelOf(const astro::CalendarDate& date);
void appendLabel(std::string& out, const astro::CalendarDate& date);

}  // namespace frontend
