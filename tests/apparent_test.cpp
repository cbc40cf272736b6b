// apparentPosition: the apparent places of the Sun, the Moon and the
// planets against ERFA, and what the corrections add to the geometric
// places.
#include <cmath>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

struct ErfaPlace {
  Body body;
  double tt;
  double longitude;  // degrees
  double latitude;   // degrees
  double tolerance;  // radians
};

// From ERFA (tools/accuracy/events.py's apparent places: epv00, moon98 and
// plan94, light-time iterated, aberration by ab, turned to the mean
// ecliptic of date by pmat06 and obl06, the nutation in longitude of
// nut06a added). The Sun of 1992 October 13, 0h TT, is Meeus' example
// 25.b: 199 deg 54' 21.818" with VSOP87, 0.2" from ERFA's. The tolerances
// are the theory's errors (docs/accuracy.md); the corrections themselves
// are tested below to the arcsecond.
const ErfaPlace kErfa[] = {
    {.body = Body::Sun,
     .tt = 2448908.5,
     .longitude = 199.905999321,
     .latitude = 0.000207813,
     .tolerance = 20 * kArcsec},
    {.body = Body::Sun,
     .tt = 2451545.0,
     .longitude = 280.368163790,
     .latitude = 0.000227992,
     .tolerance = 20 * kArcsec},
    {.body = Body::Moon,
     .tt = 2451545.0,
     .longitude = 223.314860791,
     .latitude = 5.171282824,
     .tolerance = 10 * kArcsec},
    {.body = Body::Moon,
     .tt = 2460389.5,
     .longitude = 122.242774488,
     .latitude = 5.049225977,
     .tolerance = 10 * kArcsec},
    {.body = Body::Mercury,
     .tt = 2455000.5,
     .longitude = 64.247841157,
     .latitude = -2.972227157,
     .tolerance = 20 * kArcsec},
    {.body = Body::Venus,
     .tt = 2451545.0,
     .longitude = 241.564962545,
     .latitude = 2.066424857,
     .tolerance = 20 * kArcsec},
    {.body = Body::Mars,
     .tt = 2460665.5,
     .longitude = 124.818650052,
     .latitude = 3.465658598,
     .tolerance = 90 * kArcsec},
    {.body = Body::Jupiter,
     .tt = 2451545.0,
     .longitude = 25.245816705,
     .latitude = -1.260629741,
     .tolerance = 90 * kArcsec},
    {.body = Body::Saturn,
     .tt = 2430000.5,
     .longitude = 37.916464439,
     .latitude = -2.447266463,
     .tolerance = 150 * kArcsec},
    {.body = Body::Uranus,
     .tt = 2470000.5,
     .longitude = 167.646380053,
     .latitude = 0.747435690,
     .tolerance = 60 * kArcsec},
    {.body = Body::Neptune,
     .tt = 2451545.0,
     .longitude = 303.193032865,
     .latitude = 0.234960314,
     .tolerance = 60 * kArcsec},
};

TEST(ApparentPosition, AgainstErfa) {
  for (const ErfaPlace& c : kErfa) {
    const ApparentPosition a = apparentPosition(c.body, TT{c.tt});
    EXPECT_EQ(a.status, Status::Computed) << bodyId(c.body);
    EXPECT_NEAR(wrapAngle(a.eclipticLongitude - c.longitude * kDegree, kPi), 0, c.tolerance)
        << bodyId(c.body) << " at " << c.tt;
    EXPECT_NEAR(a.eclipticLatitude, c.latitude * kDegree, c.tolerance)
        << bodyId(c.body) << " at " << c.tt;
  }
}

// The apparent place is the geometric one of the light-time earlier, its
// longitude turned by the nutation: for the Moon under an arcsecond from
// the geometric place at tt (light-time and aberration nearly cancel), for
// the Sun 20.5" / R behind it, and the distance is that of the light's
// departure.
TEST(ApparentPosition, TheCorrections) {
  const TT tt{2451545.0};
  for (const Body body : kBodies) {
    const BodyPosition now = computeBody(body, tt);
    const ApparentPosition a = apparentPosition(body, tt);
    EXPECT_NEAR(a.lightTime, now.distanceAu * 499.004784 / 86400, 1e-6 * a.lightTime)
        << bodyId(body);
    const BodyPosition then = computeBody(body, TT{tt.jd - a.lightTime});
    EXPECT_EQ(a.distanceAu, then.distanceAu) << bodyId(body);
    EXPECT_EQ(a.distanceKm, then.distanceKm) << bodyId(body);
    EXPECT_EQ(a.eclipticLatitude, then.eclipticLatitude) << bodyId(body);
    const double nutation = wrapAngle(a.eclipticLongitude - then.eclipticLongitude, kPi);
    // -13.9" on 2000 January 1.5 (Meeus, Astronomical Algorithms, ch. 22).
    EXPECT_NEAR(nutation, -13.92 * kArcsec, 0.5 * kArcsec) << bodyId(body);
    const double shift = wrapAngle(a.eclipticLongitude - now.eclipticLongitude, kPi) - nutation;
    if (body == Body::Moon) {
      EXPECT_LT(std::fabs(shift), 1 * kArcsec);
    } else if (body == Body::Sun) {
      EXPECT_NEAR(shift, -20.4898 * kArcsec / now.distanceAu, 0.1 * kArcsec);
    } else {
      EXPECT_LT(std::fabs(shift), 60 * kArcsec) << bodyId(body);
    }
  }
}

}  // namespace
