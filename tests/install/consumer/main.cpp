// Calls the installed library the way another program would: the Julian Day
// and the Sun at 2000 January 1.5, then one whole instant. A PI of the
// program's own, defined before the include, must not disturb the header.
#define PI 3.14
#include <iomanip>
#include <iostream>

#include "astro/astro.h"

int main() {
  const astro::CalendarDate date{2000, 1, 1.5};
  const astro::BodyPosition sun = astro::computeBody(astro::Body::Sun, date);
  const astro::Instant instant = astro::computeInstant(date);
  std::cout << "version " << astro::kVersion << "\n";
  std::cout << std::setprecision(12) << "jd " << astro::julianDay(date) << "\n";
  std::cout << std::setprecision(8) << "ra " << sun.rightAscension << "\n"
            << "dec " << sun.declination << "\n"
            << "ra_h " << astro::hoursOf(sun.rightAscension) << "\n"
            << "moon_au " << instant[astro::Body::Moon].distanceAu << "\n"
            << "moon_km " << instant[astro::Body::Moon].distanceKm << "\n"
            << "status " << static_cast<int>(instant.status) << "\n";
  return 0;
}
