// appendSkyChart: the sky of one date as an SVG picture.
//
// The map is a plain rectangle in right ascension and declination: x grows
// as the right ascension falls (24h at the left edge, 0h at the right), y
// as the declination falls. Angles are turned into hours and degrees with
// the computation's pi, as in the report.
#include "frontend/sky_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "frontend/angle_printers.h"
#include "frontend/formats.h"
#include "frontend/report.h"
#include "frontend/text.h"

namespace frontend {
namespace {

constexpr double kPi = astro::kPi;

// The canvas and the map inside it, in pixels.
constexpr int kWidth = 1200;
constexpr int kHeight = 660;
constexpr double kMapLeft = 60;
constexpr double kMapRight = 1160;
constexpr double kMapTop = 84;
constexpr double kMapBottom = 504;
constexpr double kLegendTop = 540;
constexpr double kVisibleBeyond = 15;  // degrees from the Sun

constexpr std::string_view kSky = "#0b1a33";
constexpr std::string_view kGrid = "#3d5278";
constexpr std::string_view kInk = "#e8ecf4";

struct Look {
  std::string_view name;  // as in the report, without its padding
  std::string_view colour;
  double radius;
};

constexpr std::array<Look, astro::kBodyCount> kLooks = {{
    {"Soleil", "#ffd23f", 11},
    {"Lune", "#f4f1e6", 9},
    {"Mercure", "#c9c4bc", 5},
    {"Venus", "#fff3c4", 6},
    {"Mars", "#ff6b4a", 5},
    {"Jupiter", "#e8c89a", 6},
    {"Saturne", "#e6d38a", 6},
    {"Uranus", "#9be7e7", 5},
    {"Neptune", "#7f9cff", 5},
}};

const Look& lookOf(astro::Body body) {
  return kLooks[static_cast<std::size_t>(body)];
}

// Where the map puts a direction.
struct Map {
  double decLimit;  // degrees, the band runs from -decLimit to +decLimit

  double x(double raHours) const { return kMapLeft + (24 - raHours) / 24 * (kMapRight - kMapLeft); }
  double y(double decDegrees) const {
    return kMapTop + (decLimit - decDegrees) / (2 * decLimit) * (kMapBottom - kMapTop);
  }
};

void number(std::string& out, double value) {
  appendFixed(out, value, 2);
}

// Text content with the three characters XML reserves escaped.
void escaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
}

// ` name="value"`, the value a coordinate.
void attribute(std::string& out, std::string_view name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  number(out, value);
  out += '"';
}

void line(std::string& out, double x1, double y1, double x2, double y2, std::string_view style) {
  out += "<line";
  attribute(out, "x1", x1);
  attribute(out, "y1", y1);
  attribute(out, "x2", x2);
  attribute(out, "y2", y2);
  out += ' ';
  out += style;
  out += "/>\n";
}

void circle(std::string& out, double x, double y, double radius, std::string_view paint) {
  out += "<circle";
  attribute(out, "cx", x);
  attribute(out, "cy", y);
  attribute(out, "r", radius);
  out += ' ';
  out += paint;
  out += "/>\n";
}

void text(std::string& out, double x, double y, std::string_view attributes,
          std::string_view content) {
  out += "<text";
  attribute(out, "x", x);
  attribute(out, "y", y);
  out += ' ';
  out += attributes;
  out += ">";
  escaped(out, content);
  out += "</text>\n";
}

// The grid, its labels, the equator and the ecliptic of the date.
void appendFrame(std::string& out, const Map& map, double obliquity) {
  out += "<rect";
  attribute(out, "x", kMapLeft);
  attribute(out, "y", kMapTop);
  attribute(out, "width", kMapRight - kMapLeft);
  attribute(out, "height", kMapBottom - kMapTop);
  out += " fill=\"";
  out += kSky;
  out += "\"/>\n<g id=\"grid\" stroke=\"";
  out += kGrid;
  out += "\" stroke-width=\"1\">\n";
  for (int hour = 0; hour <= 24; ++hour) {
    line(out, map.x(hour), kMapTop, map.x(hour), kMapBottom, "");
  }
  for (int dec = -90; dec <= 90; dec += 10) {
    if (dec != 0 && std::abs(dec) <= map.decLimit) {
      line(out, kMapLeft, map.y(dec), kMapRight, map.y(dec), "");
    }
  }
  out += "</g>\n<g id=\"grid-labels\" fill=\"#9fb0cf\" font-size=\"12\">\n";
  for (int hour = 0; hour <= 24; hour += 2) {
    text(out, map.x(hour), kMapBottom + 16, "text-anchor=\"middle\"", std::to_string(hour) + "h");
  }
  for (int dec = -90; dec <= 90; dec += 10) {
    if (std::abs(dec) <= map.decLimit) {
      const std::string label = (dec > 0 ? "+" : "") + std::to_string(dec) + "\u00b0";
      text(out, kMapLeft - 6, map.y(dec) + 4, "text-anchor=\"end\"", label);
    }
  }
  out += "</g>\n";
  line(out, kMapLeft, map.y(0), kMapRight, map.y(0),
       "id=\"equator\" stroke=\"#7fa7d9\" stroke-width=\"1.5\"");

  // The ecliptic, point by point; a new piece where it crosses 0h.
  out +=
      "<path id=\"ecliptic\" fill=\"none\" stroke=\"#e0b040\" stroke-width=\"1.5\" "
      "stroke-dasharray=\"6 4\" d=\"";
  double previousX = 0;
  for (int degree = 0; degree <= 360; ++degree) {
    const astro::EquatorialPoint p =
        astro::eclipticToEquatorial(degree * kPi / 180, 0.0, obliquity);
    const double x = map.x(hoursOf(p.rightAscension));
    const double y = map.y(degreesOf(p.declination));
    out += degree == 0 || std::fabs(x - previousX) > (kMapRight - kMapLeft) / 2 ? "M" : "L";
    number(out, x);
    out += ' ';
    number(out, y);
    previousX = x;
  }
  out += "\"/>\n";
}

// The Moon: a dark disc, and on it the lit part, turned so that its bright
// limb faces the Sun. In the Moon's own frame, with the Sun toward +x, the
// lit part is the half disc on that side and a half ellipse of semi-axis
// r |1 - 2k| that adds to it (gibbous) or cuts into it (crescent).
void appendMoonDisc(std::string& out, double x, double y, double radius, double illumination,
                    double sunwardDegrees) {
  circle(out, x, y, radius, "fill=\"#3a3f4b\" stroke=\"#8a8f9b\" stroke-width=\"0.8\"");
  const double k = std::clamp(illumination, 0.0, 1.0);
  const double rx = radius * std::fabs(1 - 2 * k);
  out += "<path class=\"lit\" fill=\"#f4f1e6\" transform=\"translate(";
  number(out, x);
  out += ' ';
  number(out, y);
  out += ") rotate(";
  number(out, sunwardDegrees);
  out += ")\" d=\"M0 ";
  number(out, -radius);
  out += "A";
  number(out, radius);
  out += ' ';
  number(out, radius);
  out += " 0 0 1 0 ";
  number(out, radius);
  out += "A";
  number(out, rx);
  out += ' ';
  number(out, radius);
  out += k > 0.5 ? " 0 0 1 0 " : " 0 0 0 0 ";
  number(out, -radius);
  out += "Z\"/>\n";
}

// A box on the page that a label must not cover: another label, or a
// body's disc.
struct Box {
  double left;
  double top;
  double right;
  double bottom;

  bool overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
};

// A label's box for a baseline at y: 13-pixel text, about 8 pixels a letter.
Box labelBox(double x, double y, double width) {
  return Box{x, y - 11, x + width, y + 3};
}

// A label's baseline near its body, moved down or up until it covers no
// disc and no label placed before it.
double labelY(const std::vector<Box>& taken, double x, double y, double width) {
  static constexpr double kOffsets[] = {-9, 19, -23, 33, -37, 47, -51, 61};
  for (const double offset : kOffsets) {
    const Box box = labelBox(x, y + offset, width);
    if (std::none_of(taken.begin(), taken.end(),
                     [&](const Box& other) { return box.overlaps(other); })) {
      return y + offset;
    }
  }
  return y - 9;
}

// What the legend says of one body.
std::string legendLine(astro::Body body, const astro::Instant& instant) {
  const astro::BodyPosition& p = instant[body];
  std::string text(lookOf(body).name);
  if (p.status == astro::Status::NotComputable) {
    return text + " : position incalculable pour cette date";
  }
  if (body == astro::Body::Sun) {
    text += " : ";
    std::string ra;
    appendRightAscension(ra, p.rightAscension);
    text += ra;
    text += ", ";
    std::string dec;
    appendDeclination(dec, p.declination);
    text += dec.substr(dec.front() == ' ' ? 1 : 0);
    return text;
  }
  const astro::BodyPosition& sun = instant[astro::Body::Sun];
  const astro::EquatorialPoint from{sun.rightAscension, sun.declination};
  const astro::EquatorialPoint to{p.rightAscension, p.declination};
  const double separation = degreesOf(astro::angularSeparation(from, to));
  const bool east = astro::positionAngle(from, to) < kPi;
  text += " : ";
  if (body == astro::Body::Moon) {
    appendGeneral(text, illuminatedPercent(p.illumination), 5);
    text += " % eclairee, ";
  }
  appendGeneral(text, std::floor(separation), 5);
  text += east ? "\u00b0 a l'est du Soleil, " : "\u00b0 a l'ouest du Soleil, ";
  text += separation < kVisibleBeyond ? "invisible" : east ? "le soir" : "le matin";
  return text;
}

}  // namespace

void appendSkyChart(std::string& out, const DateEntry& entry, const astro::Instant& instant) {
  double widest = 35;
  for (const astro::BodyPosition& p : instant.bodies) {
    if (p.status != astro::Status::NotComputable) {
      widest = std::max(widest, std::ceil(std::fabs(degreesOf(p.declination)) / 5) * 5 + 5);
    }
  }
  const Map map{std::min(widest, 90.0)};

  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
  appendInteger(out, kWidth);
  out += "\" height=\"";
  appendInteger(out, kHeight);
  out += "\" viewBox=\"0 0 ";
  appendInteger(out, kWidth);
  out += ' ';
  appendInteger(out, kHeight);
  out += "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n";

  // The report's header line, for the title.
  std::string report;
  appendReport(report, entry.date, instant);
  const std::string header = report.substr(0, report.find('\n'));
  out += "<title>Le ciel du ";
  escaped(out, header);
  out += "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#050b17\"/>\n";
  text(out, kMapLeft, 32, "fill=\"#ffffff\" font-size=\"18\" font-weight=\"bold\"",
       "Le ciel du " + header);
  text(out, kMapLeft, 56, "fill=\"#9fb0cf\" font-size=\"13\"",
       "Ascension droite de 24h (a gauche, l'est, face au sud) a 0h (a droite) ; "
       "en trait plein l'equateur celeste, en tirets l'ecliptique de la date.");

  appendFrame(out, map, instant.obliquity);

  // The bodies, the Sun first so that the Moon and planets stay visible over
  // it; then their labels, clear of every disc and of one another.
  const astro::BodyPosition& sun = instant[astro::Body::Sun];
  struct Drawn {
    astro::Body body;
    double x;
    double y;
  };
  std::vector<Drawn> drawn;
  std::vector<Box> taken;
  for (const astro::Body body : astro::kBodies) {
    const astro::BodyPosition& p = instant[body];
    if (p.status == astro::Status::NotComputable) {
      continue;
    }
    const double raHours = hoursOf(p.rightAscension);
    const double decDegrees = degreesOf(p.declination);
    const double x = map.x(raHours);
    const double y = map.y(decDegrees);
    const Look& look = lookOf(body);
    out += "<g class=\"body\" id=\"";
    out += astro::bodyId(body);
    out += "\" data-ra-h=\"";
    appendShortest(out, raHours);
    out += "\" data-dec-deg=\"";
    appendShortest(out, decDegrees);
    out += "\">\n";
    if (body == astro::Body::Moon) {
      const double toward = astro::positionAngle({p.rightAscension, p.declination},
                                                 {sun.rightAscension, sun.declination});
      // North is up and east to the left: the direction of position angle
      // a is (-sin a, -cos a) on the page.
      const double sunward = degreesOf(std::atan2(-std::cos(toward), -std::sin(toward)));
      appendMoonDisc(out, x, y, look.radius, p.illumination, sunward);
    } else {
      circle(out, x, y, look.radius, "fill=\"" + std::string(look.colour) + "\"");
    }
    out += "</g>\n";
    drawn.push_back({body, x, y});
    taken.push_back(Box{x - look.radius, y - look.radius, x + look.radius, y + look.radius});
  }
  out += "<g id=\"labels\" fill=\"#ffffff\" font-size=\"13\">\n";
  for (const Drawn& d : drawn) {
    const Look& look = lookOf(d.body);
    const double width = 8.0 * static_cast<double>(look.name.size());
    const double x = d.x + look.radius + 3;
    const double baseline = labelY(taken, x, d.y, width);
    taken.push_back(labelBox(x, baseline, width));
    text(out, x, baseline, "", look.name);
  }
  out += "</g>\n";

  // The legend, in two columns.
  out += "<g id=\"legend\" fill=\"";
  out += kInk;
  out += "\" font-size=\"13\">\n";
  for (std::size_t i = 0; i < astro::kBodyCount; ++i) {
    const double x = i < 5 ? kMapLeft : 620;
    const double y = kLegendTop + 20 * static_cast<double>(i < 5 ? i : i - 5);
    text(out, x, y, "", legendLine(astro::kBodies[i], instant));
  }
  out += "</g>\n</svg>\n";
}

}  // namespace frontend
