// The computation: each body alone, one instant in one call, and the same
// instant as the report once asked for it, body by body.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "astro/astro.h"
#include "bench/dates.h"

namespace {

void computeOneBody(benchmark::State& state, astro::Body body) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    next = (next + 1) % kBenchDates.size();
    astro::BodyPosition p = astro::computeBody(body, date);
    benchmark::DoNotOptimize(p);
  }
}

// Everything one report needs, in one call: the Julian Day, the sidereal
// time and the nine positions, the shared quantities computed once.
void computeInstant(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    next = (next + 1) % kBenchDates.size();
    astro::Instant instant = astro::computeInstant(date);
    benchmark::DoNotOptimize(instant);
  }
}

// The same on the Precise theory: the nine geometric and apparent places
// and both sidereal times.
void computePreciseInstant(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    next = (next + 1) % kBenchDates.size();
    astro::Instant instant = astro::computeInstant(date, astro::Theory::Precise);
    benchmark::DoNotOptimize(instant);
  }
}

// The same report asked for one body at a time, as each row once did: the
// Sun again for the header's sidereal time, the Julian Day, then nine
// computeBody calls, each of which starts from the date again.
void computeBodyByBody(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    next = (next + 1) % kBenchDates.size();
    astro::BodyPosition header = astro::computeBody(astro::Body::Sun, date);
    benchmark::DoNotOptimize(header);
    double jd = astro::julianDay(date);
    benchmark::DoNotOptimize(jd);
    for (const astro::Body body : astro::kBodies) {
      astro::BodyPosition p = astro::computeBody(body, date);
      benchmark::DoNotOptimize(p);
    }
  }
}

}  // namespace

BENCHMARK_CAPTURE(computeOneBody, Sun, astro::Body::Sun)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Moon, astro::Body::Moon)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Mercury, astro::Body::Mercury)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Venus, astro::Body::Venus)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Mars, astro::Body::Mars)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Jupiter, astro::Body::Jupiter)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Saturn, astro::Body::Saturn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Uranus, astro::Body::Uranus)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Neptune, astro::Body::Neptune)->Unit(benchmark::kMicrosecond);
BENCHMARK(computeBodyByBody)->Unit(benchmark::kMicrosecond);
BENCHMARK(computeInstant)->Unit(benchmark::kMicrosecond);
BENCHMARK(computePreciseInstant)->Unit(benchmark::kMicrosecond);
