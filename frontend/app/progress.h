// Progress of long work, on standard error when a person watches it there.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "frontend/app/output.h"

namespace frontend {

// One line on standard error, rewritten in place ("\r"), that says how much
// of the work is done, out of how much, at what rate and how long it has
// left; cleared when the work ends or before a message is written. It is
// shown only to a person (`shown`: standard error is a terminal and standard
// output is not, whose own lines would be mixed with it), and only for work
// that takes more than a couple of seconds: from one second on, once the
// work done so far says the whole will take more than two; then at most
// four times a second. What the program writes on standard output never
// changes with it.
class Progress {
 public:
  enum class Unit { Dates, Years };
  using Clock = std::function<double()>;  // seconds, from any origin

  Progress(Output& errors, bool shown, std::int64_t total, Unit unit, Clock clock = steadySeconds);
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  ~Progress();

  // `done` of the total are done.
  void advance(std::int64_t done);
  // Takes the line away (until the next advance), for a message.
  void clear();

  static double steadySeconds();

 private:
  Output& errors_;
  bool shown_;
  std::int64_t total_;
  Unit unit_;
  Clock clock_;
  double start_;
  double lastShown_ = -1;
  std::size_t width_ = 0;  // columns of the line on the screen, 0 for none
};

}  // namespace frontend
