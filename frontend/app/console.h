// Where the program reads and writes, and how a run ends.
#pragma once

#include <string_view>

#include "frontend/app/output.h"
#include "frontend/app/progress.h"
#include "frontend/read/input.h"
#include "frontend/read/refusal.h"

namespace frontend {

struct Console {
  WordReader& input;
  Output& output;
  Output& errors;
  // A person types at a terminal: an answer refused is asked again and
  // given, nothing is lost. Piped input is data, and a refused answer is a
  // date lost.
  bool interactive = false;
  // The progress line of long work, if one is on standard error: taken
  // away before a message.
  Progress* progress = nullptr;
};

// A line on standard error, after what standard output holds so far, so
// that at a terminal the two appear in the order they were written; there
// it is wrapped at 80 columns.
void complain(Console& console, std::string_view line);
// The same with the message of a refusal.
void complain(Console& console, const Refusal& refusal);

// Whether long work shows its progress: to a person watching standard
// error at a terminal, when standard output goes elsewhere.
inline bool showsProgress(const Console& console) {
  return console.errors.terminal() && !console.output.terminal();
}

// What came of a run.
enum class Reading {
  AllAccepted,   // every date read was reported
  SomeRefused,   // an answer or a date was refused, or the last left incomplete,
                 // or a date gave a position that could not be computed
  OutputFailed,  // standard output could not be written
  InputFailed,   // standard input could not be read
};

// The exit status for what came of a run, with the message it calls for:
// 0 when every date was reported, else 1.
int finish(Console& console, Reading reading);

}  // namespace frontend
