// appendRightAscension, appendDeclination: sexagesimal angles.
//
//   angle  radians; right ascensions and sidereal times come within a turn
//          of zero, declinations within a quarter turn
//
// Every field is cut with floor and written as a number in a field of two
// columns. Angles are brought into range by whole turns of 2 PI
// (astro::wrapAngle), with PI the decimal value of the computation. Values
// that are not finite print dashes in place of the numbers, keeping the
// width.
#include "frontend/write/sexagesimal.h"

#include <cmath>

#include "astro/astro.h"
#include "frontend/write/numbers.h"

namespace frontend {
namespace {
// A whole number below 1000 in a field of two columns, as the general
// notation at precision 5 writes it.
void appendField(std::string& out, double whole) {
  appendWholeField(out, whole, 2);
}

// fmod(x, 1), the fraction of x with the sign of x, for any finite x:
// x - trunc(x) is exact, and copysign gives a zero the sign fmod gives it.
double fraction(double x) {
  return std::copysign(x - std::trunc(x), x);
}
}  // namespace

void appendRightAscension(std::string& out, double angle) {
  if (!std::isfinite(angle)) {
    out += "--h --m --s";
    return;
  }
  angle = astro::wrapAngle(angle, astro::kTurn);
  const double hours = hoursOf(angle);
  appendField(out, std::floor(hours));
  out += "h ";
  const double minutes = fraction(hours) * 60;
  appendField(out, std::floor(minutes));
  out += "m ";
  const double seconds = fraction(minutes) * 60;
  appendField(out, std::floor(seconds));
  out += "s";
}

void appendDeclination(std::string& out, double angle) {
  if (!std::isfinite(angle)) {
    out += " -- deg --'";
    return;
  }
  angle = astro::wrapAngle(angle, astro::kPi);
  const double degrees = degreesOf(angle);
  out += degrees < 0 ? "-" : " ";
  appendField(out, std::floor(std::fabs(degrees)));
  out += " deg ";
  const double minutes = fraction(degrees) * 60;
  appendField(out, std::floor(std::fabs(minutes)));
  out += "'";
}

}  // namespace frontend
