// What a person at the request's place sees at one date: the bodies'
// altitude and azimuth, their rising, transit and setting on the local day,
// the Sun's twilights; written after the text report, and read by the
// other formats.
#pragma once

#include <string>
#include <string_view>

#include "astro/astro.h"
#include "frontend/request.h"

namespace frontend {

// Everything about one date at the place, computed once.
struct PlaceView {
  LocalTime local;           // the date's instant on the zone's clock
  astro::SkyView sky;        // topocentric, with standard refraction
  astro::DayAlmanac day;     // the local civil day that holds the instant
  astro::Appearances looks;  // magnitudes
};

// The view from the request's place (which must have one) at the instant of
// a date already in UT.
PlaceView viewFrom(const Request& request, const astro::Instant& instant);

// The block of the place, after the report: the place and its zone, the
// local date and time, a table with each body's altitude, azimuth,
// magnitude, rise, transit (and its altitude) and set in local time, and
// the Sun's three twilights.
void appendPlaceBlock(std::string& out, const Request& request, const PlaceView& view);

// An event's time in the zone as ISO 8601 with the offset
// (2025-06-21T05:47:12+02:00), nothing when it does not occur; its outcome
// as scripts write it: occurs, always_above, always_below, not_this_day,
// not_computable.
void appendEventTime(std::string& out, const Request& request, const astro::DayEvent& event);
std::string_view outcomeId(astro::EventOutcome outcome);

}  // namespace frontend
