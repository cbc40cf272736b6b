// runDialogue: asks for dates in French and reports each one.
//
//   "Version 2.2" (the version of the build), an empty line, then for ever:
//   "Jour : " day, "Mois : " month, "Annee : " year, the report.
//
// Answers are blank-separated numbers, so one line may answer all three
// prompts. The input is checked, since the computation cannot be:
//  - end of input at any prompt ends the program (a line end, status 0);
//    a date left incomplete gets no report;
//  - an answer that is not a number of the expected kind, a month below 1,
//    or a year and month whose calendar key year * 10000 + month * 100 does
//    not fit in 32 bits: a message on standard error, the rest of the line
//    is dropped and the date is asked again from "Jour : ";
//  - standard output that cannot be written ends the program with status 1.
// Months above 12 and any finite day are accepted: the calendar carries them.
#include "frontend/dialogue.h"

#include <cstdint>
#include <iostream>
#include <limits>
#include <locale>
#include <string>
#include <string_view>

#include "astro/astro.h"
#include "frontend/report.h"

namespace frontend {
namespace {
enum class Answer { Complete, Rejected, EndOfInput, OutputFailed };

// Reads one number after its prompt. On a rejected answer the message is
// written, the stream is cleared and the rest of the line dropped. Nothing
// is read once standard output has failed: with no prompt to answer, the
// wait for an answer could last for ever.
template <typename Number>
Answer ask(std::string_view prompt, Number& value, std::string_view notANumber,
           std::string_view outOfRange) {
  std::cout << prompt << std::flush;
  if (!std::cout) {
    return Answer::OutputFailed;
  }
  if (std::cin >> value) {
    return Answer::Complete;
  }
  if (std::cin.eof()) {
    return Answer::EndOfInput;
  }
  const bool tooLarge =
      value == std::numeric_limits<Number>::max() || value == std::numeric_limits<Number>::lowest();
  std::cerr << "Saisie invalide : " << (tooLarge ? outOfRange : notANumber) << std::endl;
  std::cin.clear();
  std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  return Answer::Rejected;
}

void reject(std::string_view message) {
  std::cerr << message << std::endl;
  std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

bool calendarKeyFits(std::int32_t y, std::int32_t m) {
  const std::int64_t key = std::int64_t{y} * 10000 + std::int64_t{m} * 100;
  return key >= std::numeric_limits<std::int32_t>::min() &&
         key <= std::numeric_limits<std::int32_t>::max();
}

// Asks for one date; on success `date` holds it.
Answer askDate(astro::CalendarDate& date) {
  double d = 0.0;
  std::int32_t m = 0;
  std::int32_t y = 0;
  Answer answer = ask("Jour : ", d, "le jour doit etre un nombre.", "le jour est trop grand.");
  if (answer != Answer::Complete) {
    return answer;
  }
  answer = ask("Mois : ", m, "le mois doit etre un nombre entier.",
               "le mois depasse les entiers sur 32 bits.");
  if (answer != Answer::Complete) {
    return answer;
  }
  if (m < 1) {
    reject("Mois invalide : le mois doit valoir au moins 1.");
    return Answer::Rejected;
  }
  answer = ask("Annee : ", y, "l'annee doit etre un nombre entier.",
               "l'annee depasse les entiers sur 32 bits.");
  if (answer != Answer::Complete) {
    return answer;
  }
  if (!calendarKeyFits(y, m)) {
    reject("Date invalide : annee x 10000 + mois x 100 depasse les entiers sur 32 bits.");
    return Answer::Rejected;
  }
  date = astro::CalendarDate{y, m, d};
  return Answer::Complete;
}

bool outputFailed() {
  if (std::cout) {
    return false;
  }
  std::cerr << "Erreur : impossible d'ecrire sur la sortie standard." << std::endl;
  return true;
}
}  // namespace

int runDialogue() {
  std::cin.imbue(std::locale::classic());

  std::cout << "Version " << astro::kVersion << "\n\n" << std::flush;
  std::string report;
  for (;;) {
    astro::CalendarDate date{};
    const Answer answer = askDate(date);
    if (answer == Answer::EndOfInput) {
      std::cout << std::endl;
      return outputFailed() ? 1 : 0;
    }
    if (answer == Answer::Complete) {
      report.clear();
      appendReport(report, date, astro::computeInstant(date));
      std::cout << report << std::flush;
    }
    if (outputFailed()) {
      return 1;
    }
  }
}

}  // namespace frontend
