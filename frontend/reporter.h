// The one path from a date to the output: its instant is computed in the
// request's time scale and handed to the writer of the request's format.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frontend/console.h"
#include "frontend/request.h"

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

  // Computes and writes one date.
  void report(const DateEntry& entry);

 private:
  Console& console_;
  const Request& request_;
  const FormatWriter& writer_;
};

}  // namespace frontend
