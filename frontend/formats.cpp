// appendCsv, appendJson: reports for scripts.
#include "frontend/formats.h"

#include <cmath>
#include <cstddef>

#include "frontend/text.h"

namespace frontend {
namespace {

constexpr double kPi = astro::kPi;

// The values of one body, in the units of the columns; NaN where there is
// none.
struct BodyValues {
  double raHours;
  double decDegrees;
  double distanceAu;
  double distanceKm;
  double illuminatedFraction;
};

BodyValues valuesOf(astro::Body body, const astro::BodyPosition& p) {
  const double none = std::nan("");
  if (p.status == astro::Status::NotComputable) {
    return BodyValues{none, none, none, none, none};
  }
  const bool moon = body == astro::Body::Moon;
  // The Moon's distance comes in thousands of kilometres, the others' in AU.
  const double km = moon ? p.distance * 1000 : p.distance * astro::kAstronomicalUnitKm;
  const double au = moon ? km / astro::kAstronomicalUnitKm : p.distance;
  return BodyValues{p.rightAscension * 12 / kPi, p.declination * 180 / kPi, au, km,
                    moon ? p.illumination : none};
}

std::string_view scaleId(const TimeScale& scale) {
  return scale.universal ? "ut" : "tt";
}

double hoursOf(double radians) {
  return radians * 12 / kPi;
}

// A number, or nothing (CSV) / null (JSON) when it is not finite.
void appendNumber(std::string& out, double value, std::string_view none) {
  if (std::isfinite(value)) {
    appendShortest(out, value);
  } else {
    out += none;
  }
}

// Text in a CSV field, quoted when it holds a separator, a quote or a line
// end.
void appendCsvText(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') {
      out += '"';
    }
    out += c;
  }
  out += '"';
}

void appendJsonText(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

std::string_view bodyId(astro::Body body) {
  static constexpr std::string_view kIds[] = {"sun",     "moon",   "mercury", "venus",  "mars",
                                              "jupiter", "saturn", "uranus",  "neptune"};
  return kIds[static_cast<std::size_t>(body)];
}

std::string_view statusId(astro::Status status) {
  switch (status) {
    case astro::Status::Computed:
      return "computed";
    case astro::Status::OutsideMeasuredSpan:
      return "outside_measured_span";
    default:
      return "not_computable";
  }
}

void appendCsvHeader(std::string& out) {
  out +=
      "date,year,month,day,jd,sidereal_h,time_scale,delta_t_s,body,ra_h,dec_deg,distance_au,"
      "distance_km,illuminated_fraction,status\n";
}

void appendCsv(std::string& out, const DateEntry& entry, const astro::Instant& instant,
               const TimeScale& scale) {
  std::string date;
  appendCsvText(date, entry.label);
  date += ',';
  appendInteger(date, entry.date.year);
  date += ',';
  appendInteger(date, entry.date.month);
  date += ',';
  appendNumber(date, entry.date.day, "");
  date += ',';
  appendNumber(date, instant.jd, "");
  date += ',';
  appendNumber(date, hoursOf(instant.siderealTime), "");
  date += ',';
  date += scaleId(scale);
  date += ',';
  appendNumber(date, instant.deltaT, "");
  date += ',';
  for (const astro::Body body : astro::kBodies) {
    const astro::BodyPosition& p = instant[body];
    const BodyValues v = valuesOf(body, p);
    out += date;
    out += bodyId(body);
    for (const double value :
         {v.raHours, v.decDegrees, v.distanceAu, v.distanceKm, v.illuminatedFraction}) {
      out += ',';
      appendNumber(out, value, "");
    }
    out += ',';
    out += statusId(p.status);
    out += '\n';
  }
}

void appendJson(std::string& out, const DateEntry& entry, const astro::Instant& instant,
                const TimeScale& scale) {
  out += "{\"date\":";
  appendJsonText(out, entry.label);
  out += ",\"year\":";
  appendInteger(out, entry.date.year);
  out += ",\"month\":";
  appendInteger(out, entry.date.month);
  out += ",\"day\":";
  appendNumber(out, entry.date.day, "null");
  out += ",\"jd\":";
  appendNumber(out, instant.jd, "null");
  out += ",\"sidereal_h\":";
  appendNumber(out, hoursOf(instant.siderealTime), "null");
  out += ",\"time_scale\":\"";
  out += scaleId(scale);
  out += "\",\"delta_t_s\":";
  appendNumber(out, instant.deltaT, "null");
  out += ",\"status\":\"";
  out += statusId(instant.status);
  out += "\",\"bodies\":[";
  for (const astro::Body body : astro::kBodies) {
    const astro::BodyPosition& p = instant[body];
    const BodyValues v = valuesOf(body, p);
    if (body != astro::Body::Sun) {
      out += ',';
    }
    out += "{\"body\":\"";
    out += bodyId(body);
    out += "\",\"ra_h\":";
    appendNumber(out, v.raHours, "null");
    out += ",\"dec_deg\":";
    appendNumber(out, v.decDegrees, "null");
    out += ",\"distance_au\":";
    appendNumber(out, v.distanceAu, "null");
    out += ",\"distance_km\":";
    appendNumber(out, v.distanceKm, "null");
    out += ",\"illuminated_fraction\":";
    appendNumber(out, v.illuminatedFraction, "null");
    out += ",\"status\":\"";
    out += statusId(p.status);
    out += "\"}";
  }
  out += "]}\n";
}

}  // namespace frontend
