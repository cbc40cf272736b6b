// The search behind findEvents, with the spacing of its samples open to
// the tests.
#pragma once

#include <array>
#include <cstdint>

#include "astro/astro.h"

namespace astro {

// How densely a search samples, days. Each body's place is computed at
// instants `track[body]` apart, counted from J2000.0, and interpolated in
// between; the separations of two bodies are read every `pairScan` days on
// the interpolated places. Steps that are powers of two keep every sampled
// instant an exact double.
struct SearchSteps {
  std::array<double, kBodyCount> track;  // in the order of kBodies
  double pairScan;
};

// The steps findEvents uses: the Sun every 8 days, the Moon every 2,
// Mercury every 4, Venus and Mars every 8, the outer planets every 16, and
// the separations of any two of the Moon and the planets every day. Each
// scan is well within half the shortest time between two of its extrema
// or roots (events.cpp).
inline constexpr SearchSteps kSearchSteps = {{8, 2, 4, 8, 8, 16, 16, 16, 16}, 1};

// What a search cost: computations of each body's position by the theory.
struct SearchCounts {
  std::array<std::int64_t, kBodyCount> computations{};
};

// findEvents with its steps; counts, when not null, is added to.
EventList searchEvents(TT from, TT until, EventKindSet kinds, double closeApproachLimit,
                       Theory theory, const SearchSteps& steps, SearchCounts* counts);

}  // namespace astro
