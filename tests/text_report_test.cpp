// The report's number formats and header line.
#include "frontend/write/text_report.h"

#include <string>
#include <vector>

#include "frontend/write/numbers.h"
#include "units.h"

namespace {
using frontend::appendReport;
using frontend::cutDistance;
using frontend::illuminatedPercent;

struct FieldCase {
  double value;
  const char* printed;
  const char* why;
};

// The distance column: cut to four decimals, then five significant digits
// in a field of six.
TEST(ReportFields, Distance) {
  const FieldCase cases[] = {
      {0.98327, "0.9832", "cut, not rounded"},
      {1.5, "   1.5", "trailing zeros dropped"},
      {19.99996, "    20", "cut to 19.9999, then rounded to five digits"},
      {384.4056, "384.41", "lunar distance, two decimals"},
      {1.0, "     1", "whole number"},
      {402.4288575, "402.43", "the Moon on 1 January 2000"},
      {31.0243774, "31.024", "Neptune on 1 January 2000"},
  };
  for (const FieldCase& c : cases) {
    std::string printed;
    frontend::appendGeneral(printed, cutDistance(c.value), 5, 6);
    EXPECT_EQ(printed, c.printed) << c.why;
  }
}

TEST(ReportFields, DistanceCutInExtendedPrecision) {
  // 5801 * 0.0001 in double precision is 0.5801000000000001; with the
  // product in extended precision it is the double nearest 0.5801.
  EXPECT_EQ(cutDistance(0.58015), 0.5801);
  EXPECT_EQ(cutDistance(0.98327), 0.9832);
  EXPECT_EQ(cutDistance(0.12345), 0.1234);
}

TEST(ReportFields, IlluminatedPercent) {
  const FieldCase cases[] = {
      {0.5, "50", "half"}, {0.999, "99", "never rounded up"},   {1.0, "100", "full"},
      {0.004, "0", "new"}, {0.2301241, "23", "1 January 2000"},
  };
  for (const FieldCase& c : cases) {
    std::string printed;
    frontend::appendGeneral(printed, illuminatedPercent(c.value), 5);
    EXPECT_EQ(printed, c.printed) << c.why;
  }
}

std::string reportOf(const astro::CalendarDate& date) {
  std::string report;
  const frontend::DateEntry entry{date, {}};
  appendReport(report, {.entry = entry, .instant = astro::computeInstant(date)}, {});
  return report;
}

struct HeaderCase {
  astro::CalendarDate date;
  const char* header;
};

TEST(Report, HeaderLine) {
  const HeaderCase cases[] = {
      {{1987, 4, 10.0}, "10/4/1987  (Jour Julien : 2446895.5)  (Temps siderale : 13h 10m 46s)"},
      {{2000, 1, 1.5}, "1.5/1/2000  (Jour Julien : 2451545)  (Temps siderale : 18h 41m 50s)"},
      {{2000, 1, 1.0}, "1/1/2000  (Jour Julien : 2451544.5)  (Temps siderale :  6h 39m 52s)"},
      {{1800, 1, 1.0}, "1/1/1800  (Jour Julien : 2378496.5)  (Temps siderale :  6h 41m 36s)"},
      {{2000, 3, 15.75}, "15.75/3/2000  (Jour Julien : 2451619.25)  (Temps siderale : "},
      {{2000, 1, 1.6234567}, "1.6235/1/2000  (Jour Julien : 2451545.1235)  (Temps siderale : "},
  };
  for (const HeaderCase& c : cases) {
    const std::string report = reportOf(c.date);
    const std::string header = report.substr(0, report.find('\n'));
    EXPECT_EQ(header.substr(0, std::string(c.header).size()), c.header);
  }
}

TEST(Report, ShapeOfEveryReport) {
  // Header, rule, title, rule, nine rows, empty line; rules of 66 and a
  // title of 68 characters; the Moon's row alone carries a percentage.
  const std::string report = reportOf({1850, 6, 15.0});
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < report.size();) {
    const std::size_t end = report.find('\n', start);
    lines.push_back(report.substr(start, end - start));
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[1], std::string(66, '-'));
  EXPECT_EQ(lines[2].size(), 68u);
  EXPECT_EQ(lines[3], lines[1]);
  for (std::size_t row = 4; row < 13; ++row) {
    EXPECT_EQ(lines[row].find('%') != std::string::npos, row == 5) << lines[row];
    EXPECT_EQ(lines[row].substr(8, 4), "    ") << lines[row];
    EXPECT_EQ(lines[row][14], 'h') << lines[row];
    EXPECT_EQ(lines[row].substr(33, 5), " deg ") << lines[row];
  }
  EXPECT_EQ(lines[13], "");
}

TEST(Report, NoPositionWhereKeplersEquationDidNotConverge) {
  // In 81910 Jupiter's eccentricity polynomial is near -1 and Newton's
  // method runs out of corrections; the row says so instead of printing
  // whatever the last correction left.
  const std::string report = reportOf({81910, 1, 1.0});
  EXPECT_NE(report.find(" Jupiter    position incalculable pour cette date\n"), std::string::npos)
      << report;
  EXPECT_NE(report.find(" Saturne    "), std::string::npos);
}

}  // namespace
