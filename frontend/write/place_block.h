// What a person at the request's place sees at one date, as the text
// report writes it after its table: the bodies' altitude and azimuth, their
// rising, transit and setting on the local day, the Sun's twilights; and
// the pieces of it that the other formats write too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "astro/astro.h"
#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// The block of the place, after the report: the place and its zone, the
// local date and time, a table with each body's altitude, azimuth,
// magnitude, rise, transit (and its altitude) and set in local time, the
// Sun's three twilights, and each body's constellation by its French name.
// `seen` has the place's view (and the looks and local time that come with
// it).
void appendPlaceBlock(std::string& out, const Request& request, const Observation& seen);

// The block's first line: the place (a named one with where it lies, to a
// hundredth of a degree), its zone with the offset of `local`; when the
// line would pass 80 columns (a long name, a long zone), the zone goes on a
// line of its own.
void appendPlaceLine(std::string& out, const Request& request, const LocalTime& local);

// The pieces of the block, for the picture of the sky above the place:
// "23° 05'", "-8° 03'": degrees and minutes of arc, cut;
void appendDegreesMinutes(std::string& out, double radians);
// "05:29": an instant (UT) on the zone's clock, to the second as CSV
// writes it, then cut to the minute;
void appendClock(std::string& out, const Request& request, double jdUt);
// "21/06/2025": the local day;
void appendLocalDay(std::string& out, const LocalTime& local);
// "UTC+02:00": an offset from UT;
void appendOffset(std::string& out, std::int32_t seconds);
// a rise, a transit (with its altitude: "13:42 (67° 41')") or a set, or
// what became of it ("toujours levé", "pas de lever"...);
enum class DayEventKind { Rise, Transit, Set };
void appendDayEvent(std::string& out, const Request& request, const astro::DayEvent& event,
                    DayEventKind kind);
// a twilight's morning and evening ("aube 04:52", "soir 22:32", or what
// keeps each away), or a single text when the Sun stays above or below its
// altitude all day. `night`: the twilights of a night, from noon to noon,
// whose dusk always comes before its dawn and needs no "(la veille)".
std::vector<std::string> twilightParts(const Request& request, const astro::Twilight& twilight,
                                       bool night = false);

// The Moon's phase by name, its age and its lit fraction (0 to 1), as
// many of them as are known: "gibbeuse décroissante", "âgée de 17,1
// jours", "éclairée à 90 %".
std::vector<std::string> moonPhaseParts(const astro::MoonAge& age, double fraction);

// An event's time in the zone as ISO 8601 with the offset
// (2025-06-21T05:47:12+02:00), nothing when it does not occur (its outcome
// then says why: astro::eventOutcomeId).
void appendEventTime(std::string& out, const Request& request, const astro::DayEvent& event);

}  // namespace frontend
