// The numeric toolkit of the library: the constants of angle and time, a
// vector of three components, and the two searches every almanac
// computation is made of, a root finder and an extremum search.
//
// Angles are radians. The constants here use the full precision pi
// (std::numbers::pi), as the quantities computed with it from the start do
// (apparent places, appearances); the theories' own conversions, whose
// digits were fixed with the decimal kPi, go through constants.h and
// angles.h.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace astro {

// ---- Constants of angle and time ----

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double kRadiansPerArcsecond = kRadiansPerDegree / 3600.0;

inline constexpr double kSecondsPerDay = 86400.0;
// One second of time, days.
inline constexpr double kDaysPerSecond = 1.0 / kSecondsPerDay;
// A Julian century, days.
inline constexpr double kDaysPerCentury = 36525.0;
// J2000.0, 2000 January 1, 12h TT, as a Julian Day.
inline constexpr double kJ2000 = 2451545.0;

// ---- A vector of three components ----
//
// A position (kilometres or astronomical units) or a direction (unit
// length), in whatever frame its user states: equatorial or ecliptic of
// date. Sums and products component by component, x, y then z, so that a
// value computed through Vector is the double the written formula gives.
struct Vector {
  double x;
  double y;
  double z;
};

constexpr Vector operator+(const Vector& a, const Vector& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
constexpr Vector operator-(const Vector& a, const Vector& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
constexpr Vector operator*(double k, const Vector& a) {
  return {k * a.x, k * a.y, k * a.z};
}
// a.x b.x + a.y b.y + a.z b.z, summed in that order.
constexpr double dot(const Vector& a, const Vector& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double length(const Vector& a) {
  return std::sqrt(dot(a, a));
}

// ---- Searches ----
//
// One root finder and one extremum search, for every almanac computation:
// each works on a function f(x) of one double (days, or a fraction of a
// day) within a bracket [a, b], a < b, and narrows the bracket until it is
// no wider than `tolerance`, in the units of x, or kSearchIterations steps
// have been taken: the library's brackets are at most 32 days wide against
// a tolerance of 1e-6 day, 2^25, which the root finder narrows in 75 steps
// at worst and the golden section in 36.
//
// Each has two rules for its steps. The first is the one to use; the
// second is the rule the year's events were found with when their instants
// were published, kept so that they stay the same to the last digit (a
// flat maximum such as Venus' greatest elongation moves by a second when
// the search on the tracks ends a millionth of a day elsewhere).
inline constexpr int kSearchIterations = 100;

enum class RootRule : std::uint8_t {
  // A bisection whenever the secant leaves the open bracket or two steps
  // have not halved it: at most three steps per halving. The result is the
  // middle of the last bracket.
  Safeguarded,
  // The secant clamped into the bracket, and an exact zero ends the search:
  // superlinear near a simple root, with no bound on the steps per halving
  // but kSearchIterations. The result is the last point evaluated.
  Clamped,
};

// rootOf: where f changes sign between a and b, given fa = f(a) and fb =
// f(b) on either side (one > 0, the other not). The Illinois variant of
// regula falsi: the secant through the ends of the bracket, the value at
// the end kept twice in a row halved. The result lies within the last
// bracket, at most `tolerance` wide, that holds the sign change of f as
// evaluated. A NaN of f counts as "not > 0"; the search still ends.
template <class F>
double rootOf(const F& f, double a, double b, double fa, double fb, double tolerance,
              RootRule rule = RootRule::Safeguarded) {
  const bool clamped = rule == RootRule::Clamped;
  int side = 0;
  int stalled = 0;
  double width = b - a;
  double last = a;
  for (int iteration = 0; iteration < kSearchIterations && b - a > tolerance; ++iteration) {
    double t = 0.0;
    if (clamped) {
      t = fa == fb ? 0.5 * (a + b) : std::clamp((a * fb - b * fa) / (fb - fa), a, b);
    } else {
      t = stalled >= 2 ? 0.5 * (a + b) : (a * fb - b * fa) / (fb - fa);
      if (!(t > a && t < b)) {
        t = 0.5 * (a + b);
      }
    }
    const double ft = f(t);
    last = t;
    if (clamped && ft == 0.0) {
      break;
    }
    // Clamped keeps the sign test it was published with: the same as the
    // other wherever fa, fb and ft are numbers and not zero.
    const bool replacesB = clamped ? (ft < 0) != (fa < 0) : (ft > 0) == (fb > 0);
    if (replacesB) {
      b = t;
      fb = ft;
      if (side == -1) {
        fa *= 0.5;
      }
      side = -1;
    } else {
      a = t;
      fa = ft;
      if (side == 1) {
        fb *= 0.5;
      }
      side = 1;
    }
    if (b - a > 0.5 * width) {
      ++stalled;
    } else {
      stalled = 0;
      width = b - a;
    }
  }
  return clamped ? last : 0.5 * (a + b);
}

// An extreme of a function: where, and its value there.
struct Extremum {
  double x;
  double value;
};

enum class ExtremumRule : std::uint8_t {
  // Two inner points at the golden sections of the bracket; the one with
  // the worse value becomes an end. The result is the better of the last
  // two inner points.
  GoldenSection,
  // Brent's method (Algorithms for Minimization without Derivatives,
  // 1973): a parabola through the best three points where it steps well
  // inside the bracket, a golden section where it does not; it ends when
  // the best point lies within 2 tolerance of the middle of the bracket.
  // The result is the best point.
  Brent,
};

// extremumOf: the greatest (maximum true) or least value of f between a
// and b, where f has one extreme and is monotonic on either side of it.
template <class F>
Extremum extremumOf(const F& f, double a, double b, bool maximum, double tolerance,
                    ExtremumRule rule = ExtremumRule::GoldenSection) {
  if (rule == ExtremumRule::Brent) {
    // Brent's method finds a least value: of f, or of -f for a maximum.
    const double sign = maximum ? -1.0 : 1.0;
    constexpr double kGolden = 0.3819660112501051;  // (3 - sqrt 5) / 2
    double x = a + kGolden * (b - a);
    double w = x;
    double v = x;
    double fx = sign * f(x);
    double fw = fx;
    double fv = fx;
    double d = 0.0;
    double e = 0.0;
    for (int iteration = 0; iteration < kSearchIterations; ++iteration) {
      const double middle = 0.5 * (a + b);
      if (std::fabs(x - middle) <= 2.0 * tolerance - 0.5 * (b - a)) {
        break;
      }
      bool golden = true;
      if (std::fabs(e) > tolerance) {
        const double r = (x - w) * (fx - fv);
        double q = (x - v) * (fx - fw);
        double p = (x - v) * q - (x - w) * r;
        q = 2.0 * (q - r);
        if (q > 0.0) {
          p = -p;
        }
        q = std::fabs(q);
        if (std::fabs(p) < std::fabs(0.5 * q * e) && p > q * (a - x) && p < q * (b - x)) {
          e = d;
          d = p / q;
          const double u = x + d;
          if (u - a < 2.0 * tolerance || b - u < 2.0 * tolerance) {
            d = x < middle ? tolerance : -tolerance;
          }
          golden = false;
        }
      }
      if (golden) {
        e = (x < middle ? b : a) - x;
        d = kGolden * e;
      }
      const double u = std::fabs(d) >= tolerance ? x + d : x + (d > 0 ? tolerance : -tolerance);
      const double fu = sign * f(u);
      if (fu <= fx) {
        (u < x ? b : a) = x;
        v = w;
        fv = fw;
        w = x;
        fw = fx;
        x = u;
        fx = fu;
      } else {
        (u < x ? a : b) = u;
        if (fu <= fw || w == x) {
          v = w;
          fv = fw;
          w = u;
          fw = fu;
        } else if (fu <= fv || v == x || v == w) {
          v = u;
          fv = fu;
        }
      }
    }
    return Extremum{x, sign * fx};
  }
  // The golden section finds a greatest value: of f, or of -f for a minimum.
  const double sign = maximum ? 1.0 : -1.0;
  const double r = (std::sqrt(5.0) - 1.0) / 2.0;
  double c = b - r * (b - a);
  double d = a + r * (b - a);
  double fc = sign * f(c);
  double fd = sign * f(d);
  for (int iteration = 0; iteration < kSearchIterations && b - a > tolerance; ++iteration) {
    if (fc > fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - r * (b - a);
      fc = sign * f(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + r * (b - a);
      fd = sign * f(d);
    }
  }
  return fc > fd ? Extremum{c, sign * fc} : Extremum{d, sign * fd};
}

}  // namespace astro
