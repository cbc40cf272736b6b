// The library's transits and occultations as plain text, for transits.py.
//
// Reads commands from standard input, one per line, and answers each on
// standard output, instants as Julian Days of TT (Delta T fixed at 0, so
// that TT and UT are the same numbers):
//   transit BODY JD            the first transit of BODY after JD:
//                              "transit,BODY,C1,C2,C3,C4,GREATEST,SEPARATION"
//                              (separation in arcseconds, nan where none)
//   local BODY JD LAT LON H    the same transit seen from a place (degrees,
//                              metres): the same line, "local" first, then
//                              the Sun's altitude at C1..C4 (degrees)
//   occultation BODY START END LAT LON H [DT]
//                              the occultations of BODY by the Moon from the
//                              place (Delta T fixed at DT seconds, 0 if not
//                              given; START and END then UT): "occultation,BODY,C1,C2,C3,C4,
//                              DISAPPEARANCE,REAPPEARANCE,PA_D,PA_R,MOON_ALT_D,
//                              MOON_ALT_R" (angles in degrees), then "end"
// Julian Days are written with 10 decimals (under a millisecond).
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "astro/astro.h"

namespace {
using namespace astro;

Body bodyNamed(const std::string& name) {
  for (const Body body : kBodies) {
    if (bodyId(body) == name) return body;
  }
  return Body::Sun;
}

constexpr double kDegree = 3.141592653589793 / 180.0;

void printTransit(const char* tag, const Transit& t) {
  std::printf("%s,%s", tag, std::string(bodyId(t.body)).c_str());
  for (const TransitContact& c : t.contacts) std::printf(",%.10f", c.tt.jd);
  std::printf(",%.10f,%.6f", t.greatest.tt.jd, t.leastSeparation / kDegree * 3600.0);
}

}  // namespace

int main() {
  const TimeScale scale = TimeScale::fixed(0.0);
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string command;
    std::string name;
    double jd = 0.0;
    in >> command >> name >> jd;
    const Body body = bodyNamed(name);
    if (command == "transit") {
      printTransit("transit", searchTransit(body, TT{jd}, scale));
      std::printf("\n");
    } else if (command == "local") {
      double lat = 0.0, lon = 0.0, height = 0.0;
      in >> lat >> lon >> height;
      const Transit local = localTransit(searchTransit(body, TT{jd}, scale),
                                         Observer{lat * kDegree, lon * kDegree, height}, scale);
      printTransit("local", local);
      for (const TransitContact& c : local.contacts) std::printf(",%.6f", c.sunAltitude / kDegree);
      std::printf("\n");
    } else if (command == "occultation") {
      double end = 0.0, lat = 0.0, lon = 0.0, height = 0.0;
      double deltaT = 0.0;
      in >> end >> lat >> lon >> height >> deltaT;
      const TimeScale occultationScale = TimeScale::fixed(deltaT);
      const OccultationList list = searchOccultations(
          body, Observer{lat * kDegree, lon * kDegree, height}, UT{jd}, UT{end}, occultationScale);
      for (const Occultation& o : list.occultations) {
        std::printf("occultation,%s", std::string(bodyId(o.body)).c_str());
        for (const TransitContact& c : o.contacts) std::printf(",%.10f", c.tt.jd);
        std::printf(",%.10f,%.10f,%.4f,%.4f,%.4f,%.4f\n", o.disappearance.tt.jd,
                    o.reappearance.tt.jd, o.disappearance.positionAngle / kDegree,
                    o.reappearance.positionAngle / kDegree, o.disappearance.moonAltitude / kDegree,
                    o.reappearance.moonAltitude / kDegree);
      }
      std::printf("end,%s\n", std::string(statusId(list.status)).c_str());
    }
    std::fflush(stdout);
  }
  return 0;
}
