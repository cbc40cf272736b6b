// The sexagesimal printers: cut fields, sign column, wrapping by turns.
#include "frontend/write/sexagesimal.h"

#include <cmath>
#include <limits>
#include <string>

#include "astro/astro.h"
#include "units.h"

namespace {
using frontend::appendDeclination;
using frontend::appendRightAscension;

constexpr double PI = astro::kPi;

std::string rightAscension(double angle) {
  std::string out;
  appendRightAscension(out, angle);
  return out;
}

std::string declination(double angle) {
  std::string out;
  appendDeclination(out, angle);
  return out;
}

struct PrintCase {
  double angle;  // radians
  const char* printed;
  const char* why;
};

// The decimal PI of the program, so that whole turns print exactly.
constexpr double kHour = PI / 12;
constexpr double kProgramDegree = PI / 180;

TEST(PrintRightAscension, CutFieldsAndWholeTurns) {
  const PrintCase cases[] = {
      {0.0, " 0h  0m  0s", "zero"},
      {PI, "12h  0m  0s", "half a turn"},
      {-PI / 2, "18h  0m  0s", "negative, raised by a turn"},
      {2 * PI, "24h  0m  0s", "a whole turn stays"},
      {2 * PI + 1e-9, " 0h  0m  0s", "just above a turn wraps"},
      {-0.000000001, "23h 59m 59s", "small negative angle"},
      {(5 + 3.0 / 60 + 7.5 / 3600) * kHour, " 5h  3m  7s", "seconds are cut"},
      {-2 * PI + 1e-9, " 0h  0m  0s", "near minus a turn"},
  };
  for (const PrintCase& c : cases) {
    EXPECT_EQ(rightAscension(c.angle), c.printed) << c.why;
  }
}

TEST(PrintDeclination, CutFieldsSignColumnAndHalfTurns) {
  const PrintCase cases[] = {
      {0.0, "  0 deg  0'", "zero"},
      {-0.51 * kProgramDegree, "- 0 deg 30'", "sign kept below one degree"},
      {0.51 * kProgramDegree, "  0 deg 30'", "positive below one degree"},
      {23.44 * kProgramDegree, " 23 deg 26'", "obliquity, north"},
      {-23.44 * kProgramDegree, "-23 deg 26'", "obliquity, south"},
      {-1e-12, "- 0 deg  0'", "tiny negative"},
      {PI, " 180 deg  0'", "half a turn takes three digits"},
      {PI + 1e-12, "-179 deg 59'", "just above half a turn becomes negative"},
  };
  for (const PrintCase& c : cases) {
    EXPECT_EQ(declination(c.angle), c.printed) << c.why;
  }
}

TEST(AnglePrinters, AnyDoubleFillsElevenColumnsWithoutNanOrInf) {
  // Huge angles, for which adding a turn changes nothing, and values that
  // are not numbers must neither hang nor print "nan" or "inf".
  const double cases[] = {1e300,
                          -1e300,
                          1e17,
                          std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::lowest(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::denorm_min()};
  for (const double angle : cases) {
    const std::string ra = rightAscension(angle);
    const std::string dec = declination(angle);
    EXPECT_EQ(ra.size(), 11u) << angle << ": " << ra;
    EXPECT_EQ(dec.size(), 11u) << angle << ": " << dec;
    EXPECT_EQ((ra + dec).find_first_of("ai"), std::string::npos) << angle << ": " << ra << dec;
  }
}

}  // namespace
