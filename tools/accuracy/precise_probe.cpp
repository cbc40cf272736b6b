// precise_probe: the precise theory's places for the Julian Days (TT) read
// on standard input, one a line, as CSV on standard output for
// tools/accuracy/precise.py: for each body the geometric geocentric ICRS
// vector (AU), the geometric place of the mean equator and equinox of date
// and the apparent place (right ascension, declination in radians, distance
// in AU) with its ecliptic longitude of date (radians), then the Earth's
// distance from the Sun (AU) from VSOP87B and from ERFA's epv00, the same
// on every row of a date; every value with all its digits. Exit status 1 on
// a line that is not a number.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "astro/astro.h"
#include "astro/precise/precise.h"

int main() {
  std::printf(
      "jd,body,x,y,z,ra,dec,distance,apparent_ra,apparent_dec,apparent_distance,"
      "apparent_longitude,earth_sun,earth_sun_epv00\n");
  char line[256];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    char* end = nullptr;
    const double jd = std::strtod(line, &end);
    if (end == line) return 1;
    const astro::precise::Epoch epoch = astro::precise::epochAt(jd);
    const double earthSun = astro::length(epoch.earthHelio.position);
    const double earthSunEpv00 =
        astro::length(astro::precise::earthHeliocentricEpv00(jd).position);
    for (astro::Body body : astro::kBodies) {
      const astro::precise::Vec3 p = astro::precise::geocentric(body, jd).position;
      const astro::precise::Place g = astro::precise::geometricPosition(body, epoch);
      const astro::precise::Place a = astro::precise::apparentPosition(body, epoch);
      std::printf(
          "%.17g,%s,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n", jd,
          std::string(astro::bodyId(body)).c_str(), p.x, p.y, p.z, g.rightAscension, g.declination,
          g.distanceAu, a.rightAscension, a.declination, a.distanceAu, a.eclipticLongitude,
          earthSun, earthSunEpv00);
    }
  }
  return 0;
}
