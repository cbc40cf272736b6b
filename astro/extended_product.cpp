// extendedProduct and portableExtendedProduct: the x87's double rounding of
// a product by a 64-bit constant, in long double or in integers (see the
// header for the steps and what zeros, infinities, NaNs and the ends of the
// double's range give).
#include "astro/extended_product.h"

#include <bit>
#include <limits>

#include "astro/astro.h"
#include "astro/constants.h"

namespace astro {
namespace {
static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == sizeof(std::uint64_t),
              "the integer path reads and writes IEEE binary64 doubles");

constexpr std::uint64_t kOne = 1;
constexpr std::uint64_t kSignBit = kOne << 63;
constexpr std::uint64_t kHiddenBit = kOne << 52;
constexpr std::uint64_t kLow32 = 0xFFFFFFFF;
constexpr int kExponentMask = 0x7FF;
// A double's integer mantissa m stands for m 2^(biased exponent - 1075).
constexpr int kMantissaBias = 1075;
// The double's exponents of normal numbers, for a value in [1, 2).
constexpr int kMinExponent = -1022;
constexpr int kMaxExponent = 1023;
// Bits of a 64-bit mantissa beyond the double's 53.
constexpr int kExtraBits = 11;

// a * b in full, as two 64-bit halves, from 32-bit pieces.
struct Wide {
  std::uint64_t high;
  std::uint64_t low;
};
Wide multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a1 = a >> 32;
  const std::uint64_t a0 = a & kLow32;
  const std::uint64_t b1 = b >> 32;
  const std::uint64_t b0 = b & kLow32;
  const std::uint64_t p00 = a0 * b0;
  const std::uint64_t p01 = a0 * b1;
  const std::uint64_t p10 = a1 * b0;
  const std::uint64_t p11 = a1 * b1;
  const std::uint64_t middle = (p00 >> 32) + (p01 & kLow32) + (p10 & kLow32);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & kLow32)};
}

// value / 2^drop rounded to the nearest integer, ties to even (drop >= 1).
std::uint64_t roundedShift(std::uint64_t value, int drop) {
  if (drop > 64) {
    return 0;  // less than half of the last place kept
  }
  if (drop == 64) {
    return value > kSignBit ? 1 : 0;  // exactly half goes to the even 0
  }
  std::uint64_t kept = value >> drop;
  const std::uint64_t rest = value & ((kOne << drop) - 1);
  const std::uint64_t half = kOne << (drop - 1);
  if (rest > half || (rest == half && (kept & 1) != 0)) {
    ++kept;
  }
  return kept;
}
}  // namespace

double portableExtendedProduct(double x, const ExtendedConstant& c) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const std::uint64_t sign = bits & kSignBit;
  const int biased = static_cast<int>(bits >> 52) & kExponentMask;
  std::uint64_t m = bits & (kHiddenBit - 1);
  if (biased == kExponentMask || (biased == 0 && m == 0)) {
    return x;  // infinity, NaN or zero
  }
  // x = m 2^exponent with 2^52 <= m < 2^53.
  int exponent = 0;
  if (biased == 0) {
    const int shift = std::countl_zero(m) - kExtraBits;
    m <<= shift;
    exponent = 1 - kMantissaBias - shift;
  } else {
    m |= kHiddenBit;
    exponent = biased - kMantissaBias;
  }

  // The exact product lies in [2^115, 2^117): keep its top 64 bits.
  const Wide p = multiply(m, c.mantissa);
  const int drop = p.high >= kHiddenBit ? 53 : 52;
  std::uint64_t r = (p.high << (64 - drop)) | (p.low >> drop);
  const std::uint64_t rest = p.low & ((kOne << drop) - 1);
  const std::uint64_t half = kOne << (drop - 1);
  int rExponent = exponent + c.exponent + drop;  // x * c ~ r 2^rExponent
  if (rest > half || (rest == half && (r & 1) != 0)) {
    ++r;
    if (r == 0) {
      r = kSignBit;
      ++rExponent;
    }
  }

  // r to the double's grid: 53 bits in the normal range, fewer below it.
  const int top = rExponent + 63;  // the exponent of r's leading bit
  if (top > kMaxExponent) {
    return sign != 0 ? -std::numeric_limits<double>::infinity()
                     : std::numeric_limits<double>::infinity();
  }
  std::uint64_t magnitude = 0;
  if (top >= kMinExponent) {
    // q in [2^52, 2^53]: adding it to the exponent field less one puts its
    // leading bit there, and a q rounded up to 2^53 carries into the next
    // binade (into infinity's bits above the largest double).
    const std::uint64_t q = roundedShift(r, kExtraBits);
    magnitude = (static_cast<std::uint64_t>(top - kMinExponent) << 52) + q;
  } else {
    // A subnormal's bits are its multiple of 2^-1074; one rounded up to
    // 2^52 is the smallest normal number.
    magnitude = roundedShift(r, kExtraBits + kMinExponent - top);
  }
  return std::bit_cast<double>(sign | magnitude);
}

double extendedProduct(double x, const ExtendedConstant& c) {
#if !defined(EPHEMERIDES_PORTABLE_FLOAT) && LDBL_MANT_DIG == 64
  return static_cast<double>(x * c.value);
#else
  return portableExtendedProduct(x, c);
#endif
}

double tenThousandths(double count) {
  return extendedProduct(count, kTenThousandth);
}

}  // namespace astro
