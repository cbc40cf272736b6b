// The precise theory: one instant (the epoch's Earth and frames, then the
// nine apparent places), each part alone, and the series' sine and cosine
// beside the C library's; a year of events and a year of a place's days,
// as bench/precise_peer.sh sets them beside Astronomy Engine.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>

#include "astro/astro.h"
#include "astro/precise/elp_mpp02.h"
#include "astro/precise/precise.h"
#include "astro/precise/sincos.h"

namespace {

using namespace astro;

// TT Julian Dates spread over 1800-2200, 37 days and a fraction apart.
double dateOf(std::size_t i) {
  return 2378505.5 + static_cast<double>(i % 3900) * 37.4563;
}

void preciseInstant(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const precise::Epoch epoch = precise::epochAt(dateOf(next++));
    for (Body body : kBodies) {
      precise::Place place = precise::apparentPosition(body, epoch);
      benchmark::DoNotOptimize(place);
    }
  }
}
BENCHMARK(preciseInstant);

void preciseEpoch(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    precise::Epoch epoch = precise::epochAt(dateOf(next++));
    benchmark::DoNotOptimize(epoch);
  }
}
BENCHMARK(preciseEpoch);

void preciseMoon(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    precise::State moon = precise::elpMoonGeocentric(dateOf(next++));
    benchmark::DoNotOptimize(moon);
  }
}
BENCHMARK(preciseMoon);

void precisePlanet(benchmark::State& state, Body body) {
  std::size_t next = 0;
  for (auto _ : state) {
    precise::State planet = precise::planetHeliocentric(body, dateOf(next++));
    benchmark::DoNotOptimize(planet);
  }
}
BENCHMARK_CAPTURE(precisePlanet, mercury, Body::Mercury);
BENCHMARK_CAPTURE(precisePlanet, venus, Body::Venus);
BENCHMARK_CAPTURE(precisePlanet, mars, Body::Mars);
BENCHMARK_CAPTURE(precisePlanet, jupiter, Body::Jupiter);
BENCHMARK_CAPTURE(precisePlanet, saturn, Body::Saturn);
BENCHMARK_CAPTURE(precisePlanet, uranus, Body::Uranus);
BENCHMARK_CAPTURE(precisePlanet, neptune, Body::Neptune);

// 1000 arguments as the series make them, summed as the series sum them.
void seriesSinCos(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0.0;
    for (int i = 0; i < 1000; ++i) {
      const precise::SinCos sc = precise::sinCos(0.37 + 8328.69 * (0.001 * i));
      sum += sc.sin + sc.cos;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(seriesSinCos);

// The same 1000 arguments two at a time, as the series take them.
void seriesSinCosPairs(benchmark::State& state) {
  for (auto _ : state) {
    precise::Pair sum = {0.0, 0.0};
    for (int i = 0; i < 1000; i += 2) {
      const precise::Pair x = {0.37 + 8328.69 * (0.001 * i), 0.37 + 8328.69 * (0.001 * (i + 1))};
      const precise::SinCosOf<precise::Pair> sc = precise::sinCosOf(x);
      sum += sc.sin + sc.cos;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(seriesSinCosPairs);

void librarySinCos(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0.0;
    for (int i = 0; i < 1000; ++i) {
      const double x = 0.37 + 8328.69 * (0.001 * i);
      sum += std::sin(x) + std::cos(x);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(librarySinCos);

// What bench/precise_peer.sh sets beside Astronomy Engine's searches
// (bench/precise_peer.js): the events of 2025 of the kinds it searches too
// (every kind but the close approaches), and a year of days at Paris (the
// rise, transit and set of the nine bodies and the three twilights, 365
// dayAlmanac calls from 2025-01-01 0h UT, Delta T observed), each by the
// precise theory and, for scale, by the classic one.
constexpr double kStartOf2025 = 2460676.5;
constexpr EventKindSet kPeerKinds = kAllEventKinds & ~eventKindBit(EventKind::CloseApproach);

void yearOfEventsAsPeer(benchmark::State& state, Theory theory) {
  for (auto _ : state) {
    EventList list = findEvents(TT{kStartOf2025}, TT{kStartOf2025 + 365}, kPeerKinds, theory);
    benchmark::DoNotOptimize(list);
    state.counters["events"] = static_cast<double>(list.events.size());
  }
}
BENCHMARK_CAPTURE(yearOfEventsAsPeer, precise, Theory::Precise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearOfEventsAsPeer, classic, Theory::Classic)->Unit(benchmark::kMillisecond);

void yearOfDaysAsPeer(benchmark::State& state, Theory theory) {
  constexpr double kDegree = 3.14159265358979323846 / 180;
  const Observer paris{48.8566 * kDegree, 2.3522 * kDegree, 0.0};
  const TimeScale observed = TimeScale::observed();
  for (auto _ : state) {
    for (int day = 0; day < 365; ++day) {
      DayAlmanac almanac =
          dayAlmanac(UT{kStartOf2025 + day}, observed, paris, Refraction::Standard, theory);
      benchmark::DoNotOptimize(almanac);
    }
  }
}
BENCHMARK_CAPTURE(yearOfDaysAsPeer, precise, Theory::Precise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearOfDaysAsPeer, classic, Theory::Classic)->Unit(benchmark::kMillisecond);

}  // namespace
