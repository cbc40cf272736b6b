// Polynomials in T, summed term by term.
#pragma once

#include <array>
#include <cstddef>

namespace astro {

// c0 + c1 T + c2 T T + c3 T T T, up to the cubic: each term formed left
// to right ((c2 * T) * T) and the terms added in order of degree.
template <std::size_t N>
constexpr double polynomial(const std::array<double, N>& c, double t) {
  static_assert(N >= 2 && N <= 4);
  if constexpr (N == 2) {
    return c[0] + c[1] * t;
  } else if constexpr (N == 3) {
    return c[0] + c[1] * t + c[2] * t * t;
  } else {
    return c[0] + c[1] * t + c[2] * t * t + c[3] * t * t * t;
  }
}

}  // namespace astro
