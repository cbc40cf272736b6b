// The precise theory: geocentric places of the Sun, the Moon and the planets
// within an arcsecond of JPL's ephemerides over 1800-2200.
//
//   the planets   VSOP87B (Bretagnon & Francou 1988), truncated, the Earth
//                 too (its centre, not the Earth-Moon barycentre)
//   the Moon      ELP/MPP02 fitted to DE405 (Chapront & Francou 2003), truncated
//   the frames    ERFA: IAU 2006 precession with the frame bias, IAU 2000B
//                 nutation, stellar aberration, light deflection by the Sun
//
// Time: every routine takes TT as a Julian Date. The series' argument is
// TDB, which differs from TT by under 2 ms: a shift below 0.001" for every
// body.
//
// Frames: "ICRS" below means rectangular coordinates on the axes of the
// ICRS (those of DE405), centred as the routine says; "of date" means the
// mean equator and equinox of date (bias and precession applied) for the
// geometric place, the true equator and equinox of date (nutation too) for
// the apparent one.
//
// Measured against a JPL-grade ephemeris on 1000 dates of 1800-2200 and
// DE405 over 1960-2060 (docs/accuracy.md): geometric geocentric places
// within 0.07" for the Sun, 0.11" for the Moon (and 0.1 km), 0.13" for
// Mercury and Venus, 0.9" for Mars (1.2" at the close oppositions of the
// 2190s, as VSOP87's complete series), 0.73" for Jupiter, 0.45" for Saturn,
// 2.1" for Uranus and 3.6" for Neptune; the apparent places as close.
//
// Span: the tables were truncated for 1800-2200 and are measured there.
// Further out the dropped terms in t^k grow with the time from J2000 and the
// theories' own errors too (ELP/MPP02 was fitted over a few centuries);
// the routines make no check of their own, and millennia away their
// answers mean nothing (the Moon's precession gives NaN past about 70,000
// years).
#pragma once

#include "astro/astro.h"
#include "astro/precise/vector.h"

namespace astro::precise {

// Heliocentric position (AU) and velocity (AU/day) of the Earth's centre
// (not the Earth-Moon barycentre), ICRS axes, at tt: VSOP87B's Earth
// turned as the planets below. Within 0.04" of DE405 seen from the Earth
// over 1960-2060. (ERFA's eraEpv00 is within 0.02" but took 60 us, most of
// an instant's time, where this takes about 5 us.)
State earthHeliocentric(double tt);

// The same from ERFA's eraEpv00 (VSOP2000 fitted to DE405): within 0.02"
// and 10 km of DE405, but 60 us a call. For what hangs on the Earth-Sun
// distance's slope: perihelion and aphelion times come within 17 s of
// DE405's with it over 1961-2058, against 90 s (perihelion) and 110 s
// (aphelion) with earthHeliocentric.
State earthHeliocentricEpv00(double tt);

// The Sun's velocity about the solar system's barycentre (AU/day, ICRS
// axes) at tt, from the leading VSOP87B terms of Venus, the Earth and the
// giant planets and their masses: within 0.05 m/s of DE405's (the Sun
// moves at up to 16 m/s), which moves an apparent place by under 0.0001".
Vec3 sunBarycentricVelocity(double tt);

// Heliocentric position (AU) and velocity (AU/day) of a planet, Mercury to
// Neptune, ICRS axes, at tt (no light-time). VSOP87B's ecliptic J2000 is
// turned to the equator by the rotation VSOP87 publishes for it (obliquity
// 23 26' 21.41"), whose axes DE405's follow within 0.03". Any other body
// gives zero vectors.
State planetHeliocentric(Body body, double tt);

// Geocentric position (AU) and velocity (AU/day) of the Moon, ICRS axes, at
// tt (no light-time).
State moonGeocentric(double tt);

// Geometric geocentric position (AU) and velocity (AU/day) of any body,
// ICRS axes, at tt: the body and the Earth at the same instant.
State geocentric(Body body, double tt);

// What the places below need of an instant, computed once for all bodies.
struct Epoch {
  double tt;             // Julian Date, TT
  State earthHelio;      // earthHeliocentric(tt)
  Vec3 sunVelocity;      // sunBarycentricVelocity(tt)
  Vec3 earthVelocity;    // the Earth's barycentric velocity, AU/day
  Matrix3 meanOfDate;    // ICRS to mean equator and equinox of date (bias, IAU 2006 precession)
  Matrix3 trueOfDate;    // ICRS to true equator and equinox of date (and IAU 2000B nutation)
  double meanObliquity;  // radians, IAU 2006
  double trueObliquity;  // radians, mean obliquity plus nutation in obliquity
};

Epoch epochAt(double tt);

// The part of an epoch the geometric places need: tt, earthHelio,
// meanOfDate and meanObliquity; the velocities, trueOfDate and
// trueObliquity are left at zero. A third of epochAt's time: no nutation
// and no Sun's velocity.
Epoch meanEpochAt(double tt);

// A place: right ascension (radians, [0, 2 pi)), declination (radians) and
// distance (AU) in the frame of date, the same direction as a rectangular
// vector (AU), and the ecliptic longitude (radians, [0, 2 pi)) and latitude
// of date: on the mean ecliptic (mean obliquity) for a geometric place, on
// the true one (true obliquity) for an apparent place.
struct Place {
  double rightAscension;
  double declination;
  double distanceAu;
  Vec3 vector;
  double eclipticLongitude;
  double eclipticLatitude;
};

// Geometric place of date: the body's geocentric position at the instant
// (no light-time, no aberration), referred to the mean equator and equinox
// of date: the quantities astro::computeBody gives with its own theory.
Place geometricPosition(Body body, const Epoch& epoch);
Place geometricPosition(Body body, double tt);

// Apparent place: the body where it was when the light seen at tt left it
// (light-time, from the barycentre), the light bent by the Sun, the
// stellar aberration of the Earth's barycentric velocity, referred to the
// true equator and equinox of date. The distance is the light-time distance.
Place apparentPosition(Body body, const Epoch& epoch);
Place apparentPosition(Body body, double tt);

// Both places of one body at the epoch (of epochAt), the body's series
// evaluated once: the same values as geometricPosition and
// apparentPosition.
struct Places {
  Place geometric;
  Place apparent;
};
Places bothPositions(Body body, const Epoch& epoch);

// A place on the Earth: geodetic longitude (radians, east positive) and
// latitude (radians), and height (metres) on the WGS84 ellipsoid.
struct Site {
  double longitude;
  double latitude;
  double height;
};

// The site's position (AU) and velocity (AU/day) from the Earth's centre,
// ICRS axes, at ut1 (Julian Date, UT1) with the epoch of the same instant:
// turned by the apparent sidereal time and back through the epoch's
// nutation, precession and bias (polar motion neglected: under 15 m).
State siteGeocentric(const Site& site, double ut1, const Epoch& epoch);

// Topocentric apparent place, seen from the site (siteGeocentric): as
// apparentPosition, the light-time and the parallax from the site, and the
// aberration of the site's barycentric velocity (the diurnal aberration,
// up to 0.32", with the annual).
Place topocentricPosition(Body body, const Epoch& epoch, const State& site);

// Greenwich apparent sidereal time (radians, [0, 2 pi)) at ut1 (Julian
// Date, UT1) with the epoch of the same instant in TT: the Earth rotation
// angle less the equation of the origins of the epoch's bias, precession
// and nutation (IAU 2006/2000B).
double apparentSiderealTime(double ut1, const Epoch& epoch);

// Greenwich mean sidereal time (radians, [0, 2 pi)) at ut1 (Julian Date,
// UT1), IAU 2006 (ERFA's gmst06) with tt (Julian Date, TT) of the same
// instant.
double meanSiderealTime(double ut1, double tt);

}  // namespace astro::precise
