// Polynomials in T, summed term by term.
#pragma once

#include <array>
#include <cstddef>

namespace astro {

// c0 + c1 T + c2 T T + c3 T T T ..., each term formed left to right
// ((c2 * T) * T) and added in order of degree, so that the result is the
// same double as the written-out sum.
template <std::size_t N>
constexpr double polynomial(const std::array<double, N>& c, double t) {
  double sum = c[0];
  for (std::size_t degree = 1; degree < N; ++degree) {
    double term = c[degree];
    for (std::size_t k = 0; k < degree; ++k) {
      term = term * t;
    }
    sum = sum + term;
  }
  return sum;
}

}  // namespace astro
