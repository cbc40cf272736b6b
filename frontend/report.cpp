// printReport: one complete report for the current date.
//
// Layout, columns counted from 0: body name in 0-7, right ascension in
// 12-22, declination in 30-40, distance right-aligned from column 46 in a
// field of 6, and on the Moon's row only the illuminated percentage from
// column 58. Everything is cut with floor; only the stream's precision (5
// significant digits, 11 for the Julian Day) rounds what is left.
//
// A date so far away that a position or the sidereal time comes out as no
// finite number gets a French note in place of the numbers, never "nan" or
// "inf".
#include "frontend/report.h"

#include <cmath>
#include <iomanip>
#include <iostream>
#include <string_view>

#include "astro/body.h"
#include "astro/body_names.h"
#include "astro/time_base.h"
#include "frontend/angle_printers.h"
#include "frontend/current_date.h"

namespace {
constexpr std::string_view kRule =
    "------------------------------------------------------------------";
constexpr std::string_view kNotComputable = "incalculable pour cette date";
constexpr long double kTenThousandth = 0.0001L;

bool rowIsFinite(BodyIndex index, const BodyPosition& p, double distance) {
  return std::isfinite(p.rightAscension) && std::isfinite(p.declination) &&
         std::isfinite(distance) && (index != kMoon || std::isfinite(p.illumination));
}
}  // namespace

double cutDistance(double distance) {
  return static_cast<double>(std::floor(distance * 10000) * kTenThousandth);
}

double illuminatedPercent(double illumination) {
  return std::floor(100 * illumination);
}

void printReport() {
  const BodyPosition headerPosition = computeBody(kSun, year, month, day);
  const double jd = julianDay(year, month, day);

  std::cout << day << "/" << month << "/" << year << "  (Jour Julien : ";
  std::cout << std::setprecision(11);
  if (std::isfinite(jd)) {
    std::cout << jd;
  } else {
    std::cout << kNotComputable;
  }
  std::cout << ")  (Temps siderale : ";
  std::cout.setf(std::ios::right);
  if (std::isfinite(headerPosition.siderealTime)) {
    printRightAscension(headerPosition.siderealTime);
  } else {
    std::cout << kNotComputable;
  }
  std::cout << ")" << std::endl;
  std::cout << kRule << std::endl;
  std::cout << std::setprecision(5);
  std::cout << "Planetes"
            << "   "
            << "Ascension droite"
            << "     "
            << "Declinaison"
            << "   "
            << "Distance"
            << "   "
            << "Eclairement" << std::endl;
  std::cout << kRule << std::endl;

  for (BodyIndex i = 0; i < kBodyCount; ++i) {
    std::cout << std::setw(8);
    printBodyName(i);
    const BodyPosition p = computeBody(i, year, month, day);
    const double distance = cutDistance(p.distance);
    if (!rowIsFinite(i, p, distance)) {
      std::cout << "    position " << kNotComputable << std::endl;
      continue;
    }
    std::cout << "    ";
    printRightAscension(p.rightAscension);
    std::cout << "       ";
    printDeclination(p.declination);
    std::cout << "     " << std::setw(6) << distance;
    if (i == kMoon) {
      std::cout << "      " << illuminatedPercent(p.illumination) << "%";
    }
    std::cout << std::endl;
  }
  std::cout << std::endl;
}
