// The year's events: a whole year of every kind, and of each group of
// kinds, to set beside computeInstant (body_bench.cpp) in the same run.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <initializer_list>

#include "astro/astro.h"
#include "bench/dates.h"

namespace {
using astro::EventKind;

// The years of kBenchDates, each searched from its 1 January, so that the
// Moon's and the planets' configurations vary from one run to the next.
void yearOfEvents(benchmark::State& state, astro::EventKindSet kinds,
                  astro::Theory theory = astro::Theory::Classic) {
  std::size_t next = 0;
  std::size_t events = 0;
  for (auto _ : state) {
    const double start = astro::julianDay({kBenchDates[next].year, 1, 1.0});
    next = (next + 1) % kBenchDates.size();
    const astro::EventList list =
        astro::findEvents(astro::TT{start}, astro::TT{start + 365.25}, kinds, theory);
    events += list.events.size();
    benchmark::DoNotOptimize(list.events.data());
  }
  state.counters["events"] =
      benchmark::Counter(static_cast<double>(events), benchmark::Counter::kAvgIterations);
}

astro::EventKindSet kindsOf(std::initializer_list<EventKind> kinds) {
  astro::EventKindSet set = 0;
  for (const EventKind kind : kinds) {
    set |= astro::eventKindBit(kind);
  }
  return set;
}

}  // namespace

BENCHMARK_CAPTURE(yearOfEvents, all, astro::kAllEventKinds)->Unit(benchmark::kMillisecond);
// The same on the Precise theory: every kind, and the phases.
BENCHMARK_CAPTURE(yearOfEvents, precise_all, astro::kAllEventKinds, astro::Theory::Precise)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearOfEvents, precise_phases,
                  kindsOf({EventKind::NewMoon, EventKind::FirstQuarter, EventKind::FullMoon,
                           EventKind::LastQuarter}),
                  astro::Theory::Precise)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearOfEvents, phases,
                  kindsOf({EventKind::NewMoon, EventKind::FirstQuarter, EventKind::FullMoon,
                           EventKind::LastQuarter}))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearOfEvents, seasons_perihelion,
                  kindsOf({EventKind::MarchEquinox, EventKind::JuneSolstice,
                           EventKind::SeptemberEquinox, EventKind::DecemberSolstice,
                           EventKind::Perihelion, EventKind::Aphelion}))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearOfEvents, perigee_apogee, kindsOf({EventKind::Perigee, EventKind::Apogee}))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearOfEvents, planets_and_sun,
                  kindsOf({EventKind::InferiorConjunction, EventKind::SuperiorConjunction,
                           EventKind::Conjunction, EventKind::Opposition,
                           EventKind::GreatestElongationEast, EventKind::GreatestElongationWest}))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearOfEvents, close_approaches, kindsOf({EventKind::CloseApproach}))
    ->Unit(benchmark::kMillisecond);
