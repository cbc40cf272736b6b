// appendHorizonChart: the sky above a place as an SVG picture.
//
// The disc is an azimuthal equidistant projection centred on the zenith: a
// direction of altitude h and azimuth A (from north through east) lies at
// r = R (90 - h) / 90 from the centre, toward -sin A on x and -cos A on y,
// so north is up and east to the left. The equator and the ecliptic are
// traced a degree at a time, each point seen as a body infinitely far away
// (no parallax) with the same refraction as the bodies, and cut where they
// cross the horizon, at the crossing found by bisection.
#include "frontend/picture/horizon_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "frontend/picture/chart_parts.h"
#include "frontend/picture/palette.h"
#include "frontend/picture/svg.h"
#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/numbers.h"
#include "frontend/write/place_block.h"
#include "frontend/write/sexagesimal.h"

namespace frontend {
namespace {

namespace words = catalogue::horizon;

// The canvas, the disc and the panels around it, in pixels.
constexpr int kWidth = 1200;
constexpr int kHeight = 1010;
constexpr double kLeft = 60;
constexpr double kCentreX = 390;
constexpr double kCentreY = 430;
constexpr double kRadius = 300;
constexpr double kPanelLeft = 780;  // the key and the twilights, right of the disc
constexpr double kTableTop = 800;   // the legend's heads; a row every kLine below
constexpr double kLine = 19;
constexpr double kCanvasMargin = 4;  // pixels a label keeps from the canvas' edge
// The legend's columns: the left end of each, the magnitude's right end.
constexpr double kAltitudeColumn = 160;
constexpr double kAzimuthColumn = 250;
constexpr double kMagnitudeRight = 385;
constexpr double kRiseColumn = 410;
constexpr double kTransitColumn = 600;
constexpr double kSetColumn = 820;
constexpr double kConstellationColumn = 960;

// A point of the equator or the ecliptic: far enough for no parallax.
constexpr double kFarKm = 1e15;

struct Point {
  double x;
  double y;
};

// Where the disc puts a direction: altitude and azimuth in radians.
Point project(double altitude, double azimuth) {
  const double r = kRadius * (90 - degreesOf(altitude)) / 90;
  return {kCentreX - r * std::sin(azimuth), kCentreY - r * std::cos(azimuth)};
}

// A point `beyond` pixels out from the rim (inside it if negative) at an
// azimuth in degrees.
Point nearRim(int azimuth, double beyond) {
  const double a = azimuth * astro::kPi / 180;
  return {kCentreX - (kRadius + beyond) * std::sin(a), kCentreY - (kRadius + beyond) * std::cos(a)};
}

// The sky's colour follows the Sun: day, civil and nautical twilight, night.
std::string_view skyColour(double sunAltitude) {
  if (sunAltitude >= 0) {
    return palette::kDay;
  }
  if (sunAltitude >= astro::kCivilTwilight) {
    return palette::kCivilTwilight;
  }
  if (sunAltitude >= astro::kNauticalTwilight) {
    return palette::kNauticalTwilight;
  }
  return palette::kNight;
}

struct Vector {
  double north;
  double east;
  double up;
};

Vector unitOf(const astro::HorizontalPosition& seen) {
  const double c = std::cos(seen.altitude);
  return {c * std::cos(seen.azimuth), c * std::sin(seen.azimuth), std::sin(seen.altitude)};
}

// Where the Sun lies from a body on the page, degrees clockwise from +x:
// the way the great circle from the body toward the Sun leaves the body's
// place in the projection (a step of 20" along it). 0 when the two are one
// direction or opposite ones.
double sunwardOnPage(const astro::HorizontalPosition& body, const astro::HorizontalPosition& sun) {
  const Vector b = unitOf(body);
  const Vector s = unitOf(sun);
  const double along = s.north * b.north + s.east * b.east + s.up * b.up;
  Vector t{s.north - along * b.north, s.east - along * b.east, s.up - along * b.up};
  const double length = std::sqrt(t.north * t.north + t.east * t.east + t.up * t.up);
  if (!(length > 1e-9)) {
    return 0;
  }
  constexpr double kStep = 1e-4;  // radians
  const double c = std::cos(kStep);
  const double k = std::sin(kStep) / length;
  const Vector p{c * b.north + k * t.north, c * b.east + k * t.east, c * b.up + k * t.up};
  const Point from = project(body.altitude, body.azimuth);
  const Point to = project(std::asin(std::clamp(p.up, -1.0, 1.0)), std::atan2(p.east, p.north));
  return degreesOf(std::atan2(to.y - from.y, to.x - from.x));
}

// A direction of the sky seen from the place as the bodies are seen.
astro::HorizontalPosition seenFrom(const astro::EquatorialPoint& p, const astro::Instant& instant,
                                   const astro::Observer& observer) {
  astro::BodyPosition far{};
  far.rightAscension = p.rightAscension;
  far.declination = p.declination;
  far.distanceKm = kFarKm;
  far.distanceAu = kFarKm / astro::kAstronomicalUnitKm;
  far.status = astro::Status::Computed;
  return astro::horizontalPosition(far, instant.siderealTime, observer,
                                   astro::Refraction::Standard);
}

void appendPoint(std::string& path, char command, const astro::HorizontalPosition& seen) {
  const Point p = project(seen.altitude, seen.azimuth);
  path += command;
  appendFixed(path, p.x, 2);
  path += ' ';
  appendFixed(path, p.y, 2);
}

// The part of a circle of the sky above the horizon as SVG path data. The
// circle is `seen(u)` for u from 0 to 360 degrees (the same point at both
// ends), sampled every degree; a stretch above the horizon starts and ends
// on the rim, where the altitude is 0. Empty if no point is above.
template <typename Seen>
std::string pathAbove(Seen&& seen) {
  constexpr int kSteps = 360;
  std::array<astro::HorizontalPosition, kSteps> points;
  std::array<bool, kSteps> above;
  for (int i = 0; i < kSteps; ++i) {
    points[i] = seen(static_cast<double>(i));
    above[i] = points[i].altitude >= 0;  // false for a NaN
  }
  std::string path;
  const auto* below = std::find(above.begin(), above.end(), false);
  if (below == above.end()) {
    // Above all round, as the equator from near a pole.
    for (int i = 0; i < kSteps; ++i) {
      appendPoint(path, i == 0 ? 'M' : 'L', points[i]);
    }
    path += 'Z';
    return path;
  }
  // From a point below, once round.
  const int first = static_cast<int>(below - above.begin());
  for (int j = 1; j <= kSteps; ++j) {
    const int before = (first + j - 1) % kSteps;
    const int at = (first + j) % kSteps;
    if (above[before] != above[at]) {
      // The horizon in between: the crossing, the degree halved 40 times.
      double low = first + j - 1;
      double high = first + j;
      const bool rising = above[at];
      astro::HorizontalPosition crossing = points[at];
      for (int k = 0; k < 40; ++k) {
        const double middle = (low + high) / 2;
        crossing = seen(std::fmod(middle, kSteps));
        if ((crossing.altitude >= 0) == rising) {
          high = middle;
        } else {
          low = middle;
        }
      }
      appendPoint(path, rising ? 'M' : 'L', crossing);
    }
    if (above[at]) {
      appendPoint(path, 'L', points[at]);
    }
  }
  return path;
}

// The grid of the disc: circles of altitude, lines of azimuth, the zenith.
void appendGrid(Svg& svg) {
  svg.open("g")
      .attr("id", "grid")
      .attr("fill", "none")
      .attr("stroke", palette::kDomeGrid)
      .attr("stroke-opacity", "0.45")
      .attr("stroke-width", "1")
      .start();
  for (const int altitude : {30, 60}) {
    svg.open("circle")
        .attr("cx", kCentreX)
        .attr("cy", kCentreY)
        .attr("r", kRadius * (90 - altitude) / 90)
        .end();
  }
  // The lines of azimuth, from the circle of 60 degrees out.
  for (int azimuth = 0; azimuth < 360; azimuth += 30) {
    const Point from = nearRim(azimuth, -2 * kRadius / 3);
    const Point to = nearRim(azimuth, 0);
    line(svg, from.x, from.y, to.x, to.y);
    svg.end();
  }
  // The zenith, a small cross.
  line(svg, kCentreX - 5, kCentreY, kCentreX + 5, kCentreY);
  svg.end();
  line(svg, kCentreX, kCentreY - 5, kCentreX, kCentreY + 5);
  svg.end();
  svg.close("g");
}

// The grid's words; their boxes go into `taken`.
void appendGridLabels(Svg& svg, std::vector<Box>& taken) {
  svg.open("g")
      .attr("id", "grid-labels")
      .attr("fill", palette::kMuted)
      .attr("font-size", "11")
      .start();
  for (const int altitude : {30, 60}) {
    std::string label;
    appendInteger(label, altitude);
    label += "\u00b0";
    const double y = kCentreY + kRadius * (90 - altitude) / 90 - 4;
    svg.open("text").attr("x", kCentreX + 4).attr("y", y).text(label);
    taken.push_back(Box{kCentreX + 4, y - 9, kCentreX + 26, y + 2});
  }
  for (int azimuth = 30; azimuth < 360; azimuth += 30) {
    if (azimuth % 90 == 0) {
      continue;
    }
    std::string label;
    appendInteger(label, azimuth);
    label += "\u00b0";
    const Point at = nearRim(azimuth, 16);
    svg.open("text").attr("x", at.x).attr("y", at.y + 4).attr("text-anchor", "middle").text(label);
    taken.push_back(Box{at.x - 14, at.y - 7, at.x + 14, at.y + 7});
  }
  svg.close("g");
}

// The horizon and the cardinal points around it; their boxes go into
// `taken`.
void appendHorizon(Svg& svg, std::vector<Box>& taken) {
  svg.open("circle")
      .attr("id", "horizon")
      .attr("cx", kCentreX)
      .attr("cy", kCentreY)
      .attr("r", kRadius)
      .attr("fill", "none")
      .attr("stroke", palette::kHorizon)
      .attr("stroke-width", "2")
      .end();
  svg.open("g")
      .attr("id", "cardinals")
      .attr("fill", palette::kTitle)
      .attr("font-size", "18")
      .attr("font-weight", "bold")
      .attr("text-anchor", "middle")
      .start();
  for (const auto& [azimuth, name] :
       {std::pair{0, words::kNorth}, std::pair{90, words::kEast}, std::pair{180, words::kSouth},
        std::pair{270, words::kWest}}) {
    const Point at = nearRim(azimuth, 20);
    svg.open("text").attr("x", at.x).attr("y", at.y + 6).text(name);
    taken.push_back(Box{at.x - 10, at.y - 10, at.x + 10, at.y + 10});
  }
  svg.close("g");
}

// The celestial equator and the ecliptic of the date where they stand
// above the horizon.
void appendGreatCircles(Svg& svg, const astro::Instant& instant, const astro::Observer& observer) {
  const std::string equator = pathAbove([&](double degrees) {
    return seenFrom({astro::withinOneTurn(degrees * astro::kPi / 180), 0.0}, instant, observer);
  });
  svg.open("path")
      .attr("id", "equator")
      .attr("fill", "none")
      .attr("stroke", palette::kEquator)
      .attr("stroke-width", "1.5")
      .attr("d", equator)
      .end();
  const std::string ecliptic = pathAbove([&](double degrees) {
    return seenFrom(astro::eclipticToEquatorial(degrees * astro::kPi / 180, 0.0, instant.obliquity),
                    instant, observer);
  });
  svg.open("path")
      .attr("id", "ecliptic")
      .attr("fill", "none")
      .attr("stroke", palette::kEcliptic)
      .attr("stroke-width", "1.5")
      .attr("stroke-dasharray", "6 4")
      .attr("d", ecliptic)
      .end();
}

// The direction a fraction t of the way from a to b (two directions of the
// ICRS a few degrees apart), along the chord between their unit vectors.
astro::EquatorialPoint between(const astro::EquatorialPoint& a, const astro::EquatorialPoint& b,
                               double t) {
  const auto unit = [](const astro::EquatorialPoint& p) {
    const double c = std::cos(p.declination);
    return std::array<double, 3>{c * std::cos(p.rightAscension), c * std::sin(p.rightAscension),
                                 std::sin(p.declination)};
  };
  const std::array<double, 3> u = unit(a);
  const std::array<double, 3> v = unit(b);
  const double x = u[0] + t * (v[0] - u[0]);
  const double y = u[1] + t * (v[1] - u[1]);
  const double z = u[2] + t * (v[2] - u[2]);
  return {astro::withinOneTurn(std::atan2(y, x)), std::atan2(z, std::hypot(x, y))};
}

// The stars down to this magnitude are drawn, and named down to
// kNamedMagnitude, Castor's 1.58 (Polaris too, whatever its magnitude: it
// shows the north).
constexpr double kFaintestStar = 4.5;
constexpr double kNamedMagnitude = 1.6;
constexpr std::int32_t kPolaris = 11767;

// The constellation figures as faint lines between their stars, down to
// the horizon; then the stars down to kFaintestStar, sized
// by brightness, the named ones (<circle class="star" data-hip="27989"
// data-name="Bételgeuse" data-alt-deg="..." data-az-deg="...">) returned
// for their labels. The stars' mean places of the date, seen as the
// equator is. Their discs go into `taken`.
std::vector<NamedStar> appendStars(std::string& out, const astro::Instant& instant,
                                   const astro::Observer& observer, double sunAltitude,
                                   std::vector<Box>& taken) {
  Svg svg(out);
  const astro::Precession precession = astro::precessionFromJ2000(instant.tt);
  const auto seen = [&](const astro::EquatorialPoint& icrs) {
    return seenFrom(astro::precess(precession, icrs), instant, observer);
  };
  // By day the stars are drawn faint: they are there, not seen.
  const bool day = sunAltitude >= astro::kCivilTwilight;
  svg.open("g")
      .attr("id", "figures")
      .attr("stroke", palette::kFigure)
      .attr("stroke-opacity", day ? "0.25" : "0.5")
      .attr("stroke-width", "0.8")
      .start();
  for (std::size_t i = 0; i < astro::figureSegmentCount(); ++i) {
    const astro::FigureSegment segment = astro::figureSegment(i);
    astro::HorizontalPosition from = seen(segment.from);
    astro::HorizontalPosition to = seen(segment.to);
    const bool fromUp = from.altitude >= 0;
    const bool toUp = to.altitude >= 0;
    if (!fromUp && !toUp) {
      continue;
    }
    if (fromUp != toUp) {
      // A figure that rises or sets: its line up to the horizon, where the
      // altitude along it (the directions between the two ends, taken
      // evenly in the ICRS) crosses 0, the step halved 30 times.
      const astro::HorizontalPosition up = fromUp ? from : to;
      const astro::EquatorialPoint& high = fromUp ? segment.from : segment.to;
      const astro::EquatorialPoint& low = fromUp ? segment.to : segment.from;
      double lo = 0.0;  // the fraction of the way from high to low
      double hi = 1.0;
      astro::HorizontalPosition crossing = up;
      for (int k = 0; k < 30; ++k) {
        const double middle = (lo + hi) / 2;
        const astro::HorizontalPosition at = seen(between(high, low, middle));
        if (at.altitude >= 0) {
          lo = middle;
          crossing = at;
        } else {
          hi = middle;
        }
      }
      from = up;
      to = crossing;
    }
    const Point a = project(from.altitude, from.azimuth);
    const Point b = project(to.altitude, to.azimuth);
    line(svg, a.x, a.y, b.x, b.y);
    svg.end();
  }
  svg.close("g");
  svg.open("g")
      .attr("id", "stars")
      .attr("fill", palette::kStar)
      .attr("fill-opacity", day ? "0.4" : "1")
      .start();
  std::vector<NamedStar> named;
  for (std::size_t i = 0; i < astro::catalogueStarCount(); ++i) {
    const astro::CatalogueStar star = astro::catalogueStar(i);
    if (star.magnitude > kFaintestStar) {
      break;
    }
    const astro::HorizontalPosition sky = seen(star.icrs);
    if (!(sky.altitude >= 0)) {
      continue;
    }
    const Point at = project(sky.altitude, sky.azimuth);
    const double radius = starRadius(star.magnitude);
    svg.open("circle");
    const bool labelled =
        !star.name.empty() && (star.magnitude <= kNamedMagnitude || star.hipparcos == kPolaris);
    if (labelled) {
      const std::string_view french = catalogue::sky::starName(star.hipparcos);
      const std::string name(french.empty() ? star.name : french);
      svg.attr("class", "star")
          .exact("data-hip", star.hipparcos)
          .attr("data-name", name)
          .nine("data-alt-deg", degreesOf(sky.altitude))
          .nine("data-az-deg", degreesOf(sky.azimuth));
      named.push_back({name, at.x, at.y, radius});
    }
    svg.attr("cx", at.x).attr("cy", at.y).attr("r", radius).end();
    if (labelled) {
      taken.push_back(Box{at.x - radius, at.y - radius, at.x + radius, at.y + radius});
    }
  }
  svg.close("g");
  return named;
}

// The disc: the sky, its grid, the horizon, the cardinal points, the
// equator and the ecliptic. The boxes of the grid's words and of the
// cardinal points go into `taken`, for the labels to keep clear of.
void appendDome(std::string& out, const astro::Instant& instant, const astro::Observer& observer,
                double sunAltitude, std::vector<Box>& taken) {
  Svg svg(out);
  svg.open("circle")
      .attr("id", "sky")
      .attr("cx", kCentreX)
      .attr("cy", kCentreY)
      .attr("r", kRadius)
      .attr("fill", skyColour(sunAltitude))
      .end();
  appendGrid(svg);
  appendGridLabels(svg, taken);
  appendHorizon(svg, taken);
  appendGreatCircles(svg, instant, observer);
}

// What the picture shows, right of the disc; returns where the space below
// it begins.
double appendKey(std::string& out) {
  Svg svg(out);
  svg.open("g").attr("id", "key").attr("fill", palette::kMuted).attr("font-size", "13").start();
  double y = kCentreY - kRadius + 10;
  for (const std::string_view text : words::kKey) {
    svg.open("text").attr("x", kPanelLeft).attr("y", y).text(text);
    y += kLine;
  }
  y += 8;
  for (const auto& [name, dashed, colour] :
       {std::tuple{words::kEquator, false, palette::kEquator},
        std::tuple{words::kEcliptic, true, palette::kEcliptic}}) {
    line(svg, kPanelLeft, y - 4, kPanelLeft + 36, y - 4);
    svg.attr("stroke", colour).attr("stroke-width", "1.5");
    if (dashed) {
      svg.attr("stroke-dasharray", "6 4");
    }
    svg.end();
    svg.open("text").attr("x", kPanelLeft + 46).attr("y", y).text(name);
    y += kLine;
  }
  // The stars and the figures.
  svg.open("circle")
      .attr("cx", kPanelLeft + 18)
      .attr("cy", y - 4)
      .attr("r", starRadius(1))
      .attr("fill", palette::kStar)
      .end();
  svg.open("text").attr("x", kPanelLeft + 46).attr("y", y).text(catalogue::sky::kStarsKey);
  y += kLine;
  line(svg, kPanelLeft, y - 4, kPanelLeft + 36, y - 4);
  svg.attr("stroke", palette::kFigure).attr("stroke-width", "0.8").end();
  svg.open("text").attr("x", kPanelLeft + 46).attr("y", y).text(catalogue::sky::kFiguresKey);
  y += kLine;
  svg.close("g");
  return y + 2 * kLine;
}

// The Sun's twilights, from `y` down, in the words of the place block.
void appendTwilights(std::string& out, const Request& request, const astro::DayAlmanac& day,
                     double y) {
  Svg svg(out);
  svg.open("g").attr("id", "twilights").start();
  namespace place = catalogue::place;
  for (const auto& [name, twilight] :
       {std::pair{place::kCivil, &day.civil}, std::pair{place::kNautical, &day.nautical},
        std::pair{place::kAstronomical, &day.astronomical}}) {
    std::string text(name);
    text += words::kThen;
    svg.open("text").attr("x", kPanelLeft).attr("y", y).text(text);
    y += kLine;
    std::string times;
    for (const std::string& part : twilightParts(request, *twilight)) {
      times += times.empty() ? "" : ", ";
      times += part;
    }
    svg.open("text").attr("x", kPanelLeft + 16).attr("y", y).text(times);
    y += kLine + 6;
  }
  svg.close("g");
}

// The heads of the legend's columns, and a rule under them.
void appendLegendHeads(Svg& svg) {
  const auto cell = [&svg](double x, std::string_view text) {
    svg.open("text").attr("x", x).attr("y", kTableTop).text(text);
  };
  svg.open("g").attr("id", "legend-heads").attr("fill", palette::kMuted).start();
  cell(kLeft, words::kBody);
  cell(kAltitudeColumn, words::kAltitude);
  cell(kAzimuthColumn, words::kAzimuth);
  svg.open("text")
      .attr("x", kMagnitudeRight)
      .attr("y", kTableTop)
      .attr("text-anchor", "end")
      .text(words::kMagnitude);
  cell(kRiseColumn, words::kRise);
  cell(kTransitColumn, words::kTransit);
  cell(kSetColumn, words::kSet);
  cell(kConstellationColumn, catalogue::sky::kConstellationHead);
  svg.close("g");
  line(svg, kLeft, kTableTop + 7, kConstellationColumn + 200, kTableTop + 7);
  svg.attr("stroke", palette::kDomeGrid).attr("stroke-width", "0.8").end();
}

// A body's row of the legend at the baseline y, muted when the body is
// below the horizon.
void appendLegendRow(Svg& svg, const Request& request, const BodyRow& row, const PlaceView& view,
                     const astro::Appearance& look, const astro::Instant& instant, double y) {
  const auto cell = [&svg, y](double x, std::string_view text) {
    svg.open("text").attr("x", x).attr("y", y).text(text);
  };
  const astro::HorizontalPosition& sky = view.sky[row.body];
  const bool up = sky.altitude >= 0;
  std::string id = "legend-";
  id += astro::bodyId(row.body);
  svg.open("g").attr("id", id);
  if (!up) {
    svg.attr("fill", palette::kMuted);
  }
  svg.start();
  cell(kLeft, row.name);
  if (sky.status == astro::Status::NotComputable) {
    cell(kAltitudeColumn, catalogue::kPositionNotComputable);
    svg.close("g");
    return;
  }
  // The picture's own minutes of arc are written with the prime, ′: the
  // "'" after a digit ("23° 05'") becomes "23° 05′".
  const auto primed = [](const std::string& angle) {
    std::string out;
    for (std::size_t i = 0; i < angle.size(); ++i) {
      const bool minutes = angle[i] == '\'' && i > 0 && angle[i - 1] >= '0' && angle[i - 1] <= '9';
      out += minutes ? std::string("′") : std::string(1, angle[i]);
    }
    return out;
  };
  std::string text;
  if (up) {
    appendDegreesMinutes(text, sky.altitude);
    cell(kAltitudeColumn, primed(text));
    text.clear();
    appendDegreesMinutes(text, sky.azimuth);
    cell(kAzimuthColumn, primed(text));
  } else {
    cell(kAltitudeColumn, catalogue::place::kBelowHorizon);
  }
  text.clear();
  appendMagnitude(text, look);
  svg.open("text").attr("x", kMagnitudeRight).attr("y", y).attr("text-anchor", "end").text(text);
  const astro::BodyDay& day = view.day[row.body];
  for (const auto& [x, event, kind] :
       {std::tuple{kRiseColumn, &day.rise, DayEventKind::Rise},
        std::tuple{kTransitColumn, &day.transit, DayEventKind::Transit},
        std::tuple{kSetColumn, &day.set, DayEventKind::Set}}) {
    text.clear();
    appendDayEvent(text, request, *event, kind);
    cell(x, primed(text));
  }
  const astro::BodyPosition& p = instant[row.body];
  cell(kConstellationColumn,
       catalogue::sky::constellationName(
           astro::constellation({p.rightAscension, p.declination}, instant.tt).index));
  svg.close("g");
}

// The legend: a row per body under the heads of its columns, and the
// Sun's twilights from `twilightsTop` down right of the disc.
void appendLegend(std::string& out, const Request& request, const Observation& seen,
                  double twilightsTop) {
  Svg svg(out);
  svg.open("g").attr("id", "legend").attr("fill", palette::kInk).attr("font-size", "13").start();
  appendLegendHeads(svg);
  double y = kTableTop + 7 + kLine;
  for (const BodyRow& row : kBodyRows) {
    appendLegendRow(svg, request, row, *seen.place, seen.place->looks[row.body],
                    seen.place->instant, y);
    y += kLine;
  }
  appendTwilights(out, request, seen.place->day, twilightsTop);
  svg.close("g");
}

// The page and the title: the place, the local date and time, the zone:
// "Le ciel de Lyon, le 21/06/2025 à 23:00 (Europe/Paris, UTC+02:00)".
void appendHeading(Svg& svg, const Request& request, const Observation& seen) {
  const Place& place = *request.place;
  const LocalTime& local = *seen.local;
  std::string title = words::skyOf(place.name, place.zone.empty());
  title += words::kOnDay;
  appendLocalDay(title, local);
  title += words::kAtTime;
  appendClock(title, request, seen.instant.ut.jd);
  title += " (";
  title += request.zone.name;
  title += ", ";
  appendOffset(title, local.offsetSeconds);
  title += ')';
  svg.open("title").text(title);
  svg.open("rect").attr("width", "100%").attr("height", "100%").attr("fill", palette::kPage).end();
  svg.open("text")
      .attr("x", kLeft)
      .attr("y", 36)
      .attr("fill", palette::kTitle)
      .attr("font-size", "20")
      .attr("font-weight", "bold")
      .text(title);
  appendWarning(svg, seen.place->instant, kLeft, 62);
}

// The bodies above the horizon, the Sun first so that the Moon and the
// planets stay visible over it; then their labels, clear of `taken`.
void appendBodies(std::string& out, const Observation& seen, std::vector<Box>& taken) {
  Svg svg(out);
  const PlaceView& view = *seen.place;
  const astro::HorizontalPosition& sun = view.sky[astro::Body::Sun];
  svg.open("g").attr("id", "bodies").start();
  std::vector<DrawnBody> drawn;
  for (const BodyRow& row : kBodyRows) {
    const astro::HorizontalPosition& sky = view.sky[row.body];
    if (sky.status == astro::Status::NotComputable || !(sky.altitude >= 0)) {
      continue;
    }
    const astro::Appearance& look = view.looks[row.body];
    const Point at = project(sky.altitude, sky.azimuth);
    svg.open("g")
        .attr("class", "body")
        .attr("id", astro::bodyId(row.body))
        .exact("data-alt-deg", degreesOf(sky.altitude))
        .exact("data-az-deg", degreesOf(sky.azimuth))
        .start();
    const double radius = discRadius(row, look);
    // The Moon's phase as its row of the report has it.
    const double lit = row.body == astro::Body::Moon ? view.instant[row.body].illumination
                                                     : look.illuminatedFraction;
    appendBodyDisc(out, row, at.x, at.y, radius, lit, sunwardOnPage(sky, sun));
    svg.close("g");
    drawn.push_back({&row, at.x, at.y, radius});
    taken.push_back(Box{at.x - radius, at.y - radius, at.x + radius, at.y + radius});
  }
  svg.close("g");
  appendLabels(out, placeLabels(drawn, taken, kWidth - kCanvasMargin));
}

}  // namespace

void appendHorizonChart(std::string& out, const Observation& seen, const Request& request) {
  Svg svg(out);
  openPicture(svg, out, kWidth, kHeight);
  appendHeading(svg, request, seen);
  std::vector<Box> taken;
  appendDome(out, seen.place->instant, request.place->observer,
             seen.place->sky[astro::Body::Sun].altitude, taken);
  const std::vector<NamedStar> stars =
      appendStars(out, seen.place->instant, request.place->observer,
                  seen.place->sky[astro::Body::Sun].altitude, taken);
  appendBodies(out, seen, taken);
  appendStarNames(out, stars, taken, kWidth - kCanvasMargin);
  appendLegend(out, request, seen, appendKey(out));
  svg.close("svg");
}

}  // namespace frontend
