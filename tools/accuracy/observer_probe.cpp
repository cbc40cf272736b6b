// observer_probe: the library's almanac and horizontal positions for the
// days and places read on standard input, one per line:
//
//   dayStart deltaT latitude longitude height instant
//
// dayStart and instant Julian Days of UT, deltaT seconds, latitude and
// longitude radians (north and east positive), height metres. For each line
// it writes CSV rows (line numbers from 0)
//
//   line,body,event,outcome,jd,second_jd,altitude,azimuth
//
// one per rise, transit and set of each body and per twilight of the Sun
// (body "sun", event civil_morning ... astronomical_evening), then two
// rows "seen" and "seen_refracted" per body with its altitude and azimuth
// at the instant (jd the instant). Angles in radians; times and angles
// printed with 17 significant digits; absent values as "nan".
#include <cstdio>

#include "astro/astro.h"

namespace {

void printEvent(long line, astro::Body body, const char* event, const astro::DayEvent& e) {
  std::printf("%ld,%s,%s,%s,%.17g,%.17g,%.17g,%.17g\n", line, astro::bodyId(body).data(), event,
              astro::eventOutcomeId(e.outcome).data(), e.ut.jd, e.secondUt.jd, e.altitude,
              e.azimuth);
}

}  // namespace

int main() {
  std::printf("line,body,event,outcome,jd,second_jd,altitude,azimuth\n");
  double start = 0;
  double deltaT = 0;
  double latitude = 0;
  double longitude = 0;
  double height = 0;
  double instant = 0;
  for (long line = 0; std::scanf("%lf %lf %lf %lf %lf %lf", &start, &deltaT, &latitude, &longitude,
                                 &height, &instant) == 6;
       ++line) {
    const astro::Observer observer{latitude, longitude, height};
    const astro::DayAlmanac day = astro::dayAlmanac(
        astro::UT{start}, astro::TimeScale::fixed(deltaT), observer, astro::Refraction::None);
    for (const astro::Body body : astro::kBodies) {
      printEvent(line, body, "rise", day[body].rise);
      printEvent(line, body, "transit", day[body].transit);
      printEvent(line, body, "set", day[body].set);
    }
    const struct {
      const char* name;
      const astro::Twilight& twilight;
    } twilights[] = {
        {"civil", day.civil}, {"nautical", day.nautical}, {"astronomical", day.astronomical}};
    for (const auto& t : twilights) {
      char morning[32];
      char evening[32];
      std::snprintf(morning, sizeof morning, "%s_morning", t.name);
      std::snprintf(evening, sizeof evening, "%s_evening", t.name);
      printEvent(line, astro::Body::Sun, morning, t.twilight.morning);
      printEvent(line, astro::Body::Sun, evening, t.twilight.evening);
    }
    const astro::Instant at =
        astro::computeInstantUt(astro::UT{instant}, astro::TimeScale::fixed(deltaT));
    const astro::SkyView plain = astro::observe(at, observer, astro::Refraction::None);
    const astro::SkyView refracted = astro::observe(at, observer, astro::Refraction::Standard);
    for (const astro::Body body : astro::kBodies) {
      std::printf("%ld,%s,seen,occurs,%.17g,nan,%.17g,%.17g\n", line, astro::bodyId(body).data(),
                  instant, plain[body].altitude, plain[body].azimuth);
      std::printf("%ld,%s,seen_refracted,occurs,%.17g,nan,%.17g,%.17g\n", line,
                  astro::bodyId(body).data(), instant, refracted[body].altitude,
                  refracted[body].azimuth);
    }
  }
  return 0;
}
