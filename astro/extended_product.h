// Products by constants held in x87 extended precision, on any processor.
//
// A handful of products multiply a double by a constant with a 64-bit
// mantissa (1/36525, 1/180, 0.000001, 0.0001, each the nearest such value),
// round the exact product to 64 significant bits, and only then round that
// to a double. The printed digits were fixed with that double rounding, as
// the x87's 80-bit long double does it.
//
// extendedProduct gives that result. Where long double is the x87 type it
// multiplies in long double, unless the build asks for the portable routine
// (EPHEMERIDES_PORTABLE_FLOAT); elsewhere (a 113-bit or a 53-bit long
// double) it always uses portableExtendedProduct, which computes the same
// bits with integers only:
//
//   x = m 2^ex, m a 53-bit integer (subnormals normalised first)
//   P = m * c.mantissa, 117 bits, from four 32 x 32-bit partial products
//   r = P rounded to 64 bits, nearest, ties to even      (the x87 product)
//   q = r rounded to the double's grid, nearest, ties to even
//
// The second rounding keeps 53 bits, or fewer where the result is subnormal
// (gradual underflow, down to 0); a result beyond the largest double is
// infinity. Both roundings keep the sign of x. Zeros and infinities come
// back as they are, with the constant's (positive) sign; a NaN comes back
// unchanged. The x87's own exponent range is never reached: a double times a
// constant between 2^-15000 and 2^15000 lies far within it.
#pragma once

#include <cfloat>
#include <cstdint>

namespace astro {

// mantissa * 2^exponent, the mantissa's top bit set (2^63 <= mantissa < 2^64).
struct ExtendedConstant {
  std::uint64_t mantissa;
  int exponent;
  // The same value as a long double: exact where long double has a 64-bit
  // mantissa, the x87 path's operand; unused elsewhere.
  long double value;
};

namespace detail {
constexpr long double timesPowerOfTwo(long double x, int exponent) {
  for (; exponent > 0; --exponent) {
    x *= 2.0L;
  }
  for (; exponent < 0; ++exponent) {
    x *= 0.5L;
  }
  return x;
}
}  // namespace detail

// 1 / divisor rounded to 64 significant bits, nearest, ties to even: what a
// compiler makes of 1.0L / divisor with the x87's long double. Long division,
// one bit at a time; the divisor stays below 2^62 so that nothing overflows.
constexpr ExtendedConstant reciprocalOf(std::uint64_t divisor) {
  std::uint64_t remainder = 1;
  int exponent = 0;
  while (remainder < divisor) {
    remainder <<= 1;
    --exponent;
  }
  // 1 / divisor = (remainder / divisor) 2^exponent, the ratio in [1, 2).
  std::uint64_t mantissa = 0;
  for (int bit = 0; bit < 64; ++bit) {
    mantissa <<= 1;
    if (remainder >= divisor) {
      mantissa |= 1;
      remainder -= divisor;
    }
    remainder <<= 1;
  }
  // remainder / divisor is now twice what lies below the last bit.
  exponent -= 63;
  if (remainder > divisor || (remainder == divisor && (mantissa & 1) != 0)) {
    ++mantissa;
    if (mantissa == 0) {
      mantissa = std::uint64_t{1} << 63;
      ++exponent;
    }
  }
  return {mantissa, exponent,
          detail::timesPowerOfTwo(static_cast<long double>(mantissa), exponent)};
}

// x * c with the x87's two roundings, by integers alone.
double portableExtendedProduct(double x, const ExtendedConstant& c);

// x * c as every product by such a constant is formed in this library: by
// the x87 or by portableExtendedProduct, as described above.
double extendedProduct(double x, const ExtendedConstant& c);

}  // namespace astro
