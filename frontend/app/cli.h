// The command line: what to read, what to write, and the exit status.
#pragma once

#include "frontend/app/console.h"

namespace frontend {

// Runs the program for the arguments of main. With no arguments, the
// dialogue. Returns the exit status:
//   0  every date was reported
//   1  an answer or a date was refused (the others are still reported), or
//      standard output or input failed
//   2  the command line is wrong: usage on standard error, nothing on
//      standard output
int run(int argc, const char* const* argv, Console& console);

}  // namespace frontend
