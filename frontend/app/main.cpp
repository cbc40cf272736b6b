// Ephemerides: where the Sun, the Moon and the planets stand, date by date.
#include <unistd.h>

#include "frontend/app/cli.h"

int main(int argc, char** argv) {
  frontend::Output output(STDOUT_FILENO, frontend::Output::Mode::Buffered);
  frontend::Output errors(STDERR_FILENO, frontend::Output::Mode::Immediate);
  // Before waiting for input, everything written so far goes out, so that
  // whoever types or pipes the answers sees the prompt or the report first.
  frontend::WordReader input(STDIN_FILENO, [&output] { return output.flush(); });
  frontend::Console console{input, output, errors, ::isatty(STDIN_FILENO) == 1};
  return frontend::run(argc, argv, console);
}
