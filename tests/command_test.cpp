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
        "07/09/2025 18:11  Éclipse totale de Lune", "21/09/2025 19:4", "06:26 à 07:31."}},
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
       "04/01/2025 16:50  Rapprochement de la Lune et de Saturne (0,6°)\n"
       "                  la Lune : premier croissant, âgée de 4,8 jours\n"},
      {{"--evenements", "--from", "2025-01-04", "--to", "2025-01-04", "--types", "Éclipses",
        "--lieu", "Paris"},
       "Événements, à l'heure du fuseau Europe/Paris :\n"
       "04/01/2025 18:23  Occultation de Saturne par la Lune\n"
       "                  disparition 18:23 (angle 61°), Lune à 30° de hauteur\n"
       "                  réapparition 19:32 (angle 224°), Lune à 24° de hauteur\n"
       "                  Soleil à -12° de hauteur\n"},
  };
  for (const auto& c : cases) {
    const Transcript t = run(c.arguments);
    EXPECT_EQ(t.status, 0) << t.errors;
    EXPECT_EQ(t.output, c.output) << c.arguments.back();
  }
}

}  // namespace
