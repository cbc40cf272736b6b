// Units for the tolerances of the tests. Angles are held in radians.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "astro/astro.h"
#include "astro/time_base.h"

inline constexpr double kRadian = 1.0;
inline constexpr double kDegree = 3.14159265358979323846 / 180.0;
inline constexpr double kArcmin = kDegree / 60.0;
inline constexpr double kArcsec = kDegree / 3600.0;
inline constexpr double kSecondOfTime = 15.0 * kArcsec;
inline constexpr double kAstronomicalUnit = 1.0;  // distances of the Sun and planets
inline constexpr double kThousandKm = 1.0;        // distance of the Moon
inline constexpr double kDay = 1.0;
inline constexpr double kCentury = 36525.0 * kDay;

// One worked value: what the code gives, what the worked example says, and
// how far apart they may be.
struct Expectation {
  const char* quantity;
  double actual;
  double expected;
  double tolerance;
};

inline void expectAll(std::initializer_list<Expectation> rows) {
  for (const Expectation& row : rows) {
    EXPECT_NEAR(row.actual, row.expected, row.tolerance) << row.quantity;
  }
}

// The time base of a calendar date.
inline astro::TimeBase timeBaseOf(std::int32_t year, std::int32_t month, double day) {
  return astro::timeBase(astro::julianDay({year, month, day}));
}
