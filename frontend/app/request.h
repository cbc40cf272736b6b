// What the program is asked to do, built once from the command line (or the
// dialogue's defaults) and read by every writer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/astro.h"
#include "frontend/place/place.h"
#include "frontend/place/zone.h"
#include "frontend/read/date_range.h"

namespace frontend {

// Which time the dates are in.
struct TimeScale {
  // false: the date is taken as TT for the positions and as UT for the
  // sidereal time, as the dialogue always did. true: the date is UT; the
  // positions are computed at TT = UT + deltaT.
  bool universal = false;
  // deltaT in seconds; none: Delta T from observation where there is
  // some (astro::TimeScale::observed), from the Espenak-Meeus model
  // elsewhere.
  std::optional<double> deltaT;

  // The instant of a date in this scale, by a theory; a date in UT
  // (universal) is always taken as UT.
  astro::Instant compute(const DateEntry& entry,
                         astro::Theory theory = astro::Theory::Classic) const;
  // The library's time scale: deltaT's seconds, else the observed one.
  astro::TimeScale astroScale() const;
  // Whether a date is taken as UT.
  bool universalFor(const DateEntry& entry) const { return universal || entry.universal; }
  // deltaT in seconds at a Julian Day, UT or TT alike (it changes slowly):
  // the one given, else the model's.
  double deltaTAt(double jd) const;

  // The largest deltaT, in whole seconds, that the model gives over the
  // years a date may have (kFarthestYear either way): a --delta-t beyond
  // would give the positions of another age.
  static double largestDeltaT();
};

enum class Format { Text, Csv, Json, Svg, Ics };

struct Request {
  // Where the dates come from.
  enum class Source {
    Dialogue,  // the console dialogue: banner, prompts, text reports
    Words,     // the date words of the command line
    Range,     // every date from `from` to `to`, `step` apart
    Input,     // the dialogue's answers on standard input, without prompts
    Events,    // the events of the kinds chosen, from `eventsStart` to `eventsEnd`
    Night,     // the night of the date word (words: none or one) at the place
    Eclipse,   // the picture of the eclipse nearest `eclipseUt`
  };
  Source source = Source::Dialogue;
  std::vector<std::string> words;  // Words: each is read, or refused, when its turn comes
  DateRange range;                 // Range
  TimeScale scale;
  Format format = Format::Text;
  // Where the observer stands (--lieu, else EPHEMERIDES_LIEU): each date
  // then gets what is seen from there.
  std::optional<Place> place;
  // With a place or --fuseau, the dates given are civil times of `zone`
  // (the place's zone, --fuseau's, else TZ's, else UTC) and are turned
  // into UT; times are shown in it.
  bool civil = false;
  Zone zone = Zone::utc();
  // The theory of the report, its CSV and JSON rows and the band chart
  // (--precis: Precise). The almanac (the place's view and day, the
  // events) takes almanacTheory.
  astro::Theory theory = astro::Theory::Classic;
  // What standard error says before anything is done: a zone taken in
  // place of another (its alias, or TZ's, or UTC).
  std::vector<std::string> notes;
  // Events: the kinds, and the interval, Julian Days in UT, [start, end).
  astro::EventKindSet kinds = astro::kAllEventKinds;
  double eventsStart = 0.0;
  double eventsEnd = 0.0;
  // Eclipse: the instant given, Julian Day in UT.
  double eclipseUt = 0.0;
};

// The theory of what is seen from the place and of the events at an
// instant of TT: the precise one within its span (kPreciseSpanStart to
// kPreciseSpanEnd), the classic one outside it; with --precis the precise
// one everywhere, as the report.
astro::Theory almanacTheory(const Request& request, double jdTt);

// A date as it is to be reported. With civil time, a date given as a civil
// time of the request's zone becomes its instant in UT (universal set); a
// date already in UT, or any date without civil time, stays as it is. A
// civil time the clock skips (when it goes forward) is refused (subject
// Date, LocalTimeInGap) unless `skipForward`, which takes it with the
// offset from before the change, so a little later on the clock (02:30
// becomes 03:30); one the clock shows twice is the first, before the clock
// goes back, and `ambiguous` says so.
struct ToReport {
  DateEntry entry;
  bool ambiguous = false;
};
Parsed<ToReport> toReport(const Request& request, const DateEntry& given, bool skipForward);

}  // namespace frontend
