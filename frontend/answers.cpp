// parseDay, parseMonth, parseYear, checkDate: strict answers.
//
// A day is read with strtod once the whole word has been checked against
// the grammar of a decimal number, so that it takes the value a stream
// would give the same characters (an underflow to zero included); a value
// beyond the doubles is refused. Months and years are whole numbers within
// 32 bits.
#include "frontend/answers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace frontend {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// [+-]? (digits [. digits*] | . digits) ([eE] [+-]? digits)?
bool isDecimalNumber(std::string_view w) {
  std::size_t i = 0;
  if (i < w.size() && (w[i] == '+' || w[i] == '-')) {
    ++i;
  }
  std::size_t digits = 0;
  while (i < w.size() && isDigit(w[i])) {
    ++i;
    ++digits;
  }
  if (i < w.size() && w[i] == '.') {
    ++i;
    while (i < w.size() && isDigit(w[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) {
    return false;
  }
  if (i < w.size() && (w[i] == 'e' || w[i] == 'E')) {
    ++i;
    if (i < w.size() && (w[i] == '+' || w[i] == '-')) {
      ++i;
    }
    std::size_t exponentDigits = 0;
    while (i < w.size() && isDigit(w[i])) {
      ++i;
      ++exponentDigits;
    }
    if (exponentDigits == 0) {
      return false;
    }
  }
  return i == w.size();
}

// [+-]? digits
bool isWholeNumber(std::string_view w) {
  std::size_t i = (!w.empty() && (w[0] == '+' || w[0] == '-')) ? 1 : 0;
  if (i == w.size()) {
    return false;
  }
  for (; i < w.size(); ++i) {
    if (!isDigit(w[i])) {
      return false;
    }
  }
  return true;
}

Refusal refusal(std::string_view kind, std::string_view word, std::string_view why) {
  return Refusal{std::string(kind), std::string(word), std::string(why)};
}

// A whole number within 32 bits, or the refusal for `what` ("le mois",
// "l'annee").
Parsed<std::int32_t> parseWhole(std::string_view word, std::string_view notWhole,
                                std::string_view tooLarge) {
  if (!isWholeNumber(word)) {
    return refusal("Saisie invalide", word, notWhole);
  }
  std::string_view digits = word;
  if (digits.front() == '+') {
    digits.remove_prefix(1);
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc{} || end != digits.data() + digits.size()) {
    return refusal("Saisie invalide", word, tooLarge);
  }
  return value;
}

}  // namespace

std::string Refusal::message() const {
  return kind + " : " + quotedWord(word) + " : " + why;
}

std::string quotedWord(std::string_view word) {
  constexpr std::size_t kShown = 40;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (std::size_t i = 0; i < word.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(word[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xf];
    }
  }
  if (word.size() > kShown) {
    out += "...";
  }
  out += '"';
  return out;
}

Parsed<double> parseDay(std::string_view word) {
  if (!isDecimalNumber(word)) {
    std::string comma(word);
    for (char& c : comma) {
      if (c == ',') {
        c = '.';
      }
    }
    if (comma != word && isDecimalNumber(comma)) {
      return refusal(
          "Saisie invalide", word,
          "le jour doit etre un nombre ; le separateur decimal est le point (" + comma + ").");
    }
    return refusal("Saisie invalide", word, "le jour doit etre un nombre.");
  }
  const std::string text(word);
  const double value = std::strtod(text.c_str(), nullptr);
  if (std::isinf(value)) {
    return refusal("Saisie invalide", word, "le jour est trop grand.");
  }
  return value;
}

Parsed<std::int32_t> parseMonth(std::string_view word) {
  Parsed<std::int32_t> month = parseWhole(word, "le mois doit etre un nombre entier.",
                                          "le mois depasse les entiers sur 32 bits.");
  if (const auto* value = std::get_if<std::int32_t>(&month); value != nullptr && *value < 1) {
    return refusal("Mois invalide", word, "le mois doit valoir au moins 1.");
  }
  return month;
}

Parsed<std::int32_t> parseYear(std::string_view word) {
  return parseWhole(word, "l'annee doit etre un nombre entier.",
                    "l'annee depasse les entiers sur 32 bits.");
}

Parsed<astro::CalendarDate> checkDate(const astro::CalendarDate& date, std::string_view shown) {
  const std::int64_t key = std::int64_t{date.year} * 10000 + std::int64_t{date.month} * 100;
  if (key < std::numeric_limits<std::int32_t>::min() ||
      key > std::numeric_limits<std::int32_t>::max()) {
    return refusal("Date invalide", shown,
                   "annee x 10000 + mois x 100 depasse les entiers sur 32 bits.");
  }
  return date;
}

}  // namespace frontend
