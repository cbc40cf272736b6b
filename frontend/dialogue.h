// The console dialogue: banner, then for each date the three prompts and
// the report, until the end of the input.
#pragma once

// Runs the dialogue on standard input and output. Returns the process exit
// status: 0 at the end of the input, 1 when standard output cannot be
// written. Messages about rejected answers go to standard error.
namespace frontend {
int runDialogue();
}  // namespace frontend
