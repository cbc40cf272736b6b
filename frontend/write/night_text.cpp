// appendNightText, appendNightCsv, appendNightJson: the night's view for a
// person and for scripts, from what nightViewOf computed.
#include "frontend/write/night_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/numbers.h"
#include "frontend/write/place_block.h"
#include "frontend/write/records.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

namespace words = catalogue::night;

constexpr std::size_t kTerminalWidth = 80;
constexpr std::size_t kNameWidth = 10;
constexpr std::size_t kTwilightNameWidth = 32;
constexpr std::size_t kTwilightPartWidth = 22;

double degrees(double radians) {
  return radians * 180.0 / astro::kPi;
}

// "16/01/2025"
void appendDay(std::string& out, const astro::CalendarDay& day) {
  appendZeroPadded(out, day.day, 2);
  out += '/';
  appendZeroPadded(out, day.month, 2);
  out += '/';
  appendInteger(out, day.year);
}

std::string clock(const Request& request, double jdUt) {
  std::string text;
  appendClock(text, request, jdUt);
  return text;
}

// Clauses joined by ", " after a name column of kNameWidth, each line
// within kTerminalWidth columns, the next ones indented to the column.
void appendClauses(std::string& out, std::string_view name,
                   const std::vector<std::string>& clauses) {
  std::size_t lineStart = out.size();
  out += name;
  padToWidth(out, lineStart, kNameWidth);
  bool first = true;
  for (const std::string& clause : clauses) {
    if (!first) {
      out += ',';
      if (displayWidth(std::string_view(out).substr(lineStart)) + 1 + displayWidth(clause) >
          kTerminalWidth) {
        out += '\n';
        lineStart = out.size();
        out.append(kNameWidth, ' ');
      } else {
        out += ' ';
      }
    }
    out += clause;
    first = false;
  }
  out += '\n';
}

// When a body is seen: its windows, worded by where they lie in the night.
std::string windowsOf(const Request& request, const astro::Night& night,
                      const astro::NightBody& body) {
  std::string text;
  for (int w = 0; w < body.windowCount; ++w) {
    const astro::NightWindow& window = body.windows[static_cast<std::size_t>(w)];
    const bool fromDusk = window.part == astro::NightPart::FromDusk;
    const bool beforeMiddle = (fromDusk ? window.end.jd : window.start.jd) < night.middle.jd;
    if (w > 0) {
      text += words::kAnd;
    }
    text += words::window(window.part, beforeMiddle, clock(request, window.start.jd),
                          clock(request, window.end.jd));
  }
  return text;
}

std::string bestOf(const Request& request, const astro::NightBody& body) {
  std::string text(words::kBest);
  text += clock(request, body.best.jd);
  return text;
}

std::string heightOf(const astro::NightBody& body) {
  std::string text = "à ";
  appendInteger(text, static_cast<std::int64_t>(std::floor(degrees(body.bestAltitude))));
  text += words::kHigh;
  text += words::towards(body.bestAzimuth);
  return text;
}

std::string magnitudeOf(double magnitude) {
  std::string text(words::kMagnitude);
  appendDecimalComma(text, magnitude, 1);
  return text;
}

// Why a body is not seen, with the figure that says so.
std::string whyOf(const astro::Night& night, std::size_t index) {
  const astro::NightBody& body = night.bodies[index];
  const astro::Appearance& look = night.looks.bodies[index];
  std::string text(words::why(body.sighting));
  switch (body.sighting) {
    case astro::Sighting::TooFaint:
      text += " (" + magnitudeOf(look.magnitude) + ")";
      break;
    case astro::Sighting::TooCloseToSun:
      text += " (";
      text += words::kAway;
      appendInteger(text, static_cast<std::int64_t>(std::round(degrees(look.elongation.angle))));
      text += words::kFromIt;
      text += ')';
      break;
    case astro::Sighting::TooLow:
      text += " (";
      text += words::kAtMost;
      appendInteger(text, static_cast<std::int64_t>(std::floor(degrees(body.highestInDark))));
      text += "°)";
      break;
    default:
      break;
  }
  return text;
}

void appendSun(std::string& out, const Request& request, const astro::Night& night) {
  const astro::BodyDay& sun = night.day[astro::Body::Sun];
  if (sun.set.outcome != astro::EventOutcome::Occurs && sun.set.outcome == sun.rise.outcome) {
    // Neither sets nor rises: say it once ("toujours levé", "jamais levé").
    std::string day;
    appendDayEvent(day, request, sun.set, DayEventKind::Set);
    appendClauses(out, rowOf(astro::Body::Sun).name, {day});
  } else {
    std::string set(words::kSunset);
    appendDayEvent(set, request, sun.set, DayEventKind::Set);
    std::string rise(words::kSunrise);
    appendDayEvent(rise, request, sun.rise, DayEventKind::Rise);
    appendClauses(out, rowOf(astro::Body::Sun).name, {set, rise});
  }
  out.append(kNameWidth, ' ');
  if (!std::isfinite(night.darkStart.jd)) {
    out += words::kNoDark;
  } else if (night.darkStart.jd == night.start.jd && night.darkEnd.jd == night.start.jd + 1.0) {
    out += words::kDarkAllDay;
  } else {
    out += words::kDark;
    appendClock(out, request, night.darkStart.jd);
    out += words::kAt;
    appendClock(out, request, night.darkEnd.jd);
  }
  out += '\n';
  const astro::DayAlmanac& day = night.day;
  for (const auto& [name, twilight] :
       {std::pair{catalogue::place::kCivil, &day.civil},
        std::pair{catalogue::place::kNautical, &day.nautical},
        std::pair{catalogue::place::kAstronomical, &day.astronomical}}) {
    const std::size_t start = out.size();
    out += name;
    padToWidth(out, start, kTwilightNameWidth);
    std::vector<std::string> parts = twilightParts(request, *twilight, true);
    if (parts.size() == 2) {
      std::swap(parts[0], parts[1]);  // the evening, then the morning
    }
    for (const std::string& part : parts) {
      const std::size_t column = out.size();
      out += part;
      padToWidth(out, column, kTwilightPartWidth);
    }
    while (out.back() == ' ') {
      out.pop_back();
    }
    out += '\n';
  }
}

void appendMoon(std::string& out, const Request& request, const NightView& view) {
  const astro::Night& night = view.night;
  const astro::NightBody& moon = night[astro::Body::Moon];
  std::vector<std::string> first =
      moonPhaseParts(view.moon, night.looks[astro::Body::Moon].illuminatedFraction);
  const std::string_view constellation = catalogue::sky::constellationName(
      view.constellations[static_cast<std::size_t>(astro::Body::Moon)]);
  if (!constellation.empty()) {
    first.push_back(std::string(words::kConstellation) + std::string(constellation));
  }
  appendClauses(out, rowOf(astro::Body::Moon).name, first);
  std::vector<std::string> second;
  if (moon.sighting == astro::Sighting::Visible) {
    second.push_back(std::string(words::kMoonUp) + windowsOf(request, night, moon));
    second.push_back(bestOf(request, moon));
    second.push_back(heightOf(moon));
  } else {
    second.push_back(whyOf(night, static_cast<std::size_t>(astro::Body::Moon)));
  }
  appendClauses(out, "", second);
}

void appendPlanet(std::string& out, const Request& request, const NightView& view,
                  std::size_t index) {
  const astro::Night& night = view.night;
  const astro::NightBody& body = night.bodies[index];
  const std::string_view name = kBodyRows[index].name;
  if (body.sighting != astro::Sighting::Visible) {
    appendClauses(out, name, {std::string(words::kInvisible) + whyOf(night, index)});
    return;
  }
  std::vector<std::string> first{std::string(words::kVisible) + windowsOf(request, night, body),
                                 magnitudeOf(night.looks.bodies[index].magnitude)};
  const std::string_view constellation =
      catalogue::sky::constellationName(view.constellations[index]);
  if (!constellation.empty()) {
    first.push_back(std::string(words::kConstellation) + std::string(constellation));
  }
  appendClauses(out, name, first);
  appendClauses(out, "", {bestOf(request, body), heightOf(body)});
}

// ---- CSV and JSON ----

// One row: its fields, the texts they point into kept alongside.
struct Row {
  std::deque<std::string> texts;
  std::vector<Field> fields;

  void text(std::string_view name, std::string value) {
    texts.push_back(std::move(value));
    fields.push_back(Field{name, Value::text(texts.back())});
  }
  void number(std::string_view name, double value) {
    fields.push_back(Field{name, Value::of(value)});
  }
};

std::string isoOf(const Request& request, double jdUt) {
  std::string text;
  if (std::isfinite(jdUt)) {
    appendIsoWithOffset(text, localTimeOf(request.zone, jdUt));
  }
  return text;
}

std::string isoOf(const Request& request, const astro::DayEvent& event) {
  std::string text;
  appendEventTime(text, request, event);
  return text;
}

std::string isoDay(const astro::CalendarDay& day) {
  std::string text;
  if (day.year < 0) {
    text += '-';
  }
  appendZeroPadded(text, day.year < 0 ? -static_cast<std::int64_t>(day.year) : day.year, 4);
  text += '-';
  appendZeroPadded(text, day.month, 2);
  text += '-';
  appendZeroPadded(text, day.day, 2);
  return text;
}

std::string_view compassOf(double azimuth) {
  constexpr std::array<std::string_view, 8> kPoints = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
  const double eighths = std::round(azimuth / (2.0 * astro::kPi) * 8.0);
  if (!std::isfinite(eighths)) {
    return {};
  }
  const auto k = static_cast<std::int64_t>(eighths);
  return kPoints[static_cast<std::size_t>(((k % 8) + 8) % 8)];
}

Row nightRow(const Request& request, const NightView& view, std::size_t index) {
  const astro::Night& night = view.night;
  const astro::DayAlmanac& day = night.day;
  const double none = std::nan("");
  Row row;
  row.text("night", isoDay(view.evening));
  row.text("zone", request.zone.name);
  const astro::Observer& o = request.place->observer;
  row.number("latitude_deg", degrees(o.latitude));
  row.number("longitude_deg", degrees(o.longitude));
  row.text("sunset", isoOf(request, day[astro::Body::Sun].set));
  row.text("civil_dusk", isoOf(request, day.civil.evening));
  row.text("nautical_dusk", isoOf(request, day.nautical.evening));
  row.text("astronomical_dusk", isoOf(request, day.astronomical.evening));
  row.text("astronomical_dawn", isoOf(request, day.astronomical.morning));
  row.text("nautical_dawn", isoOf(request, day.nautical.morning));
  row.text("civil_dawn", isoOf(request, day.civil.morning));
  row.text("sunrise", isoOf(request, day[astro::Body::Sun].rise));
  row.text("dark_start", isoOf(request, night.darkStart.jd));
  row.text("dark_end", isoOf(request, night.darkEnd.jd));

  const astro::Body body = astro::kBodies[index];
  const bool sun = body == astro::Body::Sun;
  const astro::NightBody& b = night.bodies[index];
  const astro::Appearance& look = night.looks.bodies[index];
  row.text("body", std::string(astro::bodyId(body)));
  row.text("sighting", sun ? std::string() : std::string(astro::sightingId(b.sighting)));
  const auto window = [&](int w, bool end) {
    return w < b.windowCount ? isoOf(request, end ? b.windows[static_cast<std::size_t>(w)].end.jd
                                                  : b.windows[static_cast<std::size_t>(w)].start.jd)
                             : std::string();
  };
  row.text("when",
           b.windowCount > 0 ? std::string(astro::nightPartId(b.windows[0].part)) : std::string());
  row.text("start", window(0, false));
  row.text("end", window(0, true));
  row.text("second_start", window(1, false));
  row.text("second_end", window(1, true));
  row.text("best_time", isoOf(request, b.best.jd));
  row.number("best_altitude_deg", degrees(b.bestAltitude));
  row.number("best_azimuth_deg", degrees(b.bestAzimuth));
  row.text("best_direction", std::string(compassOf(b.bestAzimuth)));
  row.number("magnitude", look.magnitude);
  row.text("constellation",
           std::string(astro::constellationAt(view.constellations[index]).abbreviation));
  row.number("elongation_deg", sun ? none : degrees(look.elongation.angle));
  row.text("rise", isoOf(request, day.bodies[index].rise));
  row.text("set", isoOf(request, day.bodies[index].set));
  const bool moon = body == astro::Body::Moon;
  const bool aged = moon && view.moon.status != astro::Status::NotComputable;
  row.text("phase", aged ? std::string(astro::moonPhaseId(view.moon.phase)) : std::string());
  row.number("age_days", aged ? view.moon.ageDays : none);
  row.number("illuminated_fraction", moon ? look.illuminatedFraction : none);
  return row;
}

}  // namespace

void appendNightText(std::string& out, const Request& request, const NightView& view) {
  const astro::Night& night = view.night;
  appendPlaceLine(out, request, localTimeOf(request.zone, night.middle.jd));
  out += words::kHeading;
  appendDay(out, view.evening);
  out += words::kTo;
  appendDay(out, view.morning);
  out += '\n';
  out += catalogue::place::kRule;
  if (night.status == astro::Status::NotComputable) {
    out += catalogue::kNotComputable;
    out += '\n';
    return;
  }
  appendSun(out, request, night);
  out += catalogue::place::kRule;
  appendMoon(out, request, view);
  for (std::size_t index = 2; index < astro::kBodyCount; ++index) {
    appendPlanet(out, request, view, index);
  }
  out += catalogue::place::kRule;
  out += words::kRule;
}

void appendNightCsvHeader(std::string& out) {
  const Request none;
  NightView nothing{};
  // The names alone: a row of nothing gives them (a place is needed).
  Request named = none;
  named.place = Place{};
  for (const Field& f : nightRow(named, nothing, 0).fields) {
    out += f.name;
    out += ',';
  }
  out.back() = '\n';
}

void appendNightCsv(std::string& out, const Request& request, const NightView& view) {
  for (std::size_t index = 0; index < astro::kBodyCount; ++index) {
    const Row row = nightRow(request, view, index);
    appendCsvRecord(out, row.fields);
  }
}

void appendNightJson(std::string& out, const Request& request, const NightView& view) {
  for (std::size_t index = 0; index < astro::kBodyCount; ++index) {
    const Row row = nightRow(request, view, index);
    appendJsonRecord(out, row.fields);
  }
}

}  // namespace frontend
