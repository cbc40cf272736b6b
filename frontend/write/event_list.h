// The year's events, as the program lists them: one line (text, CSV, JSON)
// or one calendar event (iCalendar) per event, in time order.
#pragma once

#include <string_view>

#include "astro/astro.h"
#include "frontend/app/console.h"
#include "frontend/app/request.h"

namespace frontend {

// The kinds --types names, separated by commas: the groups phases,
// saisons, perihelie, perigee, conjonctions, oppositions, elongations,
// rapprochements, or the scripts' names of single kinds (full_moon,
// march_equinox ...), whatever the case and accents. A refusal is of the
// subject CommandLine (EventTypeUnknown, quoting the unknown word).
Parsed<astro::EventKindSet> parseEventKinds(std::string_view text);

// Finds the events of the request and writes them; returns the exit
// status: 0, or 1 when some could not be computed or the output failed.
int runEvents(Console& console, const Request& request);

}  // namespace frontend
