// Decimal commas, zeros in front, and columns of UTF-8 text.
#include "frontend/write/text.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "frontend/write/numbers.h"

namespace frontend {

void appendDecimalComma(std::string& out, double value, int decimals) {
  const std::size_t start = out.size();
  appendFixed(out, value, decimals);
  std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '.', ',');
}

void appendWithComma(std::string& out, std::string_view digits) {
  for (const char c : digits) {
    out += c == '.' ? ',' : c;
  }
}

void appendZeroPadded(std::string& out, std::int64_t value, int width) {
  std::array<char, 24> digits;
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  const auto length = static_cast<std::size_t>(end - digits.data());
  const auto columns = static_cast<std::size_t>(std::max(width, 0));
  if (length < columns) {
    out.append(columns - length, '0');
  }
  out.append(digits.data(), length);
}

std::size_t utf8SequenceLength(unsigned char lead) {
  return lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
}

std::size_t displayWidth(std::string_view text) {
  // Every byte but the continuation bytes (10xxxxxx) begins a character.
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xc0) != 0x80;
  }));
}

void padToWidth(std::string& out, std::size_t start, std::size_t width) {
  const std::size_t used = displayWidth(std::string_view(out).substr(start));
  if (used < width) {
    out.append(width - used, ' ');
  }
}

std::string wrapped(std::string_view text, std::size_t width) {
  std::string out;
  out.reserve(text.size() + text.size() / width);
  std::size_t lineStart = 0;  // in out
  std::size_t lastBlank = std::string::npos;
  std::size_t previousBlank = std::string::npos;
  for (const char c : text) {
    out += c;
    if (c == '\n') {
      lineStart = out.size();
      lastBlank = previousBlank = std::string::npos;
      continue;
    }
    // Not at the blank after « nor before : ; ? ! », which French
    // typography keeps with their words.
    if (c == ' ') {
      if (!std::string_view(out).substr(0, out.size() - 1).ends_with("«")) {
        previousBlank = lastBlank;
        lastBlank = out.size() - 1;
      }
      continue;
    }
    if (std::string_view(":;?!\xc2").find(c) != std::string_view::npos &&
        lastBlank == out.size() - 2) {
      lastBlank = previousBlank;
    }
    if ((static_cast<unsigned char>(c) & 0xc0) == 0x80 ||
        displayWidth(std::string_view(out).substr(lineStart)) <= width) {
      continue;
    }
    if (lastBlank != std::string::npos && lastBlank > lineStart) {
      out[lastBlank] = '\n';
      lineStart = lastBlank + 1;
      lastBlank = previousBlank = std::string::npos;
    }
  }
  return out;
}

}  // namespace frontend
