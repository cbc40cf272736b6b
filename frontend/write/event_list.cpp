// The events in text, CSV and JSON.
#include "frontend/write/event_list.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

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

// The fields of an event in CSV and JSON, in order: the eclipses' kind and
// contacts last, empty for the other events.
constexpr std::size_t kContactCount = 10;
constexpr std::array<std::string_view, 20> kColumns = {
    "event", "body",   "other_body",   "time_utc", "time_tt", "local_time", "value",
    "unit",  "status", "eclipse_kind", "p1",       "u1",      "u2",         "u3",
    "u4",    "p4",     "c1",           "c2",       "c3",      "c4"};

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
  std::array<std::string, kContactCount> contacts;  // p1 ... p4, c1 ... c4
};

// An instant of TT as the ISO UT of the columns (empty when NaN).
std::string isoUt(double tt, double deltaT) {
  std::string out;
  if (std::isfinite(tt)) {
    appendIsoSeconds(out, tt - deltaT / kSecondsPerDay);
    out += 'Z';
  }
  return out;
}

// The eclipse's contacts in the order of the columns, TT (NaN when none):
// the Moon's P1 ... P4; the Sun's C1 ... C4 at the place when the request
// has one, else the partial phase on the Earth as C1 and C4.
std::array<double, kContactCount> contactsOf(const EclipseFound& e) {
  std::array<double, kContactCount> t;
  t.fill(std::nan(""));
  if (e.lunar) {
    const astro::LunarEclipse& l = *e.lunar;
    t = {l.p1.jd, l.u1.jd, l.u2.jd, l.u3.jd, l.u4.jd, l.p4.jd, t[6], t[7], t[8], t[9]};
  } else if (e.solarHere) {
    const astro::LocalSolarEclipse& h = *e.solarHere;
    if (h.eclipsed) {
      t[6] = h.c1.tt.jd;
      t[7] = h.c2.tt.jd;
      t[8] = h.c3.tt.jd;
      t[9] = h.c4.tt.jd;
    }
  } else if (e.solar) {
    t[6] = e.solar->partialBegin.jd;
    t[9] = e.solar->partialEnd.jd;
  }
  return t;
}

std::array<Field, kColumns.size()> fieldsOf(const FoundEvent& found, const Request& request,
                                            EventTexts& texts) {
  const astro::Event& e = found.event;
  EventValue v = valueOf(e);
  std::string_view eclipseKind;
  if (found.eclipse) {
    const EclipseFound& eclipse = *found.eclipse;
    const std::array<double, kContactCount> contacts = contactsOf(eclipse);
    for (std::size_t i = 0; i < kContactCount; ++i) {
      texts.contacts[i] = isoUt(contacts[i], eclipse.deltaT);
    }
    if (eclipse.solar) {
      eclipseKind = astro::solarEclipseKindId(eclipse.solar->kind);
      v = {eclipse.solar->magnitude, "magnitude"};
    } else if (eclipse.lunar) {
      eclipseKind = astro::lunarEclipseKindId(eclipse.lunar->kind);
      v = eclipse.lunar->kind == astro::LunarEclipseKind::Penumbral
              ? EventValue{eclipse.lunar->penumbralMagnitude, "penumbral_magnitude"}
              : EventValue{eclipse.lunar->umbralMagnitude, "magnitude"};
    }
  }
  // A transit's or an occultation's contacts as c1 .. c4.
  const std::array<astro::TransitContact, 4>* passage =
      found.transit ? &found.transit->contacts
                    : (found.occultation ? &found.occultation->contacts : nullptr);
  for (std::size_t i = 0; passage != nullptr && i < 4; ++i) {
    const double ut = (*passage)[i].ut.jd;
    if (!std::isnan(ut)) {
      appendIsoSeconds(texts.contacts[kContactCount - 4 + i], ut);
      texts.contacts[kContactCount - 4 + i] += 'Z';
    }
  }
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
                          Value::text(eclipseKind),
                          Value::text(texts.contacts[0]),
                          Value::text(texts.contacts[1]),
                          Value::text(texts.contacts[2]),
                          Value::text(texts.contacts[3]),
                          Value::text(texts.contacts[4]),
                          Value::text(texts.contacts[5]),
                          Value::text(texts.contacts[6]),
                          Value::text(texts.contacts[7]),
                          Value::text(texts.contacts[8]),
                          Value::text(texts.contacts[9])};
  static_assert(std::size(values) == kColumns.size());
  std::array<Field, kColumns.size()> fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i] = Field{kColumns[i], values[i]};
  }
  return fields;
}

// "13:35": a contact's time on the request's clock, cut to the minute;
// empty when it does not occur.
std::string clockOf(const astro::TransitContact& c, const Request& request) {
  return std::isnan(c.ut.jd) ? std::string() : hourMinute(c.ut.jd, request);
}

// A whole number of degrees of an angle in radians.
std::int64_t roundDegrees(double radians) {
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
        central, clockOf(o.disappearance, request), roundDegrees(o.disappearance.positionAngle),
        clockOf(o.reappearance, request), roundDegrees(o.reappearance.positionAngle), times,
        roundDegrees(first.moonAltitude), roundDegrees(last.moonAltitude),
        roundDegrees(first.sunAltitude));
  }
}

// "de 17:34 à 21:59" for two instants of TT.
std::string fromTo(double from, double to, double deltaT, const Request& request) {
  namespace e = catalogue::eclipses;
  return std::string(e::kFrom) + hourMinute(from - deltaT / kSecondsPerDay, request) +
         std::string(e::kTo) + hourMinute(to - deltaT / kSecondsPerDay, request);
}

// "17°", "-1°": an altitude in whole degrees.
std::string wholeDegrees(double radians) {
  std::string out;
  appendInteger(out, std::llround(astro::degreesOf(radians)));
  out += "°";
  return out;
}

// "65,2° N, 25,2° O"
std::string latitudeLongitude(double latitude, double longitude) {
  namespace e = catalogue::eclipses;
  std::string out;
  appendDecimalComma(out, std::fabs(astro::degreesOf(latitude)), 1);
  out += "° ";
  out += latitude < 0 ? e::kSouth : e::kNorth;
  out += ", ";
  appendDecimalComma(out, std::fabs(astro::degreesOf(longitude)), 1);
  out += "° ";
  out += longitude < 0 ? e::kWest : e::kEast;
  return out;
}

// "2 min 18 s"
std::string minutesSeconds(double seconds) {
  const std::int64_t whole = std::llround(seconds);
  std::string out;
  if (whole >= 60) {
    appendInteger(out, whole / 60);
    out += " min ";
  }
  appendInteger(out, whole % 60);
  out += " s";
  return out;
}

std::vector<std::string> solarDetails(const EclipseFound& found, const Request& request) {
  namespace c = catalogue::eclipses;
  const astro::SolarEclipse& e = *found.solar;
  const double dt = found.deltaT;
  std::vector<std::string> lines;
  std::string line = std::string(c::kGreatestAt) + latitudeLongitude(e.latitude, e.longitude);
  if (e.centralDuration > 0) {
    line += ", ";
    line += e.kind == astro::SolarEclipseKind::Annular ? c::kRing : c::kTotality;
    line += minutesSeconds(e.centralDuration);
  }
  line += "\u00a0; ";
  line += c::kPartialOnEarth;
  line += fromTo(e.partialBegin.jd, e.partialEnd.jd, dt, request).substr(c::kFrom.size());
  lines.push_back(line + ".");
  if (!found.solarHere) {
    return lines;
  }
  const astro::LocalSolarEclipse& h = *found.solarHere;
  if (!h.eclipsed) {
    lines.emplace_back(c::kNotHere);
    return lines;
  }
  line =
      std::string(c::kHere) + std::string(c::solarSeen(h.kind)) + ", " + std::string(c::kMagnitude);
  appendDecimalComma(line, h.magnitude, 3);
  line += ", ";
  appendInteger(line, std::llround(100.0 * h.obscuration));
  line += "\u00a0%";
  line += c::kHidden;
  line += "\u00a0; ";
  auto at = [&](std::string_view name, const astro::EclipseContact& contact, bool word) {
    return std::string(name) + hourMinute(contact.tt.jd - dt / kSecondsPerDay, request) + " (" +
           (word ? std::string(c::kAltitude) : std::string()) + wholeDegrees(contact.altitude) +
           ")";
  };
  line += at(c::kBegin, h.c1, true) + ", " + at(c::kMaximum, h.maximum, false) + ", " +
          at(c::kEnd, h.c4, false);
  if (h.c2.occurs && h.c3.occurs) {
    line += ", ";
    line += h.kind == astro::SolarEclipseKind::Annular ? c::kAnnularPhase : c::kTotal;
    line += fromTo(h.c2.tt.jd, h.c3.tt.jd, dt, request);
  }
  if (!h.seen) {
    line += "\u00a0; ";
    line += c::kSunDown;
    lines.push_back(line);
    return lines;
  }
  if (h.atSunrise) {
    line += "\u00a0; ";
    line += c::kAtSunrise;
    line += " (" + hourMinute(h.sunrise.jd - dt / kSecondsPerDay, request) + ")";
  }
  if (h.atSunset) {
    line += "\u00a0; ";
    line += c::kAtSunset;
    line += " (" + hourMinute(h.sunset.jd - dt / kSecondsPerDay, request) + ")";
  }
  lines.push_back(line + ".");
  return lines;
}

std::vector<std::string> lunarDetails(const EclipseFound& found, const Request& request) {
  namespace c = catalogue::eclipses;
  const astro::LunarEclipse& e = *found.lunar;
  const double dt = found.deltaT;
  std::vector<std::string> lines;
  std::string line = std::string(c::kPenumbra) + fromTo(e.p1.jd, e.p4.jd, dt, request);
  if (std::isfinite(e.u1.jd)) {
    line += ", ";
    line += c::kUmbra;
    line += fromTo(e.u1.jd, e.u4.jd, dt, request);
  }
  if (std::isfinite(e.u2.jd)) {
    line += ", ";
    line += c::kTotal;
    line += fromTo(e.u2.jd, e.u3.jd, dt, request);
  }
  lines.push_back(line + ".");
  if (!found.lunarHere) {
    return lines;
  }
  const astro::LocalLunarEclipse& h = *found.lunarHere;
  constexpr std::array<std::string_view, 7> kNames = {"P1", "U1", "U2", "max.", "U3", "U4", "P4"};
  line = std::string(c::kHere) + std::string(h.seen ? c::kMoonUp : c::kMoonDown) + "\u00a0; " +
         std::string(c::kMoonAltitude);
  bool first = true;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (!h.contacts[i].occurs) {
      continue;
    }
    line += first ? "" : ", ";
    line += kNames[i];
    line += "\u00a0";
    line += wholeDegrees(h.contacts[i].altitude);
    first = false;
  }
  lines.push_back(line + ".");
  return lines;
}
}  // namespace

// "19:46": the time of day of an instant (UT) on the request's clock, cut
// to the minute.
std::string hourMinute(double ut, const Request& request) {
  std::int64_t millisecond = 0;
  if (request.civil) {
    millisecond = localTimeOf(request.zone, ut).local.millisecond;
  } else {
    const double start = std::floor(ut + 0.5);
    millisecond = static_cast<std::int64_t>((ut + 0.5 - start) * 86'400'000);
  }
  const std::int64_t minutes = millisecond / 60'000;
  std::string out;
  appendZeroPadded(out, minutes / 60, 2);
  out += ':';
  appendZeroPadded(out, minutes % 60, 2);
  return out;
}

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

std::string sentenceOf(const FoundEvent& found) {
  if (!found.eclipse) {
    return sentenceOf(found.event);
  }
  const EclipseFound& e = *found.eclipse;
  std::string out;
  double magnitude = 0.0;
  if (e.solar) {
    out = catalogue::eclipses::solarTitle(e.solar->kind);
    magnitude = e.solar->magnitude;
  } else if (e.lunar) {
    out = catalogue::eclipses::lunarTitle(e.lunar->kind);
    magnitude = e.lunar->kind == astro::LunarEclipseKind::Penumbral ? e.lunar->penumbralMagnitude
                                                                    : e.lunar->umbralMagnitude;
  }
  out += " (";
  out += catalogue::eclipses::kMagnitude;
  appendDecimalComma(out, magnitude, 3);
  out += ')';
  return out;
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

std::vector<std::string> eclipseDetails(const FoundEvent& found, const Request& request) {
  if (!found.eclipse) {
    return {};
  }
  return found.eclipse->solar ? solarDetails(*found.eclipse, request)
                              : lunarDetails(*found.eclipse, request);
}

void appendWrapped(std::string& out, std::string_view paragraph, std::size_t indent,
                   std::size_t width) {
  std::size_t at = 0;
  while (at < paragraph.size()) {
    // As many words as fit after the indent.
    std::size_t end = paragraph.size();
    if (indent + displayWidth(paragraph.substr(at)) > width) {
      end = at;
      std::size_t space = paragraph.find(' ', at);
      while (space != std::string_view::npos &&
             indent + displayWidth(paragraph.substr(at, space - at)) <= width) {
        end = space;
        space = paragraph.find(' ', space + 1);
      }
      if (end == at) {
        end = space == std::string_view::npos ? paragraph.size() : space;
      }
    }
    out.append(indent, ' ');
    out.append(paragraph.substr(at, end - at));
    out += '\n';
    at = end;
    while (at < paragraph.size() && paragraph[at] == ' ') {
      ++at;
    }
  }
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
  out += sentenceOf(found);
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
  if (found.eclipse) {
    // The circumstances under the sentence, indented as far as it is.
    for (const std::string& paragraph : eclipseDetails(found, request)) {
      appendWrapped(out, paragraph, indent, 80);
    }
  }
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
