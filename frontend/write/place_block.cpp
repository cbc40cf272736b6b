// The place's block: the sky above it at the date, and its day.
//
// Altitudes and azimuths are topocentric and refracted (standard
// atmosphere), as a person sees them; rising and setting are those of the
// conventional altitudes (the Sun's upper limb, the planets' centres, the
// Moon's upper limb with its parallax). Times are on the zone's clock, cut
// to the minute in the text, to the second in CSV and JSON. The day is the
// local civil day from its midnight, 24 hours long (on the days the clock
// changes, the last or the first hour of the clock's day is missed or
// counted twice).
#include "frontend/write/place_block.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/numbers.h"
#include "frontend/write/sexagesimal.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

namespace words = catalogue::place;

// Columns of the table, in characters: a row is at most 79 wide
// (10 + 9 + 9 + 7 + 14 + 16 + "pas de coucher"), for an 80-column terminal.
constexpr std::size_t kNameWidth = 10;
constexpr std::size_t kAngleWidth = 9;
constexpr std::size_t kMagnitudeWidth = 7;
constexpr std::size_t kEventWidth = 14;
constexpr std::size_t kTransitWidth = 16;
constexpr std::size_t kTwilightNameWidth = 32;
constexpr std::size_t kTwilightPartWidth = 22;
constexpr std::size_t kTerminalWidth = 80;

// "21/06/2025 23:47:12": a local date and time, to the second.
void appendLocalDate(std::string& out, const LocalTime& local) {
  appendLocalDay(out, local);
  out += ' ';
  const std::int64_t seconds = local.local.millisecond / 1000;
  appendZeroPadded(out, seconds / 3600, 2);
  out += ':';
  appendZeroPadded(out, seconds / 60 % 60, 2);
  out += ':';
  appendZeroPadded(out, seconds % 60, 2);
}

// The place's line, then the local date and time.
void appendPlaceHeading(std::string& out, const Request& request, const LocalTime& local) {
  appendPlaceLine(out, request, local);
  out += words::kLocalTime;
  appendLocalDate(out, local);
  out += '\n';
}

}  // namespace

void appendPlaceLine(std::string& out, const Request& request, const LocalTime& local) {
  const std::size_t start = out.size();
  out += words::kPlace;
  out += request.place->name;
  if (!request.place->zone.empty()) {
    const auto degrees = [](double radians) {
      std::string text;
      appendFixed(text, std::fabs(degreesOf(radians)), 2);
      return text;
    };
    const astro::Observer& o = request.place->observer;
    out += " (";
    out += catalogue::coordinatesName(degrees(o.latitude), o.latitude < 0, degrees(o.longitude),
                                      o.longitude < 0, "");
    out += ')';
  }
  const std::size_t zoneStart = out.size();
  out += words::kZone;
  out += request.zone.name;
  out += ", ";
  appendOffset(out, local.offsetSeconds);
  if (!local.abbreviation.empty() && local.abbreviation[0] != '+' && local.abbreviation[0] != '-') {
    out += " (";
    out += local.abbreviation;
    out += ')';
  }
  if (displayWidth(std::string_view(out).substr(start)) > kTerminalWidth) {
    out.replace(zoneStart, words::kZone.size(), words::kZoneOnItsLine);
  }
  out += '\n';
}

namespace {

// A body's row: its altitude and azimuth (or that it is below the
// horizon), its magnitude, its rise, transit and set.
void appendBodyRow(std::string& out, const Request& request, const BodyRow& row,
                   const PlaceView& view, const astro::Appearance& look) {
  const std::size_t start = out.size();
  out += ' ';
  out += row.name;
  padToWidth(out, start, kNameWidth);
  const astro::HorizontalPosition& sky = view.sky[row.body];
  std::size_t column = out.size();
  if (sky.status == astro::Status::NotComputable) {
    out += catalogue::kPositionNotComputable;
    out += '\n';
    return;
  }
  if (sky.altitude < 0) {
    out += words::kBelowHorizon;
    padToWidth(out, column, 2 * kAngleWidth);
  } else {
    appendDegreesMinutes(out, sky.altitude);
    padToWidth(out, column, kAngleWidth);
    column = out.size();
    appendDegreesMinutes(out, sky.azimuth);
    padToWidth(out, column, kAngleWidth);
  }
  column = out.size();
  // No figure where the law of the body's magnitude does not reach (the
  // Moon near new moon); CSV and JSON keep it, with its status.
  std::string magnitude(catalogue::place::kNoMagnitude);
  if (look.magnitudeStatus == astro::MagnitudeStatus::Computed) {
    magnitude.clear();
    appendDecimalComma(magnitude, look.magnitude, 1);
  }
  const std::size_t width = displayWidth(magnitude);
  out.append(width < kMagnitudeWidth - 2 ? kMagnitudeWidth - 2 - width : 0, ' ');
  out += magnitude;
  padToWidth(out, column, kMagnitudeWidth);
  const astro::BodyDay& day = view.day[row.body];
  column = out.size();
  appendDayEvent(out, request, day.rise, DayEventKind::Rise);
  padToWidth(out, column, kEventWidth);
  const std::size_t transitColumn = out.size() - start;
  column = out.size();
  // A second transit in the day (about once a year a planet's) goes on a
  // line of its own under the first, so that the row keeps its width.
  astro::DayEvent transit = day.transit;
  const double secondTransit = transit.secondUt.jd;
  transit.secondUt.jd = std::nan("");
  appendDayEvent(out, request, transit, DayEventKind::Transit);
  padToWidth(out, column, kTransitWidth);
  appendDayEvent(out, request, day.set, DayEventKind::Set);
  out += '\n';
  if (transit.outcome == astro::EventOutcome::Occurs && std::isfinite(secondTransit)) {
    out.append(transitColumn, ' ');
    appendClock(out, request, secondTransit);
    out += '\n';
  }
}

// Each body's constellation, "Mars (Gémeaux)", after "Constellations : ",
// on as many lines of at most 80 columns as it takes, the next ones
// indented.
void appendConstellations(std::string& out, const astro::Instant& instant) {
  // Nothing where no body has a position.
  if (std::none_of(instant.bodies.begin(), instant.bodies.end(), [](const astro::BodyPosition& p) {
        return p.status != astro::Status::NotComputable;
      })) {
    return;
  }
  std::size_t start = out.size();
  out += catalogue::sky::kConstellations;
  bool first = true;
  for (const BodyRow& row : kBodyRows) {
    const astro::BodyPosition& p = instant[row.body];
    if (p.status == astro::Status::NotComputable) {
      continue;
    }
    std::string item(row.name);
    item += " (";
    item += catalogue::sky::constellationName(
        astro::constellation({p.rightAscension, p.declination}, instant.tt).index);
    item += ')';
    if (!first) {
      out += ',';
      if (displayWidth(std::string_view(out).substr(start)) + 1 + displayWidth(item) + 1 >
          kTerminalWidth) {
        out += '\n';
        start = out.size();
        out += "  ";
      } else {
        out += ' ';
      }
    }
    out += item;
    first = false;
  }
  out += '\n';
}

}  // namespace

void appendDegreesMinutes(std::string& out, double radians) {
  const double degrees = degreesOf(radians);
  const double magnitude = std::fabs(degrees);
  double whole = std::floor(magnitude);
  double minutes = std::floor((magnitude - whole) * 60);
  if (minutes >= 60) {
    whole += 1;
    minutes = 0;
  }
  if (degrees < 0 && (whole > 0 || minutes > 0)) {
    out += '-';
  }
  appendInteger(out, static_cast<std::int64_t>(whole));
  out += "° ";
  appendZeroPadded(out, static_cast<std::int64_t>(minutes), 2);
  out += '\'';
}

void appendClock(std::string& out, const Request& request, double jdUt) {
  const LocalTime local = localTimeOf(request.zone, jdUt);
  // The second that CSV and JSON write (rounded), then cut to the minute,
  // so that 16:49:59.6 reads 16:50 in both.
  const std::int64_t minutes = (local.local.millisecond + 500) / 1000 / 60 % 1440;
  appendZeroPadded(out, minutes / 60, 2);
  out += ':';
  appendZeroPadded(out, minutes % 60, 2);
}

void appendLocalDay(std::string& out, const LocalTime& local) {
  appendZeroPadded(out, local.day.day, 2);
  out += '/';
  appendZeroPadded(out, local.day.month, 2);
  out += '/';
  appendInteger(out, local.day.year);
}

void appendOffset(std::string& out, std::int32_t seconds) {
  out += "UTC";
  out += seconds < 0 ? '-' : '+';
  const std::int32_t magnitude = seconds < 0 ? -seconds : seconds;
  appendZeroPadded(out, magnitude / 3600, 2);
  out += ':';
  appendZeroPadded(out, magnitude / 60 % 60, 2);
}

void appendDayEvent(std::string& out, const Request& request, const astro::DayEvent& event,
                    DayEventKind kind) {
  switch (event.outcome) {
    case astro::EventOutcome::Occurs:
      appendClock(out, request, event.ut.jd);
      if (kind == DayEventKind::Transit) {
        out += " (";
        appendDegreesMinutes(out, event.altitude);
        out += ')';
      }
      if (std::isfinite(event.secondUt.jd)) {
        out += ", ";
        appendClock(out, request, event.secondUt.jd);
      }
      return;
    case astro::EventOutcome::AlwaysAbove:
      out += words::kAlwaysUp;
      return;
    case astro::EventOutcome::AlwaysBelow:
      out += words::kNeverUp;
      return;
    case astro::EventOutcome::NotThisDay:
      out += kind == DayEventKind::Rise      ? words::kNoRise
             : kind == DayEventKind::Transit ? words::kNoTransit
                                             : words::kNoSet;
      return;
    case astro::EventOutcome::NotComputable:
      out += catalogue::kNotComputable;
      return;
  }
}

std::vector<std::string> twilightParts(const Request& request, const astro::Twilight& twilight,
                                       bool night) {
  const astro::DayEvent& morning = twilight.morning;
  const astro::DayEvent& evening = twilight.evening;
  if (morning.outcome == astro::EventOutcome::AlwaysAbove) {
    return {std::string(words::kSunStaysAbove)};
  }
  if (morning.outcome == astro::EventOutcome::AlwaysBelow) {
    return {std::string(words::kSunStaysBelow)};
  }
  std::vector<std::string> parts;
  for (const auto& [event, name, none] : {std::tuple{&morning, words::kDawn, words::kNoDawn},
                                          std::tuple{&evening, words::kDusk, words::kNoDusk}}) {
    std::string& part = parts.emplace_back();
    if (event->outcome == astro::EventOutcome::Occurs) {
      part += name;
      appendClock(part, request, event->ut.jd);
    } else if (event->outcome == astro::EventOutcome::NotComputable) {
      part += catalogue::kNotComputable;
    } else {
      part += none;
    }
  }
  // A dusk before the dawn of the same day (Lyon's astronomical dusk about
  // the June solstice, at 00:14): the twilight of the evening before, which
  // ended after midnight; the day's own ends after the next midnight.
  if (!night && morning.outcome == astro::EventOutcome::Occurs &&
      evening.outcome == astro::EventOutcome::Occurs && evening.ut.jd < morning.ut.jd) {
    parts.back() += words::kEveningBefore;
  }
  return parts;
}

void appendPlaceBlock(std::string& out, const Request& request, const Observation& seen) {
  appendPlaceHeading(out, request, *seen.local);
  out += words::kRule;
  out += words::kTitle;
  out += words::kRule;
  for (const BodyRow& row : kBodyRows) {
    appendBodyRow(out, request, row, *seen.place, seen.place->looks[row.body]);
  }
  out += words::kRule;
  const astro::DayAlmanac& day = seen.place->day;
  for (const auto& [name, twilight] :
       {std::pair{words::kCivil, &day.civil}, std::pair{words::kNautical, &day.nautical},
        std::pair{words::kAstronomical, &day.astronomical}}) {
    const std::size_t start = out.size();
    out += name;
    padToWidth(out, start, kTwilightNameWidth);
    // The morning and the evening in two columns.
    for (const std::string& part : twilightParts(request, *twilight)) {
      const std::size_t column = out.size();
      out += part;
      padToWidth(out, column, kTwilightPartWidth);
    }
    while (out.back() == ' ') {
      out.pop_back();
    }
    out += '\n';
  }
  // The Moon's phase by name.
  const std::vector<std::string> moon =
      moonPhaseParts(seen.place->moon, seen.place->looks[astro::Body::Moon].illuminatedFraction);
  if (!moon.empty()) {
    out += words::kMoon;
    for (const std::string& part : moon) {
      out += part;
      out += part == moon.back() ? "\n" : ", ";
    }
  }
  appendConstellations(out, seen.instant);
  out += '\n';
}

std::vector<std::string> moonPhaseParts(const astro::MoonAge& age, double fraction) {
  namespace night = catalogue::night;
  std::vector<std::string> parts;
  if (age.status != astro::Status::NotComputable) {
    parts.emplace_back(night::phaseName(age.phase));
    std::string text(night::kAge);
    appendDecimalComma(text, age.ageDays, 1);
    text += std::round(age.ageDays * 10.0) < 20.0 ? night::kDay : night::kDays;
    parts.push_back(std::move(text));
  }
  if (std::isfinite(fraction)) {
    std::string text(night::kLit);
    appendInteger(text, static_cast<std::int64_t>(std::round(fraction * 100)));
    text += " %";
    parts.push_back(std::move(text));
  }
  return parts;
}

void appendEventTime(std::string& out, const Request& request, const astro::DayEvent& event) {
  if (event.outcome == astro::EventOutcome::Occurs) {
    appendIsoWithOffset(out, localTimeOf(request.zone, event.ut.jd));
  }
}

}  // namespace frontend
