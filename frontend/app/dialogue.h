// Reading dates from the input: the console dialogue, and the same answers
// read without prompts.
#pragma once

#include <functional>

#include "frontend/app/console.h"
#include "frontend/app/request.h"

namespace frontend {

// Reads day, month and year answers until the end of the input and calls
// `report` for each date. With `prompts`, asks "Jour : ", "Mois : " and
// "Annee : " before each answer and writes a line end at the end of the
// input. A refused answer gets a message on standard error, the rest of its
// line is dropped and the date is asked again from the day; it makes the
// reading SomeRefused unless the console is interactive (a person at a
// terminal gives the date again). Nothing more is read once standard output
// has failed.
Reading readDates(Console& console, bool prompts,
                  const std::function<void(const DateEntry&)>& report);

// The dialogue: the banner, then readDates with prompts, each date
// reported as the request says (a text report, in its time scale). Returns
// the exit status: 0, or 1 when an answer was refused or standard output or
// input failed (with a message).
int runDialogue(Console& console, const Request& request = {});

}  // namespace frontend
