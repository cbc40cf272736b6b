// The report of one date, as the dialogue writes it.
#pragma once

#include <string>

#include "astro/astro.h"

namespace frontend {

// Appends the report of one date: the header line (the date as given, the
// Julian Day, the sidereal time), the framed title, one row per body and an
// empty line. `instant` is what astro::computeInstant gave for `date`.
void appendReport(std::string& out, const astro::CalendarDate& date, const astro::Instant& instant);

// The distance as the report shows it: cut to four decimals,
// floor(distance * 10000) * 0.0001 with the last product in extended
// precision.
double cutDistance(double distance);

// The Moon's illuminated percentage as the report shows it: floor(100 k),
// never rounded up.
double illuminatedPercent(double illumination);

}  // namespace frontend
