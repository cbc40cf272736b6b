// The reports for scripts: CSV and JSON Lines, every value in full.
#pragma once

#include <string>
#include <string_view>

#include "astro/astro.h"
#include "frontend/request.h"

namespace frontend {

// What scripts call each status.
std::string_view statusId(astro::Status status);

// CSV, one row per date and body (tidy data), after a header line:
//   date,year,month,day,jd,sidereal_h,time_scale,delta_t_s,body,ra_h,
//   dec_deg,distance_au,distance_km,illuminated_fraction,status
// Angles in hours and degrees with the computation's pi; time_scale is tt
// (the date taken as TT, and as UT for the sidereal time) or ut, delta_t_s
// the seconds added to the date for the positions. Every number in the
// shortest text that reads back to the same double; an empty field where
// there is no value (no illuminated fraction but the Moon's, no position
// that could not be computed).
void appendCsvHeader(std::string& out, const Request& request);
void appendCsv(std::string& out, const DateEntry& entry, const astro::Instant& instant,
               const Request& request);

// JSON Lines: one object per date with the same fields and the date's own
// status, the bodies in an array; null where CSV leaves a field empty.
void appendJson(std::string& out, const DateEntry& entry, const astro::Instant& instant,
                const Request& request);

}  // namespace frontend
