// Calendar date to Julian Day, time argument and mean sidereal time.
#pragma once

#include <cstdint>

// Julian Day of a calendar date; the fraction of day is the time from 0h.
// Julian calendar before 15 October 1582, Gregorian from then on; the switch
// is decided on year * 10000 + month * 100 + day as entered. Months above 12
// and any day are carried through the arithmetic; months below 1 are outside
// the formula.
double julianDay(std::int32_t year, std::int32_t month, double day);

struct TimeBase {
  double jd;            // Julian Day
  double siderealTime;  // radians, between -2 PI and 2 PI
  double t;             // Julian centuries from JD 2415020.0, time of day included
};

// The time quantities of one date, as every body computation starts with.
TimeBase timeBase(std::int32_t year, std::int32_t month, double day);
