// Numbers to text: the text the report writes through std::to_chars must be
// what an output stream writes at the same precision in its default
// notation, byte for byte, for every kind of double.
#include "frontend/write/numbers.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/write/text_report.h"
#include "units.h"

namespace {

class StreamText {
 public:
  StreamText() { stream_.imbue(std::locale::classic()); }
  std::string operator()(double value, int precision, int width = 0) {
    stream_.str("");
    stream_ << std::setprecision(precision) << std::setw(width) << value;
    return stream_.str();
  }

 private:
  std::ostringstream stream_;
};

std::string general(double value, int precision, int width = 0) {
  std::string out;
  frontend::appendGeneral(out, value, precision, width);
  return out;
}

// The values worth a look: whole numbers, powers of ten and the edges of
// the exponent form, ties at the fifth and eleventh digits, the distances
// the report cuts, zeros, the extremes, and a great many random doubles of
// every magnitude and random bit patterns.
std::vector<double> values() {
  constexpr double inf = std::numeric_limits<double>::infinity();
  std::vector<double> v = {0.0,
                           -0.0,
                           inf,
                           -inf,
                           std::numeric_limits<double>::quiet_NaN(),
                           -std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::lowest(),
                           std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::denorm_min(),
                           99999.5,
                           99999.49999999999,
                           100000.0,
                           0.0001,
                           0.00009999949999,
                           0.000099999,
                           9.99995,
                           2451545.0,
                           2451545.12345678};
  for (int k = -1000; k <= 1000; ++k) {
    v.push_back(k);
  }
  for (int e = -320; e <= 308; ++e) {
    const double p = std::pow(10.0, e);
    v.insert(v.end(), {p, -p, std::nextafter(p, 0.0), std::nextafter(p, inf)});
  }
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 200000; ++i) {
    // Ties: (m + 0.5) units of the fifth and the eleventh significant digit.
    const int e = static_cast<int>(random() % 30) - 15;
    const double m = std::floor(unit(random) * 90000) + 10000;
    v.push_back((m + 0.5) * std::pow(10.0, e - 4));
    const double m11 = std::floor(unit(random) * 9e10) + 1e10;
    v.push_back((m11 + 0.5) * std::pow(10.0, e - 10));
    // Distances as the report cuts them.
    v.push_back(frontend::cutDistance(unit(random) * 1000));
    // Any magnitude, and any bits.
    v.push_back(std::ldexp(unit(random), static_cast<int>(random() % 2100) - 1074));
    v.push_back(std::bit_cast<double>(random()));
  }
  return v;
}

TEST(Text, GeneralNotationAsTheStreamWritesIt) {
  StreamText stream;
  for (const double value : values()) {
    for (const int precision : {5, 11, 1, 17}) {
      ASSERT_EQ(general(value, precision), stream(value, precision))
          << std::hexfloat << value << " at precision " << precision;
    }
    ASSERT_EQ(general(value, 5, 6), stream(value, 5, 6)) << std::hexfloat << value;
  }
}

TEST(Text, WholeFieldsAsTheStreamWritesThem) {
  StreamText stream;
  std::vector<double> cases = {-0.0, 0.0, 99999.0, 100000.0, -99999.0, 0.5, 1e300, -1e-300};
  for (int k = -1500; k <= 1500; ++k) {
    cases.push_back(k);
  }
  for (const double value : cases) {
    std::string out;
    frontend::appendWholeField(out, value, 2);
    ASSERT_EQ(out, stream(value, 5, 2)) << value;
  }
}

TEST(Text, ShortestReadsBackToTheSameDouble) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (!std::isfinite(value)) {
      continue;
    }
    std::string out;
    frontend::appendShortest(out, value);
    const double back = std::strtod(out.c_str(), nullptr);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(value)) << out;
  }
}

}  // namespace
