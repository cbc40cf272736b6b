// appendReport: one complete report.
//
// Layout, columns counted from 0: body name in 0-7, right ascension in
// 12-22, declination in 30-40, distance right-aligned from column 46 in a
// field of 6, and on the Moon's row only the illuminated percentage from
// column 58. Everything is cut with floor; only the precision of the
// general notation (5 significant digits, 11 for the Julian Day) rounds
// what is left. The Moon's distance is shown in thousands of kilometres,
// the others' in astronomical units.
//
// A date so far away that a position cannot be computed gets a French note
// in place of the numbers, never "nan" or "inf" and never a position that
// the computation does not vouch for.
#include "frontend/write/text_report.h"

#include <cmath>

#include "frontend/write/sexagesimal.h"
#include "frontend/write/bodies.h"
#include "frontend/write/catalogue.h"
#include "frontend/write/place_block.h"
#include "frontend/write/numbers.h"

namespace frontend {
namespace {
constexpr int kPrecision = 5;
constexpr int kJulianDayPrecision = 11;

// The figure of the distance column: kilometres over 1000 give back the
// thousands of kilometres the Moon's theory works in (the cut digits are
// the same), astronomical units for the others.
double shownDistance(astro::Body body, const astro::BodyPosition& p) {
  return body == astro::Body::Moon ? p.distanceKm / 1000 : p.distanceAu;
}
}  // namespace

double cutDistance(double distance) {
  return astro::tenThousandths(std::floor(distance * 10000));
}

double illuminatedPercent(double illumination) {
  return std::floor(100 * illumination);
}

void appendHeaderLine(std::string& out, const astro::CalendarDate& date,
                      const astro::Instant& instant) {
  appendGeneral(out, date.day, kPrecision);
  out += '/';
  appendInteger(out, date.month);
  out += '/';
  appendInteger(out, date.year);
  appendHeaderTimes(out, instant);
}

void appendHeaderTimes(std::string& out, const astro::Instant& instant) {
  out += catalogue::kJulianDayOpen;
  if (std::isfinite(instant.ut.jd)) {
    appendGeneral(out, instant.ut.jd, kJulianDayPrecision);
  } else {
    out += catalogue::kNotComputable;
  }
  out += catalogue::kSiderealOpen;
  // A Julian Day too large to tell one second from the next gives no
  // sidereal time worth a figure.
  if (instant.status != astro::Status::NotComputable && std::isfinite(instant.siderealTime)) {
    appendRightAscension(out, instant.siderealTime);
  } else {
    out += catalogue::kNotComputable;
  }
  out += catalogue::kHeaderClose;
}

void appendReport(std::string& out, const Observation& seen, const Request& request) {
  const astro::Instant& instant = seen.instant;
  appendHeaderLine(out, seen.entry.date, instant);
  out += '\n';
  out += catalogue::kRule;
  out += catalogue::kTitle;
  out += catalogue::kRule;

  for (const BodyRow& row : kBodyRows) {
    const astro::BodyPosition& p = instant[row.body];
    out += ' ';
    out += row.reportName;
    const double distance = cutDistance(shownDistance(row.body, p));
    if (p.status == astro::Status::NotComputable || !std::isfinite(distance)) {
      out += "    ";
      out += catalogue::kPositionNotComputable;
      out += '\n';
      continue;
    }
    out += "    ";
    appendRightAscension(out, p.rightAscension);
    out += "       ";
    appendDeclination(out, p.declination);
    out += "     ";
    appendGeneral(out, distance, kPrecision, 6);
    if (row.body == astro::Body::Moon) {
      out += "      ";
      appendGeneral(out, illuminatedPercent(p.illumination), kPrecision);
      out += '%';
    }
    out += '\n';
  }
  out += '\n';
  if (seen.place) {
    appendPlaceBlock(out, request, seen);
  }
}

}  // namespace frontend
