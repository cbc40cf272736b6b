// A century of eclipse searches, 2000-2100: each search starts from the
// greatest eclipse of the one before, as a program listing them does. The
// peer of bench/eclipse_peer.sh runs the same with Astronomy Engine.
#include <benchmark/benchmark.h>

#include "astro/astro.h"

namespace {
using namespace astro;

constexpr double kStart = 2451544.5;  // 2000-01-01 0h
constexpr double kEnd = 2488069.5;    // 2100-01-01 0h

void solarCentury(benchmark::State& state) {
  int count = 0;
  for (auto _ : state) {
    count = 0;
    for (TT after{kStart};;) {
      const SolarEclipse e = searchSolarEclipse(after);
      if (!(e.greatest.jd < kEnd)) break;
      after = e.greatest;
      ++count;
    }
    benchmark::DoNotOptimize(count);
  }
  state.counters["eclipses"] = count;
}
BENCHMARK(solarCentury)->Unit(benchmark::kMillisecond);

void lunarCentury(benchmark::State& state) {
  int count = 0;
  for (auto _ : state) {
    count = 0;
    for (TT after{kStart};;) {
      const LunarEclipse e = searchLunarEclipse(after);
      if (!(e.greatest.jd < kEnd)) break;
      after = e.greatest;
      ++count;
    }
    benchmark::DoNotOptimize(count);
  }
  state.counters["eclipses"] = count;
}
BENCHMARK(lunarCentury)->Unit(benchmark::kMillisecond);

// What a place sees of each eclipse of the Sun of the century.
void localCentury(benchmark::State& state) {
  const Observer paris{48.8566 * kPi / 180, 2.3522 * kPi / 180, 35};
  int seen = 0;
  for (auto _ : state) {
    seen = 0;
    for (TT after{kStart};;) {
      const SolarEclipse e = searchSolarEclipse(after);
      if (!(e.greatest.jd < kEnd)) break;
      after = e.greatest;
      seen += localSolarEclipse(e, paris).seen ? 1 : 0;
    }
    benchmark::DoNotOptimize(seen);
  }
  state.counters["seen"] = seen;
}
BENCHMARK(localCentury)->Unit(benchmark::kMillisecond);

}  // namespace
