// The answers that make a date, read strictly: a word is a number of the
// expected kind as a whole, or it is refused as a whole.
#pragma once

#include <cstdint>
#include <string_view>

#include "astro/astro.h"
#include "frontend/read/refusal.h"

namespace frontend {

// Each refusal is of the subject Answer, and quotes the word.
//
// A day: an optional sign, digits with an optional decimal point (15.75,
// .5, 15.), an optional exponent (1e3). A decimal comma gets its own reason.
Parsed<double> parseDay(std::string_view word);
// A month or a year: an optional sign and digits, within 32 bits. A month
// must be at least 1.
Parsed<std::int32_t> parseMonth(std::string_view word);
Parsed<std::int32_t> parseYear(std::string_view word);

// The farthest year, either way, of a date in January to December: the
// calendar key of December 214748 is 2147481200, within 32 bits; a year
// further is not.
inline constexpr std::int32_t kFarthestYear = 214748;

// The date as a whole: the calendar key year * 10000 + month * 100 must
// fit in 32 bits. `shown` is how the date was given, for the message; the
// refusal is of the subject Date.
Parsed<astro::CalendarDate> checkDate(const astro::CalendarDate& date, std::string_view shown);

}  // namespace frontend
