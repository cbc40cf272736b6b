// Products by the extended constants: the integer routine against exact
// rational arithmetic and against the x87 itself.
#include "astro/extended_product.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "astro/constants.h"

namespace {
using namespace astro;

constexpr bool kX87 = std::numeric_limits<long double>::digits == 64;

// 1, 3 and 1 + 2^-54, for the ends of the double's range; 0x1.4cdp+0,
// which makes a tie at 64 bits whose result matters.
constexpr ExtendedConstant kOne = {std::uint64_t{1} << 63, -63, 1.0L};
constexpr ExtendedConstant kThree = {std::uint64_t{3} << 62, -62, 3.0L};
constexpr ExtendedConstant kOneAndAHalfUlp = {(std::uint64_t{1} << 63) + (1 << 9), -63,
                                              1.0L + 0x1p-54L};
constexpr ExtendedConstant kEvenTie = {0xa668000000000000, -63, 0x1.4cdp+0L};

std::string hex(double x) {
  char text[40];
  std::snprintf(text, sizeof text, "%a", x);
  return text;
}

// Same bits, or both NaN.
bool same(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
         (std::isnan(a) && std::isnan(b));
}

// The long double product as the x87 forms it.
double x87Product(double x, long double constant) {
  return static_cast<double>(x * constant);
}

struct ConstantCase {
  const ExtendedConstant* constant;
  std::uint64_t mantissa;  // from exact rational arithmetic (Python's fractions)
  int exponent;
  long double asWritten;  // the constant as a long double literal or quotient
  const char* name;
};
const ConstantCase kConstants[] = {
    {&kReciprocalCentury, 0xe5aae5e0b9ee9a9a, -79, 1.0L / 36525.0L, "1/36525"},
    {&kReciprocal180, 0xb60b60b60b60b60b, -71, 1.0L / 180.0L, "1/180"},
    {&kMillionth, 0x8637bd05af6c69b6, -83, 0.000001L, "0.000001"},
    {&kTenThousandth, 0xd1b71758e219652c, -77, 0.0001L, "0.0001"},
};

TEST(ExtendedConstants, AreTheNearest64BitValues) {
  for (const ConstantCase& c : kConstants) {
    EXPECT_EQ(c.constant->mantissa, c.mantissa) << c.name;
    EXPECT_EQ(c.constant->exponent, c.exponent) << c.name;
  }
}

TEST(ExtendedConstants, AreTheLongDoublesBitForBit) {
  if (!kX87) {
    GTEST_SKIP() << "long double has no 64-bit mantissa here";
  }
  for (const ConstantCase& c : kConstants) {
    EXPECT_EQ(c.constant->value, c.asWritten) << c.name;
    EXPECT_EQ(std::ldexp(static_cast<long double>(c.mantissa), c.exponent), c.asWritten) << c.name;
  }
}

struct ProductCase {
  double x;
  const ExtendedConstant* constant;
  double expected;  // exact rational arithmetic, rounded to 64 bits, then to a double
  const char* why;
};

// Ties at 64 bits exist for three of the constants, and ties at 53 bits
// made by the first rounding for 1/36525 and 0.000001 only: the binary
// expansions of n/45 and n/625 never hold the ten zeros after a one that
// such a tie needs.
const ProductCase kHardCases[] = {
    {0x1.8000000000000p+17, &kReciprocalCentury, 0x1.588058d116e5ep+2,
     "exact product halfway at 64 bits, odd: rounds up"},
    {0x1.c000000000000p+28, &kMillionth, 0x1.d5c31593e5fb7p+8,
     "exact product halfway at 64 bits, even: rounds down"},
    {0x1.4000000000000p+0, &kMillionth, 0x1.4f8b588e368f1p-20,
     "exact product halfway at 64 bits, odd: rounds up"},
    {0x1.c000000000000p-5, &kTenThousandth, 0x1.6f0068db8bac7p-18,
     "exact product halfway at 64 bits, even: rounds down"},
    {0x1.2000000000000p-12, &kTenThousandth, 0x1.d7dbf487fcb92p-26,
     "exact product halfway at 64 bits, odd: rounds up"},
    {0x1.cec53552f0caap-1, &kReciprocalCentury, 0x1.9f2b57353fd6ep-16,
     "rounded up to a tie at 64 bits, then up to even: single rounding goes down"},
    {0x1.ab11cc5643edcp+87, &kReciprocalCentury, 0x1.7f240518ad96ap+72,
     "rounded down to a tie at 64 bits, then down to even: single rounding goes up"},
    {-0x1.e26613a03e747p+100, &kReciprocalCentury, -0x1.b0c7588427848p+85,
     "a tie at 53 bits after the first rounding, negative"},
    {0x1.7468981822642p+93, &kMillionth, 0x1.867faa1d996bap+73,
     "rounded up to a tie at 64 bits, then up to even: single rounding goes down"},
    {0x1.b6cd3ee05a779p+5, &kMillionth, 0x1.cc1df2026f580p-15,
     "rounded down to a tie at 64 bits, then down to even: single rounding goes up"},
    {-0x1.40e452493ee05p+108, &kMillionth, -0x1.507ac21f6b7f2p+88,
     "a tie at 53 bits after the first rounding, negative"},
    {0x0.0000000000001p-1022, &kReciprocal180, 0x0.0p+0, "smallest subnormal: to zero"},
    {-0x0.0000000000001p-1022, &kMillionth, -0x0.0p+0,
     "negative smallest subnormal: to minus zero"},
    {0x1.0000000000000p-1022, &kReciprocalCentury, 0x0.0001cb55cbc17p-1022,
     "smallest normal: subnormal result"},
    {0x0.0000000004f02p-1022, &kTenThousandth, 0x0.0000000000002p-1022,
     "subnormal result with few bits"},
    {0x1.6800000000000p-1015, &kReciprocal180, 0x1.0000000000000p-1022,
     "just below the smallest normal: rounded up to it"},
    {0x1.de7444c34592fp-1003, &kMillionth, 0x0.fad9083f73448p-1022,
     "subnormal result where rounding twice differs from once"},
    {0x1.1d5a000000000p+15, &kReciprocalCentury, 0x1.0000000000000p+0, "a century of days"},
    {0x1.6800000000000p+7, &kReciprocal180, 0x1.0000000000000p+0, "half a turn of degrees"},
    {0x1.921fb54442d28p+1, &kReciprocal180, 0x1.1df46a2529d44p-6, "PI / 180, the degree factor"},
    {0x1.6a90000000000p+12, &kTenThousandth, 0x1.2902de00d1b71p-1,
     "the double nearest 0.5801, not 0.5801000000000001"},
    {-0x1.26cd600000000p+21, &kReciprocalCentury, -0x1.087a83fa40b13p+6,
     "negative: the epoch from day 0"},
    {0x1.fffffffffffffp+1023, &kMillionth, 0x1.0c6f7a0b5ed8dp+1004, "largest double"},
    {-0x1.fffffffffffffp+1023, &kTenThousandth, -0x1.a36e2eb1c432cp+1010,
     "negative largest double"},
    {0.0, &kReciprocalCentury, 0.0, "zero"},
    {-0.0, &kReciprocal180, -0.0, "minus zero"},
    {INFINITY, &kMillionth, INFINITY, "infinity"},
    {-INFINITY, &kTenThousandth, -INFINITY, "minus infinity"},
    {NAN, &kReciprocalCentury, NAN, "NaN"},
    {0x1.fffffffffffffp+1023, &kThree, INFINITY, "beyond the largest double: infinity"},
    {-0x1.fffffffffffffp+1023, &kThree, -INFINITY, "beyond it, negative"},
    {0x1.0000000000005p+0, &kEvenTie, 0x1.4cd0000000006p+0,
     "halfway at 64 bits, even, and its last 11 bits halfway then: down twice, once would go up"},
    {0x1p+1023, &kThree, INFINITY, "2^1023 * 3 overflows too"},
    {0x1.fffffffffffffp+1023, &kOneAndAHalfUlp, INFINITY,
     "halfway between the largest double and 2^1024 after the first rounding: to even, infinity"},
    {0x0.0000000000001p-1022, &kOne, 0x0.0000000000001p-1022, "smallest subnormal, unchanged"},
    {-0x0.8000000000001p-1022, &kOne, -0x0.8000000000001p-1022, "a subnormal, unchanged"},
};

TEST(ExtendedProduct, HardCases) {
  for (const ProductCase& c : kHardCases) {
    const double portable = portableExtendedProduct(c.x, *c.constant);
    EXPECT_TRUE(same(portable, c.expected))
        << c.why << ": " << hex(c.x) << " gives " << hex(portable) << ", not " << hex(c.expected);
    EXPECT_TRUE(same(extendedProduct(c.x, *c.constant), c.expected)) << c.why;
    if constexpr (kX87) {
      EXPECT_TRUE(same(x87Product(c.x, c.constant->value), c.expected))
          << c.why << ": the x87 gives " << hex(x87Product(c.x, c.constant->value));
    }
  }
}

// Random doubles of every size and sign, doubles in the ranges the library
// multiplies (days, degrees, corrections), and whole counts as the distance
// cut gives them: 300,000 for each constant.
TEST(ExtendedProduct, AgreesWithTheX87) {
  if (!kX87) {
    GTEST_SKIP() << "no x87 long double to compare with";
  }
  std::mt19937_64 random(20240611);
  std::uniform_int_distribution<int> exponents(-40, 40);
  std::uniform_real_distribution<double> mantissas(-2.0, 2.0);
  constexpr int kEach = 100000;
  for (const ConstantCase& c : kConstants) {
    int mismatches = 0;
    const auto check = [&](double x) {
      const double portable = portableExtendedProduct(x, *c.constant);
      const double x87 = x87Product(x, c.asWritten);
      if (!same(portable, x87) && ++mismatches <= 5) {
        ADD_FAILURE() << c.name << " * " << hex(x) << ": " << hex(portable) << ", x87 " << hex(x87);
      }
    };
    for (int i = 0; i < kEach; ++i) {
      const double x = std::bit_cast<double>(random());
      check(std::isfinite(x) ? x : 1.0);
      check(std::ldexp(mantissas(random), exponents(random)));
      check(static_cast<double>(i) * (i % 2 == 0 ? 1 : 41));
    }
    EXPECT_EQ(mismatches, 0) << c.name;
  }
}

}  // namespace
