// appendGeneral, appendShortest, appendInteger: numbers to text.
#include "frontend/write/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace frontend {
namespace {
// Enough for any double in general or shortest form and any 64-bit integer
// ("-1.7976931348623157e+308" is 24 characters).
using Digits = std::array<char, 32>;

void pad(std::string& out, std::size_t length, int width) {
  if (width > 0 && length < static_cast<std::size_t>(width)) {
    out.append(static_cast<std::size_t>(width) - length, ' ');
  }
}
}  // namespace

void appendGeneral(std::string& out, double value, int precision, int width) {
  Digits digits;
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                          std::chars_format::general, precision);
  const std::size_t length =
      error == std::errc{} ? static_cast<std::size_t>(end - digits.data()) : 0;
  pad(out, length, width);
  out.append(digits.data(), length);
}

void appendGeneral(std::string& out, double value, int precision) {
  appendGeneral(out, value, precision, 0);
}

void appendWholeField(std::string& out, double value, int width) {
  // At precision 5 a whole number below 100000 prints as its digits; -0
  // keeps its sign, so it goes the general way.
  if (value > -100000.0 && value < 100000.0 && value == std::trunc(value) &&
      !(value == 0.0 && std::signbit(value))) {
    Digits digits;
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(),
                                            static_cast<std::int32_t>(value));
    const auto length = static_cast<std::size_t>(end - digits.data());
    pad(out, length, width);
    out.append(digits.data(), length);
    return;
  }
  appendGeneral(out, value, 5, width);
}

void appendShortest(std::string& out, double value) {
  Digits digits;
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc{}) {
    out.append(digits.data(), end);
  }
}

void appendFixed(std::string& out, double value, int decimals) {
  Digits digits;
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                          std::chars_format::fixed, decimals);
  if (error == std::errc{}) {
    out.append(digits.data(), end);
  }
}

void appendHexByte(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xf];
}

void appendInteger(std::string& out, std::int64_t value) {
  Digits digits;
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc{}) {
    out.append(digits.data(), end);
  }
}

}  // namespace frontend
