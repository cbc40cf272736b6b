// What an observer sees: the nine bodies at one instant from a place, and
// a whole day's rising, transit and setting with the twilights, to be read
// side by side with computeInstant (body_bench.cpp).
#include <benchmark/benchmark.h>

#include <cstddef>

#include "astro/astro.h"
#include "bench/dates.h"

namespace {

// Places from the equator to the polar circle, in turn.
constexpr astro::Observer kPlaces[] = {
    {0.7389, -1.2407, 20.0},   // 42.3 N, 71.1 W
    {-0.5867, 2.6392, 50.0},   // 33.6 S, 151.2 E
    {1.1397, 0.3305, 10.0},    // 65.3 N, 18.9 E
    {0.0175, 0.5236, 1500.0},  // 1 N, 30 E
};
constexpr std::size_t kPlaceCount = sizeof kPlaces / sizeof kPlaces[0];

void observe(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::Instant instant = astro::computeInstantUt(kBenchDates[next], 64.0);
    astro::SkyView view =
        astro::observe(instant, kPlaces[next % kPlaceCount], astro::Refraction::Standard);
    benchmark::DoNotOptimize(view);
    next = (next + 1) % kBenchDates.size();
  }
}

// The days begin at 0h UT of the bench dates.
void dayAlmanac(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    const astro::CalendarDate midnight{date.year, date.month,
                                       static_cast<double>(static_cast<int>(date.day))};
    astro::DayAlmanac almanac =
        astro::dayAlmanac(astro::JulianDate{astro::julianDay(midnight)}, 64.0,
                          kPlaces[next % kPlaceCount], astro::Refraction::Standard);
    benchmark::DoNotOptimize(almanac);
    next = (next + 1) % kBenchDates.size();
  }
}

}  // namespace

BENCHMARK(observe)->Unit(benchmark::kMicrosecond);
BENCHMARK(dayAlmanac)->Unit(benchmark::kMicrosecond);
