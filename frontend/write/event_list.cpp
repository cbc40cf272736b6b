// The events in text, CSV and JSON.
#include "frontend/write/event_list.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "frontend/read/date_range.h"
#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/numbers.h"
#include "frontend/write/place_block.h"
#include "frontend/write/records.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

constexpr double kSecondsPerDay = 86400.0;

// The fields of an event in CSV and JSON, in order.
constexpr std::array<std::string_view, 9> kColumns = {
    "event", "body", "other_body", "time_utc", "time_tt", "local_time", "value", "unit", "status"};

// "14/03/2025 07:54": a day and the time of day, cut to the minute.
void appendClockLine(std::string& out, const astro::CalendarDay& day, std::int64_t millisecond) {
  appendZeroPadded(out, day.day, 2);
  out += '/';
  appendZeroPadded(out, day.month, 2);
  out += '/';
  appendInteger(out, day.year);
  out += ' ';
  const std::int64_t minutes = millisecond / 60'000;
  appendZeroPadded(out, minutes / 60, 2);
  out += ':';
  appendZeroPadded(out, minutes % 60, 2);
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

// The fields of an event for scripts; `utc`, `tt` and `local` hold the
// texts the fields point into.
struct EventTexts {
  std::string utc;
  std::string tt;
  std::string local;
};

std::array<Field, kColumns.size()> fieldsOf(const FoundEvent& found, const Request& request,
                                            EventTexts& texts) {
  const astro::Event& e = found.event;
  const EventValue v = valueOf(e);
  if (request.civil) {
    appendIsoWithOffset(texts.local, localTimeOf(request.zone, found.jdUt));
  }
  appendIsoSeconds(texts.utc, found.jdUt);
  texts.utc += 'Z';
  appendIsoSeconds(texts.tt, e.tt.jd);
  const std::string_view other = e.other != e.body ? astro::bodyId(e.other) : std::string_view{};
  const Value values[] = {Value::text(astro::eventKindId(e.kind)),
                          Value::text(astro::bodyId(e.body)),
                          Value::text(other),
                          Value::text(texts.utc),
                          Value::text(texts.tt),
                          Value::text(texts.local),
                          Value::of(v.value),
                          Value::text(v.unit),
                          Value::text(astro::statusId(e.status))};
  static_assert(std::size(values) == kColumns.size());
  std::array<Field, kColumns.size()> fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i] = Field{kColumns[i], values[i]};
  }
  return fields;
}

}  // namespace

void appendIsoSeconds(std::string& out, double jd) {
  const double start = std::floor(jd + 0.5);
  auto dayNumber = static_cast<std::int64_t>(start);
  std::int64_t second = std::llround((jd + 0.5 - start) * kSecondsPerDay);
  if (second >= 86400) {
    ++dayNumber;
    second -= 86400;
  }
  const Moment moment{dayNumber, second * 1000};
  appendDateTime(out, calendarDateOf(moment));
  out.resize(out.size() - 4);  // without the milliseconds
}

std::string sentenceOf(const astro::Event& e) {
  const EventValue v = valueOf(e);
  std::string value;
  if (v.unit == "au") {
    appendDecimalComma(value, v.value, 5);
    value += " ua";
  } else if (v.unit == "km") {
    value = catalogue::events::groupedKilometres(static_cast<std::int64_t>(std::llround(v.value)));
  } else if (v.unit == "deg") {
    appendDecimalComma(value, v.value, 1);
    value += "°";
  }
  return catalogue::events::sentence(e.kind, rowOf(e.body).name, rowOf(e.other).name,
                                     e.body == astro::Body::Moon, e.other == astro::Body::Moon,
                                     value);
}

void appendEventHeading(std::string& out, const Request& request) {
  out += catalogue::events::heading(request.civil ? request.zone.name : std::string_view{});
}

void appendEventLine(std::string& out, const FoundEvent& found, const Request& request) {
  const std::size_t lineStart = out.size();
  const double ut = found.jdUt;
  if (request.civil) {
    const LocalTime time = localTimeOf(request.zone, ut);
    appendClockLine(out, time.day, time.local.millisecond);
  } else {
    const double start = std::floor(ut + 0.5);
    appendClockLine(out, astro::calendarDay(static_cast<std::int64_t>(start)),
                    static_cast<std::int64_t>((ut + 0.5 - start) * 86'400'000));
  }
  out += "  ";
  const std::size_t indent = displayWidth(std::string_view(out).substr(lineStart));
  out += sentenceOf(found.event);
  out += '\n';
  // The Moon's phase under its close approaches, perigees and apogees.
  if (found.moon && found.moon->status != astro::Status::NotComputable) {
    out.append(indent, ' ');
    out += catalogue::events::kMoonPhase;
    const std::vector<std::string> parts = moonPhaseParts(*found.moon, std::nan(""));
    for (const std::string& part : parts) {
      out += part;
      out += part == parts.back() ? "" : ", ";
    }
    out += '\n';
  }
}

void appendEventCsvHeader(std::string& out, const Request&) {
  for (const std::string_view column : kColumns) {
    out += column;
    out += ',';
  }
  out.back() = '\n';
}

void appendEventCsv(std::string& out, const FoundEvent& found, const Request& request) {
  EventTexts texts;
  appendCsvRecord(out, fieldsOf(found, request, texts));
}

void appendEventJson(std::string& out, const FoundEvent& found, const Request& request) {
  EventTexts texts;
  appendJsonRecord(out, fieldsOf(found, request, texts));
}

}  // namespace frontend
