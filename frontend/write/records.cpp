// appendCsv, appendJson: reports for scripts, from what the reporter
// computed.
#include "frontend/write/records.h"

#include <cmath>
#include <cstddef>
#include <optional>

#include "frontend/read/date_range.h"
#include "frontend/write/numbers.h"
#include "frontend/write/place_block.h"
#include "frontend/write/sexagesimal.h"

namespace frontend {
namespace {

// The values of one body, in the units of the columns; NaN where there is
// none.
struct BodyValues {
  double raHours;
  double decDegrees;
  double distanceAu;
  double distanceKm;
  double illuminatedFraction;
  double magnitude;
  double phaseAngleDegrees;
  double diameterArcsec;
  double elongationDegrees;
};

BodyValues valuesOf(astro::Body body, const astro::BodyPosition& p, const astro::Appearance& a) {
  const double none = std::nan("");
  if (p.status == astro::Status::NotComputable) {
    return BodyValues{none, none, none, none, none, none, none, none, none};
  }
  // The Moon's fraction is the one its row of the report shows.
  const bool moon = body == astro::Body::Moon;
  return BodyValues{hoursOf(p.rightAscension),
                    degreesOf(p.declination),
                    p.distanceAu,
                    p.distanceKm,
                    moon ? p.illumination : a.illuminatedFraction,
                    a.magnitude,
                    degreesOf(a.phaseAngle),
                    degreesOf(a.angularDiameter) * 3600,
                    body == astro::Body::Sun ? none : degreesOf(a.elongation.angle)};
}

std::string_view scaleId(const TimeScale& scale, const DateEntry& entry) {
  return scale.universalFor(entry) ? "ut" : "tt";
}

// The fields of a date, then of one body, in the order of the CSV columns;
// `visit(name, value)` is called for each. CSV and JSON are both written
// from these, so that they cannot disagree. The date's: its instant, and
// with civil time the zone and the date's local time; with a place, the
// place.
template <typename Visit>
void dateFields(const Observation& seen, const Request& request, Visit&& visit) {
  const DateEntry& entry = seen.entry;
  const astro::Instant& instant = seen.instant;
  std::string datetime;
  appendDateTime(datetime, entry.date);
  const bool computable = instant.status != astro::Status::NotComputable;
  visit("date", Value::text(entry.label));
  visit("datetime", Value::text(datetime));
  visit("year", Value::of(entry.date.year));
  visit("month", Value::of(entry.date.month));
  visit("day", Value::of(entry.date.day));
  visit("jd", Value::of(instant.ut.jd));
  visit("sidereal_h", Value::of(computable ? hoursOf(instant.siderealTime) : std::nan("")));
  visit("time_scale", Value::text(scaleId(request.scale, entry)));
  visit("delta_t_s", Value::of(instant.deltaT));
  if (!request.civil) {
    return;
  }
  std::string local;
  if (seen.local) {
    appendIsoWithOffset(local, *seen.local);
  }
  visit("zone", Value::text(request.zone.name));
  visit("local_time", Value::text(local));
  if (request.place) {
    const astro::Observer& o = request.place->observer;
    visit("latitude_deg", Value::of(degreesOf(o.latitude)));
    visit("longitude_deg", Value::of(degreesOf(o.longitude)));
    visit("height_m", Value::of(o.heightMetres));
  }
}

// With a place, what is seen of one body there: altitude and azimuth, and
// its day; for the Sun, its twilights.
template <typename Visit>
void placeFields(const Observation& seen, const Request& request, astro::Body body, Visit&& visit) {
  const double none = std::nan("");
  const PlaceView* view = seen.place ? &*seen.place : nullptr;
  const astro::HorizontalPosition* sky = view != nullptr ? &view->sky[body] : nullptr;
  const bool computable = sky != nullptr && sky->status != astro::Status::NotComputable;
  visit("altitude_deg", Value::of(computable ? degreesOf(sky->altitude) : none));
  visit("azimuth_deg", Value::of(computable ? degreesOf(sky->azimuth) : none));
  const auto event = [&](std::string_view name, std::string_view status, const astro::DayEvent* e) {
    std::string time;
    if (e != nullptr) {
      appendEventTime(time, request, *e);
    }
    visit(name, Value::text(time));
    if (!status.empty()) {
      visit(status,
            Value::text(e != nullptr ? astro::eventOutcomeId(e->outcome) : std::string_view{}));
    }
  };
  const astro::BodyDay* day = view != nullptr ? &view->day[body] : nullptr;
  event("rise", "rise_status", day != nullptr ? &day->rise : nullptr);
  event("transit", "transit_status", day != nullptr ? &day->transit : nullptr);
  const bool transits = day != nullptr && day->transit.outcome == astro::EventOutcome::Occurs;
  visit("transit_altitude_deg", Value::of(transits ? degreesOf(day->transit.altitude) : none));
  event("set", "set_status", day != nullptr ? &day->set : nullptr);
  const bool sun = view != nullptr && body == astro::Body::Sun;
  event("civil_dawn", "", sun ? &view->day.civil.morning : nullptr);
  event("civil_dusk", "", sun ? &view->day.civil.evening : nullptr);
  event("nautical_dawn", "", sun ? &view->day.nautical.morning : nullptr);
  event("nautical_dusk", "", sun ? &view->day.nautical.evening : nullptr);
  event("astronomical_dawn", "", sun ? &view->day.astronomical.morning : nullptr);
  event("astronomical_dusk", "", sun ? &view->day.astronomical.evening : nullptr);
}

// One body's: its position and how it looks; with a place, what is seen of
// it there.
template <typename Visit>
void bodyFields(const Observation& seen, const Request& request, astro::Body body, Visit&& visit) {
  const astro::BodyPosition& p = seen.instant[body];
  const astro::Appearance a = seen.looks ? (*seen.looks)[body] : astro::Appearance{};
  const BodyValues v = valuesOf(body, p, a);
  visit("body", Value::text(astro::bodyId(body)));
  visit("ra_h", Value::of(v.raHours));
  visit("dec_deg", Value::of(v.decDegrees));
  visit("distance_au", Value::of(v.distanceAu));
  visit("distance_km", Value::of(v.distanceKm));
  visit("illuminated_fraction", Value::of(v.illuminatedFraction));
  visit("status", Value::text(astro::statusId(p.status)));
  visit("magnitude", Value::of(v.magnitude));
  visit("magnitude_status", Value::text(astro::magnitudeStatusId(a.magnitudeStatus)));
  visit("phase_angle_deg", Value::of(v.phaseAngleDegrees));
  visit("apparent_diameter_arcsec", Value::of(v.diameterArcsec));
  visit("elongation_deg", Value::of(v.elongationDegrees));
  visit("elongation_side", Value::text(astro::sunSideId(a.elongation.side)));
  if (request.place) {
    placeFields(seen, request, body, visit);
  }
  // The IAU constellation of the body's place of date, by its abbreviation.
  const bool computable = p.status != astro::Status::NotComputable;
  visit("constellation",
        Value::text(computable
                        ? astro::constellation({p.rightAscension, p.declination}, seen.instant.tt)
                              .abbreviation
                        : std::string_view{}));
}

// Text in a CSV field, quoted when it holds a separator, a quote or a line
// end.
void appendCsvText(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') {
      out += '"';
    }
    out += c;
  }
  out += '"';
}

// A number as its shortest exact text, or `none` when it is not finite.
void appendNumber(std::string& out, double value, std::string_view none) {
  if (std::isfinite(value)) {
    appendShortest(out, value);
  } else {
    out += none;
  }
}

void appendJsonText(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      appendHexByte(out, byte);
    } else {
      out += c;
    }
  }
  out += '"';
}

void appendCsvValue(std::string& out, const Value& v) {
  switch (v.kind) {
    case Value::Kind::Text:
      appendCsvText(out, v.words);
      break;
    case Value::Kind::Whole:
      appendInteger(out, v.whole);
      break;
    case Value::Kind::Number:
      appendNumber(out, v.number, "");
      break;
  }
}

void appendJsonValue(std::string& out, const Value& v) {
  switch (v.kind) {
    case Value::Kind::Text:
      if (v.words.empty()) {
        out += "null";
      } else {
        appendJsonText(out, v.words);
      }
      break;
    case Value::Kind::Whole:
      appendInteger(out, v.whole);
      break;
    case Value::Kind::Number:
      appendNumber(out, v.number, "null");
      break;
  }
}

}  // namespace

void appendCsvRecord(std::string& out, std::span<const Field> fields) {
  for (const Field& f : fields) {
    appendCsvValue(out, f.value);
    out += ',';
  }
  out.back() = '\n';
}

void appendJsonRecord(std::string& out, std::span<const Field> fields) {
  out += '{';
  for (const Field& f : fields) {
    out += '"';
    out += f.name;
    out += "\":";
    appendJsonValue(out, f.value);
    out += ',';
  }
  out.back() = '}';
  out += '\n';
}

void appendCsvHeader(std::string& out, const Request& request) {
  const auto name = [&out](std::string_view field, const Value&) {
    out += field;
    out += ',';
  };
  // Only the names count: an observation of nothing gives them.
  const DateEntry nothing{};
  Observation none{nothing, astro::Instant{}, std::nullopt, std::nullopt, std::nullopt};
  none.instant.ut.jd = std::nan("");
  dateFields(none, request, name);
  bodyFields(none, request, astro::Body::Sun, name);
  out.back() = '\n';
}

void appendCsv(std::string& out, const Observation& seen, const Request& request) {
  // The date's fields begin each of its rows.
  std::string date;
  dateFields(seen, request, [&date](std::string_view, const Value& v) {
    appendCsvValue(date, v);
    date += ',';
  });
  const auto cell = [&out](std::string_view, const Value& v) {
    appendCsvValue(out, v);
    out += ',';
  };
  for (const astro::Body body : astro::kBodies) {
    out += date;
    bodyFields(seen, request, body, cell);
    out.back() = '\n';
  }
}

void appendJson(std::string& out, const Observation& seen, const Request& request) {
  const auto member = [&out](std::string_view field, const Value& v) {
    out += '"';
    out += field;
    out += "\":";
    appendJsonValue(out, v);
    out += ',';
  };
  out += '{';
  dateFields(seen, request, member);
  member("status", Value::text(astro::statusId(seen.instant.status)));
  out += "\"bodies\":[";
  for (const astro::Body body : astro::kBodies) {
    out += '{';
    bodyFields(seen, request, body, member);
    out.back() = '}';
    out += ',';
  }
  out.back() = ']';
  out += "}\n";
}

}  // namespace frontend
