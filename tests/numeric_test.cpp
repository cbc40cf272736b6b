// The numeric toolkit: the root finder and the extremum search under both
// of their rules, on functions whose roots and extremes are known in
// closed form.
#include "astro/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string_view>

namespace {

using namespace astro;

struct RootCase {
  const char* name;
  std::function<double(double)> f;
  double a;
  double b;
  double root;
};

// cos x at pi/2; x^3 - 2x - 5, Wallis' cubic, whose root Newton computed;
// e^x - 2 at ln 2; x^9, whose flat root stalls the plain secant; a step
// of the sign, where regula falsi cannot use the values at all.
const RootCase kRoots[] = {
    {.name = "cos",
     .f = [](double x) { return std::cos(x); },
     .a = 0,
     .b = 3,
     .root = std::numbers::pi / 2},
    {.name = "Wallis",
     .f = [](double x) { return x * x * x - 2 * x - 5; },
     .a = 2,
     .b = 3,
     .root = 2.0945514815423265},
    {.name = "exp",
     .f = [](double x) { return std::exp(x) - 2; },
     .a = -1,
     .b = 4,
     .root = std::numbers::ln2},
    {.name = "ninth power",
     .f = [](double x) { return std::pow(x - 0.3, 9); },
     .a = -1,
     .b = 1,
     .root = 0.3},
    {.name = "step",
     .f = [](double x) { return x < 0.7 ? -1.0 : 1.0; },
     .a = 0,
     .b = 1,
     .root = 0.7},
};

TEST(RootOf, FindsTheSignChangeUnderBothRules) {
  for (const RootCase& c : kRoots) {
    for (const double tolerance : {1e-3, 1e-9}) {
      int calls = 0;
      const auto counted = [&](double x) {
        ++calls;
        return c.f(x);
      };
      const double safeguarded = rootOf(counted, c.a, c.b, c.f(c.a), c.f(c.b), tolerance);
      EXPECT_NEAR(safeguarded, c.root, tolerance) << c.name;
      // Three steps at most per halving of the bracket.
      EXPECT_LE(calls, 3 * std::ceil(std::log2((c.b - c.a) / tolerance)) + 3) << c.name;
      const double clamped =
          rootOf(c.f, c.a, c.b, c.f(c.a), c.f(c.b), tolerance, RootRule::Clamped);
      if (std::string_view(c.name) != "ninth power" && std::string_view(c.name) != "step") {
        EXPECT_NEAR(clamped, c.root, tolerance) << c.name;
      }
    }
  }
}

TEST(RootOf, EndsOnAnExactZeroOrANaN) {
  // Clamped stops where f is exactly 0: x - 0.5 from [0, 1] lands there at
  // once.
  int calls = 0;
  const auto line = [&](double x) {
    ++calls;
    return x - 0.5;
  };
  EXPECT_EQ(rootOf(line, 0.0, 1.0, -0.5, 0.5, 1e-12, RootRule::Clamped), 0.5);
  EXPECT_EQ(calls, 1);
  // A function that turns into NaN still ends within the iterations.
  const auto broken = [](double x) { return x < 0.25 ? -1.0 : std::nan(""); };
  const double x = rootOf(broken, 0.0, 1.0, -1.0, 1.0, 1e-12);
  EXPECT_GE(x, 0.0);
  EXPECT_LE(x, 1.0);
}

struct ExtremumCase {
  const char* name;
  std::function<double(double)> f;
  double a;
  double b;
  bool maximum;
  double x;
  double value;
};

// sin at pi/2; a parabola's vertex; x^4 - 3x, least at (3/4)^(1/3); the
// Gaussian's peak, flat enough that the value is found long before the
// place.
const ExtremumCase kExtrema[] = {
    {.name = "sin",
     .f = [](double x) { return std::sin(x); },
     .a = 0,
     .b = 3,
     .maximum = true,
     .x = std::numbers::pi / 2,
     .value = 1},
    {.name = "parabola",
     .f = [](double x) { return (x - 1) * (x - 1) + 2; },
     .a = -3,
     .b = 4,
     .maximum = false,
     .x = 1,
     .value = 2},
    {.name = "quartic",
     .f = [](double x) { return x * x * x * x - 3 * x; },
     .a = 0,
     .b = 2,
     .maximum = false,
     .x = 0.90856029641606983,
     .value = -2.0442606669361570},
    {.name = "Gaussian",
     .f = [](double x) { return std::exp(-x * x); },
     .a = -1,
     .b = 2,
     .maximum = true,
     .x = 0,
     .value = 1},
};

TEST(ExtremumOf, FindsTheExtremeUnderBothRules) {
  constexpr double kTolerance = 1e-7;
  for (const ExtremumCase& c : kExtrema) {
    for (const ExtremumRule rule : {ExtremumRule::GoldenSection, ExtremumRule::Brent}) {
      const Extremum e = extremumOf(c.f, c.a, c.b, c.maximum, kTolerance, rule);
      // Within the tolerance of the place, as far as the values can tell
      // it: f changes by f'' dx^2 / 2 near the extreme, lost below the
      // doubles' resolution of the value.
      EXPECT_NEAR(e.x, c.x, 4 * kTolerance + 3e-8) << c.name;
      EXPECT_NEAR(e.value, c.value, 1e-13) << c.name;
      EXPECT_EQ(e.value, c.f(e.x)) << c.name;
    }
  }
}

}  // namespace
