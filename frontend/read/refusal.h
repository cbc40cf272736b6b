// Why a word, a date or a command line was refused: what was refused, the
// reason, and the words it concerns. The parsers and checks return these;
// the catalogue turns them into messages.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace frontend {

// What was refused.
enum class Subject : std::uint8_t {
  Answer,       // one answer of the dialogue
  Date,         // the date its three answers make
  DateWord,     // a date word of the command line, or a part of one
  Step,         // the step of a range
  Range,        // a range of dates
  CommandLine,  // anything else on the command line
  // The place and the time zone (--lieu, EPHEMERIDES_LIEU, --fuseau).
  Place,         // a place: its coordinates or its name
  DefaultPlace,  // the same, given by EPHEMERIDES_LIEU
  Zone,          // a time zone
};

enum class Reason : std::uint8_t {
  // An answer of the dialogue, or a part of a date word.
  DayNotANumber,
  DayIsAWholeDate,  // a date word (2025-06-21), which the command line takes
  DayDecimalComma,  // detail: the word with a point for its comma
  DayTooLarge,
  MonthNotWhole,
  MonthBeyond32Bits,
  MonthBelowOne,
  YearNotWhole,
  YearBeyond32Bits,
  AnswerTooLong,
  // A whole date.
  CalendarKeyBeyond32Bits,  // year * 10000 + month * 100 does not fit
  DateIncomplete,           // the input ended within a date
  DateNotComputable,        // its instant cannot be computed at all
  BodiesNotComputable,      // detail: the French names of the bodies that cannot be
  // A date word, a step, a range.
  DateWordForm,
  IsoTimeOutOfRange,
  IsoMonthOutOfRange,
  IsoDayNotInMonth,
  IsoDayInCalendarGap,  // 5 to 14 October 1582, which the change of calendar skipped
  IsoOffsetOutOfRange,  // an offset beyond 18 hours
  StepForm,
  RangeLimitTooFar,
  RangeBackwards,       // detail: the first date
  EventsIntervalEmpty,  // the events' --from and --to the same instant; detail: --from
  RangeTooLong,         // detail: how many dates it holds
  // The command line.
  OptionUnknown,
  OptionNeedsValue,
  OptionRepeated,
  FlagWithValue,
  CommandLineInvalid,
  FormatUnknown,
  RangeNeedsBothEnds,
  StepWithoutRange,
  DatesAndRange,
  PictureOfOneDate,
  EclipseAlone,    // --eclipse with dates, a range or events
  EclipseOnlySvg,  // --eclipse in another format than svg
  DeltaTNotANumber,
  DeltaTOutOfRange,  // detail: the largest magnitude, in seconds
  // A place, a time zone, a local time.
  PlaceForm,                 // neither coordinates nor a name
  PlaceLatitudeOutOfRange,   // beyond 90 degrees either way
  PlaceLongitudeOutOfRange,  // beyond 180 degrees either way
  PlaceHeightOutOfRange,     // below -500 m or above 10,000 m
  PlaceUnknown,              // detail: up to three close names, one a line (or nothing)
  PlaceAmbiguous,            // detail: the places of that name, one a line
  ZoneUnknown,
  ZoneFileInvalid,  // detail: the path of its compiled file, not a readable TZif file
  LocalTimeInGap,   // detail: the zone's name; the clock skips that time
  // The events.
  EventTypeUnknown,      // --types: a word that names no kind
  EventsYearNotWhole,    // --evenements: not a whole year
  EventsTooLong,         // more than 10,000 years
  EventsWithDates,       // date words beside --evenements
  EventsNeedAnInterval,  // --evenements with neither a year nor a range
  FormatNotForEvents,    // a format that writes no events (svg)
  FormatOnlyForEvents,   // word: the format's name
  IcsYearsOutOfRange,    // ics: an interval outside the years 1 to 9999 (Gregorian, UTC)
  EventsWithStep,
  TypesWithoutEvents,
  // The night's view.
  NightNeedsPlace,  // --nuit without a place
  NightWithRange,   // --nuit with --from, --to or --step, or --evenements
  NightOfOneDate,   // --nuit with more than one date
  NightFormat,      // --nuit in a format that writes no night (ics)
};

struct Refusal {
  Subject subject;
  Reason reason;
  std::string word;    // what was given (an answer, a date word, an option)
  std::string detail;  // what the message adds, for the reasons that say so
};

template <typename T>
using Parsed = std::variant<T, Refusal>;

}  // namespace frontend
