// The sine and cosine of one argument together, for the sums of the
// series: a Cody-Waite reduction by pi/2, Taylor polynomials on
// [-pi/4, pi/4] evaluated by Estrin's scheme, and the quadrant applied by
// arithmetic rather than a branch, so that the same code runs on one
// double or on a pair of them (Pair, two terms of a series at once).
//
// Accuracy: within 3e-16 of the exact values (absolute) for |x| below
// 1.6e6 radians, where the reduction is exact; beyond, within the spacing
// of doubles at x, as uncertain as x itself. The series' arguments stay
// under 1e6 radians over 1800-2200. No call into the C library.
#pragma once

namespace astro::precise {

// Two doubles operated on together (GCC's and Clang's vector extension).
typedef double Pair __attribute__((vector_size(16)));

template <typename T>
struct SinCosOf {
  T sin;
  T cos;
};

template <typename T>
inline SinCosOf<T> sinCosOf(T x) {
  constexpr double kTwoOverPi = 0.63661977236758134308;
  // pi/2 in three parts, the first two of 33 bits: k times either is exact
  // for |k| < 2^20.
  constexpr double kHalfPi1 = 0x1.921fb544p+0;
  constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
  constexpr double kHalfPi3 = 0x1.3198a2e037073p-69;
  // Adding and taking away 1.5 * 2^52 rounds to the nearest integer.
  constexpr double kRound = 6755399441055744.0;
  const T k = (x * kTwoOverPi + kRound) - kRound;
  const T r = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
  const T r2 = r * r;
  const T r4 = r2 * r2;
  const T r8 = r4 * r4;
  // sin r = r (1 - r^2/3! + ... - r^14/15!), cos r = 1 - r^2/2! + ... +
  // r^16/16!: the first terms left out are under 5e-17 on [-pi/4, pi/4].
  const T sinPolynomial = ((1.0 - r2 * (1.0 / 6.0)) + r4 * ((1.0 / 120.0) - r2 * (1.0 / 5040.0))) +
                          r8 * (((1.0 / 362880.0) - r2 * (1.0 / 39916800.0)) +
                                r4 * ((1.0 / 6227020800.0) - r2 * (1.0 / 1307674368000.0)));
  const T s = r * sinPolynomial;
  const T c = ((1.0 - r2 * 0.5) + r4 * ((1.0 / 24.0) - r2 * (1.0 / 720.0))) +
              r8 * ((((1.0 / 40320.0) - r2 * (1.0 / 3628800.0)) +
                     r4 * ((1.0 / 479001600.0) - r2 * (1.0 / 87178291200.0))) +
                    r8 * (1.0 / 20922789888000.0));
  // The quadrant q = k mod 4 as half = floor(q / 2) and odd = q mod 2,
  // each 0 or 1, the floors by the same rounding (no tie can occur):
  // sin x = (s, c, -s, -c) and cos x = (c, -s, -c, s) for q = 0 to 3.
  const T q = k - 4.0 * (((k - 1.5) * 0.25 + kRound) - kRound);
  const T half = ((q - 0.5) * 0.5 + kRound) - kRound;
  const T odd = q - 2.0 * half;
  const T even = 1.0 - odd;
  const T sinSign = 1.0 - 2.0 * half;
  const T cosSign = 1.0 - 2.0 * (half + odd - 2.0 * half * odd);
  return {sinSign * (odd * c + even * s), cosSign * (odd * s + even * c)};
}

using SinCos = SinCosOf<double>;

inline SinCos sinCos(double x) {
  return sinCosOf(x);
}

}  // namespace astro::precise
