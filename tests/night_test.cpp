// The Moon's phase by name and its age, and the night at a place, against
// values computed from ERFA alone (tools/night/reference.py: moon98,
// epv00, plan94, pmat06, gmst06), with both theories; and the night's view
// as the program writes it.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "astro/astro.h"
#include "frontend/app/cli.h"
#include "frontend/app/observation.h"
#include "frontend/write/text.h"

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kRadian = 180.0 / 3.14159265358979323846;

constexpr astro::Theory kTheories[] = {astro::Theory::Classic, astro::Theory::Precise};

const char* nameOf(astro::Theory theory) {
  return theory == astro::Theory::Classic ? "classic" : "precise";
}

// The phases of early 2025 (TT) by ERFA: the Moon's geocentric ecliptic
// longitude less the Sun's apparent one at 0, 90, 180 and 270 degrees.
constexpr double kFull = 2460689.43624;   // 2025-01-13 22:28 TT
constexpr double kLast = 2460697.35557;   // 2025-01-21 20:32 TT
constexpr double kNew = 2460705.02578;    // 2025-01-29 12:37 TT
constexpr double kFirst = 2460711.83567;  // 2025-02-05 08:03 TT
constexpr double kNextNew = 2460734.53201;

TEST(MoonAge, PhaseByNameThroughTheLunation) {
  using astro::MoonPhase;
  // Within a day of a principal phase its name, else the name of the
  // stretch between two; instants kept 0.1 day away from the bounds.
  const struct {
    double tt;
    MoonPhase phase;
  } cases[] = {
      {kFull - 1.5, MoonPhase::WaxingGibbous},   {kFull - 0.9, MoonPhase::FullMoon},
      {kFull + 0.5, MoonPhase::FullMoon},        {kFull + 1.2, MoonPhase::WaningGibbous},
      {kFull + 3.0, MoonPhase::WaningGibbous},   {kLast - 1.1, MoonPhase::WaningGibbous},
      {kLast + 0.3, MoonPhase::LastQuarter},     {kLast + 2.0, MoonPhase::WaningCrescent},
      {kNew - 1.5, MoonPhase::WaningCrescent},   {kNew - 0.5, MoonPhase::NewMoon},
      {kNew + 0.9, MoonPhase::NewMoon},          {kNew + 1.5, MoonPhase::WaxingCrescent},
      {kFirst - 1.1, MoonPhase::WaxingCrescent}, {kFirst + 0.9, MoonPhase::FirstQuarter},
      {kFirst + 1.1, MoonPhase::WaxingGibbous},  {kNextNew - 0.2, MoonPhase::NewMoon},
  };
  for (const astro::Theory theory : kTheories) {
    for (const auto& c : cases) {
      const astro::MoonAge age = astro::moonAge(astro::TT{c.tt}, theory);
      EXPECT_EQ(age.status, astro::Status::Computed);
      EXPECT_EQ(astro::moonPhaseId(age.phase), astro::moonPhaseId(c.phase))
          << nameOf(theory) << " at " << c.tt;
    }
  }
}

TEST(MoonAge, AgeFromTheLastNewMoon) {
  // The age counts from ERFA's new moon within two minutes (the classic
  // theory's phases are within 1.5 minutes).
  const struct {
    double tt;
    double newMoon;
  } cases[] = {
      {kNew + 0.001, kNew},         {kNew + 10.0, kNew},  {kNextNew - 0.01, kNew},
      {kNextNew + 20.25, kNextNew}, {kFull, kNew - 29.5},  // the new moon of 2024-12-30
  };
  for (const astro::Theory theory : kTheories) {
    for (const auto& c : cases) {
      const astro::MoonAge age = astro::moonAge(astro::TT{c.tt}, theory);
      const double tolerance = c.newMoon == kNew - 29.5 ? 0.3 : 120 * kSecond;
      EXPECT_NEAR(age.lastNewMoon.jd, c.newMoon, tolerance) << nameOf(theory) << " " << c.tt;
      EXPECT_NEAR(age.ageDays, c.tt - age.lastNewMoon.jd, 1e-9);
      EXPECT_GE(age.ageDays, 0.0);
      EXPECT_LT(age.ageDays, 29.9);
    }
  }
  EXPECT_EQ(astro::moonAge(astro::TT{std::nan("")}).status, astro::Status::NotComputable);
}

TEST(MoonAge, PhasesKeptForMonthsNameAsTheLibrary) {
  // The program keeps two months of phases for the next instants: the same
  // names and ages as a search for each, whichever way the instants go.
  const struct {
    double first;
    double step;  // days, either way
    int count;
  } cases[] = {{2460676.5, 0.37, 200}, {2460766.5, -0.73, 120}, {2415020.5, 3.1, 40}};
  for (const auto& c : cases) {
    frontend::MoonPhases kept;
    for (int k = 0; k < c.count; ++k) {
      const double tt = c.first + c.step * k;
      const astro::MoonAge direct = astro::moonAge(astro::TT{tt});
      const astro::MoonAge cached = kept.at(tt, astro::Theory::Classic);
      EXPECT_EQ(cached.phase, direct.phase) << tt;
      EXPECT_EQ(cached.ageDays, direct.ageDays) << tt;
      EXPECT_EQ(cached.status, direct.status) << tt;
    }
  }
}

// Paris, the night of 16 to 17 January 2025, from the place's mean noon.
const astro::Observer kParis{48.85 / kRadian, 2.35 / kRadian, 0.0};
constexpr double kParisNoon = 2460692.0 - 2.35 / 360.0;

TEST(Night, ParisInJanuary2025AgainstErfa) {
  using astro::Body;
  using astro::NightPart;
  using astro::Sighting;
  constexpr double kNone = -1.0;
  constexpr double kLater = -2.0;  // a few minutes after the dusk
  // What ERFA gives (tools/night/reference.py): the Sun's centre through
  // -6 degrees, the Moon's rise, the planets down through 5 degrees of
  // apparent altitude, the culminations; and what the rule makes of them.
  const struct {
    Body body;
    Sighting sighting;
    NightPart part;
    double start;  // kNone: from the dusk
    double end;    // kNone: until the dawn
    double best;   // kNone: not checked
    double bestAltitude;
    double tolerance;  // seconds, for start and end
  } cases[] = {
      {Body::Moon, Sighting::Visible, NightPart::UntilDawn, 2460692.305562, kNone, kNone, 0, 20},
      {Body::Mercury, Sighting::TooCloseToSun, NightPart::AllNight, kNone, kNone, kNone, 0, 0},
      {Body::Venus, Sighting::Visible, NightPart::FromDusk, kNone, 2460692.337689, kNone, 0, 60},
      {Body::Mars, Sighting::Visible, NightPart::AllNight, kNone, kNone, 2460692.499120, 66.350, 0},
      {Body::Jupiter, Sighting::Visible, NightPart::FromDusk, kNone, 2460692.665807, 2460692.365430,
       62.825, 60},
      {Body::Saturn, Sighting::Visible, NightPart::FromDusk, kLater, 2460692.341153, kNone, 0, 60},
      {Body::Neptune, Sighting::TooFaint, NightPart::AllNight, kNone, kNone, kNone, 0, 0},
  };
  for (const astro::Theory theory : kTheories) {
    const astro::Night night = astro::nightAt(astro::UT{kParisNoon}, astro::TimeScale{}, kParis,
                                              astro::Refraction::Standard, theory);
    ASSERT_EQ(night.status, astro::Status::Computed) << nameOf(theory);
    EXPECT_NEAR(night.darkStart.jd, 2460692.207751, 10 * kSecond) << nameOf(theory);
    EXPECT_NEAR(night.darkEnd.jd, 2460692.792684, 10 * kSecond) << nameOf(theory);
    for (const auto& c : cases) {
      const astro::NightBody& b = night[c.body];
      const std::string what =
          std::string(nameOf(theory)) + " " + std::string(astro::bodyId(c.body));
      EXPECT_EQ(astro::sightingId(b.sighting), astro::sightingId(c.sighting)) << what;
      if (c.sighting != Sighting::Visible) {
        EXPECT_EQ(b.windowCount, 0) << what;
        EXPECT_TRUE(std::isnan(b.best.jd)) << what;
        continue;
      }
      ASSERT_EQ(b.windowCount, 1) << what;
      const astro::NightWindow& w = b.windows[0];
      EXPECT_EQ(astro::nightPartId(w.part), astro::nightPartId(c.part)) << what;
      if (c.start == kLater) {
        // Saturn, magnitude 1.1, waits a few minutes for the sky to darken.
        EXPECT_GT(w.start.jd, night.darkStart.jd + 60 * kSecond) << what;
        EXPECT_LT(w.start.jd, night.darkStart.jd + 30 * 60 * kSecond) << what;
      } else {
        EXPECT_NEAR(w.start.jd, c.start == kNone ? night.darkStart.jd : c.start,
                    (c.start == kNone ? 0 : c.tolerance) * kSecond)
            << what;
      }
      EXPECT_NEAR(w.end.jd, c.end == kNone ? night.darkEnd.jd : c.end,
                  (c.end == kNone ? 0 : c.tolerance) * kSecond)
          << what;
      EXPECT_GE(b.best.jd, w.start.jd) << what;
      EXPECT_LE(b.best.jd, w.end.jd) << what;
      if (c.best != kNone) {
        // A flat maximum: its time within 3 minutes, its altitude within 3'.
        EXPECT_NEAR(b.best.jd, c.best, 180 * kSecond) << what;
        EXPECT_NEAR(b.bestAltitude * kRadian, c.bestAltitude, 0.05) << what;
      }
    }
  }
}

TEST(Night, DarknessNearThePoles) {
  // Longyearbyen (78.2 N) is dark all through the span at the December
  // solstice (the Sun's highest is 90 - 78.2 - 23.44 = -11.7 degrees) and
  // never at the June one (its lowest, 78.2 + 23.44 - 90 = +11.7). At
  // Tromsø (69.65 N) the Sun's centre is above -6 degrees for 2H, cos H =
  // (sin -6 - sin phi sin delta) / (cos phi cos delta) with delta -23.43:
  // H = 32.78 degrees, so the dark lasts 24 - 4.37 = 19.63 hours.
  const struct {
    double latitude;
    double longitude;
    double noon;       // JD of noon UT of the day
    double darkHours;  // -1: none
  } cases[] = {
      {78.22, 15.65, 2461029.0, 24.0},   // 2025-12-20
      {78.22, 15.65, 2460848.0, -1.0},   // 2025-06-21
      {69.65, 18.96, 2461030.0, 19.63},  // 2025-12-21
  };
  for (const auto& c : cases) {
    const astro::Observer place{c.latitude / kRadian, c.longitude / kRadian, 0.0};
    const double start = c.noon - c.longitude / 360.0;
    const astro::Night night =
        astro::nightAt(astro::UT{start}, astro::TimeScale{}, place, astro::Refraction::Standard);
    ASSERT_EQ(night.status, astro::Status::Computed);
    if (c.darkHours < 0) {
      EXPECT_TRUE(std::isnan(night.darkStart.jd));
      for (std::size_t i = 1; i < astro::kBodyCount; ++i) {
        EXPECT_EQ(night.bodies[i].sighting, astro::Sighting::NoDarkness) << i;
      }
      continue;
    }
    EXPECT_NEAR((night.darkEnd.jd - night.darkStart.jd) * 24.0, c.darkHours, 0.05) << c.latitude;
    // At least one planet is seen through so long a night.
    int seen = 0;
    for (std::size_t i = 2; i < astro::kBodyCount; ++i) {
      seen += night.bodies[i].sighting == astro::Sighting::Visible ? 1 : 0;
    }
    EXPECT_GE(seen, 1) << c.latitude;
  }
}

// The program's night, run in the process.
std::string runNight(const std::vector<std::string>& arguments, int* status) {
  std::vector<const char*> argv = {"ephemerides"};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  std::string out;
  std::string err;
  {
    frontend::WordReader input{std::string_view{}};
    frontend::Output output(out);
    frontend::Output errors(err);
    frontend::Console console{input, output, errors};
    *status = frontend::run(static_cast<int>(argv.size()), argv.data(), console);
  }
  return out + err;
}

TEST(NightView, TextSaysWhatIsSeenWithin80Columns) {
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::vector<std::string> said;
  } cases[] = {
      {{"--lieu", "Paris", "--nuit", "2025-01-16"},
       0,
       {"Nuit du 16/01/2025 au 17/01/2025", "coucher 17:23", "lever 08:37",
        "nuit (Soleil sous -6°) de 17:59 à 08:01", "gibbeuse décroissante",
        "Mars      visible toute la nuit, magnitude -1,4, constellation : Gémeaux",
        "Vénus     visible le soir jusqu'à 21:06", "Saturne   visible le soir jusqu'à 21:11",
        "vers le sud", "Mercure   invisible : trop près du Soleil",
        "Neptune   invisible : trop faible"}},
      // An hour of the morning belongs to the night before.
      {{"--lieu", "Paris", "--nuit", "2025-01-17T03:00"}, 0, {"Nuit du 16/01/2025 au 17/01/2025"}},
      // After the dawn, the coming night.
      {{"--lieu", "Paris", "--nuit", "2025-01-17T09:00"}, 0, {"Nuit du 17/01/2025 au 18/01/2025"}},
      // A long name and the southern sky.
      {{"--lieu", "-33.87,151.21", "--fuseau", "Australia/Sydney", "--nuit", "2025-06-21"},
       0,
       {"Nuit du 21/06/2025 au 22/06/2025"}},
      // Caught: the night's dusks were marked "(la veille)", as a day's
      // dusk before its dawn is, and ran into the dawn's column.
      {{"--lieu", "Paris", "--nuit", "2025-01-16"},
       0,
       {"Crépuscule civil (-6°)          soir 17:59            aube 08:01\n"}},
      // Polar night: the Sun neither sets nor rises.
      {{"--lieu", "Tromsø", "--nuit", "2025-12-21"},
       0,
       {"Soleil    jamais levé\n", "nuit (Soleil sous -6°) de 13:53 à 09:31"}},
      // The place's block and the events say the Moon's phase: the
      // approach of Venus on 3 January 2025, 3.75 days after the new moon
      // of 30 December 2024 at 22:27 UT.
      {{"--lieu", "Paris", "2025-01-16T20:00"},
       0,
       {"Lune : gibbeuse décroissante, âgée de 16,9 jours, éclairée à 9"}},
      {{"--evenements", "--from", "2025-01-01", "--to", "2025-01-05", "--fuseau", "UTC"},
       0,
       {"03/01/2025 16:31  Rapprochement de la Lune et de Vénus (1,3°)\n"
        "                  la Lune : premier croissant, âgée de 3,8 jours\n"}},
      // The picture at the hour asked; without a date, tonight.
      {{"--lieu", "Paris", "--nuit", "2025-01-16T22:00", "--format", "svg"},
       0,
       {"Le ciel de Paris, le 16/01/2025 à 22:00"}},
      {{"--lieu", "Paris", "--nuit"}, 0, {"Nuit du ", "Mars      "}},
      {{"--nuit", "2025-01-16"}, 2, {"--nuit va avec un lieu"}},
      {{"--lieu", "Paris", "--nuit", "2025-01-16", "2025-01-17"}, 2, {"une date au plus"}},
      {{"--lieu", "Paris", "--nuit", "--from", "2025-01-16", "--to", "2025-01-17"},
       2,
       {"montre une nuit"}},
      {{"--lieu", "Paris", "--nuit", "--format", "ics"}, 2, {"text, csv, json ou svg"}},
  };
  for (const auto& c : cases) {
    int status = -1;
    const std::string text = runNight(c.arguments, &status);
    EXPECT_EQ(status, c.status) << text;
    for (const std::string& said : c.said) {
      EXPECT_NE(text.find(said), std::string::npos) << said << "\n" << text;
    }
    if (c.arguments.back() == "svg") {
      continue;  // a picture: its text is in elements, not lines
    }
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(frontend::displayWidth(line), 80u) << line;
    }
  }
}

}  // namespace
