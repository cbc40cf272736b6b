// run: the modes of the program.
//
//   ephemerides                      the dialogue (banner, prompts, reports)
//   ephemerides DATE...              a report for each date word
//   ephemerides --from A --to B      a report for each date of the range
//   ephemerides --format F < dates   the dialogue's answers, without prompts
//   ephemerides --evenements YEAR    the year's events (or --from A --to B)
//
// The command line is read with CLI11 into one Request; whatever is wrong
// with it is a refusal, which the catalogue words.
#include "frontend/app/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/astro.h"
#include "frontend/app/dialogue.h"
#include "frontend/app/night.h"
#include "frontend/app/reporter.h"
#include "frontend/picture/eclipse_chart.h"
#include "frontend/read/answers.h"
#include "frontend/read/date_words.h"
#include "frontend/read/event_kinds.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/icalendar.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

// The command line as read, before it is checked.
struct Arguments {
  std::vector<std::string> dates;
  // Each option may be given once; they are collected so that a repeat is
  // seen.
  std::vector<std::string> from;
  std::vector<std::string> to;
  std::vector<std::string> step;
  std::vector<std::string> format;
  std::vector<std::string> deltaT;
  std::vector<std::string> place;
  std::vector<std::string> zone;
  std::vector<std::string> events;  // the year, if given
  std::size_t eventsGiven = 0;      // how many times --evenements was given
  std::vector<std::string> types;
  std::vector<std::string> eclipse;  // the day of the eclipse to draw
  bool universal = false;
  bool precise = false;  // --precis
  bool night = false;
  bool help = false;
  bool version = false;
};

// What the command line asks for.
struct Asked {
  enum class What { Request, Help, Version };
  What what = What::Request;
  Request request;
};

Refusal commandLine(Reason reason, std::string word = {}) {
  return Refusal{Subject::CommandLine, reason, std::move(word), {}};
}

// The flag given a value (--ut=1), which CLI11 could not take.
std::string flagWithValue(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    for (const std::string_view flag :
         {"--ut=", "--precis=", "--nuit=", "--help=", "-h=", "--version="}) {
      if (arg.starts_with(flag)) {
        return std::string(arg);
      }
    }
  }
  return {};
}

// The option left without its value: always the last argument, since an
// option takes the next one whatever it is.
std::string optionWithoutValue(int argc, const char* const* argv) {
  const std::string_view last = argv[argc - 1];
  return std::string(last.substr(0, last.find('=')));
}

Parsed<Arguments> readArguments(int argc, const char* const* argv) {
  Arguments a;
  CLI::App app{"ephemerides"};
  app.set_help_flag();
  app.allow_extras();
  app.add_option("dates", a.dates);
  const auto once = [&app](std::string_view name, std::vector<std::string>& values) {
    app.add_option(std::string(name), values)
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false);
  };
  once("--from", a.from);
  once("--to", a.to);
  once("--step", a.step);
  once("--format", a.format);
  once("--delta-t", a.deltaT);
  once("--lieu", a.place);
  once("--fuseau", a.zone);
  once("--types", a.types);
  once("--eclipse", a.eclipse);
  CLI::Option* events = app.add_option("--evenements", a.events)
                            ->expected(0, 1)
                            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                            ->allow_extra_args(false);
  app.add_flag("--ut", a.universal);
  app.add_flag("--precis", a.precise);
  app.add_flag("--nuit", a.night);
  app.add_flag("-h,--help", a.help);
  app.add_flag("--version", a.version);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ArgumentMismatch&) {
    return commandLine(Reason::OptionNeedsValue, optionWithoutValue(argc, argv));
  } catch (const CLI::ConversionError&) {
    return commandLine(Reason::FlagWithValue, flagWithValue(argc, argv));
  } catch (const CLI::ParseError&) {
    return commandLine(Reason::CommandLineInvalid);
  }
  a.eventsGiven = events->count();
  // Given without its year, the option may still hold an empty value.
  std::erase(a.events, std::string());
  for (const std::string& unknown : app.remaining()) {
    if (unknown != "--") {
      return commandLine(Reason::OptionUnknown, unknown);
    }
  }
  // One element for each time --evenements was given, to be counted with
  // the others (it must outlive the list below).
  const std::vector<std::string> eventsTimes(a.eventsGiven);
  for (const auto& [name, values] :
       {std::pair<std::string_view, const std::vector<std::string>&>{"--from", a.from},
        {"--to", a.to},
        {"--step", a.step},
        {"--format", a.format},
        {"--delta-t", a.deltaT},
        {"--lieu", a.place},
        {"--fuseau", a.zone},
        {"--types", a.types},
        {"--eclipse", a.eclipse},
        {"--evenements", eventsTimes}}) {
    if (values.size() > 1) {
      return commandLine(Reason::OptionRepeated, std::string(name));
    }
  }
  return a;
}

// What is wrong with a part of the command line, if anything. Each part is
// read into the request by a function of its own, in the order of the
// checks: the time scale, the place and the zone, the format; then the
// events or the dates.
using Check = std::optional<Refusal>;

// The time scale: --ut, and --delta-t, which implies it; and the theory of
// the report, --precis.
Check readTimeScale(const Arguments& a, Request& request) {
  request.theory = a.precise ? astro::Theory::Precise : astro::Theory::Classic;
  TimeScale& scale = request.scale;
  scale.universal = a.universal || !a.deltaT.empty();
  if (a.deltaT.empty()) {
    return std::nullopt;
  }
  const Parsed<double> seconds = parseDay(a.deltaT.front());
  if (std::holds_alternative<Refusal>(seconds)) {
    return commandLine(Reason::DeltaTNotANumber, a.deltaT.front());
  }
  scale.deltaT = std::get<double>(seconds);
  if (!(std::fabs(*scale.deltaT) <= TimeScale::largestDeltaT())) {
    Refusal r = commandLine(Reason::DeltaTOutOfRange, a.deltaT.front());
    r.detail = std::to_string(static_cast<std::int64_t>(TimeScale::largestDeltaT()));
    return r;
  }
  return std::nullopt;
}

// A zone by its name, or by its other name when the system's tz data lacks
// it (with a note naming the one taken).
Parsed<Zone> zoneOrAlias(std::string_view name, std::vector<std::string>& notes) {
  Parsed<Zone> zone = parseZone(name);
  const Refusal* r = std::get_if<Refusal>(&zone);
  const std::string_view alias = zoneAlias(name);
  if (r != nullptr && r->reason == Reason::ZoneUnknown && !alias.empty()) {
    Parsed<Zone> other = parseZone(alias);
    if (std::holds_alternative<Zone>(other)) {
      notes.push_back(catalogue::zoneAliasTaken(name, alias));
      return other;
    }
  }
  return zone;
}

// How far the nearest known place may lie from coordinates for its zone to
// be taken.
constexpr double kNearEnoughKm = 100;

// The zone of the nearest of the known places near coordinates, if the
// system has it and if they all keep the same clock today (winter and
// summer): else the coordinates may stand across a border between zones
// (the places of Nice and Monaco have two zones but one clock, Lille and
// Brussels too).
std::optional<Zone> zoneOfPlacesNear(const std::vector<NearPlace>& near) {
  if (near.empty()) {
    return std::nullopt;
  }
  std::vector<std::string> ignored;
  Parsed<Zone> nearest = zoneOrAlias(knownPlaces()[near.front().index].zone, ignored);
  if (!std::holds_alternative<Zone>(nearest)) {
    return std::nullopt;
  }
  constexpr double kJanuary2025 = 2460690.5;  // 2025-01-15 0h UT
  constexpr double kJuly2025 = 2460871.5;     // 2025-07-15 0h UT
  const Zone& zone = std::get<Zone>(nearest);
  for (const NearPlace& other : near) {
    Parsed<Zone> its = zoneOrAlias(knownPlaces()[other.index].zone, ignored);
    const Zone* z = std::get_if<Zone>(&its);
    for (const double jd : {kJanuary2025, kJuly2025}) {
      if (z == nullptr || localOffsetSeconds(*z, jd) != localOffsetSeconds(zone, jd)) {
        return std::nullopt;
      }
    }
  }
  return zone;
}

// The place: --lieu, else the environment's default. The zone: --fuseau,
// else the place's (for coordinates, the nearest known place's within
// 100 km), else the environment's. Either makes the dates civil
// times of the zone, turned into UT.
Check readPlaceAndZone(const Arguments& a, Request& request) {
  const char* defaultPlace = std::getenv("EPHEMERIDES_LIEU");
  const std::string placeText = !a.place.empty()          ? a.place.front()
                                : defaultPlace != nullptr ? std::string(defaultPlace)
                                                          : std::string();
  // An empty --lieu is refused (parsePlace says why); an empty
  // environment variable is no place.
  if (!a.place.empty() || !placeText.empty()) {
    Parsed<Place> place = parsePlace(placeText);
    if (const Refusal* r = std::get_if<Refusal>(&place)) {
      Refusal named = *r;
      if (a.place.empty()) {
        // The refusal names where the place came from.
        named.subject = Subject::DefaultPlace;
      }
      return named;
    }
    request.place = std::move(std::get<Place>(place));
  }
  std::string unusableTz;
  if (!a.zone.empty()) {
    Parsed<Zone> zone = zoneOrAlias(a.zone.front(), request.notes);
    if (const Refusal* r = std::get_if<Refusal>(&zone)) {
      return *r;
    }
    request.zone = std::move(std::get<Zone>(zone));
  } else if (request.place && !request.place->zone.empty()) {
    Parsed<Zone> zone = zoneOrAlias(request.place->zone, request.notes);
    if (std::holds_alternative<Zone>(zone)) {
      request.zone = std::move(std::get<Zone>(zone));
    } else {
      // The system's tz data lacks the place's zone under either name.
      request.zone = zoneFromEnvironment(&unusableTz);
      request.notes.push_back(
          catalogue::zoneMissing(request.place->name, request.place->zone, request.zone.name));
    }
  } else if (request.place) {
    // Coordinates: the zone of the nearest known place, when it is near
    // enough to be safe; else TZ's, else UTC, with a note either way.
    const std::vector<NearPlace> near = knownPlacesNear(request.place->observer, kNearEnoughKm);
    std::optional<Zone> nearZone = zoneOfPlacesNear(near);
    if (nearZone) {
      request.zone = *std::move(nearZone);
      request.notes.push_back(catalogue::zoneOfNearestPlace(
          request.zone.name, knownPlaceName(near.front().index), near.front().distanceKm));
    } else {
      request.zone = zoneFromEnvironment(&unusableTz);
      request.notes.push_back(catalogue::noPlaceNear(static_cast<int>(kNearEnoughKm),
                                                     request.zone.rules ? request.zone.name : ""));
    }
  } else {
    request.zone = zoneFromEnvironment(&unusableTz);
  }
  request.civil = request.place.has_value() || !a.zone.empty();
  if (request.civil && !unusableTz.empty()) {
    request.notes.push_back(catalogue::tzUnusable(unusableTz));
  }
  if (request.civil) {
    request.scale.universal = true;
  }
  return std::nullopt;
}

// The format's name, and that the options of a range go together.
Check readFormat(const Arguments& a, Request& request) {
  if (!a.format.empty()) {
    const FormatWriters* writers = writersNamed(a.format.front());
    if (writers == nullptr) {
      return commandLine(Reason::FormatUnknown, a.format.front());
    }
    request.format = writers->format;
  }
  const bool range = !a.from.empty() || !a.to.empty();
  if (range && (a.from.empty() || a.to.empty())) {
    return commandLine(Reason::RangeNeedsBothEnds);
  }
  if (!a.step.empty() && !range) {
    return commandLine(Reason::StepWithoutRange);
  }
  if (range && !a.dates.empty()) {
    return commandLine(Reason::DatesAndRange);
  }
  return std::nullopt;
}

// The Julian Day (UT) of a limit of the events' interval: a civil time
// turned into UT. `wholeDayOn`: a date without a time of day stands for the
// whole day, so the end of the interval is the next midnight.
Parsed<double> eventsLimit(const Request& request, DateEntry entry, bool wholeDayOn,
                           std::vector<std::string>& notes) {
  if (wholeDayOn && !entry.universal && entry.date.day == std::floor(entry.date.day)) {
    entry.date.day += 1;
  }
  const Parsed<ToReport> ut = toReport(request, entry, false);
  if (const Refusal* r = std::get_if<Refusal>(&ut)) {
    return *r;
  }
  if (std::get<ToReport>(ut).ambiguous) {
    notes.push_back(catalogue::ambiguousLocalTime(entry.label, request.zone.name));
  }
  return astro::julianDay(std::get<ToReport>(ut).entry.date);
}

// The same for a date word of --from or --to.
Parsed<double> eventsLimit(const Request& request, std::string_view word, bool wholeDayOn,
                           std::vector<std::string>& notes) {
  const Parsed<DateEntry> parsed = parseDateWord(word);
  if (const Refusal* r = std::get_if<Refusal>(&parsed)) {
    return *r;
  }
  return eventsLimit(request, std::get<DateEntry>(parsed), wholeDayOn, notes);
}

// The events' interval: the year of --evenements, from its first day to
// the next year's, or --from and --to.
Check readEventsInterval(const Arguments& a, Request& request) {
  Parsed<double> start = 0.0;
  Parsed<double> end = 0.0;
  std::string from;
  std::string to;
  std::vector<std::string> notes;
  if (!a.events.empty()) {
    const Parsed<std::int32_t> year = parseYear(a.events.front());
    const std::int32_t* y = std::get_if<std::int32_t>(&year);
    // The year and the first day of the next must both be dates.
    if (y == nullptr || *y >= kFarthestYear || *y <= -kFarthestYear) {
      return commandLine(Reason::EventsYearNotWhole, a.events.front());
    }
    const astro::CalendarDate first{*y, 1, 1.0};
    const astro::CalendarDate next{*y + 1, 1, 1.0};
    from = labelOf(first);
    to = labelOf(next);
    start = eventsLimit(request, DateEntry{first, from}, false, notes);
    end = eventsLimit(request, DateEntry{next, to}, false, notes);
  } else {
    from = a.from.front();
    to = a.to.front();
    start = eventsLimit(request, from, false, notes);
    end = eventsLimit(request, to, true, notes);
  }
  for (const Refusal* r : {std::get_if<Refusal>(&start), std::get_if<Refusal>(&end)}) {
    if (r != nullptr) {
      return *r;
    }
  }
  request.notes.insert(request.notes.end(), notes.begin(), notes.end());
  request.eventsStart = std::get<double>(start);
  request.eventsEnd = std::get<double>(end);
  if (request.eventsEnd == request.eventsStart) {
    return Refusal{Subject::Range, Reason::EventsIntervalEmpty, to, from};
  }
  if (!(request.eventsEnd > request.eventsStart)) {
    return Refusal{Subject::Range, Reason::RangeBackwards, to, from};
  }
  constexpr double kLongest = 10'000 * 365.25;  // days
  if (request.eventsEnd - request.eventsStart > kLongest) {
    return commandLine(Reason::EventsTooLong);
  }
  if (request.format == Format::Ics && !icsHolds(request.eventsStart, request.eventsEnd)) {
    return commandLine(Reason::IcsYearsOutOfRange);
  }
  return std::nullopt;
}

// The events: their kinds, and a year or --from and --to, in a format that
// writes events.
Check readEvents(const Arguments& a, Request& request) {
  request.source = Request::Source::Events;
  if (!a.dates.empty()) {
    return commandLine(Reason::EventsWithDates);
  }
  if (!a.step.empty()) {
    return commandLine(Reason::EventsWithStep);
  }
  if (writersOf(request.format).events.event == nullptr) {
    return commandLine(Reason::FormatNotForEvents);
  }
  if (!a.types.empty()) {
    const Parsed<astro::EventKindSet> kinds = parseEventKinds(a.types.front());
    if (const Refusal* r = std::get_if<Refusal>(&kinds)) {
      return *r;
    }
    request.kinds = std::get<astro::EventKindSet>(kinds);
  }
  const bool range = !a.from.empty() && !a.to.empty();
  if (!a.events.empty() && range) {
    return commandLine(Reason::EventsWithDates);
  }
  if (a.events.empty() && !range) {
    return commandLine(Reason::EventsNeedAnInterval);
  }
  return readEventsInterval(a, request);
}

// The range of dates of --from, --to and --step. With civil time, a range
// by whole days steps from day to day on the zone's clock (each date turned
// into UT when its turn comes); a finer one steps in UT from its first
// instant.
Check readRange(const Arguments& a, Request& request) {
  const Parsed<DateEntry> from = parseDateWord(a.from.front());
  const Parsed<DateEntry> to = parseDateWord(a.to.front());
  const Parsed<std::int64_t> step = parseStepMilliseconds(a.step.empty() ? "1d" : a.step.front());
  for (const Refusal* r :
       {std::get_if<Refusal>(&from), std::get_if<Refusal>(&to), std::get_if<Refusal>(&step)}) {
    if (r != nullptr) {
      return *r;
    }
  }
  const std::int64_t stepMilliseconds = std::get<std::int64_t>(step);
  const bool byClock = request.civil && stepMilliseconds % kMillisecondsPerDay == 0;
  DateEntry first = std::get<DateEntry>(from);
  DateEntry last = std::get<DateEntry>(to);
  for (DateEntry* limit : {&first, &last}) {
    if (!byClock) {
      const Parsed<ToReport> ut = toReport(request, *limit, false);
      if (const Refusal* r = std::get_if<Refusal>(&ut)) {
        return *r;
      }
      if (std::get<ToReport>(ut).ambiguous) {
        // A limit the clock shows twice: which one is taken, as for a date.
        request.notes.push_back(catalogue::ambiguousLocalTime(limit->label, request.zone.name));
      }
      *limit = std::get<ToReport>(ut).entry;
    } else if (limit->universal) {
      // A limit given as an instant (with its offset) on a clock range: its
      // civil time in the zone.
      const LocalTime local = localTimeOf(request.zone, astro::julianDay(limit->date));
      limit->date = calendarDateOf(local.local);
      limit->universal = false;
    }
  }
  const bool universal = first.universal || last.universal;
  const Parsed<DateRange> dates =
      DateRange::make(first.date, last.date, stepMilliseconds, universal);
  if (const Refusal* r = std::get_if<Refusal>(&dates)) {
    // Quoted as typed, not as the dates they were turned into.
    Refusal typed = *r;
    if (r->reason == Reason::RangeBackwards) {
      typed.word = a.to.front();
      typed.detail = a.from.front();
    } else if (r->reason == Reason::RangeTooLong) {
      typed.word = a.from.front() + " .. " + a.to.front();
    }
    return typed;
  }
  request.source = Request::Source::Range;
  request.range = std::get<DateRange>(dates);
  return std::nullopt;
}

// The dates: a range, date words, or the dialogue's answers, in a format
// that writes dates (a picture of one date word).
Check readDates(const Arguments& a, Request& request) {
  if (!a.types.empty()) {
    return commandLine(Reason::TypesWithoutEvents);
  }
  const FormatWriters& writers = writersOf(request.format);
  if (writers.dates.date == nullptr) {
    return commandLine(Reason::FormatOnlyForEvents, std::string(writers.name));
  }
  const bool range = !a.from.empty();
  if (request.format == Format::Svg && (range || a.dates.size() != 1)) {
    return commandLine(Reason::PictureOfOneDate);
  }
  if (range) {
    return readRange(a, request);
  }
  if (!a.dates.empty()) {
    request.source = Request::Source::Words;
    request.words = a.dates;
  } else {
    // Nothing but the time scale: the dialogue in that scale; with a format,
    // the dialogue's answers without prompts.
    request.source = a.format.empty() ? Request::Source::Dialogue : Request::Source::Input;
  }
  return std::nullopt;
}

// The night's view: a place, at most one date, no range and no events,
// in a format that writes a night.
Check readNight(const Arguments& a, Request& request) {
  if (!request.place) {
    return commandLine(Reason::NightNeedsPlace);
  }
  if (!a.from.empty() || !a.to.empty() || !a.step.empty() || a.eventsGiven > 0 ||
      !a.types.empty()) {
    return commandLine(Reason::NightWithRange);
  }
  if (a.dates.size() > 1) {
    return commandLine(Reason::NightOfOneDate);
  }
  if (request.format == Format::Ics) {
    return commandLine(Reason::NightFormat);
  }
  request.source = Request::Source::Night;
  request.words = a.dates;
  return std::nullopt;
}

// The picture of an eclipse: the day of --eclipse, alone, as SVG.
Check readEclipse(const Arguments& a, Request& request) {
  if (a.eventsGiven > 0 || !a.dates.empty() || !a.from.empty() || !a.to.empty() ||
      !a.step.empty() || !a.types.empty()) {
    return commandLine(Reason::EclipseAlone);
  }
  if (!a.format.empty() && request.format != Format::Svg) {
    return commandLine(Reason::EclipseOnlySvg);
  }
  request.format = Format::Svg;
  const Parsed<DateEntry> day = parseDateWord(a.eclipse.front());
  if (const Refusal* r = std::get_if<Refusal>(&day)) {
    return *r;
  }
  const Parsed<ToReport> ut = toReport(request, std::get<DateEntry>(day), true);
  if (const Refusal* r = std::get_if<Refusal>(&ut)) {
    return *r;
  }
  const DateEntry& entry = std::get<ToReport>(ut).entry;
  request.source = Request::Source::Eclipse;
  request.eclipseUt = astro::julianDay(entry.date);
  return std::nullopt;
}

// The request the arguments make, checked as a whole.
Parsed<Asked> askedOf(const Arguments& a) {
  Asked asked;
  if (a.help || a.version) {
    asked.what = a.help ? Asked::What::Help : Asked::What::Version;
    return asked;
  }
  const auto what = a.night              ? readNight
                    : !a.eclipse.empty() ? readEclipse
                    : a.eventsGiven > 0  ? readEvents
                                         : readDates;
  for (const auto read : {readTimeScale, readPlaceAndZone, readFormat, what}) {
    if (Check refusal = read(a, asked.request)) {
      return *std::move(refusal);
    }
  }
  return asked;
}

int runWords(Console& console, const Request& request) {
  Reporter reporter(console, request);
  bool refused = false;
  for (const std::string& word : request.words) {
    const Parsed<DateEntry> entry = parseDateWord(word);
    if (const Refusal* r = std::get_if<Refusal>(&entry)) {
      complain(console, *r);
      refused = true;
    } else {
      reporter.report(std::get<DateEntry>(entry));
    }
    if (!console.output.ok()) {
      return reporter.finish(Reading::OutputFailed);
    }
  }
  return reporter.finish(refused ? Reading::SomeRefused : Reading::AllAccepted);
}

int runRange(Console& console, const Request& request) {
  Reporter reporter(console, request);
  DateEntry entry;
  Progress progress(console.errors, showsProgress(console), request.range.size(),
                    Progress::Unit::Dates);
  console.progress = &progress;
  for (std::int64_t k = 0; k < request.range.size() && console.output.ok(); ++k) {
    progress.advance(k);
    request.range.at(k, entry);
    if (request.civil && entry.universal) {
      // A range stepped in UT: each date's label on the zone's clock, as
      // its limits were given.
      entry.label.clear();
      request.range.appendLabel(entry.label,
                                localTimeOf(request.zone, astro::julianDay(entry.date)).local);
    }
    reporter.report(entry, true);
  }
  progress.clear();
  console.progress = nullptr;
  return reporter.finish(console.output.ok() ? Reading::AllAccepted : Reading::OutputFailed);
}

int runEclipse(Console& console, const Request& request) {
  const std::optional<FoundEvent> found = eclipseNear(request, request.eclipseUt);
  if (!found) {
    complain(console, catalogue::eclipses::kNoEclipse);
    return finish(console, Reading::SomeRefused);
  }
  std::string picture;
  appendEclipseChart(picture, *found, request);
  console.output.write(picture);
  return finish(console, console.output.ok() ? Reading::AllAccepted : Reading::OutputFailed);
}

int runInput(Console& console, const Request& request) {
  Reporter reporter(console, request);
  return reporter.finish(
      readDates(console, false, [&](const DateEntry& entry) { reporter.report(entry); }));
}

}  // namespace

int run(int argc, const char* const* argv, Console& console) {
  if (argc <= 1) {
    return runDialogue(console);
  }
  const Parsed<Arguments> arguments = readArguments(argc, argv);
  const Parsed<Asked> asked = std::holds_alternative<Refusal>(arguments)
                                  ? Parsed<Asked>(std::get<Refusal>(arguments))
                                  : askedOf(std::get<Arguments>(arguments));
  if (const Refusal* r = std::get_if<Refusal>(&asked)) {
    const std::string message = catalogue::usageError(*r);
    console.errors.write(console.errors.terminal() ? wrapped(message) : message);
    return 2;
  }
  const Asked& a = std::get<Asked>(asked);
  for (const std::string& note : a.request.notes) {
    complain(console, note);
  }
  switch (a.what) {
    case Asked::What::Help:
      console.output.write(catalogue::help());
      return finish(console, Reading::AllAccepted);
    case Asked::What::Version:
      console.output.write("ephemerides " + std::string(astro::kVersion) + "\n");
      return finish(console, Reading::AllAccepted);
    case Asked::What::Request:
      break;
  }
  switch (a.request.source) {
    case Request::Source::Words:
      return runWords(console, a.request);
    case Request::Source::Range:
      return runRange(console, a.request);
    case Request::Source::Input:
      return runInput(console, a.request);
    case Request::Source::Events:
      return reportEvents(console, a.request);
    case Request::Source::Night:
      return reportNight(console, a.request);
    case Request::Source::Eclipse:
      return runEclipse(console, a.request);
    case Request::Source::Dialogue:
      break;
  }
  return runDialogue(console, a.request);
}

}  // namespace frontend
