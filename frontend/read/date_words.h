// Date words and steps given on the command line.
#pragma once

#include <cstdint>
#include <string_view>

#include "frontend/app/dates.h"
#include "frontend/read/refusal.h"

namespace frontend {

// A date word: DAY/MONTH/YEAR as the report's header writes it (1.5/1/2000,
// 1/1/-500; read as the dialogue reads its three answers), or ISO
// YYYY-MM-DD with an optional THH:MM or THH:MM:SS (a real calendar date and
// time of day), which may end with Z or an offset +HH:MM / -HH:MM: then the
// date is that instant in Universal Time (universal set). Either way the
// calendar is the program's: Julian before 15 October 1582, Gregorian from
// then on. The word "maintenant" is the clock's instant, in UT. A refusal
// is of the subject DateWord and quotes the whole word.
Parsed<DateEntry> parseDateWord(std::string_view word);

// The word for the current instant.
inline constexpr std::string_view kNow = "maintenant";

// A step of a range: a positive whole number and a unit, d, h, min or s.
Parsed<std::int64_t> parseStepMilliseconds(std::string_view word);

}  // namespace frontend
