// Constants shared by the whole computation.
//
// PI is the decimal value the formulas were fitted with, not the full
// precision value of pi: every conversion between degrees, hours and radians
// uses it, so that printed digits do not move.
//
// The three reciprocals are held in x87 extended precision; products with
// them are formed in extended precision and only then stored as doubles.
// The digits the program prints were fixed with that type, so it is
// checked here: on a platform whose long double is another type they would
// move.
#pragma once

#include <limits>

#include "astro/astro.h"

namespace astro {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the printed digits need long double to be the 80-bit x87 type (64-bit mantissa)");

inline constexpr double PI = kPi;

// 1/36525: days to Julian centuries.
inline constexpr long double kReciprocalCentury = 1.0L / 36525.0L;
// 1/180: part of the degrees-to-radians conversion (x * PI * (1/180)).
inline constexpr long double kReciprocal180 = 1.0L / 180.0L;
// 0.000001: millionths (corrections of eccentricity and semi-major axis).
inline constexpr long double kMillionth = 0.000001L;

}  // namespace astro
