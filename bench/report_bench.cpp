// printReport with standard output sent somewhere that costs nothing to keep:
// /dev/null through a file buffer (every line end and every flush of the
// angle printers is then a write to the kernel, as in the real program),
// and a string buffer emptied after each report (formatting alone: a flush
// there writes nothing).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <fstream>
#include <iostream>
#include <locale>
#include <sstream>
#include <streambuf>

#include "bench/dates.h"
#include "frontend/current_date.h"
#include "frontend/report.h"

namespace {

// Points std::cout at the buffer with the stream settings the dialogue
// leaves for printReport; hands back the buffer to put back afterwards.
std::streambuf* redirectStandardOutput(std::streambuf* buffer) {
  std::streambuf* previous = std::cout.rdbuf(buffer);
  std::cout.imbue(std::locale::classic());
  std::cout.precision(5);
  return previous;
}

void setCurrentDate(std::size_t n) {
  const BenchDate& d = kBenchDates[n];
  year = d.year;
  month = d.month;
  day = d.day;
}

void printReportToDevNull(benchmark::State& state) {
  std::ofstream devNull("/dev/null");
  if (!devNull) {
    state.SkipWithError("cannot open /dev/null");
    return;
  }
  std::streambuf* previous = redirectStandardOutput(devNull.rdbuf());
  std::size_t next = 0;
  for (auto _ : state) {
    setCurrentDate(next);
    next = (next + 1) % kBenchDates.size();
    printReport();
  }
  const bool written = static_cast<bool>(std::cout);
  std::cout.rdbuf(previous);
  if (!written) {
    state.SkipWithError("writing the report failed");
  }
}

void printReportToMemory(benchmark::State& state) {
  std::stringbuf memory;
  std::streambuf* previous = redirectStandardOutput(&memory);
  std::size_t next = 0;
  for (auto _ : state) {
    setCurrentDate(next);
    next = (next + 1) % kBenchDates.size();
    printReport();
    memory.str({});
  }
  const bool written = static_cast<bool>(std::cout);
  std::cout.rdbuf(previous);
  if (!written) {
    state.SkipWithError("writing the report failed");
  }
}

}  // namespace

BENCHMARK(printReportToDevNull)->Unit(benchmark::kMicrosecond);
BENCHMARK(printReportToMemory)->Unit(benchmark::kMicrosecond);
