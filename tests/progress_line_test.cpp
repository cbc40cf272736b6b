// The progress line of long work: when it comes, what it says, how it is
// cleared; with a clock of the test's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/app/progress.h"
#include "frontend/write/catalogue.h"

namespace {
using namespace frontend;

// What clears a line: back to its start, blanks over it, back again.
std::string cleared(const std::string& line) {
  return "\r" + std::string(line.size(), ' ') + "\r";
}

// Caught: long work was silent. Steps of (seconds, done) against what
// standard error holds after each: nothing in the first second, nothing for
// work that will end within two, then a line at most four times a second,
// each padded over the last, and blanks at the end.
TEST(Progress, ComesForLongWorkOnlyAndIsCleared) {
  const struct {
    const char* what;
    std::int64_t total;
    std::vector<std::pair<double, std::int64_t>> steps;
    std::string shown;  // all that standard error holds, cleared at the end
  } cases[] = {
      {"short work", 1000, {{0.5, 400}, {1.2, 900}, {1.3, 999}}, ""},
      {"long work",
       1000,
       {{0.5, 50}, {1.0, 100}, {1.1, 110}, {1.3, 130}},
       "\r100 / 1 000 dates (10 %), 100 par s, reste 9 s"
       "\r130 / 1 000 dates (13 %), 100 par s, reste 9 s" +
           cleared("130 / 1 000 dates (13 %), 100 par s, reste 9 s")},
      {"hours left",
       100'000'000,
       {{10, 1'000'000}},
       "\r1 000 000 / 100 000 000 dates (1 %), 100 000 par s, reste 16 min 30 s" +
           cleared("1 000 000 / 100 000 000 dates (1 %), 100 000 par s, reste 16 min 30 s")},
  };
  for (const auto& c : cases) {
    std::string sink;
    {
      Output errors(sink);
      double now = 0;
      Progress progress(errors, true, c.total, Progress::Unit::Dates, [&now] { return now; });
      for (const auto& [seconds, done] : c.steps) {
        now = seconds;
        progress.advance(done);
      }
      progress.clear();
      errors.flush();
    }
    EXPECT_EQ(sink, c.shown) << c.what;
  }
}

TEST(Progress, NothingWhenNotShown) {
  std::string sink;
  Output errors(sink);
  double now = 0;
  Progress progress(errors, false, 1000, Progress::Unit::Years, [&now] { return now; });
  now = 5;
  progress.advance(10);
  progress.clear();
  errors.flush();
  EXPECT_EQ(sink, "");
}

TEST(Progress, TheLineFitsEightyColumnsForAnyCount) {
  const std::string line =
      catalogue::progressLine(99'999'999, 100'000'000, false, 9'999'999, 360'000'000);
  EXPECT_LE(line.size(), 80U) << line;
  EXPECT_EQ(catalogue::progressLine(1, 10'000, true, 2.4, 7200),
            "1 / 10 000 ans (0 %), 2 par s, reste 2 h 0 min");
}

}  // namespace
