// How the bodies look: the nine appearances of an instant already
// computed, and the instant with its appearances, beside computeInstant
// (body_bench.cpp) in the same run.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "astro/astro.h"
#include "bench/dates.h"

namespace {

std::array<astro::Instant, kBenchDates.size()> benchInstants() {
  std::array<astro::Instant, kBenchDates.size()> instants{};
  for (std::size_t i = 0; i < kBenchDates.size(); ++i) {
    instants[i] = astro::computeInstant(kBenchDates[i]);
  }
  return instants;
}

// The appearances alone, from instants computed beforehand.
void appearancesOfAnInstant(benchmark::State& state) {
  const auto instants = benchInstants();
  std::size_t next = 0;
  for (auto _ : state) {
    astro::Appearances looks = astro::appearances(instants[next]);
    next = (next + 1) % instants.size();
    benchmark::DoNotOptimize(looks);
  }
}

// What a report with the appearances needs: the instant, then its looks.
void computeInstantWithAppearances(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    next = (next + 1) % kBenchDates.size();
    astro::Instant instant = astro::computeInstant(date);
    astro::Appearances looks = astro::appearances(instant);
    benchmark::DoNotOptimize(instant);
    benchmark::DoNotOptimize(looks);
  }
}

}  // namespace

BENCHMARK(appearancesOfAnInstant)->Unit(benchmark::kMicrosecond);
BENCHMARK(computeInstantWithAppearances)->Unit(benchmark::kMicrosecond);
