// The picture of one eclipse.
#include "frontend/picture/eclipse_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "frontend/picture/chart_parts.h"
#include "frontend/picture/palette.h"
#include "frontend/picture/svg.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/event_list.h"
#include "frontend/write/numbers.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 800;
constexpr double kCentreX = 380;
constexpr double kCentreY = 400;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kPi = 3.14159265358979323846;
constexpr std::string_view kSunFill = "#ffd34d";
constexpr std::string_view kSunRim = "#ffb000";
constexpr std::string_view kMoonFill = "#1b2030";
constexpr std::string_view kMoonRim = "#c8d2e6";
constexpr std::string_view kUmbra = "#5a1e14";
constexpr std::string_view kPenumbra = "#2a2f45";
constexpr std::string_view kEclipsedMoon = "#a0442a";

// An offset on the sky, radians: east and north of a centre.
struct Offset {
  double east;
  double north;
};

Offset offsetOf(double ra, double dec, double centreRa, double centreDec) {
  // The gnomonic projection about the centre: exact directions for the
  // small field of an eclipse.
  const double cosC = std::sin(centreDec) * std::sin(dec) +
                      std::cos(centreDec) * std::cos(dec) * std::cos(ra - centreRa);
  return {std::cos(dec) * std::sin(ra - centreRa) / cosC,
          (std::cos(centreDec) * std::sin(dec) -
           std::sin(centreDec) * std::cos(dec) * std::cos(ra - centreRa)) /
              cosC};
}

// "19:22" on the request's clock, for an instant of TT.
std::string clockOf(double tt, double deltaT, const Request& request) {
  return hourMinute(tt - deltaT / kSecondsPerDay, request);
}

// "12/08/2026": the day of the instant (UT) on the request's clock.
std::string dayOf(double ut, const Request& request) {
  astro::CalendarDay day{};
  if (request.civil) {
    day = localTimeOf(request.zone, ut).day;
  } else {
    day = astro::calendarDay(static_cast<std::int64_t>(std::floor(ut + 0.5)));
  }
  std::string out;
  appendZeroPadded(out, day.day, 2);
  out += '/';
  appendZeroPadded(out, day.month, 2);
  out += '/';
  appendInteger(out, day.year);
  return out;
}

void heading(Svg& svg, const std::string& title, const std::string& subtitle,
             std::string_view key) {
  svg.open("title").text(title);
  svg.open("rect").attr("width", "100%").attr("height", "100%").attr("fill", palette::kPage).end();
  svg.open("text")
      .attr("x", 24)
      .attr("y", 36)
      .attr("fill", palette::kTitle)
      .attr("font-size", "20")
      .attr("font-weight", "bold")
      .text(title);
  svg.open("text")
      .attr("x", 24)
      .attr("y", 60)
      .attr("fill", palette::kMuted)
      .attr("font-size", "13")
      .text(subtitle);
  svg.open("text")
      .attr("x", 24)
      .attr("y", 80)
      .attr("fill", palette::kMuted)
      .attr("font-size", "13")
      .text(key);
}

// The circumstances under the picture, wrapped to its width.
void footer(Svg& svg, std::string& out, const FoundEvent& found, const Request& request) {
  std::string lines;
  for (const std::string& paragraph : eclipseDetails(found, request)) {
    appendWrapped(lines, paragraph, 0, 100);
  }
  double y = kHeight - 24.0;
  std::vector<std::string_view> all;
  std::size_t at = 0;
  while (at < lines.size()) {
    const std::size_t end = lines.find('\n', at);
    all.emplace_back(std::string_view(lines).substr(at, end - at));
    at = end + 1;
  }
  y -= 18.0 * static_cast<double>(all.size() - 1);
  svg.open("g")
      .attr("id", "circumstances")
      .attr("fill", palette::kInk)
      .attr("font-size", "13")
      .start();
  for (const std::string_view line : all) {
    svg.open("text").attr("x", 24).attr("y", y).text(line);
    y += 18;
  }
  svg.close("g");
  (void)out;
}

// A label of a contact, drawn after every disc so that none hides one.
struct Label {
  double x;
  double y;
  std::string text;
};

// The Moon's disc at a contact, and its label beside it: above the disc or
// below it (`below`), kept within the picture.
Label moonAt(Svg& svg, std::string_view id, double x, double y, double r, bool filled,
             std::string_view fill, std::string label, bool below) {
  svg.open("circle")
      .attr("class", "moon")
      .attr("id", id)
      .attr("cx", x)
      .attr("cy", y)
      .attr("r", r)
      .attr("fill", filled ? fill : std::string_view("none"))
      .attr("stroke", kMoonRim)
      .attr("stroke-width", "1.5")
      .attr("stroke-dasharray", filled ? "none" : "6 4")
      .end();
  const double width = 8.0 * static_cast<double>(displayWidth(label));
  const double lx = std::clamp(x, 12 + width / 2, kWidth - 12 - width / 2);
  return Label{lx, below ? y + r + 20 : y - r - 8, std::move(label)};
}

void appendLabels(Svg& svg, const std::vector<Label>& labels) {
  svg.open("g")
      .attr("id", "contact-labels")
      .attr("fill", palette::kTitle)
      .attr("font-size", "14")
      .attr("text-anchor", "middle")
      .start();
  for (const Label& l : labels) {
    svg.open("text").attr("x", l.x).attr("y", l.y).text(l.text);
  }
  svg.close("g");
}

void appendSolar(std::string& out, const FoundEvent& found, const Request& request) {
  namespace c = catalogue::eclipses;
  Svg svg(out);
  const EclipseFound& e = *found.eclipse;
  const double dt = e.deltaT;
  // Seen from the place, or from the point of greatest eclipse.
  astro::Observer observer{e.solar->latitude, e.solar->longitude, 0.0};
  std::string where;
  if (request.place) {
    observer = request.place->observer;
    where = std::string(c::kSeenFrom) + request.place->name;
  } else {
    std::string place;
    appendDecimalComma(place, std::fabs(astro::degreesOf(e.solar->latitude)), 1);
    place += "° ";
    place += e.solar->latitude < 0 ? c::kSouth : c::kNorth;
    place += ", ";
    appendDecimalComma(place, std::fabs(astro::degreesOf(e.solar->longitude)), 1);
    place += "° ";
    place += e.solar->longitude < 0 ? c::kWest : c::kEast;
    where = std::string(c::kSeenFromGreatest) + place + ")";
  }
  const astro::TimeScale scale = astro::TimeScale::fixed(dt);
  const astro::LocalSolarEclipse here =
      e.solarHere ? *e.solarHere : astro::localSolarEclipse(*e.solar, observer, scale);
  const std::string title = sentenceOf(found) + ", " + dayOf(found.jdUt, request);
  heading(svg, title,
          where + (request.civil ? std::string(c::kHoursOf) + request.zone.name
                                 : std::string(c::kHoursUt)),
          c::kPictureKey);
  if (!here.eclipsed) {
    svg.open("text")
        .attr("x", kCentreX)
        .attr("y", kCentreY)
        .attr("fill", palette::kWarning)
        .attr("font-size", "16")
        .attr("text-anchor", "middle")
        .text(c::kNotHere);
    footer(svg, out, found, request);
    return;
  }
  // The Sun and the Moon seen from the place at an instant.
  struct Seen {
    Offset moon;
    double sunRadius;
    double moonRadius;
  };
  auto seenAt = [&](double tt) {
    const astro::Instant instant =
        astro::computeInstantUt(astro::UT{tt - dt / kSecondsPerDay}, scale, astro::Theory::Precise);
    const astro::SkyView sky = astro::observe(instant, observer, astro::Refraction::None);
    const astro::HorizontalPosition& sun = sky[astro::Body::Sun];
    const astro::HorizontalPosition& moon = sky[astro::Body::Moon];
    return Seen{
        offsetOf(moon.rightAscension, moon.declination, sun.rightAscension, sun.declination),
        std::asin(696000.0 / sun.distanceKm), std::asin(1738.09 / moon.distanceKm)};
  };
  const Seen atMax = seenAt(here.maximum.tt.jd);
  const double sunPixels = 105.0;
  const double scalePx = sunPixels / atMax.sunRadius;
  const struct {
    std::string_view id;
    std::string_view name;
    const astro::EclipseContact* contact;
    bool filled;
  } drawn[] = {{"c1", "C1", &here.c1, false},
               {"c4", "C4", &here.c4, false},
               {"maximum", "max.", &here.maximum, true}};
  // The Moon at each contact from the Sun's centre, pixels; the whole
  // figure, labels' room included, centred in the space for it.
  std::array<Seen, 3> at{};
  double left = -sunPixels, right = sunPixels, top = -sunPixels, bottom = sunPixels;
  for (std::size_t k = 0; k < at.size(); ++k) {
    at[k] = seenAt(drawn[k].contact->tt.jd);
    const double x = -at[k].moon.east * scalePx;
    const double y = -at[k].moon.north * scalePx;
    const double r = at[k].moonRadius * scalePx + 30;
    left = std::min(left, x - r);
    right = std::max(right, x + r);
    top = std::min(top, y - r);
    bottom = std::max(bottom, y + r);
  }
  const double sunX = kCentreX - (left + right) / 2;
  const double sunY = 395 - (top + bottom) / 2;
  svg.open("circle")
      .attr("id", "sun")
      .attr("cx", sunX)
      .attr("cy", sunY)
      .attr("r", sunPixels)
      .attr("fill", kSunFill)
      .attr("stroke", kSunRim)
      .attr("stroke-width", "2")
      .end();
  std::vector<Label> labels;
  for (std::size_t k = 0; k < at.size(); ++k) {
    const auto& d = drawn[k];
    const Seen& s = at[k];
    const double x = sunX - s.moon.east * scalePx;
    const double y = sunY - s.moon.north * scalePx;
    std::string label = std::string(d.name) + " " + clockOf(d.contact->tt.jd, dt, request);
    label += " (";
    appendInteger(label, std::llround(astro::degreesOf(d.contact->altitude)));
    label += "°)";
    // C1 and C4 labelled on their side of the Sun; the maximum above the
    // Sun, or below it when the Moon passes south.
    const bool below = d.filled ? y > sunY + 1 : y > sunY;
    labels.push_back(moonAt(svg, d.id, x, y, s.moonRadius * scalePx, d.filled, kMoonFill,
                            std::move(label), below));
    if (d.filled) {
      // Over the Sun: the label clear of the Sun's disc too.
      Label& l = labels.back();
      l.y = below ? std::max(l.y, sunY + sunPixels + 24) : std::min(l.y, sunY - sunPixels - 10);
    }
  }
  appendLabels(svg, labels);
  footer(svg, out, found, request);
}

void appendLunar(std::string& out, const FoundEvent& found, const Request& request) {
  namespace c = catalogue::eclipses;
  Svg svg(out);
  const EclipseFound& e = *found.eclipse;
  const astro::LunarEclipse& l = *e.lunar;
  const double dt = e.deltaT;
  const std::string title = sentenceOf(found) + ", " + dayOf(found.jdUt, request);
  heading(
      svg, title,
      std::string(c::kSeenFromEarth) +
          (request.civil ? std::string(c::kHoursOf) + request.zone.name : std::string(c::kHoursUt)),
      c::kShadowKey);
  // The Moon from the shadow's centre, the point opposite the Sun.
  struct Seen {
    Offset moon;
    double moonRadius;
    double separation;
  };
  auto seenAt = [&](double tt) {
    const astro::Instant instant = astro::computeInstant(astro::TT{tt}, astro::Theory::Precise);
    const astro::ApparentPlace& sun = instant.apparent[0];
    const astro::ApparentPlace& moon = instant.apparent[1];
    const double ra = sun.rightAscension + kPi;
    const double dec = -sun.declination;
    const Offset o = offsetOf(moon.rightAscension, moon.declination, ra, dec);
    const double cosSep =
        std::sin(dec) * std::sin(moon.declination) +
        std::cos(dec) * std::cos(moon.declination) * std::cos(moon.rightAscension - ra);
    return Seen{o, std::asin(1738.09 / (moon.distanceAu * astro::kAstronomicalUnitKm)),
                std::acos(std::min(1.0, cosSep))};
  };
  const Seen atMax = seenAt(l.greatest.jd);
  // The shadow's radii from the magnitudes at greatest eclipse.
  const double umbra = (2 * l.umbralMagnitude - 1) * atMax.moonRadius + atMax.separation;
  const double penumbra = (2 * l.penumbralMagnitude - 1) * atMax.moonRadius + atMax.separation;
  const double scalePx = 215.0 / penumbra;
  svg.open("circle")
      .attr("id", "penumbra")
      .attr("cx", kCentreX)
      .attr("cy", kCentreY)
      .attr("r", penumbra * scalePx)
      .attr("fill", kPenumbra)
      .attr("stroke", palette::kMuted)
      .attr("stroke-width", "1")
      .end();
  svg.open("circle")
      .attr("id", "umbra")
      .attr("cx", kCentreX)
      .attr("cy", kCentreY)
      .attr("r", umbra * scalePx)
      .attr("fill", kUmbra)
      .attr("stroke", palette::kMuted)
      .attr("stroke-width", "1")
      .end();
  // The path from a little before P1 to a little after P4.
  std::string points;
  const double from = l.p1.jd - 0.02;
  const double to = l.p4.jd + 0.02;
  for (int i = 0; i <= 24; ++i) {
    const Seen s = seenAt(from + (to - from) * i / 24);
    appendFixed(points, kCentreX - s.moon.east * scalePx, 1);
    points += ',';
    appendFixed(points, kCentreY - s.moon.north * scalePx, 1);
    points += ' ';
  }
  points.pop_back();
  svg.open("polyline")
      .attr("id", "path")
      .attr("points", points)
      .attr("fill", "none")
      .attr("stroke", palette::kEcliptic)
      .attr("stroke-width", "1.5")
      .end();
  const struct {
    std::string_view id;
    std::string_view name;
    double tt;
  } contacts[] = {{"p1", "P1", l.p1.jd}, {"u1", "U1", l.u1.jd},
                  {"u2", "U2", l.u2.jd}, {"maximum", "max.", l.greatest.jd},
                  {"u3", "U3", l.u3.jd}, {"u4", "U4", l.u4.jd},
                  {"p4", "P4", l.p4.jd}};
  int index = 0;
  std::vector<Label> labels;
  for (const auto& d : contacts) {
    if (!std::isfinite(d.tt)) {
      continue;
    }
    const Seen s = seenAt(d.tt);
    const double x = kCentreX - s.moon.east * scalePx;
    const double y = kCentreY - s.moon.north * scalePx;
    const bool inside = s.separation < umbra;
    // Labels alternately above and below the path.
    const bool below = index++ % 2 == 1;
    labels.push_back(moonAt(svg, d.id, x, y, s.moonRadius * scalePx, inside || d.id == "maximum",
                            inside ? kEclipsedMoon : kMoonFill,
                            std::string(d.name) + " " + clockOf(d.tt, dt, request), below));
  }
  appendLabels(svg, labels);
  footer(svg, out, found, request);
}

}  // namespace

std::optional<FoundEvent> eclipseNear(const Request& request, double jdUt) {
  Request both = request;
  both.kinds = astro::eventKindBit(astro::EventKind::SolarEclipse) |
               astro::eventKindBit(astro::EventKind::LunarEclipse);
  const astro::TimeScale scale = request.scale.astroScale();
  const double tt = scale.tt(astro::UT{jdUt}).jd;
  std::vector<FoundEvent> found = eclipsesBetween(both, scale, tt - 1.5, tt + 1.5);
  std::optional<FoundEvent> nearest;
  for (FoundEvent& e : found) {
    if (!nearest || std::fabs(e.jdUt - jdUt) < std::fabs(nearest->jdUt - jdUt)) {
      nearest = std::move(e);
    }
  }
  return nearest;
}

void appendEclipseChart(std::string& out, const FoundEvent& eclipse, const Request& request) {
  Svg svg(out);
  openPicture(svg, out, kWidth, kHeight);
  if (eclipse.eclipse && eclipse.eclipse->solar) {
    appendSolar(out, eclipse, request);
  } else if (eclipse.eclipse && eclipse.eclipse->lunar) {
    appendLunar(out, eclipse, request);
  }
  svg.close("svg");
}

}  // namespace frontend
