// The discs, the labels and the magnitudes of the pictures of the sky.
#include "frontend/picture/chart_parts.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "frontend/picture/palette.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/numbers.h"
#include "frontend/write/text.h"

namespace frontend {
namespace {

constexpr double kSmallestPhase = 5;  // pixels of radius below which a phase is not drawn
constexpr double kLabelOffset = -9;   // a label's baseline below its body's centre, at first

// A body with its phase (the Moon, Mercury, Venus): a dark disc, and on it
// the lit part, turned so that its bright limb faces the Sun. In the body's
// own frame, with the Sun toward +x, the lit part is the half disc on that
// side and a half ellipse of semi-axis r |1 - 2k| that adds to it (gibbous)
// or cuts into it (crescent).
void appendPhaseDisc(std::string& out, double x, double y, double radius, double illumination,
                     double sunwardDegrees, std::string_view litColour) {
  Svg svg(out);
  svg.open("circle")
      .attr("cx", x)
      .attr("cy", y)
      .attr("r", radius)
      .attr("fill", palette::kUnlit)
      .attr("stroke", palette::kUnlitRim)
      .attr("stroke-width", "0.8")
      .end();
  const double k = std::clamp(illumination, 0.0, 1.0);
  const double rx = radius * std::fabs(1 - 2 * k);
  std::string transform = "translate(";
  appendFixed(transform, x, 2);
  transform += ' ';
  appendFixed(transform, y, 2);
  transform += ") rotate(";
  appendFixed(transform, sunwardDegrees, 2);
  transform += ')';
  std::string d = "M0 ";
  appendFixed(d, -radius, 2);
  d += "A";
  appendFixed(d, radius, 2);
  d += ' ';
  appendFixed(d, radius, 2);
  d += " 0 0 1 0 ";
  appendFixed(d, radius, 2);
  d += "A";
  appendFixed(d, rx, 2);
  d += ' ';
  appendFixed(d, radius, 2);
  d += k > 0.5 ? " 0 0 1 0 " : " 0 0 0 0 ";
  appendFixed(d, -radius, 2);
  d += "Z";
  svg.open("path")
      .attr("class", "lit")
      .attr("fill", litColour)
      .attr("transform", transform)
      .attr("d", d)
      .end();
}

// A label's box for a baseline at y: 13-pixel text.
Box labelBox(double x, double y, double width) {
  return Box{x, y - 11, x + width, y + 3};
}

// A label's baseline near its body, moved down or up until it covers no
// disc and no label placed before it.
double labelY(const std::vector<Box>& taken, double x, double y, double width) {
  static constexpr double kOffsets[] = {kLabelOffset, 19, -23, 33, -37, 47, -51, 61};
  for (const double offset : kOffsets) {
    const Box box = labelBox(x, y + offset, width);
    if (std::none_of(taken.begin(), taken.end(),
                     [&](const Box& other) { return box.overlaps(other); })) {
      return y + offset;
    }
  }
  return y + kLabelOffset;
}

}  // namespace

void openPicture(Svg& svg, std::string& out, int width, int height) {
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg.open("svg")
      .attr("xmlns", "http://www.w3.org/2000/svg")
      .attr("version", "1.1")
      .attr("width", std::to_string(width))
      .attr("height", std::to_string(height))
      .attr("viewBox", "0 0 " + std::to_string(width) + " " + std::to_string(height))
      .attr("font-family", "DejaVu Sans, Verdana, sans-serif")
      .start();
}

void appendWarning(Svg& svg, const astro::Instant& instant, double x, double y) {
  const bool notComputable = std::any_of(
      instant.bodies.begin(), instant.bodies.end(),
      [](const astro::BodyPosition& p) { return p.status == astro::Status::NotComputable; });
  if (!notComputable && instant.status != astro::Status::OutsideMeasuredSpan) {
    return;
  }
  svg.open("text")
      .attr("id", "warning")
      .attr("x", x)
      .attr("y", y)
      .attr("fill", palette::kWarning)
      .attr("font-size", "13")
      .attr("font-weight", "bold")
      .text(notComputable ? catalogue::chart::kNotComputable
                          : catalogue::chart::kOutsideMeasuredSpan);
}

void line(Svg& svg, double x1, double y1, double x2, double y2) {
  svg.open("line").attr("x1", x1).attr("y1", y1).attr("x2", x2).attr("y2", y2);
}

double discRadius(const BodyRow& row, const astro::Appearance& look) {
  if (row.body == astro::Body::Sun || row.body == astro::Body::Moon ||
      !std::isfinite(look.magnitude)) {
    return row.radius;
  }
  return std::clamp(6.5 - 0.7 * look.magnitude, 2.5, 9.0);
}

void appendBodyDisc(std::string& out, const BodyRow& row, double x, double y, double radius,
                    double illumination, double sunwardDegrees) {
  if (row.showsPhase && radius >= kSmallestPhase) {
    appendPhaseDisc(out, x, y, radius, illumination, sunwardDegrees, row.colour);
    return;
  }
  Svg(out)
      .open("circle")
      .attr("cx", x)
      .attr("cy", y)
      .attr("r", radius)
      .attr("fill", row.colour)
      .end();
}

void appendMagnitude(std::string& out, double magnitude) {
  appendDecimalComma(out, magnitude, 1);
}

double labelWidth(std::string_view text) {
  // What the width of a label follows: its characters, not its bytes.
  return 8.0 * static_cast<double>(displayWidth(text));
}

std::vector<Label> placeLabels(const std::vector<DrawnBody>& drawn, std::vector<Box>& taken,
                               double rightEdge) {
  std::vector<Label> labels;
  for (const DrawnBody& d : drawn) {
    const double width = labelWidth(d.row->name);
    double x = d.x + d.radius + 3;
    if (x + width > rightEdge) {
      x = d.x - d.radius - 3 - width;
    }
    const double baseline = labelY(taken, x, d.y, width);
    taken.push_back(labelBox(x, baseline, width));
    labels.push_back({&d, x, baseline, baseline != d.y + kLabelOffset});
  }
  return labels;
}

void appendLabels(std::string& out, const std::vector<Label>& labels) {
  Svg svg(out);
  svg.open("g")
      .attr("id", "leaders")
      .attr("stroke", palette::kMuted)
      .attr("stroke-width", "0.8")
      .start();
  for (const Label& label : labels) {
    if (label.moved) {
      // From the rim of the disc toward the label's near end, at mid-height.
      const double toX =
          label.x > label.body->x ? label.x - 1 : label.x + labelWidth(label.body->row->name) + 1;
      const double toY = label.baseline - 4;
      const double dx = toX - label.body->x;
      const double dy = toY - label.body->y;
      const double length = std::hypot(dx, dy);
      const double rim = (label.body->radius + 1) / length;
      line(svg, label.body->x + dx * rim, label.body->y + dy * rim, toX, toY);
      svg.end();
    }
  }
  svg.close("g");
  svg.open("g").attr("id", "labels").attr("fill", palette::kTitle).attr("font-size", "13").start();
  for (const Label& label : labels) {
    svg.open("text").attr("x", label.x).attr("y", label.baseline).text(label.body->row->name);
  }
  svg.close("g");
}

double starRadius(double magnitude) {
  return std::clamp(0.7 + 0.55 * (4.5 - magnitude), 0.5, 4.0);
}

void appendStarNames(std::string& out, const std::vector<NamedStar>& stars, std::vector<Box>& taken,
                     double rightEdge) {
  // 11-pixel type: about 6.5 pixels a letter, 8 from the baseline up.
  constexpr double kLetter = 6.5;
  constexpr double kAscent = 8;
  constexpr double kGap = 2;
  Svg svg(out);
  svg.open("g")
      .attr("id", "star-names")
      .attr("fill", palette::kStarName)
      .attr("font-size", "11")
      .attr("font-style", "italic")
      .start();
  for (const NamedStar& star : stars) {
    const double width = kLetter * static_cast<double>(displayWidth(star.name));
    const double gap = star.radius + kGap;
    // Left end and baseline: right, left, above, below the star.
    const std::pair<double, double> places[] = {
        {star.x + gap, star.y + kAscent / 2},
        {star.x - gap - width, star.y + kAscent / 2},
        {star.x - width / 2, star.y - gap},
        {star.x - width / 2, star.y + gap + kAscent},
    };
    for (const auto& [x, baseline] : places) {
      const Box box{x, baseline - kAscent, x + width, baseline + 2};
      if (box.right > rightEdge || box.left < 0 ||
          std::any_of(taken.begin(), taken.end(),
                      [&](const Box& other) { return box.overlaps(other); })) {
        continue;
      }
      svg.open("text").attr("x", x).attr("y", baseline).text(star.name);
      taken.push_back(box);
      break;
    }
  }
  svg.close("g");
}

}  // namespace frontend
