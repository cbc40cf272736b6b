// Positions of the Sun, the Moon and the planets Mercury to Neptune.
//
// computeBody is the single entry point of the position computation: for one
// body and one calendar date it gives the Julian Day, the mean sidereal time
// at Greenwich and the body's geocentric equatorial position (mean equator
// and equinox of date, geometric: no light-time, aberration or nutation).
#pragma once

#include <cstdint>

// Selects a body, in the fixed order of the report.
using BodyIndex = std::int8_t;

inline constexpr BodyIndex kSun = 0;
inline constexpr BodyIndex kMoon = 1;
inline constexpr BodyIndex kMercury = 2;
inline constexpr BodyIndex kVenus = 3;
inline constexpr BodyIndex kMars = 4;
inline constexpr BodyIndex kJupiter = 5;
inline constexpr BodyIndex kSaturn = 6;
inline constexpr BodyIndex kUranus = 7;
inline constexpr BodyIndex kNeptune = 8;
inline constexpr BodyIndex kBodyCount = 9;

struct BodyPosition {
  double jd;              // Julian Day of the date, with its fraction
  double siderealTime;    // radians, between -2 PI and 2 PI
  double rightAscension;  // radians, -PI to PI, straight from atan2
  double declination;     // radians, -PI/2 to PI/2
  double distance;        // AU; thousands of km for the Moon
  double illumination;    // illuminated fraction 0..1, Moon only, else 0.0
};

// One body at one date. year and month as typed (month 1 is January); day
// carries the time of day as its fraction (15.5 is noon on the 15th).
// An index outside 0..8 gives the date fields and NaN for the position.
BodyPosition computeBody(BodyIndex index, std::int32_t year, std::int32_t month, double day);

// Degrees to radians after removing whole turns: fmod(x, 360) * PI * (1/180).
// The remainder keeps the sign of x, so the result lies in (-2 PI, 2 PI).
double reduceToRadians(double degrees);

// Eccentric anomaly (radians) from the mean anomaly (radians) and the
// eccentricity, by Newton's method on E - e sin E = M.
double solveKepler(double meanAnomaly, double eccentricity);
