// What an observer sees: the nine bodies at one instant from a place, a
// whole day's rising, transit and setting with the twilights, and one
// body's next rise, to be read side by side with computeInstant
// (body_bench.cpp).
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

void observe(benchmark::State& state, astro::Theory theory = astro::Theory::Classic) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::Instant instant =
        astro::computeInstantUt(kBenchDates[next], astro::TimeScale::fixed(64.0), theory);
    astro::SkyView view =
        astro::observe(instant, kPlaces[next % kPlaceCount], astro::Refraction::Standard);
    benchmark::DoNotOptimize(view);
    next = (next + 1) % kBenchDates.size();
  }
}

// The days begin at 0h UT of the bench dates.
void dayAlmanac(benchmark::State& state, astro::Theory theory) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    const astro::CalendarDate midnight{date.year, date.month,
                                       static_cast<double>(static_cast<int>(date.day))};
    astro::DayAlmanac almanac =
        astro::dayAlmanac(astro::UT{astro::julianDay(midnight)}, astro::TimeScale::fixed(64.0),
                          kPlaces[next % kPlaceCount], astro::Refraction::Standard, theory);
    benchmark::DoNotOptimize(almanac);
    next = (next + 1) % kBenchDates.size();
  }
}

// A place's year: the almanac of 365 days from 0h UT of 1 January of the
// bench dates' years, the Delta T of the model.
void placeYear(benchmark::State& state, astro::Theory theory) {
  std::size_t next = 0;
  for (auto _ : state) {
    const double start = astro::julianDay({kBenchDates[next].year, 1, 1.0});
    for (int day = 0; day < 365; ++day) {
      astro::DayAlmanac almanac =
          astro::dayAlmanac(astro::UT{start + day}, astro::TimeScale{}, kPlaces[next % kPlaceCount],
                            astro::Refraction::Standard, theory);
      benchmark::DoNotOptimize(almanac);
    }
    next = (next + 1) % kBenchDates.size();
  }
}

// The Moon's next rise after each bench date: one body's day, or two when
// it rose earlier that day.
void moonRise(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    astro::RiseSetTime rise =
        astro::searchRiseSet(astro::Body::Moon, kPlaces[next % kPlaceCount],
                             astro::UT{astro::julianDay(kBenchDates[next])}, astro::RiseSet::Rise,
                             2.0, astro::TimeScale::fixed(64.0));
    benchmark::DoNotOptimize(rise);
    next = (next + 1) % kBenchDates.size();
  }
}

// The night from the places' mean noon of each bench date's day: the
// almanac of that span, the dark and each body's windows and best time.
void night(benchmark::State& state, astro::Theory theory) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    const astro::Observer& place = kPlaces[next % kPlaceCount];
    const astro::CalendarDate noon{date.year, date.month,
                                   static_cast<double>(static_cast<int>(date.day)) + 0.5};
    astro::Night n =
        astro::nightAt(astro::UT{astro::julianDay(noon) - place.longitude / astro::kTurn},
                       astro::TimeScale::fixed(64.0), place, astro::Refraction::Standard, theory);
    benchmark::DoNotOptimize(n);
    next = (next + 1) % kBenchDates.size();
  }
}

// The Moon's phase by name and age at each bench date: a month's phases.
void moonAge(benchmark::State& state, astro::Theory theory) {
  std::size_t next = 0;
  for (auto _ : state) {
    astro::MoonAge age = astro::moonAge(astro::TT{astro::julianDay(kBenchDates[next])}, theory);
    benchmark::DoNotOptimize(age);
    next = (next + 1) % kBenchDates.size();
  }
}

}  // namespace

BENCHMARK_CAPTURE(night, classic, astro::Theory::Classic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(night, precise, astro::Theory::Precise)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(moonAge, classic, astro::Theory::Classic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(moonAge, precise, astro::Theory::Precise)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(observe, classic, astro::Theory::Classic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(dayAlmanac, classic, astro::Theory::Classic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(dayAlmanac, precise, astro::Theory::Precise)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(placeYear, classic, astro::Theory::Classic)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(placeYear, precise, astro::Theory::Precise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(observe, precise, astro::Theory::Precise)->Unit(benchmark::kMicrosecond);
BENCHMARK(moonRise)->Unit(benchmark::kMicrosecond);
