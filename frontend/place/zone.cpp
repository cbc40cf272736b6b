// Time zones: date/tz for the IANA zones (the system's tzdata, read by the
// library), the rule at the end of each compiled zone file for the times
// after its listed changes (date/tz reads the listed changes only), and the
// conversions between Julian Days in UT and local times, counted in
// milliseconds on the program's calendar.
#include "frontend/place/zone.h"

#include <date/tz.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "frontend/place/place.h"
#include "frontend/place/posix_zone.h"
#include "frontend/place/tzif.h"
#include "frontend/read/date_range.h"
#include "frontend/write/text.h"

namespace frontend {

// Where a zone's offsets come from: a fixed offset; an IANA zone, with the
// rule its compiled file ends with, from `ruleFrom` on; or a TZ rule alone.
struct ZoneRules {
  std::optional<ZoneOffset> fixed;
  const date::time_zone* iana = nullptr;
  std::optional<PosixZone> rule;
  std::int64_t ruleFrom = 0;  // seconds since the Unix epoch
};

namespace {

constexpr double kUnixEpoch = 2440587.5;         // 1970-01-01 0h UT
constexpr std::int64_t kUnixEpochDay = 2440588;  // its Julian Day Number
constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr double kLargestJulianDay = 7e11;  // astro::calendarDay's span
constexpr double kLargestLocalDay = 1e9;    // as date_range counts dates
constexpr int kMostFixedHours = 18;
constexpr std::string_view kZoneInfo = "/usr/share/zoneinfo";
constexpr std::size_t kLongestZoneName = 64;
// Later than any change a compiled zone file lists (9999-12-31).
constexpr std::int64_t kAfterEveryChange = 253'402'214'400;

const ZoneOffset kUtc{0, "UTC"};

using astro::floorDiv;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  return text;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// A Julian Day in whole milliseconds: its day number and the time since
// that day's 0h.
Moment momentOfJulianDay(double jd) {
  if (!std::isfinite(jd)) {
    jd = kUnixEpoch;
  }
  const double x = std::clamp(jd, -kLargestJulianDay, kLargestJulianDay) + 0.5;
  const double day = std::floor(x);
  Moment m{static_cast<std::int64_t>(day), std::llround((x - day) * kMillisecondsPerDay)};
  if (m.millisecond >= kMillisecondsPerDay) {
    ++m.dayNumber;
    m.millisecond -= kMillisecondsPerDay;
  }
  return m;
}

std::int64_t unixSecondsOf(const Moment& m) {
  return (m.dayNumber - kUnixEpochDay) * kSecondsPerDay + floorDiv(m.millisecond, 1000);
}

ZoneOffset offsetAt(const Zone& zone, std::int64_t unixSeconds) {
  if (!zone.rules) {
    return kUtc;
  }
  const ZoneRules& rules = *zone.rules;
  if (rules.fixed) {
    return *rules.fixed;
  }
  if (rules.rule && (rules.iana == nullptr || unixSeconds >= rules.ruleFrom)) {
    return posixOffsetAt(*rules.rule, unixSeconds);
  }
  if (rules.iana == nullptr) {
    return kUtc;
  }
  // The zone's file was read when the zone was made: this does not throw
  // but on a database gone since.
  try {
    const date::sys_info info =
        rules.iana->get_info(date::sys_seconds{std::chrono::seconds{unixSeconds}});
    return ZoneOffset{static_cast<std::int32_t>(info.offset.count()), info.abbrev};
  } catch (const std::exception&) {
    return kUtc;
  }
}

// [+-]HH, [+-]HHMM or [+-]HH:MM.
std::optional<Zone> fixedZone(std::string_view text) {
  const bool negative = text.front() == '-';
  std::string compact(text.substr(1));
  // One hour digit, with its minutes: +5:45.
  if (compact.size() == 4 && compact[1] == ':') {
    compact.insert(0, 1, '0');
  }
  if (compact.size() == 5 && compact[2] == ':') {
    compact.erase(2, 1);
  }
  if ((compact.size() != 2 && compact.size() != 4) ||
      !std::all_of(compact.begin(), compact.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const int hours = (compact[0] - '0') * 10 + (compact[1] - '0');
  const int minutes = compact.size() == 4 ? (compact[2] - '0') * 10 + (compact[3] - '0') : 0;
  if (hours > kMostFixedHours || minutes > 59 || (hours == kMostFixedHours && minutes > 0)) {
    return std::nullopt;
  }
  std::string name(1, negative ? '-' : '+');
  name += compact.substr(0, 2);
  name += ':';
  name += compact.size() == 4 ? compact.substr(2) : "00";
  auto rules = std::make_shared<ZoneRules>();
  rules->fixed = ZoneOffset{(negative ? -1 : 1) * (hours * 3600 + minutes * 60), name};
  return Zone{std::move(name), std::move(rules)};
}

// The bytes of a zone's compiled file.
std::string zoneFileOf(const std::string& zoneName) {
  std::ifstream file(std::string(kZoneInfo) + "/" + zoneName, std::ios::binary);
  return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The rule at the end of a compiled zone file (TZif version 2 and later):
// the last line, between two line ends; nothing if there is none.
std::optional<PosixZone> ruleAtEndOf(const std::string& data) {
  if (data.size() < 6 || data.compare(0, 4, "TZif") != 0 || data[4] < '2' || data.back() != '\n') {
    return std::nullopt;
  }
  const std::size_t start = data.rfind('\n', data.size() - 2);
  if (start == std::string::npos) {
    return std::nullopt;
  }
  return parsePosixZone(std::string_view(data).substr(start + 1, data.size() - start - 2));
}

// The IANA zone of that name, if the system's tzdata has it; `invalidFile`
// the path of its file if that is not a TZif file that can be read.
std::optional<Zone> ianaZone(std::string_view name, std::string& invalidFile) {
  if (name.empty() || name.size() > kLongestZoneName) {
    return std::nullopt;
  }
  try {
    const date::time_zone* zone = nullptr;
    try {
      zone = date::locate_zone(std::string(name));
    } catch (const std::runtime_error&) {
      for (const date::time_zone& z : date::get_tzdb().zones) {
        if (sameIgnoringCase(z.name(), name)) {
          zone = &z;
          break;
        }
      }
    }
    if (zone == nullptr) {
      return std::nullopt;
    }
    // date/tz trusts the file's counts and aborts on a file that does not
    // hold what they say: the file is checked first.
    const std::string data = zoneFileOf(zone->name());
    if (!validTzif(data)) {
      invalidFile = std::string(kZoneInfo) + "/" + zone->name();
      return std::nullopt;
    }
    auto rules = std::make_shared<ZoneRules>();
    rules->iana = zone;
    // Reads the zone's file now, so that a file that cannot be read is a
    // refusal here rather than a failure later.
    rules->ruleFrom = zone->get_info(date::sys_seconds{std::chrono::seconds{kAfterEveryChange}})
                          .begin.time_since_epoch()
                          .count();
    rules->rule = ruleAtEndOf(data);
    return Zone{zone->name(), std::move(rules)};
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// Up to three zones of the system's tzdata whose names are close to a name
// refused, one a line: by the whole name or by its city ("paris",
// "Europe/Pariss"), whatever the case and with blanks for underscores,
// within a third of its length (at least 2 edits).
std::string zoneSuggestionsFor(std::string_view name) {
  constexpr std::size_t kLongestSuggestedFrom = 64;
  constexpr std::size_t kMostSuggestions = 3;
  if (name.empty() || name.size() > kLongestSuggestedFrom) {
    return {};
  }
  const auto folded = [](std::string_view text) {
    std::string out;
    for (const char c : text) {
      out += c == '_' ? ' ' : (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
  };
  const std::string key = folded(name);
  const std::size_t limit = std::max<std::size_t>(2, (key.size() + 2) / 3);
  std::vector<std::pair<std::size_t, std::string>> best;  // distance, zone
  try {
    for (const date::time_zone& z : date::get_tzdb().zones) {
      const std::string whole = folded(z.name());
      const std::size_t slash = whole.rfind('/');
      const std::size_t d =
          slash == std::string::npos
              ? editDistance(key, whole)
              : std::min(editDistance(key, whole), editDistance(key, whole.substr(slash + 1)));
      if (d <= limit) {
        best.emplace_back(d, z.name());
      }
    }
  } catch (const std::exception&) {
    return {};
  }
  std::stable_sort(best.begin(), best.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  // Only the closest, and those one edit further: "paris" is Europe/Paris,
  // not also Antarctica/Davis.
  std::string lines;
  for (std::size_t k = 0;
       k < best.size() && k < kMostSuggestions && best[k].first <= best.front().first + 1; ++k) {
    lines += k == 0 ? "" : "\n";
    lines += best[k].second;
  }
  return lines;
}

}  // namespace

Zone Zone::utc() {
  return Zone{"UTC", nullptr};
}

Parsed<Zone> parseZone(std::string_view text) {
  const std::string_view zone = trimmed(text);
  if (zone == "UTC" || zone == "utc" || zone == "Z" || zone == "z") {
    return Zone::utc();
  }
  std::optional<Zone> found;
  std::string invalidFile;
  if (!zone.empty() && (zone.front() == '+' || zone.front() == '-')) {
    found = fixedZone(zone);
  } else {
    found = ianaZone(zone, invalidFile);
  }
  if (!invalidFile.empty()) {
    return Refusal{Subject::Zone, Reason::ZoneFileInvalid, std::string(text),
                   std::move(invalidFile)};
  }
  if (!found) {
    return Refusal{Subject::Zone, Reason::ZoneUnknown, std::string(text), zoneSuggestionsFor(zone)};
  }
  return *std::move(found);
}

std::string_view zoneAlias(std::string_view name) {
  // tzdata's renamings (its file "backward") of the zones a place may have.
  constexpr std::pair<std::string_view, std::string_view> kRenamed[] = {
      {"Europe/Kyiv", "Europe/Kiev"},          {"Asia/Kolkata", "Asia/Calcutta"},
      {"Asia/Ho_Chi_Minh", "Asia/Saigon"},     {"Asia/Kathmandu", "Asia/Katmandu"},
      {"Asia/Yangon", "Asia/Rangoon"},         {"America/Nuuk", "America/Godthab"},
      {"Pacific/Kanton", "Pacific/Enderbury"}, {"Atlantic/Faroe", "Atlantic/Faeroe"},
  };
  for (const auto& [current, old] : kRenamed) {
    if (name == current || name == old) {
      return name == current ? old : current;
    }
  }
  return {};
}

Zone zoneFromEnvironment(std::string* unusable) {
  if (unusable != nullptr) {
    unusable->clear();
  }
  const char* value = std::getenv("TZ");
  std::string_view tz = value == nullptr ? std::string_view{} : std::string_view(value);
  if (tz.starts_with(':')) {
    tz.remove_prefix(1);
  }
  if (tz.starts_with(kZoneInfo) && tz.substr(kZoneInfo.size()).starts_with('/')) {
    tz.remove_prefix(kZoneInfo.size() + 1);
  }
  if (tz.empty()) {
    return Zone::utc();
  }
  if (Parsed<Zone> zone = parseZone(tz); std::holds_alternative<Zone>(zone)) {
    return std::get<Zone>(std::move(zone));
  }
  if (std::optional<PosixZone> rule = parsePosixZone(tz)) {
    auto rules = std::make_shared<ZoneRules>();
    rules->rule = std::move(rule);
    return Zone{std::string(tz), std::move(rules)};
  }
  if (unusable != nullptr) {
    *unusable = value;
  }
  return Zone::utc();
}

std::int32_t localOffsetSeconds(const Zone& zone, double jdUt) {
  return offsetAt(zone, unixSecondsOf(momentOfJulianDay(jdUt))).seconds;
}

std::string zoneAbbreviation(const Zone& zone, double jdUt) {
  return offsetAt(zone, unixSecondsOf(momentOfJulianDay(jdUt))).abbreviation;
}

LocalTime localTimeOf(const Zone& zone, double jdUt) {
  const Moment ut = momentOfJulianDay(jdUt);
  ZoneOffset offset = offsetAt(zone, unixSecondsOf(ut));
  const std::int64_t total = ut.millisecond + std::int64_t{offset.seconds} * 1000;
  const std::int64_t days = floorDiv(total, kMillisecondsPerDay);
  const Moment local{ut.dayNumber + days, total - days * kMillisecondsPerDay};
  return LocalTime{local, astro::calendarDay(local.dayNumber), offset.seconds,
                   std::move(offset.abbreviation)};
}

Parsed<ZonedTime> universalOf(const Zone& zone, const astro::CalendarDate& local) {
  if (!(std::fabs(local.day) < kLargestLocalDay)) {
    return Refusal{Subject::Date, Reason::DateNotComputable, labelOf(local), {}};
  }
  const Moment wall = momentOf(local);
  const std::int64_t seconds = unixSecondsOf(wall);
  // The offsets a day before and a day after: a change of time lies between
  // them, if any. Each gives the instant the clock shows that time at, if
  // the zone has that offset then.
  std::optional<ZoneOffset> first;
  std::int64_t firstInstant = 0;
  bool twice = false;
  for (const std::int64_t around : {seconds - kSecondsPerDay, seconds + kSecondsPerDay}) {
    ZoneOffset offset = offsetAt(zone, around);
    const std::int64_t instant = seconds - offset.seconds;
    if (offsetAt(zone, instant).seconds != offset.seconds) {
      continue;
    }
    if (!first) {
      first = std::move(offset);
      firstInstant = instant;
    } else if (instant != firstInstant) {
      twice = true;
      if (instant < firstInstant) {
        first = std::move(offset);
        firstInstant = instant;
      }
    }
  }
  if (!first) {
    std::string word;
    appendDateTime(word, local);
    return Refusal{Subject::Date, Reason::LocalTimeInGap, std::move(word), zone.name};
  }
  const std::int64_t utMillisecond = wall.millisecond - std::int64_t{first->seconds} * 1000;
  const double jd = static_cast<double>(wall.dayNumber) - 0.5 +
                    static_cast<double>(utMillisecond) / kMillisecondsPerDay;
  return ZonedTime{jd, first->seconds, std::move(first->abbreviation), twice};
}

void appendIsoWithOffset(std::string& out, const LocalTime& time) {
  std::int64_t second = (time.local.millisecond + 500) / 1000;
  astro::CalendarDay day = time.day;
  if (second >= kSecondsPerDay) {
    second -= kSecondsPerDay;
    day = astro::calendarDay(time.local.dayNumber + 1);
  }
  appendIsoDay(out, day);
  out += 'T';
  appendZeroPadded(out, second / 3600, 2);
  out += ':';
  appendZeroPadded(out, second / 60 % 60, 2);
  out += ':';
  appendZeroPadded(out, second % 60, 2);
  const std::int32_t offset = std::abs(time.offsetSeconds);
  out += time.offsetSeconds < 0 ? '-' : '+';
  appendZeroPadded(out, offset / 3600, 2);
  out += ':';
  appendZeroPadded(out, offset / 60 % 60, 2);
  if (offset % 60 != 0) {
    out += ':';
    appendZeroPadded(out, offset % 60, 2);
  }
}

}  // namespace frontend
