// The year's events: published instants, the order the sky keeps over two
// centuries, searches split or sampled more densely, and the choice of
// kinds.
#include "astro/events.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "astro/apparent.h"
#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;
using enum EventKind;

constexpr double kSecond = kDay / 86400.0;
constexpr double kMinute = 60.0 * kSecond;
constexpr double kHour = 60.0 * kMinute;

std::vector<Event> eventsOf(const EventList& list, EventKind kind, Body body) {
  std::vector<Event> found;
  for (const Event& e : list.events) {
    if (e.kind == kind && e.body == body) {
      found.push_back(e);
    }
  }
  return found;
}

std::vector<Event> eventsIn(const EventList& list, double from, double to) {
  std::vector<Event> found;
  for (const Event& e : list.events) {
    if (e.tt.jd >= from && e.tt.jd < to) {
      found.push_back(e);
    }
  }
  return found;
}

// The events of one search, 1900 to 2100, shared by the tests that read it.
const EventList& twoCenturies() {
  static const EventList list =
      findEvents(TT{julianDay({1900, 1, 1.0})}, TT{julianDay({2100, 1, 1.0})}, kAllEventKinds);
  return list;
}

// Published instants, and the same events found from ERFA's apparent places
// by tools/accuracy/events.py. The tolerances are the theory's own: the
// largest errors docs/accuracy.md measures for each kind over 1900-2100.
TEST(Events, WorkedExamples) {
  const auto tt = [](int year, int month, double day, double hours) {
    return julianDay({year, month, day + hours / 24});
  };
  const struct {
    const char* source;
    EventKind kind;
    Body body;
    double jd;
    double tolerance;
    double angle = 0;  // 0: not checked
    double angleTolerance = 0;
    double distanceKm = 0;  // 0: not checked
    double distanceTolerance = 0;
  } cases[] = {
      {.source = "Meeus, Example 49.a: new moon, 1977 February 18, 3h37m42s TD",
       .kind = NewMoon,
       .body = Body::Moon,
       .jd = tt(1977, 2, 18, 3 + 37 / 60.0 + 42 / 3600.0),
       .tolerance = 2 * kMinute},
      {.source = "Meeus, Example 27.a: June solstice, 1962 June 21, 21h25m08s TD",
       .kind = JuneSolstice,
       .body = Body::Sun,
       .jd = tt(1962, 6, 21, 21 + 25 / 60.0 + 8 / 3600.0),
       .tolerance = 15 * kMinute},
      {.source = "Meeus, Example 50.a: apogee, 1988 October 7, 20h30m TD; ERFA: 405,978 km",
       .kind = Apogee,
       .body = Body::Moon,
       .jd = tt(1988, 10, 7, 20.5),
       .tolerance = 35 * kMinute,
       .distanceKm = 405978,
       .distanceTolerance = 40},
      {.source = "ERFA: Mercury at inferior conjunction, 1993 November 6, 3h34m TT",
       .kind = InferiorConjunction,
       .body = Body::Mercury,
       .jd = 2449297.64876,
       .tolerance = 10 * kMinute},
      {.source = "ERFA: Mercury 19.7515 degrees west, 1993 November 22, 15h32m TT",
       .kind = GreatestElongationWest,
       .body = Body::Mercury,
       .jd = 2449314.14739,
       .tolerance = 15 * kMinute,
       .angle = 19.7515 * kDegree,
       .angleTolerance = 20 * kArcsec},
      {.source = "ERFA: Venus 46.0773 degrees east, 2020 March 24, 22h13m TT",
       .kind = GreatestElongationEast,
       .body = Body::Venus,
       .jd = 2458933.42557,
       .tolerance = 2 * kHour,
       .angle = 46.0773 * kDegree,
       .angleTolerance = 20 * kArcsec},
      {.source = "ERFA: perihelion, 2000 January 3, 5h19m TT",
       .kind = Perihelion,
       .body = Body::Sun,
       .jd = 2451546.72153,
       .tolerance = 40 * kHour},
      {.source = "ERFA: Jupiter 0.1021 degrees from Saturn, 2020 December 21, 17h25m TT",
       .kind = CloseApproach,
       .body = Body::Jupiter,
       .jd = 2459205.22539,
       .tolerance = 1 * kDay,
       .angle = 0.1021 * kDegree,
       .angleTolerance = 3 * kArcmin},
  };
  for (const auto& c : cases) {
    const EventList list = findEvents(TT{c.jd - 2}, TT{c.jd + 2}, eventKindBit(c.kind));
    const std::vector<Event> found = eventsOf(list, c.kind, c.body);
    ASSERT_EQ(found.size(), 1u) << c.source;
    EXPECT_NEAR(found[0].tt.jd, c.jd, c.tolerance) << c.source;
    if (c.angle != 0) {
      EXPECT_NEAR(found[0].angle, c.angle, c.angleTolerance) << c.source;
    }
    if (c.distanceKm != 0) {
      EXPECT_NEAR(found[0].distanceKm, c.distanceKm, c.distanceTolerance) << c.source;
    }
  }
}

TEST(Apparent, SunOfMeeusExample25b) {
  // 1992 October 13, 0h TD: the nutation in longitude is +15.908" and the
  // aberration -20.539", 4.631" off the Sun's true longitude together;
  // Example 22.a (1987 April 10, 0h TD) has a nutation of -3.788". The
  // four terms used here are good to 0.5".
  const double jd = julianDay({1992, 10, 13.0});
  const ApparentPosition apparent = apparentPosition(Body::Sun, TT{jd});
  const BodyPosition geometric = computeBody(Body::Sun, TT{jd});
  expectAll({
      {"apparent minus true longitude", apparent.eclipticLongitude - geometric.eclipticLongitude,
       -4.631 * kArcsec, 0.5 * kArcsec},
      {"nutation, 1992", nutationInLongitude(jd), 15.908 * kArcsec, 0.5 * kArcsec},
      {"nutation, 1987", nutationInLongitude(julianDay({1987, 4, 10.0})), -3.788 * kArcsec,
       0.5 * kArcsec},
  });
}

TEST(Events, TheMoonsPhasesOverTwoCenturies) {
  const EventList& list = twoCenturies();
  ASSERT_EQ(list.status, Status::Computed);
  std::vector<Event> phases;
  for (const Event& e : list.events) {
    if (e.kind <= LastQuarter) {
      phases.push_back(e);
    }
  }
  // New, first quarter, full, last quarter, in turn; a lunation, from new
  // moon to new moon, of 29.2 to 29.9 days, and so from full to full.
  for (std::size_t i = 1; i < phases.size(); ++i) {
    EXPECT_EQ(static_cast<int>(phases[i].kind), (static_cast<int>(phases[i - 1].kind) + 1) % 4)
        << phases[i].tt.jd;
    if (i >= 4 && (phases[i].kind == NewMoon || phases[i].kind == FullMoon)) {
      EXPECT_GT(phases[i].tt.jd - phases[i - 4].tt.jd, 29.2 * kDay) << phases[i].tt.jd;
      EXPECT_LT(phases[i].tt.jd - phases[i - 4].tt.jd, 29.9 * kDay) << phases[i].tt.jd;
    }
  }
  // 12 or 13 full moons in every calendar year.
  for (int year = 1900; year < 2100; ++year) {
    const auto full = eventsIn({eventsOf(list, FullMoon, Body::Moon), Status::Computed},
                               julianDay({year, 1, 1.0}), julianDay({year + 1, 1, 1.0}));
    EXPECT_TRUE(full.size() == 12 || full.size() == 13) << year;
  }
}

TEST(Events, TheSunsAndTheMoonsTurnsOverTwoCenturies) {
  const EventList& list = twoCenturies();
  // Each year: the four seasons in order, one perihelion and one aphelion.
  for (int year = 1900; year < 2100; ++year) {
    std::vector<EventKind> kinds;
    for (const Event& e :
         eventsIn(list, julianDay({year, 1, 1.0}), julianDay({year + 1, 1, 1.0}))) {
      if (e.body == Body::Sun) {
        kinds.push_back(e.kind);
      }
    }
    EXPECT_EQ(kinds, (std::vector<EventKind>{Perihelion, MarchEquinox, JuneSolstice, Aphelion,
                                             SeptemberEquinox, DecemberSolstice}))
        << year;
  }
  // Perigee and apogee in turn, 12 to 16 days apart, the distances in
  // their ranges.
  const struct {
    EventKind kind;
    double least;
    double most;
  } ranges[] = {{Perigee, 356000, 371000}, {Apogee, 404000, 407000}};
  const EventKind order[] = {Perigee, Apogee};
  std::vector<Event> apsides;
  for (const Event& e : list.events) {
    if (e.kind == Perigee || e.kind == Apogee) {
      apsides.push_back(e);
    }
  }
  for (std::size_t i = 0; i < apsides.size(); ++i) {
    const Event& e = apsides[i];
    const auto& range = ranges[e.kind == Apogee ? 1 : 0];
    EXPECT_GT(e.distanceKm, range.least) << e.tt.jd;
    EXPECT_LT(e.distanceKm, range.most) << e.tt.jd;
    if (i > 0) {
      EXPECT_NE(e.kind, apsides[i - 1].kind) << e.tt.jd;
      EXPECT_GT(e.tt.jd - apsides[i - 1].tt.jd, 11.5 * kDay) << e.tt.jd;
      EXPECT_LT(e.tt.jd - apsides[i - 1].tt.jd, 16.5 * kDay) << e.tt.jd;
    }
  }
  EXPECT_EQ(order[0], Perigee);
}

TEST(Events, ThePlanetsCyclesOverTwoCenturies) {
  const EventList& list = twoCenturies();
  // Mercury and Venus: inferior conjunction, greatest elongation west,
  // superior conjunction, greatest elongation east, in turn. The other
  // planets: conjunction and opposition in turn.
  const std::vector<EventKind> inner = {InferiorConjunction, GreatestElongationWest,
                                        SuperiorConjunction, GreatestElongationEast};
  const std::vector<EventKind> outer = {Conjunction, Opposition};
  for (const Body planet : kBodies) {
    if (planet == Body::Sun || planet == Body::Moon) {
      continue;
    }
    const bool isInner = planet == Body::Mercury || planet == Body::Venus;
    const std::vector<EventKind>& cycle = isInner ? inner : outer;
    std::vector<EventKind> kinds;
    for (const Event& e : list.events) {
      if (e.body == planet && e.kind != CloseApproach) {
        kinds.push_back(e.kind);
      }
    }
    ASSERT_GT(kinds.size(), 100u) << bodyId(planet);
    const auto start = std::find(cycle.begin(), cycle.end(), kinds[0]) - cycle.begin();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
      EXPECT_EQ(kinds[i], cycle[(start + i) % cycle.size()]) << bodyId(planet) << " " << i;
    }
  }
  // Mercury's greatest elongations lie between 17.9 and 27.9 degrees,
  // Venus' between 45 and 47.4.
  for (const auto& [planet, least, most] :
       {std::tuple{Body::Mercury, 17.8, 28.0}, std::tuple{Body::Venus, 45.0, 47.5}}) {
    for (const EventKind kind : {GreatestElongationEast, GreatestElongationWest}) {
      for (const Event& e : eventsOf(list, kind, planet)) {
        EXPECT_GT(e.angle, least * kDegree) << bodyId(planet) << " " << e.tt.jd;
        EXPECT_LT(e.angle, most * kDegree) << bodyId(planet) << " " << e.tt.jd;
      }
    }
  }
}

TEST(Events, CloseApproachesOverTwoCenturies) {
  const EventList& list = twoCenturies();
  std::map<std::pair<Body, Body>, std::vector<double>> passages;
  for (const Event& e : list.events) {
    if (e.kind == CloseApproach) {
      EXPECT_LT(e.body, e.other) << e.tt.jd;
      EXPECT_NE(e.body, Body::Sun) << e.tt.jd;
      EXPECT_LT(e.angle, kCloseApproachLimit) << e.tt.jd;
      passages[{e.body, e.other}].push_back(e.tt.jd);
    }
  }
  // Every pair meets; the same pair never twice within five days.
  EXPECT_EQ(passages.size(), 28u);
  for (const auto& [pair, instants] : passages) {
    for (std::size_t i = 1; i < instants.size(); ++i) {
      EXPECT_GT(instants[i] - instants[i - 1], 5 * kDay)
          << bodyId(pair.first) << " " << bodyId(pair.second) << " " << instants[i];
    }
  }
}

TEST(Events, ASplitSearchGivesTheWhole) {
  // Split at instants of the grids, in mid-scan, and exactly at an event:
  // the parts together are the whole, every value to the bit.
  const double start = julianDay({2023, 12, 20.0});
  const double end = julianDay({2024, 12, 20.0});
  const EventList whole = findEvents(TT{start}, TT{end}, kAllEventKinds);
  ASSERT_GT(whole.events.size(), 100u);
  const double atAnEvent = whole.events[40].tt.jd;
  for (const double split : {2460310.5, 2460400.3371, atAnEvent, std::nextafter(atAnEvent, 0.0)}) {
    std::vector<Event> parts = findEvents(TT{start}, TT{split}, kAllEventKinds).events;
    const EventList second = findEvents(TT{split}, TT{end}, kAllEventKinds);
    parts.insert(parts.end(), second.events.begin(), second.events.end());
    ASSERT_EQ(parts.size(), whole.events.size()) << split;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      EXPECT_EQ(parts[i].tt.jd, whole.events[i].tt.jd) << split << " " << i;
      EXPECT_EQ(parts[i].kind, whole.events[i].kind) << split << " " << i;
      EXPECT_EQ(parts[i].angle, whole.events[i].angle) << split << " " << i;
      EXPECT_EQ(parts[i].distanceAu, whole.events[i].distanceAu) << split << " " << i;
    }
  }
}

TEST(Events, DenserSamplesFindTheSameEvents) {
  // Four times denser tracks and scans: the same events, to a second, with
  // the same angles to 0.1" and distances to 2e-6 (the Moon's to 0.8 km).
  const double start = julianDay({2015, 1, 1.0});
  const double end = julianDay({2025, 1, 1.0});
  SearchSteps dense = kSearchSteps;
  for (double& step : dense.track) {
    step /= 4;
  }
  dense.pairScan /= 4;
  const EventList usual = searchEvents(TT{start}, TT{end}, kAllEventKinds, kCloseApproachLimit,
                                       Theory::Classic, kSearchSteps, nullptr);
  const EventList denser = searchEvents(TT{start}, TT{end}, kAllEventKinds, kCloseApproachLimit,
                                        Theory::Classic, dense, nullptr);
  ASSERT_EQ(usual.events.size(), denser.events.size());
  for (std::size_t i = 0; i < usual.events.size(); ++i) {
    const Event& a = usual.events[i];
    const Event& b = denser.events[i];
    ASSERT_EQ(a.kind, b.kind) << a.tt.jd;
    ASSERT_EQ(a.body, b.body) << a.tt.jd;
    ASSERT_EQ(a.other, b.other) << a.tt.jd;
    EXPECT_NEAR(a.tt.jd, b.tt.jd, 1 * kSecond) << eventKindId(a.kind) << " " << a.tt.jd;
    EXPECT_NEAR(a.angle, b.angle, 0.1 * kArcsec) << eventKindId(a.kind) << " " << a.tt.jd;
    EXPECT_NEAR(a.distanceKm, b.distanceKm, 2e-6 * a.distanceKm)
        << eventKindId(a.kind) << " " << a.tt.jd;
  }
}

TEST(Events, KindsChosenAndNamed) {
  std::vector<std::string_view> ids;
  for (const EventKind kind : kEventKinds) {
    ids.emplace_back(eventKindId(kind));
    EXPECT_EQ(eventKindBit(kind), 1u << static_cast<unsigned>(kind));
  }
  EXPECT_EQ(ids, (std::vector<std::string_view>{"new_moon",
                                                "first_quarter",
                                                "full_moon",
                                                "last_quarter",
                                                "march_equinox",
                                                "june_solstice",
                                                "september_equinox",
                                                "december_solstice",
                                                "perihelion",
                                                "aphelion",
                                                "perigee",
                                                "apogee",
                                                "inferior_conjunction",
                                                "superior_conjunction",
                                                "conjunction",
                                                "opposition",
                                                "greatest_elongation_east",
                                                "greatest_elongation_west",
                                                "close_approach",
                                                "solar_eclipse",
                                                "lunar_eclipse",
                                                "transit",
                                                "occultation"}));
  EXPECT_EQ(eventKindId(static_cast<EventKind>(kEventKindCount)), "");
  EXPECT_EQ(eventKindBit(static_cast<EventKind>(kEventKindCount)), 0u);

  // A choice gives those kinds only, the same events as in the full list.
  const TT start{julianDay({2024, 1, 1.0})};
  const TT end{julianDay({2025, 1, 1.0})};
  const EventKindSet chosen = eventKindBit(FullMoon) | eventKindBit(Opposition);
  const EventList all = findEvents(start, end, kAllEventKinds);
  std::vector<Event> expected;
  std::copy_if(all.events.begin(), all.events.end(), std::back_inserter(expected),
               [&](const Event& e) { return (chosen & eventKindBit(e.kind)) != 0; });
  const EventList some = findEvents(start, end, chosen);
  ASSERT_EQ(some.events.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(some.events[i].tt.jd, expected[i].tt.jd);
  }
  // A wider limit keeps every closer approach and adds wider ones.
  const auto approaches = [&](double limit) {
    return findEvents(start, end, eventKindBit(CloseApproach), limit).events;
  };
  const std::vector<Event> near = approaches(1 * kDegree);
  const std::vector<Event> wide = approaches(6 * kDegree);
  EXPECT_GT(wide.size(), approaches(kCloseApproachLimit).size());
  EXPECT_GT(approaches(kCloseApproachLimit).size(), near.size());
  for (const Event& e : near) {
    EXPECT_TRUE(std::any_of(wide.begin(), wide.end(), [&](const Event& w) {
      return w.tt.jd == e.tt.jd && w.body == e.body && w.other == e.other;
    })) << e.tt.jd;
  }
}

TEST(Events, BoundsThatGiveNoEvents) {
  const double nan = std::nan("");
  const struct {
    double start;
    double end;
    Status status;
  } cases[] = {
      {nan, 2451545.0, Status::NotComputable},  {2451545.0, INFINITY, Status::NotComputable},
      {2451545.0, 2e9, Status::NotComputable},  {2451545.0, 2451545.0, Status::Computed},
      {2451600.0, 2451545.0, Status::Computed},
  };
  for (const auto& c : cases) {
    const EventList list = findEvents(TT{c.start}, TT{c.end}, kAllEventKinds);
    EXPECT_TRUE(list.events.empty()) << c.start << " " << c.end;
    EXPECT_EQ(list.status, c.status) << c.start << " " << c.end;
  }
  EXPECT_TRUE(findEvents(TT{2451545.0}, TT{2451910.0}, 0).events.empty());
  // Before the measured span the events come with their status.
  const EventList early = findEvents(TT{julianDay({999, 12, 1.0})}, TT{julianDay({1000, 2, 1.0})},
                                     eventKindBit(FullMoon));
  ASSERT_EQ(early.events.size(), 2u);
  EXPECT_EQ(early.events[0].status, Status::OutsideMeasuredSpan);
  EXPECT_EQ(early.events[1].status, Status::Computed);
  EXPECT_EQ(early.status, Status::OutsideMeasuredSpan);
}

}  // namespace
