// Bad input, case by case: the real program fed through a pipe, with its
// standard output, its messages on standard error and its exit status all
// stated in advance. Reports come from tests/golden: the 1.5/1/2000
// report is the worked example of the report layout; the two reports of
// days +-1e300 carry no number that could change, only the note that no
// position can be computed.
#include <gtest/gtest.h>

#include <string>

#include "tests/robustness/child_process.h"

namespace {
const std::string kJour = "Jour : ";
const std::string kMois = "Mois : ";
const std::string kAnnee = "Annee : ";
const std::string kAll = kJour + kMois + kAnnee;
const std::string kEnd = "\n";  // the line end written at the end of input

// The messages, each quoting the word it refuses.
std::string message(std::string_view kind, std::string_view word, std::string_view why) {
  return std::string(kind) + " : \"" + std::string(word) + "\" : " + std::string(why) + "\n";
}
std::string dayNotANumber(std::string_view word) {
  return message("Saisie invalide", word, "le jour doit être un nombre.");
}
std::string dayTooLarge(std::string_view word) {
  return message("Saisie invalide", word, "le jour est trop grand.");
}
std::string monthNotAnInteger(std::string_view word) {
  return message("Saisie invalide", word, "le mois doit être un nombre entier.");
}
std::string monthTooLarge(std::string_view word) {
  return message("Saisie invalide", word, "le mois dépasse les entiers sur 32 bits.");
}
std::string yearNotAnInteger(std::string_view word) {
  return message("Saisie invalide", word, "l'année doit être un nombre entier.");
}
std::string yearTooLarge(std::string_view word) {
  return message("Saisie invalide", word, "l'année dépasse les entiers sur 32 bits.");
}
std::string monthBelowOne(std::string_view word) {
  return message("Mois invalide", word, "le mois doit valoir au moins 1.");
}
std::string keyOverflow(std::string_view date) {
  return message("Date invalide", date,
                 "année × 10000 + mois × 100 dépasse les entiers sur 32 bits.");
}
std::string notComputable(std::string_view date) {
  return message("Date incalculable", date,
                 "la date est si loin que le temps n'y est plus compté à la seconde près : ni le "
                 "temps sidéral ni les positions n'y ont de sens.");
}
std::string incomplete(std::string_view date) {
  return message("Date incomplète", date, "l'entrée s'est terminée avant la fin de la date.");
}

const std::string kMegabyte(1 << 20, 'x');

std::string allBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    bytes += static_cast<char>(b);
  }
  return bytes;
}

struct BadInput {
  const char* name;
  std::string input;
  std::string output;
  std::string errors = "";
  int exitStatus = 0;
};

// A report from tests/golden.
std::string report(const char* name) {
  return golden(std::string("report_") + name + ".txt");
}

const std::string kFortySevens(40, '7');
const std::string kFortyXs(40, 'x');

const BadInput kCatalogue[] = {
    // Whole transcripts: the worked example of the report, answered on one
    // line or one answer per line, other dates, several dates in a row.
    {.name = "FullReport2000",
     .input = "1.5 1 2000\n",
     .output = kBanner + kAll + report("2000") + kJour + kEnd},
    {.name = "OneAnswerPerLine",
     .input = "1.5\n1\n2000\n",
     .output = kBanner + kAll + report("2000") + kJour + kEnd},
    {.name = "Header1987",
     .input = "10 4 1987\n",
     .output = kBanner + kAll + report("1987") + kJour + kEnd},
    {.name = "SeveralDates",
     .input = "10 4 1987\n1.5 1 2000\n15 6 1850\n",
     .output = kBanner + kAll + report("1987") + kAll + report("2000") + kAll + report("1850") +
               kJour + kEnd},
    {.name = "InvalidAnswersThenADate",
     .input = "douze\n1.5 janvier 2000\n1.5 0 2000\n1e999 1 2000\n1.5 1 2000\n",
     .output = kBanner + kJour + kJour + kMois + kJour + kMois + kJour + kAll + report("2000") +
               kJour + kEnd,
     .errors = dayNotANumber("douze") + monthNotAnInteger("janvier") + monthBelowOne("0") +
               dayTooLarge("1e999"),
     .exitStatus = 1},
    {.name = "EndInMidDate",
     .input = "1.5 1",
     .output = kBanner + kAll + kEnd,
     .errors = incomplete("1.5/1"),
     .exitStatus = 1},

    // End of input: a line end after the last prompt. A date left
    // incomplete gets no report but a message, and the status says so.
    {.name = "EmptyInput", .input = "", .output = kBanner + kJour + kEnd},
    {.name = "EndAtDayAfterBlankLines", .input = " \n\t\n\n", .output = kBanner + kJour + kEnd},
    {.name = "EndAtMonth",
     .input = "15\n",
     .output = kBanner + kJour + kMois + kEnd,
     .errors = incomplete("15"),
     .exitStatus = 1},
    {.name = "EndAtYear",
     .input = "15 4\n",
     .output = kBanner + kAll + kEnd,
     .errors = incomplete("15/4"),
     .exitStatus = 1},
    {.name = "EndOfInputCutsTheYearShort",
     .input = "15 4 -",
     .output = kBanner + kAll + kJour + kEnd,
     .errors = yearNotAnInteger("-"),
     .exitStatus = 1},
    {.name = "EndAfterCompleteDateWithoutLineEnd",
     .input = "1.5 1 2000",
     .output = kBanner + kAll + report("2000") + kJour + kEnd},
    {.name = "EndAfterCompleteDate",
     .input = "1.5 1 2000\n",
     .output = kBanner + kAll + report("2000") + kJour + kEnd},

    // Not a number: one message, the line dropped, the date asked again.
    {.name = "LettersAsDay",
     .input = "abc 1 2000\n1.5 1 2000\n",
     .output = kBanner + kJour + kAll + report("2000") + kJour + kEnd,
     .errors = dayNotANumber("abc"),
     .exitStatus = 1},
    {.name = "LettersAsMonth",
     .input = "1 janvier 2000\n",
     .output = kBanner + kJour + kMois + kJour + kEnd,
     .errors = monthNotAnInteger("janvier"),
     .exitStatus = 1},
    {.name = "LettersAsYear",
     .input = "1 1 deux-mille\n",
     .output = kBanner + kAll + kJour + kEnd,
     .errors = yearNotAnInteger("deux-mille"),
     .exitStatus = 1},
    {.name = "DecimalCommaGetsAHint",
     .input = "15,5 3 2000\n",
     .output = kBanner + kJour + kJour + kEnd,
     .errors = message("Saisie invalide", "15,5",
                       "le jour doit être un nombre ; le séparateur décimal est le point (15.5)."),
     .exitStatus = 1},
    {.name = "FractionalMonth",
     .input = "1 1.5 2000\n",
     .output = kBanner + kJour + kMois + kJour + kEnd,
     .errors = monthNotAnInteger("1.5"),
     .exitStatus = 1},
    // Caught: the fraction of a year was once left for the next prompt and
    // read as the next day, so that 2/2/2001 was reported as 0.5/2/2.
    {.name = "FractionalYearIsRefusedAsAWhole",
     .input = "1 1 2000.5\n2 2 2001\n",
     .output = kBanner + kAll + kAll + report("2_2_2001") + kJour + kEnd,
     .errors = yearNotAnInteger("2000.5"),
     .exitStatus = 1},
    {.name = "DayWithTrailingLetters",
     .input = "15.5x 3 2000\n",
     .output = kBanner + kJour + kJour + kEnd,
     .errors = dayNotANumber("15.5x"),
     .exitStatus = 1},
    {.name = "NanAsDay",
     .input = "nan 1 2000\n",
     .output = kBanner + kJour + kJour + kEnd,
     .errors = dayNotANumber("nan"),
     .exitStatus = 1},
    {.name = "InfAsDay",
     .input = "inf 1 2000\n",
     .output = kBanner + kJour + kJour + kEnd,
     .errors = dayNotANumber("inf"),
     .exitStatus = 1},
    {.name = "MinusInfinityAsDay",
     .input = "-infinity 1 2000\n",
     .output = kBanner + kJour + kJour + kEnd,
     .errors = dayNotANumber("-infinity"),
     .exitStatus = 1},
    {.name = "NanAsMonth",
     .input = "1 nan 2000\n",
     .output = kBanner + kJour + kMois + kJour + kEnd,
     .errors = monthNotAnInteger("nan"),
     .exitStatus = 1},

    // Line ends of another system are blanks like any other.
    {.name = "CarriageReturnLineEnds",
     .input = "1.5\r\n1\r\n2000\r\n",
     .output = kBanner + kAll + report("2000") + kJour + kEnd},

    // Months below 1 are refused; the rest of their line goes with them.
    {.name = "MonthZero",
     .input = "1 0 2000\n",
     .output = kBanner + kJour + kMois + kJour + kEnd,
     .errors = monthBelowOne("0"),
     .exitStatus = 1},
    {.name = "MonthMinusThree",
     .input = "1 -3 2000 1.5 1 2000\n1.5 1 2000\n",
     .output = kBanner + kJour + kMois + kAll + report("2000") + kJour + kEnd,
     .errors = monthBelowOne("-3"),
     .exitStatus = 1},

    // The calendar key year * 10000 + month * 100 must fit in 32 bits.
    {.name = "Year214749",
     .input = "1 1 214749\n",
     .output = kBanner + kAll + kJour + kEnd,
     .errors = keyOverflow("1/1/214749"),
     .exitStatus = 1},
    {.name = "YearMinus2147483648",
     .input = "1 1 -2147483648\n",
     .output = kBanner + kAll + kJour + kEnd,
     .errors = keyOverflow("1/1/-2147483648"),
     .exitStatus = 1},
    {.name = "MonthLargeEnoughToOverflowTheKey",
     .input = "1 2147483647 0\n",
     .output = kBanner + kAll + kJour + kEnd,
     .errors = keyOverflow("1/2147483647/0"),
     .exitStatus = 1},

    // Integers beyond 32 bits, either way.
    {.name = "MonthBeyond32Bits",
     .input = "1 4294967297 2000\n",
     .output = kBanner + kJour + kMois + kJour + kEnd,
     .errors = monthTooLarge("4294967297"),
     .exitStatus = 1},
    {.name = "NegativeMonthBeyond32Bits",
     .input = "1 -2147483649 2000\n",
     .output = kBanner + kJour + kMois + kJour + kEnd,
     .errors = monthTooLarge("-2147483649"),
     .exitStatus = 1},
    {.name = "YearBeyond32Bits",
     .input = "1 1 2147483648\n",
     .output = kBanner + kAll + kJour + kEnd,
     .errors = yearTooLarge("2147483648"),
     .exitStatus = 1},
    {.name = "NegativeYearBeyond64Bits",
     .input = "1 1 -99999999999999999999999\n",
     .output = kBanner + kAll + kJour + kEnd,
     .errors = yearTooLarge("-99999999999999999999999"),
     .exitStatus = 1},

    // Days far outside any calendar are still dates: the report says that
    // no position can be computed. Caught: they once ended with status 0, as
    // if every date had been computed; standard error now says so and the
    // status is 1. Beyond the range of a double they are refused.
    {.name = "Day1e300",
     .input = "1e300 1 2000\n",
     .output = kBanner + kAll + report("day_1e300") + kJour + kEnd,
     .errors = notComputable("1e300/1/2000"),
     .exitStatus = 1},
    {.name = "DayMinus1e300",
     .input = "-1e300 1 2000\n",
     .output = kBanner + kAll + report("day_minus_1e300") + kJour + kEnd,
     .errors = notComputable("-1e300/1/2000"),
     .exitStatus = 1},
    // Caught: day 1e16 printed a sidereal time of 0h 0m 0s, meaningless where
    // a double no longer tells one second from the next.
    {.name = "Day1e16HasNoSiderealTime",
     .input = "1e16 1 2000\n",
     .output = kBanner + kAll + report("day_1e16") + kJour + kEnd,
     .errors = notComputable("1e16/1/2000"),
     .exitStatus = 1},
    {.name = "Day1e999",
     .input = "1e999 1 2000\n",
     .output = kBanner + kJour + kJour + kEnd,
     .errors = dayTooLarge("1e999"),
     .exitStatus = 1},
    {.name = "DayMinus1e999",
     .input = "-1e999 1 2000\n",
     .output = kBanner + kJour + kJour + kEnd,
     .errors = dayTooLarge("-1e999"),
     .exitStatus = 1},

    // A line of 1 MB: one message for the whole line, then the next date.
    {.name = "MegabyteOfLetters",
     .input = kMegabyte + "\n1.5 1 2000\n",
     .output = kBanner + kJour + kAll + report("2000") + kJour + kEnd,
     .errors =
         message("Saisie invalide", kFortyXs + "...", "une réponse a au plus 4096 caractères."),
     .exitStatus = 1},
    {.name = "MegabyteOfDigits",
     .input = std::string(1 << 20, '7') + "\n1.5 1 2000\n",
     .output = kBanner + kJour + kAll + report("2000") + kJour + kEnd,
     .errors =
         message("Saisie invalide", kFortySevens + "...", "une réponse a au plus 4096 caractères."),
     .exitStatus = 1},
    {.name = "MegabyteOfBlanksBeforeADate",
     .input = std::string(1 << 20, ' ') + "1.5 1 2000\n",
     .output = kBanner + kAll + report("2000") + kJour + kEnd},

    // Binary bytes, quoted as \xNN. All 256 byte values in order: the NUL
    // starts a bad line ending at byte 10; bytes 11 to 13 are blanks; byte
    // 14 starts a second bad line that runs to the end of the input.
    {.name = "EveryByteValue",
     .input = allBytes(),
     .output = kBanner + kJour + kJour + kJour + kEnd,
     .errors =
         dayNotANumber("\\x00\\x01\\x02\\x03\\x04\\x05\\x06\\x07\\x08") +
         dayNotANumber("\\x0e\\x0f\\x10\\x11\\x12\\x13\\x14\\x15\\x16\\x17\\x18\\x19\\x1a\\x1b"
                       "\\x1c\\x1d\\x1e\\x1f"),
     .exitStatus = 1},
    {.name = "BinaryLineThenADate",
     .input = std::string("\x00\xff\xfe\x80\x1b[2J", 9) + "\n1.5 1 2000\n",
     .output = kBanner + kJour + kAll + report("2000") + kJour + kEnd,
     .errors = dayNotANumber("\\x00\\xff\\xfe\\x80\\x1b[2J\\x00"),
     .exitStatus = 1},
    {.name = "NulInsideADate",
     .input = std::string("1\0 1 2000\n", 10),
     .output = kBanner + kJour + kJour + kEnd,
     .errors = dayNotANumber("1\\x00"),
     .exitStatus = 1},
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const BadInput& c, std::ostream* os) {
  *os << c.name;
}

class Catalogue : public testing::TestWithParam<BadInput> {};

TEST_P(Catalogue, OutputMessagesAndStatusAreAsStated) {
  const BadInput& c = GetParam();
  const Transcript run = runProgram(c.input);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.killedBy, 0);
  EXPECT_EQ(run.exitStatus, c.exitStatus);
  EXPECT_EQ(run.output, c.output);
  EXPECT_EQ(run.errors, c.errors);
}

INSTANTIATE_TEST_SUITE_P(BadInput, Catalogue, testing::ValuesIn(kCatalogue),
                         [](const testing::TestParamInfo<BadInput>& tested) {
                           return std::string(tested.param.name);
                         });
}  // namespace
