// parseDay, parseMonth, parseYear, checkDate: strict answers.
//
// A day is read with strtod once the whole word has been checked against
// the grammar of a decimal number, so that it takes the value a stream
// would give the same characters (an underflow to zero included); a value
// beyond the doubles is refused. Months and years are whole numbers within
// 32 bits.
#include "frontend/read/answers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <variant>

#include "frontend/read/date_words.h"

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

Refusal refusal(Reason reason, std::string_view word, std::string detail = {}) {
  return Refusal{Subject::Answer, reason, std::string(word), std::move(detail)};
}

// A whole number within 32 bits, or the refusal of the given reasons.
Parsed<std::int32_t> parseWhole(std::string_view word, Reason notWhole, Reason tooLarge) {
  if (!isWholeNumber(word)) {
    return refusal(notWhole, word);
  }
  std::string_view digits = word;
  if (digits.front() == '+') {
    digits.remove_prefix(1);
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc{} || end != digits.data() + digits.size()) {
    return refusal(tooLarge, word);
  }
  return value;
}

}  // namespace

Parsed<double> parseDay(std::string_view word) {
  if (!isDecimalNumber(word)) {
    std::string comma(word);
    for (char& c : comma) {
      if (c == ',') {
        c = '.';
      }
    }
    if (comma != word && isDecimalNumber(comma)) {
      return refusal(Reason::DayDecimalComma, word, comma);
    }
    if (std::holds_alternative<DateEntry>(parseDateWord(word))) {
      return refusal(Reason::DayIsAWholeDate, word, std::string(word));
    }
    return refusal(Reason::DayNotANumber, word);
  }
  const std::string text(word);
  const double value = std::strtod(text.c_str(), nullptr);
  if (std::isinf(value)) {
    return refusal(Reason::DayTooLarge, word);
  }
  return value;
}

Parsed<std::int32_t> parseMonth(std::string_view word) {
  Parsed<std::int32_t> month = parseWhole(word, Reason::MonthNotWhole, Reason::MonthBeyond32Bits);
  if (const auto* value = std::get_if<std::int32_t>(&month); value != nullptr && *value < 1) {
    return refusal(Reason::MonthBelowOne, word);
  }
  return month;
}

Parsed<std::int32_t> parseYear(std::string_view word) {
  return parseWhole(word, Reason::YearNotWhole, Reason::YearBeyond32Bits);
}

Parsed<astro::CalendarDate> checkDate(const astro::CalendarDate& date, std::string_view shown) {
  const std::int64_t key = std::int64_t{date.year} * 10000 + std::int64_t{date.month} * 100;
  if (key < std::numeric_limits<std::int32_t>::min() ||
      key > std::numeric_limits<std::int32_t>::max()) {
    return Refusal{Subject::Date, Reason::CalendarKeyBeyond32Bits, std::string(shown), {}};
  }
  return date;
}

}  // namespace frontend
