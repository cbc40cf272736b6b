// readDates, runDialogue: dates read as blank-separated answers.
//
//   "Version 2.2" (the version of the build), an empty line, then for each
//   date: "Jour : " day, "Mois : " month, "Annee : " year, the report.
//
// Answers are blank-separated words, so one line may answer all three
// prompts. Each answer is a whole word: a day is a decimal number, a month
// (at least 1) and a year are whole numbers within 32 bits, and the
// calendar key year * 10000 + month * 100 must fit in 32 bits too. A word
// that is not entirely of its kind is refused as a whole, with a message on
// standard error that quotes it; the rest of its line is dropped and the
// date is asked again from the day. Months above 12 and any finite day are
// accepted: the calendar carries them.
#include "frontend/app/dialogue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "astro/astro.h"
#include "frontend/read/answers.h"
#include "frontend/write/catalogue.h"
#include "frontend/app/reporter.h"

namespace frontend {
namespace {

enum class Step { Answered, Refused, Ended };

// Asks for one answer and reads its word into `value`.
template <typename T>
Step ask(Console& console, bool prompts, std::string_view prompt,
         Parsed<T> (*parse)(std::string_view), T& value, std::string& label) {
  if (prompts) {
    console.output.write(prompt);
  }
  if (!console.output.ok()) {
    return Step::Ended;
  }
  WordReader::Word word;
  if (!console.input.next(word)) {
    return Step::Ended;
  }
  Parsed<T> parsed =
      word.length > WordReader::kLongestWord
          ? Parsed<T>(Refusal{Subject::Answer, Reason::AnswerTooLong, std::string(word.text), {}})
          : parse(word.text);
  if (const Refusal* refusal = std::get_if<Refusal>(&parsed)) {
    complain(console, *refusal);
    console.input.dropRestOfLine();
    return Step::Refused;
  }
  value = std::get<T>(parsed);
  if (!label.empty()) {
    label += '/';
  }
  label += word.text;
  return Step::Answered;
}

}  // namespace

Reading readDates(Console& console, bool prompts,
                  const std::function<void(const DateEntry&)>& report) {
  bool refused = false;
  for (;;) {
    double day = 0.0;
    std::int32_t month = 0;
    std::int32_t year = 0;
    std::string label;
    Step step = ask(console, prompts, catalogue::kDayPrompt, parseDay, day, label);
    if (step == Step::Answered) {
      step = ask(console, prompts, catalogue::kMonthPrompt, parseMonth, month, label);
    }
    if (step == Step::Answered) {
      step = ask(console, prompts, catalogue::kYearPrompt, parseYear, year, label);
    }
    if (step == Step::Answered) {
      const Parsed<astro::CalendarDate> date = checkDate({year, month, day}, label);
      if (const Refusal* r = std::get_if<Refusal>(&date)) {
        complain(console, *r);
        console.input.dropRestOfLine();
        step = Step::Refused;
      } else {
        report(DateEntry{std::get<astro::CalendarDate>(date), label});
      }
    }
    // At a terminal the person asked again gives the date anew.
    if (step == Step::Refused && !console.interactive) {
      refused = true;
    }
    if (step == Step::Ended) {
      if (!console.output.ok()) {
        return Reading::OutputFailed;
      }
      if (console.input.failed()) {
        return Reading::InputFailed;
      }
      // At a terminal the line end comes first, so that the message does
      // not follow the prompt; the person who ended it has lost nothing.
      const bool lineEndFirst = prompts && console.interactive;
      if (lineEndFirst) {
        console.output.write("\n");
      }
      if (!label.empty()) {
        complain(console, Refusal{Subject::Date, Reason::DateIncomplete, label, {}});
        refused = refused || !console.interactive;
      }
      if (prompts && !lineEndFirst) {
        console.output.write("\n");
      }
      return refused ? Reading::SomeRefused : Reading::AllAccepted;
    }
    if (!console.output.ok()) {
      return Reading::OutputFailed;
    }
  }
}

int runDialogue(Console& console, const Request& request) {
  console.output.write(catalogue::kBanner);
  console.output.write(astro::kVersion);
  console.output.write("\n\n");
  Reporter reporter(console, request);
  return reporter.finish(
      readDates(console, true, [&](const DateEntry& entry) { reporter.report(entry); }));
}

}  // namespace frontend
