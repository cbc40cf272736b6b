// searchRiseSet: a body's next rise, transit or set after an instant,
// against times computed from ERFA, against dayAlmanac's day, and across
// the days a body does not rise.
#include <cmath>
#include <cstddef>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

constexpr double kSecond = 1.0 / 86400.0;  // days

Observer place(double latitude, double longitude, double height = 0) {
  return Observer{latitude * kDegree, longitude * kDegree, height};
}

const Observer kParis = place(48.8566, 2.3522, 35);
const Observer kSydney = place(-33.8688, 151.2093);
const Observer kQuito = place(-0.1807, -78.4678, 2850);

struct ErfaCase {
  const char* where;
  Observer observer;
  double dayStart;  // UT, 0h
  double deltaT;    // seconds
  Body body;
  RiseSet event;
  double expected;  // UT
  double tolerance;
};

// The same definitions computed from ERFA (tools/accuracy/observer.py's
// reference: epv00, moon98 and plan94 turned by pmat06 to the mean equator
// of date, the sidereal time of gmst06, the place on the ellipsoid, each
// crossing bisected to 0.01 s), for the first event after 0h UT. The
// tolerances are those of docs/accuracy.md: 3 s for the Sun and the Moon,
// more for Mars and Saturn, whose theory errs by arcminutes.
const ErfaCase kErfa[] = {
    {.where = "Paris, March equinox 2024",
     .observer = kParis,
     .dayStart = 2460389.5,
     .deltaT = 69,
     .body = Body::Sun,
     .event = RiseSet::Rise,
     .expected = 2460389.744936360,
     .tolerance = 3 * kSecond},
    {.where = "Paris, March equinox 2024",
     .observer = kParis,
     .dayStart = 2460389.5,
     .deltaT = 69,
     .body = Body::Sun,
     .event = RiseSet::Transit,
     .expected = 2460389.998556614,
     .tolerance = 3 * kSecond},
    {.where = "Paris, March equinox 2024",
     .observer = kParis,
     .dayStart = 2460389.5,
     .deltaT = 69,
     .body = Body::Sun,
     .event = RiseSet::Set,
     .expected = 2460390.252814770,
     .tolerance = 3 * kSecond},
    {.where = "Paris, March equinox 2024",
     .observer = kParis,
     .dayStart = 2460389.5,
     .deltaT = 69,
     .body = Body::Moon,
     .event = RiseSet::Rise,
     .expected = 2460390.036457327,
     .tolerance = 3 * kSecond},
    {.where = "Paris, March equinox 2024",
     .observer = kParis,
     .dayStart = 2460389.5,
     .deltaT = 69,
     .body = Body::Moon,
     .event = RiseSet::Set,
     .expected = 2460389.688917319,
     .tolerance = 3 * kSecond},
    {.where = "Paris, June solstice 2024",
     .observer = kParis,
     .dayStart = 2460482.5,
     .deltaT = 69,
     .body = Body::Sun,
     .event = RiseSet::Rise,
     .expected = 2460482.657688406,
     .tolerance = 3 * kSecond},
    {.where = "Paris, December solstice 2024",
     .observer = kParis,
     .dayStart = 2460665.5,
     .deltaT = 69,
     .body = Body::Mars,
     .event = RiseSet::Rise,
     .expected = 2460666.264999760,
     .tolerance = 10 * kSecond},
    {.where = "Sydney, January 2025",
     .observer = kSydney,
     .dayStart = 2460690.5,
     .deltaT = 69,
     .body = Body::Sun,
     .event = RiseSet::Rise,
     .expected = 2460691.292151398,
     .tolerance = 3 * kSecond},
    {.where = "Sydney, January 2025",
     .observer = kSydney,
     .dayStart = 2460690.5,
     .deltaT = 69,
     .body = Body::Moon,
     .event = RiseSet::Rise,
     .expected = 2460690.931806511,
     .tolerance = 3 * kSecond},
    {.where = "Quito, 2000 January 1",
     .observer = kQuito,
     .dayStart = 2451544.5,
     .deltaT = 63.8,
     .body = Body::Sun,
     .event = RiseSet::Rise,
     .expected = 2451544.967527548,
     .tolerance = 3 * kSecond},
    {.where = "Quito, 2000 January 1",
     .observer = kQuito,
     .dayStart = 2451544.5,
     .deltaT = 63.8,
     .body = Body::Moon,
     .event = RiseSet::Transit,
     .expected = 2451545.058569325,
     .tolerance = 3 * kSecond},
    {.where = "Quito, 2000 January 1",
     .observer = kQuito,
     .dayStart = 2451544.5,
     .deltaT = 63.8,
     .body = Body::Saturn,
     .event = RiseSet::Rise,
     .expected = 2451545.294304265,
     .tolerance = 10 * kSecond},
};

TEST(SearchRiseSet, AgainstErfa) {
  for (const ErfaCase& c : kErfa) {
    const RiseSetTime found = searchRiseSet(c.body, c.observer, UT{c.dayStart}, c.event, 1.0,
                                            TimeScale::fixed(c.deltaT), Refraction::None);
    ASSERT_EQ(found.outcome, SearchOutcome::Found) << c.where << " " << bodyId(c.body);
    EXPECT_EQ(found.status, Status::Computed);
    EXPECT_NEAR(found.ut.jd, c.expected, c.tolerance)
        << c.where << ", " << bodyId(c.body) << " " << riseSetId(c.event);
  }
}

// A search from a day's start over one day finds the almanac's first event
// of that day, to the bit, and nothing where the almanac has none; at the
// polar circle and beyond as well.
TEST(SearchRiseSet, TheDayOfTheAlmanac) {
  const Observer places[] = {kParis, kSydney, place(66.5, 25), place(78.2, 15.6)};
  const TimeScale scale;
  const double first = julianDay({2025, 5, 1.0});
  for (int d = 0; d < 30; d += 3) {
    const UT start{first + d};
    for (const Observer& o : places) {
      const DayAlmanac day = dayAlmanac(start, scale, o, Refraction::Standard);
      for (const Body body : kBodies) {
        const DayEvent* events[] = {&day[body].rise, &day[body].transit, &day[body].set};
        for (const RiseSet event : {RiseSet::Rise, RiseSet::Transit, RiseSet::Set}) {
          const DayEvent& expected = *events[static_cast<std::size_t>(event)];
          const RiseSetTime found = searchRiseSet(body, o, start, event, 1.0, scale);
          const auto where = [&] {
            return testing::Message() << bodyId(body) << " " << riseSetId(event) << " on day " << d
                                      << " at latitude " << o.latitude / kDegree;
          };
          if (expected.outcome == EventOutcome::Occurs) {
            ASSERT_EQ(found.outcome, SearchOutcome::Found) << where();
            EXPECT_EQ(found.ut.jd, expected.ut.jd) << where();
            EXPECT_EQ(found.altitude, expected.altitude) << where();
            EXPECT_EQ(found.azimuth, expected.azimuth) << where();
          } else {
            EXPECT_EQ(found.outcome, SearchOutcome::NotFound) << where();
            EXPECT_TRUE(std::isnan(found.ut.jd)) << where();
          }
        }
      }
    }
  }
}

// The next event comes after the instant given: a second after sunrise,
// the next sunrise is the next day's, a day less the morning's drift of
// minutes; a second before it, that sunrise again.
TEST(SearchRiseSet, TheNextOneAfterTheInstant) {
  const TimeScale scale = TimeScale::fixed(69);
  const RiseSetTime today =
      searchRiseSet(Body::Sun, kParis, UT{2460389.5}, RiseSet::Rise, 1.0, scale);
  ASSERT_EQ(today.outcome, SearchOutcome::Found);
  const RiseSetTime tomorrow =
      searchRiseSet(Body::Sun, kParis, UT{today.ut.jd + kSecond}, RiseSet::Rise, 2.0, scale);
  ASSERT_EQ(tomorrow.outcome, SearchOutcome::Found);
  // Near the equinox the Sun rises 2.1 minutes earlier each day in Paris:
  // on 21 March at this time from ERFA, as in the table above.
  EXPECT_NEAR(tomorrow.ut.jd, 2460390.743475437, 3 * kSecond);
  const RiseSetTime again =
      searchRiseSet(Body::Sun, kParis, UT{today.ut.jd - kSecond}, RiseSet::Rise, 1.0, scale);
  ASSERT_EQ(again.outcome, SearchOutcome::Found);
  EXPECT_NEAR(again.ut.jd, today.ut.jd, 1 * kSecond);
  // A limit that ends before it finds nothing.
  EXPECT_EQ(searchRiseSet(Body::Sun, kParis, UT{2460389.5}, RiseSet::Rise, 0.2, scale).outcome,
            SearchOutcome::NotFound);
}

// The day without a moonrise: the search goes on to the next day's.
TEST(SearchRiseSet, AcrossTheDayWithoutAMoonrise) {
  const TimeScale scale = TimeScale::fixed(69);
  const double first = julianDay({2024, 3, 1.0});
  int skipped = -1;
  for (int d = 0; d < 29 && skipped < 0; ++d) {
    if (dayAlmanac(UT{first + d}, scale, kParis, Refraction::None)[Body::Moon].rise.outcome ==
        EventOutcome::NotThisDay) {
      skipped = d;
    }
  }
  ASSERT_GE(skipped, 0);
  const UT day{first + skipped};
  const RiseSetTime found =
      searchRiseSet(Body::Moon, kParis, day, RiseSet::Rise, 3.0, scale, Refraction::None);
  const DayEvent next =
      dayAlmanac(UT{day.jd + 1}, scale, kParis, Refraction::None)[Body::Moon].rise;
  ASSERT_EQ(found.outcome, SearchOutcome::Found);
  EXPECT_EQ(found.ut.jd, next.ut.jd);
}

// Tromso's polar night, published as lasting from 27 November to 15
// January: the Sun's last setting on 26 November, its first rising on 15
// January 2025, found from 1 December with a limit long enough.
TEST(SearchRiseSet, TheEndOfThePolarNight) {
  const Observer tromso = place(69.6492, 18.9553);
  const UT december{julianDay({2024, 12, 1.0})};
  EXPECT_EQ(searchRiseSet(Body::Sun, tromso, december, RiseSet::Rise, 30).outcome,
            SearchOutcome::NotFound);
  const RiseSetTime rise = searchRiseSet(Body::Sun, tromso, december, RiseSet::Rise, 60);
  ASSERT_EQ(rise.outcome, SearchOutcome::Found);
  EXPECT_GE(rise.ut.jd, julianDay({2025, 1, 15.0}));
  EXPECT_LT(rise.ut.jd, julianDay({2025, 1, 16.0}));
  EXPECT_EQ(
      searchRiseSet(Body::Sun, tromso, UT{julianDay({2024, 11, 26.0})}, RiseSet::Set, 1).outcome,
      SearchOutcome::Found);
  EXPECT_EQ(
      searchRiseSet(Body::Sun, tromso, UT{julianDay({2024, 11, 27.0})}, RiseSet::Set, 1).outcome,
      SearchOutcome::NotFound);
}

TEST(SearchRiseSet, NothingFromUnusableInput) {
  const double nan = std::nan("");
  const double start = julianDay({2024, 1, 1.0});
  const struct {
    const char* what;
    RiseSetTime found;
    SearchOutcome outcome;
    Status status;
  } cases[] = {
      {.what = "latitude NaN",
       .found = searchRiseSet(Body::Sun, place(nan, 0), UT{start}, RiseSet::Rise, 1),
       .outcome = SearchOutcome::NotComputable,
       .status = Status::NotComputable},
      {.what = "instant NaN",
       .found = searchRiseSet(Body::Sun, kParis, UT{nan}, RiseSet::Rise, 1),
       .outcome = SearchOutcome::NotComputable,
       .status = Status::NotComputable},
      {.what = "limit infinite",
       .found = searchRiseSet(Body::Sun, kParis, UT{start}, RiseSet::Rise, INFINITY),
       .outcome = SearchOutcome::NotComputable,
       .status = Status::NotComputable},
      {.what = "no RiseSet",
       .found = searchRiseSet(Body::Sun, kParis, UT{start}, static_cast<RiseSet>(3), 1),
       .outcome = SearchOutcome::NotComputable,
       .status = Status::NotComputable},
      {.what = "no Body",
       .found = searchRiseSet(static_cast<Body>(kBodyCount), kParis, UT{start}, RiseSet::Rise, 1),
       .outcome = SearchOutcome::NotComputable,
       .status = Status::UnknownBody},
      {.what = "limit 0",
       .found = searchRiseSet(Body::Sun, kParis, UT{start}, RiseSet::Rise, 0),
       .outcome = SearchOutcome::NotFound,
       .status = Status::Computed},
      {.what = "a Julian Day too far to tell seconds apart",
       .found = searchRiseSet(Body::Sun, kParis, UT{1e12}, RiseSet::Rise, 1),
       .outcome = SearchOutcome::NotComputable,
       .status = Status::NotComputable},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.found.outcome, c.outcome) << c.what;
    EXPECT_EQ(c.found.status, c.status) << c.what;
    EXPECT_TRUE(std::isnan(c.found.ut.jd)) << c.what;
  }
}

}  // namespace
