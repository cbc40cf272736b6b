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
const std::string kBanner = "Version 2.2\n\n";
const std::string kJour = "Jour : ";
const std::string kMois = "Mois : ";
const std::string kAnnee = "Annee : ";
const std::string kAll = kJour + kMois + kAnnee;
const std::string kEnd = "\n";  // the line end written at the end of input

const std::string kDayNotANumber = "Saisie invalide : le jour doit etre un nombre.\n";
const std::string kDayTooLarge = "Saisie invalide : le jour est trop grand.\n";
const std::string kMonthNotAnInteger = "Saisie invalide : le mois doit etre un nombre entier.\n";
const std::string kMonthTooLarge = "Saisie invalide : le mois depasse les entiers sur 32 bits.\n";
const std::string kYearNotAnInteger = "Saisie invalide : l'annee doit etre un nombre entier.\n";
const std::string kYearTooLarge = "Saisie invalide : l'annee depasse les entiers sur 32 bits.\n";
const std::string kMonthBelowOne = "Mois invalide : le mois doit valoir au moins 1.\n";
const std::string kKeyOverflow =
    "Date invalide : annee x 10000 + mois x 100 depasse les entiers sur 32 bits.\n";

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
  std::string errors;
  int exitStatus;
};

// A report from tests/golden.
std::string report(const char* name) {
  return golden(std::string("report_") + name + ".txt");
}

const BadInput kCatalogue[] = {
    // End of input: a line end after the last prompt, status 0, no report
    // for a date left incomplete.
    {"EmptyInput", "", kBanner + kJour + kEnd, "", 0},
    {"EndAtDayAfterBlankLines", " \n\t\n\n", kBanner + kJour + kEnd, "", 0},
    {"EndAtMonth", "15\n", kBanner + kJour + kMois + kEnd, "", 0},
    {"EndAtYear", "15 4\n", kBanner + kAll + kEnd, "", 0},
    {"EndOfInputCutsTheYearShort", "15 4 -", kBanner + kAll + kEnd, "", 0},
    {"EndAfterCompleteDateWithoutLineEnd", "1.5 1 2000",
     kBanner + kAll + report("2000") + kJour + kEnd, "", 0},
    {"EndAfterCompleteDate", "1.5 1 2000\n", kBanner + kAll + report("2000") + kJour + kEnd, "", 0},

    // Not a number: one message, the line dropped, the date asked again.
    {"LettersAsDay", "abc 1 2000\n1.5 1 2000\n",
     kBanner + kJour + kAll + report("2000") + kJour + kEnd, kDayNotANumber, 0},
    {"LettersAsMonth", "1 janvier 2000\n", kBanner + kJour + kMois + kJour + kEnd,
     kMonthNotAnInteger, 0},
    {"LettersAsYear", "1 1 deux-mille\n", kBanner + kAll + kJour + kEnd, kYearNotAnInteger, 0},
    {"DecimalCommaLeavesCommaForMonth", "15,5\n", kBanner + kJour + kMois + kJour + kEnd,
     kMonthNotAnInteger, 0},
    {"FractionalMonth", "1 1.5 2000\n", kBanner + kJour + kMois + kAnnee + kJour + kEnd,
     kYearNotAnInteger, 0},
    {"NanAsDay", "nan 1 2000\n", kBanner + kJour + kJour + kEnd, kDayNotANumber, 0},
    {"InfAsDay", "inf 1 2000\n", kBanner + kJour + kJour + kEnd, kDayNotANumber, 0},
    {"MinusInfinityAsDay", "-infinity 1 2000\n", kBanner + kJour + kJour + kEnd, kDayNotANumber, 0},
    {"NanAsMonth", "1 nan 2000\n", kBanner + kJour + kMois + kJour + kEnd, kMonthNotAnInteger, 0},

    // Line ends of another system are blanks like any other.
    {"CarriageReturnLineEnds", "1.5\r\n1\r\n2000\r\n",
     kBanner + kAll + report("2000") + kJour + kEnd, "", 0},

    // Months below 1 are refused; the rest of their line goes with them.
    {"MonthZero", "1 0 2000\n", kBanner + kJour + kMois + kJour + kEnd, kMonthBelowOne, 0},
    {"MonthMinusThree", "1 -3 2000 1.5 1 2000\n1.5 1 2000\n",
     kBanner + kJour + kMois + kAll + report("2000") + kJour + kEnd, kMonthBelowOne, 0},

    // The calendar key year * 10000 + month * 100 must fit in 32 bits.
    {"Year214749", "1 1 214749\n", kBanner + kAll + kJour + kEnd, kKeyOverflow, 0},
    {"YearMinus2147483648", "1 1 -2147483648\n", kBanner + kAll + kJour + kEnd, kKeyOverflow, 0},
    {"MonthLargeEnoughToOverflowTheKey", "1 2147483647 0\n", kBanner + kAll + kJour + kEnd,
     kKeyOverflow, 0},

    // Integers beyond 32 bits, either way.
    {"MonthBeyond32Bits", "1 4294967297 2000\n", kBanner + kJour + kMois + kJour + kEnd,
     kMonthTooLarge, 0},
    {"NegativeMonthBeyond32Bits", "1 -2147483649 2000\n", kBanner + kJour + kMois + kJour + kEnd,
     kMonthTooLarge, 0},
    {"YearBeyond32Bits", "1 1 2147483648\n", kBanner + kAll + kJour + kEnd, kYearTooLarge, 0},
    {"NegativeYearBeyond64Bits", "1 1 -99999999999999999999999\n", kBanner + kAll + kJour + kEnd,
     kYearTooLarge, 0},

    // Days far outside any calendar are still dates: the report says that
    // no position can be computed. Beyond the range of a double they are
    // refused.
    {"Day1e300", "1e300 1 2000\n", kBanner + kAll + report("day_1e300") + kJour + kEnd, "", 0},
    {"DayMinus1e300", "-1e300 1 2000\n", kBanner + kAll + report("day_minus_1e300") + kJour + kEnd,
     "", 0},
    {"Day1e999", "1e999 1 2000\n", kBanner + kJour + kJour + kEnd, kDayTooLarge, 0},
    {"DayMinus1e999", "-1e999 1 2000\n", kBanner + kJour + kJour + kEnd, kDayTooLarge, 0},

    // A line of 1 MB: one message for the whole line, then the next date.
    {"MegabyteOfLetters", kMegabyte + "\n1.5 1 2000\n",
     kBanner + kJour + kAll + report("2000") + kJour + kEnd, kDayNotANumber, 0},
    {"MegabyteOfDigits", std::string(1 << 20, '7') + "\n1.5 1 2000\n",
     kBanner + kJour + kAll + report("2000") + kJour + kEnd, kDayTooLarge, 0},
    {"MegabyteOfBlanksBeforeADate", std::string(1 << 20, ' ') + "1.5 1 2000\n",
     kBanner + kAll + report("2000") + kJour + kEnd, "", 0},

    // Binary bytes. All 256 byte values in order: the NUL starts a bad line
    // ending at byte 10; bytes 11 to 13 are blanks; byte 14 starts a second
    // bad line that runs to the end of the input.
    {"EveryByteValue", allBytes(), kBanner + kJour + kJour + kJour + kEnd,
     kDayNotANumber + kDayNotANumber, 0},
    {"BinaryLineThenADate", std::string("\x00\xff\xfe\x80\x1b[2J", 9) + "\n1.5 1 2000\n",
     kBanner + kJour + kAll + report("2000") + kJour + kEnd, kDayNotANumber, 0},
    {"NulInsideADate", std::string("1\0 1 2000\n", 10), kBanner + kJour + kMois + kJour + kEnd,
     kMonthNotAnInteger, 0},
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
                         [](const testing::TestParamInfo<BadInput>& info) {
                           return std::string(info.param.name);
                         });
}  // namespace
