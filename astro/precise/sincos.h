// The sine and cosine of one argument together, for the sums of the
// series: a Cody-Waite reduction by pi/2 and Taylor polynomials on
// [-pi/4, pi/4], with no call into the C library.
//
// Accuracy: within 2e-16 of the exact values (absolute) for |x| below
// 1.6e6 radians, the reduction being exact there; the series' arguments
// stay under 1e6 radians over 1800-2200. Larger arguments go to std::sin
// and std::cos.
#pragma once

#include <cmath>
#include <cstdint>

namespace astro::precise {

struct SinCos {
  double sin;
  double cos;
};

inline SinCos sinCos(double x) {
  constexpr double kTwoOverPi = 0.63661977236758134308;
  // pi/2 in three parts, the first two of 33 bits: k times either is
  // exact for |k| < 2^20.
  constexpr double kHalfPi1 = 0x1.921fb544p+0;
  constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
  constexpr double kHalfPi3 = 0x1.3198a2e037073p-69;
  // Adding and taking away 1.5 * 2^52 rounds to the nearest integer.
  constexpr double kRound = 6755399441055744.0;
  if (!(std::fabs(x) < 1.6e6)) return {std::sin(x), std::cos(x)};
  const double k = (x * kTwoOverPi + kRound) - kRound;
  const double r = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
  const double r2 = r * r;
  // sin r = r - r^3/3! + ... - r^15/15!, cos r = 1 - r^2/2! + ... + r^16/16!:
  // the first terms left out are under 5e-17 on [-pi/4, pi/4].
  const double s =
      r + r * r2 *
              (-1.0 / 6.0 +
               r2 * (1.0 / 120.0 +
                     r2 * (-1.0 / 5040.0 +
                           r2 * (1.0 / 362880.0 + r2 * (-1.0 / 39916800.0 +
                                                        r2 * (1.0 / 6227020800.0 +
                                                              r2 * (-1.0 / 1307674368000.0)))))));
  const double c =
      1.0 + r2 * (-0.5 + r2 * (1.0 / 24.0 +
                               r2 * (-1.0 / 720.0 +
                                     r2 * (1.0 / 40320.0 +
                                           r2 * (-1.0 / 3628800.0 +
                                                 r2 * (1.0 / 479001600.0 +
                                                       r2 * (-1.0 / 87178291200.0 +
                                                             r2 * (1.0 / 20922789888000.0))))))));
  // The quadrant picks and signs the two without a branch, which the
  // quadrant's randomness from one term to the next would mispredict.
  const auto quadrant = static_cast<unsigned>(static_cast<std::int64_t>(k) & 3);
  constexpr double kSinSign[4] = {1.0, 1.0, -1.0, -1.0};
  constexpr double kCosSign[4] = {1.0, -1.0, -1.0, 1.0};
  const double pair[2] = {s, c};
  return {kSinSign[quadrant] * pair[quadrant & 1], kCosSign[quadrant] * pair[(quadrant & 1) ^ 1]};
}

}  // namespace astro::precise
