// Coefficient tables of the outer-planet perturbations and the one routine
// that sums them.
//
// A row reads: factor x term x coefficient, one coefficient per correction.
// Factors and terms are 1 or the sine or cosine of m1 A1 + m2 A2, where A1
// and A2 are auxiliary angles (radians, each reduced by whole turns; the
// multiples and sums are not reduced again). The sines and cosines are taken
// once per date, for every multiple the tables use, and looked up by the
// rows. A coefficient is a polynomial
// in tau of degree 2 at most. Consecutive rows that share a factor are
// summed first and the sum is multiplied once by the factor.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace astro {

// The auxiliary angles. Jupiter and Saturn: Q, S, V. Uranus and Neptune:
// W, and for the heliocentric corrections Z with X, Y, G (Uranus) or K, N
// (Neptune).
enum class Angle : std::uint8_t { Q, S, V, W, X, Y, Z, G, K, N };
inline constexpr std::size_t kAngleCount = 10;
using AngleSet = std::array<double, kAngleCount>;

// A choice of angles, one bit per Angle.
using AngleMask = std::uint16_t;
inline constexpr AngleMask kAllAngles = (1u << kAngleCount) - 1;
constexpr AngleMask maskOf(std::initializer_list<Angle> angles) {
  AngleMask mask = 0;
  for (const Angle a : angles) {
    mask = static_cast<AngleMask>(mask | (1u << static_cast<unsigned>(a)));
  }
  return mask;
}

// The multiples m1 A1 + m2 A2 whose sines and cosines the series take, each
// computed once per date: sin S, sin 2V, cos(2G + Y)...
struct Multiple {
  std::int8_t m1;
  Angle a1;
  std::int8_t m2;
  Angle a2;
  friend constexpr bool operator==(const Multiple&, const Multiple&) = default;
};

inline constexpr std::array<Multiple, 20> kSeriesMultiples = {{
    {1, Angle::S, 0, Angle::S}, {1, Angle::V, 0, Angle::V}, {2, Angle::V, 0, Angle::V},
    {3, Angle::V, 0, Angle::V}, {4, Angle::V, 0, Angle::V}, {1, Angle::Q, 0, Angle::Q},
    {2, Angle::Q, 0, Angle::Q}, {1, Angle::W, 0, Angle::W}, {2, Angle::W, 0, Angle::W},
    {1, Angle::X, 0, Angle::X}, {1, Angle::Y, 0, Angle::Y}, {1, Angle::Z, 0, Angle::Z},
    {2, Angle::Z, 0, Angle::Z}, {3, Angle::Z, 0, Angle::Z}, {1, Angle::G, 0, Angle::G},
    {2, Angle::G, 0, Angle::G}, {1, Angle::G, 1, Angle::Y}, {2, Angle::G, 1, Angle::Y},
    {1, Angle::K, 0, Angle::K}, {1, Angle::N, 0, Angle::N},
}};

// Where a multiple sits in kSeriesMultiples. A multiple missing from the
// list makes the tables fail to compile.
void multipleMissingFromTheList();
constexpr std::uint8_t indexOf(Multiple multiple) {
  for (std::size_t k = 0; k < kSeriesMultiples.size(); ++k) {
    if (kSeriesMultiples[k] == multiple) {
      return static_cast<std::uint8_t>(k);
    }
  }
  multipleMissingFromTheList();
  return 0;
}

enum class Trig : std::uint8_t { One, Sin, Cos };

// 1, or the sine or cosine of one of kSeriesMultiples.
struct Harmonic {
  Trig fn;
  std::uint8_t multiple;  // index into kSeriesMultiples
  friend constexpr bool operator==(const Harmonic&, const Harmonic&) = default;
};

inline constexpr Harmonic one{Trig::One, 0};
// sinOf(V) is sin V, sinOf(2, V) is sin 2V, cosOf(2, G, Y) is cos(2G + Y).
constexpr Harmonic sinOf(Angle a) {
  return {Trig::Sin, indexOf({1, a, 0, a})};
}
constexpr Harmonic cosOf(Angle a) {
  return {Trig::Cos, indexOf({1, a, 0, a})};
}
constexpr Harmonic sinOf(int m, Angle a) {
  return {Trig::Sin, indexOf({static_cast<std::int8_t>(m), a, 0, a})};
}
constexpr Harmonic cosOf(int m, Angle a) {
  return {Trig::Cos, indexOf({static_cast<std::int8_t>(m), a, 0, a})};
}
constexpr Harmonic sinOf(int m1, Angle a1, Angle a2) {
  return {Trig::Sin, indexOf({static_cast<std::int8_t>(m1), a1, 1, a2})};
}
constexpr Harmonic cosOf(int m1, Angle a1, Angle a2) {
  return {Trig::Cos, indexOf({static_cast<std::int8_t>(m1), a1, 1, a2})};
}

// c0 + c1 tau + c2 tau^2; an empty cell is all zeros.
struct TauPolynomial {
  double c0 = 0.0;
  double c1 = 0.0;
  double c2 = 0.0;

  constexpr bool constant() const { return c1 == 0.0 && c2 == 0.0; }
  constexpr bool empty() const { return constant() && c0 == 0.0; }
};

template <std::size_t Columns>
struct SeriesRow {
  Harmonic factor;
  Harmonic term;
  TauPolynomial coefficient[Columns];
};

// What the series of one date are evaluated with: every auxiliary angle at
// T, reduced to radians, and tau = 0.2 T + 0.1 (zero at T = -0.5), the
// variable of the coefficients.
struct SeriesArguments {
  AngleSet angles;
  double tau;
  std::array<double, kSeriesMultiples.size()> sine;    // of each multiple
  std::array<double, kSeriesMultiples.size()> cosine;  // of each multiple
};

// Sines and cosines are taken only of the multiples whose angles are all in
// `needed`; the others are left at zero.
SeriesArguments seriesArguments(double t, AngleMask needed = kAllAngles);

// The same from given angles and tau: each multiple formed from the
// reduced angles (m1 A1, then + m2 A2) and its sine and cosine taken.
SeriesArguments withMultiples(const AngleSet& angles, double tau, AngleMask needed = kAllAngles);

inline double evaluateHarmonic(const Harmonic& h, const SeriesArguments& arguments) {
  switch (h.fn) {
    case Trig::Sin:
      return arguments.sine[h.multiple];
    case Trig::Cos:
      return arguments.cosine[h.multiple];
    default:
      return 1.0;
  }
}

// Which cells of a row hold a coefficient, and which of those vary with
// tau, one bit per column: what the summation visits.
struct RowShape {
  std::uint8_t filled;
  std::uint8_t varying;
};

template <std::size_t Columns, std::size_t Rows>
constexpr std::array<RowShape, Rows> shapeOf(const SeriesRow<Columns> (&rows)[Rows]) {
  static_assert(Columns <= 8);
  std::array<RowShape, Rows> shapes{};
  for (std::size_t r = 0; r < Rows; ++r) {
    for (std::size_t c = 0; c < Columns; ++c) {
      const TauPolynomial& k = rows[r].coefficient[c];
      const auto bit = static_cast<std::uint8_t>(1u << c);
      if (!k.empty()) {
        shapes[r].filled = static_cast<std::uint8_t>(shapes[r].filled | bit);
      }
      if (!k.constant()) {
        shapes[r].varying = static_cast<std::uint8_t>(shapes[r].varying | bit);
      }
    }
  }
  return shapes;
}

// A table with its shape.
template <std::size_t Columns>
struct Series {
  std::span<const SeriesRow<Columns>> rows;
  std::span<const RowShape> shapes;
};

// Sums the columns of a table, rows in order. An empty cell would add a
// zero to a sum that started at +0, which changes nothing, and a constant
// c0 + 0 tau + 0 tau^2 is the double c0 itself: the shape lets the sum skip
// both without changing a bit.
template <std::size_t Columns>
std::array<double, Columns> sumSeries(const Series<Columns>& series,
                                      const SeriesArguments& arguments) {
  const double tau = arguments.tau;
  const auto& rows = series.rows;
  std::array<double, Columns> total{};
  std::array<double, Columns> group{};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const RowShape shape = series.shapes[r];
    if (shape.filled != 0) {
      const double term = evaluateHarmonic(rows[r].term, arguments);
#pragma GCC unroll 8
      for (std::size_t c = 0; c < Columns; ++c) {
        const unsigned bit = 1u << c;
        if ((shape.filled & bit) != 0) {
          const TauPolynomial& k = rows[r].coefficient[c];
          const double coefficient =
              (shape.varying & bit) != 0 ? k.c0 + k.c1 * tau + k.c2 * tau * tau : k.c0;
          group[c] += coefficient * term;
        }
      }
    }
    const bool groupEnds = r + 1 == rows.size() || !(rows[r + 1].factor == rows[r].factor);
    if (groupEnds) {
      const double factor = evaluateHarmonic(rows[r].factor, arguments);
#pragma GCC unroll 8
      for (std::size_t c = 0; c < Columns; ++c) {
        total[c] += factor * group[c];
        group[c] = 0.0;
      }
    }
  }
  return total;
}

}  // namespace astro
