// complain, finish: messages on standard error and the exit status.
#include "frontend/app/console.h"

#include <string>

#include "frontend/write/catalogue.h"
#include "frontend/write/text.h"

namespace frontend {

void complain(Console& console, std::string_view line) {
  console.output.flush();
  if (console.progress != nullptr) {
    console.progress->clear();
  }
  // At a terminal a person reads it: within 80 columns. Elsewhere one
  // line a message, for the scripts that read it.
  std::string text = console.errors.terminal() ? wrapped(line) : std::string(line);
  text += '\n';
  console.errors.write(text);
}

void complain(Console& console, const Refusal& refusal) {
  complain(console, catalogue::messageOf(refusal));
}

int finish(Console& console, Reading reading) {
  if (!console.output.flush()) {
    reading = Reading::OutputFailed;
  }
  switch (reading) {
    case Reading::AllAccepted:
      return 0;
    case Reading::SomeRefused:
      return 1;
    case Reading::OutputFailed:
      console.errors.write(std::string(catalogue::kCannotWrite) + "\n");
      return 1;
    case Reading::InputFailed:
      complain(console, catalogue::kCannotRead);
      return 1;
  }
  return 1;
}

}  // namespace frontend
