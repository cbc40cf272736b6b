// The answers that make a date, read strictly: a word is a number of the
// expected kind as a whole, or it is refused as a whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "astro/astro.h"

namespace frontend {

// Why a word or a date was refused. The French message for standard error
// reads `kind : "word" : why`, as in
//   Saisie invalide : "2000.5" : l'annee doit etre un nombre entier.
struct Refusal {
  std::string kind;  // "Saisie invalide", "Mois invalide", "Date invalide"...
  std::string word;  // what was given
  std::string why;   // a sentence, with its full stop

  std::string message() const;
};

template <typename T>
using Parsed = std::variant<T, Refusal>;

// A day: an optional sign, digits with an optional decimal point (15.75,
// .5, 15.), an optional exponent (1e3). A decimal comma gets a hint.
Parsed<double> parseDay(std::string_view word);
// A month or a year: an optional sign and digits, within 32 bits. A month
// must be at least 1.
Parsed<std::int32_t> parseMonth(std::string_view word);
Parsed<std::int32_t> parseYear(std::string_view word);

// The date as a whole: the calendar key year * 10000 + month * 100 must
// fit in 32 bits. `shown` is how the date was given, for the message.
Parsed<astro::CalendarDate> checkDate(const astro::CalendarDate& date, std::string_view shown);

// A word as a message quotes it: between double quotes, bytes that are not
// printable ASCII written as \xNN, and cut after 40 characters.
std::string quotedWord(std::string_view word);

}  // namespace frontend
