// Calls the installed library the way another program would: the Julian Day
// and the Sun at 2000 January 1.5, with PI from the installed constants.
#include <iomanip>
#include <iostream>

#include "astro/body.h"
#include "astro/constants.h"
#include "astro/time_base.h"

int main() {
  const double jd = julianDay(2000, 1, 1.5);
  const BodyPosition sun = computeBody(kSun, 2000, 1, 1.5);
  std::cout << std::setprecision(12) << "jd " << jd << "\n";
  std::cout << std::setprecision(8) << "ra " << sun.rightAscension << "\n"
            << "dec " << sun.declination << "\n"
            << "ra_deg " << sun.rightAscension * 180 / PI << "\n";
  return 0;
}
