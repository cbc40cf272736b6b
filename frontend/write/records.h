// The reports for scripts: CSV and JSON Lines, every value in full.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "astro/astro.h"
#include "frontend/app/observation.h"
#include "frontend/app/request.h"

namespace frontend {

// A field of CSV or JSON: text (empty text is no value: an empty CSV field,
// JSON null), a whole number, or a number in its shortest exact form,
// written only when it is finite.
struct Value {
  enum class Kind { Text, Whole, Number };
  Kind kind;
  std::string_view words;
  std::int64_t whole;
  double number;

  static Value text(std::string_view words) { return Value{Kind::Text, words, 0, 0.0}; }
  static Value of(std::int32_t whole) { return Value{Kind::Whole, {}, whole, 0.0}; }
  static Value of(double number) { return Value{Kind::Number, {}, 0, number}; }
};

struct Field {
  std::string_view name;
  Value value;
};

// One record: a CSV line of the values (text quoted where it must be), or
// a JSON object on a line of its own.
void appendCsvRecord(std::string& out, std::span<const Field> fields);
void appendJsonRecord(std::string& out, std::span<const Field> fields);

// CSV, one row per date and body (tidy data), after a header line:
//   date,datetime,year,month,day,jd,sidereal_h,time_scale,delta_t_s,body,
//   ra_h,dec_deg,distance_au,distance_km,illuminated_fraction,status,
//   magnitude,magnitude_status,phase_angle_deg,apparent_diameter_arcsec,
//   elongation_deg,elongation_side,theory,apparent_ra_h,apparent_dec_deg
// Angles in hours and degrees with the computation's pi; time_scale is tt
// (the date taken as TT, and as UT for the sidereal time) or ut, delta_t_s
// the seconds added to the date for the positions. With civil time the
// zone and the local time follow delta_t_s (and a place's coordinates), and
// with a place what is seen of each body there follows its columns; last
// comes the body's IAU constellation (its abbreviation, "Gem"). How
// each body looks is the observation's: the illuminated fraction of every body
// (the Moon's the report's), the visual magnitude and whether its law
// covers the phase angle (computed, outside_model_range), the apparent
// diameter, the elongation from the Sun and its side along the ecliptic
// (east, west; none for the Sun). theory is the theory of the row's
// positions (classic, or precise with --precis); apparent_ra_h and
// apparent_dec_deg the apparent place on the true equator and equinox of
// date, given by the precise theory alone (empty under the classic one).
// With a place, place_theory (after height_m) is the theory of what is
// seen there. Every number in the shortest text that
// reads back to the same double, whole numbers as integers; an empty field
// where there is no value.
void appendCsvHeader(std::string& out, const Request& request);
void appendCsv(std::string& out, const Observation& seen, const Request& request);

// JSON Lines: one object per date with the same fields and the date's own
// status, the bodies in an array; null where CSV leaves a field empty.
void appendJson(std::string& out, const Observation& seen, const Request& request);

}  // namespace frontend
