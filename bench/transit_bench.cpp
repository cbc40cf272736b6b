// Transits and occultations: a century of transits of each planet, one
// after another as a calendar of them is made, and a year of the
// occultations of every planet seen from Paris.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "astro/astro.h"

namespace {

// Every transit of the planet in 2000-2100, each searched from the day
// after the last.
void centuryOfTransits(benchmark::State& state, astro::Body body) {
  const double start = astro::julianDay({2000, 1, 1.0});
  const double end = astro::julianDay({2100, 1, 1.0});
  std::size_t found = 0;
  for (auto _ : state) {
    double after = start;
    while (true) {
      const astro::Transit t = astro::searchTransit(body, astro::TT{after});
      if (t.outcome != astro::SearchOutcome::Found || t.greatest.tt.jd >= end) break;
      ++found;
      after = t.greatest.tt.jd + 1.0;
    }
  }
  state.counters["transits"] =
      benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(centuryOfTransits, mercury, astro::Body::Mercury)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(centuryOfTransits, venus, astro::Body::Venus)->Unit(benchmark::kMillisecond);

// The transit of Mercury of 2019 seen from Paris, from its geocentric one.
void localTransitOf2019(benchmark::State& state) {
  const astro::Transit t =
      astro::searchTransit(astro::Body::Mercury, astro::TT{astro::julianDay({2019, 11, 1.0})});
  const astro::Observer paris{48.8566 * 3.141592653589793 / 180, 2.3522 * 3.141592653589793 / 180,
                              35.0};
  for (auto _ : state) {
    benchmark::DoNotOptimize(astro::localTransit(t, paris).leastSeparation);
  }
}
BENCHMARK(localTransitOf2019)->Unit(benchmark::kMillisecond);

// The occultations of the seven planets in 2025 seen from Paris.
void yearOfOccultations(benchmark::State& state) {
  const astro::Observer paris{48.8566 * 3.141592653589793 / 180, 2.3522 * 3.141592653589793 / 180,
                              35.0};
  const double start = astro::julianDay({2025, 1, 1.0});
  std::size_t found = 0;
  for (auto _ : state) {
    found += astro::searchOccultations(paris, astro::UT{start}, astro::UT{start + 365.25})
                 .occultations.size();
  }
  state.counters["occultations"] =
      benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(yearOfOccultations)->Unit(benchmark::kMillisecond);

}  // namespace
