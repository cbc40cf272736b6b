// Polynomials, summed term by term from the constant up.
#pragma once

#include <array>
#include <cstddef>

namespace astro {

// How each term c_k x^k is formed; the digits of the results depend on it.
enum class Powers {
  // (c_k * x) * x ... left to right: c0 + c1 T + c2 T T + c3 T T T, as the
  // mean elements and series arguments of the theories are written.
  LeftToRight,
  // c_k * (x^k), each power the one before times x, as the published
  // expressions of Delta T are evaluated.
  Accumulated,
};

template <Powers Form = Powers::LeftToRight, std::size_t N>
constexpr double polynomial(const std::array<double, N>& c, double x) {
  static_assert(N >= 1);
  double sum = c[0];
  double power = 1.0;
  for (std::size_t k = 1; k < N; ++k) {
    double term = c[k];
    if constexpr (Form == Powers::LeftToRight) {
      for (std::size_t j = 0; j < k; ++j) {
        term = term * x;
      }
    } else {
      power = power * x;
      term = term * power;
    }
    sum = sum + term;
  }
  return sum;
}

}  // namespace astro
