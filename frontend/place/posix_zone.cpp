// POSIX TZ strings: read, and the offset they give at an instant. The days
// of the changes come from date's calendar (year/month/weekday[index]).
#include "frontend/place/posix_zone.h"

#include <date/date.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <utility>

#include "astro/astro.h"

namespace frontend {
namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;
// 400 Gregorian years: 146,097 days, 20,871 whole weeks, after which the
// calendar and its weekdays, and so every rule's changes, come back.
constexpr std::int64_t kCycleDays = 146'097;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The text still to read.
class Reader {
 public:
  explicit Reader(std::string_view text) : rest_(text) {}

  bool done() const { return rest_.empty(); }
  bool take(char c) {
    if (!rest_.empty() && rest_.front() == c) {
      rest_.remove_prefix(1);
      return true;
    }
    return false;
  }
  char peek() const { return rest_.empty() ? '\0' : rest_.front(); }

  // An abbreviation: three letters or more, or <...> of letters, digits
  // and signs.
  std::optional<std::string> name() {
    std::size_t n = 0;
    if (take('<')) {
      while (n < rest_.size() && rest_[n] != '>') {
        const char c = rest_[n];
        if (!isLetter(c) && !isDigit(c) && c != '+' && c != '-') {
          return std::nullopt;
        }
        ++n;
      }
      if (n == rest_.size() || n == 0) {
        return std::nullopt;
      }
      std::string text(rest_.substr(0, n));
      rest_.remove_prefix(n + 1);
      return text;
    }
    while (n < rest_.size() && isLetter(rest_[n])) {
      ++n;
    }
    if (n < 3) {
      return std::nullopt;
    }
    std::string text(rest_.substr(0, n));
    rest_.remove_prefix(n);
    return text;
  }

  // A whole number of at most `digits` digits.
  std::optional<int> number(std::size_t digits) {
    std::size_t n = 0;
    int value = 0;
    while (n < rest_.size() && n < digits && isDigit(rest_[n])) {
      value = value * 10 + (rest_[n] - '0');
      ++n;
    }
    if (n == 0) {
      return std::nullopt;
    }
    rest_.remove_prefix(n);
    return value;
  }

  // [+-]hh[:mm[:ss]], in seconds, hours up to `mostHours`.
  std::optional<std::int32_t> clock(int mostHours) {
    const bool negative = take('-');
    if (!negative) {
      take('+');
    }
    const std::optional<int> hours = number(3);
    if (!hours || *hours > mostHours) {
      return std::nullopt;
    }
    std::int32_t seconds = *hours * 3600;
    for (const int unit : {60, 1}) {
      if (!take(':')) {
        break;
      }
      const std::optional<int> part = number(2);
      if (!part || *part > 59) {
        return std::nullopt;
      }
      seconds += *part * unit;
    }
    return negative ? -seconds : seconds;
  }

  // ,date[/time]
  std::optional<PosixChange> change() {
    PosixChange c;
    if (!take(',')) {
      return std::nullopt;
    }
    if (take('M')) {
      const int month = number(2).value_or(0);
      const int week = take('.') ? number(1).value_or(0) : 0;
      const int weekday = take('.') ? number(1).value_or(7) : 7;
      if (month < 1 || month > 12 || week < 1 || week > 5 || weekday > 6) {
        return std::nullopt;
      }
      c.kind = PosixChange::Day::MonthWeekDay;
      c.month = month;
      c.week = week;
      c.weekday = weekday;
    } else {
      const bool julian = take('J');
      const std::optional<int> day = number(3);
      if (!day || (julian ? (*day < 1 || *day > 365) : *day > 365)) {
        return std::nullopt;
      }
      c.kind = julian ? PosixChange::Day::JulianNoLeap : PosixChange::Day::ZeroBased;
      c.day = *day;
    }
    if (take('/')) {
      const std::optional<std::int32_t> time = clock(167);
      if (!time) {
        return std::nullopt;
      }
      c.seconds = *time;
    }
    return c;
  }

 private:
  std::string_view rest_;
};

// The day of a change in a year, as days since 1970-01-01.
std::int64_t dayOf(const PosixChange& c, date::year year) {
  using date::days;
  const date::sys_days january1{year / date::January / 1};
  switch (c.kind) {
    case PosixChange::Day::JulianNoLeap:
      return (january1 + days{c.day - 1 + (year.is_leap() && c.day >= 60 ? 1 : 0)})
          .time_since_epoch()
          .count();
    case PosixChange::Day::ZeroBased:
      return (january1 + days{c.day}).time_since_epoch().count();
    case PosixChange::Day::MonthWeekDay:
      break;
  }
  const date::month month{static_cast<unsigned>(c.month)};
  const date::weekday weekday{static_cast<unsigned>(c.weekday)};
  const date::sys_days day =
      c.week == 5 ? date::sys_days{year / month / weekday[date::last]}
                  : date::sys_days{year / month / weekday[static_cast<unsigned>(c.week)]};
  return day.time_since_epoch().count();
}

}  // namespace

std::optional<PosixZone> parsePosixZone(std::string_view text) {
  Reader in(text);
  PosixZone zone;
  const std::optional<std::string> standardName = in.name();
  const std::optional<std::int32_t> standardWest = standardName ? in.clock(24) : std::nullopt;
  if (!standardWest) {
    return std::nullopt;
  }
  // TZ counts the hours west of Greenwich.
  zone.standard = ZoneOffset{-*standardWest, *standardName};
  if (in.done()) {
    return zone;
  }
  const std::optional<std::string> daylightName = in.name();
  if (!daylightName) {
    return std::nullopt;
  }
  std::int32_t daylight = zone.standard.seconds + 3600;
  if (in.peek() != ',') {
    const std::optional<std::int32_t> west = in.clock(24);
    if (!west) {
      return std::nullopt;
    }
    daylight = -*west;
  }
  zone.daylight = ZoneOffset{daylight, *daylightName};
  const std::optional<PosixChange> start = in.change();
  const std::optional<PosixChange> end = start ? in.change() : std::nullopt;
  if (!end || !in.done()) {
    return std::nullopt;
  }
  zone.toDaylight = *start;
  zone.toStandard = *end;
  return zone;
}

ZoneOffset posixOffsetAt(const PosixZone& zone, std::int64_t unixSeconds) {
  if (!zone.daylight) {
    return zone.standard;
  }
  // The instant moved by whole cycles of 400 years into those from 1970
  // to 2369, where date's calendar counts the days: the same changes fall
  // at the same times of the same days, whatever the year.
  const std::int64_t cycles =
      astro::floorDiv(astro::floorDiv(unixSeconds, kSecondsPerDay), kCycleDays);
  unixSeconds -= cycles * kCycleDays * kSecondsPerDay;
  const std::int64_t day = unixSeconds / kSecondsPerDay;
  const date::year year =
      date::year_month_day{date::sys_days{date::days{static_cast<int>(day)}}}.year();
  // The changes of the years around, in order; at one instant the change to
  // daylight time comes last (a rule of daylight time all year).
  std::array<std::pair<std::int64_t, bool>, 6> changes{};  // instant, to daylight
  std::size_t n = 0;
  for (int y = static_cast<int>(year) - 1; y <= static_cast<int>(year) + 1; ++y) {
    const date::year at{y};
    changes[n++] = {dayOf(zone.toDaylight, at) * kSecondsPerDay + zone.toDaylight.seconds -
                        zone.standard.seconds,
                    true};
    changes[n++] = {dayOf(zone.toStandard, at) * kSecondsPerDay + zone.toStandard.seconds -
                        zone.daylight->seconds,
                    false};
  }
  std::sort(changes.begin(), changes.end());
  bool daylight = false;
  for (const auto& [instant, toDaylight] : changes) {
    if (instant > unixSeconds) {
      break;
    }
    daylight = toDaylight;
  }
  return daylight ? *zone.daylight : zone.standard;
}

}  // namespace frontend
