// The one path from a date, or from the request's events, to the output:
// what is to be written is computed once (observation.h) and handed to the
// writers of the request's format, which only write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/app/console.h"
#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// A format: its name on the command line and its writers.
struct FormatWriters {
  // The dates: what the format writes before the first date (or nothing)
  // and for each; `looks`: whether its dates show how the bodies look. A
  // format without `date` writes no dates (the request is refused).
  struct Dates {
    void (*begin)(std::string& out, const Request& request);
    void (*date)(std::string& out, const Observation& seen, const Request& request);
    bool looks;
  };
  // The events: what the format writes before the first, for each and
  // after the last (or nothing). A format without `event` writes no events
  // (the request is refused).
  struct Events {
    void (*begin)(std::string& out, const Request& request);
    void (*event)(std::string& out, const FoundEvent& found, const Request& request);
    void (*end)(std::string& out);
  };

  Format format;
  std::string_view name;
  Dates dates;
  Events events;
};

// The writers of a format, and those of a name given to --format (none if
// no format has that name).
const FormatWriters& writersOf(Format format);
const FormatWriters* writersNamed(std::string_view name);

class Reporter {
 public:
  // Writes what the format writes first.
  Reporter(Console& console, const Request& request);

  // Computes and writes one date, a civil time first turned into UT (see
  // toReport; `skipForward` for the dates of a range). A civil time that
  // does not exist is refused on standard error; one that exists twice gets
  // a note there. A date whose instant or a body's position cannot be
  // computed is written as the format writes it, and said on standard
  // error; the run then ends with status 1.
  void report(const DateEntry& given, bool skipForward = false);

  // The end of the run: one note on standard error naming the dates outside
  // the years where the accuracy is measured (of the report's theory), if
  // any, one naming those whose place's view was computed by the classic
  // theory outside the precise one's span, and the exit status
  // for what came of reading (worse if a date could not be computed).
  int finish(Reading reading);

 private:
  static constexpr std::size_t kNamedOutside = 3;

  // What standard error says of a date written: positions that could not be
  // computed, and the count of dates outside the measured years.
  void check(const Observation& seen);

  Console& console_;
  const Request& request_;
  const FormatWriters::Dates& writer_;
  bool notComputable_ = false;
  bool refused_ = false;
  std::int64_t outside_ = 0;  // dates outside the measured span
  std::vector<std::string> outsideNamed_;
  std::int64_t placeOnClassic_ = 0;  // places' views outside the precise span
  std::vector<std::string> placeOnClassicNamed_;
  DayAlmanacs days_;  // the place's last day
};

// Finds the request's events and writes them as its format does; returns
// the exit status: 0, or 1 when some could not be computed (said on
// standard error) or the output failed.
int reportEvents(Console& console, const Request& request);

}  // namespace frontend
