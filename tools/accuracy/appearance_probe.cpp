// appearance_probe: the library's appearances for the Julian Days (TT) read
// on standard input, one a line, as CSV on standard output for
// tools/accuracy/appearance.py. Angles in radians, distances in AU, every
// value with all its digits. Exit status 1 on a line that is not a number.
#include <cstdio>
#include <cstdlib>

#include "astro/astro.h"

namespace {

// The side's id, "none" for no side (the Sun), which appearance.py reads.
const char* sideName(astro::SunSide side) {
  return side == astro::SunSide::None ? "none" : astro::sunSideId(side).data();
}

}  // namespace

int main() {
  std::printf(
      "jd,body,phase_angle,illuminated_fraction,angular_diameter,heliocentric_distance,"
      "elongation,longitude_difference,side,magnitude,magnitude_status,distance,"
      "moon_illumination\n");
  char line[128];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    char* end = nullptr;
    const double jd = std::strtod(line, &end);
    if (end == line) {
      std::fprintf(stderr, "not a Julian Day: %s", line);
      return 1;
    }
    const astro::Instant instant = astro::computeInstant(astro::TT{jd});
    const astro::Appearances looks = astro::appearances(instant);
    for (const astro::Body body : astro::kBodies) {
      const astro::Appearance& a = looks[body];
      const astro::BodyPosition& p = instant[body];
      std::printf("%.17g,%s,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%s,%.17g,%s,%.17g,%.17g\n", jd,
                  astro::bodyId(body).data(), a.phaseAngle, a.illuminatedFraction,
                  a.angularDiameter, a.heliocentricDistanceAu, a.elongation.angle,
                  a.elongation.longitudeDifference, sideName(a.elongation.side), a.magnitude,
                  astro::magnitudeStatusId(a.magnitudeStatus).data(), p.distanceAu, p.illumination);
    }
  }
  return 0;
}
