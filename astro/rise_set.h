// The positions of one day as polynomials, and the search for the times
// where a body's altitude crosses a given one.
#pragma once

#include <array>
#include <optional>

#include "astro/astro.h"
#include "astro/observer.h"

namespace astro {

// How many Instants a day's positions are interpolated from.
inline constexpr int kTrackNodes = 6;
// The span the polynomials cover, as fractions of the day from its start:
// the day and a search step on either side.
inline constexpr int kStepsPerDay = 48;
inline constexpr double kTrackFirst = -1.0 / kStepsPerDay;
inline constexpr double kTrackLast = 1.0 + 1.0 / kStepsPerDay;

// One body's geocentric position over the span: the Chebyshev coefficients
// of its x, y and z in kilometres, equatorial of date.
struct Track {
  std::array<std::array<double, kTrackNodes>, 3> coefficients;
};

struct DayTracks {
  UT start;       // the day's start
  double deltaT;  // seconds, the same over the day
  Theory theory;  // Precise: apparent places, true equator of date, and the
                  // apparent sidereal time
  Status status;  // worst status of the Instants (of the body's positions for one body)
  std::array<Track, kBodyCount> bodies;
  std::array<Status, kBodyCount> statuses;  // worst status of each body's positions
  // Precise: the Chebyshev coefficients of the apparent sidereal time less
  // greenwichSiderealTime (radians: the equation of the equinoxes and the
  // difference of the two mean sidereal times, under a second of time
  // over 1800-2200); zero for Classic.
  std::array<double, kTrackNodes> siderealCorrection;
};

// The day's tracks by `theory` from kTrackNodes Instants at the Chebyshev
// nodes of [kTrackFirst, kTrackLast], their positions at TT = UT + deltaT
// (TimeScale::fixed(deltaT)); with `only`, that body's track alone, from
// its positions alone (the same bits as in the Instants), the others left
// at zero.
DayTracks dayTracks(UT start, double deltaT, Theory theory, std::optional<Body> only = {});

// The almanac of dayAlmanac from the day's tracks (all nine bodies),
// for a computation that reads the tracks too.
DayAlmanac almanacOf(const DayTracks& tracks, const Observer& observer, Refraction refraction);

// A track's position at a fraction of the day, kilometres.
Vector trackPosition(const Track& track, double fraction);

// The Greenwich mean sidereal time at a Julian Day taken as UT, radians
// (as Instant::siderealTime, not brought into [0, kTurn)).
double greenwichSiderealTime(double jdUt);

// The sidereal time of the tracks at a fraction of the day: Classic's mean
// one, or for Precise the apparent one through siderealCorrection.
double trackSiderealTime(const DayTracks& tracks, double fraction);

// One body's apparent place (true equator and equinox of date) at tt by
// the Precise theory, and the Greenwich apparent sidereal time at ut with
// the nutation of tt: what an Instant of computeInstantUt gives of them,
// for one body (compute.cpp).
struct PreciseSight {
  ApparentPlace place;
  double apparentSiderealTime;  // radians, [0, kTurn)
  Status status;
};
PreciseSight preciseSight(Body body, UT ut, TT tt);

}  // namespace astro
