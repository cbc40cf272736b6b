// Coefficient tables of the outer-planet perturbations and the one routine
// that sums them.
//
// A row reads: factor x term x coefficient, one coefficient per correction.
// Factors and terms are 1 or the sine or cosine of m1 A1 + m2 A2, where A1
// and A2 are auxiliary angles (radians, each reduced by whole turns; the
// multiples and sums are not reduced again). A coefficient is a polynomial
// in tau of degree 2 at most. Consecutive rows that share a factor are
// summed first and the sum is multiplied once by the factor.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

// The auxiliary angles. Jupiter and Saturn: Q, S, V. Uranus and Neptune:
// W, and for the heliocentric corrections Z with X, Y, G (Uranus) or K, N
// (Neptune).
enum class Angle : std::uint8_t { Q, S, V, W, X, Y, Z, G, K, N };
inline constexpr std::size_t kAngleCount = 10;
using AngleSet = std::array<double, kAngleCount>;

enum class Trig : std::uint8_t { One, Sin, Cos };

struct Harmonic {
  Trig fn;
  std::int8_t m1;
  Angle a1;
  std::int8_t m2;
  Angle a2;
  friend constexpr bool operator==(const Harmonic&, const Harmonic&) = default;
};

inline constexpr Harmonic one{Trig::One, 0, Angle::Q, 0, Angle::Q};
// sinOf(V) is sin V, sinOf(2, V) is sin 2V, cosOf(2, G, Y) is cos(2G + Y).
constexpr Harmonic sinOf(Angle a) {
  return {Trig::Sin, 1, a, 0, a};
}
constexpr Harmonic cosOf(Angle a) {
  return {Trig::Cos, 1, a, 0, a};
}
constexpr Harmonic sinOf(int m, Angle a) {
  return {Trig::Sin, static_cast<std::int8_t>(m), a, 0, a};
}
constexpr Harmonic cosOf(int m, Angle a) {
  return {Trig::Cos, static_cast<std::int8_t>(m), a, 0, a};
}
constexpr Harmonic sinOf(int m1, Angle a1, Angle a2) {
  return {Trig::Sin, static_cast<std::int8_t>(m1), a1, 1, a2};
}
constexpr Harmonic cosOf(int m1, Angle a1, Angle a2) {
  return {Trig::Cos, static_cast<std::int8_t>(m1), a1, 1, a2};
}

// c0 + c1 tau + c2 tau^2; an empty cell is all zeros.
struct TauPolynomial {
  double c0 = 0.0;
  double c1 = 0.0;
  double c2 = 0.0;
};

template <std::size_t Columns>
struct SeriesRow {
  Harmonic factor;
  Harmonic term;
  TauPolynomial coefficient[Columns];
};

// tau = 0.2 T + 0.1, and every auxiliary angle at T, reduced to radians.
double seriesTau(double t);
AngleSet auxiliaryAngles(double t);

inline double evaluateHarmonic(const Harmonic& h, const AngleSet& angles) {
  if (h.fn == Trig::One) {
    return 1.0;
  }
  double argument = h.m1 * angles[static_cast<std::size_t>(h.a1)];
  if (h.m2 != 0) {
    argument = argument + h.m2 * angles[static_cast<std::size_t>(h.a2)];
  }
  return h.fn == Trig::Sin ? std::sin(argument) : std::cos(argument);
}

template <std::size_t Columns>
std::array<double, Columns> sumSeries(std::span<const SeriesRow<Columns>> rows,
                                      const AngleSet& angles, double tau) {
  std::array<double, Columns> total{};
  std::array<double, Columns> group{};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const double term = evaluateHarmonic(rows[r].term, angles);
    for (std::size_t c = 0; c < Columns; ++c) {
      const TauPolynomial& k = rows[r].coefficient[c];
      group[c] += (k.c0 + k.c1 * tau + k.c2 * tau * tau) * term;
    }
    const bool groupEnds = r + 1 == rows.size() || !(rows[r + 1].factor == rows[r].factor);
    if (groupEnds) {
      const double factor = evaluateHarmonic(rows[r].factor, angles);
      for (std::size_t c = 0; c < Columns; ++c) {
        total[c] += factor * group[c];
        group[c] = 0.0;
      }
    }
  }
  return total;
}

// The tables, each in the row order of its published form.
extern const SeriesRow<4> kJupiterElementSeries[22];
extern const SeriesRow<4> kSaturnElementSeries[35];
extern const SeriesRow<4> kUranusElementSeries[4];
extern const SeriesRow<4> kNeptuneElementSeries[4];
extern const SeriesRow<2> kUranusHeliocentricSeries[19];
extern const SeriesRow<2> kNeptuneHeliocentricSeries[7];
