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

// Eclipses among the events and in their picture: what each request says,
// and the words it must not say.
TEST(Command, Eclipses) {
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::vector<std::string> said;
  } cases[] = {
      {{"--evenements", "2025", "--types", "eclipses"},
       0,
       {"14/03/2025 06:58  Éclipse totale de Lune (magnitude 1,1",
        "29/03/2025 10:47  Éclipse partielle de Soleil (magnitude 0,93",
        "07/09/2025 18:11  Éclipse totale de Lune", "21/09/2025 19:4", "06:25 à 07:31."}},
      {{"--evenements", "2026", "--types", "eclipse_de_soleil", "--lieu", "Paris"},
       0,
       {"12/08/2026 19:45  Éclipse totale de Soleil (magnitude 1,039)",
        "Vue du lieu : partielle, magnitude 0,93", "0,931, 92", "Vue du lieu : pas d'éclipse."}},
      {{"--evenements", "2026", "--types", "eclipse_de_lune", "--lieu", "Paris", "--format", "csv"},
       0,
       {",eclipse_kind,p1,u1,u2,u3,u4,p4,c1,c2,c3,c4\n",
        "lunar_eclipse,moon,sun,2026-03-03T11:33:", ",magnitude,computed,total,2026-03-03T08:4"}},
      {{"--eclipse", "2026-08-12", "--lieu", "Madrid"},
       0,
       {"<?xml", "<circle id=\"sun\"", "id=\"c1\"", "id=\"maximum\"", "vue de Madrid"}},
      {{"--eclipse", "2025-09-07"}, 0, {"id=\"umbra\"", "id=\"penumbra\"", "id=\"u2\""}},
      {{"--eclipse", "2026-08-02"}, 1, {}},
      {{"--eclipse", "2026-08-12", "--format", "csv"}, 2, {}},
      {{"--eclipse", "2026-08-12", "--evenements", "2026"}, 2, {}},
  };
  for (const auto& c : cases) {
    const Transcript t = run(c.arguments);
    EXPECT_EQ(t.status, c.status) << c.arguments.front() << " " << c.arguments[1] << t.errors;
    for (const std::string& words : c.said) {
      EXPECT_NE(t.output.find(words), std::string::npos) << words << "\n" << t.output;
    }
    // Text within 80 columns.
    if (c.arguments.size() < 7 && c.arguments.front() == "--evenements") {
      std::size_t start = 0;
      while (start < t.output.size()) {
        const std::size_t end = t.output.find('\n', start);
        const std::string line = t.output.substr(start, end - start);
        std::size_t columns = 0;
        for (const char ch : line) {
          columns += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
        }
        EXPECT_LE(columns, 80u) << line;
        start = end + 1;
      }
    }
  }
}

}  // namespace
