// Units for the tolerances of the tests. Angles are held in radians.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <sstream>
#include <string>

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

// What a piece of code writes to std::cout.
inline std::string captureStdout(const std::function<void()>& write) {
  std::ostringstream captured;
  std::streambuf* const saved = std::cout.rdbuf(captured.rdbuf());
  write();
  std::cout.rdbuf(saved);
  return captured.str();
}
