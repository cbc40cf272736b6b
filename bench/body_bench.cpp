// computeBody alone, body by body, and the ten calls that one report makes.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "astro/body.h"
#include "astro/time_base.h"
#include "bench/dates.h"

namespace {

void computeOneBody(benchmark::State& state, BodyIndex index) {
  std::size_t next = 0;
  for (auto _ : state) {
    const BenchDate& d = kBenchDates[next];
    next = (next + 1) % kBenchDates.size();
    BodyPosition p = computeBody(index, d.year, d.month, d.day);
    benchmark::DoNotOptimize(p);
  }
}

// What printReport asks of the computation for one date: the Sun for the
// header's sidereal time, the Julian Day, then the nine rows.
void reportComputations(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const BenchDate& d = kBenchDates[next];
    next = (next + 1) % kBenchDates.size();
    BodyPosition header = computeBody(kSun, d.year, d.month, d.day);
    benchmark::DoNotOptimize(header);
    double jd = julianDay(d.year, d.month, d.day);
    benchmark::DoNotOptimize(jd);
    for (BodyIndex i = 0; i < kBodyCount; ++i) {
      BodyPosition p = computeBody(i, d.year, d.month, d.day);
      benchmark::DoNotOptimize(p);
    }
  }
}

}  // namespace

BENCHMARK_CAPTURE(computeOneBody, Sun, kSun)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Moon, kMoon)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Mercury, kMercury)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Venus, kVenus)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Mars, kMars)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Jupiter, kJupiter)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Saturn, kSaturn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Uranus, kUranus)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(computeOneBody, Neptune, kNeptune)->Unit(benchmark::kMicrosecond);
BENCHMARK(reportComputations)->Unit(benchmark::kMicrosecond);
