// What the program is asked to do, built once from the command line (or the
// dialogue's defaults) and read by every writer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/astro.h"
#include "frontend/date_range.h"

namespace frontend {

// Which time the dates are in.
struct TimeScale {
  // false: the date is taken as TT for the positions and as UT for the
  // sidereal time, as the dialogue always did. true: the date is UT; the
  // positions are computed at TT = UT + deltaT.
  bool universal = false;
  // deltaT in seconds; none: from astro::deltaT at the date.
  std::optional<double> deltaT;

  astro::Instant compute(const astro::CalendarDate& date) const;
};

enum class Format { Text, Csv, Json, Svg };

struct Request {
  // Where the dates come from.
  enum class Source {
    Dialogue,  // the console dialogue: banner, prompts, text reports
    Words,     // the date words of the command line
    Range,     // every date from `from` to `to`, `step` apart
    Input,     // the dialogue's answers on standard input, without prompts
  };
  Source source = Source::Dialogue;
  std::vector<std::string> words;  // Words: each is read, or refused, when its turn comes
  DateRange range;                 // Range
  TimeScale scale;
  Format format = Format::Text;
};

}  // namespace frontend
