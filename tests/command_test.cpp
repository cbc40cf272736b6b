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
  for (int i = 0; i <= static_cast<int>(Reason::TypesWithoutEvents); ++i) {
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

// The transits and occultations by their --types words, French or the
// scripts' ids, and their lines in the list.
TEST(Command, TransitsAndOccultationsInTheList) {
  const struct {
    std::vector<std::string> arguments;
    std::string output;
  } cases[] = {
      {{"--evenements", "2019", "--types", "passage"},
       "Événements, heures en temps universel (UT) :\n"
       "11/11/2019 15:19  Passage de Mercure devant le Soleil (à 76\" du centre)\n"
       "                  contacts C1 12:35, C2 12:37, C3 18:02 et C4 18:04\n"},
      {{"--evenements", "2019", "--types", "transit", "--lieu", "Paris"},
       "Événements, à l'heure du fuseau Europe/Paris :\n"
       "11/11/2019 16:19  Passage de Mercure devant le Soleil (à 72\" du centre)\n"
       "                  contacts C1 13:35, C2 13:37, C3 19:02 et C4 19:04\n"
       "                  Soleil sous l'horizon à C3 et C4\n"},
      // Without a place, no occultation: the Moon's pass stays a close
      // approach.
      {{"--evenements", "--from", "2025-01-04", "--to", "2025-01-04", "--types",
        "occultation,rapprochements"},
       "Événements, heures en temps universel (UT) :\n"
       "04/01/2025 16:48  Rapprochement de la Lune et de Saturne (0,6°)\n"},
      {{"--evenements", "--from", "2025-01-04", "--to", "2025-01-04", "--types", "Éclipses",
        "--lieu", "Paris"},
       "Événements, à l'heure du fuseau Europe/Paris :\n"
       "04/01/2025 18:23  Occultation de Saturne par la Lune\n"
       "                  disparition 18:23 (angle 61°), Lune à 30° de hauteur\n"
       "                  réapparition 19:32 (angle 224°), Lune à 25° de hauteur\n"
       "                  Soleil à -12° de hauteur\n"},
  };
  for (const auto& c : cases) {
    const Transcript t = run(c.arguments);
    EXPECT_EQ(t.status, 0) << t.errors;
    EXPECT_EQ(t.output, c.output) << c.arguments.back();
  }
}

}  // namespace
