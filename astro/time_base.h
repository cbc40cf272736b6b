// The time quantities of one date: Julian Day, mean sidereal time and the
// time argument T of every mean element and series.
#pragma once

namespace astro {

struct TimeBase {
  double jd;            // Julian Day
  double siderealTime;  // radians, between -2 PI and 2 PI, sign kept
  double t;             // Julian centuries from JD 2415020.0, time of day included
};

// The time base of a Julian Day.
TimeBase timeBase(double jd);

}  // namespace astro
