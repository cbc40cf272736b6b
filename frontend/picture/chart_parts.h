// What the two pictures of the sky draw alike: a body's disc (with its
// phase for the Moon, Mercury and Venus), a planet's size from its
// brightness, the labels set clear of the discs and of one another with
// leader lines when they had to move, and the magnitudes as the legends
// write them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "astro/astro.h"
#include "frontend/picture/svg.h"
#include "frontend/write/bodies.h"

namespace frontend {

// The XML declaration and the opening <svg> element of a picture of
// `width` by `height` pixels; the caller closes it with svg.close("svg").
void openPicture(Svg& svg, std::string& out, int width, int height);

// Under the title, in orange, what makes the picture less than it seems:
// positions that cannot be computed (and are not drawn), or a date outside
// the years where the accuracy is measured. Nothing otherwise.
void appendWarning(Svg& svg, const astro::Instant& instant, double x, double y);

// A line from (x1, y1) to (x2, y2), left open for more attributes.
void line(Svg& svg, double x1, double y1, double x2, double y2);

// A planet's disc follows its brightness: from 2.5 pixels at magnitude 5.7
// and fainter to 9 at -3.6 and brighter. The Sun and the Moon keep theirs.
double discRadius(const BodyRow& row, const astro::Appearance& look);

// A body's disc at (x, y). One that shows a phase, if large enough to show
// it, is a dark disc with its lit part, the fraction `illumination` of it,
// turned so that the bright limb faces `sunwardDegrees` (the direction of
// the Sun on the page, clockwise from +x, y growing downward); any other is
// a plain disc of the row's colour.
void appendBodyDisc(std::string& out, const BodyRow& row, double x, double y, double radius,
                    double illumination, double sunwardDegrees);

// "-4,1": a magnitude to a tenth, with the French decimal comma.
void appendMagnitude(std::string& out, double magnitude);

// A box on the page that a label must not cover: another label, a body's
// disc, or a word of the picture.
struct Box {
  double left;
  double top;
  double right;
  double bottom;

  bool overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
};

// Pixels a label of 13-pixel text takes: about 8 a letter.
double labelWidth(std::string_view text);

// A body drawn on the page, to be labelled.
struct DrawnBody {
  const BodyRow* row;
  double x;
  double y;
  double radius;
};

// A label: its left end, its baseline, and whether it was moved away from
// its body.
struct Label {
  const DrawnBody* body;
  double x;
  double baseline;
  bool moved;
};

// The bodies' labels, each right of its body, or left of it where it would
// run past `rightEdge`, then moved down or up until it covers nothing in
// `taken`; each placed label is added to `taken`. The labels point into
// `drawn`.
std::vector<Label> placeLabels(const std::vector<DrawnBody>& drawn, std::vector<Box>& taken,
                               double rightEdge);

// The labels as two groups: "leaders", a line from the rim of each moved
// label's body to the label, and "labels", the French names.
void appendLabels(std::string& out, const std::vector<Label>& labels);

// A star's disc follows its brightness: 0.7 pixel at magnitude 4.5, 0.55
// more a magnitude brighter, 4 at Sirius' -1.4.
double starRadius(double magnitude);

// A star drawn on the page, to be named.
struct NamedStar {
  std::string name;  // in French where French names it otherwise
  double x;
  double y;
  double radius;
};

// The stars' names as a group "star-names" in small type: each right of its
// star, else left of it, above or below, wherever it covers nothing in
// `taken` and stays left of `rightEdge`; a name that fits nowhere is left
// out. Each placed name is added to `taken`.
void appendStarNames(std::string& out, const std::vector<NamedStar>& stars, std::vector<Box>& taken,
                     double rightEdge);

}  // namespace frontend
