// Time zones and the local civil time: an IANA zone ("Europe/Paris") read
// through date/tz from the system's tzdata, a fixed offset ("+05:30") or
// UTC; Julian Days in UT to the local date and time and back.
//
// The Julian Day meets date/tz only as seconds since the Unix epoch (JD
// 2440587.5, 1970-01-01 0h UT); the local date is then counted on the
// program's calendar (astro::calendarDay: Julian before 15 October 1582),
// not on date's proleptic Gregorian one.
//
// What tzdata says, and so these functions, by era:
//   - before a zone's first listed change (in the nineteenth or early
//     twentieth century for most zones), the local mean time of its city
//     (Paris: +00:09:21, "LMT"), for every earlier date;
//   - the listed changes, then the rule that tzdata gives for the times
//     after them (its compiled files list the changes up to 2037 in most
//     zones, and end with that rule, posix_zone.h), for every later year
//     the program accepts.
// A fixed offset and UTC hold at every date.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "astro/astro.h"
#include "frontend/app/dates.h"
#include "frontend/read/refusal.h"

namespace frontend {

struct ZoneRules;  // zone.cpp: what the offset at each instant comes from

struct Zone {
  // "Europe/Paris" (as tzdata writes it), "+05:30", "UTC", or a TZ string.
  std::string name;
  std::shared_ptr<const ZoneRules> rules;  // null for UTC

  static Zone utc();
};

// A zone as --fuseau gives it: an IANA name ("Europe/Paris", whatever the
// case: "europe/paris"), a fixed offset from UT ("+01:00", "-03:30",
// "+0530", "+05", "+5:45"; at most 18 hours), or UTC ("UTC" or "Z").
// A name that the system's tzdata does not have is refused (subject Zone,
// ZoneUnknown, quoting the text, detail: up to three close zone names, one
// a line), and so is any other text; date/tz's exceptions are
// caught and refused the same way.
Parsed<Zone> parseZone(std::string_view text);

// The other name of a zone that tzdata renamed ("Europe/Kyiv" for
// "Europe/Kiev", and back): older tz data knows only the old name, newer
// data moves the old one to a legacy package. Empty for the other zones.
std::string_view zoneAlias(std::string_view name);

// The zone of the environment's TZ: an IANA name, with or without a leading
// ':' or the path of /usr/share/zoneinfo, a fixed offset as parseZone reads
// it, or a POSIX TZ string ("CET-1CEST,M3.5.0,M10.5.0/3"); UTC when TZ is
// unset, empty or none of these. `unusable`, if given: TZ's value when it
// was set but none of these (and UTC taken), else emptied.
Zone zoneFromEnvironment(std::string* unusable = nullptr);

// The zone's offset from UT (local time - UT, seconds) and its abbreviation
// ("CEST", "+0530", "LMT") at an instant in UT. A Julian Day that is not
// finite is taken as JD 2440587.5.
std::int32_t localOffsetSeconds(const Zone& zone, double jdUt);
std::string zoneAbbreviation(const Zone& zone, double jdUt);

// The local civil time of an instant.
struct LocalTime {
  Moment local;            // the local day's Julian Day Number, and the
                           // milliseconds since its 0h (rounded)
  astro::CalendarDay day;  // that day on the program's calendar
  std::int32_t offsetSeconds;
  std::string abbreviation;
};

// The local time of an instant in UT: the Julian Day jdUt + offset / 86400,
// counted in milliseconds, and its calendar day (astro::calendarDay). For a
// jdUt within the span of calendarDay (7e11 days either way); beyond it, or
// not finite, the nearest end of that span.
LocalTime localTimeOf(const Zone& zone, double jdUt);

// The instant a civil time of a zone stands for: the instant in UT, with
// the zone's offset and abbreviation the civil time was read with.
struct ZonedTime {
  double jdUt;
  std::int32_t offsetSeconds;  // the offset it was read with
  std::string abbreviation;
  // The clock showed that time twice (when it goes back): jdUt is the
  // first, before the change (still in summer time).
  bool ambiguous;
};

// A local time of the zone (a date of the program's calendar with its day's
// fraction, rounded to the millisecond) to UT. Refused (subject Date) when
// the clock skips that time (LocalTimeInGap, detail: the zone's name), or
// when the day is beyond a billion or not finite (DateNotComputable); the
// refusal's word is the local time as appendDateTime writes it, for the
// caller to replace by the text the user gave.
Parsed<ZonedTime> universalOf(const Zone& zone, const astro::CalendarDate& local);

// The local time as ISO 8601 with its offset, for CSV and JSON:
// "2025-06-21T05:47:12+02:00". Seconds rounded to the whole second; years
// before 0 or after 9999 with their sign ("-0500", "+10000"); an offset
// that is not a whole number of minutes with its seconds ("+00:09:21", the
// local mean time of Paris).
void appendIsoWithOffset(std::string& out, const LocalTime& time);

}  // namespace frontend
