// The one path from a date to the output: its instant is computed in the
// request's time scale and handed to the writer of the request's format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/app/console.h"
#include "frontend/app/request.h"

namespace frontend {

// A format: its name on the command line, what it writes before the first
// date (or nothing), and what it writes for each date.
struct FormatWriter {
  Format format;
  std::string_view name;
  void (*begin)(std::string& out, const Request& request);
  void (*date)(std::string& out, const DateEntry& entry, const astro::Instant& instant,
               const Request& request);
};

// The format of a name given to --format, if there is one.
std::optional<Format> formatNamed(std::string_view name);

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
  // the years where the accuracy is measured, if any, and the exit status
  // for what came of reading (worse if a date could not be computed).
  int finish(Reading reading);

 private:
  static constexpr std::size_t kNamedOutside = 3;

  Console& console_;
  const Request& request_;
  const FormatWriter& writer_;
  bool notComputable_ = false;
  bool refused_ = false;
  std::int64_t outside_ = 0;  // dates outside the measured span
  std::vector<std::string> outsideNamed_;
};

}  // namespace frontend
