// Running the real program as a child process with its standard streams on
// pipes, for tests that drive it as a person or a front-end program would.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "astro/version.h"

// Where the tests find the executable and their expected files; both are
// set by the build. Two variables of the environment run another program
// instead: EPHEMERIDES_TEST_PROGRAM names it, and EPHEMERIDES_TEST_WRAPPER
// gives the words of a command to start it with, split at blanks (for a
// program built for another processor, "qemu-aarch64 -L /usr/aarch64-linux-gnu").
inline constexpr const char* kProgram = EPHEMERIDES_PROGRAM;
inline constexpr const char* kGoldenDir = ROBUSTNESS_GOLDEN_DIR;

// How long any single wait may last before the test gives up. Generous, so
// that the sanitizer build on a busy machine never fails for being slow,
// yet a missing flush or a hang fails the test instead of blocking it.
inline constexpr std::chrono::seconds kPatience{20};

// The first lines of the dialogue: the version of the library built with it.
inline const std::string kBanner = "Version " + std::string(astro::kVersion) + "\n\n";

// A started program. Each stream is a pipe end in this process, or -1
// once closed (or when the stream was sent elsewhere at the start).
struct Child {
  pid_t pid = -1;
  int input = -1;   // its standard input
  int output = -1;  // its standard output
  int errors = -1;  // its standard error
};

// Starts the program with three pipes. When outputFile is given, standard
// output goes to that file instead (for example "/dev/full"). The child
// gets the default action for SIGPIPE, as from a shell, unless
// ignoringSigpipe asks for it to inherit the ignored signal, as some
// front-end programs leave it.
// `arguments` follow the program's name on its command line.
Child startProgram(const char* outputFile = nullptr, bool ignoringSigpipe = false,
                   const std::vector<std::string>& arguments = {});

// Starts the program with its standard input and output on a terminal (a
// pseudo-terminal whose other side is `input` and `output` here: what is
// sent is typed, Ctrl-D "\x04" at the start of a line ends the input), and
// standard error on a pipe. The terminal does not echo what is typed.
Child startOnTerminal(const std::vector<std::string>& arguments = {});

// Starts the program with its standard error on a terminal (a
// pseudo-terminal whose other side is `errors` here), its standard output
// into `outputFile` and its standard input empty, as a person runs long
// work into a file.
Child startWithErrorsOnTerminal(const char* outputFile, const std::vector<std::string>& arguments);

// What a finished run left: both streams in full and how it ended.
struct Transcript {
  std::string output;
  std::string errors;
  int exitStatus = -1;    // the status passed to exit, or -1
  int killedBy = 0;       // the signal that ended it, or 0
  bool timedOut = false;  // it did not end within the patience
};

// Feeds the whole input, closes standard input, collects both streams until
// they close and waits for the end. A run that outlasts `patience` is killed.
Transcript runProgram(std::string_view input, const char* outputFile = nullptr,
                      std::chrono::seconds patience = kPatience,
                      const std::vector<std::string>& arguments = {});

// Writes all of text to the child's standard input.
void sendText(const Child& child, std::string_view text);

// Closes the child's standard input: end of input for the program.
void closeInput(Child& child);

// Reads from fd until what has arrived holds `ending`, and returns
// everything up to and including it; the rest stays in `pending` for the
// next call. Returns what arrived (without the ending) when the stream
// closes or the patience runs out first; `complete` tells which.
struct Received {
  std::string text;
  bool complete = false;
};
Received receiveThrough(int fd, std::string& pending, std::string_view ending,
                        std::chrono::milliseconds patience = kPatience);

// Reads whatever arrives on fd within `quiet`, without waiting longer.
std::string receiveWithin(int fd, std::string& pending, std::chrono::milliseconds quiet);

// Waits for the end, killing the child after the patience, then closes
// what is still open. Standard input stays open while it waits: close it
// first to end the dialogue. The result carries no stream contents.
Transcript finish(Child& child, std::chrono::seconds patience = kPatience);

// The contents of a file of tests/golden.
std::string golden(std::string_view name);
