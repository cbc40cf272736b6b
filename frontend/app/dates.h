// The dates the program reports, as every part of it sees them: a date as
// it was given, and a moment counted exactly in whole milliseconds.
#pragma once

#include <cstdint>
#include <string>

#include "astro/astro.h"

namespace frontend {

// A date to report, with the text it was given as (or that stands for it).
struct DateEntry {
  astro::CalendarDate date;
  std::string label;
  // The date is in Universal Time: a civil time or an ISO word with its
  // offset turned into UT, or the clock's "maintenant". Otherwise it is
  // taken in the request's time scale.
  bool universal = false;
};

inline constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

// A moment on the program's calendar counted exactly: the Julian Day
// Number of the date (the day that begins at its 0h) and the milliseconds
// since 0h.
struct Moment {
  std::int64_t dayNumber;
  std::int64_t millisecond;
};

}  // namespace frontend
