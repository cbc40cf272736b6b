// astro: where the Sun, the Moon and the planets Mercury to Neptune stand in
// the sky at a given instant.
//
//   computeInstant  everything about one instant: its Julian Day, the mean
//                   sidereal time at Greenwich and the nine positions, with
//                   what the bodies share (time base, obliquity, the Sun's
//                   orbit, the outer planets' series arguments) computed once
//   computeInstantUt  the same for a date in Universal Time
//   computeBody     one body at one instant
//   julianDay       the Julian Day of a calendar date
//   deltaT          TT - UT at a given year, from a published model
//   eclipticToEquatorial, angularSeparation, positionAngle
//                   the geometry a chart of these positions needs
//
// Given:
//   date      CalendarDate: year and month as integers (month 1 is January;
//             months above 12 carry into the following years), day with its
//             fraction as the time of day from 0h (15.75 is 18h on the 15th).
//             Julian calendar before 15 October 1582, Gregorian from then on,
//             decided on year * 10000 + month * 100 + day as given; year 0
//             exists (1 BC). Months below 1 are outside the calendar formula.
//   or jd     JulianDate: the Julian Day itself, with its fraction.
//   body      Body, in the order of the report: Sun, Moon, Mercury ... Neptune.
//
// Time scale: computeInstant and computeBody take the date as Terrestrial
// Time (TT) for the positions and, the same number, as Universal Time (UT1)
// for the sidereal time. computeInstantUt takes it as UT: the sidereal time
// comes from the date as it is, the positions from TT = UT + deltaT. A
// clock time is UT; deltaT is about 64 s in 2000 and 1,570 s around 1000,
// which moves the Moon by 35" and 14' respectively.
//
// Returned:
//   Instant::jd            Julian Day of the date (days, with fraction)
//   Instant::siderealTime  Greenwich mean sidereal time, radians in [0, 2 kPi)
//   Instant::deltaT        seconds added to the date for the positions: 0 for
//                          computeInstant, the given deltaT for
//                          computeInstantUt
//   Instant::obliquity     obliquity of the ecliptic of the date, radians
//   Instant::status        Status of the date (see below)
//   BodyPosition, for each body:
//     rightAscension  radians in [0, 2 kPi)   } geocentric, geometric (no
//     declination     radians, -kPi/2..kPi/2  } light-time, aberration or
//                                             } nutation), mean equator and
//                                             } equinox of the date
//     distance        from the Earth's centre: astronomical units, but
//                     thousands of kilometres for the Moon
//     illumination    Moon: illuminated fraction of the disc, 0..1; else 0
//     status          Status of this body at this date
//
// Angles: every conversion between radians, degrees and hours uses kPi, the
// decimal value the theories were fitted with; use it too (hours =
// rightAscension * 12 / kPi) to reproduce the program's printed figures.
//
// Status, in the spirit of ERFA's status codes:
//   Computed             within the span where the accuracy is measured
//   OutsideMeasuredSpan  computed, but the date lies outside
//                        [kMeasuredSpanStart, kMeasuredSpanEnd): the errors
//                        grow with the distance from 2000 and are not known
//   NotComputable        no trustworthy value exists: a quantity is not a
//                        finite number, or Kepler's equation did not converge
//                        (dates tens of thousands of years away); the values
//                        must not be used
//
// Accuracy (docs/accuracy.md, against ERFA's epv00, plan94 and moon98):
// largest angular error over 1800-2200 about 1' for the Sun, the Moon and
// Mercury, 2' for Venus, Jupiter, Uranus and Neptune, 4' for Saturn and 7'
// for Mars near close oppositions; relative distance errors of a few 1e-4
// (Mars 1.4e-3); the Moon's illuminated fraction to 0.005, the sidereal time
// to about 1 s. From 1000 to 3000 the errors grow to 3.5' for the Moon and
// 9' for Mars. The calculation is plain double precision and thread-safe:
// no function keeps any state.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "astro/version.h"

#if defined(__GNUC__)
#define ASTRO_PUBLIC __attribute__((visibility("default")))
#else
#define ASTRO_PUBLIC
#endif

namespace astro {

// pi as the theories use it: a decimal value, not the full precision one.
inline constexpr double kPi = 3.1415926535898;

// Kilometres in one astronomical unit (IAU 2012).
inline constexpr double kAstronomicalUnitKm = 149597870.7;

enum class Body : std::uint8_t {
  Sun,
  Moon,
  Mercury,
  Venus,
  Mars,
  Jupiter,
  Saturn,
  Uranus,
  Neptune
};
inline constexpr std::size_t kBodyCount = 9;
inline constexpr std::array<Body, kBodyCount> kBodies = {
    Body::Sun,     Body::Moon,   Body::Mercury, Body::Venus,   Body::Mars,
    Body::Jupiter, Body::Saturn, Body::Uranus,  Body::Neptune,
};

struct CalendarDate {
  std::int32_t year;
  std::int32_t month;  // 1 for January
  double day;          // day of the month; the fraction is the time from 0h
};

struct JulianDate {
  double jd;  // Julian Day, with its fraction
};

enum class Status : std::uint8_t { Computed, OutsideMeasuredSpan, NotComputable };

// The span of docs/accuracy.md: from 1000 January 1, 0h (Julian calendar)
// up to, not including, 3001 January 1, 0h (Gregorian), as Julian Days.
inline constexpr double kMeasuredSpanStart = 2086307.5;
inline constexpr double kMeasuredSpanEnd = 2817152.5;

struct BodyPosition {
  double rightAscension;  // radians, [0, 2 kPi)
  double declination;     // radians
  double distance;        // AU; thousands of km for the Moon
  double illumination;    // Moon: illuminated fraction 0..1; others 0
  Status status;
};

struct Instant {
  double jd;            // Julian Day of the date as given
  double siderealTime;  // radians, [0, 2 kPi)
  double deltaT;        // seconds: the positions are those of jd + deltaT / 86400
  double obliquity;     // radians: the obliquity of the ecliptic the positions use
  Status status;        // NotComputable when jd or siderealTime is not finite
  std::array<BodyPosition, kBodyCount> bodies;  // in the order of kBodies

  const BodyPosition& operator[](Body body) const { return bodies[static_cast<std::size_t>(body)]; }
};

ASTRO_PUBLIC double julianDay(const CalendarDate& date);

ASTRO_PUBLIC Instant computeInstant(const CalendarDate& date);
ASTRO_PUBLIC Instant computeInstant(JulianDate date);

// The date in Universal Time, and deltaT = TT - UT in seconds (for example
// deltaT(decimalYear(...)), or an observed value). With deltaT 0 the same
// as computeInstant.
ASTRO_PUBLIC Instant computeInstantUt(const CalendarDate& ut, double deltaTSeconds);
ASTRO_PUBLIC Instant computeInstantUt(JulianDate ut, double deltaTSeconds);

// TT - UT in seconds at a decimal year (2000.0 is the start of 2000), from
// the polynomial expressions of Espenak and Meeus (2006), fitted to Morrison
// and Stephenson (2004) and observations; valid from -1999 to +3000, with
// their parabola -20 + 32 u^2, u = (year - 1820) / 100, beyond. Its
// uncertainty is under a second since 1900, some seconds around 1700,
// minutes before 1000 and hours at the ends of the span.
ASTRO_PUBLIC double deltaT(double decimalYear);

// The decimal year of a Julian Day: 2000.0 + (jd - 2451544.5) / 365.2425.
ASTRO_PUBLIC double decimalYear(JulianDate date);

// A direction in equatorial coordinates, radians.
struct EquatorialPoint {
  double rightAscension;  // [0, 2 kPi)
  double declination;
};

// The equatorial direction of ecliptic longitude and latitude (radians),
// with the obliquity (Instant::obliquity for the ecliptic of a date). With
// latitude 0 it traces the ecliptic.
ASTRO_PUBLIC EquatorialPoint eclipticToEquatorial(double longitude, double latitude,
                                                  double obliquity);

// The angle between two directions, radians, 0 to kPi.
ASTRO_PUBLIC double angularSeparation(const EquatorialPoint& a, const EquatorialPoint& b);

// The position angle of `to` seen from `from`: the direction on the sky,
// from north through east, radians in [0, 2 kPi). East of the Sun (0 to
// kPi) a body sets after it and is an evening object.
ASTRO_PUBLIC double positionAngle(const EquatorialPoint& from, const EquatorialPoint& to);

ASTRO_PUBLIC BodyPosition computeBody(Body body, const CalendarDate& date);
ASTRO_PUBLIC BodyPosition computeBody(Body body, JulianDate date);

}  // namespace astro

#undef ASTRO_PUBLIC
