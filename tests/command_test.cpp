// The command line run in the process, for what the transcripts of
// tests/robustness do not show: the events of a year are those of its days
// on the request's clock, the years the events may have, and a sentence
// for every reason a request may be refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frontend/app/cli.h"
#include "frontend/read/refusal.h"
#include "frontend/write/catalogue.h"

namespace {
using namespace frontend;

struct Transcript {
  std::string output;
  std::string errors;
  int status = -1;
};

Transcript run(const std::vector<std::string>& arguments) {
  std::vector<const char*> argv = {"ephemerides"};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  Transcript t;
  {
    WordReader input{std::string_view{}};
    Output output(t.output);
    Output errors(t.errors);
    Console console{input, output, errors};
    t.status = frontend::run(static_cast<int>(argv.size()), argv.data(), console);
  }
  return t;
}

TEST(Command, TheEventsOfAYearAreThoseOfItsDays) {
  // The year runs from the first midnight of January to the next year's on
  // the clock of the request: a range of its days gives the same lines.
  const std::vector<std::vector<std::string>> clocks = {
      {}, {"--fuseau", "Europe/Paris"}, {"--fuseau", "-09:30"}, {"--lieu", "Lyon"}};
  for (const std::vector<std::string>& clock : clocks) {
    std::vector<std::string> year = {"--evenements",   "2025",     "--types",
                                     "phases,saisons", "--format", "csv"};
    std::vector<std::string> days = {"--evenements",   "--from",     "2025-01-01",
                                     "--to",           "2025-12-31", "--types",
                                     "phases,saisons", "--format",   "csv"};
    year.insert(year.end(), clock.begin(), clock.end());
    days.insert(days.end(), clock.begin(), clock.end());
    const Transcript byYear = run(year);
    const Transcript byDays = run(days);
    EXPECT_EQ(byYear.status, 0) << byYear.errors;
    EXPECT_EQ(byYear.output, byDays.output) << (clock.empty() ? "UT" : clock.back());
    // Four seasons and at least twelve lunations, after the header line.
    EXPECT_GE(std::count(byYear.output.begin(), byYear.output.end(), '\n'), 1 + 4 + 48);
  }
}

TEST(Command, TheYearsOfTheEvents) {
  // A year of events ends on the first day of the next year, which must be
  // a date too: 214747 is the last year, -214747 the first.
  const struct {
    const char* year;
    int status;
  } cases[] = {
      {.year = "214747", .status = 0},  {.year = "214748", .status = 2},
      {.year = "-214747", .status = 0}, {.year = "-214748", .status = 2},
      {.year = "2025.0", .status = 2},  {.year = "1e3", .status = 2},
  };
  for (const auto& c : cases) {
    const Transcript t = run({"--evenements", c.year, "--types", "saisons"});
    EXPECT_EQ(t.status, c.status) << c.year << "\n" << t.errors;
    if (c.status == 2) {
      EXPECT_NE(t.errors.find("--evenements attend une année entière : \"" + std::string(c.year)),
                std::string::npos)
          << t.errors;
    } else {
      EXPECT_EQ(std::count(t.output.begin(), t.output.end(), '\n'), 1 + 4) << c.year;
    }
  }
}

TEST(Command, EveryReasonHasItsSentence) {
  // Each sentence ends with its full stop; the few that quote the word or
  // the detail say them.
  for (int i = 0; i <= static_cast<int>(Reason::NightFormat); ++i) {
    const auto reason = static_cast<Reason>(i);
    const std::string sentence =
        catalogue::messageOf(Refusal{Subject::CommandLine, reason, "mot", "détail"});
    ASSERT_FALSE(sentence.empty()) << i;
    EXPECT_EQ(sentence.back(), '.') << i << ": " << sentence;
  }
  EXPECT_EQ(
      catalogue::messageOf(Refusal{Subject::CommandLine, Reason::FormatOnlyForEvents, "ics", {}}),
      "le format ics ne sert qu'aux événements (--evenements).");
}

}  // namespace
