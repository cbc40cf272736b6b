// The events of an interval, in every format.
//
// The interval is in UT; the search runs in TT, its bounds moved by Delta T
// (--delta-t's, or the model's at each bound), and each event's instant is
// brought back to UT with Delta T at the event. Times are written on the
// program's calendar (Julian before 15 October 1582):
//   text     the date and time on the zone's clock (UT without a zone), cut
//            to the minute, and the event in French with its value;
//   csv      event,body,other_body,time_utc,time_tt,local_time,value,unit,status
//   json     the same fields, one object a line;
//   ics      an iCalendar file (RFC 5545): one VEVENT a moment, in UTC, with
//            a UID made of the kind, the bodies and the day, so that the same
//            event keeps its UID from one run to the next.
#include "frontend/write/event_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

#include "frontend/place/place.h"
#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/numbers.h"
#include "frontend/write/records.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

constexpr double kSecondsPerDay = 86400.0;

// The fields of an event in CSV and JSON, in order.
constexpr std::array<std::string_view, 9> kColumns = {
    "event", "body", "other_body", "time_utc", "time_tt", "local_time", "value", "unit", "status"};

// Delta T in seconds at a Julian Day (UT or TT alike: it changes slowly).
double deltaTAt(const Request& request, double jd) {
  return request.scale.deltaT ? *request.scale.deltaT
                              : astro::deltaT(astro::decimalYear(astro::JulianDate{jd}));
}

// YYYY-MM-DDTHH:MM:SS of a Julian Day on the program's calendar, to the
// second (rounded).
void appendIsoSeconds(std::string& out, double jd) {
  const double start = std::floor(jd + 0.5);
  std::int64_t dayNumber = static_cast<std::int64_t>(start);
  std::int64_t second = std::llround((jd + 0.5 - start) * kSecondsPerDay);
  if (second >= 86400) {
    ++dayNumber;
    second -= 86400;
  }
  Moment moment{dayNumber, second * 1000};
  appendDateTime(out, calendarDateOf(moment));
  out.resize(out.size() - 4);  // without the milliseconds
}

// The French number with a decimal comma.
std::string decimal(double value, int decimals) {
  std::string text;
  appendDecimalComma(text, value, decimals);
  return text;
}

// "14/03/2025 07:54": a day and the time of day, cut to the minute.
void appendClockLine(std::string& out, const astro::CalendarDay& day, std::int64_t millisecond) {
  const auto two = [&out](std::int64_t value) { appendZeroPadded(out, value, 2); };
  two(day.day);
  out += '/';
  two(day.month);
  out += '/';
  appendInteger(out, day.year);
  out += ' ';
  const std::int64_t minutes = millisecond / 60'000;
  two(minutes / 60);
  out += ':';
  two(minutes % 60);
}

// The value of an event and its unit, as scripts read them.
struct EventValue {
  double value;
  std::string_view unit;
};

EventValue valueOf(const astro::Event& e) {
  switch (e.kind) {
    case astro::EventKind::Perihelion:
    case astro::EventKind::Aphelion:
      return {e.distanceAu, "au"};
    case astro::EventKind::Perigee:
    case astro::EventKind::Apogee:
      return {e.distanceKm, "km"};
    case astro::EventKind::InferiorConjunction:
    case astro::EventKind::SuperiorConjunction:
    case astro::EventKind::Conjunction:
    case astro::EventKind::Opposition:
    case astro::EventKind::GreatestElongationEast:
    case astro::EventKind::GreatestElongationWest:
    case astro::EventKind::CloseApproach:
      return {astro::degreesOf(e.angle), "deg"};
    default:
      return {std::nan(""), ""};
  }
}

// What the event is, in French, with its value.
std::string sentenceOf(const astro::Event& e) {
  const EventValue v = valueOf(e);
  std::string value;
  if (v.unit == "au") {
    value = decimal(v.value, 5) + " ua";
  } else if (v.unit == "km") {
    value = catalogue::events::groupedKilometres(static_cast<std::int64_t>(std::llround(v.value)));
  } else if (v.unit == "deg") {
    value = decimal(v.value, 1) + "°";
  }
  return catalogue::events::sentence(e.kind, rowOf(e.body).name, rowOf(e.other).name,
                                     e.body == astro::Body::Moon, e.other == astro::Body::Moon,
                                     value);
}

// An iCalendar content line, folded at 75 octets (not within a UTF-8
// character), with CRLF.
void icsLine(std::string& out, std::string_view line) {
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < line.size()) {
    const std::size_t length =
        std::max<std::size_t>(1, utf8SequenceLength(static_cast<unsigned char>(line[i])));
    if (used + length > 75) {
      out += "\r\n ";
      used = 1;
    }
    out.append(line.substr(i, length));
    used += length;
    i += length;
  }
  out += "\r\n";
}

// Text escaped as RFC 5545 wants it: backslash, semicolon, comma.
std::string icsText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
    }
    out += c;
  }
  return out;
}

// 20250314T065436Z
std::string icsTime(double jdUt) {
  std::string iso;
  appendIsoSeconds(iso, jdUt);
  std::string out;
  for (const char c : iso) {
    if (c != '-' && c != ':') {
      out += c;
    }
  }
  return out + "Z";
}

void appendEvent(std::string& out, const Request& request, const astro::Event& e, double ut) {
  const EventValue v = valueOf(e);
  std::string local;
  if (request.civil) {
    appendIsoWithOffset(local, localTimeOf(request.zone, ut));
  }
  if (request.format == Format::Text) {
    if (request.civil) {
      const LocalTime time = localTimeOf(request.zone, ut);
      appendClockLine(out, time.day, time.local.millisecond);
    } else {
      const double start = std::floor(ut + 0.5);
      appendClockLine(out, astro::calendarDay(static_cast<std::int64_t>(start)),
                      static_cast<std::int64_t>((ut + 0.5 - start) * 86'400'000));
    }
    out += "  ";
    out += sentenceOf(e);
    out += '\n';
    return;
  }
  if (request.format == Format::Ics) {
    std::string day = icsTime(ut).substr(0, 8);
    std::string uid(astro::eventKindId(e.kind));
    uid += '-';
    uid += astro::bodyId(e.body);
    if (e.other != e.body) {
      uid += '-';
      uid += astro::bodyId(e.other);
    }
    icsLine(out, "BEGIN:VEVENT");
    icsLine(out, "UID:" + uid + "-" + day + "@ephemerides");
    icsLine(out, "DTSTAMP:" + icsTime(ut));
    icsLine(out, "DTSTART:" + icsTime(ut));
    icsLine(out, "SUMMARY:" + icsText(sentenceOf(e)));
    icsLine(out, "CATEGORIES:" + std::string(astro::eventKindId(e.kind)));
    icsLine(out, "TRANSP:TRANSPARENT");
    icsLine(out, "END:VEVENT");
    return;
  }
  std::string utc;
  appendIsoSeconds(utc, ut);
  utc += 'Z';
  std::string tt;
  appendIsoSeconds(tt, e.jd);
  const std::string_view other = e.other != e.body ? astro::bodyId(e.other) : std::string_view{};
  const Value values[] = {Value::text(astro::eventKindId(e.kind)),
                          Value::text(astro::bodyId(e.body)),
                          Value::text(other),
                          Value::text(utc),
                          Value::text(tt),
                          Value::text(local),
                          Value::of(v.value),
                          Value::text(v.unit),
                          Value::text(statusId(e.status))};
  static_assert(std::size(values) == kColumns.size());
  std::array<Field, kColumns.size()> fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i] = Field{kColumns[i], values[i]};
  }
  if (request.format == Format::Json) {
    appendJsonRecord(out, fields);
  } else {
    appendCsvRecord(out, fields);
  }
}

}  // namespace

Parsed<astro::EventKindSet> parseEventKinds(std::string_view text) {
  struct Group {
    std::string_view name;
    astro::EventKindSet kinds;
  };
  using astro::EventKind;
  using astro::eventKindBit;
  static const Group kGroups[] = {
      {"phases", eventKindBit(EventKind::NewMoon) | eventKindBit(EventKind::FirstQuarter) |
                     eventKindBit(EventKind::FullMoon) | eventKindBit(EventKind::LastQuarter)},
      {"saisons", eventKindBit(EventKind::MarchEquinox) | eventKindBit(EventKind::JuneSolstice) |
                      eventKindBit(EventKind::SeptemberEquinox) |
                      eventKindBit(EventKind::DecemberSolstice)},
      {"perihelie", eventKindBit(EventKind::Perihelion) | eventKindBit(EventKind::Aphelion)},
      {"perigee", eventKindBit(EventKind::Perigee) | eventKindBit(EventKind::Apogee)},
      {"conjonctions", eventKindBit(EventKind::InferiorConjunction) |
                           eventKindBit(EventKind::SuperiorConjunction) |
                           eventKindBit(EventKind::Conjunction)},
      {"oppositions", eventKindBit(EventKind::Opposition)},
      {"elongations", eventKindBit(EventKind::GreatestElongationEast) |
                          eventKindBit(EventKind::GreatestElongationWest)},
      {"rapprochements", eventKindBit(EventKind::CloseApproach)},
  };
  astro::EventKindSet kinds = 0;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    const std::string_view word = text.substr(at, comma - at);
    const std::string folded = foldedName(word);
    astro::EventKindSet found = 0;
    for (const Group& group : kGroups) {
      found |= folded == group.name ? group.kinds : 0;
    }
    for (const EventKind kind : astro::kEventKinds) {
      found |= word == astro::eventKindId(kind) ? eventKindBit(kind) : 0;
    }
    if (found == 0) {
      return Refusal{Subject::CommandLine, Reason::EventTypeUnknown, std::string(word), {}};
    }
    kinds |= found;
    at = comma + 1;
  }
  return kinds;
}

int runEvents(Console& console, const Request& request) {
  const double start =
      request.eventsStart + deltaTAt(request, request.eventsStart) / kSecondsPerDay;
  const double end = request.eventsEnd + deltaTAt(request, request.eventsEnd) / kSecondsPerDay;
  std::string& out = console.output.pending();
  switch (request.format) {
    case Format::Text:
      out += catalogue::events::heading(request.civil ? request.zone.name : std::string_view{});
      break;
    case Format::Csv:
      for (const std::string_view column : kColumns) {
        out += column;
        out += ',';
      }
      out.back() = '\n';
      break;
    case Format::Ics:
      icsLine(out, "BEGIN:VCALENDAR");
      icsLine(out, "VERSION:2.0");
      icsLine(out, "PRODID:-//Ephemerides//Ephemerides " + std::string(astro::kVersion) + "//FR");
      icsLine(out, "CALSCALE:GREGORIAN");
      icsLine(out, "METHOD:PUBLISH");
      icsLine(out, "X-WR-CALNAME:" + icsText(catalogue::events::kCalendarName));
      break;
    default:
      break;
  }
  console.output.sent();
  // A year at a time, written as it comes: the library gives the same
  // events for an interval cut in pieces, and a long interval keeps the
  // memory of one year.
  constexpr double kChunk = 365.25;  // days
  bool notComputable = false;
  bool outside = false;
  for (double from = start; from < end && console.output.ok(); from += kChunk) {
    const astro::EventList list = astro::findEvents(
        astro::JulianDate{from}, astro::JulianDate{std::min(from + kChunk, end)}, request.kinds);
    notComputable = notComputable || list.status == astro::Status::NotComputable;
    outside = outside || list.status == astro::Status::OutsideMeasuredSpan;
    for (const astro::Event& e : list.events) {
      // Back to UT; the events of the interval in UT only.
      const double ut = e.jd - deltaTAt(request, e.jd) / kSecondsPerDay;
      if (ut < request.eventsStart || ut >= request.eventsEnd) {
        continue;
      }
      appendEvent(console.output.pending(), request, e, ut);
      console.output.sent();
    }
  }
  if (request.format == Format::Ics) {
    icsLine(console.output.pending(), "END:VCALENDAR");
    console.output.sent();
  }
  Reading reading = console.output.ok() ? Reading::AllAccepted : Reading::OutputFailed;
  if (notComputable && reading == Reading::AllAccepted) {
    complain(console, catalogue::events::kNotComputable);
    reading = Reading::SomeRefused;
  } else if (outside) {
    complain(console, catalogue::events::kOutsideMeasuredSpan);
  }
  return finish(console, reading);
}

}  // namespace frontend
