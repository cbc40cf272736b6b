// Transits of Mercury and Venus and occultations of the planets by the Moon
// against the same contacts found from JPL's DE405 with ERFA's frames
// (tools/accuracy/transits.py --reference), Delta T held at 0 so that the
// instants are TT in both.
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

constexpr double kSecond = kDay / 86400.0;
const TimeScale kNoDeltaT = TimeScale::fixed(0.0);
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Contacts agree when both are absent or both lie within `bound`.
void expectInstant(const char* what, double actual, double expected, double bound) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << what;
  } else {
    EXPECT_NEAR(actual, expected, bound)
        << what << " off by " << (actual - expected) / kSecond << " s";
  }
}

// The transits of 1999-2039 from DE405 (TT, Julian Days): C1, C2, C3,
// C4, the greatest instant and the least separation (arcseconds). That of
// 1999 grazed the Sun's northern limb: 53 minutes from C1 to C4, 16 from
// C2 to C3.
struct TransitCase {
  Body body;
  std::array<double, 4> contacts;
  double greatest;
  double leastSeparation;
};
constexpr std::array<TransitCase, 9> kTransits = {{
    {Body::Mercury,
     {2451498.38616520, 2451498.39639819, 2451498.41188227, 2451498.42211542},
     2451498.40413645,
     962.991},
    {Body::Mercury,
     {2452766.71806278, 2452766.72116546, 2452766.93638119, 2452766.93948448},
     2452766.82880270,
     708.320},
    {Body::Venus,
     {2453164.71850262, 2453164.73189037, 2453164.96368397, 2453164.97707229},
     2453164.84778801,
     626.891},
    {Body::Mercury,
     {2454048.30080302, 2454048.30211007, 2454048.50649321, 2454048.50780045},
     2454048.40427434,
     422.914},
    {Body::Venus,
     {2456084.42416471, 2456084.43652690, 2456084.68946292, 2456084.70182535},
     2456084.56299610,
     554.369},
    {Body::Mercury,
     {2457517.96765879, 2457517.96988088, 2457518.27801596, 2457518.28023865},
     2457518.12399594,
     318.540},
    {Body::Mercury,
     {2458799.02541936, 2458799.02659324, 2458799.25257077, 2458799.25374482},
     2458799.13955173,
     75.935},
    {Body::Mercury,
     {2463549.77937231, 2463549.78081534, 2463549.96279767, 2463549.96424086},
     2463549.87178727,
     572.083},
    {Body::Mercury,
     {2466099.80506493, 2466099.80730244, 2466099.92614700, 2466099.92838471},
     2466099.86671263,
     822.265},
}};

// Bounds: the Precise theory's places are within 0.13" of DE405 for the
// Sun, Mercury and Venus; the planet crosses the Sun at 2" to 6" a minute,
// slowest at the grazing internal contacts of 2019's central transit.
constexpr double kContactBound = 3 * kSecond;
constexpr double kSeparationBound = 0.1;  // arcseconds

TEST(Transit, ContactsOf1999To2039AgainstDe405) {
  for (const TransitCase& c : kTransits) {
    const Transit t = searchTransit(c.body, TT{c.greatest - 3.0}, kNoDeltaT);
    ASSERT_EQ(t.outcome, SearchOutcome::Found);
    EXPECT_EQ(t.body, c.body);
    EXPECT_EQ(t.status, Status::Computed);
    for (std::size_t i = 0; i < 4; ++i) {
      expectInstant("contact", t.contacts[i].tt.jd, c.contacts[i], kContactBound);
      // Delta T of 0: UT and TT are the same numbers.
      EXPECT_EQ(t.contacts[i].ut.jd, t.contacts[i].tt.jd);
      EXPECT_TRUE(std::isnan(t.contacts[i].sunAltitude));
    }
    expectInstant("greatest", t.greatest.tt.jd, c.greatest, kContactBound);
    EXPECT_NEAR(t.leastSeparation / kArcsec, c.leastSeparation, kSeparationBound);
  }
}

// Searched one after another, from the day after each transit, the
// transits of each planet come in the order of the table: none missed,
// none extra.
TEST(Transit, TheNextTransitAfterEachIsTheNextOfTheTable) {
  for (const Body body : {Body::Mercury, Body::Venus}) {
    std::vector<double> expected;
    for (const TransitCase& c : kTransits) {
      if (c.body == body) expected.push_back(c.greatest);
    }
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
      const Transit t = searchTransit(body, TT{expected[i] + 1.0}, kNoDeltaT);
      ASSERT_EQ(t.outcome, SearchOutcome::Found);
      expectInstant("next", t.greatest.tt.jd, expected[i + 1], kContactBound);
    }
  }
}

// Beyond the table: Venus' transit of 11 December 2117 (greatest about
// 2h48m UT, published predictions) after the pair of 2004 and 2012.
TEST(Transit, VenusAfter2012ComesIn2117) {
  const Transit venus = searchTransit(Body::Venus, TT{2456085.0}, kNoDeltaT);
  ASSERT_EQ(venus.outcome, SearchOutcome::Found);
  EXPECT_NEAR(venus.greatest.tt.jd, julianDay({2117, 12, 11.0 + 2.8 / 24.0}), 0.05);
}

// Transits seen from places (TT): C1 .. C4 from DE405 and ERFA's sidereal
// time, the place on the WGS84 ellipsoid.
struct LocalCase {
  std::size_t transit;  // index in kTransits
  double latitude;      // degrees
  double longitude;
  double height;  // metres
  std::array<double, 4> contacts;
};
constexpr std::array<LocalCase, 4> kLocal = {{
    {6,
     48.8566,
     2.3522,
     35.0,
     {2458799.02548978, 2458799.02666111, 2458799.25245321, 2458799.25362686}},
    {6,
     40.7128,
     -74.0060,
     10.0,
     {2458799.02584379, 2458799.02701649, 2458799.25264761, 2458799.25381896}},
    {4,
     -33.8688,
     151.2093,
     20.0,
     {2456084.42863722, 2456084.44109198, 2456084.68573450, 2456084.69814375}},
    {2,
     48.8566,
     2.3522,
     35.0,
     {2453164.72304849, 2453164.73672942, 2453164.96209639, 2453164.97551157}},
}};

TEST(Transit, ContactsSeenFromPlacesAgainstDe405) {
  for (const LocalCase& c : kLocal) {
    const TransitCase& g = kTransits[c.transit];
    const Transit geocentric = searchTransit(g.body, TT{g.greatest - 3.0}, kNoDeltaT);
    const Observer place{c.latitude * kDegree, c.longitude * kDegree, c.height};
    const Transit local = localTransit(geocentric, place, kNoDeltaT);
    ASSERT_EQ(local.outcome, SearchOutcome::Found);
    for (std::size_t i = 0; i < 4; ++i) {
      expectInstant("local contact", local.contacts[i].tt.jd, c.contacts[i], kContactBound);
      EXPECT_FALSE(std::isnan(local.contacts[i].sunAltitude));
    }
  }
}

// Paris saw the transit of 2019 from C1 (12h35 UT, the Sun low in the
// south-west) to sunset, before C3 and C4; Sydney saw the whole of 2012's
// in its morning; Paris saw 2004's whole from C1 at 5h13 UT, the Sun risen
// before 4h UT.
TEST(Transit, WhetherTheSunIsUpAtEachContact) {
  struct Case {
    std::size_t local;
    std::array<bool, 4> up;
  };
  constexpr Case kCases[] = {
      {0, {true, true, false, false}},
      {2, {true, true, true, true}},
      {3, {true, true, true, true}},
  };
  for (const Case& c : kCases) {
    const LocalCase& l = kLocal[c.local];
    const TransitCase& g = kTransits[l.transit];
    const Transit local =
        localTransit(searchTransit(g.body, TT{g.greatest - 3.0}, kNoDeltaT),
                     Observer{l.latitude * kDegree, l.longitude * kDegree, l.height}, kNoDeltaT);
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(limbAboveHorizon(local.contacts[i].sunAltitude, kSunSemiDiameterUp), c.up[i])
          << "case " << c.local << " contact " << i;
    }
  }
}

// Occultations of 2019 and 2025 seen from places, from DE405 (TT, Julian Days; the
// position angles in degrees): C1 .. C4 of the planet's disc, the
// disappearance and reappearance of its centre and their position angles.
struct OccultationCase {
  Body body;
  double latitude;  // degrees
  double longitude;
  double height;  // metres
  std::array<double, 4> contacts;
  double disappearance;
  double reappearance;
  double disappearanceAngle;
  double reappearanceAngle;
};
constexpr std::array<OccultationCase, 8> kOccultations = {{
    // Mars, 14 January 2025, evening in North America.
    {Body::Mars,
     40.7128,
     -74.0060,
     10.0,
     {2460689.59901851, 2460689.59940756, 2460689.65159007, 2460689.65200797},
     2460689.59921300,
     2460689.65179900,
     105.336,
     280.210},
    {Body::Mars,
     39.7392,
     -104.9903,
     1609.0,
     {2460689.58213267, 2460689.58245740, 2460689.62348391, 2460689.62383911},
     2460689.58229496,
     2460689.62366153,
     81.938,
     291.399},
    // Saturn, 4 January 2025 at dusk and 1 February before dawn, Paris.
    {Body::Saturn,
     48.8566,
     2.3522,
     35.0,
     {2460680.22547389, 2460680.22589956, 2460680.27312994, 2460680.27353510},
     2460680.22568672,
     2460680.27333257,
     61.628,
     223.579},
    {Body::Saturn,
     48.8566,
     2.3522,
     35.0,
     {2460707.66496771, 2460707.66544372, 2460707.68147712, 2460707.68195816},
     2460707.66520323,
     2460707.68172010,
     125.914,
     190.504},
    // Venus, 19 September 2025, in daylight.
    {Body::Venus,
     48.8566,
     2.3522,
     35.0,
     {2460938.00268379, 2460938.00303590, 2460938.05673557, 2460938.05705994},
     2460938.00285986,
     2460938.05689779,
     134.778,
     299.966},
    // Neptune, 5 January 2025 in the afternoon, Paris: a disc of 2.2".
    {Body::Neptune,
     48.8566,
     2.3522,
     35.0,
     {2460681.08155320, 2460681.08162348, 2460681.11864371, 2460681.11871659},
     2460681.08158833,
     2460681.11868016,
     93.240,
     194.069},
    // Jupiter, 28 November 2019 in daylight, Paris: a disc of 33".
    {Body::Jupiter,
     48.8566,
     2.3522,
     35.0,
     {2458815.89019218, 2458815.89098482, 2458815.93738467, 2458815.93824851},
     2458815.89058826,
     2458815.93781653,
     93.869,
     292.550},
    // Saturn, 4 January 2025, from Mexico City.
    {Body::Saturn,
     19.4326,
     -99.1332,
     2240.0,
     {2460680.13809279, 2460680.13839883, 2460680.17274279, 2460680.17307225},
     2460680.13824574,
     2460680.17290754,
     54.061,
     261.249},
}};

constexpr double kAngleBound = 0.05 * kDegree;

double angleOff(double actual, double expectedDegrees) {
  return std::fabs(std::remainder(actual - expectedDegrees * kDegree, 2 * 3.14159265358979323846));
}

TEST(Occultation, ContactsAndAnglesAgainstDe405) {
  for (const OccultationCase& c : kOccultations) {
    const Observer place{c.latitude * kDegree, c.longitude * kDegree, c.height};
    const OccultationList list = searchOccultations(c.body, place, UT{c.disappearance - 1.0},
                                                    UT{c.disappearance + 1.0}, kNoDeltaT);
    EXPECT_EQ(list.status, Status::Computed);
    ASSERT_EQ(list.occultations.size(), 1u) << bodyId(c.body) << " " << c.disappearance;
    const Occultation& o = list.occultations[0];
    EXPECT_EQ(o.body, c.body);
    // Neptune's place is VSOP87's, within 3.6" of DE405: 4 s of the Moon's
    // motion across it.
    const double bound = c.body == Body::Neptune ? 6 * kSecond : kContactBound;
    for (std::size_t i = 0; i < 4; ++i) {
      expectInstant("contact", o.contacts[i].tt.jd, c.contacts[i], bound);
    }
    expectInstant("disappearance", o.disappearance.tt.jd, c.disappearance, bound);
    expectInstant("reappearance", o.reappearance.tt.jd, c.reappearance, bound);
    EXPECT_LT(angleOff(o.disappearance.positionAngle, c.disappearanceAngle), kAngleBound);
    EXPECT_LT(angleOff(o.reappearance.positionAngle, c.reappearanceAngle), kAngleBound);
  }
}

// The year 2025 at Paris, searched whole: the occultations of the
// reference's hourly scan (Saturn twice, Neptune and Venus once) and no
// other, whether the Moon is up or not; with every planet at once, the
// same four in time order.
TEST(Occultation, AYearAtParisMissesNoneAndAddsNone) {
  const Observer paris{48.8566 * kDegree, 2.3522 * kDegree, 35.0};
  const UT start{julianDay({2025, 1, 1.0})};
  const UT end{julianDay({2026, 1, 1.0})};
  struct Count {
    Body body;
    std::size_t count;
  };
  constexpr Count kCounts[] = {{Body::Mercury, 0}, {Body::Venus, 1},  {Body::Mars, 0},
                               {Body::Jupiter, 0}, {Body::Saturn, 2}, {Body::Uranus, 0},
                               {Body::Neptune, 1}};
  for (const Count& c : kCounts) {
    EXPECT_EQ(searchOccultations(c.body, paris, start, end, kNoDeltaT).occultations.size(), c.count)
        << bodyId(c.body);
  }
  const OccultationList all = searchOccultations(paris, start, end, kNoDeltaT);
  ASSERT_EQ(all.occultations.size(), 4u);
  EXPECT_EQ(all.occultations[0].body, Body::Saturn);
  EXPECT_EQ(all.occultations[1].body, Body::Neptune);
  EXPECT_EQ(all.occultations[2].body, Body::Saturn);
  EXPECT_EQ(all.occultations[3].body, Body::Venus);
}

// Whether the Moon is up: Mars from New York at 21h22 local time, the Moon
// high in the east; Saturn from Paris on 1 February 2025 at 4h57 local
// time, the Moon (a thin crescent after new Moon) below the horizon; Venus
// from Paris in broad daylight, the Sun at about 40 degrees.
TEST(Occultation, TheMoonAndTheSunAboveOrBelowTheHorizon) {
  struct Case {
    std::size_t occultation;  // index in kOccultations
    bool moonUp;
    bool sunUp;
  };
  constexpr Case kCases[] = {{0, true, false}, {3, false, false}, {4, true, true}};
  for (const Case& c : kCases) {
    const OccultationCase& o = kOccultations[c.occultation];
    const Observer place{o.latitude * kDegree, o.longitude * kDegree, o.height};
    const OccultationList list = searchOccultations(o.body, place, UT{o.disappearance - 1.0},
                                                    UT{o.disappearance + 1.0}, kNoDeltaT);
    ASSERT_EQ(list.occultations.size(), 1u);
    const TransitContact& d = list.occultations[0].disappearance;
    EXPECT_EQ(limbAboveHorizon(d.moonAltitude, kMoonSemiDiameterUp), c.moonUp) << c.occultation;
    EXPECT_EQ(limbAboveHorizon(d.sunAltitude, kSunSemiDiameterUp), c.sunUp) << c.occultation;
  }
}

TEST(Transit, StatusesOfWhatCannotBeSearched) {
  const Transit mars = searchTransit(Body::Mars, TT{2451545.0});
  EXPECT_EQ(mars.outcome, SearchOutcome::NotComputable);
  EXPECT_EQ(mars.status, Status::UnknownBody);
  const Transit nan = searchTransit(Body::Venus, TT{kNaN});
  EXPECT_EQ(nan.outcome, SearchOutcome::NotComputable);
  EXPECT_EQ(nan.status, Status::NotComputable);
  // 80,000 years on, the Precise theory's places are NaN: no transit is
  // given, and the status says the search left the measured span.
  const Transit far = searchTransit(Body::Mercury, TT{julianDay({80000, 1, 1.0})});
  EXPECT_NE(far.outcome, SearchOutcome::Found);
  EXPECT_NE(far.status, Status::Computed);
  const Transit none = localTransit(nan, Observer{0.8, 0.04, 0.0});
  EXPECT_EQ(none.outcome, SearchOutcome::NotFound);
  const OccultationList wrong =
      searchOccultations(Body::Sun, Observer{0.8, 0.04, 0.0}, UT{2451545.0}, UT{2451546.0});
  EXPECT_EQ(wrong.status, Status::UnknownBody);
  const OccultationList open =
      searchOccultations(Body::Mars, Observer{0.8, 0.04, 0.0}, UT{2451545.0}, UT{kNaN});
  EXPECT_EQ(open.status, Status::NotComputable);
}

}  // namespace
