// Constants shared by the whole computation.
//
// PI is the decimal value the formulas were fitted with, not the full
// precision value of pi: every conversion between degrees, hours and radians
// uses it, so that printed digits do not move.
//
// The reciprocals are held as the x87's extended precision holds them, a
// 64-bit mantissa; products with them go through extendedProduct, which
// rounds as that precision does before the result becomes a double. The
// digits the program prints were fixed that way (extended_product.h).
#pragma once

#include "astro/astro.h"
#include "astro/extended_product.h"

namespace astro {

inline constexpr double PI = kPi;

// 1/36525: days to Julian centuries.
inline constexpr ExtendedConstant kReciprocalCentury = reciprocalOf(36525);
// 1/180: part of the degrees-to-radians conversion (x * PI * (1/180)).
inline constexpr ExtendedConstant kReciprocal180 = reciprocalOf(180);
// 0.000001: millionths (corrections of eccentricity and semi-major axis).
inline constexpr ExtendedConstant kMillionth = reciprocalOf(1000000);
// 0.0001: the report's cut of a distance to four decimals (tenThousandths).
inline constexpr ExtendedConstant kTenThousandth = reciprocalOf(10000);

}  // namespace astro
