// The Moon against the two worked examples, its series tables, and the
// illuminated fraction over many dates.
#include "astro/moon.h"

#include <cmath>
#include <iterator>
#include <string_view>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

constexpr double kSeventhDecimal = 0.0005 * kArcsec;  // degrees quoted to 1e-7

Prelude preludeAt(std::int32_t year, std::int32_t month, double day) {
  return computePrelude(timeBaseOf(year, month, day).t);
}

TEST(Moon, NoonFirstJanuary2000StepByStep) {
  const Prelude prelude = preludeAt(2000, 1, 1.5);
  EXPECT_NEAR(prelude.obliquity, 0.4090926166, 1e-10 * kRadian);
  EXPECT_NEAR(prelude.sunLongitude, -1.3896054576, 1e-10 * kRadian);
  const MoonSteps s = moonSteps(prelude);
  const double deg = kDegree;
  expectAll({
      {"L' reduced", s.reduced.meanLongitude * deg, 218.3161329 * deg, kSeventhDecimal},
      {"M reduced", s.reduced.sunAnomaly * deg, 357.5254797 * deg, kSeventhDecimal},
      {"M' reduced", s.reduced.moonAnomaly * deg, 134.9629144 * deg, kSeventhDecimal},
      {"D reduced", s.reduced.meanElongation * deg, 297.8502519 * deg, kSeventhDecimal},
      {"F reduced", s.reduced.latitudeArg * deg, 93.2727777 * deg, kSeventhDecimal},
      {"Omega reduced", s.reduced.node * deg, -234.9566448 * deg, kSeventhDecimal},
      {"Omega in radians", s.nodeRadians, -4.1007671 * kRadian, 1e-7 * kRadian},
      {"L' corrected", s.corrected.meanLongitude * deg, 218.3214145 * deg, kSeventhDecimal},
      {"M corrected", s.corrected.sunAnomaly * deg, 357.5237946 * deg, kSeventhDecimal},
      {"M' corrected", s.corrected.moonAnomaly * deg, 134.9692219 * deg, kSeventhDecimal},
      {"D corrected", s.corrected.meanElongation * deg, 297.8572186 * deg, kSeventhDecimal},
      {"F corrected", s.corrected.latitudeArg * deg, 93.2533633 * deg, kSeventhDecimal},
      {"E", s.eccentricityFactor, 0.99749748, 1e-8},
      {"lambda", s.longitude * deg, 223.3177079 * deg, kSeventhDecimal},
      {"B", s.latitudeSum * deg, 5.1702109 * deg, kSeventhDecimal},
      {"omega1", s.omega1, -0.0002678051, 5e-11},
      {"omega2", s.omega2, 0.0000595830, 5e-11},
      {"beta", s.latitude * deg, 5.1712875 * deg, kSeventhDecimal},
      {"p", s.parallax * deg, 0.9081252 * deg, kSeventhDecimal},
      {"distance", s.distance, 402.4288575 * kThousandKm, 1e-7 * kThousandKm},
      {"alpha, negative", s.equatorial.rightAscension, -2.4007659 * kRadian, 1e-7 * kRadian},
      {"delta", s.equatorial.declination, -0.1902308 * kRadian, 1e-7 * kRadian},
      {"d", s.elongationFromSun * deg, 57.2147161 * deg, kSeventhDecimal},
      {"i", s.phaseAngle * deg, 122.6667474 * deg, kSeventhDecimal},
      {"k", s.illumination, 0.2301241, 1e-7},
  });
}

TEST(Moon, BeforeTheEpochStepByStep) {
  const TimeBase time = timeBaseOf(1850, 6, 15.0);
  EXPECT_EQ(time.jd, 2396923.5);
  EXPECT_NEAR(time.t, -0.4954551677, 1e-10);
  const Prelude prelude = computePrelude(time.t);
  EXPECT_NEAR(prelude.obliquity, 0.4094322627, 1e-10 * kRadian);
  EXPECT_NEAR(prelude.sunLongitude, 1.4572526699, 1e-10 * kRadian);
  const MoonSteps s = moonSteps(prelude);
  const double deg = kDegree;
  expectAll({
      {"L' reduced, negative", s.reduced.meanLongitude * deg, -216.2258411 * deg, kSeventhDecimal},
      {"M reduced, negative", s.reduced.sunAnomaly * deg, -197.4394589 * deg, kSeventhDecimal},
      {"M' reduced, negative", s.reduced.moonAnomaly * deg, -334.5289413 * deg, kSeventhDecimal},
      {"D reduced, negative", s.reduced.meanElongation * deg, -299.1556010 * deg, kSeventhDecimal},
      {"F reduced, negative", s.reduced.latitudeArg * deg, -353.6902749 * deg, kSeventhDecimal},
      {"Omega reduced", s.reduced.node * deg, 137.4644338 * deg, kSeventhDecimal},
      {"E", s.eccentricityFactor, 1.0012343147, 1e-10},
      {"lambda", s.longitude * deg, -211.6542215 * deg, kSeventhDecimal},
      {"beta", s.latitude * deg, 1.1012519 * deg, kSeventhDecimal},
      {"p", s.parallax * deg, 0.9934603 * deg, kSeventhDecimal},
      {"distance", s.distance, 367.8645552 * kThousandKm, 1e-7 * kThousandKm},
      {"alpha", s.equatorial.rightAscension, 2.6337245 * kRadian, 1e-7 * kRadian},
      {"delta", s.equatorial.declination, 0.2284887 * kRadian, 1e-7 * kRadian},
      {"d", s.elongationFromSun * deg, 64.8563191 * deg, kSeventhDecimal},
      {"i", s.phaseAngle * deg, 115.0132755 * deg, kSeventhDecimal},
      {"k", s.illumination, 0.2885859, 1e-7},
  });
}

// The Factor column of the three published tables: '-' none, 'E' once,
// '2' twice. The code derives the factor from the multiple of M instead.
struct FactorColumn {
  const char* table;
  const MoonTerm* terms;
  std::size_t count;
  std::string_view column;
};

TEST(MoonSeries, EccentricityFactorFollowsTheMultipleOfM) {
  const FactorColumn columns[] = {
      {"longitude", kMoonLongitudeSeries, std::size(kMoonLongitudeSeries),
       "----E--E-EE-E------EE-EE---E-E-2E22--E--EE22EE--E-"},
      {"latitude", kMoonLatitudeSeries, std::size(kMoonLatitudeSeries),
       "----------E--EEEEE-E-E-EEE--------E----EE-E2-"},
      {"parallax", kMoonParallaxSeries, std::size(kMoonParallaxSeries),
       "-----EEE-E---E--E--EEEE---E2-E"},
  };
  for (const FactorColumn& c : columns) {
    ASSERT_EQ(c.count, c.column.size()) << c.table;
    for (std::size_t row = 0; row < c.count; ++row) {
      const int published = c.column[row] == '-' ? 0 : c.column[row] == 'E' ? 1 : 2;
      EXPECT_EQ(eccentricityPower(c.terms[row]), published) << c.table << " row " << row + 1;
    }
  }
}

TEST(MoonIllumination, StaysAFractionOverTwoCenturies) {
  double lowest = 1.0;
  double highest = 0.0;
  for (double day = 1.0; day < 365.25 * 200; day += 1.37) {
    const double k = computeBody(Body::Moon, CalendarDate{1900, 1, day}).illumination;
    ASSERT_GE(k, 0.0) << day;
    ASSERT_LE(k, 1.0) << day;
    lowest = std::fmin(lowest, k);
    highest = std::fmax(highest, k);
  }
  EXPECT_LT(lowest, 0.01);
  EXPECT_GT(highest, 0.99);
}

struct PhaseCase {
  std::int32_t year;
  std::int32_t month;
  double day;  // instant of the phase, UT, from published lunar phase tables
  double expected;
  const char* phase;
};

TEST(MoonIllumination, NewAndFullMoon) {
  const PhaseCase cases[] = {
      {2000, 1, 6.76, 0.0, "new Moon, 6 January 2000 18:14"},
      {2000, 1, 21.19, 1.0, "full Moon, 21 January 2000 04:40"},
      {2024, 4, 8.77, 0.0, "new Moon, 8 April 2024 18:21"},
      {2024, 4, 23.98, 1.0, "full Moon, 23 April 2024 23:49"},
  };
  for (const PhaseCase& c : cases) {
    EXPECT_NEAR(computeBody(Body::Moon, CalendarDate{c.year, c.month, c.day}).illumination,
                c.expected, 0.01)
        << c.phase;
  }
}

TEST(MoonIllumination, WaxingAndWaningAlike) {
  // Three days either side of the new Moon of 6 January 2000 the elongations
  // are nearly the same, and so are the fractions: the phase does not tell
  // a waxing from a waning Moon.
  const double before = computeBody(Body::Moon, CalendarDate{2000, 1, 3.76}).illumination;
  const double after = computeBody(Body::Moon, CalendarDate{2000, 1, 9.76}).illumination;
  EXPECT_NEAR(before, after, 0.02);
  EXPECT_GT(before, 0.05);
}

}  // namespace
