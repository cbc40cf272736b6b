// Time with its scale: UT and TT kept apart, Delta T applied by TimeScale
// alone; the theory passed through to every position; the identifiers of
// the enums and floorDiv.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

constexpr double kSecond = 1.0 / 86400.0;  // days

// An instant of one scale is not an instant of the other, nor a bare number.
static_assert(!std::is_convertible_v<UT, TT>);
static_assert(!std::is_convertible_v<TT, UT>);
static_assert(!std::is_convertible_v<double, UT>);
static_assert(!std::is_convertible_v<double, TT>);
static_assert(!std::is_convertible_v<JulianDate, TT>);

TEST(TimeScale, ModelAgainstTheObservedDeltaT) {
  // Observed TT - UT1 (Astronomical Almanac): 63.83 s at 2000.0, 29.15 s at
  // 1950.0, read through the scale at those instants in UT and in TT.
  const TimeScale model;
  const struct {
    double jd;  // 0h of 1 January
    double observed;
  } cases[] = {{.jd = 2451544.5, .observed = 63.83}, {.jd = 2433282.5, .observed = 29.15}};
  for (const auto& c : cases) {
    EXPECT_NEAR(model.deltaT(UT{c.jd}), c.observed, 0.3) << c.jd;
    EXPECT_NEAR(model.deltaT(TT{c.jd}), c.observed, 0.3) << c.jd;
    EXPECT_NEAR((model.tt(UT{c.jd}).jd - c.jd) / kSecond, c.observed, 0.3) << c.jd;
    EXPECT_NEAR((c.jd - model.ut(TT{c.jd}).jd) / kSecond, c.observed, 0.3) << c.jd;
  }
}

TEST(TimeScale, UtAndTtAreInverse) {
  // The model is read at the instant given: the round trip is off by
  // Delta T's change over Delta T, as the header states.
  const struct {
    int year;
    double bound;  // seconds
  } cases[] = {{.year = -2000, .bound = 0.04},
               {.year = 1000, .bound = 0.0005},
               {.year = 1900, .bound = 0.0001},
               {.year = 2024, .bound = 0.0001},
               {.year = 3000, .bound = 0.0011}};
  const TimeScale model;
  for (const auto& c : cases) {
    const UT ut{julianDay({c.year, 6, 1.25})};
    EXPECT_NEAR(model.ut(model.tt(ut)).jd, ut.jd, c.bound * kSecond) << c.year;
    const TT tt{ut.jd};
    EXPECT_NEAR(model.tt(model.ut(tt)).jd, tt.jd, c.bound * kSecond) << c.year;
  }
  // A fixed Delta T is the same everywhere, and the trip back is exact to
  // the rounding of the Julian Day.
  const TimeScale fixed = TimeScale::fixed(69.2);
  for (const double jd : {0.0, 2451545.0, 2460676.5, 5e6}) {
    EXPECT_EQ(fixed.deltaT(UT{jd}), 69.2);
    EXPECT_EQ(fixed.deltaT(TT{jd}), 69.2);
    EXPECT_NEAR(fixed.tt(UT{jd}).jd - jd, 69.2 * kSecond, 1e-9);
    EXPECT_NEAR(fixed.ut(fixed.tt(UT{jd})).jd, jd, 1e-9);
  }
}

TEST(TimeScale, InstantsCarryBothScales) {
  const UT ut{julianDay({2024, 4, 8.75})};
  const TimeScale model;
  const Instant modelled = computeInstantUt(ut, model);
  EXPECT_EQ(modelled.ut.jd, ut.jd);
  EXPECT_EQ(modelled.tt.jd, model.tt(ut).jd);
  EXPECT_EQ(modelled.deltaT, model.deltaT(ut));
  // The same Delta T given fixed gives the same bits.
  const Instant fixed = computeInstantUt(ut, TimeScale::fixed(model.deltaT(ut)));
  EXPECT_EQ(fixed.tt.jd, modelled.tt.jd);
  EXPECT_EQ(fixed[Body::Moon].rightAscension, modelled[Body::Moon].rightAscension);
  // The sidereal time is UT's, the positions TT's: those of computeInstant
  // at each of the two.
  EXPECT_EQ(modelled.siderealTime, computeInstant(TT{ut.jd}).siderealTime);
  EXPECT_EQ(modelled[Body::Moon].declination, computeInstant(modelled.tt)[Body::Moon].declination);
  // The report's convention: one number for both.
  const Instant report = computeInstant(CalendarDate{2024, 4, 8.75});
  EXPECT_EQ(report.ut.jd, report.tt.jd);
  EXPECT_EQ(report.deltaT, 0.0);
  EXPECT_EQ(report.theory, Theory::Classic);
}

TEST(TimeScale, TheDayTakesDeltaTAtItsMiddle) {
  const UT start{julianDay({1700, 3, 1.0})};
  const Observer paris{48.85 * kDegree, 2.35 * kDegree, 0.0};
  const TimeScale model;
  const DayAlmanac day = dayAlmanac(start, model, paris, Refraction::None);
  const double middle = model.deltaT(UT{start.jd + 0.5});
  EXPECT_EQ(day.deltaT, middle);
  EXPECT_EQ(day.start.jd, start.jd);
  const DayAlmanac fixed = dayAlmanac(start, TimeScale::fixed(middle), paris, Refraction::None);
  EXPECT_EQ(day[Body::Moon].rise.ut.jd, fixed[Body::Moon].rise.ut.jd);
  EXPECT_EQ(day.civil.evening.ut.jd, fixed.civil.evening.ut.jd);
}

TEST(Theory, OneThatIsNoTheoryComputesNothing) {
  const auto none = static_cast<Theory>(200);
  const TT j2000{2451545.0};
  const Instant instant = computeInstant(j2000, none);
  EXPECT_EQ(instant.status, Status::NotComputable);
  EXPECT_EQ(instant[Body::Sun].status, Status::NotComputable);
  EXPECT_TRUE(std::isnan(instant[Body::Mars].rightAscension));
  EXPECT_EQ(computeBody(Body::Venus, j2000, none).status, Status::NotComputable);
  EXPECT_EQ(apparentPosition(Body::Sun, j2000, none).status, Status::NotComputable);
  EXPECT_EQ(findEvents(j2000, TT{j2000.jd + 40}, kAllEventKinds, none).status,
            Status::NotComputable);
  const DayAlmanac day =
      dayAlmanac(UT{j2000.jd}, TimeScale{}, {0.8, 0.0, 0.0}, Refraction::None, none);
  EXPECT_EQ(day.status, Status::NotComputable);
  EXPECT_EQ(day[Body::Sun].rise.outcome, EventOutcome::NotComputable);
  // The default is Classic, the same bits as naming it.
  EXPECT_EQ(computeInstant(j2000)[Body::Moon].rightAscension,
            computeInstant(j2000, Theory::Classic)[Body::Moon].rightAscension);
}

TEST(Identifiers, AsProgramsWriteThem) {
  // The words of the CSV and JSON columns and of the probes' files.
  const struct {
    std::string_view id;
    std::string_view expected;
  } cases[] = {
      {.id = statusId(Status::Computed), .expected = "computed"},
      {.id = statusId(Status::OutsideMeasuredSpan), .expected = "outside_measured_span"},
      {.id = statusId(Status::NotComputable), .expected = "not_computable"},
      {.id = statusId(Status::UnknownBody), .expected = "unknown_body"},
      {.id = sunSideId(SunSide::East), .expected = "east"},
      {.id = sunSideId(SunSide::West), .expected = "west"},
      {.id = sunSideId(SunSide::None), .expected = ""},
      {.id = magnitudeStatusId(MagnitudeStatus::Computed), .expected = "computed"},
      {.id = magnitudeStatusId(MagnitudeStatus::OutsideModelRange),
       .expected = "outside_model_range"},
      {.id = magnitudeStatusId(MagnitudeStatus::NotComputable), .expected = "not_computable"},
      {.id = theoryId(Theory::Classic), .expected = "classic"},
      {.id = theoryId(static_cast<Theory>(7)), .expected = ""},
      {.id = riseSetId(RiseSet::Rise), .expected = "rise"},
      {.id = riseSetId(RiseSet::Transit), .expected = "transit"},
      {.id = riseSetId(RiseSet::Set), .expected = "set"},
      {.id = riseSetId(static_cast<RiseSet>(3)), .expected = ""},
      {.id = searchOutcomeId(SearchOutcome::Found), .expected = "found"},
      {.id = searchOutcomeId(SearchOutcome::NotFound), .expected = "not_found"},
      {.id = searchOutcomeId(SearchOutcome::NotComputable), .expected = "not_computable"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.id, c.expected);
  }
}

TEST(FloorDiv, RoundsTowardMinusInfinity) {
  constexpr std::int64_t kLeast = std::numeric_limits<std::int64_t>::min();
  const struct {
    std::int64_t a;
    std::int64_t b;
    std::int64_t quotient;
  } cases[] = {
      {.a = 7, .b = 2, .quotient = 3},           {.a = -7, .b = 2, .quotient = -4},
      {.a = 7, .b = -2, .quotient = -4},         {.a = -7, .b = -2, .quotient = 3},
      {.a = -8, .b = 2, .quotient = -4},         {.a = 0, .b = 5, .quotient = 0},
      {.a = -1, .b = 86400, .quotient = -1},     {.a = -86400, .b = 86400, .quotient = -1},
      {.a = kLeast, .b = 1, .quotient = kLeast}, {.a = kLeast + 1, .b = 2, .quotient = kLeast / 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(floorDiv(c.a, c.b), c.quotient) << c.a << " / " << c.b;
  }
}

// The observed Delta T against TT - UT1 as the IERS measured it (the
// Astronomical Almanac's table; 2025 from the IERS Bulletin A's UT1 - UTC
// of +0.04 s): within the 0.9 s that UT1 - UTC is kept under.
TEST(ObservedDeltaT, AgainstTheMeasuredValues) {
  const struct {
    CalendarDate date;
    double measured;  // seconds
  } cases[] = {{{1980, 1, 1.0}, 50.54}, {{1990, 1, 1.0}, 56.86}, {{2000, 1, 1.0}, 63.83},
               {{2010, 1, 1.0}, 66.07}, {{2020, 1, 1.0}, 69.36}, {{2025, 1, 1.0}, 69.14}};
  const TimeScale observed = TimeScale::observed();
  for (const auto& c : cases) {
    const UT ut{julianDay(c.date)};
    EXPECT_NEAR(observed.deltaT(ut), c.measured, 0.9) << c.date.year;
    // Closer than the polynomials from 2010 on, where they run ahead.
    if (c.date.year >= 2010) {
      EXPECT_LT(std::fabs(observed.deltaT(ut) - c.measured),
                std::fabs(TimeScale{}.deltaT(ut) - c.measured))
          << c.date.year;
    }
  }
}

// A leap second moves Delta T by a second on the day it is added: 36 s of
// TAI - UTC on 31 December 2016, 37 s from 1 January 2017 (32.184 s more).
TEST(ObservedDeltaT, LeapSecondsOnTheirDay) {
  EXPECT_NEAR(observedDeltaT(JulianDate{julianDay({2016, 12, 31.99})}), 68.184, 1e-9);
  EXPECT_NEAR(observedDeltaT(JulianDate{julianDay({2017, 1, 1.01})}), 69.184, 1e-9);
  EXPECT_NEAR(observedDeltaT(JulianDate{julianDay({1972, 1, 1.5})}), 42.184, 1e-9);
  EXPECT_NEAR(observedDeltaT(JulianDate{julianDay({1972, 7, 1.5})}), 43.184, 1e-9);
}

// No jump where the observed era meets the polynomials: at 1968 and 1972
// before it, at 2026 and 2036 after, the values a millisecond of a year
// apart differ by no more than the polynomial's change in that time; and
// outside the blends it is the polynomial itself.
TEST(ObservedDeltaT, ContinuousAtEachJoint) {
  const double joints[] = {kObservedDeltaTStart - kDeltaTBlendBefore, kObservedDeltaTStart,
                           kObservedDeltaTEnd, kObservedDeltaTEnd + kDeltaTBlendAfter};
  const auto at = [](double year) {
    return observedDeltaT(JulianDate{2451544.5 + (year - 2000.0) * 365.2425});
  };
  for (const double joint : joints) {
    EXPECT_NEAR(at(joint - 1e-6), at(joint + 1e-6), 1e-4) << joint;
  }
  for (const double year : {1620.0, 1900.0, 1967.9, 2036.1, 2100.0, 3000.0}) {
    EXPECT_NEAR(at(year), deltaT(year), 1e-6) << year;
  }
  EXPECT_TRUE(std::isnan(observedDeltaT(JulianDate{std::nan("")})));
}

TEST(ObservedDeltaT, TheScaleOfEachModel) {
  const UT ut{julianDay({2025, 3, 20.0})};
  EXPECT_EQ(TimeScale::model(DeltaTModel::EspenakMeeus).deltaT(ut), TimeScale{}.deltaT(ut));
  EXPECT_EQ(TimeScale::model(DeltaTModel::Observed).deltaT(ut), 69.184);
  EXPECT_EQ(TimeScale::observed().tt(ut).jd, ut.jd + 69.184 / 86400.0);
  const TimeScale observed = TimeScale::observed();
  EXPECT_NEAR(observed.ut(observed.tt(ut)).jd, ut.jd, 1e-4 * kSecond);
  // A fixed Delta T is left as it is.
  EXPECT_EQ(TimeScale::fixed(60.0).deltaT(ut), 60.0);
}

}  // namespace
