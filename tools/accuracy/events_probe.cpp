// The library's events and apparent places as plain text, for events.py.
//
// Reads commands from standard input, one per line, and answers each on
// standard output:
//   events START END [LIMIT [KINDS [DENSER]]]
//                              every event in [START, END) (Julian Days,
//                              TT), close approaches under LIMIT degrees
//                              (3 if not given), of the kinds named in
//                              KINDS (comma-separated ids, or "all", the
//                              default), with the search's steps divided
//                              by DENSER (1 if not given), one CSV line
//                              each:
//                              kind,body,other,jd,angle,distance_au,
//                              distance_km,status (angle in radians), then
//                              "end,STATUS,COMPUTATIONS" with the number of
//                              positions the theory computed per body
//   apparent BODY JD           one line: body,jd,apparent longitude and
//                              latitude, geometric longitude and latitude
//                              (radians), distance (AU), light-time (days)
// Numbers are written with 17 significant digits.
#include <array>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "astro/astro.h"
#include "astro/events.h"

namespace {
using namespace astro;

EventKindSet kindsNamed(const std::string& names) {
  EventKindSet kinds = 0;
  std::istringstream list(names);
  std::string name;
  while (std::getline(list, name, ',')) {
    for (const EventKind kind : kEventKinds) {
      if (eventKindId(kind) == name) {
        kinds |= eventKindBit(kind);
      }
    }
  }
  return kinds;
}

void listEvents(double start, double end, double limitDegrees, EventKindSet kinds, double denser) {
  SearchSteps steps = kSearchSteps;
  for (double& step : steps.track) {
    step /= denser;
  }
  steps.pairScan /= denser;
  SearchCounts counts;
  const EventList list = searchEvents(TT{start}, TT{end}, kinds, limitDegrees * kPi / 180,
                                      Theory::Classic, steps, &counts);
  for (const Event& e : list.events) {
    std::printf("%s,%s,%s,%.17g,%.17g,%.17g,%.17g,%s\n", eventKindId(e.kind).data(),
                bodyId(e.body).data(), bodyId(e.other).data(), e.tt.jd, e.angle, e.distanceAu,
                e.distanceKm, statusId(e.status).data());
  }
  std::printf("end,%s", statusId(list.status).data());
  for (const auto n : counts.computations) {
    std::printf(",%lld", static_cast<long long>(n));
  }
  std::printf("\n");
}

void showApparent(const std::string& name, double jd) {
  for (const Body body : kBodies) {
    if (bodyId(body) == name) {
      const BodyPosition geometric = computeBody(body, TT{jd});
      const ApparentPosition a = apparentPosition(body, TT{jd});
      std::printf("%s,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n", name.c_str(), jd,
                  a.eclipticLongitude, a.eclipticLatitude, geometric.eclipticLongitude,
                  geometric.eclipticLatitude, geometric.distanceAu, a.lightTime);
      return;
    }
  }
  std::printf("unknown body %s\n", name.c_str());
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "events") {
      double start = 0;
      double end = 0;
      double limit = 3.0;
      std::string kinds = "all";
      double denser = 1.0;
      words >> start >> end;
      if (!(words >> limit)) {
        limit = 3.0;
      }
      if (words >> kinds) {
        words >> denser;
      }
      listEvents(start, end, limit, kinds == "all" ? kAllEventKinds : kindsNamed(kinds), denser);
    } else if (command == "apparent") {
      std::string body;
      double jd = 0;
      words >> body >> jd;
      showApparent(body, jd);
    } else if (!command.empty()) {
      std::printf("unknown command %s\n", command.c_str());
    }
    std::fflush(stdout);
  }
  return 0;
}
