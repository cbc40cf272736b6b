// Angles written in sexagesimal form, appended to a string.
#pragma once

#include <string>

#include "astro/astro.h"

namespace frontend {

using astro::degreesOf;
using astro::hoursOf;

// Hours, minutes and seconds of time: "18h 45m 10s", each number two
// columns wide and cut, never rounded. Any angle is first brought into
// [0, 2 PI] one turn at a time; 2 PI itself prints as 24h 0m 0s.
void appendRightAscension(std::string& out, double angle);

// Sign column, degrees and minutes of arc: "-23 deg  1'". The angle is
// brought into (-PI, PI] one turn at a time; the sign is that of the whole
// angle, so -0.5 degree prints as "- 0 deg 30'".
void appendDeclination(std::string& out, double angle);

}  // namespace frontend
