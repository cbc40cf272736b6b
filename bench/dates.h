// The dates the benchmarks cycle through.
#pragma once

#include <array>

#include "astro/astro.h"

// Spread over four millennia, every month, times of day included, so that
// the Kepler loops and the series see the spread of arguments that scripts
// feed the program, not one lucky date.
inline constexpr std::array<astro::CalendarDate, 16> kBenchDates = {{
    {2000, 1, 1.5},
    {1899, 12, 31.5},
    {1582, 10, 15.0},
    {1066, 10, 14.25},
    {2024, 2, 29.75},
    {1969, 7, 20.85},
    {2100, 3, 1.0},
    {1000, 6, 15.125},
    {2500, 11, 30.5},
    {1815, 6, 18.4},
    {2999, 12, 31.99},
    {1453, 5, 29.3},
    {1986, 4, 26.05},
    {2061, 7, 28.6},
    {1750, 8, 8.8},
    {2222, 2, 2.2},
}};
