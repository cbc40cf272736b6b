// A time zone written as a POSIX TZ string, "CET-1CEST,M3.5.0,M10.5.0/3":
// the rule that tzdata writes at the end of each zone's compiled file for
// the times after its last listed transition (RFC 8536, section 3.3, with
// its extensions: transition times from -167 to 167 hours), and what the
// TZ variable may hold. The calendar of the rules is date's proleptic
// Gregorian one, as POSIX has it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace frontend {

// An offset from UT and its abbreviation.
struct ZoneOffset {
  std::int32_t seconds;      // local time - UT
  std::string abbreviation;  // "CET", "+0530"
};

// When a change of time falls in a year: day Jn (1 to 365, 29 February never
// counted), day n (0 to 365, counted), or Mm.w.d (weekday d, 0 for Sunday,
// of the week w of month m, 5 for the last), at `seconds` past 0h of that
// day's local time before the change.
struct PosixChange {
  enum class Day : std::uint8_t { JulianNoLeap, ZeroBased, MonthWeekDay };
  Day kind = Day::MonthWeekDay;
  int day = 0;    // Jn and n
  int month = 0;  // Mm.w.d
  int week = 0;
  int weekday = 0;
  std::int32_t seconds = 7200;  // 02:00 unless given
};

struct PosixZone {
  ZoneOffset standard;
  std::optional<ZoneOffset> daylight;  // none: standard time all year
  PosixChange toDaylight;
  PosixChange toStandard;
};

// The rule of a TZ string, or nothing when the text is not one. A string
// with a daylight time must give the days of its changes.
std::optional<PosixZone> parsePosixZone(std::string_view text);

// The offset at an instant in seconds since 1970-01-01 0h UT, in any year
// (the rule's changes repeat every 400 Gregorian years).
ZoneOffset posixOffsetAt(const PosixZone& zone, std::int64_t unixSeconds);

}  // namespace frontend
