// appendRightAscension, appendDeclination: sexagesimal angles.
//
//   angle  radians; right ascensions and sidereal times come within a turn
//          of zero, declinations within a quarter turn
//
// Every field is cut with floor and written as a number in a field of two
// columns. Angles are brought into range by whole turns of 2 PI, as many
// steps as it takes, with PI the decimal value of the computation. Angles
// more than kLoopTurns turns away, for which stepping would be slow or would
// not change the value at all, are reduced with fmod first. Values that are
// not finite print dashes in place of the numbers, keeping the width.
#include "frontend/angle_printers.h"

#include <cmath>

#include "astro/astro.h"
#include "frontend/text.h"

namespace frontend {
namespace {
constexpr double PI = astro::kPi;
constexpr double kTurn = 2 * PI;
constexpr double kLoopTurns = 64.0;

// Adds or removes whole turns until low <= angle, then until angle <= high.
double byWholeTurns(double angle, double high) {
  if (std::fabs(angle) > kLoopTurns * kTurn) {
    angle = std::fmod(angle, kTurn);
  }
  while (angle < 0) {
    angle = angle + kTurn;
  }
  while (angle > high) {
    angle = angle - kTurn;
  }
  return angle;
}

// A whole number below 1000 in a field of two columns.
void appendField(std::string& out, double whole) {
  appendGeneral(out, whole, 5, 2);
}
}  // namespace

void appendRightAscension(std::string& out, double angle) {
  if (!std::isfinite(angle)) {
    out += "--h --m --s";
    return;
  }
  angle = byWholeTurns(angle, kTurn);
  const double hours = angle * 12 / PI;
  appendField(out, std::floor(hours));
  out += "h ";
  const double minutes = std::fmod(hours, 1) * 60;
  appendField(out, std::floor(minutes));
  out += "m ";
  const double seconds = std::fmod(minutes, 1) * 60;
  appendField(out, std::floor(seconds));
  out += "s";
}

void appendDeclination(std::string& out, double angle) {
  if (!std::isfinite(angle)) {
    out += " -- deg --'";
    return;
  }
  angle = byWholeTurns(angle, PI);
  const double degrees = angle * 180 / PI;
  out += degrees < 0 ? "-" : " ";
  appendField(out, std::floor(std::fabs(degrees)));
  out += " deg ";
  const double minutes = std::fmod(degrees, 1) * 60;
  appendField(out, std::floor(std::fabs(minutes)));
  out += "'";
}

}  // namespace frontend
