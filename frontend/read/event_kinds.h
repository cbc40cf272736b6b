// The kinds of events --types asks for.
#pragma once

#include <string_view>

#include "astro/astro.h"
#include "frontend/read/refusal.h"

namespace frontend {

// The kinds --types names, separated by commas: the groups phases,
// saisons, perihelie, perigee, conjonctions, oppositions, elongations,
// rapprochements, eclipses (the transits and occultations too), or the
// scripts' names of single kinds (full_moon,
// march_equinox ...), whatever the case and accents. A refusal is of the
// subject CommandLine (EventTypeUnknown, quoting the unknown word).
Parsed<astro::EventKindSet> parseEventKinds(std::string_view text);

}  // namespace frontend
