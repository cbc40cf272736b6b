// The report: its text alone, appended to a string that is emptied after
// each report, and the computation with it.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <string>

#include "bench/dates.h"
#include "frontend/write/text_report.h"

namespace {

void reportText(benchmark::State& state) {
  std::array<astro::Instant, kBenchDates.size()> instants;
  for (std::size_t i = 0; i < kBenchDates.size(); ++i) {
    instants[i] = astro::computeInstant(kBenchDates[i]);
  }
  std::string text;
  std::size_t next = 0;
  for (auto _ : state) {
    const std::size_t i = next;
    next = (next + 1) % kBenchDates.size();
    text.clear();
    const frontend::DateEntry entry{kBenchDates[i], {}};
    frontend::appendReport(text, {.entry = entry, .instant = instants[i]}, {});
    benchmark::DoNotOptimize(text.data());
  }
}

void reportWithComputation(benchmark::State& state) {
  std::string text;
  std::size_t next = 0;
  for (auto _ : state) {
    const astro::CalendarDate& date = kBenchDates[next];
    next = (next + 1) % kBenchDates.size();
    text.clear();
    const frontend::DateEntry entry{date, {}};
    frontend::appendReport(text, {.entry = entry, .instant = astro::computeInstant(date)}, {});
    benchmark::DoNotOptimize(text.data());
  }
}

}  // namespace

BENCHMARK(reportText)->Unit(benchmark::kMicrosecond);
BENCHMARK(reportWithComputation)->Unit(benchmark::kMicrosecond);
