// The precise theory: one instant (the epoch's Earth and frames, then the
// nine apparent places), each part alone, and the series' sine and cosine
// beside the C library's.
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

}  // namespace
