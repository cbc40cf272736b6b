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
#include "frontend/write/records.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

constexpr double kSecondsPerDay = 86400.0;

// The fields of an event in CSV and JSON, in order: then the kind of an
// eclipse and the contacts, each an instant in UT, empty when it does not
// occur (c1 .. c4 for a transit and an occultation).
constexpr std::array<std::string_view, 20> kColumns = {
    "event", "body",   "other_body",   "time_utc", "time_tt", "local_time", "value",
    "unit",  "status", "eclipse_kind", "p1",       "u1",      "u2",         "u3",
    "u4",    "p4",     "c1",           "c2",       "c3",      "c4"};
constexpr std::size_t kFirstContactColumn = 16;

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
    case astro::EventKind::Transit:
      return {astro::degreesOf(e.angle) * 3600.0, "arcsec"};
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
  std::array<std::string, 4> contacts;
};

// The four contacts of a transit or an occultation, NaN where none.
const std::array<astro::TransitContact, 4>* contactsOf(const FoundEvent& found) {
  if (found.transit) return &found.transit->contacts;
  if (found.occultation) return &found.occultation->contacts;
  return nullptr;
}

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
                          Value::text(astro::statusId(e.status)),
                          Value::text(""),
                          Value::text(""),
                          Value::text(""),
                          Value::text(""),
                          Value::text(""),
                          Value::text(""),
                          Value::text(""),
                          Value::text(""),
                          Value::text(""),
                          Value::text(""),
                          Value::text("")};
  static_assert(std::size(values) == kColumns.size());
  std::array<Field, kColumns.size()> fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i] = Field{kColumns[i], values[i]};
  }
  if (const auto* contacts = contactsOf(found)) {
    for (std::size_t i = 0; i < 4; ++i) {
      const double ut = (*contacts)[i].ut.jd;
      if (std::isnan(ut)) continue;
      appendIsoSeconds(texts.contacts[i], ut);
      texts.contacts[i] += 'Z';
      fields[kFirstContactColumn + i].value = Value::text(texts.contacts[i]);
    }
  }
  return fields;
}

// "13:35": a contact's time on the request's clock, cut to the minute;
// empty when it does not occur.
std::string clockOf(const astro::TransitContact& c, const Request& request) {
  std::string out;
  if (std::isnan(c.ut.jd)) return out;
  std::int64_t millisecond = 0;
  if (request.civil) {
    millisecond = localTimeOf(request.zone, c.ut.jd).local.millisecond;
  } else {
    const double start = std::floor(c.ut.jd + 0.5);
    millisecond = static_cast<std::int64_t>((c.ut.jd + 0.5 - start) * 86'400'000);
  }
  const std::int64_t minutes = millisecond / 60'000;
  appendZeroPadded(out, minutes / 60, 2);
  out += ':';
  appendZeroPadded(out, minutes % 60, 2);
  return out;
}

// A whole number of degrees of an angle in radians.
std::int64_t wholeDegrees(double radians) {
  return std::llround(astro::degreesOf(radians));
}

// The lines under a transit or an occultation: its contacts and, from a
// place, the Sun and the Moon above or below the horizon.
void appendContactLines(std::string& out, const FoundEvent& found, const Request& request) {
  std::array<std::string, 4> times;
  if (found.transit) {
    const astro::Transit& t = *found.transit;
    std::array<bool, 4> sunDown{};
    for (std::size_t i = 0; i < 4; ++i) {
      times[i] = clockOf(t.contacts[i], request);
      sunDown[i] = request.place && !std::isnan(t.contacts[i].sunAltitude) &&
                   !astro::limbAboveHorizon(t.contacts[i].sunAltitude, astro::kSunSemiDiameterUp);
    }
    out += catalogue::passages::transitContacts(times, sunDown);
  } else if (found.occultation) {
    const astro::Occultation& o = *found.occultation;
    for (std::size_t i = 0; i < 4; ++i) times[i] = clockOf(o.contacts[i], request);
    const bool central = !std::isnan(o.disappearance.ut.jd);
    const astro::TransitContact& first = central ? o.disappearance : o.greatest;
    const astro::TransitContact& last = central ? o.reappearance : o.greatest;
    out += catalogue::passages::occultationContacts(
        central, clockOf(o.disappearance, request), wholeDegrees(o.disappearance.positionAngle),
        clockOf(o.reappearance, request), wholeDegrees(o.reappearance.positionAngle), times,
        wholeDegrees(first.moonAltitude), wholeDegrees(last.moonAltitude),
        wholeDegrees(first.sunAltitude));
  }
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
  } else if (v.unit == "arcsec") {
    appendInteger(value, std::llround(v.value));
    value += '"';
  }
  return catalogue::events::sentence(e.kind, rowOf(e.body).name, rowOf(e.other).name,
                                     e.body == astro::Body::Moon, e.other == astro::Body::Moon,
                                     value);
}

void appendEventHeading(std::string& out, const Request& request) {
  out += catalogue::events::heading(request.civil ? request.zone.name : std::string_view{});
}

void appendEventLine(std::string& out, const FoundEvent& found, const Request& request) {
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
  out += sentenceOf(found.event);
  out += '\n';
  appendContactLines(out, found, request);
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
