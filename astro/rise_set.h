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
  Status status;  // worst status of the Instants (of the body's positions for one body)
  std::array<Track, kBodyCount> bodies;
  std::array<Status, kBodyCount> statuses;  // worst status of each body's positions
};

// The day's tracks by `theory` from kTrackNodes Instants at the Chebyshev
// nodes of [kTrackFirst, kTrackLast], their positions at TT = UT + deltaT
// (TimeScale::fixed(deltaT)); with `only`, that body's track alone, from
// its positions alone (the same bits as in the Instants), the others left
// at zero.
DayTracks dayTracks(UT start, double deltaT, Theory theory, std::optional<Body> only = {});

// A track's position at a fraction of the day, kilometres.
Vector trackPosition(const Track& track, double fraction);

// The Greenwich mean sidereal time at a Julian Day taken as UT, radians
// (as Instant::siderealTime, not brought into [0, kTurn)).
double greenwichSiderealTime(double jdUt);

}  // namespace astro
