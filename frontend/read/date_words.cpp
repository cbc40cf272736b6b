// Date words and steps.
//
// The calendar is the program's own: Julian before 15 October 1582,
// Gregorian from then on, years counted astronomically (year 0 is 1 BC).
#include "frontend/read/date_words.h"

#include <charconv>
#include <optional>
#include <string>

#include "frontend/app/clock.h"
#include "frontend/read/answers.h"

namespace frontend {
namespace {

bool isDigits(std::string_view s) {
  if (s.empty()) {
    return false;
  }
  for (const char c : s) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

// Digits as a number, for fields already checked to be short digit runs.
int number(std::string_view digits) {
  int value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

Refusal refused(std::string_view word, Reason reason) {
  return Refusal{Subject::DateWord, reason, std::string(word), {}};
}

// The date as a whole must pass the dialogue's check too.
Parsed<DateEntry> checked(const astro::CalendarDate& date, std::string_view word) {
  const Parsed<astro::CalendarDate> whole = checkDate(date, word);
  if (const Refusal* r = std::get_if<Refusal>(&whole)) {
    return refused(word, r->reason);
  }
  return DateEntry{date, std::string(word)};
}

Parsed<DateEntry> dayMonthYear(std::string_view word) {
  const std::size_t first = word.find('/');
  const std::size_t second = word.find('/', first + 1);
  if (second == std::string_view::npos || word.find('/', second + 1) != std::string_view::npos) {
    return refused(word, Reason::DateWordForm);
  }
  const Parsed<double> day = parseDay(word.substr(0, first));
  const Parsed<std::int32_t> month = parseMonth(word.substr(first + 1, second - first - 1));
  const Parsed<std::int32_t> year = parseYear(word.substr(second + 1));
  for (const Refusal* r :
       {std::get_if<Refusal>(&day), std::get_if<Refusal>(&month), std::get_if<Refusal>(&year)}) {
    if (r != nullptr) {
      Refusal whole = refused(word, r->reason);
      whole.detail = r->detail;
      return whole;
    }
  }
  return checked(
      {std::get<std::int32_t>(year), std::get<std::int32_t>(month), std::get<double>(day)}, word);
}

// Z, +HH:MM or -HH:MM (or +H:MM) at the end of an ISO word with a time: the offset in
// seconds east of Greenwich, and the word without it. None when there is
// no such ending (a date alone keeps its dashes).
struct Offset {
  std::string_view rest;
  std::optional<std::int32_t> seconds;
};

Offset offsetOf(std::string_view word) {
  const std::size_t time = word.find('T');
  if (time == std::string_view::npos) {
    return {word, std::nullopt};
  }
  if (word.ends_with('Z')) {
    return {word.substr(0, word.size() - 1), 0};
  }
  // Two hour digits or one (+05:45, +5:45).
  for (const std::size_t hourDigits : {std::size_t{2}, std::size_t{1}}) {
    if (word.size() < time + 5 + hourDigits) {
      continue;
    }
    const std::string_view tail = word.substr(word.size() - 4 - hourDigits);
    if ((tail[0] == '+' || tail[0] == '-') && isDigits(tail.substr(1, hourDigits)) &&
        tail[1 + hourDigits] == ':' && isDigits(tail.substr(2 + hourDigits, 2))) {
      const int seconds =
          number(tail.substr(1, hourDigits)) * 3600 + number(tail.substr(2 + hourDigits, 2)) * 60;
      return {word.substr(0, word.size() - tail.size()), tail[0] == '-' ? -seconds : seconds};
    }
  }
  return {word, std::nullopt};
}

// [-]YYYY-MM-DD[THH:MM[:SS][Z|+HH:MM|-HH:MM]]
Parsed<DateEntry> iso(std::string_view word) {
  const Offset offset = offsetOf(word);
  if (offset.seconds && (*offset.seconds > 18 * 3600 || *offset.seconds < -18 * 3600)) {
    return refused(word, Reason::IsoOffsetOutOfRange);
  }
  std::string_view rest = offset.rest;
  const bool negative = !rest.empty() && rest.front() == '-';
  if (negative) {
    rest.remove_prefix(1);
  }
  const std::size_t time = rest.find('T');
  const std::string_view datePart = rest.substr(0, time);
  const std::size_t dash1 = datePart.find('-');
  const std::size_t dash2 = datePart.find('-', dash1 + 1);
  if (dash1 == std::string_view::npos || dash2 == std::string_view::npos) {
    return refused(word, Reason::DateWordForm);
  }
  const std::string_view yearText = datePart.substr(0, dash1);
  const std::string_view monthText = datePart.substr(dash1 + 1, dash2 - dash1 - 1);
  const std::string_view dayText = datePart.substr(dash2 + 1);
  if (yearText.size() < 4 || yearText.size() > 6 || !isDigits(yearText) || monthText.size() != 2 ||
      !isDigits(monthText) || dayText.size() != 2 || !isDigits(dayText)) {
    return refused(word, Reason::DateWordForm);
  }
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  if (time != std::string_view::npos) {
    const std::string_view clock = rest.substr(time + 1);
    const bool withSeconds = clock.size() == 8;
    if ((clock.size() != 5 && !withSeconds) || clock[2] != ':' ||
        (withSeconds && clock[5] != ':') || !isDigits(clock.substr(0, 2)) ||
        !isDigits(clock.substr(3, 2)) || (withSeconds && !isDigits(clock.substr(6, 2)))) {
      return refused(word, Reason::DateWordForm);
    }
    hours = number(clock.substr(0, 2));
    minutes = number(clock.substr(3, 2));
    seconds = withSeconds ? number(clock.substr(6, 2)) : 0;
    if (hours > 23 || minutes > 59 || seconds > 59) {
      return refused(word, Reason::IsoTimeOutOfRange);
    }
  }
  const int yearMagnitude = number(yearText);
  const auto year = static_cast<std::int32_t>(negative ? -yearMagnitude : yearMagnitude);
  const auto month = static_cast<std::int32_t>(number(monthText));
  const int day = number(dayText);
  if (month < 1 || month > 12) {
    return refused(word, Reason::IsoMonthOutOfRange);
  }
  if (day < 1 || day > astro::daysInMonth(year, month)) {
    return refused(word, Reason::IsoDayNotInMonth);
  }
  if (year == 1582 && month == 10 && day > 4 && day < 15) {
    return refused(word, Reason::IsoDayInCalendarGap);
  }
  const double secondsOfDay = hours * 3600.0 + minutes * 60.0 + seconds;
  if (!offset.seconds) {
    return checked({year, month, day + secondsOfDay / 86400.0}, word);
  }
  // The instant in UT: the same clock reading less the offset, on the
  // program's calendar.
  const double jd = astro::julianDay({year, month, static_cast<double>(day)}) +
                    (secondsOfDay - *offset.seconds) / 86400.0;
  Parsed<DateEntry> entry = checked(astro::calendarDate(astro::JulianDate{jd}), word);
  if (auto* e = std::get_if<DateEntry>(&entry)) {
    e->universal = true;
  }
  return entry;
}

}  // namespace

Parsed<DateEntry> parseDateWord(std::string_view word) {
  if (word == kNow) {
    return DateEntry{astro::calendarDate(astro::JulianDate{currentJulianDayUt()}),
                     std::string(word), true};
  }
  if (word.find('/') != std::string_view::npos) {
    return dayMonthYear(word);
  }
  return iso(word);
}

Parsed<std::int64_t> parseStepMilliseconds(std::string_view word) {
  struct Unit {
    std::string_view name;
    std::int64_t milliseconds;
  };
  static constexpr Unit kUnits[] = {{"min", 60'000},
                                    {"d", kMillisecondsPerDay},
                                    {"j", kMillisecondsPerDay},
                                    {"h", 3'600'000},
                                    {"s", 1'000}};
  const Refusal bad{Subject::Step, Reason::StepForm, std::string(word), {}};
  for (const Unit& unit : kUnits) {
    if (word.size() > unit.name.size() && word.ends_with(unit.name)) {
      const std::string_view count = word.substr(0, word.size() - unit.name.size());
      std::int64_t n = 0;
      if (!isDigits(count) || count.size() > 9) {
        return bad;
      }
      std::from_chars(count.data(), count.data() + count.size(), n);
      if (n < 1) {
        return bad;
      }
      return n * unit.milliseconds;
    }
  }
  return bad;
}

}  // namespace frontend
