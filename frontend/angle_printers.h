// Angles written in sexagesimal form, appended to a string.
#pragma once

#include <string>

#include "astro/astro.h"

namespace frontend {

// Radians to hours and to degrees with the computation's pi, as every
// printed or written angle is converted.
inline double hoursOf(double radians) {
  return radians * 12 / astro::kPi;
}
inline double degreesOf(double radians) {
  return radians * 180 / astro::kPi;
}

// Hours, minutes and seconds of time: "18h 45m 10s", each number two
// columns wide and cut, never rounded. Any angle is first brought into
// [0, 2 PI] one turn at a time; 2 PI itself prints as 24h 0m 0s.
void appendRightAscension(std::string& out, double angle);

// Sign column, degrees and minutes of arc: "-23 deg  1'". The angle is
// brought into (-PI, PI] one turn at a time; the sign is that of the whole
// angle, so -0.5 degree prints as "- 0 deg 30'".
void appendDeclination(std::string& out, double angle);

}  // namespace frontend
