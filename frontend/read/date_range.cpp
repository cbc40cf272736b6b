// Ranges of dates, counted in whole milliseconds on the program's calendar
// (astro::calendarDay and astro::julianDay), so that no date drifts however
// long the range.
#include "frontend/read/date_range.h"

#include <cmath>
#include <string>
#include <utility>

#include "frontend/write/numbers.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

// Days of a month beyond which a date cannot be counted in milliseconds.
constexpr double kLargestDay = 1e9;

using astro::floorDiv;

Refusal refused(std::string word, Reason reason, std::string detail = {}) {
  return Refusal{Subject::Range, reason, std::move(word), std::move(detail)};
}

}  // namespace

astro::CalendarDate calendarDateOf(const Moment& moment) {
  const astro::CalendarDay day = astro::calendarDay(moment.dayNumber);
  return astro::CalendarDate{
      day.year, day.month,
      static_cast<double>(day.day) +
          static_cast<double>(moment.millisecond) / static_cast<double>(kMillisecondsPerDay)};
}

Moment momentOf(const astro::CalendarDate& date) {
  const double whole = std::floor(date.day);
  const double start = astro::julianDay({date.year, date.month, whole}) + 0.5;
  auto dayNumber = static_cast<std::int64_t>(start);
  auto millisecond = std::llround((date.day - whole) * static_cast<double>(kMillisecondsPerDay));
  if (millisecond >= kMillisecondsPerDay) {
    ++dayNumber;
    millisecond -= kMillisecondsPerDay;
  }
  return Moment{dayNumber, millisecond};
}

Parsed<DateRange> DateRange::make(const astro::CalendarDate& from, const astro::CalendarDate& to,
                                  std::int64_t stepMilliseconds, bool universal) {
  // Limits whose day runs past the years a date may have cannot be counted.
  for (const astro::CalendarDate& limit : {from, to}) {
    if (!(std::fabs(limit.day) < kLargestDay)) {
      return refused(labelOf(limit), Reason::RangeLimitTooFar);
    }
  }
  const Moment first = momentOf(from);
  const Moment last = momentOf(to);
  const std::int64_t span = (last.dayNumber - first.dayNumber) * kMillisecondsPerDay +
                            (last.millisecond - first.millisecond);
  if (span < 0) {
    return refused(labelOf(to), Reason::RangeBackwards, labelOf(from));
  }
  const std::int64_t count = span / stepMilliseconds + 1;
  if (count > kMostDates) {
    return refused(labelOf(from) + " .. " + labelOf(to), Reason::RangeTooLong,
                   std::to_string(count));
  }
  DateRange range;
  const auto every = [&](std::int64_t unit) {
    return stepMilliseconds % unit == 0 && first.millisecond % unit == 0;
  };
  range.precision_ = every(kMillisecondsPerDay) ? Precision::Day
                     : every(60'000)            ? Precision::Minute
                     : every(1000)              ? Precision::Second
                                                : Precision::Millisecond;
  range.first_ = first;
  range.step_ = stepMilliseconds;
  range.count_ = count;
  range.universal_ = universal;
  return range;
}

void DateRange::at(std::int64_t k, DateEntry& entry) const {
  const std::int64_t total = first_.millisecond + k * step_;
  const Moment moment{first_.dayNumber + floorDiv(total, kMillisecondsPerDay),
                      total - floorDiv(total, kMillisecondsPerDay) * kMillisecondsPerDay};
  entry.date = calendarDateOf(moment);
  entry.universal = universal_;
  entry.label.clear();
  appendLabel(entry.label, moment);
}

void DateRange::appendLabel(std::string& out, const Moment& moment) const {
  appendIsoDay(out, astro::calendarDay(moment.dayNumber));
  if (precision_ == Precision::Day) {
    return;
  }
  const std::int64_t ms = moment.millisecond;
  out += 'T';
  appendZeroPadded(out, ms / 3'600'000, 2);
  out += ':';
  appendZeroPadded(out, ms / 60'000 % 60, 2);
  if (precision_ == Precision::Minute) {
    return;
  }
  out += ':';
  appendZeroPadded(out, ms / 1000 % 60, 2);
  if (precision_ == Precision::Second) {
    return;
  }
  out += '.';
  appendZeroPadded(out, ms % 1000, 3);
}

void appendIsoDay(std::string& out, const astro::CalendarDay& day) {
  if (day.year < 0) {
    out += '-';
  } else if (day.year > 9999) {
    out += '+';
  }
  appendZeroPadded(out, std::abs(static_cast<std::int64_t>(day.year)), 4);
  out += '-';
  appendZeroPadded(out, day.month, 2);
  out += '-';
  appendZeroPadded(out, day.day, 2);
}

void appendDateTime(std::string& out, const astro::CalendarDate& date) {
  if (!(std::fabs(date.day) < kLargestDay)) {
    return;
  }
  const Moment moment = momentOf(date);
  appendIsoDay(out, astro::calendarDay(moment.dayNumber));
  out += 'T';
  const std::int64_t ms = moment.millisecond;
  appendZeroPadded(out, ms / 3'600'000, 2);
  out += ':';
  appendZeroPadded(out, ms / 60'000 % 60, 2);
  out += ':';
  appendZeroPadded(out, ms / 1000 % 60, 2);
  out += '.';
  appendZeroPadded(out, ms % 1000, 3);
}

void appendLabel(std::string& out, const astro::CalendarDate& date) {
  appendShortest(out, date.day);
  out += '/';
  appendInteger(out, date.month);
  out += '/';
  appendInteger(out, date.year);
}

std::string labelOf(const astro::CalendarDate& date) {
  std::string label;
  appendLabel(label, date);
  return label;
}

}  // namespace frontend
