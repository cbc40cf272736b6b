// appendSkyChart: the sky of one date as an SVG picture.
//
// The map is a plain rectangle in right ascension and declination: x grows
// as the right ascension falls (24h at the left edge, 0h at the right), y
// as the declination falls. Angles are turned into hours and degrees with
// the computation's pi, as in the report.
#include "frontend/picture/band_chart.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "frontend/picture/chart_parts.h"
#include "frontend/picture/horizon_chart.h"
#include "frontend/picture/palette.h"
#include "frontend/picture/svg.h"
#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/numbers.h"
#include "frontend/write/place_block.h"
#include "frontend/write/records.h"
#include "frontend/write/sexagesimal.h"
#include "frontend/write/text.h"
#include "frontend/write/text_report.h"

namespace frontend {
namespace {

namespace words = catalogue::chart;

// The canvas and the map inside it, in pixels.
constexpr int kWidth = 1200;
constexpr int kHeight = 660;
constexpr double kMapLeft = 60;
constexpr double kMapRight = 1160;
constexpr double kMapTop = 84;
constexpr double kMapBottom = 504;
constexpr double kLegendTop = 540;
constexpr double kCanvasMargin = 4;    // pixels a label keeps from the canvas' edge
constexpr double kLegendColumn = 560;  // pixels between the legend's columns
constexpr double kLegendLine = 20;
constexpr double kVisibleBeyond = 15;    // degrees from the Sun
constexpr double kAllNightBeyond = 150;  // degrees: rises near sunset, sets near sunrise

// Where the map puts a direction.
struct Map {
  double decLimit;  // degrees, the band runs from -decLimit to +decLimit

  double x(double raHours) const { return kMapLeft + (24 - raHours) / 24 * (kMapRight - kMapLeft); }
  double y(double decDegrees) const {
    return kMapTop + (decLimit - decDegrees) / (2 * decLimit) * (kMapBottom - kMapTop);
  }
};

// "+20°", "0°", "-10°": a declination line's label.
std::string degreeLabel(int degrees) {
  std::string label = degrees > 0 ? "+" : "";
  appendInteger(label, degrees);
  label += "\u00b0";
  return label;
}

// The ecliptic of the date as SVG path data, point by point, from
// longitude 0 (at 0h, the right edge) round to 360 degrees. Where it
// crosses 24h it runs on to the left edge and goes on from the right one,
// at the declination of the crossing.
std::string eclipticPath(const Map& map, double obliquity) {
  std::string path;
  const auto point = [&path](char command, double x, double y) {
    path += command;
    appendFixed(path, x, 2);
    path += ' ';
    appendFixed(path, y, 2);
  };
  double previousHours = 0;
  double previousDec = 0;
  for (int degree = 0; degree <= 360; ++degree) {
    const astro::EquatorialPoint p =
        astro::eclipticToEquatorial(degree * astro::kPi / 180, 0.0, obliquity);
    const double hours = hoursOf(p.rightAscension);
    const double dec = degreesOf(p.declination);
    if (degree > 0 && hours < previousHours - 12) {
      // Past 24h: the crossing, by linear interpolation in hours.
      const double t = (24 - previousHours) / (hours + 24 - previousHours);
      const double crossing = previousDec + t * (dec - previousDec);
      point('L', map.x(24), map.y(crossing));
      if (degree == 360) {
        break;
      }
      point('M', map.x(0), map.y(crossing));
    }
    point(degree == 0 ? 'M' : 'L', map.x(hours), map.y(dec));
    previousHours = hours;
    previousDec = dec;
  }
  return path;
}

// The grid, its labels, the equator and the ecliptic of the date.
void appendFrame(std::string& out, const Map& map, double obliquity) {
  Svg svg(out);
  svg.open("rect")
      .attr("x", kMapLeft)
      .attr("y", kMapTop)
      .attr("width", kMapRight - kMapLeft)
      .attr("height", kMapBottom - kMapTop)
      .attr("fill", palette::kNight)
      .end();
  svg.open("g")
      .attr("id", "grid")
      .attr("stroke", palette::kBandGrid)
      .attr("stroke-width", "1")
      .start();
  for (int hour = 0; hour <= 24; ++hour) {
    line(svg, map.x(hour), kMapTop, map.x(hour), kMapBottom);
    svg.end();
  }
  for (int dec = -90; dec <= 90; dec += 10) {
    if (dec != 0 && std::abs(dec) <= map.decLimit) {
      line(svg, kMapLeft, map.y(dec), kMapRight, map.y(dec));
      svg.end();
    }
  }
  svg.close("g");
  svg.open("g")
      .attr("id", "grid-labels")
      .attr("fill", palette::kMuted)
      .attr("font-size", "12")
      .start();
  for (int hour = 0; hour <= 24; hour += 2) {
    svg.open("text")
        .attr("x", map.x(hour))
        .attr("y", kMapBottom + 16)
        .attr("text-anchor", "middle")
        .text(std::to_string(hour) + "h");
  }
  for (int dec = -90; dec <= 90; dec += 10) {
    if (std::abs(dec) <= map.decLimit) {
      svg.open("text")
          .attr("x", kMapLeft - 6)
          .attr("y", map.y(dec) + 4)
          .attr("text-anchor", "end")
          .text(degreeLabel(dec));
    }
  }
  svg.close("g");
  line(svg, kMapLeft, map.y(0), kMapRight, map.y(0));
  svg.attr("id", "equator").attr("stroke", palette::kEquator).attr("stroke-width", "1.5").end();

  svg.open("path")
      .attr("id", "ecliptic")
      .attr("fill", "none")
      .attr("stroke", palette::kEcliptic)
      .attr("stroke-width", "1.5")
      .attr("stroke-dasharray", "6 4")
      .attr("d", eclipticPath(map, obliquity))
      .end();
}

// What the legend says of one body.
std::string legendLine(const BodyRow& row, const astro::Instant& instant,
                       const astro::Appearance& look) {
  const astro::BodyPosition& p = instant[row.body];
  std::string text(row.name);
  if (p.status == astro::Status::NotComputable) {
    text += " : ";
    text += catalogue::kPositionNotComputable;
    return text;
  }
  // Its constellation: "Mars (Gémeaux) : ".
  text += " (";
  text += catalogue::sky::constellationName(
      astro::constellation({p.rightAscension, p.declination}, instant.tt).index);
  text += ") : ";
  if (row.body == astro::Body::Sun) {
    appendRightAscension(text, p.rightAscension);
    text += ", ";
    appendDegreesMinutes(text, p.declination);
    text.pop_back();  // the minutes' "'" becomes "′"
    text += "′";
    text += words::kMagnitude;
    appendMagnitude(text, look);
    return text;
  }
  // The side of the Sun along the ecliptic: east of it a body follows the
  // Sun across the sky and is seen in the evening, west of it in the
  // morning; near opposition it is up all night.
  const astro::Elongation& elongation = look.elongation;
  const double separation = degreesOf(elongation.angle);
  const bool east = elongation.side == astro::SunSide::East;
  if (row.body == astro::Body::Moon) {
    appendGeneral(text, illuminatedPercent(p.illumination), 5);
    text += words::kIlluminated;
  }
  appendGeneral(text, std::floor(separation), 5);
  text += east ? words::kEastOfSun : words::kWestOfSun;
  if (separation < kVisibleBeyond) {
    text += words::kInvisible;
  } else if (separation >= kAllNightBeyond) {
    text += words::kAllNight;
  } else {
    text += east ? words::kEvening : words::kMorning;
  }
  text += words::kMagnitude;
  appendMagnitude(text, look);
  if (row.showsPhase && row.body != astro::Body::Moon) {
    text += words::kLitAt;
    appendGeneral(text, std::floor(100 * look.illuminatedFraction), 5);
    text += " %";
  }
  return text;
}

// The band: wide enough for every body, 35 degrees either way at least.
Map mapOf(const astro::Instant& instant) {
  double widest = 35;
  for (const astro::BodyPosition& p : instant.bodies) {
    if (p.status != astro::Status::NotComputable) {
      widest = std::max(widest, std::ceil(std::fabs(degreesOf(p.declination)) / 5) * 5 + 5);
    }
  }
  return Map{std::min(widest, 90.0)};
}

// The page, the title with the report's header, the subtitle and what
// makes the picture less than it seems.
void appendHeading(Svg& svg, const Observation& seen) {
  // The date as the place's picture writes it, "01/01/2000 à 12:00", and
  // the Julian Day and sidereal time in words of our own.
  std::string title(words::kTitle);
  const astro::CalendarDate& date = seen.entry.date;
  if (std::isfinite(date.day) && date.day >= 1 && date.day < 33 && date.year > -100'000 &&
      date.year < 100'000) {
    // To the nearest second, then cut to the minute: 18:21 given is
    // 0.76458333... of a day, a hair under 18:21.
    const double whole = std::floor(date.day);
    const auto minutes = static_cast<std::int64_t>(std::round((date.day - whole) * 86400)) / 60;
    appendZeroPadded(title, static_cast<std::int64_t>(whole), 2);
    title += '/';
    appendZeroPadded(title, date.month, 2);
    title += '/';
    appendInteger(title, date.year);
    title += catalogue::horizon::kAtTime;
    appendZeroPadded(title, minutes / 60, 2);
    title += ':';
    appendZeroPadded(title, minutes % 60, 2);
  } else {
    title += seen.entry.label;
  }
  title += words::kJulianDay;
  if (std::isfinite(seen.instant.ut.jd)) {
    appendGeneral(title, seen.instant.ut.jd, 11);  // as the report writes it
  } else {
    title += catalogue::kNotComputable;
  }
  if (seen.instant.status != astro::Status::NotComputable &&
      std::isfinite(seen.instant.siderealTime)) {
    title += words::kSidereal;
    std::string sidereal;
    appendRightAscension(sidereal, seen.instant.siderealTime);
    title += sidereal.substr(sidereal.find_first_not_of(' '));
  }
  title += ')';
  svg.open("title").text(title);
  svg.open("rect").attr("width", "100%").attr("height", "100%").attr("fill", palette::kPage).end();
  svg.open("text")
      .attr("x", kMapLeft)
      .attr("y", 32)
      .attr("fill", palette::kTitle)
      .attr("font-size", "18")
      .attr("font-weight", "bold")
      .text(title);
  svg.open("text")
      .attr("x", kMapLeft)
      .attr("y", 56)
      .attr("fill", palette::kMuted)
      .attr("font-size", "13")
      .text(words::kSubtitle);
  appendWarning(svg, seen.instant, kMapLeft, 75);
}

// The band shows fewer stars than the sky above a place: down to this
// magnitude, named down to kNamedMagnitude.
constexpr double kFaintestStar = 3.5;
constexpr double kNamedMagnitude = 1.5;

// The constellation figures as faint lines, cut by the map's edges (one
// across 0h/24h at both), then the stars down to
// kFaintestStar sized by brightness, at their mean places of the date, both
// clipped by the map; the named stars (<circle class="star" data-hip=...
// data-name=... data-ra-h=... data-dec-deg=...>) are returned for their
// labels.
std::vector<NamedStar> appendStars(std::string& out, const Map& map,
                                   const astro::Instant& instant) {
  Svg svg(out);
  const astro::Precession precession = astro::precessionFromJ2000(instant.tt);
  const auto place = [&](const astro::EquatorialPoint& icrs) {
    const astro::EquatorialPoint p = astro::precess(precession, icrs);
    return std::pair{hoursOf(p.rightAscension), degreesOf(p.declination)};
  };
  svg.open("g")
      .attr("id", "figures")
      .attr("clip-path", "url(#map-area)")
      .attr("stroke", palette::kFigure)
      .attr("stroke-opacity", "0.5")
      .attr("stroke-width", "0.8")
      .start();
  for (std::size_t i = 0; i < astro::figureSegmentCount(); ++i) {
    const astro::FigureSegment segment = astro::figureSegment(i);
    const auto [ra1, dec1] = place(segment.from);
    auto [ra2, dec2] = place(segment.to);
    if (std::fabs(dec1) > map.decLimit && std::fabs(dec2) > map.decLimit) {
      continue;
    }
    // A line across 0h/24h is drawn at both edges, each cut by the map.
    const double shift = ra2 - ra1 > 12 ? -24 : ra1 - ra2 > 12 ? 24 : 0;
    ra2 += shift;
    line(svg, map.x(ra1), map.y(dec1), map.x(ra2), map.y(dec2));
    svg.end();
    if (shift != 0) {
      line(svg, map.x(ra1 - shift), map.y(dec1), map.x(ra2 - shift), map.y(dec2));
      svg.end();
    }
  }
  svg.close("g");
  svg.open("g")
      .attr("id", "stars")
      .attr("clip-path", "url(#map-area)")
      .attr("fill", palette::kStar)
      .start();
  std::vector<NamedStar> named;
  for (std::size_t i = 0; i < astro::catalogueStarCount(); ++i) {
    const astro::CatalogueStar star = astro::catalogueStar(i);
    if (star.magnitude > kFaintestStar) {
      break;
    }
    const auto [raHours, decDegrees] = place(star.icrs);
    if (std::fabs(decDegrees) > map.decLimit) {
      continue;
    }
    const double x = map.x(raHours);
    const double y = map.y(decDegrees);
    const double radius = starRadius(star.magnitude);
    svg.open("circle");
    if (!star.name.empty() && star.magnitude <= kNamedMagnitude) {
      const std::string_view french = catalogue::sky::starName(star.hipparcos);
      const std::string name(french.empty() ? star.name : french);
      svg.attr("class", "star")
          .exact("data-hip", star.hipparcos)
          .attr("data-name", name)
          .nine("data-ra-h", raHours)
          .nine("data-dec-deg", decDegrees);
      named.push_back({name, x, y, radius});
    }
    svg.attr("cx", x).attr("cy", y).attr("r", radius).end();
  }
  svg.close("g");
  return named;
}

// One body's disc, drawn again a turn away when it runs over the 0h/24h
// edge, where the sky goes on; returns where it was drawn.
DrawnBody appendBody(std::string& out, const Map& map, const BodyRow& row,
                     const Observation& seen) {
  Svg svg(out);
  const astro::BodyPosition& p = seen.instant[row.body];
  const astro::BodyPosition& sun = seen.instant[astro::Body::Sun];
  const astro::Appearance& look = (*seen.looks)[row.body];
  const double raHours = hoursOf(p.rightAscension);
  const double decDegrees = degreesOf(p.declination);
  const double x = map.x(raHours);
  const double y = map.y(decDegrees);
  svg.open("g")
      .attr("class", "body")
      .attr("id", astro::bodyId(row.body))
      .exact("data-ra-h", raHours)
      .exact("data-dec-deg", decDegrees)
      .start();
  const double radius = discRadius(row, look);
  std::vector<double> places = {x};
  if (x - radius < kMapLeft) {
    places.push_back(x + (kMapRight - kMapLeft));
  } else if (x + radius > kMapRight) {
    places.push_back(x - (kMapRight - kMapLeft));
  }
  // North is up and east to the left: the direction of position angle a
  // is (-sin a, -cos a) on the page.
  const double toward = astro::positionAngle({p.rightAscension, p.declination},
                                             {sun.rightAscension, sun.declination});
  const double sunward = degreesOf(std::atan2(-std::cos(toward), -std::sin(toward)));
  // The Moon's phase as its row of the report has it.
  const double lit = row.body == astro::Body::Moon ? p.illumination : look.illuminatedFraction;
  for (const double at : places) {
    appendBodyDisc(out, row, at, y, radius, lit, sunward);
  }
  svg.close("g");
  return DrawnBody{&row, x, y, radius};
}

// The bodies, the Sun first so that the Moon and planets stay visible over
// it, clipped by the map; then their labels, clear of every disc and of one
// another. A label goes right of its body, or left of it where it would run
// past the canvas; one that had to move away from its body gets a leader
// line.
void appendBodies(std::string& out, const Map& map, const Observation& seen,
                  std::vector<Box>& taken) {
  Svg svg(out);
  svg.open("g").attr("id", "bodies").attr("clip-path", "url(#map-area)").start();
  std::vector<DrawnBody> drawn;
  for (const BodyRow& row : kBodyRows) {
    if (seen.instant[row.body].status == astro::Status::NotComputable) {
      continue;
    }
    const DrawnBody& d = drawn.emplace_back(appendBody(out, map, row, seen));
    taken.push_back(Box{d.x - d.radius, d.y - d.radius, d.x + d.radius, d.y + d.radius});
  }
  svg.close("g");
  appendLabels(out, placeLabels(drawn, taken, kWidth - kCanvasMargin));
}

// The legend, in two columns, the first one the longer.
void appendLegend(std::string& out, const Observation& seen) {
  Svg svg(out);
  svg.open("g").attr("id", "legend").attr("fill", palette::kInk).attr("font-size", "13").start();
  const std::size_t perColumn = (kBodyRows.size() + 1) / 2;
  for (std::size_t i = 0; i < kBodyRows.size(); ++i) {
    const auto column = static_cast<double>(i / perColumn);
    const auto line = static_cast<double>(i % perColumn);
    svg.open("text")
        .attr("x", kMapLeft + column * kLegendColumn)
        .attr("y", kLegendTop + kLegendLine * line)
        .text(legendLine(kBodyRows[i], seen.instant, (*seen.looks)[kBodyRows[i].body]));
  }
  svg.close("g");
}

}  // namespace

void appendSkyChart(std::string& out, const Observation& seen, const Request& request) {
  if (seen.place) {
    appendHorizonChart(out, seen, request);
    return;
  }
  const Map map = mapOf(seen.instant);
  Svg svg(out);
  openPicture(svg, out, kWidth, kHeight);
  appendHeading(svg, seen);
  appendFrame(out, map, seen.instant.obliquity);
  svg.open("clipPath").attr("id", "map-area").start();
  svg.open("rect")
      .attr("x", kMapLeft)
      .attr("y", kMapTop)
      .attr("width", kMapRight - kMapLeft)
      .attr("height", kMapBottom - kMapTop)
      .end();
  svg.close("clipPath");
  const std::vector<NamedStar> stars = appendStars(out, map, seen.instant);
  std::vector<Box> taken;
  appendBodies(out, map, seen, taken);
  // The stars' names keep within the map.
  taken.push_back(Box{0, 0, kWidth, kMapTop});
  taken.push_back(Box{0, kMapBottom, kWidth, kHeight});
  appendStarNames(out, stars, taken, kMapRight);
  appendLegend(out, seen);
  svg.close("svg");
}

}  // namespace frontend
