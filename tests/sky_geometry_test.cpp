// Directions on the sky: the ecliptic, separations and position angles.
#include <cmath>

#include "astro/astro.h"
#include "units.h"

namespace {
using namespace astro;

TEST(SkyGeometry, EclipticPointsOfTheDate) {
  const double eps = computeInstant(CalendarDate{2000, 1, 1.5}).obliquity;
  EXPECT_NEAR(eps, 0.4090926166, 1e-10 * kRadian);  // the worked obliquity of that date
  struct Case {
    double longitude;
    double rightAscension;
    double declination;
  } const cases[] = {
      {0, 0, 0},
      {kPi / 2, kPi / 2, eps},
      {kPi, kPi, 0},
      {3 * kPi / 2, 3 * kPi / 2, -eps},
  };
  for (const Case& c : cases) {
    const EquatorialPoint p = eclipticToEquatorial(c.longitude, 0.0, eps);
    EXPECT_NEAR(p.rightAscension, c.rightAscension, 1e-12) << c.longitude;
    EXPECT_NEAR(p.declination, c.declination, 1e-12) << c.longitude;
  }
}

TEST(SkyGeometry, SeparationOfTheMoonFromTheSun) {
  // At 1.5/1/2000 the Moon's elongation from the Sun, d = acos(cos beta
  // cos(lambda - lambda sun)), is 57.2147161 degrees; the angle between
  // the two equatorial directions is the same angle.
  const Instant i = computeInstant(CalendarDate{2000, 1, 1.5});
  const EquatorialPoint sun{i[Body::Sun].rightAscension, i[Body::Sun].declination};
  const EquatorialPoint moon{i[Body::Moon].rightAscension, i[Body::Moon].declination};
  EXPECT_NEAR(angularSeparation(sun, moon), 57.2147161 * kDegree, 0.001 * kArcsec);
  // West of the Sun: the Moon's position angle from it lies beyond PI.
  EXPECT_GT(positionAngle(sun, moon), kPi);
}

TEST(SkyGeometry, PositionAnglesFromNorthThroughEast) {
  const EquatorialPoint origin{1.0, 0.2};
  const struct {
    EquatorialPoint to;
    double angle;
  } cases[] = {
      {{1.0, 0.3}, 0},            // north
      {{1.1, 0.2}, kPi / 2},      // east: right ascension grows
      {{1.0, 0.1}, kPi},          // south
      {{0.9, 0.2}, 3 * kPi / 2},  // west
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(positionAngle(origin, c.to), c.angle, 0.01) << c.to.rightAscension;
  }
  EXPECT_NEAR(angularSeparation({0, 0}, {kPi / 2, 0}), kPi / 2, 1e-12);
  EXPECT_NEAR(angularSeparation({0, kPi / 2}, {2.0, 0}), kPi / 2, 1e-12);
}

}  // namespace
