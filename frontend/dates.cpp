// Date words, the calendar both ways, and ranges of dates.
//
// The calendar is the program's own: Julian before 15 October 1582
// (Julian Day Number 2299161), Gregorian from then on, years counted
// astronomically (year 0 is 1 BC). A calendar date becomes a day number
// through astro::julianDay, and a day number a date through the usual
// integer algorithm of either calendar, with divisions rounded down so that
// it holds for negative years too.
#include "frontend/dates.h"

#include <charconv>
#include <cmath>
#include <string>

#include "frontend/text.h"

namespace frontend {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

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

constexpr std::string_view kForms =
    "une date s'ecrit JOUR/MOIS/ANNEE (1.5/1/2000) ou AAAA-MM-JJ, avec une heure si l'on veut "
    "(2000-01-01T12:00 ou 2000-01-01T12:00:00).";

Parsed<DateEntry> dayMonthYear(std::string_view word) {
  const std::size_t first = word.find('/');
  const std::size_t second = word.find('/', first + 1);
  if (second == std::string_view::npos || word.find('/', second + 1) != std::string_view::npos) {
    return Refusal{"Date invalide", std::string(word), std::string(kForms)};
  }
  const Parsed<double> day = parseDay(word.substr(0, first));
  const Parsed<std::int32_t> month = parseMonth(word.substr(first + 1, second - first - 1));
  const Parsed<std::int32_t> year = parseYear(word.substr(second + 1));
  for (const Refusal* r :
       {std::get_if<Refusal>(&day), std::get_if<Refusal>(&month), std::get_if<Refusal>(&year)}) {
    if (r != nullptr) {
      return Refusal{"Date invalide", std::string(word), r->why};
    }
  }
  const astro::CalendarDate date{std::get<std::int32_t>(year), std::get<std::int32_t>(month),
                                 std::get<double>(day)};
  const Parsed<astro::CalendarDate> checked = checkDate(date, word);
  if (const Refusal* r = std::get_if<Refusal>(&checked)) {
    return *r;
  }
  return DateEntry{date, std::string(word)};
}

// [-]YYYY-MM-DD[THH:MM[:SS]]
Parsed<DateEntry> iso(std::string_view word) {
  const auto invalid = [&word](std::string_view why) {
    return Refusal{"Date invalide", std::string(word), std::string(why)};
  };
  const std::string_view form = kForms;
  std::string_view rest = word;
  const bool negative = !rest.empty() && rest.front() == '-';
  if (negative) {
    rest.remove_prefix(1);
  }
  const std::size_t time = rest.find('T');
  const std::string_view datePart = rest.substr(0, time);
  const std::size_t dash1 = datePart.find('-');
  const std::size_t dash2 = datePart.find('-', dash1 + 1);
  if (dash1 == std::string_view::npos || dash2 == std::string_view::npos) {
    return invalid(form);
  }
  const std::string_view yearText = datePart.substr(0, dash1);
  const std::string_view monthText = datePart.substr(dash1 + 1, dash2 - dash1 - 1);
  const std::string_view dayText = datePart.substr(dash2 + 1);
  if (yearText.size() < 4 || yearText.size() > 6 || !isDigits(yearText) || monthText.size() != 2 ||
      !isDigits(monthText) || dayText.size() != 2 || !isDigits(dayText)) {
    return invalid(form);
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
      return invalid(form);
    }
    hours = number(clock.substr(0, 2));
    minutes = number(clock.substr(3, 2));
    seconds = withSeconds ? number(clock.substr(6, 2)) : 0;
    if (hours > 23 || minutes > 59 || seconds > 59) {
      return invalid("l'heure va de 00:00:00 a 23:59:59.");
    }
  }
  const int yearMagnitude = number(yearText);
  const auto year = static_cast<std::int32_t>(negative ? -yearMagnitude : yearMagnitude);
  const auto month = static_cast<std::int32_t>(number(monthText));
  const int day = number(dayText);
  if (month < 1 || month > 12) {
    return invalid("le mois va de 01 a 12.");
  }
  if (day < 1 || day > astro::daysInMonth(year, month)) {
    return invalid("ce jour n'existe pas dans ce mois.");
  }
  const double secondsOfDay = hours * 3600.0 + minutes * 60.0 + seconds;
  const astro::CalendarDate date{year, month, day + secondsOfDay / 86400.0};
  const Parsed<astro::CalendarDate> checked = checkDate(date, word);
  if (const Refusal* r = std::get_if<Refusal>(&checked)) {
    return *r;
  }
  return DateEntry{date, std::string(word)};
}

}  // namespace

astro::Instant TimeScale::compute(const astro::CalendarDate& date) const {
  if (!universal) {
    return astro::computeInstant(date);
  }
  const astro::JulianDate ut{astro::julianDay(date)};
  return astro::computeInstantUt(ut, deltaT ? *deltaT : astro::deltaT(astro::decimalYear(ut)));
}

Parsed<DateEntry> parseDateWord(std::string_view word) {
  if (word.find('/') != std::string_view::npos) {
    return dayMonthYear(word);
  }
  return iso(word);
}

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

Parsed<std::int64_t> parseStepMilliseconds(std::string_view word) {
  struct Unit {
    std::string_view name;
    std::int64_t milliseconds;
  };
  static constexpr Unit kUnits[] = {
      {"min", 60'000}, {"d", kMillisecondsPerDay}, {"h", 3'600'000}, {"s", 1'000}};
  const Refusal bad{"Pas invalide", std::string(word),
                    "le pas est un nombre entier positif suivi de d, h, min ou s (1d, 6h, 30min, "
                    "10s)."};
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

Parsed<DateRange> DateRange::make(const astro::CalendarDate& from, const astro::CalendarDate& to,
                                  std::int64_t stepMilliseconds) {
  // Limits whose day runs past the years a date may have cannot be counted.
  for (const astro::CalendarDate& limit : {from, to}) {
    if (!(std::fabs(limit.day) < 1e9)) {
      return Refusal{"Plage invalide", labelOf(limit),
                     "le jour d'une borne doit rester en dessous d'un milliard."};
    }
  }
  const Moment first = momentOf(from);
  const Moment last = momentOf(to);
  const std::int64_t span = (last.dayNumber - first.dayNumber) * kMillisecondsPerDay +
                            (last.millisecond - first.millisecond);
  if (span < 0) {
    return Refusal{"Plage invalide", labelOf(to),
                   "--to vient avant --from (" + labelOf(from) + ")."};
  }
  const std::int64_t count = span / stepMilliseconds + 1;
  if (count > kMostDates) {
    return Refusal{"Plage invalide", labelOf(from) + " .. " + labelOf(to),
                   "elle compte " + std::to_string(count) + " dates ; au plus 100000000."};
  }
  DateRange range;
  range.first_ = first;
  range.step_ = stepMilliseconds;
  range.count_ = count;
  return range;
}

void DateRange::at(std::int64_t k, DateEntry& entry) const {
  const std::int64_t total = first_.millisecond + k * step_;
  const Moment moment{first_.dayNumber + floorDiv(total, kMillisecondsPerDay),
                      total - floorDiv(total, kMillisecondsPerDay) * kMillisecondsPerDay};
  entry.date = calendarDateOf(moment);
  entry.label.clear();
  appendLabel(entry.label, entry.date);
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
