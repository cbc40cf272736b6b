// The library's eclipses as plain text, for eclipses.py.
//
// Reads commands from standard input, one per line, and answers each with
// one line of comma-separated numbers on standard output (Julian Days of
// TT, angles in degrees, NaN for what does not happen):
//   solar AFTER DT       the next eclipse of the Sun after AFTER (TT) with
//                        Delta T fixed at DT seconds: kind, greatest,
//                        latitude, longitude, gamma, magnitude, central
//                        duration (s), P1, P4, status
//   local JD DT LON LAT HEIGHT
//                        the eclipse of the Sun whose greatest eclipse is
//                        nearest after JD - 0.5, seen from the place
//                        (degrees, metres): eclipsed, seen, kind, C1, C2,
//                        maximum, C3, C4, magnitude, obscuration, the Sun's
//                        altitude at C1, maximum and C4, at sunrise, at
//                        sunset
//   lunar AFTER DT SHADOW
//                        the next eclipse of the Moon (SHADOW danjon or
//                        chauvenet): kind, greatest, P1, U1, U2, U3, U4,
//                        P4, umbral and penumbral magnitudes, gamma, status
#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "astro/astro.h"

namespace {
using namespace astro;

double degrees(double radians) {
  return radians * 180.0 / 3.14159265358979323846;
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "solar") {
      double after = 0, dt = 0;
      in >> after >> dt;
      const SolarEclipse e = searchSolarEclipse(TT{after}, TimeScale::fixed(dt));
      std::printf("%s,%.10f,%.6f,%.6f,%.6f,%.6f,%.3f,%.10f,%.10f,%s\n",
                  std::string(solarEclipseKindId(e.kind)).c_str(), e.greatest.jd,
                  degrees(e.latitude), degrees(e.longitude), e.gamma, e.magnitude,
                  e.centralDuration, e.partialBegin.jd, e.partialEnd.jd,
                  std::string(statusId(e.status)).c_str());
    } else if (command == "local") {
      double jd = 0, dt = 0, lon = 0, lat = 0, height = 0;
      in >> jd >> dt >> lon >> lat >> height;
      const TimeScale scale = TimeScale::fixed(dt);
      const SolarEclipse e = searchSolarEclipse(TT{jd - 0.5}, scale);
      const Observer place{lat * 3.14159265358979323846 / 180.0,
                           lon * 3.14159265358979323846 / 180.0, height};
      const LocalSolarEclipse l = localSolarEclipse(e, place, scale);
      std::printf("%d,%d,%s,%.10f,%.10f,%.10f,%.10f,%.10f,%.6f,%.6f,%.4f,%.4f,%.4f,%d,%d\n",
                  l.eclipsed ? 1 : 0, l.seen ? 1 : 0,
                  std::string(solarEclipseKindId(l.kind)).c_str(), l.c1.tt.jd, l.c2.tt.jd,
                  l.maximum.tt.jd, l.c3.tt.jd, l.c4.tt.jd, l.magnitude, l.obscuration,
                  degrees(l.c1.altitude), degrees(l.maximum.altitude), degrees(l.c4.altitude),
                  l.atSunrise ? 1 : 0, l.atSunset ? 1 : 0);
    } else if (command == "lunar") {
      double after = 0, dt = 0;
      std::string shadow;
      in >> after >> dt >> shadow;
      const LunarEclipse e =
          searchLunarEclipse(TT{after}, TimeScale::fixed(dt),
                             shadow == "chauvenet" ? LunarShadow::Chauvenet : LunarShadow::Danjon);
      std::printf("%s,%.10f,%.10f,%.10f,%.10f,%.10f,%.10f,%.10f,%.6f,%.6f,%.6f,%s\n",
                  std::string(lunarEclipseKindId(e.kind)).c_str(), e.greatest.jd, e.p1.jd, e.u1.jd,
                  e.u2.jd, e.u3.jd, e.u4.jd, e.p4.jd, e.umbralMagnitude, e.penumbralMagnitude,
                  e.gamma, std::string(statusId(e.status)).c_str());
    } else {
      std::printf("unknown command\n");
    }
    std::fflush(stdout);
  }
  return 0;
}
