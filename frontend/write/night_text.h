// The night's view written: in French for a person, in CSV and JSON Lines
// for scripts, one row per body with the same fields.
#pragma once

#include <string>

#include "frontend/app/night.h"
#include "frontend/app/request.h"

namespace frontend {

// The text, every line within 80 columns:
//   the place's line; "Nuit du 16/01/2025 au 17/01/2025"; a rule;
//   the Sun's set and rise and the dark; the three twilights, evening then
//   morning; a rule;
//   the Moon: its phase by name, its age and lit fraction, when it is up and
//   its best time; each planet: visible and when ("toute la nuit", "le soir
//   jusqu'à 21:06"...), its magnitude and constellation, its best time with
//   its altitude and direction; or invisible and why;
//   a rule, and the rule of visibility.
void appendNightText(std::string& out, const Request& request, const NightView& view);

// CSV: the header line, then a row per body (the Sun first, then the Moon
// and the planets), each with the night's fields and the body's:
//   night,zone,latitude_deg,longitude_deg,sunset,civil_dusk,nautical_dusk,
//   astronomical_dusk,astronomical_dawn,nautical_dawn,civil_dawn,sunrise,
//   dark_start,dark_end,body,sighting,when,start,end,second_start,
//   second_end,best_time,best_altitude_deg,best_azimuth_deg,
//   best_direction,magnitude,constellation,elongation_deg,rise,set,phase,
//   age_days,illuminated_fraction
// night is the local date of the evening (YYYY-MM-DD); times are ISO 8601
// on the zone's clock with the offset, to the second; sighting is
// astro::sightingId, when astro::nightPartId of the first window;
// best_direction N, NE, E, SE, S, SW, W or NW; magnitude, elongation and
// the Moon's phase, age and fraction at the middle of the night; rise and
// set those of the span from noon to noon. Empty where a value does not
// apply (the Sun's windows; an invisible body's best time).
void appendNightCsvHeader(std::string& out);
void appendNightCsv(std::string& out, const Request& request, const NightView& view);

// JSON Lines: one object per body, the same fields by the same names,
// null where the CSV is empty.
void appendNightJson(std::string& out, const Request& request, const NightView& view);

}  // namespace frontend
