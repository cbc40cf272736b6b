// Reading dates from the input: the console dialogue, and the same answers
// read without prompts.
#pragma once

#include <functional>

#include "frontend/dates.h"
#include "frontend/input.h"
#include "frontend/output.h"

namespace frontend {

// Where the program reads and writes.
struct Console {
  WordReader& input;
  Output& output;
  Output& errors;
};

// A line on standard error, after what standard output holds so far, so
// that at a terminal the two appear in the order they were written.
void complain(Console& console, std::string_view line);

// What came of reading.
enum class Reading {
  AllAccepted,   // every date read was reported
  SomeRefused,   // an answer or a date was refused, or the last left incomplete
  OutputFailed,  // standard output could not be written
  InputFailed,   // standard input could not be read
};

// Reads day, month and year answers until the end of the input and calls
// `report` for each date. With `prompts`, asks "Jour : ", "Mois : " and
// "Annee : " before each answer and writes a line end at the end of the
// input. A refused answer gets a message on standard error, the rest of its
// line is dropped and the date is asked again from the day. Nothing more is
// read once standard output has failed.
Reading readDates(Console& console, bool prompts,
                  const std::function<void(const DateEntry&)>& report);

// The dialogue: the banner, then readDates with prompts, each date
// reported as text, its dates in the given time scale. Returns the exit
// status: 0, or 1 when an answer was refused or standard output or input
// failed (with a message).
int runDialogue(Console& console, const TimeScale& scale = {});

// The exit status for what came of reading, with the message it calls for.
int finish(Console& console, Reading reading);

}  // namespace frontend
