// The report of one date, as the dialogue writes it.
#pragma once

#include <string>

#include "astro/astro.h"
#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// The header line of a report, without its line end: the date as the
// dialogue read it, the Julian Day and the sidereal time, as in
//   1.5/1/2000  (Jour Julien : 2451545)  (Temps siderale : 18h 41m 50s)
void appendHeaderLine(std::string& out, const astro::CalendarDate& date,
                      const astro::Instant& instant);
// The same after the date: "  (Jour Julien : ...)  (Temps siderale : ...)".
void appendHeaderTimes(std::string& out, const astro::Instant& instant);

// Appends the report of one date: the header line, the framed title, one
// row per body and an empty line; with a place, its block (place_block.h).
void appendReport(std::string& out, const Observation& seen, const Request& request);

// The distance as the report shows it: cut to four decimals,
// floor(distance * 10000) * 0.0001 with the last product in extended
// precision.
double cutDistance(double distance);

// The Moon's illuminated percentage as the report shows it: floor(100 k),
// never rounded up.
double illuminatedPercent(double illumination);

}  // namespace frontend
