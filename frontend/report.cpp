// appendReport: one complete report.
//
// Layout, columns counted from 0: body name in 0-7, right ascension in
// 12-22, declination in 30-40, distance right-aligned from column 46 in a
// field of 6, and on the Moon's row only the illuminated percentage from
// column 58. Everything is cut with floor; only the precision of the
// general notation (5 significant digits, 11 for the Julian Day) rounds
// what is left.
//
// A date so far away that a position cannot be computed gets a French note
// in place of the numbers, never "nan" or "inf" and never a position that
// the computation does not vouch for.
#include "frontend/report.h"

#include <cmath>
#include <string_view>

#include "frontend/angle_printers.h"
#include "frontend/body_names.h"
#include "frontend/text.h"

namespace frontend {
namespace {
constexpr std::string_view kRule =
    "------------------------------------------------------------------\n";
constexpr std::string_view kTitle =
    "Planetes   Ascension droite     Declinaison   Distance   Eclairement\n";
constexpr std::string_view kNotComputable = "incalculable pour cette date";
constexpr long double kTenThousandth = 0.0001L;
constexpr int kPrecision = 5;
constexpr int kJulianDayPrecision = 11;
}  // namespace

double cutDistance(double distance) {
  return static_cast<double>(std::floor(distance * 10000) * kTenThousandth);
}

double illuminatedPercent(double illumination) {
  return std::floor(100 * illumination);
}

void appendReport(std::string& out, const astro::CalendarDate& date,
                  const astro::Instant& instant) {
  appendGeneral(out, date.day, kPrecision);
  out += '/';
  appendInteger(out, date.month);
  out += '/';
  appendInteger(out, date.year);
  out += "  (Jour Julien : ";
  if (std::isfinite(instant.jd)) {
    appendGeneral(out, instant.jd, kJulianDayPrecision);
  } else {
    out += kNotComputable;
  }
  out += ")  (Temps siderale : ";
  if (std::isfinite(instant.siderealTime)) {
    appendRightAscension(out, instant.siderealTime);
  } else {
    out += kNotComputable;
  }
  out += ")\n";
  out += kRule;
  out += kTitle;
  out += kRule;

  for (const astro::Body body : astro::kBodies) {
    const astro::BodyPosition& p = instant[body];
    out += ' ';
    out += reportName(body);
    // The Moon's figure is in thousands of kilometres, the others' in AU.
    const double distance =
        cutDistance(body == astro::Body::Moon ? p.distanceKm / 1000 : p.distanceAu);
    if (p.status == astro::Status::NotComputable || !std::isfinite(distance)) {
      out += "    position ";
      out += kNotComputable;
      out += '\n';
      continue;
    }
    out += "    ";
    appendRightAscension(out, p.rightAscension);
    out += "       ";
    appendDeclination(out, p.declination);
    out += "     ";
    appendGeneral(out, distance, kPrecision, 6);
    if (body == astro::Body::Moon) {
      out += "      ";
      appendGeneral(out, illuminatedPercent(p.illumination), kPrecision);
      out += '%';
    }
    out += '\n';
  }
  out += '\n';
}

}  // namespace frontend
