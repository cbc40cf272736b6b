// The command line, case by case: arguments and standard input, with the
// standard output (whole, or how it begins), standard error (whole, or how
// it begins) and exit status stated in advance.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "astro/version.h"
#include "tests/robustness/child_process.h"

namespace {

struct CommandCase {
  const char* name;
  std::vector<std::string> arguments;
  std::string input = "";
  std::string output = "";  // expected standard output, or its beginning
  bool outputIsPrefix = false;
  std::string errors = "";  // expected standard error, or its beginning
  bool errorsIsPrefix = false;
  int exitStatus = 0;
};

const std::string kUsage = "Utilisation : ephemerides [OPTIONS] [DATE...]\n";
const std::string kUsageError = "ephemerides : ";
const std::string kCsvHeader =
    "date,datetime,year,month,day,jd,sidereal_h,time_scale,delta_t_s,body,ra_h,dec_deg,distance_au,"
    "distance_km,illuminated_fraction,status,magnitude,magnitude_status,phase_angle_deg,"
    "apparent_diameter_arcsec,elongation_deg,elongation_side,constellation\n";
const std::string kIcsYears =
    "le format ics ne tient que les années 1 à 9999 du calendrier grégorien, en UTC ; les autres "
    "s'écrivent en text, csv ou json.";
const std::string kOutsideNote = "Note : une date hors des années 1000 à 3000 (";
const std::string kHeader2000 =
    "1.5/1/2000  (Jour Julien : 2451545)  (Temps siderale : 18h 41m 50s)\n";

// A usage error: nothing on standard output, a message and the usage on
// standard error, status 2.
CommandCase usage(const char* name, std::vector<std::string> arguments, std::string message) {
  return {.name = name,
          .arguments = std::move(arguments),
          .errors = kUsageError + message,
          .errorsIsPrefix = true,
          .exitStatus = 2};
}

const CommandCase kCases[] = {
    {.name = "Help", .arguments = {"--help"}, .output = kUsage, .outputIsPrefix = true},
    {.name = "ShortHelp", .arguments = {"-h"}, .output = kUsage, .outputIsPrefix = true},
    {.name = "Version",
     .arguments = {"--version"},
     .output = "ephemerides " + std::string(astro::kVersion) + "\n"},

    // A place: its clock reads the date (00:30 in Tromsø in June is 22:30 UT
    // the day before), and the block follows the report.
    {.name = "DateReadOnThePlacesClock",
     .arguments = {"--lieu", "Tromsø", "2025-06-21T00:30"},
     .output = "20.938/6/2025  (Jour Julien : 2460847.4375)",
     .outputIsPrefix = true},
    {.name = "PlaceGivenTwice",
     .arguments = {"--lieu", "45.76,4.84,170", "--lieu", "Lyon", "1/1/2000"},
     .errors = "ephemerides : l'option --lieu se donne une seule fois.",
     .errorsIsPrefix = true,
     .exitStatus = 2},
    usage("UnknownPlaceWithCandidates", {"--lieu", "Saint Etiene", "1/1/2000"},
          "Lieu invalide : \"Saint Etiene\" : lieu inconnu ; vouliez-vous dire « Saint-Étienne »"),
    usage("LatitudeBeyondThePole", {"--lieu", "91,0", "1/1/2000"}, "Lieu invalide : \"91,0\""),
    usage("UnknownZone", {"--fuseau", "Europe/Lyon", "1/1/2000"},
          "Fuseau invalide : \"Europe/Lyon\""),
    // The clock of Paris skips 02:00 to 03:00 on 30 March 2025, and shows
    // 02:00 to 03:00 twice on 26 October.
    {.name = "LocalTimeInTheSpringGapRefused",
     .arguments = {"--fuseau", "Europe/Paris", "2025-03-30T02:30"},
     .errors = "Date invalide : \"2025-03-30T02:30\" : cette heure n'existe pas",
     .errorsIsPrefix = true,
     .exitStatus = 1},
    {.name = "LocalTimeInTheAutumnFoldNoted",
     .arguments = {"--fuseau", "Europe/Paris", "2025-10-26T02:30"},
     .output = "26.021/10/2025  (Jour Julien : 2460974.5208)",
     .outputIsPrefix = true,
     .errors =
         "Note : \"2025-10-26T02:30\" : l'horloge de Europe/Paris montre deux fois cette heure",
     .errorsIsPrefix = true},
    // The same instant given with its offset, in UT, and as a civil time.
    {.name = "IsoWithOffset",
     .arguments = {"2025-06-21T12:00+02:00"},
     .output = "21.417/6/2025  (Jour Julien : 2460847.9167)",
     .outputIsPrefix = true},
    {.name = "IsoInUt",
     .arguments = {"2025-06-21T10:00Z"},
     .output = "21.417/6/2025  (Jour Julien : 2460847.9167)",
     .outputIsPrefix = true},
    {.name = "CivilTime",
     .arguments = {"--fuseau", "Europe/Paris", "2025-06-21T12:00"},
     .output = "21.417/6/2025  (Jour Julien : 2460847.9167)",
     .outputIsPrefix = true},

    // The year's events.
    {.name = "SeasonsOf2025",
     .arguments = {"--evenements", "2025", "--types", "saisons"},
     .output = "Événements, heures en temps universel (UT) :\n20/03/2025 08:50  Équinoxe de mars\n"
               "21/06/2025 02:34  Solstice de juin\n22/09/2025 18:23  Équinoxe de septembre\n"
               "21/12/2025 15:01  Solstice de décembre\n"},
    usage("EventTypeUnknown", {"--evenements", "2025", "--types", "phases,eclipses"},
          "type d'événement inconnu : \"eclipses\""),
    usage("EventsOverTenThousandYears", {"--evenements", "--from", "1/1/-5000", "--to", "1/1/5001"},
          "une plage d'événements compte au plus 10 000 ans."),
    usage("EventsWithoutInterval", {"--evenements"}, "--evenements attend une année"),
    usage("EventsAsAPicture", {"--evenements", "2025", "--format", "svg"},
          "les événements s'écrivent en text, csv, json ou ics."),
    usage("CalendarOfDates", {"--format", "ics", "1/1/2000"},
          "le format ics ne sert qu'aux événements (--evenements)."),
    // Caught: an empty interval was told that --to came before --from.
    {.name = "EventsIntervalWithEqualEnds",
     .arguments = {"--evenements", "--from", "2025-01-01T00:00Z", "--to", "2025-01-01T00:00Z"},
     .errors = "ephemerides : Plage invalide : \"2025-01-01T00:00Z\" : --to est le même instant "
               "que --from (2025-01-01T00:00Z) : l'intervalle est vide",
     .errorsIsPrefix = true,
     .exitStatus = 2},
    usage("TypesWithoutEvents", {"--types", "phases", "1/1/2000"}, "--types va avec --evenements."),
    // Caught: a calendar of 500 BC written as AD 500, one of AD 12000 that no
    // calendar program could read (RFC 5545 holds the years 1 to 9999).
    usage("CalendarBeforeYearOne", {"--evenements", "-500", "--format", "ics"}, kIcsYears),
    usage("CalendarAfterYear9999", {"--evenements", "12000", "--format", "ics"}, kIcsYears),
    // The year 1 of the program's calendar (Julian) begins on 30 December of
    // the year 0 of the Gregorian.
    usage("CalendarOfJulianYearOne", {"--evenements", "1", "--format", "ics"}, kIcsYears),
    usage("CalendarEndingAfterYear9999",
          {"--evenements", "--from", "9999-12-01", "--to", "9999-12-31", "--fuseau",
           "America/New_York", "--format", "ics"},
          kIcsYears),
    {.name = "CalendarOfYear9999InUtc",
     .arguments = {"--evenements", "--from", "9999-12-01", "--to", "9999-12-31", "--types",
                   "saisons", "--format", "ics"},
     .output = "BEGIN:VCALENDAR\r\n",
     .outputIsPrefix = true,
     .errors = "Note : l'intervalle sort des années 1000 à 3000",
     .errorsIsPrefix = true},

    // The picture the README shows is the one the program draws.
    {.name = "ReadmeSkyPicture",
     .arguments = {"--format", "svg", "1.5/1/2000"},
     .output = golden("../../docs/sky.svg")},
    {.name = "ReadmeHorizonPicture",
     .arguments = {"--lieu", "Lyon", "--format", "svg", "2026-01-24T20:00"},
     .output = golden("../../docs/sky_lyon.svg")},

    // Date words: the dialogue's report blocks alone.
    {.name = "DateWord", .arguments = {"1.5/1/2000"}, .output = golden("report_2000.txt")},
    {.name = "IsoDateAndTime",
     .arguments = {"2000-01-01T12:00"},
     .output = golden("report_2000.txt")},
    {.name = "IsoWithSeconds",
     .arguments = {"2000-01-01T12:00:00"},
     .output = golden("report_2000.txt")},
    {.name = "TwoDateWordsInOrder",
     .arguments = {"10/4/1987", "1.5/1/2000"},
     .output = golden("report_1987.txt") + golden("report_2000.txt")},
    // Caught: far dates looked like any other; now standard error says once
    // that their accuracy is not measured.
    {.name = "NegativeYear",
     .arguments = {"1/3/-500"},
     .output = "1/3/-500  (Jour Julien : 1538492.5)",
     .outputIsPrefix = true,
     .errors = kOutsideNote + "\"1/3/-500\") : les positions y sont calculées",
     .errorsIsPrefix = true},
    // Caught: the help said such a word must come after "--"; it need not.
    {.name = "IsoNegativeYearWithoutDashes",
     .arguments = {"-0500-03-01"},
     .output = "1/3/-500  (Jour Julien : 1538492.5)",
     .outputIsPrefix = true,
     .errors = kOutsideNote,
     .errorsIsPrefix = true},
    {.name = "IsoNegativeYearAfterDashes",
     .arguments = {"--", "-0500-03-01"},
     .output = "1/3/-500  (Jour Julien : 1538492.5)",
     .outputIsPrefix = true,
     .errors = kOutsideNote,
     .errorsIsPrefix = true},
    // Caught: accented words were quoted as \xNN bytes in messages.
    {.name = "AccentedWordQuotedAsTyped",
     .arguments = {"Saint-Étienne/1/2000", "\xc3(/1/2000"},
     .errors = "Date invalide : \"Saint-Étienne/1/2000\" : le jour doit être un nombre.\n"
               "Date invalide : \"\\xc3(/1/2000\" : le jour doit être un nombre.\n",
     .exitStatus = 1},
    {.name = "BadDateWordSkipped",
     .arguments = {"abc", "1.5/1/2000"},
     .output = golden("report_2000.txt"),
     .errors = "Date invalide : \"abc\" : une date s'écrit JOUR/MOIS/ANNÉE",
     .errorsIsPrefix = true,
     .exitStatus = 1},
    // Caught: the days the change of calendar skipped were taken, two rows
    // with one Julian Day, the first labelled 10 October.
    {.name = "IsoDayInThe1582GapRefused",
     .arguments = {"--format", "csv", "1582-10-10", "1582-10-20"},
     .output = kCsvHeader + "1582-10-20,1582-10-20T00:00:00.000,1582,10,20,2299165.5,",
     .outputIsPrefix = true,
     .errors =
         "Date invalide : \"1582-10-10\" : ce jour n'existe pas : le jeudi 4 octobre 1582 (julien) "
         "est suivi du vendredi 15 octobre 1582 (grégorien).\n",
     .exitStatus = 1},
    usage("RangeFromThe1582Gap", {"--from", "1582-10-10", "--to", "1582-10-20"},
          "Date invalide : \"1582-10-10\" : ce jour n'existe pas"),
    {.name = "IsoDayOutsideItsMonth",
     .arguments = {"2001-02-29"},
     .errors = "Date invalide : \"2001-02-29\" : ce jour n'existe pas dans ce mois.\n",
     .exitStatus = 1},
    {.name = "YearThatIsNotWhole",
     .arguments = {"1/1/2000.5"},
     .errors = "Date invalide : \"1/1/2000.5\" : l'année doit être un nombre entier.\n",
     .exitStatus = 1},

    // Ranges: first and last included.
    {.name = "RangeOfHalfDays",
     .arguments = {"--from", "1/1/2000", "--to", "2/1/2000", "--step", "12h", "--format", "csv"},
     .output = kCsvHeader +
               "1/1/2000,2000-01-01T00:00:00.000,2000,1,1,2451544.5,6.664498040115177,tt,0,sun,",
     .outputIsPrefix = true},
    {.name = "RangeLastDateIncluded",
     .arguments = {"--from", "31/12/1999", "--to", "1.5/1/2000", "--step", "12h"},
     .output = "31/12/1999  (Jour Julien : 2451543.5)",
     .outputIsPrefix = true},

    // Universal Time: the same header, the positions at TT = UT + Delta T.
    {.name = "DeltaTZeroIsTheDateAsTT",
     .arguments = {"--delta-t", "0", "1.5/1/2000"},
     .output = golden("report_2000.txt")},
    {.name = "UniversalTimeKeepsTheHeader",
     .arguments = {"--ut", "1.5/1/2000"},
     .output = kHeader2000,
     .outputIsPrefix = true},
    {.name = "UniversalTimeInCsv",
     .arguments = {"--delta-t", "63.8", "--format", "csv", "1.5/1/2000"},
     .output =
         kCsvHeader +
         "1.5/1/2000,2000-01-01T12:00:00.000,2000,1,1.5,2451545,18.69735293611518,ut,63.8,sun,",
     .outputIsPrefix = true},
    {.name = "UniversalTimeDialogue",
     .arguments = {"--ut"},
     .input = "1.5 1 2000\n",
     .output = kBanner + "Jour : Mois : Annee : " + kHeader2000,
     .outputIsPrefix = true},
    // Caught: --delta-t 1e300 was taken, and JSON's date said
    // outside_measured_span while every body said not_computable.
    usage("DeltaTBeyondTheModel", {"--delta-t", "1e300", "1/1/2000"},
          "--delta-t vaut au plus 150085416 secondes en valeur absolue"),
    usage("DeltaTNotANumber", {"--delta-t", "abc", "1/1/2000"},
          "--delta-t attend un nombre de secondes : \"abc\"."),

    // Dates from standard input, without banner or prompts.
    {.name = "TextFromInput",
     .arguments = {"--format", "text"},
     .input = "1.5 1 2000\n",
     .output = golden("report_2000.txt")},
    {.name = "CsvFromInput", .arguments = {"--format", "csv"}, .output = kCsvHeader},
    {.name = "RefusedAnswerFromInput",
     .arguments = {"--format", "text"},
     .input = "1 1 2000.5\n1.5 1 2000\n",
     .output = golden("report_2000.txt"),
     .errors = "Saisie invalide : \"2000.5\" : l'année doit être un nombre entier.\n",
     .exitStatus = 1},

    // Wrong command lines: status 2 before anything is written.
    usage("UnknownOption", {"--bogus"}, "option inconnue : \"--bogus\"."),
    usage("UnknownFormat", {"--format", "xml", "1/1/2000"}, "format inconnu : \"xml\""),
    usage("FormatWithoutValue", {"--format"}, "l'option --format attend une valeur."),
    usage("ToBeforeFrom", {"--from", "2/1/2000", "--to", "1/1/2000"},
          "Plage invalide : \"1/1/2000\" : --to vient avant --from (2/1/2000)."),
    usage("ZeroStep", {"--from", "1/1/2000", "--to", "2/1/2000", "--step", "0d"},
          "Pas invalide : \"0d\""),
    usage("NegativeStep", {"--from", "1/1/2000", "--to", "2/1/2000", "--step", "-1d"},
          "Pas invalide : \"-1d\""),
    usage("UnknownUnit", {"--from", "1/1/2000", "--to", "2/1/2000", "--step", "1w"},
          "Pas invalide : \"1w\""),
    usage("RangeTooLong", {"--from", "1/1/2000", "--to", "1/1/2100", "--step", "1s"},
          "Plage invalide : \"1/1/2000 .. 1/1/2100\" : elle compte 3155760001 dates"),
    usage("FromWithoutTo", {"--from", "1/1/2000"}, "une plage se donne avec --from et --to."),
    usage("StepWithoutRange", {"--step", "1d", "1/1/2000"}, "--step va avec --from et --to."),
    usage("DatesAndRange", {"1/1/2000", "--from", "1/1/2000", "--to", "2/1/2000"},
          "des dates ou une plage, pas les deux."),
    usage("SkyPictureOfTwoDates", {"--format", "svg", "1/1/2000", "2/1/2000"},
          "--format svg dessine le ciel d'une seule date, donnée en argument."),
    usage("SkyPictureOfARange", {"--format", "svg", "--from", "1/1/2000", "--to", "2/1/2000"},
          "--format svg dessine le ciel d'une seule date"),
    usage("SkyPictureFromInput", {"--format", "svg"},
          "--format svg dessine le ciel d'une seule date"),
    {.name = "SkyPicture",
     .arguments = {"--format", "svg", "1.5/1/2000"},
     .output = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ",
     .outputIsPrefix = true},
    usage("BadRangeLimit", {"--from", "1/13/2000x", "--to", "2/1/2000"},
          "Date invalide : \"1/13/2000x\""),
};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << c.name;
}

class CommandLine : public testing::TestWithParam<CommandCase> {};

TEST_P(CommandLine, OutputMessagesAndStatusAreAsStated) {
  const CommandCase& c = GetParam();
  const Transcript run = runProgram(c.input, nullptr, kPatience, c.arguments);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.killedBy, 0);
  EXPECT_EQ(run.exitStatus, c.exitStatus);
  if (c.outputIsPrefix) {
    EXPECT_EQ(run.output.substr(0, c.output.size()), c.output);
  } else {
    EXPECT_EQ(run.output, c.output);
  }
  if (c.errorsIsPrefix) {
    EXPECT_EQ(run.errors.substr(0, c.errors.size()), c.errors);
  } else {
    EXPECT_EQ(run.errors, c.errors);
  }
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLine, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CommandCase>& tested) {
                           return std::string(tested.param.name);
                         });

// The Sun's row and twilights of the place's block where the Sun never sets
// or never rises, and the clock's own instant.
TEST(CommandLine, PlaceBlockSaysWhatTheSunDoes) {
  const struct {
    std::vector<std::string> arguments;
    std::string sunRow;  // how the Sun's row of the block ends
    std::string astronomical;
  } cases[] = {
      {{"--lieu", "Tromsø", "2025-06-21T00:30"},
       "toujours levé",
       "Crépuscule astronomique (-18°)  le Soleil ne descend pas si bas de la journée"},
      {{"--lieu", "Tromsø", "2025-12-21T12:00"},
       "jamais levé",
       "Crépuscule astronomique (-18°)  aube "},
      {{"--lieu", "Paris", "2025-06-21T12:00"},
       "21:57",
       "Crépuscule astronomique (-18°)  le Soleil ne descend pas si bas de la journée"},
  };
  for (const auto& c : cases) {
    const Transcript run = runProgram("", nullptr, kPatience, c.arguments);
    EXPECT_EQ(run.exitStatus, 0) << c.arguments[1];
    const std::size_t sun = run.output.rfind("\n Soleil   ");
    ASSERT_NE(sun, std::string::npos) << run.output;
    const std::string row = run.output.substr(sun + 1, run.output.find('\n', sun + 1) - sun - 1);
    EXPECT_TRUE(row.ends_with(c.sunRow)) << row;
    EXPECT_NE(run.output.find(c.astronomical), std::string::npos) << run.output;
  }
  const Transcript now = runProgram("", nullptr, kPatience, {"--lieu", "Paris", "maintenant"});
  EXPECT_EQ(now.exitStatus, 0) << now.errors;
  EXPECT_NE(now.output.find("Lieu : Paris (48,85° N, 2,35° E) ; fuseau Europe/Paris"),
            std::string::npos)
      << now.output;
}

// The lines of a CSV output (none of its fields is quoted), each split at
// its commas.
std::vector<std::vector<std::string>> csvLines(const std::string& output) {
  std::vector<std::vector<std::string>> lines;
  bool lineEnded = true;
  for (const char c : output) {
    if (lineEnded) {
      lines.emplace_back(1);
      lineEnded = false;
    }
    if (c == '\n') {
      lineEnded = true;
    } else if (c == ',') {
      lines.back().emplace_back();
    } else {
      lines.back().back() += c;
    }
  }
  return lines;
}

// The fields of the first row of `body`, by the header's names; empty if
// there is none.
std::map<std::string, std::string> csvRow(const std::string& output, const std::string& body) {
  const std::vector<std::vector<std::string>> lines = csvLines(output);
  std::map<std::string, std::string> row;
  for (std::size_t l = 1; l < lines.size() && row.empty(); ++l) {
    for (std::size_t i = 0; i < lines[l].size() && i < lines[0].size(); ++i) {
      row[lines[0][i]] = lines[l][i];
    }
    if (row["body"] != body) {
      row.clear();
    }
  }
  return row;
}

// The Sun at local midnight at midsummer above the Arctic Circle: up, low
// in the north, never setting that day; at noon at midwinter: down, in the
// south, never rising. The altitude (refraction included) and the azimuth
// (from the north, through the east) are swetest's, at the same UT, for
// the same place; the Sun's place is good to under an arcminute (see
// docs/accuracy.md), and below the horizon the refraction the program adds
// is a convention, so there only the sign is held.
TEST(CommandLine, MidnightSunAndPolarNightAtThePlace) {
  const double below = std::nan("");
  const struct {
    const char* where;
    std::vector<std::string> arguments;
    const char* localTime;
    double altitude;  // degrees, or NaN: below the horizon
    double azimuth;   // degrees
    const char* rise;
    const char* set;
  } cases[] = {
      {.where = "Tromsø, midnight at midsummer",
       .arguments = {"--lieu", "Tromsø", "--format", "csv", "2025-06-21T00:00"},
       .localTime = "2025-06-21T00:00:00+02:00",
       .altitude = 3.6576,
       .azimuth = 180 + 169.4661,
       .rise = "always_above",
       .set = "always_above"},
      {.where = "North Cape, midnight at midsummer",
       .arguments = {"--lieu", "71.17,25.78", "--fuseau", "Europe/Oslo", "--format", "csv",
                     "2025-06-21T00:00"},
       .localTime = "2025-06-21T00:00:00+02:00",
       .altitude = 4.8286,
       .azimuth = 180 + 175.7180,
       .rise = "always_above",
       .set = "always_above"},
      {.where = "Tromsø, noon at midwinter",
       .arguments = {"--lieu", "Tromsø", "--format", "csv", "2025-12-21T12:00"},
       .localTime = "2025-12-21T12:00:00+01:00",
       .altitude = below,
       .azimuth = 180 + 4.0600,
       .rise = "always_below",
       .set = "always_below"},
  };
  constexpr double kArcminute = 1.0 / 60;
  for (const auto& c : cases) {
    const Transcript run = runProgram("", nullptr, kPatience, c.arguments);
    ASSERT_EQ(run.exitStatus, 0) << c.where << run.errors;
    std::map<std::string, std::string> sun = csvRow(run.output, "sun");
    ASSERT_FALSE(sun.empty()) << c.where << "\n" << run.output;
    EXPECT_EQ(sun["local_time"], c.localTime) << c.where;
    const double altitude = std::strtod(sun["altitude_deg"].c_str(), nullptr);
    if (std::isnan(c.altitude)) {
      EXPECT_LT(altitude, 0.0) << c.where;
    } else {
      EXPECT_GT(altitude, 0.0) << c.where;
      EXPECT_NEAR(altitude, c.altitude, kArcminute) << c.where;
    }
    EXPECT_NEAR(std::strtod(sun["azimuth_deg"].c_str(), nullptr), c.azimuth, kArcminute) << c.where;
    EXPECT_EQ(sun["rise_status"], c.rise) << c.where;
    EXPECT_EQ(sun["set_status"], c.set) << c.where;
  }
}

// Caught: below the horizon the refraction was held at its horizon value,
// so at the program's own civil dusk the Sun's CSV altitude read -5.26
// degrees, and a script testing altitude_deg < -18 disagreed with the
// astronomical dusk column by four minutes. The twilights are defined by
// the Sun's centre at -6, -12 and -18 degrees; the times are written to
// the second, in which the Sun moves less than 0.005 degree.
TEST(CommandLine, SunAltitudeAtTheProgramsOwnDuskIsTheTwilightsAltitude) {
  const struct {
    const char* day;
    const char* column;
    double altitude;
  } cases[] = {
      {"2025-03-20", "civil_dusk", -6},         {"2025-03-20", "nautical_dusk", -12},
      {"2025-03-20", "astronomical_dusk", -18}, {"2025-12-21", "civil_dawn", -6},
      {"2025-12-21", "nautical_dawn", -12},     {"2025-12-21", "astronomical_dawn", -18},
  };
  for (const auto& c : cases) {
    const Transcript day =
        runProgram("", nullptr, kPatience, {"--lieu", "Lyon", "--format", "csv", c.day});
    ASSERT_EQ(day.exitStatus, 0) << day.errors;
    const std::string when = csvRow(day.output, "sun")[c.column];
    ASSERT_GE(when.size(), 19U) << c.column;  // 2025-03-20T19:23:03+01:00
    const Transcript then = runProgram("", nullptr, kPatience,
                                       {"--lieu", "Lyon", "--format", "csv", when.substr(0, 19)});
    ASSERT_EQ(then.exitStatus, 0) << then.errors;
    EXPECT_NEAR(std::strtod(csvRow(then.output, "sun")["altitude_deg"].c_str(), nullptr),
                c.altitude, 0.02)
        << c.day << " " << c.column << " " << when;
  }
}

namespace {

// The lines of text wider than 80 characters (not bytes).
std::vector<std::string> linesOver80(const std::string& text) {
  std::vector<std::string> wide;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end;
    std::size_t characters = 0;
    for (std::size_t i = start; i < end; ++i) {
      characters += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 ? 1 : 0;
    }
    if (characters > 80) {
      wide.push_back(text.substr(start, end - start));
    }
    start = end + 1;
  }
  return wide;
}

}  // namespace

// Caught: the place's table was 100 columns wide (every row wrapped in the
// middle of a time at an 80-column terminal), a help line 131, a place
// heading with a long zone 84, the events' notes 114 and 119. The
// dialogue's report is not among them: its bytes are fixed.
TEST(CommandLine, EverythingForATerminalFitsEightyColumns) {
  const std::vector<std::vector<std::string>> cases = {
      {"--help"},
      {"--version"},
      {"--lieu", "Lyon", "2025-06-21"},
      {"--lieu", "Tromsø", "2025-06-21T00:30"},
      {"--lieu", "Tromsø", "2025-12-21T12:00"},
      {"--lieu", "-89.9,0", "2025-06-21"},
      {"--lieu", "-45.8756,-170.5028", "--fuseau", "America/Argentina/ComodRivadavia",
       "2025-06-21"},
      {"--evenements", "2025"},
      {"--evenements", "2025", "--lieu", "Lyon"},
      {"--evenements", "500"},
      {"--format", "nimporte"},
  };
  for (const auto& arguments : cases) {
    const Transcript run = runProgram("", nullptr, kPatience, arguments);
    EXPECT_EQ(linesOver80(run.output), std::vector<std::string>{}) << arguments[0];
    EXPECT_EQ(linesOver80(run.errors), std::vector<std::string>{}) << arguments[0];
  }
}

// The manual page as man shows it at an 80-column terminal.
TEST(CommandLine, ManualPageFitsEightyColumns) {
  const std::string command = std::string("groff -Tutf8 -man -rLL=80n -P-cbou ") + kGoldenDir +
                              "/../../docs/ephemerides.1 2>/dev/null";
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  ASSERT_NE(pipe, nullptr);
  std::string page;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
    page.append(buffer, n);
  }
  if (page.empty()) {
    GTEST_SKIP() << "groff is not installed";
  }
  EXPECT_EQ(linesOver80(page), std::vector<std::string>{});
}

// Caught: what a French user types was refused or taken silently: a step
// in days written "1j", a kind of event by its French name, an offset with
// one hour digit, an empty --lieu (it meant no place), a whole date at the
// dialogue's "Jour :" prompt (only "le jour doit être un nombre"). Each
// spelling must give what its accepted twin gives.
TEST(CommandLine, WhatAFrenchUserTypes) {
  const struct {
    const char* what;
    std::string input;
    std::vector<std::string> arguments;
    std::vector<std::string> twin;  // the same request as already accepted
  } same[] = {
      {"step in days",
       "",
       {"--format", "csv", "--from", "2025-01-01", "--to", "2025-01-03", "--step", "1j"},
       {"--format", "csv", "--from", "2025-01-01", "--to", "2025-01-03", "--step", "1d"}},
      {"full moon",
       "",
       {"--evenements", "2025", "--types", "pleine_lune"},
       {"--evenements", "2025", "--types", "full_moon"}},
      {"aphelion, with accents and a space",
       "",
       {"--evenements", "2025", "--types", "Aphélie,plus grande élongation est"},
       {"--evenements", "2025", "--types", "aphelion,greatest_elongation_east"}},
      {"one hour digit", "", {"2025-06-21T12:00+5:45"}, {"2025-06-21T06:15Z"}},
  };
  for (const auto& c : same) {
    const Transcript run = runProgram(c.input, nullptr, kPatience, c.arguments);
    const Transcript twin = runProgram(c.input, nullptr, kPatience, c.twin);
    EXPECT_EQ(run.exitStatus, 0) << c.what << run.errors;
    EXPECT_EQ(run.output, twin.output) << c.what;
  }
  const Transcript emptyPlace = runProgram("", nullptr, kPatience, {"--lieu", "", "2025-01-01"});
  EXPECT_EQ(emptyPlace.exitStatus, 2);
  EXPECT_EQ(emptyPlace.output, "");
  const Transcript wholeDate = runProgram("2025-06-21\n", nullptr, kPatience, {});
  EXPECT_NE(wholeDate.errors.find("ephemerides 2025-06-21"), std::string::npos) << wholeDate.errors;
}

// Caught: "Rapprochement de Mercure et de Uranus" (no elision), "heures
// de Europe/Paris", and the band picture's "-23 deg  1'" beside its own
// accented French.
TEST(CommandLine, FrenchWordsReadWell) {
  const struct {
    std::vector<std::string> arguments;
    std::string said;
    std::string notSaid;
  } cases[] = {
      {{"--evenements", "2025", "--types", "rapprochements"},
       "Rapprochement de Mercure et d'Uranus",
       "de Uranus"},
      {{"--evenements", "2025", "--lieu", "Lyon"},
       "Événements, à l'heure du fuseau Europe/Paris :\n",
       "heures de Europe"},
      {{"--format", "svg", "1.5/1/2000"}, "Soleil (Sagittaire) : 18h 45m 10s, -23° 01′", " deg "},
      {{"--format", "svg", "1.5/1/2000"}, "temps sidéral 18h 41m 50s", "siderale"},
      {{"--lieu", "Lyon", "--format", "svg", "2026-01-24T20:00"}, "12:52 (25° 09′)", "09')"},
      // Each body's constellation by its French name, on lines of 80
      // columns at most.
      {{"--lieu", "Paris", "2025-01-16T22:00"},
       "Constellations : Soleil (Sagittaire), Lune (Lion), Mercure (Sagittaire),\n"
       "  Vénus (Verseau), Mars (Gémeaux), Jupiter (Taureau), Saturne (Verseau),\n",
       "Gemini"},
  };
  for (const auto& c : cases) {
    const Transcript run = runProgram("", nullptr, kPatience, c.arguments);
    EXPECT_NE(run.output.find(c.said), std::string::npos) << c.said;
    EXPECT_EQ(run.output.find(c.notSaid), std::string::npos) << c.notSaid;
  }
}

TEST(CommandLine, RangeHasEveryStepFromFirstToLast) {
  const Transcript run = runProgram(
      "", nullptr, kPatience,
      {"--from", "2000-01-01", "--to", "2000-01-02T00:00", "--step", "30min", "--format", "csv"});
  ASSERT_EQ(run.exitStatus, 0);
  // 49 instants, nine rows each, after the header line.
  std::size_t lines = 0;
  for (const char c : run.output) {
    lines += c == '\n' ? 1 : 0;
  }
  EXPECT_EQ(lines, 1 + 49 * 9u);
  EXPECT_NE(run.output.find("\n1.0208333333333333/1/2000,2000-01-01T00:30:00.000,2000,1,"
                            "1.0208333333333333,"),
            std::string::npos);
  EXPECT_NE(run.output.find("\n2/1/2000,2000-01-02T00:00:00.000,2000,1,2,2451545.5,"),
            std::string::npos);
}

}  // namespace

namespace {
// The Moon's row moves with Delta T: at 1.5/1/2000 its right ascension
// goes from 14h 49m 47s to 14h 49m 49s (35" for 64 s), the Sun's stays.
TEST(CommandLine, UniversalTimeMovesTheMoon) {
  const Transcript tt = runProgram("", nullptr, kPatience, {"1.5/1/2000"});
  const Transcript ut = runProgram("", nullptr, kPatience, {"--ut", "1.5/1/2000"});
  ASSERT_EQ(ut.exitStatus, 0);
  EXPECT_NE(tt.output.find(" Lune       14h 49m 47s"), std::string::npos);
  EXPECT_NE(ut.output.find(" Lune       14h 49m 49s"), std::string::npos);
  EXPECT_NE(ut.output.find(" Soleil     18h 45m 10s"), std::string::npos);
}
}  // namespace
